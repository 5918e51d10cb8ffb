// The labels the main window paints for each display: drawn over black into memory, each
// placement of the skin either shows white text or stays black.
#include "MainWindowFixture.h"

#include "ImageFiles.h"

#include "skin/DibOperations.h"
#include "skin/SkinFile.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <memory>
#include <set>

namespace {

// A copy of the program folder whose English skin moves the one label that shares its place
// with another ("LED_TEXT" 22 with 4), so every label can be seen on its own.
class Painting : public MainWindowFixture {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TempFolder;
        ASSERT_TRUE(CopyTestProgramFolder(s_folder->path()));
        ::WritePrivateProfileStringW(L"LED_TEXT", L"22", L"txt,700,8,90,24,Sensitivity,FALSE",
                                     (s_folder->path() + L"Lan\\skin_En.ini").c_str());
    }
    static void TearDownTestSuite()
    {
        delete s_folder;
        s_folder = nullptr;
    }
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        SetProgramFolderForTesting(s_folder->path());
        InitProgramFolder();
        AddDramModules(2, 8);
    }

    // The window's surface above the background, painted over black.
    std::unique_ptr<Canvas> Paint()
    {
        const RECT client = m_dialog->GetClientRect();
        auto canvas = std::make_unique<Canvas>(client.right, client.bottom);
        canvas->Fill({0, 0, 0, 0});
        Window().paintScreen(canvas->dc());
        return canvas;
    }

    static RECT PlacementOf(const wchar_t* section, int key)
    {
        return ToRect(ParseSkinPlacement(GetSkinString(section, std::to_wstring(key).c_str(), L"")).rect);
    }

    // Pixels in the placement that are lit at all (pictures), or white enough to be text.
    static bool Shows(const Canvas& canvas, const RECT& r, BYTE threshold)
    {
        for (int y = std::max(0L, r.top); y < std::min<LONG>(r.bottom, canvas.height()); ++y)
            for (int x = std::max(0L, r.left); x < std::min<LONG>(r.right, canvas.width()); ++x)
                if (const Bgra p = canvas.At(x, y); p.r > threshold && p.g > threshold && p.b > threshold)
                    return true;
        return false;
    }

    // The keys of "LED_TEXT" 0..24 whose placement shows text.
    std::set<int> PaintedLabels()
    {
        const auto canvas = Paint();
        std::set<int> painted;
        for (int key = 0; key <= 24; ++key)
            if (Shows(*canvas, PlacementOf(L"LED_TEXT", key), kTextThreshold))
                painted.insert(key);
        return painted;
    }
    bool ShowsSomething(const wchar_t* section, const wchar_t* key)
    {
        const RECT r = ToRect(ParseSkinPlacement(GetSkinString(section, key, L"")).rect);
        return Shows(*Paint(), r, 0);
    }

    static constexpr BYTE kTextThreshold = 128;
    static TempFolder* s_folder;
};

TempFolder* Painting::s_folder = nullptr;

using testing::ElementsAre;

} // namespace

TEST_F(Painting, NormalDisplayLabelsFollowTheMode)
{
    FirstRecord().mode = 4; // speed only
    Open();
    EXPECT_THAT(PaintedLabels(), ElementsAre(1, 2, 4));
    EXPECT_TRUE(ShowsSomething(L"MAIN_TEXT", L"VER"));

    PostSlider(kModeScrollId, 0);
    Click(Window().mode(5)); // speed and variant
    EXPECT_THAT(PaintedLabels(), ElementsAre(1, 2, 4, 6));

    Click(Window().mode(2)); // colours and speed
    EXPECT_THAT(PaintedLabels(), ElementsAre(1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 16));
}

TEST_F(Painting, MusicDisplayLabels)
{
    FirstRecord().mode = 4;
    Open();
    Click(Window().audioSwitch());
    EXPECT_THAT(PaintedLabels(), ElementsAre(1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 16, 22, 23, 24));
}

