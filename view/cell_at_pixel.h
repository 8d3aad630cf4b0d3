#pragma once
// Maps a field window pixel to the lattice cell whose diamond holds it.

#include <cstdint>

#include "core/patterns.h"

namespace kaleidra {

// x 0..607, y 0..287; may give positions outside the lattice (columns -1..17, rows -1..16).
LatticePosition cellAtPixel(std::int32_t x, std::int32_t y);

}  // namespace kaleidra
