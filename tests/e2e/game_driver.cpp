// Starting and driving kanoze.exe from a test: processes, the menu observer, real input.
#include "game_driver.h"

#include <wincodec.h>

#include <cstdio>
#include <cstdlib>

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

HWND ProbeWindow() {
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

std::wstring ModuleDirectory() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path);
    return directory.substr(0, directory.find_last_of(L'\\') + 1);
}

void SendKey(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void TapKey(WORD key) {
    SendKey(key, false);
    SendKey(key, true);
    Sleep(50);
}

// Under Wine the display may answer a pointer move late with the position it
// had before: the pointer counts as arrived once it has stayed put a while.
void MovePointerTo(const INPUT& move, int x, int y) {
    int steady = 0;
    for (int i = 0; i < 200 && steady < 4; ++i) {
        POINT cursor;
        if (GetCursorPos(&cursor) && cursor.x == x && cursor.y == y) {
            ++steady;
        } else {
            steady = 0;
            INPUT again = move;
            SendInput(1, &again, sizeof(INPUT));
        }
        Sleep(15);
    }
}

void ClickAt(int x, int y, bool right = false) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input[3] = {};
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dx = (x * 65535 + width / 2) / (width - 1);
        i.mi.dy = (y * 65535 + height / 2) / (height - 1);
    }
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = (right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN) | MOUSEEVENTF_ABSOLUTE;
    input[2].mi.dwFlags = (right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP) | MOUSEEVENTF_ABSOLUTE;
    // The pointer must have arrived before the button goes down, or the
    // click lands where the pointer was.
    MovePointerTo(input[0], x, y);
    SendInput(2, &input[1], sizeof(INPUT));
    Sleep(30);
}

}  // namespace

std::wstring WorkDirectory() {
    std::wstring work = Environment(L"KANOZE_E2E_WORK");
    if (work.empty()) work = ModuleDirectory() + L"work\\";
    if (work.back() != L'\\') work += L'\\';
    CreateDirectoryW(work.c_str(), nullptr);
    return work;
}

static std::wstring GameExecutable() {
    std::wstring exe = Environment(L"KANOZE_EXE");
    return exe.empty() ? ModuleDirectory() + L"..\\..\\kanoze.exe" : exe;
}

static void RemoveTree(const std::wstring& directory) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((directory + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = directory + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + L"\\");
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(directory.c_str());
}

std::wstring Environment(const wchar_t* name) {
    wchar_t value[1024];
    const DWORD n = GetEnvironmentVariableW(name, value, 1024);
    return (n > 0 && n < 1024) ? std::wstring(value) : std::wstring();
}

std::wstring MakeProgramDirectory(const std::wstring& name) {
    const std::wstring directory = WorkDirectory() + name + L"\\";
    RemoveTree(directory);
    CreateDirectoryW(directory.c_str(), nullptr);
    CopyFileW(GameExecutable().c_str(), (directory + L"kanoze.exe").c_str(), FALSE);
    return directory;
}

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowA(className, title);
        if (window || GetTickCount() - start > timeoutMs) return window;
        Sleep(50);
    }
}

