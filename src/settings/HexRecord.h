// The text form of a byte record in an INI value: two upper-case hex digits per byte, then a
// checksum byte (the sum of the record's bytes modulo 256).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

std::wstring EncodeHexRecord(std::span<const std::byte> record);
// Fills record only when text has exactly 2 * size + 2 hex digits (either case) and the
// checksum matches; otherwise record is left as it was and the result is false.
bool DecodeHexRecord(std::wstring_view text, std::span<std::byte> record);
