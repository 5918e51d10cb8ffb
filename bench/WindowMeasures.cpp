// The main-window rows: one real CHalcyDlg over the bench's folders, driven through its messages
// and, where no message reaches a path alone, through its members.
#include "BareWindowCopy.h"
#include "Measures.h"
#include "Stopwatch.h"

#include "ServiceProbe.h"

#include "framework/WinApp.h"
#include "mainwnd/HalcyDlg.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

// One control of each kind, whose repaints make up most of a full one.
constexpr int kControlKinds = 5;
std::pair<const char*, HWND> ControlOfKind(CHalcyDlg& dialog, int i)
{
    MainControls& ui = dialog.Controls();
    const std::pair<const char*, HWND> controls[] = {
        {"a mode button", ui.mode[1].GetSafeHwnd()}, {"the red slider", ui.red.GetSafeHwnd()},
        {"the hue knob", ui.hue.GetSafeHwnd()},      {"the hex field", ui.hexField.GetSafeHwnd()},
        {"a colour slot", ui.slot[0].GetSafeHwnd()},
    };
    return controls[i];
}

// What OnPaint composes off screen: the background copied in, the labels drawn over it.
void Compose(CHalcyDlg& dialog, HDC reference, int width, int height)
{
    MemoryDc composed(reference);
    GdiBitmap surface(::CreateCompatibleBitmap(reference, width, height));
    SelectGuard selectSurface(composed, surface.get());
    MemoryDc background(reference);
    SelectGuard selectBackground(background, dialog.Background().get());
    ::BitBlt(composed, 0, 0, width, height, background, 0, 0, SRCCOPY);
    dialog.PaintScreen(composed);
}

// The hex field holds `text` and is the field the person typed into, as after a click on it.
void TypeIntoHexField(CHalcyDlg& dialog, const wchar_t* text)
{
    CClrEdit& field = dialog.Controls().hexField;
    field.SetWindowText(text);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(field.m_hWnd));
}

constexpr double kRepaintGoalMs = 4.0;
constexpr double kSliderGoalMs = 2.0;
constexpr double kRebuildGoalMs = 100.0;
constexpr WPARAM kRedLow = 40;
constexpr WPARAM kRedHigh = 200;
constexpr int kEnglishValue = 16; // language menu values: 16 + language id
constexpr int kChineseValue = 17;
constexpr const wchar_t* kHexTexts[] = {L"12AB34", L"C0FFEE"};
constexpr DWORD kSettleMs = 300; // the window's start: service window, first paints

// Paints whatever is invalid in the window and its controls, now.
void PaintPending(HWND wnd)
{
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// A timed action: one window invalidated and repainted at once, without its children.
auto RepaintOf(HWND wnd)
{
    return [wnd](int) { ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN); };
}

void ChooseLanguage(const CHalcyDlg& dialog, int value)
{
    dialog.SendMessage(WM_MENU_SELECTION, 0, MAKELPARAM(0, value));
}

void MeasurePainting(ResultTable& table, CHalcyDlg& dialog)
{
    const HWND wnd = dialog.GetSafeHwnd();
    auto settle = [wnd] {
        PaintPending(wnd);
        PumpMessages();
    };
    auto none = [](int) {};

    table.Add(
        "full repaint: RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN)",
        MedianMs(
            kRuns, none,
            [wnd](int) { ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); },
            settle),
        "ms", kRepaintGoalMs);
    table.Add("... of which: the dialog's own WM_PAINT (RDW_NOCHILDREN)", MedianMs(kRuns, none, RepaintOf(wnd), settle),
              "ms");
    const RECT client = dialog.GetClientRect();
    const WindowDc screen(wnd);
    table.Add("... of which: background blit + PaintScreen into a memory DC",
              MedianMs(
                  kRuns, none, [&](int) { Compose(dialog, screen, client.right, client.bottom); }, settle),
              "ms");
    for (int kind = 0; kind < kControlKinds; ++kind) {
        const auto [name, control] = ControlOfKind(dialog, kind);
        table.Add(std::string("... one control's repaint: ") + name, MedianMs(kRuns, none, RepaintOf(control), settle),
                  "ms");
    }
    const BareWindowCopy bare(wnd);
    table.Add("... for comparison: a plain window with " + std::to_string(bare.ChildCount()) +
                  " plain children in the same places",
              MedianMs(
                  kRuns, none,
                  [&bare](int) {
                      ::RedrawWindow(bare.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                  },
                  settle),
              "ms");
    table.Add("... for comparison: one plain child's repaint",
              MedianMs(kRuns, none, RepaintOf(::GetWindow(bare.get(), GW_CHILD)), settle), "ms");
}

