// The game's frames drawn by its own code on its real window, each beside
// the period it must fit in, and kanoze.txt read and written beside a copy
// of the same file.
#include <cstdio>
#include <functional>

#include "app/bench_win.h"
#include "bench_harness.h"
#include "display/views_win.h"
#include "game/game_win.h"
#include "pictures/load_picture_win.h"
#include "scores/celebration_bench_win.h"
#include "scores/score_roll.h"
#include "scores/score_roll_bench_win.h"
#include "storage/list_file_bench_win.h"

namespace {

constexpr int kFramesPerBatch = 100;
constexpr int kListEntries = 100000;
constexpr double kRevealMs = 700.0;

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
    AddRow({figure, floor, Describe(SpreadOf(times), "µs", 1e6),
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

}  // namespace

void MeasureFrames(const std::string& startJpg) {
    MeasureDrawBoard(startJpg);
    MeasureClearScreen(startJpg);
    MeasureScoreRoll();
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
                HighScoreTable scores;
                ResetHighScores(scores);
                const ListRead list = ReadListFile(source, scores);
                const bool read = list.read == ListFileRead::Read && list.entries.size() == entries.size();
                r = read ? Now() - began : -1;
                g = read && WriteImageListFile(written, list.entries, scores) ? Now() - began : -1;
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
    AddRow({"Read + write of kanoze.txt, 100,000 entries", "copying the same file with CopyFileA",
            Describe(SpreadOf(game), "ms", 1000, 1), Describe(SpreadOf(floor), "ms", 1000, 1),
            SpreadOf(Ratios(game, floor)), 3.0, false});
    AddRow({"… the same read + write", "CopyFileA, then the copy flushed to the disk as the game's writer does",
            Describe(SpreadOf(game), "ms", 1000, 1), Describe(SpreadOf(flushedFloor), "ms", 1000, 1),
            SpreadOf(Ratios(game, flushedFloor)), 3.0, false});
    AddRow({"… its read alone", "copying the same file with CopyFileA",
            Describe(SpreadOf(reads), "ms", 1000, 1), Describe(SpreadOf(floor), "ms", 1000, 1),
            SpreadOf(Ratios(reads, floor)), 3.0, false});
}
