#include "service/console_dlg.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>

#include "link/screen_text.h"
#include "link/hart.h"
#include "link/port.h"
#include "link/value_codec.h"
#include "service/byte_values.h"
#include "transmitter/code_tables.h"
#include "transmitter/exchange.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr std::string_view Header = "Do wysłania:";
constexpr std::string_view Preambles = "0xff, 0xff, 0xff, 0xff, 0xff, 0xff, ";
constexpr std::string_view SentCount = "Ilosc TX: ";
constexpr std::string_view ReceivedCount = "Ilosc RX: ";
constexpr std::string_view ReceivedHeader = "Odebrane:";
constexpr std::string_view ConversionHeader = "Liczba do konwersji:";
constexpr std::string_view ConversionResult = "liczba po konwersji: ";
constexpr std::string_view Separator = ", ";
constexpr const char* ShortByte = "%#2.0x";
constexpr const char* FullByte = "%#2.2x";
constexpr int TickMs = 500;
constexpr int AnswerMax = 50;
// The header is 12 characters and a line break; the filter never looks at it.
constexpr std::size_t HeaderCharacters = 14;

bool allowedInInstruction(char c) {
    return c == ',' || c == 'x' || c == ' ' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// Byte offset just past the header line, however the edit box hands back its line break.
std::size_t afterHeader(std::string_view text) {
    if (text.starts_with(Header)) {
        std::size_t pos = Header.size();
        if (text.substr(pos).starts_with("\r")) ++pos;
        if (text.substr(pos).starts_with("\n")) ++pos;
        return pos;
    }
    std::size_t pos = 0;
    for (std::size_t seen = 0; pos < text.size() && seen < HeaderCharacters; ++seen) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
    }
    return pos;
}

// Lowers the letters from `start` on; true when any was upper case.
bool lowerLetters(std::string& text, std::size_t start) {
    bool changed = false;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] >= 'A' && text[i] <= 'Z') {
            text[i] = static_cast<char>(text[i] - 'A' + 'a');
            changed = true;
        }
    }
    return changed;
}

std::string tooLongText(std::size_t count) {
    return formatText(UI_TEXT("Instrukcja ma %1 bajtów, a mieści się najwyżej %2 (i bajt "
                              "kontrolny). Nic nie wysłano."),
                      {std::to_string(count), std::to_string(CHartConsoleDlg::MaxTypedBytes)});
}

}  // namespace

std::string consoleTemplate() {
    return std::string(Header) + std::string(LineBreak) + std::string(Preambles);
}

void CHartConsoleDlg::onInit() {
    conversionText_ = std::string(ConversionHeader) + std::string(LineBreak);
    window().setText(ConversionText, conversionText_);
    instructionSent_ = false;
    conversionShown_ = false;
    station_.link.exchangeState = WriteState;
    station_.frame.fill(0xFF);
    instructionText_ = consoleTemplate();
    const bool open = ensurePortOpen(station_);
    if (open) {
        setTransmit(station_);
        purge(station_);
    } else {
        instructionText_ += PortFailedText;
    }
    window().setText(InstructionText, instructionText_);
}

void CHartConsoleDlg::onCommand(int id) {
    switch (id) {
        case Send:
            send();
            break;
        case ToFloat:
            toFloat();
            break;
        case ToHart:
            toHart();
            break;
        default:
            DialogLogic::onCommand(id);
    }
}

void CHartConsoleDlg::onChange(int id) {
    if (id == InstructionText)
        filterInstruction();
    else if (id == ConversionText)
        lowerConversion();
}

void CHartConsoleDlg::onFocus(int id, bool gained) {
    if (!gained) return;
    if (id == InstructionText) {
        if (instructionSent_) {
            instructionText_ = consoleTemplate();
            window().setText(InstructionText, instructionText_);
        }
        instructionSent_ = false;
    } else if (id == ConversionText) {
        if (conversionShown_) {
            conversionText_ = std::string(ConversionHeader) + std::string(LineBreak);
            window().setText(ConversionText, conversionText_);
        }
        conversionShown_ = false;
    }
}

void CHartConsoleDlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case WriteState:
            writeLogged(station_, frameLength_);
            clearErrors(station_);  // this dialog shows no line errors
            goToState(station_, window(), TurnState, TickMs);
            break;
        case TurnState:
            station_.frame.fill(0);
            window().setText(InstructionText, instructionText_);
            setReceive(station_);
            goToState(station_, window(), ReadState, TickMs);
            break;
        case ReadState:
            readAnswer();
            break;
        default:
            break;
    }
}

