// The real program as a person and other programs meet it: moving the captionless window,
// the wheel over the mode list, the keyboard, the messages of other programs, and the SSD
// question with its mask.
#include "FileText.h"
#include "InputDriver.h"
#include "ProgramProcess.h"
#include "ServiceProbe.h"
#include "SkinPlaces.h"
#include "TempFolder.h"
#include "WindowShot.h"

#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kCaption = L"VELDRIAN RGB Control_Config";
constexpr const wchar_t* kWarningCaption = L"VELDRIAN RGB Control_Warning";
constexpr UINT kProgramExit = WM_USER + 600;
constexpr WPARAM kExitCode = 1625;
constexpr UINT kProgramRestore = 4000;
constexpr UINT_PTR kSsdWarningTimer = 20010;
constexpr int kModeRowSpacing = 37;
constexpr int kGroupSpacing = 85;

// The visible child of a window under a client point (the window itself on its surface).
HWND ChildAt(HWND wnd, POINT client)
{
    return ::ChildWindowFromPointEx(wnd, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

std::wstring TextOf(HWND wnd)
{
    wchar_t text[64] = {};
    ::SendMessageW(wnd, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return text;
}

template <class Condition>
bool Eventually(Condition condition)
{
    return service::WaitUntil(condition);
}

class WindowBehaviour : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(service::StopAll());
        ::CreateDirectoryW((m_devices / L"dram").c_str(), nullptr);
        ::CreateDirectoryW((m_devices / L"ssd").c_str(), nullptr);
        for (const wchar_t* module : {L"dimm-a2.xml", L"dimm-b2.xml"})
            ::CopyFileW((TestProgramFolder() + L"devices\\dram\\" + module).c_str(),
                        (m_devices / L"dram\\" + module).c_str(), FALSE);
        ::SetEnvironmentVariableW(L"VELDRIAN_STANDIN_DEVICES", m_devices.path().c_str()); // the program inherits it

        SettingsBlock start{};
        ApplyFirstRunDefaults(start);
        start.lan_id = 0; // English: the skin the places are read from
        ::CreateDirectoryW((service::RoamingAppData() + L"\\VELDRIAN").c_str(), nullptr);
        ::CreateDirectoryW(service::DataFolder().c_str(), nullptr);
        WriteAllSettings(start, SettingsFile());

        m_program = std::make_unique<ProgramProcess>();
        m_wnd = m_program->WaitForWindow(kCaption);
        ASSERT_NE(m_wnd, nullptr);
        ::SetForegroundWindow(m_wnd);
        input::Settle(300);
    }
    void TearDown() override
    {
        m_program.reset();
        ::SetEnvironmentVariableW(L"VELDRIAN_STANDIN_DEVICES", nullptr);
        EXPECT_TRUE(service::StopAll());
    }

    static std::wstring SettingsFile() { return service::DataFolder() + L"config"; }

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
        input::Settle(300);
    }

    void Click(HWND wnd, POINT client)
    {
        input::ClickAt(wnd, client.x, client.y);
        input::Settle(150);
    }

    HWND OpenWarning()
    {
        ::PostMessageW(m_wnd, WM_TIMER, kSsdWarningTimer, 0);
        return m_program->WaitForWindow(kWarningCaption);
    }

    // The top-level windows of the program that are shown.
    std::vector<HWND> ShownWindows() const
    {
        struct Search {
            DWORD process;
            std::vector<HWND> found;
        } search{m_program->ProcessId(), {}};
        ::EnumWindows(
            [](HWND wnd, LPARAM param) {
                auto* s = reinterpret_cast<Search*>(param);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(wnd, &owner);
                if (owner == s->process && ::IsWindowVisible(wnd))
                    s->found.push_back(wnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    TempFolder m_devices;
    std::unique_ptr<ProgramProcess> m_program;
    HWND m_wnd = nullptr;
};

} // namespace

TEST_F(WindowBehaviour, TheTopStripMovesTheWindowAndTheRestDoesNot)
{
    ASSERT_EQ(ChildAt(m_wnd, {600, 20}), m_wnd) << "the test needs the surface under the point";
    RECT before{};
    ::GetWindowRect(m_wnd, &before);
    DragOnScreen({600, 20}, 60, 40);
    RECT moved{};
    ::GetWindowRect(m_wnd, &moved);
    EXPECT_EQ(moved.left - before.left, 60);
    EXPECT_EQ(moved.top - before.top, 40);

    ASSERT_EQ(ChildAt(m_wnd, {600, 60}), m_wnd);
    DragOnScreen({600, 60}, 60, 40);
    RECT still{};
    ::GetWindowRect(m_wnd, &still);
    EXPECT_EQ(still.left, moved.left);
    EXPECT_EQ(still.top, moved.top);
}

TEST_F(WindowBehaviour, TheWheelScrollsTheModeListOnlyOverIt)
{
    const POINT topSlot = Centre(SkinPlace(L"LED", L"2"));
    const HWND first = ChildAt(m_wnd, topSlot);
    ASSERT_NE(first, m_wnd);

    input::MoveTo(input::ClientToScreenPoint(m_wnd, topSlot.x, topSlot.y + kModeRowSpacing));
    input::Wheel(-1);
    input::Settle(200);
    const HWND second = ChildAt(m_wnd, topSlot);
    EXPECT_NE(second, first) << "one notch scrolls one mode";

    input::MoveTo(input::ClientToScreenPoint(m_wnd, 700, 470));
    input::Wheel(-1);
    input::Settle(200);
    EXPECT_EQ(ChildAt(m_wnd, topSlot), second) << "the wheel elsewhere leaves the list";

    input::MoveTo(input::ClientToScreenPoint(m_wnd, topSlot.x, topSlot.y));
    input::Wheel(1);
    input::Settle(200);
    EXPECT_EQ(ChildAt(m_wnd, topSlot), first);
}

TEST_F(WindowBehaviour, EscKeepsTheWindowAndEnterTakesAColourField)
{
    input::Tap(VK_ESCAPE);
    input::Settle(300);
    EXPECT_TRUE(m_program->Running());
    EXPECT_TRUE(::IsWindowVisible(m_wnd));

    const POINT redField = Centre(SkinPlace(L"LED", L"31"));
    const HWND field = ChildAt(m_wnd, redField);
    const HWND hex = ChildAt(m_wnd, Centre(SkinPlace(L"LED", L"34")));
    ASSERT_NE(field, m_wnd);
    Click(m_wnd, redField);
    input::Tap(VK_END);
    for (int i = 0; i < 3; ++i)
        input::Tap(VK_BACK);
    input::TypeText(L"100");
    input::Tap(VK_RETURN);
    input::Settle(300);
    EXPECT_EQ(TextOf(hex), L"640000") << "the red field's value was taken";
    EXPECT_TRUE(m_program->Running()) << "Enter never ends the window";
}

TEST_F(WindowBehaviour, AnotherProgramEndsItWithoutApplyingAndClosesTheWarning)
{
    const std::string before = ReadFileBytes(SettingsFile());
    const POINT thirdMode = Centre(SkinPlace(L"LED", L"2"), 2 * kModeRowSpacing);
    Click(m_wnd, thirdMode); // an unapplied change
    ASSERT_NE(OpenWarning(), nullptr);

    ::PostMessageW(m_wnd, kProgramExit, kExitCode, 0);
    EXPECT_NE(m_program->WaitForExit(), STILL_ACTIVE);
    EXPECT_EQ(::FindWindowW(nullptr, kWarningCaption), nullptr);
    EXPECT_EQ(ReadFileBytes(SettingsFile()), before);
}

TEST_F(WindowBehaviour, RestoreMessageShowsAMinimisedWindow)
{
    ::ShowWindow(m_wnd, SW_MINIMIZE);
    ASSERT_TRUE(Eventually([&] { return ::IsIconic(m_wnd) != FALSE; }));
    ::PostMessageW(m_wnd, kProgramRestore, 0, 0);
    EXPECT_TRUE(Eventually([&] { return ::IsIconic(m_wnd) == FALSE && ::IsWindowVisible(m_wnd); }));
}

TEST_F(WindowBehaviour, F1AppliesOpensTheHelpAndEnds)
{
    // The prefix opens PDF documents with the stand-in viewer, which logs each one.
    const std::wstring viewerLog = service::DataFolder() + L"viewer.log";
    ::DeleteFileW(viewerLog.c_str());
    Click(m_wnd, Centre(SkinPlace(L"LED", L"2"), 3 * kModeRowSpacing)); // mode 4
    input::Tap(VK_F1);
    EXPECT_NE(m_program->WaitForExit(), STILL_ACTIVE);
    SettingsBlock stored{}, saved{};
    LoadSettings(SettingsFile(), stored, saved);
    EXPECT_EQ(stored.profiles[0].dram.effects[0].mode, 4);
    ASSERT_TRUE(Eventually([&] { return !ReadFileBytes(viewerLog).empty(); }));
    EXPECT_NE(ReadFileBytes(viewerLog).find("Help\\Help.pdf"), std::string::npos) << ReadFileBytes(viewerLog);
}

TEST_F(WindowBehaviour, TheSsdQuestionMasksTheWindowAndRetryAddsTheGroupOnceFound)
{
    const HWND warning = OpenWarning();
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(ShownWindows().size(), 3u) << "the window, its mask and the question";
    EXPECT_FALSE(::IsWindowEnabled(m_wnd));
    EXPECT_TRUE(SaveWindowShot(m_wnd, L"warning-over-mask"));

    const POINT retry = Centre(SkinPlace(L"WARN", L"2"));
    Click(warning, retry);
    input::Settle(500);
    EXPECT_TRUE(::IsWindow(warning)) << "no SSD yet: the question stays";

    ::CopyFileW((TestProgramFolder() + L"devices\\dram\\dimm-a2.xml").c_str(), (m_devices / L"ssd\\ssd1.xml").c_str(),
                FALSE);
    Click(warning, retry);
    ASSERT_TRUE(Eventually([&] { return !::IsWindow(warning); }));
    EXPECT_TRUE(m_program->Running());
    EXPECT_EQ(ShownWindows().size(), 1u) << "the mask went with the question";

    const SkinRect group = SkinPlace(L"MAIN", L"11");
    const HWND ssdButton = ChildAt(m_wnd, Centre(group, kGroupSpacing));
    EXPECT_NE(ssdButton, m_wnd) << "the SSD group button stands under the DRAM one";
    input::Settle(300);
    EXPECT_TRUE(SaveWindowShot(m_wnd, L"main-with-ssd"));

    ::PostMessageW(m_wnd, WM_TIMER, kSsdWarningTimer, 0);
    input::Settle(500);
    const HWND again = m_program->WaitForWindow(kWarningCaption);
    ASSERT_NE(again, nullptr);
    ::CopyFileW((TestProgramFolder() + L"devices\\dram\\dimm-a2.xml").c_str(), (m_devices / L"ssd\\ssd2.xml").c_str(),
                FALSE);
    Click(again, retry);
    ASSERT_TRUE(Eventually([&] { return !::IsWindow(again); }));
    EXPECT_EQ(ChildAt(m_wnd, Centre(group, 2 * kGroupSpacing)), m_wnd) << "the group is never added twice";
}

TEST_F(WindowBehaviour, CancellingTheSsdQuestionEndsTheProgram)
{
    const HWND warning = OpenWarning();
    ASSERT_NE(warning, nullptr);
    Click(warning, Centre(SkinPlace(L"WARN", L"1")));
    EXPECT_NE(m_program->WaitForExit(), STILL_ACTIVE);
}
