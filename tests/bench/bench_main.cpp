// The bench: how fast Kanoze is against the floor of its platform, every
// figure measured beside its floor in the same run and printed as one table.
//
//   kanoze_bench.exe <work folder> <kanoze.exe> <floor_window.exe>
//                    [<32-bit kanoze.exe> <32-bit floor_window.exe> <32-bit kanoze_bench.exe>]
//
// Start-up and peak memory are measured on the real kanoze.exe from outside,
// by watching the screen and asking the system about the process; with the
// 32-bit programs given, on those too. The other figures call the game's own
// shell code (linked in) on a real main window; LoadPicture also in the
// 32-bit bench, started as
//
//   kanoze_bench.exe --load-picture <12-megapixel jpg> <50-megapixel jpg>
//
// which prints its times, one line a round: "<jpg> <LoadPicture s> <WIC s>".
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/bench_win.h"
#include "bench_harness.h"
#include "platform/com_ptr_win.h"

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--load-picture") return LoadPictureAlone(argv[2], argv[3]);
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: kanoze_bench <work folder> <kanoze.exe> <floor_window.exe>"
                     " [<32-bit kanoze.exe> <32-bit floor_window.exe> <32-bit kanoze_bench.exe>]\n");
        return 2;
    }
    std::string work = argv[1];
    if (work.back() != '\\') work += '\\';
    CreateDirectoryA(work.c_str(), nullptr);
    std::vector<Programs> builds = {{argv[2], argv[3], "", "", ""}};
    if (argc >= 6) {
        builds.push_back({argv[4], argv[5], argc >= 7 ? argv[6] : "", "32", ", 32-bit program (in qemu-i386)"});
    }

    CoInitialize(nullptr);
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.ReceiveVoid()))) {
        Note("no imaging component");
        return 1;
    }
    // The pictures are made afresh on every run.
    const BenchPictures pictures = {work + "start.jpg", work + "start-big.jpg", work + "big.jpg", work + "huge.jpg"};
    if (!WriteBenchPictures(factory.get(), pictures)) {
        Note("could not write the bench pictures");
        return 1;
    }

    // Programs of their own first: the game allows one running copy, and the
    // in-process figures below make the game's own window.
    for (const Programs& programs : builds) MeasureStartUp(work, programs, pictures);
    for (const Programs& programs : builds) MeasurePeakMemory(work, programs, pictures);
    for (const Programs& programs : builds) MeasureHugePicture(work, programs, pictures.hugeJpg);
    for (const Programs& programs : builds) {
        if (!programs.benchExe.empty()) MeasureLoadPictureElsewhere(work, programs, pictures);
    }
    MeasureMissingEntries(work, builds.front().gameExe, pictures.startJpg);

    if (InitApplication(GetModuleHandleA(nullptr), SW_SHOWNORMAL) != StartFailure::None) {
        Note("the game's window could not be made");
        return 1;
    }
    PumpMessages();
    MeasureLoadPicture(factory.get(), pictures);
    MeasureFrames(pictures.startJpg);
    MeasureListFile(work);
    MeasureAddFolder(work);

    PrintTable();
    // The window is left to the end of the process: closing it would save
    // the bench's play-list beside the bench.
    ExitProcess(0);
}
