// The settings block: global switches, four profiles of two device groups, the music record.
#pragma once

#include <array>
#include <cstdint>
#include <span>

constexpr int kProfileCount = 4;
constexpr int kRecordsPerGroup = 17; // record 0 is shared by all devices, 1..16 one per device
constexpr int kMaxDevicesPerGroup = kRecordsPerGroup - 1;
constexpr int kColourSlots = 8;
constexpr int kModeCount = 15;    // effect modes 0..14 stored in records
constexpr int kMusicDisplay = 15; // the display while music mode is on
constexpr int kSyncDisplay = 16;  // the display while external synchronisation is on
constexpr int kMusicLevelDefault = 10;
constexpr int kDefaultMode = 1;

enum DeviceGroup : int { kGroupDram = 0, kGroupSsd = 1 };
constexpr int kGroupCount = 2;

// Colours are 0x00BBGGRR words: red in the low byte, as the platform's colour references.
using ColourWord = std::uint32_t;

// One effect record, stored byte for byte (little-endian, 56 bytes) in the settings file.
struct EffectInfo {
    std::int32_t mode;
    std::int32_t reserved;
    std::int32_t ledCount;
    std::int32_t sameColour;
    ColourWord colours[kColourSlots];
    std::int32_t speed;
    std::int32_t variant;
};
static_assert(sizeof(EffectInfo) == 56, "EffectInfo is a 56-byte record in the settings file");

// The music-mode record, 48 bytes in the settings file.
struct MusicInfo {
    ColourWord colours[kColourSlots];
    std::int32_t level;
    std::int32_t sameColour;
    std::int32_t ledCount;
    std::int32_t variant;
};
static_assert(sizeof(MusicInfo) == 48, "MusicInfo is a 48-byte record in the settings file");

struct GroupSettings {
    std::int32_t Synchronize;
    std::int32_t DevNum;
    EffectInfo effects[kRecordsPerGroup];
};

struct ProfileSettings {
    GroupSettings dram;
    GroupSettings ssd;

    GroupSettings& group(int g) noexcept { return g == kGroupSsd ? ssd : dram; }
    const GroupSettings& group(int g) const noexcept { return g == kGroupSsd ? ssd : dram; }
};

struct SettingsBlock {
    std::int32_t lan_id;
    std::int32_t Show_TrayIcon;
    std::int32_t Show_OSD;
    std::int32_t led_sw;
    std::int32_t audio_sw;
    std::int32_t razer_sw;
    std::int32_t sync_sw;
    std::int32_t CurrentProfile;
    ProfileSettings profiles[kProfileCount];
    MusicInfo fMusicInfo;

    // The current profile; a stored index outside 0..3 selects profile 0 (the stored value
    // itself is kept until the user picks a profile).
    ProfileSettings& current() noexcept { return profiles[ProfileIndex(CurrentProfile)]; }
    const ProfileSettings& current() const noexcept { return profiles[ProfileIndex(CurrentProfile)]; }

    static int ProfileIndex(int stored) noexcept { return stored >= 0 && stored < kProfileCount ? stored : 0; }
};

extern const std::array<ColourWord, kColourSlots> kDefaultPalette;
extern const std::array<int, 5> kSpeedSteps;

enum class ColourOffer { None, One, All };
struct ModeTraits {
    ColourOffer colours;
    bool speed;
    bool variant;
};
extern const std::array<ModeTraits, kSyncDisplay + 1> kModeTraits;

// A stored mode outside 0..14 never indexes a table: it counts as mode 0.
inline int ModeIndex(int storedMode) noexcept
{
    return storedMode >= 0 && storedMode < kModeCount ? storedMode : 0;
}

void ApplyFirstRunDefaults(SettingsBlock& block) noexcept;
void ResetEffectInfo(EffectInfo& record, int mode) noexcept;
void ResetMusicInfo(MusicInfo& music) noexcept;

int SpeedFromStep(int step) noexcept;
int StepFromSpeed(int speed) noexcept;
int SelectRecord(int deviceCount, int synchronize) noexcept;

bool EffectInfoEquals(const EffectInfo& a, const EffectInfo& b) noexcept;
bool GroupEquals(const GroupSettings& a, const GroupSettings& b) noexcept;
bool ProfileEquals(const ProfileSettings& a, const ProfileSettings& b) noexcept;

// Takes the device count of a group and, per discovered document, the LED count of its first
// device into the group's records.
void RefreshFromDiscovery(GroupSettings& group, std::span<const int> ledCounts) noexcept;
