// The skinned scroll bar as a real child window: the scroll functions, the face drawn from
// the program's cell sheet, held arrows and page areas with their real repeat timers, thumb
// drags, hover and leave, and what it does with malformed requests.
#include "controls/SkinScrollBar.h"
#include "framework/Handles.h"
#include "framework/WndClass.h"

#include "resource.h"

#include "ImageFiles.h"
#include "Poll.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kCell = 9; // the sheet is 81 x 27: 9 x 3 cells of 9 x 9
constexpr UINT kBarId = 101;
constexpr int kLength = 118; // arrows of 9 and a track of 100
// A held arrow or page area repeats first after 500 ms, then every 100 ms.
constexpr milliseconds kPastFirstRepeat(650);
constexpr milliseconds kRepeat(100);

// Sheet columns and rows, as the bar uses them.
constexpr int kFirstArrow = 0;
constexpr int kSecondArrow = 1;
constexpr int kThumb = 2;
constexpr int kTrack = 3;
constexpr int kHorizontal = 4;
constexpr int kNormal = 0;
constexpr int kHot = 1;
constexpr int kPressed = 2;

struct ScrollReport {
    UINT message;
    int code;
    int position;
    HWND bar;
    Clock::time_point at;
};

// Runs this thread's message loop for a while, so timers fire and posted messages arrive.
// Counts WM_TIMER messages of no window: a timer set on a window that is already gone.
int g_threadTimers = 0;
// A timer of the test's own, and whether it has fired.
constexpr UINT_PTR kWitnessTimer = 0x5EE;
bool g_witnessFired = false;

void PumpFor(milliseconds span)
{
    const Clock::time_point end = Clock::now() + span;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            g_threadTimers += msg.message == WM_TIMER && msg.hwnd == nullptr;
            g_witnessFired |= msg.message == WM_TIMER && msg.wParam == kWitnessTimer;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        const Clock::time_point now = Clock::now();
        if (now >= end)
            return;
        const auto left = std::chrono::duration_cast<milliseconds>(end - now).count();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
    }
}

constexpr milliseconds kPumpStep(10);

// Pumps until the condition holds, within a generous limit.
template <class Condition>
bool PumpUntil(Condition condition)
{
    return poll::Until([&] {
        PumpFor(kPumpStep);
        return condition();
    });
}

// Pumps until a timer of the test's own on the window, due `after` from now, has fired. Timers
// fire in the order they fall due: what a bar's timer due earlier would do has been done by then.
bool PumpPast(HWND wnd, milliseconds after)
{
    g_witnessFired = false;
    ::SetTimer(wnd, kWitnessTimer, static_cast<UINT>(after.count()), nullptr);
    const bool fired = PumpUntil([] { return g_witnessFired; });
    ::KillTimer(wnd, kWitnessTimer);
    return fired;
}

// A visible top-level window that owns scroll bars the way the drop-down list does: it
// records every scroll request and answers by moving the bar's position.
class CScrollOwner : public CWnd {
public:
    CScrollOwner()
    {
        const std::wstring windowClass = AfxRegisterWndClass(0, nullptr);
        CreateEx(0, windowClass.c_str(), L"scroll bar owner", WS_POPUP | WS_VISIBLE, {0, 0, 300, 300}, nullptr, 0);
    }

    std::vector<ScrollReport> reports;
    // Runs after the owner has answered a request.
    std::function<void(const ScrollReport&)> onReport;

    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const ScrollReport& r : reports)
            codes.push_back(r.code);
        return codes;
    }

    // Pumps until no request has come for `quiet`, or until `limit`.
    void PumpUntilQuiet(milliseconds quiet, milliseconds limit)
    {
        const Clock::time_point end = Clock::now() + limit;
        size_t seen = reports.size();
        Clock::time_point lastChange = Clock::now();
        while (Clock::now() < end && Clock::now() - lastChange < quiet) {
            PumpFor(milliseconds(20));
            if (reports.size() != seen) {
                seen = reports.size();
                lastChange = Clock::now();
            }
        }
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_VSCROLL || message == WM_HSCROLL) {
            const ScrollReport report{message, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam),
                                      Clock::now()};
            reports.push_back(report);
            Answer(report);
            if (onReport)
                onReport(report);
            return 0;
        }
        if (message == WM_ERASEBKGND)
            return TRUE;
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    static void Answer(const ScrollReport& report)
    {
        SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
        ::GetScrollInfo(report.bar, SB_CTL, &info);
        int position = info.nPos;
        switch (report.code) {
        case SB_LINEUP:
            position -= 1;
            break;
        case SB_LINEDOWN:
            position += 1;
            break;
        case SB_PAGEUP:
            position -= static_cast<int>(info.nPage);
            break;
        case SB_PAGEDOWN:
            position += static_cast<int>(info.nPage);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = report.position;
            break;
        default:
            return;
        }
        const int last = std::max(info.nMin, info.nMax - static_cast<int>(info.nPage) + 1);
        ::SetScrollPos(report.bar, SB_CTL, std::clamp(position, info.nMin, last), TRUE);
    }
};

class SkinScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The real pointer stays out of the way: the bar sees only the test's messages.
        ::SetCursorPos(1590, 990);
        const HINSTANCE program = ::GetModuleHandleW(nullptr);
        sheet.reset(static_cast<HBITMAP>(
            ::LoadImageW(program, MAKEINTRESOURCEW(IDB_SCROLLBAR_SHEET), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        ASSERT_TRUE(sheet);
        g_threadTimers = 0;
    }

    void CreateBar(DWORD orientation = SBS_VERT, int length = kLength)
    {
        const RECT rect = orientation == SBS_VERT ? RECT{20, 20, 32, 20 + length} : RECT{20, 20, 20 + length, 32};
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | orientation, rect, owner.m_hWnd, kBarId));
        bar.SetBitmap(sheet.get());
    }

    void SetState(int minimum, int maximum, int page, int position)
    {
        SCROLLINFO info{
            sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, minimum, maximum, static_cast<UINT>(page), position, 0};
        bar.SetScrollInfo(&info);
    }

    void Send(UINT message, int x, int y)
    {
        bar.SendMessage(message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    void Press(int x, int y) { Send(WM_LBUTTONDOWN, x, y); }
    void MoveTo(int x, int y) { Send(WM_MOUSEMOVE, x, y); }
    void Release(int x, int y) { Send(WM_LBUTTONUP, x, y); }

    int TrackPosition()
    {
        SCROLLINFO info{};
        bar.GetScrollInfo(&info, SIF_TRACKPOS);
        return info.nTrackPos;
    }

    // The face as the bar paints it, through WM_PRINTCLIENT.
    void Print(Canvas& face) { bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(face.dc()), PRF_CLIENT); }
    // The face as it stands on screen, drawn by the bar's own handlers.
    void ReadScreen(Canvas& face)
    {
        WindowDc window(bar.m_hWnd);
        ::BitBlt(face.dc(), 0, 0, face.width(), face.height(), window, 0, 0, SRCCOPY);
    }

    Bgra SheetPixel(int x, int y) const
    {
        Bgra p = DibPixel(sheet.get(), x, y);
        p.a = 0;
        return p;
    }

    // True when the face's line of pixels across the bar at `along` is one of the lines of the
    // sheet cell (column, row); line, when given, picks which one.
    bool LineIsFromCell(const Canvas& face, bool vertical, int along, int column, int row, int line = -1) const
    {
        for (int k = 0; k < kCell; ++k) {
            if (line >= 0 && k != line)
                continue;
            bool same = true;
            for (int across = 0; across < kCell && same; ++across) {
                Bgra p = vertical ? face.At(across, along) : face.At(along, across);
                p.a = 0;
                const Bgra s = vertical ? SheetPixel(column * kCell + across, row * kCell + k)
                                        : SheetPixel(column * kCell + k, row * kCell + across);
                same = p == s;
            }
            if (same)
                return true;
        }
        return false;
    }

    // How many lines of [begin, end) come from the cell; a segment drawn from it counts them all.
    int LinesFromCell(const Canvas& face, bool vertical, int begin, int end, int column, int row) const
    {
        int count = 0;
        for (int along = begin; along < end; ++along)
            count += LineIsFromCell(face, vertical, along, column, row);
        return count;
    }

    GdiBitmap sheet;
    CScrollOwner owner;
    CSkinScrollBar bar;
};

TEST_F(SkinScrollBarTest, SheetMakesTheBarOneCellThickAtTheSamePlace)
{
    CreateBar(SBS_VERT);
    RECT r = bar.GetWindowRect();
    ::MapWindowPoints(nullptr, owner.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right - r.left, kCell);
    EXPECT_EQ(r.bottom - r.top, kLength);

    CSkinScrollBar horizontal;
    ASSERT_TRUE(horizontal.Create(WS_CHILD | SBS_HORZ, {40, 200, 140, 212}, owner.m_hWnd, kBarId));
    horizontal.SetBitmap(sheet.get());
    r = horizontal.GetWindowRect();
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(r.bottom - r.top, kCell);
}

