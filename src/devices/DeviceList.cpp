// Asking the listed lighting providers for their devices and descriptors.
#include "devices/DeviceList.h"

#include "devices/LightingProvider.h"
#include "devices/ProviderListing.h"
#include "framework/Bstr.h"
#include "settings/SettingsBlock.h"

#include <algorithm>

namespace {

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

// One device's document. A missing device object or descriptor still counts as a device,
// described by an empty document.
DeviceDocument DescribeDevice(ILightingDevice* device)
{
    Bstr descriptor;
    if (device)
        device->GetDescriptor(descriptor.put());
    DeviceDocument document;
    ParseDeviceDocument(descriptor.view(), document);
    return document;
}

// Appends one document per device of the provider of that class, if it can be created.
void CollectDocuments(const CLSID& providerClass, std::vector<DeviceDocument>& documents)
{
    ComPtr<ILightingProvider> provider;
    if (FAILED(::CoCreateInstance(providerClass, nullptr, CLSCTX_INPROC_SERVER, kIidLightingProvider,
                                  provider.put_void())))
        return;
    ULONG count = 0;
    provider->GetDevices(nullptr, &count);
    if (count == 0 || count > kMaxDevicesPerProvider)
        return;
    DeviceSlots slots(count);
    provider->GetDevices(slots.data(), &count);
    // The provider may change the count on the second call; never read past the slots.
    const ULONG described = std::min(count, slots.size());
    for (ULONG index = 0; index < described; ++index)
        documents.push_back(DescribeDevice(slots[index]));
}

bool Discover(const CLSID& providerClass, std::vector<DeviceDocument>& documents)
{
    documents.clear();
    for (const std::wstring& name : ReadProviderListing()) {
        CLSID listed{};
        if (SUCCEEDED(::CLSIDFromString(name.c_str(), &listed)) && ::IsEqualCLSID(listed, providerClass))
            CollectDocuments(providerClass, documents);
    }
    return !documents.empty();
}

} // namespace

bool DeviceList::DiscoverDram()
{
    return Discover(kClsidDramProvider, m_dramDocuments);
}

bool DeviceList::DiscoverSsd()
{
    return Discover(kClsidSsdProvider, m_ssdDocuments);
}

int DeviceList::DeviceCount(int group) const noexcept
{
    return static_cast<int>(Documents(group).size());
}

const std::vector<DeviceDocument>& DeviceList::Documents(int group) const noexcept
{
    return group == kGroupSsd ? m_ssdDocuments : m_dramDocuments;
}
