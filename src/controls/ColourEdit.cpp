// CClrEdit: skin background brush, the hexadecimal filter and the reports to the parent.
#include "controls/ColourEdit.h"

#include "skin/DibOperations.h"

#include <algorithm>

namespace {

constexpr WPARAM kBackspace = 8;
constexpr WPARAM kCtrlC = 3;
constexpr WPARAM kCtrlV = 22;
constexpr WPARAM kCtrlX = 24;
constexpr int kTextRaise = 10; // the formatting rectangle sits this far above the client area

} // namespace

CClrEdit::~CClrEdit()
{
    // The window goes before the font and brush it uses.
    DestroyWindow();
}

void CClrEdit::SetImages(const RECT& rect, const Bitmap& normal, const Bitmap& over, const Bitmap& down,
                         const Bitmap& disabled)
{
    WindowDc reference(m_hWnd);
    const Bitmap* sources[] = {&normal, &over, &down, &disabled};
    for (size_t i = 0; i < m_images.size(); ++i)
        CropBitmap(reference, m_images[i], *sources[i], rect.left, rect.top, rect.right, rect.bottom);
    m_backgroundBrush.reset();
    if (ModifyStyle(WS_BORDER | WS_TABSTOP, 0))
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void CClrEdit::SetFontFace(const std::wstring& face)
{
    if (m_font && face == m_fontFace)
        return;
    GdiFont font(::CreateFontW(kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, face.c_str()));
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    m_font = std::move(font); // the old font goes only after the control let go of it
    m_fontFace = face;
}

bool CClrEdit::PassesHexFilter(WPARAM c) noexcept
{
    const bool hexDigit = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    return hexDigit || c == kBackspace || c == kCtrlC || c == kCtrlV || c == kCtrlX;
}

BOOL CClrEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        *result = reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam)));
        return TRUE;
    case WM_COMMAND:
        // The parent still gets the change; this only redraws the skin behind the text.
        if (HIWORD(wParam) == EN_CHANGE)
            RepaintParentUnder();
        return FALSE;
    default:
        return CEdit::OnChildNotify(message, wParam, lParam, result);
    }
}

// The field's background is its skin image: a pattern brush aligned with the client area,
// made once per image.
HBRUSH CClrEdit::OnCtlColor(HDC dc)
{
    if (!m_backgroundBrush)
        m_backgroundBrush.reset(m_images[0].empty() ? ::CreateSolidBrush(m_backgroundColour)
                                                    : ::CreatePatternBrush(m_images[0].get()));
    ::SetTextColor(dc, m_textColour);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetBkColor(dc, m_backgroundColour);
    return m_backgroundBrush.get();
}

LRESULT CClrEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        // Only multi-line edits take a formatting rectangle; a single-line one ignores it.
        RECT format = GetClientRect();
        ::OffsetRect(&format, 0, -kTextRaise);
        SendMessage(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&format));
        return TRUE;
    }
    case WM_CHAR:
        return OnChar(wParam);
    case WM_LBUTTONDOWN:
        ::SendMessageW(GetParent(), WM_COMMAND, 0, reinterpret_cast<LPARAM>(m_hWnd));
        return m_hWnd ? Default() : 0;
    case WM_RBUTTONDOWN:
        Invalidate();
        return Default();
    case WM_VSCROLL:
        RepaintParentUnder();
        return Default();
    default:
        return CEdit::WindowProc(message, wParam, lParam);
    }
}

LRESULT CClrEdit::OnChar(WPARAM character)
{
    ::PostMessageW(GetParent(), WM_EDIT_CHAR, 0, static_cast<LPARAM>(GetDlgCtrlID()));
    if (m_hexOnly && !PassesHexFilter(character))
        return 0;
    return Default();
}

void CClrEdit::ShowText(const std::wstring& text)
{
    if (GetText() != text)
        SetWindowText(text.c_str());
}

void CClrEdit::ReplaceText(const std::wstring& text)
{
    if (GetText() == text)
        return;
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SetWindowText(text.c_str());
    const int length = static_cast<int>(text.size());
    SetSel(std::min(static_cast<int>(start), length), std::min(static_cast<int>(end), length));
}

void CClrEdit::RepaintParentUnder() const
{
    const HWND parent = GetParent();
    RECT area = GetWindowRect();
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    ::InvalidateRect(parent, &area, TRUE);
}
