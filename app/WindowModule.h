#pragma once
// The window part of the program lives in a module beside the executable
// (Engineering_Config_window.so, or .dll on Windows), loaded only when a
// window is needed. A silent run thus never loads the window system's
// libraries, which would cost it more time than all its own work.

// The module's entries. Both set up the program state themselves.
// Runs the program with its main window and returns the exit status.
extern "C" int runEngineeringWindow(int argc, char** argv);
// Shows a fault that ends the start in the program's message box.
extern "C" void reportEngineeringFault(int argc, char** argv, const char* message);

// Loads the module from the executable's folder and runs it; a clear message
// and status 1 when it cannot be loaded.
int runWindowModule(int argc, char** argv);
// Shows the message through the module; nothing when it cannot be loaded.
void reportFaultInWindow(int argc, char** argv, const char* message);
