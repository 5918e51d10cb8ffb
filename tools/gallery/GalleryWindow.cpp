// CGalleryWnd: the composed background, the controls dressed from the skin, the labels.
#include "GalleryWindow.h"

#include "base/Paths.h"
#include "controls/SkinDresser.h"
#include "mainwnd/MainSkinSections.h"
#include "settings/SettingsBlock.h"
#include "skin/DibOperations.h"
#include "skin/ImageDecoding.h"
#include "skin/SkinFile.h"
#include "skin/SkinImageSet.h"
#include "skin/Surface.h"

#include <string>
#include <tuple>

namespace {

constexpr const wchar_t* kClassName = L"VeldrianControlGallery";
constexpr const wchar_t* kVersionText = L"v1.0.0.1";
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
constexpr int kDecimalLimit = 3;
constexpr int kHexLimit = 6;
constexpr UINT kWordBreak = DT_WORDBREAK;
constexpr UINT kCentredWordBreak = DT_CENTER | DT_WORDBREAK;

// Caption colours (normal, over, down, disabled) the main window gives each kind of button.
constexpr COLORREF kDefaultInk[] = {0x999999, 0xFFFFFF, 0x999999, 0x464646};
constexpr COLORREF kSwitchInk[] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x464646};
constexpr COLORREF kProfileInk[] = {0x646464, 0x646464, 0xFFFFFF, 0x464646};
constexpr COLORREF kGroupInk[] = {0x000000, 0x000000, 0xFFFFFF, 0x646464};
constexpr COLORREF kModeInk[] = {0x8A8A88, 0x8A8A88, 0xFFFFFF, 0x464646};

// The strip's palette: panel fill and outline, label ink.
constexpr COLORREF kPanelFill = RGB(0x1a, 0x1d, 0x22);
constexpr COLORREF kPanelOutline = RGB(0x27, 0x2b, 0x32);
constexpr COLORREF kLabelInk = RGB(0x9a, 0xa1, 0xab);

// Control ids and ranges of the sliders as the main window sets them.
constexpr UINT kRedId = 10002, kGreenId = 10003, kBlueId = 10004, kSaturationId = 10005;
constexpr UINT kBrightnessId = 10007, kSpeedId = 10008, kLevelId = 10010;

// Strip layout: two rows of samples under a heading each.
constexpr int kStripMargin = 8;
constexpr int kColumn = 24;
constexpr int kColumnStep = 160;
constexpr int kListWidth = 150;
constexpr int kListHeight = 34;
constexpr int kPlainWidth = 100;
constexpr int kPlainHeight = 30;
constexpr int kFirstHeading = 14;
constexpr int kFirstRow = 34;
constexpr int kSecondHeading = 82;
constexpr int kSecondRow = 102;
constexpr int kThirdHeading = 150;
constexpr int kThirdRow = 170;
constexpr int kSliderColumn = 6;
constexpr int kSliderDrop = 9; // centres a slider on the row of buttons

RECT Place(int x, int y, int width, int height)
{
    return {x, y, x + width, y + height};
}

SkinItem MakeItem(const std::wstring& name, const RECT& place, const std::wstring& text)
{
    SkinItem item;
    item.name = name;
    item.rect = {place.left, place.top, place.right, place.bottom};
    item.text = text;
    return item;
}

GdiFont LabelFont(int height, int weight)
{
    return GdiFont(::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_STROKE_PRECIS, PROOF_QUALITY, FF_SWISS, SkinFontFace().c_str()));
}

} // namespace

bool CGalleryWnd::Create()
{
    static const ATOM registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return ::RegisterClassW(&wc);
    }();
    if (!registered || !ComposeBackground())
        return false;
    const RECT frame{0, 0, m_background.width(), m_background.height()};
    if (!CreateEx(0, kClassName, L"Control gallery", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, frame, nullptr, 0))
        return false;
    BuildMainScreen();
    BuildStateStrip();
    ::SetForegroundWindow(m_hWnd);
    // The lists open once the gallery is in front: Wine without a window manager would put
    // the gallery over the pop-ups it owns when it is brought to the foreground after them.
    OpenMenus();
    return true;
}

