// The rows of the Best Times dialog.
#include "scores/records_table.h"

#include <algorithm>
#include <cstdio>

namespace {

// Negative, zero or positive as `a` goes before, with or after `b` by `column`, ascending.
int Compare(const RecordRow& a, const RecordRow& b, RecordColumn column) {
    auto order = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (column) {
    case RecordColumn::Size: {
        const int byCells = order(a.columns * a.rows, b.columns * b.rows);
        return byCells != 0 ? byCells : order(a.columns, b.columns);
    }
    case RecordColumn::Rule:
        return order(!a.slot.easyMode, !b.slot.easyMode);
    case RecordColumn::Name:
        return order(a.name, b.name);
    default:
        return order(a.seconds, b.seconds);
    }
}

}  // namespace

bool operator==(const RecordSlot& a, const RecordSlot& b) {
    return a.easyMode == b.easyMode && a.sizeIndex == b.sizeIndex;
}

bool HoldsRecord(const BestTime& entry) {
    return entry.seconds < kDefaultBestSeconds || entry.name != kNotRegistered;
}

std::vector<RecordRow> ListRecords(const HighScoreTable& table, RecordsShown shown) {
    std::vector<RecordRow> rows;
    for (const bool easyMode : {true, false}) {
        const BestTime* entries = easyMode ? table.easy : table.difficult;
        for (int i = 0; i < kSizeCount; ++i) {
            if (shown == RecordsShown::Recorded && !HoldsRecord(entries[i])) continue;
            rows.push_back({{easyMode, i}, SizeColumns(i), SizeRows(i), entries[i].name, entries[i].seconds});
        }
    }
    return rows;
}

void SortRecords(std::vector<RecordRow>& rows, RecordColumn column, SortOrder order) {
    std::stable_sort(rows.begin(), rows.end(), [&](const RecordRow& a, const RecordRow& b) {
        const int compared = Compare(a, b, column);
        return order == SortOrder::Ascending ? compared < 0 : compared > 0;
    });
}

RecordSort NextSort(const RecordSort& now, RecordColumn clicked) {
    if (clicked != now.column) return {clicked, SortOrder::Ascending};
    return {clicked, now.order == SortOrder::Ascending ? SortOrder::Descending : SortOrder::Ascending};
}

std::optional<size_t> FindRecord(const std::vector<RecordRow>& rows, const RecordSlot& slot) {
    const auto found = std::find_if(rows.begin(), rows.end(), [&](const RecordRow& row) { return row.slot == slot; });
    if (found == rows.end()) return std::nullopt;
    return static_cast<size_t>(found - rows.begin());
}

std::string FormatRecordTime(uint32_t seconds) {
    char text[48];
    std::snprintf(text, sizeof text, "%lu min %lu sec", static_cast<unsigned long>(seconds / 60u),
                  static_cast<unsigned long>(seconds % 60u));
    return text;
}
