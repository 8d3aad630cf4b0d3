#pragma once
// The flow between the title screen and a game.

namespace kaleidra {

void startGame();
// Asks for confirmation, shows the result, and returns to the title screen (or ends the program).
void endGame();

}  // namespace kaleidra
