// The mask-region row: RegionFromMask on a large mask holding a filled circle, so every row of
// pixels gives a run of its own.
#include "Measures.h"
#include "Stopwatch.h"

#include "skin/DibOperations.h"

namespace {

constexpr int kMaskSide = 2048;

Bitmap CircleMask()
{
    Bitmap mask;
    CreateDib32(kMaskSide, kMaskSide, &mask);
    MemoryDc dc;
    SelectGuard selectMask(dc, mask.get());
    ::PatBlt(dc, 0, 0, kMaskSide, kMaskSide, WHITENESS);
    SelectGuard selectBrush(dc, ::GetStockObject(BLACK_BRUSH));
    SelectGuard selectPen(dc, ::GetStockObject(NULL_PEN));
    ::Ellipse(dc, 0, 0, kMaskSide + 1, kMaskSide + 1);
    ::GdiFlush();
    return mask;
}

} // namespace

void MeasureRegionFromMask(ResultTable& table)
{
    const Bitmap mask = CircleMask();
    table.Add("RegionFromMask, 2048 x 2048 circle mask",
              MedianMs(kRuns, [&](int) { const GdiRegion region(RegionFromMask(mask)); }), "ms");
}
