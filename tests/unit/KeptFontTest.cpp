// A kept caption font: the same font while its description stays, a new one that follows a
// changed description.
#include "skin/KeptFont.h"

#include <gtest/gtest.h>

namespace {

LOGFONTW Described(HFONT font)
{
    LOGFONTW logical{};
    ::GetObjectW(font, sizeof(logical), &logical);
    return logical;
}

} // namespace

TEST(KeptFont, KeptWhileItsDescriptionStaysAndMadeAgainWhenItChanges)
{
    KeptFont kept;
    const KeptFont::Description first{15, FW_NORMAL, DEFAULT_QUALITY, FF_SWISS, L"Segoe UI"};
    const HFONT font = kept.Get(first);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(kept.Get(first), font);

    KeptFont::Description otherFace = first;
    otherFace.face = L"Microsoft YaHei";
    const HFONT changed = kept.Get(otherFace);
    ASSERT_NE(changed, nullptr);
    EXPECT_STREQ(Described(changed).lfFaceName, L"Microsoft YaHei");

    KeptFont::Description taller = otherFace;
    taller.height = 20;
    EXPECT_EQ(Described(kept.Get(taller)).lfHeight, 20);
}
