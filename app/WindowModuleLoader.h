#pragma once
// Loads the window module (WindowModule.h) from the program's folder:
// <base name>_window.so on Linux, <base name>_window.dll on Windows. A module
// once loaded stays loaded until the process ends: Qt's own clean-up at exit
// must still find its code.

#include "WindowModule.h"

#include <string>

// The module's entry point, or null with the reason in `problem`.
MakeWindowModule loadWindowModule(const std::string& executableFolder,
                                  const std::string& executableBaseName, std::string& problem);
