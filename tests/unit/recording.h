// Records the traces and message boxes of the code under test instead of letting
// them reach the debugger and the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ShownBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};

class Recording {
public:
    Recording();
    ~Recording();
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

    const std::vector<std::string>& traces() const;
    const std::vector<ShownBox>& boxes() const;
};
