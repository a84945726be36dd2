#pragma once
// The program's window, when it was built with one (ENGINEERING_WINDOW). A
// silent run never calls these, so it creates no application object and
// needs no display.

// Runs the program with its main window and returns the exit status.
int runWithWindow(int argc, char** argv);
// Shows a fault that ends the start in the program's message box.
void reportFaultInWindow(int argc, char** argv, const char* message);
