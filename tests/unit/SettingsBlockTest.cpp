// First-run values, speed steps, record choice, equality and the discovery refresh.
#include "settings/SettingsBlock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

SettingsBlock FirstRunBlock()
{
    SettingsBlock block;
    std::memset(&block, 0xCD, sizeof(block));
    ApplyFirstRunDefaults(block);
    return block;
}

void ExpectDefaultRecord(const EffectInfo& record)
{
    EXPECT_EQ(record.mode, 1);
    EXPECT_EQ(record.reserved, 1);
    EXPECT_EQ(record.ledCount, 8);
    EXPECT_EQ(record.sameColour, 0);
    EXPECT_EQ(record.speed, 0);
    EXPECT_EQ(record.variant, 0);
    for (int slot = 0; slot < kColourSlots; ++slot)
        EXPECT_EQ(record.colours[slot], kDefaultPalette[slot]);
}

} // namespace

TEST(SettingsBlock, FirstRunDefaultsFillEveryProfileGroupAndRecord)
{
    const SettingsBlock block = FirstRunBlock();
    EXPECT_EQ(block.lan_id, 1);
    EXPECT_EQ(block.Show_TrayIcon, 1);
    EXPECT_EQ(block.Show_OSD, 1);
    EXPECT_EQ(block.led_sw, 1);
    EXPECT_EQ(block.audio_sw, 0);
    EXPECT_EQ(block.razer_sw, 1);
    EXPECT_EQ(block.sync_sw, 0);
    EXPECT_EQ(block.CurrentProfile, 0);
    for (const ProfileSettings& profile : block.profiles)
        for (const GroupSettings* group : {&profile.dram, &profile.ssd}) {
            EXPECT_EQ(group->Synchronize, 1);
            EXPECT_EQ(group->DevNum, 2);
            for (const EffectInfo& record : group->effects)
                ExpectDefaultRecord(record);
        }
    EXPECT_EQ(block.fMusicInfo.level, 10);
    EXPECT_EQ(block.fMusicInfo.ledCount, 8);
    EXPECT_EQ(block.fMusicInfo.sameColour, 0);
    EXPECT_EQ(block.fMusicInfo.variant, 0);
    EXPECT_EQ(block.fMusicInfo.colours[7], 0x007D007Du);
}

TEST(SettingsBlock, ColourWordsAreStoredRedFirst)
{
    const ColourWord purple = kDefaultPalette[7];
    unsigned char bytes[4];
    std::memcpy(bytes, &purple, sizeof bytes);
    EXPECT_EQ(bytes[0], 0x7D);
    EXPECT_EQ(bytes[1], 0x00);
    EXPECT_EQ(bytes[2], 0x7D);
    EXPECT_EQ(bytes[3], 0x00);
}

TEST(SettingsBlock, ResetMusicInfoKeepsTheLedCount)
{
    MusicInfo music{};
    music.ledCount = 3;
    music.level = 40;
    music.sameColour = 1;
    music.variant = 1;
    ResetMusicInfo(music);
    EXPECT_EQ(music.ledCount, 3);
    EXPECT_EQ(music.level, 10);
    EXPECT_EQ(music.sameColour, 0);
    EXPECT_EQ(music.variant, 0);
    EXPECT_EQ(music.colours[0], 0x000000FFu);
}

TEST(SettingsBlock, SpeedStepsMapBothWays)
{
    const struct {
        int step, speed;
    } table[] = {{0, 2}, {1, 1}, {2, 0}, {3, -1}, {4, -2}};
    for (const auto& row : table) {
        EXPECT_EQ(SpeedFromStep(row.step), row.speed) << row.step;
        EXPECT_EQ(StepFromSpeed(row.speed), row.step) << row.speed;
    }
    EXPECT_EQ(StepFromSpeed(5), 0);
    EXPECT_EQ(StepFromSpeed(-3), 0);
}

TEST(SettingsBlock, SelectRecordUsesTheSharedRecordOnlyForSeveralSynchronisedDevices)
{
    EXPECT_EQ(SelectRecord(1, 1), 1);
    EXPECT_EQ(SelectRecord(2, 1), 0);
    EXPECT_EQ(SelectRecord(2, 0), 1);
    EXPECT_EQ(SelectRecord(0, 1), 1);
    EXPECT_EQ(SelectRecord(5, 7), 0);
}

