// What the image sliders and the hue knob share as child windows: their window class and the
// value report they post to their parent.
#pragma once

#include "framework/WndClass.h"

#include <windows.h>

#include <string>

// A slider or knob proposes a value: wParam the value (already in range), lParam the control
// id. Posted, never sent, so the parent handles it after the control's handler has returned.
constexpr UINT WM_SLIDER_POS = WM_USER + 70;

inline void PostSliderPos(HWND parent, int value, UINT id) noexcept
{
    // A null window would turn the report into a message to the thread.
    if (parent)
        ::PostMessageW(parent, WM_SLIDER_POS, static_cast<WPARAM>(value), static_cast<LPARAM>(id));
}

// One class for every slider and knob: no class background (the controls erase nothing) and
// no double clicks, so a quick second click drags and reports like the first.
inline const std::wstring& SliderWindowClass()
{
    static const std::wstring name = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
    return name;
}
