// The drop-down list on real windows: rows and scroll bar, ScrollTo and WM_VSCROLL, the wheel,
// clicks and what they post to the owner, the selected look, images brought to the list's
// height, shape, the fixed buttons, sub-lists, and what it does with malformed requests.
#include "controls/ButtonMenu.h"

#include "Poll.h"
#include "RecordingParent.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr UINT kClick = WM_USER + 257;
constexpr UINT kArrow = 21507;
constexpr int kW = 100;   // the images are 100 wide
constexpr int kRowH = 20; // and three rows of 20 high
constexpr int kLeft = 60; // where the lists open on the screen
constexpr int kTop = 40;

const Bgra kTopBand{0, 0, 200, 255};
const Bgra kMiddleBand{0, 200, 0, 255};
const Bgra kBottomBand{200, 0, 0, 255};
const Bgra kOverFace{255, 0, 255, 255};
const Bgra kDownFace{255, 255, 0, 255};
const Bgra kDisabledFace{128, 128, 128, 255};
const Bgra kButtonFace{0, 255, 255, 255};
constexpr COLORREF kNotEnabledInk = RGB(10, 20, 30);
constexpr COLORREF kEnabledInk = RGB(40, 50, 60);
constexpr COLORREF kEnabledOverInk = RGB(70, 80, 90);
// A caption of solid ink: the full block's inside is the text colour exactly.
const std::wstring kInkCaption = L"\u2588\u2588";

Bgra Opaque(const Bgra& p)
{
    return {p.b, p.g, p.r, 0};
}

// Runs this thread's message loop for a while, so posted messages and real input arrive.
void PumpFor(DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    do {
        CRecordingParent::Pump();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount() - start < milliseconds);
    CRecordingParent::Pump();
}

// The owner of the lists: records the lists' reports besides what the recording parent keeps.
class CMenuOwner : public CRecordingParent {
public:
    std::function<void(UINT, WPARAM, LPARAM)> onMenuReport;

    std::vector<RecordedMessage> Reports() { return Take(kClick); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kClick || message == kArrow) {
            recorded.push_back({message, wParam, lParam});
            if (onMenuReport)
                onMenuReport(message, wParam, lParam);
            return 0;
        }
        return CRecordingParent::WindowProc(message, wParam, lParam);
    }
};

class ButtonMenuTest : public ::testing::Test {
protected:
    ButtonMenuTest() : m_font(L"Segoe UI") {}

    void SetUp() override
    {
        // The real pointer stays out of the way: the rows see only the test's messages.
        ::SetCursorPos(1590, 990);
        ASSERT_TRUE(WriteImage(folder / L"normal.png", kW, 3 * kRowH, [](int, int y) {
            return y < kRowH ? kTopBand : y < 2 * kRowH ? kMiddleBand : kBottomBand;
        }));
        ASSERT_TRUE(WriteSolidImage(folder / L"over.png", kW, 3 * kRowH, kOverFace));
        ASSERT_TRUE(WriteSolidImage(folder / L"down.png", kW, 3 * kRowH, kDownFace));
        ASSERT_TRUE(WriteSolidImage(folder / L"disabled.png", kW, 3 * kRowH, kDisabledFace));
        ASSERT_TRUE(WriteSolidImage(folder / L"button.png", kW, 10, kButtonFace));
    }

    std::unique_ptr<CPngBtnMenu> NewMenu(const std::wstring& extra = L"")
    {
        auto menu = std::make_unique<CPngBtnMenu>(owner.m_hWnd);
        menu->SetMenuImages(folder / L"normal.png", folder / L"over.png", folder / L"down.png",
                            folder / L"disabled.png", extra.empty() ? L"" : folder / extra, false);
        menu->SetRowHeight(kRowH);
        menu->SetPosition(kLeft, kTop);
        menu->SetTextColors(kNotEnabledInk, kEnabledInk, kEnabledOverInk);
        return menu;
    }

    static void AddItems(CPngBtnMenu& menu, int count)
    {
        for (int k = 0; k < count; ++k)
            menu.AddMenuItem(L"Item " + std::to_wstring(k), 100 + k, k, true);
    }

    std::unique_ptr<CPngBtnMenu> Open(int items, int rows)
    {
        auto menu = NewMenu();
        AddItems(*menu, items);
        menu->SetVisibleRows(rows);
        EXPECT_TRUE(menu->Create());
        CRecordingParent::Pump();
        return menu;
    }

    static void Press(HWND button)
    {
        ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5));
        ::SendMessageW(button, WM_LBUTTONUP, 0, PointParam(5, 5));
        CRecordingParent::Pump();
    }

    // The pointer really moves there and the window is told, as a person's move does.
    static void MoveOver(HWND wnd, int x, int y)
    {
        POINT screen{x, y};
        ::ClientToScreen(wnd, &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::SendMessageW(wnd, WM_MOUSEMOVE, 0, PointParam(x, y));
        CRecordingParent::Pump();
    }

    static std::unique_ptr<Canvas> Render(HWND wnd)
    {
        RECT r{};
        ::GetClientRect(wnd, &r);
        auto canvas = std::make_unique<Canvas>(r.right, r.bottom);
        canvas->Fill({1, 2, 3, 4});
        PrintClient(wnd, *canvas);
        return canvas;
    }

    static RECT ScreenRect(HWND wnd)
    {
        RECT r{};
        ::GetWindowRect(wnd, &r);
        return r;
    }

    static std::wstring Caption(const CPngBtnMenu& menu, int row) { return menu.GetRowButton(row)->GetCaption(); }

    TempFolder folder;
    CMenuOwner owner;
    SkinFontScope m_font;
};

} // namespace

