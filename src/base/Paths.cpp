// The process-wide folders, computed once during start-up.
#include "base/Paths.h"

#include <windows.h>

#include <shlobj.h>

#include <optional>

namespace {

struct Folders {
    std::wstring program;
    std::wstring data;
    std::wstring settingsFile;
    std::optional<std::wstring> programOverride;
    std::optional<std::wstring> appDataOverride;
};

Folders& State()
{
    static Folders folders;
    return folders;
}

// The roaming application-data folder, created if missing; empty when it cannot be had.
std::wstring RoamingAppData()
{
    if (State().appDataOverride)
        return *State().appDataOverride;
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

const std::wstring& ProgramFolder()
{
    return State().program;
}

std::wstring SkinFolder()
{
    return ProgramFolder() + L"skins\\";
}

const std::wstring& DataFolder()
{
    return State().data;
}

const std::wstring& SettingsFilePath()
{
    return State().settingsFile;
}

std::wstring FolderOfPath(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

void InitProgramFolder()
{
    if (State().programOverride) {
        State().program = *State().programOverride;
        return;
    }
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    State().program = FolderOfPath(path);
}

void InitDataFolder()
{
    const std::wstring appData = RoamingAppData();
    if (appData.empty())
        return;
    EnsureFolder(appData, kCompanyFolder);
    State().data = appData + kCompanyFolder;
}

void InitSettingsFilePath()
{
    const std::wstring appData = RoamingAppData();
    State().settingsFile = appData.empty() ? std::wstring() : appData + kCompanyFolder + kSettingsFileName;
}

void EnsureFolder(const std::wstring& base, const std::wstring& relative)
{
    // The first backslash gives the base itself, the trailing one the innermost level.
    for (size_t slash = relative.find(L'\\'); slash != std::wstring::npos; slash = relative.find(L'\\', slash + 1)) {
        const std::wstring level = base + relative.substr(0, slash);
        if (!IsFolder(level))
            ::CreateDirectoryW(level.c_str(), nullptr);
    }
}

void SetProgramFolderForTesting(const std::wstring& folder)
{
    State().programOverride = folder;
}

void SetAppDataFolderForTesting(const std::wstring& folder)
{
    State().appDataOverride = folder;
}
