#include "views/dump_view.h"

#include <cmath>
#include <span>
#include <string_view>

#include "link/screen_text.h"
#include "link/value_codec.h"
#include "service/byte_values.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr Rgb Blue{0, 0, 255};
constexpr Rgb Green{33, 161, 97};
constexpr int LabelX = 50;
constexpr int CellX = 100;
constexpr int CellWidth = 30;

// The decoders of the listings, over page addresses.
class Page {
public:
    explicit Page(const Station& station) : station_(station) {}

    std::uint8_t at(int a) const { return pageByte(station_, a); }
    std::string f4(int a) const { return number(a, 4).text; }
    std::string f3(int a) const { return number(a, 3).text; }
    DecodedFloat number(int a, int width) const {
        return decodeFloat(at(a), at(a + 1), at(a + 2), width == 4 ? at(a + 3) : 0, FloatLayout::Modbus);
    }
    std::string n(int a) const { return formatGeneral(at(a), 3); }
    std::string sensor(int a) const;
    std::string breakSignal(int a) const {
        return (at(a) & 0x10) ? UI_TEXT("Sygnalizacja przerwy na min.") : UI_TEXT("Sygnalizacja przerwy na max.");
    }
    std::string thresholdState(int a) const {
        if (!(at(a) & 0x04)) return UI_TEXT("Próg nie aktywny.");
        return (at(a) & 0x01) ? KEPT_TEXT("max.") : KEPT_TEXT("min.");
    }

private:
    const Station& station_;
};

std::string Page::sensor(int a) const {
    static constexpr std::string_view Names[] = {
        UI_TEXT("rezystancja."), KEPT_TEXT("Pt100 (385)."), KEPT_TEXT("Ni100."), UI_TEXT("napięcie."),
        KEPT_TEXT("TC K."),      KEPT_TEXT("TC J."),        KEPT_TEXT("TC S."),  KEPT_TEXT("TC B."),
        KEPT_TEXT("TC N."),      KEPT_TEXT("TC T.")};
    static constexpr std::string_view RtdNames[] = {
        UI_TEXT("rezystancja."),   KEPT_TEXT("Pt100 (385)."), KEPT_TEXT("Pt100 (391)."),
        KEPT_TEXT("Ni100 (618)."), KEPT_TEXT("Ni100 (617)."), KEPT_TEXT("Cu100 (428)."),
        KEPT_TEXT("Cu100 (426)."), KEPT_TEXT("Cu50 (428)."),  KEPT_TEXT("Cu50 (426)."), ""};
    const int code = at(a) & 0x3F;
    if (code == 14 || code == 15) return KEPT_TEXT("y=f(x)");
    if (code > 9) return KEPT_TEXT("??????");
    return std::string(station_.device.isRtdOnly ? RtdNames[code] : Names[code]);
}

std::string outputKind(std::uint8_t byte) {
    switch (byte & 0x70) {
        case 0x40: return UI_TEXT("Wyjście napięciowe 0...10V  ");
        case 0x20: return UI_TEXT("Wyjście prądowe 0...5mA");
        case 0x00: return UI_TEXT("Wyjście prądowe 0...20mA");
        default: return UI_TEXT("Wyjście prądowe 4...20mA");
    }
}

using Listing = std::vector<ViewText>;

// How a listing shows the bytes at a field's address.
enum Shown { Float4, Float3, Number, Sensor, BreakSignal, ThresholdState, OutputKind, OutputSignal };

// One text of a listing: its line (from 1) and column, the pattern that puts the value (%1) into
// its label, and where the value stands in the page.
struct Field {
    int line;
    int x;
    std::string_view pattern;
    Shown shown;
    int address;
};

std::string shownValue(const Page& p, Shown shown, int a) {
    switch (shown) {
        case Float4: return p.f4(a);
        case Float3: return p.f3(a);
        case Number: return p.n(a);
        case Sensor: return p.sensor(a);
        case BreakSignal: return p.breakSignal(a);
        case ThresholdState: return p.thresholdState(a);
        case OutputKind: return outputKind(p.at(a));
        case OutputSignal: return (p.at(a) & 0x40) ? UI_TEXT("Wyjście napięciowe   ") : UI_TEXT("Wyjście prądowe ");
    }
    return {};
}

void addListing(Listing& out, const Page& p, std::span<const Field> fields) {
    for (const Field& field : fields)
        out.push_back({field.x, FirstListingLine + field.line - 1,
                       formatText(field.pattern, {shownValue(p, field.shown, field.address)}), Black});
}

