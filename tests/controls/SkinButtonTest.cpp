// How a skin item name picks the face a skin button wears and the icon drawn on it.
#include "controls/SkinButton.h"

#include <gtest/gtest.h>

TEST(SkinFaceNames, ABtnPngItemWearsTheSharedFaceAndNamesItsIcon)
{
    const struct {
        const wchar_t* item;
        const wchar_t* face;
        const wchar_t* icon;
    } table[] = {
        {L"btnPng_Save", L"btnPng", L"Save"},
        {L"btnPng_ico_link", L"btnPng", L"ico_link"}, // after the first underscore only
        {L"btnPngSave", L"btnPng", L"btnPngSave"},    // no underscore: the whole name
        {L"my_btnPng", L"btnPng", L"btnPng"},         // the tag anywhere in the name
        {L"btn_apply", L"btn_apply", L""},            // any other item wears its own face
        {L"", L"", L""},
    };
    for (const auto& row : table) {
        const SkinFaceNames names = SkinFaceNamesOf(row.item);
        EXPECT_EQ(names.face, row.face) << row.item;
        EXPECT_EQ(names.icon, row.icon) << row.item;
    }
}
