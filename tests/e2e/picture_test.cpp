// Pictures of every kind the game reads, broken ones, and pictures too large
// for the screen, seen through the window they size and the list they leave.
#include <gtest/gtest.h>

#include <cstring>

#include "game_driver.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;

std::wstring SourceFile(const wchar_t* relative) {
    wchar_t root[1024] = {};
    GetEnvironmentVariableW(L"KANOZE_SOURCE", root, 1024);
    return std::wstring(root) + L"\\" + relative;
}

bool CopyBytes(const std::wstring& from, const std::wstring& to, size_t keep = std::string::npos) {
    std::string bytes;
    return ReadFileBytes(from, bytes) && WriteFileBytes(to, bytes.substr(0, keep));
}

std::string ListOf(const std::vector<std::wstring>& paths) {
    std::string out = "#FILE\r\n";
    for (const std::wstring& path : paths) out += AnsiPath(path) + "\r\n";
    return out + "#FILE_END\r\n";
}

// The entries of the file section of a kanoze.txt.
std::vector<std::string> Entries(const std::string& file) {
    std::vector<std::string> entries;
    size_t start = file.find("#FILE\r\n");
    if (start == std::string::npos) return entries;
    start += 7;
    for (;;) {
        const size_t end = file.find("\r\n", start);
        if (end == std::string::npos) break;
        const std::string line = file.substr(start, end - start);
        if (line == "#FILE_END") break;
        entries.push_back(line);
        start = end + 2;
    }
    return entries;
}

SIZE OuterSize(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

class PictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        directory_ = MakeProgramDirectory(std::wstring(info->name(), info->name() + std::strlen(info->name())));
    }

    std::wstring Path(const wchar_t* name) const { return directory_ + name; }

    void StartWith(const std::vector<std::wstring>& list) {
        ASSERT_TRUE(WriteFileBytes(Path(L"kanoze.txt"), ListOf(list)));
        ASSERT_TRUE(game_.Start(Path(L"kanoze.exe"), directory_));
    }

    void NextPicture() { ASSERT_TRUE(game_.ChooseMenuItem(2, 0)); }

    void Close() {
        ASSERT_TRUE(game_.ChooseMenuItem(0, 2));
        ASSERT_EQ(0u, game_.WaitForExit(kTimeoutMs));
    }

    std::vector<std::string> SavedEntries() {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(Path(L"kanoze.txt"), bytes));
        return Entries(bytes);
    }

    std::wstring directory_;
    Game game_;
};

TEST_F(PictureTest, JpgGifAndPalettedBmpsLoadWhileBrokenFilesAreDropped) {
    const std::wstring jpg = Path(L"mountains.jpg"), gif = Path(L"flowers.gif");
    const std::wstring bmp8 = Path(L"sunset.bmp"), bmp4 = Path(L"card.bmp");
    ASSERT_TRUE(CopyBytes(SourceFile(L"demo\\mountains.jpg"), jpg));
    ASSERT_TRUE(CopyBytes(SourceFile(L"demo\\flowers.gif"), gif));
    ASSERT_TRUE(CopyBytes(SourceFile(L"demo\\sunset.bmp"), bmp8));
    ASSERT_TRUE(CopyBytes(SourceFile(L"res\\card_back.bmp"), bmp4));
    const std::wstring truncated = Path(L"truncated.jpg"), text = Path(L"notes.bmp");
    const std::wstring empty = Path(L"empty.gif"), tiny = Path(L"tiny.bmp");
    ASSERT_TRUE(CopyBytes(jpg, truncated, 600));
    ASSERT_TRUE(WriteFileBytes(text, "this is not a picture\r\n"));
    ASSERT_TRUE(WriteFileBytes(empty, ""));
    ASSERT_TRUE(WritePositionBmp(tiny, 5, 40));  // too narrow for a 10 x 10 board
    // A header that promises 40000 x 40000 pixels, followed by almost nothing.
    const std::wstring huge = Path(L"huge.bmp");
    ASSERT_TRUE(WritePositionBmp(huge, 4, 4));
    std::string hugeBytes;
    ASSERT_TRUE(ReadFileBytes(huge, hugeBytes));
    const LONG side = 40000;
    hugeBytes.replace(18, 4, reinterpret_cast<const char*>(&side), 4);
    hugeBytes.replace(22, 4, reinterpret_cast<const char*>(&side), 4);
    ASSERT_TRUE(WriteFileBytes(huge, hugeBytes));

    StartWith({truncated, jpg, text, gif, empty, bmp8, tiny, huge, bmp4});
    // The broken first entry is dropped at start-up and the jpg is shown.
    EXPECT_EQ(640, OuterSize(game_.window()).cx);
    NextPicture();
    EXPECT_TRUE(WaitUntil([&] { return OuterSize(game_.window()).cx == 560; })) << "the gif";
    NextPicture();
    EXPECT_TRUE(WaitUntil([&] { return OuterSize(game_.window()).cx == 600; })) << "the 8-bit bmp";
    NextPicture();
    EXPECT_TRUE(WaitUntil([&] { return OuterSize(game_.window()).cx != 600; })) << "the 4-bit bmp";
    NextPicture();
    EXPECT_TRUE(WaitUntil([&] { return OuterSize(game_.window()).cx == 640; })) << "back to the jpg";
    Close();

    EXPECT_EQ((std::vector<std::string>{AnsiPath(jpg), AnsiPath(gif), AnsiPath(bmp8), AnsiPath(bmp4)}),
              SavedEntries());
}

