// Creating a provider in its apartment and reading its devices' descriptors.
#include "devices/ProviderQuery.h"

#include "devices/DeviceList.h"
#include "devices/LightingProvider.h"
#include "devices/ProviderListing.h"
#include "framework/Bstr.h"
#include "framework/ComPtr.h"
#include "framework/DebugTraceLine.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>

namespace {

constexpr const wchar_t* kFreeThreaded = L"Free";

// The device objects a provider filled in; each one handed over is released at scope end.
class DeviceSlots {
public:
    explicit DeviceSlots(ULONG count) : m_slots(count, nullptr) {}
    ~DeviceSlots()
    {
        for (ILightingDevice* device : m_slots)
            if (device)
                device->Release();
    }
    DeviceSlots(const DeviceSlots&) = delete;
    DeviceSlots& operator=(const DeviceSlots&) = delete;

    ILightingDevice** data() noexcept { return m_slots.data(); }
    ULONG size() const noexcept { return static_cast<ULONG>(m_slots.size()); }
    ILightingDevice* operator[](ULONG index) const noexcept { return m_slots[index]; }

private:
    std::vector<ILightingDevice*> m_slots;
};

// A missing device object or descriptor still counts as a device, with an empty text.
std::wstring DescriptorOf(ILightingDevice* device)
{
    Bstr descriptor;
    if (device)
        device->GetDescriptor(descriptor.put());
    return std::wstring(descriptor.view());
}

// Creates the provider in the calling thread's apartment and asks it.
std::optional<std::vector<std::wstring>> QueryHere(const CLSID& providerClass)
{
    ComPtr<ILightingProvider> provider;
    if (const HRESULT created =
            ::CoCreateInstance(providerClass, nullptr, CLSCTX_INPROC_SERVER, kIidLightingProvider, provider.put_void());
        FAILED(created)) {
        TraceLineHresult(L"lighting provider " + ClassText(providerClass) +
                             L" is listed but could not be created, so its devices are not shown",
                         created);
        return std::nullopt;
    }
    std::vector<std::wstring> descriptors;
    ULONG count = 0;
    provider->GetDevices(nullptr, &count);
    if (count == 0 || count > kMaxDevicesPerProvider)
        return descriptors;
    DeviceSlots slots(count);
    provider->GetDevices(slots.data(), &count);
    // The provider may change the count on the second call; never read past the slots.
    const ULONG described = std::min(count, slots.size());
    for (ULONG index = 0; index < described; ++index)
        descriptors.push_back(DescriptorOf(slots[index]));
    return descriptors;
}

// The same on a thread of the multithreaded apartment, waited for: discovery blocks its caller
// either way, and nothing of the provider outlives the thread.
std::optional<std::vector<std::wstring>> QueryInMultithreadedApartment(const CLSID& providerClass)
{
    std::optional<std::vector<std::wstring>> descriptors;
    try {
        std::thread worker([&] {
            try {
                const ComApartment apartment(COINIT_MULTITHREADED);
                if (apartment.ok())
                    descriptors = QueryHere(providerClass);
            } catch (const std::exception&) {
                descriptors.reset(); // out of memory: as if the provider could not be asked
            }
        });
        worker.join();
    } catch (const std::system_error&) {
        return std::nullopt; // no thread could be started
    }
    return descriptors;
}

} // namespace

std::optional<std::vector<std::wstring>> QueryDescriptors(const CLSID& providerClass)
{
    if (::CompareStringOrdinal(ProviderThreadingModel(providerClass).c_str(), -1, kFreeThreaded, -1, TRUE) ==
        CSTR_EQUAL)
        return QueryInMultithreadedApartment(providerClass);
    return QueryHere(providerClass);
}
