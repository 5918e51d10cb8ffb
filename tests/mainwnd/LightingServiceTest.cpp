// The lighting service started, stopped and restarted for real: the stand-in hid.exe, its
// window, its processes and its log, with Apply writing the file the new service reads.
#include "devices/LightingService.h"
#include "mainwnd/HalcyDlg.h"
#include "settings/SettingsStore.h"

#include "DebugTrace.h"
#include "MainWindowFixture.h"
#include "TempFolder.h"

#include <cstring>

namespace {

class LightingService : public ProgramFolderFixture {};

bool OneServiceLogged(size_t logLinesBefore)
{
    return service::Windows().size() == 1 && service::ProcessIds().size() == 1 &&
           service::LogLinesSince(logLinesBefore).size() == 1;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

constexpr const wchar_t* kCloseBehaviour = L"VELDRIAN_STANDIN_SERVICE_CLOSE";
constexpr int kModeWithoutColours = 5;
constexpr DWORD kShortEndLimitMs = 1000;

// How the stand-in services this test program starts take a close request, while the object
// lives: they inherit the setting from this process.
class ServicesClose {
public:
    explicit ServicesClose(const wchar_t* behaviour) { ::SetEnvironmentVariableW(kCloseBehaviour, behaviour); }
    ~ServicesClose() { ::SetEnvironmentVariableW(kCloseBehaviour, nullptr); }
    ServicesClose(const ServicesClose&) = delete;
    ServicesClose& operator=(const ServicesClose&) = delete;
};

// Services made to ignore the close request are ended by force when the test ends.
struct ServicesEndedAtExit {
    ~ServicesEndedAtExit() { EXPECT_TRUE(service::EndAll()); }
};

// A shorter wait for the old service than the program's own, while the object lives.
class ServiceEndLimit {
public:
    explicit ServiceEndLimit(DWORD limitMs) { SetServiceEndLimitForTesting(limitMs); }
    ~ServiceEndLimit() { SetServiceEndLimitForTesting(0); }
    ServiceEndLimit(const ServiceEndLimit&) = delete;
    ServiceEndLimit& operator=(const ServiceEndLimit&) = delete;
};

SettingsBlock StoredSettings()
{
    SettingsBlock block{};
    ApplyFirstRunDefaults(block);
    ReadAllSettings(SettingsFilePath(), block);
    return block;
}

} // namespace

// The service is started by its exact path: a folder name with spaces must not let the
// platform try "...\Program.exe" first, and letters outside the ANSI code page must survive.
TEST_F(LightingService, StartsExactlyTheServiceOfTheProgramFolder)
{
    TempFolder temp;
    const std::wstring folder = temp / L"Program Files \u0393\u03BB\u03CE\u03C3\u03C3\u03B1 \u5149\u5F69\\";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring builtService = TestProgramFolder() + kServiceExeName;
    ASSERT_TRUE(::CopyFileW(builtService.c_str(), (folder + kServiceExeName).c_str(), FALSE));
    // What an unquoted command line would start instead.
    ASSERT_TRUE(::CopyFileW(builtService.c_str(), (temp / L"Program.exe").c_str(), FALSE));
    SetProgramFolderForTesting(folder);
    InitProgramFolder();

    const size_t logged = service::LogLines().size();
    StartLightingService();
    ASSERT_TRUE(service::WaitUntil([&] { return OneServiceLogged(logged); }));
    const DWORD started = service::ProcessOf(service::Windows()[0]);
    EXPECT_TRUE(SamePath(service::ImagePath(started), folder + kServiceExeName)) << service::ImagePath(started);
    EXPECT_TRUE(Contains(service::LogLinesSince(logged)[0], " arguments=0 show=5 ")) << "started plainly shown";

    ASSERT_TRUE(service::StopAll()); // before the folder goes
}

TEST_F(LightingService, StopAsksTheServiceToCloseAndStartIgnoresARunningOne)
{
    StartLightingService();
    ASSERT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1; }));
    const std::set<DWORD> running = service::ProcessIds();
    StartLightingService();
    EXPECT_EQ(service::ProcessIds(), running);

    StopLightingService();
    EXPECT_TRUE(service::WaitUntil([] { return service::Windows().empty() && service::ProcessIds().empty(); }));
    StopLightingService(); // nothing to stop: nothing happens
}

TEST_F(LightingService, ApplyWithNoServiceStartsOneAfterThePause)
{
    CHalcyDlg dialog;
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(service::StopAll());

    const size_t logged = service::LogLines().size();
    const ULONGLONG applied = service::Now();
    dialog.ApplySettings();
    ASSERT_TRUE(service::WaitUntil([&] { return OneServiceLogged(logged); }));
    const DWORD started = *service::ProcessIds().begin();
    // A little slack for clock granularity; the pause itself is 200 ms.
    constexpr ULONGLONG kSlackMs = 10;
    EXPECT_GE(service::CreationTime(started), applied + (kServiceStopPauseMs - kSlackMs) * service::kTicksPerMs);
    dialog.DestroyWindow();
}

