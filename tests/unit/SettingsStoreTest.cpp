// The settings file on disk: first-run file, round trip, damaged records and missing keys.
#include "settings/SettingsStore.h"

#include "settings/HexRecord.h"

#include "FileText.h"
#include "TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <utility>

namespace {

const std::string kDefaultRecordText =
    "01000000010000000800000000000000FF000000FFFF000000FF000000FFFF000000FF00FF00FF00FFFFFF007D007D00"
    "0000000000000000F8";
const std::string kDefaultMusicText =
    "FF000000FFFF000000FF000000FFFF000000FF00FF00FF00FFFFFF007D007D000A00000000000000080000000000000000";

std::string FirstRunFileText()
{
    std::string text = "[Setting]\r\nShow_TrayIcon=1\r\nShow_OSD=1\r\nlan_id=1\r\nled_sw=1\r\naudio_sw=0\r\n"
                       "razer_sw=1\r\nsync_sw=0\r\nCurrentProfile=0\r\nfMusicInfo=" +
                       kDefaultMusicText + "\r\n";
    for (int profile = 0; profile < 4; ++profile) {
        text += "[Profile" + std::to_string(profile) + "Setting]\r\n";
        for (const char* suffix : {"", "_SSD"}) {
            text += std::string("Synchronize") + suffix + "=1\r\n";
            text += std::string("DevNum") + suffix + "=2\r\n";
            for (int k = 0; k < 17; ++k)
                text += std::string("EffectInfo") + suffix + std::to_string(k) + "=" + kDefaultRecordText + "\r\n";
        }
    }
    return text;
}

SettingsBlock FirstRun()
{
    SettingsBlock block;
    ApplyFirstRunDefaults(block);
    return block;
}

bool SameBytes(const SettingsBlock& a, const SettingsBlock& b)
{
    return std::memcmp(&a, &b, sizeof(SettingsBlock)) == 0;
}

std::wstring ReadValue(const std::wstring& file, const wchar_t* section, const wchar_t* key)
{
    wchar_t value[512] = {};
    ::GetPrivateProfileStringW(section, key, L"", value, 512, file.c_str());
    return value;
}

void WriteValue(const std::wstring& file, const wchar_t* section, const wchar_t* key, const std::wstring& value)
{
    ::WritePrivateProfileStringW(section, key, value.c_str(), file.c_str());
}

// Every key of the block in file order, with the default its integer call is given.
struct KeyVisitor {
    std::function<void(const wchar_t* section, const std::wstring& key, std::int32_t& value, int fallback)> integer;
    std::function<void(const wchar_t* section, const std::wstring& key, std::span<std::byte> record)> record;
};

void VisitKeys(SettingsBlock& block, const KeyVisitor& visit)
{
    const struct {
        const wchar_t* key;
        std::int32_t& value;
        int fallback;
    } settingKeys[] = {
        {L"Show_TrayIcon", block.Show_TrayIcon, 1},
        {L"Show_OSD", block.Show_OSD, 1},
        {L"lan_id", block.lan_id, 1},
        {L"led_sw", block.led_sw, 1},
        {L"audio_sw", block.audio_sw, 0},
        {L"razer_sw", block.razer_sw, 1},
        {L"sync_sw", block.sync_sw, 0},
        {L"CurrentProfile", block.CurrentProfile, 0},
    };
    for (const auto& key : settingKeys)
        visit.integer(L"Setting", key.key, key.value, key.fallback);
    visit.record(L"Setting", L"fMusicInfo", std::as_writable_bytes(std::span(&block.fMusicInfo, 1)));
    const std::wstring sections[] = {L"Profile0Setting", L"Profile1Setting", L"Profile2Setting", L"Profile3Setting"};
    for (int n = 0; n < kProfileCount; ++n) {
        const std::pair<std::wstring, GroupSettings*> groups[] = {{L"", &block.profiles[n].dram},
                                                                  {L"_SSD", &block.profiles[n].ssd}};
        for (const auto& [suffix, group] : groups) {
            visit.integer(sections[n].c_str(), L"Synchronize" + suffix, group->Synchronize, 1);
            visit.integer(sections[n].c_str(), L"DevNum" + suffix, group->DevNum, 2);
            for (int k = 0; k < kRecordsPerGroup; ++k)
                visit.record(sections[n].c_str(), L"EffectInfo" + suffix + std::to_wstring(k),
                             std::as_writable_bytes(std::span(&group->effects[k], 1)));
        }
    }
}

// The store with one INI call per key: what reading and writing sections whole must match.
void ReadEveryKey(const std::wstring& file, SettingsBlock& block)
{
    VisitKeys(block, {[&](const wchar_t* section, const std::wstring& key, std::int32_t& value, int fallback) {
                          value =
                              static_cast<int>(::GetPrivateProfileIntW(section, key.c_str(), fallback, file.c_str()));
                      },
                      [&](const wchar_t* section, const std::wstring& key, std::span<std::byte> record) {
                          std::wstring text(2 * record.size() + 4, L'\0');
                          text.resize(::GetPrivateProfileStringW(section, key.c_str(), L"", text.data(),
                                                                 static_cast<DWORD>(text.size()), file.c_str()));
                          DecodeHexRecord(text, record);
                      }});
}

void WriteEveryKey(SettingsBlock block, const std::wstring& file)
{
    VisitKeys(block, {[&](const wchar_t* section, const std::wstring& key, std::int32_t& value, int) {
                          ::WritePrivateProfileStringW(section, key.c_str(), std::to_wstring(value).c_str(),
                                                       file.c_str());
                      },
                      [&](const wchar_t* section, const std::wstring& key, std::span<std::byte> record) {
                          ::WritePrivateProfileStructW(section, key.c_str(), record.data(),
                                                       static_cast<UINT>(record.size()), file.c_str());
                      }});
}

std::string Narrow(const std::wstring& ascii)
{
    return std::string(ascii.begin(), ascii.end());
}

// The block as key=value lines, so that a mismatch names its keys.
std::string Listing(SettingsBlock block)
{
    std::string listing;
    auto line = [&](const wchar_t* section, const std::wstring& key, const std::wstring& value) {
        listing += Narrow(section) + "/" + Narrow(key) + "=" + Narrow(value) + "\n";
    };
    VisitKeys(block, {[&](const wchar_t* section, const std::wstring& key, std::int32_t& value, int) {
                          line(section, key, std::to_wstring(value));
                      },
                      [&](const wchar_t* section, const std::wstring& key, std::span<std::byte> record) {
                          line(section, key, EncodeHexRecord(record));
                      }});
    return listing;
}

std::string RecordText(const EffectInfo& record)
{
    return Narrow(EncodeHexRecord(std::as_bytes(std::span(&record, 1))));
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A block unlike the first-run one in every record, so a record read or refused shows.
SettingsBlock Edited()
{
    SettingsBlock block = FirstRun();
    for (ProfileSettings& profile : block.profiles)
        for (GroupSettings* group : {&profile.dram, &profile.ssd})
            for (EffectInfo& record : group->effects)
                record.mode = 7;
    block.fMusicInfo.level = 50;
    return block;
}

// A settings file as hand edits and other programs leave them: duplicates, quotes, white space,
// integers the platform reads its own way, keys without '=', a section too long for a first
// read, a section given twice and one missing.
std::string OddFileText()
{
    const SettingsBlock block = Edited();
    const std::string record = RecordText(block.profiles[0].dram.effects[0]);
    std::string damaged = record;
    damaged[0] = damaged[0] == '0' ? '1' : '0';
    const std::string music = Narrow(EncodeHexRecord(std::as_bytes(std::span(&block.fMusicInfo, 1))));

    std::string text = "[Setting]\r\nShow_TrayIcon=\r\nShow_OSD\r\n; lan_id=7\r\nlan_id=3\r\nLAN_ID=4\r\n"
                       "led_sw = 0 \r\naudio_sw=\"1\"\r\nrazer_sw=0x10\r\nsync_sw=12abc\r\n"
                       "CurrentProfile=99999999999\r\nUnknown=5\r\nfMusicInfo=\"" +
                       music + "\"\r\n";
    text += "[Profile0Setting]\r\nSynchronize=0\r\nsynchronize=1\r\nDevNum= 7\r\nDevNum_SSD=-2147483648\r\n"
            "Synchronize_SSD=2147483648\r\nEffectInfo0=" +
            Lower(record) + "\r\nEffectInfo1=" + record +
            "00\r\n"
            "EffectInfo2='" +
            record + "'\r\nEffectInfo3=" + damaged + "\r\nEffectInfo3=" + record + "\r\nEffectInfo4=" + record +
            "\r\nEffectInfo4=" + damaged + "\r\nEFFECTINFO_SSD2=" + record +
            "\r\nEffectInfo5\r\nEffectInfo6 = " + record + "\r\n";
    text += "[Profile1Setting]\r\n";
    for (int n = 0; n < 400; ++n)
        text += "Padding" + std::to_string(n) + "=" + std::string(60, 'x') + "\r\n";
    text += "Synchronize=0\r\nDevNum=3\r\n";
    for (int k = 0; k < kRecordsPerGroup; ++k)
        text += "EffectInfo" + std::to_string(k) + "=" + record + "\r\nEffectInfo_SSD" + std::to_string(k) + "=" +
                record + "\r\n";
    text += "[Profile2Setting]\r\nEffectInfo0=" + record +
            "\r\n[profile2setting]\r\nDevNum=9\r\nEffectInfo1=" + record + "\r\n";
    return text;
}

class SettingsStore : public ::testing::Test {
protected:
    TempFolder folder;
    std::wstring file = folder / L"config";
    SettingsBlock live{};
    SettingsBlock saved{};
};

} // namespace

TEST_F(SettingsStore, FirstLoadWritesTheFirstRunFileAndFillsBothBlocks)
{
    LoadSettings(file, live, saved);
    EXPECT_EQ(ReadFileBytes(file), FirstRunFileText());
    EXPECT_TRUE(SameBytes(live, FirstRun()));
    EXPECT_TRUE(SameBytes(saved, live));
}

TEST_F(SettingsStore, WriteThenReadGivesBackTheBlock)
{
    SettingsBlock block = FirstRun();
    block.lan_id = 3;
    block.led_sw = 0;
    block.audio_sw = 1;
    block.CurrentProfile = 2;
    block.profiles[2].ssd.Synchronize = 0;
    block.profiles[2].ssd.DevNum = 5;
    block.profiles[2].ssd.effects[4].speed = -2;
    block.profiles[2].ssd.effects[4].colours[6] = 0x00123456;
    block.profiles[3].dram.effects[16].mode = 14;
    block.fMusicInfo.level = 50;
    WriteAllSettings(block, file);

    const std::wstring record = ReadValue(file, L"Profile2Setting", L"EffectInfo_SSD4");
    EXPECT_EQ(record.substr(96, 8), L"FEFFFFFF") << "speed -2 is stored little-endian";

    SettingsBlock read = FirstRun();
    ReadAllSettings(file, read);
    EXPECT_TRUE(SameBytes(read, block));

    LoadSettings(file, live, saved);
    EXPECT_TRUE(SameBytes(live, block));
    EXPECT_TRUE(SameBytes(saved, block));
}

TEST_F(SettingsStore, ADamagedRecordKeepsItsFirstRunValueWhileTheOthersLoad)
{
    SettingsBlock block = FirstRun();
    for (ProfileSettings& profile : block.profiles)
        for (EffectInfo& record : profile.dram.effects)
            record.mode = 7;
    WriteAllSettings(block, file);
    const std::wstring good = ReadValue(file, L"Profile2Setting", L"EffectInfo3");
    ASSERT_EQ(good.size(), 114u);

    std::wstring oneDigitChanged = good;
    oneDigitChanged[1] = oneDigitChanged[1] == L'7' ? L'8' : L'7';
    std::wstring notHex = good;
    notHex[20] = L'G';
    const struct {
        const char* name;
        std::wstring value;
    } damages[] = {
        {"one digit removed", good.substr(1)},
        {"checksum fails", oneDigitChanged},
        {"two digits too many", good + L"00"},
        {"not hexadecimal", notHex},
        {"empty", L""},
    };
    for (const auto& damage : damages) {
        WriteValue(file, L"Profile2Setting", L"EffectInfo3", damage.value);
        LoadSettings(file, live, saved);
        EXPECT_EQ(live.profiles[2].dram.effects[3].mode, 1) << damage.name;
        EXPECT_EQ(live.profiles[2].dram.effects[2].mode, 7) << damage.name;
        EXPECT_EQ(live.profiles[2].dram.effects[4].mode, 7) << damage.name;
        EXPECT_EQ(live.profiles[1].dram.effects[3].mode, 7) << damage.name;
    }
}

TEST_F(SettingsStore, MissingKeysTakeTheirDefaults)
{
    WriteFileBytes(file, "[Setting]\r\nlan_id=0\r\nsync_sw=1\r\nCurrentProfile=3\r\n");
    LoadSettings(file, live, saved);

    SettingsBlock expected = FirstRun();
    expected.lan_id = 0;
    expected.sync_sw = 1;
    expected.CurrentProfile = 3;
    EXPECT_TRUE(SameBytes(live, expected)) << "profiles and the music record hold first-run values";
    EXPECT_EQ(ReadFileBytes(file), "[Setting]\r\nlan_id=0\r\nsync_sw=1\r\nCurrentProfile=3\r\n")
        << "loading an existing file never writes it";
}

TEST_F(SettingsStore, OutOfRangeIntegersAreKeptAsStored)
{
    WriteFileBytes(file,
                   "[Setting]\r\nCurrentProfile=-5\r\nlan_id=garbage\r\n[Profile0Setting]\r\nDevNum=2147483647\r\n");
    LoadSettings(file, live, saved);
    EXPECT_EQ(live.CurrentProfile, -5);
    EXPECT_EQ(live.lan_id, 0) << "a value without a leading number reads as 0";
    EXPECT_EQ(live.profiles[0].dram.DevNum, 2147483647);
    EXPECT_EQ(&live.current(), &live.profiles[0]);
}

TEST_F(SettingsStore, NoSettingsPathMeansFirstRunValuesAndNoFile)
{
    LoadSettings(L"", live, saved);
    EXPECT_TRUE(SameBytes(live, FirstRun()));
    EXPECT_TRUE(SameBytes(saved, live));
    WriteAllSettings(live, L"");
    EXPECT_FALSE(FileExists(file));
}

TEST_F(SettingsStore, AnOddFileReadsAsThePerKeyCallsReadIt)
{
    WriteFileBytes(file, OddFileText());
    SettingsBlock read = FirstRun();
    ReadAllSettings(file, read);
    SettingsBlock reference = FirstRun();
    ReadEveryKey(file, reference);
    EXPECT_EQ(Listing(read), Listing(reference));

    EXPECT_EQ(read.profiles[1].dram.DevNum, 3) << "the long section is read whole";
    EXPECT_EQ(read.profiles[1].ssd.effects[16].mode, 7) << "the long section is read whole";
    EXPECT_EQ(read.profiles[0].dram.effects[1].mode, 1) << "an over-long record is refused";
    EXPECT_EQ(read.profiles[3].dram.effects[0].mode, 1) << "a missing section leaves its records";
}

TEST_F(SettingsStore, WritingOnlyChangedKeysLeavesTheBytesOfWritingEveryKey)
{
    const SettingsBlock fresh = FirstRun();
    const SettingsBlock edited = Edited();
    WriteAllSettings(edited, file);
    const struct {
        const char* name;
        std::string text;
    } starts[] = {
        {"a file this store wrote", ReadFileBytes(file)},
        {"an odd file", OddFileText()},
        {"no file", ""},
    };
    SettingsBlock changed = Edited();
    changed.lan_id = 2;
    changed.CurrentProfile = 3;
    changed.fMusicInfo.level = 60;
    changed.profiles[0].dram.effects[2].speed = -2;
    changed.profiles[2].dram.DevNum = 4;
    changed.profiles[3].ssd.effects[16].colours[5] = 0x00123456;

    const SettingsBlock* const blocks[] = {&changed, &fresh, &edited};
    int n = 0;
    for (const auto& start : starts) {
        for (const SettingsBlock* block : blocks) {
            const std::wstring written = folder / (L"written" + std::to_wstring(n));
            const std::wstring reference = folder / (L"reference" + std::to_wstring(n++));
            if (!start.text.empty()) {
                WriteFileBytes(written, start.text);
                WriteFileBytes(reference, start.text);
            }
            WriteAllSettings(*block, written);
            WriteEveryKey(*block, reference);
            EXPECT_EQ(ReadFileBytes(written), ReadFileBytes(reference)) << start.name;

            SettingsBlock read{};
            ReadAllSettings(written, read);
            EXPECT_EQ(Listing(read), Listing(*block)) << start.name;
        }
    }
}

// An editor may save the file as UTF-8 with a byte order mark, which Windows' INI functions take
// for part of the first line (the first section is then missed, and a write appends a second
// one). Loading and writing drop the mark first and keep every other byte, the person's own
// UTF-8 comment too; a read-only file is left as it is.
TEST_F(SettingsStore, AUtf8ByteOrderMarkIsDroppedKeepingEveryOtherByte)
{
    SettingsBlock block = FirstRun();
    block.CurrentProfile = 2;
    block.profiles[2].dram.effects[1].mode = 7;
    WriteAllSettings(block, file);
    const std::string text = "; r\xC3\xA9glages du soir\r\n" + ReadFileBytes(file);
    const std::string marked = "\xEF\xBB\xBF" + text;
    SettingsBlock changed = block;
    changed.lan_id = 3;

    const struct {
        const char* name;
        std::function<void()> act;
        std::string left;
    } uses[] = {
        {"load", [&] { LoadSettings(file, live, saved); }, text},
        {"write of what the file holds", [&] { EXPECT_TRUE(WriteAllSettings(block, file)); }, text},
        {"write of a change", [&] { EXPECT_TRUE(WriteAllSettings(changed, file)); }, ""},
    };
    for (const auto& use : uses) {
        WriteFileBytes(file, marked);
        use.act();
        const std::string after = ReadFileBytes(file);
        if (!use.left.empty()) {
            EXPECT_TRUE(after == use.left) << use.name << ": every byte after the mark kept";
        }
        EXPECT_TRUE(after.starts_with("; r\xC3\xA9glages")) << use.name;
        EXPECT_EQ(after.find("[Setting]"), after.rfind("[Setting]")) << use.name << ": one section";
    }
    EXPECT_EQ(live.CurrentProfile, 2);
    EXPECT_EQ(live.profiles[2].dram.effects[1].mode, 7);
    EXPECT_EQ(ReadValue(file, L"Setting", L"lan_id"), L"3");

    WriteFileBytes(file, marked);
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    LoadSettings(file, live, saved);
    EXPECT_FALSE(WriteAllSettings(changed, file));
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(file), marked) << "a read-only file is not rewritten";
}
