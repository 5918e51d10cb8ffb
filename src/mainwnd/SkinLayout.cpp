// CHalcyDlg: building every control from the skin file. The first build creates the
// windows; a rebuild (language change) re-dresses and re-places the same windows.
#include "mainwnd/HalcyDlg.h"

#include "base/Paths.h"
#include "controls/SkinDresser.h"
#include "mainwnd/MainSkinSections.h"
#include "skin/DibOperations.h"
#include "skin/FileStamp.h"
#include "skin/ImageDecoding.h"
#include "skin/SkinFaceCache.h"
#include "skin/SkinFile.h"
#include "skin/SkinImageSet.h"

#include <iterator>

namespace {

constexpr int kGroupFontHeight = 16;
constexpr int kGroupSpacing = 85; // between the buttons of the group column
constexpr UINT kDecimalFieldLimit = 3;
constexpr UINT kHexFieldLimit = 6;
constexpr int kTextPlacementCount = 25; // "LED_TEXT" 0..24
constexpr int kFirstPanelPicture = 5;   // "MAINPIC" 5..7
constexpr int kLastPanelPicture = 7;
constexpr int kModeListScrollMax = 6;
constexpr int kFirstProfileKey = 21;
constexpr int kFirstGroupKey = 11;
constexpr int kFirstModeKey = 1;
constexpr int kFirstRgbFieldKey = 31;
constexpr int kFirstSlotKey = 41;
constexpr int kFirstPresetKey = 51;
constexpr int kComponentMax = 255;
constexpr int kSaturationMax = 100;
constexpr int kHueMax = 359;
constexpr int kLevelMin = 1;
constexpr int kLevelMax = 50;
constexpr const wchar_t* kBackgroundPictures[] = {L"2", L"3"}; // "MAINPIC" keys drawn into the background
// The window of a skin whose background picture cannot be read: plain, and large enough to be
// seen and closed.
constexpr SIZE kPlainBackgroundSize{640, 400};
constexpr COLORREF kPlainBackgroundColour = RGB(0x20, 0x20, 0x20);

// Caption colours: normal, over, down, disabled.
struct TextColours {
    COLORREF normal, over, down, disabled;
};
constexpr TextColours kSwitchColours{0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x464646};
constexpr TextColours kProfileColours{0x646464, 0x646464, 0xFFFFFF, 0x464646};
constexpr TextColours kGroupColours{0x000000, 0x000000, 0xFFFFFF, 0x646464};
constexpr TextColours kModeColours{0x8A8A88, 0x8A8A88, 0xFFFFFF, 0x464646};
constexpr COLORREF kSwatchCaptionColour = 0xFFFFFF;

void ApplyColours(CPngListBtn& button, const TextColours& c)
{
    button.SetTextColors(c.normal, c.over, c.down, c.disabled);
}

std::wstring Key(int number)
{
    return std::to_wstring(number);
}

SkinItem ReadItem(const wchar_t* section, const std::wstring& key)
{
    return ParseSkinItem(GetSkinString(section, key.c_str(), L""));
}

// A first build creates the windows; a rebuild keeps what an unchanged background allows.
SkinDress DressFor(bool layoutBuilt, bool backgroundChanged)
{
    return !layoutBuilt        ? SkinDress::kCreateWindow
           : backgroundChanged ? SkinDress::kNewBackground
                               : SkinDress::kSameBackground;
}

std::wstring SkinImagePath(const std::wstring& name)
{
    return SkinFolder() + name;
}

Bitmap PlainBackground(SIZE size)
{
    Bitmap plain(CreateDib32(size.cx, size.cy));
    MemoryDc dc;
    if (plain.empty() || !dc)
        return {};
    SelectGuard select(dc, plain.get());
    const GdiBrush brush(::CreateSolidBrush(kPlainBackgroundColour));
    const RECT all{0, 0, size.cx, size.cy};
    ::FillRect(dc, &all, brush.get());
    return plain;
}

} // namespace

void CHalcyDlg::BuildSkinLayout()
{
    SetSkinFile(ProgramFolder() + SkinFileForLanguage(m_cfg.lan_id));
    ComposeBackground();
    if (!m_layoutBuilt)
        ::MoveWindow(m_hWnd, 0, 0, m_background.width(), m_background.height(), TRUE);
    SetSkinFontFace(GetSkinString(kSkinFontSection, kSkinFontKey, kDefaultSkinFontFace));

    BuildTopButtons();
    BuildGroupButtons();
    BuildModeList();
    BuildColourEditor();
    BuildTextRegion();
    m_layoutBuilt = 1;
    Invalidate();
}

