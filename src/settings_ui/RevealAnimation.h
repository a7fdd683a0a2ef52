#pragma once

class QWidget;

namespace mirevo {

// Shows or hides `widget` by growing or shrinking its maximum height with an ease-in-out
// curve. A widget whose window is not on screen changes at once. The widget counts as
// shown from the start of a reveal and as hidden only at the end of a hide.
void setRevealed(QWidget* widget, bool revealed, int durationMs);

} // namespace mirevo
