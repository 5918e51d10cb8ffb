// The framework layer on real windows: binding, default procedure, reflection, the modal loop,
// the pre-translation chain and command routing to the application.
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include "framework/WndClass.h"

#include "DebugTrace.h"
#include "ImportPatch.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kEndWithResult = WM_APP + 1;
constexpr UINT kProbe = WM_APP + 2;
constexpr int kResult = 42;

// A dialog on the program's pop-up list template that records what it sees.
class CProbeDialog : public CDialog {
public:
    explicit CProbeDialog(HWND parent = nullptr) : CDialog(IDD_MENU_POPUP, parent), owner(parent) {}

    std::vector<UINT> seen;
    std::vector<UINT> preTranslated;
    std::vector<WORD> commands;
    bool initialised = false;
    bool ownerDisabledDuringLoop = false;
    bool endOnInit = false;
    bool endOnceActive = false;
    HWND owner;

protected:
    BOOL OnInitDialog() override
    {
        initialised = true;
        if (endOnInit) {
            PostMessage(kProbe);
            PostMessage(kEndWithResult, kResult);
        }
        return CDialog::OnInitDialog();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CREATE || message == WM_NCCREATE)
            seen.push_back(message);
        if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && endOnceActive)
            PostMessage(kEndWithResult, kResult);
        if (message == kEndWithResult) {
            ownerDisabledDuringLoop = owner && !::IsWindowEnabled(owner);
            EndDialog(static_cast<INT_PTR>(wParam));
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == kProbe)
            preTranslated.push_back(msg->message);
        return CDialog::PreTranslateMessage(msg);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(HIWORD(wParam));
        return CDialog::OnCommand(wParam, lParam);
    }
};

class COwnerDrawnButton : public CButton {
public:
    int drawCalls = 0;
    bool takeClicks = false;
    int clicksTaken = 0;
    bool consumeProbe = false;
    bool destroyed = false;

    void DrawItem(DRAWITEMSTRUCT*) override { ++drawCalls; }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && takeClicks) {
            ++clicksTaken;
            return TRUE;
        }
        return CButton::OnChildNotify(message, wParam, lParam, result);
    }
    BOOL PreTranslateMessage(MSG* msg) override { return consumeProbe && msg->message == kProbe; }
    void PostNcDestroy() override { destroyed = true; }
};

// A framed top-level window that counts how often it is activated.
class CActivationProbe : public CWnd {
public:
    CActivationProbe()
    {
        const std::wstring windowClass = AfxRegisterWndClass(0, nullptr);
        CreateEx(0, windowClass.c_str(), L"probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 500, 400},
                 nullptr, 0);
        ::SetForegroundWindow(m_hWnd);
        activations = 0;
    }
    ~CActivationProbe() override { DestroyWindow(); }

    int activations = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE)
            ++activations;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

bool CanTakeActivation(HWND wnd)
{
    return ::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd) &&
           !(::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
}

// Where Windows hands the activation when the active window hides: to its owner if the owner
// can take it, or else to the next top-level window below that can.
HWND NextToActivate(HWND hidden)
{
    const HWND owner = ::GetWindow(hidden, GW_OWNER);
    if (owner && CanTakeActivation(owner))
        return owner;
    for (HWND wnd = ::GetWindow(hidden, GW_HWNDNEXT); wnd; wnd = ::GetWindow(wnd, GW_HWNDNEXT))
        if (CanTakeActivation(wnd))
            return wnd;
    return nullptr;
}

// The platform's EndDialog as Windows has it for a dialog that its own dialog loop did not run,
// such as ours: it hides the dialog and enables nothing (Wine's enables the owner all the same),
// and the window manager passes the activation on at once (Wine leaves it with the hidden one).
BOOL WINAPI EndDialogAsOnWindows(HWND dialog, INT_PTR)
{
    ::ShowWindow(dialog, SW_HIDE);
    if (::GetActiveWindow() == dialog)
        ::SetActiveWindow(NextToActivate(dialog));
    ::PostMessageW(dialog, WM_NULL, 0, 0);
    return TRUE;
}

class CHelpApp : public CWinApp {
public:
    int helpCalls = 0;
    void OnHelp() override { ++helpCalls; }
};

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

RECT Box(int x, int y, int w, int h)
{
    return {x, y, x + w, y + h};
}

} // namespace

TEST(Framework, DialogObjectSeesItsCreationMessagesAndIsUnboundWhenDestroyed)
{
    CProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    ASSERT_EQ(CWnd::FromHandle(dialog.m_hWnd), &dialog);
    EXPECT_EQ(dialog.seen, (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));
    EXPECT_TRUE(dialog.initialised);

    HWND wnd = dialog.m_hWnd;
    ASSERT_TRUE(dialog.DestroyWindow());
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(wnd), nullptr);
}

TEST(Framework, AWindowThatCannotBeMadeIsNamedForADebugger)
{
    const DebugTrace trace;
    CWnd wnd;
    EXPECT_FALSE(wnd.CreateEx(0, L"NoSuchClassAnywhere", L"", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0, nullptr));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_NE(trace.Text().find("class NoSuchClassAnywhere could not be made (error "), std::string::npos)
        << trace.Text();
}

