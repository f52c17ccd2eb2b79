<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>HistoryKeeper</name>
    <message>
        <source>zatrzymano w trakcie zachowywania rekordu serwisowego; trafił do %1</source>
        <translation>stopped while the service record was being kept; it was put into %1</translation>
    </message>
    <message>
        <source>plik lokalny nie przyjął go w ciągu sekundy</source>
        <translation>the local file did not take it within the second</translation>
    </message>
    <message>
        <source>zatrzymano w trakcie zachowywania rekordu serwisowego; nie udało się go zachować (%1), oto on:</source>
        <translation>stopped while the service record was being kept; it could not be kept (%1), so here it is:</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>nie ma symulowanego modelu &apos;%1&apos; (jeden z: %2)</source>
        <translation>no simulated model &apos;%1&apos; (one of %2)</translation>
    </message>
    <message>
        <source>to nie jest port: &apos;%1&apos; (COM1..COM12, ścieżka urządzenia, sim:MODEL albo jednoznaczna część nazwy z /dev/serial/by-id): %2</source>
        <translation>not a port: &apos;%1&apos; (COM1..COM12, a device path, sim:MODEL or a unique part of a /dev/serial/by-id name): %2</translation>
    </message>
    <message>
        <source>nie zachowano rekordów serwisowych (%1): %2</source>
        <translation>%1 service record(s) not kept: %2</translation>
    </message>
    <message>
        <source>rekordy serwisowe (%1) czekają w %2 na bazę: %3</source>
        <translation>%1 service record(s) wait in %2 for the database: %3</translation>
    </message>
    <message>
        <source>przerwano</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>nie zachowano rekordu serwisowego: %1</source>
        <translation>service record not kept: %1</translation>
    </message>
    <message>
        <source>%1 (%2, adres %3)</source>
        <translation>%1 (%2, address %3)</translation>
    </message>
    <message>
        <source>nie można otworzyć %1</source>
        <translation>cannot open %1</translation>
    </message>
    <message>
        <source>nie można otworzyć %1: %2 (urządzenie nie istnieje: czy adapter jest podłączony?)</source>
        <translation>cannot open %1: %2 (the device does not exist: is the adapter plugged in?)</translation>
    </message>
    <message>
        <source>nie można otworzyć %1: %2 (brak uprawnień: dołącz do grupy dialout poleceniem sudo usermod -aG dialout $USER, a potem zaloguj się ponownie)</source>
        <translation>cannot open %1: %2 (no permission: join the dialout group with sudo usermod -aG dialout $USER, then log in again)</translation>
    </message>
    <message>
        <source>nie można otworzyć %1: używany przez inny program</source>
        <translation>cannot open %1: in use by another program</translation>
    </message>
    <message>
        <source>nie można otworzyć %1: używany przez inny program (%2)</source>
        <translation>cannot open %1: in use by another program (%2)</translation>
    </message>
    <message>
        <source>%1 nie jest portem szeregowym</source>
        <translation>%1 is not a serial port</translation>
    </message>
    <message>
        <source>%1 to terminal, w którym działa doxa-cli, a nie port szeregowy</source>
        <translation>%1 is the terminal doxa-cli runs in, not a serial port</translation>
    </message>
    <message>
        <source>nie można otworzyć %1: %2</source>
        <translation>cannot open %1: %2</translation>
    </message>
