// BareWindowCopy: a window class whose windows leave painting to the default procedure.
#include "BareWindowCopy.h"

namespace {

constexpr const wchar_t* kClassName = L"VeldrianBenchBareWindow";

const wchar_t* RegisteredClass()
{
    static const ATOM atom = [] {
        WNDCLASSW bare{};
        bare.lpfnWndProc = ::DefWindowProcW;
        bare.hInstance = ::GetModuleHandleW(nullptr);
        bare.lpszClassName = kClassName;
        return ::RegisterClassW(&bare);
    }();
    return atom ? kClassName : nullptr;
}

RECT ChildRect(HWND child, HWND parent)
{
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

BareWindowCopy::BareWindowCopy(HWND original)
{
    const wchar_t* bareClass = RegisteredClass();
    if (!bareClass)
        return;
    RECT frame{};
    ::GetWindowRect(original, &frame);
    m_wnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, bareClass, L"", WS_POPUP | WS_VISIBLE, frame.left, frame.top,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
    if (!m_wnd)
        return;
    for (HWND child = ::GetWindow(original, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const RECT r = ChildRect(child, original);
        const DWORD visible = ::GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE;
        if (::CreateWindowExW(0, bareClass, L"", WS_CHILD | visible, r.left, r.top, r.right - r.left, r.bottom - r.top,
                              m_wnd, nullptr, ::GetModuleHandleW(nullptr), nullptr))
            ++m_children;
    }
}

BareWindowCopy::~BareWindowCopy()
{
    if (m_wnd)
        ::DestroyWindow(m_wnd);
}
