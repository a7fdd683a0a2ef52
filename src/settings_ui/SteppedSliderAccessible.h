#pragma once

namespace mirevo {

// Lets screen readers read a SteppedSlider's value as the window shows it: the value's
// text, and as a number the one in that text, from its lower to its upper end. Qt's own
// slider interface would give the step count (14 of 20 for 100 px). Once per program.
void installSteppedSliderAccessibility();

} // namespace mirevo
