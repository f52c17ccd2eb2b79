#include "cli/commands.h"

#include <algorithm>
#include <array>

#include "cli/exit_codes.h"
#include "link/screen_text.h"
#include "settings/shown_language.h"

namespace doxa::cli {

namespace {

// Wide enough for the longest command's name and a gap.
constexpr std::size_t CommandColumn = 16;

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
    {"identify", UI_TEXT("identyfikacja przetwornika i odczyt jego konfiguracji"), "", 0, IdentifyOptions,
     UI_TEXT("Wykonuje identyfikację z doxa-win (\"Inicjalizacja\") i wypisuje jej pola: model,\n"
             "numer seryjny, czujnik, wyjście, sygnalizację przerwy, zakres, próg i filtrację. Gdy\n"
             "przetwornik zgłasza awarię, przerwę czujnika lub PV poza granicami (tylko HART), wiersz\n"
             "\"Status:\" podaje je tak jak panel stanu doxa-win, --json podaje je jako kody w \"status\"\n"
             "(malfunction, sensor_break, pv_out_of_limits), a status wyjścia wynosi 5.\n"
             "--json podaje każde pole tak, jak pokazuje je okno, a dla skryptów także pod kluczem\n"
             "snake_case: liczby osobno od jednostek, identyfikatory zamiast tekstów, null dla tego,\n"
             "czego nie odczytano (man doxa-cli).\n"),
     runIdentify, nullptr},
    {"watch", UI_TEXT("bieżące wartości, jeden wiersz na cykl"), "", 0, WatchOptions,
     UI_TEXT("Wykonuje wyświetlanie z doxa-win (\"Wyświetlanie\"): identyfikuje przetwornik, a potem\n"
             "w każdym cyklu wypisuje wartość mierzoną (PV), wyjście i temperaturę otoczenia.\n"
             "Wartość, która w cyklu nie nadeszła albo nie była liczbą, jest wypisywana jako '-'\n"
             "(pusta w CSV, null w JSON). Zgłoszone przez przetwornik awaria, przerwa czujnika lub PV\n"
             "poza granicami (tylko HART) są dopisywane tak jak w panelu stanu doxa-win; --csv dodaje\n"
             "kolumnę status, a --json (jeden obiekt na cykl, po jednym w wierszu) tablicę status,\n"
             "z kodami malfunction, sensor_break i pv_out_of_limits (w CSV łączonymi ';'). Status\n"
             "wyjścia wynosi 1, gdy w którymś cyklu zabrakło wartości PV, w przeciwnym razie 5, gdy\n"
             "któryś cykl niósł jeden z tych kodów.\n"),
     runWatch, nullptr},
    {"read", UI_TEXT("identyfikacja przetwornika i zapis jego konfiguracji do pliku"), "", 0, ReadOptions,
     UI_TEXT("Identyfikuje przetwornik tak jak 'identify' i zapisuje jego konfigurację w pliku\n"
             "\"*.prg\", bajt w bajt takim, jaki zapisuje \"Zachowaj jako...\" w doxa-win po\n"
             "\"Inicjalizacja\". Plik powstaje obok starego i zastępuje go dopiero, gdy jest kompletny.\n"),
     runRead, nullptr},
    {"write", UI_TEXT("programowanie przetwornika konfiguracją z pliku"), "FILE.prg", 1, WriteOptions,
     UI_TEXT("Identyfikuje przetwornik, wczytuje plik i wykonuje na nim \"Programowanie\" z doxa-win:\n"
             "okno identyfikuje przetwornik jeszcze raz, po czym \"Wyślij\" zapisuje zakres, czujnik,\n"
             "filtrację i próg, sprawdzając każdą odpowiedź. Kończy się wynikiem okna: \"Dane zostały\n"
             "zapisane\" (status 0) lub \"Dane nie zostały zapisane prawidłowo\" (status 3).\n"
             "Programowany jest przetwornik spod --address, bez względu na adres, pod którym plik\n"
             "odczytano; tabela charakterystyki użytkownika nie jest zapisywana (robi to \"Tabela\"\n"
             "w doxa-win). Plik, którego nie da się odczytać, daje status 2, zanim linia zostanie\n"
             "użyta; tak samo plik odczytany z innego modelu niż przetwornik (chyba że --any-model).\n"),
     runWrite, nullptr},
    {"finder", UI_TEXT("wyszukiwanie przetworników, które odpowiadają na linii"), "", 0, FinderOptions,
     UI_TEXT("Wykonuje \"Szukaj przetwornika\" z doxa-win: pyta o identyfikację pod każdym adresem\n"
             "zakresu, w HART na linii modemu, z --rs485 przy każdej prędkości (1200..38400 bodów)\n"
             "i obu parzystościach. Wypisuje po jednym wierszu dla każdego przetwornika, który\n"
             "odpowiedział; status wynosi 1, gdy nie odpowiedział żaden, a to, co zamiast tego\n"
             "przyszło linią, trafia na standardowe wyjście błędów.\n"),
     runFinder, nullptr},
    {"history", UI_TEXT("historia serwisowa przetworników"), "", 0, HistoryOptions,
     UI_TEXT("Wypisuje, co doxa-win i doxa-cli zrobiły z przetwornikami, od najnowszych: czas\n"
             "(lokalny), model, numer seryjny, wykonaną czynność, jej wynik, wartości zastane\n"
             "i pozostawione oraz wpisane wartości wzorcowe. Z --json: jedna tablica rekordów, każdy\n"
             "jako obiekt z polami time (UTC, ISO 8601), user, kind, outcome, model, serial, address,\n"
             "mode, line, backup_file, as_found, as_left, reference (te trzy jako obiekty nazwanych\n"
             "liczb lub tekstów) i device (ścieżka urządzenia, nazwa by-id lub sim:MODEL, na którym\n"
             "otwarto port; line pozostaje definicją COM). Z --csv: te same pola, wartości jako\n"
             "obiekty JSON. Historia, której nie da się odczytać, daje status 2.\n"
             "Wypisywane są też rekordy czekające jeszcze w pliku lokalnym na swoją bazę, z tą bazą\n"
             "w waiting_for (JSON: null dla rekordu w swojej bazie, \"\" gdy nieznana; CSV: unknown;\n"
             "tabela: [czeka na: ...]); przebieg przekazuje tylko te przeznaczone dla własnej bazy.\n"
             "--hand-over FROM przekazuje zamiast tego te przeznaczone dla FROM do bazy z --db\n"
             "i wypisuje, ile ich było (status 0; 2, gdy zawiodła któraś z baz, wtedy nic nie\n"
             "opuszcza pliku lokalnego).\n"
             "--due [DAYS] wypisuje zamiast tego przetworniki, których termin kalibracji mija\n"
             "w ciągu DAYS dni (domyślnie 30) lub już minął, od najwcześniejszego: koniec ostatniej\n"
             "kalibracji doprowadzonej do końca plus wybrany w niej interwał ([Kalibracja]\n"
             "InterwalMiesiecy z ustawień doxa-win, 12 miesięcy, gdy żadnego nie podaje), \"po\n"
             "terminie\", gdy już minął. Z --json: jedna tablica obiektów z polami model, serial,\n"
             "event, calibrated (UTC), interval_months, due (RRRR-MM-DD) i overdue.\n"
             "--verify FILE.pdf odczytuje identyfikator zdarzenia i kod weryfikacyjny z metadanych\n"
             "XMP pliku PDF świadectwa kalibracji, oblicza kod ponownie z rekordów zdarzenia w bazie\n"
             "i wypisuje \"zgodny\" (status 0) lub \"niezgodny\" (status 2); plik bez kodu lub\n"
             "zdarzenie, którego baza nie zawiera, daje status 2 z podaniem przyczyny.\n"
             "--certificate NUMBER sprawdza tak samo świadectwo, któremu historia nadała ten numer\n"
             "(ŚK/2026/000123): rekordy jego zdarzenia z kodem, z którym je wydrukowano.\n"),
     nullptr, runHistory},
    {"ports", UI_TEXT("lista obecnych urządzeń szeregowych"), "", 0, PortsOptions,
     UI_TEXT("Wypisuje urządzenia szeregowe tego komputera: adaptery USB pod nazwami\n"
             "z /dev/serial/by-id (z producentem, produktem i numerem seryjnym), wbudowane porty,\n"
             "które naprawdę istnieją, oraz /dev/ttyUSB*, /dev/ttyACM* bez takiej nazwy, każde\n"
             "z informacją, czy wolno je otworzyć. Nazwa by-id albo jej część, której nie zawiera\n"
             "żadna inna nazwa by-id, jest wartością --port każdego polecenia; w \"Ustawienia\" →\n"
             "\"Port\" w doxa-win przypisuje nazwę COM do adaptera w dowolnym gnieździe USB.\n"
             "Z --json: jedna tablica obiektów z polami path, by_id, tty, maker, product, serial,\n"
             "accessible i hint. Żadne urządzenie nie jest otwierane, by je wypisać.\n"),
     nullptr, runPorts},
    {"convert", UI_TEXT("przeliczenie temperatury czujnika na jego Ohm lub mV i odwrotnie"), "", 0, ConvertOptions,
     UI_TEXT("Przelicza temperaturę na to, co daje czujnik (--celsius: Ohm lub mV), lub odwrotnie\n"
             "(--ohm, --mv), według charakterystyk normowych: platyna wg Callendara-Van Dusena\n"
             "(IEC 60751 dla pt100-385, GOST 6651 dla pt100-391), nikiel wg GOST 6651 (ni100-617)\n"
             "i DIN 43760 (ni100-618), miedź wg GOST 6651, termopary wg funkcji odniesienia ITS-90\n"
             "(IEC 60584-1). Napięcie termopary to napięcie mierzone względem jej zimnych końców\n"
             "o temperaturze --cold-junction (0 °C, jeśli nie podano). Z --json: {\"celsius\": ...,\n"
             "\"ohm\": ...} lub {\"celsius\": ..., \"mv\": ...}. Wartość spoza zakresu ważności\n"
             "charakterystyki nie jest przeliczana: zakres trafia na standardowe wyjście błędów,\n"
             "a status wynosi 2 (typ b jest przeliczany wstecz dopiero od 250 °C). Nic nie jest\n"
             "otwierane.\n"),
     nullptr, runConvert},
    {"instruments", UI_TEXT("rejestr przyrządów wzorcowych"), "", 0, InstrumentsOptions,
     UI_TEXT("Wypisuje przyrządy wzorcowe z rejestru, który doxa-win edytuje w \"Ustawienia\" →\n"
             "\"Przyrządy wzorcowe...\" (bez wycofanych): nazwę, model, numer seryjny, numer i termin\n"
             "ważności jego własnego świadectwa wzorcowania, jego niepewności. Rejestr jest\n"
             "przechowywany w bazie historii serwisowej (--db, w przeciwnym razie [Baza] URL); gdy\n"
             "serwer jest nieosiągalny, wypisywana jest kopia z pliku lokalnego, o czym informuje\n"
             "standardowe wyjście błędów. Z --json: jedna tablica obiektów z polami id, name, model,\n"
             "serial, certificate, due (RRRR-MM-DD) i uncertainties (obiekty z value, unit, k oraz,\n"
             "dla części zakresu, from i to). Rejestr, którego nie da się odczytać, daje status 2.\n"),
     nullptr, runInstruments},
    {"calibrate", UI_TEXT("kalibracja przetwornika w stanie zastanym, punkt po punkcie"), "", 0, CalibrateOptions,
     UI_TEXT("Identyfikuje przetwornik i wykonuje \"Procedura kalibracji\" z doxa-win: zapisuje\n"
             "warunki, a potem każdy punkt pomiarowy w stanie zastanym. Dla punktu wejścia wypisywana\n"
             "jest wartość do ustawienia na wzorcu, a wartość rzeczywiście podana jest czytana ze\n"
             "standardowego wejścia; odczyt przetwornika jest pobierany pięć razy i oceniana jest\n"
             "średnia. Dla punktu wyjścia wyjście jest wymuszane na wartość punktu, a odczyt miernika\n"
             "jest czytany ze standardowego wejścia. Na końcu wyjście jest zwalniane, jakkolwiek\n"
             "przebieg się zakończy. Każde pytanie trafia na standardowe wyjście błędów i przyjmuje\n"
             "jeden wiersz standardowego wejścia, więc skrypt może podać odpowiedzi (here-document).\n"
             "O technika (gdy ustawienia go nie podają), temperaturę otoczenia, wilgotność i przyrząd\n"
             "pyta najpierw, gdy ich nie podano. Przed procedurą standardowe wyjście błędów przypomina\n"
             "o przełączeniu pętli sterowania na pracę ręczną, chyba że ustawienia doxa-win to wyłączają.\n"
             "Przebieg kończy się bez adiustacji (adiustacja w oknach kalibracji doxa-win).\n"
             "Na standardowe wyjście trafia jeden wiersz na punkt z jego błędem i oceną, identyfikator\n"
             "zdarzenia i sposób zakończenia przebiegu. Każdy rekord trafia do historii serwisowej\n"
             "w chwili powstania; przebieg przerwany jest zapisywany jako przerwany. Status 2 dla\n"
             "warunków, które procedura odrzuca (w tym przyrządu po terminie ważności świadectwa),\n"
             "lub standardowego wejścia, które kończy się przedwcześnie, 3, gdy przetwornik odmówił\n"
             "wysterowania wyjścia, 1, gdy przestał odpowiadać; punkty poza tolerancją są zgłaszane,\n"
             "nie są błędem przebiegu.\n"),
     runCalibrate, nullptr},
}};

