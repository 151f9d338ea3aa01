// The play-list tests' fixture: a test folder with kanoze.exe, pictures
// whose width tells them apart, and the list files as the game writes them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clear_driver.h"
#include "dialog_driver.h"
#include "game_driver.h"

constexpr int kPictureHeight = 240;

inline const wchar_t kEditorTitle[] = L"イメージリストの編集";
inline const wchar_t kFileDialogTitle[] = L"画像ファイルを選択";

inline std::string FileSection(const Paths& entries) {
    std::string out = "#FILE\r\n";
    for (const std::wstring& entry : entries) out += AnsiPath(entry) + "\r\n";
    return out + "#FILE_END\r\n";
}

// kanoze.txt as the game writes it: the list, then the untouched best times.
inline std::string ListFile(const Paths& entries) { return FileSection(entries) + ScoreSection(); }

class PlayListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = MakeTestDirectory();
    }

    // A picture `width` pixels wide; the window takes its width when it shows.
    std::wstring Picture(const wchar_t* file, int width) {
        const std::wstring path = directory_ + file;
        EXPECT_TRUE(WritePositionBmp(path, width, kPictureHeight));
        return path;
    }

    // A hand-written list without best times, so that any write by the game shows.
    void WriteList(const Paths& entries) {
        ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", FileSection(entries)));
    }

    std::string ListFileNow() { return FileNow(directory_ + L"kanoze.txt"); }

    // The list file once the game has finished what it was doing: the probe
    // is answered between two messages, so after a drop's or a closed
    // editor's save. (Reading the file while the game replaces it would make
    // the replace fail.)
    std::string SettledListFile(const wchar_t* name = L"kanoze.txt") {
        game_.ReadMenu();
        return FileNow(directory_ + name);
    }

    bool ListFileBecomes(const std::string& expected) {
        return WaitUntil([&] { return ListFileNow() == expected; });
    }

    void Start() { ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", directory_)); }

    void Close() {
        ChooseCommand(0, kFileCloseItem);
        ASSERT_EQ(0u, game_.WaitForExit());
    }

    int WindowWidth() { return ClientSize(game_.window()).cx; }

    // The picture `width` pixels wide is the one shown.
    bool Shows(int width) { return WaitUntil([&] { return WindowWidth() == width; }, kDialogTimeoutMs); }

    bool PictureDrawn() {
        return WaitUntil([&] {
            const POINT p = game_.ClientToScreenPoint(37, 21);
            return ScreenPixel(p.x, p.y) == PositionColour(37, 21);
        });
    }

    // "start next reload", each + when enabled and - when grayed.
    std::string MenuStates() { return game_.CommandStates({IDM_START, IDM_NEXT_PICTURE, IDM_IMAGE_LIST_RELOAD}); }

    std::string MenuBecomes(const std::string& expected) {
        WaitUntil([&] { return MenuStates() == expected; });
        return MenuStates();
    }

    void ChooseCommand(int bar, int item) { ASSERT_TRUE(game_.ChooseMenuItem(bar, item)) << "menu " << bar; }

    void NextPicture() { ChooseCommand(2, 0); }
    void Reload() { ChooseCommand(2, 2); }

    HWND OpenEditor() {
        ChooseCommand(2, 1);
        return WaitForDialog(kEditorTitle);
    }

    // Waits until the editor is gone, not merely hidden: its command has
    // then run on to the save, if any.
    void CloseEditor(HWND editor, int button) {
        ClickButton(editor, button);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kDialogTimeoutMs)) << "the editor closes";
    }

    // The list in play, as the editor shows it; Cancel leaves it as it is.
    Paths ListInPlay() {
        HWND editor = OpenEditor();
        if (!editor) return {L"(no editor)"};
        const Paths entries = Entries(editor, IDC_IMAGE_LIST);
        CloseEditor(editor, IDCANCEL);
        return entries;
    }

    void ClickButton(HWND dialog, int id) { ::ClickButton(game_, dialog, id); }

    void SelectEntry(HWND dialog, int index) {
        ASSERT_TRUE(::SelectEntry(game_, dialog, IDC_IMAGE_LIST, index)) << "entry " << index;
    }

    void AnswerFileDialog(const std::wstring& path) {
        EXPECT_EQ(L"画像ファイル(*.bmp;*.jpg;*.gif)", FileTypeShown(WaitForDialog(kFileDialogTitle)));
        ASSERT_TRUE(::AnswerFileDialog(kFileDialogTitle, path)) << "the file dialog takes the answer";
    }

    void OpenSingleFile(const std::wstring& path) {
        ChooseCommand(0, 0);
        AnswerFileDialog(path);
    }

    void AddEntry(HWND dialog, const std::wstring& path) {
        const AddedEntry entry = AddListEntry(game_, dialog, IDC_IMAGE_LIST, kFileDialogTitle, path);
        EXPECT_EQ(L"画像ファイル(*.bmp;*.jpg;*.gif)", entry.fileType);
        ASSERT_TRUE(entry.added) << "the file dialog takes the answer, and the entry is listed";
    }

    std::wstring directory_;
    Game game_;
};