TEST_F(SkinScrollBarTest, ScrollFunctionsKeepTheBarsOwnState)
{
    CreateBar();
    SetState(0, 19, 5, 7);
    SCROLLINFO info{};
    ASSERT_TRUE(bar.GetScrollInfo(&info, SIF_ALL));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 19);
    EXPECT_EQ(info.nPage, 5u);
    EXPECT_EQ(info.nPos, 7);
    EXPECT_EQ(info.nTrackPos, -1) << "no drag in progress";

    // Stored as given, without the system's clamping.
    bar.SetScrollPos(40);
    EXPECT_EQ(bar.GetScrollPos(), 40);
    bar.SetScrollRange(3, 30);
    int minimum = 0;
    int maximum = 0;
    ::GetScrollRange(bar.m_hWnd, SB_CTL, &minimum, &maximum);
    EXPECT_EQ(minimum, 3);
    EXPECT_EQ(maximum, 30);
    EXPECT_EQ(bar.GetScrollPos(), 40);
}

TEST_F(SkinScrollBarTest, FaceIsDrawnFromTheSheetCells)
{
    const struct {
        const char* name;
        DWORD orientation;
        int length;
        int minimum, maximum, page, position;
        int thumbBegin, thumbEnd; // equal when no thumb is shown
    } table[] = {
        {"thumb 40 long at position 3", SBS_VERT, kLength, 0, 9, 4, 3, 39, 79},
        {"range 0..9 with page 10: track only", SBS_VERT, kLength, 0, 9, 10, 0, 59, 59},
        {"track of 11 pixels: no thumb", SBS_VERT, 29, 0, 99, 10, 50, 15, 15},
        {"horizontal bar", SBS_HORZ, kLength, 0, 9, 4, 3, 39, 79},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        CreateBar(row.orientation, row.length);
        SetState(row.minimum, row.maximum, row.page, row.position);
        const bool vertical = row.orientation == SBS_VERT;
        const int shift = vertical ? 0 : kHorizontal;
        Canvas face(vertical ? kCell : row.length, vertical ? row.length : kCell);
        Print(face);

        const int last = row.length - kCell;
        EXPECT_EQ(LinesFromCell(face, vertical, 0, kCell, kFirstArrow + shift, kNormal), kCell);
        EXPECT_EQ(LinesFromCell(face, vertical, kCell, row.thumbBegin, kTrack + shift, kNormal),
                  row.thumbBegin - kCell);
        EXPECT_EQ(LinesFromCell(face, vertical, row.thumbBegin, row.thumbEnd, kThumb + shift, kNormal),
                  row.thumbEnd - row.thumbBegin);
        EXPECT_EQ(LinesFromCell(face, vertical, row.thumbEnd, last, kTrack + shift, kNormal), last - row.thumbEnd);
        EXPECT_EQ(LinesFromCell(face, vertical, last, row.length, kSecondArrow + shift, kNormal), kCell);
        if (row.thumbEnd > row.thumbBegin) {
            EXPECT_TRUE(LineIsFromCell(face, vertical, row.thumbBegin, kThumb + shift, kNormal, 0)) << "rounded start";
            EXPECT_TRUE(LineIsFromCell(face, vertical, row.thumbEnd - 1, kThumb + shift, kNormal, kCell - 1))
                << "rounded end";
        }
        bar.DestroyWindow();
    }
}

TEST_F(SkinScrollBarTest, HeldFirstArrowAtTheMinimumSendsOneLineUp)
{
    CreateBar();
    SetState(0, 99, 10, 0);
    Press(4, 4);
    ASSERT_TRUE(PumpPast(owner.m_hWnd, kPastFirstRepeat));
    Release(4, 4);
    EXPECT_EQ(owner.Codes(), std::vector<int>{SB_LINEUP}) << "the press only: no repeat at the minimum";
    EXPECT_EQ(owner.reports[0].message, UINT(WM_VSCROLL));
    EXPECT_EQ(owner.reports[0].bar, bar.m_hWnd);
}