// The main background with the two pictures the main window composes into it, and the
// strip below it with its panel.
bool CGalleryWnd::ComposeBackground()
{
    Bitmap main;
    SIZE size{};
    const std::wstring name = GetSkinString(kBackgroundSection, L"Main", L"");
    if (!LoadPictureFile(SkinFolder() + name, main, &size)) {
        m_missing.push_back(L"skins\\" + name);
        return false;
    }
    m_skinHeight = size.cy;
    CreateDib32(size.cx, size.cy + kStripHeight, &m_background);
    MemoryDc dc;
    if (m_background.empty() || !dc)
        return false;
    SelectGuard select(dc, m_background.get());
    CopyBitmap(dc, 0, 0, main);
    DrawSkinPicture(dc, kPictureSection, L"2", SkinFolder());
    DrawSkinPicture(dc, kPictureSection, L"3", SkinFolder());

    // The strip continues the window body below the main screen.
    const COLORREF body = ::GetPixel(dc, size.cx / 2, size.cy - 2);
    GdiBrush bodyBrush(::CreateSolidBrush(body));
    const RECT strip{0, size.cy, size.cx, size.cy + kStripHeight};
    ::FillRect(dc, &strip, bodyBrush.get());
    GdiBrush panelBrush(::CreateSolidBrush(kPanelFill));
    GdiPen outline(::CreatePen(PS_SOLID, 1, kPanelOutline));
    SelectGuard selectBrush(dc, panelBrush.get());
    SelectGuard selectPen(dc, outline.get());
    ::RoundRect(dc, kStripMargin, size.cy + kStripMargin / 2, size.cx - kStripMargin, strip.bottom - kStripMargin, 12,
                12);
    return true;
}

void CGalleryWnd::LoadSet(const std::wstring& name, SkinImageSet& set, SIZE* size)
{
    LoadSkinImageSet(name, set, false, size);
    if (set[SkinImageSet::kNormal].empty())
        m_missing.push_back(L"skins\\" + name + L"_normal.png");
}

template <class Dress>
void CGalleryWnd::DressFromSkin(Dress dress)
{
    SkinDresser dresser(m_hWnd, m_background, SkinDress::kCreateWindow);
    dress(dresser);
    for (const std::wstring& file : dresser.MissingFiles())
        m_missing.push_back(L"skins\\" + file);
}

CPngListBtn& CGalleryWnd::AddListButton(const SkinItem& item, const Dressing& ink, const std::wstring& label)
{
    auto button = std::make_unique<CPngListBtn>();
    DressFromSkin([&](SkinDresser& dresser) { dresser.Button(*button, item); });
    button->SetTextColors(ink.normal, ink.over, ink.down, ink.disabled);
    Track(*button, label);
    m_listButtons.push_back(std::move(button));
    return *m_listButtons.back();
}

CPngListBtn& CGalleryWnd::AddSkinButton(const wchar_t* section, int key, const Dressing& ink)
{
    const std::wstring keyText = std::to_wstring(key);
    const SkinItem item = ParseSkinItem(GetSkinString(section, keyText.c_str(), L""));
    return AddListButton(item, ink, std::wstring(section) + L" " + keyText);
}

CBitmapBtnEx& CGalleryWnd::AddPlainButton(const RECT& place, const std::wstring& caption)
{
    SkinImageSet faces;
    SIZE size{};
    LoadSet(L"btn2", faces, &size);
    auto button = std::make_unique<CBitmapBtnEx>();
    button->Create(L"", kButtonStyle, place, m_hWnd, 0);
    button->SetImages({0, 0, size.cx, size.cy}, faces[SkinImageSet::kNormal], faces[SkinImageSet::kOver],
                      faces[SkinImageSet::kDown], faces[SkinImageSet::kDisabled]);
    button->SetTextColors(kDefaultInk[1], kDefaultInk[1], kDefaultInk[1], kDefaultInk[3]);
    button->SetCaption(caption);
    Track(*button, L"plain " + caption);
    m_plainButtons.push_back(std::move(button));
    return *m_plainButtons.back();
}

CClrEdit& CGalleryWnd::AddEdit(int key, bool hexOnly)
{
    const std::wstring keyText = std::to_wstring(key);
    const SkinItem item = ParseSkinItem(GetSkinString(kPanelSection, keyText.c_str(), L""));
    auto edit = std::make_unique<CClrEdit>();
    DressFromSkin([&](SkinDresser& dresser) { dresser.Edit(*edit, item, !hexOnly); });
    edit->SetLimitText(hexOnly ? kHexLimit : kDecimalLimit);
    if (hexOnly)
        edit->SetHexOnly();
    Track(*edit, L"LED " + keyText);
    m_edits.push_back(std::move(edit));
    return *m_edits.back();
}

