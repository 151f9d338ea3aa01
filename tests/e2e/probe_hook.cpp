// Observer loaded into the game's thread by a window-procedure hook: it
// reports what the player can see of the menu (texts, states, bar item
// rectangles), how many GDI and USER objects and how much private memory the
// game process holds, the files it holds open and how it is aware of the
// screen's scaling (probe_protocol.h). It reads window and process state only
// and never calls the game's own code; what it sends the game's windows
// (a drop, a change of scaling) is what Windows itself sends them.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <utility>

#include "probe_protocol.h"

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

// The items of the submenu `sub` of item `item` of bar item `bar`.
std::string DescribeSubmenu(HMENU sub, int bar, int item) {
    std::string out;
    const int count = sub ? GetMenuItemCount(sub) : 0;
    for (int k = 0; k < count; ++k) {
        char line[160];
        wsprintfA(line, kMenuLineWrite, kMenuSubItem, bar, 100 * (item + 1) + k, GetMenuItemID(sub, k),
                  GetMenuState(sub, k, MF_BYPOSITION) & 0xFF, 0L, 0L, 0L, 0L);
        out += line + ItemText(sub, k) + "\n";
    }
    return out;
}

std::string DescribeMenu(HWND window) {
    std::string out;
    HMENU bar = GetMenu(window);
    const int count = GetMenuItemCount(bar);
    for (int i = 0; i < count; ++i) {
        RECT r = {};
        GetMenuItemRect(window, bar, i, &r);
        char line[160];
        wsprintfA(line, kMenuLineWrite, kMenuBar, i, -1, GetMenuItemID(bar, i),
                  GetMenuState(bar, i, MF_BYPOSITION) & 0xFF, r.left, r.top, r.right, r.bottom);
        out += line + ItemText(bar, i) + "\n";
        HMENU sub = GetSubMenu(bar, i);
        const int subCount = sub ? GetMenuItemCount(sub) : 0;
        for (int j = 0; j < subCount; ++j) {
            wsprintfA(line, kMenuLineWrite, kMenuItem, i, j, GetMenuItemID(sub, j),
                      GetMenuState(sub, j, MF_BYPOSITION) & 0xFF, 0L, 0L, 0L, 0L);
            out += line + ItemText(sub, j) + "\n";
            out += DescribeSubmenu(GetSubMenu(sub, j), i, j);
        }
    }
    return out;
}

// Live GDI objects of this process, stock objects included. Wine keeps a GDI
// handle table per process and takes a handle without its upper word for
// whatever object fills that slot now, so asking every slot for its type
// counts exactly what is alive. (Windows checks the upper word too; there
// GetGuiResources answers instead.)
int CountGdiSlots() {
    int count = 0;
    for (UINT_PTR slot = 1; slot <= 0xFFFF; ++slot) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) ++count;
    }
    return count;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM counter) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(counter);
        EnumChildWindows(window, CountOwnWindow, counter);
    }
    return TRUE;
}

struct UserObjects {
    int windows = 0;
    int menus = 0;
    int icons = 0;  // cursors too
    int accelerators = 0;
    int total() const { return windows + menus + icons + accelerators; }
};

// USER objects of this process by kind. Windows are found by enumeration.
// Wine gives USER handles even values from 0x20 on and, like GDI, takes one
// without its upper word for the object in that slot; menus, icons and
// accelerator tables are answered for from this process's own table only,
// so other programs' objects are not counted.
UserObjects CountUserObjects() {
    UserObjects objects;
    EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&objects.windows));
    for (UINT_PTR slot = 0x20; slot <= 0xFFFF; slot += 2) {
        if (IsMenu(reinterpret_cast<HMENU>(slot))) ++objects.menus;
        if (CopyAcceleratorTableW(reinterpret_cast<HACCEL>(slot), nullptr, 0) > 0) ++objects.accelerators;
        ICONINFO icon = {};
        if (GetIconInfo(reinterpret_cast<HICON>(slot), &icon)) {
            ++objects.icons;
            if (icon.hbmMask) DeleteObject(icon.hbmMask);
            if (icon.hbmColor) DeleteObject(icon.hbmColor);
        }
    }
    return objects;
}

// Slot numbers (low 16 bits) of a fresh memory DC, bitmap and brush, all
// deleted again, last made first, so the free slots are left as they were.
std::string FreshGdiSlots() {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = dc ? CreateCompatibleBitmap(dc, 1, 1) : nullptr;
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    char text[64];
    wsprintfA(text, "%u,%u,%u", LOWORD(reinterpret_cast<UINT_PTR>(dc)),
              LOWORD(reinterpret_cast<UINT_PTR>(bitmap)), LOWORD(reinterpret_cast<UINT_PTR>(brush)));
    if (brush) DeleteObject(brush);
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    return text;
}

std::string Field(const char* name, unsigned long value) {
    char line[64];
    wsprintfA(line, "%s\t%lu\n", name, value);
    return line;
}