TEST_F(SkinScrollBarTest, HeldPageAreaRepeatsUntilTheThumbReachesThePointer)
{
    // Range 0..99, page 10: a 12-pixel thumb steps about 10 pixels a page. The pointer at 89
    // lies under the thumb once the position is 80, after eight pages.
    CreateBar();
    SetState(0, 99, 10, 0);
    Press(4, 89);
    owner.PumpUntilQuiet(milliseconds(650), milliseconds(4000));
    Release(4, 89);

    ASSERT_EQ(owner.Codes(), std::vector<int>(8, SB_PAGEDOWN));
    EXPECT_EQ(bar.GetScrollPos(), 80);
    const auto gap = [&](size_t i) {
        return std::chrono::duration_cast<milliseconds>(owner.reports[i].at - owner.reports[i - 1].at).count();
    };
    EXPECT_GE(gap(1), 450) << "the first repeat waits 500 ms";
    for (size_t i = 2; i < owner.reports.size(); ++i) {
        EXPECT_GE(gap(i), 80) << "repeat " << i;
        EXPECT_LT(gap(i), gap(1)) << "repeat " << i << " comes at the faster pace";
    }
}

TEST_F(SkinScrollBarTest, PointerOffAHeldArrowSuspendsItsRepeats)
{
    CreateBar();
    SetState(0, 99, 10, 0);
    Canvas face(kCell, kLength);
    Press(4, 113);
    MoveTo(4, 60);
    ASSERT_TRUE(PumpPast(owner.m_hWnd, kPastFirstRepeat + kRepeat));
    EXPECT_EQ(owner.Codes(), std::vector<int>{SB_LINEDOWN}) << "nothing while the pointer is off the arrow";
    Print(face);
    EXPECT_EQ(LinesFromCell(face, true, 109, kLength, kSecondArrow, kNormal), kCell) << "drawn released while off";

    MoveTo(4, 113);
    Print(face);
    EXPECT_EQ(LinesFromCell(face, true, 109, kLength, kSecondArrow, kPressed), kCell) << "drawn pressed again";
    EXPECT_TRUE(PumpUntil([&] { return owner.reports.size() >= 2; }))
        << "the 100 ms repeat kept running and resumes at once";

    Release(4, 113);
    const size_t released = owner.reports.size();
    ASSERT_TRUE(PumpPast(owner.m_hWnd, 3 * kRepeat));
    EXPECT_EQ(owner.reports.size(), released) << "the release stops the repeat";
}

TEST_F(SkinScrollBarTest, DoubleClickOnAnArrowStepsOnce)
{
    // Real clicks: the system turns the second press into WM_LBUTTONDBLCLK.
    CreateBar();
    SetState(0, 99, 10, 5);
    POINT arrow{4, 113};
    ::ClientToScreen(bar.m_hWnd, &arrow);
    ::SetCursorPos(arrow.x, arrow.y);
    INPUT clicks[4]{};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    ::SendInput(4, clicks, sizeof(INPUT));
    // Then a click on the page area below the thumb, whose report comes after all of the
    // double click's.
    POINT page{4, 60};
    ::ClientToScreen(bar.m_hWnd, &page);
    ::SetCursorPos(page.x, page.y);
    ::SendInput(2, clicks, sizeof(INPUT));
    ASSERT_TRUE(PumpUntil([&] { return owner.reports.size() >= 2; }));
    EXPECT_EQ(owner.Codes(), (std::vector<int>{SB_LINEDOWN, SB_PAGEDOWN}));
    EXPECT_EQ(bar.GetScrollPos(), 16) << "one line, then one page";
}

TEST_F(SkinScrollBarTest, DraggedThumbFollowsThePointerWithinTheRange)
{
    // Range 0..99, page 10: the thumb is 12 pixels at [9, 21) and travels 88 pixels.
    CreateBar();
    SetState(0, 99, 10, 0);
    Canvas face(kCell, kLength);
    Press(4, 12);
    EXPECT_TRUE(owner.reports.empty()) << "pressing the thumb sends nothing";
    EXPECT_EQ(TrackPosition(), 0);

    MoveTo(4, 40);
    EXPECT_EQ(TrackPosition(), 28);
    Print(face);
    EXPECT_EQ(LinesFromCell(face, true, 36, 48, kThumb, kPressed), 12) << "the dragged thumb is drawn pressed";

    MoveTo(4, 500);
    MoveTo(4, 600);
    MoveTo(4, -300);
    MoveTo(4, 500);
    bar.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(TrackPosition(), 90) << "leaving the window under the capture does not move the thumb";
    Release(4, 500);

    const std::vector<int> codes{SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBPOSITION};
    ASSERT_EQ(owner.Codes(), codes);
    std::vector<int> positions;
    for (const ScrollReport& r : owner.reports)
        positions.push_back(r.position);
    EXPECT_EQ(positions, (std::vector<int>{28, 90, 0, 90, 90})) << "the drag stops at R - page + 1";
    EXPECT_EQ(TrackPosition(), -1);
    EXPECT_EQ(bar.GetScrollPos(), 90);
    Print(face);
    EXPECT_EQ(LinesFromCell(face, true, 97, 109, kThumb, kNormal), 12) << "the thumb stays where it was dropped";
    EXPECT_EQ(LinesFromCell(face, true, 9, 97, kTrack, kNormal), 88);
}

