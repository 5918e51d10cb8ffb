// Colour cells on real windows: tint arithmetic, drawing, the guarded click on release,
// the hover report and selection.
#include "controls/SelectInGroup.h"
#include "controls/SwatchButton.h"
#include "skin/SkinFile.h"

#include "Poll.h"
#include "RecordingParent.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kW = 60;
constexpr int kH = 20;
constexpr UINT kId = 9;
const Bgra kYellow{0, 255, 255, 255};

class SwatchTest : public ::testing::Test {
protected:
    // A cell whose normal face holds the given first row of pixels (the rest white) and
    // whose down face is plain grey.
    std::unique_ptr<CColorBtn2> MakeCell(const std::vector<Bgra>& firstRow = {},
                                         RECT place = {20, 20, 20 + kW, 20 + kH})
    {
        auto cell = std::make_unique<CColorBtn2>();
        EXPECT_TRUE(cell->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, place, parent, kId));
        const Bitmap normal = MakeBitmap(kW, kH, [&](int x, int y) {
            return y == 0 && x < static_cast<int>(firstRow.size()) ? firstRow[x] : Bgra{255, 255, 255, 255};
        });
        const Bitmap down = MakeSolidBitmap(kW, kH, {128, 128, 128, 255});
        cell->SetImages({0, 0, kW, kH}, normal, normal, down, normal);
        cell->SetTintSources({0, 0, kW, kH}, normal, normal);
        return cell;
    }

    std::unique_ptr<Canvas> Render(HWND cell)
    {
        auto canvas = std::make_unique<Canvas>(kW, kH);
        PrintClient(cell, *canvas);
        return canvas;
    }

    CRecordingParent parent;
};

} // namespace

TEST_F(SwatchTest, TintMultipliesEachChannelByTheCellsColour)
{
    const struct {
        int r, g, b;
        Bgra face, tinted;
    } table[] = {
        {255, 0, 0, {100, 100, 100, 255}, {0, 0, 100, 255}},
        {255, 255, 255, {10, 20, 30, 200}, {10, 20, 30, 200}},
        {0, 0, 0, {10, 20, 30, 200}, {0, 0, 0, 200}},
        {128, 128, 128, {255, 255, 255, 255}, {128, 128, 128, 255}}, // 255 * 0.50196 truncated
        {1, 2, 3, {255, 255, 255, 255}, {3, 2, 1, 255}},
        {100, 200, 50, {77, 77, 77, 77}, {15, 60, 30, 77}}, // 77*50/255 = 15.09, 77*200/255 = 60.39, 30.19
    };
    std::vector<Bgra> row;
    for (const auto& r : table)
        row.push_back(r.face);
    auto cell = MakeCell(row);
    for (size_t i = 0; i < std::size(table); ++i) {
        cell->SetColor(table[i].r, table[i].g, table[i].b);
        EXPECT_EQ(DibPixel(cell->TintedNormal(), static_cast<int>(i), 0), table[i].tinted) << "row " << i;
    }
}

TEST_F(SwatchTest, EachColourTintsTheFacesAfresh)
{
    auto cell = MakeCell({{200, 200, 200, 255}});
    cell->SetColor(128, 128, 128);
    cell->SetColor(128, 128, 128);
    EXPECT_EQ(DibPixel(cell->TintedNormal(), 0, 0), (Bgra{100, 100, 100, 255}));
    EXPECT_EQ(DibPixel(cell->TintedDown(), 0, 0), (Bgra{64, 64, 64, 255})) << "the down face is tinted too";
}

TEST_F(SwatchTest, GetColorGivesTheColourReference)
{
    auto cell = MakeCell();
    cell->SetColor(1, 2, 3);
    EXPECT_EQ(cell->GetColor(), RGB(1, 2, 3));
    cell->SetColor(300, -5, 255);
    EXPECT_EQ(cell->GetColor(), RGB(255, 0, 255));
}

TEST_F(SwatchTest, DrawsTheTintedFaceOverTheBackgroundAndTheSelectedOneWhenSelected)
{
    auto cell = MakeCell();
    const Bitmap background = MakeSolidBitmap(200, 200, kYellow);
    cell->SetBackground(20, 20, 20 + kW, 20 + kH, background);
    cell->SetColor(0, 0, 255);
    EXPECT_EQ(Render(*cell)->At(kW - 2, kH / 2), (Bgra{255, 0, 0, 255}));
    cell->SetSelected(true);
    EXPECT_EQ(Render(*cell)->At(kW - 2, kH / 2), (Bgra{128, 0, 0, 255}));
}

