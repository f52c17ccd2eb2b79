<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>CHistoryDlg</name>
    <message>
        <source>do kalibracji: %1</source>
        <translation>calibration due: %1</translation>
    </message>
    <message>
        <source>%1   po terminie</source>
        <translation>%1   overdue</translation>
    </message>
    <message>
        <source>%1   nr %2   %3</source>
        <translation>%1   no. %2   %3</translation>
    </message>
    <message>
        <source>%1   %2   %3   %4 → %5</source>
        <translation>%1   %2   %3   %4 → %5</translation>
    </message>
</context>
<context>
    <name>HistoryDatabase</name>
    <message>
        <source>Baza historii serwisowej %1 ma schemat w wersji %2, nowszej niż znane temu programowi (do %3); program zostawia ją bez zmian.</source>
        <translation>The service history database %1 has schema version %2, newer than this program knows (up to %3); the program leaves it unchanged.</translation>
    </message>
    <message>
        <source>Baza historii serwisowej %1 jest uszkodzona: %2</source>
        <translation>The service history database %1 is damaged: %2</translation>
    </message>
</context>
<context>
    <name>HistoryDlg</name>
    <message>
        <source>Historia przetwornika</source>
        <translation>Transmitter history</translation>
    </message>
    <message>
        <source>Nr seryjny:</source>
        <translation>Serial no.:</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>Od dnia (RRRR-MM-DD):</source>
        <translation>Since (YYYY-MM-DD):</translation>
    </message>
    <message>
        <source>Filtruj</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Do kalibracji</source>
        <translation>Due for calibration</translation>
    </message>
    <message>
        <source>w ciągu dni:</source>
        <translation>within days:</translation>
    </message>
    <message>
        <source>Przetworniki (model, nr seryjny, ostatnio widziany):</source>
        <translation>Transmitters (model, serial no., last seen):</translation>
    </message>
    <message>
        <source>Wpisy (czas, rodzaj, wynik, zastane → pozostawione):</source>
        <translation>Records (time, kind, outcome, as found → as left):</translation>
    </message>
    <message>
        <source>Przerwij</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Starsze wpisy</source>
        <translation>Older records</translation>
    </message>
    <message>
        <source>Eksport CSV...</source>
        <translation>Export CSV...</translation>
    </message>
    <message>
        <source>Świadectwo kalibracji...</source>
        <translation>Calibration certificate...</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>HistoryInstrumentRegister</name>
    <message>
        <source>%1, a kopii lokalnej nie ma.</source>
        <translation>%1, and there is no local copy.</translation>
    </message>
    <message>
        <source>Zmiana nie została zapisana w rejestrze przyrządów wzorcowych: %1</source>
        <translation>The change was not saved in the reference instrument register: %1</translation>
    </message>
    <message>
        <source>%1. Kopia lokalna w %2 służy tylko do odczytu.</source>
        <translation>%1. The local copy in %2 is read-only.</translation>
    </message>
