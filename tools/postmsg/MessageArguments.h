// The message tool's command line: caption, message, and the optional wParam and lParam.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct PostRequest {
    std::wstring caption;
    unsigned message = 0;
    unsigned long long wParam = 0;
    long long lParam = 0;
};

// A number as written on the command line: decimal (with an optional minus sign),
// hexadecimal after 0x, or for the message also WM_CLOSE, WM_TIMER or WM_USER, the latter
// optionally plus a decimal offset ("WM_USER+600"). None for anything else.
std::optional<long long> ParseMessageNumber(std::wstring_view text);

// The request of argv[1..]: caption and message required, wParam and lParam 0 when left out.
std::optional<PostRequest> ParsePostArguments(int argc, const wchar_t* const* argv);
