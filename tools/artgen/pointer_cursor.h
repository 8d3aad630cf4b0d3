#pragma once
// The mouse pointer: a white hand with a black outline, its index finger pointing to the top-left
// corner, where the hot spot is.

#include "icon_files.h"

namespace artgen {

IconImage drawPointerCursor();

}  // namespace artgen