</context>
<context>
    <name>ReferenceInstrumentDlg</name>
    <message>
        <source>Przyrząd wzorcowy</source>
        <translation>Reference instrument</translation>
    </message>
    <message>
        <source>Tolerancja temperatury [°C]:</source>
        <translation>Temperature tolerance [°C]:</translation>
    </message>
    <message>
        <source>Tolerancja wejścia [Ohm lub mV]:</source>
        <translation>Input tolerance [Ohm or mV]:</translation>
    </message>
    <message>
        <source>Tolerancja wyjścia [mA lub V]:</source>
        <translation>Output tolerance [mA or V]:</translation>
    </message>
    <message>
        <source>Pusta tolerancja: świadectwo nie ocenia punktów.</source>
        <translation>Empty tolerance: the certificate does not judge the points.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ReferenceInstrumentsDlg</name>
    <message>
        <source>Przyrządy wzorcowe</source>
        <translation>Reference instruments</translation>
    </message>
    <message>
        <source>Przyrządy w rejestrze:</source>
        <translation>Instruments in the register:</translation>
    </message>
    <message>
        <source>Nazwa:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>Numer seryjny:</source>
        <translation>Serial number:</translation>
    </message>
    <message>
        <source>Nr świadectwa wzorcowania:</source>
        <translation>Calibration certificate no.:</translation>
    </message>
    <message>
        <source>Ważny do (RRRR-MM-DD):</source>
        <translation>Valid until (YYYY-MM-DD):</translation>
    </message>
    <message>
        <source>Niepewność, jedna w wierszu: wartość, jednostka, (k=...), zakres, np. 0,02 mA (k=2) od 4 do 20</source>
        <translation>Uncertainty, one per line: value, unit, (k=...), range, e.g. 0,02 mA (k=2) od 4 do 20</translation>
    </message>
    <message>
        <source>Zapisz zmiany</source>
        <translation>Save changes</translation>
    </message>
    <message>
        <source>Dodaj nowy</source>
        <translation>Add new</translation>
    </message>
    <message>
        <source>Wycofaj</source>
        <translation>Retire</translation>
    </message>
    <message>
        <source>Zmiany wybranego przyrządu (kto, kiedy, było → jest):</source>
        <translation>Changes of the chosen instrument (who, when, was → is):</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>doxa</name>
    <message>
        <source>Wejście [%1]</source>
        <translation>Input [%1]</translation>
    </message>
    <message>
        <source>Wejście</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Wyjście</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>Kompensacja [°C]</source>
        <translation>Compensation [°C]</translation>
    </message>
    <message>
        <source>%1  Trim ustawiony</source>
        <translation>%1  Trim set</translation>
    </message>
    <message>
        <source>%1  Trim anulowany</source>
        <translation>%1  Trim cancelled</translation>
    </message>
    <message>
        <source>Przetwornik</source>
        <translation>Transmitter</translation>
    </message>
    <message>
        <source>Numer seryjny</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Adres</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Linia</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Data kalibracji</source>
        <translation>Calibration date</translation>
    </message>
    <message>
        <source>Wykonał</source>
        <translation>Performed by</translation>
    </message>
    <message>
        <source>Przyrząd wzorcowy</source>
        <translation>Reference instrument</translation>
    </message>
    <message>
        <source>Numer seryjny przyrządu</source>
        <translation>Instrument serial number</translation>
    </message>
    <message>
        <source>Niepewność przyrządu</source>
        <translation>Instrument uncertainty</translation>
    </message>
    <message>
        <source>Tolerancja temperatury</source>
        <translation>Temperature tolerance</translation>
    </message>
    <message>
        <source>Tolerancja wejścia</source>
        <translation>Input tolerance</translation>
    </message>
    <message>
        <source>Tolerancja wyjścia</source>
        <translation>Output tolerance</translation>
    </message>
    <message>
        <source>Punkt</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>Wzorzec</source>
        <translation>Reference</translation>
    </message>
    <message>
        <source>Zastane</source>
        <translation>As found</translation>
    </message>
    <message>
        <source>Różnica</source>
        <translation>Difference</translation>
    </message>
    <message>
        <source>Ocena</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Pozostawione</source>
        <translation>As left</translation>
    </message>
    <message>
        <source>Odczyt</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Tolerancja</source>
        <translation>Tolerance</translation>
    </message>
    <message>
        <source>Błąd (druga jedn.)</source>
        <translation>Error (other unit)</translation>
    </message>
    <message>
        <source>Regulacja %1: %2 — %3</source>
        <translation>Adjustment %1: %2 — %3</translation>
    </message>
    <message>
        <source>Bez regulacji</source>
        <translation>No adjustment</translation>
    </message>
    <message>
        <source>Numer świadectwa</source>
        <translation>Certificate number</translation>
    </message>
    <message>
        <source>Data wystawienia</source>
        <translation>Date of issue</translation>
    </message>
    <message>
        <source>Następna kalibracja</source>
        <translation>Next calibration</translation>
    </message>
    <message>
        <source>Klient / zakład</source>
        <translation>Customer / site</translation>
    </message>
    <message>
        <source>Oznaczenie (tag)</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>%1, nr ser. %2</source>
        <translation>%1, serial no. %2</translation>
    </message>
    <message>
        <source>Czujnik, zakres</source>
        <translation>Sensor, range</translation>
    </message>
    <message>
        <source>Warunki otoczenia</source>
        <translation>Ambient conditions</translation>
    </message>
    <message>
        <source>Przebieg kalibracji</source>
        <translation>Calibration run</translation>
    </message>
    <message>
        <source>Wynik ogólny</source>
        <translation>Overall result</translation>
    </message>
    <message>
        <source>Reguła decyzyjna</source>
        <translation>Decision rule</translation>
    </message>
    <message>
        <source>Wersja programu</source>
        <translation>Program version</translation>
    </message>
    <message>
        <source>Kod weryfikacyjny</source>
        <translation>Verification code</translation>
    </message>
    <message>
        <source>Zapis nieczytelny: %1 — pominięty</source>
        <translation>Unreadable record: %1 — left out</translation>
    </message>
