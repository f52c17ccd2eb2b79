#include "link/hart.h"
#include "link/screen_text.h"
#include "link/status_panel.h"

namespace doxa {

namespace {

struct StatusBit {
    std::uint8_t mask;
    int field;
    const char* text;
    std::string_view condition = {};  // the readings cannot be trusted while it is shown
};

// The transmitter's own report of a garbled request: only the bits that are set are shown.
constexpr StatusBit CommunicationBits[] = {
    {0x40, 149, UI_TEXT("Parzystość")},
    {0x20, 150, UI_TEXT("Przepełnienie")},
    {0x10, 151, UI_TEXT("Ramka")},
    {0x08, 152, UI_TEXT("Suma kontrolna")},
};

constexpr StatusBit DeviceBits[] = {
    {0x80, 153, UI_TEXT("Błąd działania"), "malfunction"},
    {0x40, 154, UI_TEXT("Konfig. zm.")},
    {0x20, 155, UI_TEXT("Wł. zasilanie")},
    {0x08, 156, UI_TEXT("Prąd ustawiony")},
    {0x04, 157, UI_TEXT("Przerwa"), "sensor_break"},
    {0x01, 158, UI_TEXT("PV poza zakres"), "pv_out_of_limits"},
};

}  // namespace

void decodeStatus(StatusPanel& panel, std::uint8_t first, std::uint8_t second) {
    // 0xFF is what a lost byte looks like after the preamble; it carries no status.
    if (first == 0xFF || second == 0xFF) return;
    if (first & 0x80) {
        for (const StatusBit& bit : CommunicationBits)
            if (first & bit.mask) panel.setText(bit.field, bit.text);
        return;
    }
    panel.setText(149, (first & 0x40) ? UI_TEXT("Kom nie implem") : "");
    for (int field = 150; field <= 152; ++field) panel.setText(field, "");
    for (const StatusBit& bit : DeviceBits) panel.setText(bit.field, (second & bit.mask) ? bit.text : "");
}

std::vector<DeviceCondition> deviceConditions(const StatusPanel& panel) {
    std::vector<DeviceCondition> shown;
    for (const StatusBit& bit : DeviceBits)
        if (!bit.condition.empty() && !panel.text(bit.field).empty())
            shown.push_back({bit.condition, bit.text});
    return shown;
}

}  // namespace doxa
