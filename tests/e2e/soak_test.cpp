// A long session as a player has it: game after game on boards of random
// sizes and rules, every celebration answered or ended another way, the roll
// of best times, picture changes. The game must keep running, hold no more
// GDI or USER objects or memory at the end than after its first games, and
// leave kanoze.txt with a best time for every board played and no other.
//
// KANOZE_SOAK_GAMES sets how many games (3 when unset); KANOZE_SOAK_SEED
// sets the random choices (1 when unset, so that the short run of `make test`
// plays the same games every time; `make soak` draws a seed and prints it).
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "board_player.h"
#include "clear_driver.h"
#include "game_driver.h"

namespace {

struct PictureSize {
    int width, height;
};
// Three sizes, so a picture change resizes the window; the narrow one is
// too narrow for the celebration's text, which runs across it instead.
constexpr PictureSize kPictures[] = {{400, 300}, {480, 360}, {240, 300}};
constexpr int kPictureCount = 3;
constexpr int kNarrowPicture = 2;

// Growth allowed between the first count and the last: room for a cache
// that fills late, far below one object per game.
constexpr long kObjectGrowthBound = 8;
// Memory allowed to grow over the same stretch: above what the heap wanders
// by, below a picture's bitmap kept per game.
constexpr long kMemoryGrowthBoundKb = 16 * 1024;
// The games after which the counts are first taken in a long run: by then
// every picture, every dialog, both celebrations and the roll have been
// through once. A short run counts from its second game on: the first
// difficulty dialog makes the common controls' objects, which stay.
constexpr int kWarmUpGames = 3;

enum class NameAnswer { TypedThenOk, TypedThenEnter, Escape };
enum class Ending { Click, TenSeconds, Roll };

struct GamePlan {
    int columns = 4, rows = 4;
    bool easy = false;
    bool nextPicture = false;  // 次の絵 before the game
    NameAnswer answer = NameAnswer::TypedThenOk;
    std::wstring name;  // typed into the name dialog
    Ending ending = Ending::Click;
    bool rollAfter = false;  // ハイスコア after the celebration, stopped by a click
};

const wchar_t* const kNames[] = {L"花子", L"Taro", L"ゆき", L"Ken2", L"", L"さくら", L"Mio"};

long EnvironmentNumber(const wchar_t* name, long fallback) {
    const std::wstring value = Environment(name);
    return value.empty() ? fallback : std::wcstol(value.c_str(), nullptr, 10);
}

// The first games are fixed, so that even a short run meets every kind of
// screen once; later ones are drawn: small boards mostly, now and then a
// larger one, both rules alike.
GamePlan PlanFor(int game, std::mt19937& random) {
    GamePlan plan;
    if (game == 0) {
        plan.name = L"花子";
        plan.rollAfter = true;
        return plan;
    }
    if (game == 1) {
        plan.nextPicture = true;
        plan.columns = 5;
        plan.easy = true;
        plan.answer = NameAnswer::Escape;
        return plan;
    }
    if (game == 2) {
        plan.nextPicture = true;  // the narrow picture: a marquee
        plan.answer = NameAnswer::TypedThenEnter;
        plan.name = L"Soak";
        plan.ending = Ending::Roll;
        return plan;
    }
    struct Size {
        int columns, rows, weight;
    };
    static const Size kSizes[] = {{4, 4, 55}, {5, 4, 12}, {4, 5, 12}, {5, 5, 7}, {6, 4, 4},
                                  {4, 6, 4},  {6, 5, 2},  {6, 6, 2},  {7, 4, 1}, {4, 7, 1}};
    int total = 0;
    for (const Size& s : kSizes) total += s.weight;
    int pick = std::uniform_int_distribution<int>(0, total - 1)(random);
    for (const Size& s : kSizes) {
        if (pick < s.weight) {
            plan.columns = s.columns;
            plan.rows = s.rows;
            break;
        }
        pick -= s.weight;
    }
    auto percent = [&] { return std::uniform_int_distribution<int>(0, 99)(random); };
    plan.easy = percent() < 50;
    plan.nextPicture = percent() < 30;
    const int answer = percent();
    plan.answer = answer < 40 ? NameAnswer::TypedThenOk : answer < 70 ? NameAnswer::TypedThenEnter : NameAnswer::Escape;
    plan.name = kNames[std::uniform_int_distribution<int>(0, 6)(random)];
    const int ending = percent();
    plan.ending = ending < 80 ? Ending::Click : ending < 90 ? Ending::TenSeconds : Ending::Roll;
    plan.rollAfter = percent() < 8;
    return plan;
}

// What the player expects of one entry of the best times.
struct Expected {
    long boundSeconds = LONG_MAX;  // no game of it took longer than this
    std::string name;              // code page 932, set when a record asked for the name
    int games = 0;
};

// Memory of the game process, asked from outside.
struct Memory {
    long workingSetKb = 0;
    long privateKb = 0;
};

struct Sample {
    int game;
    int picture;  // memory is compared between moments on the same picture
    Usage usage;
    Memory memory;
};

class SoakTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = MakeProgramDirectory(L"SoakTest");
        std::string list = "#FILE\r\n";
        for (int i = 0; i < kPictureCount; ++i) {
            const std::wstring path = directory_ + L"picture" + std::to_wstring(i) + L".bmp";
            ASSERT_TRUE(WritePositionBmp(path, kPictures[i].width, kPictures[i].height));
            list += AnsiPath(path) + "\r\n";
        }
        ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", list + "#FILE_END\r\n"));
        ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", directory_));
        ASSERT_FALSE(game_.ReadMenu().empty()) << "the probe hook is in the game's thread";
    }

    const PictureSize& Picture() const { return kPictures[picture_]; }

    std::string ListFileNow() { return FileNow(directory_ + L"kanoze.txt"); }

    Screenshot View() { return game_.CaptureClient(Picture().width, Picture().height); }

    bool PlainPictureShown() {
        BoardPlayer look(game_, Picture().width, Picture().height, 4, 4);
        const Screenshot shot = View();
        return shot.Count(kYellow) == 0 && shot.Count(kRed) == 0 && look.WholePictureShown();
    }

    // The plain picture, without a text of the celebration or the roll for
    // `steadyMs`: a marquee's texts can both be off the view for a moment.
    bool WaitForPlainPicture(DWORD steadyMs, DWORD timeoutMs) {
        DWORD since = 0;
        bool plain = false;
        return WaitUntil([&] {
            if (!PlainPictureShown()) {
                plain = false;
                return false;
            }
            if (!plain) since = GetTickCount();
            plain = true;
            return GetTickCount() - since >= steadyMs;
        }, timeoutMs);
    }

    DWORD SteadyMs() const { return picture_ == kNarrowPicture ? 2000 : 0; }

    bool Alive() { return WaitForSingleObject(game_.process(), 0) == WAIT_TIMEOUT; }

    Memory ReadMemory() {
        PROCESS_MEMORY_COUNTERS_EX counters = {};
        counters.cb = sizeof counters;
        Memory memory;
        if (K32GetProcessMemoryInfo(game_.process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                    sizeof counters)) {
            memory.workingSetKb = static_cast<long>(counters.WorkingSetSize / 1024);
            // Wine counts private memory in PagefileUsage and leaves PrivateUsage at 0.
            const SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
            memory.privateKb = static_cast<long>(privateBytes / 1024);
        }
        return memory;
    }

    std::string NextPicture() {
        if (!game_.ChooseMenuItem(2, 0)) return "no 次の絵 in ゲーム設定";
        picture_ = (picture_ + 1) % kPictureCount;
        if (!WaitUntil([&] {
                return ClientSize(game_.window()).cx == Picture().width && PlainPictureShown();
            }, 10000)) {
            return "次の絵 does not show the " + std::to_string(Picture().width) + " x " +
                   std::to_string(Picture().height) + " picture";
        }
        ++pictureChanges_;
        return {};
    }

    // ハイスコア: the roll rises over the picture; a click stops it.
    std::string RollAndStop() {
        if (!game_.ChooseMenuItem(0, 1)) return "no ハイスコア in ファイル";
        if (!WaitUntil([&] { return View().Count(kRed) > 0; })) return "the roll's first heading does not appear";
        game_.ClickClient(10, 10);
        if (!WaitForPlainPicture(0, 5000)) return "a click does not stop the roll";
        ++rolls_;
        return {};
    }

    // The name dialog answered as planned; the entry's expected name follows
    // what the game keeps of the names typed in this run.
    std::string AnswerName(HWND dialog, const GamePlan& plan, Expected& entry) {
        if (plan.answer == NameAnswer::Escape) {
            game_.PressKey(VK_ESCAPE);
            entry.name = enteredName_.empty() ? kDefaultName : enteredName_;
            ++escapes_;
        } else {
            HWND edit = GetDlgItem(dialog, IDC_NAME_EDIT);
            TypeText(plan.name);
            if (!WaitUntil([&] { return ControlText(edit) == plan.name; })) return "the name does not take the typing";
            if (plan.answer == NameAnswer::TypedThenOk) {
                game_.ClickWindow(GetDlgItem(dialog, IDOK));
            } else {
                game_.PressKey(VK_RETURN);
            }
            enteredName_ = plan.name.empty() ? kDefaultName : Cp932(plan.name);
            entry.name = enteredName_;
            ++namesTyped_;
        }
        if (!WaitUntilClosed(dialog)) return "the name dialog does not close";
        return {};
    }

    // One game from Start to the plain picture after its celebration.
    std::string PlayGame(const GamePlan& plan) {
        std::string failure;
        if (plan.nextPicture && !(failure = NextPicture()).empty()) return failure;
        if (plan.columns != columns_ || plan.rows != rows_ || plan.easy != easy_) {
            if (!(failure = SetDifficulty(game_, plan.columns, plan.rows, plan.easy)).empty()) return failure;
            columns_ = plan.columns;
            rows_ = plan.rows;
            easy_ = plan.easy;
        }
        BoardPlayer player(game_, Picture().width, Picture().height, columns_, rows_, easy_);
        const DWORD started = GetTickCount();
        if (!game_.ChooseMenuItem(1, -1)) return "no スタート on the bar";
        if (!WaitUntil([&] { return player.FreshBoardShown(); })) return "スタート does not deal; " + player.Describe();
        if (!(failure = player.ReadRankedDeal()).empty()) return failure;
        if (!(failure = player.SwapHome()).empty()) return failure;

        // The celebration is on the screen once the solving click has been
        // taken: the game's time ends before it. A name dialog asked for
        // first opens over the window and may hide it until answered.
        if (!WaitUntil([&] { return View().Count(kYellow) > 0; }, 10000) &&
            !FindWindowW(L"#32770", kNameDialogTitle)) {
            return "no celebration after the last swap";
        }
        const long boundSeconds = static_cast<long>((GetTickCount() - started) / 1000);
        Expected& entry = expected_[ScoreIndex(easy_, columns_, rows_)];
        entry.boundSeconds = std::min(entry.boundSeconds, boundSeconds);
        ++entry.games;

        // A best time asks for the name before the celebration's first frame.
        HWND dialog = FindWindowW(L"#32770", kNameDialogTitle);
        if (!dialog) dialog = WaitForDialog(kNameDialogTitle, 1500);
        DWORD celebrationFrom = GetTickCount();
        if (dialog) {
            if (!(failure = AnswerName(dialog, plan, entry)).empty()) return failure;
            celebrationFrom = GetTickCount();
            ++records_;
            // The record is in kanoze.txt at once.
            const int index = ScoreIndex(easy_, columns_, rows_);
            Score saved;
            if (!WaitUntil([&] {
                    saved = ScoreAt(ListFileNow(), index);
                    return saved.name == entry.name;
                }, 20000)) {
                return "entry " + std::to_string(index) + " is not saved with its name; kanoze.txt holds:\n" +
                       ListFileNow();
            }
            if (saved.seconds < 0 || saved.seconds > boundSeconds) {
                return "entry " + std::to_string(index) + " holds " + std::to_string(saved.seconds) +
                       " s for a game of at most " + std::to_string(boundSeconds) + " s";
            }
        } else if (entry.games == 1) {
            return "the first game of a board size asks for no name";
        }

        if (!WaitUntil([&] { return View().Count(kYellow) > 0; }, 10000)) return "no celebration on the screen";

        switch (plan.ending) {
        case Ending::Click:
            game_.ClickClient(10, 10);
            if (!WaitForPlainPicture(SteadyMs(), 5000)) return "a click does not end the celebration";
            ++endedByClick_;
            break;
        case Ending::TenSeconds:
            if (!WaitForPlainPicture(SteadyMs(), 30000)) return "the celebration does not end by itself";
            if (GetTickCount() - celebrationFrom < 8000) return "the celebration ends well before ten seconds";
            ++endedByTime_;
            break;
        case Ending::Roll:
            if (!(failure = RollAndStop()).empty()) return "over the celebration: " + failure;
            ++endedByRoll_;
            break;
        }
        if (plan.rollAfter && !(failure = RollAndStop()).empty()) return failure;
        return {};
    }

    void Record(int game) {
        Sample sample = {game, picture_, {}, ReadMemory()};
        if (!game_.ReadUsage(sample.usage)) {
            ADD_FAILURE() << "the probe hook does not answer after game " << game;
            return;
        }
        samples_.push_back(sample);
    }

    std::wstring directory_;
    Game game_;
    int picture_ = 0;
    int columns_ = 4, rows_ = 4;
    bool easy_ = false;
    std::string enteredName_;  // what the game keeps of the last name typed
    std::map<int, Expected> expected_;
    std::vector<Sample> samples_;
    int pictureChanges_ = 0, rolls_ = 0, records_ = 0, namesTyped_ = 0, escapes_ = 0;
    int endedByClick_ = 0, endedByTime_ = 0, endedByRoll_ = 0;
};

