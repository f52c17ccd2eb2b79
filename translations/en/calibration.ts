<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>CCalibProcedureDlg</name>
    <message>
        <source>Wpisz warunki kalibracji i wybierz przyrządy wzorcowe, potem „Rozpocznij”</source>
        <translation>Enter the calibration conditions and choose the reference instruments, then “Start”</translation>
    </message>
    <message>
        <source>Zakres %1 … %2 %3</source>
        <translation>Range %1 … %2 %3</translation>
    </message>
    <message>
        <source>%1; czujnik bez charakterystyki wzorcowej – porównanie w %2</source>
        <translation>%1; sensor without a standard curve – compared in %2</translation>
    </message>
    <message>
        <source>%1; charakterystyka %2, wzorzec w %3</source>
        <translation>%1; curve %2, reference in %3</translation>
    </message>
    <message>
        <source>Rejestr przyrządów niedostępny: %1</source>
        <translation>Instrument register unavailable: %1</translation>
    </message>
    <message>
        <source>Rejestr przyrządów: kopia lokalna (serwer niedostępny)</source>
        <translation>Instrument register: local copy (server unavailable)</translation>
    </message>
    <message>
        <source>Rejestr przyrządów niedostępny</source>
        <translation>Instrument register unavailable</translation>
    </message>
    <message>
        <source>Wpisz imię i nazwisko technika</source>
        <translation>Enter the technician’s full name</translation>
    </message>
    <message>
        <source>Wpisz temperaturę otoczenia od -20 do 60 °C</source>
        <translation>Enter an ambient temperature from -20 to 60 °C</translation>
    </message>
    <message>
        <source>Wpisz wilgotność względną od 0 do 100 %</source>
        <translation>Enter a relative humidity from 0 to 100 %</translation>
    </message>
    <message>
        <source>Wybierz przyrząd wzorcowy z rejestru</source>
        <translation>Choose a reference instrument from the register</translation>
    </message>
    <message>
        <source>Wpisz tolerancję jako liczbę dodatnią albo zostaw pole puste</source>
        <translation>Enter the tolerance as a positive number or leave the field empty</translation>
    </message>
    <message>
        <source>Wpisz interwał kalibracji od 1 do 120 miesięcy</source>
        <translation>Enter a calibration interval from 1 to 120 months</translation>
    </message>
    <message>
        <source>Wpisz od 2 do 11 punktów od 0 do 100 % rozdzielonych średnikami</source>
        <translation>Enter 2 to 11 points from 0 to 100 % separated by semicolons</translation>
    </message>
    <message>
        <source>%1, wejście, punkt %2/%3 (%4)</source>
        <translation>%1, input, point %2/%3 (%4)</translation>
    </message>
    <message>
        <source>%1, wyjście, punkt %2/%3 (%4)</source>
        <translation>%1, output, point %2/%3 (%4)</translation>
    </message>
    <message>
        <source>wartość odpowiadającą (%1)</source>
        <translation>the matching value (%1)</translation>
    </message>
    <message>
        <source>%1: ustaw na wzorcu %2 i wpisz wartość podaną na wzorcu [%3]</source>
        <translation>%1: set the reference to %2 and enter the value it shows [%3]</translation>
    </message>
    <message>
        <source>Wpisz wartość podaną na wzorcu</source>
        <translation>Enter the value the reference shows</translation>
    </message>
    <message>
        <source>Przetwornik podaje odczyt w %1 zamiast w %2</source>
        <translation>The transmitter reads in %1 instead of %2</translation>
    </message>
    <message>
        <source>Odczyty: %1/%2</source>
        <translation>Readings: %1/%2</translation>
    </message>
    <message>
        <source>Średnia %1, rozrzut %2 (%3 odczytów)</source>
        <translation>Mean %1, spread %2 (%3 readings)</translation>
    </message>
    <message>
        <source>%1: ustawianie wyjścia na %2</source>
        <translation>%1: setting the output to %2</translation>
    </message>
    <message>
        <source>%1: wyjście nie zostało ustawione, punkt nie jest liczony – „Dalej” ustawia je ponownie</source>
        <translation>%1: the output was not set, the point does not count – “Next” sets it again</translation>
    </message>
    <message>
        <source>Wyjście ustawione</source>
        <translation>Output set</translation>
    </message>
    <message>
        <source>%1: wyjście ustawione na %2 – wpisz odczyt miernika [%3]</source>
        <translation>%1: output set to %2 – enter the meter reading [%3]</translation>
    </message>
    <message>
        <source>Wpisz odczyt miernika</source>
        <translation>Enter the meter reading</translation>
    </message>
    <message>
        <source>Zwalnianie wyjścia</source>
        <translation>Releasing the output</translation>
    </message>
    <message>
        <source>Wyjście zwolnione</source>
        <translation>Output released</translation>
    </message>
    <message>
        <source>Przetwornik nie potwierdził zwolnienia wyjścia – sprawdź wyjście</source>
        <translation>The transmitter did not confirm releasing the output – check the output</translation>
    </message>
    <message>
        <source>Punkty poza tolerancją – wykonaj regulację („Regulacja...”)</source>
        <translation>Points out of tolerance – adjust (“Adjust...”)</translation>
    </message>
    <message>
        <source>Punkty w tolerancji – „Zakończ” kończy kalibrację</source>
        <translation>Points within tolerance – “Finish” ends the calibration</translation>
    </message>
    <message>
        <source>Po regulacji „Stan pozostawiony” mierzy punkty ponownie</source>
        <translation>After the adjustment “As left” measures the points again</translation>
    </message>
    <message>
        <source>Kalibracja zakończona</source>
        <translation>Calibration finished</translation>
    </message>
    <message>
        <source>Kalibracja przerwana: %1</source>
        <translation>Calibration interrupted: %1</translation>
    </message>
