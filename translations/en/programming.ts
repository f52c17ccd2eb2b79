<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>CCharacteristicDlg</name>
    <message>
        <source>Programuje ilosc danych</source>
        <translation>Writing point count</translation>
    </message>
    <message>
        <source>Programuje dane %1</source>
        <translation>Writing point %1</translation>
    </message>
    <message>
        <source>Odczytuje ilosc danych</source>
        <translation>Reading point count</translation>
    </message>
    <message>
        <source>Odczytuje dane %1</source>
        <translation>Reading point %1</translation>
    </message>
    <message>
        <source>Koniec zapisu</source>
        <translation>Write finished</translation>
    </message>
    <message>
        <source>Koniec odczytu</source>
        <translation>Read finished</translation>
    </message>
    <message>
        <source>Przetwornik odpowiedział dla punktu %1 zamiast %2 - powtarzam</source>
        <translation>The transmitter answered for point %1 instead of %2 - repeating</translation>
    </message>
</context>
<context>
    <name>CRs485Dlg</name>
    <message>
        <source>Bład w otwarciu portu</source>
        <translation>Error opening the port</translation>
    </message>
</context>
<context>
    <name>CTextDlg</name>
    <message>
        <source>Za duzo znaków !</source>
        <translation>Too many characters !</translation>
    </message>
    <message>
        <source>Trwa zapisywanie</source>
        <translation>Writing</translation>
    </message>
    <message>
        <source>Odczyt tekstu z przetwornika</source>
        <translation>Reading the text from the transmitter</translation>
    </message>
    <message>
        <source>Tekst został zapisany</source>
        <translation>The text has been written</translation>
    </message>
    <message>
        <source>%1 - powtarzam</source>
        <translation>%1 - repeating</translation>
    </message>
    <message>
        <source>Przetwornik nie potwierdził tekstu - powtarzam</source>
        <translation>The transmitter did not confirm the text - repeating</translation>
    </message>
</context>
<context>
    <name>CharacteristicDlg</name>
    <message>
        <source>y=f(x)</source>
        <translation>y=f(x)</translation>
    </message>
    <message>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <source>y</source>
        <translation>y</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>0.0</source>
        <translation>0.0</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>Ilość danych: </source>
        <translation>Point count: </translation>
    </message>
    <message>
        <source>Odczytaj</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Wyślij</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Wyczyść tablice</source>
        <translation>Clear table</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Stan transmisji</source>
        <translation>Transmission status</translation>
    </message>
