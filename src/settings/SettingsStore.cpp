// Reading and writing the settings file through the platform's INI functions.
#include "settings/SettingsStore.h"

#include "app/Paths.h"
#include "settings/HexRecord.h"
#include "settings/IniSection.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace {

constexpr const wchar_t* kSettingSection = L"Setting";
constexpr const wchar_t* kMusicKey = L"fMusicInfo";

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

constexpr size_t kFirstSectionChars = 16 * 1024; // a profile section holds about 6000
// A settings section never comes near this; a section still cut short at this size is read key
// by key instead.
constexpr size_t kMaxSectionChars = 4 * 1024 * 1024;

IniSection ReadWholeSection(const std::wstring& path, const std::wstring& section)
{
    std::wstring text(kFirstSectionChars, L'\0');
    for (;;) {
        const DWORD written = ::GetPrivateProfileSectionW(section.c_str(), text.data(), static_cast<DWORD>(text.size()),
                                                          path.c_str());
        const bool cut = IniSection::MayBeCut(written, text.size());
        if (!cut || text.size() >= kMaxSectionChars) {
            text.resize(std::min<size_t>(written, text.size()));
            return IniSection(std::move(text), !cut);
        }
        text.assign(2 * text.size(), L'\0');
    }
}

// One section of the file, read whole once. Each key is answered from that text, and by its
// own INI call only where the text leaves the call's answer in doubt; a write goes out only
// for a key whose stored text differs, as a write of an equal value leaves the file alone.
class StoredSection {
public:
    StoredSection(const std::wstring& path, std::wstring name)
        : m_path(path), m_name(std::move(name)), m_stored(ReadWholeSection(m_path, m_name))
    {
    }

    void WriteInt(const wchar_t* key, int value) const
    {
        const std::wstring text = std::to_wstring(value);
        if (!m_stored.Holds(key, text))
            ::WritePrivateProfileStringW(m_name.c_str(), key, text.c_str(), m_path.c_str());
    }
    int ReadInt(const wchar_t* key, int fallback) const
    {
        if (const std::optional<int> stored = m_stored.FindInt(key, fallback))
            return *stored;
        return static_cast<int>(::GetPrivateProfileIntW(m_name.c_str(), key, fallback, m_path.c_str()));
    }
    template <class Record>
    void WriteRecord(const std::wstring& key, const Record& record) const
    {
        if (!m_stored.Holds(key, EncodeHexRecord(std::as_bytes(std::span(&record, 1)))))
            ::WritePrivateProfileStructW(m_name.c_str(), key.c_str(), const_cast<Record*>(&record), sizeof(Record),
                                         m_path.c_str());
    }
    // The record changes only when the stored value is whole and its checksum matches. The
    // text is checked here rather than by GetPrivateProfileStructW, which on some platforms
    // takes values with extra or non-hexadecimal characters.
    template <class Record>
    void ReadRecord(const std::wstring& key, Record& record) const
    {
        // Room for one character more than a valid value, so an over-long one shows.
        constexpr size_t kRoom = 2 * sizeof(Record) + 4;
        constexpr size_t kLongest = kRoom - 1; // the string call cuts longer values here
        wchar_t text[kRoom];
        std::wstring_view value;
        const IniSection::Lookup lookup = m_stored.Find(key);
        if (lookup.answer == IniSection::Answer::Value) {
            value = lookup.value.substr(0, kLongest);
        } else if (lookup.answer == IniSection::Answer::Unsure) {
            const DWORD length = ::GetPrivateProfileStringW(m_name.c_str(), key.c_str(), L"", text,
                                                            static_cast<DWORD>(kRoom), m_path.c_str());
            value = std::wstring_view(text, length);
        }
        DecodeHexRecord(value, std::as_writable_bytes(std::span(&record, 1)));
    }

private:
    const std::wstring& m_path;
    std::wstring m_name;
    IniSection m_stored;
};

// The entries of one section of a file that does not exist yet, written with one call for the
// section instead of one per key (each call rewrites the file): the bytes come out the same.
class NewSection {
public:
    void WriteInt(const wchar_t* key, int value) { Add(key, std::to_wstring(value)); }
    template <class Record>
    void WriteRecord(const std::wstring& key, const Record& record)
    {
        Add(key, EncodeHexRecord(std::as_bytes(std::span(&record, 1))));
    }
    void Save(const std::wstring& path, const std::wstring& name) const
    {
        std::wstring entries = m_entries;
        entries.push_back(L'\0'); // the list ends with an empty entry
        ::WritePrivateProfileSectionW(name.c_str(), entries.c_str(), path.c_str());
    }

private:
    void Add(const std::wstring& key, const std::wstring& value)
    {
        m_entries += key + L'=' + value;
        m_entries.push_back(L'\0');
    }

    std::wstring m_entries;
};

std::wstring RecordKey(const GroupKeys& keys, int index)
{
    return keys.effectPrefix + std::to_wstring(index);
}

template <class Section>
void WriteGroup(Section& section, const GroupKeys& keys, const GroupSettings& group)
{
    section.WriteInt(keys.synchronize, group.Synchronize);
    section.WriteInt(keys.devNum, group.DevNum);
    for (int k = 0; k < kRecordsPerGroup; ++k)
        section.WriteRecord(RecordKey(keys, k), group.effects[k]);
}

void ReadGroup(const StoredSection& section, const GroupKeys& keys, GroupSettings& group)
{
    group.Synchronize = section.ReadInt(keys.synchronize, kSynchronizeDefault);
    group.DevNum = section.ReadInt(keys.devNum, kDevNumDefault);
    for (int k = 0; k < kRecordsPerGroup; ++k)
        section.ReadRecord(RecordKey(keys, k), group.effects[k]);
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

template <class Section>
void WriteSettingKeys(Section& section, const SettingsBlock& block)
{
    for (const IntKey& key : kSettingKeys)
        section.WriteInt(key.name, block.*key.field);
    section.WriteRecord(kMusicKey, block.fMusicInfo);
}

template <class Section>
void WriteProfileKeys(Section& section, const ProfileSettings& profile)
{
    WriteGroup(section, kDramKeys, profile.dram);
    WriteGroup(section, kSsdKeys, profile.ssd);
}

void WriteNewFile(const SettingsBlock& block, const std::wstring& path)
{
    NewSection setting;
    WriteSettingKeys(setting, block);
    setting.Save(path, kSettingSection);
    for (int n = 0; n < kProfileCount; ++n) {
        NewSection section;
        WriteProfileKeys(section, block.profiles[n]);
        section.Save(path, ProfileSection(n));
    }
}

void WriteBlock(const SettingsBlock& block, const std::wstring& path)
{
    if (!PathExists(path)) {
        WriteNewFile(block, path);
        return;
    }
    const StoredSection setting(path, kSettingSection);
    WriteSettingKeys(setting, block);
    for (int n = 0; n < kProfileCount; ++n) {
        const StoredSection section(path, ProfileSection(n));
        WriteProfileKeys(section, block.profiles[n]);
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
    const StoredSection setting(path, kSettingSection);
    for (const IntKey& key : kSettingKeys)
        block.*key.field = setting.ReadInt(key.name, key.fallback);
    setting.ReadRecord(kMusicKey, block.fMusicInfo);

    for (int n = 0; n < kProfileCount; ++n) {
        const StoredSection section(path, ProfileSection(n));
        ReadGroup(section, kDramKeys, block.profiles[n].dram);
        ReadGroup(section, kSsdKeys, block.profiles[n].ssd);
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
