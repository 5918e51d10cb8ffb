// Descriptor documents: the schema walk, numbers, text encoding and the bounds on what a
// provider may hand over.
#include "devices/DeviceDocument.h"
#include "devices/Utf8Text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DocumentCase {
    const char* name;
    std::wstring text;
    bool parsed;
    std::string version;
    int type;
    size_t devices;
    int id;
    int ledCount;
    int width;
    int height;
};

std::wstring DeviceText(const std::wstring& layout, const std::wstring& name = L"A")
{
    return L"<d><version>1.0</version><type>458752</type><device><name>" + name + L"</name><id>3</id><layout>" +
           layout + L"</layout></device></d>";
}

std::ostream& operator<<(std::ostream& out, const DocumentCase& c)
{
    return out << c.name;
}

class DocumentCases : public testing::TestWithParam<DocumentCase> {};

} // namespace

TEST_P(DocumentCases, ReadAsTheSchemaSays)
{
    const DocumentCase& c = GetParam();
    DeviceDocument document;
    EXPECT_EQ(ParseDeviceDocument(c.text, document), c.parsed);
    EXPECT_EQ(document.version, c.version);
    EXPECT_EQ(document.type, c.type);
    ASSERT_EQ(document.devices.size(), c.devices);
    if (c.devices == 0)
        return;
    const DeviceRecord& device = document.devices[0];
    EXPECT_EQ(device.id, c.id);
    EXPECT_EQ(device.led_count, c.ledCount);
    EXPECT_EQ(device.width, c.width);
    EXPECT_EQ(device.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(
    DeviceDocument, DocumentCases,
    testing::Values(
        DocumentCase{"OneDeviceWithOnlyAnLedCount", DeviceText(L"<led_count>8</led_count>"), true, "1.0", 458752, 1, 3,
                     8, 0, 0},
        DocumentCase{"HexadecimalTypeReadsZero",
                     L"<d><version>1.0</version><type>0x70000</type><device><id>3</id></device></d>", true, "1.0", 0, 1,
                     3, 0, 0, 0},
        DocumentCase{"SizeWithOnlyHeight", DeviceText(L"<size><height>4</height></size>"), true, "1.0", 458752, 1, 3, 0,
                     0, 4},
        DocumentCase{"SizeWithOnlyWidth", DeviceText(L"<size><width>6</width></size>"), true, "1.0", 458752, 1, 3, 0, 6,
                     0},
        DocumentCase{"NoDeviceElement", L"<d><version>2</version></d>", true, "2", 0, 0, 0, 0, 0, 0},
        DocumentCase{"EmptyText", L"", false, "", 0, 0, 0, 0, 0, 0},
        DocumentCase{"TextWithoutRoot", L"no markup here", false, "", 0, 0, 0, 0, 0, 0},
        DocumentCase{"NumberBeforeLetters", DeviceText(L"<led_count> 12abc</led_count>"), true, "1.0", 458752, 1, 3, 12,
                     0, 0},
        DocumentCase{"NegativeNumber", DeviceText(L"<led_count>-3</led_count>"), true, "1.0", 458752, 1, 3, -3, 0, 0},
        DocumentCase{"NumberAboveTheRange", DeviceText(L"<led_count>99999999999</led_count>"), true, "1.0", 458752, 1,
                     3, 2147483647, 0, 0},
        DocumentCase{"NumberBelowTheRange", DeviceText(L"<led_count>-99999999999</led_count>"), true, "1.0", 458752, 1,
                     3, -2147483647 - 1, 0, 0},
        DocumentCase{"EmptyElementReadsZero", DeviceText(L"<led_count></led_count><size><width/></size>"), true, "1.0",
                     458752, 1, 3, 0, 0, 0},
        DocumentCase{"OnlyTheFirstOfARepeatedChildCounts",
                     DeviceText(L"<led_count>5</led_count><led_count>7</led_count>"), true, "1.0", 458752, 1, 3, 5, 0,
                     0},
        DocumentCase{"AttributesAndOtherElementsAreIgnored",
                     L"<?xml version=\"1.0\"?><!-- modules --><list led_count=\"9\"><extra/><device id=\"7\">"
                     L"<layout><led_count>4</led_count></layout><id>2</id></device></list>",
                     true, "", 0, 1, 2, 4, 0, 0},
        // Parse errors are not fatal: what was read up to the error counts.
        DocumentCase{"CutOffDocument", L"<d><type>5</type><device><id>3</id><layout><led_count>8</led_count>", true, "",
                     5, 1, 3, 8, 0, 0},
        // Whatever follows a NUL is not part of the descriptor.
        DocumentCase{"TextAfterANul", std::wstring(L"<d><type>1</type></d>\0<x><type>2</type></x>", 43), true, "", 1, 0,
                     0, 0, 0, 0},
        // A name ending in a letter outside ASCII right before its closing tag keeps the rest
        // of the document readable.
        DocumentCase{"NonAsciiNameKeepsTheLedCount", DeviceText(L"<led_count>10</led_count>", L"DDR5 Caf\u00E9"), true,
                     "1.0", 458752, 1, 3, 10, 0, 0},
        DocumentCase{"CjkAndEmojiNames", DeviceText(L"<led_count>6</led_count>", L"\u5185\u5B58 \U0001F600"), true,
                     "1.0", 458752, 1, 3, 6, 0, 0},
        // A lone surrogate is no reason to lose the document.
        DocumentCase{"LoneSurrogateInName", DeviceText(L"<led_count>7</led_count>", std::wstring(1, wchar_t(0xD800))),
                     true, "1.0", 458752, 1, 3, 7, 0, 0}),
    [](const testing::TestParamInfo<DocumentCase>& info) { return std::string(info.param.name); });

TEST(DeviceDocument, RepeatedElementsKeepDocumentOrder)
{
    DeviceDocument document;
    ASSERT_TRUE(ParseDeviceDocument(
        L"<d><device><name>first</name><layout><led_name><led>L1</led><led/><led>L3</led></led_name></layout>"
        L"</device><device><name>second</name><supported_effect>"
        L"<effect><name>Static</name><id>1</id></effect><effect><name>Comet</name><id>9</id></effect>"
        L"</supported_effect></device></d>",
        document));
    ASSERT_EQ(document.devices.size(), 2u);
    EXPECT_EQ(document.devices[0].name, "first");
    EXPECT_EQ(document.devices[0].ledNames, (std::vector<std::string>{"L1", "", "L3"}));
    EXPECT_EQ(document.devices[1].name, "second");
    ASSERT_EQ(document.devices[1].effects.size(), 2u);
    EXPECT_EQ(document.devices[1].effects[0].name, "Static");
    EXPECT_EQ(document.devices[1].effects[1].id, 9);
}

TEST(DeviceDocument, EffectFieldsAndTheSharedLevelsAndDefault)
{
    DeviceDocument document;
    ASSERT_TRUE(ParseDeviceDocument(
        L"<d><device><supported_effect><effect><default>2</default><name>Rainbow Wave</name><id>5</id>"
        L"<synchronizable>1</synchronizable><customized_color>0</customized_color><speed_supported>1</speed_supported>"
        L"<levels>5</levels><direction_supported>1</direction_supported><discrete_supported>0</discrete_supported>"
        L"</effect></supported_effect></device></d>",
        document));
    const EffectCapability& effect = document.devices.at(0).effects.at(0);
    EXPECT_EQ(effect.name, "Rainbow Wave");
    EXPECT_EQ(effect.id, 5);
    EXPECT_EQ(effect.synchronizable, 1);
    EXPECT_EQ(effect.customized_color, 0);
    EXPECT_EQ(effect.speed_supported, 1);
    EXPECT_EQ(effect.direction_supported, 1);
    EXPECT_EQ(effect.discrete_supported, 0);
    EXPECT_EQ(effect.speedLevels, 5);
    EXPECT_EQ(effect.directionLevels, 5);
    EXPECT_EQ(effect.speedDefault, 2);
    EXPECT_EQ(effect.directionDefault, 2);
}

TEST(DeviceDocument, NamesAreKeptAsUtf8)
{
    DeviceDocument document;
    ASSERT_TRUE(ParseDeviceDocument(DeviceText(L"", L"Caf\u00E9 &amp; \u5185\u5B58"), document));
    EXPECT_EQ(document.devices.at(0).name, "Caf\xC3\xA9 & \xE5\x86\x85\xE5\xAD\x98");
}

TEST(DeviceDocument, AFailedParseLeavesTheDocumentAsItWas)
{
    DeviceDocument document;
    document.version = "kept";
    document.type = 7;
    document.devices.resize(1);
    EXPECT_FALSE(ParseDeviceDocument(L"", document));
    EXPECT_EQ(document.version, "kept");
    EXPECT_EQ(document.type, 7);
    EXPECT_EQ(document.devices.size(), 1u);
}

TEST(DeviceDocument, NestingIsBoundedBeforeTheParserRecurses)
{
    auto nested = [](int depth) {
        std::wstring text;
        for (int i = 0; i < depth; ++i)
            text += L"<a>";
        for (int i = 0; i < depth; ++i)
            text += L"</a>";
        return text;
    };
    DeviceDocument document;
    EXPECT_TRUE(ParseDeviceDocument(nested(kMaxDescriptorNesting), document));
    EXPECT_FALSE(ParseDeviceDocument(nested(kMaxDescriptorNesting + 1), document));

    // Far deeper than any stack would take, unterminated, and hidden behind markup that a
    // naive tag counter would read as closing tags.
    std::wstring hostile = L"<d>";
    for (int i = 0; i < 100000; ++i)
        hostile += L"<a x='/>'><!-- </a> --><![CDATA[</a>]]>";
    EXPECT_FALSE(ParseDeviceDocument(hostile, document));
}

TEST(DeviceDocument, OverlongTextIsNotParsed)
{
    const std::wstring filler(kMaxDescriptorBytes, L' ');
    DeviceDocument document;
    EXPECT_FALSE(ParseDeviceDocument(DeviceText(L"<led_count>8</led_count>") + filler, document));
    EXPECT_TRUE(document.devices.empty());
    // Characters taking several UTF-8 bytes count by their bytes.
    const std::wstring wideFiller(kMaxDescriptorBytes / 2, L'\u00E9');
    EXPECT_FALSE(ParseDeviceDocument(DeviceText(L"", wideFiller), document));
}

TEST(Utf8Text, WideTextBecomesWellFormedUtf8)
{
    EXPECT_EQ(Utf8FromWide(L"A\u00E9\u4E2D"), "A\xC3\xA9\xE4\xB8\xAD");
    EXPECT_EQ(Utf8FromWide(L"\U0001F600"), "\xF0\x9F\x98\x80");
    // Unpaired surrogates, alone or at the end, become U+FFFD.
    const std::wstring lone{wchar_t(0xDC00), L'x', wchar_t(0xD83D)};
    EXPECT_EQ(Utf8FromWide(lone), "\xEF\xBF\xBDx\xEF\xBF\xBD");
}
