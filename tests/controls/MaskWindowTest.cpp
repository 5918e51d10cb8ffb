// The mask window over a real framed owner: where it lies, how it looks, that there is never
// more than one, and that the pointer reaches the owner through it.
#include "controls/MaskWindow.h"
#include "framework/Handles.h"
#include "framework/WndClass.h"

#include "ImageFiles.h"
#include "Poll.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr BYTE kMaskAlpha = 150;

// A framed, visible, active top-level window that records the clicks it gets.
class CMaskedOwner : public CWnd {
public:
    CMaskedOwner()
    {
        const std::wstring windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        CreateEx(0, windowClass.c_str(), L"masked owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 500, 400},
                 nullptr, 0);
        ::SetForegroundWindow(m_hWnd);
        ::UpdateWindow(m_hWnd);
    }

    int clicks = 0;

    // The client area in screen coordinates.
    RECT ScreenClient() const
    {
        RECT r = GetClientRect();
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN)
            ++clicks;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The top-level windows of this thread that owner owns.
std::vector<HWND> OwnedWindows(HWND owner)
{
    struct Search {
        HWND owner;
        std::vector<HWND> found;
    } search{owner, {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND wnd, LPARAM param) {
            auto* s = reinterpret_cast<Search*>(param);
            if (::GetWindow(wnd, GW_OWNER) == s->owner)
                s->found.push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ExpectSameRect(const RECT& actual, const RECT& expected)
{
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

TEST(MaskWindow, CoversTheOwnersClientAreaWithADarkLayer)
{
    CMaskedOwner owner;
    CMaskWindow mask;
    ASSERT_TRUE(mask.Show(owner.m_hWnd));
    ::UpdateWindow(mask.m_hWnd);

    const RECT client = owner.ScreenClient();
    ASSERT_NE(owner.GetWindowRect().top, client.top) << "the owner has a frame to leave uncovered";
    ExpectSameRect(mask.GetWindowRect(), client);
    EXPECT_TRUE(mask.IsWindowVisible());
    EXPECT_EQ(::GetWindow(mask.m_hWnd, GW_OWNER), owner.m_hWnd);
    EXPECT_EQ(mask.GetStyle() & (WS_POPUP | WS_CHILD | WS_CAPTION), DWORD(WS_POPUP));
    EXPECT_EQ(mask.GetExStyle() & (WS_EX_LAYERED | WS_EX_TRANSPARENT), DWORD(WS_EX_LAYERED | WS_EX_TRANSPARENT));
    EXPECT_EQ(::GetClassLongPtrW(mask.m_hWnd, GCL_STYLE), LONG_PTR(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));

    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(mask.m_hWnd, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, kMaskAlpha);
    EXPECT_EQ(flags, DWORD(LWA_ALPHA));

    Canvas face(8, 8);
    {
        WindowDc window(mask.m_hWnd);
        ::BitBlt(face.dc(), 0, 0, 8, 8, window, 100, 100, SRCCOPY);
    }
    EXPECT_EQ(face.Count(RGB(0, 0, 0), {0, 0, 8, 8}), 64) << "the layer is black";
}

// The mask covers the active window without taking the activation from it (the popup shown
// above the mask takes it next, and hands it back to the owner).
TEST(MaskWindow, LeavesTheActivationWithItsOwner)
{
    CMaskedOwner owner;
    ASSERT_EQ(::GetActiveWindow(), owner.m_hWnd);
    CMaskWindow mask;
    ASSERT_TRUE(mask.Show(owner.m_hWnd));
    EXPECT_EQ(::GetActiveWindow(), owner.m_hWnd);
}

TEST(MaskWindow, ThereIsNeverMoreThanOneMask)
{
    CMaskedOwner owner;
    {
        CMaskWindow mask;
        ASSERT_TRUE(mask.Show(owner.m_hWnd));
        ASSERT_TRUE(mask.Show(owner.m_hWnd));
        EXPECT_EQ(OwnedWindows(owner.m_hWnd), std::vector<HWND>{mask.m_hWnd});

        mask.Hide();
        EXPECT_EQ(mask.m_hWnd, nullptr);
        EXPECT_TRUE(OwnedWindows(owner.m_hWnd).empty());

        ASSERT_TRUE(mask.Show(owner.m_hWnd));
    }
    EXPECT_TRUE(OwnedWindows(owner.m_hWnd).empty()) << "the mask goes with its object";
}

TEST(MaskWindow, InvalidOwnerLeavesNoMask)
{
    CMaskedOwner owner;
    HWND gone = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::DestroyWindow(gone);

    CMaskWindow mask;
    EXPECT_FALSE(mask.Show(nullptr));
    EXPECT_FALSE(mask.Show(gone));
    ASSERT_TRUE(mask.Show(owner.m_hWnd));
    EXPECT_FALSE(mask.Show(gone)) << "a failed Show still removes the mask shown before";
    EXPECT_EQ(mask.m_hWnd, nullptr);
    EXPECT_TRUE(OwnedWindows(owner.m_hWnd).empty());
}

TEST(MaskWindow, StaysWhereItWasPlacedAndLetsClicksThrough)
{
    CMaskedOwner owner;
    CMaskWindow mask;
    ASSERT_TRUE(mask.Show(owner.m_hWnd));
    const RECT placed = mask.GetWindowRect();

    const RECT client = owner.ScreenClient();
    const POINT centre{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    EXPECT_EQ(::WindowFromPoint(centre), owner.m_hWnd) << "the pointer sees the owner through the mask";
    ::SetCursorPos(centre.x, centre.y);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, click, sizeof(INPUT));
    EXPECT_TRUE(poll::PumpUntil([&] { return owner.clicks > 0; }))
        << "a real click on the masked area reaches the owner";
    EXPECT_EQ(owner.clicks, 1);

    const RECT ownerRect = owner.GetWindowRect();
    ::SetWindowPos(owner.m_hWnd, nullptr, ownerRect.left + 50, ownerRect.top + 30, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ExpectSameRect(mask.GetWindowRect(), placed);
}

} // namespace
