// How deep TinyXML's recursive-descent parser would nest the elements of a text, measured
// without recursion, so a text that would exhaust the stack is turned away before parsing.
#pragma once

// The deepest element nesting that parsing this NUL-terminated UTF-8 text as UTF-8 would
// reach. Counting stops once it passes limit, so the result is at most limit + 1.
int XmlNestingDepth(const char* text, int limit);
