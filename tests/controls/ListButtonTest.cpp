// The image push buttons and list buttons on real windows: look tables, composition,
// caption and icon placement, click modes, hover tracking, selection, wheel and tool tip.
#include "controls/ListButton.h"
#include "controls/SelectInGroup.h"
#include "skin/SkinFile.h"

#include "RecordingParent.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kW = 100;
constexpr int kH = 30;
constexpr RECT kPlace{20, 20, 20 + kW, 20 + kH};
constexpr UINT kId = 5;

const Bgra kRed{0, 0, 255, 255};
const Bgra kGreen{0, 255, 0, 255};
const Bgra kBlue{255, 0, 0, 255};
const Bgra kGrey{128, 128, 128, 255};
const Bgra kYellow{0, 255, 255, 255};
const Bgra kMagenta{255, 0, 255, 255};
constexpr COLORREF kNormalInk = RGB(10, 20, 30);
constexpr COLORREF kOverInk = RGB(40, 50, 60);
constexpr COLORREF kDownInk = RGB(70, 80, 90);
constexpr COLORREF kDisabledInk = RGB(100, 110, 120);
// A caption of solid ink: the full block's inside is the text colour exactly.
const std::wstring kInkCaption = L"\u2588\u2588";

template <class Button>
class ButtonTest : public ::testing::Test {
protected:
    ButtonTest() : m_font(L"Segoe UI") {}

    // A button with a face colour per state and an ink colour per state.
    std::unique_ptr<Button> MakeButton(const RECT& place = kPlace, UINT id = kId)
    {
        auto button = std::make_unique<Button>();
        EXPECT_TRUE(button->Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, place, parent, id));
        const int w = place.right - place.left;
        const int h = place.bottom - place.top;
        button->SetImages({0, 0, w, h}, MakeSolidBitmap(w, h, kRed), MakeSolidBitmap(w, h, kGreen),
                          MakeSolidBitmap(w, h, kBlue), MakeSolidBitmap(w, h, kGrey));
        button->SetTextColors(kNormalInk, kOverInk, kDownInk, kDisabledInk);
        return button;
    }

    std::unique_ptr<Canvas> Render(HWND button)
    {
        RECT r{};
        ::GetClientRect(button, &r);
        auto canvas = std::make_unique<Canvas>(r.right, r.bottom);
        canvas->Fill({1, 2, 3, 4});
        PrintClient(button, *canvas);
        return canvas;
    }

    void MoveOver(HWND button, int x, int y, WPARAM keys = 0)
    {
        POINT screen{x, y};
        ::ClientToScreen(button, &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::SendMessageW(button, WM_MOUSEMOVE, keys, PointParam(x, y));
    }

    CRecordingParent parent;
    SkinFontScope m_font;
};

using PngListButtonTest = ButtonTest<CPngListBtn>;
using BitmapButtonExTest = ButtonTest<CBitmapBtnEx>;

ButtonState State(bool toggle, bool selected, bool pressed, bool hover, bool disabled)
{
    return {toggle, selected, pressed, hover, disabled};
}

} // namespace

TEST(CPngListBtnLook, FirstMatchingRowOfTheTableWins)
{
    using enum CaptionColour;
    constexpr int N = SkinImageSet::kNormal, O = SkinImageSet::kOver, D = SkinImageSet::kDown,
                  X = SkinImageSet::kDisabled;
    const struct {
        ButtonState state;
        ButtonLook look;
    } table[] = {
        // toggle off
        {State(false, true, true, true, true), {X, kDisabled, N}}, // disabled and selected: disabled face
        {State(false, true, false, true, false), {D, kDown, D}},
        {State(false, false, true, true, false), {D, kDown, D}}, // hovered and pressed
        {State(false, false, false, true, false), {O, kOver, O}},
        {State(false, false, false, false, false), {N, kNormal, N}},
        // toggle on
        {State(true, true, true, false, true), {X, kDisabled, N}},
        {State(true, true, true, true, false), {D, kDown, D}},
        {State(true, false, true, true, false), {N, kOver, N}}, // hovered and pressed
        {State(true, false, false, true, false), {O, kNormal, O}},
        {State(true, false, false, false, false), {N, kNormal, N}},
    };
    for (const auto& row : table) {
        const ButtonState& s = row.state;
        EXPECT_EQ(CPngListBtn::ChooseLook(s), row.look)
            << "toggle " << s.toggleMode << " selected " << s.selected << " pressed " << s.pressed << " hover "
            << s.hover << " disabled " << s.disabled;
    }
}

