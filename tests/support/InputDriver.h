// Real input for end-to-end tests: the pointer moved and clicked, keys pressed and released,
// through SendInput, so the window under the pointer gets them as from a person.
#pragma once

#include <windows.h>

#include <string>

namespace input {

constexpr DWORD kSettleMs = 60; // lets the target's message loop take each step

// Lets the target process run: input goes through its queue, not ours.
inline void Settle(DWORD ms = kSettleMs)
{
    ::Sleep(ms);
}

inline void MoveTo(POINT screen)
{
    ::SetCursorPos(screen.x, screen.y);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &move, sizeof(INPUT));
    Settle();
}

inline void Button(DWORD flags)
{
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = flags;
    ::SendInput(1, &press, sizeof(INPUT));
    Settle();
}

// A point of a window's client area in screen coordinates.
inline POINT ClientToScreenPoint(HWND wnd, int x, int y)
{
    POINT p{x, y};
    ::ClientToScreen(wnd, &p);
    return p;
}

inline void ClickAt(HWND wnd, int x, int y)
{
    MoveTo(ClientToScreenPoint(wnd, x, y));
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
}

// Press at one client point, move to another in steps, release there.
inline void DragFromTo(HWND wnd, POINT from, POINT to, int steps = 8)
{
    MoveTo(ClientToScreenPoint(wnd, from.x, from.y));
    Button(MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= steps; ++i)
        MoveTo(ClientToScreenPoint(wnd, from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps));
    Button(MOUSEEVENTF_LEFTUP);
}

inline void Wheel(int notches)
{
    INPUT wheel{};
    wheel.type = INPUT_MOUSE;
    wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
    wheel.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
    ::SendInput(1, &wheel, sizeof(INPUT));
    Settle();
}

inline void Key(WORD virtualKey, bool up)
{
    INPUT key{};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = virtualKey;
    key.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &key, sizeof(INPUT));
    Settle();
}

inline void Tap(WORD virtualKey)
{
    Key(virtualKey, false);
    Key(virtualKey, true);
}

// Types text key by key with the virtual keys of the current layout, so the target sees
// WM_KEYDOWN, WM_CHAR and WM_KEYUP as from a keyboard.
inline void TypeText(const std::wstring& text)
{
    for (wchar_t c : text) {
        const SHORT scan = ::VkKeyScanW(c);
        const WORD virtualKey = LOBYTE(scan);
        const bool shifted = HIBYTE(scan) & 1;
        if (shifted)
            Key(VK_SHIFT, false);
        Tap(virtualKey);
        if (shifted)
            Key(VK_SHIFT, true);
    }
}

} // namespace input
