// CHalcyDlg: building every control from the skin file. The first build creates the
// windows; a rebuild (language change) re-dresses and re-places the same windows.
#include "mainwnd/HalcyDlg.h"

#include "base/Paths.h"
#include "controls/SkinButton.h"
#include "skin/FileStamp.h"
#include "skin/DibOperations.h"
#include "skin/ImageDecoding.h"
#include "skin/SkinFaceCache.h"
#include "skin/SkinFile.h"
#include "skin/SkinImageSet.h"

#include <iterator>

namespace {

constexpr DWORD kOwnerDrawnStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
constexpr DWORD kColourEditStyle = WS_CHILD | WS_VISIBLE | ES_CENTER | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN;
constexpr int kGroupFontHeight = 16;
constexpr int kGroupSpacing = 85; // between the buttons of the group column
constexpr UINT kDecimalFieldLimit = 3;
constexpr UINT kHexFieldLimit = 6;
// The main window's slider thumbs sit at the top edge of their tracks.
constexpr bool kThumbAtTop = true;
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
constexpr COLORREF kEditTextColour = 0xFFFFFF;
constexpr COLORREF kSwatchCaptionColour = 0xFFFFFF;

void ApplyColours(CPngListBtn& button, const TextColours& c)
{
    button.SetTextColors(c.normal, c.over, c.down, c.disabled);
}

RECT SizeRect(SIZE size)
{
    return {0, 0, size.cx, size.cy};
}

std::wstring Key(int number)
{
    return std::to_wstring(number);
}

SkinItem ReadItem(const wchar_t* section, const std::wstring& key)
{
    return ParseSkinItem(GetSkinString(section, key.c_str(), L""));
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
        const std::wstring placed = GetSkinString(L"MAINPIC", key, L"");
        add(SkinFolder() + L"Pic\\" + ParseSkinPlacement(placed).text, placed);
    }
    return source;
}

} // namespace

// The background picture with the two fixed skin pictures drawn into it once, so every
// control shows them through its transparent parts. A rebuild from the same pictures keeps it.
void CHalcyDlg::ComposeBackground()
{
    const std::wstring path = SkinImagePath(GetSkinString(L"MAINSCREENNEW", L"Main", L""));
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
            DrawSkinPicture(target, L"MAINPIC", key, SkinFolder());
    }
    m_background = std::move(composed);
}

void CHalcyDlg::BuildTopButtons()
{
    CreateSkinButton(m_btnMinimise, L"MAIN", L"1");
    CreateSkinButton(m_btnClose, L"MAIN", L"2");
    CreateSkinButton(m_btnLanguage, L"MAIN", L"3");
    CreateSkinButton(m_btnApply, L"MAIN", L"4");
    CreateSkinButton(m_btnDefault, L"MAIN", L"5");
    CreateSkinButton(m_btnLedSw, L"MAIN", L"7");
    CreateSkinButton(m_btnAudioSw, L"MAIN", L"6");
    CreateSkinButton(m_btnSyncSw, L"MAIN", L"8");
    CreateSkinButton(m_btnRazerSw, L"MAIN", L"9");
    for (CPngListBtn* toggle : {&m_btnLedSw, &m_btnAudioSw, &m_btnSyncSw, &m_btnRazerSw}) {
        toggle->SetToggleMode();
        ApplyColours(*toggle, kSwitchColours);
    }
    m_btnSyncSw.ShowWindow(SW_HIDE); // external synchronisation is switched by other programs only

    for (int i = 0; i < kProfileCount; ++i) {
        CreateSkinButton(m_btnProfile[i], L"MAIN", Key(kFirstProfileKey + i));
        ApplyColours(m_btnProfile[i], kProfileColours);
    }
    m_btnProfile[0].SetSelected(true);
    // The window may vanish under the pointer: these two act on release, all others on press.
    m_btnMinimise.SetNotifyOnRelease();
    m_btnClose.SetNotifyOnRelease();
}

void CHalcyDlg::BuildGroupButtons()
{
    for (int i = 0; i < kMaxGroups; ++i) {
        CreateSkinButton(m_btnGroup[i], L"MAIN", Key(kFirstGroupKey + i));
        if (i == 0)
            m_groupRect = ToRect(ReadItem(L"MAIN", Key(kFirstGroupKey)).rect);
        else
            m_btnGroup[i].MoveWindow(m_groupRect);
        ApplyColours(m_btnGroup[i], kGroupColours);
        m_btnGroup[i].SetFontHeight(kGroupFontHeight);
        m_btnGroup[i].SetAlignment(CBitmapBtn::kAlignCentreBottom);
        m_btnGroup[i].ShowWindow(SW_HIDE);
    }
    PlaceGroupColumn();
}

// The available groups stand one under the other in group order.
void CHalcyDlg::PlaceGroupColumn()
{
    int shown = 0;
    for (int group = 0; group < kMaxGroups; ++group)
        for (int k = 0; k < m_groupCount; ++k)
            if (m_groups[k] == group) {
                RECT place = m_groupRect;
                ::OffsetRect(&place, 0, kGroupSpacing * shown);
                m_btnGroup[group].MoveWindow(place);
                m_btnGroup[group].ShowWindow(SW_SHOW);
                ++shown;
            }
    m_btnGroup[m_curGroup].SetSelected(true);
}

