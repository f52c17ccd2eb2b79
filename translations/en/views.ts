<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>doxa</name>
    <message>
        <source>Czujnik = %1</source>
        <translation>Sensor = %1</translation>
    </message>
    <message>
        <source>Zakres min = %1</source>
        <translation>Range min = %1</translation>
    </message>
    <message>
        <source>Zakres max = %1</source>
        <translation>Range max = %1</translation>
    </message>
    <message>
        <source>Poprawka CYS_I = %1</source>
        <translation>Corr. CYS_I = %1</translation>
    </message>
    <message>
        <source>Poprawka CY0_I = %1</source>
        <translation>Corr. CY0_I = %1</translation>
    </message>
    <message>
        <source>Poprawka CYS_U = %1</source>
        <translation>Corr. CYS_U = %1</translation>
    </message>
    <message>
        <source>Poprawka CY0_U = %1</source>
        <translation>Corr. CY0_U = %1</translation>
    </message>
    <message>
        <source>Poprawka CALS_R = %1</source>
        <translation>Corr. CALS_R = %1</translation>
    </message>
    <message>
        <source>Poprawka CAL0_R = %1</source>
        <translation>Corr. CAL0_R = %1</translation>
    </message>
    <message>
        <source>Poprawka CALS_U = %1</source>
        <translation>Corr. CALS_U = %1</translation>
    </message>
    <message>
        <source>Poprawka CAL0_U = %1</source>
        <translation>Corr. CAL0_U = %1</translation>
    </message>
    <message>
        <source>Próg L1 = %1</source>
        <translation>Threshold L1 = %1</translation>
    </message>
    <message>
        <source>Histereza progu = %1</source>
        <translation>Threshold hyst. = %1</translation>
    </message>
    <message>
        <source>Poprawka POP_TEMP = %1</source>
        <translation>Corr. POP_TEMP = %1</translation>
    </message>
    <message>
        <source>Adres = %1</source>
        <translation>Address = %1</translation>
    </message>
    <message>
        <source>Temperatura = %1</source>
        <translation>Temperature = %1</translation>
    </message>
    <message>
        <source>Poprawka CYS= %1</source>
        <translation>Corr. CYS= %1</translation>
    </message>
    <message>
        <source>Poprawka CY0 = %1</source>
        <translation>Corr. CY0 = %1</translation>
    </message>
    <message>
        <source>Poprawka CALS = %1</source>
        <translation>Corr. CALS = %1</translation>
    </message>
    <message>
        <source>Poprawka CAL0 = %1</source>
        <translation>Corr. CAL0 = %1</translation>
    </message>
    <message>
        <source>Poprawka CYS = %1</source>
        <translation>Corr. CYS = %1</translation>
    </message>
    <message>
        <source>Wartość PV = %1</source>
        <translation>PV value = %1</translation>
    </message>
    <message>
        <source>Wartość prądu = %1</source>
        <translation>Current = %1</translation>
    </message>
    <message>
        <source>Polling adres = %1</source>
        <translation>Polling address = %1</translation>
    </message>
    <message>
        <source>Wartość TRIM = %1</source>
        <translation>TRIM value = %1</translation>
    </message>
    <message>
        <source>Wartość IY = %1</source>
        <translation>IY value = %1</translation>
    </message>
    <message>
        <source>Wartość IX = %1</source>
        <translation>IX value = %1</translation>
    </message>
    <message>
        <source>Wartość Y = %1</source>
        <translation>Y value = %1</translation>
    </message>
    <message>
        <source>Wartość X = %1</source>
        <translation>X value = %1</translation>
    </message>
    <message>
        <source>Konfiguracja przetwornika typu : %1</source>
        <translation>Config. of transmitter type : %1</translation>
    </message>
    <message>
        <source>Numer seryjny : %1</source>
        <translation>Serial number : %1</translation>
    </message>
    <message>
        <source>Data : %1</source>
        <translation>Date : %1</translation>
    </message>
    <message>
        <source> Strona: %1/%2</source>
        <translation> Page: %1/%2</translation>
    </message>
    <message>
        <source>Typ czujnika : %1</source>
        <translation>Sensor type : %1</translation>
    </message>
    <message>
        <source>Sygnalizacja przerwy : na min</source>
        <translation>Break signalling : at min</translation>
    </message>
    <message>
        <source>Sygnalizacja przerwy : na max</source>
        <translation>Break signalling : at max</translation>
    </message>
    <message>
        <source>Zakres min : %1</source>
        <translation>Range min : %1</translation>
    </message>
    <message>
        <source>Zakres max : %1</source>
        <translation>Range max : %1</translation>
    </message>
    <message>
        <source>Próg : %1 , %2</source>
        <translation>Threshold : %1 , %2</translation>
    </message>
    <message>
        <source>Próg : nie aktywny</source>
        <translation>Threshold : not active</translation>
    </message>
    <message>
        <source>Histereza : %1</source>
        <translation>Hysteresis : %1</translation>
    </message>
    <message>
        <source>Filtracja : rząd:%1 , %2</source>
        <translation>Filtering : order:%1 , %2</translation>
    </message>
    <message>
        <source>Filtr : wyłączony</source>
        <translation>Filter : off</translation>
    </message>
    <message>
        <source>Adres : %1</source>
        <translation>Address : %1</translation>
    </message>
    <message>
        <source>Podgląd wydruku</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Eksport do PDF</source>
        <translation>Export to PDF</translation>
    </message>
    <message>
        <source>Dokument PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1</source>
        <translation>Cannot save the file %1</translation>
    </message>
    <message>
        <source>Konfiguracja przetwornika</source>
        <translation>Transmitter configuration</translation>
    </message>
    <message>
        <source>Kopiuj</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Zapisz log...</source>
        <translation>Save log...</translation>
    </message>
    <message>
        <source>Zapisz log</source>
        <translation>Save log</translation>
    </message>
    <message>
        <source>Log transmisji (*.txt)</source>
        <translation>Transmission log (*.txt)</translation>
    </message>
    <message>
        <source>Wykres</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>Wykres (pauza)</source>
        <translation>Trend (paused)</translation>
    </message>
    <message>
        <source>Wykres (zakończony)</source>
        <translation>Trend (ended)</translation>
    </message>
    <message>
        <source>Oczekiwanie na pomiary...</source>
        <translation>Waiting for measurements...</translation>
    </message>
    <message>
        <source>Pauza</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Wznów</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>Zapisz CSV...</source>
        <translation>Save CSV...</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Zapisz CSV</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>Pliki CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1: %2</source>
        <translation>Cannot save the file %1: %2</translation>
    </message>
