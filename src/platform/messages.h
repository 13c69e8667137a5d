// Message boxes and debug output shared by both platforms: a box goes to
// standard error always, and to a real dialog only when there is a display.
#pragma once

namespace zr {

constexpr const char* kErrorCaption = "Application Error";
constexpr const char* kWarningCaption = "Application Warning";

void printMessage(const char* caption, const char* text);
void printDebugLine(const char* text);
bool displayAvailable();

}  // namespace zr