TEST(CBitmapBtnExLook, FirstMatchingRowOfTheTableWins)
{
    using enum CaptionColour;
    constexpr int N = SkinImageSet::kNormal, O = SkinImageSet::kOver, D = SkinImageSet::kDown,
                  X = SkinImageSet::kDisabled;
    const struct {
        ButtonState state;
        int face;
        CaptionColour caption;
    } table[] = {
        {State(false, true, true, true, true), D, kNormal}, // selected comes first
        {State(false, false, true, true, true), D, kOver},
        {State(false, false, false, true, true), O, kOver}, // hover before disabled
        {State(false, false, false, false, true), X, kDisabled},
        {State(false, false, false, false, false), N, kNormal},
        {State(true, true, true, true, true), X, kDisabled},
        {State(true, true, true, true, false), D, kOver},
        {State(true, false, true, true, false), N, kNormal},
    };
    for (const auto& row : table) {
        const ButtonLook look = CBitmapBtnEx::ChooseLook(row.state);
        EXPECT_EQ(look.face, row.face) << "row " << (&row - table);
        EXPECT_EQ(look.caption, row.caption) << "row " << (&row - table);
    }
}

TEST_F(PngListButtonTest, SetUpMakesAnOwnerDrawnButtonWithoutTabStop)
{
    auto button = MakeButton();
    EXPECT_EQ(button->GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_FALSE(button->GetStyle() & WS_TABSTOP);
    EXPECT_FALSE(button->GetStyle() & WS_BORDER);
}

TEST_F(PngListButtonTest, DrawsTheFaceOfTheSystemButtonsState)
{
    auto button = MakeButton();
    EXPECT_EQ(Render(*button)->At(50, 15), kRed);

    button->SetState(true); // the standard pressed state
    EXPECT_EQ(Render(*button)->At(50, 15), kBlue);
    button->SetState(false);

    button->EnableWindow(false);
    button->SetSelected(true);
    EXPECT_EQ(Render(*button)->At(50, 15), kGrey) << "disabled wins over selected";
    button->EnableWindow(true);
    EXPECT_EQ(Render(*button)->At(50, 15), kBlue);
}

TEST_F(PngListButtonTest, BlendsTheFaceOverItsPieceOfTheBackground)
{
    auto button = std::make_unique<CPngListBtn>();
    ASSERT_TRUE(button->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, kPlace, parent, kId));
    // Left half opaque blue, right half transparent: the background shows through.
    const Bitmap face = MakeBitmap(kW, kH, [](int x, int) { return x < kW / 2 ? kBlue : Bgra{0, 0, 0, 0}; });
    button->SetImages({0, 0, kW, kH}, face, face, face, face);
    const Bitmap background = MakeBitmap(kPlace.right + 10, kPlace.bottom + 10, [](int x, int y) {
        return x >= kPlace.left && y >= kPlace.top ? kYellow : kMagenta;
    });
    button->SetBackground(kPlace.left, kPlace.top, kPlace.right, kPlace.bottom, background);

    const auto canvas = Render(*button);
    EXPECT_EQ(canvas->At(10, 10), kBlue);
    EXPECT_EQ(canvas->At(kW - 1, kH - 1).r, 255);
    EXPECT_EQ(canvas->At(kW - 1, kH - 1).g, 255);
    EXPECT_EQ(canvas->At(kW / 2 + 1, 0).b, 0) << "the piece starts at the button's own place";
}

TEST_F(PngListButtonTest, CaptionTakesTheColourOfTheLook)
{
    auto button = MakeButton();
    button->SetCaptionEx(kInkCaption, 0, CPngListBtn::kNoIndex);
    const RECT all{0, 0, kW, kH};
    EXPECT_GT(Render(*button)->Count(kNormalInk, all), 20);

    button->SetToggleMode();
    button->SetState(true);
    const auto pressedInToggle = Render(*button);
    EXPECT_GT(pressedInToggle->Count(kOverInk, all), 20);
    EXPECT_EQ(pressedInToggle->At(1, 1), kRed) << "toggle mode: pressed keeps the normal face";

    button->SetState(false);
    button->EnableWindow(false);
    EXPECT_GT(Render(*button)->Count(kDisabledInk, all), 20);
}

