#include "service/register_write_dlg.h"

#include <array>
#include <charconv>
#include <vector>

#include "link/screen_text.h"
#include "link/modbus.h"
#include "service/byte_values.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr std::string_view EndLabelText = UI_TEXT("Adres koniec");
constexpr std::size_t MaxTokenLength = 10;

std::string missingValues(bool four) {
    return four ? UI_TEXT("Zapis 4 rejestrów wymaga 4 wartości (np. 0x01,0x02,0x03,0x04). "
                          "Nic nie wysłano.")
                : UI_TEXT("Brak wartości do zapisu (wartości wpisuje się od znaku 0, np. "
                          "0x7e). Nic nie wysłano.");
}

// The start address as typed so far, for the end address that follows it.
std::optional<int> typedNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    return value;
}

}  // namespace

void CRegisterWriteDlg::onInit() {
    CRegisterDlg::onInit();
    window().setChecked(OneRegister, true);
    window().setChecked(FourRegisters, false);
    chooseCount(false);
}

void CRegisterWriteDlg::onCommand(int id) {
    switch (id) {
        case Run:
            sendWrite();
            break;
        case OneRegister:
            chooseCount(false);
            break;
        case FourRegisters:
            chooseCount(true);
            break;
        default:
            DialogLogic::onCommand(id);
    }
}

void CRegisterWriteDlg::onChange(int id) {
    CRegisterDlg::onChange(id);
    if (id == StartAddress) followStart();
}

void CRegisterWriteDlg::followStart() {
    if (const std::optional<int> start = typedNumber(window().text(StartAddress)))
        window().setText(EndAddress, std::to_string(*start + FourCount - 1));
}

void CRegisterWriteDlg::chooseCount(bool four) {
    four_ = four;
    window().setVisible(EndAddress, four);
    window().setText(EndLabel, four ? EndLabelText : "");
    if (four) followStart();
}

void CRegisterWriteDlg::sendWrite() {
    const std::optional<int> start = registerField(StartAddress);
    if (!start) return;
    const std::vector<std::uint8_t> values = parseByteValues(window().text(ResultText), MaxTokenLength);
    const bool eeprom = window().isChecked(Eeprom);
    const int slave = station_.device.pollingAddress;
    int length = 0;
    if (!four_) {
        if (!validRange(*start, *start)) return;
        // Without a value the request would carry whatever the frame buffer held before.
        if (values.empty()) {
            window().messageBox(missingValues(false));
            return;
        }
        const std::array<std::uint8_t, 1> value = {values[0]};
        length = eeprom ? buildWriteRegisters(station_.frame, slave, modbus::WriteAndStore, *start, value)
                        : buildWriteSingle(station_.frame, slave, *start, value[0]);
    } else {
        const std::optional<int> end = registerField(EndAddress);
        if (!end || !validRange(*start, *end)) return;
        // The request carries four values, so its count must say four as well.
        if (*end - *start + 1 != FourCount) {
            window().messageBox(UI_TEXT("Błędny adres"));
            return;
        }
        if (values.size() < FourCount) {
            window().messageBox(missingValues(true));
            return;
        }
        const std::array<std::uint8_t, FourCount> four = {values[0], values[1], values[2], values[3]};
        length = buildWriteRegisters(station_.frame, slave,
                                     eeprom ? modbus::WriteAndStore : modbus::WriteMultiple, *start, four);
    }
    startExchange(length);
}

void CRegisterWriteDlg::showAnswer(int length) {
    std::string text = four_ ? "Ilosc zapisanych rejestrów: " : "";
    for (int i = 5; i < length - 2; i += 2)
        text += formatByte(four_ ? "%2u" : "%#2.2x", station_.frame[i]) + ',';
    appendResult(withAnswerMarks(text, length));
}

}  // namespace doxa
