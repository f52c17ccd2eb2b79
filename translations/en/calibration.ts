<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>CalibDlg</name>
    <message>
        <source>Kalibracja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wejście</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>100 Ohm, 0mV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>We min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>300 Ohm, 80mV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>We max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Odczytaj</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wyjście</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ustaw 5,6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kalibruj</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ustaw 12,0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ustaw 18,4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperatura kompensacji</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UpdateView</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalibProcedureDlg</name>
    <message>
        <source>Procedura kalibracji</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Technik (imię i nazwisko)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Klient / zakład</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oznaczenie (tag)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperatura otoczenia [°C]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wilgotność względna [%]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wzorzec wejścia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Miernik wyjścia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tolerancja wejścia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tolerancja wyjścia [mA]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interwał kalibracji [miesiące]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Punkty [% zakresu]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rozpocznij</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wartość</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dalej</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regulacja...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stan pozostawiony</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zakończ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Przerwij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalibSettingsDlg</name>
    <message>
        <source>Ustawienia kalibracji</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kalibracja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wejścia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wyjścia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kompensacji</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>odwrotnie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trymowanie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ustaw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>anuluj</source>
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
    <name>CalibWizardDlg</name>
    <message>
        <source>Kalibracja wejścia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Odczytaj</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wyślij</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeltaDlg</name>
    <message>
        <source>DELTA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ustaw DELTA</source>
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
    <name>FactoryDataDlg</name>
    <message>
        <source>Stan transmisji</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutputCurrentDlg</name>
    <message>
        <source>Prąd wyjściowy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ustaw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeruj</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wyjście</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
