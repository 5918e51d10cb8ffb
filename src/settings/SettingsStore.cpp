// Reading and writing the settings file through the platform's INI functions.
#include "settings/SettingsStore.h"

#include "app/Paths.h"
#include "settings/HexRecord.h"

#include <windows.h>

#include <iterator>
#include <span>
#include <string>

namespace {

constexpr const wchar_t* kSettingSection = L"Setting";

std::wstring ProfileSection(int profile)
{
    return L"Profile" + std::to_wstring(profile) + L"Setting";
}

struct GroupKeys {
    const wchar_t* synchronize;
    const wchar_t* devNum;
    const wchar_t* effectPrefix;
};
constexpr GroupKeys kDramKeys{L"Synchronize", L"DevNum", L"EffectInfo"};
constexpr GroupKeys kSsdKeys{L"Synchronize_SSD", L"DevNum_SSD", L"EffectInfo_SSD"};

// The integer keys of section "Setting", in file order, with their defaults.
struct IntKey {
    const wchar_t* name;
    std::int32_t SettingsBlock::*field;
    int fallback;
};
constexpr IntKey kSettingKeys[] = {
    {L"Show_TrayIcon", &SettingsBlock::Show_TrayIcon, 1},
    {L"Show_OSD", &SettingsBlock::Show_OSD, 1},
    {L"lan_id", &SettingsBlock::lan_id, 1},
    {L"led_sw", &SettingsBlock::led_sw, 1},
    {L"audio_sw", &SettingsBlock::audio_sw, 0},
    {L"razer_sw", &SettingsBlock::razer_sw, 1},
    {L"sync_sw", &SettingsBlock::sync_sw, 0},
    {L"CurrentProfile", &SettingsBlock::CurrentProfile, 0},
};
constexpr int kSynchronizeDefault = 1;
constexpr int kDevNumDefault = 2;
// A settings file holds about 16 KB. The INI functions rewrite the whole file for every value
// that changes, so writing a block into a file of many megabytes would take minutes; such a
// file is no settings file worth keeping line by line and gets a fresh one in its place.
constexpr ULONGLONG kMaxSettingsFileBytes = 1024 * 1024;
constexpr const wchar_t* kFreshFileSuffix = L".new";

class IniFile {
public:
    explicit IniFile(const std::wstring& path) : m_path(path) {}

    void WriteInt(const std::wstring& section, const wchar_t* key, int value) const
    {
        ::WritePrivateProfileStringW(section.c_str(), key, std::to_wstring(value).c_str(), m_path.c_str());
    }
    int ReadInt(const std::wstring& section, const wchar_t* key, int fallback) const
    {
        return static_cast<int>(::GetPrivateProfileIntW(section.c_str(), key, fallback, m_path.c_str()));
    }
    template <class Record>
    void WriteRecord(const std::wstring& section, const std::wstring& key, const Record& record) const
    {
        ::WritePrivateProfileStructW(section.c_str(), key.c_str(), const_cast<Record*>(&record), sizeof(Record),
                                     m_path.c_str());
    }
    // The record changes only when the stored value is whole and its checksum matches. The
    // text is checked here rather than by GetPrivateProfileStructW, which on some platforms
    // takes values with extra or non-hexadecimal characters.
    template <class Record>
    void ReadRecord(const std::wstring& section, const std::wstring& key, Record& record) const
    {
        // Room for one character more than a valid value, so an over-long one shows.
        wchar_t text[2 * sizeof(Record) + 4];
        const DWORD length = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", text,
                                                        static_cast<DWORD>(std::size(text)), m_path.c_str());
        DecodeHexRecord(std::wstring_view(text, length), std::as_writable_bytes(std::span(&record, 1)));
    }

private:
    const std::wstring& m_path;
};

std::wstring RecordKey(const GroupKeys& keys, int index)
{
    return keys.effectPrefix + std::to_wstring(index);
}

void WriteGroup(const IniFile& ini, const std::wstring& section, const GroupKeys& keys, const GroupSettings& group)
{
    ini.WriteInt(section, keys.synchronize, group.Synchronize);
    ini.WriteInt(section, keys.devNum, group.DevNum);
    for (int k = 0; k < kRecordsPerGroup; ++k)
        ini.WriteRecord(section, RecordKey(keys, k), group.effects[k]);
}

void ReadGroup(const IniFile& ini, const std::wstring& section, const GroupKeys& keys, GroupSettings& group)
{
    group.Synchronize = ini.ReadInt(section, keys.synchronize, kSynchronizeDefault);
    group.DevNum = ini.ReadInt(section, keys.devNum, kDevNumDefault);
    for (int k = 0; k < kRecordsPerGroup; ++k)
        ini.ReadRecord(section, RecordKey(keys, k), group.effects[k]);
}

bool PathExists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ULONGLONG FileBytes(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes))
        return 0;
    return (ULONGLONG(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
}

void WriteBlock(const SettingsBlock& block, const std::wstring& path)
{
    const IniFile ini(path);
    const std::wstring setting = kSettingSection;
    for (const IntKey& key : kSettingKeys)
        ini.WriteInt(setting, key.name, block.*key.field);
    ini.WriteRecord(setting, L"fMusicInfo", block.fMusicInfo);

    for (int n = 0; n < kProfileCount; ++n) {
        const std::wstring section = ProfileSection(n);
        WriteGroup(ini, section, kDramKeys, block.profiles[n].dram);
        WriteGroup(ini, section, kSsdKeys, block.profiles[n].ssd);
    }
}

// The fresh file is written beside the old one, which stays until the new one is whole.
void ReplaceWithFreshFile(const SettingsBlock& block, const std::wstring& path)
{
    const std::wstring fresh = path + kFreshFileSuffix;
    ::DeleteFileW(fresh.c_str());
    WriteBlock(block, fresh);
    if (!::MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ::DeleteFileW(fresh.c_str());
}

} // namespace

void ReadAllSettings(const std::wstring& path, SettingsBlock& block)
{
    const IniFile ini(path);
    const std::wstring setting = kSettingSection;
    for (const IntKey& key : kSettingKeys)
        block.*key.field = ini.ReadInt(setting, key.name, key.fallback);
    ini.ReadRecord(setting, L"fMusicInfo", block.fMusicInfo);

    for (int n = 0; n < kProfileCount; ++n) {
        const std::wstring section = ProfileSection(n);
        ReadGroup(ini, section, kDramKeys, block.profiles[n].dram);
        ReadGroup(ini, section, kSsdKeys, block.profiles[n].ssd);
    }
}

void WriteAllSettings(const SettingsBlock& block, const std::wstring& path)
{
    if (path.empty())
        return;
    if (FileBytes(path) > kMaxSettingsFileBytes)
        ReplaceWithFreshFile(block, path);
    else
        WriteBlock(block, path);
}

void LoadSettings(const std::wstring& path, SettingsBlock& live, SettingsBlock& saved)
{
    const std::wstring file = path.empty() ? SettingsFilePath() : path;
    ApplyFirstRunDefaults(live);
    if (!file.empty()) {
        if (PathExists(file))
            ReadAllSettings(file, live);
        else
            WriteAllSettings(live, file);
    }
    saved = live;
}
