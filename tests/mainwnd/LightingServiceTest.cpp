// The lighting service started, stopped and restarted for real: the stand-in hid.exe, its
// window, its processes and its log, with Apply writing the file the new service reads.
#include "app/LightingService.h"
#include "mainwnd/HalcyDlg.h"
#include "settings/SettingsStore.h"

#include "ProgramFolderFixture.h"
#include "TempFolder.h"

#include <cstring>
#include <future>
#include <thread>

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

// A service window of this test that takes its time to close: the window stays for
// kCloseDelayMs after WM_CLOSE, on a thread of its own.
class SlowService {
public:
    static constexpr DWORD kCloseDelayMs = 700;

    SlowService() : m_thread([this] { Run(); }) { m_window = m_created.get_future().get(); }
    ~SlowService()
    {
        if (::IsWindow(m_window))
            ::PostMessageW(m_window, WM_CLOSE, 0, 0);
        m_thread.join();
    }
    SlowService(const SlowService&) = delete;
    SlowService& operator=(const SlowService&) = delete;

    HWND window() const noexcept { return m_window; }

private:
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_CLOSE) {
            ::Sleep(kCloseDelayMs);
            ::DestroyWindow(wnd);
            return 0;
        }
        if (message == WM_DESTROY)
            ::PostQuitMessage(0);
        return ::DefWindowProcW(wnd, message, wParam, lParam);
    }

    void Run()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"VeldrianTestSlowService";
        ::RegisterClassW(&windowClass);
        HWND wnd = ::CreateWindowExW(0, windowClass.lpszClassName, kServiceWindowCaption, WS_OVERLAPPED, 0, 0, 0, 0,
                                     nullptr, nullptr, windowClass.hInstance, nullptr);
        m_created.set_value(wnd);
        MSG msg;
        while (wnd && ::GetMessageW(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&msg);
    }

    std::promise<HWND> m_created;
    HWND m_window = nullptr;
    std::thread m_thread;
};

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

// A service still closing when the pause is over gets a little longer, rather than leaving
// the lights with no service at all.
TEST_F(LightingService, RestartWaitsForAServiceThatIsSlowToClose)
{
    SlowService slow;
    RestartLightingService();
    EXPECT_FALSE(::IsWindow(slow.window()));
    ASSERT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1 && service::ProcessIds().size() == 1; }));
    const DWORD started = service::ProcessOf(service::Windows()[0]);
    EXPECT_TRUE(SamePath(service::ImagePath(started), TestProgramFolder() + kServiceExeName));
}
