// The picture play-list: walking it, single-file mode, reloading, the editor dialog.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include <string>
#include <vector>

#include "platform/com_ptr_win.h"
#include "display/views_win.h"
#include "pictures/play_list.h"
#include "scores/best_times.h"
#include "storage/list_file_win.h"

// Where the pictures come from.
struct PictureSource {
    // The play-list (in place of a hidden list box) and the entry shown.
    std::vector<std::string> imageList;
    int imageCursor = 0;
    // A single file was opened in place of the play-list.
    bool singleFileMode = false;
    // The folder relative entries are found in: the program's, ending in a backslash.
    std::string entryFolder;
    // The decoder of every format but bmp and jpg.
    ComPtr<IWICImagingFactory> wicFactory;
};

// How a change of the picture source leaves one item of the Game menu.
enum class MenuItem { Unchanged, Enabled, Grayed };

// What a change of the picture source asks of the rest of the program: a
// newly loaded picture is shuffled and shown, and the Game menu follows.
struct PictureChange {
    bool loaded = false;
    MenuItem start = MenuItem::Unchanged;
    MenuItem nextPicture = MenuItem::Unchanged;
    MenuItem reloadList = MenuItem::Unchanged;
    bool endsGame = false;  // no picture is left to play: a game in play ends
};

// A picture can be shown: a single file was opened or the play-list has entries.
bool HasPictureSource(const PictureSource& source);
// Whether the pictures come from the play-list or from a single file, as a save of kanoze.txt asks.
PictureMode ModeOf(const PictureSource& source);

// The player's choice of one file in place of the play-list; the list is
// saved first, while it is still the play-list.
PictureChange OpenSingleFile(HWND window, PictureSource& source, Screen& screen, ListFiles& files,
                             HighScoreTable& highScores);
// The entry after the cursor, or the first one after it that loads; entries
// that can never load are dropped, those that cannot load now are passed.
PictureChange ShowNextListedPicture(HWND window, PictureSource& source, Screen& screen);
// The play-list read again from kanoze.txt, from its first entry.
PictureChange ReloadImageList(HWND window, PictureSource& source, Screen& screen, ListFiles& files,
                              HighScoreTable& highScores);
// A picture dropped on the window alone: shown as File > Open shows a chosen
// one. A file that does not load changes nothing.
PictureChange OpenDroppedPicture(HWND window, PictureSource& source, Screen& screen, ListFiles& files,
                                 HighScoreTable& highScores, const std::string& path);
// Pictures dropped together (or a folder's): they join the end of the
// play-list, which is then the one in play and is saved, and the first of
// them that loads is shown. Those before it that do not load are left out;
// when none loads, nothing changes.
PictureChange AddDroppedPictures(HWND window, PictureSource& source, Screen& screen, ListFiles& files,
                                 HighScoreTable& highScores, const std::vector<std::string>& paths);
// The patterns of every picture the decoders read ("*.bmp;*.jpg;*.gif;*.png;...").
const std::string& PicturePatterns(IWICImagingFactory* factory);

// What the play-list editor works on: the play-list and the file it is kept in.
struct ImageListEdit {
    PictureSource* source;
    ListFiles* files;
};
// The play-list editor; WM_INITDIALOG's lParam points to an ImageListEdit.
INT_PTR CALLBACK ImageListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The picture of a saved game, and what became of loading it.
struct SavedPicture {
    PictureChange change;
    // BadFile too when the picture no longer gives the size the game was
    // saved on (another picture under the name, or another screen).
    LoadOutcome outcome = LoadOutcome::BadFile;
};

// Loads the picture of a game saved at the last close, named as a list
// entry names it (`entry`, relative to the program's folder or not): as the
// play-list's entry when the list holds it, else as a single file. Loaded
// only when it still gives the fitted size of `width` x `height` the
// arrangement was made on; otherwise nothing is loaded and the start goes on
// as without a saved game.
SavedPicture LoadSavedPicture(HWND window, PictureSource& source, Screen& screen, const std::string& entry, int width,
                              int height);

// Loads the first entry of the play-list that loads, dropping the ones
// before it that never will. Without one, Start is grayed, and Next picture
// too when no entry is left to try again.
PictureChange LoadFirstListedPicture(HWND window, PictureSource& source, Screen& screen);
