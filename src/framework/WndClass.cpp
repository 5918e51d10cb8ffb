// AfxRegisterWndClass: one class per combination of style, cursor, background and icon.
#include "framework/WndClass.h"

#include <cwchar>

std::wstring AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    // The name spells out the combination, so asking again finds the class already there.
    wchar_t name[96];
    std::swprintf(name, sizeof(name) / sizeof(name[0]), L"CWnd:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));

    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(instance, name, &wc))
        return name;

    wc.style = classStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    return ::RegisterClassExW(&wc) ? std::wstring(name) : std::wstring();
}
