// PNG files of any size made at test time: fully transparent RGBA pixels, compressed as runs of
// zeros, so a 16000 x 16000 picture (a gigabyte decoded) is a file of a few megabytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace hostile {

namespace png {

inline std::uint32_t Crc32(const std::string& bytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes)
        crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

inline void PutBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

inline void PutChunk(std::string& out, const char* type, const std::string& data)
{
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    PutBigEndian(out, Crc32(typed));
}

// Deflate packs bits from the least significant end of each byte.
class BitWriter {
public:
    void Put(std::uint32_t value, int count)
    {
        m_pending |= static_cast<std::uint64_t>(value) << m_count;
        m_count += count;
        while (m_count >= 8) {
            m_out.push_back(static_cast<char>(m_pending & 0xFF));
            m_pending >>= 8;
            m_count -= 8;
        }
    }
    std::string Finish()
    {
        if (m_count > 0)
            m_out.push_back(static_cast<char>(m_pending & 0xFF));
        return std::move(m_out);
    }

private:
    std::string m_out;
    std::uint64_t m_pending = 0;
    int m_count = 0;
};

// A zlib stream of `size` zero bytes: one block with the fixed codes, a literal zero, then
// copies of 258 bytes from one byte back. The codes are written bit-reversed, as Huffman codes
// go into the stream most significant bit first.
inline std::string ZlibOfZeros(std::uint64_t size)
{
    constexpr std::uint32_t kLiteralZero = 0x0C; // code 00110000
    constexpr std::uint32_t kLength258 = 0xA3;   // code 11000101 (symbol 285)
    constexpr std::uint32_t kLongestCopy = 258;
    BitWriter bits;
    bits.Put(1, 1); // the last block
    bits.Put(1, 2); // fixed codes
    std::uint64_t left = size;
    if (left > 0) {
        bits.Put(kLiteralZero, 8);
        --left;
    }
    for (; left >= kLongestCopy; left -= kLongestCopy) {
        bits.Put(kLength258, 8);
        bits.Put(0, 5); // distance 1
    }
    for (; left > 0; --left)
        bits.Put(kLiteralZero, 8);
    bits.Put(0, 7); // end of block
    std::string stream = "\x78\x01";
    stream += bits.Finish();
    constexpr std::uint64_t kAdlerBase = 65521;
    PutBigEndian(stream, static_cast<std::uint32_t>(((size % kAdlerBase) << 16) | 1)); // zeros leave a at 1
    return stream;
}

} // namespace png

inline std::string TransparentPng(std::uint32_t width, std::uint32_t height)
{
    std::string file = "\x89PNG\r\n\x1A\n";
    std::string header;
    png::PutBigEndian(header, width);
    png::PutBigEndian(header, height);
    header += std::string("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, no filter set, no interlace
    png::PutChunk(file, "IHDR", header);
    const std::uint64_t rowBytes = 1 + std::uint64_t{width} * 4; // filter byte, then the pixels
    png::PutChunk(file, "IDAT", png::ZlibOfZeros(rowBytes * height));
    png::PutChunk(file, "IEND", {});
    return file;
}

} // namespace hostile
