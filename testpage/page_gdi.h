// Small GDI helpers shared by the two test pages.
#pragma once

#include <windows.h>

#include <cstring>

#include "testpage/page_content.h"

namespace testpage {

// Every attribute zero except face, weight and (for the receipt heading) height.
inline HFONT CreatePageFont(const FontChoice& choice)
{
    return CreateFontA(choice.height, 0, 0, 0, choice.weight, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, choice.face);
}

inline int Length(const char* text) { return static_cast<int>(std::strlen(text)); }

inline DWORD LastErrorOr(DWORD fallback)
{
    const DWORD error = GetLastError();
    return error ? error : fallback;
}

}  // namespace testpage
