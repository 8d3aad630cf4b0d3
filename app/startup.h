#pragma once
// Program entry and exit: initialisation, the three windows, the message loop and shutdown.

#include <windows.h>

namespace kaleidra {

// False when a title picture could not be loaded.
bool initApplication(HINSTANCE instance);
// Registers the classes, creates the windows (children hidden) and loads the other bitmaps; false
// when anything fails.
bool startApplication(HINSTANCE instance, HINSTANCE previousInstance, int showCommand);
int runMessageLoop();
void shutdownApplication();

// The whole run; the exit code is always 0.
int runKaleidra(HINSTANCE instance, HINSTANCE previousInstance, int showCommand);

}  // namespace kaleidra