</context>
<context>
    <name>doxa::cli</name>
    <message>
        <source>COM1..COM12 (przypisane jak w ustawieniach doxa-win), ścieżka urządzenia, np. /dev/ttyUSB0, sim:MODEL dla symulowanego przetwornika (DOXA-22, RIVO-22, SAWE-01, SAWE-01-RTD, DOXA-21-R, RIVO-21-R, DOXA-21-U, RIVO-21-U) albo nazwa z /dev/serial/by-id lub jej część, której nie ma żadna inna, np. FTDI_A1B2 (zob. doxa-cli ports)</source>
        <translation>COM1..COM12 (mapped as in doxa-win&apos;s settings), a device path such as /dev/ttyUSB0, sim:MODEL for a simulated transmitter (DOXA-22, RIVO-22, SAWE-01, SAWE-01-RTD, DOXA-21-R, RIVO-21-R, DOXA-21-U, RIVO-21-U), or a /dev/serial/by-id name or a part of it that no other holds, such as FTDI_A1B2 (see doxa-cli ports)</translation>
    </message>
    <message>
        <source>MODBUS RTU na linii RS485 (bez tej opcji: HART, 1200 bodów, parzystość nieparzysta)</source>
        <translation>MODBUS RTU on an RS485 line (without it: HART, 1200 baud, odd parity)</translation>
    </message>
    <message>
        <source>prędkość RS485: 1200, 4800, 9600, 19200 lub 38400 (domyślnie 1200)</source>
        <translation>RS485 speed: 1200, 4800, 9600, 19200 or 38400 (default 1200)</translation>
    </message>
    <message>
        <source>parzystość RS485 (domyślnie odd)</source>
        <translation>RS485 parity (default odd)</translation>
    </message>
    <message>
        <source>adres odpytywania (HART) lub adres podrzędny (MODBUS), 0..127 (domyślnie 0)</source>
        <translation>polling address (HART) or slave address (MODBUS), 0..127 (default 0)</translation>
    </message>
    <message>
        <source>rezygnacja, gdy przetwornik nie odpowie w ciągu S sekund (domyślnie 15)</source>
        <translation>give up when the transmitter has not answered within S seconds (default 15)</translation>
    </message>
    <message>
        <source>wynik w JSON: jeden obiekt z polami (identify), jeden obiekt na cykl, po jednym w wierszu (watch), jedna tablica rekordów (history), urządzeń (ports) lub przyrządów wzorcowych (instruments), temperatura i wielkość czujnika (convert)</source>
        <translation>print JSON: one object of the fields (identify), one object per cycle, one per line (watch), one array of records (history), of devices (ports) or of reference instruments (instruments), the temperature and the sensor&apos;s quantity (convert)</translation>
    </message>
    <message>
        <source>zakończenie po N cyklach (domyślnie: do Ctrl-C)</source>
        <translation>stop after N cycles (default: until Ctrl-C)</translation>
    </message>
    <message>
        <source>wartości rozdzielone przecinkami, z wierszem nagłówka</source>
        <translation>comma-separated values with a header line</translation>
    </message>
    <message>
        <source>zapisywany plik konfiguracji (&quot;*.prg&quot;, jak &quot;Zachowaj jako...&quot; w doxa-win); -o FILE działa tak samo</source>
        <translation>the configuration file to save (&quot;*.prg&quot;, as doxa-win&apos;s &quot;Zachowaj jako...&quot;); -o FILE is the same</translation>
    </message>
    <message>
        <source>odczyt przetwornika i wypisanie, co plik by zmienił (pole: stare → nowe); nic nie jest zapisywane</source>
        <translation>read the transmitter and print what the file would change (field: old → new); write nothing</translation>
    </message>
    <message>
        <source>zapis pliku także wtedy, gdy odczytano go z innego modelu niż model przetwornika</source>
        <translation>write the file even when it was read from another model than the transmitter&apos;s</translation>
    </message>
    <message>
        <source>pierwszy odpytywany adres, 0..127 (domyślnie 0)</source>
        <translation>first address to ask, 0..127 (default 0)</translation>
    </message>
    <message>
        <source>ostatni odpytywany adres, 0..127 (domyślnie 15 w HART, 32 w RS485)</source>
        <translation>last address to ask, 0..127 (default 15 in HART, 32 in RS485)</translation>
    </message>
    <message>
        <source>tylko rekordy przetwornika o tym numerze seryjnym</source>
        <translation>only the records of the transmitter with this serial number</translation>
    </message>
    <message>
        <source>tylko rekordy tego modelu (DOXA-22, RIVO-22, ...)</source>
        <translation>only the records of this model (DOXA-22, RIVO-22, ...)</translation>
    </message>
    <message>
        <source>tylko rekordy od tego dnia (2025-03-01, czas lokalny) lub od tej chwili (ISO 8601)</source>
        <translation>only the records from this day on (2025-03-01, local time) or from this time on (ISO 8601)</translation>
    </message>
    <message>
        <source>historia serwisowa: plik SQLite albo serwer PostgreSQL jako postgresql://user@host:port/dbname (domyślnie: [Baza] URL z ustawień doxa-win, w przeciwnym razie $XDG_DATA_HOME/doxa-win/history.sqlite)</source>
        <translation>the service history: an SQLite file, or a PostgreSQL server as postgresql://user@host:port/dbname (default: [Baza] URL of doxa-win&apos;s settings, else $XDG_DATA_HOME/doxa-win/history.sqlite)</translation>
    </message>
    <message>
        <source>szybka wymiana: te same zapytania, ale każda odpowiedź jest odczytywana, gdy tylko nadejdzie cała i sprawdzona, a następne zapytanie idzie po przerwie właściwej linii; milczący lub powolny przetwornik dostaje zwykłe czasy oczekiwania (przed użyciem zob. README)</source>
        <translation>fast exchanges: the same requests, but each read comes as soon as a whole, checked answer has arrived and the next request follows after the line&apos;s own gap; a silent or slow transmitter gets the usual waits (see the README before using it)</translation>
    </message>
    <message>
        <source>bez listy; przekazanie rekordów czekających w pliku lokalnym na bazę FROM (ścieżka lub URL jak w --db; unknown: pozostawione przez program, który nie prowadził bazy) do bazy z --db</source>
        <translation>list nothing; deliver the records waiting in the local file for the database FROM (a path or URL as --db takes it; unknown: those left by a program that kept no database) to the database of --db</translation>
    </message>
    <message>
        <source>lista przetworników, których termin kalibracji mija w ciągu DAYS dni (domyślnie 30) lub już minął: ostatnia zakończona kalibracja plus wybrany w niej interwał</source>
        <translation>list the transmitters whose calibration is due within DAYS days (default 30) or overdue: the latest finished calibration plus the interval chosen in it</translation>
    </message>
    <message>
        <source>bez listy; sprawdzenie kodu weryfikacyjnego PDF świadectwa kalibracji ze zdarzeniem zapisanym w bazie z --db (zgodny: status 0; niezgodny lub brak: status 2)</source>
        <translation>list nothing; check the verification code of a calibration certificate&apos;s PDF against the event the database of --db holds (match: status 0; no match or not found: status 2)</translation>
    </message>
    <message>
        <source>bez listy; sprawdzenie świadectwa o tym numerze (ŚK/2026/000123) tak, jak --verify sprawdza PDF</source>
        <translation>list nothing; check the certificate of that number (ŚK/2026/000123) as --verify checks a PDF</translation>
    </message>
    <message>
        <source>charakterystyka czujnika: pt100-385, pt100-391, ni100-617, ni100-618, cu100-426, cu100-428, cu50-426, cu50-428 (termometry rezystancyjne) lub k, j, s, b, n, t (termopary)</source>
        <translation>the sensor&apos;s curve: pt100-385, pt100-391, ni100-617, ni100-618, cu100-426, cu100-428, cu50-426, cu50-428 (resistance thermometers) or k, j, s, b, n, t (thermocouples)</translation>
    </message>
    <message>
        <source>przeliczana temperatura w °C</source>
        <translation>the temperature to convert, in °C</translation>
    </message>
    <message>
        <source>przeliczana rezystancja w Ohm (termometr rezystancyjny)</source>
        <translation>the resistance to convert, in Ohm (a resistance thermometer)</translation>
    </message>
    <message>
        <source>przeliczane napięcie termoelektryczne w mV (termopara)</source>
        <translation>the thermoelectric voltage to convert, in mV (a thermocouple)</translation>
    </message>
    <message>
        <source>temperatura zimnych końców termopary w °C (domyślnie 0)</source>
        <translation>the thermocouple&apos;s cold junction temperature in °C (default 0)</translation>
    </message>
    <message>
        <source>imię i nazwisko technika (domyślnie: [Kalibracja] Technik z ustawień doxa-win)</source>
        <translation>the technician&apos;s full name (default: [Kalibracja] Technik of doxa-win&apos;s settings)</translation>
    </message>
    <message>
        <source>klient lub zakład</source>
        <translation>the customer or plant</translation>
    </message>
    <message>
        <source>oznaczenie (tag) przetwornika</source>
        <translation>the transmitter&apos;s tag</translation>
    </message>
    <message>
        <source>temperatura otoczenia, °C (pytanie, gdy nie podano)</source>
        <translation>the ambient temperature, °C (asked for when not given)</translation>
    </message>
    <message>
        <source>wilgotność względna, % (pytanie, gdy nie podano)</source>
        <translation>the relative humidity, % (asked for when not given)</translation>
    </message>
    <message>
        <source>przyrząd wzorcowy wejścia: jego id lub numer seryjny w rejestrze (pytanie, gdy nie podano)</source>
        <translation>the reference instrument of the input: its id or serial number in the register (asked for when not given)</translation>
    </message>
    <message>
        <source>przyrząd odczytujący wyjście, jak --instrument</source>
        <translation>the instrument that reads the output, as --instrument</translation>
    </message>
    <message>
        <source>punkty pomiarowe w % zakresu, od 2 do 11, rozdzielone &apos;;&apos; (domyślnie &quot;0; 25; 50; 75; 100&quot;)</source>
        <translation>the test points in % of the range, 2 to 11 separated by &apos;;&apos; (default &quot;0; 25; 50; 75; 100&quot;)</translation>
    </message>
    <message>
        <source>tolerancja wejścia (domyślnie: tolerancje z ustawień doxa-win)</source>
        <translation>the input&apos;s tolerance (default: the tolerances of doxa-win&apos;s settings)</translation>
    </message>
    <message>
        <source>jednostka --tolerance: °C albo jednostka, w której podawany jest wzorzec (Ohm, mV)</source>
        <translation>the unit of --tolerance: °C, or the unit the reference is applied in (Ohm, mV)</translation>
    </message>
    <message>
        <source>tolerancja wyjścia, mA</source>
        <translation>the output&apos;s tolerance, mA</translation>
    </message>
    <message>
        <source>interwał kalibracji (domyślnie: [Kalibracja] InterwalMiesiecy, w przeciwnym razie 12)</source>
        <translation>the calibration interval (default: [Kalibracja] InterwalMiesiecy, else 12)</translation>
    </message>
    <message>
        <source>identyfikacja przetwornika i odczyt jego konfiguracji</source>
        <translation>identify the transmitter and read its configuration</translation>
    </message>
    <message>
        <source>Wykonuje identyfikację z doxa-win (&quot;Inicjalizacja&quot;) i wypisuje jej pola: model,
