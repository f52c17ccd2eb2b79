<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>CharacteristicDlg</name>
    <message>
        <source>y=f(x)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ilość danych: </source>
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
        <source>Wyczyść tablice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stan transmisji</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutputTypeDlg</name>
    <message>
        <source>RIVO_wyjście</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0...20mA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4...20mA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0...5mA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0...10V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgDlg</name>
    <message>
        <source>Programowanie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Typ przetwornika: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Czujnik:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pt 100</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;K&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ni 100</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;J&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rezystancja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;S&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Napięcie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;B&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;N&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;T&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>y=f(x)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>U</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tabela</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zakres:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filtr:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rząd:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;0&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>czas:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sek</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Próg:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On/off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wartość:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>histereza:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sygn. przerwy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>na max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>na min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ilość czujników</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aktywne</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adres:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RIVO_WY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stan transmisji</source>
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
    <name>ProgZUDlg</name>
    <message>
        <source>Programowanie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Typ przetwornika: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Czujnik:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rezystancja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu 100 (428)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pt 100 (385)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu 100 (426)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pt 100 (391)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu 50 (428)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ni 100 (618)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu 50 (426)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ni 100 (617)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>y=f(x)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tabela</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zakres:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filtr:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rząd:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;0&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>czas:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sek</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sygn. przerwy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>na max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>na min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stan transmisji</source>
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
    <name>Rs485Dlg</name>
    <message>
        <source>RS485</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4800</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9600</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>19200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>38400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>paity ODD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>parity off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programuj DOXA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ustaw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SensorDlg</name>
    <message>
        <source>Czujnik</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Typ czujnika:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numer seryjny czujnika:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wartość minimalna:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wartość maksymalna:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rozpiętość minimalna:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zmień numer czujnika</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SensorSerialDlg</name>
    <message>
        <source>Numer seryjny czujnika</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Podaj nowy numer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zapisz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextDlg</name>
    <message>
        <source>Wyślij tekst</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tekst:</source>
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
</TS>
