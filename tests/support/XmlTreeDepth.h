// The element depth of the tree TinyXML built: what the nesting guard must never measure below.
#pragma once

#include <tinyxml.h>

#include <algorithm>
#include <utility>
#include <vector>

// Walked without recursion, so a deep tree cannot exhaust the stack of the check itself.
inline int TreeDepth(const TiXmlDocument& document)
{
    int deepest = 0;
    std::vector<std::pair<const TiXmlNode*, int>> pending{{&document, 0}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        deepest = std::max(deepest, depth);
        for (const TiXmlNode* child = node->FirstChild(); child; child = child->NextSibling())
            if (child->ToElement())
                pending.emplace_back(child, depth + 1);
    }
    return deepest;
}
