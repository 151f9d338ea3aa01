// Pictures of every kind the game reads, broken ones, and pictures too large
// for the screen, seen through the window they size and the list they leave.
#include <gtest/gtest.h>
#include <wincodec.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>

#include "board_player.h"
#include "picture_fixture.h"

namespace {

// Pictures as 32-bit BGRA pixels, row by row from the top.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> bgra;
    int Channel(int x, int y, int c) const { return (bgra[static_cast<size_t>(y) * width + x] >> (8 * c)) & 0xFF; }
};

Pixels MakePixels(int width, int height, const std::function<uint32_t(int, int)>& colour) {
    Pixels p{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) p.bgra[static_cast<size_t>(y) * width + x] = colour(x, y);
    }
    return p;
}

uint32_t Bgr(int r, int g, int b) { return static_cast<uint32_t>(b | g << 8 | r << 16) | 0xFF000000u; }

class Wic {
  public:
    Wic() {
        CoInitialize(nullptr);
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                         reinterpret_cast<void**>(&factory_));
    }
    ~Wic() {
        if (factory_) factory_->Release();
        CoUninitialize();
    }

    bool Write(const std::wstring& path, const Pixels& p, REFGUID container = GUID_ContainerFormatJpeg) {
        IWICStream* stream = nullptr;
        IWICBitmapEncoder* encoder = nullptr;
        IWICBitmapFrameEncode* frame = nullptr;
        IPropertyBag2* options = nullptr;
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        const UINT stride = static_cast<UINT>(p.width) * 3;
        std::vector<BYTE> bgr(static_cast<size_t>(stride) * p.height);
        for (size_t i = 0; i < p.bgra.size(); ++i) {
            for (int c = 0; c < 3; ++c) bgr[i * 3 + c] = static_cast<BYTE>(p.bgra[i] >> (8 * c));
        }
        const bool ok = factory_ && SUCCEEDED(factory_->CreateStream(&stream)) &&
                        SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
                        SUCCEEDED(factory_->CreateEncoder(container, nullptr, &encoder)) &&
                        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
                        SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) &&
                        SUCCEEDED(frame->Initialize(options)) &&
                        SUCCEEDED(frame->SetSize(static_cast<UINT>(p.width), static_cast<UINT>(p.height))) &&
                        SUCCEEDED(frame->SetPixelFormat(&format)) &&
                        IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
                        SUCCEEDED(frame->WritePixels(static_cast<UINT>(p.height), stride, stride * p.height,
                                                     bgr.data())) &&
                        SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
        for (IUnknown* object : std::initializer_list<IUnknown*>{options, frame, encoder, stream}) {
            if (object) object->Release();
        }
        return ok;
    }

    // The file as WIC decodes it, in 32-bit BGRA.
    bool Read(const std::wstring& path, Pixels& p) {
        IWICBitmapDecoder* decoder = nullptr;
        IWICBitmapFrameDecode* frame = nullptr;
        IWICBitmapSource* converted = nullptr;
        UINT width = 0, height = 0;
        bool ok = factory_ &&
                  SUCCEEDED(factory_->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                                WICDecodeMetadataCacheOnDemand, &decoder)) &&
                  SUCCEEDED(decoder->GetFrame(0, &frame)) &&
                  SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame, &converted)) &&
                  SUCCEEDED(converted->GetSize(&width, &height));
        if (ok) {
            p = Pixels{static_cast<int>(width), static_cast<int>(height), std::vector<uint32_t>(size_t(width) * height)};
            ok = SUCCEEDED(converted->CopyPixels(nullptr, width * 4, width * height * 4,
                                                 reinterpret_cast<BYTE*>(p.bgra.data())));
        }
        for (IUnknown* object : std::initializer_list<IUnknown*>{converted, frame, decoder}) {
            if (object) object->Release();
        }
        return ok;
    }

  private:
    IWICImagingFactory* factory_ = nullptr;
};

