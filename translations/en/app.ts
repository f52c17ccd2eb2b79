<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>AboutDlg</name>
    <message>
        <source>O DOXA_WIN</source>
        <translation>About DOXA_WIN</translation>
    </message>
    <message>
        <source>DOXA WIN Ver. 7.1.32</source>
        <translation>DOXA WIN Ver. 7.1.32</translation>
    </message>
    <message>
        <source>uaktualnienia</source>
        <translation>updates</translation>
    </message>
    <message>
        <source>www.doxa-win.example</source>
        <translation>www.doxa-win.example</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>Program będzie używał wybranego języka od następnego uruchomienia.</source>
        <translation>The program will use the chosen language from its next start.</translation>
    </message>
</context>
<context>
    <name>CPortDlg</name>
    <message>
        <source>%1 → %2 (zapisane po OK)</source>
        <translation>%1 → %2 (saved on OK)</translation>
    </message>
</context>
<context>
    <name>PortDlg</name>
    <message>
        <source>Port szeregowy</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>Wybierz port komunikacyjny</source>
        <translation>Choose the communication port</translation>
    </message>
    <message>
        <source>com1 :</source>
        <translation>com1 :</translation>
    </message>
    <message>
        <source>com2 :</source>
        <translation>com2 :</translation>
    </message>
    <message>
        <source>com3 :</source>
        <translation>com3 :</translation>
    </message>
    <message>
        <source>com4 :</source>
        <translation>com4 :</translation>
    </message>
    <message>
        <source>com5:</source>
        <translation>com5:</translation>
    </message>
    <message>
        <source>com6:</source>
        <translation>com6:</translation>
    </message>
    <message>
        <source>com7:</source>
        <translation>com7:</translation>
    </message>
    <message>
        <source>com8:</source>
        <translation>com8:</translation>
    </message>
    <message>
        <source>com9:</source>
        <translation>com9:</translation>
    </message>
    <message>
        <source>com10:</source>
        <translation>com10:</translation>
    </message>
    <message>
        <source>com11:</source>
        <translation>com11:</translation>
    </message>
    <message>
        <source>com12:</source>
        <translation>com12:</translation>
    </message>
    <message>
        <source>Urządzenia szeregowe (wybrane zostanie przypisane do portu):</source>
        <translation>Serial devices (the one selected is assigned to the port):</translation>
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
    <name>QtSettingsStore</name>
    <message>
        <source>Plik ustawień %1 nie jest zwykłym plikiem i nie został wczytany. Program używa ustawień domyślnych i nie zapisze zmian.</source>
        <translation>The settings file %1 is not a regular file and was not read. The program uses the default settings and will not save changes.</translation>
    </message>
    <message>
        <source>Plik ustawień %1 jest za duży (ponad 1 MB) i nie został wczytany. Program używa ustawień domyślnych i nie zapisze zmian.</source>
        <translation>The settings file %1 is too large (over 1 MB) and was not read. The program uses the default settings and will not save changes.</translation>
    </message>
    <message>
        <source>Plik ustawień %1 jest za duży (ponad 1 MB) i nie został wczytany; zachowano go jako %2. Program zaczyna od ustawień domyślnych.</source>
        <translation>The settings file %1 is too large (over 1 MB) and was not read; it was kept as %2. The program starts from the default settings.</translation>
    </message>