namespace {

// The record's layout and first values are fixed when the program is compiled.
constexpr bool IsZeroFilled(const BMPMENUINFO& item)
{
    for (wchar_t c : item.text)
        if (c != L'\0')
            return false;
    return !item.hasSubItems && !item.enabled && item.reserved1 == 0 && item.reserved2 == 0 && item.value == 0 &&
           item.extra == 0 && item.subItems.empty();
}

} // namespace

static_assert(IsZeroFilled(BMPMENUINFO{}));
static_assert(offsetof(BMPMENUINFO, text) < offsetof(BMPMENUINFO, hasSubItems));
static_assert(offsetof(BMPMENUINFO, hasSubItems) < offsetof(BMPMENUINFO, enabled));
static_assert(offsetof(BMPMENUINFO, enabled) < offsetof(BMPMENUINFO, value));
static_assert(offsetof(BMPMENUINFO, value) < offsetof(BMPMENUINFO, extra));
static_assert(offsetof(BMPMENUINFO, extra) < offsetof(BMPMENUINFO, subItems));

TEST(BmpMenuInfo, TextIsCutToTheRecordAndSubItemsNest)
{
    BMPMENUINFO item = MakeMenuItem(std::wstring(1000, L'x'), -7, 9, true);
    EXPECT_EQ(std::wstring(item.text).size(), BMPMENUINFO::kTextLength - 1);
    EXPECT_EQ(item.value, -7);
    EXPECT_EQ(item.extra, 9);
    EXPECT_TRUE(item.enabled);
    BMPMENUINFO& sub = AddSubItem(item, L"sub", 1, 2, false);
    AddSubItem(sub, L"deeper", 3, 4, true);
    EXPECT_TRUE(item.hasSubItems);
    ASSERT_EQ(item.subItems.size(), 1u);
    EXPECT_TRUE(item.subItems[0].hasSubItems);
    EXPECT_EQ(std::wstring(item.subItems[0].subItems[0].text), L"deeper");
}

TEST_F(ButtonMenuTest, ThreeItemsAndDefaultRowsShowThreeRowsWithoutScrollBar)
{
    auto menu = Open(3, -1);
    ASSERT_EQ(menu->GetRowCount(), 3);
    EXPECT_EQ(menu->GetVisibleRows(), 3);
    EXPECT_FALSE(menu->GetScrollBar().IsWindowVisible());
    EXPECT_TRUE(menu->IsWindowVisible());
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(Caption(*menu, row), L"Item " + std::to_wstring(row));
        EXPECT_TRUE(menu->GetRowButton(row)->IsWindowVisible());
    }
    for (int asked : {2, 1, 3, -1, 100, INT_MAX, INT_MIN}) {
        menu->ScrollTo(asked);
        EXPECT_EQ(menu->GetFirstVisible(), 0) << asked;
    }
    EXPECT_EQ(Caption(*menu, 0), L"Item 0");
}

TEST_F(ButtonMenuTest, ListStandsWhereItsCreatorSaidAndIsEighteenPixelsWiderThanItsImage)
{
    auto menu = Open(3, -1);
    const RECT place = ScreenRect(*menu);
    EXPECT_EQ(place.left, kLeft);
    EXPECT_EQ(place.top, kTop);
    EXPECT_EQ(place.right - place.left, kW + 18);
    EXPECT_EQ(place.bottom - place.top, 3 * kRowH);
    EXPECT_EQ(::GetWindow(*menu, GW_OWNER), owner.m_hWnd);

    // The strip beyond the image is no part of what the list shows.
    GdiRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(*menu, region.get()), ERROR);
    RECT box{};
    ::GetRgnBox(region.get(), &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, kW);
    EXPECT_EQ(box.bottom, 3 * kRowH);

    for (int row = 0; row < 3; ++row) {
        RECT r = ScreenRect(*menu->GetRowButton(row));
        EXPECT_EQ(r.left, kLeft);
        EXPECT_EQ(r.right, kLeft + kW);
        EXPECT_EQ(r.top, kTop + row * kRowH);
        EXPECT_EQ(r.bottom, kTop + (row + 1) * kRowH);
    }
}