TEST_F(SwatchTest, CaptionColourFollowsPressSelectionAndHover)
{
    const SkinFontScope font(L"Segoe UI");
    constexpr COLORREF kNormal = RGB(200, 0, 0), kHover = RGB(0, 200, 0), kDown = RGB(0, 0, 200);
    auto cell = MakeCell();
    cell->SetColor(0, 0, 0);
    cell->SetTextColors(kNormal, kHover, kDown);
    cell->SetCaption(L"\u2588\u2588");
    const RECT all{0, 0, kW, kH};
    EXPECT_GT(Render(*cell)->Count(kNormal, all), 20);
    EXPECT_EQ(Render(*cell)->Count(kNormal, {0, 0, 5, kH}), 0) << "the caption starts 5 pixels in";

    cell->SetState(true);
    EXPECT_GT(Render(*cell)->Count(kDown, all), 20);
    cell->SetState(false);

    cell->SendMessage(WM_MOUSEMOVE, 0, PointParam(5, 5));
    ASSERT_TRUE(cell->IsHovered());
    EXPECT_GT(Render(*cell)->Count(kHover, all), 20);
    cell->SetSelected(true);
    EXPECT_GT(Render(*cell)->Count(kDown, all), 20);
    ::ReleaseCapture();
}

TEST_F(SwatchTest, ReleasesAreReportedAtMostOnceIn500Milliseconds)
{
    auto cell = MakeCell();
    auto click = [&] {
        cell->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5));
        cell->SendMessage(WM_LBUTTONUP, 0, PointParam(5, 5));
    };
    const ULONGLONG firstClick = ::GetTickCount64();
    click();
    ASSERT_EQ(parent.Count(WM_COMMAND), 1u) << "reported on release, not on press";
    EXPECT_EQ(parent.recorded[0].wParam, MAKEWPARAM(kId, BN_CLICKED));
    EXPECT_EQ(parent.recorded[0].lParam, reinterpret_cast<LPARAM>(cell->m_hWnd));

    // Clicks from then on until one is reported: however slow the machine, the report that
    // follows comes only once more than the guard has passed since the first click.
    constexpr ULONGLONG kGuardMs = 500;
    ULONGLONG reportedAfter = 0;
    EXPECT_TRUE(poll::Until([&] {
        click();
        reportedAfter = ::GetTickCount64() - firstClick;
        return parent.Count(WM_COMMAND) > 1;
    }));
    EXPECT_EQ(parent.Count(WM_COMMAND), 2u);
    EXPECT_GT(reportedAfter, kGuardMs);
    EXPECT_FALSE(cell->GetState() & BST_PUSHED);
}

TEST_F(SwatchTest, ThePointerEnteringIsReportedToTheOwner)
{
    auto cell = MakeCell();
    cell->SendMessage(WM_MOUSEMOVE, 0, PointParam(5, 5));
    EXPECT_EQ(::GetCapture(), cell->m_hWnd);
    CRecordingParent::Pump();
    const auto reports = parent.Take(WM_SWATCH_ENTER);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].wParam, kId);
    EXPECT_EQ(reports[0].lParam, reinterpret_cast<LPARAM>(cell->m_hWnd));

    cell->SendMessage(WM_MOUSEMOVE, 0, PointParam(6, 5)); // already in: no second report
    CRecordingParent::Pump();
    EXPECT_EQ(parent.Count(WM_SWATCH_ENTER), 1u);
    ::ReleaseCapture();
}

TEST_F(SwatchTest, SelectionRepaintsOnlyOnAChangeAndGroupsIgnoreStrangers)
{
    CColorBtn2 row[3];
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(
            row[i].Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, {10 + 40 * i, 10, 40 + 40 * i, 40}, parent, 0));
    EXPECT_EQ(SelectInGroup(row, row[1].m_hWnd), 1);
    ::ValidateRect(row[1], nullptr);
    row[1].SetSelected(true);
    RECT dirty{};
    EXPECT_FALSE(::GetUpdateRect(row[1], &dirty, FALSE));

    EXPECT_EQ(SelectInGroup(row, parent.m_hWnd), -1);
    EXPECT_FALSE(row[0].IsSelected());
    EXPECT_TRUE(row[1].IsSelected());
}

TEST_F(SwatchTest, SetUpKeepsTheCursorAndDropsTheParentDc)
{
    auto cell = MakeCell();
    EXPECT_EQ(
        cell->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(cell->m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
        TRUE);
    EXPECT_FALSE(::GetClassLongPtrW(*cell, GCL_STYLE) & CS_PARENTDC);
    EXPECT_EQ(cell->GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
}
