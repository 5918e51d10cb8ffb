// CWaitCursor: the hourglass for the life of the scope, the previous cursor back at its end.
#pragma once

#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() noexcept : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};
