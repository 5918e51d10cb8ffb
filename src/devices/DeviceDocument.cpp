// Reading descriptor documents with TinyXML.
#include "devices/DeviceDocument.h"

#include "devices/Utf8Text.h"
#include "devices/XmlNesting.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();
constexpr std::int64_t kIntMin = std::numeric_limits<int>::min();
constexpr int kDecimalBase = 10;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The text of parent's first child element of that name: empty when there is no such child
// or it holds no text.
std::string ChildText(const TiXmlElement& parent, const char* name)
{
    const TiXmlElement* child = parent.FirstChildElement(name);
    const char* text = child ? child->GetText() : nullptr;
    return text ? text : "";
}

int ChildNumber(const TiXmlElement& parent, const char* name)
{
    const TiXmlElement* child = parent.FirstChildElement(name);
    return child ? ParseDecimal(child->GetText()) : 0;
}

void ParseLayout(const TiXmlElement& layout, DeviceRecord& record)
{
    record.led_count = ChildNumber(layout, "led_count");
    if (const TiXmlElement* size = layout.FirstChildElement("size")) {
        record.width = ChildNumber(*size, "width");
        record.height = ChildNumber(*size, "height");
    }
    if (const TiXmlElement* names = layout.FirstChildElement("led_name"))
        for (const TiXmlElement* led = names->FirstChildElement("led"); led; led = led->NextSiblingElement("led")) {
            const char* text = led->GetText();
            record.ledNames.emplace_back(text ? text : "");
        }
}

EffectCapability ParseEffect(const TiXmlElement& effect)
{
    EffectCapability capability;
    capability.name = ChildText(effect, "name");
    capability.id = ChildNumber(effect, "id");
    capability.synchronizable = ChildNumber(effect, "synchronizable");
    capability.customized_color = ChildNumber(effect, "customized_color");
    capability.speed_supported = ChildNumber(effect, "speed_supported");
    capability.direction_supported = ChildNumber(effect, "direction_supported");
    capability.discrete_supported = ChildNumber(effect, "discrete_supported");
    capability.speedDefault = capability.directionDefault = ChildNumber(effect, "default");
    capability.speedLevels = capability.directionLevels = ChildNumber(effect, "levels");
    return capability;
}

// The text up to its first NUL, where the parser would stop reading anyway.
std::wstring_view UpToNul(std::wstring_view text)
{
    return text.substr(0, text.find(L'\0'));
}

} // namespace

int ParseDecimal(const char* text)
{
    if (!text)
        return 0;
    while (IsBlank(*text))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    const std::int64_t limit = negative ? -kIntMin : kIntMax;
    std::int64_t value = 0;
    for (; IsDigit(*text); ++text)
        value = std::min(value * kDecimalBase + (*text - '0'), limit);
    return static_cast<int>(negative ? -value : value);
}

void ParseDeviceElement(const TiXmlElement& device, DeviceDocument& document)
{
    DeviceRecord record;
    record.name = ChildText(device, "name");
    record.id = ChildNumber(device, "id");
    if (const TiXmlElement* layout = device.FirstChildElement("layout"))
        ParseLayout(*layout, record);
    if (const TiXmlElement* effects = device.FirstChildElement("supported_effect"))
        for (const TiXmlElement* effect = effects->FirstChildElement("effect"); effect;
             effect = effect->NextSiblingElement("effect"))
            record.effects.push_back(ParseEffect(*effect));
    document.devices.push_back(std::move(record));
}

bool ParseDeviceDocument(std::wstring_view text, DeviceDocument& document)
{
    text = UpToNul(text);
    // Every wide character takes at least one UTF-8 byte: a text this long is too long
    // before it is converted.
    if (text.size() > kMaxDescriptorBytes)
        return false;
    // UTF-8 rather than an 8-bit code page: a code-page byte such as 0xE9 would read as a
    // UTF-8 lead byte and swallow the markup after it.
    const std::string utf8 = Utf8FromWide(text);
    if (utf8.size() > kMaxDescriptorBytes ||
        XmlNestingDepth(utf8.c_str(), kMaxDescriptorNesting) > kMaxDescriptorNesting)
        return false;

    TiXmlDocument xml;
    xml.Parse(utf8.c_str(), nullptr, TIXML_ENCODING_UTF8);
    const TiXmlElement* root = xml.FirstChildElement();
    if (!root)
        return false;
    document.version = ChildText(*root, "version");
    document.type = ChildNumber(*root, "type");
    for (const TiXmlElement* device = root->FirstChildElement("device"); device;
         device = device->NextSiblingElement("device"))
        ParseDeviceElement(*device, document);
    return true;
}