TEST_F(Painting, ExternalSynchronisationDisplayShowsItsPictures)
{
    m_block.sync_sw = 1;
    Open();
    EXPECT_THAT(PaintedLabels(), ElementsAre(1, 2));
    EXPECT_TRUE(ShowsSomething(L"MAINPIC", L"5"));
    EXPECT_TRUE(ShowsSomething(L"MAINPIC", L"6"));
    EXPECT_TRUE(ShowsSomething(L"MAIN_TEXT", L"VER"));
}

namespace {

// The dialog's own pixels in area, read back from its window.
std::unique_ptr<Canvas> ReadBack(HWND dialog, const RECT& area)
{
    auto canvas = std::make_unique<Canvas>(area.right - area.left, area.bottom - area.top);
    WindowDc dc(dialog);
    ::BitBlt(canvas->dc(), 0, 0, canvas->width(), canvas->height(), dc, area.left, area.top, SRCCOPY);
    return canvas;
}

} // namespace

// A piece repainted alone is composed at its own place: its pictures and labels land where a
// whole repaint puts them.
TEST_F(Painting, APieceRepaintedAloneMatchesTheWholeRepaint)
{
    m_block.sync_sw = 1;
    Open();
    const HWND dialog = m_dialog->m_hWnd;
    const RECT picture = PlacementOf(L"MAINPIC", 5);
    const RECT label = PlacementOf(L"LED_TEXT", 2);
    RECT piece{};
    ::UnionRect(&piece, &picture, &label);
    ::InflateRect(&piece, -(picture.right - picture.left) / 4, 0); // cut through both
    ASSERT_FALSE(::IsRectEmpty(&piece));

    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    const auto whole = ReadBack(dialog, piece);
    {
        WindowDc dc(dialog);
        const GdiBrush black(::CreateSolidBrush(0));
        ::FillRect(dc, &piece, black.get());
    }
    ::RedrawWindow(dialog, &piece, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    const auto alone = ReadBack(dialog, piece);

    int differing = 0;
    for (int y = 0; y < whole->height(); ++y)
        for (int x = 0; x < whole->width(); ++x)
            differing += !(RGB(whole->At(x, y).r, whole->At(x, y).g, whole->At(x, y).b) ==
                           RGB(alone->At(x, y).r, alone->At(x, y).g, alone->At(x, y).b));
    EXPECT_EQ(differing, 0);
    EXPECT_GT(whole->width() * whole->height() - whole->Count(0, {0, 0, whole->width(), whole->height()}), 0)
        << "the piece holds something to compare";
}

namespace {

// The window's surface in area, children's pixels included whatever the window's style.
std::unique_ptr<Canvas> ReadSurface(HWND dialog, const RECT& area)
{
    auto canvas = std::make_unique<Canvas>(area.right - area.left, area.bottom - area.top);
    const HDC dc = ::GetDCEx(dialog, nullptr, DCX_CACHE);
    ::BitBlt(canvas->dc(), 0, 0, canvas->width(), canvas->height(), dc, area.left, area.top, SRCCOPY);
    ::ReleaseDC(dialog, dc);
    return canvas;
}

int DifferingPixels(const Canvas& a, const Canvas& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += RGB(a.At(x, y).r, a.At(x, y).g, a.At(x, y).b) != RGB(b.At(x, y).r, b.At(x, y).g, b.At(x, y).b);
    return differing;
}

} // namespace

// The window's own paint leaves out its controls: a repaint of the window (a language change,
// a panel change, the window uncovered) never shows the bare background where a control
// stands until the control draws again, which is flicker.
TEST_F(Painting, TheWindowsOwnPaintLeavesItsControlsAlone)
{
    Open();
    const HWND dialog = m_dialog->m_hWnd;
    RECT apply = Window().apply().GetWindowRect();
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&apply), 2);
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const auto withControl = ReadSurface(dialog, apply);
    Canvas background(apply.right - apply.left, apply.bottom - apply.top);
    {
        MemoryDc source;
        SelectGuard select(source, Window().background());
        ::BitBlt(background.dc(), 0, 0, background.width(), background.height(), source, apply.left, apply.top,
                 SRCCOPY);
    }
    ASSERT_GT(DifferingPixels(*withControl, background), 0) << "the button shows more than the background";

    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    EXPECT_EQ(DifferingPixels(*ReadSurface(dialog, apply), *withControl), 0);
}
