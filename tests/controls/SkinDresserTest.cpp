// What the skin dresser reads for each kind of control: a first build lists the skin files it
// could not read; a rebuild over the same background reads none and only moves the control.
#include "controls/SkinDresser.h"

#include "base/Paths.h"

#include "ImageFiles.h"
#include "RecordingParent.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr RECT kFirstPlace{10, 10, 90, 40};
constexpr RECT kSecondPlace{120, 60, 200, 90};
const Bgra kGrey{128, 128, 128, 255};

SkinItem Item(const wchar_t* name, const RECT& place)
{
    SkinItem item;
    item.name = name;
    item.rect = {place.left, place.top, place.right, place.bottom};
    item.text = L"7";
    return item;
}

class SkinDresserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetProgramFolderForTesting(m_folder.path()); // a skin folder without any file
        InitProgramFolder();
    }

    TempFolder m_folder;
    CRecordingParent m_parent;
    const Bitmap m_background = MakeSolidBitmap(CRecordingParent::kWidth, CRecordingParent::kHeight, kGrey);
    CPngHSliderBar m_slider;
    CPngVSliderBar m_scrollSlider;
    CPngRSliderBar2 m_knob;
    CColorBtn2 m_swatch;
    CClrEdit m_edit;
    CPngListBtn m_button;

    struct Case {
        const char* control;
        std::function<void(SkinDresser&, const RECT&)> dress;
        const CWnd& window;
        std::vector<std::wstring> missing; // on a first build
    };
    const Case m_cases[6] = {
        {"slider",
         [this](SkinDresser& d, const RECT& at) { d.Slider(m_slider, 1, Item(L"track", at), 0, 10); },
         m_slider,
         {L"track_normal.png", L"track_bar_normal.png"}},
        {"scroll slider",
         [this](SkinDresser& d, const RECT& at) { d.ScrollSlider(m_scrollSlider, Item(L"scroll", at), 0, 6); },
         m_scrollSlider,
         {L"scroll_normal.png", L"scroll_bar_normal.png"}},
        {"knob",
         [this](SkinDresser& d, const RECT& at) { d.Knob(m_knob, Item(L"dial", at), 0, 359); },
         m_knob,
         {L"dial_normal.png", L"dial_bar_normal.png", L"dial_mask.png"}},
        // Without its own tint face a cell tints its normal face, so that file is not missed.
        {"swatch",
         [this](SkinDresser& d, const RECT& at) { d.Swatch(m_swatch, Item(L"cell", at)); },
         m_swatch,
         {L"cell_normal.png"}},
        {"edit",
         [this](SkinDresser& d, const RECT& at) { d.Edit(m_edit, Item(L"field", at), true); },
         m_edit,
         {L"field_normal.png"}},
        {"button",
         [this](SkinDresser& d, const RECT& at) { d.Button(m_button, Item(L"btnPng_ico_x", at)); },
         m_button,
         {L"btnPng_normal.png", L"ico_x_normal.png"}},
    };
};

} // namespace

TEST_F(SkinDresserTest, AFirstBuildListsTheSkinFilesItCouldNotRead)
{
    for (const Case& row : m_cases) {
        SkinDresser dresser(m_parent, m_background, SkinDress::kCreateWindow);
        row.dress(dresser, kFirstPlace);
        EXPECT_EQ(dresser.MissingFiles(), row.missing) << row.control;
        EXPECT_TRUE(row.window.IsPlacedAt(kFirstPlace)) << row.control;
    }
}

TEST_F(SkinDresserTest, ARebuildOverTheSameBackgroundReadsNoFaceAndMovesTheControl)
{
    for (const Case& row : m_cases) {
        SkinDresser first(m_parent, m_background, SkinDress::kCreateWindow);
        row.dress(first, kFirstPlace);
        SkinDresser rebuild(m_parent, m_background, SkinDress::kSameBackground);
        row.dress(rebuild, kSecondPlace);
        EXPECT_TRUE(rebuild.MissingFiles().empty()) << row.control;
        EXPECT_TRUE(row.window.IsPlacedAt(kSecondPlace)) << row.control;
    }
}
