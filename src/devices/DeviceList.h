// DeviceList: the devices of each group as their providers describe them, one descriptor
// document per device, in the order the provider returned them. Discovery uses the calling
// thread's COM apartment (the application's, on the user-interface thread); the list owns none.
#pragma once

#include "devices/DeviceDocument.h"

#include <vector>

// A provider that claims more devices than this is not asked for them: its answer is taken
// for garbage rather than a reason to allocate gigabytes. The settings keep 16 per group.
constexpr unsigned long kMaxDevicesPerProvider = 256;

class DeviceList {
public:
    DeviceList() noexcept = default;
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;

    // Each run replaces its group's list and leaves the other alone; true when the list is
    // not empty afterwards.
    bool DiscoverDram();
    bool DiscoverSsd();

    int DeviceCount(int group) const noexcept;
    const std::vector<DeviceDocument>& Documents(int group) const noexcept;

private:
    std::vector<DeviceDocument> m_dramDocuments;
    std::vector<DeviceDocument> m_ssdDocuments;
};
