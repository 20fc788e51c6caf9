// The arithmetic of the page chrome, kept free of windows so unit tests reach it.
#pragma once

#include <windows.h>

namespace chrome {

// Both edges count: the column just right of a control and the row just below it
// are inside, as the button artwork's hover area is meant to be.
constexpr bool IsInsideInclusive(const RECT& rect, LONG x, LONG y)
{
    return rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
}

struct Point {
    int x;
    int y;
};

// Top-left corner that centres a page; C++ division truncates towards zero,
// also for a page larger than the screen.
constexpr Point CenteredOrigin(int cxScreen, int cyScreen, int width, int height)
{
    return {(cxScreen - width) / 2, (cyScreen - height) / 2};
}

enum class HoverChange { None, ShowHighlight, ShowNormal };

constexpr HoverChange HoverTransition(bool inside, int fNormalShown)
{
    if (inside && fNormalShown == 1)
        return HoverChange::ShowHighlight;
    if (!inside && fNormalShown == 0)
        return HoverChange::ShowNormal;
    return HoverChange::None;
}

// F4 counts only when it is down now and was pressed since the previous reading,
// so a held key (0x8000 on later readings) asks once.
constexpr unsigned short kF4FreshPress = 0x8001;

constexpr bool IsFreshKeyPress(SHORT asyncState)
{
    return static_cast<unsigned short>(asyncState) == kF4FreshPress;
}

// A press point is kept as signed 16-bit client coordinates of the pressed control.
constexpr int PressCoordinate(LPARAM lParam, bool yPart)
{
    const auto word = static_cast<unsigned short>(yPart ? (lParam >> 16) & 0xFFFF : lParam & 0xFFFF);
    return static_cast<short>(word);
}

}  // namespace chrome