CColorBtn2& CGalleryWnd::AddSwatch(int key, COLORREF colour)
{
    const std::wstring keyText = std::to_wstring(key);
    const SkinItem item = ParseSkinItem(GetSkinString(kPanelSection, keyText.c_str(), L""));
    auto swatch = std::make_unique<CColorBtn2>();
    DressFromSkin([&](SkinDresser& dresser) { dresser.Swatch(*swatch, item); });
    swatch->SetTextColors(0xFFFFFF, 0xFFFFFF, 0xFFFFFF);
    swatch->SetColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    Track(*swatch, L"LED " + keyText);
    m_swatches.push_back(std::move(swatch));
    return *m_swatches.back();
}

// The controls at their skin places, in the states the main window starts in.
void CGalleryWnd::BuildMainScreen()
{
    const Dressing plain{kDefaultInk[0], kDefaultInk[1], kDefaultInk[2], kDefaultInk[3]};
    const Dressing switches{kSwitchInk[0], kSwitchInk[1], kSwitchInk[2], kSwitchInk[3]};
    for (int key : {1, 2, 3, 4, 5})
        AddSkinButton(kMainSection, key, plain);
    for (int key : {7, 6})
        AddSkinButton(kMainSection, key, switches).SetToggleMode();

    for (int key = 21; key <= 24; ++key) {
        CPngListBtn& profile =
            AddSkinButton(kMainSection, key, {kProfileInk[0], kProfileInk[1], kProfileInk[2], kProfileInk[3]});
        profile.SetSelected(key == 21);
    }
    for (int key : {11, 12}) {
        CPngListBtn& group = AddSkinButton(kMainSection, key, {kGroupInk[0], kGroupInk[1], kGroupInk[2], kGroupInk[3]});
        group.SetFontHeight(16);
        group.SetAlignment(CBitmapBtn::kAlignCentreBottom);
        group.SetSelected(key == 11);
    }
    // The visible rows of the effect list: modes 1 to 8 (items 2 to 9), mode 1 chosen.
    for (int key = 2; key <= 9; ++key)
        AddSkinButton(kPanelSection, key, {kModeInk[0], kModeInk[1], kModeInk[2], kModeInk[3]}).SetSelected(key == 2);

    // The colour editor shows pure red; the speed sits in the middle of its steps.
    AddModeScroller(0, 6, 1);
    const auto item = [](int key) {
        return ParseSkinItem(GetSkinString(kPanelSection, std::to_wstring(key).c_str(), L""));
    };
    AddSlider(item(22), kRedId, 0, 255, 255);
    AddSlider(item(23), kGreenId, 0, 255, 0);
    AddSlider(item(24), kBlueId, 0, 255, 0);
    AddSlider(item(25), kSaturationId, 0, 100, 100);
    AddKnob(0, 359, 0);
    AddSlider(item(26), kBrightnessId, 0, 255, 255);
    AddSlider(item(27), kSpeedId, 0, 4, 2);

    for (int key : {31, 32, 33})
        AddEdit(key, false);
    AddEdit(34, true);
    for (int slot = 0; slot < 8; ++slot)
        AddSwatch(41 + slot, kDefaultPalette[static_cast<size_t>(slot)]).SetSelected(slot == 0);
    for (int preset = 0; preset < 5; ++preset)
        AddSwatch(51 + preset, kDefaultPalette[static_cast<size_t>(preset)]);

    AddSkinButton(kPanelSection, 61, switches).SetSelected(true);
    AddSkinButton(kPanelSection, 62, switches);
    AddSkinButton(kPanelSection, 63, switches).SetToggleMode();
}