TEST_F(ButtonMenuTest, TenItemsInFourRowsScrollWithTheBar)
{
    auto menu = Open(10, 4);
    ASSERT_EQ(menu->GetRowCount(), 4);
    CSkinScrollBar& bar = menu->GetScrollBar();
    ASSERT_TRUE(bar.m_hWnd);
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(bar.GetDlgCtrlID(), static_cast<int>(CPngBtnMenu::kScrollBarId));
    EXPECT_EQ(bar.GetStyle() & (WS_CHILD | SBS_VERT), static_cast<DWORD>(WS_CHILD | SBS_VERT));
    RECT barPlace = ScreenRect(bar);
    EXPECT_EQ(barPlace.left, kLeft + kW - 12);
    EXPECT_EQ(barPlace.right - barPlace.left, 9) << "one cell of the sheet thick";
    EXPECT_EQ(barPlace.top, kTop);
    EXPECT_EQ(barPlace.bottom - barPlace.top, 4 * kRowH);
    SCROLLINFO info{};
    ASSERT_TRUE(bar.GetScrollInfo(&info, SIF_ALL));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 9);
    EXPECT_EQ(info.nPage, 4u);
    EXPECT_EQ(ScreenRect(*menu->GetRowButton(0)).right, kLeft + kW - 12) << "rows give the bar room";

    menu->ScrollTo(9);
    EXPECT_EQ(menu->GetFirstVisible(), 6);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(Caption(*menu, row), L"Item " + std::to_wstring(6 + row));
    EXPECT_EQ(bar.GetScrollPos(), 6);

    auto scroll = [&](int code, int thumb = 0) {
        menu->SendMessage(WM_VSCROLL, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(bar.m_hWnd));
        return menu->GetFirstVisible();
    };
    EXPECT_EQ(scroll(SB_LINEDOWN), 6) << "nothing below the last row";
    EXPECT_EQ(scroll(SB_LINEUP), 5);
    EXPECT_EQ(scroll(SB_PAGEUP), 1);
    EXPECT_EQ(scroll(SB_PAGEUP), 0);
    EXPECT_EQ(scroll(SB_LINEUP), 0);
    EXPECT_EQ(scroll(SB_PAGEDOWN), 4);
    EXPECT_EQ(scroll(SB_PAGEDOWN), 6);
    EXPECT_EQ(scroll(SB_TOP), 0);
    EXPECT_EQ(scroll(SB_BOTTOM), 6);
    EXPECT_EQ(scroll(SB_THUMBTRACK, 3), 3);
    EXPECT_EQ(scroll(SB_THUMBPOSITION, 2), 2);
    EXPECT_EQ(bar.GetScrollPos(), 2);
    EXPECT_EQ(Caption(*menu, 0), L"Item 2");
}

TEST_F(ButtonMenuTest, TheBarsOwnArrowScrollsTheList)
{
    auto menu = Open(10, 4);
    CSkinScrollBar& bar = menu->GetScrollBar();
    const RECT client = bar.GetClientRect();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(4, client.bottom - 3)); // the second arrow
    bar.SendMessage(WM_LBUTTONUP, 0, PointParam(4, client.bottom - 3));
    EXPECT_EQ(menu->GetFirstVisible(), 1);
    EXPECT_EQ(bar.GetScrollPos(), 1);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(4, 2)); // the first arrow
    bar.SendMessage(WM_LBUTTONUP, 0, PointParam(4, 2));
    EXPECT_EQ(menu->GetFirstVisible(), 0);
}

TEST_F(ButtonMenuTest, TheWheelOverARowScrollsOneRowPerTurn)
{
    auto menu = Open(10, 4);
    HWND row = *menu->GetRowButton(1);
    ::SendMessageW(row, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                   MAKELPARAM(kLeft + 5, kTop + 25));
    PumpFor(20);
    EXPECT_EQ(menu->GetFirstVisible(), 1) << "the row's own report and the wheel climbing to the list count once";
    ::SendMessageW(row, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    ::SendMessageW(row, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    PumpFor(20);
    EXPECT_EQ(menu->GetFirstVisible(), 3);
    ::SendMessageW(row, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    PumpFor(20);
    EXPECT_EQ(menu->GetFirstVisible(), 2);

    // Turned over the list itself (or with the focus on it).
    menu->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    PumpFor(20);
    EXPECT_EQ(menu->GetFirstVisible(), 1);
    menu->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 0), 0);
    PumpFor(20);
    EXPECT_EQ(menu->GetFirstVisible(), 2) << "a zero delta counts toward the user";
}

TEST_F(ButtonMenuTest, ClickingRowTwoAtFirstVisibleFiveReportsItemSeven)
{
    auto menu = NewMenu();
    AddItems(*menu, 10);
    menu->SetVisibleRows(4);
    menu->SetMenuId(3);
    ASSERT_TRUE(menu->Create());
    menu->ScrollTo(5);
    Press(*menu->GetRowButton(2));

    const auto reports = owner.Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(HIWORD(reports[0].wParam), 7);
    EXPECT_EQ(LOWORD(reports[0].wParam), 3) << "the menu id";
    EXPECT_EQ(HIWORD(reports[0].lParam), 107) << "the item's value";
    EXPECT_EQ(LOWORD(reports[0].lParam), 0);
    EXPECT_EQ(menu->GetSelectedItem(), 7);
    EXPECT_TRUE(menu->IsWindowVisible()) << "the list does not close itself";
}

TEST_F(ButtonMenuTest, TheReportIsPostedNotSentAndCarriesTheDefaultMenuId)
{
    auto menu = Open(3, -1);
    ::SendMessageW(*menu->GetRowButton(1), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5));
    EXPECT_EQ(owner.Reports().size(), 0u) << "nothing arrives before the owner's queue is read";
    ::SendMessageW(*menu->GetRowButton(1), WM_LBUTTONUP, 0, PointParam(5, 5));
    CRecordingParent::Pump();
    const auto reports = owner.Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(LOWORD(reports[0].wParam), 0xFFFF) << "menu id -1 in 16 bits";
    EXPECT_EQ(HIWORD(reports[0].wParam), 1);
}

