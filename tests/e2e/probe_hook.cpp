// Observer loaded into the game's thread by a window-procedure hook: on the
// registered message "Kanoze.Probe" it reports what the player can see of
// the menu (texts, states, bar item rectangles) to the window in wParam.
// It reads window state only and never calls the game's own code.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
    return out;
}

std::string ItemText(HMENU menu, int position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return Utf8(text);
}

// One line per item: kind, bar position, item position, id, state, rectangle, text.
std::string DescribeMenu(HWND window) {
    std::string out;
    HMENU bar = GetMenu(window);
    const int count = GetMenuItemCount(bar);
    for (int i = 0; i < count; ++i) {
        RECT r = {};
        GetMenuItemRect(window, bar, i, &r);
        char line[160];
        wsprintfA(line, "bar\t%d\t-1\t%u\t%u\t%ld,%ld,%ld,%ld\t", i, GetMenuItemID(bar, i),
                  GetMenuState(bar, i, MF_BYPOSITION) & 0xFF, r.left, r.top, r.right, r.bottom);
        out += line + ItemText(bar, i) + "\n";
        HMENU sub = GetSubMenu(bar, i);
        const int subCount = sub ? GetMenuItemCount(sub) : 0;
        for (int j = 0; j < subCount; ++j) {
            wsprintfA(line, "item\t%d\t%d\t%u\t%u\t0,0,0,0\t", i, j, GetMenuItemID(sub, j),
                      GetMenuState(sub, j, MF_BYPOSITION) & 0xFF);
            out += line + ItemText(sub, j) + "\n";
        }
    }
    return out;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK KanozeProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT probeMessage = RegisterWindowMessageA("Kanoze.Probe");
    if (code == HC_ACTION) {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call->message == probeMessage) {
            const std::string report = DescribeMenu(call->hwnd);
            COPYDATASTRUCT data = {1, static_cast<DWORD>(report.size() + 1),
                                   const_cast<char*>(report.c_str())};
            SendMessageA(reinterpret_cast<HWND>(call->wParam), WM_COPYDATA, 0,
                         reinterpret_cast<LPARAM>(&data));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
