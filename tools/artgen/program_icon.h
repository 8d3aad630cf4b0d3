#pragma once
// The program's icon: a green panel slab on cyan and yellow diagonal stripes, plus a transparent
// 16-colour image.

#include <vector>

#include "icon_files.h"

namespace artgen {

std::vector<IconImage> drawProgramIcon();

}  // namespace artgen
