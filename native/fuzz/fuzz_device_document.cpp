// Descriptor documents as a provider might hand them over: any text must parse without a
// fault, a failed parse must leave the document alone, the UTF-8 handed to the parser must be
// well-formed, and the nesting guard must never measure less than the parser really nests.
#include "FuzzInput.h"
#include "XmlTreeDepth.h"

#include "devices/DeviceDocument.h"
#include "devices/Utf8Text.h"
#include "devices/XmlNesting.h"

#include <tinyxml.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Strict UTF-8: shortest forms only, no surrogates, nothing past U+10FFFF.
bool IsWellFormedUtf8(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = -1;
        if (lead < 0x80)
            extra = 0;
        else if (lead >= 0xC2 && lead < 0xE0)
            extra = 1;
        else if (lead >= 0xE0 && lead < 0xF0)
            extra = 2;
        else if (lead >= 0xF0 && lead < 0xF5)
            extra = 3;
        if (extra < 0 || text.size() - i <= static_cast<size_t>(extra))
            return false;
        char32_t value = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int n = 1; n <= extra; ++n) {
            const unsigned char c = static_cast<unsigned char>(text[i + n]);
            if (!IsContinuation(c))
                return false;
            value = (value << 6) | (c & 0x3F);
        }
        const char32_t shortest[] = {0, 0x80, 0x800, 0x10000};
        if (value < shortest[extra] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF)
            return false;
        i += 1 + extra;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring text = WideFromFuzzBytes(data, size);

    DeviceDocument document;
    document.version = "untouched";
    document.type = -1;
    if (!ParseDeviceDocument(text, document))
        FUZZ_CHECK(document.version == "untouched" && document.type == -1 && document.devices.empty());

    const std::string utf8 = Utf8FromWide(text.substr(0, text.find(L'\0')));
    FUZZ_CHECK(IsWellFormedUtf8(utf8));

    const int measured = XmlNestingDepth(utf8.c_str(), kMaxDescriptorNesting);
    FUZZ_CHECK(measured >= 0 && measured <= kMaxDescriptorNesting + 1);
    if (measured <= kMaxDescriptorNesting) {
        TiXmlDocument xml;
        xml.Parse(utf8.c_str(), nullptr, TIXML_ENCODING_UTF8);
        FUZZ_CHECK(TreeDepth(xml) <= measured);
    }
    return 0;
}