numer seryjny, czujnik, wyjście, sygnalizację przerwy, zakres, próg i filtrację. Gdy
przetwornik zgłasza awarię, przerwę czujnika lub PV poza granicami (tylko HART), wiersz
&quot;Status:&quot; podaje je tak jak panel stanu doxa-win, --json podaje je jako kody w &quot;status&quot;
(malfunction, sensor_break, pv_out_of_limits), a status wyjścia wynosi 5.
--json podaje każde pole tak, jak pokazuje je okno, a dla skryptów także pod kluczem
snake_case: liczby osobno od jednostek, identyfikatory zamiast tekstów, null dla tego,
czego nie odczytano (man doxa-cli).
</source>
        <translation>Runs the identification of doxa-win (&quot;Inicjalizacja&quot;) and prints its fields: model,
serial number, sensor, output, break signalling, range, threshold and filter. When the
transmitter reports a malfunction, a sensor break or its PV out of limits (HART only),
a line &quot;Status:&quot; names them as doxa-win&apos;s status panel does, --json gives them as codes
under &quot;status&quot; (malfunction, sensor_break, pv_out_of_limits), and the exit status is 5.
--json gives each field as the dialog shows it and, for scripts, under a snake_case key:
numbers with their units apart, ids for texts, null for what was not read (man doxa-cli).
</translation>
    </message>
    <message>
        <source>bieżące wartości, jeden wiersz na cykl</source>
        <translation>show the live values, one line per cycle</translation>
    </message>
    <message>
        <source>Wykonuje wyświetlanie z doxa-win (&quot;Wyświetlanie&quot;): identyfikuje przetwornik, a potem
w każdym cyklu wypisuje wartość mierzoną (PV), wyjście i temperaturę otoczenia.
Wartość, która w cyklu nie nadeszła albo nie była liczbą, jest wypisywana jako &apos;-&apos;
(pusta w CSV, null w JSON). Zgłoszone przez przetwornik awaria, przerwa czujnika lub PV
poza granicami (tylko HART) są dopisywane tak jak w panelu stanu doxa-win; --csv dodaje
kolumnę status, a --json (jeden obiekt na cykl, po jednym w wierszu) tablicę status,
z kodami malfunction, sensor_break i pv_out_of_limits (w CSV łączonymi &apos;;&apos;). Status
wyjścia wynosi 1, gdy w którymś cyklu zabrakło wartości PV, w przeciwnym razie 5, gdy
któryś cykl niósł jeden z tych kodów.
</source>
        <translation>Runs the live display of doxa-win (&quot;Wyświetlanie&quot;): identifies the transmitter, then
prints the primary value, the output and the ambient temperature once per cycle. A value
that did not arrive in a cycle, or came as no number, is printed as &apos;-&apos; (empty in CSV, null
in JSON). A malfunction, a sensor break or a PV out of limits the transmitter reports
(HART only) follows as doxa-win&apos;s status panel shows it; --csv adds the column status and
--json (one object per cycle, one per line) the array status, with the codes malfunction,
sensor_break and pv_out_of_limits (&apos;;&apos;-joined in CSV). The exit status is 1 when a cycle
went without a primary value, else 5 when a cycle carried one of these codes.
</translation>
    </message>
    <message>
        <source>identyfikacja przetwornika i zapis jego konfiguracji do pliku</source>
        <translation>identify the transmitter and save its configuration to a file</translation>
    </message>
    <message>
        <source>Identyfikuje przetwornik tak jak &apos;identify&apos; i zapisuje jego konfigurację w pliku
&quot;*.prg&quot;, bajt w bajt takim, jaki zapisuje &quot;Zachowaj jako...&quot; w doxa-win po
&quot;Inicjalizacja&quot;. Plik powstaje obok starego i zastępuje go dopiero, gdy jest kompletny.
</source>
        <translation>Identifies the transmitter as &apos;identify&apos; does and saves its configuration as a &quot;*.prg&quot;
file, the same bytes doxa-win&apos;s &quot;Zachowaj jako...&quot; writes after &quot;Inicjalizacja&quot;. The file
is written beside the old one and replaces it only when complete.
</translation>
    </message>
    <message>
        <source>programowanie przetwornika konfiguracją z pliku</source>
        <translation>program a configuration file into the transmitter</translation>
    </message>
    <message>
        <source>Identyfikuje przetwornik, wczytuje plik i wykonuje na nim &quot;Programowanie&quot; z doxa-win:
