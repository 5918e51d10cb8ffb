// Hexadecimal records as a settings file might hold them. The first byte chooses the record
// size, the rest is the text. Decoding must accept exactly what encoding would write (in
// either case), leave the record untouched otherwise, and encoding must decode back.
#include "FuzzInput.h"

#include "settings/HexRecord.h"

#include <algorithm>
#include <span>
#include <vector>

namespace {

// Beyond the largest record the settings file holds (56 bytes).
constexpr std::size_t kMaxRecord = 64;
constexpr std::byte kUntouched{0xA5};

std::wstring UpperCase(std::wstring text)
{
    for (wchar_t& c : text)
        if (c >= L'a' && c <= L'f')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t recordSize = data[0] % (kMaxRecord + 1);
    const std::wstring text = WideFromFuzzBytes(data + 1, size - 1);

    std::vector<std::byte> record(recordSize, kUntouched);
    if (DecodeHexRecord(text, record)) {
        FUZZ_CHECK(EncodeHexRecord(record) == UpperCase(text));
    } else {
        FUZZ_CHECK(std::all_of(record.begin(), record.end(), [](std::byte b) { return b == kUntouched; }));
    }

    // The input's own bytes as a record survive the round trip.
    const auto bytes = std::as_bytes(std::span(data + 1, std::min(size - 1, kMaxRecord)));
    const std::wstring encoded = EncodeHexRecord(bytes);
    std::vector<std::byte> decoded(bytes.size());
    FUZZ_CHECK(DecodeHexRecord(encoded, decoded));
    FUZZ_CHECK(std::equal(decoded.begin(), decoded.end(), bytes.begin(), bytes.end()));
    return 0;
}
