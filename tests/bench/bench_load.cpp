// LoadPicture of the 12- and 50-megapixel photos, in this bench's build and in
// the other build's bench started as a program of its own, beside WIC's
// decode alone of the same file.
#include <objbase.h>

#include <cstdio>

#include "app/bench_win.h"
#include "bench_harness.h"
#include "platform/com_ptr_win.h"
#include "game/game_win.h"
#include "pictures/load_picture_win.h"
#include "wic_floor.h"

namespace {

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
    AddRow({figure, "decoding the same file with WIC alone into a bitmap", Describe(SpreadOf(times.game), "ms", 1000),
            Describe(SpreadOf(times.floor), "ms", 1000), SpreadOf(Ratios(times.game, times.floor)), 0.3, false});
}

const char kBigLoad[] = "LoadPicture, 12-megapixel jpg (decode, fit, back surface, shuffle)";
const char kHugeLoad[] = "LoadPicture, 50-megapixel jpg (8000 × 6000)";

}  // namespace

void MeasureLoadPicture(IWICImagingFactory* factory, const BenchPictures& pictures) {
    AddLoadPictureRow(kBigLoad, TimeLoadPicture(factory, pictures.bigJpg, kRounds));
    AddLoadPictureRow(kHugeLoad, TimeLoadPicture(factory, pictures.hugeJpg, kMemoryRounds));
}

// The bench of the other build, run as a program of its own for its
// LoadPicture figures (its output goes to a file: Wine's helpers would hold
// a pipe open).
void MeasureLoadPictureElsewhere(const std::string& work, const Programs& programs, const BenchPictures& pictures) {
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
    std::string commandLine = "\"" + programs.benchExe + "\" --load-picture \"" + pictures.bigJpg + "\" \"" +
                              pictures.hugeJpg + "\"";
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
