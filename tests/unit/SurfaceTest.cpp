// The kept surface of a control: the same section while the size stays, cleared, with its DC in
// the state it was made with; a new one for a new size.
#include "skin/Surface.h"

#include <gtest/gtest.h>

namespace {

COLORREF PixelAt(const Surface& surface, int x, int y)
{
    return ::GetPixel(surface.dc(), x, y) & 0xFFFFFF;
}

} // namespace

TEST(KeptSurface, EachUseStartsClearedInTheStateItWasMadeWith)
{
    KeptSurface kept;
    const Surface* first = kept.Take(8, 4);
    ASSERT_NE(first, nullptr);
    const HDC dc = first->dc();
    const COLORREF madeText = ::GetTextColor(dc);
    const int madeMode = ::GetBkMode(dc);
    ::SetPixel(dc, 3, 2, RGB(200, 100, 50));
    ::SetTextColor(dc, RGB(1, 2, 3));
    ::SetBkMode(dc, madeMode == TRANSPARENT ? OPAQUE : TRANSPARENT);

    const Surface* again = kept.Take(8, 4);
    ASSERT_EQ(again, first) << "the same size keeps the surface";
    EXPECT_EQ(again->dc(), dc);
    EXPECT_EQ(PixelAt(*again, 3, 2), 0u);
    EXPECT_EQ(::GetTextColor(dc), madeText);
    EXPECT_EQ(::GetBkMode(dc), madeMode);

    const Surface* larger = kept.Take(16, 4);
    ASSERT_NE(larger, nullptr);
    EXPECT_EQ(larger->width(), 16);
    EXPECT_EQ(larger->height(), 4);
}

TEST(KeptSurface, NoSurfaceForAnEmptySize)
{
    KeptSurface kept;
    EXPECT_EQ(kept.Take(0, 4), nullptr);
    EXPECT_EQ(kept.Take(4, 0), nullptr);
    EXPECT_NE(kept.Take(4, 4), nullptr) << "and one again for a real size";
}
