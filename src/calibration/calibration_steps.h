#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "link/screen_text.h"
#include "link/value_codec.h"
#include "transmitter/exchange.h"
#include "transmitter/service_record.h"
#include "transmitter/write_table.h"

namespace doxa {

class DialogWindow;
class Station;
struct DeviceRecord;

// The requests and answers the calibration dialog and the calibration wizard share. Every send
// builds its request in the frame buffer in the station's transmission mode, writes it and
// returns the line error text (empty without an error).
namespace calibration {

// The one place the transmitter's output mode register sits (RS485) and what it takes.
inline constexpr int OutputModeRegister = 0x003E;
inline constexpr std::uint16_t OutputNormal = 0x0000;
inline constexpr std::uint16_t OutputFixed = 0x0008;
inline constexpr std::uint16_t OutputOnePointStored = 0x0048;

// Start-up: fixed-output mode at 12.0 (HART) or the mode register at "fixed" (RS485).
std::string sendStartUp(Station& station);
// Leaves fixed-output mode.
std::string sendExit(Station& station);
std::string sendModeRegister(Station& station, std::uint16_t value);
// The input takes its present value as the upper (136) or lower (137) reference point.
std::string sendInputPoint(Station& station, bool upper);

enum class DrivePoint { Low, Middle, High };
// One output test point, by the transmitter's family and output type.
struct DriveRow {
    std::array<std::uint8_t, 4> hartValue;
    std::string_view text;           // shown while the HART request goes out
    std::optional<float> nominal;    // offered for the measured value; none for the middle
    std::array<std::uint8_t, 4> modbusValue;
};
DriveRow driveRow(const DeviceRecord& device, DrivePoint point);
std::string sendDrive(Station& station, DrivePoint point);
// The value measured at the lower (145) or upper (146) test point.
std::string sendOutputPoint(Station& station, bool upper, float measured);

// The service history's record of an output point: found at the value the transmitter was
// driven to, with the value the technician measured there.
void recordOutputPoint(const Station& station, bool upper, float measured, const WriteJudgement& judgement);

// The output current dialog: read the output, force it to a value.
std::string sendOutputRead(Station& station);
std::string sendForcedOutput(Station& station, float value);

std::string sendAmbientRead(Station& station);
// RS485 only: the compensation correction in force.
std::string sendCorrectionRead(Station& station);
// Trim commands go out as HART frames whatever the transmission mode.
std::string sendHart(Station& station, std::uint8_t command, std::span<const std::uint8_t> data = {});

// The output value of a good answer to sendOutputRead().
std::optional<double> outputValue(const Station& station, int length);
// A confirmed release of the fixed output tells the station its output is no longer forced.
bool releaseConfirmed(Station& station, const Reply& reply);

// RS485 writes of the forced output and every compensation correction are sent this often
// before the technician is told that the transmitter did not confirm them. Without the answer
// the transmitter may still hold the value: the texts say so.
inline constexpr int ConfirmAttempts = 3;
// An output point is never sent twice on one measurement: the transmitter may have trimmed its
// output already, so the output has to be driven and measured again.
inline constexpr std::string_view PointNotConfirmedText =
    UI_TEXT("Przetwornik nie potwierdził zapisu punktu – ustaw wyjście i zmierz je ponownie przed powtórzeniem");
// "Kalibruj" of a point whose test value the output was not confirmed to hold.
inline constexpr std::string_view OutputNotDrivenText =
    UI_TEXT("Wyjście nie zostało ustawione – ustaw je i zmierz przed kalibracją punktu");
inline constexpr std::string_view CorrectionNotConfirmedText =
    UI_TEXT("Przetwornik nie potwierdził zapisu korekty – sprawdź odczyt temperatury przed powtórzeniem");
inline constexpr std::string_view OutputNotConfirmedText =
    UI_TEXT("Przetwornik nie potwierdził ustawienia wyjścia – sprawdź wyjście przed powtórzeniem");

// The compensation correction for the temperature the technician typed, as the calibration
// dialog and the wizard both run it. HART sends the difference to the present reading, which
// the transmitter adds to the correction it keeps; RS485 writes the whole correction, the one
// in force plus that difference. A correction always starts from readings taken here, and one
// whose answer did not come is never sent again as it was: the temperature (and on RS485 the
// correction in force) is read back first and only what is still missing goes out.
class Compensation {
public:
    // What the dialog does next: show the correction done, send it (send()), send it again
    // after BusyRepeatWait, read back (sendCheck()), or tell the technician it was not
    // confirmed or was refused (refusalText()).
    enum class Next { Done, Send, SendLater, Check, NotConfirmed, Refused };

