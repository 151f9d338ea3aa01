// DLLs that are not among Windows' known system DLLs are loaded at run time,
// from the system folder only: a file of the same name in the program's
// folder (a Downloads folder, say) must never run inside the game.
#pragma once

#include <windows.h>

// Makes the system folder the only place DLLs are looked for from here on,
// for the DLLs those DLLs load too. The program's first act.
void LoadDllsFromSystemFolderOnly();

// The function `name` of the system DLL `library`, or null when either is missing.
FARPROC SystemFunction(const wchar_t* library, const char* name);

template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(library, name)));
}
