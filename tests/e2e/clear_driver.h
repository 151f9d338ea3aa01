// Driving what follows a cleared board and what sets the next one: the
// celebration and the roll as the screen shows them, the name dialog, the
// difficulty dialog, and the best times kanoze.txt holds.
#pragma once

#include <windows.h>

#include <string>

#include "game_driver.h"
#include "tests/common/score_section.h"

constexpr COLORREF kYellow = RGB(255, 255, 0);  // the celebration's and the roll's texts
constexpr COLORREF kRed = RGB(255, 0, 0);       // the roll's headings

extern const wchar_t kNameDialogTitle[];  // ハイスコア！
extern const wchar_t kDifficultyTitle[];  // 難易度設定

struct Score {
    std::string name;  // code page 932
    long seconds = -1;
};

// Entry `index` of the best times in a kanoze.txt: easy entries 0 to 48,
// difficult entries 49 to 97.
Score ScoreAt(const std::string& file, int index);

// The entry of a board of `columns` x `rows` in the given mode: 0 to 97.
int ScoreIndex(bool easy, int columns, int rows);

// A real click on the up (toward 4) or down (toward 10) arrow of a spin.
void ClickSpinArrow(HWND dialog, int spinId, bool up);

// ゲーム設定 > 難易度設定: the arrows walk both sizes to `columns` x `rows`,
// the rule's button is clicked and OK closes the dialog. Empty on success,
// else what went wrong.
std::string SetDifficulty(Game& game, int columns, int rows, bool easy);
