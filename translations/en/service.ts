<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>CFinderDlg</name>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Szukaj</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Szukanie: %1, adres %2 (%3 z %4)</source>
        <translation>Searching: %1, address %2 (%3 of %4)</translation>
    </message>
    <message>
        <source>Szukanie: adres %1 (%2 z %3)</source>
        <translation>Searching: address %1 (%2 of %3)</translation>
    </message>
    <message>
        <source>adres %1; %2</source>
        <translation>address %1; %2</translation>
    </message>
    <message>
        <source>%1 bit/s, bez parzystości; %2</source>
        <translation>%1 bit/s, no parity; %2</translation>
    </message>
    <message>
        <source>%1 bit/s, parzystość ODD; %2</source>
        <translation>%1 bit/s, ODD parity; %2</translation>
    </message>
    <message>
        <source>Zatrzymano po sprawdzeniu %1 z %2. %3</source>
        <translation>Stopped after checking %1 of %2. %3</translation>
    </message>
    <message>
        <source>Znaleziono: %1.</source>
        <translation>Found: %1.</translation>
    </message>
    <message>
        <source>Znaleziono: %1. Uszkodzone odpowiedzi: %2 (%3).</source>
        <translation>Found: %1. Damaged answers: %2 (%3).</translation>
    </message>
    <message>
        <source>Nic nie odpowiedziało poprawnie, ale przyszły uszkodzone odpowiedzi: %1 (%2). To znak innej prędkości lub parzystości albo drugiego mastera na linii.</source>
        <translation>Nothing answered correctly, but damaged answers came: %1 (%2). This points to another speed or parity, or a second master on the line.</translation>
    </message>
    <message>
        <source>Nic nie odpowiedziało. Sprawdź port, zasilanie i podłączenie przetwornika.</source>
        <translation>Nothing answered. Check the port, the power supply and the transmitter&apos;s wiring.</translation>
    </message>
    <message>
        <source>Znaleziono przetwornik na COM%1: %2.
Przejąć jego adres i ustawienia łącza do ustawień programu?</source>
        <translation>Transmitter found on COM%1: %2.
Take its address and line settings into the program&apos;s settings?</translation>
    </message>
</context>
<context>
    <name>CLineMonitorDlg</name>
    <message>
        <source>Inicjalizacja portu </source>
        <translation>Opening port </translation>
    </message>
    <message>
        <source>Ilość RX: %1</source>
        <translation>RX count: %1</translation>
    </message>
</context>
<context>
    <name>CMemoryDumpDlg</name>
    <message>
        <source>Odczyt EEPROM</source>
        <translation>Read EEPROM</translation>
    </message>
    <message>
        <source>Inicjalizacja portu </source>
        <translation>Opening port </translation>
    </message>
    <message>
        <source>Koniec wysyłania</source>
        <translation>Sending finished</translation>
    </message>
    <message>
        <source>Ilość RX: %1</source>
        <translation>RX count: %1</translation>
    </message>
</context>
<context>
    <name>CRegisterDlg</name>
    <message>
        <source>%1 [odpowiedź niepełna]</source>
        <translation>%1 [incomplete answer]</translation>
    </message>
    <message>
        <source>%1 [błędne CRC odpowiedzi]</source>
        <translation>%1 [wrong CRC in the answer]</translation>
    </message>
    <message>
        <source>%1 [odpowiedź wyjątku: kod %2]</source>
        <translation>%1 [exception answer: code %2]</translation>
    </message>
    <message>
        <source>%1 [odpowiedź funkcji %2 zamiast %3]</source>
        <translation>%1 [answer of function %2 instead of %3]</translation>
    </message>
    <message>
        <source>Nadawanie nie zakończone: w kolejce zostało %1 B %2</source>
        <translation>Sending not finished: %1 B left in the queue %2</translation>
    </message>
</context>
<context>
    <name>CRegisterWriteDlg</name>
    <message>
        <source>Błędny adres</source>
        <translation>Invalid address</translation>
    </message>