namespace {

// The columns of a rendered button from its first to its last pixel of the colour, or of any
// colour but the face's and the icon's when none is given; {-1, -1} when there is none.
std::pair<int, int> ColumnsOf(const Canvas& canvas, std::optional<COLORREF> colour = std::nullopt)
{
    const auto matches = [&](Bgra p) {
        const COLORREF c = RGB(p.r, p.g, p.b);
        return colour ? c == *colour : c != RGB(kRed.r, kRed.g, kRed.b) && c != RGB(kMagenta.r, kMagenta.g, kMagenta.b);
    };
    std::pair<int, int> columns{-1, -1};
    for (int x = 0; x < canvas.width(); ++x)
        for (int y = 0; y < canvas.height(); ++y)
            if (matches(canvas.At(x, y))) {
                columns = {columns.first < 0 ? x : columns.first, x};
                break;
            }
    return columns;
}

} // namespace

// Where the icon and the caption stand is measured against renders without the icon: the
// caption stays where a margin of the icon's width puts it, and the icon ends just before it.
TEST_F(PngListButtonTest, CentredIconStandsBeforeTheCentredCaption)
{
    constexpr int kIcon = 16;
    const COLORREF magenta = RGB(kMagenta.r, kMagenta.g, kMagenta.b);
    auto button = MakeButton();
    const Bitmap icon = MakeSolidBitmap(kIcon, kIcon, kMagenta);
    button->SetIcons(&icon, &icon, &icon, 0, 0, kIcon, kIcon);
    button->SetCaptionEx(L"", 0, CPngListBtn::kNoIndex);
    EXPECT_EQ(Render(*button)->Count(magenta, {0, 0, kW, kH}), 0) << "no caption, no icon";

    button->SetCaptionEx(kInkCaption, 0, CPngListBtn::kNoIndex);
    const auto withIcon = Render(*button);
    EXPECT_EQ(withIcon->Count(magenta, {0, 0, kW, kH}), kIcon * kIcon) << "the whole icon";
    const auto [iconLeft, iconRight] = ColumnsOf(*withIcon, magenta);
    EXPECT_EQ(iconRight - iconLeft + 1, kIcon);
    int iconTop = 0;
    while (iconTop < kH && withIcon->Count(magenta, {iconLeft, iconTop, iconLeft + 1, iconTop + 1}) == 0)
        ++iconTop;
    EXPECT_EQ(iconTop, kH - (iconTop + kIcon)) << "the icon stands in the middle of the height";

    auto plain = MakeButton({20, 60, 20 + kW, 60 + kH}, kId + 1);
    plain->SetCaptionEx(kInkCaption, kIcon, CPngListBtn::kNoIndex);
    const int caption = ColumnsOf(*withIcon).first;
    EXPECT_EQ(caption, ColumnsOf(*Render(*plain)).first) << "the caption is centred beside the icon's width";

    // How far the first inked column lies from where the text starts, seen away from the edge.
    plain->SetAlignment(CBitmapBtn::kAlignLeft);
    plain->SetCaptionEx(kInkCaption, kIcon, CPngListBtn::kNoIndex);
    const int bearing = ColumnsOf(*Render(*plain)).first - kIcon;
    // Three pixels from the text's measured extent; the drawn text may start a pixel earlier.
    const int gap = caption - bearing - (iconRight + 1);
    EXPECT_GE(gap, 2) << "a small gap between the icon and the caption";
    EXPECT_LE(gap, 3);
}

TEST_F(PngListButtonTest, AListIndexMovesTheCaption40PixelsRight)
{
    auto button = MakeButton({20, 20, 220, 50});
    button->SetAlignment(CBitmapBtn::kAlignLeft);
    auto firstInk = [&] {
        const auto canvas = Render(*button);
        for (int x = 0; x < canvas->width(); ++x)
            if (canvas->Count(kNormalInk, {x, 0, x + 1, canvas->height()}))
                return x;
        return -1;
    };
    button->SetCaptionEx(kInkCaption, 0, CPngListBtn::kNoIndex);
    const int plain = firstInk();
    button->SetCaptionEx(kInkCaption, 0, 3);
    ASSERT_GE(plain, 0);
    EXPECT_EQ(firstInk(), plain + 40);
    button->SetCaptionEx(kInkCaption, 6, CPngListBtn::kNoIndex);
    EXPECT_EQ(firstInk(), plain + 6) << "the margin counts from the left";
}