// The looks of one button side by side, and the buttons the main screen keeps hidden.
void CGalleryWnd::BuildStateStrip()
{
    const Dressing switches{kSwitchInk[0], kSwitchInk[1], kSwitchInk[2], kSwitchInk[3]};
    const int top = m_skinHeight;
    auto sample = [&](int column, const wchar_t* name, const wchar_t* caption) -> CPngListBtn& {
        const RECT place = Place(kColumn + kColumnStep * column, top + kFirstRow, kListWidth, kListHeight);
        return AddListButton(MakeItem(name, place, caption), switches, caption);
    };
    sample(0, L"btnPng_ico_reset", L"Normal");
    m_hoverSample = &sample(1, L"btnPng_ico_reset", L"Hover");
    m_pressedSample = &sample(2, L"btnPng_ico_reset", L"Pressed");
    sample(3, L"btnPng_ico_reset", L"Selected").SetSelected(true);
    sample(4, L"btnPng_ico_reset", L"Disabled").EnableWindow(false);
    CPngListBtn& toggled = sample(5, L"btnPng_ico_power", L"Toggled on");
    toggled.SetToggleMode();
    toggled.SetSelected(true);

    const int row = top + kSecondRow;
    for (const auto& [column, section, key] : {std::tuple{0, kMainSection, 8}, std::tuple{1, kMainSection, 9},
                                               std::tuple{2, kWarningSection, 1}, std::tuple{3, kWarningSection, 2}}) {
        const std::wstring keyText = std::to_wstring(key);
        SkinItem item = ParseSkinItem(GetSkinString(section, keyText.c_str(), L""));
        const RECT place = Place(kColumn + kColumnStep * column, row, item.rect.width(), item.rect.height());
        item.rect = {place.left, place.top, place.right, place.bottom};
        AddListButton(item, switches, std::wstring(section) + L" " + keyText);
    }
    const int plainLeft = kColumn + kColumnStep * 4;
    AddPlainButton(Place(plainLeft, row + 2, kPlainWidth, kPlainHeight), L"OK");
    m_pressedPlain =
        &AddPlainButton(Place(plainLeft + kPlainWidth + 10, row + 2, kPlainWidth, kPlainHeight), L"Cancel");

    // The music level (which shares the speed slider's place) and a disabled slider.
    const int sliderLeft = kColumn + kColumnStep * kSliderColumn;
    auto moved = [&](int key, int y) {
        SkinItem item = ParseSkinItem(GetSkinString(kPanelSection, std::to_wstring(key).c_str(), L""));
        const RECT place = Place(sliderLeft, y, item.rect.width(), item.rect.height());
        item.rect = {place.left, place.top, place.right, place.bottom};
        return item;
    };
    AddSlider(moved(29, top + kFirstRow + kSliderDrop), kLevelId, 1, 50, 30);
    AddSlider(moved(27, row + kSliderDrop), kSpeedId, 0, 4, 1).EnableWindow(false);
}

// The device list as the main window opens it, with more devices than rows so its
// scroll bar shows, one device chosen and one disabled.
void CGalleryWnd::OpenMenus()
{
    CPngBtnMenu& devices = AddMenu(L"Device", {kColumn, m_skinHeight + kThirdRow}, 24);
    devices.SetRowLayout(CBitmapBtn::kAlignLeft, 5);
    devices.SetVisibleRows(4);
    devices.AddMenuItem(GetFuncString(0x30), 48, 0, true);
    for (int device = 1; device <= 5; ++device)
        devices.AddMenuItem(GetFuncString(0x31) + std::to_wstring(device), 48 + device, 0, device != 3);
    devices.Create();
    devices.SelectRow(1, false);
    Track(devices, L"Device menu");
}

CPngBtnMenu& CGalleryWnd::AddMenu(const std::wstring& name, POINT place, int rowHeight)
{
    const std::wstring folder = ProgramFolder() + L"Skins\\Menu\\";
    const std::wstring normal = folder + name + L"_menu_normal.png";
    const std::wstring over = folder + name + L"_menu_over.png";
    Bitmap probe;
    if (!LoadPremultipliedImage(normal, probe))
        m_missing.push_back(L"Skins\\Menu\\" + name + L"_menu_normal.png");
    probe.Reset();
    if (!LoadPremultipliedImage(over, probe))
        m_missing.push_back(L"Skins\\Menu\\" + name + L"_menu_over.png");

    auto menu = std::make_unique<CPngBtnMenu>(m_hWnd);
    menu->SetMenuImages(normal, over, over, normal, L"", false);
    menu->SetRowHeight(rowHeight);
    menu->SetRowFontHeight(15);
    ::ClientToScreen(m_hWnd, &place);
    menu->SetPosition(place.x, place.y);
    m_menus.push_back(std::move(menu));
    return *m_menus.back();
}

CPngHSliderBar& CGalleryWnd::AddSlider(const SkinItem& item, UINT id, int minimum, int maximum, int value)
{
    auto slider = std::make_unique<CPngHSliderBar>();
    DressFromSkin([&](SkinDresser& dresser) { dresser.Slider(*slider, id, item, minimum, maximum); });
    slider->SetPos(value);
    Track(*slider, item.name);
    m_sliders.push_back(std::move(slider));
    return *m_sliders.back();
}

