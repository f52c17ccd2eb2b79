#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "programming/prog_safeguard.h"
#include "transmitter/service_record.h"
#include "transmitter/write_table.h"

namespace doxa {

class Station;
class DialogWindow;
struct Request;

// What the sequence takes from the programming dialog itself rather than from the device record.
struct SequenceInputs {
    int sensorsActive = 0;     // "aktywne": the sensor count bits are sent
    int sensorCountIndex = 0;  // 0..3 = 1..4 sensors
    int programAddress = 0;    // the address is programmed as well
    int newAddress = 0;
};

// Which part of the configuration a dialog writes: everything, or (21-series dialog) the range,
// the sensor type and the filter.
enum class SequenceScope { Full, RangeSensorFilter };

// Writes the configuration held in the device record into the transmitter on the dialog's
// timer 1 and checks every write against the answer: HART commands 35, 147, 201, 200 and 6, or
// MODBUS function 116 on registers 0, 8, 12 and 60 and the closing write of register 237.
class ProgrammingSequence {
public:
    // The steps, numbered as exchangeState carries them.
    enum Step : int {
        SendRange = 0,
        Listen = 1,
        CheckRange = 2,
        SendSensor = 3,
        CheckSensor = 4,
        SendFilter = 5,
        CheckFilter = 6,
        SendThreshold = 7,
        CheckThreshold = 8,
        SendAddress = 9,
        CheckAddress = 10,
        Finish = 11,
        // The 21-series dialog over RS485 reads the transmitter's threshold bits before it
        // writes the sensor registers, which carry them.
        ReadFlags = 12,
        CheckFlags = 13,
        // RS485: the closing write's answer, when one comes within replyWait, is judged.
        CommitListen = 14,
        CheckCommit = 15,
    };
    enum : int { StepText = 142, ReplyText = 143 };

    // `inputsChanged` is called when the sequence changes an input the dialog shows.
    ProgrammingSequence(Station& station, SequenceInputs& inputs, SequenceScope scope,
                        std::function<void()> inputsChanged);

    // "Wyślij": from the first step, with every error flag cleared. `rewritesLastRead`: the
    // transmitter is the one the last identification read, whose configuration then follows
    // what this run writes. `backupFile`: the copy kept of that configuration, for the service
    // history; empty when none was kept.
    void start(DialogWindow& window, bool rewritesLastRead = false, std::string backupFile = {});
    // What this run writes besides range, sensor and filter, as the dialog's inputs stand.
    WrittenFields written() const;
    // One tick of timer 1.
    void step(DialogWindow& window);
    // Between "Wyślij" and the end of its last step.
    bool running() const { return running_; }

private:
    enum Flag : std::size_t { RangeFlag, SensorFlag, FilterFlag, ThresholdFlag, FlagCount };
    struct Verdict {
        int misses = 0;        // values that came back different; 1 for a missing or wrong answer
        bool compare = false;  // a confirmed HART answer that carries the values, to compare
        bool refused = false;  // the transmitter refused: the step is not repeated
    };

    bool rs485() const;
    void send(DialogWindow& window, std::string_view text, int offset, const Request& request);
    void listen(DialogWindow& window);
    Verdict read(DialogWindow& window, int expectedLength);

    void sendRange(DialogWindow& window);
    void checkRange(DialogWindow& window);
    void readFlags(DialogWindow& window);
    void checkFlags(DialogWindow& window);
    void sendSensor(DialogWindow& window);
    void checkSensor(DialogWindow& window);
    void sendFilter(DialogWindow& window);
    void checkFilter(DialogWindow& window);
    void sendThreshold(DialogWindow& window);
    void checkThreshold(DialogWindow& window);
    void sendAddress(DialogWindow& window);
    void checkAddress(DialogWindow& window);
    void finish(DialogWindow& window);
    void commitListen(DialogWindow& window);
    void checkCommit(DialogWindow& window);
    void report(DialogWindow& window);
    // The run in the service history: the configuration read before, what was confirmed after.
    void record(bool saved) const;
    RecordValues confirmedValues() const;

    // Success clears the flag; a failure sets it and counts; past the limit the sequence goes
    // on with the flag set. True when the sequence goes on, false when the step is repeated.
    bool judge(Flag flag, Verdict verdict, bool countRepeat);
    // The dialog neither shows nor edits the threshold, so the transmitter keeps its own.
    bool keepsHeldThreshold() const;
    std::uint8_t sensorByte();
    bool sensorConfirmed() const;
    std::uint8_t flagByte() const;

    Station& station_;
    SequenceInputs& inputs_;
    SequenceScope scope_;
    std::function<void()> inputsChanged_;

    int nextOffset_ = 0;
    bool running_ = false;
    int failures_ = 0;
    std::array<bool, FlagCount> errors_{};
    bool addressSent_ = false;
    bool rewritesLastRead_ = false;
    // For the service history: the configuration the run started from (when it was read from
    // this transmitter), whether anything answered, which of the optional writes went out.
    RecordValues asFound_;
    std::string backupFile_;
    bool answered_ = false;
    bool thresholdSent_ = false;
    bool addressConfirmed_ = false;
    // The last refusal, for the service history.
    std::optional<WriteJudgement> refusal_;
    bool commitRefused_ = false;
    // What went on the line, for the comparison with the answer.
    std::array<std::uint8_t, 4> sentMax_{}, sentMin_{}, sentThreshold_{}, sentRelease_{};
    std::uint8_t sentSensor_ = 0;
    std::uint8_t sentOrder_ = 0;
    std::uint8_t sentTimeCode_ = 0;
    std::uint8_t sentDelta_ = 0;
    std::uint8_t sentDirection_ = 0;
    std::uint8_t heldThreshold_ = 0;  // the threshold bits of the transmitter's flag byte
};

}  // namespace doxa
