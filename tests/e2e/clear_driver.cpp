// Driving the celebration's dialogs and the difficulty dialog, and reading
// best times from kanoze.txt.
#include "clear_driver.h"

#include <cstdlib>
#include <vector>

const wchar_t kNameDialogTitle[] = L"ハイスコア！";
const wchar_t kDifficultyTitle[] = L"難易度設定";

Score ScoreAt(const std::string& file, int index) {
    const std::vector<std::string> lines = SplitLines(file);
    size_t at = 0;
    while (at < lines.size() && lines[at] != "#SCORE\r") ++at;
    at += 1 + 2 * static_cast<size_t>(index);
    Score score;
    if (at + 1 >= lines.size()) return score;
    if (lines[at].rfind("NAME=", 0) == 0) score.name = lines[at].substr(5, lines[at].size() - 6);
    if (lines[at + 1].rfind("SCORE=", 0) == 0) score.seconds = std::atol(lines[at + 1].c_str() + 6);
    return score;
}

int ScoreIndex(bool easy, int columns, int rows) { return (easy ? 0 : 49) + (rows - 4) * 7 + (columns - 4); }

void ClickSpinArrow(HWND dialog, int spinId, bool up) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, spinId), &r);
    const int height = r.bottom - r.top;
    ClickScreen((r.left + r.right) / 2, up ? r.top + height / 4 : r.bottom - 1 - height / 4);
}

namespace {

// Steps one size edit to `target` with its spin, one checked click at a time.
std::string WalkSize(HWND dialog, int editId, int spinId, int target) {
    HWND edit = GetDlgItem(dialog, editId);
    for (int guard = 0; guard < 12; ++guard) {
        const int shown = _wtoi(ControlText(edit).c_str());
        if (shown == target) return {};
        const std::wstring next = std::to_wstring(shown < target ? shown + 1 : shown - 1);
        ClickSpinArrow(dialog, spinId, shown > target);
        if (!WaitUntil([&] { return ControlText(edit) == next; })) {
            return "the spin does not step from " + std::to_string(shown) + " toward " + std::to_string(target);
        }
    }
    return "the size edit does not reach " + std::to_string(target);
}

}  // namespace

std::string SetDifficulty(Game& game, int columns, int rows, bool easy) {
    if (!game.ChooseMenuItem(2, 3)) return "no 難易度設定 in ゲーム設定";  // Down skips the separator
    HWND dialog = WaitForDialog(kDifficultyTitle);
    if (!dialog) return "the difficulty dialog does not open";
    std::string failure = WalkSize(dialog, IDC_COLUMNS_EDIT, IDC_COLUMNS_SPIN, columns);
    if (failure.empty()) failure = WalkSize(dialog, IDC_ROWS_EDIT, IDC_ROWS_SPIN, rows);
    if (!failure.empty()) return failure;
    HWND rule = GetDlgItem(dialog, easy ? IDC_EASY : IDC_DIFFICULT);
    if (SendMessageW(rule, BM_GETCHECK, 0, 0) != BST_CHECKED) {
        game.ClickWindow(rule);
        if (!WaitUntil([&] { return SendMessageW(rule, BM_GETCHECK, 0, 0) == BST_CHECKED; })) {
            return easy ? "簡単 does not take the check" : "ムズカシイ does not take the check";
        }
    }
    game.ClickWindow(GetDlgItem(dialog, IDOK));
    return WaitUntilClosed(dialog) ? std::string() : "the difficulty dialog does not close on OK";
}
