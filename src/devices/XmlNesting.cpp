// Follows TinyXML's own parse step by step with an explicit stack of open elements. Every
// node that cannot hold children (declaration, comment, CDATA, unknown, text, attribute) is
// read by TinyXML's own reader for it, so the measured depth is the parser's, not a guess.
// Where the parser would stop with an error this walk may go on; that can only raise the
// count, never lower it.
#include "devices/XmlNesting.h"

#include <tinyxml.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr TiXmlEncoding kUtf8 = TIXML_ENCODING_UTF8;

// Never instantiated: deriving gives access to the parser's protected text helpers.
class NestingProbe : private TiXmlBase {
public:
    static int Measure(const char* p, int limit);

private:
    using OpenElements = std::vector<std::string>; // the end tag ("</name") each one waits for

    static bool StartsElement(const char* p);
    static const char* ReadStartTag(const char* p, OpenElements& open);
    static const char* ReadEndTag(const char* p, OpenElements& open);
    static const char* ReadLeafNode(const char* p);
    static const char* ReadText(const char* p);
};

// As the parser's node identification: '<' then a letter (any byte above 126 counts as one)
// or an underscore.
bool NestingProbe::StartsElement(const char* p)
{
    return IsAlpha(static_cast<unsigned char>(p[1]), kUtf8) || p[1] == '_';
}

// The opening tag of an element, as TiXmlElement::Parse reads it up to its content: the name,
// the attributes, then "/>" (the element ends here) or ">" (its content follows).
const char* NestingProbe::ReadStartTag(const char* p, OpenElements& open)
{
    std::string name;
    p = ReadName(SkipWhiteSpace(p + 1, kUtf8), &name, kUtf8);
    if (!p || !*p)
        return nullptr;
    open.back() = "</" + name;
    while (p && *p) {
        p = SkipWhiteSpace(p, kUtf8);
        if (!p || !*p)
            return nullptr;
        if (*p == '/') {
            if (p[1] != '>')
                return nullptr;
            open.pop_back();
            return p + 2;
        }
        if (*p == '>')
            return p + 1;
        TiXmlAttribute attribute;
        p = attribute.Parse(p, nullptr, kUtf8);
        if (!p || !*p)
            return nullptr;
    }
    return p;
}

// The end of the innermost open element, as TiXmlElement::Parse checks it after the content.
const char* NestingProbe::ReadEndTag(const char* p, OpenElements& open)
{
    if (!StringEqual(p, open.back().c_str(), false, kUtf8))
        return nullptr;
    p = SkipWhiteSpace(p + open.back().size(), kUtf8);
    if (!p || *p != '>')
        return nullptr;
    open.pop_back();
    return p + 1;
}

// A node that holds no elements, told apart in the order of TiXmlNode::Identify.
const char* NestingProbe::ReadLeafNode(const char* p)
{
    if (StringEqual(p, "<?xml", true, kUtf8)) {
        TiXmlDeclaration declaration;
        return declaration.Parse(p, nullptr, kUtf8);
    }
    if (StringEqual(p, "<!--", false, kUtf8)) {
        TiXmlComment comment;
        return comment.Parse(p, nullptr, kUtf8);
    }
    if (StringEqual(p, "<![CDATA[", false, kUtf8)) {
        TiXmlText cdata("");
        cdata.SetCDATA(true);
        return cdata.Parse(p, nullptr, kUtf8);
    }
    TiXmlUnknown unknown;
    return unknown.Parse(p, nullptr, kUtf8);
}

const char* NestingProbe::ReadText(const char* p)
{
    TiXmlText text("");
    return text.Parse(p, nullptr, kUtf8);
}

// The loop of TiXmlDocument::Parse and TiXmlElement::ReadValue in one: at document level
// only nodes may follow; inside an element, text, its end tag or a child node.
int NestingProbe::Measure(const char* p, int limit)
{
    OpenElements open;
    int deepest = 0;
    p = SkipWhiteSpace(p, kUtf8);
    while (p && *p) {
        if (!open.empty() && *p != '<') {
            p = ReadText(p);
        } else if (!open.empty() && StringEqual(p, "</", false, kUtf8)) {
            p = ReadEndTag(p, open);
        } else if (*p != '<') {
            break; // text at document level ends the parse
        } else if (StartsElement(p)) {
            open.emplace_back();
            deepest = std::max(deepest, static_cast<int>(open.size()));
            if (deepest > limit)
                break;
            p = ReadStartTag(p, open);
        } else {
            p = ReadLeafNode(p);
        }
        p = SkipWhiteSpace(p, kUtf8);
    }
    return deepest;
}

} // namespace

int XmlNestingDepth(const char* text, int limit)
{
    return text ? NestingProbe::Measure(text, limit) : 0;
}
