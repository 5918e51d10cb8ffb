// The start rows: medians over started copies of the bench, with the phases of the start and the
// cost of a bare process of this platform for comparison.
#include "Measures.h"
#include "ProcessStart.h"
#include "Stopwatch.h"

#include "ServiceProbe.h"

#include "base/Paths.h"
#include "devices/DeviceList.h"
#include "devices/LightingService.h"
#include "mainwnd/HalcyDlg.h"
#include "skin/ImageDecoding.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr double kStartGoalMs = 250.0;
constexpr double kPeakWorkingSetGoalMb = 40.0;

constexpr const wchar_t* kSampleFace = L"mode_item_normal.png";

int SkinFaceFileCount()
{
    std::error_code error;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SkinFolder(), error))
        if (entry.path().extension() == L".png")
            ++count;
    return count;
}

struct StartSamples {
    std::vector<double> total, loader, setUp, create, secondCreate, paint, setUpWorkingSet, createdWorkingSet,
        peakWorkingSet, privateBytes;
};

// Parts of the start that run inside Create, timed on their own.
void MeasureStartParts(ResultTable& table)
{
    DeviceList devices;
    table.Add("... inside Create(): DRAM discovery, " + std::to_string(kBenchDramModules) + " modules",
              MedianMs(kRuns, [&](int) { devices.DiscoverDram(); }), "ms");
    table.Add("... inside Create(): lighting service started",
              MedianMs(
                  kStartRuns, [](int) { service::StopAll(); }, [](int) { StartLightingService(); }, [] {}),
              "ms");
    service::StopAll();

    // Inside the bench's apartment, as in the program: WIC decodes only where COM is set up.
    const std::wstring face = SkinFolder() + kSampleFace;
    table.Add("... inside Create(): decoding one skin face (WIC; the skin has " + std::to_string(SkinFaceFileCount()) +
                  ")",
              MedianMs(kRuns,
                       [&](int) {
                           Bitmap decoded;
                           LoadPremultipliedImage(face, decoded);
                       }),
              "ms");
}

} // namespace

void MeasureStart(ResultTable& table, const BenchFolders& folders)
{
    // Every start finds no lighting service running, so each one starts it, as the first start
    // after sign-in does.
    StartSamples s;
    for (int run = 0; run < kStartRuns; ++run) {
        service::StopAll();
        const std::optional<StartReport> r = StartCopy(kStartMode, folders.AppDataFolder());
        if (!r) {
            std::fprintf(stderr, "bench: a started copy reported nothing\n");
            continue;
        }
        s.total.push_back(r->painted - kDiscoveryPauseMs);
        s.loader.push_back(r->mainEntered);
        s.setUp.push_back(r->initDone - r->mainEntered);
        s.create.push_back(r->windowCreated - r->initDone - kDiscoveryPauseMs);
        s.secondCreate.push_back(r->secondCreate - kDiscoveryPauseMs);
        s.paint.push_back(r->painted - r->windowCreated);
        s.setUpWorkingSet.push_back(r->setUpWorkingSetMb);
        s.createdWorkingSet.push_back(r->createdWorkingSetMb);
        s.peakWorkingSet.push_back(r->peakWorkingSetMb);
        s.privateBytes.push_back(r->privateMb);
    }
    service::StopAll();

    std::vector<double> bareWorkingSet;
    for (int run = 0; run < kStartRuns; ++run)
        if (const std::optional<StartReport> r = StartCopy(kBaselineMode, folders.AppDataFolder()))
            bareWorkingSet.push_back(r->peakWorkingSetMb);

    table.Add("start to first complete paint, minus the 500 ms pause", Median(s.total), "ms", kStartGoalMs);
    table.Add("... of which: process creation to wmain (loader)", Median(s.loader), "ms");
    table.Add("... of which: paths, GDI+, common controls", Median(s.setUp), "ms");
    table.Add("... of which: Create() minus the pause", Median(s.create), "ms");
    table.Add("... of which: first paint, dialog and controls", Median(s.paint), "ms");
    table.Add("... for comparison: a second Create() in the same process, minus the pause", Median(s.secondCreate),
              "ms");
    table.Add("peak working set after the first paint", Median(s.peakWorkingSet), "MB", kPeakWorkingSetGoalMb);
    table.Add("... working set once GDI+ and common controls are set up", Median(s.setUpWorkingSet), "MB");
    table.Add("... working set when Create() returned", Median(s.createdWorkingSet), "MB");
    table.Add("... for comparison: the same program idle at wmain", Median(bareWorkingSet), "MB");
    table.Add("private bytes after the first paint", Median(s.privateBytes), "MB");
    MeasureStartParts(table);
}