// The upper EEPROM page of a transmitter with an ambient sensor.
constexpr Field EepromHighWithAmbient[] = {
    {1, 50, UI_TEXT("Czujnik = %1"), Sensor, 8},
    {1, 250, UI_TEXT("Zakres min = %1"), Float4, 4},
    {1, 450, UI_TEXT("Zakres max = %1"), Float4, 0},
    {2, 50, "%1", OutputKind, 124},
    {2, 250, "%1", BreakSignal, 9},
    {3, 50, UI_TEXT("Poprawka CYS_I = %1"), Float4, 28},
    {3, 250, UI_TEXT("Poprawka CY0_I = %1"), Float4, 24},
    {4, 50, UI_TEXT("Poprawka CYS_U = %1"), Float4, 68},
    {4, 250, UI_TEXT("Poprawka CY0_U = %1"), Float4, 64},
    {5, 50, UI_TEXT("Poprawka CALS_R = %1"), Float4, 36},
    {5, 250, UI_TEXT("Poprawka CAL0_R = %1"), Float4, 32},
    {6, 50, UI_TEXT("Poprawka CALS_U = %1"), Float4, 92},
    {6, 250, UI_TEXT("Poprawka CAL0_U = %1"), Float4, 88},
    {7, 50, KEPT_TEXT("Filtr_1 = %1"), Number, 13},
    {7, 150, KEPT_TEXT("Filtr_2 = %1"), Number, 12},
    {7, 250, KEPT_TEXT("Delta = %1"), Number, 14},
    {8, 50, UI_TEXT("Próg L1 = %1"), Float4, 16},
    {8, 250, UI_TEXT("Histereza progu = %1"), Float4, 20},
    {8, 400, " %1", ThresholdState, 9},
    {9, 50, KEPT_TEXT("Trimmer = %1"), Float4, 40},
    {10, 50, UI_TEXT("Poprawka POP_TEMP = %1"), Float4, 56},
};

// RAM bank 0 of a transmitter with an ambient sensor.
constexpr Field Ram0WithAmbient[] = {
    {1, 50, UI_TEXT("Adres = %1"), Number, 219},
    {2, 50, UI_TEXT("Czujnik = %1"), Sensor, 71},
    {3, 50, "%1", OutputSignal, 71},
    {4, 50, UI_TEXT("Zakres min = %1"), Float4, 63},
    {4, 200, UI_TEXT("Zakres max = %1"), Float4, 67},
    {5, 50, "%1", BreakSignal, 61},
    {6, 50, KEPT_TEXT("Filtr_1 = %1"), Number, 87},
    {6, 150, KEPT_TEXT("Filtr_2 = %1"), Number, 86},
    {6, 250, KEPT_TEXT("Delta = %1"), Number, 88},
    {7, 50, KEPT_TEXT("IN_CAL1 = %1"), Float4, 210},
    {7, 200, KEPT_TEXT("IN_CAL2 = %1"), Float4, 206},
    {8, 50, KEPT_TEXT("OUT_CAL1 = %1"), Float4, 202},
    {8, 200, KEPT_TEXT("OUT_CAL2 = %1"), Float4, 198},
};

// RAM bank 1 of a transmitter with an ambient sensor.
constexpr Field Ram1WithAmbient[] = {
    {2, 50, UI_TEXT("Temperatura = %1"), Float4, 16},
    {3, 50, KEPT_TEXT("CAL_T0 = %1"), Float4, 84},
    {4, 50, UI_TEXT("Poprawka CYS= %1"), Float3, 88},
    {4, 250, UI_TEXT("Poprawka CY0 = %1"), Float3, 92},
    {5, 50, UI_TEXT("Poprawka CALS = %1"), Float3, 100},
    {5, 250, UI_TEXT("Poprawka CAL0 = %1"), Float3, 96},
};

// The upper EEPROM page of the other transmitters.
constexpr Field EepromHigh[] = {
    {1, 50, UI_TEXT("Czujnik = %1"), Sensor, 8},
    {1, 250, UI_TEXT("Zakres min = %1"), Float3, 4},
    {1, 450, UI_TEXT("Zakres max = %1"), Float3, 0},
    {2, 50, "%1", BreakSignal, 9},
    {3, 50, UI_TEXT("Poprawka CYS = %1"), Float3, 28},
    {3, 250, UI_TEXT("Poprawka CY0 = %1"), Float3, 24},
    {4, 50, UI_TEXT("Poprawka CALS = %1"), Float3, 36},
    {4, 250, UI_TEXT("Poprawka CAL0 = %1"), Float3, 32},
    {5, 50, KEPT_TEXT("Filtr_1 = %1"), Number, 13},
    {5, 150, KEPT_TEXT("Filtr_2 = %1"), Number, 12},
    {5, 250, KEPT_TEXT("Delta = %1"), Number, 14},
    {6, 50, UI_TEXT("Próg L1 = %1"), Float3, 16},
    {6, 250, UI_TEXT("Histereza progu = %1"), Float3, 20},
    {6, 400, " %1", ThresholdState, 9},
    {7, 50, KEPT_TEXT("Trimmer = %1"), Float3, 40},
    {8, 50, UI_TEXT("Poprawka POP_TEMP = %1"), Float3, 56},
};

