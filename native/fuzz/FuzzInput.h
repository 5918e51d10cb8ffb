// What the fuzz targets share: turning the fuzzer's bytes into wide text, and a check that
// stops the run with a message when a stated property fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Fails the run (libFuzzer keeps the input) when a property the code promises does not hold.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);                      \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// Wide text from bytes read as UTF-8, leniently: seeds stay readable, and malformed bytes
// still reach the readers as code units that well-formed text never holds. A stray
// continuation byte becomes a lone low surrogate, a lead byte takes whatever continuation
// bytes follow it (ED A0..BF gives a lone high surrogate), and F5..FF leads reach past U+10FFFF.
inline std::wstring WideFromFuzzBytes(const std::uint8_t* data, std::size_t size)
{
    std::wstring text;
    text.reserve(size);
    for (std::size_t i = 0; i < size;) {
        const std::uint8_t lead = data[i++];
        if (lead < 0x80) {
            text.push_back(static_cast<wchar_t>(lead));
            continue;
        }
        if (lead < 0xC0) {
            text.push_back(static_cast<wchar_t>(0xDC00 | lead));
            continue;
        }
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
        std::uint32_t value = lead & (0x3F >> extra);
        for (int n = 0; n < extra && i < size && (data[i] & 0xC0) == 0x80; ++n)
            value = (value << 6) | (data[i++] & 0x3F);
        text.push_back(static_cast<wchar_t>(value));
    }
    return text;
}
