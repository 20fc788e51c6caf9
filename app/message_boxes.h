// The wizard's message boxes: text, caption and flags in one table-like place.
#pragma once

#include <windows.h>

struct MessageBoxText {
    const char* text;
    const char* caption;
    UINT flags;
};

namespace boxes {

inline constexpr MessageBoxText kRegisterFailed{"Register failed", "Register Failed", MB_OK};
inline constexpr MessageBoxText kQuitQuestion{"Are you sure to quit from this wizard?", "Setwright",
                                              MB_YESNO | MB_ICONQUESTION};

}  // namespace boxes

inline int ShowMessageBox(HWND owner, const MessageBoxText& box)
{
    return MessageBoxA(owner, box.text, box.caption, box.flags);
}
