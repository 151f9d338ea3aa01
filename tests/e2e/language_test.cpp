// The player's language: a Windows whose UI language is not Japanese shows
// the English set of menus, dialogs and messages (the Japanese set is what
// every other test sees), and each text of one set has its twin in the other.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "board_player.h"
#include "dialog_driver.h"
#include "game_driver.h"

namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// Opens a dialog of the game from the menu by its English title.
HWND OpenDialog(Game& game, int bar, int item, const wchar_t* title) {
    if (!game.ChooseMenuItem(bar, item)) return nullptr;
    return WaitForDialog(title);
}

void CloseDialog(Game& game, HWND dialog) {
    ClickButton(game, dialog, IDCANCEL);
    ASSERT_TRUE(WaitUntilClosed(dialog));
}

// The file-open and folder dialogs of a list editor's Add buttons.
void ExpectFileDialogs(Game& game, HWND editor, const wchar_t* fileTitle, const wchar_t* types,
                       const wchar_t* folderTitle) {
    ClickButton(game, editor, IDC_ADD);
    EXPECT_EQ(types, FileTypeShown(WaitForDialog(fileTitle))) << Cp932(fileTitle);
    EXPECT_TRUE(AnswerFileDialog(fileTitle, L""));
    ClickButton(game, editor, IDC_ADD_FOLDER);
    EXPECT_TRUE(WaitForDialog(folderTitle)) << Cp932(folderTitle);
    EXPECT_TRUE(AnswerFileDialog(folderTitle, L""));
}

class LanguageTest : public ::testing::Test {
  protected:
    // The game in the Unix locale `locale`, with one picture to play, and
    // its menu read back: the English set, as on every Windows in a
    // language other than Japanese.
    void StartIn(const wchar_t* locale) {
        if (Environment(L"KANOZE_WINE").empty()) GTEST_SKIP() << "needs Wine, to run the game in another locale";
        directory_ = MakeTestDirectory();
        const std::wstring picture = directory_ + L"position.bmp";
        ASSERT_TRUE(WritePositionBmp(picture, 320, 240));
        ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", "#FILE\r\n" + AnsiPath(picture) + "\r\n#FILE_END\r\n"));
        ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", directory_, locale));

        std::vector<std::string> menu;
        for (const MenuEntry& entry : game_.ReadMenu()) menu.push_back(entry.kind + ":" + entry.text);
        const std::vector<std::string> expected = {
            "bar:&File", "item:&Open File...", "item:&High Scores", "item:&Best Times...", "item:&Close",
            "bar:&Start",
            "bar:Se&ttings", "item:&Next Picture", "item:&Image List...", "item:&Reload Image List", "item:",
            "item:&Difficulty...", "item:", "item:Show &Progress",
            "bar:S&ound", "item:&Start", "item:S&top", "item:&Edit List...", "item:", "item:&Next Tune",
            "item:&Volume", "sub:&Loud", "sub:&Medium", "sub:S&oft", "sub:M&ute",
            "bar:&Help", "item:&How to Play\tF1", "item:&About Kanoze...",
        };
        EXPECT_EQ(expected, menu);
    }

    void Close() {
        ASSERT_TRUE(game_.ChooseMenuItem(0, kFileCloseItem));
        EXPECT_EQ(0u, game_.WaitForExit());
    }

    std::wstring directory_;
    Game game_;
};

