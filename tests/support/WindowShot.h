// Screenshots of a window as test artefacts: what the screen shows over the window's
// rectangle, saved as PNG into the build's screenshots folder.
#pragma once

#include "ImageFiles.h"

#include "framework/Handles.h"

#include <windows.h>

#include <string>

inline std::wstring ScreenshotPath(const std::wstring& name)
{
    const std::string folder = TEST_SCREENSHOT_DIR; // an ASCII build path
    return std::wstring(folder.begin(), folder.end()) + L"/" + name + L".png";
}

// Brings the window up to date on the screen and copies the screen under it. Messages that
// arrive meanwhile are handled without the pre-translate chain.
inline bool SaveWindowShot(HWND wnd, const std::wstring& name)
{
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // The display server shows child windows a moment later.
    constexpr ULONGLONG kSettleMs = 300;
    for (const ULONGLONG end = ::GetTickCount64() + kSettleMs; ::GetTickCount64() < end; ::Sleep(10)) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    RECT r{};
    ::GetWindowRect(wnd, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return false;
    GdiBitmap shot;
    {
        WindowDc screen(nullptr);
        shot.reset(::CreateCompatibleBitmap(screen, width, height));
        MemoryDc target(screen);
        SelectGuard select(target, shot.get());
        ::BitBlt(target, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    }
    Gdiplus::Bitmap image(shot.get(), nullptr);
    CLSID png{};
    return EncoderFor(L"image/png", &png) && image.Save(ScreenshotPath(name).c_str(), &png, nullptr) == Gdiplus::Ok;
}
