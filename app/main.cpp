// Entry point, start-up and shutdown of the program.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "app/app.h"
#include "app/first_start.h"
#include "app/game_state.h"
#include "app/session.h"
#include "display/presenter.h"
#include "display/system_library.h"
#include "music/music.h"
#include "pictures/image_list.h"
#include "pictures/load_picture.h"
#include "pictures/picture_decoder.h"
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

// What start-up could not set up, told to the player before the program ends.
UINT StartFailureText(StartFailure failure) {
    switch (failure) {
    case StartFailure::Com:
        return IDS_NO_COM;
    case StartFailure::Controls:
        return IDS_NO_CONTROLS;
    case StartFailure::Window:
        return IDS_NO_WINDOW;
    case StartFailure::Screen:
        return IDS_NO_DIRECTDRAW;
    case StartFailure::Decoder:
        return IDS_NO_DECODER;
    case StartFailure::CardBack:
        return IDS_NO_CARD_BACK;
    case StartFailure::None:
        break;
    }
    return 0;
}

void ShowStartFailure(StartFailure failure) {
    if (g_state.mainWindow) ShowWindow(g_state.mainWindow, SW_HIDE);
    const std::wstring text = LoadText(IDS_START_FAILED) + L"\n\n" + LoadText(StartFailureText(failure));
    MessageBoxW(nullptr, text.c_str(), L"Kanoze", MB_OK | MB_ICONERROR);
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
    LoadSettings();

    // Both lists come from the program's directory, where every save goes.
    const ListFilesFound found = LoadListFiles(g_state.listFiles, g_state.pictures.imageList,
                                               SoundList(g_state.music), g_state.highScores);
    // Relative entries name files beside the program, wherever it was started from.
    const std::string programFolder = GetProgramDirectory();
    g_state.pictures.entryFolder = programFolder;
    // A first start from an unpacked zip: no kanoze.txt yet, so the demo
    // pictures (and tunes, not started) make a game ready to play. The next
    // exit writes them into kanoze.txt like any list, relative to the
    // program's folder, so that the folder can be moved.
    if (found.images == ListFileRead::Missing) {
        DemoLists demo = FirstStartLists(found, kDemoFolder, DemoFolderNames(programFolder + kDemoFolder));
        if (!demo.pictures.empty()) g_state.pictures.imageList = std::move(demo.pictures);
        if (!demo.sounds.empty()) SoundList(g_state.music) = std::move(demo.sounds);
    }

    // The game saved at the last close comes back in place of the first listed picture.
    std::optional<SavedGame> saved = TakeSavedGameAtStart();
    const PictureChange savedPicture = saved ? LoadSavedGamePicture(window, *saved) : PictureChange{};
    if (!savedPicture.loaded) saved.reset();
    ShowPictureChange(window, saved ? savedPicture : LoadFirstListedPicture(window, g_state.pictures, g_state.screen));
    // Without a card back no board can be drawn: start-up ends.
    if (!LoadCardBack(g_state.screen, g_state.instance)) return 0;
    if (saved) ResumeSavedGame(window, *saved);
    return 1;
}

StartFailure InitApplication(HINSTANCE instance, int showCommand) {
    g_state.instance = instance;
    // The difficulty dialog's up-down arrows: without them the board size
    // could not be set, so the program does not start.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
    const auto initControls = SystemFunction<decltype(&InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
    if (!initControls || !initControls(&controls)) return StartFailure::Controls;

    WNDCLASSW windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNCLIENT;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_MAIN));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassW(&windowClass)) return StartFailure::Window;

    // The menu in the player's language; the window frees it. A minimise box
    // to put a game away; the window is still never resized by hand.
    g_state.mainWindow = CreateWindowExW(0, kClassName, kWindowTitle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                         CW_USEDEFAULT, CW_USEDEFAULT, kWindowWidth, kWindowHeight,
                                         nullptr, LoadTextMenu(IDR_MAIN_MENU), instance, nullptr);
    if (!g_state.mainWindow) return StartFailure::Window;
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
    if (!InitDirectDraw(screen.presenter, g_state.mainWindow, screen.viewWidth, screen.viewHeight)) {
        return StartFailure::Screen;
    }
    g_state.pictures.wicFactory = CreateWicFactory();
    if (!g_state.pictures.wicFactory) return StartFailure::Decoder;
    if (!InitGameState(g_state.mainWindow)) return StartFailure::CardBack;
    RECT view = {0, 0, g_state.screen.viewWidth, g_state.screen.viewHeight};
    InvalidateRect(g_state.mainWindow, &view, TRUE);
    g_state.running = true;
    return StartFailure::None;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    LoadDllsFromSystemFolderOnly();
    HANDLE instanceMutex = CreateMutexA(nullptr, FALSE, kInstanceMutex);
    if (GetLastError() == ERROR_ALREADY_EXISTS || FindWindowW(kClassName, kWindowTitle)) {
        if (instanceMutex) CloseHandle(instanceMutex);
        return 0;
    }
    // Every picture decoder and the filter graph live in this apartment.
    StartFailure failure = FAILED(CoInitialize(nullptr)) ? StartFailure::Com : InitApplication(instance, showCommand);
    if (failure != StartFailure::None) {
        ShowStartFailure(failure);
        CloseHandle(instanceMutex);
        return 1;
    }
    ShowWindow(g_state.mainWindow, showCommand);
    UpdateWindow(g_state.mainWindow);
    // The filter graph is built once the first picture is on the screen, so
    // that it does not hold the picture back; nothing plays before the
    // player chooses Sound > Start anyway. Without one the game goes on in
    // silence.
    ShowSoundMenu(g_state.mainWindow,
                  OpenMusicPlayer(g_state.music, g_state.mainWindow, g_state.pictures.entryFolder));

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    CloseHandle(instanceMutex);
    return static_cast<int>(message.wParam);
}
