// Start-up to the first frame of the real kanoze.exe, watched on the screen,
// beside programs that do the least any program must to show the same frame.
#include "bench_frame.h"
#include "bench_harness.h"

namespace {

// Seconds from process creation to the first frame on the screen, or -1.
double StartUpSeconds(const std::string& exe, const std::string& folder, const char* className,
                      const std::string& arguments = "") {
    Started started;
    if (!StartProgram(exe, folder, started, arguments)) return -1;
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

enum class StartUpFloors { JpgAndBareWindow, JpgOnly };

void MeasureOneStartUp(const std::string& work, const Programs& programs, const char* folder,
                       const std::string& startJpg, const std::string& label, StartUpFloors floors) {
    const std::string &gameExe = programs.gameExe, &floorExe = programs.floorExe;
    const std::string gameFolder = GameFolder(work, folder + programs.name, gameExe, startJpg);
    const auto runGame = [&] { return StartUpSeconds(gameFolder + "kanoze.exe", gameFolder, "kanoze"); };
    const auto runPicture = [&] { return StartUpSeconds(floorExe, work, kFloorClass, "\"" + startJpg + "\""); };
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
    AddRow({"Start-up to the first frame (" + label + " play-list)" + programs.shown,
            "a minimal program decoding the same jpg with WIC and blitting it once through DirectDraw",
            Describe(SpreadOf(game), "ms", 1000), Describe(SpreadOf(picture), "ms", 1000),
            SpreadOf(Ratios(game, picture)), 1.1, false});
    if (floors == StartUpFloors::JpgOnly) return;
    AddRow({"… the same start-up, for comparison" + programs.shown, "a minimal window program blitting one frame",
            Describe(SpreadOf(game), "ms", 1000), Describe(SpreadOf(window), "ms", 1000),
            SpreadOf(Ratios(game, window)), 0, false});
}

}  // namespace

void MeasureStartUp(const std::string& work, const Programs& programs, const BenchPictures& pictures) {
    MeasureOneStartUp(work, programs, "startup", pictures.startJpg, "640 × 480 jpg",
                      StartUpFloors::JpgAndBareWindow);
    MeasureOneStartUp(work, programs, "startup-big", pictures.bigStartJpg, "12-megapixel jpg",
                      StartUpFloors::JpgOnly);
}

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
    AddRow({"Start-up to the first frame, 100,000 missing entries before the 640 × 480 jpg",
            "the same start-up with the jpg alone in the play-list", Describe(SpreadOf(game), "ms", 1000),
            Describe(SpreadOf(floor), "ms", 1000), SpreadOf(Ratios(game, floor)), 0, false});
}
