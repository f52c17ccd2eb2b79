<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>DisplayDlg</name>
    <message>
        <source>Wyświetlanie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PV:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>.....</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wyjście: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temp. otocz.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Typ przetwornika:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Czujnik:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adres:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nr seryjny:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wykres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IdentDlg</name>
    <message>
        <source>Inicjalizacja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adres:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Typ przetwornika:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>.....</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nr seryjny: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Typ czujnika: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rodzaj wyjścia: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sygnalizacja przerwy:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zakres min: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zakres max: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Próg:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Histereza:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filtracja:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>doxa</name>
    <message>
        <source>zimne końce w %1 °C są poza zakresem ważności %2: %3..%4 °C</source>
        <translation>cold junction at %1 °C is outside the valid range of %2: %3..%4 °C</translation>
    </message>
    <message>
        <source>%1 °C jest poza zakresem ważności %2: %3..%4 °C</source>
        <translation>%1 °C is outside the valid range of %2: %3..%4 °C</translation>
    </message>
    <message>
        <source>%1 %2 jest poza zakresem ważności %3: %4..%5 %2 (%6..%7 °C)</source>
        <translation>%1 %2 is outside the valid range of %3: %4..%5 %2 (%6..%7 °C)</translation>
    </message>
</context>
</TS>
