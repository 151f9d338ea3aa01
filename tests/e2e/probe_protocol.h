// What the test driver and the probe hook in the game's thread say to each
// other: the hook's exported name, the registered messages and the replies.
// The driver sends a message with its reply window in wParam; the hook
// answers with one WM_COPYDATA of NUL-ended text, one line per entry.
#pragma once

constexpr char kProbeHookName[] = "KanozeProbeHook";
// The hook on messages the game's thread takes from its queue.
constexpr char kProbeQueueHookName[] = "KanozeProbeQueueHook";

// The menu, one line per item (kind, bar position, item position -1 for the
// bar itself, id, state, bar item rectangle or 0,0,0,0, UTF-8 text). The
// items of a submenu follow its item, each at position 100 x (the item's
// position + 1) + its own.
constexpr char kProbeMenuMessage[] = "Kanoze.Probe";
constexpr char kMenuBar[] = "bar";
constexpr char kMenuItem[] = "item";
constexpr char kMenuSubItem[] = "sub";
constexpr char kMenuLineWrite[] = "%s\t%d\t%d\t%u\t%u\t%ld,%ld,%ld,%ld\t";
constexpr char kMenuLineRead[] = "%7[a-z]\t%d\t%d\t%u\t%u\t%ld,%ld,%ld,%ld\t%n";

// The game process's objects and memory, one "name<TAB>value" line each.
constexpr char kProbeUsageMessage[] = "Kanoze.ProbeGdi";
constexpr char kUsageGdiSlots[] = "gdi_slots";        // live GDI handles, counted slot by slot
constexpr char kUsageUserObjects[] = "user_objects";  // the four kinds below together
constexpr char kUsageWindows[] = "windows";
constexpr char kUsageMenus[] = "menus";
constexpr char kUsageIcons[] = "icons";  // cursors too
constexpr char kUsageAccelerators[] = "accelerators";
constexpr char kUsageGuiGdi[] = "gr_gdi";  // GetGuiResources, 0 under Wine
constexpr char kUsageGuiUser[] = "gr_user";
constexpr char kUsagePrivateKb[] = "private_kb";
constexpr char kUsageFreshGdiSlots[] = "fresh_gdi_slots";  // slots a new DC, bitmap and brush take

// Every file the game process holds open, one full path a line.
constexpr char kProbeFilesMessage[] = "Kanoze.ProbeFiles";

// Posted, not sent: answered with an empty reply once the game's thread takes
// it from its queue, so after every message posted before it (a menu command).
constexpr char kProbeSyncMessage[] = "Kanoze.ProbeSync";

// Where the keyboard stands in the menu: "<bar item>\t<popup item>", each
// the highlighted position or -1 (no popup open, or nothing highlighted).
constexpr char kProbeMenuFocusMessage[] = "Kanoze.ProbeMenuFocus";

// How the game process is aware of the screen's scaling: "awareness" (unaware,
// system, per-monitor or per-monitor-v2), "window_dpi" and "system_dpi".
constexpr char kProbeDpiMessage[] = "Kanoze.ProbeDpi";
constexpr char kDpiAwareness[] = "awareness";
constexpr char kDpiWindow[] = "window_dpi";
constexpr char kDpiSystem[] = "system_dpi";
// Sends the game window WM_DPICHANGED as a move to a monitor of twice the
// scaling does: twice the window's dpi, and the window's rectangle twice as
// large with its top-left corner at the screen point in lParam (x low word,
// y high word). Replies once the window has handled it.
constexpr char kProbeDpiChangedMessage[] = "Kanoze.ProbeDpiChanged";

// Drops files on a window of the game (the handle in lParam) as Explorer's
// drop does: the hook posts it WM_DROPFILES with the paths, built in the game
// process. The paths wait in the named shared memory below: UTF-16, each
// ending in a NUL, an empty one after the last.
constexpr char kProbeDropMessage[] = "Kanoze.ProbeDrop";
constexpr wchar_t kDropPathsMapping[] = L"Kanoze.ProbeDropPaths";

// The rows of a list view of the game (its handle in lParam), one line each:
// "*" when the row is selected, else "-", then a tab and the texts of its
// columns in UTF-8, tab-separated.
constexpr char kProbeListViewMessage[] = "Kanoze.ProbeListView";
