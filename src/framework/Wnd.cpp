// CWnd: binding, message routing, reflection and the default procedure.
#include "framework/Wnd.h"

#include "framework/DebugTraceLine.h"
#include "framework/WinApp.h"

#include <commctrl.h>

#include <string>
#include <utility>

namespace {

constexpr UINT_PTR kSubclassId = 0x56524742; // any constant unique to this procedure

// The object waiting for the window its Create call is about to make (one per thread).
thread_local CWnd* t_pendingBind = nullptr;

// comctl32 exports GetWindowSubclass by ordinal only. The module name resolves through the
// program's manifest, so this is the same comctl32 the subclass functions were bound to.
using GetWindowSubclassFn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);
constexpr WORD kGetWindowSubclassOrdinal = 411;

GetWindowSubclassFn LookUpGetWindowSubclass() noexcept
{
    HMODULE comctl = ::GetModuleHandleW(L"comctl32.dll");
    if (!comctl)
        return nullptr;
    return reinterpret_cast<GetWindowSubclassFn>(
        reinterpret_cast<void*>(::GetProcAddress(comctl, MAKEINTRESOURCEA(kGetWindowSubclassOrdinal))));
}

// A class is named by its text or by the atom it was registered under.
std::wstring ClassNameText(LPCWSTR className)
{
    if (IS_INTRESOURCE(className))
        return L"#" + std::to_wstring(reinterpret_cast<UINT_PTR>(className));
    return className;
}

HWND ReflectionTarget(UINT message, WPARAM wParam, LPARAM lParam, HWND self)
{
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? ::GetDlgItem(self, static_cast<int>(wParam)) : nullptr;
    }
    default:
        return nullptr;
    }
}

} // namespace

CWnd::~CWnd()
{
    // A window outliving its object would call into freed memory: end it with the object.
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND wnd) noexcept
{
    static const GetWindowSubclassFn getWindowSubclass = LookUpGetWindowSubclass();
    // The subclass data of a window lies in the memory of the process that owns it: read here
    // for a window of another program it is a wild pointer.
    if (!wnd || ::GetWindowThreadProcessId(wnd, nullptr) != ::GetCurrentThreadId())
        return nullptr;
    DWORD_PTR ref = 0;
    if (getWindowSubclass && getWindowSubclass(wnd, SubclassProc, kSubclassId, &ref))
        return reinterpret_cast<CWnd*>(ref);
    return nullptr;
}

bool CWnd::Attach(HWND wnd) noexcept
{
    if (!::SetWindowSubclass(wnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_hWnd = wnd;
    PreSubclassWindow();
    return true;
}

void CWnd::Detach() noexcept
{
    if (m_hWnd)
        ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
    m_hWnd = nullptr;
}

CWnd::CreationScope::CreationScope(CWnd* wnd) noexcept
    : m_hook(::SetWindowsHookExW(WH_CBT, CreationHook, nullptr, ::GetCurrentThreadId())),
      m_previous(std::exchange(t_pendingBind, wnd))
{
}

CWnd::CreationScope::~CreationScope()
{
    t_pendingBind = m_previous;
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
}

// HCBT_CREATEWND comes before WM_NCCREATE, so the object sees every message of the window,
// WM_CREATE of a dialog included (a dialog procedure alone never gets it).
LRESULT CALLBACK CWnd::CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pendingBind && !t_pendingBind->m_hWnd) {
        CWnd* wnd = std::exchange(t_pendingBind, nullptr);
        wnd->Attach(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, HWND parent,
                    UINT id, void* createParam)
{
    if (m_hWnd)
        return false;
    HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND wnd;
    {
        CreationScope scope(this);
        wnd = ::CreateWindowExW(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, parent, menuOrId, ::GetModuleHandleW(nullptr), createParam);
    }
    if (!wnd) {
        TraceLine(L"a window of class " + ClassNameText(className) + L" could not be made", ::GetLastError());
        m_hWnd = nullptr; // creation failed after binding: WM_NCDESTROY already unbound it
        return false;
    }
    return m_hWnd == wnd;
}

bool CWnd::SubclassWindow(HWND wnd)
{
    if (m_hWnd || !wnd || FromHandle(wnd))
        return false;
    return Attach(wnd);
}

HWND CWnd::UnsubclassWindow() noexcept
{
    HWND wnd = m_hWnd;
    Detach();
    return wnd;
}

bool CWnd::DestroyWindow()
{
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add) noexcept
{
    DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return false;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    return true;
}

void CWnd::CenterWindow() const noexcept
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return;
    const RECT window = GetWindowRect();
    const RECT& area = monitor.rcWork;
    const int x = area.left + ((area.right - area.left) - (window.right - window.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (window.bottom - window.top)) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT CWnd::GetClientRect() const noexcept
{
    RECT r{};
    ::GetClientRect(m_hWnd, &r);
    return r;
}

RECT CWnd::GetWindowRect() const noexcept
{
    RECT r{};
    ::GetWindowRect(m_hWnd, &r);
    return r;
}

RECT CWnd::GetPlaceInParent() const noexcept
{
    RECT r = GetWindowRect();
    ::MapWindowPoints(nullptr, GetParent(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR refData)
{
    auto* self = reinterpret_cast<CWnd*>(refData);
    const CurrentMessage outer = self->m_current;
    self->m_current = {message, wParam, lParam};
    LRESULT result = 0;
    try {
        result = self->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's frames; the message counts as handled.
        result = 0;
    }
    self->m_current = outer;
    if (message == WM_NCDESTROY && self->m_hWnd == wnd) {
        self->Detach();
        self->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefSubclassProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

BOOL CWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    CWnd* wnd = FromHandle(child);
    return wnd && wnd->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HWND child = ReflectionTarget(message, wParam, lParam, m_hWnd);
    if (child && child != m_hWnd && ReflectToChild(child, message, wParam, lParam, result))
        return TRUE;

    switch (message) {
    case WM_HELP:
        return OnHelpRequest(result);
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) {
            *result = 0;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY:
        return OnNotify(wParam, lParam, result);
    default:
        return FALSE;
    }
}

// F1 reaches the window under the focus as WM_HELP and climbs to the top-level window, which
// turns it into the help command, sent to itself like a menu command.
BOOL CWnd::OnHelpRequest(LRESULT* result)
{
    if (GetStyle() & WS_CHILD)
        return FALSE;
    const bool modifierHeld = (::GetKeyState(VK_SHIFT) | ::GetKeyState(VK_CONTROL) | ::GetKeyState(VK_MENU)) < 0;
    if (!modifierHeld)
        SendMessage(WM_COMMAND, kCommandHelp, 0);
    *result = TRUE;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        if (CWinApp* app = AfxGetApp())
            return app->OnCmdMsg(LOWORD(wParam));
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}
