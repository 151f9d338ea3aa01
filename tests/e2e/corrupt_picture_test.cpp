// Damaged pictures (made by tools/mutate_pictures.py from good jpg, gif and
// bmp files) through the game's own loading: the play-list and the file
// dialog. None may crash the game; one that is refused changes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "game_driver.h"

namespace {

constexpr int kSentinelWidth = 333;  // no damaged picture comes out this wide
constexpr int kSentinelHeight = 250;
constexpr int kSide = 4;
constexpr size_t kDialogSample = 8;

const wchar_t kFileDialogTitle[] = L"画像ファイルを選択";

// Damaged pictures the play-list refused, for the file-dialog test.
std::vector<std::wstring> g_refused;

std::vector<std::wstring> Corpus() {
    std::vector<std::wstring> files;
    const std::wstring root = Environment(L"KANOZE_E2E_CORRUPT");
    if (root.empty()) return files;
    const std::wstring directory = root + L"\\";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((directory + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(directory + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(files.begin(), files.end());
    return files;
}

class CorruptPictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        corpus_ = Corpus();
        if (corpus_.empty()) GTEST_SKIP() << "no damaged pictures (KANOZE_E2E_CORRUPT)";
        directory_ = MakeTestDirectory();
        sentinel_ = directory_ + L"sentinel.bmp";
        ASSERT_TRUE(WritePositionBmp(sentinel_, kSentinelWidth, kSentinelHeight));
    }

    void StartWith(const std::vector<std::wstring>& list) {
        std::string text = "#FILE\r\n";
        for (const std::wstring& path : list) text += AnsiPath(path) + "\r\n";
        ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", text + "#FILE_END\r\n"));
        ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", directory_));
    }

    // True while the game runs and has finished what it was asked: the
    // observer is answered from the game's thread between two commands.
    bool Alive() { return WaitForSingleObject(game_.process(), 0) == WAIT_TIMEOUT && !game_.ReadMenu().empty(); }

    // What the play area shows: a grid of screen pixels over the sentinel's area.
    std::vector<COLORREF> PlayArea() {
        std::vector<COLORREF> pixels;
        for (int y = 5; y < kSentinelHeight; y += 20) {
            for (int x = 5; x < kSentinelWidth; x += 20) {
                const POINT p = game_.ClientToScreenPoint(x, y);
                pixels.push_back(ScreenPixel(p.x, p.y));
            }
        }
        return pixels;
    }

    void OpenFromDialog(const std::wstring& path) {
        ASSERT_TRUE(game_.ChooseMenuItem(0, 0));
        ASSERT_TRUE(AnswerFileDialog(kFileDialogTitle, path)) << "the file dialog takes the path";
    }

    std::vector<std::wstring> corpus_;
    std::wstring directory_;
    std::wstring sentinel_;
    Game game_;
};

TEST_F(CorruptPictureTest, DamagedPicturesInThePlayListAreLoadedOrDroppedWithoutACrash) {
    std::vector<std::wstring> list = {sentinel_};
    list.insert(list.end(), corpus_.begin(), corpus_.end());
    StartWith(list);
    ASSERT_TRUE(WaitUntil([&] { return ClientSize(game_.window()).cx == kSentinelWidth; })) << "the sentinel shows";

    // Next picture until the list comes round to the sentinel again: each
    // press loads the next picture that loads and drops the ones between.
    int presses = 0;
    for (; presses <= static_cast<int>(corpus_.size()); ++presses) {
        ASSERT_TRUE(game_.ChooseMenuItem(2, 0)) << "after " << presses << " presses";
        ASSERT_TRUE(Alive()) << "the game runs after " << presses + 1 << " presses";
        if (ClientSize(game_.window()).cx == kSentinelWidth) break;
    }
    ASSERT_LE(presses, static_cast<int>(corpus_.size())) << "the list came round to the sentinel";
    ASSERT_TRUE(game_.ChooseMenuItem(0, kFileCloseItem));
    ASSERT_EQ(0u, game_.WaitForExit());

    // The saved list: the sentinel and the damaged pictures that loaded.
    std::string saved;
    ASSERT_TRUE(ReadFileBytes(directory_ + L"kanoze.txt", saved));
    std::vector<std::string> kept;
    for (const std::string& line : SplitLines(saved)) {
        const std::string entry = line.substr(0, line.find('\r'));
        if (!entry.empty() && entry[0] != '#' && entry.rfind("NAME=", 0) != 0 && entry.rfind("SCORE=", 0) != 0) {
            kept.push_back(entry);
        }
    }
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(AnsiPath(sentinel_), kept.front());
    EXPECT_EQ(static_cast<size_t>(presses) + 1, kept.size()) << "one press for each picture that loaded";
    g_refused.clear();
    for (const std::wstring& file : corpus_) {
        if (std::find(kept.begin(), kept.end(), AnsiPath(file)) == kept.end()) g_refused.push_back(file);
    }
    std::printf("%zu damaged pictures: %zu loaded, %zu refused\n", corpus_.size(),
                kept.size() - 1, g_refused.size());
    EXPECT_FALSE(g_refused.empty()) << "some damage is beyond loading";
}

TEST_F(CorruptPictureTest, ARefusedPictureLeavesThePictureAndTheBoardAsTheyWere) {
    if (g_refused.empty()) GTEST_SKIP() << "needs the refused pictures of the play-list test";
    // A sample spread over the refused ones, every format among them.
    std::vector<std::wstring> sample;
    const size_t step = std::max<size_t>(1, g_refused.size() / kDialogSample);
    for (size_t i = 0; i < g_refused.size() && sample.size() < kDialogSample; i += step) {
        sample.push_back(g_refused[i]);
    }

    StartWith({sentinel_});
    ASSERT_TRUE(WaitUntil([&] { return ClientSize(game_.window()).cx == kSentinelWidth; }));
    // A game in progress with one cell turned up.
    ASSERT_TRUE(game_.ChooseMenuItem(1, -1));
    const int cellWidth = kSentinelWidth / kSide, cellHeight = kSentinelHeight / kSide;
    const POINT cell = game_.ClientToScreenPoint(cellWidth + cellWidth / 2, cellHeight + cellHeight / 2);
    const COLORREF faceDown = ScreenPixel(cell.x, cell.y);
    game_.ClickClient(cellWidth + cellWidth / 2, cellHeight + cellHeight / 2);
    ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(cell.x, cell.y) != faceDown; })) << "the cell turns up";
    ASSERT_TRUE(Alive());
    RECT before = {};
    GetWindowRect(game_.window(), &before);
    const std::vector<COLORREF> board = PlayArea();

    for (const std::wstring& file : sample) {
        OpenFromDialog(file);
        ASSERT_TRUE(Alive()) << "after opening " << AnsiPath(file);
        RECT after = {};
        GetWindowRect(game_.window(), &after);
        EXPECT_TRUE(EqualRect(&before, &after)) << "the window keeps its size: " << AnsiPath(file);
        EXPECT_TRUE(WaitUntil([&] { return PlayArea() == board; }, 2000))
            << "the board is as it was: " << AnsiPath(file);
    }
    std::printf("%zu refused pictures opened from the file dialog left the board as it was\n", sample.size());
    ASSERT_TRUE(game_.ChooseMenuItem(0, kFileCloseItem));
    EXPECT_EQ(0u, game_.WaitForExit());
}

}  // namespace