</context>
<context>
    <name>OutputTypeDlg</name>
    <message>
        <source>RIVO_wyjście</source>
        <translation>RIVO_output</translation>
    </message>
    <message>
        <source>0...20mA</source>
        <translation>0...20mA</translation>
    </message>
    <message>
        <source>4...20mA</source>
        <translation>4...20mA</translation>
    </message>
    <message>
        <source>0...5mA</source>
        <translation>0...5mA</translation>
    </message>
    <message>
        <source>0...10V</source>
        <translation>0...10V</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>ProgDlg</name>
    <message>
        <source>Programowanie</source>
        <translation>Programming</translation>
    </message>
    <message>
        <source>Typ przetwornika: </source>
        <translation>Transmitter type: </translation>
    </message>
    <message>
        <source>Czujnik:</source>
        <translation>Sensor:</translation>
    </message>
    <message>
        <source>Pt 100</source>
        <translation>Pt 100</translation>
    </message>
    <message>
        <source>&apos;K&apos;</source>
        <translation>&apos;K&apos;</translation>
    </message>
    <message>
        <source>Ni 100</source>
        <translation>Ni 100</translation>
    </message>
    <message>
        <source>&apos;J&apos;</source>
        <translation>&apos;J&apos;</translation>
    </message>
    <message>
        <source>Rezystancja</source>
        <translation>Resistance</translation>
    </message>
    <message>
        <source>&apos;S&apos;</source>
        <translation>&apos;S&apos;</translation>
    </message>
    <message>
        <source>Napięcie</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source>&apos;B&apos;</source>
        <translation>&apos;B&apos;</translation>
    </message>
    <message>
        <source>&apos;N&apos;</source>
        <translation>&apos;N&apos;</translation>
    </message>
    <message>
        <source>&apos;T&apos;</source>
        <translation>&apos;T&apos;</translation>
    </message>
    <message>
        <source>y=f(x)</source>
        <translation>y=f(x)</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>U</source>
        <translation>U</translation>
    </message>
    <message>
        <source>tabela</source>
        <translation>table</translation>
    </message>
    <message>
        <source>Zakres:</source>
        <translation>Range:</translation>
    </message>
    <message>
        <source>min</source>
        <translation>min</translation>
    </message>
    <message>
        <source>max</source>
        <translation>max</translation>
    </message>
    <message>
        <source>Filtr:</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <source>Rząd:</source>
        <translation>Order:</translation>
    </message>
    <message>
        <source>&apos;0&apos;</source>
        <translation>&apos;0&apos;</translation>
    </message>
    <message>
        <source>&apos;1&apos;</source>
        <translation>&apos;1&apos;</translation>
    </message>
    <message>
        <source>&apos;2&apos;</source>
        <translation>&apos;2&apos;</translation>
    </message>
    <message>
        <source>czas:</source>
        <translation>time:</translation>
    </message>
    <message>
        <source>sek</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Próg:</source>
        <translation>Threshold:</translation>
    </message>
    <message>
        <source>On/off</source>
        <translation>On/off</translation>
    </message>
    <message>
        <source>wartość:</source>
        <translation>value:</translation>
    </message>
    <message>
        <source>histereza:</source>
        <translation>hysteresis:</translation>
    </message>
    <message>
        <source>Sygn. przerwy</source>
        <translation>Break signal</translation>
    </message>
    <message>
        <source>na max</source>
        <translation>to max</translation>
    </message>
    <message>
        <source>na min</source>
        <translation>to min</translation>
    </message>
    <message>
        <source>Ilość czujników</source>
        <translation>Sensor count</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>aktywne</source>
        <translation>active</translation>
    </message>
    <message>
        <source>Adres:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>RIVO_WY</source>
        <translation>RIVO_OUT</translation>
    </message>
    <message>
        <source>Stan transmisji</source>
        <translation>Transmission status</translation>
    </message>
    <message>
        <source>Wyślij</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>ProgZUDlg</name>
    <message>
        <source>Programowanie</source>
        <translation>Programming</translation>
    </message>
    <message>
        <source>Typ przetwornika: </source>
        <translation>Transmitter type: </translation>
    </message>
    <message>
        <source>Czujnik:</source>
        <translation>Sensor:</translation>
    </message>
    <message>
        <source>Rezystancja</source>
        <translation>Resistance</translation>
    </message>
    <message>
        <source>Cu 100 (428)</source>
        <translation>Cu 100 (428)</translation>
    </message>
    <message>
        <source>Pt 100 (385)</source>
        <translation>Pt 100 (385)</translation>
    </message>
    <message>
        <source>Cu 100 (426)</source>
        <translation>Cu 100 (426)</translation>
    </message>
    <message>
        <source>Pt 100 (391)</source>
        <translation>Pt 100 (391)</translation>
    </message>
    <message>
        <source>Cu 50 (428)</source>
        <translation>Cu 50 (428)</translation>
    </message>
    <message>
        <source>Ni 100 (618)</source>
        <translation>Ni 100 (618)</translation>
    </message>
    <message>
        <source>Cu 50 (426)</source>
        <translation>Cu 50 (426)</translation>
    </message>
    <message>
        <source>Ni 100 (617)</source>
        <translation>Ni 100 (617)</translation>
    </message>
    <message>
        <source>y=f(x)</source>
        <translation>y=f(x)</translation>
    </message>
    <message>
        <source>tabela</source>
        <translation>table</translation>
    </message>
    <message>
        <source>Zakres:</source>
        <translation>Range:</translation>
    </message>
    <message>
        <source>min</source>
        <translation>min</translation>
    </message>
    <message>
        <source>max</source>
        <translation>max</translation>
    </message>
    <message>
        <source>Filtr:</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <source>Rząd:</source>
        <translation>Order:</translation>
    </message>
    <message>
        <source>&apos;0&apos;</source>
        <translation>&apos;0&apos;</translation>
    </message>
    <message>
        <source>&apos;1&apos;</source>
        <translation>&apos;1&apos;</translation>
    </message>
    <message>
        <source>&apos;2&apos;</source>
        <translation>&apos;2&apos;</translation>
    </message>
    <message>
        <source>czas:</source>
        <translation>time:</translation>
    </message>
    <message>
        <source>sek</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Sygn. przerwy</source>
        <translation>Break signal</translation>
    </message>
    <message>
        <source>na max</source>
        <translation>to max</translation>
    </message>
    <message>
        <source>na min</source>
        <translation>to min</translation>
    </message>
    <message>
        <source>Stan transmisji</source>
        <translation>Transmission status</translation>
    </message>
    <message>
        <source>Wyślij</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>Rs485Dlg</name>
    <message>
        <source>RS485</source>
        <translation>RS485</translation>
    </message>
    <message>
        <source>1200</source>
        <translation>1200</translation>
    </message>
    <message>
        <source>4800</source>
        <translation>4800</translation>
    </message>
    <message>
        <source>9600</source>
        <translation>9600</translation>
    </message>
    <message>
        <source>19200</source>
        <translation>19200</translation>
    </message>
    <message>
        <source>38400</source>
        <translation>38400</translation>
    </message>
    <message>
        <source>paity ODD</source>
        <translation>parity ODD</translation>
    </message>
    <message>
        <source>parity off</source>
        <translation>parity off</translation>
    </message>
    <message>
        <source>Programuj DOXA</source>
        <translation>Program DOXA</translation>
    </message>
    <message>
        <source>Ustaw</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>SensorDlg</name>
    <message>
        <source>Czujnik</source>
        <translation>Sensor</translation>
    </message>
    <message>
        <source>Typ czujnika:</source>
        <translation>Sensor type:</translation>
    </message>
    <message>
        <source>Numer seryjny czujnika:</source>
        <translation>Sensor serial number:</translation>
    </message>
    <message>
        <source>Wartość minimalna:</source>
        <translation>Minimum value:</translation>
    </message>
    <message>
        <source>Wartość maksymalna:</source>
        <translation>Maximum value:</translation>
    </message>
    <message>
        <source>Rozpiętość minimalna:</source>
        <translation>Minimum span:</translation>
    </message>
    <message>
        <source>Zmień numer czujnika</source>
        <translation>Change sensor number</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>SensorSerialDlg</name>
    <message>
        <source>Numer seryjny czujnika</source>
        <translation>Sensor serial number</translation>
    </message>
    <message>
        <source>Podaj nowy numer:</source>
        <translation>Enter the new number:</translation>
    </message>
    <message>
        <source>Zapisz</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TextDlg</name>
    <message>
        <source>Wyślij tekst</source>
        <translation>Send text</translation>
    </message>
    <message>
        <source>Tekst:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Wyślij</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>doxa</name>
    <message>
        <source>Czujnik:%1 →%2</source>
        <translation>Sensor:%1 →%2</translation>
    </message>
    <message>
        <source>Zakres min: %1 → %2</source>
        <translation>Range min: %1 → %2</translation>
    </message>
    <message>
        <source>Zakres max: %1 → %2</source>
        <translation>Range max: %1 → %2</translation>
    </message>
    <message>
        <source>Sygnalizacja przerwy: %1 → %2</source>
        <translation>Break signal: %1 → %2</translation>
    </message>
    <message>
        <source>Filtr, rząd: %1 → %2</source>
        <translation>Filter, order: %1 → %2</translation>
    </message>
    <message>
        <source>Filtr, czas: %1 → %2</source>
        <translation>Filter, time: %1 → %2</translation>
    </message>
    <message>
        <source>Rodzaj wyjścia:%1 →%2</source>
        <translation>Output type:%1 →%2</translation>
    </message>
    <message>
        <source>Ilość czujników: %1 → %2</source>
        <translation>Sensor count: %1 → %2</translation>
    </message>
    <message>
        <source>Próg: %1 → %2</source>
        <translation>Threshold: %1 → %2</translation>
    </message>
    <message>
        <source>Próg, wartość: %1 → %2</source>
        <translation>Threshold, value: %1 → %2</translation>
    </message>
    <message>
        <source>Próg, histereza: %1 → %2</source>
        <translation>Threshold, hysteresis: %1 → %2</translation>
    </message>
    <message>
        <source>Adres: %1 → %2</source>
        <translation>Address: %1 → %2</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>Inicjalizacja portu</source>
        <translation>Initializing the port</translation>
    </message>
    <message>
        <source>Maksymalna ilość danych = 32</source>
        <translation>Maximum number of points = 32</translation>
    </message>
    <message>
        <source>W przetwornikach od numeru fabrycznego ..../00 maksymalna ilość danych = 16</source>
        <translation>In transmitters from serial number ..../00 the maximum number of points = 16</translation>
    </message>
    <message>
        <source>Typ przetwornika: %1</source>
        <translation>Transmitter type: %1</translation>
    </message>
    <message>
        <source>Przetwornik nie został odnaleziony Sprawdź podłączenie przetwornika lub ustaw prąd powyzej 6 mA i spróbuj ponownie</source>
        <translation>The transmitter was not found. Check the transmitter connection or set the current above 6 mA and try again</translation>
    </message>
    <message>
        <source>Błędny adres. Wprowadź liczbę od 0 do 127</source>
        <translation>Invalid address. Enter a number from 0 to 127</translation>
    </message>
    <message>
        <source>Termopara typu T dostępna w przetwornikach od numery fabrycznego 2772/00</source>
        <translation>Type T thermocouple available in transmitters from serial number 2772/00</translation>
    </message>
    <message>
        <source>Błąd w otwarciu portu</source>
        <translation>Error opening the port</translation>
    </message>
    <message>
        <source>Rozpoznawanie przetwornika</source>
        <translation>Recognizing the transmitter</translation>
    </message>
    <message>
        <source>Nastąpi rozpoznanie przetwornika</source>
        <translation>The transmitter will now be recognized</translation>
    </message>
    <message>
        <source>Przetwornik rozpoznany</source>
        <translation>Transmitter recognized</translation>
    </message>
    <message>
        <source>Przetwornik niezgodny. Uruchom ponownie &apos;Programowanie&apos;</source>
        <translation>Transmitter does not match. Start &apos;Programming&apos; again</translation>
    </message>
    <message>
        <source>Błędny zakres: min = %1, dozwolone %2 … %3</source>
        <translation>Invalid range: min = %1, allowed %2 … %3</translation>
    </message>
    <message>
        <source>Błędny zakres: max = %1, dozwolone %2 … %3</source>
        <translation>Invalid range: max = %1, allowed %2 … %3</translation>
    </message>
    <message>
        <source>Błędny zakres: min = %1, dozwolone %2 … %3 i co najmniej %4 poniżej max = %5</source>
        <translation>Invalid range: min = %1, allowed %2 … %3 and at least %4 below max = %5</translation>
    </message>
    <message>
        <source>Błędny zakres: max = %1, dozwolone %2 … %3 i co najmniej %4 powyżej min = %5</source>
        <translation>Invalid range: max = %1, allowed %2 … %3 and at least %4 above min = %5</translation>
    </message>
    <message>
        <source>Błędny zakres: max = %1, musi być różny od min = %2</source>
        <translation>Invalid range: max = %1, must differ from min = %2</translation>
    </message>
    <message>
        <source>Zostaną zmienione:</source>
        <translation>These will change:</translation>
    </message>
    <message>
        <source>Żadna z zapisywanych wartości nie zmieni się.</source>
        <translation>None of the values being written will change.</translation>
    </message>
    <message>
        <source>Konfiguracja tego przetwornika nie została odczytana (Inicjalizacja), więc nie można pokazać, co się zmieni.</source>
        <translation>The configuration of this transmitter has not been read (Initialization), so what will change cannot be shown.</translation>
    </message>
    <message>
        <source>Zapisać do przetwornika?</source>
        <translation>Write to the transmitter?</translation>
    </message>
    <message>
        <source>Nie można zapisać kopii zapasowej konfiguracji przetwornika.