// RAM bank 0 of the other transmitters.
constexpr Field Ram0[] = {
    {1, 50, UI_TEXT("Adres = %1"), Number, 219},
    {2, 50, UI_TEXT("Czujnik = %1"), Sensor, 116},
    {2, 190, UI_TEXT("Zakres min = %1"), Float3, 104},
    {2, 320, UI_TEXT("Zakres max = %1"), Float3, 107},
    {2, 440, " %1", BreakSignal, 121},
    {3, 50, UI_TEXT("Poprawka CYS = %1"), Float3, 98},
    {3, 250, UI_TEXT("Poprawka CY0 = %1"), Float3, 101},
    {4, 50, UI_TEXT("Poprawka CALS = %1"), Float3, 113},
    {4, 250, UI_TEXT("Poprawka CAL0 = %1"), Float3, 110},
    {5, 50, KEPT_TEXT("Filtr_1 = %1"), Number, 85},
    {5, 150, KEPT_TEXT("Filtr_2 = %1"), Number, 84},
    {5, 250, KEPT_TEXT("Delta = %1"), Number, 86},
    {6, 50, UI_TEXT("Próg L1 = %1"), Float3, 160},
    {6, 250, UI_TEXT("Histereza progu = %1"), Float3, 163},
    {6, 400, " %1", ThresholdState, 121},
    {7, 50, UI_TEXT("Wartość PV = %1"), Float3, 221},
    {7, 200, UI_TEXT("Wartość prądu = %1"), Float3, 224},
    {8, 50, UI_TEXT("Polling adres = %1"), Number, 220},
    {9, 50, UI_TEXT("Wartość TRIM = %1"), Float3, 199},
    {10, 50, UI_TEXT("Wartość IY = %1"), Float3, 203},
    {10, 250, UI_TEXT("Wartość IX = %1"), Float3, 206},
    {11, 50, UI_TEXT("Wartość Y = %1"), Float3, 209},
    {11, 250, UI_TEXT("Wartość X = %1"), Float3, 212},
};

// RAM bank 0 also holds the threshold as the transmitter works with it; the listing takes it
// into the device record (the hysteresis as the distance to the whole release value).
void takeThreshold(const Page& p, DeviceRecord& device) {
    device.threshold = static_cast<float>(p.number(160, 3).value);
    const double whole = std::trunc(p.number(163, 3).value);
    device.hysteresis = static_cast<float>(std::fabs(whole - device.threshold));
}

Rgb cellColour(std::uint8_t byte) {
    if (byte == 0xFF) return Blue;
    if (byte == 0x00) return Green;
    return Black;
}

// The last two characters of the "%#2.2x" text: two lower-case hexadecimal digits.
std::string hexDigits(std::uint8_t byte) {
    const std::string text = formatByte("%#2.2x", byte);  // "0xab", but "00" for zero
    return text.substr(text.size() - 2);
}

void addGrid(Listing& out, const Station& station) {
    for (int column = 0; column < 16; ++column)
        out.push_back({CellX + CellWidth * column, GridHeaderLine, hexDigits(static_cast<std::uint8_t>(column)), Red});
    for (int row = 0; row < 16; ++row) {
        std::string label = formatByte("%#2.2x", static_cast<std::uint8_t>(row * 16));
        // The second RAM bank shows its addresses from 0x100 on.
        if (station.dumpSelection == DumpSelection::Ram1) label[0] = '1';
        out.push_back({LabelX, FirstGridLine + row, label, Red});
        for (int column = 0; column < 16; ++column) {
            const std::uint8_t byte = pageByte(station, row * 16 + column);
            out.push_back({CellX + CellWidth * column, FirstGridLine + row, hexDigits(byte), cellColour(byte)});
        }
    }
}

}  // namespace

std::uint8_t pageByte(const Station& station, int address) {
    return station.dumpBuffer[static_cast<std::size_t>(255 - (address & 0xFF))];
}

std::vector<ViewText> dumpViewTexts(Station& station) {
    Listing out;
    addGrid(out, station);
    const Page page(station);
    const bool ambient = station.device.hasAmbient != 0;
    switch (station.dumpSelection) {
        case DumpSelection::EepromHigh:
            addListing(out, page, ambient ? std::span<const Field>(EepromHighWithAmbient) : EepromHigh);
            break;
        case DumpSelection::Ram0:
            if (ambient) {
                addListing(out, page, Ram0WithAmbient);
            } else {
                addListing(out, page, Ram0);
                takeThreshold(page, station.device);
            }
            break;
        case DumpSelection::Ram1:
            if (ambient) addListing(out, page, Ram1WithAmbient);
            break;
        case DumpSelection::None:
        case DumpSelection::EepromLow:
            break;
    }
    return out;
}

}  // namespace doxa
