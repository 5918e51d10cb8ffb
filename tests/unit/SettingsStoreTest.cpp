// The settings file on disk: first-run file, round trip, damaged records and missing keys.
#include "settings/SettingsStore.h"

#include "FileText.h"
#include "TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

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
    WriteFileBytes(file, "[Setting]\r\nCurrentProfile=-5\r\nlan_id=garbage\r\n[Profile0Setting]\r\nDevNum=2147483647\r\n");
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