Programować mimo to?</source>
        <translation>Cannot save a backup of the transmitter configuration.

Program anyway?</translation>
    </message>
    <message>
        <source> kod %1</source>
        <translation> code %1</translation>
    </message>
    <message>
        <source>%1 sek</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>na min</source>
        <translation>to min</translation>
    </message>
    <message>
        <source>na max</source>
        <translation>to max</translation>
    </message>
    <message>
        <source>wyłączony</source>
        <translation>off</translation>
    </message>
    <message>
        <source>Programowanie zakresu</source>
        <translation>Programming the range</translation>
    </message>
    <message>
        <source>Programowanie typu czujnika</source>
        <translation>Programming the sensor type</translation>
    </message>
    <message>
        <source>Programowanie filtru</source>
        <translation>Programming the filter</translation>
    </message>
    <message>
        <source>Programowanie progu</source>
        <translation>Programming the threshold</translation>
    </message>
    <message>
        <source>Programowanie adresu</source>
        <translation>Programming the address</translation>
    </message>
    <message>
        <source>Koniec programowania</source>
        <translation>Programming finished</translation>
    </message>
    <message>
        <source>Dane zostały zapisane</source>
        <translation>The data have been written</translation>
    </message>
    <message>
        <source>Dane nie zostały zapisane prawidłowo</source>
        <translation>The data were not written correctly</translation>
    </message>
    <message>
        <source>Błąd w programowaniu adresu !</source>
        <translation>Error programming the address !</translation>
    </message>
    <message>
        <source>Przetwornik nie został odnaleziony Sprawdź podłączenie przetwornika i spróbuj ponownie</source>
        <translation>The transmitter was not found. Check the transmitter connection and try again</translation>
    </message>
    <message>
        <source>Wybierz czujnik</source>
        <translation>Choose a sensor</translation>
    </message>
    <message>
        <source>Typ czujnika:                       %1</source>
        <translation>Sensor type:                      %1</translation>
    </message>
    <message>
        <source>Numer seryjny czujnika:        %1</source>
        <translation>Sensor serial number:         %1</translation>
    </message>
    <message>
        <source>Wartość minimalna:              %1</source>
        <translation>Minimum value:                  %1</translation>
    </message>
    <message>
        <source>Wartość maksymalna:           %1</source>
        <translation>Maximum value:                 %1</translation>
    </message>
    <message>
        <source>Rozpiętość minimalna:          %1</source>
        <translation>Minimum span:                    %1</translation>
    </message>
    <message>
        <source>Nie prawidłowa wartość</source>
        <translation>Invalid value</translation>
    </message>
</context>
</TS>