TEST(SettingsBlock, OutOfRangeStoredIndexesNeverSelectBeyondTheTables)
{
    EXPECT_EQ(SettingsBlock::ProfileIndex(-5), 0);
    EXPECT_EQ(SettingsBlock::ProfileIndex(99), 0);
    EXPECT_EQ(SettingsBlock::ProfileIndex(3), 3);
    EXPECT_EQ(ModeIndex(1000), 0);
    EXPECT_EQ(ModeIndex(-1), 0);
    EXPECT_EQ(ModeIndex(14), 14);

    SettingsBlock block = FirstRunBlock();
    block.CurrentProfile = 99;
    block.profiles[0].dram.DevNum = 7;
    EXPECT_EQ(block.current().dram.DevNum, 7);
}

TEST(SettingsBlock, EffectEqualityComparesOnlyTheFirstRecordsColourSlots)
{
    EffectInfo a;
    ResetEffectInfo(a, 3);
    EffectInfo b = a;
    b.ledCount = 2;
    b.reserved = 9;
    EXPECT_TRUE(EffectInfoEquals(a, b)) << "ledCount and reserved are not compared";

    b = a;
    b.colours[5] = 0x123456;
    a.ledCount = 4;
    EXPECT_TRUE(EffectInfoEquals(a, b));
    a.ledCount = 6;
    EXPECT_FALSE(EffectInfoEquals(a, b));
    a.ledCount = 1000;
    EXPECT_FALSE(EffectInfoEquals(a, b)) << "a count above 8 compares the eight slots";
    a.ledCount = -1;
    EXPECT_TRUE(EffectInfoEquals(a, b)) << "a negative count compares no slot";

    for (auto field : {&EffectInfo::mode, &EffectInfo::sameColour, &EffectInfo::speed, &EffectInfo::variant}) {
        EffectInfo c = a;
        c.*field += 1;
        EXPECT_FALSE(EffectInfoEquals(a, c));
    }
}

TEST(SettingsBlock, GroupEqualityComparesRecordsUpToTheDeviceCount)
{
    const SettingsBlock base = FirstRunBlock();
    ProfileSettings a = base.profiles[0];
    a.dram.DevNum = 3;
    ProfileSettings b = a;

    b.dram.effects[4].mode = 9;
    EXPECT_TRUE(ProfileEquals(a, b)) << "record 4 lies beyond 3 devices";
    b.dram.effects[3].mode = 9;
    EXPECT_FALSE(ProfileEquals(a, b));

    b = a;
    b.dram.DevNum = 16;
    EXPECT_TRUE(ProfileEquals(a, b)) << "device counts are not compared";
    b.ssd.Synchronize = 0;
    EXPECT_FALSE(ProfileEquals(a, b));

    a.dram.DevNum = 2147483647;
    b = a;
    b.dram.effects[16].speed = -2;
    EXPECT_FALSE(GroupEquals(a.dram, b.dram)) << "a huge count compares all sixteen devices";
}

TEST(SettingsBlock, RefreshFromDiscoveryTakesLedCountsPerDocument)
{
    GroupSettings group = FirstRunBlock().profiles[0].dram;
    const std::vector<int> counts = {5, 10};
    RefreshFromDiscovery(group, counts);
    EXPECT_EQ(group.DevNum, 2);
    EXPECT_EQ(group.effects[0].ledCount, 5);
    EXPECT_EQ(group.effects[1].ledCount, 5);
    EXPECT_EQ(group.effects[2].ledCount, 10);
    for (int k = 3; k < kRecordsPerGroup; ++k)
        EXPECT_EQ(group.effects[k].ledCount, 0) << k;

    RefreshFromDiscovery(group, {});
    EXPECT_EQ(group.DevNum, 0);
    EXPECT_EQ(group.effects[2].ledCount, 10) << "no documents leave the counts alone";

    const std::vector<int> many(20, 4);
    RefreshFromDiscovery(group, many);
    EXPECT_EQ(group.DevNum, 20);
    EXPECT_EQ(group.effects[16].ledCount, 4);
}
