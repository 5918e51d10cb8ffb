// A top-level window standing for another program's, brought to the foreground when made: what
// the person turns to, or what is in front when the program is asked to show itself.
#pragma once

#include "framework/WndClass.h"

#include "Poll.h"

#include <windows.h>

#include <string>

class ForeignWindow {
public:
    ForeignWindow()
    {
        const std::wstring windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        m_wnd = ::CreateWindowExW(0, windowClass.c_str(), L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  kLeft, kTop, kWidth, kHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SetForegroundWindow(m_wnd);
    }
    ~ForeignWindow() { ::DestroyWindow(m_wnd); }
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    HWND get() const noexcept { return m_wnd; }
    // Whether it holds the foreground by now; this thread's messages are handled meanwhile.
    bool ComesToTheFront() const
    {
        return poll::PumpUntil([&] { return ::GetForegroundWindow() == m_wnd; });
    }

private:
    static constexpr int kLeft = 0; // in a corner, clear of the centred main window
    static constexpr int kTop = 0;
    static constexpr int kWidth = 180;
    static constexpr int kHeight = 120;

    HWND m_wnd = nullptr;
};
