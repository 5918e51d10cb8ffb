// Provider enumeration against COM classes of this test program: registered as the DRAM and
// SSD provider classes for this process, with a provider listing of the test's own that stands
// in for the classes root.
#include "devices/DeviceList.h"
#include "devices/LightingProvider.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "settings/SettingsBlock.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Descriptor = std::optional<std::wstring>;

std::wstring DeviceWithLeds(int leds)
{
    return L"<d><device><layout><led_count>" + std::to_wstring(leds) + L"</led_count></layout></device></d>";
}

// Objects of this test still alive: every device and provider handed out must be released.
int g_liveObjects = 0;

template <class Interface>
class CTestObject : public Interface {
public:
    CTestObject() { ++g_liveObjects; }
    virtual ~CTestObject() { --g_liveObjects; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (::IsEqualIID(riid, IID_IUnknown) || ::IsEqualIID(riid, InterfaceId())) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual const IID& InterfaceId() const = 0;

private:
    ULONG m_references = 1;
};

class CTestDevice : public CTestObject<ILightingDevice> {
public:
    explicit CTestDevice(Descriptor descriptor) : m_descriptor(std::move(descriptor)) {}
    HRESULT STDMETHODCALLTYPE GetDescriptor(BSTR* descriptor) override
    {
        *descriptor = m_descriptor ? ::SysAllocString(m_descriptor->c_str()) : nullptr;
        return S_OK;
    }

protected:
    const IID& InterfaceId() const override { return IID_IUnknown; }

private:
    Descriptor m_descriptor;
};

// What a test provider answers, and what it was asked.
struct ProviderScript {
    std::vector<Descriptor> descriptors;
    std::optional<ULONG> reportedCount;     // first answer, when not the number of descriptors
    std::optional<ULONG> countAfterFilling; // second answer, when not the number filled
    bool leaveSlotsEmpty = false;
    int created = 0;
    int getDevicesCalls = 0;
};

class CTestProvider : public CTestObject<ILightingProvider> {
public:
    explicit CTestProvider(ProviderScript& script) : m_script(script) {}
    HRESULT STDMETHODCALLTYPE GetDevices(ILightingDevice** devices, ULONG* count) override
    {
        ++m_script.getDevicesCalls;
        const ULONG total = static_cast<ULONG>(m_script.descriptors.size());
        if (!devices) {
            *count = m_script.reportedCount.value_or(total);
            return S_OK;
        }
        const ULONG filled = std::min(*count, total);
        for (ULONG i = 0; i < filled; ++i)
            devices[i] = m_script.leaveSlotsEmpty ? nullptr : new CTestDevice(m_script.descriptors[i]);
        *count = m_script.countAfterFilling.value_or(filled);
        return S_OK;
    }

protected:
    const IID& InterfaceId() const override { return kIidLightingProvider; }

private:
    ProviderScript& m_script;
};

class CTestFactory : public IClassFactory {
public:
    explicit CTestFactory(ProviderScript& script) : m_script(script) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (::IsEqualIID(riid, IID_IUnknown) || ::IsEqualIID(riid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the test's stack: reference counting is not its business.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID riid, void** object) override
    {
        ++m_script.created;
        auto* provider = new CTestProvider(m_script);
        const HRESULT result = provider->QueryInterface(riid, object);
        provider->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    ProviderScript& m_script;
};

// One provider class served by this process while the object lives.
class ClassRegistration {
public:
    ClassRegistration(const CLSID& clsid, ProviderScript& script) : m_factory(script)
    {
        ::CoRegisterClassObject(clsid, &m_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie);
    }
    ~ClassRegistration() { ::CoRevokeClassObject(m_cookie); }
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;

private:
    CTestFactory m_factory;
    DWORD m_cookie = 0;
};

// A classes root of the test's own for this process, holding the provider listing with the
// given subkey names (none: no listing key at all).
class ScopedClassesRoot {
public:
    explicit ScopedClassesRoot(const std::optional<std::vector<std::wstring>>& listing)
    {
        m_path = L"Software\\VeldrianTests\\Classes" + std::to_wstring(::GetCurrentProcessId());
        ::RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, m_root.put(),
                          nullptr);
        if (listing)
            for (const std::wstring& name : *listing) {
                RegKey entry;
                ::RegCreateKeyExW(m_root.get(), (std::wstring(kProviderListingKey) + L"\\" + name).c_str(), 0, nullptr,
                                  0, KEY_ALL_ACCESS, nullptr, entry.put(), nullptr);
            }
        if (listing && listing->empty()) {
            RegKey entry;
            ::RegCreateKeyExW(m_root.get(), kProviderListingKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, entry.put(),
                              nullptr);
        }
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, m_root.get());
    }
    ~ScopedClassesRoot()
    {
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        m_root.reset();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    }
    ScopedClassesRoot(const ScopedClassesRoot&) = delete;
    ScopedClassesRoot& operator=(const ScopedClassesRoot&) = delete;

private:
    std::wstring m_path;
    RegKey m_root;
};

const std::wstring kDramName = L"{84D8717B-4E1F-4607-9C1A-14E1BDB7B675}";
const std::wstring kSsdName = L"{2B8E611F-0B51-4FAC-87BB-AF50D82E7DDA}";
const std::wstring kOtherName = L"{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";

class DeviceListTest : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(g_liveObjects, 0) << "every provider and device is released"; }

