// The horizontal and vertical image sliders on real windows: what a click, a drag, a release
// and the wheel report to the parent, range clamping, the composed face in every state, and
// malformed input.
#include "controls/HSliderBar.h"
#include "controls/VSliderBar.h"

#include "SliderParent.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

namespace {

// A horizontal slider of 220 x 20 with a 20 x 12 thumb: 200 pixels of travel.
constexpr int kW = 220;
constexpr int kH = 20;
constexpr RECT kPlace{10, 10, 10 + kW, 10 + kH};
constexpr UINT kId = 10002;
constexpr int kThumbLong = 20;
constexpr int kThumbShort = 12;
// The vertical slider: the same track standing up.
constexpr RECT kVerticalPlace{300, 10, 300 + kH, 10 + kW};
// The track sources are larger than the control; the slider keeps the crop from this offset.
constexpr int kCropOffset = 10;

const Bgra kClear{0, 0, 0, 0};
const Bgra kBlack{0, 0, 0, 255};
const Bgra kGrey{128, 128, 128, 255};
const Bgra kBlue{255, 0, 0, 255};
const Bgra kGreen{0, 255, 0, 255};
const Bgra kMagenta{255, 0, 255, 255};
const Bgra kWhite{255, 255, 255, 255};
const Bgra kYellow{0, 255, 255, 255};
const Bgra kRed{0, 0, 255, 255};
const Bgra kCyan{255, 255, 0, 255};

// Track normal blue, down green, disabled magenta, each with a 2-pixel transparent strip
// along the side away from the thumb edge, black before the crop offset.
Bitmap TrackSource(bool vertical, Bgra colour)
{
    const int length = kW + 2 * kCropOffset;
    const int w = vertical ? kH + kCropOffset : length;
    const int h = vertical ? length : kH + kCropOffset;
    return MakeBitmap(w, h, [=](int x, int y) {
        const int along = vertical ? y : x;
        const int across = vertical ? x - kCropOffset : y - kCropOffset;
        if (along < kCropOffset || across < 0)
            return kBlack;
        return across < 2 ? kClear : colour;
    });
}

// The parent's background: grey over the places of the sliders, black elsewhere.
Bitmap ParentBackground()
{
    return MakeBitmap(CRecordingParent::kWidth, CRecordingParent::kHeight, [](int x, int y) {
        const POINT p{x, y};
        return ::PtInRect(&kPlace, p) || ::PtInRect(&kVerticalPlace, p) ? kGrey : kBlack;
    });
}

class SliderTest : public ::testing::Test {
protected:
    template <class Slider>
    void Dress(Slider& slider, const RECT& place, bool vertical, bool withDisabledThumb = true)
    {
        const int w = place.right - place.left;
        const int h = place.bottom - place.top;
        slider.SetTrackImages(kCropOffset, kCropOffset, kCropOffset + w, kCropOffset + h, TrackSource(vertical, kBlue),
                              TrackSource(vertical, kGreen), TrackSource(vertical, kMagenta));
        const int tw = vertical ? kThumbShort : kThumbLong;
        const int th = vertical ? kThumbLong : kThumbShort;
        slider.SetThumbImages(MakeSolidBitmap(tw, th, kWhite), MakeSolidBitmap(tw, th, kYellow),
                              MakeSolidBitmap(tw, th, kRed),
                              withDisabledThumb ? MakeSolidBitmap(tw, th, kCyan) : Bitmap(), false);
        slider.SetRange(0, 255);
        slider.SetBackground(place.left, place.top, place.right, place.bottom, ParentBackground());
    }

    std::unique_ptr<CPngHSliderBar> MakeHorizontal(bool withDisabledThumb = true)
    {
        auto slider = std::make_unique<CPngHSliderBar>();
        EXPECT_TRUE(slider->Create(kPlace, parent, kId));
        Dress(*slider, kPlace, false, withDisabledThumb);
        return slider;
    }

