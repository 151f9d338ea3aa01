// What every part of the bench shares: the rounds, the table's rows, the
// clock, the bench pictures and the programs it starts from outside.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include <string>
#include <vector>

constexpr int kBigWidth = 4000;
constexpr int kBigHeight = 3000;
constexpr int kHugeWidth = 8000;
constexpr int kHugeHeight = 6000;
constexpr int kRounds = 7;
constexpr int kMemoryRounds = 3;

// ---------------------------------------------------------------- the table

struct Spread {
    double median = 0, min = 0, max = 0;
};

Spread SpreadOf(std::vector<double> values);

struct Row {
    std::string figure;
    std::string floor;
    std::string game;        // the game's own figure, median (min-max)
    std::string floorValue;  // the floor's figure
    Spread ratio;
    double goal;   // 0: a row for comparison
    bool percent;  // the ratio is a share, shown in per cent
};

// Adds a row to the table PrintTable prints.
void AddRow(Row row);
void PrintTable();

std::string Describe(const Spread& s, const char* unit, double scale = 1.0, int decimals = 0);
std::vector<double> Ratios(const std::vector<double>& game, const std::vector<double>& floor);

// Seconds on the performance counter.
double Now();
// One line of progress on the standard error.
void Note(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::wstring Wide(const std::string& text);
bool WriteText(const std::string& path, const std::string& text);

// ---------------------------------------------------------------- pictures

// Makes the bench pictures afresh in `work`: a 640 x 480 one of the start-up
// colour, a 12-megapixel photo of that colour and a 12- and a 50-megapixel photo.
struct BenchPictures {
    std::string startJpg, bigStartJpg, bigJpg, hugeJpg;
};
bool WriteBenchPictures(IWICImagingFactory* factory, const BenchPictures& pictures);

// ---------------------------------------------------------------- programs

// One build of the game and its floor program, measured from outside.
struct Programs {
    std::string gameExe, floorExe;
    std::string benchExe;  // the bench of the same build, when it runs as a program of its own
    std::string name;      // folder name suffix
    std::string shown;     // figure suffix
};

// A folder holding a copy of kanoze.exe and a play-list of one picture.
std::string GameFolder(const std::string& work, const std::string& name, const std::string& gameExe,
                       const std::string& picture);

struct Started {
    PROCESS_INFORMATION process = {};
    double began = 0;
};

// `arguments` follow the program's quoted name on its command line.
bool StartProgram(const std::string& exe, const std::string& folder, Started& started,
                  const std::string& arguments = "");
// The visible window of class `className` that the process owns, or null.
HWND OwnWindow(const char* className, DWORD processId);
// Closes a program the way its close box does, and waits for it to end.
void EndProgram(Started& started, HWND window);
// True when the client area of `window` shows the start-up colour.
bool ShowsStartFrame(HWND window);
// The process's peak working set in bytes once two readings a while apart agree, or -1.
double SettledPeakWorkingSet(HANDLE process);

// ---------------------------------------------------------------- in-process

void PumpMessages();
// Waits for the display to have carried out every drawing request so far.
void SyncDisplay();

// The rows of each part of the bench.
void MeasureStartUp(const std::string& work, const Programs& programs, const BenchPictures& pictures);
void MeasureMissingEntries(const std::string& work, const std::string& gameExe, const std::string& startJpg);
void MeasurePeakMemory(const std::string& work, const Programs& programs, const BenchPictures& pictures);
void MeasureHugePicture(const std::string& work, const Programs& programs, const std::string& hugeJpg);
void MeasureLoadPicture(IWICImagingFactory* factory, const BenchPictures& pictures);
void MeasureLoadPictureElsewhere(const std::string& work, const Programs& programs, const BenchPictures& pictures);
int LoadPictureAlone(const std::string& bigJpg, const std::string& hugeJpg);
void MeasureFrames(const std::string& startJpg);
void MeasureListFile(const std::string& work);
// Needs the folder `many` of 20,000 empty pictures in `work` (tools/run-bench.sh makes it).
void MeasureAddFolder(const std::string& work);
