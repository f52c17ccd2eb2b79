<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>PasswordChangeDlg</name>
    <message>
        <source>Zmień hasło</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>serwis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kalibracja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>programowanie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wprowadź hasło:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Włączona obsługa haseł</source>
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
    <name>PasswordDlg</name>
    <message>
        <source>Hasło</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Podaj hasło:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