</context>
<context>
    <name>StatusPanelBar</name>
    <message>
        <source>Błędy kom.</source>
        <translation>Comm. errors</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>doxa</name>
    <message>
        <source>Dane DOXA(*.prg)</source>
        <translation>DOXA data(*.prg)</translation>
    </message>
    <message>
        <source>Pliki CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Otwórz ten dokument</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <source>Wciśnij F1, aby uzyskać pomoc </source>
        <translation>Press F1 for help </translation>
    </message>
    <message>
        <source>Pasek narzędzi</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Wyjście przetwornika jest ustawione na stałą wartość. Zwolnij je przyciskiem Zeruj w oknie Ustaw prąd wy.</source>
        <translation>The transmitter output is set to a fixed value. Release it with the Reset button in the Set output current window.</translation>
    </message>
    <message>
        <source>Rekordy historii czekają na bazę: %1</source>
        <translation>History records awaiting database: %1</translation>
    </message>
    <message>
        <source>Tak</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Nie</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Odczyt RAM</source>
        <translation>Read RAM</translation>
    </message>
    <message>
        <source>Odczyt EEPROM</source>
        <translation>Read EEPROM</translation>
    </message>
    <message>
        <source>Odczyt</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>Zapis</source>
        <translation>Writing</translation>
    </message>
    <message>
        <source>&amp;Nowe	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>Otwórz nowy dokument</source>
        <translation>Open a new document</translation>
    </message>
    <message>
        <source>&amp;Pobierz...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>Otwórz instniejący dokument</source>
        <translation>Open an existing document</translation>
    </message>
    <message>
        <source>Za&amp;chowaj	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>Zachowaj aktywny dokument</source>
        <translation>Save the active document</translation>
    </message>
    <message>
        <source>Zac&amp;howaj jako...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>Zachowaj aktywny dokument z nową nazwą</source>
        <translation>Save the active document under a new name</translation>
    </message>
    <message>
        <source>Kopie zapasowe...</source>
        <translation>Backups...</translation>
    </message>
    <message>
        <source>Otwórz konfigurację zapisaną przed programowaniem</source>
        <translation>Open a configuration saved before programming</translation>
    </message>
    <message>
        <source>Historia przetwornika...</source>
        <translation>Transmitter history...</translation>
    </message>
    <message>
        <source>Pokazuje, co zrobiono z przetwornikami</source>
        <translation>Shows what was done to the transmitters</translation>
    </message>
    <message>
        <source>&amp;Drukuj</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Drukuje ustawienia przetwornika</source>
        <translation>Prints the transmitter settings</translation>
    </message>
    <message>
        <source>Eksport do PDF</source>
        <translation>Export to PDF</translation>
    </message>
    <message>
        <source>Zapisuje raport ustawień przetwornika w pliku PDF</source>
        <translation>Saves the transmitter settings report as a PDF file</translation>
    </message>
    <message>
        <source>Poprzednie</source>
        <translation>Recent</translation>
    </message>
    <message>
        <source>&amp;Wyjście</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Wyjście z aplikacji</source>
        <translation>Exit the application</translation>
    </message>
    <message>
        <source>&amp;Inicjalizacja</source>
        <translation>&amp;Initialization</translation>
    </message>
    <message>
        <source>Inicjalizacja programu</source>
        <translation>Initialize the program</translation>
    </message>
    <message>
        <source>&amp;Wyświetlanie</source>
        <translation>&amp;Display</translation>
    </message>
    <message>
        <source>Wyświetlanie danych pomiarowych</source>
        <translation>Display the measured values</translation>
    </message>
    <message>
        <source>P&amp;rogramowanie</source>
        <translation>&amp;Programming</translation>
    </message>
    <message>
        <source>Programowanie przetwornika</source>
        <translation>Program the transmitter</translation>
    </message>
    <message>
        <source>&amp;Kalibracja</source>
        <translation>&amp;Calibration</translation>
    </message>
    <message>
        <source>Kalibracja przetwornika</source>
        <translation>Calibrate the transmitter</translation>
    </message>
    <message>
        <source>Procedura kalibracji...</source>
        <translation>Calibration procedure...</translation>
    </message>
    <message>
        <source>Kalibracja ze stanem zastanym i pozostawionym, zapisana jako jedno zdarzenie</source>
        <translation>Calibration with as-found and as-left states, recorded as one event</translation>
    </message>
    <message>
        <source>&amp;Czujnik</source>
        <translation>&amp;Sensor</translation>
    </message>
    <message>
        <source>Dane czujnika</source>
        <translation>Sensor data</translation>
    </message>
    <message>
        <source>&amp;Tekst</source>
        <translation>&amp;Text</translation>
    </message>
    <message>
        <source>Tekst ASCII zapisany w przetworniku</source>
        <translation>ASCII text stored in the transmitter</translation>
    </message>
    <message>
        <source>&amp;Ustaw prąd wy.</source>
        <translation>Set &amp;output current</translation>
    </message>
    <message>
        <source>Ustawia prąd wyjściowy</source>
        <translation>Sets the output current</translation>
    </message>
    <message>
        <source>&amp;Hasła</source>
        <translation>Pass&amp;words</translation>
    </message>
    <message>
        <source>Zmiana haseł</source>
        <translation>Change the passwords</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>&amp;Port</translation>
    </message>
    <message>
        <source>Wybierz port szeregowy</source>
        <translation>Choose the serial port</translation>
    </message>
    <message>
        <source>Transmisja</source>
        <translation>Transmission</translation>
    </message>
    <message>
        <source>Przetwornik</source>
        <translation>Transmitter</translation>
    </message>
    <message>
        <source>Potwierdzanie zmian przed zapisem</source>
        <translation>Confirm changes before writing</translation>
    </message>
    <message>
        <source>Przed programowaniem pokazuje, które wartości się zmienią</source>
        <translation>Shows which values will change before programming</translation>
    </message>
    <message>
        <source>Przyrząd wzorcowy...</source>
        <translation>Reference instrument...</translation>
    </message>
    <message>
        <source>Przyrząd wzorcowy i tolerancje podawane na świadectwie kalibracji</source>
        <translation>Reference instrument and tolerances stated on the calibration certificate</translation>
    </message>
    <message>
        <source>Przyrządy wzorcowe...</source>
        <translation>Reference instruments...</translation>
    </message>
    <message>
        <source>Rejestr przyrządów wzorcowych: świadectwa, terminy wzorcowania, niepewności i historia zmian</source>
        <translation>Register of reference instruments: certificates, calibration due dates, uncertainties and change history</translation>
    </message>
    <message>
        <source>Rejestry (MODBUS)</source>
        <translation>Registers (MODBUS)</translation>
    </message>
    <message>
        <source>&amp;Monitor linii</source>
        <translation>Line &amp;monitor</translation>
    </message>
    <message>
        <source>Monitor transmisji</source>
        <translation>Transmission monitor</translation>
    </message>
    <message>
        <source>&amp;Komenda HART</source>
        <translation>HART &amp;command</translation>
    </message>
    <message>
        <source>Wysyła wpisaną komendę HART</source>
        <translation>Sends the HART command typed in</translation>
    </message>
    <message>
        <source>&amp;Ustawienia fabryczne</source>
        <translation>&amp;Factory settings</translation>
    </message>
    <message>
        <source>Przywraca fabryczną kalibrację</source>
        <translation>Restores the factory calibration</translation>
    </message>
    <message>
        <source>Ustaw DELTA</source>
        <translation>Set DELTA</translation>
    </message>
    <message>
        <source>&amp;Szukaj przetwornika</source>
        <translation>Find &amp;transmitter</translation>
    </message>
    <message>
        <source>Szuka przetwornika, który nie odpowiada</source>
        <translation>Searches for a transmitter that does not answer</translation>
    </message>
    <message>
        <source>Statystyka łącza</source>
        <translation>Line statistics</translation>
    </message>
    <message>
        <source>Zapytania, odpowiedzi i błędy na linii</source>
        <translation>Requests, replies and errors on the line</translation>
    </message>
    <message>
        <source>&amp;Skorowidz</source>
        <translation>&amp;Index</translation>
    </message>
    <message>
        <source>Lista haseł pomocy</source>
        <translation>List of help topics</translation>
    </message>
    <message>
        <source>&amp;Korzystanie z</source>
        <translation>&amp;Using help</translation>
    </message>
    <message>
        <source>Wyświetl instrukcje jak używać pomocy</source>
        <translation>Show how to use the help</translation>
    </message>
    <message>
        <source>&amp;O DOXA WIN...</source>
        <translation>&amp;About DOXA WIN...</translation>
    </message>
    <message>
        <source>Wyświetl informacje o programie i numer wersji</source>
        <translation>Show the program information and version number</translation>
    </message>
    <message>
        <source>&amp;Dane konfiguracyjne</source>
        <translation>&amp;Configuration</translation>
    </message>
    <message>
        <source>&amp;Przetwornik</source>
        <translation>&amp;Transmitter</translation>
    </message>
    <message>
        <source>&amp;Ustawienia</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>&amp;Serwis</source>
        <translation>S&amp;ervice</translation>
    </message>
    <message>
        <source>P&amp;omoc</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Teksty programu po polsku od jego następnego uruchomienia</source>
        <translation>The program&apos;s texts in Polish from its next start</translation>
    </message>
    <message>
        <source>Teksty programu po angielsku od jego następnego uruchomienia</source>
        <translation>The program&apos;s texts in English from its next start</translation>
    </message>
    <message>
        <source>Ostrzeżenie przed wymuszeniem wyjścia</source>
        <translation>Warning before forcing the output</translation>
    </message>
    <message>
        <source>Przed ustawieniem prądu wyjściowego i kalibracją przypomina o przełączeniu pętli sterowania na pracę ręczną</source>
        <translation>Before the output current is set or calibrated, reminds to switch the control loop to manual</translation>
    </message>
    <message>
        <source>Język</source>
        <translation>Language</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>Opcja dostępna dla RS485</source>
        <translation>Option available for RS485</translation>
    </message>
    <message>
        <source>Dostęp zabroniony</source>
        <translation>Access denied</translation>
    </message>
    <message>
        <source>UWAGA: wyjście wymuszone</source>
        <translation>NOTE: output forced</translation>
    </message>
    <message>
        <source>Wyjście przetwornika jest nadal ustawione na stałą wartość.
Czy zwolnić wyjście przed zakończeniem programu?</source>
        <translation>The transmitter output is still set to a fixed value.
Release the output before the program ends?</translation>
    </message>
    <message>
        <source>Kalibracja została zapisana w historii przetwornika.
Czy wystawić świadectwo kalibracji?</source>
        <translation>The calibration was saved in the transmitter history.
Issue a calibration certificate?</translation>
    </message>
    <message>
        <source>Projekt bez numeru: %1</source>
        <translation>Draft without number: %1</translation>
    </message>
    <message>
        <source>Uwaga: zapisy zdarzenia zmieniły się od wydania świadectwa %1</source>
        <translation>Note: the records of the event changed after certificate %1 was issued</translation>
    </message>
    <message>
        <source>Nie można zapisać ustawień programu (plik ustawień jest niedostępny)</source>
        <translation>Cannot save the program settings (the settings file is not accessible)</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>%1 – %2 – %3</source>
        <translation>%1 – %2 – %3</translation>
    </message>
</context>
</TS>