// The ordinary area-averaging resize: each output pixel the mean of the
// source area it covers, in floating point.
std::vector<double> AreaAverage(const Pixels& p, int width, int height, int channel) {
    const double sx = static_cast<double>(p.width) / width, sy = static_cast<double>(p.height) / height;
    std::vector<double> across(static_cast<size_t>(p.height) * width);
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < width; ++x) {
            double sum = 0;
            for (int u = static_cast<int>(x * sx); u < std::ceil((x + 1) * sx) && u < p.width; ++u) {
                sum += (std::min(u + 1.0, (x + 1) * sx) - std::max<double>(u, x * sx)) * p.Channel(u, y, channel);
            }
            across[static_cast<size_t>(y) * width + x] = sum / sx;
        }
    }
    std::vector<double> out(static_cast<size_t>(height) * width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double sum = 0;
            for (int v = static_cast<int>(y * sy); v < std::ceil((y + 1) * sy) && v < p.height; ++v) {
                sum += (std::min(v + 1.0, (y + 1) * sy) - std::max<double>(v, y * sy)) *
                       across[static_cast<size_t>(v) * width + x];
            }
            out[static_cast<size_t>(y) * width + x] = sum / sy;
        }
    }
    return out;
}


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
    // The same promise in a jpg's frame header (Wine's own jpg decoder
    // crashes on it).
    const std::wstring hugeJpg = Path(L"huge.jpg");
    Wic wic;
    ASSERT_TRUE(wic.Write(hugeJpg, MakePixels(16, 16, [](int x, int) { return Bgr(x * 16, 80, 160); })));
    std::string jpgBytes;
    ASSERT_TRUE(ReadFileBytes(hugeJpg, jpgBytes));
    const size_t frame = jpgBytes.find("\xFF\xC0");
    ASSERT_NE(std::string::npos, frame);
    jpgBytes.replace(frame + 5, 4, "\x9C\x40\x9C\x40");  // 40000 x 40000, big-endian
    ASSERT_TRUE(WriteFileBytes(hugeJpg, jpgBytes));

    StartWith({truncated, jpg, text, gif, empty, hugeJpg, bmp8, tiny, huge, bmp4});
    // The broken first entry is dropped at start-up and the jpg is shown,
    // filling the client area exactly.
    EXPECT_TRUE(Shows(game_.window(), 640, 480));
    NextPicture();
    EXPECT_TRUE(Shows(game_.window(), 560, 420)) << "the gif";
    NextPicture();
    EXPECT_TRUE(Shows(game_.window(), 600, 450)) << "the 8-bit bmp";
    NextPicture();
    EXPECT_TRUE(WaitUntil([&] { return ClientSize(game_.window()).cx != 600; })) << "the 4-bit bmp";
    NextPicture();
    EXPECT_TRUE(Shows(game_.window(), 640, 480)) << "back to the jpg";
    Close();

    EXPECT_EQ((std::vector<std::string>{AnsiPath(jpg), AnsiPath(gif), AnsiPath(bmp8), AnsiPath(bmp4)}),
              SavedEntries());
}


TEST_F(PictureTest, LargePicturesFillTheClientAreaAndTheWindowStaysOnTheScreen) {
    const std::wstring wide = Path(L"wide.bmp"), high = Path(L"high.bmp"), fits = Path(L"fits.bmp");
    ASSERT_TRUE(WritePositionBmp(wide, 1920, 1080));
    ASSERT_TRUE(WritePositionBmp(high, 800, 760));
    ASSERT_TRUE(WritePositionBmp(fits, 500, 400));
    StartWith({fits, wide, high});
    const HWND window = game_.window();
    EXPECT_TRUE(Shows(window, 500, 400)) << "a picture that fits keeps its size";

    // Sitting near the bottom right, the window moves in as it grows.
    const RECT work = WorkArea(window);
    SetWindowPos(window, nullptr, work.right - 520, work.bottom - 480, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const SIZE frame = FrameSize(window);
    const int areaWidth = work.right - work.left - frame.cx;

    // 16:9 on a 4:3 screen: as wide as the frame allows, the height scaled
    // by a single-precision ratio.
    NextPicture();
    const float wideRatio = static_cast<float>(areaWidth) / 1920.0f;
    EXPECT_TRUE(Shows(window, areaWidth, static_cast<int>(1080.0 * wideRatio)));
    EXPECT_TRUE(Inside(window));

    // Too high: the height the work area leaves under the caption and menu.
    const int areaHeight = work.bottom - work.top - frame.cy;
    const float highRatio = static_cast<float>(areaHeight) / 760.0f;
    NextPicture();
    EXPECT_TRUE(Shows(window, static_cast<int>(800.0 * highRatio), areaHeight));
    EXPECT_TRUE(Inside(window));

    // The shrunk picture is what the board is cut from: the top-left piece
    // shows the picture's own top-left corner.
    POINT origin = game_.ClientToScreenPoint(1, 1);
    const COLORREF corner = ScreenPixel(origin.x, origin.y);
    EXPECT_LE(GetRValue(corner), 4);
    EXPECT_LE(GetGValue(corner), 4);
    Close();
}

// Smooth gradients with hard edges: skies, faces, roof lines.
uint32_t PhotoColour(int x, int y) {
    const int r = x * 255 / 3199, g = y * 255 / 2399;
    int b = static_cast<int>(128 + 100 * std::sin(x / 300.0) * std::cos(y / 250.0));
    if ((x / 400 + y / 300) % 3 == 0 && x % 400 > 100) b = 255 - b;  // edges
    return Bgr(r, g, b);
}

TEST_F(PictureTest, ALargePhotoIsShrunkInTrueColours) {
    Wic wic;
    const std::wstring jpg = Path(L"photo.jpg");
    ASSERT_TRUE(wic.Write(jpg, MakePixels(3200, 2400, PhotoColour)));
    Pixels decoded;
    ASSERT_TRUE(wic.Read(jpg, decoded));
    StartWith({jpg});
    const HWND window = game_.window();
    // Too high for the work area: the height under the caption and menu.
    const RECT work = WorkArea(window);
    const int areaHeight = work.bottom - work.top - FrameSize(window).cy;
    const SIZE shown = {static_cast<int>(3200.0 * (static_cast<float>(areaHeight) / 2400.0f)), areaHeight};
    ASSERT_TRUE(Shows(window, shown.cx, shown.cy));

    // The play area a 4 x 4 board cuts from it, against the reference.
    const int width = shown.cx / 4 * 4, height = shown.cy / 4 * 4;
    // The photo has no black pixel: once none shows, it is drawn.
    Screenshot screen;
    ASSERT_TRUE(WaitUntil([&] { return (screen = game_.CaptureClient(width, height)).Count(RGB(0, 0, 0)) == 0; }));
    double errorSum = 0;
    long offByMore = 0;
    for (int c = 0; c < 3; ++c) {
        const std::vector<double> reference = AreaAverage(decoded, shown.cx, shown.cy, c);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF seen = screen.At(x, y);
                const int value = c == 0 ? GetBValue(seen) : c == 1 ? GetGValue(seen) : GetRValue(seen);
                const double error = std::fabs(value - reference[static_cast<size_t>(y) * shown.cx + x]);
                errorSum += error;
                if (error > 48) ++offByMore;
            }
        }
    }
    const double samples = 3.0 * width * height;
    std::printf("3200 x 2400 jpg shown at %ld x %ld: mean error %.2f levels, %.3f %% of samples off by more than 48\n",
                shown.cx, shown.cy, errorSum / samples, 100.0 * offByMore / samples);
    EXPECT_LE(errorSum / samples, 3.0);
    EXPECT_LE(offByMore / samples, 0.01);
    Close();
}

