// Reading and writing the settings file through the platform's INI functions.
#include "settings/SettingsStore.h"

#include "framework/Handles.h"
#include "settings/HexRecord.h"
#include "settings/IniSection.h"
#include "settings/ReplacementFile.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

constexpr size_t kFirstSectionChars = 16 * 1024; // a profile section holds about 6000
// A settings section never comes near this; a section still cut short at this size is read key
// by key instead.
constexpr size_t kMaxSectionChars = 4 * 1024 * 1024;

IniSection ReadWholeSection(const std::wstring& path, const std::wstring& section)
{
    std::wstring text(kFirstSectionChars, L'\0');
    for (;;) {
        const DWORD written =
            ::GetPrivateProfileSectionW(section.c_str(), text.data(), static_cast<DWORD>(text.size()), path.c_str());
        const bool cut = IniSection::MayBeCut(written, text.size());
        if (!cut || text.size() >= kMaxSectionChars) {
            text.resize(std::min<size_t>(written, text.size()));
            return IniSection(std::move(text), !cut);
        }
        text.assign(2 * text.size(), L'\0');
    }
}

// One section of the file, read whole once. Each key is answered from that text, and by its
// own INI call only where the text leaves the call's answer in doubt.
class StoredSection {
public:
    StoredSection(const std::wstring& path, std::wstring name)
        : m_path(path), m_name(std::move(name)), m_stored(ReadWholeSection(m_path, m_name))
    {
    }

