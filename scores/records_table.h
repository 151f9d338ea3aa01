// The rows of the Best Times dialog: the best-time tables as a list the
// player can sort, and the times as the program writes them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scores/best_times.h"

// One entry of the best-time tables.
struct RecordSlot {
    bool easyMode = false;
    int sizeIndex = 0;  // SizeIndex of the board
};
bool operator==(const RecordSlot& a, const RecordSlot& b);

// One row: an entry of the tables and what it holds.
struct RecordRow {
    RecordSlot slot;
    int columns = 0;
    int rows = 0;
    std::string name;  // in the list files' code page
    uint32_t seconds = 0;
};

// Which entries are listed.
enum class RecordsShown {
    Recorded,  // those that hold a record
    All,       // all 98, those without a record ("Not regist", 99 min 0 sec) too
};

// An entry holds a record once a game has set its time or a name was given to it.
bool HoldsRecord(const BestTime& entry);

// The entries of both tables, easy first, each in SizeIndex order.
std::vector<RecordRow> ListRecords(const HighScoreTable& table, RecordsShown shown);

// The columns of the list, left to right.
enum class RecordColumn { Size, Rule, Name, Time };
enum class SortOrder { Ascending, Descending };

// Sorts by one column; rows that compare equal keep the tables' order. Sizes
// go by their cell count, then their columns; the rule easy before
// difficult; names byte by byte.
void SortRecords(std::vector<RecordRow>& rows, RecordColumn column, SortOrder order);

// A click on a column's header: the same column again turns the order round,
// another column sorts ascending.
struct RecordSort {
    RecordColumn column = RecordColumn::Size;
    SortOrder order = SortOrder::Ascending;
};
RecordSort NextSort(const RecordSort& now, RecordColumn clicked);

// Where the row of `slot` stands in `rows`, if it is listed.
std::optional<size_t> FindRecord(const std::vector<RecordRow>& rows, const RecordSlot& slot);

// A time as the roll shows it: "1 min 11 sec".
std::string FormatRecordTime(uint32_t seconds);
