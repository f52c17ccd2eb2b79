#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace doxa {

class Station;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb Red{255, 0, 0};

// One text of the main view: drawn at x pixels and at `line` times the line height.
struct ViewText {
    int x = 0;
    int line = 0;
    std::string text;  // UTF-8
    Rgb colour;
    bool operator==(const ViewText&) const = default;
};

// Where the grid and the listing sit.
inline constexpr int GridHeaderLine = 1;
inline constexpr int FirstGridLine = 2;
inline constexpr int FirstListingLine = 19;  // line 1 of a listing, after one empty line

// Everything the main view draws for the last dump: the 16 x 16 grid of the page with its
// column and row labels, and the listing that decodes the page for the kind of dump and the
// transmitter's generation. Drawing the live RAM 0 listing of the older generation takes its
// threshold and hysteresis into the device record, as the listing has always done.
std::vector<ViewText> dumpViewTexts(Station& station);

// The byte of page address 0..255 in the dump buffer (which holds the highest address first).
std::uint8_t pageByte(const Station& station, int address);

}  // namespace doxa