TEST_F(ButtonMenuTest, DisabledItemsAndItemsWithSubItemsPostNothing)
{
    auto menu = NewMenu();
    menu->AddMenuItem(L"Off", 1, 0, false);
    menu->AddMenuItem(L"More", 2, 0, true);
    menu->AddSubMenuItem(1, L"Inner", 3, 0, true);
    menu->AddMenuItem(L"On", 4, 0, true);
    ASSERT_TRUE(menu->Create());
    Press(*menu->GetRowButton(0));
    Press(*menu->GetRowButton(1));
    EXPECT_EQ(owner.Reports().size(), 0u);
    EXPECT_EQ(menu->GetSelectedItem(), -1);
    EXPECT_FALSE(menu->GetRowButton(0)->IsSelected());
    EXPECT_FALSE(menu->GetRowButton(1)->IsSelected());
    Press(*menu->GetRowButton(2));
    EXPECT_EQ(owner.Reports().size(), 1u);
}

TEST_F(ButtonMenuTest, AnItemWithoutTextLeavesItsRowHidden)
{
    auto menu = NewMenu();
    menu->AddMenuItem(L"", 1, 0, true);
    menu->AddMenuItem(L"Shown", 2, 0, true);
    menu->AddMenuItem(L"", 3, 0, true);
    menu->AddMenuItem(L"Last", 4, 0, true);
    menu->SetVisibleRows(3);
    ASSERT_TRUE(menu->Create());
    EXPECT_FALSE(menu->GetRowButton(0)->IsWindowVisible());
    EXPECT_TRUE(menu->GetRowButton(1)->IsWindowVisible());
    EXPECT_FALSE(menu->GetRowButton(2)->IsWindowVisible());
    menu->ScrollTo(1);
    EXPECT_TRUE(menu->GetRowButton(0)->IsWindowVisible());
    EXPECT_FALSE(menu->GetRowButton(1)->IsWindowVisible());
    EXPECT_TRUE(menu->GetRowButton(2)->IsWindowVisible());
}

TEST_F(ButtonMenuTest, TheSelectedItemWearsTheDownFaceWhereverItScrolls)
{
    auto menu = Open(10, 4);
    Press(*menu->GetRowButton(1));
    EXPECT_EQ(menu->GetSelectedItem(), 1);
    EXPECT_TRUE(menu->GetRowButton(1)->IsSelected());
    EXPECT_EQ(Opaque(Render(*menu->GetRowButton(1))->At(2, 2)), Opaque(kDownFace));
    EXPECT_EQ(Opaque(Render(*menu->GetRowButton(2))->At(2, 2)), Opaque(kMiddleBand));

    menu->ScrollTo(3);
    for (int row = 0; row < 4; ++row)
        EXPECT_FALSE(menu->GetRowButton(row)->IsSelected()) << "item 1 is out of sight; row " << row;
    menu->ScrollTo(0);
    EXPECT_TRUE(menu->GetRowButton(1)->IsSelected());
    menu->ScrollTo(1);
    EXPECT_TRUE(menu->GetRowButton(0)->IsSelected());
    EXPECT_FALSE(menu->GetRowButton(1)->IsSelected());

    // Brought into view: it becomes the bottom row.
    menu->SelectRow(9, true);
    EXPECT_EQ(menu->GetFirstVisible(), 6);
    EXPECT_TRUE(menu->GetRowButton(3)->IsSelected());
    EXPECT_FALSE(menu->GetRowButton(0)->IsSelected());
    menu->SelectRow(0, false);
    EXPECT_EQ(menu->GetFirstVisible(), 6) << "not brought into view";
    EXPECT_EQ(menu->GetSelectedItem(), 0);
    for (int row = 0; row < 4; ++row)
        EXPECT_FALSE(menu->GetRowButton(row)->IsSelected());

    menu->SelectRow(7, false);
    EXPECT_TRUE(menu->GetRowButton(1)->IsSelected());
    for (int none : {-1, 10, INT_MAX, INT_MIN}) {
        menu->SelectRow(7, false);
        menu->SelectRow(none, true);
        EXPECT_EQ(menu->GetSelectedItem(), -1) << none;
        EXPECT_FALSE(menu->GetRowButton(1)->IsSelected()) << none;
        EXPECT_EQ(menu->GetFirstVisible(), 6) << none;
    }
}