</context>
<context>
    <name>ConsoleDlg</name>
    <message>
        <source>Wyślij instrukcje</source>
        <translation>Send commands</translation>
    </message>
    <message>
        <source>Instrukcja HART</source>
        <translation>HART command</translation>
    </message>
    <message>
        <source>Konwersja</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>Wyślij</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>-&gt; float</source>
        <translation>-&gt; float</translation>
    </message>
    <message>
        <source>-&gt; HART</source>
        <translation>-&gt; HART</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>FinderDlg</name>
    <message>
        <source>Szukaj przetwornika</source>
        <translation>Find transmitter</translation>
    </message>
    <message>
        <source>Transmisja</source>
        <translation>Transmission</translation>
    </message>
    <message>
        <source>HART/RS232</source>
        <translation>HART/RS232</translation>
    </message>
    <message>
        <source>RS 485 (MODBUS): każda prędkość i parzystość</source>
        <translation>RS 485 (MODBUS): every speed and parity</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>COM1</source>
        <translation>COM1</translation>
    </message>
    <message>
        <source>COM2</source>
        <translation>COM2</translation>
    </message>
    <message>
        <source>COM3</source>
        <translation>COM3</translation>
    </message>
    <message>
        <source>COM4</source>
        <translation>COM4</translation>
    </message>
    <message>
        <source>COM5</source>
        <translation>COM5</translation>
    </message>
    <message>
        <source>COM6</source>
        <translation>COM6</translation>
    </message>
    <message>
        <source>COM7</source>
        <translation>COM7</translation>
    </message>
    <message>
        <source>COM8</source>
        <translation>COM8</translation>
    </message>
    <message>
        <source>COM9</source>
        <translation>COM9</translation>
    </message>
    <message>
        <source>COM10</source>
        <translation>COM10</translation>
    </message>
    <message>
        <source>COM11</source>
        <translation>COM11</translation>
    </message>
    <message>
        <source>COM12</source>
        <translation>COM12</translation>
    </message>
    <message>
        <source>Adresy od:</source>
        <translation>Addresses from:</translation>
    </message>
    <message>
        <source>do:</source>
        <translation>to:</translation>
    </message>
    <message>
        <source>Odpowiedziały:</source>
        <translation>Answered:</translation>
    </message>
    <message>
        <source>Szukaj</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Przejmij ustawienia</source>
        <translation>Take settings</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>LineMonitorDlg</name>
    <message>
        <source>Monitor linii</source>
        <translation>Line monitor</translation>
    </message>
    <message>
        <source>Stan transmisji</source>
        <translation>Transmission status</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>LineStatsDlg</name>
    <message>
        <source>Statystyka łącza</source>
        <translation>Line statistics</translation>
    </message>
    <message>
        <source>Wysłane zapytania:</source>
        <translation>Requests sent:</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Poprawne odpowiedzi:</source>
        <translation>Valid answers:</translation>
    </message>
    <message>
        <source>Odrzucone odpowiedzi:</source>
        <translation>Rejected answers:</translation>
    </message>
    <message>
        <source>    suma kontrolna / CRC:</source>
        <translation>    checksum / CRC:</translation>
    </message>
    <message>
        <source>    adres:</source>
        <translation>    address:</translation>
    </message>
    <message>
        <source>    komenda / funkcja:</source>
        <translation>    command / function:</translation>
    </message>
    <message>
        <source>    długość:</source>
        <translation>    length:</translation>
    </message>
    <message>
        <source>    początek ramki:</source>
        <translation>    frame start:</translation>
    </message>
    <message>
        <source>    wyjątek MODBUS:</source>
        <translation>    MODBUS exception:</translation>
    </message>
    <message>
        <source>Brak odpowiedzi:</source>
        <translation>No answer:</translation>
    </message>
    <message>
        <source>Powtórzenia:</source>
        <translation>Retries:</translation>
    </message>
    <message>
        <source>Średni czas odpowiedzi:</source>
        <translation>Mean answer time:</translation>
    </message>
    <message>
        <source>Błędy linii:</source>
        <translation>Line errors:</translation>
    </message>
    <message>
        <source>Zeruj</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>MemoryDumpDlg</name>
    <message>
        <source>Odczyt RAM</source>
        <translation>Read RAM</translation>
    </message>
    <message>
        <source>Stan transmisji</source>
        <translation>Transmission status</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>RegisterReadDlg</name>
    <message>
        <source>Rejestry - odczyt</source>
        <translation>Registers - read</translation>
    </message>
    <message>
        <source>Adres start</source>
        <translation>Start address</translation>
    </message>
    <message>
        <source>Adres koniec</source>
        <translation>End address</translation>
    </message>
    <message>
        <source>Adres:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Odczytaj</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Float_to_int</source>
        <translation>Float_to_int</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>RegisterWriteDlg</name>
    <message>
        <source>Rejestry - zapis</source>
        <translation>Registers - write</translation>
    </message>
    <message>
        <source>Adres start</source>
        <translation>Start address</translation>
    </message>
    <message>
        <source>Adres koniec</source>
        <translation>End address</translation>
    </message>
    <message>
        <source>Dane:</source>
        <translation>Data:</translation>
    </message>
    <message>
        <source>Adres:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Zapisz:</source>
        <translation>Write:</translation>
    </message>
    <message>
        <source>1 rejestr</source>
        <translation>1 register</translation>
    </message>
    <message>
        <source>4 rejestry</source>
        <translation>4 registers</translation>
    </message>
    <message>
        <source>EEPROM</source>
        <translation>EEPROM</translation>
    </message>
    <message>
        <source>Wyslij</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>Instrukcja ma %1 bajtów, a mieści się najwyżej %2 (i bajt kontrolny). Nic nie wysłano.</source>
        <translation>The command has %1 bytes, and at most %2 fit (plus the check byte). Nothing was sent.</translation>
    </message>
    <message>
        <source>Wybierz port szeregowy</source>
        <translation>Choose the serial port</translation>
    </message>
    <message>
        <source>Adresy od 0 do 127, pierwszy nie większy niż ostatni</source>
        <translation>Addresses 0 to 127, the first not above the last</translation>
    </message>
    <message>
        <source>%1 bit/s, bez parzystości</source>
        <translation>%1 bit/s, no parity</translation>
    </message>
    <message>
        <source>%1 bit/s, parzystość ODD</source>
        <translation>%1 bit/s, ODD parity</translation>
    </message>
    <message>
        <source>adres %1</source>
        <translation>address %1</translation>
    </message>
    <message>
        <source>adres %1: %2, nr %3</source>
        <translation>address %1: %2, no. %3</translation>
    </message>
    <message>
        <source>adres %1: %2, nr %3, %4</source>
        <translation>address %1: %2, no. %3, %4</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Liczone od uruchomienia programu</source>
        <translation>Counted since the program started</translation>
    </message>
    <message>
        <source>Liczone od zerowania</source>
        <translation>Counted since cleared</translation>
    </message>
    <message>
        <source>brak</source>
        <translation>none</translation>
    </message>
    <message>
        <source>brak odpowiedzi</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>Błędny adres</source>
        <translation>Invalid address</translation>
    </message>
    <message>
        <source>Adres koniec</source>
        <translation>End address</translation>
    </message>
    <message>
        <source>Zapis 4 rejestrów wymaga 4 wartości (np. 0x01,0x02,0x03,0x04). Nic nie wysłano.</source>
        <translation>Writing 4 registers takes 4 values (e.g. 0x01,0x02,0x03,0x04). Nothing was sent.</translation>
    </message>
    <message>
        <source>Brak wartości do zapisu (wartości wpisuje się od znaku 0, np. 0x7e). Nic nie wysłano.</source>
        <translation>No values to write (values are typed from the character 0 on, e.g. 0x7e). Nothing was sent.</translation>
    </message>
</context>
</TS>
