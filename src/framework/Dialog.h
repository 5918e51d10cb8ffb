// CDialog: dialogs from resource templates, modeless or with their own modal loop.
#pragma once

#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr) noexcept : m_templateId(templateId), m_parentWnd(parent) {}

    // Modeless: creates the dialog from its template and returns at once.
    bool Create(HWND parent = nullptr);
    // Modal: disables the owner, runs the dialog's own message loop until EndDialog, then
    // destroys the window and returns the result (-1 when the dialog could not be created).
    // The owner is enabled again before the dialog hides, so activation returns to it.
    virtual INT_PTR DoModal();
    void EndDialog(INT_PTR result);
    bool IsInModalLoop() const noexcept { return m_continueModal; }
    // The value EndDialog was given last; -1 before that.
    INT_PTR ModalResult() const noexcept { return m_modalResult; }

    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    UINT TemplateId() const noexcept { return m_templateId; }

protected:
    void RunModalLoop();
    void EnableDisabledOwner() noexcept;

    UINT m_templateId;
    HWND m_parentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateFromTemplate(HWND parent);

    bool m_continueModal = false;
    INT_PTR m_modalResult = -1;
    HWND m_disabledOwner = nullptr; // the owner DoModal disabled, until it is enabled again
};
