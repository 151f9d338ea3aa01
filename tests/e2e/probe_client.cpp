// Asking the probe hook in the game's thread what the game holds and shows
// (its menu, its objects and memory, its awareness of the screen's scaling),
// and having it send the game what Windows sends: a drop, a change of
// scaling (probe_protocol.h).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game_driver.h"

namespace {

const wchar_t kProbeClass[] = L"KanozeTestProbe";
std::string g_reply;

LRESULT CALLBACK ProbeWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        g_reply.assign(static_cast<const char*>(data->lpData), data->cbData ? data->cbData - 1 : 0);
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The message-only window the replies come to.
HWND ReplyWindow() {
    static HWND window = nullptr;
    if (!window) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = ProbeWndProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kProbeClass;
        RegisterClassW(&windowClass);
        window = CreateWindowW(kProbeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
    }
    return window;
}

}  // namespace

// Hooks the probe's procedure `name` of kind `kind` into the game's thread.
HHOOK Game::HookProbe(int kind, const char* name) {
    HMODULE probe = LoadLibraryW((ModuleDirectory() + L"kanoze_probe.dll").c_str());
    HOOKPROC procedure =
        probe ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, name))) : nullptr;
    return procedure ? SetWindowsHookExW(kind, procedure, probe, GetWindowThreadProcessId(window_, nullptr)) : nullptr;
}

bool Game::Sync(DWORD timeoutMs) {
    if (!queueHook_ && !(queueHook_ = HookProbe(WH_GETMESSAGE, kProbeQueueHookName))) return false;
    g_reply.clear();
    // A window that went (the game was closed) has nothing left to take.
    if (!PostMessageW(window_, RegisterWindowMessageA(kProbeSyncMessage), reinterpret_cast<WPARAM>(ReplyWindow()), 0)) {
        return !IsWindow(window_);
    }
    // The reply is sent to this thread's window: take messages while waiting.
    return WaitUntil([&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        return !g_reply.empty() || !IsWindow(window_);
    }, timeoutMs, 10);
}

std::string Game::Probe(const char* name, LPARAM lParam) {
    if (!hook_ && !(hook_ = HookProbe(WH_CALLWNDPROC, kProbeHookName))) return std::string();
    g_reply.clear();
    // Taking a message first tells Windows this thread answers its queue.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window_, RegisterWindowMessageA(name), reinterpret_cast<WPARAM>(ReplyWindow()), lParam,
                        SMTO_NORMAL, 10000, &result);
    return g_reply;
}

std::map<std::string, std::string> Game::ProbeFields(const char* name, LPARAM lParam) {
    std::map<std::string, std::string> fields;
    for (const std::string& line : SplitLines(Probe(name, lParam))) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos) fields[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return fields;
}

bool Game::DropFiles(HWND target, const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    const DWORD bytes = static_cast<DWORD>(list.size() * sizeof(wchar_t));
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, bytes, kDropPathsMapping);
    void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, bytes) : nullptr;
    if (view) {
        std::memcpy(view, list.data(), bytes);
        UnmapViewOfFile(view);
    }
    // The mapping lives until the hook has read it and answered.
    const bool posted = view && Probe(kProbeDropMessage, reinterpret_cast<LPARAM>(target)) == "posted\n";
    if (mapping) CloseHandle(mapping);
    return posted;
}

long Usage::Number(const char* name) const {
    const auto found = fields.find(name);
    return found == fields.end() ? -1 : std::strtol(found->second.c_str(), nullptr, 10);
}

std::string Usage::Describe() const {
    char text[256];
    std::snprintf(text, sizeof text,
                  "GDI %ld, USER %ld (windows %ld, menus %ld, icons %ld, accelerators %ld), "
                  "GetGuiResources %ld/%ld, private %ld KB, fresh GDI slots %s",
                  Gdi(), User(), Number(kUsageWindows), Number(kUsageMenus), Number(kUsageIcons),
                  Number(kUsageAccelerators), Number(kUsageGuiGdi), Number(kUsageGuiUser), PrivateKb(),
                  fields.count(kUsageFreshGdiSlots) ? fields.at(kUsageFreshGdiSlots).c_str() : "?");
    return text;
}

bool Game::ReadUsage(Usage& usage) {
    usage.fields = ProbeFields(kProbeUsageMessage);
    return !usage.fields.empty() && usage.Gdi() > 0 && usage.User() >= 0;
}

std::vector<MenuEntry> Game::ReadMenu() {
    std::vector<MenuEntry> entries;
    for (const std::string& line : SplitLines(Probe(kProbeMenuMessage))) {
        MenuEntry entry;
        char kind[8] = {};
        int offset = 0;
        if (std::sscanf(line.c_str(), kMenuLineRead, kind, &entry.barPosition, &entry.itemPosition, &entry.id,
                        &entry.state, &entry.rect.left, &entry.rect.top, &entry.rect.right, &entry.rect.bottom,
                        &offset) < 9) {
            continue;
        }
        entry.kind = kind;
        entry.text = line.substr(offset);
        entries.push_back(entry);
    }
    return entries;
}

std::string Game::CommandStates(std::initializer_list<UINT> ids) {
    const std::vector<MenuEntry> menu = ReadMenu();
    std::string out;
    for (const UINT id : ids) {
        const MenuEntry* entry = FindCommand(menu, id);
        out += !entry ? "?" : (entry->state & kGrayed) ? "-" : "+";
    }
    return out;
}

const MenuEntry* Game::FindCommand(const std::vector<MenuEntry>& menu, UINT id) {
    for (const MenuEntry& entry : menu) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}
