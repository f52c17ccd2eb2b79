#include "sim/sim_options.h"

#include <array>
#include <charconv>
#include <optional>

namespace doxa::sim {

namespace {

struct FaultOption {
    std::string_view name;
    FaultRule Faults::*rule;
};

constexpr std::array<FaultOption, 8> FaultOptions{{
    {"drop", &Faults::drop},
    {"truncate", &Faults::truncate},
    {"garble", &Faults::garble},
    {"late", &Faults::late},
    {"lose-preambles", &Faults::losePreambles},
    {"not-implemented", &Faults::notImplemented},
    {"lose-calibration", &Faults::loseCalibration},
    {"stale", &Faults::stale},
}};

template <typename T>
std::optional<T> number(std::string_view text, T low, T high) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

constexpr std::array<std::string_view, 5> LineSpeeds = {"1200", "4800", "9600", "19200", "38400"};
constexpr std::uint8_t OddParity = 0x80;
constexpr std::uint8_t FactoryLine = OddParity;  // 1200 baud, odd parity

std::string modelList() {
    std::string list;
    for (Model m : allModels()) list += (list.empty() ? "" : ", ") + std::string(modelName(m));
    return list;
}

// Takes "MIN-MAX" or a single count for both.
bool parsePreambles(std::string_view text, Options& options) {
    const auto dash = text.find('-');
    const auto low = number<int>(text.substr(0, dash), 2, 30);
    const auto high = dash == std::string_view::npos ? low : number<int>(text.substr(dash + 1), 2, 30);
    if (!low || !high || *low > *high) return false;
    options.minPreambles = *low;
    options.maxPreambles = *high;
    return true;
}

class Parser {
public:
    explicit Parser(std::span<const std::string_view> args) : args_(args) {}

    ParsedOptions run() {
        while (pos_ < args_.size() && result_.error.empty()) option(args_[pos_++]);
        return result_;
    }

private:
    void option(std::string_view name) {
        SimOptions& o = result_.options;
        if (name == "--help" || name == "-h") {
            o.help = true;
        } else if (name == "--verbose" || name == "-v") {
            o.verbose = true;
        } else if (name == "--documented-bits") {
            o.faults.documentedBitsOnly = true;
        } else if (auto text = valueOf(name, "--flip-break-bit")) {
            if (*text == "kept") o.faults.breakBit = BreakBitFault::Kept;
            else if (*text == "echoed") o.faults.breakBit = BreakBitFault::Echoed;
            else fail("--flip-break-bit takes kept or echoed");
        } else if (name == "--answer-from-new-address") {
            o.faults.answerFromNewAddress = true;
        } else if (auto text = valueOf(name, "--misindex-points")) {
            assign(o.faults.misindexedPoints, number<std::uint64_t>(*text, 1, UINT64_MAX), "--misindex-points takes a count from 1");
        } else if (name == "--nan-pv") {
            o.faults.notANumberPrimary = true;
        } else if (auto text = valueOf(name, "--status-bits")) {
            statusBits(*text);
        } else if (name == "--rtu-silence") {
            o.frameBySilence = true;
        } else if (auto text = valueOf(name, "--noise-byte")) {
            std::uint8_t noise = 0;
            assign(noise, number<std::uint8_t>(*text, 0, 255), "--noise-byte takes 0..255");
            o.transmitter.noiseByte = noise;
        } else if (name == "--old-generation") {
            o.transmitter.oldGeneration = true;
        } else if (auto text = valueOf(name, "--model")) {
            if (auto m = modelFromName(*text)) o.model = *m;
            else fail("unknown model " + std::string(*text) + " (one of " + modelList() + ")");
        } else if (auto text = valueOf(name, "--address")) {
            assign(o.transmitter.address, number<int>(*text, 0, 127), "--address takes 0..127");
        } else if (auto text = valueOf(name, "--serial")) {
            std::uint32_t serial = 0;
            assign(serial, number<std::uint32_t>(*text, 0, 0xFFFFFF), "--serial takes 0..16777215");
            o.transmitter.serialNumber = serial;
        } else if (auto text = valueOf(name, "--seed")) {
            assign(o.transmitter.seed, number<std::uint64_t>(*text, 0, UINT64_MAX), "--seed takes a whole number");
        } else if (auto text = valueOf(name, "--link")) {
            o.linkPath = std::string(*text);
        } else if (auto text = valueOf(name, "--preambles")) {
            if (!parsePreambles(*text, o.transmitter)) fail("--preambles takes N or MIN-MAX within 2..30");
        } else if (auto text = valueOf(name, "--baud")) {
            lineSpeed(*text);
        } else if (auto text = valueOf(name, "--parity")) {
            lineParity(*text);
        } else if (name == "--at-wait-end") {
            o.transmitter.timing.atWaitEnd = true;
        } else if (auto text = valueOf(name, "--reply-delay")) {
            assign(o.transmitter.timing.replyDelayMs, number<int>(*text, 0, 60000), "--reply-delay takes 0..60000");
        } else if (auto text = valueOf(name, "--chunks")) {
            assign(o.transmitter.timing.chunks, number<int>(*text, 1, 100), "--chunks takes 1..100");
        } else if (auto text = valueOf(name, "--chunk-gap")) {
            assign(o.transmitter.timing.chunkGapMs, number<int>(*text, 0, 10000), "--chunk-gap takes 0..10000");
        } else if (auto text = valueOf(name, "--late-ms")) {
            assign(o.faults.lateMs, number<int>(*text, 0, 60000), "--late-ms takes 0..60000");
        } else if (auto text = valueOf(name, "--lose-write-answers")) {
            assign(o.faults.lostWriteAnswers, number<int>(*text, 0, 1000), "--lose-write-answers takes 0..1000");
        } else if (auto text = valueOf(name, "--miskeep-write")) {
            writeFault(*text, WriteFault::Miskept, "--miskeep-write");
        } else if (auto text = valueOf(name, "--unanswered-write")) {
            writeFault(*text, WriteFault::Unanswered, "--unanswered-write");
        } else if (auto text = valueOf(name, "--refuse-write")) {
            refusal(*text, false);
        } else if (auto text = valueOf(name, "--busy-write")) {
            refusal(*text, true);
        } else if (name == "--relative-output-trim") {
            o.faults.relativeOutputTrim = true;
        } else if (!faultOption(name)) {
            if (result_.error.empty()) fail("unknown option " + std::string(name));
        }
    }

