// The sound play-list editor, and what the Edit list command does after it.
#include "music/music_win.h"

#include "dialogs/dialog_win.h"
#include "dialogs/list_editor_win.h"
#include "res/resource.h"
#include "res/texts_win.h"
#include "storage/list_file_win.h"

const char kSoundPatterns[] = "*.mp3;*.mid;*.wav";

namespace {

// What the editor works on: the list and the file it is kept in.
struct SoundListEdit {
    std::vector<std::string>* list;
    ListFiles* files;
};

// WM_INITDIALOG's lParam points to a SoundListEdit.
INT_PTR CALLBACK SoundListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // The file dialog's texts, from the string table once the program runs.
    static const std::wstring filter = FileFilter(IDS_SOUND_FILTER_NAME, L"*.mp3;*.mid;*.wav");
    static const std::wstring title = LoadText(IDS_SOUND_TITLE);
    static const std::wstring folderTitle = LoadText(IDS_SOUND_FOLDER_TITLE);
    auto* edit = DialogContext<SoundListEdit>(dialog, message, lParam);
    if (!edit) return FALSE;  // a message before WM_INITDIALOG
    const ListEditor editor = {
        IDC_SOUND_LIST, &filter, &title, L"mp3", kSoundPatterns, &folderTitle, [edit](HWND dialog) {
            TellIfAddsAreNotKept(dialog, *edit->files, ListFile::Sounds);
        }};
    return RunListEditor(dialog, message, wParam, reinterpret_cast<LPARAM>(edit->list), editor);
}

}  // namespace

// The music is neither started nor stopped here: a file that plays goes on,
// and the next one comes from the edited list.
SoundMenu EditSoundList(HWND window, MusicPlayer& music, ListFiles& listFiles) {
    const SoundPlayer& player = music.player;
    SoundListEdit edit = {&music.player.soundList, &listFiles};
    const INT_PTR result = ShowDialog(window, IDD_SOUND_LIST, SoundListDlgProc, reinterpret_cast<LPARAM>(&edit));
    // A sound.txt that could not be read is replaced only by a list the
    // player confirmed with OK. A save that fails is silent: the exit saves
    // the list again.
    const SoundListSave save = result == IDOK ? SoundListSave::Confirmed : SoundListSave::Unconfirmed;
    SaveSoundListFile(listFiles, player.soundList, save);
    return SoundMenuAfterEdit(player);
}

SoundMenu AddDroppedSounds(HWND window, MusicPlayer& music, ListFiles& listFiles,
                           const std::vector<std::string>& paths) {
    TellIfAddsAreNotKept(window, listFiles, ListFile::Sounds);
    SoundPlayer& player = music.player;
    player.soundList.insert(player.soundList.end(), paths.begin(), paths.end());
    // Saved like an edited list, but a sound.txt that could not be read
    // keeps its own list: the player has not seen the one in memory. A save
    // that fails is silent, as after the editor.
    SaveSoundListFile(listFiles, player.soundList, SoundListSave::Unconfirmed);
    return SoundMenuAfterEdit(player);
}
