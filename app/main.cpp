#include <windows.h>

#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR /*commandLine*/,
                   int showCommand) {
    return kaleidra::runKaleidra(instance, previousInstance, showCommand);
}
