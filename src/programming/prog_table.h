#pragma once

namespace doxa {

class Station;
class DialogWindow;
class ProgrammingSequence;

// "tabela" of both programming dialogs. The characteristic dialog talks to the transmitter on
// the same frame buffer, so the programming dialog's own exchanges must not run meanwhile: a
// write under way finishes first (the button does nothing until then), an identification under
// way is stopped and starts again from its first attempt when the table closes.
void openCharacteristicTable(Station& station, DialogWindow& window,
                             const ProgrammingSequence& sequence, int& identifyAttempts);

}  // namespace doxa
