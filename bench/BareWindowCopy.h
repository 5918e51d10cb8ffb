// BareWindowCopy: a plain window with plain children where a window has its children, none of them
// drawing anything. Repainting it costs what the platform charges for the windows alone, the floor
// under any repaint of the original.
#pragma once

#include <windows.h>

class BareWindowCopy {
public:
    explicit BareWindowCopy(HWND original);
    ~BareWindowCopy();
    BareWindowCopy(const BareWindowCopy&) = delete;
    BareWindowCopy& operator=(const BareWindowCopy&) = delete;

    HWND get() const noexcept { return m_wnd; }
    int ChildCount() const noexcept { return m_children; }

private:
    HWND m_wnd = nullptr;
    int m_children = 0;
};
