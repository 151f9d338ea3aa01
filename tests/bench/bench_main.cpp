// The bench: how fast Kanoze is against the floor of its platform, every
// figure measured beside its floor in the same run and printed as one table.
//
//   kanoze_bench.exe <work folder> <kanoze.exe> <floor_window.exe>
//                    [<32-bit kanoze.exe> <32-bit floor_window.exe> <32-bit kanoze_bench.exe>]
//
// Start-up and peak memory are measured on the real kanoze.exe from outside,
// by watching the screen and asking the system about the process; with the
// 32-bit programs given, on those too. The other figures call the game's own
// shell code (linked in) on a real main window; LoadPicture also in the
// 32-bit bench, started as
//
//   kanoze_bench.exe --load-picture <12-megapixel jpg> <50-megapixel jpg>
//
// which prints its times, one line a round: "<jpg> <LoadPicture s> <WIC s>".
#include <windows.h>
#include <objbase.h>
#include <psapi.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/game_state.h"
#include "bench_frame.h"
#include "display/com_ptr.h"
#include "display/views.h"
#include "game/game_win.h"
#include "pictures/load_picture.h"
#include "scores/celebration_win.h"
#include "scores/score_roll.h"
#include "scores/score_roll_win.h"
#include "storage/list_file_win.h"
#include "wic_floor.h"

namespace {

constexpr int kBigWidth = 4000;
constexpr int kBigHeight = 3000;
constexpr int kHugeWidth = 8000;
constexpr int kHugeHeight = 6000;
constexpr int kRounds = 7;
constexpr int kMemoryRounds = 3;
constexpr int kFramesPerBatch = 100;
constexpr int kListEntries = 100000;
constexpr double kRevealMs = 700.0;

// ---------------------------------------------------------------- figures

struct Spread {
    double median = 0, min = 0, max = 0;
};

Spread SpreadOf(std::vector<double> values) {
    Spread s;
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    s.min = values.front();
    s.max = values.back();
    return s;
}

struct Row {
    std::string figure;
    std::string floor;
    std::string game;        // the game's own figure, median (min-max)
    std::string floorValue;  // the floor's figure
    Spread ratio;
    double goal;
    bool percent;  // the ratio is a share, shown in per cent
};

std::vector<Row> g_rows;

std::string Describe(const Spread& s, const char* unit, double scale = 1.0, int decimals = 0) {
    char text[96];
    std::snprintf(text, sizeof text, "%.*f %s (%.*f–%.*f)", decimals, s.median * scale, unit, decimals,
                  s.min * scale, decimals, s.max * scale);
    return text;
}

std::vector<double> Ratios(const std::vector<double>& game, const std::vector<double>& floor) {
    std::vector<double> out;
    for (size_t i = 0; i < game.size() && i < floor.size(); ++i) {
        if (floor[i] > 0) out.push_back(game[i] / floor[i]);
    }
    return out;
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Note(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Note(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::fprintf(stderr, "bench: ");
    std::vfprintf(stderr, format, args);
    std::fprintf(stderr, "\n");
    va_end(args);
}

// ---------------------------------------------------------------- pictures

std::wstring Wide(const std::string& text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &out[0], n);
    return out;
}

// Writes a jpg of width x height whose 24-bit pixels `pixel` gives (B, G, R).
bool WriteJpeg(IWICImagingFactory* factory, const std::string& path, int width, int height,
               const std::function<void(int x, int y, BYTE* bgr)>& pixel) {
    const UINT stride = static_cast<UINT>(width) * 3;
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixel(x, y, &pixels[static_cast<size_t>(y) * stride + x * 3]);
    }
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    if (FAILED(factory->CreateStream(stream.Receive())) ||
        FAILED(stream->InitializeFromFilename(Wide(path).c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.Receive())) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.Receive(), options.Receive())) ||
        FAILED(frame->Initialize(options.get())) ||
        FAILED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)))) {
        return false;
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    return SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
           SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), stride, static_cast<UINT>(pixels.size()),
                                        pixels.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

// A photograph stand-in: smooth light with fine detail everywhere, so that
// the file is about as large and as slow to decode as a camera's.
void PhotoPixel(int x, int y, BYTE* bgr) {
    uint32_t h = static_cast<uint32_t>(x) * 2654435761u ^ static_cast<uint32_t>(y) * 40503u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    const int grain = static_cast<int>((h >> 24) & 31) - 16;
    const int r = (x * 255 / kBigWidth) + grain, g = (y * 255 / kBigHeight) + grain;
    const int b = ((x / 97 + y / 61) % 2 ? 200 : 60) + grain;
    bgr[0] = static_cast<BYTE>(std::clamp(b, 0, 255));
    bgr[1] = static_cast<BYTE>(std::clamp(g, 0, 255));
    bgr[2] = static_cast<BYTE>(std::clamp(r, 0, 255));
}

