// Starts kanoze.exe in a directory of its own and drives it with real input,
// reading back what a player sees: windows, menu texts and states, files.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct MenuEntry {
    std::string kind;  // "bar" or "item"
    int barPosition = -1;
    int itemPosition = -1;
    UINT id = 0;
    UINT state = 0;  // MF_GRAYED | MF_DISABLED bits
    RECT rect = {};  // screen rectangle, bar items only
    std::string text;  // UTF-8
};

// A fresh program directory named `name` under the work folder, holding a copy
// of kanoze.exe. Returns the directory with its final backslash.
std::wstring MakeProgramDirectory(const std::wstring& name);

std::wstring WorkDirectory();

// A variable of the test's environment, empty when it is not set.
std::wstring Environment(const wchar_t* name);

// What the screen showed inside an area at one moment.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // row by row from the top

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // How many pixels show `colour`, and the smallest rectangle holding them
    // (empty when none does).
    int Count(COLORREF colour, RECT* bounds = nullptr) const;
};

// What the game process holds, as the probe hook counts it from inside.
struct Usage {
    std::map<std::string, std::string> fields;

    long Number(const char* name) const;
    // GetGuiResources where it counts (Windows); the probe's own counts where
    // it answers 0 (Wine).
    long Gdi() const { return Number("gr_gdi") > 0 ? Number("gr_gdi") : Number("gdi_slots"); }
    long User() const { return Number("gr_user") > 0 ? Number("gr_user") : Number("user_objects"); }
    long PrivateKb() const { return Number("private_kb"); }
    std::string Describe() const;
};

class Game {
  public:
    ~Game();
    // Starts `exe` with `currentDirectory` and waits for its window. With a
    // `unixLocale` (Wine only, through the loader whose Unix path KANOZE_WINE
    // holds) the game runs in that locale, and so in its code page, not the
    // test's.
    bool Start(const std::wstring& exe, const std::wstring& currentDirectory, const std::wstring& unixLocale = L"");
    HWND window() const { return window_; }
    HANDLE process() const { return process_.hProcess; }

    // Sends the registered message `name` to the observer hook in the game's
    // thread and returns its text reply (empty when it did not answer).
    std::string Probe(const char* name);

    // The game's GDI and USER objects and private memory, from the probe
    // hook; false when it did not answer.
    bool ReadUsage(Usage& usage);

    std::vector<MenuEntry> ReadMenu();
    const MenuEntry* FindCommand(const std::vector<MenuEntry>& menu, UINT id);

    // Chooses entry `itemPosition` of bar item `barPosition` from the
    // keyboard (F10, Right, Down, Enter); -1 chooses a command on the bar itself.
    bool ChooseMenuItem(int barPosition, int itemPosition);
    // Alt+F4 to the game's window, or to `target` (one of its dialogs).
    void PressAltF4(HWND target = nullptr);
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
    DWORD WaitForExit(DWORD timeoutMs);

  private:
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
    HHOOK hook_ = nullptr;
};

// Runs `exe` with `currentDirectory` to its end; its exit code, or
// STILL_ACTIVE when it did not end within `timeoutMs`.
DWORD RunToExit(const std::wstring& exe, const std::wstring& currentDirectory, DWORD timeoutMs);

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs);

bool ReadFileBytes(const std::wstring& path, std::string& bytes);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
// Opens a file as another program may hold it: read and write, shared with
// no one. INVALID_HANDLE_VALUE when it cannot.
HANDLE HoldFile(const std::wstring& path);

// The size of a window's client area: the play area a picture was fitted to.
SIZE ClientSize(HWND window);

// What the screen shows at (x, y), read back from the display.
COLORREF ScreenPixel(int x, int y);

// Saves what the screen shows inside `area` as a 24-bit bmp.
bool SaveScreenBmp(const std::wstring& path, const RECT& area);

Screenshot CaptureScreen(const RECT& area);

// A picture file's pixels as the imaging component decodes them (COM must be
// initialised); empty when it cannot be decoded.
Screenshot DecodePicture(const std::wstring& path);

// A real click at a screen point.
void ClickScreen(int x, int y);

// Real key presses that type `text` into the window with the focus.
void TypeText(const std::wstring& text);

// A visible dialog of any process titled `title`, or null after the time-out.
HWND WaitForDialog(const wchar_t* title, DWORD timeoutMs = 10000);
bool WaitUntilClosed(HWND dialog, DWORD timeoutMs = 10000);

// Answers a file-open dialog titled `title` from the keyboard: types `path`
// and Enter, or Escape when it is empty. True once the dialog has closed.
bool AnswerFileDialog(const wchar_t* title, const std::wstring& path);

// The text of a control of any process, asked with WM_GETTEXT.
std::wstring ControlText(HWND control);

// The file type a file-open dialog offers, as its type box shows it.
std::wstring FileTypeShown(HWND fileDialog);

// Polls `condition` every 20 ms until it holds or `timeoutMs` passes.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 10000) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
}

// The lines of a text, without their LF.
std::vector<std::string> SplitLines(const std::string& text);

// Code page 932 bytes of a UTF-8 text, as the game stores paths and names.
std::string Cp932(const std::string& utf8);

// The colour a test picture has at (x, y): every pixel of a picture up to
// 1024 x 1024 tells its own position.
COLORREF PositionColour(int x, int y);

// The piece whose centre a screen colour shows on a board of `columns` x
// `rows` cut from a PositionColour picture of the given size, or -1 (a card
// back, or any other pixel).
int PieceAtCellCentre(COLORREF colour, int pictureWidth, int pictureHeight, int columns, int rows);

// Writes a 24-bit bmp of width x height painted with PositionColour.
bool WritePositionBmp(const std::wstring& path, int width, int height);

// The code page 932 form of a wide path, as kanoze.txt holds it.
std::string AnsiPath(const std::wstring& path);
