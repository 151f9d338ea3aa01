// Starts kanoze.exe in a directory of its own and drives it with real input,
// reading back what a player sees: windows, menu texts and states, files.
// Game's members are defined by job: the process here (game_driver.cpp),
// the probe in probe_client.cpp, input in input_driver.cpp, the screen in
// screen_driver.cpp.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "input_driver.h"
#include "probe_protocol.h"
#include "res/resource.h"
#include "screen_driver.h"
#include "text.h"

// How long the game may take to end once asked to, list files written.
constexpr DWORD kExitTimeoutMs = 30000;

constexpr UINT kGrayed = MF_GRAYED | MF_DISABLED;

// Where the File menu's commands sit in it (bar item 0).
constexpr int kFileOpenItem = 0;
constexpr int kFileHighScoreItem = 1;
constexpr int kFileBestTimesItem = 2;
constexpr int kFileCloseItem = 3;

struct MenuEntry {
    std::string kind;  // kMenuBar or kMenuItem
    int barPosition = -1;
    int itemPosition = -1;
    UINT id = 0;
    UINT state = 0;  // MF_GRAYED | MF_DISABLED bits
    RECT rect = {};  // screen rectangle, bar items only
    std::string text;  // UTF-8
};

// The folder of the test program, with its final backslash.
std::wstring ModuleDirectory();

// Deletes `directory` (with its final backslash) and all it holds, read-only
// files too.
void RemoveTree(const std::wstring& directory);

// A fresh program directory named `name` under the work folder, holding a copy
// of kanoze.exe. Returns the directory with its final backslash.
std::wstring MakeProgramDirectory(const std::wstring& name);
// The same, named after the running test.
std::wstring MakeTestDirectory();

std::wstring WorkDirectory();

// A variable of the test's environment, empty when it is not set.
std::wstring Environment(const wchar_t* name);

// What the game process holds, as the probe hook counts it from inside.
struct Usage {
    std::map<std::string, std::string> fields;

    long Number(const char* name) const;
    // GetGuiResources where it counts (Windows); the probe's own counts where
    // it answers 0 (Wine).
    long Gdi() const { return Number(kUsageGuiGdi) > 0 ? Number(kUsageGuiGdi) : Number(kUsageGdiSlots); }
    long User() const { return Number(kUsageGuiUser) > 0 ? Number(kUsageGuiUser) : Number(kUsageUserObjects); }
    long PrivateKb() const { return Number(kUsagePrivateKb); }
    std::string Describe() const;
};

class Game {
  public:
    ~Game();
    // Starts `exe` with `currentDirectory` and waits for its window. With a
    // `unixLocale` (Wine only, through the loader whose Unix path KANOZE_WINE
    // holds) the game runs in that locale, and so in its code page, not the
    // test's. `show` is how a shortcut asks the window to open (SW_SHOWMINNOACTIVE
    // for "Minimized"); by default as Explorer starts it.
    bool Start(const std::wstring& exe, const std::wstring& currentDirectory, const std::wstring& unixLocale = L"",
               WORD show = SW_SHOWDEFAULT);
    HWND window() const { return window_; }
    HANDLE process() const { return process_.hProcess; }

    // Sends the registered message `name` (with `lParam`) to the observer hook
    // in the game's thread and returns its text reply (empty when it did not
    // answer).
    std::string Probe(const char* name, LPARAM lParam = 0);
    // The same reply read as "name<TAB>value" lines.
    std::map<std::string, std::string> ProbeFields(const char* name, LPARAM lParam = 0);
    // Drops `paths` on `target` (the game window or one of its dialogs) as
    // Explorer does: WM_DROPFILES with the paths, built in the game process.
    bool DropFiles(HWND target, const std::vector<std::wstring>& paths);
    // Waits until the game's thread has taken every message posted to its
    // window before now (a menu command, for one); false on time-out.
    bool Sync(DWORD timeoutMs = 10000);

    // The game's GDI and USER objects and private memory, from the probe
    // hook; false when it did not answer.
    bool ReadUsage(Usage& usage);

    std::vector<MenuEntry> ReadMenu();
    const MenuEntry* FindCommand(const std::vector<MenuEntry>& menu, UINT id);
    // One sign per command: + when enabled, - when grayed, ? when missing.
    std::string CommandStates(std::initializer_list<UINT> ids);

    // Chooses entry `itemPosition` of bar item `barPosition` from the
    // keyboard (F10, Right, Down, Enter); -1 chooses a command on the bar
    // itself. With a `subItemPosition` the entry is a submenu, opened with
    // Right, and that entry of it is chosen.
    bool ChooseMenuItem(int barPosition, int itemPosition, int subItemPosition = -1);
    // Alt+F4 to the game's window, or to `target` (one of its dialogs).
    void PressAltF4(HWND target = nullptr);
    // Makes the game's window the foreground window, where keys go; false
    // when it does not become so.
    bool BringToFront();
    // A real click on the minimise box of the caption: the window goes down,
    // and on the minimised caption the same box brings it back. True once the
    // window has changed.
    bool ClickMinimiseBox();
    // A real click on the close box of the caption, or on the caption itself.
    void ClickCloseBox();
    void ClickCaption();
    // A real key press and release.
    void PressKey(WORD key);
    // A real click in the middle of a window of any process.
    void ClickWindow(HWND target);

    // Screen position of a client point of the game window.
    POINT ClientToScreenPoint(int x, int y);
    // A real left (or right) click at a client point.
    void ClickClient(int x, int y, bool right = false);
    // What the client area shows from its origin over width x height.
    Screenshot CaptureClient(int width, int height);

    // Waits for the process to end; its exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(DWORD timeoutMs = kExitTimeoutMs);

  private:
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
    HHOOK HookProbe(int kind, const char* name);

    HHOOK hook_ = nullptr;
    HHOOK queueHook_ = nullptr;
};

// Runs `exe` with `currentDirectory` to its end; its exit code, or
// STILL_ACTIVE when it did not end within `timeoutMs`.
DWORD RunToExit(const std::wstring& exe, const std::wstring& currentDirectory, DWORD timeoutMs = kExitTimeoutMs);

// Starts `exe` with `currentDirectory` and waits for nothing; its process
// handle (the caller closes it), or null.
HANDLE StartProcess(const std::wstring& exe, const std::wstring& currentDirectory);

// Wine's per-program setting of where the program named `exe` takes the DLL
// `dll` from: "native,builtin" a file first, "" none at all.
bool OverrideDll(const wchar_t* exe, const wchar_t* dll, const wchar_t* order);

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs);

bool ReadFileBytes(const std::wstring& path, std::string& bytes);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
// A file's bytes as they are now, "(missing)" when it cannot be read.
std::string FileNow(const std::wstring& path);
// Opens a file as another program may hold it: read and write, shared with
// no one. INVALID_HANDLE_VALUE when it cannot.
HANDLE HoldFile(const std::wstring& path);

// Polls `condition` every `periodMs` until it holds or `timeoutMs` passes.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 10000, DWORD periodMs = 20) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(periodMs);
    }
}
