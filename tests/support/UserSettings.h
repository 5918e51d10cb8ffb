// The user's settings file in the build's prefix, where the real program and the service read
// it: planted whole by tests that start the program from a state of their own.
#pragma once

#include "FileText.h"
#include "ServiceProbe.h"

#include "base/Paths.h"
#include "settings/SettingsStore.h"

#include <windows.h>

#include <string>

inline std::wstring UserSettingsFile()
{
    return service::DataFolder() + kSettingsFileName;
}

// First-run values in English, the skin the tests read places from.
inline SettingsBlock EnglishFirstRunSettings()
{
    SettingsBlock block{};
    ApplyFirstRunDefaults(block);
    block.lan_id = 0;
    return block;
}

inline void EnsureUserDataFolder()
{
    ::CreateDirectoryW((service::RoamingAppData() + L"\\VELDRIAN").c_str(), nullptr);
    ::CreateDirectoryW(service::DataFolder().c_str(), nullptr);
}

// A fresh file written by the store from the block (over an existing file the store would
// write only the keys that differ).
inline void PlantUserSettings(const SettingsBlock& block)
{
    EnsureUserDataFolder();
    ::DeleteFileW(UserSettingsFile().c_str());
    WriteAllSettings(block, UserSettingsFile());
}
