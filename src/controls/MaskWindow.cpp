// CMaskWindow: creation, placement over the owner's client area and the one-colour face.
#include "controls/MaskWindow.h"

#include "framework/Handles.h"
#include "framework/WndClass.h"

#include <string>

namespace {

constexpr COLORREF kMaskColour = RGB(0, 0, 0);
constexpr BYTE kMaskAlpha = 150;
constexpr UINT kMaskClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
// Layered for the constant alpha; transparent so mouse input passes through to the owner;
// never activated, so activation stays with the owner and the popup shown above the mask.
constexpr DWORD kMaskExStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;

// One class for every mask of the process, registered the first time a mask is shown.
const std::wstring& MaskClassName()
{
    static const std::wstring name = AfxRegisterWndClass(kMaskClassStyle, ::LoadCursorW(nullptr, IDC_ARROW),
                                                         static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    return name;
}

} // namespace

CMaskWindow::~CMaskWindow()
{
    Hide();
}

BOOL CMaskWindow::Show(HWND owner)
{
    Hide();
    if (!owner || !::IsWindow(owner))
        return FALSE;
    m_colour = kMaskColour;
    m_alpha = kMaskAlpha;
    const std::wstring& className = MaskClassName();
    if (className.empty() || !CreateEx(kMaskExStyle, className.c_str(), L"", WS_POPUP, RECT{}, owner, 0))
        return FALSE;
    PlaceOverOwner();
    ::SetLayeredWindowAttributes(m_hWnd, 0, static_cast<BYTE>(m_alpha), LWA_ALPHA);
    // Raised and shown without activation: BringWindowToTop would activate the mask and take
    // the activation from its owner.
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return TRUE;
}

void CMaskWindow::Hide()
{
    if (m_hWnd)
        DestroyWindow();
}

void CMaskWindow::PlaceOverOwner()
{
    // A pop-up created with a child window as its parent is owned by that child's top-level
    // window, which is then the window covered.
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (!owner)
        owner = ::GetParent(m_hWnd);
    if (!owner)
        return;
    RECT client{};
    ::GetClientRect(owner, &client);
    POINT topLeft{client.left, client.top};
    ::ClientToScreen(owner, &topLeft);
    ::MoveWindow(m_hWnd, topLeft.x, topLeft.y, client.right - client.left, client.bottom - client.top, FALSE);
    ::SetWindowRgn(m_hWnd, nullptr, FALSE);
}

LRESULT CMaskWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        // The face is one colour, filled in a single operation by WM_PAINT.
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CMaskWindow::OnPaint()
{
    PaintDc paint(m_hWnd);
    GdiBrush brush(::CreateSolidBrush(m_colour));
    const RECT client = GetClientRect();
    ::FillRect(paint, &client, brush.get());
}
