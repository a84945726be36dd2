#pragma once
// The window part of the program lives in a module beside the executable
// (Engineering_Config_window.so, or .dll on Windows), loaded only when a
// window is needed. A silent run thus never loads the window system's
// libraries, which would cost it more time than all its own work.

// The module's entry: runs the program with its main window and returns the
// exit status. The module sets up the program state itself.
extern "C" int runEngineeringWindow(int argc, char** argv);

// Loads the module from the executable's folder and runs it; a clear message
// and status 1 when it cannot be loaded.
int runWindowModule(int argc, char** argv);
