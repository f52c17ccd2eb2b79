<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>BackupsDlg</name>
    <message>
        <source>Kopie zapasowe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Konfiguracje zapisane przed programowaniem (model, nr seryjny, czas):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Otwórz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
