#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace doxa::cli {

// Every option a subcommand may take; each subcommand names the ones it accepts.
enum class Opt { Port, Rs485, Baud, Parity, Address, Timeout, Json, Count, Csv, Output, DryRun, AnyModel, From, To,
                 Serial, Model, Since, Db, Fast,
                 HandOver, Due, Verify, CertificateNumber,
                 Sensor, Celsius, Ohm, Mv, ColdJunction,
                 Technician, Customer, Tag, Ambient, Humidity, Instrument, Meter, Points, Tolerance,
                 ToleranceUnit, OutputTolerance, Interval };

// The line to one transmitter, as the command line gives it.
struct LineChoice {
    std::string port;  // "COM3", a device path, "sim:MODEL" or a part of a by-id name
    bool rs485 = false;
    int baudIndex = 0;  // 0..4 = 1200 .. 38400 baud
    int parityOff = 0;
    int pollingAddress = 0;
    // Answer waits end at the first whole answer, the line's gaps pace the requests (--fast).
    bool fast = false;
};

struct Invocation {
    LineChoice line;
    int timeoutSeconds = 15;
    bool json = false;
    bool csv = false;
    std::optional<int> count;
    std::string output;  // the file `read` saves
    bool dryRun = false;
    bool anyModel = false;  // write a file read from another model
    // The finder's address range; the finder's own default when not given.
    std::optional<int> from, to;
    // Which records of the service history to list; the history file when not the default.
    std::optional<int> serial;
    std::string model;
    std::optional<std::chrono::sys_seconds> since;
    std::string database;
    // The database whose waiting records `history` delivers to --db instead of listing.
    std::string handOver;
    // `history` lists the transmitters whose calibration is due within this many days, or overdue.
    std::optional<int> dueDays;
    // history --verify: the certificate's PDF whose verification code is checked.
    std::string verify;
    // history --certificate: the number of the certificate checked the same way.
    std::string certificate;
    // What `convert` converts: the sensor's curve and one of its quantities.
    std::string sensor;
    std::optional<double> celsius, ohm, mv;
    std::optional<double> coldJunction;
    // What `calibrate` puts into the procedure's fields, as typed there.
    std::map<Opt, std::string> fields;
    std::vector<std::string> operands;
    bool help = false;
};

struct ParsedInvocation {
    Invocation invocation;
    std::string error;  // empty when the command line was understood
};

// `args` are what follows the subcommand's name; options not in `accepted` are refused. A port
// is required unless help was asked for.
ParsedInvocation parseInvocation(std::span<const std::string_view> args,
                                 std::span<const Opt> accepted, std::size_t operandCount);

// The --help lines of the options, aligned.
std::string optionHelp(std::span<const Opt> accepted);
// "[--rs485 [--baud N] [--parity odd|none]]" and so on, for the usage line.
std::string optionSynopsis(std::span<const Opt> accepted);

}  // namespace doxa::cli