Game::~Game() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool Game::Start(const std::wstring& exe, const std::wstring& currentDirectory, const std::wstring& unixLocale) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exe + L"\"";
    const bool direct = unixLocale.empty();
    if (!direct) {
        // A Windows program's locale comes from the Unix environment its Wine
        // process started in; Wine runs Unix programs too, so env sets it.
        const std::wstring wine = Environment(L"KANOZE_WINE");
        if (wine.empty()) return false;
        commandLine = L"Z:\\usr\\bin\\env LC_ALL=" + unixLocale + L" LANG=" + unixLocale + L" \"" + wine + L"\" " +
                      commandLine;
    }
    if (!CreateProcessW(direct ? exe.c_str() : nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.c_str(), &startup, &process_)) {
        return false;
    }
    WaitForInputIdle(process_.hProcess, 20000);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 20000) {
        HWND window = FindWindowA("kanoze", "Kanoze");
        DWORD owner = 0;
        if (window) GetWindowThreadProcessId(window, &owner);
        if (window && owner == process_.dwProcessId && IsWindowVisible(window)) {
            window_ = window;
            return true;
        }
        // Started through env, the game is a Windows process of its own: its
        // handle takes the place of the Unix one, which tells nothing of it.
        if (window && !direct && IsWindowVisible(window)) {
            HANDLE game = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, owner);
            if (!game) return false;
            CloseHandle(process_.hProcess);
            process_.hProcess = game;
            process_.dwProcessId = owner;
            window_ = window;
            return true;
        }
        if (direct && WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) return false;
        if (!direct) Sleep(50);
    }
    return false;
}

std::string Game::Probe(const char* name) {
    if (!hook_) {
        HMODULE probe = LoadLibraryW((ModuleDirectory() + L"kanoze_probe.dll").c_str());
        HOOKPROC procedure = probe ? reinterpret_cast<HOOKPROC>(
                                         reinterpret_cast<void*>(GetProcAddress(probe, "KanozeProbeHook")))
                                   : nullptr;
        if (!procedure) return std::string();
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, procedure, probe,
                                  GetWindowThreadProcessId(window_, nullptr));
        if (!hook_) return std::string();
    }
    g_reply.clear();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window_, RegisterWindowMessageA(name), reinterpret_cast<WPARAM>(ProbeWindow()), 0,
                        SMTO_NORMAL, 10000, &result);
    return g_reply;
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
                  Gdi(), User(), Number("windows"), Number("menus"), Number("icons"), Number("accelerators"),
                  Number("gr_gdi"), Number("gr_user"), PrivateKb(),
                  fields.count("fresh_gdi_slots") ? fields.at("fresh_gdi_slots").c_str() : "?");
    return text;
}

bool Game::ReadUsage(Usage& usage) {
    const std::string reply = Probe("Kanoze.ProbeGdi");
    if (reply.empty()) return false;
    usage.fields.clear();
    for (const std::string& line : SplitLines(reply)) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos) usage.fields[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return usage.Gdi() > 0 && usage.User() >= 0;
}

std::vector<MenuEntry> Game::ReadMenu() {
    std::vector<MenuEntry> entries;
    for (const std::string& line : SplitLines(Probe("Kanoze.Probe"))) {
        MenuEntry entry;
        char kind[8] = {};
        int offset = 0;
        if (std::sscanf(line.c_str(), "%7[a-z]\t%d\t%d\t%u\t%u\t%ld,%ld,%ld,%ld\t%n", kind,
                        &entry.barPosition, &entry.itemPosition, &entry.id, &entry.state,
                        &entry.rect.left, &entry.rect.top, &entry.rect.right, &entry.rect.bottom,
                        &offset) < 9) {
            continue;
        }
        entry.kind = kind;
        entry.text = line.substr(offset);
        entries.push_back(entry);
    }
    return entries;
}

const MenuEntry* Game::FindCommand(const std::vector<MenuEntry>& menu, UINT id) {
    for (const MenuEntry& entry : menu) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}

static HWND VisiblePopupMenu() {
    HWND popup = nullptr;
    while ((popup = FindWindowExA(nullptr, popup, "#32768", nullptr)) != nullptr) {
        if (IsWindowVisible(popup)) return popup;
    }
    return nullptr;
}