void CHartConsoleDlg::onDestroy() { endExchange(station_, window()); }

// The letters arrive in lower case, and the text ends before the first character after the
// header that cannot be part of a byte list.
void CHartConsoleDlg::filterInstruction() {
    std::string text = window().text(InstructionText);
    const std::size_t start = afterHeader(text);
    bool changed = lowerLetters(text, start);
    const auto bad = std::find_if(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
                                  [](char c) { return !allowedInInstruction(c); });
    if (bad != text.end()) {
        text.erase(bad, text.end());
        changed = true;
    }
    instructionText_ = text;
    if (changed) window().setText(InstructionText, instructionText_);
}

// Typed letters arrive in lower case here too, so that 0X41 reads as 0x41; the header keeps its
// capital.
void CHartConsoleDlg::lowerConversion() {
    std::string text = window().text(ConversionText);
    const std::size_t start = text.starts_with(ConversionHeader) ? ConversionHeader.size() : 0;
    if (!lowerLetters(text, start)) return;
    conversionText_ = text;
    window().setText(ConversionText, conversionText_);
}

void CHartConsoleDlg::send() {
    instructionText_ = window().text(InstructionText);
    if (instructionSent_) return;
    const std::vector<std::uint8_t> bytes = parseByteValues(instructionText_);
    if (bytes.size() > static_cast<std::size_t>(MaxTypedBytes)) {
        window().messageBox(tooLongText(bytes.size()), BoxIcon::Error);
        return;
    }
    const int count = static_cast<int>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), station_.frame.begin());
    station_.frame[count] = hartChecksum(station_.frame, count);
    instructionText_ += formatByte(ShortByte, station_.frame[count]) + std::string(Separator);
    if (count == 0) {
        window().setText(InstructionText, instructionText_);
        return;
    }
    instructionSent_ = true;
    frameLength_ = count + 1;
    instructionText_ += std::string(LineBreak) + std::string(SentCount) +
                        formatGeneral(frameLength_, 2) + std::string(LineBreak);
    window().setText(InstructionText, instructionText_);
    station_.link.exchangeState = WriteState;
    setTransmit(station_);
    window().startTimer(ExchangeTimer, TickMs);
}

void CHartConsoleDlg::readAnswer() {
    window().stopTimer(ExchangeTimer);
    station_.link.exchangeState = IdleState;
    clearErrors(station_);
    const int received = readLogged(station_, AnswerMax);
    const auto& f = station_.frame;
    if (received > 0) decodeStatus(station_.statusPanel, f[hart::AnswerStatus1], f[hart::AnswerStatus2]);
    instructionText_ += std::string(LineBreak) + std::string(ReceivedCount) +
                        formatGeneral(received, 2) + std::string(LineBreak);
    instructionText_ += std::string(ReceivedHeader) + std::string(LineBreak);
    for (int i = 0; i < received; ++i) instructionText_ += formatByte(ShortByte, f[i]) + std::string(Separator);
    window().setText(InstructionText, instructionText_);
}

void CHartConsoleDlg::appendConversionHeader() {
    conversionText_ += std::string(LineBreak) + std::string(ConversionResult) + std::string(LineBreak);
    conversionShown_ = true;
}

void CHartConsoleDlg::toFloat() {
    conversionText_ = window().text(ConversionText);
    std::array<std::uint8_t, 4> bytes{};
    const std::vector<std::uint8_t> values = parseByteValues(conversionText_);
    std::copy_n(values.begin(), std::min(values.size(), bytes.size()), bytes.begin());
    appendConversionHeader();
    conversionText_ += decodeFloat(bytes.data(), FloatLayout::Hart).text;
    window().setText(ConversionText, conversionText_);
}

void CHartConsoleDlg::toHart() {
    conversionText_ = window().text(ConversionText);
    const std::size_t length = conversionText_.size();
    const std::string padded = conversionText_ + ',';
    double value = 0;
    const std::size_t first = padded.find_first_of("0123456789-");
    if (first < length) {
        std::string number;
        for (std::size_t pos = first; padded[pos] != ','; ++pos)
            if ((padded[pos] >= '0' && padded[pos] <= '9') || padded[pos] == '.' || padded[pos] == '-')
                number += padded[pos];
        value = std::strtod(number.c_str(), nullptr);
    }
    const std::array<std::uint8_t, 4> bytes = encodeFloat(value, FloatLayout::Hart);
    appendConversionHeader();
    for (std::uint8_t b : bytes) conversionText_ += formatByte(FullByte, b) + std::string(Separator);
    window().setText(ConversionText, conversionText_);
}

}  // namespace doxa
