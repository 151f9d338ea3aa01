// Modal dialogs from the resources of the chosen language.
#include "dialogs/dialog_win.h"

#include <commctrl.h>

#include "platform/system_library_win.h"
#include "res/texts_win.h"

INT_PTR ShowDialog(HWND owner, UINT id, DLGPROC procedure, LPARAM parameter) {
    const DLGTEMPLATE* dialog = LoadTextDialog(id);
    if (!dialog) return -1;
    return DialogBoxIndirectParamW(ProgramModule(), dialog, owner, procedure, parameter);
}

bool RegisterCommonControls(DWORD classes) {
    static const auto initControls =
        SystemFunction<decltype(&InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX controls = {sizeof controls, classes};
    return initControls && initControls(&controls);
}

int ShowMessage(HWND owner, UINT textId, UINT titleId, UINT type) {
    return MessageBoxW(owner, LoadText(textId).c_str(), LoadText(titleId).c_str(), type);
}
