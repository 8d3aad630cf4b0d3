#include "app/program.h"

namespace kaleidra {

Program& program() {
    static Program instance{};
    return instance;
}

}  // namespace kaleidra