    // Either option makes the device keep to its RS485 line; the other half stays as the device
    // comes from the factory (1200 baud, odd parity).
    void lineSpeed(std::string_view text) {
        std::uint8_t& line = result_.options.transmitter.lineSettings.emplace(
            result_.options.transmitter.lineSettings.value_or(FactoryLine));
        for (std::uint8_t index = 0; index < LineSpeeds.size(); ++index) {
            if (text == LineSpeeds[index]) {
                line = static_cast<std::uint8_t>((line & OddParity) | index);
                return;
            }
        }
        fail("--baud takes 1200, 4800, 9600, 19200 or 38400");
    }

    void lineParity(std::string_view text) {
        std::uint8_t& line = result_.options.transmitter.lineSettings.emplace(
            result_.options.transmitter.lineSettings.value_or(FactoryLine));
        if (text == "odd")
            line |= OddParity;
        else if (text == "none")
            line &= static_cast<std::uint8_t>(~OddParity);
        else
            fail("--parity takes odd or none");
    }

    // "--drop P" by probability, "--drop-nth N" on the Nth request.
    bool faultOption(std::string_view name) {
        for (const FaultOption& f : FaultOptions) {
            const std::string flag = "--" + std::string(f.name);
            FaultRule& rule = result_.options.faults.*f.rule;
            if (auto text = valueOf(name, flag)) {
                assign(rule.probability, number<double>(*text, 0.0, 1.0), flag + " takes a probability 0..1");
                return true;
            }
            if (auto text = valueOf(name, flag + "-nth")) {
                assign(rule.onRequest, number<std::uint64_t>(*text, 1, UINT64_MAX), flag + "-nth takes a request number from 1");
                return true;
            }
        }
        return false;
    }

    // Status bits are read in hexadecimal everywhere, so "85" is 0x85 as much as "0x85" is.
    void statusBits(std::string_view text) {
        if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
        unsigned bits = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), bits, 16);
        if (text.empty() || error != std::errc{} || end != text.data() + text.size() || bits > 0xFF)
            return fail("--status-bits takes a byte in hexadecimal, such as 0x85");
        result_.options.faults.deviceStatusBits = static_cast<std::uint8_t>(bits);
    }

    // "hart:COMMAND" or "modbus:REGISTER".
    void writeFault(std::string_view text, WriteFault fault, std::string_view flag) {
        const auto colon = text.find(':');
        const std::string_view protocol = text.substr(0, colon);
        const std::string_view key = colon == std::string_view::npos ? "" : text.substr(colon + 1);
        const bool hart = protocol == "hart";
        const auto value = number<int>(key, 0, hart ? 255 : 0xFFFF);
        if ((!hart && protocol != "modbus") || !value) {
            fail(std::string(flag) + " takes hart:COMMAND or modbus:REGISTER");
            return;
        }
        Faults& faults = result_.options.faults;
        (hart ? faults.hartWrites : faults.modbusWrites)[*value] = fault;
    }

