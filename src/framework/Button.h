// CButton: the system BUTTON control; owner-drawn subclasses draw themselves in DrawItem.
#pragma once

#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    bool Create(LPCWSTR caption, DWORD style, const RECT& rect, HWND parent, UINT id)
    {
        return CreateEx(0, L"BUTTON", caption, style, rect, parent, id);
    }

    // Owner-drawn buttons paint here; the parent reflects WM_DRAWITEM to the button.
    virtual void DrawItem(DRAWITEMSTRUCT*) {}

    UINT GetState() const noexcept { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(bool highlight) const noexcept { SendMessage(BM_SETSTATE, highlight); }
    int GetCheck() const noexcept { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) const noexcept { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetButtonStyle() const noexcept { return GetStyle() & 0xFFFF; }

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message == WM_DRAWITEM) {
            DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            *result = TRUE;
            return TRUE;
        }
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    }
};