TEST_F(LightingService, ApplyRestartsARunningServiceOnTheFileJustWritten)
{
    // The live block gets distinctive values from the file...
    SettingsBlock live{};
    ApplyFirstRunDefaults(live);
    live.CurrentProfile = 2;
    live.led_sw = 0;
    live.razer_sw = 0;
    live.profiles[2].dram.effects[0].mode = 9;
    live.profiles[2].dram.effects[0].speed = -2;
    WriteAllSettings(live, SettingsFilePath());
    CHalcyDlg dialog;
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1; }));
    KernelHandle old(::OpenProcess(SYNCHRONIZE, FALSE, service::ProcessOf(service::Windows()[0])));

    // ...which then holds something else, so the new service shows what Apply wrote.
    SettingsBlock other = live;
    other.CurrentProfile = 1;
    other.led_sw = 1;
    WriteAllSettings(other, SettingsFilePath());

    const size_t logged = service::LogLines().size();
    dialog.ApplySettings();
    EXPECT_EQ(::WaitForSingleObject(old.get(), service::kWaitMs), WAIT_OBJECT_0) << "the old service closed";
    ASSERT_TRUE(service::WaitUntil([&] { return OneServiceLogged(logged); }));
    const std::string line = service::LogLinesSince(logged)[0];
    EXPECT_TRUE(Contains(line, " CurrentProfile=2 led_sw=0 ")) << line;
    EXPECT_TRUE(Contains(line, " razer_sw=0 ")) << line;
    EXPECT_TRUE(Contains(line, " record=0 mode=9 ")) << line;
    EXPECT_TRUE(Contains(line, " speed=-2 ")) << line;

    SettingsBlock written{};
    ReadAllSettings(SettingsFilePath(), written);
    EXPECT_EQ(written.CurrentProfile, 2);
    EXPECT_EQ(std::memcmp(&dialog.SavedSettings(), &dialog.LiveSettings(), sizeof(SettingsBlock)), 0);
    dialog.DestroyWindow();
}

// A service that takes seconds to close (putting its LEDs and driver down), or that asks the
// main window something while it closes (which a thread sleeping through the wait would never
// answer): Apply waits for the old service's process, handling the window's messages, and
// starts the new one once it has ended. One service runs afterwards, the new one, on the file
// Apply wrote.
class ServiceRestart : public LightingService, public testing::WithParamInterface<const wchar_t*> {};

TEST_P(ServiceRestart, ApplyEndsWithOneNewServiceOnTheFileJustWritten)
{
    const ServicesClose closing(GetParam());
    CHalcyDlg dialog;
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1; }));
    const DWORD oldId = service::ProcessOf(service::Windows()[0]);
    KernelHandle old(::OpenProcess(SYNCHRONIZE, FALSE, oldId));
    HalcyDlgTestAccess{dialog}.cfg().CurrentProfile = 3; // what only the new file holds

    const size_t logged = service::LogLines().size();
    dialog.ApplySettings();
    EXPECT_EQ(::WaitForSingleObject(old.get(), 0), WAIT_OBJECT_0) << "the old service had ended";
    ASSERT_TRUE(service::WaitUntil([&] { return OneServiceLogged(logged); }));
    EXPECT_NE(service::ProcessOf(service::Windows()[0]), oldId);
    const std::string line = service::LogLinesSince(logged)[0];
    EXPECT_TRUE(Contains(line, " CurrentProfile=3 ")) << line;
    dialog.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(StandInServices, ServiceRestart, testing::Values(L"slow", L"ping"));

// A service whose window takes no notice of the request (as when Windows keeps a program from
// reaching a service with higher rights) is left as it is: no second service beside it, and a
// debug trace line says why.
TEST_F(LightingService, AServiceThatCannotBeClosedIsLeftRunningAlone)
{
    const ServicesEndedAtExit cleanUp;
    const ServicesClose closing(L"never");
    const ServiceEndLimit limit(kShortEndLimitMs);
    CHalcyDlg dialog;
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1; }));
    const std::set<DWORD> running = service::ProcessIds();

    const DebugTrace trace;
    dialog.ApplySettings();
    EXPECT_EQ(service::ProcessIds(), running) << "a started service is there as soon as its start returns";
    EXPECT_TRUE(Contains(trace.Text(), "lighting service was left running")) << trace.Text();
    dialog.DestroyWindow();
}

// While Apply waits for the service the window carries out no command: a mode chosen and Apply
// pressed again (notifications still queued, or messages from another program) would change
// the file and restart the service halfway through this Apply. A close request ends the
// window once Apply is done, without a second Apply.
TEST_F(LightingService, CommandsArrivingWhileApplyWaitsAreNotCarriedOut)
{
    const ServicesClose closing(L"slow");
    CHalcyDlg dialog;
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1; }));
    HalcyDlgTestAccess window{dialog};
    const int mode = window.record().mode;
    ASSERT_NE(mode, kModeWithoutColours);

    const auto click = [&](const CWnd& control) {
        dialog.PostMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(control.m_hWnd));
    };
    click(window.mode(kModeWithoutColours));
    click(window.apply());
    dialog.PostMessage(WM_COMMAND, IDCANCEL, 0); // the system close
    const size_t logged = service::LogLines().size();
    dialog.ApplySettings();

    EXPECT_EQ(StoredSettings().current().dram.effects[window.curRecord()].mode, mode);
    EXPECT_EQ(window.record().mode, mode);
    EXPECT_EQ(dialog.ModalResult(), IDCANCEL) << "the close request was taken";
    ASSERT_TRUE(service::WaitUntil([&] { return OneServiceLogged(logged); }));
    dialog.DestroyWindow();
}
