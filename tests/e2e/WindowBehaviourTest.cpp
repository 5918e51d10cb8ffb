// The real program as a person and other programs meet it: moving the captionless window,
// the wheel over the mode list, the keyboard, the messages of other programs, and the SSD
// question with its mask.
#include "ForeignWindow.h"
#include "JourneyFixture.h"
#include "WindowShot.h"

#include <gtest/gtest.h>

#include <string>

using journey::TextOf;

namespace {

constexpr UINT kProgramExit = WM_USER + 600;
constexpr WPARAM kExitCodes[] = {1625, 1626};
constexpr DWORD kCleanExit = 0;
constexpr UINT kProgramRestore = 4000;
constexpr int kModeRowSpacing = journey::kModeRowSpacing;
constexpr int kGroupSpacing = 85;

// The visible child of a window under a client point (the window itself on its surface).
HWND ChildAt(HWND wnd, POINT client)
{
    return ::ChildWindowFromPointEx(wnd, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

template <class Condition>
bool Eventually(Condition condition)
{
    return poll::Until(condition);
}

POINT Origin(HWND wnd)
{
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return {r.left, r.top};
}

bool operator==(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

// The program on first-run settings in English with two DRAM modules, in the foreground.
class WindowBehaviour : public journey::Journey {
protected:
    void SetUp() override
    {
        Journey::SetUp();
        Start();
    }

    // A drag whose screen points are fixed before it starts: the window moves under them.
    void DragOnScreen(POINT fromClient, int dx, int dy)
    {
        const POINT from = input::ClientToScreenPoint(m_wnd, fromClient.x, fromClient.y);
        constexpr int kSteps = 8;
        input::MoveTo(from);
        input::Button(MOUSEEVENTF_LEFTDOWN);
        for (int i = 1; i <= kSteps; ++i)
            input::MoveTo({from.x + dx * i / kSteps, from.y + dy * i / kSteps});
        input::Button(MOUSEEVENTF_LEFTUP);
    }

    using Journey::Click;
    void Click(HWND wnd, POINT client) { input::ClickAt(wnd, client.x, client.y); }

    // The red field is shown only while the mode offers colours.
    HWND RedField() const { return ChildAt(m_wnd, Centre(SkinPlace(L"LED", L"31"))); }
};

} // namespace

// Input is handled in order: the last drag's effect shows only once the one before it has
// been handled, so it tells whether that one moved the window.
TEST_F(WindowBehaviour, TheTopStripMovesTheWindowAndTheRestDoesNot)
{
    ASSERT_EQ(ChildAt(m_wnd, {600, 20}), m_wnd) << "the test needs the surface under the point";
    ASSERT_EQ(ChildAt(m_wnd, {600, 60}), m_wnd);
    const POINT before = Origin(m_wnd);
    DragOnScreen({600, 20}, 60, 40);
    const POINT moved{before.x + 60, before.y + 40};
    EXPECT_TRUE(Eventually([&] { return Origin(m_wnd) == moved; })) << "the strip moves the window";

    DragOnScreen({600, 60}, 60, 40);
    DragOnScreen({600, 20}, -60, -40);
    EXPECT_TRUE(Eventually([&] { return Origin(m_wnd) == before; })) << "only the strip moves the window";
}

// As above, the last turn shows whether the one before it scrolled.
TEST_F(WindowBehaviour, TheWheelScrollsTheModeListOnlyOverIt)
{
    const POINT topSlot = Centre(SkinPlace(L"LED", L"2"));
    const HWND first = ChildAt(m_wnd, topSlot);
    ASSERT_NE(first, m_wnd);

    input::MoveTo(input::ClientToScreenPoint(m_wnd, topSlot.x, topSlot.y + kModeRowSpacing));
    input::Wheel(-1);
    HWND second = nullptr;
    EXPECT_TRUE(Eventually([&] { return (second = ChildAt(m_wnd, topSlot)) != first; })) << "one notch scrolls";

    input::MoveTo(input::ClientToScreenPoint(m_wnd, 700, 470));
    input::Wheel(-1);
    input::MoveTo(input::ClientToScreenPoint(m_wnd, topSlot.x, topSlot.y));
    input::Wheel(1);
    EXPECT_TRUE(Eventually([&] { return ChildAt(m_wnd, topSlot) == first; }))
        << "one notch back over the list shows the first mode again: the wheel elsewhere left the list";
}

// Esc and Enter are told apart from what follows them: the field's value is taken after Esc,
// and a second value after the first Enter.
TEST_F(WindowBehaviour, EscKeepsTheWindowAndEnterTakesAColourField)
{
    input::Tap(VK_ESCAPE);

    const POINT redField = Centre(SkinPlace(L"LED", L"31"));
    const HWND field = ChildAt(m_wnd, redField);
    const HWND hex = ChildAt(m_wnd, Centre(SkinPlace(L"LED", L"34")));
    ASSERT_NE(field, m_wnd);
    const auto typeRed = [&](const wchar_t* value) {
        input::Tap(VK_END);
        for (int i = 0; i < 3; ++i)
            input::Tap(VK_BACK);
        input::TypeText(value);
        input::Tap(VK_RETURN);
    };
    Click(m_wnd, redField);
    typeRed(L"100");
    EXPECT_TRUE(Eventually([&] { return TextOf(hex) == L"640000"; })) << "the red field's value was taken";
    EXPECT_TRUE(m_program->Running() && ::IsWindowVisible(m_wnd)) << "Esc keeps the window";

    Click(m_wnd, redField);
    typeRed(L"50");
    EXPECT_TRUE(Eventually([&] { return TextOf(hex) == L"320000"; })) << "Enter never ends the window";
}

// Both codes other programs end it with; a clean exit in time also shows the warning was
// closed, since the question's own loop would hold the program otherwise.
class ExitMessage : public WindowBehaviour, public testing::WithParamInterface<WPARAM> {};

TEST_P(ExitMessage, EndsItWithoutApplyingAndClosesTheWarning)
{
    const std::string before = ReadFileBytes(SettingsFile());
    const HWND redField = RedField();
    ASSERT_NE(redField, m_wnd);
    Click(m_wnd, Centre(SkinPlace(L"LED", L"2"), 4 * kModeRowSpacing)); // mode 5, which has no colours
    ASSERT_TRUE(Eventually([&] { return !::IsWindowVisible(redField); })) << "an unapplied change";
    ASSERT_NE(OpenWarning(), nullptr);

    ::PostMessageW(m_wnd, kProgramExit, GetParam(), 0);
    EXPECT_EQ(m_program->WaitForExit(), kCleanExit);
    EXPECT_EQ(ReadFileBytes(SettingsFile()), before);
}

INSTANTIATE_TEST_SUITE_P(Codes, ExitMessage, testing::ValuesIn(kExitCodes));

TEST_F(WindowBehaviour, RestoreMessageShowsAMinimisedWindow)
{
    ::ShowWindow(m_wnd, SW_MINIMIZE);
    ASSERT_TRUE(Eventually([&] { return ::IsIconic(m_wnd) != FALSE; }));
    ::PostMessageW(m_wnd, kProgramRestore, 0, 0);
    EXPECT_TRUE(Eventually([&] { return ::IsIconic(m_wnd) == FALSE && ::IsWindowVisible(m_wnd); }));
}

// Asked to show itself while another program is in front, the window comes to the front, not
// only back from the taskbar.
TEST_F(WindowBehaviour, RestoreMessageBringsTheWindowToTheFront)
{
    const ForeignWindow other;
    ASSERT_TRUE(other.ComesToTheFront());
    ::PostMessageW(m_wnd, kProgramRestore, 0, 0);
    EXPECT_TRUE(poll::PumpUntil([&] { return ::GetForegroundWindow() == m_wnd; }));
}

// The list is a pop-up that never takes activation: turning to another program must close it,
// or it would stay above that program's windows.
TEST_F(WindowBehaviour, AnOpenListClosesWhenThePersonTurnsToAnotherProgram)
{
    Click(L"MAIN", L"3"); // the language list
    const HWND list = WaitForList();
    ASSERT_NE(list, nullptr);
    const ForeignWindow other;
    ASSERT_TRUE(other.ComesToTheFront());
    EXPECT_TRUE(ListCloses(list));
}

// The setup asks the program to end while "Save Profile?" is open over an unapplied change: the
// question is closed (as Cancel: nothing is written), so the program ends and its file can be
// replaced. Otherwise the request waits for the person's answer.
TEST_F(WindowBehaviour, ExitMessageClosesAnOpenQuestionFirst)
{
    const std::string before = ReadFileBytes(SettingsFile());
    ClickMode(4);          // an edit in profile 1
    Click(L"MAIN", L"22"); // profile 2: the question
    ASSERT_NE(WaitForQuestion(), nullptr);

    ::PostMessageW(m_wnd, kProgramExit, kExitCodes[0], 0);
    EXPECT_EQ(m_program->WaitForExit(), kCleanExit);
    EXPECT_EQ(ReadFileBytes(SettingsFile()), before);
}

TEST_F(WindowBehaviour, F1AppliesOpensTheHelpAndEnds)
{
    // The prefix opens PDF documents with the stand-in viewer, which logs each one.
    const std::wstring viewerLog = service::DataFolder() + L"viewer.log";
    ::DeleteFileW(viewerLog.c_str());
    Click(m_wnd, Centre(SkinPlace(L"LED", L"2"), 3 * kModeRowSpacing)); // mode 4
    input::Tap(VK_F1);
    EXPECT_EQ(m_program->WaitForExit(), kCleanExit);
    SettingsBlock stored{}, saved{};
    LoadSettings(SettingsFile(), stored, saved);
    EXPECT_EQ(stored.profiles[0].dram.effects[0].mode, 4);
    ASSERT_TRUE(Eventually([&] { return !ReadFileBytes(viewerLog).empty(); }));
    // The document beside the executable, though the program was started from another folder.
    const std::wstring help = TestProgramFolder() + L"Help\\Help.pdf";
    const std::string logged = ReadFileBytes(viewerLog);
    EXPECT_NE(logged.find(std::string(help.begin(), help.end())), std::string::npos) << logged;
}

namespace {

// The prefix's association of PDF documents pointed at a document class without a program for
// the test's life, as on a machine without a PDF viewer; put back when it ends.
class NoDocumentViewer {
public:
    NoDocumentViewer()
    {
        ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPdfKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, m_key.put());
        wchar_t saved[128] = {};
        DWORD bytes = sizeof(saved) - sizeof(wchar_t);
        if (m_key && ::RegQueryValueExW(m_key.get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(saved),
                                        &bytes) == ERROR_SUCCESS)
            m_saved = saved;
        Set(kNoProgram);
    }
    ~NoDocumentViewer() { Set(m_saved); }
    NoDocumentViewer(const NoDocumentViewer&) = delete;
    NoDocumentViewer& operator=(const NoDocumentViewer&) = delete;

    bool Taken() const { return m_key && !m_saved.empty(); }

private:
    static constexpr const wchar_t* kPdfKey = L"Software\\Classes\\.pdf";
    static constexpr const wchar_t* kNoProgram = L"Veldrian.NoViewer";

    void Set(const std::wstring& documentClass) const
    {
        if (m_key)
            ::RegSetValueExW(m_key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(documentClass.c_str()),
                             static_cast<DWORD>((documentClass.size() + 1) * sizeof(wchar_t)));
    }

    RegKey m_key;
    std::wstring m_saved;
};

// The texts of a window's children (a message box's text stands in one of them).
std::wstring ChildTexts(HWND wnd)
{
    std::wstring texts;
    ::EnumChildWindows(
        wnd,
        [](HWND child, LPARAM param) {
            wchar_t text[512] = {};
            ::GetWindowTextW(child, text, static_cast<int>(std::size(text)));
            *reinterpret_cast<std::wstring*>(param) += std::wstring(text) + L"\n";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

} // namespace

// Without a program for PDF documents the person is told where the guide lies, in a message
// owned by the window, instead of seeing nothing happen.
TEST_F(WindowBehaviour, F1WithoutADocumentViewerShowsWhereTheGuideIs)
{
    const NoDocumentViewer noViewer;
    ASSERT_TRUE(noViewer.Taken()) << "the prefix opens PDF documents with the stand-in viewer";
    input::Tap(VK_F1);
    HWND message = nullptr;
    ASSERT_TRUE(Eventually([&] {
        for (HWND wnd : ShownWindows())
            if (wnd != m_wnd && TextOf(wnd) == L"VELDRIAN RGB Control")
                message = wnd;
        return message != nullptr;
    }));
    EXPECT_EQ(::GetWindow(message, GW_OWNER), m_wnd);
    const std::wstring help = TestProgramFolder() + L"Help\\Help.pdf";
    EXPECT_NE(ChildTexts(message).find(help), std::wstring::npos) << ChildTexts(message);
    ::PostMessageW(message, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(m_program->WaitForExit(), kCleanExit);
}

TEST_F(WindowBehaviour, TheSsdQuestionMasksTheWindowAndRetryAddsTheGroupOnceFound)
{
    const HWND warning = OpenWarning();
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(ShownWindows().size(), 3u) << "the window, its mask and the question";
    EXPECT_FALSE(::IsWindowEnabled(m_wnd));
    EXPECT_TRUE(SaveWindowShot(m_wnd, L"warning-over-mask"));

    const POINT retry = Centre(SkinPlace(L"WARN", L"2"));
    ::CopyFileW((TestProgramFolder() + L"devices\\dram\\dimm-a2.xml").c_str(), (m_devices / L"ssd\\ssd1.xml").c_str(),
                FALSE);
    Click(warning, retry);
    ASSERT_TRUE(Eventually([&] { return !::IsWindow(warning); }));
    // The mask goes after the group is shown.
    EXPECT_TRUE(Eventually([&] { return ShownWindows().size() == 1; })) << "the mask went with the question";
    EXPECT_TRUE(m_program->Running());

    const SkinRect group = SkinPlace(L"MAIN", L"11");
    const HWND ssdButton = ChildAt(m_wnd, Centre(group, kGroupSpacing));
    EXPECT_NE(ssdButton, m_wnd) << "the SSD group button stands under the DRAM one";
    EXPECT_TRUE(SaveWindowShot(m_wnd, L"main-with-ssd"));

    const HWND again = OpenWarning();
    ASSERT_NE(again, nullptr);
    ::CopyFileW((TestProgramFolder() + L"devices\\dram\\dimm-a2.xml").c_str(), (m_devices / L"ssd\\ssd2.xml").c_str(),
                FALSE);
    Click(again, retry);
    ASSERT_TRUE(Eventually([&] { return !::IsWindow(again) && ShownWindows().size() == 1; }));
    EXPECT_EQ(ChildAt(m_wnd, Centre(group, 2 * kGroupSpacing)), m_wnd) << "the group is never added twice";
}

// Cancel ends the program only while the question is up: the retry before it, finding no SSD,
// must have left it there.
TEST_F(WindowBehaviour, ARetryWithoutSsdKeepsTheQuestionAndCancelEndsTheProgram)
{
    const HWND warning = OpenWarning();
    ASSERT_NE(warning, nullptr);
    Click(warning, Centre(SkinPlace(L"WARN", L"2")));
    Click(warning, Centre(SkinPlace(L"WARN", L"1")));
    EXPECT_EQ(m_program->WaitForExit(), kCleanExit);
}
