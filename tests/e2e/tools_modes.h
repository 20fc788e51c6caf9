#pragma once

#include <string>

namespace e2e {

// Starts the wizard, saves its first page as a BMP and ends it as a person would.
int ScreenshotMode(const std::string& exe, const std::string& bmpPath);
// Times launch-to-visible for the wizard and a one-dialog baseline, interleaved.
int BenchMode(int runs, const std::string& corvane, const std::string& baseline);

}  // namespace e2e
