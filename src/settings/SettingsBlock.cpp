// First-run values, resets, speed steps, equality and discovery refresh of the settings block.
#include "settings/SettingsBlock.h"

#include <algorithm>

const std::array<ColourWord, kColourSlots> kDefaultPalette = {
    0x000000FF, // red
    0x0000FFFF, // yellow
    0x0000FF00, // green
    0x00FFFF00, // cyan
    0x00FF0000, // blue
    0x00FF00FF, // magenta
    0x00FFFFFF, // white
    0x007D007D, // purple
};

// Slider position 0..4 to stored speed: fastest on the left.
const std::array<int, 5> kSpeedSteps = {2, 1, 0, -1, -2};

const std::array<ModeTraits, kSyncDisplay + 1> kModeTraits = {{
    {ColourOffer::All, false, false},  // 0
    {ColourOffer::All, false, false},  // 1
    {ColourOffer::All, true, false},   // 2
    {ColourOffer::All, true, false},   // 3
    {ColourOffer::None, true, false},  // 4
    {ColourOffer::None, true, true},   // 5
    {ColourOffer::None, true, false},  // 6
    {ColourOffer::One, true, false},   // 7
    {ColourOffer::None, true, false},  // 8
    {ColourOffer::One, true, true},    // 9
    {ColourOffer::None, true, true},   // 10
    {ColourOffer::None, true, false},  // 11
    {ColourOffer::None, true, false},  // 12
    {ColourOffer::None, true, false},  // 13
    {ColourOffer::None, false, false}, // 14
    {ColourOffer::All, false, true},   // music display
    {ColourOffer::None, false, false}, // external synchronisation display
}};

namespace {

constexpr int kLedCountDefault = 8;
constexpr int kDevNumDefault = 2;

int ClampInt(int value, int low, int high) noexcept
{
    return std::clamp(value, low, high);
}

void ResetGroup(GroupSettings& group) noexcept
{
    group.Synchronize = 1;
    group.DevNum = kDevNumDefault;
    for (EffectInfo& record : group.effects)
        ResetEffectInfo(record, kDefaultMode);
}

} // namespace

void ResetEffectInfo(EffectInfo& record, int mode) noexcept
{
    record.mode = mode;
    record.reserved = 1;
    record.ledCount = kLedCountDefault;
    record.sameColour = 0;
    std::copy(kDefaultPalette.begin(), kDefaultPalette.end(), record.colours);
    record.speed = 0;
    record.variant = 0;
}

void ResetMusicInfo(MusicInfo& music) noexcept
{
    std::copy(kDefaultPalette.begin(), kDefaultPalette.end(), music.colours);
    music.level = kMusicLevelDefault;
    music.sameColour = 0;
    music.variant = 0;
}

void ApplyFirstRunDefaults(SettingsBlock& block) noexcept
{
    block.lan_id = 1;
    block.Show_TrayIcon = 1;
    block.Show_OSD = 1;
    block.led_sw = 1;
    block.audio_sw = 0;
    block.razer_sw = 1;
    block.sync_sw = 0;
    block.CurrentProfile = 0;
    for (ProfileSettings& profile : block.profiles) {
        ResetGroup(profile.dram);
        ResetGroup(profile.ssd);
    }
    ResetMusicInfo(block.fMusicInfo);
    block.fMusicInfo.ledCount = kLedCountDefault;
}

int SpeedFromStep(int step) noexcept
{
    return kSpeedSteps[static_cast<size_t>(ClampInt(step, 0, static_cast<int>(kSpeedSteps.size()) - 1))];
}

int StepFromSpeed(int speed) noexcept
{
    auto found = std::find(kSpeedSteps.begin(), kSpeedSteps.end(), speed);
    return found == kSpeedSteps.end() ? 0 : static_cast<int>(found - kSpeedSteps.begin());
}

int SelectRecord(int deviceCount, int synchronize) noexcept
{
    return deviceCount > 1 && synchronize != 0 ? 0 : 1;
}

bool EffectInfoEquals(const EffectInfo& a, const EffectInfo& b) noexcept
{
    if (a.mode != b.mode || a.sameColour != b.sameColour || a.speed != b.speed || a.variant != b.variant)
        return false;
    const int slots = ClampInt(a.ledCount, 0, kColourSlots);
    return std::equal(a.colours, a.colours + slots, b.colours);
}

bool GroupEquals(const GroupSettings& a, const GroupSettings& b) noexcept
{
    if (a.Synchronize != b.Synchronize)
        return false;
    const int last = ClampInt(a.DevNum, 0, kMaxDevicesPerGroup);
    for (int k = 0; k <= last; ++k)
        if (!EffectInfoEquals(a.effects[k], b.effects[k]))
            return false;
    return true;
}

bool ProfileEquals(const ProfileSettings& a, const ProfileSettings& b) noexcept
{
    return GroupEquals(a.dram, b.dram) && GroupEquals(a.ssd, b.ssd);
}

void RefreshFromDiscovery(GroupSettings& group, std::span<const int> ledCounts) noexcept
{
    const int n = static_cast<int>(std::min<size_t>(ledCounts.size(), INT32_MAX));
    group.DevNum = n;
    if (n == 0)
        return;
    for (int k = 1; k <= kMaxDevicesPerGroup; ++k)
        group.effects[k].ledCount = k <= n ? ledCounts[static_cast<size_t>(k - 1)] : 0;
    group.effects[0].ledCount = group.effects[1].ledCount;
}
