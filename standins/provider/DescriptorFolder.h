// The descriptor files of one device group: "*.xml" for a device with that descriptor, "*.null"
// for a device whose descriptor is null, one device per file in file-name order.
#pragma once

#include <optional>
#include <string>
#include <vector>

// A device's descriptor text; none for a null descriptor.
using Descriptor = std::optional<std::wstring>;

// The descriptors of the files in folder (UTF-8 text, with or without a byte order mark);
// empty when the folder is missing.
std::vector<Descriptor> ReadDescriptorFolder(const std::wstring& folder);
