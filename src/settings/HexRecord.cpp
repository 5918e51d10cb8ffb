// Encoding and strict decoding of checksummed hexadecimal byte records.
#include "settings/HexRecord.h"

#include <vector>

namespace {

int HexDigitValue(wchar_t c) noexcept
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    return -1;
}

// The byte at text[2i..2i+1], or -1 when either character is not a hex digit.
int ByteAt(std::wstring_view text, size_t i) noexcept
{
    const int high = HexDigitValue(text[2 * i]);
    const int low = HexDigitValue(text[2 * i + 1]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

} // namespace

std::wstring EncodeHexRecord(std::span<const std::byte> record)
{
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text;
    text.reserve(2 * record.size() + 2);
    unsigned checksum = 0;
    auto put = [&](unsigned value) {
        text.push_back(kDigits[(value >> 4) & 0xF]);
        text.push_back(kDigits[value & 0xF]);
    };
    for (std::byte b : record) {
        put(static_cast<unsigned>(b));
        checksum += static_cast<unsigned>(b);
    }
    put(checksum & 0xFF);
    return text;
}

bool DecodeHexRecord(std::wstring_view text, std::span<std::byte> record)
{
    if (text.size() != 2 * record.size() + 2)
        return false;
    std::vector<std::byte> bytes(record.size());
    unsigned checksum = 0;
    for (size_t i = 0; i < record.size(); ++i) {
        const int value = ByteAt(text, i);
        if (value < 0)
            return false;
        bytes[i] = static_cast<std::byte>(value);
        checksum += static_cast<unsigned>(value);
    }
    const int stored = ByteAt(text, record.size());
    if (stored < 0 || static_cast<unsigned>(stored) != (checksum & 0xFF))
        return false;
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return true;
}
