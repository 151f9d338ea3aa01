// Scaled screens: the picture keeps one pixel to one screen pixel and the
// window fits the work area at another scaling and after a move to a
// monitor of another scaling.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "board_player.h"
#include "picture_fixture.h"

namespace {

// The prefix's screen scaling (LogPixels) for the games started while it is
// held; the one before comes back when it goes.
class ScreenScaling {
  public:
    explicit ScreenScaling(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key_, nullptr);
        DWORD size = sizeof before_;
        had_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&before_), &size) ==
               ERROR_SUCCESS;
        set_ = RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) ==
               ERROR_SUCCESS;
    }
    ~ScreenScaling() {
        if (had_) {
            RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&before_), sizeof before_);
        } else {
            RegDeleteValueW(key_, L"LogPixels");
        }
        RegCloseKey(key_);
    }
    ScreenScaling(const ScreenScaling&) = delete;
    ScreenScaling& operator=(const ScreenScaling&) = delete;
    bool set() const { return set_; }

  private:
    HKEY key_ = nullptr;
    DWORD before_ = 0;
    bool had_ = false;
    bool set_ = false;
};

// The manifest kanoze.exe carries, as Windows reads it before the program starts.
std::string Manifest() {
    HMODULE exe = LoadLibraryExW(Environment(L"KANOZE_EXE").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    HRSRC found = exe ? FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)) : nullptr;
    std::string text;
    if (found) {
        text.assign(static_cast<const char*>(LockResource(LoadResource(exe, found))), SizeofResource(exe, found));
    }
    if (exe) FreeLibrary(exe);
    return text;
}

// Scaled screens: Wine does not stretch a program that is not aware of the
// scaling, so what Windows would blur cannot be seen here; the declaration,
// the fit at 144 dpi and the answer to WM_DPICHANGED can.
TEST_F(PictureTest, AtOneAndAHalfTimesScalingPicturesKeepTheirPixelsAndFitTheWorkArea) {
    const std::string manifest = Manifest();
    EXPECT_NE(std::string::npos, manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>")) << manifest;
    EXPECT_NE(std::string::npos, manifest.find(">true/pm</dpiAware>")) << "per-monitor on 8.1, system aware before";

    const std::wstring fits = Path(L"fits.bmp"), high = Path(L"high.bmp");
    ASSERT_TRUE(WritePositionBmp(fits, 640, 480));
    ASSERT_TRUE(WritePositionBmp(high, 800, 760));
    const ScreenScaling scaling(144);
    ASSERT_TRUE(scaling.set());
    StartWith({fits, high});
    const HWND window = game_.window();
    std::map<std::string, std::string> dpi = game_.ProbeFields(kProbeDpiMessage);
    EXPECT_EQ("144", dpi[kDpiWindow]);
    // Wine knows per-monitor awareness but not its second version.
    EXPECT_TRUE(dpi[kDpiAwareness] == "per-monitor-v2" || dpi[kDpiAwareness] == "per-monitor") << dpi[kDpiAwareness];

    EXPECT_TRUE(Shows(window, 640, 480)) << "one picture pixel to one screen pixel";
    for (const POINT p : {POINT{1, 1}, POINT{320, 240}, POINT{638, 478}}) {
        const POINT at = game_.ClientToScreenPoint(p.x, p.y);
        EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(at.x, at.y) == PositionColour(p.x, p.y); }))
            << p.x << "," << p.y;
    }

    // Too high for the work area under a frame and menu drawn at 144 dpi.
    NextPicture();
    const RECT work = WorkArea(window);
    EXPECT_TRUE(WaitUntil([&] { return ClientSize(window).cx != 640; }));
    const int areaHeight = work.bottom - work.top - FrameSize(window).cy;
    EXPECT_TRUE(Shows(window, static_cast<int>(800.0 * (static_cast<float>(areaHeight) / 760.0f)), areaHeight));
    EXPECT_TRUE(Inside(window));
    Close();
}

TEST_F(PictureTest, AMoveToAMonitorOfAnotherScalingFitsThePictureAgainAndTheGameGoesOn) {
    const std::wstring picture = Path(L"picture.bmp");
    ASSERT_TRUE(WritePositionBmp(picture, 640, 480));
    StartWith({picture});
    const HWND window = game_.window();
    ASSERT_TRUE(Shows(window, 640, 480));
    BoardPlayer player(game_, 640, 480, 4, 4);
    ASSERT_TRUE(game_.ChooseMenuItem(1, -1));
    ASSERT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); }));

    // As Windows sends it: twice the scaling, a window twice as large at the new place.
    ASSERT_EQ("done\n", game_.Probe(kProbeDpiChangedMessage, MAKELPARAM(100, 60)));
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(100, outer.left);
    EXPECT_EQ(60, outer.top);
    EXPECT_TRUE(Shows(window, 640, 480)) << "the picture's pixels, not the suggested size";
    EXPECT_TRUE(Inside(window));
    EXPECT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); })) << "the board, not a new picture view";
    Close();
}
}  // namespace
