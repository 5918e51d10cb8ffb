// CWnd: the link between a window handle and the object that handles its messages.
#pragma once

#include <windows.h>

// Binding: windows created through CreateEx (and dialogs) are bound by a thread-local creation
// hook before their first message; existing windows by SubclassWindow. Either way the object
// rides on the window as comctl32 subclass data, so FromHandle needs no global map and the
// window's original procedure stays the default. The object is forgotten at WM_NCDESTROY.
class CWnd {
public:
    CWnd() noexcept = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const noexcept { return m_hWnd; }
    operator HWND() const noexcept { return m_hWnd; }

    // The object bound to a window of this thread, or null when the window has none. Objects
    // live on the thread of their window; any other handle (a message may name a window of
    // another program) is never looked into.
    static CWnd* FromHandle(HWND wnd) noexcept;

    bool CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, HWND parent,
                  UINT id, void* createParam = nullptr);
    bool SubclassWindow(HWND wnd);
    HWND UnsubclassWindow() noexcept;
    bool DestroyWindow();

    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual void PreSubclassWindow() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND not taken by the control that sent it. Commands without a control window
    // (menus, accelerators, commands a window sends itself) go on to the application.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A notification the parent reflected back to this control: WM_COMMAND, WM_NOTIFY,
    // WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*, WM_HSCROLL/WM_VSCROLL. TRUE when handled.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Called after the window is gone (WM_NCDESTROY); the object is unbound by then.
    virtual void PostNcDestroy() {}

    // Thin helpers over the window functions.
    HWND GetParent() const noexcept { return ::GetParent(m_hWnd); }
    int GetDlgCtrlID() const noexcept { return ::GetDlgCtrlID(m_hWnd); }
    DWORD GetStyle() const noexcept { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const noexcept { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    bool ModifyStyle(DWORD remove, DWORD add) noexcept;
    RECT GetClientRect() const noexcept;
    RECT GetWindowRect() const noexcept;
    // The window's rectangle in its parent's client coordinates.
    RECT GetPlaceInParent() const noexcept;
    bool IsPlacedAt(const RECT& place) const noexcept
    {
        const RECT current = GetPlaceInParent();
        return ::EqualRect(&current, &place) != FALSE;
    }
    bool IsWindowVisible() const noexcept { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool IsWindowEnabled() const noexcept { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    bool ShowWindow(int cmd) const noexcept { return ::ShowWindow(m_hWnd, cmd) != FALSE; }
    bool EnableWindow(bool enable) const noexcept { return ::EnableWindow(m_hWnd, enable) != FALSE; }
    bool MoveWindow(const RECT& r, bool repaint = true) const noexcept
    {
        return ::MoveWindow(m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, repaint) != FALSE;
    }
    // Centres a top-level window on the work area of its monitor.
    void CenterWindow() const noexcept;
    void Invalidate(bool erase = false) const noexcept { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void UpdateWindow() const noexcept { ::UpdateWindow(m_hWnd); }
    // A change painted at once, through WM_PAINT, where a plain invalidation would wait for the
    // message loop. A hidden window is painted when it is shown.
    void RedrawNow() const noexcept { RedrawNow(nullptr); }
    void RedrawNow(const RECT& area) const noexcept { RedrawNow(&area); }
    void SetWindowText(LPCWSTR text) const noexcept { ::SetWindowTextW(m_hWnd, text); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept
    {
        return ::PostMessageW(m_hWnd, message, wParam, lParam) != FALSE;
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) const noexcept { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    bool KillTimer(UINT_PTR id) const noexcept { return ::KillTimer(m_hWnd, id) != FALSE; }

protected:
    // The original window procedure for the message being handled.
    LRESULT Default();
    // Routes reflected notifications to the child that sent them and WM_COMMAND / WM_NOTIFY to
    // OnCommand / OnNotify; TRUE when the message was taken.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Arms the creation hook so the next window this thread creates is bound to this object.
    class CreationScope;

private:
    static LRESULT CALLBACK SubclassProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                                         DWORD_PTR refData);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);
    bool Attach(HWND wnd) noexcept;
    void Detach() noexcept;
    static BOOL ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL OnHelpRequest(LRESULT* result);
    void RedrawNow(const RECT* area) const noexcept
    {
        if (m_hWnd)
            ::RedrawWindow(m_hWnd, area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }

    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMessage m_current{};
};

// Keeps the creation hook armed for one Create call on the calling thread.
class CWnd::CreationScope {
public:
    explicit CreationScope(CWnd* wnd) noexcept;
    ~CreationScope();
    CreationScope(const CreationScope&) = delete;
    CreationScope& operator=(const CreationScope&) = delete;

private:
    HHOOK m_hook;
    CWnd* m_previous;
};