okno identyfikuje przetwornik jeszcze raz, po czym &quot;Wyślij&quot; zapisuje zakres, czujnik,
filtrację i próg, sprawdzając każdą odpowiedź. Kończy się wynikiem okna: &quot;Dane zostały
zapisane&quot; (status 0) lub &quot;Dane nie zostały zapisane prawidłowo&quot; (status 3).
Programowany jest przetwornik spod --address, bez względu na adres, pod którym plik
odczytano; tabela charakterystyki użytkownika nie jest zapisywana (robi to &quot;Tabela&quot;
w doxa-win). Plik, którego nie da się odczytać, daje status 2, zanim linia zostanie
użyta; tak samo plik odczytany z innego modelu niż przetwornik (chyba że --any-model).
</source>
        <translation>Identifies the transmitter, loads the file and runs doxa-win&apos;s &quot;Programowanie&quot; on it: the
dialog identifies the transmitter once more, then &quot;Wyślij&quot; writes range, sensor, filter
and threshold and checks each answer. It ends with the dialog&apos;s outcome: &quot;Dane zostały
zapisane&quot; (status 0) or &quot;Dane nie zostały zapisane prawidłowo&quot; (status 3). The
transmitter is the one at --address, whatever address the file was read at; the user
characteristic table is not written (&quot;Tabela&quot; in doxa-win does that). A file that cannot
be read gives status 2 before the line is used, and so does a file read from another
model than the transmitter (unless --any-model).
</translation>
    </message>
    <message>
        <source>wyszukiwanie przetworników, które odpowiadają na linii</source>
        <translation>search the line for transmitters that answer</translation>
    </message>
    <message>
        <source>Wykonuje &quot;Szukaj przetwornika&quot; z doxa-win: pyta o identyfikację pod każdym adresem
zakresu, w HART na linii modemu, z --rs485 przy każdej prędkości (1200..38400 bodów)
i obu parzystościach. Wypisuje po jednym wierszu dla każdego przetwornika, który
odpowiedział; status wynosi 1, gdy nie odpowiedział żaden, a to, co zamiast tego
przyszło linią, trafia na standardowe wyjście błędów.
</source>
        <translation>Runs doxa-win&apos;s &quot;Szukaj przetwornika&quot;: asks for the identity at every address of the range,
in HART on the modem&apos;s line, with --rs485 at every speed (1200..38400 baud) and both
parities. Prints one line for each transmitter that answered; the status is 1 when none
did, with what the line carried instead on standard error.
</translation>
    </message>
    <message>
        <source>historia serwisowa przetworników</source>
        <translation>list the service history of the transmitters</translation>
    </message>
    <message>
        <source>Wypisuje, co doxa-win i doxa-cli zrobiły z przetwornikami, od najnowszych: czas
(lokalny), model, numer seryjny, wykonaną czynność, jej wynik, wartości zastane
i pozostawione oraz wpisane wartości wzorcowe. Z --json: jedna tablica rekordów, każdy
jako obiekt z polami time (UTC, ISO 8601), user, kind, outcome, model, serial, address,
mode, line, backup_file, as_found, as_left, reference (te trzy jako obiekty nazwanych
liczb lub tekstów) i device (ścieżka urządzenia, nazwa by-id lub sim:MODEL, na którym
otwarto port; line pozostaje definicją COM). Z --csv: te same pola, wartości jako
obiekty JSON. Historia, której nie da się odczytać, daje status 2.
Wypisywane są też rekordy czekające jeszcze w pliku lokalnym na swoją bazę, z tą bazą
w waiting_for (JSON: null dla rekordu w swojej bazie, &quot;&quot; gdy nieznana; CSV: unknown;
tabela: [czeka na: ...]); przebieg przekazuje tylko te przeznaczone dla własnej bazy.
--hand-over FROM przekazuje zamiast tego te przeznaczone dla FROM do bazy z --db
i wypisuje, ile ich było (status 0; 2, gdy zawiodła któraś z baz, wtedy nic nie
opuszcza pliku lokalnego).
--due [DAYS] wypisuje zamiast tego przetworniki, których termin kalibracji mija
w ciągu DAYS dni (domyślnie 30) lub już minął, od najwcześniejszego: koniec ostatniej
kalibracji doprowadzonej do końca plus wybrany w niej interwał ([Kalibracja]
InterwalMiesiecy z ustawień doxa-win, 12 miesięcy, gdy żadnego nie podaje), &quot;po
terminie&quot;, gdy już minął. Z --json: jedna tablica obiektów z polami model, serial,
event, calibrated (UTC), interval_months, due (RRRR-MM-DD) i overdue.
--verify FILE.pdf odczytuje identyfikator zdarzenia i kod weryfikacyjny z metadanych
XMP pliku PDF świadectwa kalibracji, oblicza kod ponownie z rekordów zdarzenia w bazie
i wypisuje &quot;zgodny&quot; (status 0) lub &quot;niezgodny&quot; (status 2); plik bez kodu lub
zdarzenie, którego baza nie zawiera, daje status 2 z podaniem przyczyny.
--certificate NUMBER sprawdza tak samo świadectwo, któremu historia nadała ten numer
(ŚK/2026/000123): rekordy jego zdarzenia z kodem, z którym je wydrukowano.
</source>
        <translation>Lists what doxa-win and doxa-cli did to transmitters, newest first: the time (local), the
model, the serial number, what was done, its outcome, the values as found and as left and
the reference values typed. With --json: one array of records, each an object with time
(UTC, ISO 8601), user, kind, outcome, model, serial, address, mode, line, backup_file,
as_found, as_left, reference (these three objects of named numbers or texts) and device
(the device path, by-id name or sim:MODEL the port was opened on; line stays the COM
definition). With --csv: the same fields, the values as JSON objects. A history that
cannot be read gives status 2.
Records still waiting in the local file for their database are listed too, with that
database in waiting_for (JSON: null for a record in its database, &quot;&quot; when unknown; CSV:
unknown; the table: [waiting for: ...]); a run delivers only those meant for its own
database. --hand-over FROM delivers those meant for FROM to the database of --db instead
and prints how many (status 0; 2 when either database failed, nothing then leaves the
local file).
--due [DAYS] lists instead the transmitters whose calibration is due within DAYS days
(default 30) or overdue, the earliest first: the end of the latest calibration that ran
to its end plus the interval chosen in it ([Kalibracja] InterwalMiesiecy of doxa-win&apos;s
settings, 12 months, when it names none), marked &quot;overdue&quot;. With --json: one array
of objects with model, serial, event, calibrated (UTC), interval_months, due (YYYY-MM-DD)
and overdue.
--verify FILE.pdf reads the event id and verification code a calibration certificate&apos;s PDF
carries in its XMP metadata, computes the code again from the event&apos;s records in the
database and prints &quot;match&quot; (status 0) or &quot;no match&quot; (status 2); a file without the
code or an event the database does not hold gives status 2 with the reason.
--certificate NUMBER checks the certificate the history numbered so (ŚK/2026/000123) the
same way: its event&apos;s records against the code it was printed with.
</translation>
    </message>
    <message>
        <source>lista obecnych urządzeń szeregowych</source>
        <translation>list the serial devices present</translation>
    </message>
    <message>
        <source>Wypisuje urządzenia szeregowe tego komputera: adaptery USB pod nazwami
