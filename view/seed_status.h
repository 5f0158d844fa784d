// The seed of the last generator run started from a dialog, shown in the
// status line of the detail view ("seed 123456789") so that a world can be
// made again and shared (Screen::seedShown). Nothing is shown until a run; a
// new or opened map takes the text away.
#pragma once

#include <cstdint>
#include <string>

namespace pelorn {

struct Screen;

// The text stands at kSeedStatusX on the status line (view/layout.h), in
// the field where a players-mode run, which draws no random numbers, tells
// what it placed: the dialogs show one or the other.
// Shows this seed from the next paint on, and repaints the field.
void showSeed(Screen& screen, std::uint32_t seed);
// Shows no seed any more, and repaints the field when one was shown.
void clearShownSeed(Screen& screen);
// "seed " and the number; empty while no seed is shown.
std::string seedStatusText(const Screen& screen);

}  // namespace pelorn