// Counts are taken before anything is made for the measuring itself.
std::string DescribeUsage() {
    const int gdiSlots = CountGdiSlots();
    const std::string freshSlots = FreshGdiSlots();
    const UserObjects user = CountUserObjects();
    const HANDLE process = GetCurrentProcess();
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    K32GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // Wine leaves PrivateUsage at 0 and counts private memory in PagefileUsage,
    // which Windows keeps equal to PrivateUsage.
    const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    return Field(kUsageGdiSlots, gdiSlots) + Field(kUsageUserObjects, user.total()) +
           Field(kUsageWindows, user.windows) + Field(kUsageMenus, user.menus) + Field(kUsageIcons, user.icons) +
           Field(kUsageAccelerators, user.accelerators) +
           Field(kUsageGuiGdi, GetGuiResources(process, GR_GDIOBJECTS)) +
           Field(kUsageGuiUser, GetGuiResources(process, GR_USEROBJECTS)) +
           Field(kUsagePrivateKb, static_cast<unsigned long>(privateBytes / 1024)) + kUsageFreshGdiSlots + "\t" +
           freshSlots + "\n";
}

// One full path per line of every file (not directory) the process holds
// open. Wine hands out handles as multiples of 4 from the bottom up, so a
// walk over the low values meets every one of them.
std::string DescribeOpenFiles() {
    std::string out;
    for (UINT_PTR value = 4; value < 0x4000; value += 4) {
        const HANDLE handle = reinterpret_cast<HANDLE>(value);
        if (GetFileType(handle) != FILE_TYPE_DISK) continue;
        BY_HANDLE_FILE_INFORMATION info = {};
        if (!GetFileInformationByHandle(handle, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        wchar_t path[1024] = {};
        const DWORD n = GetFinalPathNameByHandleW(handle, path, 1024, FILE_NAME_NORMALIZED);
        if (n == 0 || n >= 1024) continue;
        const wchar_t* shown = wcsncmp(path, L"\\\\?\\", 4) == 0 ? path + 4 : path;
        out += Utf8(shown) + "\n";
    }
    return out;
}

int Highlighted(HMENU menu) {
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, i, MF_BYPOSITION) & MF_HILITE) return i;
    }
    return -1;
}

// True when `popup` opens from an item of the menu bar.
bool OpensFromBar(HWND window, HMENU popup) {
    HMENU bar = GetMenu(window);
    const int count = GetMenuItemCount(bar);
    for (int i = 0; i < count; ++i) {
        if (GetSubMenu(bar, i) == popup) return true;
    }
    return false;
}

// The highlighted bar item, the highlighted item of the menu open from the
// bar, and that of a submenu open from it; -1 for none.
std::string DescribeMenuFocus(HWND window) {
    HMENU popup = nullptr, nested = nullptr;
    for (HWND menu = nullptr; (menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr;) {
        if (IsWindowVisible(menu) && GetWindowThreadProcessId(menu, nullptr) == GetCurrentThreadId()) {
            const HMENU shown = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
            (OpensFromBar(window, shown) ? popup : nested) = shown;
        }
    }
    char text[48];
    wsprintfA(text, "%d\t%d\t%d", Highlighted(GetMenu(window)), popup ? Highlighted(popup) : -1,
              nested ? Highlighted(nested) : -1);
    return text;
}

// A list view's rows as its own process reads them: the texts live in the
// game's memory, which another process cannot hand the list view.
std::string DescribeListView(HWND list) {
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    std::string out;
    for (int row = 0; row < rows; ++row) {
        const bool selected = SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED;
        out += selected ? "*" : "-";
        for (int column = 0; column < columns; ++column) {
            wchar_t text[512] = {};
            LVITEMW item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = 512;
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
            out += "\t" + Utf8(text);
        }
        out += "\n";
    }
    return out;
}

// The reply goes back with a bound: a test that no longer waits for it (it
// gave up, or the game's window went meanwhile) must not hold the game.

// The DPI functions of Windows 10, looked up so that the hook loads anywhere.
template <typename Function>
Function User32(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

std::string DescribeDpi(HWND window) {
    using Context = HANDLE;
    const auto threadContext = User32<Context(WINAPI*)()>("GetThreadDpiAwarenessContext");
    const auto contextsEqual = User32<BOOL(WINAPI*)(Context, Context)>("AreDpiAwarenessContextsEqual");
    const auto windowDpi = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const auto systemDpi = User32<UINT(WINAPI*)()>("GetDpiForSystem");
    const char* awareness = "unknown";
    if (threadContext && contextsEqual) {
        const Context context = threadContext();
        const std::pair<intptr_t, const char*> kinds[] = {
            {-1, "unaware"}, {-2, "system"}, {-3, "per-monitor"}, {-4, "per-monitor-v2"}};
        for (const auto& [value, name] : kinds) {
            if (contextsEqual(context, reinterpret_cast<Context>(value))) awareness = name;
        }
    }
    return std::string(kDpiAwareness) + "\t" + awareness + "\n" + Field(kDpiWindow, windowDpi ? windowDpi(window) : 0) +
           Field(kDpiSystem, systemDpi ? systemDpi() : 0);
}

// WM_DPICHANGED as a move to a monitor of twice the scaling sends it.
void SendDpiChanged(HWND window, LPARAM corner) {
    const auto windowDpi = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = 2 * (windowDpi ? windowDpi(window) : 96);
    RECT now;
    GetWindowRect(window, &now);
    const int x = static_cast<short>(LOWORD(corner)), y = static_cast<short>(HIWORD(corner));
    RECT suggested = {x, y, x + 2 * (now.right - now.left), y + 2 * (now.bottom - now.top)};
    SendMessageW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// Explorer's drop: the paths in a DROPFILES block of movable global memory,
// which the receiver frees with DragFinish.
bool PostDrop(HWND window) {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, kDropPathsMapping);
    const auto* paths = mapping ? static_cast<const wchar_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0)) : nullptr;
    size_t length = 0;  // the paths with their NULs, the closing one included
    while (paths && (paths[length] != L'\0' || (length > 0 && paths[length - 1] != L'\0'))) ++length;
    HGLOBAL memory = paths ? GlobalAlloc(GHND, sizeof(DROPFILES) + (length + 1) * sizeof(wchar_t)) : nullptr;
    auto* drop = memory ? static_cast<DROPFILES*>(GlobalLock(memory)) : nullptr;
    if (drop) {
        RECT client;
        GetClientRect(window, &client);
        drop->pFiles = sizeof(DROPFILES);
        drop->pt = POINT{client.right / 2, client.bottom / 2};
        drop->fWide = TRUE;
        std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), paths, (length + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
    }
    if (paths) UnmapViewOfFile(paths);
    if (mapping) CloseHandle(mapping);
    if (!drop) return false;
    if (PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0)) return true;
    GlobalFree(memory);
    return false;
}