TEST_F(LanguageTest, AnEnglishWindowsShowsEveryMenuItemAndDialogInEnglish) {
    StartIn(L"en_US.UTF-8");
    if (IsSkipped() || HasFatalFailure()) return;
    HWND dialog = OpenDialog(game_, 4, 0, L"How to Play");
    ASSERT_TRUE(dialog);
    const std::wstring page = ControlText(GetDlgItem(dialog, IDC_HOW_TO_PLAY_TEXT));
    for (const wchar_t* text : {L"F1: How to Play", L"Difficult: ", L"Easy: "}) {
        EXPECT_NE(std::wstring::npos, page.find(text)) << Cp932(text);
    }
    ClickButton(game_, dialog, IDOK);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    dialog = OpenDialog(game_, 4, 1, L"About Kanoze");
    ASSERT_TRUE(dialog);
    EXPECT_EQ((std::vector<std::wstring>{L"OK", L"Kanoze (beta)", L"Author: Kanoze",
                                          L"Please report problems to\nthe Kanoze issue list."}),
              ChildTexts(dialog));
    ClickButton(game_, dialog, IDOK);
    ASSERT_TRUE(WaitUntilClosed(dialog));

    // The difficulty dialog, and the message a letter in a size field brings.
    dialog = OpenDialog(game_, 2, 3, L"Difficulty");  // Down skips the separator
    ASSERT_TRUE(dialog);
    const std::vector<std::wstring> texts = ChildTexts(dialog);
    for (const wchar_t* text : {L"OK", L"Cancel", L"Columns", L"Rows", L"&Difficult", L"&Easy"}) {
        EXPECT_EQ(1, std::count(texts.begin(), texts.end(), text)) << Cp932(text);
    }
    game_.ClickWindow(GetDlgItem(dialog, IDC_COLUMNS_EDIT));
    TypeText(L"x");
    HWND error = WaitForDialog(L"Input Error");
    ASSERT_TRUE(error) << "the input error's title";
    EXPECT_EQ(L"Please type the number with the digits 0 to 9.", ControlText(GetDlgItem(error, 0xFFFF)));
    game_.PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntilClosed(error));
    CloseDialog(game_, dialog);

    const std::vector<std::wstring> editorTexts = {L"OK", L"Cancel", L"&Add...", L"Add &Folder...", L"&Delete", L""};
    dialog = OpenDialog(game_, 2, 1, L"Edit Image List");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(editorTexts, ChildTexts(dialog));
    ExpectFileDialogs(game_, dialog, L"Choose a Picture", L"Pictures (*.bmp;*.jpg;*.gif)",
                      L"Choose a Folder of Pictures");
    CloseDialog(game_, dialog);
    dialog = OpenDialog(game_, 3, 2, L"Edit Sound List");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(editorTexts, ChildTexts(dialog));
    ExpectFileDialogs(game_, dialog, L"Choose a Sound", L"Sounds (*.mp3;*.mid;*.wav)", L"Choose a Folder of Sounds");
    CloseDialog(game_, dialog);

    // Best Times: its labels, and with every entry shown, the rule and time in English.
    dialog = OpenDialog(game_, 0, kFileBestTimesItem, L"Best Times");
    ASSERT_TRUE(dialog);
    const std::vector<std::wstring> bestTexts = ChildTexts(dialog);
    for (const wchar_t* text : {L"Best times", L"&Show all", L"Games played", L"Close"}) {
        EXPECT_EQ(1, std::count(bestTexts.begin(), bestTexts.end(), text)) << Cp932(text);
    }
    EXPECT_TRUE(ListViewRows(game_, dialog, IDC_RECORD_LIST).empty()) << "no record yet";
    ClickButton(game_, dialog, IDC_SHOW_ALL);
    std::vector<ShownRow> rows;
    ASSERT_TRUE(WaitUntil([&] { return (rows = ListViewRows(game_, dialog, IDC_RECORD_LIST)).size() == 98; }));
    EXPECT_EQ((std::vector<std::wstring>{L"4 × 4", L"Easy", L"Not regist", L"99 min 0 sec"}), rows[0].cells);
    EXPECT_EQ(L"Difficult", rows[49].cells.at(1));
    ClickButton(game_, dialog, IDOK);
    ASSERT_TRUE(WaitUntilClosed(dialog));

    Close();
}

// French: another language, and a Western code page for the names kept.
TEST_F(LanguageTest, AFrenchWindowsShowsTheEnglishSetAndKeepsANameInItsCodePage) {
    StartIn(L"fr_FR.UTF-8");
    if (IsSkipped() || HasFatalFailure()) return;
    BoardPlayer player(game_, 320, 240, 4, 4);
    ASSERT_TRUE(game_.ChooseMenuItem(1, -1));
    ASSERT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); })) << player.Describe();
    ASSERT_EQ("", player.ReadRankedDeal());
    ASSERT_EQ("", player.SwapHome());
    HWND dialog = WaitForDialog(L"High Score!");
    ASSERT_TRUE(dialog) << "the name dialog's title";
    EXPECT_EQ((std::vector<std::wstring>{L"OK", L"Cancel", L"A new best time!\r\nPlease enter your name.", L"",
                                          L"Name"}),
              ChildTexts(dialog));
    TypeText(L"Zo\u00eb");
    game_.PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    EXPECT_TRUE(WaitUntil([&] {
        return FileNow(directory_ + L"kanoze.txt").find("NAME=Zo\xEB\r\n") != std::string::npos;
    })) << "in code page 1252";
    Close();
}