z /dev/serial/by-id (z producentem, produktem i numerem seryjnym), wbudowane porty,
które naprawdę istnieją, oraz /dev/ttyUSB*, /dev/ttyACM* bez takiej nazwy, każde
z informacją, czy wolno je otworzyć. Nazwa by-id albo jej część, której nie zawiera
żadna inna nazwa by-id, jest wartością --port każdego polecenia; w &quot;Ustawienia&quot; →
&quot;Port&quot; w doxa-win przypisuje nazwę COM do adaptera w dowolnym gnieździe USB.
Z --json: jedna tablica obiektów z polami path, by_id, tty, maker, product, serial,
accessible i hint. Żadne urządzenie nie jest otwierane, by je wypisać.
</source>
        <translation>Lists the serial devices of this computer: USB adapters under their /dev/serial/by-id
names (with maker, product and serial number), the built-in ports that really exist and
/dev/ttyUSB*, /dev/ttyACM* without such a name, each with whether you may open it. A by-id
name, or a part of it that no other by-id name holds, is a --port of every command; in
&quot;Ustawienia&quot; → &quot;Port&quot; of doxa-win it maps a COM name to the adapter in any USB socket.
With --json: one array of objects with path, by_id, tty, maker, product, serial,
accessible and hint. Nothing is opened to list a device.
</translation>
    </message>
    <message>
        <source>przeliczenie temperatury czujnika na jego Ohm lub mV i odwrotnie</source>
        <translation>convert between a sensor&apos;s temperature and its Ohm or mV</translation>
    </message>
    <message>
        <source>Przelicza temperaturę na to, co daje czujnik (--celsius: Ohm lub mV), lub odwrotnie
(--ohm, --mv), według charakterystyk normowych: platyna wg Callendara-Van Dusena
(IEC 60751 dla pt100-385, GOST 6651 dla pt100-391), nikiel wg GOST 6651 (ni100-617)
i DIN 43760 (ni100-618), miedź wg GOST 6651, termopary wg funkcji odniesienia ITS-90
(IEC 60584-1). Napięcie termopary to napięcie mierzone względem jej zimnych końców
o temperaturze --cold-junction (0 °C, jeśli nie podano). Z --json: {&quot;celsius&quot;: ...,
&quot;ohm&quot;: ...} lub {&quot;celsius&quot;: ..., &quot;mv&quot;: ...}. Wartość spoza zakresu ważności
charakterystyki nie jest przeliczana: zakres trafia na standardowe wyjście błędów,
a status wynosi 2 (typ b jest przeliczany wstecz dopiero od 250 °C). Nic nie jest
otwierane.
</source>
        <translation>Converts a temperature into what the sensor gives (--celsius: Ohm or mV) or back (--ohm,
--mv), by the standard curves: platinum by Callendar-Van Dusen (IEC 60751 for
pt100-385, GOST 6651 for pt100-391), nickel by GOST 6651 (ni100-617) and DIN 43760
(ni100-618), copper by GOST 6651, thermocouples by the ITS-90 reference functions
(IEC 60584-1). A thermocouple&apos;s voltage is the one measured against its cold junction at
--cold-junction (0 °C unless given). With --json: {&quot;celsius&quot;: ..., &quot;ohm&quot;: ...} or
{&quot;celsius&quot;: ..., &quot;mv&quot;: ...}. A value outside the curve&apos;s valid range is not converted:
the range is printed on standard error and the status is 2 (type b is read back from
250 °C only). Nothing is opened.
</translation>
    </message>
    <message>
        <source>rejestr przyrządów wzorcowych</source>
        <translation>list the register of reference instruments</translation>
    </message>
    <message>
        <source>Wypisuje przyrządy wzorcowe z rejestru, który doxa-win edytuje w &quot;Ustawienia&quot; →
&quot;Przyrządy wzorcowe...&quot; (bez wycofanych): nazwę, model, numer seryjny, numer i termin
ważności jego własnego świadectwa wzorcowania, jego niepewności. Rejestr jest
przechowywany w bazie historii serwisowej (--db, w przeciwnym razie [Baza] URL); gdy
serwer jest nieosiągalny, wypisywana jest kopia z pliku lokalnego, o czym informuje
standardowe wyjście błędów. Z --json: jedna tablica obiektów z polami id, name, model,
serial, certificate, due (RRRR-MM-DD) i uncertainties (obiekty z value, unit, k oraz,
dla części zakresu, from i to). Rejestr, którego nie da się odczytać, daje status 2.
</source>
        <translation>Lists the reference instruments of the register doxa-win edits in &quot;Ustawienia&quot; →
&quot;Przyrządy wzorcowe...&quot; (retired ones left out): name, model, serial number, the number
and due date of its own calibration certificate, its uncertainties. The register is kept
in the database of the service history (--db, else [Baza] URL); while a server is out of
reach the copy in the local file is listed and standard error says so. With --json: one
array of objects with id, name, model, serial, certificate, due (YYYY-MM-DD) and
uncertainties (objects with value, unit, k and, for a part of the range, from and to).
A register that cannot be read gives status 2.
</translation>
    </message>
    <message>
        <source>kalibracja przetwornika w stanie zastanym, punkt po punkcie</source>
        <translation>calibrate the transmitter as found, point by point</translation>
    </message>
    <message>
        <source>Identyfikuje przetwornik i wykonuje &quot;Procedura kalibracji&quot; z doxa-win: zapisuje