</context>
<context>
    <name>CCalibrationDlg</name>
    <message>
        <source>Inicjalizacja portu</source>
        <translation>Initializing the port</translation>
    </message>
    <message>
        <source>Kalibracja dla 100 Ohm, 0mV</source>
        <translation>Calibrating at 100 Ohm, 0mV</translation>
    </message>
    <message>
        <source>Kalibracja dla 300 Ohm, 80mV</source>
        <translation>Calibrating at 300 Ohm, 80mV</translation>
    </message>
    <message>
        <source>Odczyt temperatury</source>
        <translation>Reading the temperature</translation>
    </message>
    <message>
        <source>Dana zapisana</source>
        <translation>Value written</translation>
    </message>
    <message>
        <source>Prąd dla 18,4mA zapisany</source>
        <translation>Current for 18.4mA written</translation>
    </message>
    <message>
        <source>Prąd dla 5,6mA zapisany</source>
        <translation>Current for 5.6mA written</translation>
    </message>
    <message>
        <source>Wyjście skalibrowane</source>
        <translation>Output calibrated</translation>
    </message>
    <message>
        <source>Wpisz temperature</source>
        <translation>Enter the temperature</translation>
    </message>
    <message>
        <source>Kalibracja temperatury kompensacji zakończona</source>
        <translation>Compensation temperature calibration finished</translation>
    </message>
</context>
<context>
    <name>CCalibrationWizardDlg</name>
    <message>
        <source>Inicjalizacja portu</source>
        <translation>Initializing the port</translation>
    </message>
    <message>
        <source>Kalibracja wyjścia </source>
        <translation>Output calibration </translation>
    </message>
    <message>
        <source>Trim ustawiony</source>
        <translation>Trim set</translation>
    </message>
    <message>
        <source>Trim anulowany</source>
        <translation>Trim cancelled</translation>
    </message>
    <message>
        <source>Odczyt temperatury</source>
        <translation>Reading the temperature</translation>
    </message>
    <message>
        <source>Kalibracja wejścia zakończona</source>
        <translation>Input calibration finished</translation>
    </message>
    <message>
        <source>Kalibracja wyjścia zakończona</source>
        <translation>Output calibration finished</translation>
    </message>
    <message>
        <source>Temp. wewn. w °C</source>
        <translation>Int. temp. in °C</translation>
    </message>
    <message>
        <source>Wpisz temperature</source>
        <translation>Enter the temperature</translation>
    </message>
    <message>
        <source>Kalibracja pomiaru temperatury zakończona</source>
        <translation>Temperature measurement calibration finished</translation>
    </message>