TEST_F(ButtonMenuTest, CaptionsTakeTheListsColoursByTheItemsState)
{
    auto menu = NewMenu();
    menu->AddMenuItem(kInkCaption, 1, 0, true);
    menu->AddMenuItem(kInkCaption, 2, 0, false);
    ASSERT_TRUE(menu->Create());
    const RECT all{0, 0, kW, kRowH};
    EXPECT_GT(Render(*menu->GetRowButton(0))->Count(kEnabledInk, all), 20);
    EXPECT_EQ(Render(*menu->GetRowButton(0))->Count(kNotEnabledInk, all), 0);
    EXPECT_GT(Render(*menu->GetRowButton(1))->Count(kNotEnabledInk, all), 20);

    // Under the pointer, an enabled item takes the over colour, a disabled one does not.
    MoveOver(*menu->GetRowButton(0), 5, 5);
    ASSERT_TRUE(menu->GetRowButton(0)->IsHovered());
    const auto hovered = Render(*menu->GetRowButton(0));
    EXPECT_GT(hovered->Count(kEnabledOverInk, all), 20);
    EXPECT_EQ(Opaque(hovered->At(2, 2)), Opaque(kOverFace));
    MoveOver(*menu->GetRowButton(1), 5, 5);
    EXPECT_GT(Render(*menu->GetRowButton(1))->Count(kNotEnabledInk, all), 20);
}

TEST_F(ButtonMenuTest, ListSizedImagesAreBroughtToTheListsHeight)
{
    auto menu = Open(5, -1);
    const RECT place = ScreenRect(*menu);
    ASSERT_EQ(place.bottom - place.top, 5 * kRowH);
    // The background: top band, the middle band three times, bottom band.
    const auto background = Render(*menu);
    EXPECT_EQ(Opaque(background->At(50, 10)), Opaque(kTopBand));
    for (int y : {30, 50, 70})
        EXPECT_EQ(Opaque(background->At(50, y)), Opaque(kMiddleBand)) << y;
    EXPECT_EQ(Opaque(background->At(50, 90)), Opaque(kBottomBand));
    // Each row's face is its own piece of the list's images.
    EXPECT_EQ(Opaque(Render(*menu->GetRowButton(0))->At(2, 2)), Opaque(kTopBand));
    EXPECT_EQ(Opaque(Render(*menu->GetRowButton(2))->At(2, 2)), Opaque(kMiddleBand));
    EXPECT_EQ(Opaque(Render(*menu->GetRowButton(4))->At(2, 2)), Opaque(kBottomBand));

    // Two rows: the middle band is cut away.
    auto shorter = Open(2, -1);
    EXPECT_EQ(Opaque(Render(*shorter->GetRowButton(0))->At(2, 2)), Opaque(kTopBand));
    EXPECT_EQ(Opaque(Render(*shorter->GetRowButton(1))->At(2, 2)), Opaque(kBottomBand));
}

TEST_F(ButtonMenuTest, RowSizedImagesGiveEveryRowTheWholeImage)
{
    ASSERT_TRUE(WriteImage(folder / L"row.png", kW, kRowH, [](int, int y) { return y < 5 ? kTopBand : kMiddleBand; }));
    auto menu = std::make_unique<CPngBtnMenu>(owner.m_hWnd);
    const std::wstring row = folder / L"row.png";
    menu->SetMenuImages(row, row, row, row, L"", true);
    AddItems(*menu, 3);
    menu->SetPosition(kLeft, kTop);
    ASSERT_TRUE(menu->Create());
    EXPECT_EQ(ScreenRect(*menu).bottom - kTop, 3 * kRowH) << "the row height is the image's";
    for (int k = 0; k < 3; ++k) {
        const auto face = Render(*menu->GetRowButton(k));
        EXPECT_EQ(Opaque(face->At(2, 2)), Opaque(kTopBand)) << k;
        EXPECT_EQ(Opaque(face->At(2, 12)), Opaque(kMiddleBand)) << k;
    }
    const auto background = Render(*menu);
    EXPECT_EQ(Opaque(background->At(50, 42)), Opaque(kTopBand)) << "the image repeats down the list";
}

TEST_F(ButtonMenuTest, AMaskImageShapesTheList)
{
    // White is outside: the right 30 columns and, in the bottom band, the last row.
    ASSERT_TRUE(WriteImage(
        folder / L"mask.bmp", kW, 3 * kRowH,
        [](int x, int y) {
            return x >= 70 || y == 3 * kRowH - 1 ? Bgra{255, 255, 255, 255} : Bgra{0, 0, 0, 255};
        },
        L"image/bmp", PixelFormat24bppRGB));
    auto menu = NewMenu(L"mask.bmp");
    AddItems(*menu, 5);
    ASSERT_TRUE(menu->Create());
    GdiRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(*menu, region.get()), ERROR);
    EXPECT_TRUE(::PtInRegion(region.get(), 10, 10));
    EXPECT_TRUE(::PtInRegion(region.get(), 69, 50));
    EXPECT_FALSE(::PtInRegion(region.get(), 70, 50));
    EXPECT_FALSE(::PtInRegion(region.get(), 105, 10));
    EXPECT_TRUE(::PtInRegion(region.get(), 10, 98)) << "the mask is brought to the list's height";
    EXPECT_FALSE(::PtInRegion(region.get(), 10, 99));
}

