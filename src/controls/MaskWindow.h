// CMaskWindow: a dark, click-through layer laid over a window's client area while a modal
// popup is shown above it.
#pragma once

#include "framework/Wnd.h"

#include <windows.h>

// The layer is an owned, layered pop-up (black at 150/255) that is also transparent to the
// mouse, so clicks reach the windows below, and never takes activation; the popup shown after
// it lies above it. It is placed once and does not follow later moves of its owner.
class CMaskWindow : public CWnd {
public:
    CMaskWindow() noexcept = default;
    ~CMaskWindow() override;

    // Covers owner's client area; TRUE when the mask is shown. A mask already shown is
    // removed first, so there is never more than one.
    BOOL Show(HWND owner);
    void Hide();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceOverOwner();
    void OnPaint();

    COLORREF m_colour = 0;
    UINT m_alpha = 0;
};