warunki, a potem każdy punkt pomiarowy w stanie zastanym. Dla punktu wejścia wypisywana
jest wartość do ustawienia na wzorcu, a wartość rzeczywiście podana jest czytana ze
standardowego wejścia; odczyt przetwornika jest pobierany pięć razy i oceniana jest
średnia. Dla punktu wyjścia wyjście jest wymuszane na wartość punktu, a odczyt miernika
jest czytany ze standardowego wejścia. Na końcu wyjście jest zwalniane, jakkolwiek
przebieg się zakończy. Każde pytanie trafia na standardowe wyjście błędów i przyjmuje
jeden wiersz standardowego wejścia, więc skrypt może podać odpowiedzi (here-document).
O technika (gdy ustawienia go nie podają), temperaturę otoczenia, wilgotność i przyrząd
pyta najpierw, gdy ich nie podano. Przed procedurą standardowe wyjście błędów przypomina
o przełączeniu pętli sterowania na pracę ręczną, chyba że ustawienia doxa-win to wyłączają.
Przebieg kończy się bez adiustacji (adiustacja w oknach kalibracji doxa-win).
Na standardowe wyjście trafia jeden wiersz na punkt z jego błędem i oceną, identyfikator
zdarzenia i sposób zakończenia przebiegu. Każdy rekord trafia do historii serwisowej
w chwili powstania; przebieg przerwany jest zapisywany jako przerwany. Status 2 dla
warunków, które procedura odrzuca (w tym przyrządu po terminie ważności świadectwa),
lub standardowego wejścia, które kończy się przedwcześnie, 3, gdy przetwornik odmówił
wysterowania wyjścia, 1, gdy przestał odpowiadać; punkty poza tolerancją są zgłaszane,
nie są błędem przebiegu.
</source>
        <translation>Identifies the transmitter and runs doxa-win&apos;s &quot;Procedura kalibracji&quot;: the conditions are
recorded, then each test point as found. For an input point the value to set at the
reference is printed and the value actually applied is read from standard input; the
transmitter&apos;s reading is taken five times and the mean judged. For an output point the
output is forced to the point and the meter&apos;s reading is read from standard input. The
output is released at the end however the run ends. Every question goes to standard error
and takes one line of standard input, so a script can feed the answers (a here-document).
The technician (when the settings name none), the ambient temperature, the humidity and the
instrument are asked for first when not given. Before the procedure, standard error reminds
to take the control loop out of automatic control, unless doxa-win&apos;s settings switch it off.
The run ends without an adjustment (adjust in doxa-win&apos;s calibration dialogs). Standard
output gets one line per point with its error and verdict, the event&apos;s id and how the run
ended. Every record is in the service history as it is made; a run cut short is recorded as
interrupted. Status 2 for conditions the procedure refuses (an expired instrument among them)
or standard input that ends early, 3 when the transmitter refused to drive its output, 1 when
it stopped answering; points outside their tolerance are told, not a failure of the run.
</translation>
    </message>
    <message>
        <source>powodzenie</source>
        <translation>success</translation>
    </message>
    <message>
        <source>brak odpowiedzi: przetwornik nie odpowiedział na czas</source>
        <translation>no answer: the transmitter did not answer in time</translation>
    </message>
    <message>
        <source>błędne dane: nieznana opcja, błędna wartość lub adres, nieużyteczny plik</source>
        <translation>bad input: unknown option, bad value or address, unusable file</translation>
    </message>
    <message>
        <source>brak potwierdzenia: przetwornik nie potwierdził tego, co zapisano</source>
        <translation>not confirmed: the transmitter did not confirm what was written</translation>
    </message>
    <message>
        <source>nie można otworzyć portu</source>
        <translation>the port could not be opened</translation>
    </message>
    <message>
        <source>stan urządzenia: przetwornik zgłosił awarię, przerwę czujnika
        lub PV poza granicami (1 ma pierwszeństwo, gdy zabrakło wartości)</source>
        <translation>device status: the transmitter reported a malfunction, a sensor
        break or its PV out of limits (1 wins when a value was missing)</translation>
    </message>
    <message>
        <source>nie udało się zachować rekordu serwisowego (wypisany jako JSON na
        standardowe wyjście błędów)</source>
        <translation>a service record could not be kept (printed on standard error as JSON)</translation>
    </message>
    <message>
        <source>przerwano przez Ctrl-C lub SIGTERM (linia została zwolniona; rekord
        serwisowy w drodze czeka w pliku lokalnym)</source>
        <translation>interrupted by Ctrl-C or SIGTERM (the line was released; a service
        record on its way waits in the local file)</translation>
    </message>
    <message>
        <source>nieznany czujnik &apos;%1&apos; (znane: %2)</source>
        <translation>unknown sensor &apos;%1&apos; (known: %2)</translation>
    </message>
    <message>
        <source>przerwano</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>zdarzenia kalibracji %1 nie ma w historii %2</source>
        <translation>the calibration event %1 is not in the history %2</translation>
    </message>
    <message>
        <source>zdarzenie %1, kod %2</source>
        <translation>event %1, code %2</translation>
    </message>
    <message>
        <source>zdarzenie %1, kod świadectwa %2, kod z historii %3</source>
        <translation>event %1, certificate&apos;s code %2, history&apos;s code %3</translation>
    </message>
    <message>
        <source>%1: nie można odczytać pliku</source>
        <translation>%1: the file cannot be read</translation>
    </message>
    <message>
        <source>%1: nie znaleziono kodu weryfikacyjnego świadectwa kalibracji</source>
        <translation>%1: no verification code of a calibration certificate found</translation>
    </message>
    <message>
        <source>nie ma świadectwa %1 w historii %2</source>
        <translation>no certificate %1 in the history %2</translation>
    </message>
    <message>
        <source>Czas</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Nr seryjny</source>
        <translation>Serial no.</translation>
    </message>
    <message>
        <source>Rodzaj</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Wynik</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>Zastane → pozostawione (wzorzec)</source>
        <translation>As found → as left (reference)</translation>
    </message>
    <message>
        <source>nieznana baza</source>
        <translation>unknown database</translation>
    </message>
    <message>
        <source>[czeka na: %1]</source>
        <translation>[waiting for: %1]</translation>
    </message>
    <message>
        <source>Ostatnia kalibracja</source>
        <translation>Last calibration</translation>
    </message>
    <message>
        <source>Interwał</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>Termin</source>
        <translation>Due</translation>
    </message>
    <message>
        <source>%1 mies.</source>
        <translation>%1 mo.</translation>
    </message>
    <message>
        <source>świadectwo nie zgadza się ze swoim zdarzeniem w historii</source>
        <translation>the certificate does not match its event in the history</translation>
    </message>
    <message>
        <source>Typ przetwornika:</source>
        <translation>Transmitter type:</translation>
    </message>
    <message>
        <source>Nr seryjny:</source>
        <translation>Serial no.:</translation>
    </message>
    <message>
        <source>Typ czujnika:</source>
        <translation>Sensor type:</translation>
    </message>
    <message>
        <source>Rodzaj wyjścia:</source>
        <translation>Output type:</translation>
    </message>
    <message>
        <source>Sygnalizacja przerwy:</source>
        <translation>Break signal:</translation>
    </message>
    <message>
        <source>Zakres min:</source>
        <translation>Range min:</translation>
    </message>
    <message>
        <source>Zakres max:</source>
        <translation>Range max:</translation>
    </message>
    <message>
        <source>Próg:</source>
        <translation>Threshold:</translation>
    </message>
    <message>
        <source>Histereza:</source>
        <translation>Hysteresis:</translation>
    </message>
    <message>
        <source>Filtracja:</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <source>Adres:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source> (%1 odpowiedział, po czym zamilkł)</source>
        <translation> (%1 answered, then stopped)</translation>
    </message>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Świadectwo</source>
        <translation>Certificate</translation>
    </message>
    <message>
        <source>Ważny do</source>
        <translation>Valid until</translation>
    </message>
    <message>
        <source>Niepewność</source>
        <translation>Uncertainty</translation>
    </message>
    <message>
        <source>Urządzenie</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Opis</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Dostęp</source>
        <translation>Access</translation>
    </message>
    <message>
        <source>tak</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>nie ma żadnego urządzenia szeregowego</source>
        <translation>no serial device is present</translation>
    </message>
    <message>
        <source>Typ czujnika</source>
        <translation>Sensor type</translation>
    </message>
    <message>
        <source>Zakres min</source>
        <translation>Range min</translation>
    </message>
    <message>
        <source>Zakres max</source>
        <translation>Range max</translation>
    </message>
    <message>
        <source>Filtracja</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Sygnalizacja przerwy</source>
        <translation>Break signal</translation>
    </message>
    <message>
        <source>Próg aktywny</source>
        <translation>Threshold active</translation>
    </message>
    <message>
        <source>nie</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Kierunek progu</source>
        <translation>Threshold direction</translation>
    </message>
    <message>
        <source>Próg</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>Histereza</source>
        <translation>Hysteresis</translation>
    </message>
    <message>
        <source>bez zmian</source>
        <translation>no change</translation>
    </message>
    <message>
        <source>%1, nr %2 → %3</source>
        <translation>%1, no. %2 → %3</translation>
    </message>
    <message>
        <source>%1 zawiera konfigurację modelu %2, a przetwornik to %3 (--any-model mimo to ją zapisze)</source>
        <translation>%1 holds the configuration of a %2, the transmitter is a %3 (--any-model writes it all the same)</translation>
    </message>
    <message>
        <source>brak odpowiedzi od %1 w ciągu %2 s%3</source>
        <translation>no answer from %1 within %2 s%3</translation>
    </message>
    <message>
        <source>%1 z %2 cykli bez wartości PV od %3</source>
        <translation>%1 of %2 cycles without a primary value from %3</translation>
    </message>
    <message>
        <source>%1 z %2 cykli, w których %3 zgłosił awarię, przerwę czujnika lub PV poza granicami</source>
        <translation>%1 of %2 cycles in which %3 reported a malfunction, a sensor break or its PV out of limits</translation>
    </message>
    <message>
        <source>Zobacz &apos;%1&apos;.</source>
        <translation>Try &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>nie podano polecenia</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>nieznane polecenie &apos;%1&apos;</source>
        <translation>unknown command &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>doxa::cli::ConsoleProcedure</name>
    <message>
        <source>Zdarzenie: %1</source>
        <translation>Event: %1</translation>
    </message>
    <message>
        <source>Technik (imię i nazwisko)</source>
        <translation>Technician (full name)</translation>
    </message>
    <message>
        <source>Temperatura otoczenia [°C]</source>
        <translation>Ambient temperature [°C]</translation>
    </message>
    <message>
        <source>Wilgotność względna [%]</source>
        <translation>Relative humidity [%]</translation>
    </message>
    <message>
        <source>Przyrząd wzorcowy (id lub numer seryjny z rejestru)</source>
        <translation>Reference instrument (id or serial number from the register)</translation>
    </message>
    <message>
        <source>bez historii serwisowej nie ma rejestru przyrządów wzorcowych</source>
        <translation>no register of reference instruments is kept without the service history</translation>
    </message>
    <message>
        <source>w rejestrze przyrządów wzorcowych nie ma przyrządu &apos;%1&apos;</source>
        <translation>no instrument &apos;%1&apos; in the register of reference instruments</translation>
    </message>
    <message>
        <source>--tolerance-unit przyjmuje jedną z jednostek tego wejścia, a nie &apos;%1&apos;</source>
        <translation>--tolerance-unit takes one of the units of this input, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>przerwano</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>standardowe wejście skończyło się przed końcem kalibracji</source>
        <translation>standard input ended before the calibration did</translation>
    </message>