    int ReadInt(const wchar_t* key, int fallback) const
    {
        if (const std::optional<int> stored = m_stored.FindInt(key, fallback))
            return *stored;
        return static_cast<int>(::GetPrivateProfileIntW(m_name.c_str(), key, fallback, m_path.c_str()));
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

// The per-key INI writes that bring a file to a block, gathered before anything is written: a
// file that already holds the block is left alone, and the writes are made on the copy that
// replaces it, in the order the keys come in the file.
class PendingWrites {
public:
    void AddText(const std::wstring& section, const std::wstring& key, std::wstring text)
    {
        m_writes.push_back({section, key, std::move(text), {}});
    }
    void AddRecord(const std::wstring& section, const std::wstring& key, std::span<const std::byte> record)
    {
        m_writes.push_back({section, key, {}, {record.begin(), record.end()}});
    }
    bool empty() const noexcept { return m_writes.empty(); }

    // False at the first call that fails.
    bool MakeOn(const std::wstring& path) const
    {
        return std::all_of(m_writes.begin(), m_writes.end(), [&](const Write& write) { return Make(write, path); });
    }

private:
    struct Write {
        std::wstring section;
        std::wstring key;
        std::wstring text;             // an integer's decimal text
        std::vector<std::byte> record; // or a record's bytes
    };

    static bool Make(const Write& write, const std::wstring& path)
    {
        if (write.record.empty())
            return ::WritePrivateProfileStringW(write.section.c_str(), write.key.c_str(), write.text.c_str(),
                                                path.c_str()) != FALSE;
        return ::WritePrivateProfileStructW(write.section.c_str(), write.key.c_str(),
                                            const_cast<std::byte*>(write.record.data()),
                                            static_cast<UINT>(write.record.size()), path.c_str()) != FALSE;
    }

    std::vector<Write> m_writes;
};

// One section of an existing file, read whole once: a write is gathered only for a key whose
// stored text differs, as a write of an equal value leaves the file alone.
class ChangedKeys {
public:
    ChangedKeys(const std::wstring& path, std::wstring name, PendingWrites& writes)
        : m_name(std::move(name)), m_stored(ReadWholeSection(path, m_name)), m_writes(writes)
    {
    }

    void WriteInt(const wchar_t* key, int value)
    {
        std::wstring text = std::to_wstring(value);
        if (!m_stored.Holds(key, text))
            m_writes.AddText(m_name, key, std::move(text));
    }
    template <class Record>
    void WriteRecord(const std::wstring& key, const Record& record)
    {
        const std::span<const std::byte> bytes = std::as_bytes(std::span(&record, 1));
        if (!m_stored.Holds(key, EncodeHexRecord(bytes)))
            m_writes.AddRecord(m_name, key, bytes);
    }

private:
    std::wstring m_name;
    IniSection m_stored;
    PendingWrites& m_writes;
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
    bool Save(const std::wstring& path, const std::wstring& name) const
    {
        std::wstring entries = m_entries;
        entries.push_back(L'\0'); // the list ends with an empty entry
        return ::WritePrivateProfileSectionW(name.c_str(), entries.c_str(), path.c_str()) != FALSE;
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

// Windows' INI functions read a file as UTF-16 when it starts with that byte order mark and as
// ANSI otherwise: a UTF-8 mark, which an editor may add, becomes part of the first line, so the
// first section cannot be found and a write appends a second one.
constexpr char kUtf8ByteOrderMark[] = {'\xEF', '\xBB', '\xBF'};

bool StartsWithUtf8ByteOrderMark(const std::wstring& path)
{
    const FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    char start[sizeof(kUtf8ByteOrderMark)] = {};
    DWORD read = 0;
    return file && ::ReadFile(file.get(), start, sizeof(start), &read, nullptr) && read == sizeof(start) &&
           std::memcmp(start, kUtf8ByteOrderMark, sizeof(start)) == 0;
}

// Such a file becomes the ANSI file the INI functions read: every byte after the mark is kept
// (keys and values are ASCII), and the file is replaced whole, as Apply replaces it. Whether the
// file is now without the mark.
bool DropUtf8ByteOrderMark(const std::wstring& path)
{
    if (!StartsWithUtf8ByteOrderMark(path))
        return true;
    ReplacementFile file(path);
    if (!file.TargetWritable())
        return file.Fail(L"the file is read-only and starts with a UTF-8 byte order mark");
    return file.CopyTarget(sizeof(kUtf8ByteOrderMark)) && file.Commit();
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

bool WriteNewFile(const SettingsBlock& block, const std::wstring& path)
{
    NewSection setting;
    WriteSettingKeys(setting, block);
    if (!setting.Save(path, kSettingSection))
        return false;
    for (int n = 0; n < kProfileCount; ++n) {
        NewSection section;
        WriteProfileKeys(section, block.profiles[n]);
        if (!section.Save(path, ProfileSection(n)))
            return false;
    }
    return true;
}

PendingWrites ChangedKeysOf(const SettingsBlock& block, const std::wstring& path)
{
    PendingWrites writes;
    ChangedKeys setting(path, kSettingSection, writes);
    WriteSettingKeys(setting, block);
    for (int n = 0; n < kProfileCount; ++n) {
        ChangedKeys section(path, ProfileSection(n), writes);
        WriteProfileKeys(section, block.profiles[n]);
    }
    return writes;
}

// The first-run file, or the one that takes an oversized file's place.
bool ReplaceWithNewFile(ReplacementFile& file, const SettingsBlock& block)
{
    if (!file.TargetWritable())
        return file.Fail(L"the file is read-only");
    if (!WriteNewFile(block, file.Path()))
        return file.Fail(L"the new file could not be written");
    return file.Commit();
}

// The new file is made by the platform's own INI calls on a copy of the old one: the same calls
// in the same order as writing the file in place, so its bytes are exactly those the calls would
// have left there, whatever the platform makes of a file's encoding, white space, duplicates or
// comments. A text composed here instead would have to follow each platform's way of rewriting
// an INI file. The copy costs one more read and write of a file of about 16 KB.
bool ReplaceWithChangedCopy(ReplacementFile& file, const PendingWrites& writes)
{
    if (!file.TargetWritable())
        return file.Fail(L"the file is read-only");
    if (!file.CopyTarget())
        return false;
    if (!writes.MakeOn(file.Path()))
        return file.Fail(L"a key could not be written");
    return file.Commit();
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

bool WriteAllSettings(const SettingsBlock& block, const std::wstring& path)
{
    if (path.empty())
        return false;
    // The keys are compared and written through the INI functions, which must find every section.
    if (PathExists(path) && !DropUtf8ByteOrderMark(path))
        return false;
    ReplacementFile file(path);
    if (!PathExists(path) || FileBytes(path) > kMaxSettingsFileBytes)
        return ReplaceWithNewFile(file, block);
    const PendingWrites writes = ChangedKeysOf(block, path);
    if (writes.empty())
        return true; // the file holds the block already
    return ReplaceWithChangedCopy(file, writes);
}

void LoadSettings(const std::wstring& path, SettingsBlock& live, SettingsBlock& saved)
{
    ApplyFirstRunDefaults(live);
    if (!path.empty()) {
        if (PathExists(path)) {
            DropUtf8ByteOrderMark(path);
            ReadAllSettings(path, live);
        } else
            WriteAllSettings(live, path);
    }
    saved = live;
}