    explicit Compensation(Station& station) : station_(station) {}

    // The answer to sendAmbientRead() of "Odczytaj": the reading the correction starts from.
    // Returns the value offered to the technician (rounded up to thousandths), none for a
    // wrong answer.
    std::optional<float> takeAmbient(int length);
    // RS485: the answer to sendCorrectionRead() that follows it.
    void takePresentCorrection(int length);

    // A new correction for `typed`: Send, or Check when a reading has to come first.
    Next start(float typed);
    std::string send();
    Next judgeAnswer(const Reply& reply);
    std::string sendCheck();
    Next judgeCheck(int length);
    std::string refusalText() const { return judgement_.refusalText(); }

private:
    bool rs485() const;
    bool based() const { return readingTaken_ && (correctionTaken_ || !rs485()); }
    float sentValue() const;
    Next sendOrGiveUp();
    Next finish(Next verdict);
    void record(Next verdict) const;

    Station& station_;
    float typed_ = 0;
    bool readingTaken_ = false;
    bool correctionTaken_ = false;
    bool checkingCorrection_ = false;
    int sends_ = 0;
    int failedChecks_ = 0;
    // For the service history: the reading before the correction, and whether anything answered.
    std::optional<float> foundAmbient_;
    bool answered_ = false;
    WriteJudgement judgement_;
};

// "Wpisz wartość napięcia" for a voltage output, "Wpisz wartość prądu" otherwise.
std::string_view outputPrompt(const DeviceRecord& device);
// What the technician sets on the input for its lower or upper reference point.
struct InputReference {
    double value;
    std::string_view unit;         // "Ohm" or "mV"
    std::string_view instruction;  // "Ustaw 100 Ohm", "Ustaw 300 Ohm", "Ustaw 0 mV" or "Ustaw 80 mV"
};
InputReference inputReference(const DeviceRecord& device, bool upper);

// The transmitter's reading of its input, in the unit it named ("Ohm", "mV", "°C"; empty for a
// unit this program does not know).
struct InputValue {
    double number = 0;
    std::string unit;
};

// "Odczytaj" of the input group: one read of the primary value on timer 2, shown as its unit
// wants it ("100.00 Ohm", "12.5 mV", "23.4 °C"); no retry. Status texts go to `statusId`, line
// errors to `errorId`.
class InputReading {
public:
    static constexpr int Timer = 2;

    InputReading(Station& station, int statusId, int errorId)
        : station_(station), statusId_(statusId), errorId_(errorId) {}

    // The button. The value reads " " until the answer has come; the dialog shows its fields
    // again afterwards.
    void start(DialogWindow& window);
    // Timer 2; true when the reading has ended and the fields should be shown again.
    bool onTimer(DialogWindow& window);

    const std::string& text() const { return text_; }
    // The value of the reading that has just ended; none when no good answer came.
    const std::optional<InputValue>& value() const { return value_; }

private:
    void takeValue(const DecodedFloat& reading, std::uint8_t unitCode);

    Station& station_;
    int statusId_;
    int errorId_;
    int inputReadStep_ = 0;
    std::string text_;
    std::optional<InputValue> value_;
};

// The service history's records of the input points a dialog stores, with the transmitter's
// readings of its input taken there (InputReading) and nothing else: the last reading before a
// point was stored is what was found, the first one after it what was left. A point's record is
// written when that reading after has come, when the next point is stored or when the dialog
// ends, whichever is first; a value no reading gave is left out.
class InputPointRecords {
public:
    explicit InputPointRecords(const Station& station) : station_(station) {}

    // A reading has ended (with a value or none).
    void readingEnded(const std::optional<InputValue>& value);
    // The transmitter took its present input as this reference point.
    void pointStored(bool upper);
    // Writes the record still waiting for its reading after.
    void finish();

private:
    const Station& station_;
    std::optional<InputValue> lastReading_;
    // The reading that left a point was taken with that point's reference set: it tells what a
    // repeat of the same point finds, never what another point finds.
    std::optional<bool> lastReadingLeftAt_;
    std::optional<ServiceRecord> waiting_;
    bool waitingUpper_ = false;
};

}  // namespace calibration
}  // namespace doxa
