#include "app/dump_view.h"

#include <cmath>
#include <string_view>

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
        return (at(a) & 0x10) ? "Sygnalizacja przerwy na min." : "Sygnalizacja przerwy na max.";
    }
    std::string thresholdState(int a) const {
        if (!(at(a) & 0x04)) return " Próg nie aktywny.";
        return (at(a) & 0x01) ? " max." : " min.";
    }

private:
    const Station& station_;
};

std::string Page::sensor(int a) const {
    static constexpr std::string_view Names[] = {"rezystancja.", "Pt100 (385).", "Ni100.", "napięcie.",
                                                 "TC K.",        "TC J.",        "TC S.",  "TC B.",
                                                 "TC N.",        "TC T."};
    static constexpr std::string_view RtdNames[] = {"rezystancja.", "Pt100 (385).", "Pt100 (391).",
                                                    "Ni100 (618).", "Ni100 (617).", "Cu100 (428).",
                                                    "Cu100 (426).", "Cu50 (428).",  "Cu50 (426).", ""};
    const int code = at(a) & 0x3F;
    if (code == 14 || code == 15) return "y=f(x)";
    if (code > 9) return "??????";
    return std::string(station_.device.isRtdOnly ? RtdNames[code] : Names[code]);
}

std::string outputKind(std::uint8_t byte) {
    switch (byte & 0x70) {
        case 0x40: return "Wyjście napięciowe 0...10V  ";
        case 0x20: return "Wyjście prądowe 0...5mA";
        case 0x00: return "Wyjście prądowe 0...20mA";
        default: return "Wyjście prądowe 4...20mA";
    }
}

using Listing = std::vector<ViewText>;

void add(Listing& out, int line, int x, std::string text) {
    out.push_back({x, FirstListingLine + line - 1, std::move(text), Black});
}

void listingA(Listing& out, const Page& p) {
    add(out, 1, 50, "Czujnik = " + p.sensor(8));
    add(out, 1, 250, "Zakres min = " + p.f4(4));
    add(out, 1, 450, "Zakres max = " + p.f4(0));
    add(out, 2, 50, outputKind(p.at(124)));
    add(out, 2, 250, p.breakSignal(9));
    add(out, 3, 50, "Poprawka CYS_I = " + p.f4(28));
    add(out, 3, 250, "Poprawka CY0_I = " + p.f4(24));
    add(out, 4, 50, "Poprawka CYS_U = " + p.f4(68));
    add(out, 4, 250, "Poprawka CY0_U = " + p.f4(64));
    add(out, 5, 50, "Poprawka CALS_R = " + p.f4(36));
    add(out, 5, 250, "Poprawka CAL0_R = " + p.f4(32));
    add(out, 6, 50, "Poprawka CALS_U = " + p.f4(92));
    add(out, 6, 250, "Poprawka CAL0_U = " + p.f4(88));
    add(out, 7, 50, "Filtr_1 = " + p.n(13));
    add(out, 7, 150, "Filtr_2 = " + p.n(12));
    add(out, 7, 250, "Delta = " + p.n(14));
    add(out, 8, 50, "Próg L1 = " + p.f4(16));
    add(out, 8, 250, "Histereza progu = " + p.f4(20));
    add(out, 8, 400, p.thresholdState(9));
    add(out, 9, 50, "Trimmer = " + p.f4(40));
    add(out, 10, 50, "Poprawka POP_TEMP = " + p.f4(56));
}

void listingB(Listing& out, const Page& p) {
    add(out, 1, 50, "Adres = " + p.n(219));
    add(out, 2, 50, "Czujnik = " + p.sensor(71));
    add(out, 3, 50, (p.at(71) & 0x40) ? "Wyjście napięciowe   " : "Wyjście prądowe ");
    add(out, 4, 50, "Zakres min = " + p.f4(63));
    add(out, 4, 200, "Zakres max = " + p.f4(67));
    add(out, 5, 50, p.breakSignal(61));
    add(out, 6, 50, "Filtr_1 = " + p.n(87));
    add(out, 6, 150, "Filtr_2 = " + p.n(86));
    add(out, 6, 250, "Delta = " + p.n(88));
    add(out, 7, 50, "IN_CAL1 = " + p.f4(210));
    add(out, 7, 200, "IN_CAL2 = " + p.f4(206));
    add(out, 8, 50, "OUT_CAL1 = " + p.f4(202));
    add(out, 8, 200, "OUT_CAL2 = " + p.f4(198));
}

