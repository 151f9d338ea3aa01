// Modal dialogs from the resources of the chosen language.
#include "dialogs/dialog_win.h"

#include <commctrl.h>

#include "dialogs/placement.h"
#include "platform/system_library_win.h"
#include "res/texts_win.h"

namespace {

// What ShowDialog hands its own first procedure: the dialog's procedure and
// the parameter meant for it.
struct DialogStart {
    DLGPROC procedure;
    LPARAM parameter;
};

ScreenBox BoxOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The dialog moves to the middle of its owner, on the owner's monitor. It is
// not shown yet, so it never appears anywhere else first.
void CentreOverOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT ownerRect, dialogRect;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!owner || IsIconic(owner) || !GetWindowRect(owner, &ownerRect) || !GetWindowRect(dialog, &dialogRect) ||
        !GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;  // where the system put it
    }
    const ScreenPoint at = CentredOver(BoxOf(ownerRect), dialogRect.right - dialogRect.left,
                                       dialogRect.bottom - dialogRect.top, BoxOf(monitor.rcWork));
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every dialog's first procedure: at WM_INITDIALOG it hands the dialog to
// its own procedure for good, lets that fill the controls, and centres the
// dialog over its owner. The few messages before (WM_SETFONT) it leaves to
// the dialog manager, as the dialogs' own procedures do.
INT_PTR CALLBACK StartDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    const DialogStart* start = reinterpret_cast<const DialogStart*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(start->procedure));
    const INT_PTR result = start->procedure(dialog, message, wParam, start->parameter);
    CentreOverOwner(dialog);
    return result;
}

}  // namespace

INT_PTR ShowDialog(HWND owner, UINT id, DLGPROC procedure, LPARAM parameter) {
    const DLGTEMPLATE* dialog = LoadTextDialog(id);
    if (!dialog) return -1;
    DialogStart start = {procedure, parameter};
    return DialogBoxIndirectParamW(ProgramModule(), dialog, owner, StartDialog, reinterpret_cast<LPARAM>(&start));
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