// What one language's resource says, as ids: menu commands in order, the
// controls of each dialog, the strings present.
using Ids = std::vector<unsigned>;

// Skips a name or class of a template: 0xFFFF and an ordinal, or a NUL-ended string.
const WORD* SkipNameOrOrdinal(const WORD* at) {
    if (*at == 0xFFFF) return at + 2;
    while (*at) ++at;
    return at + 1;
}

const WORD* AlignToDword(const void* at, const void* start) {
    const size_t offset = static_cast<const char*>(at) - static_cast<const char*>(start);
    return reinterpret_cast<const WORD*>(static_cast<const char*>(start) + ((offset + 3) & ~size_t{3}));
}

// The control ids of a DIALOG template, in order.
Ids DialogControls(const void* resource) {
    const auto* dialog = static_cast<const DLGTEMPLATE*>(resource);
    const WORD* at = reinterpret_cast<const WORD*>(dialog + 1);
    at = SkipNameOrOrdinal(at);  // menu
    at = SkipNameOrOrdinal(at);  // class
    at = SkipNameOrOrdinal(at);  // title
    if (dialog->style & DS_SETFONT) at = SkipNameOrOrdinal(at + 1);
    Ids ids;
    for (WORD i = 0; i < dialog->cdit; ++i) {
        const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(AlignToDword(at, resource));
        ids.push_back(item->id);
        at = SkipNameOrOrdinal(SkipNameOrOrdinal(reinterpret_cast<const WORD*>(item + 1)));
        at = reinterpret_cast<const WORD*>(reinterpret_cast<const char*>(at + 1) + *at);  // creation data
    }
    return ids;
}

void MenuCommands(HMENU menu, Ids& ids) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            MenuCommands(sub, ids);
        } else {
            ids.push_back(GetMenuItemID(menu, i));
        }
    }
}

Ids MenuIds(const void* resource) {
    HMENU menu = LoadMenuIndirectW(resource);
    Ids ids;
    if (menu) MenuCommands(menu, ids);
    if (menu) DestroyMenu(menu);
    return ids;
}

// The numbers of the non-empty strings of a string table block.
Ids StringsPresent(const void* resource, unsigned block) {
    const WCHAR* text = static_cast<const WCHAR*>(resource);
    Ids ids;
    for (unsigned i = 0; i < 16; ++i) {
        if (*text) ids.push_back((block - 1) * 16 + i);
        text += 1 + *text;
    }
    return ids;
}

BOOL CALLBACK AddName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::set<unsigned>*>(names)->insert(LOWORD(name));
    return TRUE;
}

TEST(LanguageSetsTest, EveryMenuDialogAndStringHasItsTwinUnderTheSameIds) {
    HMODULE exe = LoadLibraryExW(Environment(L"KANOZE_EXE").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(exe) << "kanoze.exe as a data file";
    using Reader = Ids (*)(const void*, unsigned);
    const std::map<LPCWSTR, Reader> kinds = {
        {reinterpret_cast<LPCWSTR>(RT_MENU), [](const void* r, unsigned) { return MenuIds(r); }},
        {reinterpret_cast<LPCWSTR>(RT_DIALOG), [](const void* r, unsigned) { return DialogControls(r); }},
        {reinterpret_cast<LPCWSTR>(RT_STRING), StringsPresent},
    };
    for (const auto& [type, read] : kinds) {
        std::set<unsigned> names;
        EnumResourceNamesW(exe, type, AddName, reinterpret_cast<LONG_PTR>(&names));
        EXPECT_FALSE(names.empty());
        for (const unsigned name : names) {
            std::map<WORD, Ids> sets;
            for (const WORD language : {kJapanese, kEnglish}) {
                HRSRC found = FindResourceExW(exe, type, MAKEINTRESOURCEW(name), language);
                if (found) sets[language] = read(LockResource(LoadResource(exe, found)), name);
            }
            ASSERT_EQ(2u, sets.size()) << "resource " << name << " of type " << reinterpret_cast<UINT_PTR>(type)
                                       << " is in one language only";
            EXPECT_EQ(sets[kJapanese], sets[kEnglish])
                << "resource " << name << " of type " << reinterpret_cast<UINT_PTR>(type);
        }
    }
    FreeLibrary(exe);
}

}  // namespace