void MeasureEditing(ResultTable& table, CHalcyDlg& dialog)
{
    const HWND wnd = dialog.GetSafeHwnd();
    auto settle = [wnd] {
        PaintPending(wnd);
        PumpMessages();
    };
    auto none = [](int) {};
    auto moveRed = [&dialog](int run) {
        dialog.SendMessage(WM_SLIDER_POS, run % 2 ? kRedLow : kRedHigh, static_cast<LPARAM>(kSliderRedId));
    };

    table.Add("slider move: WM_SLIDER_POS (red) + paint of what changed",
              MedianMs(
                  kRuns, none,
                  [&](int run) {
                      moveRed(run);
                      PaintPending(wnd);
                  },
                  settle),
              "ms", kSliderGoalMs);
    table.Add("... of which: the message alone (model, sliders, fields, swatch)",
              MedianMs(kRuns, none, moveRed, settle), "ms");

    table.Add("colour-field commit: TakePendingColour (hex) + paint",
              MedianMs(
                  kRuns,
                  [&](int run) {
                      TypeIntoHexField(dialog, kHexTexts[(run + 2) % 2]);
                      PaintPending(wnd);
                  },
                  [&](int) {
                      dialog.TakePendingColour();
                      PaintPending(wnd);
                  },
                  settle),
              "ms");
}

void MeasureRebuilds(ResultTable& table, CHalcyDlg& dialog)
{
    const HWND wnd = dialog.GetSafeHwnd();
    auto settle = [wnd] {
        PaintPending(wnd);
        PumpMessages();
    };
    // Over the built window a build keeps what the skin leaves unchanged; a skin loaded whole is
    // part of the second Create() above.
    table.Add("skin re-dress: BuildSkinLayout again over the built window, same skin",
              MedianMs(
                  kRuns, [](int) {}, [&](int) { dialog.BuildSkinLayout(); }, settle),
              "ms");

    // The first switch to a language reads its skin file; later ones find its answers kept.
    const Stopwatch firstSwitch;
    ChooseLanguage(dialog, kChineseValue);
    PaintPending(wnd);
    table.Add("language rebuild, the process's first switch to Cs (one run)", firstSwitch.ElapsedMs(), "ms",
              kRebuildGoalMs);
    settle();

    // Each run switches to the other language first, untimed; the switch itself and the repaint it
    // leaves behind are timed apart.
    auto rebuild = [&](const char* name, int from, int to) {
        std::vector<double> total;
        std::vector<double> repaint;
        for (int run = 0; run < kRuns; ++run) {
            ChooseLanguage(dialog, from);
            settle();
            const Stopwatch whole;
            ChooseLanguage(dialog, to);
            const Stopwatch painting;
            PaintPending(wnd);
            repaint.push_back(painting.ElapsedMs());
            total.push_back(whole.ElapsedMs());
            settle();
        }
        table.Add(std::string("language rebuild to ") + name + " + repaint", Median(total), "ms", kRebuildGoalMs);
        table.Add("... of which: the repaint", Median(repaint), "ms");
    };
    rebuild("Cs (menu value 17)", kEnglishValue, kChineseValue);
    rebuild("En (menu value 16)", kChineseValue, kEnglishValue);
}

} // namespace

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void MeasureMainWindow(ResultTable& table)
{
    service::StopAll();
    CHalcyDlg dialog;
    if (!dialog.Create()) {
        std::fprintf(stderr, "bench: the main window could not be created\n");
        return;
    }
    const ULONGLONG until = ::GetTickCount64() + kSettleMs;
    while (::GetTickCount64() < until) {
        PumpMessages();
        ::Sleep(10);
    }

    MeasurePainting(table, dialog);
    MeasureEditing(table, dialog);
    MeasureRebuilds(table, dialog);
    dialog.DestroyWindow();
    service::StopAll();
}