// The start-up colour with a photograph's grain: decoding it costs what a
// photo does, and shrunk or seen in small patches it is the start-up colour.
void StartPhotoPixel(int x, int y, BYTE* bgr) {
    uint32_t h = static_cast<uint32_t>(x) * 2654435761u ^ static_cast<uint32_t>(y) * 40503u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    const int grain = static_cast<int>((h >> 24) & 31) - 16;
    bgr[0] = static_cast<BYTE>(std::clamp(GetBValue(kStartColour) + grain, 0, 255));
    bgr[1] = static_cast<BYTE>(std::clamp(GetGValue(kStartColour) + grain, 0, 255));
    bgr[2] = static_cast<BYTE>(std::clamp(GetRValue(kStartColour) + grain, 0, 255));
}

void StartPixel(int, int, BYTE* bgr) {
    bgr[0] = GetBValue(kStartColour);
    bgr[1] = GetGValue(kStartColour);
    bgr[2] = GetRValue(kStartColour);
}

// ---------------------------------------------------------------- processes

bool WriteText(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD wrote = 0;
    const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) &&
                    wrote == text.size();
    CloseHandle(file);
    return ok;
}

// A folder holding a copy of kanoze.exe and a play-list of one picture.
std::string GameFolder(const std::string& work, const char* name, const std::string& gameExe,
                       const std::string& picture) {
    const std::string folder = work + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA(gameExe.c_str(), (folder + "kanoze.exe").c_str(), FALSE);
    WriteText(folder + "kanoze.txt", "#FILE\r\n" + picture + "\r\n#FILE_END\r\n");
    return folder;
}

struct Started {
    PROCESS_INFORMATION process = {};
    double began = 0;
};

bool StartProgram(const std::string& exe, const std::string& folder, Started& started,
                  const std::string& argument = "") {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    if (!argument.empty()) commandLine += " \"" + argument + "\"";
    started.began = Now();
    return CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &started.process) != 0;
}

HWND OwnWindow(const char* className, DWORD processId) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// Closes a program the way its close box does, and waits for it to end.
void EndProgram(Started& started, HWND window) {
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.process.hProcess, 30000) != WAIT_OBJECT_0) {
        TerminateProcess(started.process.hProcess, 1);
        WaitForSingleObject(started.process.hProcess, 5000);
    }
    CloseHandle(started.process.hProcess);
    CloseHandle(started.process.hThread);
}

// True when the screen shows the start-up colour in a few patches spread
// over the client area of `window`: the first frame is up. Each patch is
// averaged, so that a grainy picture of that colour counts too.
bool ShowsStartFrame(HWND window) {
    POINT origin = {0, 0};
    if (!ClientToScreen(window, &origin)) return false;
    constexpr int kWidth = 600, kHeight = 440;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ first = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, kWidth, kHeight, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    bool shows = bits != nullptr;
    const BYTE* p = static_cast<const BYTE*>(bits);
    constexpr int kPatch = 8;
    for (const POINT at : {POINT{10, 10}, POINT{590, 10}, POINT{300, 220}, POINT{10, 430}, POINT{590, 430}}) {
        if (!shows) break;
        int sum[3] = {};
        for (int y = at.y; y < at.y + kPatch; ++y) {
            for (int x = at.x; x < at.x + kPatch; ++x) {
                for (int c = 0; c < 3; ++c) sum[c] += p[(static_cast<size_t>(y) * kWidth + x) * 4 + c];
            }
        }
        const int count = kPatch * kPatch;
        shows = std::abs(sum[0] / count - GetBValue(kStartColour)) <= 8 &&
                std::abs(sum[1] / count - GetGValue(kStartColour)) <= 8 &&
                std::abs(sum[2] / count - GetRValue(kStartColour)) <= 8;
    }
    SelectObject(memory, first);
    DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shows;
}

