#include "cli/cli_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

#include "link/screen_text.h"
#include "history/history_store.h"
#include "settings/shown_language.h"
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
     UI_TEXT("COM1..COM12 (przypisane jak w ustawieniach doxa-win), ścieżka urządzenia, np. "
             "/dev/ttyUSB0, sim:MODEL dla symulowanego przetwornika (DOXA-22, RIVO-22, SAWE-01, "
             "SAWE-01-RTD, DOXA-21-R, RIVO-21-R, DOXA-21-U, RIVO-21-U) albo nazwa z "
             "/dev/serial/by-id lub jej część, której nie ma żadna inna, np. FTDI_A1B2 (zob. "
             "doxa-cli ports)")},
    {Opt::Rs485, "--rs485", "", "[--rs485",
     UI_TEXT("MODBUS RTU na linii RS485 (bez tej opcji: HART, 1200 bodów, parzystość nieparzysta)")},
    {Opt::Baud, "--baud", "N", "[--baud N]",
     UI_TEXT("prędkość RS485: 1200, 4800, 9600, 19200 lub 38400 (domyślnie 1200)")},
    {Opt::Parity, "--parity", "odd|none", "[--parity odd|none]]",
     UI_TEXT("parzystość RS485 (domyślnie odd)")},
    {Opt::Address, "--address", "N", "[--address N]",
     UI_TEXT("adres odpytywania (HART) lub adres podrzędny (MODBUS), 0..127 (domyślnie 0)")},
    {Opt::Timeout, "--timeout", "S", "[--timeout S]",
     UI_TEXT("rezygnacja, gdy przetwornik nie odpowie w ciągu S sekund (domyślnie 15)")},
    {Opt::Json, "--json", "", "[--json]",
     UI_TEXT("wynik w JSON: jeden obiekt z polami (identify), jeden obiekt na cykl, po jednym w "
             "wierszu (watch), jedna tablica rekordów (history), urządzeń (ports) lub przyrządów "
             "wzorcowych (instruments), temperatura i wielkość czujnika (convert)")},
    {Opt::Count, "--count", "N", "[--count N]",
     UI_TEXT("zakończenie po N cyklach (domyślnie: do Ctrl-C)")},
    {Opt::Csv, "--csv", "", "[--csv]", UI_TEXT("wartości rozdzielone przecinkami, z wierszem nagłówka")},
    {Opt::Output, "--output", "FILE", "-o FILE",
     UI_TEXT("zapisywany plik konfiguracji (\"*.prg\", jak \"Zachowaj jako...\" w doxa-win); -o "
             "FILE działa tak samo")},
    {Opt::DryRun, "--dry-run", "", "[--dry-run]",
     UI_TEXT("odczyt przetwornika i wypisanie, co plik by zmienił (pole: stare → nowe); nic nie "
             "jest zapisywane")},
    {Opt::AnyModel, "--any-model", "", "[--any-model]",
     UI_TEXT("zapis pliku także wtedy, gdy odczytano go z innego modelu niż model przetwornika")},
    {Opt::From, "--from", "N", "[--from N]",
     UI_TEXT("pierwszy odpytywany adres, 0..127 (domyślnie 0)")},
    {Opt::To, "--to", "N", "[--to N]",
     UI_TEXT("ostatni odpytywany adres, 0..127 (domyślnie 15 w HART, 32 w RS485)")},
    {Opt::Serial, "--serial", "N", "[--serial N]",
     UI_TEXT("tylko rekordy przetwornika o tym numerze seryjnym")},
    {Opt::Model, "--model", "M", "[--model M]",
     UI_TEXT("tylko rekordy tego modelu (DOXA-22, RIVO-22, ...)")},
    {Opt::Since, "--since", "DATE", "[--since DATE]",
     UI_TEXT("tylko rekordy od tego dnia (2025-03-01, czas lokalny) lub od tej chwili (ISO 8601)")},
    {Opt::Db, "--db", "PATH|URL", "[--db PATH|URL]",
     UI_TEXT("historia serwisowa: plik SQLite albo serwer PostgreSQL jako "
             "postgresql://user@host:port/dbname (domyślnie: [Baza] URL z ustawień doxa-win, w "
             "przeciwnym razie $XDG_DATA_HOME/doxa-win/history.sqlite)")},
    {Opt::Fast, "--fast", "", "[--fast]",
     UI_TEXT("szybka wymiana: te same zapytania, ale każda odpowiedź jest odczytywana, gdy tylko "
             "nadejdzie cała i sprawdzona, a następne zapytanie idzie po przerwie właściwej linii; "
             "milczący lub powolny przetwornik dostaje zwykłe czasy oczekiwania (przed użyciem "
             "zob. README)")},
    {Opt::HandOver, "--hand-over", "FROM", "[--hand-over FROM]",
     UI_TEXT("bez listy; przekazanie rekordów czekających w pliku lokalnym na bazę FROM (ścieżka "
             "lub URL jak w --db; unknown: pozostawione przez program, który nie prowadził bazy) "
             "do bazy z --db")},
    {Opt::Due, "--due", "[DAYS]", "[--due [DAYS]]",
     UI_TEXT("lista przetworników, których termin kalibracji mija w ciągu DAYS dni (domyślnie "
             "30) lub już minął: ostatnia zakończona kalibracja plus wybrany w niej interwał")},
    {Opt::Verify, "--verify", "FILE.pdf", "[--verify FILE.pdf]",
     UI_TEXT("bez listy; sprawdzenie kodu weryfikacyjnego PDF świadectwa kalibracji ze "
             "zdarzeniem zapisanym w bazie z --db (zgodny: status 0; niezgodny lub brak: status "
             "2)")},
    {Opt::CertificateNumber, "--certificate", "NUMBER", "[--certificate NUMBER]",
     UI_TEXT("bez listy; sprawdzenie świadectwa o tym numerze (ŚK/2026/000123) tak, jak --verify "
             "sprawdza PDF")},
    {Opt::Sensor, "--sensor", "ID", "--sensor ID",
     UI_TEXT("charakterystyka czujnika: pt100-385, pt100-391, ni100-617, ni100-618, cu100-426, "
             "cu100-428, cu50-426, cu50-428 (termometry rezystancyjne) lub k, j, s, b, n, t "
             "(termopary)")},
    {Opt::Celsius, "--celsius", "T", "(--celsius T", UI_TEXT("przeliczana temperatura w °C")},
    {Opt::Ohm, "--ohm", "R", "| --ohm R",
     UI_TEXT("przeliczana rezystancja w Ohm (termometr rezystancyjny)")},
    {Opt::Mv, "--mv", "U", "| --mv U)",
     UI_TEXT("przeliczane napięcie termoelektryczne w mV (termopara)")},
    {Opt::ColdJunction, "--cold-junction", "T", "[--cold-junction T]",
     UI_TEXT("temperatura zimnych końców termopary w °C (domyślnie 0)")},
    {Opt::Technician, "--technician", "NAME", "[--technician NAME]",
     UI_TEXT("imię i nazwisko technika (domyślnie: [Kalibracja] Technik z ustawień doxa-win)")},
    {Opt::Customer, "--customer", "TEXT", "[--customer TEXT]", UI_TEXT("klient lub zakład")},
    {Opt::Tag, "--tag", "TEXT", "[--tag TEXT]", UI_TEXT("oznaczenie (tag) przetwornika")},
    {Opt::Ambient, "--ambient", "T", "[--ambient T]",
     UI_TEXT("temperatura otoczenia, °C (pytanie, gdy nie podano)")},
    {Opt::Humidity, "--humidity", "RH", "[--humidity RH]",
     UI_TEXT("wilgotność względna, % (pytanie, gdy nie podano)")},
    {Opt::Instrument, "--instrument", "ID", "[--instrument ID]",
     UI_TEXT("przyrząd wzorcowy wejścia: jego id lub numer seryjny w rejestrze (pytanie, gdy nie "
             "podano)")},
    {Opt::Meter, "--meter", "ID", "[--meter ID]",
     UI_TEXT("przyrząd odczytujący wyjście, jak --instrument")},
    {Opt::Points, "--points", "LIST", "[--points LIST]",
     UI_TEXT("punkty pomiarowe w % zakresu, od 2 do 11, rozdzielone ';' (domyślnie \"0; 25; 50; "
             "75; 100\")")},
    {Opt::Tolerance, "--tolerance", "X", "[--tolerance X]",
     UI_TEXT("tolerancja wejścia (domyślnie: tolerancje z ustawień doxa-win)")},
    {Opt::ToleranceUnit, "--tolerance-unit", "UNIT", "[--tolerance-unit UNIT]",
     UI_TEXT("jednostka --tolerance: °C albo jednostka, w której podawany jest wzorzec (Ohm, mV)")},
    {Opt::OutputTolerance, "--output-tolerance", "MA", "[--output-tolerance MA]",
     UI_TEXT("tolerancja wyjścia, mA")},
    {Opt::Interval, "--interval", "MONTHS", "[--interval MONTHS]",
     UI_TEXT("interwał kalibracji (domyślnie: [Kalibracja] InterwalMiesiecy, w przeciwnym razie 12)")},
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
            fail(inv.operands.size() < operandCount ? UI_TEXT("brak argumentu")
                                                     : formatText(UI_TEXT("nadmiarowy argument '%1'"), {inv.operands.back()}));
        else if (accepts(Opt::Port) && inv.line.port.empty())
            fail(UI_TEXT("wymagane jest --port"));
        else if ((given_[Opt::Baud] || given_[Opt::Parity]) && !inv.line.rs485)
            fail(UI_TEXT("--baud i --parity dotyczą --rs485 (HART pracuje z prędkością 1200 bodów, parzystość nieparzysta)"));
        else if (inv.json && inv.csv)
            fail(UI_TEXT("--json i --csv wykluczają się wzajemnie"));
        else if (accepts(Opt::Output) && inv.output.empty())
            fail(UI_TEXT("wymagane jest -o FILE"));
        else if (inv.from && inv.to && *inv.from > *inv.to)
            fail(UI_TEXT("--from nie może być większe niż --to"));
        else if (given_[Opt::HandOver] && (inv.serial || !inv.model.empty() || inv.since || inv.json || inv.csv))
            fail(UI_TEXT("--hand-over niczego nie wypisuje: nie przyjmuje --serial, --model, --since, --json ani --csv"));
        else if (inv.dueDays && (inv.since || inv.csv || given_[Opt::HandOver]))
            fail(UI_TEXT("--due wypisuje przetworniki: nie przyjmuje --since, --csv ani --hand-over"));
        else if (given_[Opt::Verify] && given_[Opt::CertificateNumber])
            fail(UI_TEXT("--verify i --certificate sprawdzają jedno świadectwo: podaj jedno z nich"));
        else if ((given_[Opt::Verify] || given_[Opt::CertificateNumber]) && (given_[Opt::HandOver] || inv.serial || !inv.model.empty() || inv.since ||
                                         inv.json || inv.csv))
            fail(UI_TEXT("--verify i --certificate niczego nie wypisują: nie przyjmują --hand-over, --serial, --model, --since, --json ani --csv"));
        else if (accepts(Opt::Sensor))
            convertProblem();
        return result_;
    }

