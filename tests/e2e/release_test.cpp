// The release zip as a player gets it: unpacked into an empty folder, started
// from there with no kanoze.txt, played from its demo folder.
#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <map>

#include "game_driver.h"

namespace {


// Every file under `folder` (ending in a backslash) with its bytes, by path
// relative to it.
void ReadTree(const std::wstring& folder, const std::wstring& prefix, std::map<std::wstring, std::string>& files) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + prefix + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ReadTree(folder, prefix + name + L"\\", files);
        } else {
            ReadFileBytes(folder + prefix + name, files[prefix + name]);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

TEST(ReleaseTest, TheUnpackedZipStartsOnTheFirstDemoPictureAndKeepsItsFiles) {
    const std::wstring unpacked = Environment(L"KANOZE_E2E_UNPACKED");
    ASSERT_FALSE(unpacked.empty()) << "no unpacked zip: run tools/run-e2e.sh after make dist";
    const std::wstring folder = unpacked + L"\\";
    std::map<std::wstring, std::string> zipped;
    ReadTree(folder, L"", zipped);
    ASSERT_EQ(1u, zipped.count(L"kanoze.exe"));
    ASSERT_EQ(1u, zipped.count(L"demo\\flowers.gif"));
    EXPECT_EQ(0u, zipped.count(L"kanoze.txt") + zipped.count(L"sound.txt")) << "a zip must not carry a player's lists";

    CoInitialize(nullptr);
    const Screenshot flowers = DecodePicture(folder + L"demo\\flowers.gif");
    CoUninitialize();
    ASSERT_EQ(560, flowers.width);

    // Started from the folder as Explorer starts it: the first demo picture in
    // name order is on the screen and a game can be started.
    Game game;
    ASSERT_TRUE(game.Start(folder + L"kanoze.exe", folder));
    EXPECT_TRUE(WaitUntil([&] { return game.CommandStates({IDM_START}) == "+"; })) << "Start stays grayed";
    // The demo tune is listed but waits for the player: no sound file is open.
    EXPECT_EQ(std::string::npos, game.Probe(kProbeFilesMessage).find("tune.wav"));
    // The picture from its top-left corner, as far as the client area reaches,
    // but for the line across its middle that says how to begin.
    int differing = 0;
    EXPECT_TRUE(WaitUntil([&] {
        RECT client;
        GetClientRect(game.window(), &client);
        const int width = std::min<int>(client.right, flowers.width);
        const int height = std::min<int>(client.bottom, flowers.height);
        const Screenshot shown = game.CaptureClient(width, height);
        differing = width < flowers.width - 8 || height < flowers.height - 8 ? -1 : 0;
        for (int y = 0; y < height && differing >= 0; ++y) {
            if (y >= height / 2 - 28 && y < height / 2 + 28) continue;  // the band, a board cut to whole cells
            for (int x = 0; x < width; ++x) differing += shown.At(x, y) != flowers.At(x, y);
        }
        return differing == 0;
    })) << differing << " pixels differ from demo\\flowers.gif (-1: too small a window)";

    game.PressAltF4();
    ASSERT_EQ(0u, game.WaitForExit());

    // The zip's own files are as they came; the lists are new files beside them.
    std::map<std::wstring, std::string> after;
    ReadTree(folder, L"", after);
    for (const auto& [path, bytes] : zipped) {
        EXPECT_TRUE(after.count(path) && after[path] == bytes) << "changed: " << std::string(path.begin(), path.end());
    }
    ASSERT_EQ(1u, after.count(L"kanoze.txt"));
    const std::vector<std::string> images = SplitLines(after[L"kanoze.txt"]);
    ASSERT_GE(images.size(), 5u);
    EXPECT_EQ("#FILE\r", images[0]);
    // Relative to the program's folder, so that the folder can be moved.
    EXPECT_EQ("demo\\flowers.gif\r", images[1]);
    EXPECT_EQ("demo\\mountains.jpg\r", images[2]);
    EXPECT_EQ("demo\\sunset.bmp\r", images[3]);
    EXPECT_EQ("#FILE_END\r", images[4]);
    EXPECT_EQ("#FILE\r\ndemo\\tune.wav\r\n#FILE_END\r\n", after[L"sound.txt"]);
}

}  // namespace
