// The hue knob on a real window: its reported scale, a drag once around, the wheel's wrap,
// a release at the centre, the composed face, the mask region and malformed input.
#include "controls/Knob.h"

#include "SliderParent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

namespace {

// The main window's knob: 160 x 160, range 0..359. Its dial is the client moved in by 13,
// centre (80, 80), radius 67; the thumb is 20 x 20.
constexpr int kSize = 160;
constexpr RECT kPlace{20, 20, 20 + kSize, 20 + kSize};
constexpr int kCentre = 80;
constexpr int kThumb = 20;

const Bgra kClear{0, 0, 0, 0};
const Bgra kDialGrey{48, 48, 48, 255};
const Bgra kBlue{255, 0, 0, 255};
const Bgra kBlack{0, 0, 0, 255};
const Bgra kRed{0, 0, 255, 255};

// The dial is grey with a transparent 10 x 10 corner at the top left.
Bitmap DialImage()
{
    return MakeBitmap(kSize, kSize, [](int x, int y) { return x < 10 && y < 10 ? kClear : kDialGrey; });
}

bool SameColour(Bgra a, Bgra b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

class KnobTest : public ::testing::Test {
protected:
    std::unique_ptr<CPngRSliderBar2> MakeKnob()
    {
        auto knob = std::make_unique<CPngRSliderBar2>();
        EXPECT_TRUE(knob->Create(kPlace, parent));
        knob->SetTrackImages(0, 0, kSize, kSize, DialImage());
        knob->SetThumbImages(MakeSolidBitmap(kThumb, kThumb, kBlue));
        knob->SetRange(0, 359);
        knob->SetPos(50);
        return knob;
    }

    static std::unique_ptr<Canvas> Render(HWND control)
    {
        RECT r{};
        ::GetClientRect(control, &r);
        auto canvas = std::make_unique<Canvas>(r.right, r.bottom);
        canvas->Fill({1, 2, 3, 4});
        PrintClient(control, *canvas);
        return canvas;
    }

    CSliderParent parent;
};

TEST_F(KnobTest, SetPosAndGetPosUseTheReportedScale)
{
    auto knob = MakeKnob();
    EXPECT_EQ(knob->GetPos(), 50);
    EXPECT_EQ(::GetDlgCtrlID(*knob), 10006);
    const struct {
        int set, get;
        int thumbX, thumbY; // a thumb pixel beside the hand
        const char* where;
    } table[] = {
        {0, 359, 146, 74, "3 o'clock"}, {359, 359, 146, 74, "3 o'clock"}, {90, 90, 74, 14, "top"},
        {180, 180, 14, 74, "left"},     {270, 270, 75, 146, "bottom"},
    };
    for (const auto& row : table) {
        knob->SetPos(row.set);
        EXPECT_EQ(knob->GetPos(), row.get) << row.where;
        EXPECT_EQ(Render(*knob)->At(row.thumbX, row.thumbY), kBlue) << row.where;
    }
    EXPECT_EQ(parent.PumpValues(), std::vector<int>{}) << "setters report nothing";
}

TEST_F(KnobTest, DragOnceAroundReportsEveryMoveCountingUpCounterClockwise)
{
    auto knob = MakeKnob();
    constexpr int kSteps = 72;
    ::SendMessageW(*knob, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(kCentre + 60, kCentre));
    EXPECT_TRUE(parent.PumpValues().empty()) << "the press reports nothing";
    for (int i = 1; i <= kSteps; ++i) {
        const double angle = 2 * std::numbers::pi * i / kSteps + 0.01;
        const int x = kCentre + static_cast<int>(std::lround(60 * std::cos(angle)));
        const int y = kCentre - static_cast<int>(std::lround(60 * std::sin(angle)));
        ::SendMessageW(*knob, WM_MOUSEMOVE, MK_LBUTTON, PointParam(x, y));
    }
    const std::vector<int> values = parent.PumpValues();
    ASSERT_EQ(values.size(), static_cast<size_t>(kSteps));
    int wraps = 0;
    for (size_t i = 1; i < values.size(); ++i) {
        if (values[i] < values[i - 1]) {
            ++wraps;
            EXPECT_GE(values[i - 1], 350);
            EXPECT_LE(values[i], 10);
        }
    }
    EXPECT_EQ(wraps, 1);
    EXPECT_EQ(values.front(), 6) << "the first move is about 5.6 degrees on";
    EXPECT_EQ(knob->GetPos(), values.back()) << "the knob turns itself while dragged";

    // The same place again reports again.
    ::SendMessageW(*knob, WM_MOUSEMOVE, MK_LBUTTON, PointParam(kCentre, kCentre - 60));
    ::SendMessageW(*knob, WM_MOUSEMOVE, MK_LBUTTON, PointParam(kCentre, kCentre - 60));
    ::SendMessageW(*knob, WM_LBUTTONUP, 0, PointParam(kCentre, kCentre - 60));
    EXPECT_EQ(parent.PumpValues(), (std::vector<int>{90, 90, 90}));
    EXPECT_FALSE(knob->IsDragging());
    EXPECT_EQ(::GetCapture(), nullptr);

    // Moves without a press report nothing.
    ::SendMessageW(*knob, WM_MOUSEMOVE, 0, PointParam(10, kCentre));
    EXPECT_EQ(parent.PumpValues(), std::vector<int>{});
}

TEST_F(KnobTest, WheelProposesTheNextStepWrappingAtTheEndOfTheTurn)
{
    auto knob = MakeKnob();
    const struct {
        int from;
        short delta;
        int expected;
    } table[] = {
        {1, WHEEL_DELTA, 0},
        {359, -WHEEL_DELTA, 1},
        {100, WHEEL_DELTA, 99},
        {100, -WHEEL_DELTA, 101},
    };
    for (const auto& row : table) {
        knob->SetPos(row.from);
        EXPECT_EQ(::SendMessageW(*knob, WM_MOUSEWHEEL, MAKEWPARAM(0, row.delta), 0), 1);
        EXPECT_EQ(parent.PumpValues(), (std::vector<int>{row.expected})) << row.from << " delta " << row.delta;
        EXPECT_EQ(knob->GetPos(), row.from) << "only the parent turns the knob";
    }
}

TEST_F(KnobTest, ReleaseAtTheCentreSetsTheMinimumAndReports269)
{
    auto knob = MakeKnob();
    // No press first: a release over the knob sets it all the same.
    ::SendMessageW(*knob, WM_LBUTTONUP, 0, PointParam(kCentre, kCentre));
    parent.Pump();
    EXPECT_EQ(parent.Reports(), (std::vector<SliderReport>{{269, 10006}}));
    EXPECT_EQ(knob->GetPos(), 269);
}

TEST_F(KnobTest, FaceIsDialThumbHandAndRedCentre)
{
    auto knob = MakeKnob();
    knob->SetPos(0); // thumb at 3 o'clock: (136, 70)-(156, 90)
    const auto face = Render(*knob);
    EXPECT_TRUE(SameColour(face->At(2, 2), kBlack)) << "the dial's transparent corner";
    EXPECT_TRUE(SameColour(face->At(40, 140), kDialGrey));
    EXPECT_EQ(face->At(146, 74), kBlue);
    EXPECT_TRUE(SameColour(face->At(kCentre, kCentre), kRed));
    EXPECT_TRUE(SameColour(face->At(kCentre - 10, kCentre), kRed));
    EXPECT_TRUE(SameColour(face->At(kCentre - 20, kCentre), kDialGrey)) << "the dot is 24 pixels wide";
    // The hand, white at 70 %, lies along y = 80 between the dot and the thumb.
    const Bgra hand = face->At(115, kCentre);
    EXPECT_GT(hand.g, 150);
    EXPECT_EQ(face->At(115, kCentre - 4), kDialGrey);
}

TEST_F(KnobTest, DisablingLeavesTheLookAlone)
{
    auto knob = MakeKnob();
    const auto before = Render(*knob);
    knob->EnableWindow(false);
    const auto after = Render(*knob);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            ASSERT_EQ(after->At(x, y), before->At(x, y)) << x << ", " << y;
}

TEST_F(KnobTest, MaskShapesTheWindow)
{
    auto knob = MakeKnob();
    // White outside (10, 10)-(150, 150): only that square stays.
    knob->SetRegionFromMask(MakeBitmap(kSize, kSize, [](int x, int y) {
        return x >= 10 && x < 150 && y >= 10 && y < 150 ? kBlack : Bgra{255, 255, 255, 255};
    }));
    GdiRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(*knob, region.get()), ERROR);
    RECT box{};
    ::GetRgnBox(region.get(), &box);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.right, 150);
    EXPECT_EQ(box.bottom, 150);
}

