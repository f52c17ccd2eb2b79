<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>ConsoleDlg</name>
    <message>
        <source>Wyślij instrukcje</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Instrukcja HART</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Konwersja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wyślij</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-&gt; float</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-&gt; HART</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FinderDlg</name>
    <message>
        <source>Szukaj przetwornika</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transmisja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HART/RS232</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS 485 (MODBUS): każda prędkość i parzystość</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adresy od:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>do:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Odpowiedziały:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Szukaj</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Przejmij ustawienia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LineMonitorDlg</name>
    <message>
        <source>Monitor linii</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stan transmisji</source>
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
    <name>LineStatsDlg</name>
    <message>
        <source>Statystyka łącza</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wysłane zapytania:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Poprawne odpowiedzi:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Odrzucone odpowiedzi:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>    suma kontrolna / CRC:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>    adres:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>    komenda / funkcja:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>    długość:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>    początek ramki:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>    wyjątek MODBUS:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Brak odpowiedzi:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Powtórzenia:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Średni czas odpowiedzi:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Błędy linii:</source>
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
</context>
<context>
    <name>MemoryDumpDlg</name>
    <message>
        <source>Odczyt RAM</source>
        <translation type="unfinished"></translation>
    </message>
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
    <name>RegisterReadDlg</name>
    <message>
        <source>Rejestry - odczyt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adres start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adres koniec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adres:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Odczytaj</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Float_to_int</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RegisterWriteDlg</name>
    <message>
        <source>Rejestry - zapis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adres start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adres koniec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dane:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adres:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zapisz:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 rejestr</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4 rejestry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EEPROM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wyslij</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
