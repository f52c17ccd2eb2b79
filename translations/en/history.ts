<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>HistoryDlg</name>
    <message>
        <source>Historia przetwornika</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nr seryjny:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Od dnia (RRRR-MM-DD):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filtruj</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do kalibracji</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>w ciągu dni:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Przetworniki (model, nr seryjny, ostatnio widziany):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wpisy (czas, rodzaj, wynik, zastane → pozostawione):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Przerwij</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starsze wpisy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eksport CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Świadectwo kalibracji...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReferenceInstrumentDlg</name>
    <message>
        <source>Przyrząd wzorcowy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tolerancja temperatury [°C]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tolerancja wejścia [Ohm lub mV]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tolerancja wyjścia [mA lub V]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pusta tolerancja: świadectwo nie ocenia punktów.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReferenceInstrumentsDlg</name>
    <message>
        <source>Przyrządy wzorcowe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Przyrządy w rejestrze:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nazwa:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numer seryjny:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nr świadectwa wzorcowania:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ważny do (RRRR-MM-DD):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niepewność, jedna w wierszu: wartość, jednostka, (k=...), zakres, np. 0,02 mA (k=2) od 4 do 20</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zapisz zmiany</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dodaj nowy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wycofaj</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zmiany wybranego przyrządu (kto, kiedy, było → jest):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