    // "hart:COMMAND=CODE[/N]", "modbus:FUNCTION[@REGISTER]=EXCEPTION[/N]"; busy writes have no
    // code: "hart:COMMAND[/N]" (response code 32), "modbus:FUNCTION[@REGISTER][/N]" (exception 6).
    // N: only the first N sends (a refusal: every send; busy: the first).
    // Numbers are decimal or 0x-hexadecimal.
    void refusal(std::string_view text, bool busy) {
        const std::string_view flag = busy ? "--busy-write" : "--refuse-write";
        const auto colon = text.find(':');
        const std::string_view protocol = text.substr(0, colon);
        std::string_view rest = colon == std::string_view::npos ? "" : text.substr(colon + 1);
        const bool hart = protocol == "hart";
        Faults::Refusal rule{.code = hart ? 32 : 6, .times = busy ? 1 : 0};
        if (const auto times = rest.rfind('/'); times != std::string_view::npos) {
            if (const auto n = numberOrHex(rest.substr(times + 1), 1, 1000)) rule.times = *n;
            else return fail(std::string(flag) + ": /N takes 1..1000");
            rest = rest.substr(0, times);
        }
        if (!busy) {
            const auto equals = rest.find('=');
            const auto code = equals == std::string_view::npos ? std::nullopt : numberOrHex(rest.substr(equals + 1), 1, 255);
            if (!code) return fail(std::string(flag) + " takes hart:COMMAND=CODE[/N] or modbus:FUNCTION[@REGISTER]=EXCEPTION[/N]");
            rule.code = *code;
            rest = rest.substr(0, equals);
        }
        const auto at = rest.find('@');
        const auto command = numberOrHex(rest.substr(0, at), 0, 255);
        const auto reg = at == std::string_view::npos ? std::optional<int>(0) : numberOrHex(rest.substr(at + 1), 0, 0xFFFF);
        if ((!hart && protocol != "modbus") || !command || !reg || (hart && at != std::string_view::npos))
            return fail(std::string(flag) + ": unknown write " + std::string(text));
        Faults& faults = result_.options.faults;
        (hart ? faults.hartRefusals : faults.modbusRefusals)[hart ? *command : *command << 16 | *reg] = rule;
    }

    static std::optional<int> numberOrHex(std::string_view text, int low, int high) {
        if (!text.starts_with("0x")) return number<int>(text, low, high);
        int value = 0;
        const auto digits = text.substr(2);
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        if (error != std::errc{} || end != digits.data() + digits.size() || value < low || value > high)
            return std::nullopt;
        return value;
    }

    // The value of `name` when it is `flag`: the next argument, or what follows "flag=".
    std::optional<std::string_view> valueOf(std::string_view name, std::string_view flag) {
        if (name.size() > flag.size() && name.starts_with(flag) && name[flag.size()] == '=')
            return name.substr(flag.size() + 1);
        if (name != flag) return std::nullopt;
        if (pos_ >= args_.size()) {
            fail(std::string(flag) + " needs a value");
            return std::string_view{};
        }
        return args_[pos_++];
    }

    template <typename T>
    void assign(T& target, std::optional<T> value, std::string_view message) {
        if (value) target = *value;
        else if (result_.error.empty()) fail(std::string(message));
    }

    void fail(std::string message) {
        if (result_.error.empty()) result_.error = std::move(message);
    }

    std::span<const std::string_view> args_;
    std::size_t pos_ = 0;
    ParsedOptions result_;
};

}  // namespace

ParsedOptions parseSimOptions(std::span<const std::string_view> args) {
    ParsedOptions parsed = Parser(args).run();
    if (parsed.error.empty() && parsed.options.transmitter.oldGeneration && !canBeOldGeneration(parsed.options.model))
        parsed.error = "--old-generation: " + std::string(modelName(parsed.options.model)) + " exists in the current generation only";
    return parsed;
}

