#include "dialog/radio_group.h"

#include <cstddef>

namespace doxa {

void checkRadio(DialogWindow& window, std::span<const int> radios, int index) {
    for (std::size_t i = 0; i < radios.size(); ++i)
        window.setChecked(radios[i], static_cast<int>(i) == index);
}

int checkedRadio(const DialogWindow& window, std::span<const int> radios, int current) {
    for (std::size_t i = 0; i < radios.size(); ++i)
        if (window.isChecked(radios[i])) return static_cast<int>(i);
    return current;
}

}  // namespace doxa