void CGalleryWnd::AddModeScroller(int minimum, int maximum, int value)
{
    const SkinItem item = ParseSkinItem(GetSkinString(kPanelSection, L"21", L""));
    DressFromSkin([&](SkinDresser& dresser) { dresser.ScrollSlider(m_modeScroller, item, minimum, maximum); });
    m_modeScroller.SetPos(value);
    Track(m_modeScroller, item.name);
}

void CGalleryWnd::AddKnob(int minimum, int maximum, int value)
{
    const SkinItem item = ParseSkinItem(GetSkinString(kPanelSection, L"28", L""));
    DressFromSkin([&](SkinDresser& dresser) { dresser.Knob(m_knob, item, minimum, maximum); });
    m_knob.SetPos(value);
    Track(m_knob, item.name);
}

void CGalleryWnd::StageLooks()
{
    if (m_pressedSample)
        m_pressedSample->SetState(true);
    if (m_pressedPlain)
        m_pressedPlain->SetState(true);
    if (!m_hoverSample)
        return;
    const RECT client = m_hoverSample->GetClientRect();
    POINT centre{client.right / 2, client.bottom / 2};
    ::ClientToScreen(*m_hoverSample, &centre);
    ::SetCursorPos(centre.x, centre.y);
    ::ScreenToClient(*m_hoverSample, &centre);
    m_hoverSample->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
}

LRESULT CGalleryWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PaintDc dc(m_hWnd);
        Paint(dc);
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CGalleryWnd::Paint(HDC dc) const
{
    Surface surface(m_background.width(), m_background.height());
    if (!surface)
        return;
    CopyBitmap(surface.dc(), 0, 0, m_background);
    ::SetBkMode(surface.dc(), TRANSPARENT);
    PaintPanelLabels(surface.dc());
    PaintStrip(surface.dc());
    surface.CopyTo(dc);
}

// The labels of the effect panel as the main window draws them for a mode with colours,
// speed and direction.
void CGalleryWnd::PaintPanelLabels(HDC dc) const
{
    const GdiFont large = LabelFont(15, 500);
    const GdiFont small = LabelFont(10, 500);
    ::SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
    SelectGuard select(dc, large.get());
    DrawSkinPicture(dc, kPictureSection, L"1", SkinFolder());
    DrawSkinText(dc, kMainTextSection, L"VER", kCentredWordBreak, kVersionText);
    DrawSkinText(dc, kPanelTextSection, L"1", kWordBreak);
    DrawSkinText(dc, kPanelTextSection, L"2", kWordBreak, ParseSkinItem(GetSkinString(kPanelSection, L"2", L"")).text);
    for (const wchar_t* key : {L"3", L"5", L"7", L"8", L"9", L"10", L"11"})
        DrawSkinText(dc, kPanelTextSection, key, kWordBreak);
    {
        SelectGuard selectSmall(dc, small.get());
        DrawSkinText(dc, kPanelTextSection, L"12", kCentredWordBreak);
        DrawSkinText(dc, kPanelTextSection, L"16", kCentredWordBreak);
    }
    DrawSkinText(dc, kPanelTextSection, L"4", kWordBreak);
    DrawSkinText(dc, kPanelTextSection, L"6", kWordBreak);
}

void CGalleryWnd::PaintStrip(HDC dc) const
{
    const int top = m_skinHeight;
    const GdiFont heading = LabelFont(12, 700);
    SelectGuard select(dc, heading.get());
    ::SetTextColor(dc, kLabelInk);
    auto text = [dc](const wchar_t* words, RECT place, UINT format) {
        ::DrawTextW(dc, words, -1, &place, format | DT_SINGLELINE | DT_NOPREFIX);
    };
    text(L"BUTTON LOOKS", Place(kColumn, top + kFirstHeading, 400, 16), DT_LEFT);
    text(L"SWITCHES HIDDEN ON THE MAIN SCREEN, WARNING BUTTONS, MENU BUTTONS",
         Place(kColumn, top + kSecondHeading, 900, 16), DT_LEFT);

    const int sliderLeft = kColumn + kColumnStep * kSliderColumn;
    text(L"MUSIC LEVEL", Place(sliderLeft, top + kFirstHeading, 180, 16), DT_LEFT);
    text(L"DISABLED", Place(sliderLeft, top + kSecondHeading, 180, 16), DT_LEFT);
    text(L"DROP-DOWN LIST: DEVICES (SCROLLING, ONE CHOSEN, ONE DISABLED)", Place(kColumn, top + kThirdHeading, 900, 16),
         DT_LEFT);
}