struct ExitCodeInfo {
    ExitCode code;
    std::string_view meaning;
};
constexpr std::array<ExitCodeInfo, 8> ExitCodes{{
    {ExitOk, UI_TEXT("powodzenie")},
    {ExitNoAnswer, UI_TEXT("brak odpowiedzi: przetwornik nie odpowiedział na czas")},
    {ExitBadInput, UI_TEXT("błędne dane: nieznana opcja, błędna wartość lub adres, nieużyteczny plik")},
    {ExitNotConfirmed, UI_TEXT("brak potwierdzenia: przetwornik nie potwierdził tego, co zapisano")},
    {ExitPortFailed, UI_TEXT("nie można otworzyć portu")},
    {ExitDeviceStatus, UI_TEXT("stan urządzenia: przetwornik zgłosił awarię, przerwę czujnika\n"
                               "        lub PV poza granicami (1 ma pierwszeństwo, gdy zabrakło wartości)")},
    {ExitRecordNotKept, UI_TEXT("nie udało się zachować rekordu serwisowego (wypisany jako JSON na\n"
                                "        standardowe wyjście błędów)")},
    {ExitInterrupted, UI_TEXT("przerwano przez Ctrl-C lub SIGTERM (linia została zwolniona; rekord\n"
                              "        serwisowy w drodze czeka w pliku lokalnym)")},
}};

