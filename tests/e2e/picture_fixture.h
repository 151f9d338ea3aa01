// The picture tests' fixture: a test folder with kanoze.exe, a play-list
// written before the start, and what the window and kanoze.txt then show.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_driver.h"

inline std::wstring SourceFile(const wchar_t* relative) { return Environment(L"KANOZE_SOURCE") + L"\\" + relative; }

inline bool CopyBytes(const std::wstring& from, const std::wstring& to, size_t keep = std::string::npos) {
    std::string bytes;
    return ReadFileBytes(from, bytes) && WriteFileBytes(to, bytes.substr(0, keep));
}

inline std::string ListOf(const std::vector<std::wstring>& paths) {
    std::string out = "#FILE\r\n";
    for (const std::wstring& path : paths) out += AnsiPath(path) + "\r\n";
    return out + "#FILE_END\r\n";
}

// The entries of the file section of a kanoze.txt.
inline std::vector<std::string> Entries(const std::string& file) {
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

inline SIZE OuterSize(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

inline RECT WorkArea(HWND window) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

// The client area becomes width x height; while a picture loads the window
// is measured and moved in steps, so the size is waited for whole.
inline ::testing::AssertionResult Shows(HWND window, int width, int height) {
    if (WaitUntil([&] {
            const SIZE now = ClientSize(window);
            return now.cx == width && now.cy == height;
        })) {
        return ::testing::AssertionSuccess();
    }
    const SIZE now = ClientSize(window);
    return ::testing::AssertionFailure() << "client area " << now.cx << " x " << now.cy << ", not " << width << " x "
                                         << height;
}

inline SIZE FrameSize(HWND window) {
    return SIZE{OuterSize(window).cx - ClientSize(window).cx, OuterSize(window).cy - ClientSize(window).cy};
}

// Client area = play area, window inside the work area, whatever the picture.
inline ::testing::AssertionResult Inside(HWND window) {
    RECT outer, work = WorkArea(window);
    GetWindowRect(window, &outer);
    if (outer.left >= work.left && outer.top >= work.top && outer.right <= work.right && outer.bottom <= work.bottom) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "window (" << outer.left << "," << outer.top << ")-(" << outer.right << ","
                                         << outer.bottom << ") leaves the work area";
}

class PictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = MakeTestDirectory();
    }

    std::wstring Path(const wchar_t* name) const { return directory_ + name; }

    void StartWith(const std::vector<std::wstring>& list) {
        ASSERT_TRUE(WriteFileBytes(Path(L"kanoze.txt"), ListOf(list)));
        ASSERT_TRUE(game_.Start(Path(L"kanoze.exe"), directory_));
    }

    void NextPicture() { ASSERT_TRUE(game_.ChooseMenuItem(2, 0)); }

    void Close() {
        ASSERT_TRUE(game_.ChooseMenuItem(0, kFileCloseItem));
        ASSERT_EQ(0u, game_.WaitForExit());
    }

    std::vector<std::string> SavedEntries() {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(Path(L"kanoze.txt"), bytes));
        return Entries(bytes);
    }

    std::wstring directory_;
    Game game_;
};