// Not SMTO_ABORTIFHUNG: a test thread that took no message for five seconds
// counts as hung until it waits on its queue, and the reply would be lost.
void Reply(HWND to, const std::string& report) {
    COPYDATASTRUCT data = {1, static_cast<DWORD>(report.size() + 1), const_cast<char*>(report.c_str())};
    DWORD_PTR result = 0;
    SendMessageTimeoutA(to, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 5000, &result);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK KanozeProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT probeMessage = RegisterWindowMessageA(kProbeMenuMessage);
    static const UINT usageMessage = RegisterWindowMessageA(kProbeUsageMessage);
    static const UINT filesMessage = RegisterWindowMessageA(kProbeFilesMessage);
    static const UINT focusMessage = RegisterWindowMessageA(kProbeMenuFocusMessage);
    static const UINT dpiMessage = RegisterWindowMessageA(kProbeDpiMessage);
    static const UINT dpiChangedMessage = RegisterWindowMessageA(kProbeDpiChangedMessage);
    static const UINT dropMessage = RegisterWindowMessageA(kProbeDropMessage);
    static const UINT listViewMessage = RegisterWindowMessageA(kProbeListViewMessage);
    if (code == HC_ACTION) {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call->message == dropMessage) {
            const bool posted = PostDrop(reinterpret_cast<HWND>(call->lParam));
            Reply(reinterpret_cast<HWND>(call->wParam), posted ? "posted\n" : "failed\n");
        } else if (call->message == dpiMessage) {
            Reply(reinterpret_cast<HWND>(call->wParam), DescribeDpi(call->hwnd));
        } else if (call->message == dpiChangedMessage) {
            SendDpiChanged(call->hwnd, call->lParam);
            Reply(reinterpret_cast<HWND>(call->wParam), "done\n");
        } else if (call->message == probeMessage) {
            Reply(reinterpret_cast<HWND>(call->wParam), DescribeMenu(call->hwnd));
        } else if (call->message == usageMessage) {
            Reply(reinterpret_cast<HWND>(call->wParam), DescribeUsage());
        } else if (call->message == filesMessage) {
            Reply(reinterpret_cast<HWND>(call->wParam), DescribeOpenFiles());
        } else if (call->message == listViewMessage) {
            Reply(reinterpret_cast<HWND>(call->wParam), DescribeListView(reinterpret_cast<HWND>(call->lParam)));
        } else if (call->message == focusMessage) {
            Reply(reinterpret_cast<HWND>(call->wParam), DescribeMenuFocus(call->hwnd));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK KanozeProbeQueueHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT syncMessage = RegisterWindowMessageA(kProbeSyncMessage);
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == syncMessage) {
        Reply(reinterpret_cast<HWND>(message->wParam), "synced");
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
