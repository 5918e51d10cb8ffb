// CHalcyDlg: reloading the panel from the live block, showing what the current display
// offers, and the scrolling mode list.
#include "mainwnd/HalcyDlg.h"

#include "mainwnd/MainSkinSections.h"
#include "skin/SkinFile.h"

#include <cstdio>
#include <iterator>
#include <vector>

namespace {

constexpr int kVisibleModeRows = 8;
constexpr int kModeRowSpacing = 37;
constexpr RECT kNowhere{0, 0, 0, 0};

void Show(const CWnd& wnd, bool shown)
{
    wnd.ShowWindow(shown ? SW_SHOW : SW_HIDE);
}

void SetColour(CColorBtn2& swatch, ColourWord c)
{
    swatch.SetColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

std::wstring SlotCaption(const wchar_t* stringKey, int slot)
{
    wchar_t caption[160];
    std::swprintf(caption, std::size(caption), L"%ls %d", GetSkinString(kPanelStringSection, stringKey, L"").c_str(),
                  slot + 1);
    return caption;
}

// The LED count of the first device of each document: 0 for a document without devices.
std::vector<int> FirstDeviceLedCounts(const std::vector<DeviceDocument>& documents)
{
    std::vector<int> counts;
    counts.reserve(documents.size());
    for (const DeviceDocument& document : documents)
        counts.push_back(document.devices.empty() ? 0 : document.devices.front().led_count);
    return counts;
}

// A stored language far outside the named ones has no name (and no overflowing key).
std::wstring LanguageName(int language)
{
    return language >= 0 && language < kLanguageNameTexts ? GetFuncString(kLanguageNameText + language)
                                                          : std::wstring();
}

} // namespace

void CHalcyDlg::RefreshPanel(bool scrollModes)
{
    m_ui.language.SetCaptionEx(LanguageName(m_cfg.lan_id), 0, CPngListBtn::kNoIndex);
    RefreshSwitches();
    m_ui.level.SetPos(m_cfg.fMusicInfo.level);

    const std::vector<int> ledCounts = FirstDeviceLedCounts(m_devices.Documents(m_cursor.Group()));
    RefreshFromDiscovery(m_cursor.GroupInUse(), ledCounts);
    RefreshGroupCaptions(static_cast<int>(ledCounts.size()));
    RefreshColourSlots();
    TakeModeOfRecordInUse();
    RefreshModeButtons(scrollModes);

    m_cursor.TakeVariantOfRecordInUse();
    m_ui.variant[0].SetSelected(m_cursor.Variant() == 0);
    m_ui.variant[1].SetSelected(m_cursor.Variant() == 1);

    m_ui.speed.SetPos(StepFromSpeed(m_cursor.RecordInUse().speed));
    UpdatePanelVisibility();
}

// The view follows copies of the switches, taken here.
void CHalcyDlg::RefreshSwitches()
{
    m_cursor.TakeSwitches();
    m_ui.ledSwitch.SetSelected(m_cfg.led_sw == 0);
    m_ui.audioSwitch.SetSelected(m_cfg.audio_sw != 0);
    m_ui.syncSwitch.SetSelected(m_cfg.sync_sw != 0);
    m_ui.razerSwitch.SetSelected(m_cfg.razer_sw != 0);
}

// The shown group's button names the device in use when the group has several.
void CHalcyDlg::RefreshGroupCaptions(int documentCount)
{
    for (int group : {kGroupDram, kGroupSsd})
        m_ui.group[group].SetCaptionEx(GetFuncString(kGroupNameText + group), 0, CPngListBtn::kNoIndex);
    if (documentCount <= 1)
        return;
    const int group = m_cursor.Group();
    const int record = m_cursor.Record();
    const std::wstring caption =
        record == 0 ? GetFuncString(kAllDevicesText) : GetFuncString(kGroupNameText + group) + std::to_wstring(record);
    m_ui.group[group].SetCaptionEx(caption, 0, CPngListBtn::kNoIndex);
}

// Loads the slots from the record being edited and makes the selected slot's colour the one in
// hand, which stores it again: while the same colour is on, in every slot.
void CHalcyDlg::RefreshColourSlots()
{
    const bool music = m_cursor.MusicShown();
    const ColourWord* colours = m_cursor.EditedColours();
    const bool same = m_cursor.EditedSameColour() != 0;
    // The same colour shows in every slot of a record, whose other slots cannot be chosen; the
    // music record shows each slot's own.
    const bool oneColour = same && !music;
    m_ui.sameColour.SetSelected(same);
    for (int i = 0; i < kColourSlots; ++i) {
        SetColour(m_ui.slot[i], oneColour ? colours[0] : colours[i]);
        m_ui.slot[i].SetCaption(SlotCaption(music ? L"4" : L"2", i));
        m_ui.slot[i].EnableWindow(!oneColour);
    }
    m_ui.sameColour.SetCaptionEx(GetSkinString(kPanelStringSection, music ? L"5" : L"3", L""), 0,
                                 CPngListBtn::kNoIndex);
    EditColour(FromWord(colours[m_cursor.Slot()]), ColourSource::elsewhere);
}

// Mode, group and profile buttons are choices of the normal display only.
void CHalcyDlg::RefreshModeButtons(bool scrollModes)
{
    const bool normalDisplay = m_cursor.NormalDisplay();
    for (int i = 0; i < kModeCount; ++i) {
        m_ui.mode[i].SetSelected(i == m_cursor.Mode());
        m_ui.mode[i].EnableWindow(normalDisplay);
    }
    for (CPngListBtn& group : m_ui.group)
        group.EnableWindow(normalDisplay);
    const int profile = SettingsBlock::ProfileIndex(m_cfg.CurrentProfile);
    for (int i = 0; i < kProfileCount; ++i)
        m_ui.profile[i].SetSelected(normalDisplay && i == profile);

    if (scrollModes) {
        const int lastOnFirstPage = kVisibleModeRows;
        const int mode = ModeIndex(m_cursor.Mode());
        const int top = mode > lastOnFirstPage ? mode - lastOnFirstPage : 0;
        m_ui.modeScroll.SetPos(top);
        ScrollModeList(top);
    }
}

void CHalcyDlg::UpdatePanelVisibility()
{
    const int display = m_cursor.DisplayIndex();
    const ModeTraits& traits = kModeTraits[static_cast<size_t>(display)];
    const bool colours = traits.colours != ColourOffer::None;

    Show(m_ui.razerSwitch, display == kSyncDisplay);
    Show(m_ui.level, display == kMusicDisplay);
    for (const CWnd* control :
         std::initializer_list<const CWnd*>{&m_ui.sameColour, &m_ui.hue, &m_ui.saturation, &m_ui.brightness,
                                            &m_ui.hexField, &m_ui.red, &m_ui.green, &m_ui.blue})
        Show(*control, colours);
    for (const CClrEdit& field : m_ui.rgbField)
        Show(field, colours);
    for (const CColorBtn2& preset : m_ui.preset)
        Show(preset, colours);
    Show(m_ui.speed, traits.speed);
    for (const CPngListBtn& variant : m_ui.variant)
        Show(variant, traits.variant);

    const int ledCount = m_cursor.RecordInUse().ledCount;
    for (int i = 0; i < kColourSlots; ++i)
        Show(m_ui.slot[i], i < ledCount && (m_cursor.Shown().audio != 0 || colours));
    if (traits.colours == ColourOffer::One) {
        Show(m_ui.slot[0], true);
        Show(m_ui.sameColour, false);
        for (int i = 1; i < kColourSlots; ++i)
            Show(m_ui.slot[i], false);
    }
    ::InvalidateRgn(m_hWnd, m_textRegion.get(), TRUE);
}

// Exactly the buttons of modes top + 1 to top + 8 are visible, one row apart from the top
// slot; mode 0 is never offered.
void CHalcyDlg::ScrollModeList(int top)
{
    m_ui.mode[0].MoveWindow(kNowhere);
    int next = top + 1;
    int dy = 0;
    for (int i = 1; i < kModeCount; ++i) {
        if (i == next && next < top + 1 + kVisibleModeRows) {
            RECT place = m_modeListRect;
            ::OffsetRect(&place, 0, dy);
            m_ui.mode[i].MoveWindow(place);
            dy += kModeRowSpacing;
            ++next;
        } else {
            m_ui.mode[i].MoveWindow(kNowhere);
        }
    }
}