TEST(Framework, SubclassedSystemControlKeepsItsOwnBehaviour)
{
    CProbeDialog parent;
    ASSERT_TRUE(parent.Create());
    CButton check;
    ASSERT_TRUE(check.Create(L"Check", WS_CHILD | BS_AUTOCHECKBOX, Box(0, 0, 80, 20), parent.m_hWnd, 0));
    EXPECT_EQ(CWnd::FromHandle(check.m_hWnd), &check);
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED) << "BM_SETCHECK/BM_GETCHECK reached the original procedure";

    HWND plain = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd, nullptr, nullptr, nullptr);
    CButton adopted;
    ASSERT_TRUE(adopted.SubclassWindow(plain));
    CButton second;
    EXPECT_FALSE(second.SubclassWindow(plain)) << "a window is bound to one object at a time";
    EXPECT_EQ(adopted.UnsubclassWindow(), plain);
    EXPECT_EQ(CWnd::FromHandle(plain), nullptr);
}

TEST(Framework, ParentReflectsDrawingAndNotificationsToTheChild)
{
    CProbeDialog parent;
    ASSERT_TRUE(parent.Create());
    ::ShowWindow(parent.m_hWnd, SW_SHOWNA);
    COwnerDrawnButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, Box(0, 0, 40, 20), parent.m_hWnd, 0));

    ::UpdateWindow(button.m_hWnd);
    EXPECT_GE(button.drawCalls, 1) << "WM_DRAWITEM to the parent reached the button's DrawItem";

    button.SendMessage(BM_CLICK);
    EXPECT_EQ(parent.commands, std::vector<WORD>{BN_CLICKED}) << "a notification the child leaves goes to the parent";

    parent.commands.clear();
    button.takeClicks = true;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.clicksTaken, 1);
    EXPECT_TRUE(parent.commands.empty()) << "a notification the child takes stops there";

    parent.DestroyWindow();
    EXPECT_TRUE(button.destroyed);
    EXPECT_EQ(button.m_hWnd, nullptr);
}

TEST(Framework, ModalLoopDisablesTheOwnerAndReturnsTheResult)
{
    CProbeDialog owner;
    ASSERT_TRUE(owner.Create());
    ::ShowWindow(owner.m_hWnd, SW_SHOWNA);

    CProbeDialog dialog(owner.m_hWnd);
    dialog.endOnInit = true;
    EXPECT_EQ(dialog.DoModal(), kResult);
    EXPECT_TRUE(dialog.ownerDisabledDuringLoop);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd)) << "the owner is enabled again";
    EXPECT_EQ(dialog.m_hWnd, nullptr) << "the dialog is destroyed when the loop ends";
    EXPECT_EQ(dialog.preTranslated, std::vector<UINT>{kProbe}) << "queued messages pass the pre-translation chain";
}

// When a modal dialog ends, activation goes back to its owner, not to another program's window
// below it: the owner is enabled before the dialog hides, whatever the platform's EndDialog
// does about it.
TEST(Framework, ModalDialogHandsActivationBackToItsOwner)
{
    const ImportPatch endDialog(L"user32.dll", "EndDialog", reinterpret_cast<const void*>(&EndDialogAsOnWindows));
    ASSERT_TRUE(endDialog.Active());
    CActivationProbe other; // another program's window, below the owner
    CActivationProbe owner;
    ASSERT_EQ(::GetActiveWindow(), owner.m_hWnd);

    CProbeDialog dialog(owner.m_hWnd);
    dialog.endOnceActive = true;
    EXPECT_EQ(dialog.DoModal(), kResult);
    EXPECT_EQ(::GetActiveWindow(), owner.m_hWnd);
    EXPECT_EQ(other.activations, 0) << "no other window took the activation meanwhile";
}

TEST(Framework, PreTranslationWalksFromTheTargetUpAndStopsWhereTaken)
{
    CProbeDialog parent;
    ASSERT_TRUE(parent.Create());
    COwnerDrawnButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | BS_OWNERDRAW, Box(0, 0, 40, 20), parent.m_hWnd, 0));

    button.PostMessage(kProbe);
    PumpPending();
    EXPECT_EQ(parent.preTranslated, std::vector<UINT>{kProbe}) << "a child's message reaches its dialog";

    parent.preTranslated.clear();
    button.consumeProbe = true;
    button.PostMessage(kProbe);
    PumpPending();
    EXPECT_TRUE(parent.preTranslated.empty()) << "the child took it first";
}

TEST(Framework, CommandsWithoutAControlReachTheApplication)
{
    CHelpApp app;
    CProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.SendMessage(WM_COMMAND, kCommandHelp, 0);
    EXPECT_EQ(app.helpCalls, 1);

    HELPINFO help{};
    help.cbSize = sizeof(help);
    dialog.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    EXPECT_EQ(app.helpCalls, 2) << "F1's help request becomes the help command";
}
