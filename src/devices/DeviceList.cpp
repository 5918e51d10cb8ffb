// Asking the listed lighting providers for their devices and descriptors.
#include "devices/DeviceList.h"

#include "devices/LightingProvider.h"
#include "devices/ProviderListing.h"
#include "devices/ProviderQuery.h"
#include "framework/DebugTraceLine.h"
#include "settings/SettingsBlock.h"

#include <optional>
#include <string>

namespace {

// Appends one document per device of the provider of that class; whether it could be created.
bool CollectDocuments(const CLSID& providerClass, std::vector<DeviceDocument>& documents)
{
    const std::optional<std::vector<std::wstring>> descriptors = QueryDescriptors(providerClass);
    if (!descriptors)
        return false;
    for (const std::wstring& descriptor : *descriptors) {
        DeviceDocument document;
        ParseDeviceDocument(descriptor, document);
        documents.push_back(std::move(document));
    }
    return true;
}

// A provider that only a 32-bit program could load leaves no device and no word to the person;
// a line for a debugger tells support why the group stays empty.
void TraceThirtyTwoBitOnly(const CLSID& providerClass)
{
    const std::optional<std::wstring> server = ThirtyTwoBitOnlyServer(providerClass);
    if (!server)
        return;
    const std::wstring named = server->empty() ? L"no server named" : *server;
    TraceLine(L"lighting provider " + ClassText(providerClass) + L" (" + named +
              L") is registered for 32-bit programs only; this 64-bit program cannot load it, so its devices are not "
              L"shown");
}

bool Discover(const CLSID& providerClass, std::vector<DeviceDocument>& documents)
{
    documents.clear();
    bool created = false;
    for (const std::wstring& name : ReadProviderListing()) {
        CLSID listed{};
        if (SUCCEEDED(::CLSIDFromString(name.c_str(), &listed)) && ::IsEqualCLSID(listed, providerClass))
            created = CollectDocuments(providerClass, documents) || created;
    }
    if (!created)
        TraceThirtyTwoBitOnly(providerClass);
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
