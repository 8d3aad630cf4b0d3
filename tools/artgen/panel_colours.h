#pragma once
// The five panel colours in the order the game advances them: red, yellow, green, light blue,
// purple. The face is the panel's top; the rim, a darker shade of the same hue, its thickness.

#include <array>

#include "rgb_image.h"

namespace artgen {

inline constexpr int panelColourCount = 5;

struct PanelShades {
    Rgb face;
    Rgb rim;
};

inline constexpr std::array<PanelShades, panelColourCount> panelShades{{
    {{255, 80, 80}, {208, 80, 80}},
    {{255, 255, 80}, {208, 208, 80}},
    {{80, 255, 80}, {80, 208, 80}},
    {{80, 255, 255}, {80, 208, 208}},
    {{255, 80, 255}, {208, 80, 208}},
}};

}  // namespace artgen
