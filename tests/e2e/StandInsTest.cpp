// The stand-ins on their own: the provider DLL (loaded from a copy beside descriptor folders
// of the test's making, registered into a classes root of the test's own) and the message tool.
#include "devices/LightingProvider.h"
#include "framework/Bstr.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"

#include "FileText.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const std::wstring kProgramFolder = WindowsPath(TEST_PROGRAM_DIR) + L"\\";
const std::wstring kToolsFolder = WindowsPath(TEST_TOOLS_DIR) + L"\\";

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using ServerFunction = HRESULT(STDAPICALLTYPE*)();

// A copy of the provider DLL in a folder of the test, with devices\dram\ and devices\ssd\.
class ProviderCopy {
public:
    ProviderCopy()
    {
        ::CreateDirectoryW((m_folder / L"devices").c_str(), nullptr);
        ::CreateDirectoryW(DramFolder().c_str(), nullptr);
        ::CreateDirectoryW((m_folder / L"devices\\ssd").c_str(), nullptr);
        ::CopyFileW((kProgramFolder + L"LightingProvider.dll").c_str(), DllPath().c_str(), FALSE);
    }
    std::wstring DllPath() const { return m_folder / L"LightingProvider.dll"; }
    std::wstring DramFolder() const { return m_folder / L"devices\\dram\\"; }

private:
    TempFolder m_folder;
};

// The provider DLL loaded straight from its file, asked as COM would ask it.
class LoadedProvider {
public:
    explicit LoadedProvider(const std::wstring& dll) : m_module(::LoadLibraryW(dll.c_str())) {}

    ComPtr<ILightingProvider> Create(const CLSID& clsid, HRESULT* result = nullptr) const
    {
        ComPtr<IClassFactory> factory;
        ComPtr<ILightingProvider> provider;
        auto getClassObject = Function<GetClassObjectFunction>("DllGetClassObject");
        HRESULT hr = getClassObject ? getClassObject(clsid, IID_IClassFactory, factory.put_void()) : E_FAIL;
        if (SUCCEEDED(hr))
            hr = factory->CreateInstance(nullptr, kIidLightingProvider, provider.put_void());
        if (result)
            *result = hr;
        return provider;
    }
    HRESULT Call(const char* name) const
    {
        auto function = Function<ServerFunction>(name);
        return function ? function() : E_FAIL;
    }

private:
    template <class F>
    F Function(const char* name) const
    {
        return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(m_module.get(), name)));
    }

    ModuleHandle m_module;
};

// The descriptors of every device of a provider; none for a null one.
std::vector<std::optional<std::wstring>> Descriptors(ILightingProvider& provider, ULONG slots)
{
    std::vector<ILightingDevice*> devices(slots, nullptr);
    ULONG count = slots;
    provider.GetDevices(devices.data(), &count);
    std::vector<std::optional<std::wstring>> texts;
    for (ULONG i = 0; i < count; ++i) {
        Bstr text;
        devices[i]->GetDescriptor(text.put());
        texts.push_back(text ? std::optional(std::wstring(text.view())) : std::nullopt);
        devices[i]->Release();
    }
    return texts;
}

bool KeyExists(HKEY root, const std::wstring& path)
{
    RegKey key;
    return ::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::wstring DefaultText(HKEY root, const std::wstring& path, const wchar_t* value = nullptr)
{
    wchar_t text[MAX_PATH] = {};
    DWORD bytes = sizeof(text);
    ::RegGetValueW(root, path.c_str(), value, RRF_RT_REG_SZ, nullptr, text, &bytes);
    return text;
}

// Runs the message tool with these arguments; its exit code.
DWORD RunMessageTool(const std::wstring& arguments)
{
    const std::wstring exe = kToolsFolder + L"postmsg.exe";
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info))
        return DWORD(-1);
    KernelHandle process(info.hProcess);
    KernelHandle thread(info.hThread);
    constexpr DWORD kToolWaitMs = 10000;
    ::WaitForSingleObject(process.get(), kToolWaitMs);
    DWORD code = DWORD(-1);
    ::GetExitCodeProcess(process.get(), &code);
    return code;
}

} // namespace

