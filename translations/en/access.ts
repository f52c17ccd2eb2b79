<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>PasswordChangeDlg</name>
    <message>
        <source>Zmień hasło</source>
        <translation>Change password</translation>
    </message>
    <message>
        <source>serwis</source>
        <translation>service</translation>
    </message>
    <message>
        <source>kalibracja</source>
        <translation>calibration</translation>
    </message>
    <message>
        <source>programowanie</source>
        <translation>programming</translation>
    </message>
    <message>
        <source>Wprowadź hasło:</source>
        <translation>Enter password:</translation>
    </message>
    <message>
        <source>Włączona obsługa haseł</source>
        <translation>Passwords enabled</translation>
    </message>
    <message>
        <source>Zapisz</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>PasswordDlg</name>
    <message>
        <source>Hasło</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Podaj hasło:</source>
        <translation>Enter password:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>Błąd we wprowadzaniu hasła</source>
        <translation>Password entry error</translation>
    </message>
</context>
</TS>
