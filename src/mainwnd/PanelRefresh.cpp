// CHalcyDlg: reloading the panel from the live block, showing what the current display
// offers, and the scrolling mode list.
#include "mainwnd/HalcyDlg.h"

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
    std::swprintf(caption, std::size(caption), L"%ls %d", GetSkinString(L"LED_STRING", stringKey, L"").c_str(),
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

int CHalcyDlg::DisplayIndex() const noexcept
{
    if (m_syncSwShown == 1)
        return kSyncDisplay;
    if (m_audioSwShown == 1)
        return kMusicDisplay;
    return ModeIndex(m_curMode);
}

void CHalcyDlg::RefreshPanel(bool scrollModes)
{
    m_btnLanguage.SetCaptionEx(LanguageName(m_cfg.lan_id), 0, CPngListBtn::kNoIndex);
    RefreshSwitches();
    m_sliderLevel.SetPos(m_cfg.fMusicInfo.level);

    const std::vector<int> ledCounts = FirstDeviceLedCounts(m_devices.Documents(m_curGroup));
    RefreshFromDiscovery(m_cfg.current().group(m_curGroup), ledCounts);
    RefreshGroupCaptions(static_cast<int>(ledCounts.size()));
    RefreshColourSlots();
    TakeModeOfRecordInUse();
    RefreshModeButtons(scrollModes);

    const int variant = m_audioSwShown == 1 ? m_cfg.fMusicInfo.variant : RecordInUse().variant;
    m_variantChoice = variant;
    m_btnVariant[0].SetSelected(variant == 0);
    m_btnVariant[1].SetSelected(variant == 1);

    m_sliderSpeed.SetPos(StepFromSpeed(RecordInUse().speed));
    UpdatePanelVisibility();
}

// The view follows copies of the switches, taken here.
void CHalcyDlg::RefreshSwitches()
{
    m_ledSwShown = m_cfg.led_sw;
    m_btnLedSw.SetSelected(m_cfg.led_sw == 0);
    m_audioSwShown = m_cfg.audio_sw;
    m_btnAudioSw.SetSelected(m_cfg.audio_sw != 0);
    m_syncSwShown = m_cfg.sync_sw;
    m_btnSyncSw.SetSelected(m_cfg.sync_sw != 0);
    m_razerSwShown = m_cfg.razer_sw;
    m_btnRazerSw.SetSelected(m_cfg.razer_sw != 0);
}

// The shown group's button names the device in use when the group has several.
void CHalcyDlg::RefreshGroupCaptions(int documentCount)
{
    for (int group : {kGroupDram, kGroupSsd})
        m_btnGroup[group].SetCaptionEx(GetFuncString(kGroupNameText + group), 0, CPngListBtn::kNoIndex);
    if (documentCount <= 1)
        return;
    const std::wstring caption = m_curRecord == 0
                                     ? GetFuncString(kAllDevicesText)
                                     : GetFuncString(kGroupNameText + m_curGroup) + std::to_wstring(m_curRecord);
    m_btnGroup[m_curGroup].SetCaptionEx(caption, 0, CPngListBtn::kNoIndex);
}

// Loads the slots from the record being edited and hands the selected slot's colour to
// the colour editor, which brings every other control in step.
void CHalcyDlg::RefreshColourSlots()
{
    ColourWord selected;
    if (m_audioSwShown != 1) {
        const EffectInfo& record = RecordInUse();
        const bool same = record.sameColour != 0;
        m_btnSameColour.SetSelected(same);
        for (int i = 0; i < kColourSlots; ++i) {
            SetColour(m_swatch[i], same ? record.colours[0] : record.colours[i]);
            m_swatch[i].SetCaption(SlotCaption(L"2", i));
            m_swatch[i].EnableWindow(!same);
        }
        m_btnSameColour.SetCaptionEx(GetSkinString(L"LED_STRING", L"3", L""), 0, CPngListBtn::kNoIndex);
        selected = record.colours[m_selectedSlot];
    } else {
        const MusicInfo& music = m_cfg.fMusicInfo;
        m_btnSameColour.SetSelected(music.sameColour != 0);
        for (int i = 0; i < kColourSlots; ++i) {
            SetColour(m_swatch[i], music.colours[i]);
            m_swatch[i].SetCaption(SlotCaption(L"4", i));
            m_swatch[i].EnableWindow(true);
        }
        m_btnSameColour.SetCaptionEx(GetSkinString(L"LED_STRING", L"5", L""), 0, CPngListBtn::kNoIndex);
        selected = music.colours[m_selectedSlot];
    }
    m_selectedSwatch = &m_swatch[m_selectedSlot];
    SetRgbSliders(selected);
    OnColourEdited(ColourSource::fromRgb);
}

// Mode, group and profile buttons are choices of the normal display only.
void CHalcyDlg::RefreshModeButtons(bool scrollModes)
{
    const bool normalDisplay = m_audioSwShown != 1 && m_syncSwShown != 1;
    for (int i = 0; i < kModeCount; ++i) {
        m_btnMode[i].SetSelected(i == m_curMode);
        m_btnMode[i].EnableWindow(normalDisplay);
    }
    for (CPngListBtn& group : m_btnGroup)
        group.EnableWindow(normalDisplay);
    const int profile = SettingsBlock::ProfileIndex(m_cfg.CurrentProfile);
    for (int i = 0; i < kProfileCount; ++i)
        m_btnProfile[i].SetSelected(normalDisplay && i == profile);

    if (scrollModes) {
        const int lastOnFirstPage = kVisibleModeRows;
        const int mode = ModeIndex(m_curMode);
        const int top = mode > lastOnFirstPage ? mode - lastOnFirstPage : 0;
        m_modeScroll.SetPos(top);
        ScrollModeList(top);
    }
}

void CHalcyDlg::UpdatePanelVisibility()
{
    const int display = DisplayIndex();
    const ModeTraits& traits = kModeTraits[static_cast<size_t>(display)];
    const bool colours = traits.colours != ColourOffer::None;

    Show(m_btnRazerSw, display == kSyncDisplay);
    Show(m_sliderLevel, display == kMusicDisplay);
    for (const CWnd* control :
         std::initializer_list<const CWnd*>{&m_btnSameColour, &m_knobHue, &m_sliderSaturation, &m_sliderBrightness,
                                            &m_editHex, &m_sliderRed, &m_sliderGreen, &m_sliderBlue})
        Show(*control, colours);
    for (const CClrEdit& field : m_editRgb)
        Show(field, colours);
    for (const CColorBtn2& preset : m_preset)
        Show(preset, colours);
    Show(m_sliderSpeed, traits.speed);
    for (const CPngListBtn& variant : m_btnVariant)
        Show(variant, traits.variant);

    const int ledCount = RecordInUse().ledCount;
    for (int i = 0; i < kColourSlots; ++i)
        Show(m_swatch[i], i < ledCount && (m_audioSwShown != 0 || colours));
    if (traits.colours == ColourOffer::One) {
        Show(m_swatch[0], true);
        Show(m_btnSameColour, false);
        for (int i = 1; i < kColourSlots; ++i)
            Show(m_swatch[i], false);
    }
    ::InvalidateRgn(m_hWnd, m_textRegion.get(), TRUE);
}

// Exactly the buttons of modes top + 1 to top + 8 are visible, one row apart from the top
// slot; mode 0 is never offered.
void CHalcyDlg::ScrollModeList(int top)
{
    m_btnMode[0].MoveWindow(kNowhere);
    int next = top + 1;
    int dy = 0;
    for (int i = 1; i < kModeCount; ++i) {
        if (i == next && next < top + 1 + kVisibleModeRows) {
            RECT place = m_modeListRect;
            ::OffsetRect(&place, 0, dy);
            m_btnMode[i].MoveWindow(place);
            dy += kModeRowSpacing;
            ++next;
        } else {
            m_btnMode[i].MoveWindow(kNowhere);
        }
    }
}
