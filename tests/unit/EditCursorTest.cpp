// The main window's editing position over the live block: answers follow the block, edits land
// where the display says.
#include "mainwnd/EditCursor.h"

#include <gtest/gtest.h>

namespace {

class EditCursorTest : public testing::Test {
protected:
    void SetUp() override
    {
        ApplyFirstRunDefaults(m_live);
        m_cursor.ShowGroup(kGroupSsd);
        m_cursor.ChooseRecord(2);
    }

    SettingsBlock m_live{};
    EditCursor m_cursor{m_live};
};

} // namespace

// Assigning the whole block (a profile switch does) leaves the cursor on the same place of the
// new block's current profile, not in the old one.
TEST_F(EditCursorTest, AnswersFollowTheBlockAfterItIsAssignedAnew)
{
    SettingsBlock other = m_live;
    other.CurrentProfile = 2;
    other.profiles[2].ssd.effects[2].mode = 9;
    m_live = other;
    EXPECT_EQ(m_cursor.RecordInUse().mode, 9);
    m_cursor.ChooseMode(4);
    EXPECT_EQ(m_live.profiles[2].ssd.effects[2].mode, 4);
    EXPECT_EQ(m_cursor.Mode(), 4);
}

TEST_F(EditCursorTest, AColourEditLandsInTheSlotsTheDisplayEdits)
{
    const EditorColour blue = FromRgb(0, 0, 255);
    EffectInfo& record = m_live.current().ssd.effects[2];
    const ColourWord before = record.colours[0];

    m_cursor.ChooseSlot(3);
    m_cursor.EditColour(blue);
    EXPECT_EQ(record.colours[3], blue.Word());
    EXPECT_EQ(record.colours[0], before) << "the other slots keep theirs";

    record.sameColour = 1;
    m_cursor.EditColour(blue);
    for (ColourWord colour : record.colours)
        EXPECT_EQ(colour, blue.Word()) << "the same colour goes into every slot";

    m_live.audio_sw = 1;
    m_cursor.TakeSwitches();
    m_cursor.EditColour(FromRgb(255, 0, 0));
    EXPECT_EQ(m_live.fMusicInfo.colours[3], 0x0000FFu) << "music mode edits the music record";
    EXPECT_EQ(record.colours[3], blue.Word());
    EXPECT_EQ(m_cursor.Colour().r, 255);
}

TEST_F(EditCursorTest, TheDisplayFollowsTheSwitchesAsLastTaken)
{
    m_cursor.ChooseMode(5);
    const struct {
        int audio, sync, display;
        bool normal;
    } table[] = {
        {0, 0, 5, true}, {1, 0, kMusicDisplay, false}, {0, 1, kSyncDisplay, false}, {1, 1, kSyncDisplay, false}};
    for (const auto& row : table) {
        m_live.audio_sw = row.audio;
        m_live.sync_sw = row.sync;
        m_cursor.TakeSwitches();
        EXPECT_EQ(m_cursor.DisplayIndex(), row.display) << row.audio << row.sync;
        EXPECT_EQ(m_cursor.NormalDisplay(), row.normal) << row.audio << row.sync;
    }
    m_live.audio_sw = 1;
    EXPECT_EQ(m_cursor.DisplayIndex(), kSyncDisplay) << "a switch shows from the next refresh on";
    m_cursor.ChooseMode(99);
    m_live.audio_sw = m_live.sync_sw = 0;
    m_cursor.TakeSwitches();
    EXPECT_EQ(m_cursor.DisplayIndex(), 0) << "a stored mode out of range counts as mode 0";
}

// A profile switch starts over from the saved block, keeping the language and the lighting
// switch as shown, with music and sync off; the record is the device's own unless the group
// shows all devices in step.
TEST_F(EditCursorTest, AProfileSwitchStartsOverFromTheSavedBlock)
{
    SettingsBlock saved = m_live;
    saved.lan_id = 0;
    saved.led_sw = 1;
    saved.audio_sw = 1;
    saved.profiles[1].ssd.effects[0].mode = 7;
    m_live.lan_id = 1;
    m_live.led_sw = 0;
    m_cursor.TakeSwitches();

    const struct {
        int devNum, synchronize, record;
    } table[] = {{1, 1, 1}, {3, 0, 1}, {3, 1, 0}};
    for (const auto& row : table) {
        saved.profiles[1].ssd.DevNum = row.devNum;
        saved.profiles[1].ssd.Synchronize = row.synchronize;
        m_cursor.StartProfileOver(saved, 1);
        m_cursor.ChooseRecordAfterProfileSwitch();
        EXPECT_EQ(m_cursor.Record(), row.record) << row.devNum << "," << row.synchronize;
    }
    EXPECT_EQ(m_live.CurrentProfile, 1);
    EXPECT_EQ(m_live.lan_id, 1);
    EXPECT_EQ(m_live.led_sw, 0);
    EXPECT_EQ(m_live.audio_sw, 0);
    EXPECT_FALSE(m_cursor.MusicShown());
    EXPECT_EQ(m_cursor.Mode(), 7) << "the mode of the record the last row chose";
}

TEST(EditCursor, EachGroupIsOfferedOnceInTheOrderItCame)
{
    SettingsBlock live{};
    EditCursor cursor{live};
    for (int group : {kGroupDram, kGroupSsd, kGroupDram, kGroupSsd})
        cursor.OfferGroup(group);
    ASSERT_EQ(cursor.OfferedGroups().size(), 2u);
    EXPECT_EQ(cursor.OfferedGroups()[0], kGroupDram);
    EXPECT_EQ(cursor.OfferedGroups()[1], kGroupSsd);
    EXPECT_FALSE(cursor.OffersGroup(2));
}
