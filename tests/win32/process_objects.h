#pragma once
// What the test process holds, counted from outside the program's own bookkeeping: GDI objects and
// windows, whoever made them (the system's controls included), and its private memory.

#include <windows.h>

#include <cstddef>

namespace kaleidra::testing {

// The live GDI objects of this process: the shared handle table's entries that name an object here.
// -1 where the table cannot be found.
int gdiObjectCount();
// The windows of this thread, top-level and children.
int windowCount();
std::size_t privateBytes();

}  // namespace kaleidra::testing
