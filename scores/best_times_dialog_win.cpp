// The Best Times dialog: the rows come from the records table and the
// history's sums; this only puts them into the two list views.
#include "scores/best_times_dialog_win.h"

#include <commctrl.h>

#include "dialogs/dialog_win.h"
#include "dialogs/list_view_win.h"
#include "platform/code_page_win.h"
#include "res/resource.h"
#include "res/texts_win.h"

namespace {

// What the dialog shows and how the player has asked for it.
struct BestTimesView {
    const HighScoreTable* table;
    std::optional<RecordSlot> lastRecord;
    std::vector<HistorySummary> summaries;
    RecordsShown shown = RecordsShown::Recorded;
    std::optional<RecordSort> sort;  // none: the tables' own order
};

std::wstring SizeText(int columns, int rows) {
    wchar_t text[32];
    wsprintfW(text, L"%d \u00D7 %d", columns, rows);
    return text;
}

std::wstring RuleText(bool easyMode) { return LoadText(easyMode ? IDS_RULE_EASY : IDS_RULE_DIFFICULT); }

std::wstring TimeText(uint32_t seconds) { return WideFromUtf8(FormatRecordTime(seconds)); }

void ShowRecords(HWND dialog, const BestTimesView& view) {
    std::vector<RecordRow> records = ListRecords(*view.table, view.shown);
    if (view.sort) SortRecords(records, view.sort->column, view.sort->order);
    std::vector<ListViewRow> rows;
    for (const RecordRow& record : records) {
        rows.push_back({SizeText(record.columns, record.rows), RuleText(record.slot.easyMode),
                        WideFromAnsi(record.name), TimeText(record.seconds)});
    }
    const HWND list = GetDlgItem(dialog, IDC_RECORD_LIST);
    FillListView(list, rows);
    const auto last = view.lastRecord ? FindRecord(records, *view.lastRecord) : std::nullopt;
    if (last) SelectListViewRow(list, static_cast<int>(*last));
}

void ShowSummaries(HWND dialog, const BestTimesView& view) {
    std::vector<ListViewRow> rows;
    for (const HistorySummary& sum : view.summaries) {
        rows.push_back({SizeText(sum.columns, sum.rows), RuleText(sum.easyMode), std::to_wstring(sum.games),
                        TimeText(sum.bestSeconds), TimeText(sum.averageSeconds), TimeText(sum.lastSeconds)});
    }
    FillListView(GetDlgItem(dialog, IDC_HISTORY_LIST), rows);
}

void InitBestTimes(HWND dialog, const BestTimesView& view) {
    SetListViewColumns(GetDlgItem(dialog, IDC_RECORD_LIST),
                       {LoadText(IDS_COLUMN_SIZE), LoadText(IDS_COLUMN_RULE), LoadText(IDS_COLUMN_NAME),
                        LoadText(IDS_COLUMN_TIME)});
    SetListViewColumns(GetDlgItem(dialog, IDC_HISTORY_LIST),
                       {LoadText(IDS_COLUMN_SIZE), LoadText(IDS_COLUMN_RULE), LoadText(IDS_COLUMN_GAMES),
                        LoadText(IDS_COLUMN_BEST), LoadText(IDS_COLUMN_AVERAGE), LoadText(IDS_COLUMN_LAST)});
    ShowRecords(dialog, view);
    ShowSummaries(dialog, view);
    SetFocus(GetDlgItem(dialog, IDC_RECORD_LIST));
}

// A click on a header of the records: sorted by that column, or the other way round.
void SortByColumn(HWND dialog, BestTimesView& view, int column) {
    if (column < static_cast<int>(RecordColumn::Size) || column > static_cast<int>(RecordColumn::Time)) return;
    const auto clicked = static_cast<RecordColumn>(column);
    view.sort = view.sort ? NextSort(*view.sort, clicked) : RecordSort{clicked, SortOrder::Ascending};
    ShowRecords(dialog, view);
}

INT_PTR CALLBACK BestTimesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    BestTimesView* view = DialogContext<BestTimesView>(dialog, message, lParam);
    if (!view) return FALSE;  // a message before WM_INITDIALOG
    switch (message) {
    case WM_INITDIALOG:
        InitBestTimes(dialog, *view);
        return FALSE;  // the focus is set
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
        } else if (LOWORD(wParam) == IDC_SHOW_ALL && HIWORD(wParam) == BN_CLICKED) {
            const bool all = IsDlgButtonChecked(dialog, IDC_SHOW_ALL) == BST_CHECKED;
            view->shown = all ? RecordsShown::All : RecordsShown::Recorded;
            ShowRecords(dialog, *view);
        }
        return TRUE;
    case WM_NOTIFY: {
        const auto* notice = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (notice->hdr.idFrom != IDC_RECORD_LIST || notice->hdr.code != LVN_COLUMNCLICK) return FALSE;
        SortByColumn(dialog, *view, notice->iSubItem);
        return TRUE;
    }
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void ShowBestTimes(HWND owner, const HighScoreTable& table, const std::optional<RecordSlot>& lastRecord,
                   const std::vector<FinishedGame>& history) {
    BestTimesView view = {&table, lastRecord, SummariseHistory(history), RecordsShown::Recorded, std::nullopt};
    // It only shows: however it ends, nothing changes.
    ShowDialog(owner, IDD_BEST_TIMES, BestTimesDlgProc, reinterpret_cast<LPARAM>(&view));
}