</context>
<context>
    <name>CDeltaDlg</name>
    <message>
        <source>Wpisz liczbę całkowitą od 0 do 200.</source>
        <translation>Enter a whole number from 0 to 200.</translation>
    </message>
</context>
<context>
    <name>CFactoryDataDlg</name>
    <message>
        <source>Przepisywanie danych</source>
        <translation>Copying the data</translation>
    </message>
    <message>
        <source>Ustawianie wyjścia</source>
        <translation>Setting the output</translation>
    </message>
    <message>
        <source>Wyjście ustawione</source>
        <translation>Output set</translation>
    </message>
    <message>
        <source>Dane fabryczne przepisane</source>
        <translation>Factory data restored</translation>
    </message>
    <message>
        <source>Zerowanie wyjścia</source>
        <translation>Resetting the output</translation>
    </message>
</context>
<context>
    <name>COutputCurrentDlg</name>
    <message>
        <source>Napięcie wyjściowe</source>
        <translation>Output voltage</translation>
    </message>
    <message>
        <source>Prąd wyjściowy</source>
        <translation>Output current</translation>
    </message>
    <message>
        <source>Wartość napięcia wyjściowego</source>
        <translation>Output voltage value</translation>
    </message>
    <message>
        <source>Wartość prądu wyjściowego</source>
        <translation>Output current value</translation>
    </message>
    <message>
        <source>Wyjście ustawione</source>
        <translation>Output set</translation>
    </message>
    <message>
        <source>Wyjście wyzerowane</source>
        <translation>Output reset</translation>
    </message>
</context>
<context>
    <name>CalibDlg</name>
    <message>
        <source>Kalibracja</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>Wejście</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>100 Ohm, 0mV</source>
        <translation>100 Ohm, 0mV</translation>
    </message>
    <message>
        <source>We min</source>
        <translation>In min</translation>
    </message>
    <message>
        <source>300 Ohm, 80mV</source>
        <translation>300 Ohm, 80mV</translation>
    </message>
    <message>
        <source>We max</source>
        <translation>In max</translation>
    </message>
    <message>
        <source>Odczytaj</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Wyjście</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>Ustaw 5,6</source>
        <translation>Set 5.6</translation>
    </message>
    <message>
        <source>Kalibruj</source>
        <translation>Calibrate</translation>
    </message>
    <message>
        <source>Ustaw 12,0</source>
        <translation>Set 12.0</translation>
    </message>
    <message>
        <source>Ustaw 18,4</source>
        <translation>Set 18.4</translation>
    </message>
    <message>
        <source>Temperatura kompensacji</source>
        <translation>Compensation temperature</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>UpdateView</source>
        <translation>UpdateView</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CalibProcedureDlg</name>
    <message>
        <source>Procedura kalibracji</source>
        <translation>Calibration procedure</translation>
    </message>
    <message>
        <source>Technik (imię i nazwisko)</source>
        <translation>Technician (full name)</translation>
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
        <source>Temperatura otoczenia [°C]</source>
        <translation>Ambient temperature [°C]</translation>
    </message>
    <message>
        <source>Wilgotność względna [%]</source>
        <translation>Relative humidity [%]</translation>
    </message>
    <message>
        <source>Wzorzec wejścia</source>
        <translation>Input reference</translation>
    </message>
    <message>
        <source>Miernik wyjścia</source>
        <translation>Output meter</translation>
    </message>
    <message>
        <source>Tolerancja wejścia</source>
        <translation>Input tolerance</translation>
    </message>
    <message>
        <source>Tolerancja wyjścia [mA]</source>
        <translation>Output tolerance [mA]</translation>
    </message>
    <message>
        <source>Interwał kalibracji [miesiące]</source>
        <translation>Calibration interval [months]</translation>
    </message>
    <message>
        <source>Punkty [% zakresu]</source>
        <translation>Points [% of range]</translation>
    </message>
    <message>
        <source>Rozpocznij</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Wartość</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Dalej</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Regulacja...</source>
        <translation>Adjust...</translation>
    </message>
    <message>
        <source>Stan pozostawiony</source>
        <translation>As left</translation>
    </message>
    <message>
        <source>Zakończ</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>Przerwij</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>CalibSettingsDlg</name>
    <message>
        <source>Ustawienia kalibracji</source>
        <translation>Calibration settings</translation>
    </message>
    <message>
        <source>Kalibracja</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>wejścia</source>
        <translation>input</translation>
    </message>
    <message>
        <source>wyjścia</source>
        <translation>output</translation>
    </message>
    <message>
        <source>kompensacji</source>
        <translation>compensation</translation>
    </message>
    <message>
        <source>all</source>
        <translation>all</translation>
    </message>
    <message>
        <source>odwrotnie</source>
        <translation>reverse</translation>
    </message>
    <message>
        <source>Trymowanie</source>
        <translation>Trim</translation>
    </message>
    <message>
        <source>ustaw</source>
        <translation>set</translation>
    </message>
    <message>
        <source>anuluj</source>
        <translation>cancel</translation>
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
    <name>CalibWizardDlg</name>
    <message>
        <source>Kalibracja wejścia</source>
        <translation>Input calibration</translation>
    </message>
    <message>
        <source>Stan</source>
        <translation>Status</translation>
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
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>DeltaDlg</name>
    <message>
        <source>DELTA</source>
        <translation>DELTA</translation>
    </message>
    <message>
        <source>Ustaw DELTA</source>
        <translation>Set DELTA</translation>
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
    <name>FactoryDataDlg</name>
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
    <name>InputReading</name>
    <message>
        <source>Odczyt PV</source>
        <translation>Reading PV</translation>
    </message>
