// DLLs the program does not import are loaded at run time, from the system
// folder only: those not among Windows' known system DLLs, where a file of the
// same name in the program's folder (a Downloads folder, say) must never run
// inside the game, and those only some runs need (the file dialog, the drop),
// so that a start does not load them.
#pragma once

#include <windows.h>

// Makes the system folder the only place DLLs are looked for from here on,
// for the DLLs those DLLs load too. The program's first act.
void LoadDllsFromSystemFolderOnly();

// The function `name` of the system DLL `library`, or null when either is
// missing. The DLL stays loaded for the rest of the run, so the function may
// be kept (in a static, asked for once).
FARPROC SystemFunction(const wchar_t* library, const char* name);

template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(library, name)));
}