std::string simUsage() {
    return "Usage: doxa-sim [OPTION]...\n"
           "A simulated temperature transmitter on a pseudo-terminal. Connect a serial line to\n"
           "the printed path (or to --link): a request that begins with 0xFF preambles is taken as\n"
           "HART, anything else as MODBUS RTU; the dump letters F, E, R, S (after ten 0xFF in HART,\n"
           "alone in RS485) read a 256-byte memory page. Without --baud or --parity it answers at\n"
           "any speed and parity.\n"
           "\n"
           "  --model NAME        " + modelList() + "\n"
           "                      (default DOXA-22)\n"
           "  --address N         polling address / MODBUS slave address 0..127 (default 0)\n"
           "  --serial N          serial number 0..16777215\n"
           "  --old-generation    set bit 3 of the variant byte (not for the RIVO models)\n"
           "  --preambles N|A-B   preamble count of HART answers (default 5-20, varying)\n"
           "  --noise-byte N      every HART answer begins with byte N (0..255) before its\n"
           "                      preambles, as from a modem whose carrier comes up\n"
           "  --rtu-silence       frame MODBUS requests by the line's silence (3.5 characters at\n"
           "                      the speed the client set, less 3 ms for the pseudo-terminal), as\n"
           "                      an RTU slave does: bytes that follow a request sooner make one\n"
           "                      damaged frame with it, which goes unanswered and is not carried out\n"
           "  --baud N            RS485 speed the device keeps to: 1200, 4800, 9600, 19200 or 38400;\n"
           "                      MODBUS at another speed goes unanswered\n"
           "  --parity odd|none   RS485 parity the device keeps to; at the other parity its answers\n"
           "                      arrive damaged (with either option alone the other is 1200 or odd)\n"
           "  --link PATH         make PATH a symbolic link to the pseudo-terminal (replaced if it\n"
           "                      exists, removed on exit)\n"
           "  --verbose, -v       print every request and answer in hex\n"
           "  --seed N            seed of the fault injection and of the measured values\n"
           "  --help, -h          this text\n"
           "\n"
           "Answer timing, each within the wait the program gives an answer:\n"
           "  --reply-delay MS    every answer begins MS after the request (a slower device)\n"
           "  --chunks N          every answer arrives in N pieces ...\n"
           "  --chunk-gap MS      ... MS apart (default 50)\n"
           "  --at-wait-end       the answer's last piece arrives at the very end of the wait:\n"
           "                      800 ms after a HART request; 755, 550, 520, 505 and 505 ms after a\n"
           "                      MODBUS request at 1200 .. 38400 baud (here 40 ms earlier, for the\n"
           "                      timers of both programs)\n"
           "\n"
           "Faults, each with a probability P (0..1) per request, or on the Nth request with -nth:\n"
           "  --drop P, --drop-nth N                        no answer\n"
           "  --truncate P, --truncate-nth N                the answer stops early\n"
           "  --garble P, --garble-nth N                    one byte of the answer is wrong\n"
           "  --late P, --late-nth N                        the answer comes late\n"
           "  --late-ms MS                                  how late (default 1500)\n"
           "  --miskeep-write hart:N|modbus:R               every write of HART command N (or to\n"
           "                                                MODBUS register R on) is kept with\n"
           "                                                its last byte one bit off\n"
           "  --unanswered-write hart:N|modbus:R            every such write goes unanswered\n"
           "  --refuse-write hart:N=CODE[/K]                HART command N is refused with response\n"
           "  --refuse-write modbus:F[@R]=EXC[/K]           code CODE (MODBUS function F, at register\n"
           "                                                R, with exception EXC) and not carried\n"
           "                                                out; the first K times, or always\n"
           "  --busy-write hart:N[/K], modbus:F[@R][/K]     the first K (default 1) such writes are\n"
           "                                                answered busy (code 32, exception 6)\n"
           "  --relative-output-trim                        the output points (145, 146) trim from\n"
           "                                                where the output stands: the same\n"
           "                                                measurement sent twice trims twice\n"
           "  --flip-break-bit kept|echoed                  the break bit of a command 147 write\n"
           "                                                is kept, or only answered, reversed\n"
           "  --lose-preambles P, --lose-preambles-nth N    HART answer with at most one preamble\n"
           "  --stale P, --stale-nth N                      the answer is followed at once by the\n"
           "                                                answer before it (a late answer to an\n"
           "                                                earlier request)\n"
           "  --not-implemented P, --not-implemented-nth N  HART response code 0x40; MODBUS\n"
           "                                                exception 1 (the request is ignored)\n"
           "  --lose-calibration P, --lose-calibration-nth N  a calibration write is lost: not\n"
           "                                                taken, not answered\n"
           "  --lose-write-answers N                        every write is carried out, but its\n"
           "                                                answer is lost the first N times it\n"
           "                                                comes (each HART command, each MODBUS\n"
           "                                                function and register counted apart)\n"
           "\n"
           "Answers that differ where the documentation leaves room:\n"
           "  --documented-bits        the answer to a HART command 147 write reports only the\n"
           "                           sensor code and the break bit (bits 6..4 left out)\n"
           "  --answer-from-new-address  HART command 6 is answered from the new address\n"
           "  --misindex-points N      the first N answers to HART command 220 carry the next\n"
           "                           point's index\n"
           "  --nan-pv                 the primary value is sent as no number (exponent 255), in\n"
           "                           HART and MODBUS answers and in the memory pages\n"
           "  --status-bits HEX        device status bits set in every HART answer, such as 0x80\n"
           "                           malfunction, 0x04 sensor break, 0x01 PV out of limits\n"
           "\n"
           "Stop it with Ctrl-C (SIGINT) or SIGTERM.\n";
}

}  // namespace doxa::sim
