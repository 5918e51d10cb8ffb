// CEdit: the system EDIT control, so caret, selection and clipboard are the real ones.
#pragma once

#include "framework/Wnd.h"

#include <string>

class CEdit : public CWnd {
public:
    bool Create(DWORD style, const RECT& rect, HWND parent, UINT id)
    {
        return CreateEx(0, L"EDIT", L"", style, rect, parent, id);
    }

    void SetLimitText(UINT maxChars) const noexcept { SendMessage(EM_SETLIMITTEXT, maxChars); }
    void SetSel(int start, int end) const noexcept { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
    std::wstring GetText() const
    {
        std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(m_hWnd)), L'\0');
        if (!text.empty())
            text.resize(static_cast<size_t>(::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size() + 1))));
        return text;
    }
};