void CHalcyDlg::BuildModeList()
{
    for (int i = 0; i < kModeCount; ++i) {
        CreateSkinButton(m_btnMode[i], L"LED", Key(kFirstModeKey + i));
        ApplyColours(m_btnMode[i], kModeColours);
    }
    const SkinItem topSlot = ReadItem(L"LED", L"2");
    m_modeListRect = ToRect(topSlot.rect);
    m_modeName = topSlot.text;
    m_btnMode[1].SetSelected(true);

    CreateSkinScrollSlider(m_modeScroll, L"LED", L"21", 0, kModeListScrollMax);
    ScrollModeList(1);
}

void CHalcyDlg::BuildColourEditor()
{
    CreateSkinSlider(m_sliderRed, kSliderRedId, L"LED", L"22", 0, kComponentMax);
    CreateSkinSlider(m_sliderGreen, kSliderGreenId, L"LED", L"23", 0, kComponentMax);
    CreateSkinSlider(m_sliderBlue, kSliderBlueId, L"LED", L"24", 0, kComponentMax);
    CreateSkinSlider(m_sliderSaturation, kSliderSaturationId, L"LED", L"25", 0, kSaturationMax);
    CreateSkinKnob(m_knobHue, L"LED", L"28", 0, kHueMax);
    CreateSkinSlider(m_sliderBrightness, kSliderBrightnessId, L"LED", L"26", 0, kComponentMax);
    CreateSkinSlider(m_sliderSpeed, kSliderSpeedId, L"LED", L"27", 0, static_cast<int>(kSpeedSteps.size()) - 1);
    CreateSkinSlider(m_sliderLevel, kSliderLevelId, L"LED", L"29", kLevelMin, kLevelMax);
    m_sliderRed.SetPos(kComponentMax);

    const CPngHSliderBar* rgbSliders[kRgbFieldCount] = {&m_sliderRed, &m_sliderGreen, &m_sliderBlue};
    for (int i = 0; i < kRgbFieldCount; ++i) {
        CreateSkinEdit(m_editRgb[i], L"LED", Key(kFirstRgbFieldKey + i), true);
        m_editRgb[i].SetLimitText(kDecimalFieldLimit);
        m_editRgb[i].SetWindowText(std::to_wstring(rgbSliders[i]->GetPos()).c_str());
    }
    CreateSkinEdit(m_editHex, L"LED", L"34", false);
    m_editHex.SetLimitText(kHexFieldLimit);
    m_editHex.SetHexOnly();

    for (int i = 0; i < kColourSlots; ++i) {
        CreateSkinSwatch(m_swatch[i], L"LED", Key(kFirstSlotKey + i));
        m_swatch[i].SetColor(kComponentMax, 0, 0);
        m_swatch[i].SetTextColors(kSwatchCaptionColour, kSwatchCaptionColour, kSwatchCaptionColour);
    }
    m_selectedSwatch = &m_swatch[m_selectedSlot];
    for (int i = 0; i < kPresetCount; ++i) {
        CreateSkinSwatch(m_preset[i], L"LED", Key(kFirstPresetKey + i));
        const ColourWord c = kDefaultPalette[static_cast<size_t>(i)];
        m_preset[i].SetColor(GetRValue(c), GetGValue(c), GetBValue(c));
    }

    CreateSkinButton(m_btnSameColour, L"LED", L"63");
    ApplyColours(m_btnSameColour, kSwitchColours);
    m_btnSameColour.SetToggleMode();
    CreateSkinButton(m_btnVariant[0], L"LED", L"61");
    CreateSkinButton(m_btnVariant[1], L"LED", L"62");
    m_btnVariant[0].SetSelected(true);
    for (CPngListBtn& variant : m_btnVariant)
        ApplyColours(variant, kSwitchColours);
}

void CHalcyDlg::CreateSkinButton(CPngListBtn& button, const wchar_t* section, const std::wstring& key)
{
    const SkinDress dress = !m_layoutBuilt        ? SkinDress::kCreateWindow
                            : m_backgroundChanged ? SkinDress::kNewBackground
                                                  : SkinDress::kSameBackground;
    DressSkinButton(button, m_hWnd, section, key, m_background, dress);
}

void CHalcyDlg::CreateSkinEdit(CClrEdit& edit, const wchar_t* section, const std::wstring& key, bool digitsOnly)
{
    const SkinItem item = ReadItem(section, key);
    const RECT place = ToRect(item.rect);
    if (!m_layoutBuilt) {
        SkinImageSet faces;
        LoadSkinImageSet(item.name, faces, false);
        edit.Create(kColourEditStyle | (digitsOnly ? ES_NUMBER : 0), place, m_hWnd, 0);
        edit.SetImages(SizeRect({item.rect.width(), item.rect.height()}), faces[SkinImageSet::kNormal],
                       faces[SkinImageSet::kOver], faces[SkinImageSet::kDown], faces[SkinImageSet::kDisabled]);
        edit.SetLimitText(kDecimalFieldLimit);
        edit.SetWindowText(item.text.c_str());
        edit.SetTextColour(kEditTextColour);
    }
    edit.SetFontFace(SkinFontFace()); // a language may bring its own face
    PlaceControl(edit, place);
}