TEST_F(ButtonMenuTest, TopAndBottomButtonsReportAndScrollOneRow)
{
    auto menu = NewMenu();
    AddItems(*menu, 10);
    menu->SetVisibleRows(4);
    menu->SetMenuId(5);
    const std::wstring face = folder / L"button.png";
    menu->SetTopButton({face, L"", L"", L"", L"Up", CBitmapBtn::kAlignCentre, 0});
    menu->SetBottomButton({face, L"", L"", L"", L"Down", CBitmapBtn::kAlignCentre, 1});
    ASSERT_TRUE(menu->Create());
    ASSERT_TRUE(menu->GetTopButton());
    ASSERT_TRUE(menu->GetBottomButton());
    EXPECT_EQ(ScreenRect(*menu).bottom - kTop, 4 * kRowH + 10 + 10);
    EXPECT_EQ(ScreenRect(*menu->GetTopButton()).top, kTop);
    EXPECT_EQ(ScreenRect(*menu->GetRowButton(0)).top, kTop + 10) << "rows stand below the top button";
    EXPECT_EQ(ScreenRect(*menu->GetBottomButton()).top, kTop + 4 * kRowH + 10);
    EXPECT_EQ(ScreenRect(menu->GetScrollBar()).top, kTop + 10);
    EXPECT_EQ(menu->GetTopButton()->GetCaption(), L"Up");

    menu->ScrollTo(3);
    Press(*menu->GetTopButton());
    EXPECT_EQ(menu->GetFirstVisible(), 2);
    Press(*menu->GetBottomButton());
    EXPECT_EQ(menu->GetFirstVisible(), 3);
    // The second press of a quick double click steps again.
    menu->GetBottomButton()->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(5, 5));
    menu->GetBottomButton()->SendMessage(WM_LBUTTONUP, 0, PointParam(5, 5));
    CRecordingParent::Pump();
    EXPECT_EQ(menu->GetFirstVisible(), 4);

    const auto arrows = owner.Take(kArrow);
    ASSERT_EQ(arrows.size(), 3u);
    EXPECT_EQ(arrows[0].wParam, MAKEWPARAM(5, 0));
    EXPECT_EQ(arrows[0].lParam, MAKELPARAM(0, 100));
    EXPECT_EQ(arrows[1].wParam, MAKEWPARAM(5, 1));
    EXPECT_EQ(arrows[1].lParam, MAKELPARAM(0, 101));
    EXPECT_EQ(arrows[2].wParam, MAKEWPARAM(5, 1));
    EXPECT_EQ(owner.Reports().size(), 0u);

    // At the top, the top button still reports but the list stays.
    menu->ScrollTo(0);
    Press(*menu->GetTopButton());
    EXPECT_EQ(menu->GetFirstVisible(), 0);
    EXPECT_EQ(owner.Take(kArrow).size(), 4u);
}

TEST_F(ButtonMenuTest, FixedButtonsWithoutAnItemOfTheListAreNotMade)
{
    auto menu = NewMenu();
    AddItems(*menu, 3);
    menu->SetTopButton({folder / L"button.png", L"", L"", L"", L"Up", CBitmapBtn::kAlignCentre, 42});
    menu->SetBottomButton({folder / L"missing.png", L"", L"", L"", L"Down", CBitmapBtn::kAlignCentre, 0});
    ASSERT_TRUE(menu->Create());
    EXPECT_FALSE(menu->GetTopButton());
    EXPECT_FALSE(menu->GetBottomButton());
    EXPECT_EQ(ScreenRect(*menu).bottom - kTop, 3 * kRowH);
}

TEST_F(ButtonMenuTest, ARowWithSubItemsOpensASubListBesideItAndPassesItsChoiceOn)
{
    auto menu = NewMenu();
    AddItems(*menu, 4);
    for (int k = 0; k < 3; ++k)
        menu->AddSubMenuItem(1, L"Sub " + std::to_wstring(k), 200 + k, 0, true);
    menu->SetMenuId(9);
    const HWND active = ::GetActiveWindow();
    ASSERT_TRUE(menu->Create());
    EXPECT_TRUE(menu->GetRowButton(1)->HasSubItemMarker());
    EXPECT_FALSE(menu->GetRowButton(0)->HasSubItemMarker());

    MoveOver(*menu->GetRowButton(1), 10, 10);
    CPngBtnMenu* sub = menu->GetSubMenu();
    ASSERT_TRUE(sub);
    EXPECT_EQ(menu->GetSubMenuItem(), 1);
    EXPECT_TRUE(sub->IsSubMenu());
    EXPECT_TRUE(sub->IsWindowVisible());
    EXPECT_EQ(sub->GetOwner(), menu->m_hWnd);
    EXPECT_EQ(sub->GetMenuId(), 1) << "the item's index comes back in the sub-list's reports";
    EXPECT_EQ(sub->GetRowCount(), 3);
    EXPECT_EQ(sub->GetRowButton(2)->GetCaption(), L"Sub 2");
    const RECT subPlace = ScreenRect(*sub);
    EXPECT_EQ(subPlace.left, kLeft + kW) << "to the right of the list";
    EXPECT_EQ(subPlace.top, kTop + kRowH) << "level with the row";
    EXPECT_EQ(::GetActiveWindow(), active) << "neither the list nor its sub-list takes the activation";

    // Into the sub-list: it stays open; its choice reaches the owner through the list.
    const HWND subWnd = *sub;
    MoveOver(*sub->GetRowButton(0), 5, 5);
    EXPECT_EQ(menu->GetSubMenu(), sub);
    Press(*sub->GetRowButton(2));
    CRecordingParent::Pump();
    const auto reports = owner.Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].wParam, MAKEWPARAM(2, 1)) << "sub-item index low, item index high";
    EXPECT_EQ(reports[0].lParam, MAKELPARAM(202, 101)) << "sub-item value low, item value high";

    // Onto another row: the sub-list goes.
    MoveOver(*menu->GetRowButton(0), 10, 10);
    EXPECT_FALSE(menu->GetSubMenu());
    EXPECT_FALSE(::IsWindow(subWnd));

    // Back on the row, then away from both lists: it goes again.
    MoveOver(*menu->GetRowButton(1), 10, 10);
    ASSERT_TRUE(menu->GetSubMenu());
    const HWND again = *menu->GetSubMenu();
    MoveOver(*menu->GetRowButton(1), -40, 10);
    EXPECT_FALSE(menu->GetSubMenu());
    EXPECT_FALSE(::IsWindow(again));
}

