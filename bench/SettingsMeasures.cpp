// The settings-file rows: the INI store reading and writing a real file in a folder of the bench's
// own.
#include "Measures.h"
#include "Stopwatch.h"

#include "settings/ReplacementFile.h"
#include "settings/SettingsStore.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr double kSettingsGoalMs = 20.0;
constexpr DWORD kSectionBuffer = 64 * 1024; // characters: a profile section is about 6000

// What reading the file section by section would cost: one call per section, not per key.
void ReadSectionsWhole(const std::wstring& path)
{
    std::vector<wchar_t> text(kSectionBuffer);
    ::GetPrivateProfileSectionW(L"Setting", text.data(), kSectionBuffer, path.c_str());
    for (int profile = 0; profile < kProfileCount; ++profile)
        ::GetPrivateProfileSectionW((L"Profile" + std::to_wstring(profile) + L"Setting").c_str(), text.data(),
                                    kSectionBuffer, path.c_str());
}

} // namespace

void MeasureSettingsFile(ResultTable& table, const BenchFolders& folders)
{
    const std::wstring path = folders.ScratchFile(L"config");
    SettingsBlock block{};
    ApplyFirstRunDefaults(block);
    WriteAllSettings(block, path);

    SettingsBlock live{};
    SettingsBlock saved{};
    table.Add("LoadSettings of an existing file", MedianMs(kRuns, [&](int) { LoadSettings(path, live, saved); }), "ms",
              kSettingsGoalMs);
    // Each write changes a record, as an Apply after an edit does.
    table.Add("WriteAllSettings over an existing file",
              MedianMs(
                  kRuns, [&](int run) { block.profiles[0].dram.effects[0].speed = run + 2; },
                  [&](int) { WriteAllSettings(block, path); }, [] {}),
              "ms", kSettingsGoalMs);
    // What writing the new file beside the old one and moving it over adds to the INI calls.
    table.Add("... of which: the file copied beside itself, flushed and moved over it",
              MedianMs(kRuns,
                       [&](int) {
                           ReplacementFile file(path);
                           file.CopyTarget();
                           file.Commit();
                       }),
              "ms");

    // Both make one INI call per key (161 of them): the cost of one call says where the time goes.
    table.Add("... per key: one GetPrivateProfileIntW on that file",
              MedianMs(kRuns, [&](int) { ::GetPrivateProfileIntW(L"Setting", L"lan_id", 0, path.c_str()); }), "ms");
    table.Add("... for comparison: its five sections read whole (GetPrivateProfileSectionW)",
              MedianMs(kRuns, [&](int) { ReadSectionsWhole(path); }), "ms");
    table.Add("... per key: one WritePrivateProfileStringW that changes the value",
              MedianMs(kRuns,
                       [&](int run) {
                           ::WritePrivateProfileStringW(L"Setting", L"lan_id", std::to_wstring(run % 2).c_str(),
                                                        path.c_str());
                       }),
              "ms");
}