void CHalcyDlg::CreateSkinSwatch(CColorBtn2& swatch, const wchar_t* section, const std::wstring& key)
{
    const SkinItem item = ReadItem(section, key);
    if (!m_layoutBuilt) {
        SkinImageSet faces;
        SIZE size{};
        LoadSkinImageSet(item.name, faces, false, &size);
        swatch.Create(L"", kOwnerDrawnStyle, SizeRect(size), m_hWnd, 0);
        swatch.SetImages(SizeRect(size), faces[SkinImageSet::kNormal], faces[SkinImageSet::kOver],
                         faces[SkinImageSet::kDown], faces[SkinImageSet::kDisabled]);
        // The tint works best on a grey face made for it; any face will do.
        Bitmap tintFace;
        SkinFaceCache::Instance().Load(SkinImagePath(item.name + L"_normal2.png"), tintFace);
        const Bitmap& tintSource = tintFace.empty() ? faces[SkinImageSet::kNormal] : tintFace;
        swatch.SetTintSources(SizeRect(size), tintSource, tintSource);
    }
    const RECT place = ToRect(item.rect);
    swatch.SetCaption(item.text);
    if (NeedsBackdrop(swatch, place))
        swatch.SetBackground(place.left, place.top, place.right, place.bottom, m_background);
    PlaceControl(swatch, place);
}

void CHalcyDlg::CreateSkinSlider(CPngHSliderBar& slider, UINT id, const wchar_t* section, const std::wstring& key,
                                 int min, int max)
{
    const SkinItem item = ReadItem(section, key);
    if (!m_layoutBuilt)
        slider.Create(ToRect(item.rect), m_hWnd, id);
    DressSlider(slider, item, min, max);
}

void CHalcyDlg::CreateSkinScrollSlider(CPngVSliderBar& slider, const wchar_t* section, const std::wstring& key, int min,
                                       int max)
{
    const SkinItem item = ReadItem(section, key);
    if (!m_layoutBuilt)
        slider.Create(ToRect(item.rect), m_hWnd);
    DressSlider(slider, item, min, max);
}

// Faces and range once, with the window; backdrop and place on every build.
void CHalcyDlg::DressSlider(CPngSliderBar& slider, const SkinItem& item, int min, int max)
{
    if (!m_layoutBuilt) {
        SkinImageSet track;
        SkinImageSet thumb;
        SIZE size{};
        LoadSkinImageSet(item.name, track, false, &size);
        LoadSkinImageSet(item.name + L"_bar", thumb, false);
        slider.SetTrackImages(0, 0, size.cx, size.cy, track[SkinImageSet::kNormal], track[SkinImageSet::kDown],
                              track[SkinImageSet::kDisabled]);
        slider.SetThumbImages(thumb[SkinImageSet::kNormal], thumb[SkinImageSet::kOver], thumb[SkinImageSet::kDown],
                              thumb[SkinImageSet::kDisabled], kThumbAtTop);
        slider.SetRange(min, max);
    }
    const RECT place = ToRect(item.rect);
    if (NeedsBackdrop(slider, place))
        slider.SetBackground(place.left, place.top, place.right, place.bottom, m_background);
    PlaceControl(slider, place);
}

void CHalcyDlg::CreateSkinKnob(CPngRSliderBar2& knob, const wchar_t* section, const std::wstring& key, int min, int max)
{
    const SkinItem item = ReadItem(section, key);
    const RECT place = ToRect(item.rect);
    if (!m_layoutBuilt) {
        SkinImageSet dial;
        SkinImageSet thumb;
        SIZE size{};
        LoadSkinImageSet(item.name, dial, false, &size);
        LoadSkinImageSet(item.name + L"_bar", thumb, false);
        knob.Create(place, m_hWnd);
        knob.SetTrackImages(0, 0, size.cx, size.cy, dial[SkinImageSet::kNormal]);
        knob.SetThumbImages(thumb[SkinImageSet::kNormal]);
        knob.SetRange(min, max);
        // The dial is round; a skin without a mask keeps the square window.
        Bitmap mask;
        if (LoadPremultipliedImage(SkinImagePath(item.name + L"_mask.png"), mask))
            knob.SetRegionFromMask(mask);
    }
    PlaceControl(knob, place);
}

// A control keeps its piece of the background over an unchanged background at an unchanged place.
bool CHalcyDlg::NeedsBackdrop(const CWnd& control, const RECT& place) const
{
    return !m_layoutBuilt || m_backgroundChanged || !control.IsPlacedAt(place);
}

void CHalcyDlg::PlaceControl(const CWnd& control, const RECT& place)
{
    if (!control.IsPlacedAt(place))
        control.MoveWindow(place);
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
        add(L"LED_TEXT", Key(n));
    for (int n = kFirstPanelPicture; n <= kLastPanelPicture; ++n)
        add(L"MAINPIC", Key(n));
}