TEST_F(PngListButtonTest, AlignmentEightSetsTheCaptionAtTheBottom)
{
    auto button = MakeButton({20, 20, 100, 100});
    button->SetAlignment(CBitmapBtn::kAlignCentreBottom);
    button->SetCaptionEx(kInkCaption, 0, CPngListBtn::kNoIndex);
    const auto canvas = Render(*button);
    EXPECT_EQ(canvas->Count(kNormalInk, {0, 0, 80, 50}), 0);
    EXPECT_GT(canvas->Count(kNormalInk, {0, 50, 80, 78}), 20);
    EXPECT_EQ(canvas->Count(kNormalInk, {0, 78, 80, 80}), 0) << "two pixels clear of the bottom";
}

TEST_F(PngListButtonTest, ClickModeOneNotifiesOnPressBeforeThePressedState)
{
    auto button = MakeButton();
    UINT stateAtNotify = 0xFFFF;
    parent.onCommand = [&](WPARAM, LPARAM) { stateAtNotify = button->GetState(); };

    button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5));
    ASSERT_EQ(parent.Count(WM_COMMAND), 1u);
    EXPECT_EQ(parent.recorded[0].wParam, MAKEWPARAM(kId, BN_CLICKED));
    EXPECT_EQ(parent.recorded[0].lParam, reinterpret_cast<LPARAM>(button->m_hWnd));
    EXPECT_FALSE(stateAtNotify & BST_PUSHED);
    EXPECT_TRUE(button->GetState() & BST_PUSHED);

    button->SendMessage(WM_LBUTTONUP, 0, PointParam(5, 5));
    EXPECT_EQ(parent.Count(WM_COMMAND), 1u) << "the release sends nothing";
    EXPECT_FALSE(button->GetState() & BST_PUSHED) << "the pressed look ends with the release";
}

TEST_F(PngListButtonTest, ClickModeTwoNotifiesOnReleaseOverTheButton)
{
    auto button = MakeButton();
    button->SetNotifyOnRelease();

    button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5));
    EXPECT_EQ(parent.Count(WM_COMMAND), 0u);
    button->SendMessage(WM_LBUTTONUP, 0, PointParam(5, 5));
    ASSERT_EQ(parent.Count(WM_COMMAND), 1u);
    EXPECT_EQ(parent.recorded[0].wParam, MAKEWPARAM(kId, BN_CLICKED));
    EXPECT_EQ(GetCapture(), nullptr);

    // Dragged off before the release: nothing, as with a standard button.
    button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5));
    button->SendMessage(WM_LBUTTONUP, 0, PointParam(kW + 30, 5));
    EXPECT_EQ(parent.Count(WM_COMMAND), 1u);
}

TEST_F(PngListButtonTest, DoubleClicksAreOnlyPressesForListButtons)
{
    auto list = MakeButton();
    auto plain = MakeButton({20, 60, 120, 90}, kId + 1);
    for (HWND button : {list->m_hWnd, plain->m_hWnd}) {
        ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5));
        ::SendMessageW(button, WM_LBUTTONUP, 0, PointParam(5, 5));
        ::SendMessageW(button, WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(5, 5));
        ::SendMessageW(button, WM_LBUTTONUP, 0, PointParam(5, 5));
    }
    const std::vector<RecordedMessage> reports = parent.Take(WM_COMMAND);
    ASSERT_EQ(reports.size(), 2u) << "one click for each button's press";
    for (const RecordedMessage& m : reports)
        EXPECT_EQ(HIWORD(m.wParam), BN_CLICKED);

    // A CBitmapBtnEx reports the double click.
    CBitmapBtnEx ex;
    ASSERT_TRUE(ex.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, {20, 100, 120, 130}, parent, kId + 2));
    parent.recorded.clear();
    ex.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(5, 5));
    ASSERT_EQ(parent.Count(WM_COMMAND), 1u);
    EXPECT_EQ(parent.recorded[0].wParam, MAKEWPARAM(kId + 2, BN_DOUBLECLICKED));
}

