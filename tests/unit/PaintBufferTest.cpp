// The paint buffer: composed on the kept surface in client coordinates, and only the painted
// area reaches the target.
#include "skin/PaintBuffer.h"

#include "framework/Handles.h"

#include <gtest/gtest.h>

namespace {

constexpr SIZE kClient{8, 4};
constexpr COLORREF kOld = RGB(10, 20, 30);
constexpr COLORREF kNew = RGB(200, 100, 50);

struct Target {
    Surface surface{kClient.cx, kClient.cy};
    Target()
    {
        const RECT all{0, 0, kClient.cx, kClient.cy};
        GdiBrush brush(::CreateSolidBrush(kOld));
        ::FillRect(surface.dc(), &all, brush.get());
    }
    COLORREF At(int x, int y) const { return ::GetPixel(surface.dc(), x, y) & 0xFFFFFF; }
};

void PaintAll(HDC dc)
{
    const RECT all{0, 0, kClient.cx, kClient.cy};
    GdiBrush brush(::CreateSolidBrush(kNew));
    ::FillRect(dc, &all, brush.get());
}

} // namespace

TEST(PaintBuffer, OnlyTheAreaReachesTheTarget)
{
    struct Case {
        RECT area;
        RECT expected; // what changes, the area limited to the client
    };
    const Case cases[] = {
        {{2, 1, 5, 3}, {2, 1, 5, 3}},
        {{0, 0, 8, 4}, {0, 0, 8, 4}},
        {{6, 2, 20, 20}, {6, 2, 8, 4}},
        {{3, 3, 3, 4}, {0, 0, 0, 0}},
    };
    KeptSurface kept;
    for (const Case& c : cases) {
        Target target;
        {
            const PaintBuffer buffer(target.surface.dc(), c.area, kClient, kept);
            if (buffer)
                PaintAll(buffer.dc());
        }
        for (int y = 0; y < kClient.cy; ++y)
            for (int x = 0; x < kClient.cx; ++x) {
                const POINT at{x, y};
                EXPECT_EQ(target.At(x, y), ::PtInRect(&c.expected, at) ? kNew : kOld)
                    << "area " << c.area.left << "," << c.area.top << " pixel " << x << "," << y;
            }
    }
}

TEST(PaintBuffer, NothingWithoutATarget)
{
    KeptSurface kept;
    const PaintBuffer buffer(nullptr, {0, 0, kClient.cx, kClient.cy}, kClient, kept);
    EXPECT_FALSE(buffer);
    EXPECT_EQ(buffer.dc(), nullptr);
}
