// EditCursor: the editing position over the live block and the edits that follow from it.
#include "mainwnd/EditCursor.h"

#include <algorithm>

bool EditCursor::OffersGroup(int group) const noexcept
{
    const std::span<const int> offered = OfferedGroups();
    return std::find(offered.begin(), offered.end(), group) != offered.end();
}

void EditCursor::OfferGroup(int group) noexcept
{
    if (!OffersGroup(group) && m_offeredCount < kMaxGroups)
        m_offered[m_offeredCount++] = group;
}

ColourWord* EditCursor::EditedColours() noexcept
{
    return MusicShown() ? m_live.fMusicInfo.colours : RecordInUse().colours;
}

std::int32_t& EditCursor::EditedSameColour() noexcept
{
    return MusicShown() ? m_live.fMusicInfo.sameColour : RecordInUse().sameColour;
}

int EditCursor::DisplayIndex() const noexcept
{
    if (m_shown.sync == 1)
        return kSyncDisplay;
    if (m_shown.audio == 1)
        return kMusicDisplay;
    return ModeIndex(m_mode);
}

void EditCursor::ChooseRecordOfGroup() noexcept
{
    const GroupSettings& group = GroupInUse();
    m_record = SelectRecord(group.DevNum, group.Synchronize);
}

void EditCursor::ChooseMode(int mode) noexcept
{
    m_mode = mode;
    RecordInUse().mode = mode;
}

void EditCursor::TakeVariantOfRecordInUse() noexcept
{
    m_variant = MusicShown() ? m_live.fMusicInfo.variant : RecordInUse().variant;
}

void EditCursor::TakeSwitches() noexcept
{
    m_shown = {m_live.led_sw, m_live.audio_sw, m_live.sync_sw, m_live.razer_sw};
}

void EditCursor::EditColour(const EditorColour& colour) noexcept
{
    m_colour = colour;
    ColourWord* target = EditedColours();
    if (EditedSameColour() != 0) {
        for (int i = 0; i < kColourSlots; ++i)
            target[i] = colour.Word();
    } else {
        target[m_slot] = colour.Word();
    }
}

void EditCursor::StartProfileOver(const SettingsBlock& saved, int profile) noexcept
{
    const std::int32_t language = m_live.lan_id;
    m_live = saved;
    m_live.led_sw = m_shown.led;
    m_live.CurrentProfile = profile;
    m_live.lan_id = language;
    m_live.audio_sw = 0;
    m_live.sync_sw = 0;
    m_shown.audio = 0;
    m_shown.sync = 0;
}

void EditCursor::ChooseRecordAfterProfileSwitch() noexcept
{
    const GroupSettings& group = GroupInUse();
    m_record = group.DevNum == 1 || group.Synchronize == 0 ? 1 : 0;
    TakeModeOfRecordInUse();
}