TEST_F(PngListButtonTest, HoverHoldsTheCaptureUntilThePointerIsElsewhere)
{
    auto button = MakeButton();
    MoveOver(*button, 10, 10);
    EXPECT_TRUE(button->IsHovered());
    EXPECT_EQ(::GetCapture(), button->m_hWnd);
    EXPECT_EQ(Render(*button)->At(50, 15), kGreen);

    MoveOver(*button, 10, 12); // still over it: nothing changes
    EXPECT_TRUE(button->IsHovered());

    MoveOver(*button, kW + 50, 10); // over the parent now
    EXPECT_FALSE(button->IsHovered());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(Render(*button)->At(50, 15), kRed);
}

TEST_F(PngListButtonTest, LeavingWithTheButtonHeldKeepsTheCapture)
{
    auto button = MakeButton();
    MoveOver(*button, 10, 10);
    MoveOver(*button, kW + 50, 10, MK_LBUTTON);
    EXPECT_FALSE(button->IsHovered());
    EXPECT_EQ(::GetCapture(), button->m_hWnd);
    ::ReleaseCapture();
}

TEST_F(PngListButtonTest, ADragFromElsewhereDoesNotLightTheButton)
{
    auto button = MakeButton();
    MoveOver(*button, 10, 10, MK_LBUTTON);
    EXPECT_FALSE(button->IsHovered());
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(PngListButtonTest, LeaveAndFocusLossEndHover)
{
    auto button = MakeButton();
    MoveOver(*button, 10, 10);
    button->SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(button->IsHovered());
    ::ReleaseCapture();

    MoveOver(*button, 10, 10);
    button->SendMessage(WM_KILLFOCUS);
    EXPECT_FALSE(button->IsHovered());
    ::ReleaseCapture();
}

TEST_F(PngListButtonTest, SelectingEndsHoverUntilTheNextMove)
{
    auto button = MakeButton();
    MoveOver(*button, 10, 10);
    button->SetSelected(true);
    EXPECT_FALSE(button->IsHovered());
    EXPECT_TRUE(button->IsSelected());
    MoveOver(*button, 11, 10);
    EXPECT_TRUE(button->IsHovered());
    ::ReleaseCapture();
}

TEST_F(PngListButtonTest, CaptionSettersRepaintOnlyOnAChange)
{
    auto button = MakeButton();
    auto needsPaint = [&] {
        RECT r{};
        return ::GetUpdateRect(*button, &r, FALSE) != FALSE;
    };
    button->SetCaption(L"Apply", 4);
    ::ValidateRect(*button, nullptr);

    button->SetCaption(L"Apply", 4, true); // the margin side alone is no change
    EXPECT_FALSE(needsPaint());
    button->SetCaption(L"Apply", 5);
    EXPECT_TRUE(needsPaint());
    ::ValidateRect(*button, nullptr);
    button->SetCaption(L"Reset", 5);
    EXPECT_TRUE(needsPaint());
    ::ValidateRect(*button, nullptr);

    button->SetCaptionEx(L"Reset", 5, CPngListBtn::kNoIndex);
    EXPECT_FALSE(needsPaint());
    button->SetCaptionEx(L"Reset", 5, 2);
    EXPECT_TRUE(needsPaint());
    EXPECT_EQ(button->GetCaption(), L"Reset");
}

TEST_F(PngListButtonTest, TheWheelAsksTheParentToScroll)
{
    auto button = MakeButton();
    for (short delta : {-120, 0, 120})
        button->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
    CRecordingParent::Pump();
    const auto scrolls = parent.Take(WM_VSCROLL);
    ASSERT_EQ(scrolls.size(), 3u);
    EXPECT_EQ(scrolls[0].wParam, static_cast<WPARAM>(SB_LINEDOWN));
    EXPECT_EQ(scrolls[1].wParam, static_cast<WPARAM>(SB_LINEDOWN));
    EXPECT_EQ(scrolls[2].wParam, static_cast<WPARAM>(SB_LINEUP));
    EXPECT_EQ(scrolls[2].lParam, 0);
}

TEST_F(PngListButtonTest, SelectInGroupLatchesOneButtonOfTheRow)
{
    CPngListBtn row[3];
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(
            row[i].Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, {10, 10 + 40 * i, 60, 40 + 40 * i}, parent, 0));
    row[0].SetSelected(true);

    int index = -1;
    EXPECT_EQ(SelectInGroup(row, row[2].m_hWnd, &index), 2);
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(row[0].IsSelected());
    EXPECT_TRUE(row[2].IsSelected());

    index = 7;
    EXPECT_EQ(SelectInGroup(row, 3, parent.m_hWnd, &index), -1);
    EXPECT_EQ(SelectInGroup(row, 3, nullptr, &index), -1);
    EXPECT_EQ(index, 7);
    EXPECT_TRUE(row[2].IsSelected());
}