</context>
<context>
    <name>OutputCurrentDlg</name>
    <message>
        <source>Prąd wyjściowy</source>
        <translation>Output current</translation>
    </message>
    <message>
        <source>wy</source>
        <translation>out</translation>
    </message>
    <message>
        <source>mA</source>
        <translation>mA</translation>
    </message>
    <message>
        <source>Ustaw</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Zeruj</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Wyjście</source>
        <translation>Output</translation>
    </message>
</context>
<context>
    <name>doxa</name>
    <message>
        <source>brak odczytów</source>
        <translation>no readings</translation>
    </message>
    <message>
        <source>brak charakterystyki czujnika do przeliczenia %1 na %2</source>
        <translation>no sensor curve to convert %1 to %2</translation>
    </message>
</context>
<context>
    <name>doxa::calibration</name>
    <message>
        <source>brak charakterystyki czujnika</source>
        <translation>no sensor curve</translation>
    </message>
    <message>
        <source>Ustawianie 5,6mA </source>
        <translation>Setting 5.6mA </translation>
    </message>
    <message>
        <source>Ustawianie 12mA </source>
        <translation>Setting 12mA </translation>
    </message>
    <message>
        <source>Ustawianie 18,4mA</source>
        <translation>Setting 18.4mA</translation>
    </message>
    <message>
        <source>Ustawianie 1,0V </source>
        <translation>Setting 1.0V </translation>
    </message>
    <message>
        <source>Ustawianie 5,0V </source>
        <translation>Setting 5.0V </translation>
    </message>
    <message>
        <source>Ustawianie 9,0V </source>
        <translation>Setting 9.0V </translation>
    </message>
    <message>
        <source>Ustawianie 2,0mA </source>
        <translation>Setting 2.0mA </translation>
    </message>
    <message>
        <source>Ustawianie 10,0mA </source>
        <translation>Setting 10.0mA </translation>
    </message>
    <message>
        <source>Ustawianie 18,0mA </source>
        <translation>Setting 18.0mA </translation>
    </message>
    <message>
        <source>Ustaw 300 Ohm</source>
        <translation>Set 300 Ohm</translation>
    </message>
    <message>
        <source>Ustaw 100 Ohm</source>
        <translation>Set 100 Ohm</translation>
    </message>
    <message>
        <source>Ustaw 80 mV</source>
        <translation>Set 80 mV</translation>
    </message>
    <message>
        <source>Ustaw 0 mV</source>
        <translation>Set 0 mV</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>Wpisz poprawną liczbę</source>
        <translation>Enter a valid number</translation>
    </message>
    <message>
        <source>Przyrząd „%1” nie ma daty ważności wzorcowania – nie może być użyty</source>
        <translation>Instrument “%1” has no calibration due date – it cannot be used</translation>
    </message>
    <message>
        <source>Wzorcowanie przyrządu „%1” wygasło %2 – wybierz inny przyrząd</source>
        <translation>The calibration of instrument “%1” expired on %2 – choose another instrument</translation>
    </message>
    <message>
        <source>%1, wejście %2: wzorzec %3</source>
        <translation>%1, input %2: reference %3</translation>
    </message>
    <message>
        <source>%1, wyjście %2: wzorzec %3</source>
        <translation>%1, output %2: reference %3</translation>
    </message>
    <message>
        <source>%1, odczyt %2 (rozrzut %3)</source>
        <translation>%1, reading %2 (spread %3)</translation>
    </message>
    <message>
        <source>%1, błąd %2</source>
        <translation>%1, error %2</translation>
    </message>
    <message>
        <source>%1 – zgodny</source>
        <translation>%1 – pass</translation>
    </message>
    <message>
        <source>%1 – niezgodny</source>
        <translation>%1 – fail</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>(brak)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>przerwana przez technika</source>
        <translation>stopped by the technician</translation>
    </message>
    <message>
        <source>utracono połączenie z przetwornikiem</source>
        <translation>connection to the transmitter lost</translation>
    </message>
    <message>
        <source>okno procedury zamknięte</source>
        <translation>procedure window closed</translation>
    </message>
    <message>
        <source>%1, ważny do %2</source>
        <translation>%1, valid until %2</translation>
    </message>
    <message>
        <source>UWAGA! Błędna kalibracja przetwornika spowoduje jego niepoprawne funkcjonowanie. Czy kontynuować?</source>
        <translation>WARNING! A wrong calibration will make the transmitter work incorrectly. Continue?</translation>
    </message>
    <message>
        <source>Ustaw Trim</source>
        <translation>Set Trim</translation>
    </message>
    <message>
        <source>Anuluj Trim</source>
        <translation>Cancel Trim</translation>
    </message>
    <message>
        <source>Stan zastany</source>
        <translation>As found</translation>
    </message>
    <message>
        <source>Stan pozostawiony</source>
        <translation>As left</translation>
    </message>
    <message>
        <source>Wpisz wartość napięcia</source>
        <translation>Enter the voltage value</translation>
    </message>
    <message>
        <source>Wpisz wartość prądu</source>
        <translation>Enter the current value</translation>
    </message>
    <message>
        <source>Przetwornik nie potwierdził zapisu punktu – ustaw wyjście i zmierz je ponownie przed powtórzeniem</source>
        <translation>The transmitter did not confirm writing the point – set the output and measure it again before repeating</translation>
    </message>
    <message>
        <source>Wyjście nie zostało ustawione – ustaw je i zmierz przed kalibracją punktu</source>
        <translation>The output was not set – set it and measure it before calibrating the point</translation>
    </message>
    <message>
        <source>Przetwornik nie potwierdził zapisu korekty – sprawdź odczyt temperatury przed powtórzeniem</source>
        <translation>The transmitter did not confirm writing the correction – check the temperature reading before repeating</translation>
    </message>
    <message>
        <source>Przetwornik nie potwierdził ustawienia wyjścia – sprawdź wyjście przed powtórzeniem</source>
        <translation>The transmitter did not confirm setting the output – check the output before repeating</translation>
    </message>
    <message>
        <source>UWAGA! W przetworniku zostaną ustawione fabryczne dane kalibracyjne. Czy kontynuować?</source>
        <translation>WARNING! The transmitter will be set to its factory calibration data. Continue?</translation>
    </message>
    <message>
        <source>Błąd nadawania: dane nie opuściły portu</source>
        <translation>Send error: the data did not leave the port</translation>
    </message>
    <message>
        <source>%1 nr %2, ważny do %3</source>
        <translation>%1 no. %2, valid until %3</translation>
    </message>
    <message>
        <source>Przed wymuszeniem wyjścia przetwornika przełącz pętlę sterowania na pracę ręczną: wartość wyjścia nie będzie odpowiadać pomiarowi.</source>
        <translation>Before the transmitter&apos;s output is forced, switch the control loop to manual: the output will not follow the measurement.</translation>
    </message>
</context>
</TS>
