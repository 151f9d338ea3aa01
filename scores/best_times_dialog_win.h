// The Best Times dialog: every best time with its player, and what the
// history adds up to for each board size and rule.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "scores/best_times.h"
#include "scores/history.h"
#include "scores/records_table.h"

// Shows the dialog over `owner`: the entries of `table` that hold a record
// (all 98 once the player asks), the row of `lastRecord` (the player's latest
// record in this run) selected, and the sums of `history`. The list view's
// class must be registered (RegisterCommonControls).
void ShowBestTimes(HWND owner, const HighScoreTable& table, const std::optional<RecordSlot>& lastRecord,
                   const std::vector<FinishedGame>& history);
