// Creating the main window: DRAM discovery through the registered stand-in provider (as a
// driver package registers it, and as others might), the available groups, the service started
// once, the program folder made current.
#include "mainwnd/HalcyDlg.h"

#include "DebugTrace.h"
#include "ProgramFolderFixture.h"

#include "framework/Handles.h"

#include <gmock/gmock.h>

namespace {

class MainDialogStart : public ProgramFolderFixture {};

// The stand-in provider registered by itself with its registration options for the test's
// life (a threading model; the registry view), then as the prefix registers it again.
class ProviderRegisteredAs {
public:
    ProviderRegisteredAs(const wchar_t* threadingModel, const wchar_t* registryView)
        : m_module(::LoadLibraryW((TestProgramFolder() + L"LightingProvider.dll").c_str()))
    {
        m_registered = Register(threadingModel, registryView);
    }
    ~ProviderRegisteredAs() { Register(nullptr, nullptr); }
    ProviderRegisteredAs(const ProviderRegisteredAs&) = delete;
    ProviderRegisteredAs& operator=(const ProviderRegisteredAs&) = delete;

    bool Registered() const noexcept { return m_registered; }

private:
    static constexpr const wchar_t* kThreadingModelVariable = L"VELDRIAN_STANDIN_THREADING_MODEL";
    static constexpr const wchar_t* kRegistryViewVariable = L"VELDRIAN_STANDIN_REGISTRY_VIEW";

    bool Register(const wchar_t* threadingModel, const wchar_t* registryView) const
    {
        using Entry = HRESULT(STDAPICALLTYPE*)();
        const auto registerServer =
            reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(m_module.get(), "DllRegisterServer")));
        ::SetEnvironmentVariableW(kThreadingModelVariable, threadingModel);
        ::SetEnvironmentVariableW(kRegistryViewVariable, registryView);
        const bool registered = registerServer && SUCCEEDED(registerServer());
        ::SetEnvironmentVariableW(kThreadingModelVariable, nullptr);
        ::SetEnvironmentVariableW(kRegistryViewVariable, nullptr);
        return registered;
    }

    ModuleHandle m_module;
    bool m_registered = false;
};

std::wstring CurrentFolder()
{
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    return std::wstring(folder) + L"\\";
}

} // namespace

TEST_F(MainDialogStart, FindsTheDemoModulesOffersDramAndStartsTheService)
{
    ::SetCurrentDirectoryW(L"C:\\");
    CHalcyDlg dialog;
    ASSERT_TRUE(dialog.Create());

    const DeviceList& devices = dialog.Devices();
    ASSERT_EQ(devices.DeviceCount(kGroupDram), 2);
    const DeviceRecord& first = devices.Documents(kGroupDram)[0].devices.at(0);
    EXPECT_EQ(first.name, "VELDRIAN DDR5-6000 16GB RGB (DIMM A2)");
    EXPECT_EQ(first.led_count, 10);
    EXPECT_EQ(first.ledNames.size(), 10u);
    EXPECT_FALSE(first.effects.empty());
    EXPECT_EQ(devices.Documents(kGroupDram)[1].devices.at(0).name, "VELDRIAN DDR5-6000 16GB RGB (DIMM B2)");
    EXPECT_EQ(devices.DeviceCount(kGroupSsd), 0) << "SSD discovery waits for the warning dialog";

    EXPECT_THAT(dialog.AvailableGroups(), testing::ElementsAre(kGroupDram));
    EXPECT_EQ(dialog.CurrentGroup(), kGroupDram);
    EXPECT_TRUE(SamePath(CurrentFolder(), TestProgramFolder())) << CurrentFolder();

    // The start is made while the window is created: the process exists by now.
    EXPECT_EQ(service::ProcessIds().size(), 1u);
    EXPECT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1; }));
    dialog.DestroyWindow();
}

TEST_F(MainDialogStart, StartsNoSecondServiceWhileOneRuns)
{
    StartLightingService();
    ASSERT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1; }));
    const std::set<DWORD> running = service::ProcessIds();

    CHalcyDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(service::ProcessIds(), running);
    dialog.DestroyWindow();
}

// A provider of the multithreaded apartment ("Free") cannot be handed to the window's
// single-threaded apartment: its interfaces have no proxy. It is asked on a thread of its own
// apartment, and its devices are found as any provider's.
TEST_F(MainDialogStart, AFreeThreadedProviderIsAskedInItsOwnApartment)
{
    const ProviderRegisteredAs freeThreaded(L"Free", nullptr);
    ASSERT_TRUE(freeThreaded.Registered());
    CHalcyDlg dialog;
    ASSERT_TRUE(dialog.Create());
    const DeviceList& devices = dialog.Devices();
    ASSERT_EQ(devices.DeviceCount(kGroupDram), 2);
    EXPECT_EQ(devices.Documents(kGroupDram)[1].devices.at(0).name, "VELDRIAN DDR5-6000 16GB RGB (DIMM B2)");
    dialog.DestroyWindow();
}

// A 32-bit driver package registers its provider where only 32-bit programs look: this program
// cannot load it, shows the group without devices, and names the provider in a debug trace line
// so support can tell why.
TEST_F(MainDialogStart, AListedProviderThatCannotBeCreatedIsNamedInATraceLine)
{
    const ProviderRegisteredAs broken(nullptr, nullptr); // put back whole when the test ends
    ASSERT_TRUE(broken.Registered());
    const std::wstring missing = TestProgramFolder() + L"NoSuchProvider.dll";
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CLASSES_ROOT, L"CLSID\\{84D8717B-4E1F-4607-9C1A-14E1BDB7B675}\\InprocServer32",
                                nullptr, REG_SZ, missing.c_str(),
                                static_cast<DWORD>((missing.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    const DebugTrace trace;
    CHalcyDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.Devices().DeviceCount(kGroupDram), 0);
    EXPECT_THAT(trace.Text(),
                testing::HasSubstr("{84D8717B-4E1F-4607-9C1A-14E1BDB7B675} is listed but could not be created"));
    dialog.DestroyWindow();
}

TEST_F(MainDialogStart, AProviderOnlyThirtyTwoBitProgramsCanLoadIsNamedInATraceLine)
{
    const ProviderRegisteredAs thirtyTwoBit(nullptr, L"32");
    ASSERT_TRUE(thirtyTwoBit.Registered());
    const DebugTrace trace;
    CHalcyDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.Devices().DeviceCount(kGroupDram), 0);
    EXPECT_THAT(trace.Text(), testing::HasSubstr("{84D8717B-4E1F-4607-9C1A-14E1BDB7B675}"));
    EXPECT_THAT(trace.Text(), testing::HasSubstr("LightingProvider.dll"));
    EXPECT_THAT(trace.Text(), testing::HasSubstr("32-bit"));
    dialog.DestroyWindow();
}
