#include <windows.h>

#include "app/startup.h"

// The wide entry point: the command line, though unused, is never squeezed through a code page.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR /*commandLine*/,
                    int showCommand) {
    return kaleidra::runKaleidra(instance, previousInstance, showCommand);
}