TEST_F(ButtonMenuTest, PointerLeavingTheSubListToNowhereClosesIt)
{
    auto menu = NewMenu();
    AddItems(*menu, 3);
    menu->AddSubMenuItem(0, L"Sub", 1, 0, true);
    ASSERT_TRUE(menu->Create());
    MoveOver(*menu->GetRowButton(0), 10, 10);
    CPngBtnMenu* sub = menu->GetSubMenu();
    ASSERT_TRUE(sub);
    MoveOver(*sub->GetRowButton(0), 5, 5);
    ASSERT_TRUE(sub->GetRowButton(0)->IsHovered());
    // The hovered sub-row holds the capture, so it sees the pointer go.
    MoveOver(*sub->GetRowButton(0), 5, 300);
    PumpFor(20);
    EXPECT_FALSE(menu->GetSubMenu());
}

TEST_F(ButtonMenuTest, ASubListThatDoesNotFitOnTheRightOpensOnTheLeft)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    auto menu = NewMenu();
    AddItems(*menu, 3);
    for (int k = 0; k < 3; ++k)
        menu->AddSubMenuItem(2, L"Sub", k, 0, true);
    menu->SetPosition(work.right - kW - 10, work.bottom - 3 * kRowH);
    ASSERT_TRUE(menu->Create());
    MoveOver(*menu->GetRowButton(2), 10, 10);
    ASSERT_TRUE(menu->GetSubMenu());
    const RECT place = ScreenRect(*menu->GetSubMenu());
    EXPECT_EQ(place.left, work.right - kW - 10 - kW);
    EXPECT_EQ(place.bottom, work.bottom) << "moved up onto the work area";
}

TEST_F(ButtonMenuTest, SubItemRowsCarryAMarkerInTheirCaptionColour)
{
    auto menu = NewMenu();
    menu->AddMenuItem(L"A", 1, 0, true);
    menu->AddMenuItem(L"B", 2, 0, true);
    menu->AddSubMenuItem(1, L"Inner", 3, 0, true);
    ASSERT_TRUE(menu->Create());
    const int x = kW - CPngMenuRow::kMarkerRight - 1;
    const int y = kRowH / 2;
    EXPECT_EQ(Opaque(Render(*menu->GetRowButton(1))->At(x, y)), Opaque(Bgra{60, 50, 40, 0})) << "the enabled ink";
    EXPECT_EQ(Opaque(Render(*menu->GetRowButton(0))->At(x, y)), Opaque(kTopBand)) << "no marker";
    EXPECT_EQ(Opaque(Render(*menu->GetRowButton(1))->At(kW - 2, y)), Opaque(kBottomBand)) << "right of the tip";
}

TEST_F(ButtonMenuTest, TheOwnerMayDestroyTheListWhenItReportsAChoice)
{
    auto menu = Open(10, 4);
    menu->AddSubMenuItem(0, L"Sub", 1, 0, true);
    menu->ScrollTo(0);
    MoveOver(*menu->GetRowButton(0), 10, 10);
    ASSERT_TRUE(menu->GetSubMenu());
    const HWND list = *menu;
    const HWND sub = *menu->GetSubMenu();
    owner.onMenuReport = [&](UINT, WPARAM, LPARAM) { menu.reset(); };
    Press(*menu->GetSubMenu()->GetRowButton(0));
    PumpFor(20);
    EXPECT_FALSE(menu);
    EXPECT_FALSE(::IsWindow(list));
    EXPECT_FALSE(::IsWindow(sub));
    EXPECT_EQ(owner.Reports().size(), 1u);
}

