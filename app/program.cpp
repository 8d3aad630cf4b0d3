#include "app/program.h"

namespace kaleidra {

Program& program() {
    static Program instance{};
    return instance;
}

FieldScene fieldScene(const Program& p) { return {p.field, p.settings, p.patterns, p.bitmaps}; }

StatusScene statusScene(const Program& p) { return {p.settings, p.state, p.patterns, p.bitmaps}; }

}  // namespace kaleidra
