// The sound play-list editor, and what the Edit list command does after it.
#include "music/music.h"

#include "display/list_editor.h"
#include "res/resource.h"
#include "res/texts.h"
#include "storage/list_file_win.h"

const char kSoundPatterns[] = "*.mp3;*.mid;*.wav";

namespace {

// WM_INITDIALOG's lParam points to the list.
INT_PTR CALLBACK SoundListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // The file dialog's texts, from the string table once the program runs.
    static const std::wstring filter = FileFilter(IDS_SOUND_FILTER_NAME, L"*.mp3;*.mid;*.wav");
    static const std::wstring title = LoadText(IDS_SOUND_TITLE);
    static const std::wstring folderTitle = LoadText(IDS_SOUND_FOLDER_TITLE);
    const ListEditor editor = {IDC_SOUND_LIST, &filter, &title, L"mp3", kSoundPatterns, &folderTitle};
    return RunListEditor(dialog, message, wParam, lParam, editor);
}

}  // namespace

// The music is neither started nor stopped here: a file that plays goes on,
// and the next one comes from the edited list.
SoundMenu EditSoundList(HWND window, MusicPlayer& music, ListFiles& listFiles) {
    const SoundPlayer& player = music.player;
    const INT_PTR result =
        ShowDialog(window, IDD_SOUND_LIST, SoundListDlgProc, reinterpret_cast<LPARAM>(&music.player.soundList));
    // A sound.txt that could not be read is replaced only by a list the
    // player confirmed with OK.
    SaveSoundListFile(listFiles, player.soundList, result == IDOK);
    return SoundMenuAfterEdit(player);
}

SoundMenu AddDroppedSounds(MusicPlayer& music, ListFiles& listFiles, const std::vector<std::string>& paths) {
    SoundPlayer& player = music.player;
    player.soundList.insert(player.soundList.end(), paths.begin(), paths.end());
    // Saved like an edited list, but a sound.txt that could not be read
    // keeps its own list: the player has not seen the one in memory.
    SaveSoundListFile(listFiles, player.soundList, false);
    return SoundMenuAfterEdit(player);
}
