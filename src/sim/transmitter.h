#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "link/serial_line.h"
#include "sim/answer_timing.h"
#include "sim/faults.h"
#include "sim/live_values.h"
#include "sim/memory_map.h"
#include "sim/sim_model.h"
#include "sim/sim_state.h"

namespace doxa::sim {

struct Options {
    int address = 0;
    std::optional<std::uint32_t> serialNumber = std::nullopt;  // the model's default when empty
    std::uint64_t seed = 1;
    bool oldGeneration = false;  // ignored by the RIVO members, which have no older generation
    int minPreambles = 5;        // every HART answer has between min and max preambles
    int maxPreambles = 20;
    // A byte every HART answer begins with, before its preambles: a modem's noise as its
    // carrier comes up.
    std::optional<std::uint8_t> noiseByte = std::nullopt;
    // The RS485 line the device is set to, as register 126 holds it: the baud index 0..4, plus
    // 0x80 for odd parity. Given, the device keeps to it (and to whatever is programmed there
    // later): a MODBUS request at another speed goes unheard, and one at its speed but with the
    // other parity is answered, the answer arriving damaged. Not given, it answers at any speed
    // and parity.
    std::optional<std::uint8_t> lineSettings = std::nullopt;
    AnswerTiming timing = AnswerTiming{};
};

// An answer and how long after the request it arrives.
struct Reply {
    std::vector<std::uint8_t> bytes;
    int delayMs = 0;
    bool misframed = false;  // sent with another parity than the master's: framing errors there
};

// A transmitter of the family: takes one complete request at a time, HART (it begins with 0xFF
// preambles), MODBUS RTU (anything else) or a raw dump letter, and answers as the device does.
class Transmitter {
public:
    explicit Transmitter(Model model, const Options& options = {});

    // Empty when the device stays silent: a request for another address, a damaged frame, a
    // stray 0xFF, or a dropped answer.
    std::vector<std::uint8_t> answer(std::span<const std::uint8_t> request);
    Reply reply(std::span<const std::uint8_t> request);
    // The same for a request that came over a line at `baud` with `parity` (nullopt when the
    // line cannot tell its parity).
    Reply replyOnLine(std::span<const std::uint8_t> request, int baud,
                      std::optional<Parity> parity);

    Model model() const { return model_; }
    const ModelTraits& traits() const { return modelTraits(model_); }
    State& state() { return state_; }
    const State& state() const { return state_; }
    Faults faults;
    // When the answers come; taken from the options, changed at will by a test.
    AnswerTiming timing;

    // The time the live values move with; a steady clock from construction unless set.
    void setClock(std::function<std::int64_t()> nowMs) { clock_ = std::move(nowMs); }
    LiveValues live() const;
    // A memory page in address order, in the layout of the device's generation.
    PageBytes page(Page page) const;
    bool oldGeneration() const { return (state_.variantByte & OldGenerationBit) != 0; }
    // Requests taken as the device's own so far (the count the fault rules use).
    std::uint64_t requestCount() const { return requests_; }

private:
    struct HartResult {
        std::uint8_t code = 0;
        std::vector<std::uint8_t> data;
    };
    std::optional<std::vector<std::uint8_t>> answerHart(std::span<const std::uint8_t> frame);
    HartResult hartCommand(std::uint8_t command, std::span<const std::uint8_t> data);
    std::uint8_t deviceStatus(const LiveValues& live) const;
    std::vector<std::uint8_t> hartFrame(std::uint8_t address, std::uint8_t command,
                                        std::uint8_t status1, std::span<const std::uint8_t> data,
                                        int preambles);

    std::optional<std::vector<std::uint8_t>> answerModbus(std::span<const std::uint8_t> frame);
    std::vector<std::uint8_t> modbusFunction(std::span<const std::uint8_t> frame);
    std::vector<std::uint8_t> readRegisters(std::span<const std::uint8_t> frame);
    std::vector<std::uint8_t> writeRegisters(std::span<const std::uint8_t> frame);
    std::vector<std::uint8_t> calibrateModbus(std::span<const std::uint8_t> frame);
    void writeRam(int firstRegister, std::span<const std::uint8_t> lowBytes);

    std::vector<std::uint8_t> dump(Page page) const;

    // Steps shared by both protocols.
    // Takes the present input as a reference point; returns the reading kept.
    float captureInput(bool upper);
    void storeOutputPoint(bool upper, float measured);
    void setConfigurationByte(std::uint8_t byte);
    // Command 147: keeps the sensor byte a write carries; the byte answered.
    std::uint8_t sensorByteWritten(std::span<const std::uint8_t> data);
    // True while the write known by `key` is still to lose its answer (Faults::lostWriteAnswers).
    bool answerLost(int key);
    // The refusal that strikes this send of the write with `key`, if one does.
    std::optional<int> refusalCode(const std::map<int, Faults::Refusal>& rules, int key);

    Model model_;
    State state_;
    Options options_;
    Memory memory_;
    FaultInjector injector_;
    FaultVerdict verdict_;
    std::function<std::int64_t()> clock_;
    std::uint64_t requests_ = 0;
    std::map<int, int> lostAnswers_;
    std::map<int, int> refusedSends_;
    std::vector<std::uint8_t> previousAnswer_;
};

}  // namespace doxa::sim