// A jpg with an Exif block whose orientation tag is `orientation`.
std::string WithOrientation(const std::string& jpg, int orientation) {
    const unsigned char segment[] = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', '*', 0, 8, 0, 0, 0,
                                     1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, static_cast<unsigned char>(orientation),
                                     0, 0, 0, 0, 0, 0, 0};
    return jpg.substr(0, 2) + std::string(reinterpret_cast<const char*>(segment), sizeof segment) + jpg.substr(2);
}

TEST_F(PictureTest, APhotoTaggedAsTurnedIsShownUpright) {
    // Stored on its side, red above blue; the tag says "turn a quarter
    // clockwise to view", so upright the red is on the right.
    Wic wic;
    const std::wstring stored = Path(L"stored.jpg"), turned = Path(L"turned.jpg");
    ASSERT_TRUE(wic.Write(stored, MakePixels(400, 300, [](int, int y) {
        return y < 150 ? Bgr(230, 20, 20) : Bgr(20, 20, 230);
    })));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(stored, bytes));
    ASSERT_TRUE(WriteFileBytes(turned, WithOrientation(bytes, 6)));
    StartWith({turned});
    EXPECT_TRUE(Shows(game_.window(), 300, 400));
    const POINT left = game_.ClientToScreenPoint(60, 200), right = game_.ClientToScreenPoint(240, 200);
    EXPECT_TRUE(WaitUntil([&] { return GetBValue(ScreenPixel(left.x, left.y)) > 180; })) << "blue on the left";
    EXPECT_GT(GetRValue(ScreenPixel(right.x, right.y)), 180) << "red on the right";
    Close();
}

// A gif whose logical screen is width x height of colour 0 (green), with its
// one frame, frameWidth x frameHeight of colour 1 (red), at (left, top).
std::string GifWithOffsetFrame(int width, int height, int left, int top, int frameWidth, int frameHeight) {
    auto word = [](int v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; };
    std::string gif = "GIF89a" + word(width) + word(height) + std::string("\x81\0\0", 3);
    gif += std::string("\0\xFF\0\xFF\0\0\0\0\xFF\xFF\xFF\xFF", 12);
    gif += "," + word(left) + word(top) + word(frameWidth) + word(frameHeight) + std::string(1, '\0');
    // 3-bit codes: a clear code before every two pixels keeps the width fixed.
    std::string data;
    unsigned bits = 0, count = 0;
    auto put = [&](unsigned code) {
        bits |= code << count;
        for (count += 3; count >= 8; count -= 8, bits >>= 8) data += static_cast<char>(bits & 0xFF);
    };
    for (int i = 0; i < frameWidth * frameHeight; ++i) {
        if (i % 2 == 0) put(4);
        put(1);
    }
    put(5);
    if (count) data += static_cast<char>(bits & 0xFF);
    gif += '\x02';
    for (size_t at = 0; at < data.size(); at += 255) {
        const std::string block = data.substr(at, 255);
        gif += static_cast<char>(block.size()) + block;
    }
    return gif + std::string("\0;", 2);
}