bool Game::ChooseMenuItem(int barPosition, int itemPosition) {
    // From the keyboard: under Wine the first click on the menu bar after the
    // window has changed size is often lost, and every new picture resizes it.
    WaitUntil([] { return VisiblePopupMenu() == nullptr; });
    SetForegroundWindow(window_);
    if (!WaitUntil([&] { return GetForegroundWindow() == window_; })) return false;
    TapKey(VK_F10);  // F10 takes the bar, Right walks it
    for (int i = 0; i < barPosition; ++i) TapKey(VK_RIGHT);
    if (itemPosition < 0) {
        TapKey(VK_RETURN);  // a command on the bar itself
        return true;
    }
    TapKey(VK_DOWN);  // opens the entries on the first one
    if (!WaitUntil([] { return VisiblePopupMenu() != nullptr; })) return false;
    for (int i = 0; i < itemPosition; ++i) TapKey(VK_DOWN);
    TapKey(VK_RETURN);
    return WaitUntil([] { return VisiblePopupMenu() == nullptr; });
}

void Game::PressAltF4(HWND target) {
    SetForegroundWindow(target ? target : window_);
    SendKey(VK_MENU, false);
    SendKey(VK_F4, false);
    SendKey(VK_F4, true);
    SendKey(VK_MENU, true);
}

DWORD Game::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

DWORD RunToExit(const std::wstring& exe, const std::wstring& currentDirectory, DWORD timeoutMs) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.c_str(), &startup, &process)) {
        return STILL_ACTIVE;
    }
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
}

HANDLE HoldFile(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return true;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD wrote = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) &&
                    wrote == bytes.size();
    CloseHandle(file);
    return ok;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Cp932(const std::string& utf8) {
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring text(wide, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &text[0], wide);
    const int n = WideCharToMultiByte(932, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(932, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    out.resize(n > 0 ? n - 1 : 0);
    return out;
}

COLORREF PositionColour(int x, int y) {
    return RGB(x & 0xFF, y & 0xFF, 0xA0 | ((x >> 8) & 3) << 2 | ((y >> 8) & 3));
}

int PieceAtCellCentre(COLORREF colour, int pictureWidth, int pictureHeight, int columns, int rows) {
    const int x = ((GetBValue(colour) >> 2) & 3) << 8 | GetRValue(colour);
    const int y = (GetBValue(colour) & 3) << 8 | GetGValue(colour);
    const int cellWidth = pictureWidth / columns, cellHeight = pictureHeight / rows;
    if (colour != PositionColour(x, y) || x >= cellWidth * columns || y >= cellHeight * rows) return -1;
    if (x % cellWidth != cellWidth / 2 || y % cellHeight != cellHeight / 2) return -1;
    return (y / cellHeight) * columns + x / cellWidth;
}

bool WritePositionBmp(const std::wstring& path, int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    std::string row(static_cast<size_t>(stride), '\0');
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = PositionColour(x, y);
            row[x * 3 + 0] = static_cast<char>(GetBValue(c));
            row[x * 3 + 1] = static_cast<char>(GetGValue(c));
            row[x * 3 + 2] = static_cast<char>(GetRValue(c));
        }
        bytes += row;
    }
    return WriteFileBytes(path, bytes);
}

std::string AnsiPath(const std::wstring& path) {
    const int n = WideCharToMultiByte(932, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(932, 0, path.c_str(), -1, &out[0], n, nullptr, nullptr);
    out.resize(n > 0 ? n - 1 : 0);
    return out;
}

POINT Game::ClientToScreenPoint(int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window_, &point);
    return point;
}

void Game::ClickClient(int x, int y, bool right) {
    const POINT point = ClientToScreenPoint(x, y);
    ClickAt(point.x, point.y, right);
}

SIZE ClientSize(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

Screenshot DecodePicture(const std::wstring& path) {
    Screenshot picture;
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT width = 0, height = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                                        0.0, WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->GetSize(&width, &height))) {
        std::vector<BYTE> bgrx(static_cast<size_t>(width) * height * 4);
        if (SUCCEEDED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(bgrx.size()), bgrx.data()))) {
            picture.width = static_cast<int>(width);
            picture.height = static_cast<int>(height);
            for (size_t i = 0; i < bgrx.size(); i += 4) picture.pixels.push_back(RGB(bgrx[i + 2], bgrx[i + 1], bgrx[i]));
        }
    }
    for (IUnknown* object : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame),
                             static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(factory)}) {
        if (object) object->Release();
    }
    return picture;
}

