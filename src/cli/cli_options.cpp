#include "cli/cli_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

#include "history/history_store.h"
#include "transmitter/exchange.h"

namespace doxa::cli {

namespace {

struct OptionInfo {
    Opt id;
    std::string_view name;
    std::string_view value;  // empty for a flag
    std::string_view synopsis;
    std::string_view help;
};

constexpr std::array<OptionInfo, 40> Options{{
    {Opt::Port, "--port", "PORT", "--port PORT",
     "COM1..COM12 (mapped as in doxa-win's settings), a device path such as /dev/ttyUSB0, "
     "sim:MODEL for a simulated transmitter (DOXA-22, RIVO-22, SAWE-01, SAWE-01-RTD, DOXA-21-R, "
     "RIVO-21-R, DOXA-21-U, RIVO-21-U), or a /dev/serial/by-id name or a part of it that no other "
     "holds, such as FTDI_A1B2 (see doxa-cli ports)"},
    {Opt::Rs485, "--rs485", "", "[--rs485",
     "MODBUS RTU on an RS485 line (without it: HART, 1200 baud, odd parity)"},
    {Opt::Baud, "--baud", "N", "[--baud N]",
     "RS485 speed: 1200, 4800, 9600, 19200 or 38400 (default 1200)"},
    {Opt::Parity, "--parity", "odd|none", "[--parity odd|none]]", "RS485 parity (default odd)"},
    {Opt::Address, "--address", "N",
     "[--address N]", "polling address (HART) or slave address (MODBUS), 0..127 (default 0)"},
    {Opt::Timeout, "--timeout", "S", "[--timeout S]",
     "give up when the transmitter has not answered within S seconds (default 15)"},
    {Opt::Json, "--json", "", "[--json]",
     "print JSON: one object of the fields (identify), one object per cycle, one per line "
     "(watch), one array of records (history), of devices (ports) or of reference instruments "
     "(instruments), the temperature and the sensor's quantity (convert)"},
    {Opt::Count, "--count", "N", "[--count N]", "stop after N cycles (default: until Ctrl-C)"},
    {Opt::Csv, "--csv", "", "[--csv]", "comma-separated values with a header line"},
    {Opt::Output, "--output", "FILE", "-o FILE",
     "the configuration file to save (\"*.prg\", as doxa-win's \"Zachowaj jako...\"); -o FILE "
     "is the same"},
    {Opt::DryRun, "--dry-run", "", "[--dry-run]",
     "read the transmitter and print what the file would change (field: old → new); write "
     "nothing"},
    {Opt::AnyModel, "--any-model", "", "[--any-model]",
     "write the file even when it was read from another model than the transmitter's"},
    {Opt::From, "--from", "N", "[--from N]", "first address to ask, 0..127 (default 0)"},
    {Opt::To, "--to", "N", "[--to N]",
     "last address to ask, 0..127 (default 15 in HART, 32 in RS485)"},
    {Opt::Serial, "--serial", "N", "[--serial N]", "only the records of the transmitter with this serial number"},
    {Opt::Model, "--model", "M", "[--model M]", "only the records of this model (DOXA-22, RIVO-22, ...)"},
    {Opt::Since, "--since", "DATE", "[--since DATE]",
     "only the records from this day on (2025-03-01, local time) or from this time on (ISO 8601)"},
    {Opt::Db, "--db", "PATH|URL", "[--db PATH|URL]",
     "the service history: an SQLite file, or a PostgreSQL server as postgresql://user@host:port/dbname "
     "(default: [Baza] URL of doxa-win's settings, else $XDG_DATA_HOME/doxa-win/history.sqlite)"},
    {Opt::Fast, "--fast", "", "[--fast]",
     "fast exchanges: the same requests, but each read comes as soon as a whole, checked answer "
     "has arrived and the next request follows after the line's own gap; a silent or slow "
     "transmitter gets the usual waits (see the README before using it)"},
    {Opt::HandOver, "--hand-over", "FROM", "[--hand-over FROM]",
     "list nothing; deliver the records waiting in the local file for the database FROM (a path or "
     "URL as --db takes it; unknown: those left by a program that kept no database) to the "
     "database of --db"},
    {Opt::Due, "--due", "[DAYS]", "[--due [DAYS]]",
     "list the transmitters whose calibration is due within DAYS days (default 30) or overdue: the "
     "latest finished calibration plus the interval chosen in it"},
    {Opt::Verify, "--verify", "FILE.pdf", "[--verify FILE.pdf]",
     "list nothing; check the verification code of a calibration certificate's PDF against the "
     "event the database of --db holds (zgodny: status 0; niezgodny or not found: status 2)"},
    {Opt::CertificateNumber, "--certificate", "NUMBER", "[--certificate NUMBER]",
     "list nothing; check the certificate of that number (ŚK/2026/000123) as --verify checks a PDF"},
    {Opt::Sensor, "--sensor", "ID", "--sensor ID",
     "the sensor's curve: pt100-385, pt100-391, ni100-617, ni100-618, cu100-426, cu100-428, cu50-426, "
     "cu50-428 (resistance thermometers) or k, j, s, b, n, t (thermocouples)"},
    {Opt::Celsius, "--celsius", "T", "(--celsius T", "the temperature to convert, in °C"},
    {Opt::Ohm, "--ohm", "R", "| --ohm R", "the resistance to convert, in Ohm (a resistance thermometer)"},
    {Opt::Mv, "--mv", "U", "| --mv U)", "the thermoelectric voltage to convert, in mV (a thermocouple)"},
    {Opt::ColdJunction, "--cold-junction", "T", "[--cold-junction T]",
     "the thermocouple's cold junction temperature in °C (default 0)"},
    {Opt::Technician, "--technician", "NAME", "[--technician NAME]",
     "the technician's full name (default: [Kalibracja] Technik of doxa-win's settings)"},
    {Opt::Customer, "--customer", "TEXT", "[--customer TEXT]", "the customer or plant"},
    {Opt::Tag, "--tag", "TEXT", "[--tag TEXT]", "the transmitter's tag"},
    {Opt::Ambient, "--ambient", "T", "[--ambient T]", "the ambient temperature, °C (asked for when not given)"},
    {Opt::Humidity, "--humidity", "RH", "[--humidity RH]", "the relative humidity, % (asked for when not given)"},
    {Opt::Instrument, "--instrument", "ID", "[--instrument ID]",
     "the reference instrument of the input: its id or serial number in the register (asked for when "
     "not given)"},
    {Opt::Meter, "--meter", "ID", "[--meter ID]", "the instrument that reads the output, as --instrument"},
    {Opt::Points, "--points", "LIST", "[--points LIST]",
     "the test points in % of the range, 2 to 11 separated by ';' (default \"0; 25; 50; 75; 100\")"},
    {Opt::Tolerance, "--tolerance", "X", "[--tolerance X]",
     "the input's tolerance (default: the tolerances of doxa-win's settings)"},
    {Opt::ToleranceUnit, "--tolerance-unit", "UNIT", "[--tolerance-unit UNIT]",
     "the unit of --tolerance: °C, or the unit the reference is applied in (Ohm, mV)"},
    {Opt::OutputTolerance, "--output-tolerance", "MA", "[--output-tolerance MA]", "the output's tolerance, mA"},
    {Opt::Interval, "--interval", "MONTHS", "[--interval MONTHS]",
     "the calibration interval (default: [Kalibracja] InterwalMiesiace, else 12)"},
}};

constexpr std::array<int, 5> BaudRates = {1200, 4800, 9600, 19200, 38400};
constexpr int DefaultDueDays = 30;
constexpr int MostDueDays = 3660;

const OptionInfo& infoOf(Opt id) {
    return *std::find_if(Options.begin(), Options.end(), [id](const OptionInfo& o) { return o.id == id; });
}

std::optional<int> wholeNumber(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// A number as a script writes it: a decimal point, nothing after it, no infinity.
std::optional<double> realNumber(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

class Parser {
public:
    Parser(std::span<const std::string_view> args, std::span<const Opt> accepted)
        : args_(args), accepted_(accepted) {}

    ParsedInvocation run(std::size_t operandCount) {
        while (pos_ < args_.size() && result_.error.empty()) argument(args_[pos_++]);
        Invocation& inv = result_.invocation;
        if (!result_.error.empty() || inv.help) return result_;
        if (inv.operands.size() != operandCount)
            fail(inv.operands.size() < operandCount ? "missing operand" : "unexpected operand '" + inv.operands.back() + "'");
        else if (accepts(Opt::Port) && inv.line.port.empty())
            fail("--port is required");
        else if ((given_[Opt::Baud] || given_[Opt::Parity]) && !inv.line.rs485)
            fail("--baud and --parity are for --rs485 (HART runs at 1200 baud, odd parity)");
        else if (inv.json && inv.csv)
            fail("--json and --csv exclude each other");
        else if (accepts(Opt::Output) && inv.output.empty())
            fail("-o FILE is required");
        else if (inv.from && inv.to && *inv.from > *inv.to)
            fail("--from must not be past --to");
        else if (given_[Opt::HandOver] && (inv.serial || !inv.model.empty() || inv.since || inv.json || inv.csv))
            fail("--hand-over lists nothing: it takes no --serial, --model, --since, --json or --csv");
        else if (inv.dueDays && (inv.since || inv.csv || given_[Opt::HandOver]))
            fail("--due lists transmitters: it takes no --since, --csv or --hand-over");
        else if (given_[Opt::Verify] && given_[Opt::CertificateNumber])
            fail("--verify and --certificate check one certificate: give one of them");
        else if ((given_[Opt::Verify] || given_[Opt::CertificateNumber]) && (given_[Opt::HandOver] || inv.serial || !inv.model.empty() || inv.since ||
                                         inv.json || inv.csv))
            fail("--verify and --certificate list nothing: they take no --hand-over, --serial, --model, --since, --json or --csv");
        else if (accepts(Opt::Sensor))
            convertProblem();
        return result_;
    }

private:
    void convertProblem() {
        const Invocation& inv = result_.invocation;
        const int quantities = (inv.celsius ? 1 : 0) + (inv.ohm ? 1 : 0) + (inv.mv ? 1 : 0);
        if (inv.sensor.empty())
            fail("--sensor is required");
        else if (quantities != 1)
            fail("give one of --celsius, --ohm and --mv");
    }

    bool accepts(Opt id) const { return std::find(accepted_.begin(), accepted_.end(), id) != accepted_.end(); }

    void argument(std::string_view arg) {
        if (arg == "--help" || arg == "-h") {
            result_.invocation.help = true;
            return;
        }
        if (arg == "--") {
            while (pos_ < args_.size()) result_.invocation.operands.emplace_back(args_[pos_++]);
            return;
        }
        if (!arg.starts_with("-") || arg == "-") {
            result_.invocation.operands.emplace_back(arg);
            return;
        }
        // -o is the one short form, as in most programs that write a file.
        if (arg == "-o") arg = "--output";
        const std::string_view name = arg.substr(0, arg.find('='));
        const auto option = std::find_if(Options.begin(), Options.end(), [&](const OptionInfo& o) {
            return o.name == name && accepts(o.id);
        });
        if (option == Options.end()) return fail("unknown option " + std::string(name));
        std::optional<std::string_view> value;
        if (name.size() < arg.size()) {
            if (option->value.empty()) return fail(std::string(name) + " takes no value");
            value = arg.substr(name.size() + 1);
        } else if (option->value.starts_with('[')) {
            // A value of its own may follow, or the next option.
            if (pos_ < args_.size() && !args_[pos_].starts_with("-")) value = args_[pos_++];
        } else if (!option->value.empty()) {
            if (pos_ >= args_.size()) return fail(std::string(name) + " needs a value (" + std::string(option->value) + ")");
            value = args_[pos_++];
        }
        given_[option->id] = true;
        take(option->id, value.value_or(""));
    }

    void take(Opt id, std::string_view value) {
        Invocation& inv = result_.invocation;
        switch (id) {
            case Opt::Port:
                inv.line.port = std::string(value);
                if (inv.line.port.empty()) fail("--port needs a port");
                break;
            case Opt::Rs485:
                inv.line.rs485 = true;
                break;
            case Opt::Baud: {
                const auto baud = wholeNumber(value, 1, 1'000'000);
                const auto it = std::find(BaudRates.begin(), BaudRates.end(), baud.value_or(0));
                if (it == BaudRates.end()) return fail("--baud takes 1200, 4800, 9600, 19200 or 38400, not '" + std::string(value) + "'");
                inv.line.baudIndex = static_cast<int>(it - BaudRates.begin());
                break;
            }
            case Opt::Parity:
                if (value != "odd" && value != "none") return fail("--parity takes odd or none, not '" + std::string(value) + "'");
                inv.line.parityOff = value == "none" ? 1 : 0;
                break;
            case Opt::Address: {
                // The dialogs turn a bad address into 0; a script is told instead.
                const auto address = parsePollingAddress(value);
                if (!address) return fail("--address takes 0..127, not '" + std::string(value) + "'");
                inv.line.pollingAddress = *address;
                break;
            }
            case Opt::Timeout: {
                const auto seconds = wholeNumber(value, 1, 86400);
                if (!seconds) return fail("--timeout takes 1..86400 seconds, not '" + std::string(value) + "'");
                inv.timeoutSeconds = *seconds;
                break;
            }
            case Opt::Json:
                inv.json = true;
                break;
            case Opt::Count: {
                const auto count = wholeNumber(value, 1, 1'000'000'000);
                if (!count) return fail("--count takes a whole number from 1, not '" + std::string(value) + "'");
                inv.count = *count;
                break;
            }
            case Opt::Csv:
                inv.csv = true;
                break;
            case Opt::Output:
                inv.output = std::string(value);
                if (inv.output.empty()) fail("-o needs a file name");
                break;
            case Opt::DryRun:
                inv.dryRun = true;
                break;
            case Opt::AnyModel:
                inv.anyModel = true;
                break;
            case Opt::From:
            case Opt::To: {
                const auto address = parsePollingAddress(value);
                const std::string name = id == Opt::From ? "--from" : "--to";
                if (!address) return fail(name + " takes 0..127, not '" + std::string(value) + "'");
                (id == Opt::From ? inv.from : inv.to) = *address;
                break;
            }
            case Opt::Serial:
                inv.serial = wholeNumber(value, 0, std::numeric_limits<int>::max());
                if (!inv.serial) fail("--serial takes a whole number from 0, not '" + std::string(value) + "'");
                break;
            case Opt::Model:
                inv.model = std::string(value);
                break;
            case Opt::Since:
                inv.since = parseSince(value);
                if (!inv.since) fail("--since takes a date (2025-03-01) or an ISO 8601 time, not '" + std::string(value) + "'");
                break;
            case Opt::Db:
                inv.database = std::string(value);
                if (inv.database.empty()) fail("--db needs a file name or a postgresql:// URL");
                break;
            case Opt::Fast:
                inv.line.fast = true;
                break;
            case Opt::Sensor:
                inv.sensor = std::string(value);
                if (inv.sensor.empty()) fail("--sensor needs a sensor id");
                break;
            case Opt::Celsius:
                number(inv.celsius, "--celsius", value);
                break;
            case Opt::Ohm:
                number(inv.ohm, "--ohm", value);
                break;
            case Opt::Mv:
                number(inv.mv, "--mv", value);
                break;
            case Opt::ColdJunction:
                number(inv.coldJunction, "--cold-junction", value);
                break;
            case Opt::Due:
                inv.dueDays = value.empty() ? DefaultDueDays : wholeNumber(value, 0, MostDueDays);
                if (!inv.dueDays) fail("--due takes 0.." + std::to_string(MostDueDays) + " days, not '" + std::string(value) + "'");
                break;
            case Opt::Technician:
            case Opt::Customer:
            case Opt::Tag:
            case Opt::Ambient:
            case Opt::Humidity:
            case Opt::Instrument:
            case Opt::Meter:
            case Opt::Points:
            case Opt::Tolerance:
            case Opt::ToleranceUnit:
            case Opt::OutputTolerance:
            case Opt::Interval:
                // The procedure judges these as it judges what is typed into its window.
                inv.fields[id] = std::string(value);
                break;
            case Opt::Verify:
                inv.verify = std::string(value);
                if (inv.verify.empty()) fail("--verify needs the certificate's PDF file");
                break;
            case Opt::CertificateNumber:
                inv.certificate = std::string(value);
                if (inv.certificate.empty()) fail("--certificate needs the certificate's number");
                break;
            case Opt::HandOver:
                inv.handOver = std::string(value);
                if (inv.handOver.empty()) fail("--hand-over needs a file name, a postgresql:// URL or unknown");
                break;
        }
    }

    void number(std::optional<double>& field, std::string_view name, std::string_view value) {
        field = realNumber(value);
        if (!field) fail(std::string(name) + " takes a number such as 21.5, not '" + std::string(value) + "'");
    }

    void fail(std::string message) {
        if (result_.error.empty()) result_.error = std::move(message);
    }

    std::span<const std::string_view> args_;
    std::span<const Opt> accepted_;
    std::size_t pos_ = 0;
    std::map<Opt, bool> given_;
    ParsedInvocation result_;
};

}  // namespace

ParsedInvocation parseInvocation(std::span<const std::string_view> args,
                                 std::span<const Opt> accepted, std::size_t operandCount) {
    return Parser(args, accepted).run(operandCount);
}

namespace {

constexpr std::size_t HelpIndent = 22;
constexpr std::size_t HelpWidth = 79;

// One option's help, its text wrapped at word boundaries under the text's first column.
std::string helpEntry(std::string head, std::string_view help) {
    head.resize(std::max(head.size() + 2, HelpIndent), ' ');
    std::string text = head;
    std::size_t column = head.size();
    while (!help.empty()) {
        const std::size_t space = help.find(' ');
        const std::string_view word = help.substr(0, space);
        help = space == std::string_view::npos ? std::string_view{} : help.substr(space + 1);
        if (column > HelpIndent && column + 1 + word.size() > HelpWidth) {
            text += "\n" + std::string(HelpIndent, ' ');
            column = HelpIndent;
        } else if (column > head.size()) {
            text += ' ';
            ++column;
        }
        text += word;
        column += word.size();
    }
    return text + "\n";
}

}  // namespace

std::string optionHelp(std::span<const Opt> accepted) {
    std::string text;
    for (Opt id : accepted) {
        const OptionInfo& o = infoOf(id);
        std::string head = "  " + std::string(o.name);
        if (!o.value.empty()) head += " " + std::string(o.value);
        text += helpEntry(std::move(head), o.help);
    }
    return text + helpEntry("  --help, -h", "this text");
}

std::string optionSynopsis(std::span<const Opt> accepted) {
    std::string text;
    for (Opt id : accepted) {
        // The line options nest: --baud and --parity belong inside the --rs485 bracket.
        if (id == Opt::Rs485 && std::find(accepted.begin(), accepted.end(), Opt::Parity) == accepted.end())
            text += " [--rs485]";
        else
            text += " " + std::string(infoOf(id).synopsis);
    }
    return text;
}

}  // namespace doxa::cli