void listingC(Listing& out, const Page& p) {
    add(out, 2, 50, "Temperatura = " + p.f4(16));
    add(out, 3, 50, "CAL_T0 = " + p.f4(84));
    add(out, 4, 50, "Poprawka CYS= " + p.f3(88));
    add(out, 4, 250, "Poprawka CY0 = " + p.f3(92));
    add(out, 5, 50, "Poprawka CALS = " + p.f3(100));
    add(out, 5, 250, "Poprawka CAL0 = " + p.f3(96));
}

void listingD(Listing& out, const Page& p) {
    add(out, 1, 50, "Czujnik = " + p.sensor(8));
    add(out, 1, 250, "Zakres min = " + p.f3(4));
    add(out, 1, 450, "Zakres max = " + p.f3(0));
    add(out, 2, 50, p.breakSignal(9));
    add(out, 3, 50, "Poprawka CYS = " + p.f3(28));
    add(out, 3, 250, "Poprawka CY0 = " + p.f3(24));
    add(out, 4, 50, "Poprawka CALS = " + p.f3(36));
    add(out, 4, 250, "Poprawka CAL0 = " + p.f3(32));
    add(out, 5, 50, "Filtr_1 = " + p.n(13));
    add(out, 5, 150, "Filtr_2 = " + p.n(12));
    add(out, 5, 250, "Delta = " + p.n(14));
    add(out, 6, 50, "Próg L1 = " + p.f3(16));
    add(out, 6, 250, "Histereza progu = " + p.f3(20));
    add(out, 6, 400, p.thresholdState(9));
    add(out, 7, 50, "Trimmer = " + p.f3(40));
    add(out, 8, 50, "Poprawka POP_TEMP = " + p.f3(56));
}

void listingE(Listing& out, const Page& p, DeviceRecord& device) {
    add(out, 1, 50, "Adres = " + p.n(219));
    add(out, 2, 50, "Czujnik = " + p.sensor(116));
    add(out, 2, 190, "Zakres min = " + p.f3(104));
    add(out, 2, 320, "Zakres max = " + p.f3(107));
    add(out, 2, 440, (p.at(121) & 0x10) ? " Sygnalizacja przerwy na min." : " Sygnalizacja przerwy na max.");
    add(out, 3, 50, "Poprawka CYS = " + p.f3(98));
    add(out, 3, 250, "Poprawka CY0 = " + p.f3(101));
    add(out, 4, 50, "Poprawka CALS = " + p.f3(113));
    add(out, 4, 250, "Poprawka CAL0 = " + p.f3(110));
    add(out, 5, 50, "Filtr_1 = " + p.n(85));
    add(out, 5, 150, "Filtr_2 = " + p.n(84));
    add(out, 5, 250, "Delta = " + p.n(86));
    const DecodedFloat threshold = p.number(160, 3);
    add(out, 6, 50, "Próg L1 = " + threshold.text);
    device.threshold = static_cast<float>(threshold.value);
    const DecodedFloat release = p.number(163, 3);
    add(out, 6, 250, "Histereza progu = " + release.text);
    const double whole = std::trunc(release.value);
    device.hysteresis = static_cast<float>(std::fabs(whole - device.threshold));
    add(out, 6, 400, p.thresholdState(121));
    add(out, 7, 50, "Wartość PV = " + p.f3(221));
    add(out, 7, 200, "Wartość prądu = " + p.f3(224));
    add(out, 8, 50, "Polling adres = " + p.n(220));
    add(out, 9, 50, "Wartość TRIM = " + p.f3(199));
    add(out, 10, 50, "Wartość IY = " + p.f3(203));
    add(out, 10, 250, "Wartość IX = " + p.f3(206));
    add(out, 11, 50, "Wartość Y = " + p.f3(209));
    add(out, 11, 250, "Wartość X = " + p.f3(212));
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
            ambient ? listingA(out, page) : listingD(out, page);
            break;
        case DumpSelection::Ram0:
            ambient ? listingB(out, page) : listingE(out, page, station.device);
            break;
        case DumpSelection::Ram1:
            if (ambient) listingC(out, page);
            break;
        case DumpSelection::None:
        case DumpSelection::EepromLow:
            break;
    }
    return out;
}

}  // namespace doxa
