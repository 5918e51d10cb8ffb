// Picture headers of any bytes. Reading must stay inside the file and stop after a bounded
// number of reads; a size it gives has no zero side and depends only on the bytes it read, so
// whatever follows them in the file cannot change it.
#include "FuzzInput.h"

#include "skin/ImageHeader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Far more than any walk makes: its bounds allow about four thousand reads.
constexpr int kMaxReads = 10000;

// The fuzzer's bytes as a file, counting reads and remembering how far they reached.
class WatchedFile : public PictureBytes {
public:
    WatchedFile(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t Read(std::uint64_t offset, unsigned char* to, std::size_t count) override
    {
        ++reads;
        if (offset >= m_size)
            return 0;
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, m_size - offset));
        std::memcpy(to, m_data + offset, n);
        reached = std::max<std::uint64_t>(reached, offset + n);
        return n;
    }

    int reads = 0;
    std::uint64_t reached = 0;

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WatchedFile file(data, size);
    const std::optional<PictureSize> read = ReadPictureSize(file);
    FUZZ_CHECK(file.reads <= kMaxReads);
    FUZZ_CHECK(ReadPictureSize(data, size) == read);
    if (!read)
        return 0;
    FUZZ_CHECK(read->width > 0 && read->height > 0);

    // The same bytes with a different tail after the last one read give the same size.
    std::vector<std::uint8_t> changed(data, data + file.reached);
    changed.insert(changed.end(), 64, 0xFF);
    FUZZ_CHECK(ReadPictureSize(changed.data(), changed.size()) == read);
    return 0;
}