</context>
<context>
    <name>doxa::Page</name>
    <message>
        <source>rezystancja.</source>
        <translation>resistance.</translation>
    </message>
    <message>
        <source>napięcie.</source>
        <translation>voltage.</translation>
    </message>
</context>
<context>
    <name>doxa::Series</name>
    <message>
        <source>Wyjście</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>Temp. otocz.</source>
        <translation>Amb. temp.</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>Sygnalizacja przerwy na min.</source>
        <translation>Break signalled at min.</translation>
    </message>
    <message>
        <source>Sygnalizacja przerwy na max.</source>
        <translation>Break signalled at max.</translation>
    </message>
    <message>
        <source>Próg nie aktywny.</source>
        <translation>Threshold not active.</translation>
    </message>
    <message>
        <source>Wyjście napięciowe 0...10V  </source>
        <translation>Voltage output 0...10V  </translation>
    </message>
    <message>
        <source>Wyjście prądowe 0...5mA</source>
        <translation>Current output 0...5mA</translation>
    </message>
    <message>
        <source>Wyjście prądowe 0...20mA</source>
        <translation>Current output 0...20mA</translation>
    </message>
    <message>
        <source>Wyjście prądowe 4...20mA</source>
        <translation>Current output 4...20mA</translation>
    </message>
    <message>
        <source>Wyjście napięciowe   </source>
        <translation>Voltage output   </translation>
    </message>
    <message>
        <source>Wyjście prądowe </source>
        <translation>Current output </translation>
    </message>
    <message>
        <source>Rezystancja.</source>
        <translation>Resistance.</translation>
    </message>
    <message>
        <source>Napięcie.</source>
        <translation>Voltage.</translation>
    </message>
    <message>
        <source>%1 sek</source>
        <translation>%1 s</translation>
    </message>
</context>
</TS>
