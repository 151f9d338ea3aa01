// Entry point and start-up of the program: one copy at a time, the COM
// apartment, the main window, the first picture.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/app_win.h"
#include "app/bench_win.h"
#include "app/first_start.h"
#include "app/game_state_win.h"
#include "app/read_out_win.h"
#include "app/session_win.h"
#include "dialogs/dropped_files_win.h"
#include "display/presenter_win.h"
#include "music/music_win.h"
#include "pictures/image_list_win.h"
#include "pictures/load_picture_win.h"
#include "pictures/picture_decoder_win.h"
#include "platform/gdi_win.h"
#include "platform/handles_win.h"
#include "platform/system_library_win.h"
#include "res/resource.h"
#include "res/texts_win.h"
#include "storage/files/files_win.h"
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
    const WindowDc screen;
    return screen ? static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSY)) : USER_DEFAULT_SCREEN_DPI;
}

// The file names in the demo folder beside the program.
std::vector<std::string> DemoFolderNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const FileSearch search(FindFirstFileA((folder + "*").c_str(), &found));
    if (!search.Valid()) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    return names;
}

// What start-up could not set up, told to the player before the program ends.
UINT StartFailureText(StartFailure failure) {
    switch (failure) {
    case StartFailure::Com:
        return IDS_NO_COM;
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

// The player is told; what start-up made goes with the window (its end
// releases it), before the COM apartment ends.
void ShowStartFailure(StartFailure failure) {
    if (g_state.mainWindow) ShowWindow(g_state.mainWindow, SW_HIDE);
    const std::wstring text = LoadText(IDS_START_FAILED) + L"\n\n" + LoadText(StartFailureText(failure));
    MessageBoxW(nullptr, text.c_str(), L"Kanoze", MB_OK | MB_ICONERROR);
    if (g_state.mainWindow) DestroyWindow(g_state.mainWindow);
}

// The start-up values of every module, before the files beside the program
// say otherwise.
void SetStartValues() {
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
}

// Where the play-lists of this start came from.
enum class StartLists { Files, Demo };

// Both lists come from the program's directory, where every save goes.
StartLists LoadStartLists() {
    ListFilesLoaded loaded = LoadListFiles(g_state.listFiles, g_state.highScores);
    g_state.pictures.imageList = std::move(loaded.imageList);
    SoundList(g_state.music) = std::move(loaded.soundList);
    const ListFilesFound found = loaded.found;
    // Relative entries name files beside the program, wherever it was started from.
    const std::string programFolder = GetProgramDirectory();
    g_state.pictures.entryFolder = programFolder;
    // A first start from an unpacked zip: no kanoze.txt yet, so the demo
    // pictures (and tunes, not started) make a game ready to play. The next
    // exit writes them into kanoze.txt like any list, relative to the
    // program's folder, so that the folder can be moved.
    if (found.images != ListFileRead::Missing) return StartLists::Files;
    DemoLists demo = FirstStartLists(found, kDemoFolder, DemoFolderNames(programFolder + kDemoFolder));
    if (demo.pictures.empty()) return StartLists::Files;
    g_state.pictures.imageList = std::move(demo.pictures);
    if (!demo.sounds.empty()) SoundList(g_state.music) = std::move(demo.sounds);
    return StartLists::Demo;
}

// The game kanoze.sav holds comes back in place of the first listed picture;
// it is returned when its picture is shown.
std::optional<SavedGame> ShowFirstPicture(HWND window) {
    std::optional<SavedGame> saved = ReadSavedGameAtStart();
    if (saved) {
        const SavedPicture picture = LoadSavedGamePicture(window, *saved);
        if (picture.outcome == LoadOutcome::Loaded) ShowPictureChange(window, picture.change);
        // A picture another program holds now keeps its game for the next start.
        if (picture.outcome == LoadOutcome::BadFile) EndSavedGame();
        if (picture.outcome != LoadOutcome::Loaded) saved.reset();
    }
    if (!saved) ShowPictureChange(window, LoadFirstListedPicture(window, g_state.pictures, g_state.screen));
    return saved;
}

int InitGameState(HWND window) {
    SetStartValues();
    LoadSettings();
    // A newcomer's first start: a line over the picture tells how to begin,
    // until a game starts.
    if (LoadStartLists() == StartLists::Demo) SetPictureBand(g_state.screen, IDS_START_BAND);
    const std::optional<SavedGame> saved = ShowFirstPicture(window);
    // Without a card back no board can be drawn: start-up ends.
    if (!LoadCardBack(g_state.screen, g_state.instance)) return 0;
    ShowPlayerChoices(window);
    if (saved) {
        SetPictureBand(g_state.screen, 0);  // a game is played already
        ResumeSavedGame(window, *saved);
        NoteResumedGame();
        RefreshReadOut(window);
    }
    return 1;
}

bool RegisterMainClass(HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNCLIENT;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_MAIN));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    return RegisterClassW(&windowClass) != 0;
}

// The menu in the player's language; the window frees it. A minimise box to
// put a game away; the window is still never resized by hand.
HWND CreateMainWindow(HINSTANCE instance, int showCommand) {
    HWND window = CreateWindowExW(0, kClassName, kWindowTitle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, kWindowWidth, kWindowHeight, nullptr, LoadTextMenu(IDR_MAIN_MENU),
                                  instance, nullptr);
    if (!window) return nullptr;
    // On a scaled screen the frame and menu take more pixels: the window
    // grows so that the play area keeps its pixels.
    if (WindowDpi(window) != USER_DEFAULT_SCREEN_DPI) FitWindowToView(window, kViewWidth, kViewHeight);
    // Pictures and sounds dropped from Explorer (WM_DROPFILES).
    AcceptDroppedFiles(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return window;
}

// Until WM_QUIT, whose wParam is the program's exit code.
int RunMessageLoop() {
    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

StartFailure InitApplication(HINSTANCE instance, int showCommand) {
    g_state.instance = instance;
    if (!RegisterMainClass(instance)) return StartFailure::Window;
    g_state.mainWindow = CreateMainWindow(instance, showCommand);
    if (!g_state.mainWindow) return StartFailure::Window;

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
    const OwnedHandle instanceMutex(CreateMutexA(nullptr, FALSE, kInstanceMutex));
    if (GetLastError() == ERROR_ALREADY_EXISTS || FindWindowW(kClassName, kWindowTitle)) return 0;
    // Every picture decoder and the filter graph live in this apartment; the
    // window's end releases them before the apartment ends with WinMain.
    const ComApartment apartment;
    const StartFailure failure = apartment.Entered() ? InitApplication(instance, showCommand) : StartFailure::Com;
    if (failure != StartFailure::None) {
        ShowStartFailure(failure);
        return 1;
    }
    ShowWindow(g_state.mainWindow, showCommand);
    UpdateWindow(g_state.mainWindow);
    // The filter graph is made when the player first chooses Sound > Start:
    // nothing plays before, and a game without music never loads DirectShow.
    // Without one the game goes on in silence.
    ShowSoundMenu(g_state.mainWindow, OpenMusicPlayer(g_state.music, g_state.mainWindow, g_state.pictures.entryFolder));
    return RunMessageLoop();
}
