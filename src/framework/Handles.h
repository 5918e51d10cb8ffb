// Scoped owners for Windows handles: kernel objects, GDI objects, device contexts, registry keys.
#pragma once

#include <windows.h>

#include <utility>

// A move-only owner of one handle; Traits says what "none" is and how to close it.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle h) noexcept : m_h(h) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return m_h; }
    explicit operator bool() const noexcept { return m_h != Traits::None(); }

    Handle release() noexcept { return std::exchange(m_h, Traits::None()); }
    void reset(Handle h = Traits::None()) noexcept
    {
        Handle old = std::exchange(m_h, h);
        if (old != Traits::None())
            Traits::Close(old);
    }
    // Address for an API that returns a new handle through a pointer; drops the old one first.
    Handle* put() noexcept
    {
        reset();
        return &m_h;
    }

private:
    Handle m_h = Traits::None();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
template <class T>
struct GdiObjectTraits {
    using Handle = T;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { ::DestroyIcon(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};
struct GlobalMemTraits {
    using Handle = HGLOBAL;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { ::GlobalFree(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
};
struct HookTraits {
    using Handle = HHOOK;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { ::UnhookWindowsHookEx(h); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using GdiBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using GdiFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using GdiRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using GdiBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using GdiPen = UniqueHandle<GdiObjectTraits<HPEN>>;
using IconHandle = UniqueHandle<IconTraits>;
using RegKey = UniqueHandle<RegKeyTraits>;
using GlobalMem = UniqueHandle<GlobalMemTraits>;
using ModuleHandle = UniqueHandle<ModuleTraits>;
using HookHandle = UniqueHandle<HookTraits>;

// Selects a GDI object into a DC and puts the previous one back when it goes out of scope.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : m_dc(dc), m_old(::SelectObject(dc, object)) {}
    ~SelectGuard()
    {
        if (m_old && m_old != HGDI_ERROR)
            ::SelectObject(m_dc, m_old);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

    HDC dc() const noexcept { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// A memory DC compatible with another DC (or the screen), deleted at scope end.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith = nullptr) noexcept : m_dc(::CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc()
    {
        if (m_dc)
            ::DeleteDC(m_dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC get() const noexcept { return m_dc; }
    operator HDC() const noexcept { return m_dc; }
    explicit operator bool() const noexcept { return m_dc != nullptr; }

private:
    HDC m_dc;
};

// The DC of a window's client area (or the screen for a null window), released at scope end.
class WindowDc {
public:
    explicit WindowDc(HWND wnd) noexcept : m_wnd(wnd), m_dc(::GetDC(wnd)) {}
    ~WindowDc()
    {
        if (m_dc)
            ::ReleaseDC(m_wnd, m_dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const noexcept { return m_dc; }
    operator HDC() const noexcept { return m_dc; }

private:
    HWND m_wnd;
    HDC m_dc;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND wnd) noexcept : m_wnd(wnd) { ::BeginPaint(wnd, &m_ps); }
    ~PaintDc() { ::EndPaint(m_wnd, &m_ps); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC get() const noexcept { return m_ps.hdc; }
    operator HDC() const noexcept { return m_ps.hdc; }
    const RECT& dirty() const noexcept { return m_ps.rcPaint; }

private:
    HWND m_wnd;
    PAINTSTRUCT m_ps{};
};
