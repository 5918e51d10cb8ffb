// The nesting measure against the parser it stands guard for: never below the depth the
// parser really reaches, whatever the markup hides.
#include "devices/XmlNesting.h"

#include "XmlTreeDepth.h"

#include <tinyxml.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

int ParsedDepth(const std::string& text)
{
    TiXmlDocument document;
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_UTF8);
    return TreeDepth(document);
}

constexpr int kNoLimit = 1000;

} // namespace

TEST(XmlNesting, WellFormedDocumentsMeasureTheirDepth)
{
    struct Case {
        const char* text;
        int depth;
    };
    const Case cases[] = {
        {"", 0},
        {"<a/>", 1},
        {"<a><b><c/></b><b/></a>", 3},
        {"<?xml version=\"1.0\"?><!-- <x><y><z> --><a><![CDATA[<b><c>]]></a>", 1},
        {"<a x='</a>' y=\"/>\"><b/></a>", 2},
        {"<!DOCTYPE a><a><b>text &amp; more</b></a>", 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(XmlNestingDepth(c.text, kNoLimit), c.depth) << c.text;
        EXPECT_EQ(ParsedDepth(c.text), c.depth) << c.text;
    }
}

TEST(XmlNesting, CountingStopsJustPastTheLimit)
{
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += "<a>";
    EXPECT_EQ(XmlNestingDepth(text.c_str(), 10), 11);
}

// Token soup from the pieces that change how a parser reads what follows: tags, their ends,
// comments, CDATA, declarations, quotes, entities and multi-byte characters.
TEST(XmlNesting, NeverBelowTheParsersDepthOnAnyMarkup)
{
    const std::vector<std::string> pieces = {
        "<a>",
        "<b x='1'>",
        "</a>",
        "</b>",
        "<c/>",
        "<a ",
        "<!--",
        "-->",
        "<![CDATA[",
        "]]>",
        "<?xml version=\"",
        "<?xml encoding='",
        "\"",
        "'",
        "?>",
        "<!x ",
        "<?pi ",
        ">",
        "/>",
        "/",
        " ",
        "t",
        "<",
        "=",
        "&#x41;",
        "&amp;",
        "&",
        "<a x=\"",
        "<b y='",
        "\xC3\xA9",
        "\xEF\xBB\xBF",
        "\xE4\xB8\xAD",
        "x='",
        "<_u>",
        "</_u >",
    };
    std::mt19937 random(20240611);
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(1, 40);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[pick(random)];
        ASSERT_GE(XmlNestingDepth(text.c_str(), kNoLimit), ParsedDepth(text)) << text;
    }
}