std::string exitStatusHelp() {
    std::string text = shownText(UI_TEXT("Status wyjścia:")) + "\n";
    for (const ExitCodeInfo& e : ExitCodes) {
        std::string code = "  " + std::to_string(e.code);
        code.resize(8, ' ');
        text += code + shownText(e.meaning) + "\n";
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
    std::string text = shownText(
        UI_TEXT("Użycie: doxa-cli COMMAND --port PORT [OPTION]...\n"
                "        doxa-cli history [OPTION]...\n"
                "        doxa-cli ports [--json]\n"
                "        doxa-cli convert --sensor ID (--celsius T | --ohm R | --mv U) [--cold-junction T] [--json]\n"
                "        doxa-cli calibrate --port PORT [OPTION]... <wpisane wartości\n"
                "        doxa-cli [COMMAND] --help\n"
                "        doxa-cli --version\n"
                "Komunikuje się z jednym przetwornikiem temperatury DOXA/RIVO/SAWE tak samo jak doxa-win.\n"
                "\n"
                "Polecenia:\n"));
    for (const Command& c : Commands) {
        std::string name = "  " + std::string(c.name);
        name.resize(CommandColumn, ' ');
        text += name + shownText(c.summary) + "\n";
    }
    return text +
           shownText(UI_TEXT("\n"
                             "identify, read, write, watch i finder przyjmują --fast: te same zapytania, każda\n"
                             "odpowiedź odczytywana, gdy tylko jest cała, następne zapytanie po przerwie\n"
                             "właściwej linii.\n"
                             "'doxa-cli COMMAND --help' podaje opcje polecenia, 'man doxa-cli' więcej.\n"
                             "\n")) +
           exitStatusHelp();
}

std::string commandHelp(const Command& command) {
    std::string usage = std::string(command.name) + optionSynopsis(command.options);
    if (!command.operands.empty()) usage += " " + std::string(command.operands);
    return shownText(formatText(UI_TEXT("Użycie: doxa-cli %1"), {usage})) + "\n" +
           shownText(command.description) + "\n" + shownText(UI_TEXT("Opcje:")) + "\n" +
           optionHelp(command.options) + "\n" + exitStatusHelp();
}

}  // namespace doxa::cli
