// Device descriptor documents: the XML text each lighting device describes itself with, read
// into plain records. Texts are kept as UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TiXmlElement;

struct EffectCapability {
    std::string name;
    int id = 0;
    int synchronizable = 0;
    int customized_color = 0;
    int speed_supported = 0;
    int direction_supported = 0;
    int discrete_supported = 0;
    int speedDefault = 0; // speed and direction share the document's one "default"...
    int directionDefault = 0;
    int speedLevels = 0; // ...and its one "levels"
    int directionLevels = 0;
};

struct DeviceRecord {
    std::string name;
    int id = 0;
    int led_count = 0;
    int width = 0;
    int height = 0;
    std::vector<std::string> ledNames;
    std::vector<EffectCapability> effects;
};

struct DeviceDocument {
    std::string version;
    int type = 0;
    std::vector<DeviceRecord> devices;
};

// What a provider may hand over. A longer text, or one nested deeper, is read as a
// document without a root: real descriptors are a few kilobytes, five levels deep.
constexpr std::size_t kMaxDescriptorBytes = 256 * 1024; // of UTF-8
constexpr int kMaxDescriptorNesting = 64;

// Fills document from a descriptor text (up to its first NUL); false, with the document
// left as it was, when the text has no root element. Parse errors are not reported: the
// tree the parser built up to the error is read.
bool ParseDeviceDocument(std::wstring_view text, DeviceDocument& document);

// Appends the record of one "device" element to document.
void ParseDeviceElement(const TiXmlElement& device, DeviceDocument& document);

// A decimal integer as descriptors write them: leading white space, an optional sign, digits
// up to the first other character; 0 when there are none; held to the 32-bit range.
int ParseDecimal(const char* text);