TEST_F(PngListButtonTest, TheToolTipWindowComesWithItsFirstActivation)
{
    auto button = MakeButton();
    button->SetTooltipText(nullptr, true);
    EXPECT_FALSE(button->ToolTip().IsCreated());

    button->SetTooltipText(L"Apply", false);
    EXPECT_FALSE(button->ToolTip().IsCreated()) << "an inactive tip needs no window";
    EXPECT_EQ(button->ToolTip().Text(), L"Apply");
    button->SetTooltipText(L"Apply the lighting", true);
    ASSERT_TRUE(button->ToolTip().IsCreated());
    const HWND tip = button->ToolTip().GetSafeHwnd();
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[64] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = parent.m_hWnd;
    info.uId = reinterpret_cast<UINT_PTR>(button->m_hWnd);
    info.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"Apply the lighting");
}

TEST_F(BitmapButtonExTest, DrawsTheFaceOpaqueWithTheCaptionColourOfTheLook)
{
    auto button = MakeButton();
    const Bitmap half = MakeSolidBitmap(kW, kH, {0, 0, 128, 128}); // alpha is not blended here
    button->SetImages({0, 0, kW, kH}, half, half, half, half);
    EXPECT_EQ(Render(*button)->At(50, 15), (Bgra{0, 0, 128, 128}));

    button = MakeButton();
    button->SetCaption(kInkCaption, 0);
    button->SetSelected(true);
    const auto canvas = Render(*button);
    EXPECT_EQ(canvas->At(1, 1), kBlue);
    EXPECT_GT(canvas->Count(kNormalInk, {0, 0, kW, kH}), 20) << "selected: down face, normal colour";
}

namespace {

// Two faces that draw the same word differently.
constexpr const wchar_t* kSerifFace = L"DejaVu Serif";
constexpr const wchar_t* kMonospaceFace = L"DejaVu Sans Mono";
const std::wstring kWordCaption = L"Wig";

bool SameCanvas(const Canvas& a, const Canvas& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

template <class Button>
class CaptionFaceTest : public ButtonTest<Button> {
};
using CaptionFaceButtons = testing::Types<CPngListBtn, CBitmapBtnEx>;

} // namespace

TYPED_TEST_SUITE(CaptionFaceTest, CaptionFaceButtons);

// A caption is drawn in the button's own face, or in the skin's when it names none: the faces
// are told apart by what they draw.
TYPED_TEST(CaptionFaceTest, TheCaptionIsDrawnInTheButtonsFaceOrElseTheSkins)
{
    const auto render = [&](const wchar_t* skinFace, const wchar_t* ownFace) {
        const SkinFontScope skin(skinFace);
        auto button = this->MakeButton();
        button->SetFontFace(ownFace);
        button->SetCaption(kWordCaption, 0);
        return this->Render(*button);
    };
    const auto serif = render(kSerifFace, L"");
    EXPECT_FALSE(SameCanvas(*serif, *render(kMonospaceFace, L""))) << "the skin's face";
    EXPECT_TRUE(SameCanvas(*serif, *render(kMonospaceFace, kSerifFace))) << "the button's own face";
}

TEST_F(BitmapButtonExTest, TheMarginPushesTheCaptionInFromItsSide)
{
    auto button = MakeButton();
    button->SetAlignment(CBitmapBtn::kAlignLeft + 2); // right aligned
    button->SetCaption(kInkCaption, 30);
    const auto canvas = Render(*button);
    EXPECT_EQ(canvas->Count(kNormalInk, {kW - 30, 0, kW, kH}), 0);
    EXPECT_GT(canvas->Count(kNormalInk, {0, 0, kW - 30, kH}), 20);
}
