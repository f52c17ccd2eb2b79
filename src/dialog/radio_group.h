#pragma once

#include <span>

#include "dialog/dialog.h"

namespace doxa {

// A group of radio buttons that stands for one index: radios[i] is checked for index i.

// Checks the radio of `index` and clears the others (all clear for an index outside the group).
void checkRadio(DialogWindow& window, std::span<const int> radios, int index);
// The checked radio's index, or `current` when none of the group is checked.
int checkedRadio(const DialogWindow& window, std::span<const int> radios, int current);

}  // namespace doxa
