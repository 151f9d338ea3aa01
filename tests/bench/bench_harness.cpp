// The bench's shared parts: the table, the clock, and the programs it starts
// and watches from outside.
#include "bench_harness.h"

#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "bench_frame.h"
#include "wic_floor.h"

namespace {

std::vector<Row> g_rows;

}  // namespace

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

void AddRow(Row row) { g_rows.push_back(std::move(row)); }

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

std::string Describe(const Spread& s, const char* unit, double scale, int decimals) {
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

void Note(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::fprintf(stderr, "bench: ");
    std::vfprintf(stderr, format, args);
    std::fprintf(stderr, "\n");
    va_end(args);
}

// ---------------------------------------------------------------- files and programs

std::wstring Wide(const std::string& text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &out[0], n);
    return out;
}

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

std::string GameFolder(const std::string& work, const std::string& name, const std::string& gameExe,
                       const std::string& picture) {
    const std::string folder = work + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA(gameExe.c_str(), (folder + "kanoze.exe").c_str(), FALSE);
    WriteText(folder + "kanoze.txt", "#FILE\r\n" + picture + "\r\n#FILE_END\r\n");
    return folder;
}

bool StartProgram(const std::string& exe, const std::string& folder, Started& started,
                  const std::string& arguments) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
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
    void* bits = nullptr;
    HBITMAP shot = TopDownBitmap(kWidth, kHeight, &bits);
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

double SettledPeakWorkingSet(HANDLE process) {
    double peak = -1;
    for (int i = 0; i < 20; ++i) {
        Sleep(250);
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        if (!K32GetProcessMemoryInfo(process, &counters, sizeof counters)) break;
        const double now = static_cast<double>(counters.PeakWorkingSetSize);
        if (now == peak) break;
        peak = now;
    }
    return peak;
}


void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void SyncDisplay() {
    HDC screen = GetDC(nullptr);
    GetPixel(screen, 0, 0);
    ReleaseDC(nullptr, screen);
}