private:
    void convertProblem() {
        const Invocation& inv = result_.invocation;
        const int quantities = (inv.celsius ? 1 : 0) + (inv.ohm ? 1 : 0) + (inv.mv ? 1 : 0);
        if (inv.sensor.empty())
            fail(UI_TEXT("wymagane jest --sensor"));
        else if (quantities != 1)
            fail(UI_TEXT("podaj jedno z --celsius, --ohm i --mv"));
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
        if (option == Options.end()) return fail(formatText(UI_TEXT("nieznana opcja %1"), {name}));
        std::optional<std::string_view> value;
        if (name.size() < arg.size()) {
            if (option->value.empty()) return fail(formatText(UI_TEXT("%1 nie przyjmuje wartości"), {name}));
            value = arg.substr(name.size() + 1);
        } else if (option->value.starts_with('[')) {
            // A value of its own may follow, or the next option.
            if (pos_ < args_.size() && !args_[pos_].starts_with("-")) value = args_[pos_++];
        } else if (!option->value.empty()) {
            if (pos_ >= args_.size()) return fail(formatText(UI_TEXT("%1 wymaga wartości (%2)"), {name, option->value}));
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
                if (inv.line.port.empty()) fail(UI_TEXT("--port wymaga nazwy portu"));
                break;
            case Opt::Rs485:
                inv.line.rs485 = true;
                break;
            case Opt::Baud: {
                const auto baud = wholeNumber(value, 1, 1'000'000);
                const auto it = std::find(BaudRates.begin(), BaudRates.end(), baud.value_or(0));
                if (it == BaudRates.end()) return fail(formatText(UI_TEXT("--baud przyjmuje 1200, 4800, 9600, 19200 lub 38400, a nie '%1'"), {value}));
                inv.line.baudIndex = static_cast<int>(it - BaudRates.begin());
                break;
            }
            case Opt::Parity:
                if (value != "odd" && value != "none") return fail(formatText(UI_TEXT("--parity przyjmuje odd lub none, a nie '%1'"), {value}));
                inv.line.parityOff = value == "none" ? 1 : 0;
                break;
            case Opt::Address: {
                // The dialogs turn a bad address into 0; a script is told instead.
                const auto address = parsePollingAddress(value);
                if (!address) return fail(formatText(UI_TEXT("%1 przyjmuje 0..127, a nie '%2'"), {"--address", value}));
                inv.line.pollingAddress = *address;
                break;
            }
            case Opt::Timeout: {
                const auto seconds = wholeNumber(value, 1, 86400);
                if (!seconds) return fail(formatText(UI_TEXT("--timeout przyjmuje 1..86400 sekund, a nie '%1'"), {value}));
                inv.timeoutSeconds = *seconds;
                break;
            }
            case Opt::Json:
                inv.json = true;
                break;
            case Opt::Count: {
                const auto count = wholeNumber(value, 1, 1'000'000'000);
                if (!count) return fail(formatText(UI_TEXT("--count przyjmuje liczbę całkowitą od 1, a nie '%1'"), {value}));
                inv.count = *count;
                break;
            }
            case Opt::Csv:
                inv.csv = true;
                break;
            case Opt::Output:
                inv.output = std::string(value);
                if (inv.output.empty()) fail(UI_TEXT("-o wymaga nazwy pliku"));
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
                if (!address) return fail(formatText(UI_TEXT("%1 przyjmuje 0..127, a nie '%2'"), {name, value}));
                (id == Opt::From ? inv.from : inv.to) = *address;
                break;
            }
            case Opt::Serial:
                inv.serial = wholeNumber(value, 0, std::numeric_limits<int>::max());
                if (!inv.serial) fail(formatText(UI_TEXT("--serial przyjmuje liczbę całkowitą od 0, a nie '%1'"), {value}));
                break;
            case Opt::Model:
                inv.model = std::string(value);
                break;
            case Opt::Since:
                inv.since = parseSince(value);
                if (!inv.since) fail(formatText(UI_TEXT("--since przyjmuje datę (2025-03-01) lub czas ISO 8601, a nie '%1'"), {value}));
                break;
            case Opt::Db:
                inv.database = std::string(value);
                if (inv.database.empty()) fail(UI_TEXT("--db wymaga nazwy pliku lub URL postgresql://"));
                break;
            case Opt::Fast:
                inv.line.fast = true;
                break;
            case Opt::Sensor:
                inv.sensor = std::string(value);
                if (inv.sensor.empty()) fail(UI_TEXT("--sensor wymaga identyfikatora czujnika"));
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
                if (!inv.dueDays) fail(formatText(UI_TEXT("--due przyjmuje 0..%1 dni, a nie '%2'"), {std::to_string(MostDueDays), value}));
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
                if (inv.verify.empty()) fail(UI_TEXT("--verify wymaga pliku PDF świadectwa"));
                break;
            case Opt::CertificateNumber:
                inv.certificate = std::string(value);
                if (inv.certificate.empty()) fail(UI_TEXT("--certificate wymaga numeru świadectwa"));
                break;
            case Opt::HandOver:
                inv.handOver = std::string(value);
                if (inv.handOver.empty()) fail(UI_TEXT("--hand-over wymaga nazwy pliku, URL postgresql:// lub unknown"));
                break;
        }
    }

    void number(std::optional<double>& field, std::string_view name, std::string_view value) {
        field = realNumber(value);
        if (!field) fail(formatText(UI_TEXT("%1 przyjmuje liczbę, np. 21.5, a nie '%2'"), {name, value}));
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
        text += helpEntry(std::move(head), shownText(o.help));
    }
    return text + helpEntry("  --help, -h", shownText(UI_TEXT("ten tekst")));
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
