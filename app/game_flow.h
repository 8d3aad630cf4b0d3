#pragma once
// The flow between the title screen and a game: what each menu command opens or starts.

namespace kaleidra {

// The rule dialog, on the title screen; the rules it sets hold from the next game on.
void chooseRules();
void startGame();
// The pattern dialog; afterwards the field shows no highlight and the status panel the new pattern.
void choosePattern();
// Asks for confirmation, shows the result, and returns to the title screen (or ends the program).
void endGame();

}  // namespace kaleidra
