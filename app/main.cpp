// Entry point, start-up and shutdown of the program.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "app/app.h"
#include "app/first_start.h"
#include "app/game_state.h"
#include "display/presenter.h"
#include "music/music.h"
#include "pictures/image_list.h"
#include "pictures/load_picture.h"
#include "pictures/surface_factory.h"
#include "res/resource.h"
#include "res/texts.h"
#include "storage/list_file_win.h"

GameState g_state;

namespace {

const wchar_t kClassName[] = L"kanoze";
const wchar_t kWindowTitle[] = L"Kanoze";
const char kDemoFolder[] = "demo\\";
// Held for the life of the process so that two copies started at the same
// moment cannot both get past the check for a running window.
const char kInstanceMutex[] = "Kanoze.SingleInstance";

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 524;
constexpr int kViewWidth = 640;
constexpr int kViewHeight = 480;

// The window's dots per inch: its monitor's from Windows 10 1607 on, the
// system's before.
UINT WindowDpi(HWND window) {
    using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow) return getDpiForWindow(window);
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    if (screen) ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

// The file names in the demo folder beside the program.
std::vector<std::string> DemoFolderNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

}  // namespace

int InitGameState(HWND window) {
    g_state.board.columns = 4;
    g_state.board.rows = 4;
    g_state.board.easyMode = false;
    StopPlay(g_state.play);
    g_state.roll.scoreRollActive = false;
    g_state.pictures.imageList.clear();
    g_state.pictures.imageCursor = 0;
    g_state.pictures.singleFileMode = false;
    ResetClearState(g_state.play, g_state.clear);
    ResetHighScores(g_state.highScores);

    // Both lists come from the program's directory, where every save goes.
    const ListFilesFound found = LoadListFiles(g_state.listFiles, g_state.pictures.imageList,
                                               g_state.music.player.soundList, g_state.highScores);
    // A first start from an unpacked zip: no kanoze.txt yet, so the demo
    // pictures (and tunes, not started) make a game ready to play. The next
    // exit writes them into kanoze.txt like any list.
    if (found.images == ListFileRead::Missing) {
        const std::string folder = GetProgramDirectory() + kDemoFolder;
        DemoLists demo = FirstStartLists(true, found.sounds == ListFileRead::Missing, folder,
                                         DemoFolderNames(folder));
        if (!demo.pictures.empty()) g_state.pictures.imageList = std::move(demo.pictures);
        if (!demo.sounds.empty()) g_state.music.player.soundList = std::move(demo.sounds);
    }

    ShowPictureChange(window, LoadFirstListedPicture(window, g_state.pictures, g_state.screen));
    // Without a card back no board can be drawn: start-up ends.
    Screen& screen = g_state.screen;
    screen.cardBackSource = LoadBitmapA(g_state.instance, MAKEINTRESOURCEA(IDB_CARD_BACK));
    BITMAP cardBack = {};
    if (!screen.cardBackSource || !GetObjectA(screen.cardBackSource, sizeof cardBack, &cardBack)) return 0;
    screen.cardBackSourceWidth = cardBack.bmWidth;
    screen.cardBackSourceHeight = cardBack.bmHeight;
    return 1;
}

int InitApplication(HINSTANCE instance, int showCommand) {
    g_state.instance = instance;
    // The difficulty dialog's up-down arrows: without them the board size
    // could not be set, so the program does not start.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
    if (!InitCommonControlsEx(&controls)) return 0;

    WNDCLASSW windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNCLIENT;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_MAIN));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassW(&windowClass)) return 0;

    // The menu in the player's language; the window frees it.
    g_state.mainWindow = CreateWindowExW(0, kClassName, kWindowTitle, WS_CAPTION | WS_SYSMENU,
                                         CW_USEDEFAULT, CW_USEDEFAULT, kWindowWidth, kWindowHeight,
                                         nullptr, LoadTextMenu(IDR_MAIN_MENU), instance, nullptr);
    if (!g_state.mainWindow) return 0;
    // On a scaled screen the frame and menu take more pixels: the window
    // grows so that the play area keeps its pixels.
    if (WindowDpi(g_state.mainWindow) != USER_DEFAULT_SCREEN_DPI) {
        FitWindowToView(g_state.mainWindow, kViewWidth, kViewHeight);
    }
    // Pictures and sounds dropped from Explorer (WM_DROPFILES).
    DragAcceptFiles(g_state.mainWindow, TRUE);
    ShowWindow(g_state.mainWindow, showCommand);
    UpdateWindow(g_state.mainWindow);

    Screen& screen = g_state.screen;
    if (!InitDirectDraw(screen.presenter, g_state.mainWindow, screen.viewWidth, screen.viewHeight)) return 0;
    if (FAILED(CreateSurfaceFactory(g_state.pictures.surfaceFactory))) return 0;
    if (!InitGameState(g_state.mainWindow)) return 0;
    RECT view = {0, 0, g_state.screen.viewWidth, g_state.screen.viewHeight};
    InvalidateRect(g_state.mainWindow, &view, TRUE);
    return 1;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    HANDLE instanceMutex = CreateMutexA(nullptr, FALSE, kInstanceMutex);
    if (GetLastError() == ERROR_ALREADY_EXISTS || FindWindowW(kClassName, kWindowTitle)) {
        if (instanceMutex) CloseHandle(instanceMutex);
        return 0;
    }
    // Every picture decoder and the filter graph live in this apartment.
    if (FAILED(CoInitialize(nullptr))) return 0;
    if (!InitApplication(instance, showCommand)) return 0;
    ShowWindow(g_state.mainWindow, showCommand);
    UpdateWindow(g_state.mainWindow);
    // The filter graph is built once the first picture is on the screen, so
    // that it does not hold the picture back; nothing plays before the
    // player chooses Sound > Start anyway. Without one the game goes on in
    // silence.
    ShowSoundMenu(g_state.mainWindow, OpenMusicPlayer(g_state.music, g_state.mainWindow));

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    CloseHandle(instanceMutex);
    return static_cast<int>(message.wParam);
}