namespace {

// What the composed background is made of: the names of its pictures, their places and their
// files' stamps. A language change usually leaves all of it as it was.
std::wstring BackgroundSource(const std::wstring& picturePath)
{
    std::wstring source;
    auto add = [&source](const std::wstring& path, const std::wstring& what) {
        source += path + L'|' + what + L'|';
        if (const auto stamp = FileStampOf(path))
            source += std::to_wstring(stamp->bytes) + L'.' + std::to_wstring(stamp->written.dwHighDateTime) + L'.' +
                      std::to_wstring(stamp->written.dwLowDateTime);
        source += L'\n';
    };
    add(picturePath, {});
    for (const wchar_t* key : kBackgroundPictures) {
        const std::wstring placed = GetSkinString(kPictureSection, key, L"");
        add(SkinFolder() + L"Pic\\" + ParseSkinPlacement(placed).text, placed);
    }
    return source;
}

} // namespace

// The background picture with the two fixed skin pictures drawn into it once, so every
// control shows them through its transparent parts. A rebuild from the same pictures keeps it.
void CHalcyDlg::ComposeBackground()
{
    const std::wstring path = SkinImagePath(GetSkinString(kBackgroundSection, L"Main", L""));
    std::wstring madeFrom = BackgroundSource(path);
    m_backgroundChanged = m_background.empty() || madeFrom != m_backgroundSource;
    if (!m_backgroundChanged)
        return;
    m_backgroundSource = std::move(madeFrom);

    Bitmap picture;
    SIZE size{};
    if (!LoadPictureFile(path, picture, &size) || size.cx <= 0 || size.cy <= 0) {
        size = kPlainBackgroundSize;
        picture = PlainBackground(size);
    }
    WindowDc screen(m_hWnd);
    Bitmap composed(::CreateCompatibleBitmap(screen, size.cx, size.cy));
    {
        MemoryDc target(screen);
        MemoryDc source(screen);
        SelectGuard selectTarget(target, composed.get());
        SelectGuard selectSource(source, picture.get());
        ::BitBlt(target, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
        for (const wchar_t* key : kBackgroundPictures)
            DrawSkinPicture(target, kPictureSection, key, SkinFolder());
    }
    m_background = std::move(composed);
}

void CHalcyDlg::BuildTopButtons()
{
    SkinDresser dresser(m_hWnd, m_background, DressFor(m_layoutBuilt, m_backgroundChanged));
    dresser.Button(m_ui.minimise, kMainSection, L"1");
    dresser.Button(m_ui.close, kMainSection, L"2");
    dresser.Button(m_ui.language, kMainSection, L"3");
    dresser.Button(m_ui.apply, kMainSection, L"4");
    dresser.Button(m_ui.reset, kMainSection, L"5");
    dresser.Button(m_ui.ledSwitch, kMainSection, L"7");
    dresser.Button(m_ui.audioSwitch, kMainSection, L"6");
    dresser.Button(m_ui.syncSwitch, kMainSection, L"8");
    dresser.Button(m_ui.razerSwitch, kMainSection, L"9");
    for (CPngListBtn* toggle : {&m_ui.ledSwitch, &m_ui.audioSwitch, &m_ui.syncSwitch, &m_ui.razerSwitch}) {
        toggle->SetToggleMode();
        ApplyColours(*toggle, kSwitchColours);
    }
    m_ui.syncSwitch.ShowWindow(SW_HIDE); // external synchronisation is switched by other programs only

    for (int i = 0; i < kProfileCount; ++i) {
        dresser.Button(m_ui.profile[i], kMainSection, Key(kFirstProfileKey + i));
        ApplyColours(m_ui.profile[i], kProfileColours);
    }
    m_ui.profile[0].SetSelected(true);
    // The window may vanish under the pointer: these two act on release, all others on press.
    m_ui.minimise.SetNotifyOnRelease();
    m_ui.close.SetNotifyOnRelease();
}

void CHalcyDlg::BuildGroupButtons()
{
    SkinDresser dresser(m_hWnd, m_background, DressFor(m_layoutBuilt, m_backgroundChanged));
    for (int i = 0; i < kMaxGroups; ++i) {
        dresser.Button(m_ui.group[i], kMainSection, Key(kFirstGroupKey + i));
        if (i == 0)
            m_groupRect = ToRect(ReadItem(kMainSection, Key(kFirstGroupKey)).rect);
        else
            m_ui.group[i].MoveWindow(m_groupRect);
        ApplyColours(m_ui.group[i], kGroupColours);
        m_ui.group[i].SetFontHeight(kGroupFontHeight);
        m_ui.group[i].SetAlignment(CBitmapBtn::kAlignCentreBottom);
        m_ui.group[i].ShowWindow(SW_HIDE);
    }
    PlaceGroupColumn();
}

// The available groups stand one under the other in group order.
void CHalcyDlg::PlaceGroupColumn()
{
    int shown = 0;
    for (int group = 0; group < kMaxGroups; ++group)
        if (m_cursor.OffersGroup(group)) {
            RECT place = m_groupRect;
            ::OffsetRect(&place, 0, kGroupSpacing * shown);
            m_ui.group[group].MoveWindow(place);
            m_ui.group[group].ShowWindow(SW_SHOW);
            ++shown;
        }
    m_ui.group[m_cursor.Group()].SetSelected(true);
}

void CHalcyDlg::BuildModeList()
{
    SkinDresser dresser(m_hWnd, m_background, DressFor(m_layoutBuilt, m_backgroundChanged));
    for (int i = 0; i < kModeCount; ++i) {
        dresser.Button(m_ui.mode[i], kPanelSection, Key(kFirstModeKey + i));
        ApplyColours(m_ui.mode[i], kModeColours);
    }
    const SkinItem topSlot = ReadItem(kPanelSection, L"2");
    m_modeListRect = ToRect(topSlot.rect);
    m_modeName = topSlot.text;
    m_ui.mode[1].SetSelected(true);

    dresser.ScrollSlider(m_ui.modeScroll, ReadItem(kPanelSection, L"21"), 0, kModeListScrollMax);
    ScrollModeList(1);
}

void CHalcyDlg::BuildColourEditor()
{
    SkinDresser dresser(m_hWnd, m_background, DressFor(m_layoutBuilt, m_backgroundChanged));
    dresser.Slider(m_ui.red, kSliderRedId, ReadItem(kPanelSection, L"22"), 0, kComponentMax);
    dresser.Slider(m_ui.green, kSliderGreenId, ReadItem(kPanelSection, L"23"), 0, kComponentMax);
    dresser.Slider(m_ui.blue, kSliderBlueId, ReadItem(kPanelSection, L"24"), 0, kComponentMax);
    dresser.Slider(m_ui.saturation, kSliderSaturationId, ReadItem(kPanelSection, L"25"), 0, kSaturationMax);
    dresser.Knob(m_ui.hue, ReadItem(kPanelSection, L"28"), 0, kHueMax);
    dresser.Slider(m_ui.brightness, kSliderBrightnessId, ReadItem(kPanelSection, L"26"), 0, kComponentMax);
    dresser.Slider(m_ui.speed, kSliderSpeedId, ReadItem(kPanelSection, L"27"), 0,
                   static_cast<int>(kSpeedSteps.size()) - 1);
    dresser.Slider(m_ui.level, kSliderLevelId, ReadItem(kPanelSection, L"29"), kLevelMin, kLevelMax);
    m_ui.red.SetPos(kComponentMax);

    const CPngHSliderBar* rgbSliders[kRgbFieldCount] = {&m_ui.red, &m_ui.green, &m_ui.blue};
    for (int i = 0; i < kRgbFieldCount; ++i) {
        dresser.Edit(m_ui.rgbField[i], ReadItem(kPanelSection, Key(kFirstRgbFieldKey + i)), true);
        m_ui.rgbField[i].SetLimitText(kDecimalFieldLimit);
        m_ui.rgbField[i].SetWindowText(std::to_wstring(rgbSliders[i]->GetPos()).c_str());
    }
    dresser.Edit(m_ui.hexField, ReadItem(kPanelSection, L"34"), false);
    m_ui.hexField.SetLimitText(kHexFieldLimit);
    m_ui.hexField.SetHexOnly();

    for (int i = 0; i < kColourSlots; ++i) {
        dresser.Swatch(m_ui.slot[i], ReadItem(kPanelSection, Key(kFirstSlotKey + i)));
        m_ui.slot[i].SetColor(kComponentMax, 0, 0);
        m_ui.slot[i].SetTextColors(kSwatchCaptionColour, kSwatchCaptionColour, kSwatchCaptionColour);
    }
    for (int i = 0; i < kPresetCount; ++i) {
        dresser.Swatch(m_ui.preset[i], ReadItem(kPanelSection, Key(kFirstPresetKey + i)));
        const ColourWord c = kDefaultPalette[static_cast<size_t>(i)];
        m_ui.preset[i].SetColor(GetRValue(c), GetGValue(c), GetBValue(c));
    }

    dresser.Button(m_ui.sameColour, kPanelSection, L"63");
    ApplyColours(m_ui.sameColour, kSwitchColours);
    m_ui.sameColour.SetToggleMode();
    dresser.Button(m_ui.variant[0], kPanelSection, L"61");
    dresser.Button(m_ui.variant[1], kPanelSection, L"62");
    m_ui.variant[0].SetSelected(true);
    for (CPngListBtn& variant : m_ui.variant)
        ApplyColours(variant, kSwitchColours);
}

// Every label and panel picture area: what a panel change must repaint.
void CHalcyDlg::BuildTextRegion()
{
    m_textRegion.reset(::CreateRectRgn(0, 0, 0, 0));
    auto add = [this](const wchar_t* section, const std::wstring& key) {
        const SkinRect r = ParseSkinPlacement(GetSkinString(section, key.c_str(), L"")).rect;
        const GdiRegion piece(::CreateRectRgn(r.left, r.top, r.right, r.bottom));
        ::CombineRgn(m_textRegion.get(), m_textRegion.get(), piece.get(), RGN_OR);
    };
    for (int n = 0; n < kTextPlacementCount; ++n)
        add(kPanelTextSection, Key(n));
    for (int n = kFirstPanelPicture; n <= kLastPanelPicture; ++n)
        add(kPictureSection, Key(n));
}