TEST_F(ButtonMenuTest, MalformedMessagesChangeNothingOrAreClamped)
{
    auto menu = Open(10, 4);
    const HWND bar = menu->GetScrollBar();
    menu->ScrollTo(3);
    auto scroll = [&](WPARAM wParam) {
        menu->SendMessage(WM_VSCROLL, wParam, reinterpret_cast<LPARAM>(bar));
        return menu->GetFirstVisible();
    };
    EXPECT_EQ(scroll(MAKEWPARAM(SB_ENDSCROLL, 0)), 3);
    EXPECT_EQ(scroll(MAKEWPARAM(99, 7)), 3);
    EXPECT_EQ(scroll(MAKEWPARAM(SB_THUMBTRACK, 0xFFFF)), 6);
    EXPECT_EQ(scroll(static_cast<WPARAM>(-1)), 6);
    menu->ScrollTo(INT_MIN);
    EXPECT_EQ(menu->GetFirstVisible(), 0);
    menu->ScrollTo(INT_MAX);
    EXPECT_EQ(menu->GetFirstVisible(), 6);

    // Commands that name no row, or a row with a code a list button never sends.
    menu->SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(owner.m_hWnd));
    menu->SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_DOUBLECLICKED),
                      reinterpret_cast<LPARAM>(menu->GetRowButton(1)->m_hWnd));
    menu->SendMessage(WM_COMMAND, MAKEWPARAM(0, 0x7777), reinterpret_cast<LPARAM>(bar));
    CRecordingParent::Pump();
    EXPECT_EQ(owner.Reports().size(), 0u);
    EXPECT_TRUE(menu->IsWindowVisible());

    // Reports that already carry a sub-item's value are not passed on; others name items
    // that may not exist.
    menu->PostMessage(kClick, MAKEWPARAM(2, 3), MAKELPARAM(5, 6));
    CRecordingParent::Pump();
    EXPECT_EQ(owner.Reports().size(), 0u);
    menu->PostMessage(kClick, MAKEWPARAM(999, 3), MAKELPARAM(0, 6));
    CRecordingParent::Pump();
    const auto reports = owner.Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].wParam, MAKEWPARAM(3, 999));
    EXPECT_EQ(reports[0].lParam, MAKELPARAM(6, 0)) << "no such item: value 0";

    // Pointer reports from anywhere, sub-lists asked of rows that have none.
    menu->SendMessage(kMenuPointerMessage, 0, MAKELPARAM(-32000, 32000));
    menu->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
    EXPECT_FALSE(menu->GetSubMenu());
    EXPECT_TRUE(menu->IsWindowVisible());
}

TEST_F(ButtonMenuTest, EmptyListsAndMissingImagesStillMakeAWindow)
{
    auto empty = NewMenu();
    ASSERT_TRUE(empty->Create());
    EXPECT_EQ(empty->GetRowCount(), 0);
    EXPECT_EQ(empty->GetVisibleRows(), 0);
    empty->ScrollTo(5);
    empty->SelectRow(0, true);
    empty->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(empty->GetFirstVisible(), 0);
    EXPECT_EQ(empty->GetSelectedItem(), -1);
    SCROLLINFO info{};
    empty->GetScrollBar().GetScrollInfo(&info, SIF_RANGE);
    EXPECT_EQ(info.nMax, 0);

    auto blind = std::make_unique<CPngBtnMenu>(owner.m_hWnd);
    blind->SetMenuImages(folder / L"nothing.png", L"", L"", L"", folder / L"nothing.bmp", false);
    AddItems(*blind, 3);
    blind->SetVisibleRows(2);
    blind->SetRowHeight(-20);
    ASSERT_TRUE(blind->Create());
    EXPECT_EQ(blind->GetRowCount(), 2);
    PumpFor(20);
    Press(*blind->GetRowButton(1));
    EXPECT_EQ(owner.Reports().size(), 1u);
}

TEST_F(ButtonMenuTest, RealPointerClicksAndWheelTurnsReachTheRows)
{
    auto menu = Open(10, 4);
    ::SetForegroundWindow(*menu);
    EXPECT_TRUE(poll::PumpUntil([&] { return ::GetForegroundWindow() == *menu; }));
    const RECT row = ScreenRect(*menu->GetRowButton(2));
    ::SetCursorPos(row.left + 10, row.top + kRowH / 2);
    INPUT input[2]{};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, input, sizeof(INPUT));
    EXPECT_TRUE(poll::PumpUntil([&] { return menu->GetRowButton(2)->IsHovered(); }));

    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, input, sizeof(INPUT));
    std::vector<RecordedMessage> reports;
    ASSERT_TRUE(poll::PumpUntil([&] { return !(reports = owner.Reports()).empty(); }));
    EXPECT_EQ(HIWORD(reports[0].wParam), 2);
    EXPECT_TRUE(menu->GetRowButton(2)->IsSelected());

    INPUT wheel{};
    wheel.type = INPUT_MOUSE;
    wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
    wheel.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
    ::SendInput(1, &wheel, sizeof(INPUT));
    EXPECT_TRUE(poll::PumpUntil([&] { return menu->GetFirstVisible() == 1; }));
    ::SendInput(1, &wheel, sizeof(INPUT));
    ::SendInput(1, &wheel, sizeof(INPUT));
    EXPECT_TRUE(poll::PumpUntil([&] { return menu->GetFirstVisible() == 3; }));
    EXPECT_EQ(menu->GetScrollBar().GetScrollPos(), 3);
    EXPECT_EQ(owner.Reports().size(), 1u) << "the click was reported once";
}
