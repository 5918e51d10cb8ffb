// AfxRegisterWndClass: window classes made on demand for windows that need no procedure of
// their own (the object bound to the window handles the messages).
#pragma once

#include <windows.h>

#include <string>

// Registers, on first use of each combination, a class of this module with the given style,
// cursor, background and icon and the default window procedure, and returns its name; an
// empty name when the class cannot be registered.
std::wstring AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                 HICON icon = nullptr);
