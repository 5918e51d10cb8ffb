// A visible, active top-level window that parents the controls under test, reflects their
// notifications as the main dialog does, and records the messages they send or post to it.
#pragma once

#include "framework/Wnd.h"
#include "framework/WndClass.h"
#include "skin/SkinFile.h"

#include "ImageFiles.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class CRecordingParent : public CWnd {
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;

    CRecordingParent()
    {
        const std::wstring windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
        CreateEx(0, windowClass.c_str(), L"controls under test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                 {0, 0, kWidth, kHeight}, nullptr, 0);
        ::SetForegroundWindow(m_hWnd);
        ::SetActiveWindow(m_hWnd);
        Pump();
    }

    // The messages of interest: commands, the controls' reports, scroll requests.
    std::vector<RecordedMessage> recorded;
    // Runs inside the parent's WM_COMMAND handling, before the control goes on.
    std::function<void(WPARAM, LPARAM)> onCommand;

    std::vector<RecordedMessage> Take(UINT message)
    {
        std::vector<RecordedMessage> taken;
        for (const RecordedMessage& m : recorded)
            if (m.message == message)
                taken.push_back(m);
        return taken;
    }
    size_t Count(UINT message) const
    {
        size_t count = 0;
        for (const RecordedMessage& m : recorded)
            count += m.message == message;
        return count;
    }

    // Delivers what was posted to this thread's windows.
    static void Pump()
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_COMMAND:
            recorded.push_back({message, wParam, lParam});
            if (onCommand)
                onCommand(wParam, lParam);
            break;
        case WM_VSCROLL:
        case WM_USER + 72:
        case WM_USER + 129:
            recorded.push_back({message, wParam, lParam});
            break;
        case WM_ERASEBKGND:
            return TRUE;
        default:
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Renders a control's client area through WM_PRINTCLIENT, so the look comes from the
// control's real paint path with the state the system button holds.
inline void PrintClient(HWND control, Canvas& canvas)
{
    ::SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
}

inline LPARAM PointParam(int x, int y)
{
    return MAKELPARAM(x, y);
}

// Sets the skin font for one test.
class SkinFontScope {
public:
    explicit SkinFontScope(const std::wstring& face) : m_previous(SkinFontFace()) { SetSkinFontFace(face); }
    ~SkinFontScope() { SetSkinFontFace(m_previous); }
    SkinFontScope(const SkinFontScope&) = delete;
    SkinFontScope& operator=(const SkinFontScope&) = delete;

private:
    std::wstring m_previous;
};