</context>
<context>
    <name>doxa::cli::CycleWriter</name>
    <message>
        <source>PV: %1   Wyjście: %2</source>
        <translation>PV: %1   Output: %2</translation>
    </message>
    <message>
        <source>   Temp. otocz.: %1</source>
        <translation>   Ambient: %1</translation>
    </message>
    <message>
        <source>   Status: %1</source>
        <translation>   Status: %1</translation>
    </message>
</context>
<context>
    <name>doxa::cli::Parser</name>
    <message>
        <source>brak argumentu</source>
        <translation>missing operand</translation>
    </message>
    <message>
        <source>nadmiarowy argument &apos;%1&apos;</source>
        <translation>unexpected operand &apos;%1&apos;</translation>
    </message>
    <message>
        <source>wymagane jest --port</source>
        <translation>--port is required</translation>
    </message>
    <message>
        <source>--baud i --parity dotyczą --rs485 (HART pracuje z prędkością 1200 bodów, parzystość nieparzysta)</source>
        <translation>--baud and --parity are for --rs485 (HART runs at 1200 baud, odd parity)</translation>
    </message>
    <message>
        <source>--json i --csv wykluczają się wzajemnie</source>
        <translation>--json and --csv exclude each other</translation>
    </message>
    <message>
        <source>wymagane jest -o FILE</source>
        <translation>-o FILE is required</translation>
    </message>
    <message>
        <source>--from nie może być większe niż --to</source>
        <translation>--from must not be past --to</translation>
    </message>
    <message>
        <source>--hand-over niczego nie wypisuje: nie przyjmuje --serial, --model, --since, --json ani --csv</source>
        <translation>--hand-over lists nothing: it takes no --serial, --model, --since, --json or --csv</translation>
    </message>
    <message>
        <source>--due wypisuje przetworniki: nie przyjmuje --since, --csv ani --hand-over</source>
        <translation>--due lists transmitters: it takes no --since, --csv or --hand-over</translation>
    </message>
    <message>
        <source>--verify i --certificate sprawdzają jedno świadectwo: podaj jedno z nich</source>
        <translation>--verify and --certificate check one certificate: give one of them</translation>
    </message>
    <message>
        <source>--verify i --certificate niczego nie wypisują: nie przyjmują --hand-over, --serial, --model, --since, --json ani --csv</source>
        <translation>--verify and --certificate list nothing: they take no --hand-over, --serial, --model, --since, --json or --csv</translation>
    </message>
    <message>
        <source>wymagane jest --sensor</source>
        <translation>--sensor is required</translation>
    </message>
    <message>
        <source>podaj jedno z --celsius, --ohm i --mv</source>
        <translation>give one of --celsius, --ohm and --mv</translation>
    </message>
    <message>
        <source>nieznana opcja %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>%1 nie przyjmuje wartości</source>
        <translation>%1 takes no value</translation>
    </message>
    <message>
        <source>%1 wymaga wartości (%2)</source>
        <translation>%1 needs a value (%2)</translation>
    </message>
    <message>
        <source>--port wymaga nazwy portu</source>
        <translation>--port needs a port</translation>
    </message>
    <message>
        <source>--baud przyjmuje 1200, 4800, 9600, 19200 lub 38400, a nie &apos;%1&apos;</source>
        <translation>--baud takes 1200, 4800, 9600, 19200 or 38400, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--parity przyjmuje odd lub none, a nie &apos;%1&apos;</source>
        <translation>--parity takes odd or none, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>%1 przyjmuje 0..127, a nie &apos;%2&apos;</source>
        <translation>%1 takes 0..127, not &apos;%2&apos;</translation>
    </message>
    <message>
        <source>--timeout przyjmuje 1..86400 sekund, a nie &apos;%1&apos;</source>
        <translation>--timeout takes 1..86400 seconds, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--count przyjmuje liczbę całkowitą od 1, a nie &apos;%1&apos;</source>
        <translation>--count takes a whole number from 1, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>-o wymaga nazwy pliku</source>
        <translation>-o needs a file name</translation>
    </message>
    <message>
        <source>--serial przyjmuje liczbę całkowitą od 0, a nie &apos;%1&apos;</source>
        <translation>--serial takes a whole number from 0, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--since przyjmuje datę (2025-03-01) lub czas ISO 8601, a nie &apos;%1&apos;</source>
        <translation>--since takes a date (2025-03-01) or an ISO 8601 time, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--db wymaga nazwy pliku lub URL postgresql://</source>
        <translation>--db needs a file name or a postgresql:// URL</translation>
    </message>
    <message>
        <source>--sensor wymaga identyfikatora czujnika</source>
        <translation>--sensor needs a sensor id</translation>
    </message>
    <message>
        <source>--due przyjmuje 0..%1 dni, a nie &apos;%2&apos;</source>
        <translation>--due takes 0..%1 days, not &apos;%2&apos;</translation>
    </message>
    <message>
        <source>--verify wymaga pliku PDF świadectwa</source>
        <translation>--verify needs the certificate&apos;s PDF file</translation>
    </message>
    <message>
        <source>--certificate wymaga numeru świadectwa</source>
        <translation>--certificate needs the certificate&apos;s number</translation>
    </message>
    <message>
        <source>--hand-over wymaga nazwy pliku, URL postgresql:// lub unknown</source>
        <translation>--hand-over needs a file name, a postgresql:// URL or unknown</translation>
    </message>
    <message>
        <source>%1 przyjmuje liczbę, np. 21.5, a nie &apos;%2&apos;</source>
        <translation>%1 takes a number such as 21.5, not &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>ten tekst</source>
        <translation>this text</translation>
    </message>
    <message>
        <source>Status wyjścia:</source>
        <translation>Exit status:</translation>
    </message>
    <message>
        <source>Użycie: doxa-cli COMMAND --port PORT [OPTION]...
        doxa-cli history [OPTION]...
        doxa-cli ports [--json]
        doxa-cli convert --sensor ID (--celsius T | --ohm R | --mv U) [--cold-junction T] [--json]
        doxa-cli calibrate --port PORT [OPTION]... &lt;wpisane wartości
        doxa-cli [COMMAND] --help
        doxa-cli --version
