// Entry point of the benchmark. Without arguments it runs every measure and prints the table; with
// a mode it is one of the copies it starts to time the program's start.
#include "BenchFolders.h"
#include "Measures.h"
#include "ProcessStart.h"

#include "framework/ComPtr.h"

#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>

#include <cstdio>
#include <string>

namespace {

int RunAll()
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

    ResultTable table;
    {
        const ComApartment apartment; // the application object's, as the measured window expects
        const BenchFolders folders;
        MeasureStart(table, folders);
        MeasureMainWindow(table);
        MeasureSettingsFile(table, folders);
        MeasureRegionFromMask(table);
    }
    std::printf("Medians of %d runs (%d for process starts).\n\n", kRuns, kStartRuns);
    table.Print();

    Gdiplus::GdiplusShutdown(gdiplusToken);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == kStartMode && argc > 2)
        return RunStartChild(argv[2]);
    if (mode == kBaselineMode)
        return RunBaselineChild();
    if (!mode.empty()) {
        std::fprintf(stderr, "usage: bench\n");
        return 2;
    }
    return RunAll();
}