TEST(StandInProvider, ServesItsDescriptorFilesInFileNameOrder)
{
    ProviderCopy copy;
    WriteFileBytes(copy.DramFolder() + L"b.xml", "\xEF\xBB\xBF<d><name>Caf\xC3\xA9</name></d>");
    WriteFileBytes(copy.DramFolder() + L"a.null", "");
    WriteFileBytes(copy.DramFolder() + L"C.xml", "<c/>");
    WriteFileBytes(copy.DramFolder() + L"notes.txt", "not a device");
    LoadedProvider dll(copy.DllPath());

    ComPtr<ILightingProvider> dram = dll.Create(kClsidDramProvider);
    ASSERT_TRUE(dram);
    ULONG count = 0;
    dram->GetDevices(nullptr, &count);
    ASSERT_EQ(count, 3u);
    const auto descriptors = Descriptors(*dram.get(), count);
    ASSERT_EQ(descriptors.size(), 3u);
    EXPECT_FALSE(descriptors[0]) << "a.null: a device with a null descriptor";
    EXPECT_EQ(descriptors[1], L"<d><name>Caf\u00E9</name></d>") << "b.xml, read as UTF-8";
    EXPECT_EQ(descriptors[2], L"<c/>");
    EXPECT_EQ(Descriptors(*dram.get(), 1).size(), 1u) << "never more devices than slots";

    ComPtr<ILightingProvider> ssd = dll.Create(kClsidSsdProvider);
    ASSERT_TRUE(ssd);
    count = 7;
    ssd->GetDevices(nullptr, &count);
    EXPECT_EQ(count, 0u);

    HRESULT unknownClass = S_OK;
    EXPECT_FALSE(dll.Create(kIidLightingProvider, &unknownClass));
    EXPECT_EQ(unknownClass, CLASS_E_CLASSNOTAVAILABLE);
}

TEST(StandInProvider, RegistersBothClassesAndTheirListingUnderTheClassesRoot)
{
    ProviderCopy copy;
    LoadedProvider dll(copy.DllPath());
    const std::wstring scratch = L"Software\\VeldrianTests\\Registration" + std::to_wstring(::GetCurrentProcessId());
    RegKey root;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, scratch.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, root.put(),
                                nullptr),
              ERROR_SUCCESS);
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, root.get());

    const std::wstring listing = kProviderListingKey;
    const std::wstring dram = L"{84D8717B-4E1F-4607-9C1A-14E1BDB7B675}";
    const std::wstring ssd = L"{2B8E611F-0B51-4FAC-87BB-AF50D82E7DDA}";
    EXPECT_EQ(dll.Call("DllRegisterServer"), S_OK);
    for (const std::wstring& clsid : {dram, ssd}) {
        EXPECT_EQ(DefaultText(root.get(), L"CLSID\\" + clsid + L"\\InprocServer32"), copy.DllPath());
        EXPECT_EQ(DefaultText(root.get(), L"CLSID\\" + clsid + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
        EXPECT_TRUE(KeyExists(root.get(), listing + L"\\" + clsid));
    }
    EXPECT_EQ(dll.Call("DllUnregisterServer"), S_OK);
    for (const std::wstring& clsid : {dram, ssd}) {
        EXPECT_FALSE(KeyExists(root.get(), L"CLSID\\" + clsid));
        EXPECT_FALSE(KeyExists(root.get(), listing + L"\\" + clsid));
    }

    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    root.reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, scratch.c_str());
}

TEST(MessageTool, PostsToTheWindowFoundByItsCaption)
{
    const std::wstring caption = L"Veldrian message tool test " + std::to_wstring(::GetCurrentProcessId());
    HWND target =
        ::CreateWindowExW(0, L"STATIC", caption.c_str(), WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(target, nullptr);

    struct Case {
        const wchar_t* arguments;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const Case cases[] = {
        {L"4000", 4000, 0, 0},
        {L"WM_USER+600 0x1F -7", WM_USER + 600, 0x1F, -7},
        {L"WM_TIMER 20010", WM_TIMER, 20010, 0},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(RunMessageTool(L"\"" + caption + L"\" " + c.arguments), 0u) << c.arguments;
        MSG msg{};
        ASSERT_TRUE(::PeekMessageW(&msg, target, 0, 0, PM_REMOVE)) << c.arguments;
        EXPECT_EQ(msg.message, c.message) << c.arguments;
        EXPECT_EQ(msg.wParam, c.wParam) << c.arguments;
        EXPECT_EQ(msg.lParam, c.lParam) << c.arguments;
    }
    ::DestroyWindow(target);

    EXPECT_EQ(RunMessageTool(L"\"" + caption + L"\" 4000"), 1u) << "no window with that caption";
    EXPECT_EQ(RunMessageTool(L"\"" + caption + L"\""), 2u) << "no message";
    EXPECT_EQ(RunMessageTool(L"\"" + caption + L"\" 12ab"), 2u) << "not a number";
}