    ComApartment m_com;
    ProviderScript m_dram;
    ProviderScript m_ssd;
    ClassRegistration m_dramClass{kClsidDramProvider, m_dram};
    ClassRegistration m_ssdClass{kClsidSsdProvider, m_ssd};
};

} // namespace

TEST_F(DeviceListTest, AProviderWithNoDevicesIsAskedOnce)
{
    ScopedClassesRoot root(std::vector{kDramName});
    DeviceList list;
    EXPECT_FALSE(list.DiscoverDram());
    EXPECT_EQ(m_dram.created, 1);
    EXPECT_EQ(m_dram.getDevicesCalls, 1);
    EXPECT_EQ(list.DeviceCount(kGroupDram), 0);
}

TEST_F(DeviceListTest, EveryDeviceGivesADocumentInProviderOrder)
{
    m_dram.descriptors = {DeviceWithLeds(5), std::nullopt, L"<not xml", DeviceWithLeds(10)};
    ScopedClassesRoot root(std::vector{kDramName});
    DeviceList list;
    EXPECT_TRUE(list.DiscoverDram());
    EXPECT_EQ(m_dram.getDevicesCalls, 2);
    ASSERT_EQ(list.DeviceCount(kGroupDram), 4);
    const std::vector<DeviceDocument>& documents = list.Documents(kGroupDram);
    EXPECT_EQ(documents[0].devices.at(0).led_count, 5);
    EXPECT_TRUE(documents[1].devices.empty()) << "a null descriptor still counts as a device";
    EXPECT_TRUE(documents[2].devices.empty()) << "so does a malformed one";
    EXPECT_EQ(documents[3].devices.at(0).led_count, 10);
    EXPECT_EQ(list.DeviceCount(kGroupSsd), 0);
}

TEST_F(DeviceListTest, OnlyTheListedClassOfTheGroupIsCreated)
{
    m_dram.descriptors = {DeviceWithLeds(8)};
    m_ssd.descriptors = {DeviceWithLeds(4)};
    ScopedClassesRoot root(std::vector{kDramName, kOtherName, std::wstring(L"not a class"), std::wstring()});
    DeviceList list;
    EXPECT_TRUE(list.DiscoverDram());
    EXPECT_EQ(m_dram.created, 1);
    EXPECT_FALSE(list.DiscoverSsd());
    EXPECT_EQ(m_ssd.created, 0) << "the SSD provider is not listed";
    EXPECT_EQ(list.DeviceCount(kGroupDram), 1);
}

TEST_F(DeviceListTest, ARunReplacesItsOwnGroupOnly)
{
    m_dram.descriptors = {DeviceWithLeds(8), DeviceWithLeds(8)};
    m_ssd.descriptors = {DeviceWithLeds(4), DeviceWithLeds(4), DeviceWithLeds(4)};
    ScopedClassesRoot root(std::vector{kSsdName, kDramName});
    DeviceList list;
    EXPECT_TRUE(list.DiscoverDram());
    EXPECT_TRUE(list.DiscoverSsd());
    EXPECT_TRUE(list.DiscoverSsd());
    EXPECT_EQ(list.DeviceCount(kGroupSsd), 3);
    EXPECT_EQ(list.DeviceCount(kGroupDram), 2);

    m_ssd.descriptors.clear();
    EXPECT_FALSE(list.DiscoverSsd());
    EXPECT_EQ(list.DeviceCount(kGroupSsd), 0);
    EXPECT_EQ(list.DeviceCount(kGroupDram), 2);
}

TEST_F(DeviceListTest, NoListingOrNoClassFindsNothing)
{
    m_dram.descriptors = {DeviceWithLeds(8)};
    for (const std::optional<std::vector<std::wstring>>& listing :
         {std::optional<std::vector<std::wstring>>(), std::optional(std::vector<std::wstring>{})}) {
        ScopedClassesRoot root(listing);
        DeviceList list;
        EXPECT_FALSE(list.DiscoverDram());
    }
    EXPECT_EQ(m_dram.created, 0);
}

// Counts a provider should not be trusted with, and second answers that disagree with the
// first: the run neither allocates for nor reads past what it asked for.
TEST_F(DeviceListTest, AbsurdOrChangingCountsAreHandledSafely)
{
    struct Case {
        const char* name;
        std::optional<ULONG> reported;
        std::optional<ULONG> afterFilling;
        bool leaveSlotsEmpty;
        int expectedDocuments;
        int expectedCalls;
    };
    const Case cases[] = {
        {"four billion devices", 4000000000u, std::nullopt, false, 0, 1},
        {"just above the bound", kMaxDevicesPerProvider + 1, std::nullopt, false, 0, 1},
        {"count raised on the second call", std::nullopt, 1000000u, false, 3, 2},
        {"count lowered on the second call", std::nullopt, 1u, false, 1, 2},
        {"slots left empty", std::nullopt, std::nullopt, true, 3, 2},
    };
    ScopedClassesRoot root(std::vector{kDramName});
    for (const Case& c : cases) {
        m_dram = ProviderScript{
            {DeviceWithLeds(1), DeviceWithLeds(2), DeviceWithLeds(3)}, c.reported, c.afterFilling, c.leaveSlotsEmpty};
        DeviceList list;
        EXPECT_EQ(list.DiscoverDram(), c.expectedDocuments > 0) << c.name;
        EXPECT_EQ(list.DeviceCount(kGroupDram), c.expectedDocuments) << c.name;
        EXPECT_EQ(m_dram.getDevicesCalls, c.expectedCalls) << c.name;
        EXPECT_EQ(g_liveObjects, 0) << c.name;
    }
}