Komunikuje się z jednym przetwornikiem temperatury DOXA/RIVO/SAWE tak samo jak doxa-win.

Polecenia:
</source>
        <translation>Usage: doxa-cli COMMAND --port PORT [OPTION]...
       doxa-cli history [OPTION]...
       doxa-cli ports [--json]
       doxa-cli convert --sensor ID (--celsius T | --ohm R | --mv U) [--cold-junction T] [--json]
       doxa-cli calibrate --port PORT [OPTION]... &lt;typed values
       doxa-cli [COMMAND] --help
       doxa-cli --version
Talks to one DOXA/RIVO/SAWE temperature transmitter with the same exchanges as doxa-win.

Commands:
</translation>
    </message>
    <message>
        <source>
identify, read, write, watch i finder przyjmują --fast: te same zapytania, każda
odpowiedź odczytywana, gdy tylko jest cała, następne zapytanie po przerwie
właściwej linii.
&apos;doxa-cli COMMAND --help&apos; podaje opcje polecenia, &apos;man doxa-cli&apos; więcej.

</source>
        <translation>
identify, read, write, watch and finder take --fast: the same requests, each answer
read as soon as it is whole, the next request after the line&apos;s own gap.
Run &apos;doxa-cli COMMAND --help&apos; for the options of a command, &apos;man doxa-cli&apos; for more.

</translation>
    </message>
    <message>
        <source>Użycie: doxa-cli %1</source>
        <translation>Usage: doxa-cli %1</translation>
    </message>
    <message>
        <source>Opcje:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>--ohm dotyczy termometru rezystancyjnego; %1 daje mV</source>
        <translation>--ohm is for a resistance thermometer; %1 gives mV</translation>
    </message>
    <message>
        <source>--mv dotyczy termopary; %1 daje Ohm</source>
        <translation>--mv is for a thermocouple; %1 gives Ohm</translation>
    </message>
    <message>
        <source>--cold-junction dotyczy termopary</source>
        <translation>--cold-junction is for a thermocouple</translation>
    </message>
    <message>
        <source>przekazane rekordy serwisowe: %1, z %2 do %3</source>
        <translation>%1 service record(s) handed over from %2 to %3</translation>
    </message>
    <message>
        <source>zgodny</source>
        <translation>pass</translation>
    </message>
    <message>
        <source>niezgodny</source>
        <translation>fail</translation>
    </message>
</context>
</TS>
