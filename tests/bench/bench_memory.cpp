// Peak working set of the real kanoze.exe with a picture loaded, asked of the
// system from outside, beside floor programs that show the same picture the
// least way they can.
#include "bench_frame.h"
#include "bench_harness.h"

namespace {

// Peak working set of kanoze.exe once its picture is loaded, in bytes.
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
    const double peak = SettledPeakWorkingSet(started.process.hProcess);
    EndProgram(started, window);
    return peak;
}

// Peak working set of the floor window program once its frame is up, in
// bytes. With `fairJpg` it decodes that jpg a band of rows at a time, shrinks
// it to the size the screen fits it to and shows it through DirectDraw; its
// caption says when the frame is up. Without, it is the bare window: what
// any Wine program holds before it holds a picture.
double FloorPeakWorkingSet(const std::string& floorExe, const std::string& folder,
                           const std::string& fairJpg = "") {
    Started started;
    if (!StartProgram(floorExe, folder, started, fairJpg.empty() ? "" : "--bands \"" + fairJpg + "\"")) return -1;
    HWND window = nullptr;
    while (Now() - started.began < 60) {
        if (!window) window = OwnWindow(kFloorClass, started.process.dwProcessId);
        char caption[32] = "";
        if (window && !fairJpg.empty() && GetWindowTextA(window, caption, sizeof caption) &&
            std::string(caption) == kFloorShownCaption) {
            break;
        }
        if (window && fairJpg.empty() && ShowsStartFrame(window)) break;
        if (WaitForSingleObject(started.process.hProcess, 10) == WAIT_OBJECT_0) break;
    }
    const double peak = SettledPeakWorkingSet(started.process.hProcess);
    EndProgram(started, window);
    return peak;
}

std::string Megabytes(const std::vector<double>& bytes) { return Describe(SpreadOf(bytes), "MB", 1e-6, 1); }

}  // namespace

void MeasurePeakMemory(const std::string& work, const Programs& programs, const BenchPictures& pictures) {
    const std::string& floorExe = programs.floorExe;
    const std::string folder = GameFolder(work, "memory" + programs.name, programs.gameExe, pictures.bigJpg);
    const std::string smallFolder =
        GameFolder(work, "memory-small" + programs.name, programs.gameExe, pictures.startJpg);
    const double bitmapBytes = 4.0 * kBigWidth * kBigHeight;
    std::vector<double> peaks, bitmaps, bare, small, fair, fairSmall;
    for (int i = 0; i < kMemoryRounds; ++i) {
        const double peak = PeakWorkingSet(folder + "kanoze.exe", folder);
        const double smallPeak = PeakWorkingSet(smallFolder + "kanoze.exe", smallFolder);
        const double barePeak = FloorPeakWorkingSet(floorExe, work);
        const double fairPeak = FloorPeakWorkingSet(floorExe, work, pictures.bigJpg);
        const double fairSmallPeak = FloorPeakWorkingSet(floorExe, work, pictures.startJpg);
        Note("memory round %d%s: peak working set %.1f MB, with the 640 x 480 jpg %.1f MB; floor programs: bare "
             "window %.1f MB, the 12-megapixel jpg in bands %.1f MB, the 640 x 480 jpg %.1f MB",
             i, programs.shown.c_str(), peak / 1e6, smallPeak / 1e6, barePeak / 1e6, fairPeak / 1e6,
             fairSmallPeak / 1e6);
        if (peak > 0 && smallPeak > 0 && barePeak > 0 && fairPeak > 0 && fairSmallPeak > 0) {
            peaks.push_back(peak);
            bitmaps.push_back(bitmapBytes);
            bare.push_back(barePeak);
            small.push_back(smallPeak);
            fair.push_back(fairPeak);
            fairSmall.push_back(fairSmallPeak);
        }
    }
    const char fairFloor[] =
        "a minimal program decoding the same jpg with WIC a band of rows at a time, area-averaged into the "
        "fitted size, shown through DirectDraw";
    AddRow({"Peak working set with the 12-megapixel jpg" + programs.shown, fairFloor, Megabytes(peaks),
            Megabytes(fair), SpreadOf(Ratios(peaks, fair)), 1.1, false});
    AddRow({"… the same, with the 640 × 480 jpg" + programs.shown, fairFloor, Megabytes(small),
            Megabytes(fairSmall), SpreadOf(Ratios(small, fairSmall)), 1.1, false});
    AddRow({"… the peak with the 12-megapixel jpg, for comparison" + programs.shown,
            "the game's peak with a 640 × 480 jpg", Megabytes(peaks), Megabytes(small),
            SpreadOf(Ratios(peaks, small)), 1.1, false});
    AddRow({"… the same peak, for comparison" + programs.shown, "the decoded bitmap's bytes (W × H × 4)",
            Megabytes(peaks), Megabytes(bitmaps), SpreadOf(Ratios(peaks, bitmaps)), 0, false});
    AddRow({"… of which any Wine program holds: the bare floor window program's peak" + programs.shown,
            "the decoded bitmap's bytes (W × H × 4)", Megabytes(bare), Megabytes(bitmaps),
            SpreadOf(Ratios(bare, bitmaps)), 0, false});
}

// A 50-megapixel photo must load within the 32-bit build's address space:
// the peak stays well under 1 GB.
void MeasureHugePicture(const std::string& work, const Programs& programs, const std::string& hugeJpg) {
    const std::string folder = GameFolder(work, "huge" + programs.name, programs.gameExe, hugeJpg);
    std::vector<double> peaks, limits;
    for (int i = 0; i < kMemoryRounds; ++i) {
        const double peak = PeakWorkingSet(folder + "kanoze.exe", folder);
        Note("50-megapixel round %d%s: peak working set %.1f MB", i, programs.shown.c_str(), peak / 1e6);
        if (peak > 0) {
            peaks.push_back(peak);
            limits.push_back(1e9);
        }
    }
    AddRow({"Peak working set, 50-megapixel jpg (8000 × 6000) loaded" + programs.shown, "1 GB", Megabytes(peaks),
            Describe(SpreadOf(limits), "MB", 1e-6, 0), SpreadOf(Ratios(peaks, limits)), 1.0, false});
}
