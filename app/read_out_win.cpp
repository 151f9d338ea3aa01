// The read-out on the menu bar: its text from the game's state, the menu
// item that shows it, and its timer.
#include "app/read_out_win.h"

#include <climits>
#include <string>

#include "app/game_state_win.h"
#include "app/session_win.h"
#include "game/read_out.h"
#include "platform/gdi_win.h"
#include "res/resource.h"
#include "res/texts_win.h"

namespace {

constexpr UINT kReadOutPeriodMs = 1000;

ReadOutWords LoadReadOutWords() {
    return {LoadText(IDS_READ_OUT_SEPARATOR), LoadText(IDS_READ_OUT_SWAPS),  LoadText(IDS_READ_OUT_ONE_SWAP),
            LoadText(IDS_READ_OUT_UNRANKED),  LoadText(IDS_READ_OUT_PAUSED), LoadText(IDS_READ_OUT_RESUMED)};
}

std::wstring CurrentReadOut() {
    static const ReadOutWords words = LoadReadOutWords();
    const DWORD now = GetTickCount();
    ReadOutFacts facts;
    facts.playedMs = PlayedMilliseconds(g_state.play, now);
    facts.exchanges = g_state.play.exchanges;
    facts.piecesHome = PiecesHome(g_state.board);
    facts.cellCount = CellCount(g_state.board);
    facts.rank = g_state.board.ranked ? DealRank::Ranked : DealRank::Unranked;
    facts.status = ReadOutStatusOf(g_state.play, g_state.readOut.resumedAtMs, now);
    return ReadOutText(facts, words);
}

// The read-out's position on the menu bar, or -1 when it is not there.
int ReadOutPosition(HMENU bar) {
    const int count = GetMenuItemCount(bar);
    for (int i = 0; i < count; ++i) {
        if (GetMenuItemID(bar, i) == IDM_READ_OUT_BAR) return i;
    }
    return -1;
}

// True when the bar item at `position` lies on the row of the first one.
bool OnFirstRow(HWND window, HMENU bar, int position) {
    RECT first, item;
    return GetMenuItemRect(window, bar, 0, &first) && GetMenuItemRect(window, bar, position, &item) &&
           item.right > item.left && item.top == first.top;
}

// The pixels the bar leaves free right of its last item of its own, or 0
// when those items already take more than one row.
int FreeBarWidth(HWND window, HMENU bar, int ownItems) {
    RECT last, client;
    if (ownItems <= 0 || !GetMenuItemRect(window, bar, ownItems - 1, &last) || !OnFirstRow(window, bar, ownItems - 1) ||
        !GetClientRect(window, &client)) {
        return 0;
    }
    // The bar spans the client area's width, on screen as the items' rectangles are.
    POINT right = {client.right, 0};
    ClientToScreen(window, &right);
    return right.x - last.right;
}

// The width `text` takes as a menu item, with room to spare for the item's
// margins, which the system does not tell.
int MenuItemWidth(HWND window, const std::wstring& text) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    const WindowDc dc(window);
    if (!dc || !SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return INT_MAX;
    const SelectedFont font(dc.get(), CreateFontIndirectW(&metrics.lfMenuFont));
    SIZE size = {};
    TEXTMETRICW letters = {};
    if (!GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size) ||
        !GetTextMetricsW(dc.get(), &letters)) {
        return INT_MAX;
    }
    return size.cx + 3 * letters.tmAveCharWidth;
}

std::wstring ItemText(HMENU bar, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(bar, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return text;
}

void RemoveReadOut(HWND window) {
    HMENU bar = GetMenu(window);
    const int position = ReadOutPosition(bar);
    if (position < 0) return;
    DeleteMenu(bar, static_cast<UINT>(position), MF_BYPOSITION);
    DrawMenuBar(window);
}

// The read-out as `text`, where it fits beside the menu's own items without
// a second row: a taller bar would take rows from the picture.
void ShowReadOutText(HWND window, const std::wstring& text) {
    HMENU bar = GetMenu(window);
    const int position = ReadOutPosition(bar);
    if (position >= 0 && ItemText(bar, position) == text) return;
    const int ownItems = position >= 0 ? position : GetMenuItemCount(bar);
    if (MenuItemWidth(window, text) > FreeBarWidth(window, bar, ownItems)) {
        RemoveReadOut(window);
        return;
    }
    // Enabled, so that it is drawn in the menu's own colour; its command does nothing.
    const UINT flags = MF_STRING | MF_RIGHTJUSTIFY;
    if (position >= 0) {
        ModifyMenuW(bar, static_cast<UINT>(position), MF_BYPOSITION | flags, IDM_READ_OUT_BAR, text.c_str());
    } else {
        AppendMenuW(bar, flags, IDM_READ_OUT_BAR, text.c_str());
    }
    DrawMenuBar(window);
    // Measured wrong after all: the bar goes back to one row.
    if (!OnFirstRow(window, bar, ReadOutPosition(bar))) RemoveReadOut(window);
}

void StopTicking(HWND window) {
    if (g_state.readOut.ticking) KillTimer(window, TIMER_READ_OUT);
    g_state.readOut.ticking = false;
}

}  // namespace

void RefreshReadOut(HWND window) {
    if (!g_state.play.playing || !g_state.showReadOut) {
        StopTicking(window);
        RemoveReadOut(window);
        return;
    }
    if (!g_state.readOut.ticking) {
        g_state.readOut.ticking = SetTimer(window, TIMER_READ_OUT, kReadOutPeriodMs, nullptr) != 0;
    }
    ShowReadOutText(window, CurrentReadOut());
}

void TakeReadOutOff(HWND window) {
    RemoveReadOut(window);
}

void NoteResumedGame() {
    g_state.readOut.resumedAtMs = PlayedMilliseconds(g_state.play, GetTickCount());
}

void NoteNewGame() {
    g_state.readOut.resumedAtMs.reset();
}

void ToggleReadOut(HWND window) {
    g_state.showReadOut = !g_state.showReadOut;
    ShowReadOutChoice(window);
    SaveSettings();
    RefreshReadOut(window);
}

void ShowReadOutChoice(HWND window) {
    CheckMenuItem(GetMenu(window), IDM_READ_OUT, MF_BYCOMMAND | (g_state.showReadOut ? MF_CHECKED : MF_UNCHECKED));
}