    std::unique_ptr<CPngVSliderBar> MakeVertical()
    {
        auto slider = std::make_unique<CPngVSliderBar>();
        EXPECT_TRUE(slider->Create(kVerticalPlace, parent));
        Dress(*slider, kVerticalPlace, true);
        return slider;
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

    // A click is a press and a release at one point.
    static void Click(HWND control, int x, int y)
    {
        ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(x, y));
        ::SendMessageW(control, WM_LBUTTONUP, 0, PointParam(x, y));
    }

    // Takes every report as the main window does.
    template <class Slider>
    void FollowReports(Slider& slider)
    {
        parent.onReport = [&slider](int value) { slider.SetPos(value); };
    }

    CSliderParent parent;
};

TEST_F(SliderTest, ClickReportsTheValueUnderThePointerOnRelease)
{
    const struct {
        int x;
        int expected;
        const char* why;
    } table[] = {
        {0, 0, "the left edge"},
        {19, 0, "inside the dead first half-thumb"},
        {20, 13, "just past it: the values 1..12 cannot be clicked"},
        {110, 128, "the middle"},
        {219, 255, "the right edge"},
    };
    for (const auto& row : table) {
        auto slider = MakeHorizontal();
        ::SendMessageW(*slider, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(row.x, 5));
        EXPECT_TRUE(parent.PumpValues().empty()) << "the press reports nothing: " << row.why;
        ::SendMessageW(*slider, WM_LBUTTONUP, 0, PointParam(row.x, 5));
        EXPECT_EQ(parent.Count(WM_SLIDER_POS), 0u) << "posted, not sent: " << row.why;
        parent.Pump();
        EXPECT_EQ(parent.Reports(), (std::vector<SliderReport>{{row.expected, kId}})) << row.why;
        EXPECT_EQ(slider->GetPos(), 0) << "only the parent sets the value: " << row.why;
        parent.recorded.clear();
    }
}

TEST_F(SliderTest, DragReportsEachChangeOfTheMappedValueOnce)
{
    auto slider = MakeHorizontal();
    FollowReports(*slider);
    ::SendMessageW(*slider, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(20, 5));
    // The parent takes each report before the next move comes, as with real input.
    std::vector<int> reports;
    for (int x : {20, 20, 21, 21, 22, 110}) {
        ::SendMessageW(*slider, WM_MOUSEMOVE, MK_LBUTTON, PointParam(x, 5));
        for (int value : parent.PumpValues())
            reports.push_back(value);
    }
    EXPECT_EQ(reports, (std::vector<int>{13, 14, 15, 128}));
    // The release reports again, although the value has not changed.
    ::SendMessageW(*slider, WM_LBUTTONUP, 0, PointParam(110, 5));
    EXPECT_EQ(parent.PumpValues(), (std::vector<int>{128}));
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(SliderTest, IgnoredReportsLeaveTheThumbWhereItWas)
{
    auto slider = MakeHorizontal();
    const Bgra before = Render(*slider)->At(5, 12);
    EXPECT_EQ(before, kWhite);
    ::SendMessageW(*slider, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(160, 5));
    ::SendMessageW(*slider, WM_MOUSEMOVE, MK_LBUTTON, PointParam(160, 5));
    ::SendMessageW(*slider, WM_MOUSEMOVE, MK_LBUTTON, PointParam(160, 5));
    ::SendMessageW(*slider, WM_LBUTTONUP, 0, PointParam(160, 5));
    // Every move differs from the value held (still 0), so each reports.
    EXPECT_EQ(parent.PumpValues(), (std::vector<int>{191, 191, 191}));
    EXPECT_EQ(slider->GetPos(), 0);
    EXPECT_EQ(Render(*slider)->At(5, 12), kWhite);
}

TEST_F(SliderTest, ReleasingBeyondTheEndsReportsTheBounds)
{
    auto horizontal = MakeHorizontal();
    auto vertical = MakeVertical();
    const struct {
        HWND slider;
        int x, y;
        int expected;
    } table[] = {
        {*horizontal, -500, 5, 0}, {*horizontal, 5000, 5, 255}, {*horizontal, 110, -300, 128},
        {*vertical, 5, -500, 0},   {*vertical, 5, 5000, 255},   {*vertical, 600, 110, 128},
    };
    for (const auto& row : table) {
        ::SendMessageW(row.slider, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(10, 10));
        ::SendMessageW(row.slider, WM_LBUTTONUP, 0, PointParam(row.x, row.y));
        EXPECT_EQ(parent.PumpValues(), (std::vector<int>{row.expected})) << row.x << ", " << row.y;
    }
}

TEST_F(SliderTest, VerticalSliderReportsWithItsFixedIdAndNoDeadHalfThumb)
{
    auto slider = MakeVertical();
    EXPECT_EQ(::GetDlgCtrlID(*slider), 10001);
    Click(*slider, 5, 12); // d = 2: 2.55 rounds to 3
    parent.Pump();
    EXPECT_EQ(parent.Reports(), (std::vector<SliderReport>{{3, 10001}}));
}

TEST_F(SliderTest, WheelProposesOneStepAndReportsEvenAtTheEnd)
{
    auto horizontal = MakeHorizontal();
    auto vertical = MakeVertical();
    vertical->SetRange(0, 6);
    const struct {
        CPngSliderBar* slider;
        int value;
        short delta;
        int expected;
    } table[] = {
        {horizontal.get(), 100, WHEEL_DELTA, 101}, {horizontal.get(), 100, -WHEEL_DELTA, 99},
        {horizontal.get(), 255, WHEEL_DELTA, 255}, {horizontal.get(), 0, -WHEEL_DELTA, 0},
        {vertical.get(), 3, WHEEL_DELTA, 2},       {vertical.get(), 3, -WHEEL_DELTA, 4},
        {vertical.get(), 0, WHEEL_DELTA, 0},       {vertical.get(), 6, -WHEEL_DELTA, 6},
    };
    for (const auto& row : table) {
        row.slider->SetPos(row.value);
        EXPECT_EQ(::SendMessageW(*row.slider, WM_MOUSEWHEEL, MAKEWPARAM(0, row.delta), PointParam(0, 0)), 1);
        EXPECT_EQ(parent.PumpValues(), (std::vector<int>{row.expected})) << row.value << " delta " << row.delta;
        EXPECT_EQ(row.slider->GetPos(), row.value);
    }
}

TEST_F(SliderTest, SetRangeBringsTheValueIntoTheRangeAndRedraws)
{
    auto slider = MakeHorizontal();
    slider->SetPos(300);
    EXPECT_EQ(slider->GetPos(), 300) << "SetPos stores what it is given";
    EXPECT_EQ(Render(*slider)->At(5, 12), kGreen) << "the thumb is off the track";
    slider->SetRange(0, 255);
    EXPECT_EQ(slider->GetPos(), 255);
    EXPECT_EQ(Render(*slider)->At(210, 12), kWhite) << "the thumb is back at the end";
    slider->SetRange(10, 20);
    EXPECT_EQ(slider->GetPos(), 20);
    slider->SetRange(30, 40);
    EXPECT_EQ(slider->GetPos(), 30);
    EXPECT_EQ(slider->GetRangeMin(), 30);
    EXPECT_EQ(slider->GetRangeMax(), 40);
    EXPECT_EQ(parent.PumpValues(), std::vector<int>{}) << "setters report nothing";
}

TEST_F(SliderTest, HorizontalFaceIsBackdropFilledTrackPlainTrackAndThumb)
{
    auto slider = MakeHorizontal();
    slider->SetPos(128); // thumb at x = 100 (200 / 255 * 128, truncated), y = 8
    const auto face = Render(*slider);
    EXPECT_EQ(face->At(50, 0), kGrey) << "the backdrop through the transparent track";
    EXPECT_EQ(face->At(0, 5), kGreen) << "the crop starts at its offset";
    EXPECT_EQ(face->At(105, 5), kGreen) << "filled up to the thumb's centre";
    EXPECT_EQ(face->At(110, 5), kBlue) << "plain from the thumb's centre";
    EXPECT_EQ(face->At(219, 5), kBlue);
    EXPECT_EQ(face->At(100, 8), kWhite) << "thumb at the bottom edge";
    EXPECT_EQ(face->At(119, 19), kWhite);
    EXPECT_EQ(face->At(99, 19), kGreen);
    EXPECT_EQ(face->At(120, 19), kBlue);
    EXPECT_EQ(face->At(105, 7), kGreen);

    slider->SetThumbImages(MakeSolidBitmap(kThumbLong, kThumbShort, kWhite), Bitmap(), Bitmap(), Bitmap(), true);
    EXPECT_EQ(Render(*slider)->At(110, 0), kWhite) << "thumb at the top edge";
}

TEST_F(SliderTest, VerticalFaceHasThePlainTrackAboveTheThumb)
{
    auto slider = MakeVertical();
    slider->SetPos(128); // thumb at x = 8, y = 100
    const auto face = Render(*slider);
    EXPECT_EQ(face->At(0, 50), kGrey);
    EXPECT_EQ(face->At(4, 50), kBlue);
    EXPECT_EQ(face->At(4, 109), kBlue);
    EXPECT_EQ(face->At(4, 110), kGreen);
    EXPECT_EQ(face->At(4, 219), kGreen);
    EXPECT_EQ(face->At(8, 100), kWhite) << "thumb against the right edge";
    EXPECT_EQ(face->At(19, 119), kWhite);
    EXPECT_EQ(face->At(7, 100), kBlue);
}

TEST_F(SliderTest, ThumbShowsDragAndHover)
{
    auto slider = MakeHorizontal();
    ::SendMessageW(*slider, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5));
    EXPECT_EQ(Render(*slider)->At(5, 12), kRed) << "down while dragged";
    EXPECT_EQ(::GetCapture(), slider->m_hWnd);
    ::SendMessageW(*slider, WM_LBUTTONUP, 0, PointParam(5, 5));
    EXPECT_EQ(Render(*slider)->At(5, 12), kWhite);

    POINT screen{5, 5};
    ::ClientToScreen(*slider, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessageW(*slider, WM_MOUSEMOVE, 0, PointParam(5, 5));
    EXPECT_TRUE(slider->IsHovered());
    EXPECT_EQ(::GetCapture(), slider->m_hWnd) << "hover holds the capture to see the pointer go";
    EXPECT_EQ(Render(*slider)->At(5, 12), kYellow) << "over while hovered";

    // Over the parent now: hover ends and the capture goes.
    ::SendMessageW(*slider, WM_MOUSEMOVE, 0, PointParam(5, 200));
    EXPECT_FALSE(slider->IsHovered());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(Render(*slider)->At(5, 12), kWhite);
    EXPECT_EQ(parent.PumpValues(), (std::vector<int>{0})) << "hovering reports nothing";
}

TEST_F(SliderTest, LeavingWhileHoveredEndsHover)
{
    auto slider = MakeHorizontal();
    ::SendMessageW(*slider, WM_MOUSEMOVE, 0, PointParam(5, 5));
    ASSERT_TRUE(slider->IsHovered());
    ::SendMessageW(*slider, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(slider->IsHovered());
    EXPECT_EQ(::GetCapture(), nullptr);

    // A drag that starts elsewhere does not light the thumb.
    ::SendMessageW(*slider, WM_MOUSEMOVE, MK_LBUTTON, PointParam(5, 5));
    EXPECT_FALSE(slider->IsHovered());
    EXPECT_EQ(parent.PumpValues(), std::vector<int>{});
}

TEST_F(SliderTest, DisabledHorizontalSliderShowsItsDisabledTrackAndThumb)
{
    auto slider = MakeHorizontal();
    slider->SetPos(128);
    slider->EnableWindow(false);
    auto face = Render(*slider);
    EXPECT_EQ(face->At(50, 5), kMagenta);
    EXPECT_EQ(face->At(200, 5), kMagenta);
    EXPECT_EQ(face->At(110, 12), kCyan);

    auto withoutDisabledThumb = MakeHorizontal(false);
    withoutDisabledThumb->EnableWindow(false);
    EXPECT_EQ(Render(*withoutDisabledThumb)->At(5, 12), kWhite) << "the normal thumb stands in";

    slider->EnableWindow(true);
    face = Render(*slider);
    EXPECT_EQ(face->At(50, 5), kGreen);
    EXPECT_EQ(face->At(110, 12), kWhite);
}

TEST_F(SliderTest, DisabledVerticalSliderChangesOnlyItsThumb)
{
    auto slider = MakeVertical();
    slider->SetPos(128);
    slider->EnableWindow(false);
    const auto face = Render(*slider);
    EXPECT_EQ(face->At(4, 50), kBlue);
    EXPECT_EQ(face->At(4, 200), kGreen);
    EXPECT_EQ(face->At(12, 110), kCyan);
}

TEST_F(SliderTest, AReportSentToTheSliderGoesToTheParentAsItsOwn)
{
    auto slider = MakeHorizontal();
    EXPECT_EQ(::SendMessageW(*slider, WM_SLIDER_POS, 42, 999), 0);
    ::PostMessageW(*slider, WM_SLIDER_POS, static_cast<WPARAM>(-7), 0);
    parent.Pump();
    EXPECT_EQ(parent.Reports(), (std::vector<SliderReport>{{42, kId}, {-7, kId}}));
}

TEST_F(SliderTest, LosingTheCaptureEndsTheDragWithoutAReport)
{
    auto slider = MakeHorizontal();
    ::SendMessageW(*slider, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5));
    ::SetCapture(parent); // a popup takes the mouse
    EXPECT_FALSE(slider->IsDragging());
    ::SendMessageW(*slider, WM_MOUSEMOVE, MK_LBUTTON, PointParam(150, 5));
    ::SendMessageW(*slider, WM_LBUTTONUP, 0, PointParam(150, 5));
    EXPECT_EQ(parent.PumpValues(), std::vector<int>{});
    EXPECT_EQ(Render(*slider)->At(5, 12), kWhite);
    ::ReleaseCapture();
}

TEST_F(SliderTest, MalformedInputDrawsAndReportsSafely)
{
    // No images, no backdrop, no size, an empty range, an inverted range, extreme pointers.
    CPngHSliderBar bare;
    ASSERT_TRUE(bare.Create({0, 0, 0, 0}, parent, kId));
    Canvas canvas(4, 4);
    PrintClient(bare, canvas);
    bare.UpdateWindow();
    Click(bare, 0, 0);
    EXPECT_EQ(parent.PumpValues(), (std::vector<int>{0}));

    auto slider = MakeHorizontal();
    slider->SetThumbImages(Bitmap(), Bitmap(), Bitmap(), Bitmap(), false);
    slider->SetTrackImages(0, 0, 0, 0, Bitmap(), Bitmap(), Bitmap());
    slider->SetBackground(0, 0, kW, kH, Bitmap()); // keeps the backdrop
    EXPECT_EQ(Render(*slider)->At(50, 5), kGrey);
    slider->SetRange(7, 7);
    Click(*slider, 110, 5);
    ::SendMessageW(*slider, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(parent.PumpValues(), (std::vector<int>{7, 7}));
    slider->SetRange(INT_MIN, INT_MAX);
    slider->SetPos(INT_MAX);
    Render(*slider);
    ::SendMessageW(*slider, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    ::SendMessageW(*slider, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(-32768, -32768));
    ::SendMessageW(*slider, WM_MOUSEMOVE, MK_LBUTTON, PointParam(32767, 32767));
    ::SendMessageW(*slider, WM_LBUTTONUP, 0, PointParam(-32768, 32767));
    // The move maps to the value held, so only the wheel and the release report.
    EXPECT_EQ(parent.PumpValues(), (std::vector<int>{INT_MAX, INT_MIN}));
    ::SendMessageW(*slider, WM_PRINTCLIENT, 0, PRF_CLIENT); // no device context
    slider->DestroyWindow();
    slider->SetPos(3); // a slider without a window keeps its state
    EXPECT_EQ(slider->GetPos(), 3);
}

} // namespace
