#include "cli/commands.h"

#include <algorithm>
#include <array>

#include "cli/exit_codes.h"

namespace doxa::cli {

namespace {

constexpr std::array IdentifyOptions{Opt::Port, Opt::Rs485, Opt::Baud, Opt::Parity,
                                     Opt::Address, Opt::Timeout, Opt::Json, Opt::Fast, Opt::Db};
constexpr std::array WatchOptions{Opt::Port, Opt::Rs485, Opt::Baud, Opt::Parity,
                                  Opt::Address, Opt::Timeout, Opt::Count, Opt::Csv, Opt::Json, Opt::Fast, Opt::Db};

constexpr std::array ReadOptions{Opt::Port, Opt::Rs485, Opt::Baud, Opt::Parity,
                                 Opt::Address, Opt::Timeout, Opt::Output, Opt::Fast, Opt::Db};
constexpr std::array WriteOptions{Opt::Port, Opt::Rs485, Opt::Baud, Opt::Parity,
                                  Opt::Address, Opt::Timeout, Opt::DryRun, Opt::AnyModel, Opt::Fast, Opt::Db};
constexpr std::array FinderOptions{Opt::Port, Opt::Rs485, Opt::From, Opt::To, Opt::Fast, Opt::Db};
constexpr std::array HistoryOptions{Opt::Serial, Opt::Model, Opt::Since, Opt::Json, Opt::Csv, Opt::Db,
                                    Opt::HandOver, Opt::Due, Opt::Verify,
                                    Opt::CertificateNumber};
constexpr std::array PortsOptions{Opt::Json};
constexpr std::array InstrumentsOptions{Opt::Json, Opt::Db};
constexpr std::array ConvertOptions{Opt::Sensor, Opt::Celsius, Opt::Ohm, Opt::Mv, Opt::ColdJunction, Opt::Json};

constexpr std::array CalibrateOptions{Opt::Port, Opt::Rs485, Opt::Baud, Opt::Parity, Opt::Address, Opt::Timeout,
                                      Opt::Fast, Opt::Db, Opt::Technician, Opt::Customer, Opt::Tag, Opt::Ambient,
                                      Opt::Humidity, Opt::Instrument, Opt::Meter, Opt::Points, Opt::Tolerance,
                                      Opt::ToleranceUnit, Opt::OutputTolerance, Opt::Interval};

constexpr std::array<Command, 10> Commands{{
    {"identify", "identify the transmitter and read its configuration", "", 0, IdentifyOptions,
     "Runs the identification of doxa-win (\"Inicjalizacja\") and prints its fields: model,\n"
     "serial number, sensor, output, break signalling, range, threshold and filter. When the\n"
     "transmitter reports a malfunction, a sensor break or its PV out of limits (HART only),\n"
     "a line \"Status:\" names them as doxa-win's status panel does, --json gives them as codes\n"
     "under \"status\" (malfunction, sensor_break, pv_out_of_limits), and the exit status is 5.\n"
     "--json gives each field as the dialog shows it and, for scripts, under a snake_case key:\n"
     "numbers with their units apart, ids for texts, null for what was not read (man doxa-cli).\n",
     runIdentify, nullptr},
    {"watch", "show the live values, one line per cycle", "", 0, WatchOptions,
     "Runs the live display of doxa-win (\"Wyświetlanie\"): identifies the transmitter, then\n"
     "prints the primary value, the output and the ambient temperature once per cycle. A value\n"
     "that did not arrive in a cycle, or came as no number, is printed as '-' (empty in CSV, null\n"
     "in JSON). A malfunction, a sensor break or a PV out of limits the transmitter reports\n"
     "(HART only) follows as doxa-win's status panel shows it; --csv adds the column status and\n"
     "--json (one object per cycle, one per line) the array status, with the codes malfunction,\n"
     "sensor_break and pv_out_of_limits (';'-joined in CSV). The exit status is 1 when a cycle\n"
     "went without a primary value, else 5 when a cycle carried one of these codes.\n",
     runWatch, nullptr},
    {"read", "identify the transmitter and save its configuration to a file", "", 0, ReadOptions,
     "Identifies the transmitter as 'identify' does and saves its configuration as a \"*.prg\"\n"
     "file, the same bytes doxa-win's \"Zachowaj jako...\" writes after \"Inicjalizacja\". The file\n"
     "is written beside the old one and replaces it only when complete.\n",
     runRead, nullptr},
    {"write", "program a configuration file into the transmitter", "FILE.prg", 1, WriteOptions,
     "Identifies the transmitter, loads the file and runs doxa-win's \"Programowanie\" on it: the\n"
     "dialog identifies the transmitter once more, then \"Wyślij\" writes range, sensor, filter\n"
     "and threshold and checks each answer. It ends with the dialog's outcome: \"Dane zostały\n"
     "zapisane\" (status 0) or \"Dane nie zostały zapisane prawidłowo\" (status 3). The\n"
     "transmitter is the one at --address, whatever address the file was read at; the user\n"
     "characteristic table is not written (\"Tabela\" in doxa-win does that). A file that cannot\n"
     "be read gives status 2 before the line is used, and so does a file read from another\n"
     "model than the transmitter (unless --any-model).\n",
     runWrite, nullptr},
    {"finder", "search the line for transmitters that answer", "", 0, FinderOptions,
     "Runs doxa-win's \"Szukaj przetwornika\": asks for the identity at every address of the range,\n"
     "in HART on the modem's line, with --rs485 at every speed (1200..38400 baud) and both\n"
     "parities. Prints one line for each transmitter that answered; the status is 1 when none\n"
     "did, with what the line carried instead on standard error.\n",
     runFinder, nullptr},
    {"history", "list the service history of the transmitters", "", 0, HistoryOptions,
     "Lists what doxa-win and doxa-cli did to transmitters, newest first: the time (local), the\n"
     "model, the serial number, what was done, its outcome, the values as found and as left and\n"
     "the reference values typed. With --json: one array of records, each an object with time\n"
     "(UTC, ISO 8601), user, kind, outcome, model, serial, address, mode, line, backup_file,\n"
     "as_found, as_left, reference (these three objects of named numbers or texts) and device\n"
     "(the device path, by-id name or sim:MODEL the port was opened on; line stays the COM\n"
     "definition). With --csv: the same fields, the values as JSON objects. A history that\n"
     "cannot be read gives status 2.\n"
     "Records still waiting in the local file for their database are listed too, with that\n"
     "database in waiting_for (JSON: null for a record in its database, \"\" when unknown; CSV:\n"
     "unknown; the table: [czeka na: ...]); a run delivers only those meant for its own\n"
     "database. --hand-over FROM delivers those meant for FROM to the database of --db instead\n"
     "and prints how many (status 0; 2 when either database failed, nothing then leaves the\n"
     "local file).\n"
     "--due [DAYS] lists instead the transmitters whose calibration is due within DAYS days\n"
     "(default 30) or overdue, the earliest first: the end of the latest calibration that ran\n"
     "to its end plus the interval chosen in it ([Kalibracja] InterwalMiesiecy of doxa-win's\n"
     "settings, 12 months, when it names none), \"po terminie\" when overdue. With --json: one\n"
     "array of objects with model, serial, event, calibrated (UTC), interval_months, due\n"
     "(YYYY-MM-DD) and overdue.\n"
     "--verify FILE.pdf reads the event id and verification code a calibration certificate's PDF\n"
     "carries in its XMP metadata, computes the code again from the event's records in the\n"
     "database and prints \"zgodny\" (status 0) or \"niezgodny\" (status 2); a file without the\n"
     "code or an event the database does not hold gives status 2 with the reason.\n"
     "--certificate NUMBER checks the certificate the history numbered so (ŚK/2026/000123) the\n"
     "same way: its event's records against the code it was printed with.\n",
     nullptr, runHistory},
    {"ports", "list the serial devices present", "", 0, PortsOptions,
     "Lists the serial devices of this computer: USB adapters under their /dev/serial/by-id\n"
     "names (with maker, product and serial number), the built-in ports that really exist and\n"
     "/dev/ttyUSB*, /dev/ttyACM* without such a name, each with whether you may open it. A by-id\n"
     "name, or a part of it that no other by-id name holds, is a --port of every command; in\n"
     "\"Ustawienia\" → \"Port\" of doxa-win it maps a COM name to the adapter in any USB socket.\n"
     "With --json: one array of objects with path, by_id, tty, maker, product, serial,\n"
     "accessible and hint. Nothing is opened to list a device.\n",
     nullptr, runPorts},
    {"convert", "convert between a sensor's temperature and its Ohm or mV", "", 0, ConvertOptions,
     "Converts a temperature into what the sensor gives (--celsius: Ohm or mV) or back (--ohm,\n"
     "--mv), by the standard curves: platinum by Callendar-Van Dusen (IEC 60751 for\n"
     "pt100-385, GOST 6651 for pt100-391), nickel by GOST 6651 (ni100-617) and DIN 43760\n"
     "(ni100-618), copper by GOST 6651, thermocouples by the ITS-90 reference functions\n"
     "(IEC 60584-1). A thermocouple's voltage is the one measured against its cold junction at\n"
     "--cold-junction (0 °C unless given). With --json: {\"celsius\": ..., \"ohm\": ...} or\n"
     "{\"celsius\": ..., \"mv\": ...}. A value outside the curve's valid range is not converted:\n"
     "the range is printed on standard error and the status is 2 (type b is read back from\n"
     "250 °C only). Nothing is opened.\n",
     nullptr, runConvert},
    {"instruments", "list the register of reference instruments", "", 0, InstrumentsOptions,
     "Lists the reference instruments of the register doxa-win edits in \"Ustawienia\" →\n"
     "\"Przyrządy wzorcowe...\" (retired ones left out): name, model, serial number, the number\n"
     "and due date of its own calibration certificate, its uncertainties. The register is kept\n"
     "in the database of the service history (--db, else [Baza] URL); while a server is out of\n"
     "reach the copy in the local file is listed and standard error says so. With --json: one\n"
     "array of objects with id, name, model, serial, certificate, due (YYYY-MM-DD) and\n"
     "uncertainties (objects with value, unit, k and, for a part of the range, from and to).\n"
     "A register that cannot be read gives status 2.\n",
     nullptr, runInstruments},
    {"calibrate", "calibrate the transmitter as found, point by point", "", 0, CalibrateOptions,
     "Identifies the transmitter and runs doxa-win's \"Procedura kalibracji\": the conditions are\n"
     "recorded, then each test point as found. For an input point the value to set at the\n"
     "reference is printed and the value actually applied is read from standard input; the\n"
     "transmitter's reading is taken five times and the mean judged. For an output point the\n"
     "output is forced to the point and the meter's reading is read from standard input. The\n"
     "output is released at the end however the run ends. Every question goes to standard error\n"
     "and takes one line of standard input, so a script can feed the answers (a here-document).\n"
     "The technician (when the settings name none), the ambient temperature, the humidity and the\n"
     "instrument are asked for first when not given. Before the procedure, standard error reminds\n"
     "to take the control loop out of automatic control, unless doxa-win's settings switch it off.\n"
     "The run ends without an adjustment (adjust in doxa-win's calibration dialogs). Standard\n"
     "output gets one line per point with its error and verdict, the event's id and how the run\n"
     "ended. Every record is in the service history as it is made; a run cut short is recorded as\n"
     "interrupted. Status 2 for conditions the procedure refuses (an expired instrument among them)\n"
     "or standard input that ends early, 3 when the transmitter refused to drive its output, 1 when\n"
     "it stopped answering; points outside their tolerance are told, not a failure of the run.\n",
     runCalibrate, nullptr},
}};

struct ExitCodeInfo {
    ExitCode code;
    std::string_view meaning;
};
constexpr std::array<ExitCodeInfo, 8> ExitCodes{{
    {ExitOk, "success"},
    {ExitNoAnswer, "no answer: the transmitter did not answer in time"},
    {ExitBadInput, "bad input: unknown option, bad value or address, unusable file"},
    {ExitNotConfirmed, "not confirmed: the transmitter did not confirm what was written"},
    {ExitPortFailed, "the port could not be opened"},
    {ExitDeviceStatus, "device status: the transmitter reported a malfunction, a sensor\n"
                       "        break or its PV out of limits (1 wins when a value was missing)"},
    {ExitRecordNotKept, "a service record could not be kept (printed on standard error as JSON)"},
    {ExitInterrupted, "interrupted by Ctrl-C or SIGTERM (the line was released; a service\n"
                      "        record on its way waits in the local file)"},
}};

std::string exitStatusHelp() {
    std::string text = "Exit status:\n";
    for (const ExitCodeInfo& e : ExitCodes) {
        std::string code = "  " + std::to_string(e.code);
        code.resize(8, ' ');
        text += code + std::string(e.meaning) + "\n";
    }
    return text;
}

}  // namespace

std::span<const Command> commands() { return Commands; }

const Command* findCommand(std::string_view name) {
    const auto it = std::find_if(Commands.begin(), Commands.end(),
                                 [name](const Command& c) { return c.name == name; });
    return it == Commands.end() ? nullptr : &*it;
}

std::string programHelp() {
    std::string text =
        "Usage: doxa-cli COMMAND --port PORT [OPTION]...\n"
        "       doxa-cli history [OPTION]...\n"
        "       doxa-cli ports [--json]\n"
        "       doxa-cli convert --sensor ID (--celsius T | --ohm R | --mv U) [--cold-junction T] [--json]\n"
        "       doxa-cli calibrate --port PORT [OPTION]... <typed values\n"
        "       doxa-cli [COMMAND] --help\n"
        "       doxa-cli --version\n"
        "Talks to one DOXA/RIVO/SAWE temperature transmitter with the same exchanges as doxa-win.\n"
        "\n"
        "Commands:\n";
    for (const Command& c : Commands) {
        std::string name = "  " + std::string(c.name);
        name.resize(13, ' ');
        text += name + std::string(c.summary) + "\n";
    }
    return text +
           "\n"
           "identify, read, write, watch and finder take --fast: the same requests, each answer\n"
           "read as soon as it is whole, the next request after the line's own gap.\n"
           "Run 'doxa-cli COMMAND --help' for the options of a command, 'man doxa-cli' for more.\n"
           "\n" +
           exitStatusHelp();
}

std::string commandHelp(const Command& command) {
    std::string usage = "Usage: doxa-cli " + std::string(command.name) + optionSynopsis(command.options);
    if (!command.operands.empty()) usage += " " + std::string(command.operands);
    return usage + "\n" + std::string(command.description) + "\nOptions:\n" +
           optionHelp(command.options) + "\n" + exitStatusHelp();
}

}  // namespace doxa::cli