TEST_F(SoakTest, GameAfterGameLeavesNoObjectsBehindAndEveryBoardPlayedItsBestTime) {
    const int games = static_cast<int>(EnvironmentNumber(L"KANOZE_SOAK_GAMES", 3));
    const unsigned seed = static_cast<unsigned>(EnvironmentNumber(L"KANOZE_SOAK_SEED", 1));
    std::printf("soak: %d games, seed %u\n", games, seed);
    std::mt19937 random(seed);
    const DWORD began = GetTickCount();
    ASSERT_TRUE(WaitUntil([&] { return PlainPictureShown(); })) << "the first picture is shown before a game";

    std::map<std::string, int> boards;
    for (int game = 0; game < games; ++game) {
        const GamePlan plan = PlanFor(game, random);
        const DWORD gameBegan = GetTickCount();
        const std::string failure = PlayGame(plan);
        ASSERT_TRUE(Alive()) << "the game ended itself during game " << game;
        ASSERT_EQ("", failure) << "game " << game << ", " << plan.columns << " x " << plan.rows
                               << (plan.easy ? " easy" : " difficult");
        char board[32];
        std::snprintf(board, sizeof board, "%dx%d %s", plan.columns, plan.rows, plan.easy ? "easy" : "difficult");
        ++boards[board];
        Record(game);
        const Sample& now = samples_.back();
        std::printf("game %d: %s on %d x %d, %lu ms; GDI %ld, USER %ld, working set %ld KB, private %ld KB\n", game,
                    board, Picture().width, Picture().height, GetTickCount() - gameBegan, now.usage.Gdi(),
                    now.usage.User(), now.memory.workingSetKb, now.memory.privateKb);
        std::fflush(stdout);
    }

    std::printf("soak: %d games in %lu s; boards:", games, (GetTickCount() - began) / 1000);
    for (const auto& b : boards) std::printf(" %s x%d;", b.first.c_str(), b.second);
    std::printf("\nsoak: %d records (%d named, %d escaped), celebrations ended by click %d, by time %d, by the roll %d;"
                " %d rolls, %d picture changes\n",
                records_, namesTyped_, escapes_, endedByClick_, endedByTime_, endedByRoll_, rolls_, pictureChanges_);

    // Flat: the counts after the warm-up games against the last ones, each
    // taken at the same moment of play (the plain picture after a game).
    if (games >= 3) {
        const size_t from = games > kWarmUpGames ? kWarmUpGames - 1 : 1;
        const Sample& first = samples_[from];
        const Sample& last = samples_.back();
        const Sample* lastOnFirstPicture = &first;
        for (const Sample& sample : samples_) {
            if (sample.picture == first.picture) lastOnFirstPicture = &sample;
        }
        long peakGdi = 0, peakUser = 0, peakPrivate = 0;
        for (size_t i = from; i < samples_.size(); ++i) {
            peakGdi = std::max(peakGdi, samples_[i].usage.Gdi());
            peakUser = std::max(peakUser, samples_[i].usage.User());
            peakPrivate = std::max(peakPrivate, samples_[i].memory.privateKb);
        }
        std::printf("soak: after game %d: %s; working set %ld KB, private %ld KB\n", first.game,
                    first.usage.Describe().c_str(), first.memory.workingSetKb, first.memory.privateKb);
        std::printf("soak: after game %d: %s; working set %ld KB, private %ld KB\n", last.game,
                    last.usage.Describe().c_str(), last.memory.workingSetKb, last.memory.privateKb);
        const long privateGrowth = lastOnFirstPicture->memory.privateKb - first.memory.privateKb;
        std::printf("soak: growth GDI %+ld (peak %ld), USER %+ld (peak %ld); on the same picture after game %d: "
                    "private %+ld KB (peak %ld KB), working set %+ld KB\n",
                    last.usage.Gdi() - first.usage.Gdi(), peakGdi, last.usage.User() - first.usage.User(), peakUser,
                    lastOnFirstPicture->game, privateGrowth, peakPrivate,
                    lastOnFirstPicture->memory.workingSetKb - first.memory.workingSetKb);
        EXPECT_LE(last.usage.Gdi() - first.usage.Gdi(), kObjectGrowthBound) << "GDI objects left behind";
        EXPECT_LE(last.usage.User() - first.usage.User(), kObjectGrowthBound) << "USER objects left behind";
        EXPECT_LE(privateGrowth, kMemoryGrowthBoundKb) << "memory kept";
    }
    std::fflush(stdout);

    ASSERT_TRUE(game_.ChooseMenuItem(0, kFileCloseItem));  // ファイル > 閉じる
    ASSERT_EQ(0u, game_.WaitForExit()) << "the game closes cleanly";

    // Every entry after the exit: played boards hold a time no longer than
    // their quickest game and the name the player gave; the rest their default.
    const std::string file = ListFileNow();
    int played = 0;
    for (int index = 0; index < 98; ++index) {
        const Score score = ScoreAt(file, index);
        const auto found = expected_.find(index);
        if (found == expected_.end()) {
            EXPECT_EQ(kDefaultName, score.name) << "entry " << index << " was never played";
            EXPECT_EQ(kDefaultSeconds, score.seconds) << "entry " << index << " was never played";
            continue;
        }
        ++played;
        EXPECT_EQ(found->second.name, score.name) << "entry " << index;
        EXPECT_GE(score.seconds, 0) << "entry " << index;
        EXPECT_LE(score.seconds, found->second.boundSeconds) << "entry " << index << ", " << found->second.games
                                                             << " games";
    }
    std::printf("soak: %d of 98 best times played and consistent\n", played);
}

}  // namespace