Screenshot CaptureScreen(const RECT& area) {
    Screenshot shot;
    shot.width = area.right - area.left;
    shot.height = area.bottom - area.top;
    if (shot.width <= 0 || shot.height <= 0) return shot;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const DWORD* row = static_cast<const DWORD*>(bits);
    shot.pixels.resize(static_cast<size_t>(shot.width) * shot.height);
    for (size_t i = 0; i < shot.pixels.size(); ++i) {
        const DWORD bgr = row[i];
        shot.pixels[i] = RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

int Screenshot::Count(COLORREF colour, RECT* bounds) const {
    int count = 0;
    RECT box = {width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (At(x, y) != colour) continue;
            ++count;
            box.left = x < box.left ? x : box.left;
            box.top = y < box.top ? y : box.top;
            box.right = x + 1 > box.right ? x + 1 : box.right;
            box.bottom = y + 1 > box.bottom ? y + 1 : box.bottom;
        }
    }
    if (bounds) *bounds = count ? box : RECT{0, 0, 0, 0};
    return count;
}

bool SaveScreenBmp(const std::wstring& path, const RECT& area) {
    const Screenshot shot = CaptureScreen(area);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = shot.width;
    header.biHeight = -shot.height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(shot.pixels.size() * 4);
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    for (const COLORREF colour : shot.pixels) {
        const DWORD bgr = RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour));
        bytes.append(reinterpret_cast<const char*>(&bgr), 4);
    }
    return WriteFileBytes(path, bytes);
}

Screenshot Game::CaptureClient(int width, int height) {
    const POINT origin = ClientToScreenPoint(0, 0);
    return CaptureScreen({origin.x, origin.y, origin.x + width, origin.y + height});
}

void ClickScreen(int x, int y) { ClickAt(x, y); }

void TypeText(const std::wstring& text) {
    for (const wchar_t c : text) {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wScan = input[1].ki.wScan = c;
        input[0].ki.dwFlags = KEYEVENTF_UNICODE;
        input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
        Sleep(5);
    }
}

HWND WaitForDialog(const wchar_t* title, DWORD timeoutMs) {
    HWND dialog = nullptr;
    WaitUntil([&] {
        dialog = FindWindowW(L"#32770", title);
        return dialog && IsWindowVisible(dialog);
    }, timeoutMs);
    return dialog;
}

bool WaitUntilClosed(HWND dialog, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeoutMs);
}

// The file dialog takes typing once its name field has the focus.
static bool NameFieldFocused(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) || !info.hwndFocus) return false;
    wchar_t name[16] = {};
    GetClassNameW(info.hwndFocus, name, 16);
    return IsChild(dialog, info.hwndFocus) && lstrcmpiW(name, L"Edit") == 0;
}

bool AnswerFileDialog(const wchar_t* title, const std::wstring& path) {
    HWND dialog = WaitForDialog(title);
    if (!dialog || !WaitUntil([&] { return NameFieldFocused(dialog); })) return false;
    if (path.empty()) {
        TapKey(VK_ESCAPE);
    } else {
        TypeText(path);
        TapKey(VK_RETURN);
    }
    return WaitUntilClosed(dialog);
}

std::wstring ControlText(HWND control) {
    wchar_t text[1024] = {};
    SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring FileTypeShown(HWND fileDialog) {
    // cmb1 of <dlgs.h>: the file type box of the explorer-style dialog.
    return fileDialog ? ControlText(GetDlgItem(fileDialog, 0x470)) : std::wstring();
}

void Game::PressKey(WORD key) { TapKey(key); }

void Game::ClickWindow(HWND target) {
    RECT r;
    GetWindowRect(target, &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}
