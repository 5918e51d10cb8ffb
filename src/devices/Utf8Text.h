// Wide text to UTF-8, done by hand so descriptor parsing needs no platform code page.
#pragma once

#include <string>
#include <string_view>

// The UTF-8 form of wide text (UTF-16 where wchar_t has 16 bits, UTF-32 where it has 32). A
// lone surrogate or a value beyond U+10FFFF becomes U+FFFD, so the result is always
// well-formed UTF-8: no lead byte ever claims a following ASCII character.
std::string Utf8FromWide(std::wstring_view text);
