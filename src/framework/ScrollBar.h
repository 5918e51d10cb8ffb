// CScrollBar: the system SCROLLBAR control and the standard scroll functions on it.
#pragma once

#include "framework/Wnd.h"

class CScrollBar : public CWnd {
public:
    bool Create(DWORD style, const RECT& rect, HWND parent, UINT id)
    {
        return CreateEx(0, L"SCROLLBAR", L"", style, rect, parent, id);
    }

    int SetScrollPos(int pos, bool redraw = true) const noexcept { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
    int GetScrollPos() const noexcept { return ::GetScrollPos(m_hWnd, SB_CTL); }
    void SetScrollRange(int minPos, int maxPos, bool redraw = true) const noexcept
    {
        ::SetScrollRange(m_hWnd, SB_CTL, minPos, maxPos, redraw);
    }
    int SetScrollInfo(SCROLLINFO* info, bool redraw = true) const noexcept
    {
        return ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw);
    }
    bool GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) const noexcept
    {
        info->cbSize = sizeof(SCROLLINFO);
        info->fMask = mask;
        return ::GetScrollInfo(m_hWnd, SB_CTL, info) != FALSE;
    }
};
