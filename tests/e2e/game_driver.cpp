// Starting kanoze.exe from a test and seeing it end: program directories,
// processes, and the files a test reads and writes.
#include "game_driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>

std::wstring ModuleDirectory() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path);
    return directory.substr(0, directory.find_last_of(L'\\') + 1);
}

std::wstring Environment(const wchar_t* name) {
    wchar_t value[1024];
    const DWORD n = GetEnvironmentVariableW(name, value, 1024);
    return (n > 0 && n < 1024) ? std::wstring(value) : std::wstring();
}

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

void RemoveTree(const std::wstring& directory) {
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

std::wstring MakeProgramDirectory(const std::wstring& name) {
    const std::wstring directory = WorkDirectory() + name + L"\\";
    RemoveTree(directory);
    CreateDirectoryW(directory.c_str(), nullptr);
    CopyFileW(GameExecutable().c_str(), (directory + L"kanoze.exe").c_str(), FALSE);
    return directory;
}

std::wstring MakeTestDirectory() {
    const char* name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return MakeProgramDirectory(std::wstring(name, name + std::strlen(name)));
}

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowA(className, title)) != nullptr; }, timeoutMs);
    return window;
}

Game::~Game() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (queueHook_) UnhookWindowsHookEx(queueHook_);
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool Game::Start(const std::wstring& exe, const std::wstring& currentDirectory, const std::wstring& unixLocale,
                 WORD show) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (show != SW_SHOWDEFAULT) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = show;
    }
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
    HWND window = nullptr;
    DWORD owner = 0;
    WaitUntil([&] {
        window = FindWindowA("kanoze", "Kanoze");
        owner = 0;
        if (window) GetWindowThreadProcessId(window, &owner);
        // Started through env, the game is a Windows process of its own,
        // not the Unix one started here.
        if (window && IsWindowVisible(window) && (owner == process_.dwProcessId || !direct)) return true;
        window = nullptr;
        return direct && WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
    }, 20000);
    if (!window) return false;
    if (!direct) {
        // The game's own handle takes the place of the Unix one, which tells nothing of it.
        HANDLE game = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, owner);
        if (!game) return false;
        CloseHandle(process_.hProcess);
        process_.hProcess = game;
        process_.dwProcessId = owner;
    }
    window_ = window;
    return true;
}

DWORD Game::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

HANDLE StartProcess(const std::wstring& exe, const std::wstring& currentDirectory) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.c_str(), &startup, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

DWORD RunToExit(const std::wstring& exe, const std::wstring& currentDirectory, DWORD timeoutMs) {
    HANDLE process = StartProcess(exe, currentDirectory);
    if (!process) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process, &code);
    } else {
        TerminateProcess(process, 1);
    }
    CloseHandle(process);
    return code;
}

bool OverrideDll(const wchar_t* exe, const wchar_t* dll, const wchar_t* order) {
    const std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + exe + L"\\DllOverrides";
    HKEY overrides = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &overrides,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG result = RegSetValueExW(overrides, dll, 0, REG_SZ, reinterpret_cast<const BYTE*>(order),
                                       static_cast<DWORD>((wcslen(order) + 1) * sizeof(wchar_t)));
    RegCloseKey(overrides);
    return result == ERROR_SUCCESS;
}

HANDLE HoldFile(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
    // Shared with every kind of access: a test that watches a list file must
    // not stand in the way of the game replacing it.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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

std::string FileNow(const std::wstring& path) {
    std::string bytes;
    return ReadFileBytes(path, bytes) ? bytes : "(missing)";
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
