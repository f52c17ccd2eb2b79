#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <span>
#include <vector>

namespace doxa::sim {

// When one kind of fault strikes: with a probability per request, and/or on exactly the Nth
// request the transmitter takes as its own (counted from 1).
struct FaultRule {
    double probability = 0;
    std::uint64_t onRequest = 0;  // 0 = never
};

// How a write goes wrong each time it is sent: the device keeps (and reports) a value whose
// last byte is one bit off what was sent, or it stays silent.
enum class WriteFault { Miskept, Unanswered };

// How the break signalling (bit 0x80) of a command 147 write goes wrong: the device keeps the
// other direction and answers what it keeps, or keeps the one sent and answers the other.
enum class BreakBitFault { None, Kept, Echoed };

struct Faults {
    FaultRule drop;            // no answer at all
    FaultRule truncate;        // the answer stops early
    FaultRule garble;          // one byte of the answer is wrong
    FaultRule late;            // the answer comes after lateMs
    FaultRule losePreambles;   // a HART answer arrives with at most one preamble byte
    FaultRule notImplemented;  // HART response code bit 0x40; a MODBUS exception answer
    // The answer is followed at once by the one before it, as a late answer to an earlier
    // request that comes in the same read.
    FaultRule stale;
    int lateMs = 1500;
    // Writes that go wrong every time: by HART command (a request with data), and by the first
    // register of a MODBUS write (functions 6, 16 and 116).
    std::map<int, WriteFault> hartWrites;
    std::map<int, WriteFault> modbusWrites;
    // A calibration write (reference or test point, compensation, trim, factory data) is lost
    // on its way: the device neither takes it nor answers.
    FaultRule loseCalibration;
    // Every write is carried out, but its answer is lost the first N times it comes (counted
    // apart for each HART command, and for each MODBUS function and first register).
    int lostWriteAnswers = 0;
    // Answers that differ from ours where the documentation leaves room: the answer to a
    // command 147 write without bits 6..4 of the sensor byte; command 6 answered from the
    // address it sets; the first N answers to command 220 carrying the next point's index.
    bool documentedBitsOnly = false;
    // Writes the device refuses without carrying them out, with a HART response code or a
    // MODBUS exception, the first `times` sends (0: every send). Keyed like the lost answers:
    // the HART command, or the MODBUS function << 16 | the first register written (0 for the
    // device's own functions). Busy is a refusal with code 32 or exception 6.
    struct Refusal {
        int code = 0;
        int times = 0;
    };
    std::map<int, Refusal> hartRefusals;
    std::map<int, Refusal> modbusRefusals;
    // The output points trim from where the output stands: the same measurement sent twice
    // corrects the output twice.
    bool relativeOutputTrim = false;
    bool answerFromNewAddress = false;
    std::uint64_t misindexedPoints = 0;
    // The primary value is sent as no number (exponent 255), over HART and MODBUS alike.
    bool notANumberPrimary = false;
    // Device status bits (the second status byte of HART answers) set in every answer, besides
    // those the device sets itself: 0x80 malfunction, 0x04 sensor break, 0x01 PV out of limits.
    std::uint8_t deviceStatusBits = 0;
    BreakBitFault breakBit = BreakBitFault::None;
};

// Which faults hit one request.
struct FaultVerdict {
    bool drop = false, truncate = false, garble = false, late = false;
    bool losePreambles = false, notImplemented = false, stale = false;
    bool loseCalibration = false;
};

// Draws the verdicts and the details of each fault from one seeded generator, so a run with
// the same seed and the same requests goes the same way.
class FaultInjector {
public:
    explicit FaultInjector(std::uint64_t seed) : random_(seed) {}

    FaultVerdict decide(const Faults& faults, std::uint64_t requestNumber);
    // Cuts the answer to a length between 1 and its length - 1.
    void truncate(std::vector<std::uint8_t>& answer);
    // Changes one byte from `from` on.
    void garble(std::vector<std::uint8_t>& answer, std::size_t from);
    // A number in [low, high].
    int uniform(int low, int high);

private:
    bool strikes(const FaultRule& rule, std::uint64_t requestNumber);
    double unit();

    std::mt19937_64 random_;
};

}  // namespace doxa::sim