TEST_F(KnobTest, AReportSentToTheKnobGoesToTheParentAsItsOwn)
{
    auto knob = MakeKnob();
    EXPECT_EQ(::SendMessageW(*knob, WM_SLIDER_POS, 42, 999), 0);
    parent.Pump();
    EXPECT_EQ(parent.Reports(), (std::vector<SliderReport>{{42, 10006}}));
}

TEST_F(KnobTest, LosingTheCaptureEndsTheDrag)
{
    auto knob = MakeKnob();
    ::SendMessageW(*knob, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(10, kCentre));
    ::SetCapture(parent);
    EXPECT_FALSE(knob->IsDragging());
    ::SendMessageW(*knob, WM_MOUSEMOVE, MK_LBUTTON, PointParam(10, kCentre));
    EXPECT_EQ(parent.PumpValues(), std::vector<int>{});
    EXPECT_EQ(knob->GetPos(), 50);
    ::ReleaseCapture();
}

TEST_F(KnobTest, MalformedInputDrawsAndReportsSafely)
{
    // No images, no size, an empty range, a zero maximum, extreme pointers.
    CPngRSliderBar2 bare;
    ASSERT_TRUE(bare.Create({0, 0, 0, 0}, parent));
    Canvas canvas(4, 4);
    PrintClient(bare, canvas);
    bare.UpdateWindow();
    ::SendMessageW(bare, WM_LBUTTONUP, 0, PointParam(0, 0));
    bare.SetRange(5, 5);
    ::SendMessageW(bare, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    ::SendMessageW(bare, WM_LBUTTONUP, 0, PointParam(-32768, 32767));
    bare.SetPos(12);
    EXPECT_EQ(bare.GetPos(), 5);
    // 0..10 at the centre reports 10 - (90 mod 10); the empty range then reports its minimum.
    EXPECT_EQ(parent.PumpValues(), (std::vector<int>{10, 5, 5}));

    auto knob = MakeKnob();
    knob->SetRange(-5, 0);
    Render(*knob);
    ::SendMessageW(*knob, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(32767, -32768));
    ::SendMessageW(*knob, WM_MOUSEMOVE, MK_LBUTTON, PointParam(-32768, 32767));
    ::SendMessageW(*knob, WM_LBUTTONUP, 0, PointParam(32767, 32767));
    const std::vector<int> values = parent.PumpValues();
    ASSERT_EQ(values.size(), 2u) << "the move and the release report";
    for (int value : values)
        EXPECT_TRUE(value >= 1 && value <= 5) << value;
    ::SendMessageW(*knob, WM_PRINTCLIENT, 0, PRF_CLIENT); // no device context
    knob->DestroyWindow();
    knob->SetPos(3);
}

} // namespace
