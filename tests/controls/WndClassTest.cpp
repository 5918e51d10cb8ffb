// Window classes registered on demand: one class per combination, reused when asked again.
#include "framework/WndClass.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

TEST(WndClass, RegistersEachCombinationOnceWithWhatWasAsked)
{
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    const HBRUSH black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    const std::wstring name = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW, arrow, black);
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW, arrow, black), name);
    EXPECT_NE(AfxRegisterWndClass(CS_DBLCLKS, arrow, black), name);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(::GetClassInfoExW(::GetModuleHandleW(nullptr), name.c_str(), &wc));
    EXPECT_EQ(wc.style, UINT(CS_DBLCLKS | CS_HREDRAW));
    EXPECT_EQ(wc.hCursor, arrow);
    EXPECT_EQ(wc.hbrBackground, black);

    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, name.c_str(), L"", WS_POPUP, {0, 0, 10, 10}, nullptr, 0));
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd) << "the object is bound to a window of the class";
}