</context>
<context>
    <name>doxa::CertificatePage</name>
    <message>
        <source>Strona %1/%2</source>
        <translation>Page %1/%2</translation>
    </message>
    <message>
        <source>Uwagi:</source>
        <translation>Notes:</translation>
    </message>
    <message>
        <source>Podpis: ....................................</source>
        <translation>Signature: ....................................</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>po terminie</source>
        <translation>overdue</translation>
    </message>
    <message>
        <source>nie ustalono</source>
        <translation>not set</translation>
    </message>
    <message>
        <source>zgodny</source>
        <translation>pass</translation>
    </message>
    <message>
        <source>niezgodny</source>
        <translation>fail</translation>
    </message>
    <message>
        <source>%1, punkt górny</source>
        <translation>%1, upper point</translation>
    </message>
    <message>
        <source>%1, punkt dolny</source>
        <translation>%1, lower point</translation>
    </message>
    <message>
        <source>%1  %2: %3 — pominięty</source>
        <translation>%1  %2: %3 — left out</translation>
    </message>
    <message>
        <source>%1  %2: potwierdzone</source>
        <translation>%1  %2: confirmed</translation>
    </message>
    <message>
        <source>%1  %2: niepotwierdzone</source>
        <translation>%1  %2: not confirmed</translation>
    </message>
    <message>
        <source>%1  %2: brak odpowiedzi</source>
        <translation>%1  %2: no answer</translation>
    </message>
    <message>
        <source>%1  %2: odrzucone</source>
        <translation>%1  %2: refused</translation>
    </message>
    <message>
        <source>Świadectwo kalibracji</source>
        <translation>Calibration certificate</translation>
    </message>
    <message>
        <source>nie oceniono</source>
        <translation>not judged</translation>
    </message>
    <message>
        <source>Wejście %1 %</source>
        <translation>Input %1 %</translation>
    </message>
    <message>
        <source>Wyjście %1 %</source>
        <translation>Output %1 %</translation>
    </message>
    <message>
        <source>%1, nr ser. %2, świadectwo %3, ważne do %4</source>
        <translation>%1, serial no. %2, certificate %3, valid until %4</translation>
    </message>
    <message>
        <source>%1, wilgotność %2</source>
        <translation>%1, humidity %2</translation>
    </message>
    <message>
        <source>zakończona</source>
        <translation>finished</translation>
    </message>
    <message>
        <source>PRZERWANA</source>
        <translation>INTERRUPTED</translation>
    </message>
    <message>
        <source>PRZERWANA — %1</source>
        <translation>INTERRUPTED — %1</translation>
    </message>
    <message>
        <source>PROJEKT — bez numeru</source>
        <translation>DRAFT — no number</translation>
    </message>
    <message>
        <source>prosta akceptacja: zgodny, gdy |błąd| ≤ tolerancja</source>
        <translation>simple acceptance: pass when |error| ≤ tolerance</translation>
    </message>
    <message>
        <source>[nieczytelne: &quot;%1&quot;]</source>
        <translation>[unreadable: &quot;%1&quot;]</translation>
    </message>
    <message>
        <source>Historia nie zawiera pasujących wpisów.</source>
        <translation>The history holds no matching records.</translation>
    </message>
    <message>
        <source>Numer seryjny musi być liczbą całkowitą.</source>
        <translation>The serial number must be a whole number.</translation>
    </message>
    <message>
        <source>Datę należy podać jako RRRR-MM-DD.</source>
        <translation>Enter the date as YYYY-MM-DD.</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1.</source>
        <translation>Cannot write the file %1.</translation>
    </message>
    <message>
        <source>Łączenie z bazą...</source>
        <translation>Connecting to the database...</translation>
    </message>
    <message>
        <source>Żaden przetwornik nie czeka na kalibrację w tym terminie.</source>
        <translation>No transmitter is due for calibration within this time.</translation>
    </message>
    <message>
        <source>Liczbę dni należy podać jako liczbę całkowitą od 0 do 3660.</source>
        <translation>Enter the number of days as a whole number from 0 to 3660.</translation>
    </message>
    <message>
        <source>Przerwano czekanie na bazę: lista pokazuje tylko wpisy z pliku lokalnego.</source>
        <translation>Stopped waiting for the database: the list shows only the records of the local file.</translation>
    </message>
    <message>
        <source>Historia nie zawiera wpisów tego zdarzenia kalibracji.</source>
        <translation>The history holds no records of this calibration event.</translation>
    </message>
    <message>
        <source>Wpisu zdarzenia kalibracji nie można w całości odczytać z historii.</source>
        <translation>A record of the calibration event cannot be read from the history in full.</translation>
    </message>
    <message>
        <source>Wpisy zdarzenia kalibracji czekają na bazę historii: %1: %2</source>
        <translation>Records of the calibration event wait for the history database: %1: %2</translation>
    </message>
    <message>
        <source>Rejestr przyrządów wzorcowych w %1 jest nieosiągalny (%2)</source>
        <translation>The reference instrument register in %1 cannot be reached (%2)</translation>
    </message>
    <message>
        <source>%1; pokazana jest kopia lokalna z %2.</source>
        <translation>%1; the local copy from %2 is shown.</translation>
    </message>
    <message>
        <source>Identyfikacja</source>
        <translation>Identification</translation>
    </message>
    <message>
        <source>Programowanie</source>
        <translation>Programming</translation>
    </message>
    <message>
        <source>Kalibracja wejścia</source>
        <translation>Input calibration</translation>
    </message>
    <message>
        <source>Kalibracja wyjścia</source>
        <translation>Output calibration</translation>
    </message>
    <message>
        <source>Kompensacja</source>
        <translation>Compensation</translation>
    </message>
    <message>
        <source>Trim</source>
        <translation>Trim</translation>
    </message>
    <message>
        <source>Dane fabryczne</source>
        <translation>Factory data</translation>
    </message>
    <message>
        <source>Wymuszenie wyjścia</source>
        <translation>Forced output</translation>
    </message>
    <message>
        <source>Procedura kalibracji: warunki</source>
        <translation>Calibration procedure: conditions</translation>
    </message>
    <message>
        <source>Procedura kalibracji: punkt</source>
        <translation>Calibration procedure: point</translation>
    </message>
    <message>
        <source>Procedura kalibracji: koniec</source>
        <translation>Calibration procedure: end</translation>
    </message>
    <message>
        <source>potwierdzone</source>
        <translation>confirmed</translation>
    </message>
    <message>
        <source>niepotwierdzone</source>
        <translation>not confirmed</translation>
    </message>
    <message>
        <source>brak odpowiedzi</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>odrzucone</source>
        <translation>refused</translation>
    </message>
    <message>
        <source>Tolerancja musi być liczbą albo pozostać pusta.</source>
        <translation>The tolerance must be a number or stay empty.</translation>
    </message>
    <message>
        <source>Nie można zapisać ustawień programu</source>
        <translation>Cannot save the program settings</translation>
    </message>
    <message>
        <source>Podaj nazwę przyrządu.</source>
        <translation>Enter the instrument’s name.</translation>
    </message>
    <message>
        <source>Termin ważności wzorcowania musi być datą w postaci RRRR-MM-DD, np. 2027-03-31.</source>
        <translation>The calibration due date must be a date as YYYY-MM-DD, e.g. 2027-03-31.</translation>
    </message>
    <message>
        <source>Nie można odczytać niepewności „%1”. Wpisz ją w postaci 0,05 Ohm (k=2), z zakresem: 0,02 mA (k=2) od 4 do 20 (jednostki: Ohm, mV, mA, V, °C).</source>
        <translation>Cannot read the uncertainty “%1”. Enter it as 0,05 Ohm (k=2), with a range: 0,02 mA (k=2) od 4 do 20 (units: Ohm, mV, mA, V, °C).</translation>
    </message>
    <message>
        <source>Wycofać z rejestru przyrząd „%1”? Jego dane zostają przy kalibracjach nim wykonanych.</source>
        <translation>Retire instrument “%1” from the register? Its data stay with the calibrations made with it.</translation>
    </message>
    <message>
        <source>Kopia lokalna, tylko do odczytu. %1</source>
        <translation>Local copy, read-only. %1</translation>
    </message>
    <message>
        <source>%1   ważny do %2</source>
        <translation>%1   valid until %2</translation>
    </message>
    <message>
        <source>%1   %2   nazwa: %3</source>
        <translation>%1   %2   name: %3</translation>
    </message>
    <message>
        <source>%1   %2   model: %3</source>
        <translation>%1   %2   model: %3</translation>
    </message>
    <message>
        <source>%1   %2   nr seryjny: %3</source>
        <translation>%1   %2   serial no.: %3</translation>
    </message>
    <message>
        <source>%1   %2   nr świadectwa: %3</source>
        <translation>%1   %2   certificate no.: %3</translation>
    </message>
    <message>
        <source>%1   %2   ważny do: %3</source>
        <translation>%1   %2   valid until: %3</translation>
    </message>
    <message>
        <source>%1   %2   niepewność: %3</source>
        <translation>%1   %2   uncertainty: %3</translation>
    </message>
    <message>
        <source>%1   %2   wycofany z rejestru</source>
        <translation>%1   %2   retired from the register</translation>
    </message>
    <message>
        <source>%1   %2   przejęty z ustawień %3</source>
        <translation>%1   %2   taken over from the settings %3</translation>
    </message>
    <message>
        <source>%1   nr %2   ważny do %3</source>
        <translation>%1   no. %2   valid until %3</translation>
    </message>
</context>
</TS>