TEST_F(PictureTest, PicturesLargerThanTheScreenAreShrunkToFitUnderTheMenu) {
    const std::wstring wide = Path(L"wide.bmp"), high = Path(L"high.bmp"), fits = Path(L"fits.bmp");
    ASSERT_TRUE(WritePositionBmp(wide, 1600, 600));
    ASSERT_TRUE(WritePositionBmp(high, 800, 760));
    ASSERT_TRUE(WritePositionBmp(fits, 500, 400));
    StartWith({fits, wide, high});

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT first = {}, last = {};
    for (const MenuEntry& entry : game_.ReadMenu()) {
        if (entry.kind == "bar" && entry.barPosition == 0) first = entry.rect;
        if (entry.kind == "bar" && entry.barPosition == 4) last = entry.rect;
    }
    const int allowance = last.bottom - first.top + 26;
    ASSERT_GT(allowance, 26);
    EXPECT_EQ(500, OuterSize(game_.window()).cx);
    EXPECT_EQ(400 + allowance, OuterSize(game_.window()).cy) << "a picture that fits keeps its size";

    // Too wide: the screen's width, the height scaled by a single-precision ratio.
    const float wideRatio = static_cast<float>(screenWidth) / 1600.0f;
    const int wideHeight = static_cast<int>(600.0 * wideRatio);
    NextPicture();
    EXPECT_TRUE(WaitUntil([&] { return OuterSize(game_.window()).cx == screenWidth; }));
    EXPECT_EQ(wideHeight + allowance, OuterSize(game_.window()).cy);

    // Too high: the height left under the menu, the width scaled alike.
    const float highRatio = static_cast<float>(screenHeight - allowance) / 760.0f;
    const int highWidth = static_cast<int>(800.0 * highRatio);
    NextPicture();
    EXPECT_TRUE(WaitUntil([&] { return OuterSize(game_.window()).cx == highWidth; }));
    EXPECT_EQ(screenHeight, OuterSize(game_.window()).cy);

    // The shrunk picture is what the board is cut from: the top-left piece
    // shows the picture's own top-left corner.
    POINT origin = game_.ClientToScreenPoint(1, 1);
    const COLORREF corner = ScreenPixel(origin.x, origin.y);
    EXPECT_LE(GetRValue(corner), 4);
    EXPECT_LE(GetGValue(corner), 4);
    Close();
}

// A game in progress on a demo picture, saved for the README.
TEST_F(PictureTest, ScreenshotOfAGameInProgress) {
    const std::wstring jpg = Path(L"mountains.jpg");
    ASSERT_TRUE(CopyBytes(SourceFile(L"demo\\mountains.jpg"), jpg));
    StartWith({jpg});
    ASSERT_TRUE(game_.ChooseMenuItem(1, -1));
    // 640 x 480 on 4 x 4: cells of 160 x 120, all face down at first.
    const POINT a = game_.ClientToScreenPoint(80, 60), b = game_.ClientToScreenPoint(240, 60);
    const POINT picked = game_.ClientToScreenPoint(400, 300);
    ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(a.x, a.y) == ScreenPixel(b.x, b.y); }));
    const COLORREF cardCentre = ScreenPixel(a.x, a.y);
    game_.ClickClient(240, 180);  // turn up two cells
    game_.ClickClient(400, 300);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(picked.x, picked.y) != cardCentre; }));
    RECT area;
    GetWindowRect(game_.window(), &area);
    EXPECT_TRUE(SaveScreenBmp(WorkDirectory() + L"screenshot-game.bmp", area));
    Close();
}

}  // namespace
