// Files that another program, a download or a mistyped path leave where the
// game looks: a picture whose header lies about its size, pipes and devices
// named in the lists, a DLL beside the program. The game starts, answers and
// ends with nothing lost that could be kept, and runs no code but its own.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "game_driver.h"

namespace {

const wchar_t kFileDialogTitle[] = L"画像ファイルを選択";

class HostileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = MakeTestDirectory();
        good_ = directory_ + L"good.bmp";
        ASSERT_TRUE(WritePositionBmp(good_, 320, 240));
    }

    void WriteList(const wchar_t* name, const std::vector<std::string>& entries) {
        std::string text = "#FILE\r\n";
        for (const std::string& entry : entries) text += entry + "\r\n";
        ASSERT_TRUE(WriteFileBytes(directory_ + name, text + "#FILE_END\r\n"));
    }

    bool GoodPictureShown() {
        return WaitUntil([&] {
            const POINT p = game_.ClientToScreenPoint(37, 21);
            return ClientSize(game_.window()).cx == 320 && ScreenPixel(p.x, p.y) == PositionColour(37, 21);
        });
    }

    void Close() {
        ASSERT_TRUE(game_.ChooseMenuItem(0, kFileCloseItem));
        ASSERT_EQ(0u, game_.WaitForExit()) << "the game ends by itself, without a crash";
    }

    std::wstring directory_;
    std::wstring good_;
    Game game_;
};

// A 676-byte jpg whose frame header says 40000 x 40000: the demo photo's
// headers and the start of its data, with the frame's size changed, and its
// end marker. Wine's decoder takes a buffer for the frame whose size wraps
// round at 4 GB and writes the whole frame into it.
std::string LyingJpg() {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(Environment(L"KANOZE_SOURCE") + L"\\demo\\mountains.jpg", bytes));
    const size_t frame = bytes.find("\xFF\xC0");
    EXPECT_NE(std::string::npos, frame);
    if (frame == std::string::npos) return {};
    bytes.replace(frame + 5, 4, "\x9C\x40\x9C\x40");  // height, width
    return bytes.substr(0, 674) + "\xFF\xD9";
}

TEST_F(HostileTest, APictureWhoseHeaderLiesAboutItsSizeIsRefusedBeforeItIsDecoded) {
    const std::wstring lying = directory_ + L"huge.jpg";
    ASSERT_TRUE(WriteFileBytes(lying, LyingJpg()));
    WriteList(L"kanoze.txt", {AnsiPath(lying), AnsiPath(good_)});
    ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", directory_));
    EXPECT_TRUE(GoodPictureShown()) << "the next picture shows";

    ASSERT_TRUE(game_.ChooseMenuItem(0, 0));  // ファイルを開く
    ASSERT_TRUE(AnswerFileDialog(kFileDialogTitle, lying));
    EXPECT_FALSE(game_.ReadMenu().empty()) << "the game still runs";
    EXPECT_TRUE(GoodPictureShown()) << "the picture shown stays";
    Close();
    EXPECT_EQ(std::string::npos, FileNow(directory_ + L"kanoze.txt").find("huge.jpg")) << "it never will load";
}

TEST_F(HostileTest, PipesAndDevicesInTheListsAreDroppedWithoutAWait) {
    // A pipe every Wine has, serial ports and the auxiliary device.
    const std::vector<std::string> devices = {"\\\\.\\pipe\\svcctl", "COM1", "\\\\.\\COM2", "AUX"};
    std::vector<std::string> pictures = devices;
    pictures.push_back(AnsiPath(good_));
    WriteList(L"kanoze.txt", pictures);
    std::string tune;
    ASSERT_TRUE(ReadFileBytes(Environment(L"KANOZE_SOURCE") + L"\\demo\\tune.wav", tune));
    ASSERT_TRUE(WriteFileBytes(directory_ + L"tune.wav", tune));
    std::vector<std::string> sounds = devices;
    sounds.push_back(AnsiPath(directory_ + L"tune.wav"));
    WriteList(L"sound.txt", sounds);

    ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", directory_));
    EXPECT_TRUE(GoodPictureShown()) << "the picture after them shows";
    ASSERT_TRUE(game_.ChooseMenuItem(3, 0));  // サウンド > スタート
    EXPECT_TRUE(WaitUntil([&] { return game_.Probe(kProbeFilesMessage).find("tune.wav") != std::string::npos; }))
        << "the tune after them plays";
    Close();
    const std::string kept = FileNow(directory_ + L"kanoze.txt") + FileNow(directory_ + L"sound.txt");
    for (const std::string& device : devices) EXPECT_EQ(std::string::npos, kept.find(device)) << device;
}