TEST_F(SkinScrollBarTest, PointerLightsArrowsAndThumbOnScreenUntilItLeaves)
{
    CreateBar();
    SetState(0, 9, 4, 3); // thumb at [39, 79)
    Canvas face(kCell, kLength);

    MoveTo(4, 4);
    ReadScreen(face);
    EXPECT_EQ(LinesFromCell(face, true, 0, kCell, kFirstArrow, kHot), kCell);

    MoveTo(4, 50);
    ReadScreen(face);
    EXPECT_EQ(LinesFromCell(face, true, 0, kCell, kFirstArrow, kNormal), kCell);
    EXPECT_EQ(LinesFromCell(face, true, 39, 79, kThumb, kHot), 40);

    MoveTo(4, 20);
    ReadScreen(face);
    EXPECT_EQ(LinesFromCell(face, true, 39, 79, kThumb, kNormal), 40) << "page areas light nothing";

    MoveTo(4, 113);
    bar.SendMessage(WM_MOUSELEAVE);
    ReadScreen(face);
    EXPECT_EQ(LinesFromCell(face, true, 109, kLength, kSecondArrow, kNormal), kCell);
}

TEST_F(SkinScrollBarTest, LosingTheCaptureEndsAHeldArrow)
{
    CreateBar();
    SetState(0, 99, 10, 0);
    Press(4, 113);
    ::SetCapture(owner.m_hWnd);
    ASSERT_TRUE(PumpPast(owner.m_hWnd, kPastFirstRepeat));
    ::ReleaseCapture();
    EXPECT_EQ(owner.Codes(), std::vector<int>{SB_LINEDOWN}) << "no repeat outlives the press";
    Canvas face(kCell, kLength);
    Print(face);
    EXPECT_EQ(LinesFromCell(face, true, 109, kLength, kSecondArrow, kNormal), kCell);
}

TEST_F(SkinScrollBarTest, OwnerMayDestroyTheBarWhileAPressIsReported)
{
    CreateBar();
    SetState(0, 99, 10, 0);
    owner.onReport = [this](const ScrollReport&) { bar.DestroyWindow(); };
    Press(4, 113);
    ASSERT_TRUE(PumpPast(owner.m_hWnd, kPastFirstRepeat));
    EXPECT_EQ(owner.reports.size(), 1u);
    EXPECT_EQ(bar.m_hWnd, nullptr);
    EXPECT_EQ(g_threadTimers, 0) << "no repeat timer was started for a window that is gone";
}

TEST_F(SkinScrollBarTest, MalformedRequestsAreRefused)
{
    CreateBar();
    SetState(0, 19, 5, 7);
    EXPECT_EQ(bar.SendMessage(SBM_SETSCROLLINFO, TRUE, 0), 0);
    EXPECT_EQ(bar.SendMessage(SBM_GETSCROLLINFO, 0, 0), 0);
    SCROLLINFO bogus{1, SIF_ALL, 50, 60, 70, 80, 90};
    EXPECT_EQ(bar.SendMessage(SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&bogus)), 0);
    EXPECT_EQ(bar.GetScrollPos(), 7) << "a SCROLLINFO of unknown size changes nothing";
    bar.SendMessage(SBM_GETRANGE, 0, 0);

    // A caller whose SCROLLINFO ends before nTrackPos gets nothing written past its end.
    SCROLLINFO shortInfo{offsetof(SCROLLINFO, nTrackPos), SIF_ALL, 0, 0, 0, 0, 12345};
    EXPECT_EQ(bar.SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&shortInfo)), 1);
    EXPECT_EQ(shortInfo.nPos, 7);
    EXPECT_EQ(shortInfo.nTrackPos, 12345);

    // Nonsense state from the owner paints and answers the mouse without faulting.
    SetState(10, 4, 0x7FFFFFFF, -3);
    Canvas face(kCell, kLength);
    Print(face);
    Press(4, 60);
    MoveTo(4, 90);
    Release(4, 90);
    EXPECT_TRUE(::IsWindow(bar.m_hWnd));
}

} // namespace