// Seconds from process creation to the first frame on the screen, or -1.
double StartUpSeconds(const std::string& exe, const std::string& folder, const char* className,
                      const std::string& argument = "") {
    Started started;
    if (!StartProgram(exe, folder, started, argument)) return -1;
    double seen = -1;
    HWND window = nullptr;
    while (Now() - started.began < 60) {
        if (!window) window = OwnWindow(className, started.process.dwProcessId);
        if (window && ShowsStartFrame(window)) {
            seen = Now() - started.began;
            break;
        }
        if (WaitForSingleObject(started.process.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    EndProgram(started, window);
    return seen;
}

// Peak working set of kanoze.exe once the big picture is loaded, in bytes.
double PeakWorkingSet(const std::string& exe, const std::string& folder) {
    Started started;
    if (!StartProgram(exe, folder, started)) return -1;
    HWND window = nullptr;
    // The window leaves its first width once the picture is loaded and fitted.
    int width = 0;
    while (Now() - started.began < 60) {
        if (!window) window = OwnWindow("kanoze", started.process.dwProcessId);
        RECT r = {};
        if (window && GetWindowRect(window, &r) && r.right - r.left != kStartWidth) {
            width = r.right - r.left;
            break;
        }
        if (WaitForSingleObject(started.process.hProcess, 10) == WAIT_OBJECT_0) break;
    }
    if (!width) Note("the big picture did not show");
    double peak = -1;
    // Settled once two readings a while apart agree.
    for (int i = 0; i < 20; ++i) {
        Sleep(250);
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        if (!K32GetProcessMemoryInfo(started.process.hProcess, &counters, sizeof counters)) break;
        const double now = static_cast<double>(counters.PeakWorkingSetSize);
        if (now == peak) break;
        peak = now;
    }
    EndProgram(started, window);
    return peak;
}

// ---------------------------------------------------------------- in-process floors

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Waits for the display to have carried out every drawing request so far.
void SyncDisplay() {
    HDC screen = GetDC(nullptr);
    GetPixel(screen, 0, 0);
    ReleaseDC(nullptr, screen);
}

// ---------------------------------------------------------------- the figures

// One build of the game and its floor program, measured from outside.
struct Programs {
    std::string gameExe, floorExe;
    std::string benchExe;  // the bench of the same build, when it runs as a program of its own
    std::string name;      // folder name suffix
    std::string shown;     // figure suffix
};

enum class StartUpFloors { JpgAndBareWindow, JpgOnly };

void MeasureStartUp(const std::string& work, const Programs& programs, const char* folder, const std::string& startJpg,
                    const std::string& label, StartUpFloors floors) {
    const std::string &gameExe = programs.gameExe, &floorExe = programs.floorExe;
    const std::string gameFolder = GameFolder(work, (folder + programs.name).c_str(), gameExe, startJpg);
    const auto runGame = [&] { return StartUpSeconds(gameFolder + "kanoze.exe", gameFolder, "kanoze"); };
    const auto runPicture = [&] { return StartUpSeconds(floorExe, work, kFloorClass, startJpg); };
    const bool bare = floors == StartUpFloors::JpgAndBareWindow;
    const auto runWindow = [&] { return bare ? StartUpSeconds(floorExe, work, kFloorClass) : 1.0; };
    // One unmeasured run of each first: the Wine desktop and services are up
    // and the files are in the page cache for every measured run.
    runGame();
    runPicture();
    runWindow();
    std::vector<double> game, picture, window;
    for (int i = 0; i < kRounds; ++i) {
        // Alternate which goes first, so none always runs on a warmer machine.
        double g = -1, p = -1, w = -1;
        if (i % 2 == 0) {
            g = runGame(), p = runPicture(), w = runWindow();
        } else {
            w = runWindow(), p = runPicture(), g = runGame();
        }
        Note("start-up round %d, %s%s: game %.0f ms, jpg floor %.0f ms, window floor %.0f ms", i, label.c_str(),
             programs.shown.c_str(), g * 1000, p * 1000, bare ? w * 1000 : 0.0);
        if (g > 0 && p > 0 && w > 0) {
            game.push_back(g);
            picture.push_back(p);
            window.push_back(w);
        }
    }
    g_rows.push_back({"Start-up to the first frame (" + label + " play-list)" + programs.shown,
                      "a minimal program decoding the same jpg with WIC and blitting it once through DirectDraw",
                      Describe(SpreadOf(game), "ms", 1000), Describe(SpreadOf(picture), "ms", 1000),
                      SpreadOf(Ratios(game, picture)), 1.3, false});
    if (floors == StartUpFloors::JpgOnly) return;
    g_rows.push_back({"… the same start-up, for comparison" + programs.shown, "a minimal window program blitting one frame",
                      Describe(SpreadOf(game), "ms", 1000), Describe(SpreadOf(window), "ms", 1000),
                      SpreadOf(Ratios(game, window)), 0, false});
}

// Peak working set of the floor window program, in bytes: what any Wine
// program holds before it holds a picture.
// A play-list whose first 100,000 entries are files that are gone, before
// one picture: start-up drops them all in one pass.
void MeasureMissingEntries(const std::string& work, const std::string& gameExe, const std::string& startJpg) {
    constexpr int kMissing = 100000;
    const std::string plain = GameFolder(work, "missing-none", gameExe, startJpg);
    const std::string missing = GameFolder(work, "missing-many", gameExe, startJpg);
    std::string list = "#FILE\r\n";
    for (int i = 0; i < kMissing; ++i) list += "gone\\" + std::to_string(i) + ".jpg\r\n";
    const auto writeList = [&] { return WriteText(missing + "kanoze.txt", list + startJpg + "\r\n#FILE_END\r\n"); };
    const auto runMissing = [&] {
        writeList();  // the last run saved the list without them
        return StartUpSeconds(missing + "kanoze.exe", missing, "kanoze");
    };
    const auto runPlain = [&] { return StartUpSeconds(plain + "kanoze.exe", plain, "kanoze"); };
    runMissing();
    runPlain();
    std::vector<double> game, floor;
    for (int i = 0; i < 3; ++i) {
        const double g = runMissing(), f = runPlain();
        Note("start-up round %d: %d missing entries first %.0f ms, one picture %.0f ms", i, kMissing, g * 1000,
             f * 1000);
        if (g > 0 && f > 0) {
            game.push_back(g);
            floor.push_back(f);
        }
    }
    g_rows.push_back({"Start-up to the first frame, 100,000 missing entries before the 640 × 480 jpg",
                      "the same start-up with the jpg alone in the play-list", Describe(SpreadOf(game), "ms", 1000),
                      Describe(SpreadOf(floor), "ms", 1000), SpreadOf(Ratios(game, floor)), 0, false});
}

double FloorPeakWorkingSet(const std::string& floorExe, const std::string& folder) {
    Started started;
    if (!StartProgram(floorExe, folder, started)) return -1;
    HWND window = nullptr;
    while (Now() - started.began < 60) {
        if (!window) window = OwnWindow(kFloorClass, started.process.dwProcessId);
        if (window && ShowsStartFrame(window)) break;
        if (WaitForSingleObject(started.process.hProcess, 10) == WAIT_OBJECT_0) break;
    }
    Sleep(500);
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    const double peak = K32GetProcessMemoryInfo(started.process.hProcess, &counters, sizeof counters)
                            ? static_cast<double>(counters.PeakWorkingSetSize)
                            : -1;
    EndProgram(started, window);
    return peak;
}

void MeasurePeakMemory(const std::string& work, const Programs& programs, const std::string& bigJpg,
                       const std::string& startJpg) {
    const std::string& floorExe = programs.floorExe;
    const std::string folder = GameFolder(work, ("memory" + programs.name).c_str(), programs.gameExe, bigJpg);
    const std::string smallFolder =
        GameFolder(work, ("memory-small" + programs.name).c_str(), programs.gameExe, startJpg);
    const double bitmapBytes = 4.0 * kBigWidth * kBigHeight;
    std::vector<double> peaks, floors, bare, small;
    for (int i = 0; i < kMemoryRounds; ++i) {
        const double peak = PeakWorkingSet(folder + "kanoze.exe", folder);
        const double smallPeak = PeakWorkingSet(smallFolder + "kanoze.exe", smallFolder);
        const double floorPeak = FloorPeakWorkingSet(floorExe, work);
        Note("memory round %d%s: peak working set %.1f MB, with the 640 x 480 jpg %.1f MB, floor window program "
             "%.1f MB",
             i, programs.shown.c_str(), peak / 1e6, smallPeak / 1e6, floorPeak / 1e6);
        if (peak > 0 && floorPeak > 0 && smallPeak > 0) {
            peaks.push_back(peak);
            floors.push_back(bitmapBytes);
            bare.push_back(floorPeak);
            small.push_back(smallPeak);
        }
    }
    g_rows.push_back({"Peak working set, 12-megapixel jpg loaded" + programs.shown,
                      "the game's peak with a 640 × 480 jpg", Describe(SpreadOf(peaks), "MB", 1e-6, 1),
                      Describe(SpreadOf(small), "MB", 1e-6, 1), SpreadOf(Ratios(peaks, small)), 1.1, false});
    g_rows.push_back({"… the same peak, for comparison" + programs.shown, "the decoded bitmap's bytes (W × H × 4)",
                      Describe(SpreadOf(peaks), "MB", 1e-6, 1), Describe(SpreadOf(floors), "MB", 1e-6, 1),
                      SpreadOf(Ratios(peaks, floors)), 0, false});
    g_rows.push_back({"… of which any Wine program holds: the floor window program's peak" + programs.shown,
                      "the decoded bitmap's bytes (W × H × 4)", Describe(SpreadOf(bare), "MB", 1e-6, 1),
                      Describe(SpreadOf(floors), "MB", 1e-6, 1), SpreadOf(Ratios(bare, floors)), 1.5, false});
}

// A 50-megapixel photo must load within the 32-bit build's address space:
// the peak stays well under 1 GB.
void MeasureHugePicture(const std::string& work, const Programs& programs, const std::string& hugeJpg) {
    const std::string folder = GameFolder(work, ("huge" + programs.name).c_str(), programs.gameExe, hugeJpg);
    std::vector<double> peaks, limits;
    for (int i = 0; i < kMemoryRounds; ++i) {
        const double peak = PeakWorkingSet(folder + "kanoze.exe", folder);
        Note("50-megapixel round %d%s: peak working set %.1f MB", i, programs.shown.c_str(), peak / 1e6);
        if (peak > 0) {
            peaks.push_back(peak);
            limits.push_back(1e9);
        }
    }
    g_rows.push_back({"Peak working set, 50-megapixel jpg (8000 × 6000) loaded" + programs.shown, "1 GB",
                      Describe(SpreadOf(peaks), "MB", 1e-6, 1), Describe(SpreadOf(limits), "MB", 1e-6, 0),
                      SpreadOf(Ratios(peaks, limits)), 1.0, false});
}

// LoadPicture's time and WIC's decode alone of the same file, in turns.
struct LoadTimes {
    std::vector<double> game, floor;
};

LoadTimes TimeLoadPicture(IWICImagingFactory* factory, const std::string& jpg, int rounds) {
    LoadTimes times;
    for (int i = 0; i < rounds; ++i) {
        double g = -1, f = -1;
        for (int pass = 0; pass < 2; ++pass) {
            PumpMessages();
            SyncDisplay();
            const double began = Now();
            if ((pass == 0) == (i % 2 == 0)) {
                const bool loaded = LoadPicture(g_state.mainWindow, g_state.pictures.wicFactory.get(),
                                                g_state.screen, jpg.c_str()) == LoadOutcome::Loaded;
                if (loaded) ShuffleBoard(g_state.board, g_state.screen);
                SyncDisplay();
                g = loaded ? Now() - began : -1;
            } else {
                HBITMAP bitmap = DecodeWithWicAlone(factory, Wide(jpg).c_str());
                f = bitmap ? Now() - began : -1;
                if (bitmap) DeleteObject(bitmap);
            }
        }
        Note("LoadPicture round %d, %s: game %.0f ms, floor %.0f ms", i, jpg.c_str(), g * 1000, f * 1000);
        if (g > 0 && f > 0) {
            times.game.push_back(g);
            times.floor.push_back(f);
        }
    }
    return times;
}

void AddLoadPictureRow(const std::string& figure, const LoadTimes& times) {
    g_rows.push_back({figure, "decoding the same file with WIC alone into a bitmap",
                      Describe(SpreadOf(times.game), "ms", 1000), Describe(SpreadOf(times.floor), "ms", 1000),
                      SpreadOf(Ratios(times.game, times.floor)), 0.3, false});
}

const char kBigLoad[] = "LoadPicture, 12-megapixel jpg (decode, fit, back surface, shuffle)";
const char kHugeLoad[] = "LoadPicture, 50-megapixel jpg (8000 × 6000)";

// The bench of the other build, run as a program of its own for its
// LoadPicture figures (its output goes to a file: Wine's helpers would hold
// a pipe open).
void MeasureLoadPictureElsewhere(const std::string& work, const Programs& programs, const std::string& bigJpg,
                                 const std::string& hugeJpg) {
    const std::string output = work + "load-picture" + programs.name + ".txt";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE file = CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = file;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::string commandLine = "\"" + programs.benchExe + "\" --load-picture \"" + bigJpg + "\" \"" + hugeJpg + "\"";
    PROCESS_INFORMATION process = {};
    const bool started = CreateProcessA(programs.benchExe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        work.c_str(), &startup, &process) != 0;
    CloseHandle(file);
    if (!started) {
        Note("could not start %s", programs.benchExe.c_str());
        return;
    }
    if (WaitForSingleObject(process.hProcess, 30 * 60 * 1000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    LoadTimes big, huge;
    FILE* lines = std::fopen(output.c_str(), "r");
    char which[16];
    double g = 0, f = 0;
    while (lines && std::fscanf(lines, "%15s %lf %lf", which, &g, &f) == 3) {
        LoadTimes& times = std::string(which) == "big" ? big : huge;
        times.game.push_back(g);
        times.floor.push_back(f);
    }
    if (lines) std::fclose(lines);
    AddLoadPictureRow(kBigLoad + programs.shown, big);
    AddLoadPictureRow(kHugeLoad + programs.shown, huge);
}

// Per-frame seconds of `draw`, one figure per batch of frames.
std::vector<double> FrameTimes(const std::function<void()>& draw) {
    std::vector<double> times;
    for (int batch = 0; batch < kRounds; ++batch) {
        PumpMessages();
        SyncDisplay();
        const double began = Now();
        for (int i = 0; i < kFramesPerBatch; ++i) draw();
        SyncDisplay();
        times.push_back((Now() - began) / kFramesPerBatch);
    }
    return times;
}

void AddFrameRow(const char* figure, const std::vector<double>& times, double periodMs, double goal) {
    std::vector<double> periods(times.size(), periodMs / 1000.0);
    char floor[64];
    std::snprintf(floor, sizeof floor, "its %.0f ms period", periodMs);
    g_rows.push_back({figure, floor, Describe(SpreadOf(times), "µs", 1e6),
                      Describe(SpreadOf(periods), "ms", 1000), SpreadOf(Ratios(times, periods)), goal, true});
}

void MeasureDrawBoard(const std::string& startJpg) {
    if (LoadPicture(g_state.mainWindow, g_state.pictures.wicFactory.get(), g_state.screen,
                    startJpg.c_str()) != LoadOutcome::Loaded) {
        Note("the 640 x 480 picture did not load");
        return;
    }
    Board& board = g_state.board;
    board.columns = board.rows = kMaxSide;
    // A frame of the reveal: two cells turned up, the rest face down.
    board.easyMode = false;
    ShuffleBoard(g_state.board, g_state.screen);
    g_state.play.playing = true;
    g_state.play.firstPick = 12;
    g_state.play.secondPick = 87;
    const auto drawBoard = [] { DrawBoard(g_state.screen, g_state.board, g_state.play); };
    AddFrameRow("DrawBoard frame, 10 × 10, difficult", FrameTimes(drawBoard), kRevealMs, 0.01);

    // Easy mode with half the pieces home: every other pair of cells exchanged.
    board.easyMode = true;
    for (int cell = 0; cell < kMaxCellCount; ++cell) board.cellOrder[cell] = cell;
    for (int cell = 0; cell + 1 < kMaxCellCount; cell += 4) std::swap(board.cellOrder[cell], board.cellOrder[cell + 1]);
    AddFrameRow("DrawBoard frame, 10 × 10, easy (half the pieces home)", FrameTimes(drawBoard), kRevealMs, 0.01);
    g_state.play.playing = false;
    g_state.play.firstPick = g_state.play.secondPick = -1;
    board.columns = board.rows = kMinSide;
    board.easyMode = false;
}

// The celebration as it rests after its slide-in over the 640 x 480 picture:
// both texts whole, the time in its minutes form (the longer text).
void MeasureClearScreen(const std::string& startJpg) {
    if (LoadPicture(g_state.mainWindow, g_state.pictures.wicFactory.get(), g_state.screen,
                    startJpg.c_str()) != LoadOutcome::Loaded) {
        Note("the 640 x 480 picture did not load");
        return;
    }
    ShuffleBoard(g_state.board, g_state.screen);
    g_state.play.startTick = 1000;
    g_state.play.endTick = 1000 + 83 * 1000;  // 1 min 23 sec
    const uint32_t elapsedMs = ElapsedMilliseconds(g_state.play.startTick, g_state.play.endTick);
    const CaptionMetrics metrics =
        MeasureCaption(g_state.mainWindow, elapsedMs, g_state.screen.viewWidth, g_state.screen.viewHeight);
    ClearState& clear = g_state.clear;
    const unsigned period = StartCelebration(clear, metrics, g_state.screen.viewWidth, g_state.screen.viewHeight);
    if (clear.clearMode != ClearMode::SlideIn) Note("the celebration did not choose its slide-in");
    AddFrameRow("DrawClearScreen frame, slide-in at rest over a 640 × 480 picture",
                FrameTimes([&] {
                    DrawClearScreen(g_state.screen, elapsedMs, clear.captionTargetX, clear.captionY, clear.timeTargetX,
                                    clear.timeY);
                }),
                period, 0.05);
    ResetClearState(g_state.play, clear);
}

// The roll half-way up over the same picture, every entry at its default.
void MeasureScoreRoll() {
    ResetHighScores(g_state.highScores);
    StartScoreRoll(g_state.roll, g_state.screen.viewWidth, g_state.screen.viewHeight);
    const int top = -3800;  // the easy table's last entries and the difficult heading show
    AddFrameRow("DrawScoreRoll frame, 198 lines, half-way up a 640 × 480 picture",
                FrameTimes([&] {
                    DrawScoreRoll(g_state.screen, g_state.highScores, g_state.roll.rollLeft, top, g_state.roll.rollRight);
                }),
                kRollPeriodMs, 0.05);
    g_state.roll.scoreRollActive = false;
}

void MeasureListFile(const std::string& work) {
    std::vector<std::string> entries;
    entries.reserve(kListEntries);
    char entry[128];
    for (int i = 0; i < kListEntries; ++i) {
        std::snprintf(entry, sizeof entry, "C:\\Users\\player\\Pictures\\holiday-%03d\\picture-%06d.jpg", i % 500, i);
        entries.push_back(entry);
    }
    HighScoreTable table;
    ResetHighScores(table);
    const std::string source = work + "list-source.txt", written = work + "list-written.txt";
    const std::string copied = work + "list-copied.txt";
    if (!WriteImageListFile(source, entries, table)) {
        Note("could not write %s", source.c_str());
        return;
    }
    // The game's writer flushes the new file to the disk before it replaces
    // the old one; CopyFileA does not. The second floor flushes its copy too.
    std::vector<double> game, floor, flushedFloor, reads;
    for (int i = 0; i < kRounds; ++i) {
        double g = -1, f = -1, ff = -1, r = -1;
        for (int pass = 0; pass < 3; ++pass) {
            const int which = (pass + i) % 3;
            const double began = Now();
            if (which == 0) {
                std::vector<std::string> list;
                HighScoreTable scores;
                ResetHighScores(scores);
                const bool read = ReadListFile(source, list, scores) == ListFileRead::Read &&
                                  list.size() == entries.size();
                r = read ? Now() - began : -1;
                g = read && WriteImageListFile(written, list, scores) ? Now() - began : -1;
            } else if (which == 1) {
                f = CopyFileA(source.c_str(), copied.c_str(), FALSE) ? Now() - began : -1;
            } else if (CopyFileA(source.c_str(), copied.c_str(), FALSE)) {
                HANDLE file = CreateFileA(copied.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
                if (file != INVALID_HANDLE_VALUE && FlushFileBuffers(file)) ff = Now() - began;
                if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
            }
        }
        Note("list file round %d: game %.1f ms (read %.1f ms), copy %.1f ms, copy and flush %.1f ms", i,
             g * 1000, r * 1000, f * 1000, ff * 1000);
        if (g > 0 && f > 0 && ff > 0) {
            game.push_back(g);
            floor.push_back(f);
            flushedFloor.push_back(ff);
            reads.push_back(r);
        }
    }
    g_rows.push_back({"Read + write of kanoze.txt, 100,000 entries", "copying the same file with CopyFileA",
                      Describe(SpreadOf(game), "ms", 1000, 1), Describe(SpreadOf(floor), "ms", 1000, 1),
                      SpreadOf(Ratios(game, floor)), 3.0, false});
    g_rows.push_back({"… the same read + write", "CopyFileA, then the copy flushed to the disk as the game's writer does",
                      Describe(SpreadOf(game), "ms", 1000, 1), Describe(SpreadOf(flushedFloor), "ms", 1000, 1),
                      SpreadOf(Ratios(game, flushedFloor)), 3.0, false});
    g_rows.push_back({"… its read alone", "copying the same file with CopyFileA",
                      Describe(SpreadOf(reads), "ms", 1000, 1), Describe(SpreadOf(floor), "ms", 1000, 1),
                      SpreadOf(Ratios(reads, floor)), 3.0, false});
}

void PrintTable() {
    std::printf("| Figure | Divided by | Kanoze: median (min–max) | Floor: median (min–max) | Ratio: median (min–max) | Goal | Met |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const Row& row : g_rows) {
        char ratio[96], goal[32];
        if (row.percent) {
            std::snprintf(ratio, sizeof ratio, "%.3f %% (%.3f–%.3f)", row.ratio.median * 100, row.ratio.min * 100,
                          row.ratio.max * 100);
            std::snprintf(goal, sizeof goal, "≤ %.0f %%", row.goal * 100);
        } else {
            std::snprintf(ratio, sizeof ratio, "%.2f (%.2f–%.2f)", row.ratio.median, row.ratio.min, row.ratio.max);
            std::snprintf(goal, sizeof goal, "≤ %.1f", row.goal);
        }
        const bool met = row.ratio.median > 0 && row.ratio.median <= row.goal;
        // A row without a goal is there for comparison.
        std::printf("| %s | %s | %s | %s | %s | %s | %s |\n", row.figure.c_str(), row.floor.c_str(),
                    row.game.c_str(), row.floorValue.c_str(), ratio, row.goal > 0 ? goal : "—",
                    row.goal > 0 ? (met ? "yes" : "**no**") : "—");
    }
    std::fflush(stdout);
}

}  // namespace

// The LoadPicture figures alone, printed for the bench that started this one.
int LoadPictureAlone(const std::string& bigJpg, const std::string& hugeJpg) {
    CoInitialize(nullptr);
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.ReceiveVoid())) ||
        InitApplication(GetModuleHandleA(nullptr), SW_SHOWNORMAL) != StartFailure::None) {
        Note("no imaging component or no game window");
        ExitProcess(1);
    }
    PumpMessages();
    const LoadTimes big = TimeLoadPicture(factory.get(), bigJpg, kRounds);
    const LoadTimes huge = TimeLoadPicture(factory.get(), hugeJpg, kMemoryRounds);
    for (size_t i = 0; i < big.game.size(); ++i) std::printf("big %.6f %.6f\n", big.game[i], big.floor[i]);
    for (size_t i = 0; i < huge.game.size(); ++i) std::printf("huge %.6f %.6f\n", huge.game[i], huge.floor[i]);
    std::fflush(stdout);
    ExitProcess(0);
}

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--load-picture") return LoadPictureAlone(argv[2], argv[3]);
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: kanoze_bench <work folder> <kanoze.exe> <floor_window.exe>"
                     " [<32-bit kanoze.exe> <32-bit floor_window.exe> <32-bit kanoze_bench.exe>]\n");
        return 2;
    }
    std::string work = argv[1];
    if (work.back() != '\\') work += '\\';
    CreateDirectoryA(work.c_str(), nullptr);
    std::vector<Programs> builds = {{argv[2], argv[3], "", "", ""}};
    if (argc >= 6) builds.push_back({argv[4], argv[5], argc >= 7 ? argv[6] : "", "32", ", 32-bit program (in qemu-i386)"});

    CoInitialize(nullptr);
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.ReceiveVoid()))) {
        Note("no imaging component");
        return 1;
    }
    // The pictures are made afresh on every run.
    const std::string startJpg = work + "start.jpg", bigJpg = work + "big.jpg", hugeJpg = work + "huge.jpg";
    const std::string bigStartJpg = work + "start-big.jpg";
    if (!WriteJpeg(factory.get(), startJpg, kStartWidth, kStartHeight, StartPixel) ||
        !WriteJpeg(factory.get(), bigStartJpg, kBigWidth, kBigHeight, StartPhotoPixel) ||
        !WriteJpeg(factory.get(), bigJpg, kBigWidth, kBigHeight, PhotoPixel) ||
        !WriteJpeg(factory.get(), hugeJpg, kHugeWidth, kHugeHeight, PhotoPixel)) {
        Note("could not write the bench pictures");
        return 1;
    }

    // Programs of their own first: the game allows one running copy, and the
    // in-process figures below make the game's own window.
    for (const Programs& programs : builds) {
        MeasureStartUp(work, programs, "startup", startJpg, "640 × 480 jpg", StartUpFloors::JpgAndBareWindow);
        MeasureStartUp(work, programs, "startup-big", bigStartJpg, "12-megapixel jpg", StartUpFloors::JpgOnly);
    }
    for (const Programs& programs : builds) MeasurePeakMemory(work, programs, bigJpg, startJpg);
    for (const Programs& programs : builds) MeasureHugePicture(work, programs, hugeJpg);
    for (const Programs& programs : builds) {
        if (!programs.benchExe.empty()) MeasureLoadPictureElsewhere(work, programs, bigJpg, hugeJpg);
    }
    MeasureMissingEntries(work, builds.front().gameExe, startJpg);

    if (InitApplication(GetModuleHandleA(nullptr), SW_SHOWNORMAL) != StartFailure::None) {
        Note("the game's window could not be made");
        return 1;
    }
    PumpMessages();
    AddLoadPictureRow(kBigLoad, TimeLoadPicture(factory.get(), bigJpg, kRounds));
    AddLoadPictureRow(kHugeLoad, TimeLoadPicture(factory.get(), hugeJpg, kMemoryRounds));
    MeasureDrawBoard(startJpg);
    MeasureClearScreen(startJpg);
    MeasureScoreRoll();
    MeasureListFile(work);

    PrintTable();
    // The window is left to the end of the process: closing it would save
    // the bench's play-list beside the bench.
    ExitProcess(0);
}