TEST_F(PictureTest, AGifIsItsWholeLogicalScreen) {
    const std::wstring gif = Path(L"offset.gif");
    ASSERT_TRUE(WriteFileBytes(gif, GifWithOffsetFrame(200, 160, 60, 40, 100, 80)));
    StartWith({gif});
    EXPECT_TRUE(Shows(game_.window(), 200, 160));
    const POINT background = game_.ClientToScreenPoint(20, 20), frame = game_.ClientToScreenPoint(110, 80);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(frame.x, frame.y) == RGB(255, 0, 0); })) << "the frame";
    EXPECT_EQ(RGB(0, 255, 0), ScreenPixel(background.x, background.y)) << "the background around it";
    Close();
}

TEST_F(PictureTest, TheFileDialogOffersEveryPictureTheSystemReads) {
    Wic wic;
    const std::wstring png = Path(L"drawing.png");
    ASSERT_TRUE(wic.Write(png, MakePixels(320, 240, [](int x, int) { return Bgr(x % 256, 90, 200); }),
                          GUID_ContainerFormatPng));
    StartWith({});
    ASSERT_TRUE(game_.ChooseMenuItem(0, 0));
    const HWND dialog = WaitForDialog(L"画像ファイルを選択");
    ASSERT_TRUE(dialog);
    const HWND types = GetDlgItem(dialog, 0x470);  // the file-type box
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(types, CB_GETCOUNT, 0, 0) == 2; }));
    wchar_t first[256] = {}, second[1024] = {};
    SendMessageW(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    SendMessageW(types, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(second));
    EXPECT_STREQ(L"画像ファイル(*.bmp;*.jpg;*.gif)", first) << "first as it always was";
    const std::wstring all = second;
    for (const wchar_t* pattern : {L"*.bmp", L"*.jpg", L"*.gif", L"*.png", L"*.tif"}) {
        EXPECT_NE(std::wstring::npos, all.find(pattern)) << pattern;
    }
    ASSERT_TRUE(AnswerFileDialog(L"画像ファイルを選択", png));
    EXPECT_TRUE(Shows(game_.window(), 320, 240)) << "the png is shown";
    Close();
}


// A game in progress on a demo picture: two cells turned up show pieces of
// the picture, the other fourteen lie face down, and the menu bar reads the
// game's time, exchanges and pieces home. Saved for the README.
TEST_F(PictureTest, ScreenshotOfAGameInProgress) {
    const std::wstring jpg = Path(L"mountains.jpg");
    ASSERT_TRUE(CopyBytes(SourceFile(L"demo\\mountains.jpg"), jpg));
    StartWith({jpg});
    // 640 x 480 on 4 x 4: cells of 160 x 120, the picture whole until the start.
    BoardPlayer player(game_, 640, 480, 4, 4);
    ASSERT_TRUE(WaitUntil([&] { return game_.CaptureClient(640, 480).Count(RGB(0, 0, 0)) < 640 * 480 / 2; }));
    player.LearnPicture();
    ASSERT_TRUE(game_.ChooseMenuItem(1, -1));
    ASSERT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); })) << player.Describe();
    player.ClickCell(5);  // turn up two cells
    player.ClickCell(10);
    const auto twoTurnedUp = [&] {
        for (int cell = 0; cell < player.cells(); ++cell) {
            if ((player.Shown(cell) >= 0) != (cell == 5 || cell == 10)) return false;
        }
        return true;
    };
    EXPECT_TRUE(WaitUntil(twoTurnedUp)) << player.Describe();
    // The read-out at the menu bar's end, a few seconds into the game.
    EXPECT_TRUE(WaitUntil([&] {
        const std::vector<MenuEntry> menu = game_.ReadMenu();
        const MenuEntry* readOut = game_.FindCommand(menu, IDM_READ_OUT_BAR);
        int minutes = 0, seconds = 0;
        return readOut && std::sscanf(readOut->text.c_str(), "%d:%d", &minutes, &seconds) == 2 && seconds >= 3;
    }, 15000));
    RECT area;
    GetWindowRect(game_.window(), &area);
    EXPECT_TRUE(SaveScreenBmp(WorkDirectory() + L"screenshot-game.bmp", area));
    Close();
}

}  // namespace
