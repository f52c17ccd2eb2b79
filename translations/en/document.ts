<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>BackupsDlg</name>
    <message>
        <source>Kopie zapasowe</source>
        <translation>Backups</translation>
    </message>
    <message>
        <source>Konfiguracje zapisane przed programowaniem (model, nr seryjny, czas):</source>
        <translation>Configurations saved before programming (model, serial no., time):</translation>
    </message>
    <message>
        <source>Otwórz</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>Folder: %1</source>
        <translation>Folder: %1</translation>
    </message>
    <message>
        <source>Nie ma jeszcze żadnej kopii zapasowej.</source>
        <translation>There are no backups yet.</translation>
    </message>
    <message>
        <source>%1   nr %2   %3</source>
        <translation>%1   no. %2   %3</translation>
    </message>
    <message>
        <source>%1: %2 bajtów, więcej niż ma plik konfiguracji przetwornika</source>
        <translation>%1: %2 bytes, more than a transmitter configuration file has</translation>
    </message>
    <message>
        <source>Nie można odczytać %1: to nie jest zwykły plik.</source>
        <translation>Cannot read %1: it is not a regular file.</translation>
    </message>
    <message>
        <source>Błędna wartość w pliku: %1 = %2 (dozwolone: %3)</source>
        <translation>Invalid value in the file: %1 = %2 (allowed: %3)</translation>
    </message>
    <message>
        <source>Błędna wartość w pliku: %1 = %2 (niedostępny w przetworniku %3)</source>
        <translation>Invalid value in the file: %1 = %2 (not available in transmitter %3)</translation>
    </message>
    <message>
        <source>Typ czujnika</source>
        <translation>Sensor type</translation>
    </message>
    <message>
        <source>liczba skończona</source>
        <translation>a finite number</translation>
    </message>
    <message>
        <source>%1 lub %2</source>
        <translation>%1 or %2</translation>
    </message>
    <message>
        <source>Punkt %1 charakterystyki, %2</source>
        <translation>Characteristic point %1, %2</translation>
    </message>
    <message>
        <source>Czas filtru</source>
        <translation>Filter time</translation>
    </message>
    <message>
        <source>Rząd filtru</source>
        <translation>Filter order</translation>
    </message>
    <message>
        <source>Sygnalizacja przerwy</source>
        <translation>Break signal</translation>
    </message>
    <message>
        <source>Próg aktywny</source>
        <translation>Threshold active</translation>
    </message>
    <message>
        <source>Kierunek progu</source>
        <translation>Threshold direction</translation>
    </message>
    <message>
        <source>Zakres min</source>
        <translation>Range min</translation>
    </message>
    <message>
        <source>Zakres max</source>
        <translation>Range max</translation>
    </message>
    <message>
        <source>Próg</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>Histereza</source>
        <translation>Hysteresis</translation>
    </message>
    <message>
        <source>Ilość punktów charakterystyki</source>
        <translation>Number of characteristic points</translation>
    </message>
</context>
</TS>
