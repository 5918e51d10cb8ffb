// CWarnDlg: built from the skin on creation, painted from its background picture and the
// warning text.
#include "mainwnd/WarnDialog.h"

#include "base/Paths.h"
#include "controls/SkinButton.h"
#include "framework/Handles.h"
#include "mainwnd/MainSkinSections.h"
#include "skin/DibOperations.h"
#include "skin/ImageDecoding.h"
#include "skin/PaintBuffer.h"
#include "skin/SkinFile.h"

#include "resource.h"

namespace {

constexpr int kFontHeight = 15;
constexpr COLORREF kTextColour = 0xFFFFFF;
constexpr UINT kTextFormat = DT_CENTER | DT_WORDBREAK;

} // namespace

CWarnDlg::CWarnDlg(HWND parent) noexcept : CDialog(IDD_WARNING_DIALOG, parent) {}

LRESULT CWarnDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate();
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE; // the paint covers the client area
    case WM_DESTROY: {
        const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        m_background.Reset();
        return result;
    }
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

// The window takes the size of its background picture; the buttons stand on it.
int CWarnDlg::OnCreate()
{
    if (Default() == -1)
        return -1;
    SIZE size{};
    const std::wstring picture = GetSkinString(kBackgroundSection, L"Main2", L"");
    if (!picture.empty() && LoadPictureFile(SkinFolder() + picture, m_background, &size) && size.cx > 0 && size.cy > 0)
        ::MoveWindow(m_hWnd, 0, 0, size.cx, size.cy, FALSE);
    DressSkinButton(m_btnClose, m_hWnd, kWarningSection, L"1", m_background, SkinDress::kCreateWindow);
    DressSkinButton(m_btnRetry, m_hWnd, kWarningSection, L"2", m_background, SkinDress::kCreateWindow);
    return 0;
}

// Centred over the masked main window, where the person is looking.
BOOL CWarnDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(kWarningCaption);
    CentreOverOwner();
    return TRUE;
}

void CWarnDlg::CentreOverOwner() const
{
    const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (!owner || ::IsIconic(owner)) {
        CenterWindow();
        return;
    }
    RECT area{};
    ::GetWindowRect(owner, &area);
    const RECT window = GetWindowRect();
    const int x = area.left + ((area.right - area.left) - (window.right - window.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (window.bottom - window.top)) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWarnDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const auto source = reinterpret_cast<HWND>(lParam);
    if (source && source == m_btnClose.GetSafeHwnd())
        EndDialog(IDCANCEL);
    else if (source && source == m_btnRetry.GetSafeHwnd() && m_devices && m_devices->DiscoverSsd())
        EndDialog(IDOK);
    return CDialog::OnCommand(wParam, lParam);
}

void CWarnDlg::OnPaint()
{
    PaintDc paint(m_hWnd);
    const RECT client = GetClientRect();
    const PaintBuffer buffer(paint, paint.dirty(), {client.right, client.bottom}, m_surface);
    if (!buffer)
        return;
    const HDC composed = buffer.dc();
    if (!m_background.empty())
        CopyBitmap(composed, 0, 0, m_background);

    const GdiFont font = CreateSkinLabelFont(kFontHeight);
    SelectGuard selectFont(composed, font.get());
    ::SetBkMode(composed, TRANSPARENT);
    ::SetTextColor(composed, kTextColour);
    DrawSkinText(composed, kWarningTextSection, L"1", kTextFormat);
}