// The names of the DLLs a program file imports, in lower case.
std::set<std::string> ImportedDlls(const std::string& image) {
    std::set<std::string> names;
    auto at = [&](size_t offset, size_t size) { return offset + size <= image.size() ? &image[offset] : nullptr; };
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
    if (!dos) return names;
    const size_t nt = static_cast<size_t>(dos->e_lfanew);
    const auto* file = reinterpret_cast<const IMAGE_FILE_HEADER*>(at(nt + 4, sizeof(IMAGE_FILE_HEADER)));
    if (!file) return names;
    const size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
    const bool wide = file->SizeOfOptionalHeader == sizeof(IMAGE_OPTIONAL_HEADER64);
    const auto* directory = reinterpret_cast<const IMAGE_DATA_DIRECTORY*>(
        at(optional + (wide ? offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory)
                            : offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory)) +
               IMAGE_DIRECTORY_ENTRY_IMPORT * sizeof(IMAGE_DATA_DIRECTORY),
           sizeof(IMAGE_DATA_DIRECTORY)));
    if (!directory) return names;
    const size_t sections = optional + file->SizeOfOptionalHeader;
    auto offsetOf = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < file->NumberOfSections; ++i) {
            const auto* s = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
                at(sections + i * sizeof(IMAGE_SECTION_HEADER), sizeof(IMAGE_SECTION_HEADER)));
            if (s && rva >= s->VirtualAddress && rva < s->VirtualAddress + s->SizeOfRawData) {
                return rva - s->VirtualAddress + s->PointerToRawData;
            }
        }
        return image.size();
    };
    for (size_t entry = offsetOf(directory->VirtualAddress);; entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* import =
            reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(entry, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
        if (!import || import->Name == 0) break;
        std::string name(at(offsetOf(import->Name), 1) ? image.c_str() + offsetOf(import->Name) : "");
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        names.insert(name);
    }
    return names;
}

TEST_F(HostileTest, ADllBesideTheProgramNeverRunsInIt) {
    // Every DLL the program imports is one of Windows' known DLLs, which come
    // from the system folder whatever lies beside the program.
    std::string image;
    ASSERT_TRUE(ReadFileBytes(directory_ + L"kanoze.exe", image));
    const std::set<std::string> imports = ImportedDlls(image);
    EXPECT_TRUE(imports.count("kernel32.dll")) << "the import table was read";
    const std::set<std::string> known = {"advapi32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll",
                                         "msvcrt.dll",   "ole32.dll",    "oleaut32.dll", "shell32.dll",
                                         "shlwapi.dll",  "user32.dll"};
    for (const std::string& name : imports) EXPECT_TRUE(known.count(name)) << name << " is no known system DLL";

    // The DLLs it loads itself come from the system folder: a ddraw.dll
    // beside it, which this Wine would take first, never runs.
    const wchar_t planted[] = L"kanoze-planted.exe";
    ASSERT_TRUE(CopyFileW((directory_ + L"kanoze.exe").c_str(), (directory_ + planted).c_str(), FALSE));
    for (const wchar_t* dll : {L"ddraw", L"comctl32", L"windowscodecs"}) {
        ASSERT_TRUE(CopyFileW((ModuleDirectory() + L"planted.dll").c_str(), (directory_ + dll + L".dll").c_str(),
                              FALSE));
        ASSERT_TRUE(OverrideDll(planted, dll, L"native,builtin"));
    }
    WriteList(L"kanoze.txt", {AnsiPath(good_)});
    ASSERT_TRUE(game_.Start(directory_ + planted, directory_));
    EXPECT_TRUE(GoodPictureShown()) << "the game starts as it always does";
    Close();
    EXPECT_FALSE(FileExists(directory_ + L"planted-dll-ran.txt")) << "the planted DLL ran inside the game";
}

}  // namespace
