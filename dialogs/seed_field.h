// The "Seed" field that both generate dialogs carry after their own controls:
// it shows the random generator's present state, and OK starts the run from
// the seed typed there, so that a world can be made again from its seed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "generator/random.h"

namespace pelorn {

// The label beside the field (IDC_SEED in both dialogs).
extern const char* const kSeedLabel;

// The random generator's present state as text: left as it is, OK makes the
// world that would have come without the field.
std::string seedFieldInitialText(const Random& random);

// Whether OK takes the field: empty (blanks alone count as empty: the state
// stays as it is) or a seed. Text that is no whole number, or a number above
// 4294967295, keeps the dialog open with the field selected.
bool seedFieldAccepted(std::string_view text);

// Seeds the random generator from the field's whole text when it holds a seed
// (0 to 4294967295, text/seed_text.h); otherwise leaves its state as it is.
// Returns the state the run starts from, for the status line.
std::uint32_t seedFromField(Random& random, std::string_view text);

}  // namespace pelorn
