#include <gtest/gtest.h>

#include "testpage/page_layout.h"

namespace {

using testpage::Advance;
using testpage::DeviceMetrics;
using testpage::FullPageLayout;
using testpage::LayOutFullPage;

void ExpectRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom)
{
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

TEST(FullPageLayout, At600DpiWithA96DpiScreen)
{
    const DeviceMetrics a4{600, 600, 4658, 6416};
    const FullPageLayout layout = LayOutFullPage(a4, 96, 96);
    // The artwork keeps its screen size: 288 x 82 pixels at 96 dpi = 3 x 0.854 inch.
    ExpectRect(layout.header, 600, 600, 600 + 1800, 600 + 512);
    EXPECT_EQ(layout.x1, 600);
    EXPECT_EQ(layout.x3, 1800);
    // 512.5 (the exact header height) + 600 + 150: the first line stands at 1262.
    EXPECT_DOUBLE_EQ(layout.textTop, 1262.5);
    EXPECT_EQ(static_cast<int>(layout.textTop), 1262);
    ExpectRect(layout.wrap, 600, 1262, 4658, 6416);
}

TEST(FullPageLayout, AxesScaleIndependently)
{
    // Different resolutions per axis, on the printer and on the screen.
    const DeviceMetrics printer{300, 600, 2400, 6000};
    const FullPageLayout layout = LayOutFullPage(printer, 96, 120);
    ExpectRect(layout.header, 300, 600, 300 + 900, 600 + 410);
    EXPECT_EQ(layout.x1, 300);
    EXPECT_EQ(layout.x3, 900);
    EXPECT_DOUBLE_EQ(layout.textTop, 410 + 600 + 150);
    ExpectRect(layout.wrap, 300, 1160, 2400, 6000);
}

TEST(FullPageLayout, HeaderSizesTruncateTowardZero)
{
    // 203/96 x 288 = 609.0, 203/96 x 82 = 173.39..., top 203 + 173.39 + 50.75 = 427.14...
    const FullPageLayout layout = LayOutFullPage({203, 203, 1000, 2000}, 96, 96);
    ExpectRect(layout.header, 203, 203, 203 + 609, 203 + 173);
    EXPECT_NEAR(layout.textTop, 427.1458, 1e-3);
    EXPECT_EQ(layout.wrap.top, 427);
}

TEST(FullPageLayout, UnreadableScreenResolutionFallsBackTo96)
{
    const DeviceMetrics a4{600, 600, 4658, 6416};
    const FullPageLayout fallback = LayOutFullPage(a4, 0, 0);
    const FullPageLayout at96 = LayOutFullPage(a4, 96, 96);
    ExpectRect(fallback.header, at96.header.left, at96.header.top, at96.header.right, at96.header.bottom);
    EXPECT_DOUBLE_EQ(fallback.textTop, at96.textTop);
}

TEST(ReceiptLayout, HalfInchMarginsAndThePrintableAreasEdges)
{
    ExpectRect(testpage::ReceiptWrapRect({203, 203, 576, 3000}), 101, 101, 576, 3000);
    ExpectRect(testpage::ReceiptWrapRect({203, 300, 576, 3000}), 101, 150, 576, 3000);
    ExpectRect(testpage::ReceiptWrapRect({600, 600, 4658, 6416}), 300, 300, 4658, 6416);
}

TEST(LineAdvance, EachAdvanceFromItsMetrics)
{
    const testpage::LineMetrics metrics{50, 4, 70};   // tmHeight, tmExternalLeading, heading line
    const int h = 120;                                 // what DrawTextA returned
    struct Case {
        Advance advance;
        double step;
    };
    const Case cases[] = {
        {Advance::None, 0},   {Advance::L1, 54},  {Advance::L2, 104},          {Advance::HPlusTextHeight, 170},
        {Advance::H, 120},    {Advance::TwiceH, 240}, {Advance::HPlusHeadingLine, 190},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.advance));
        EXPECT_DOUBLE_EQ(testpage::NextLineTop(1262.5, c.advance, metrics, h), 1262.5 + c.step);
    }
}

}  // namespace
