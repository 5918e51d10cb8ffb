// Strict decoding of checksummed hexadecimal records.
#include "settings/HexRecord.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Bytes = std::array<std::byte, 3>;
constexpr Bytes kRecord = {std::byte{0xFE}, std::byte{0x01}, std::byte{0x7D}};

} // namespace

TEST(HexRecord, EncodesBytesAndChecksum)
{
    EXPECT_EQ(EncodeHexRecord(kRecord), L"FE017D7C");
}

TEST(HexRecord, DecodesOnlyWholeValuesWithAMatchingChecksum)
{
    const struct {
        const wchar_t* text;
        bool accepted;
    } table[] = {
        {L"FE017D7C", true},    {L"fe017d7c", true},  {L"FE017D7D", false}, {L"FE017D7", false}, {L"FE017D7C0", false},
        {L"FE017D7C00", false}, {L"FG017D7C", false}, {L" E017D7C", false}, {L"", false},
    };
    for (const auto& row : table) {
        Bytes out{};
        out.fill(std::byte{0xAA});
        EXPECT_EQ(DecodeHexRecord(row.text, out), row.accepted) << row.text;
        if (row.accepted)
            EXPECT_EQ(out, kRecord) << row.text;
        else
            EXPECT_EQ(out[0], std::byte{0xAA}) << "a rejected value leaves the record alone: " << row.text;
    }
}
