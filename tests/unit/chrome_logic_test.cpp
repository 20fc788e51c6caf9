#include <gtest/gtest.h>

#include <string>

#include "app/chrome_logic.h"

namespace {

TEST(ChromeLogic, HoverAreaIncludesTheColumnRightAndTheRowBelow)
{
    // A window rectangle: right and bottom are one past the last pixel of the control.
    const RECT button{100, 200, 182, 231};
    struct Case {
        LONG x, y;
        bool inside;
    };
    const Case cases[] = {
        {100, 200, true},    // top-left pixel
        {141, 215, true},    // centre
        {182, 215, true},    // the column just right of the control
        {141, 231, true},    // the row just below it
        {182, 231, true},    // their corner
        {183, 215, false},
        {141, 232, false},
        {99, 215, false},
        {141, 199, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(chrome::IsInsideInclusive(button, c.x, c.y), c.inside);
    }
}

TEST(ChromeLogic, CentredOriginTruncatesTowardsZero)
{
    struct Case {
        int cxScreen, cyScreen, width, height, x, y;
    };
    const Case cases[] = {
        {1024, 768, 613, 414, 205, 177},    // odd differences are cut, not rounded
        {1024, 768, 613, 388, 205, 190},
        {800, 600, 800, 600, 0, 0},
        {640, 480, 701, 483, -30, -1},      // larger than the screen: -30.5 -> -30, -1.5 -> -1
    };
    for (const Case& c : cases) {
        const auto origin = chrome::CenteredOrigin(c.cxScreen, c.cyScreen, c.width, c.height);
        EXPECT_EQ(origin.x, c.x) << c.cxScreen << " " << c.width;
        EXPECT_EQ(origin.y, c.y) << c.cyScreen << " " << c.height;
    }
}

TEST(ChromeLogic, HoverTransitions)
{
    using chrome::HoverChange;
    EXPECT_EQ(chrome::HoverTransition(true, 1), HoverChange::ShowHighlight);
    EXPECT_EQ(chrome::HoverTransition(false, 0), HoverChange::ShowNormal);
    // Already in the right state: no show or hide call at all.
    EXPECT_EQ(chrome::HoverTransition(true, 0), HoverChange::None);
    EXPECT_EQ(chrome::HoverTransition(false, 1), HoverChange::None);
}

TEST(ChromeLogic, OnlyAFreshF4PressCounts)
{
    struct Case {
        unsigned short state;
        bool counts;
    };
    const Case cases[] = {
        {0x8001, true},    // down now, pressed since the last reading
        {0x8000, false},   // held: later readings of the same press
        {0x0001, false},   // pressed and already released
        {0x0000, false},
        {0xFFFF, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chrome::IsFreshKeyPress(static_cast<SHORT>(c.state)), c.counts) << std::hex << c.state;
}

TEST(ChromeLogic, PressCoordinatesAreSigned16Bit)
{
    EXPECT_EQ(chrome::PressCoordinate(MAKELPARAM(40, 20), false), 40);
    EXPECT_EQ(chrome::PressCoordinate(MAKELPARAM(40, 20), true), 20);
    EXPECT_EQ(chrome::PressCoordinate(MAKELPARAM(0xFFFF, 0xFFFE), false), -1);
    EXPECT_EQ(chrome::PressCoordinate(MAKELPARAM(0xFFFF, 0xFFFE), true), -2);
}

}  // namespace
