#pragma once
// Saves what is on screen inside a rectangle as a 24-bit BMP, for a person
// to look at after the test run.
#include <windows.h>

#include <string>

namespace testing_support {

// Returns the number of distinct colours seen (a blank capture has one).
int SaveScreenRect(const RECT& rect, const std::string& path);

}  // namespace testing_support
