// The folders a bench run works in: the built program folder, a temporary data folder in place of
// the user's (whose settings are never touched) and a devices folder of its own that the stand-in
// provider reads instead of the demo devices.
#pragma once

#include "TempFolder.h"

#include <string>

// The number of DRAM modules the stand-in provider reports: a board full of them.
constexpr int kBenchDramModules = 4;

class BenchFolders {
public:
    // Creates the folders, writes the descriptors and a settings file (English, first-run values),
    // and points this process and the ones it starts at them.
    BenchFolders();

    // The folder given to SetAppDataFolderForTesting, also passed on to child processes.
    const std::wstring& AppDataFolder() const noexcept { return m_appData.path(); }
    // A file path in a folder of the bench's own, for the settings-file measures.
    std::wstring ScratchFile(const wchar_t* name) const { return m_scratch.path() + name; }

private:
    TempFolder m_appData;
    TempFolder m_devices;
    TempFolder m_scratch;
};

// Points the program's paths at the built program folder and at appData for the data folder.
void UseBenchPaths(const std::wstring& appData);
