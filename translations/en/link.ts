<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>doxa</name>
    <message>
        <source>Parzystość</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>Przepełnienie</source>
        <translation>Overrun</translation>
    </message>
    <message>
        <source>Ramka</source>
        <translation>Framing</translation>
    </message>
    <message>
        <source>Suma kontrolna</source>
        <translation>Checksum</translation>
    </message>
    <message>
        <source>Błąd działania</source>
        <translation>Malfunction</translation>
    </message>
    <message>
        <source>Konfig. zm.</source>
        <translation>Config. chg.</translation>
    </message>
    <message>
        <source>Wł. zasilanie</source>
        <translation>Power on</translation>
    </message>
    <message>
        <source>Prąd ustawiony</source>
        <translation>Current fixed</translation>
    </message>
    <message>
        <source>Przerwa</source>
        <translation>Break</translation>
    </message>
    <message>
        <source>PV poza zakres</source>
        <translation>PV out of limits</translation>
    </message>
    <message>
        <source>Kom nie implem</source>
        <translation>Cmd not implem</translation>
    </message>
    <message>
        <source>port szeregowy komputera</source>
        <translation>the computer&apos;s serial port</translation>
    </message>
    <message>
        <source>adapter USB</source>
        <translation>USB adapter</translation>
    </message>
    <message>
        <source>urządzenie USB (ACM)</source>
        <translation>USB device (ACM)</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>urządzenie nie istnieje. Sprawdź, czy konwerter jest podłączony.</source>
        <translation>the device does not exist. Check that the adapter is plugged in.</translation>
    </message>
    <message>
        <source>brak uprawnień do urządzenia. Dodaj użytkownika do grupy dialout poleceniem
sudo usermod -aG dialout $USER
i zaloguj się ponownie.</source>
        <translation>no permission to use the device. Add the user to the dialout group with the command
sudo usermod -aG dialout $USER
and log in again.</translation>
    </message>
    <message>
        <source>to nie jest port szeregowy. Wybierz inne urządzenie: Ustawienia → Port.</source>
        <translation>this is not a serial port. Choose another device: Settings → Port.</translation>
    </message>
    <message>
        <source>to terminal, w którym działa program, a nie port szeregowy.</source>
        <translation>this is the terminal the program runs in, not a serial port.</translation>
    </message>
    <message>
        <source>port jest zajęty przez inny program. Zamknij go i spróbuj ponownie.</source>
        <translation>the port is in use by another program. Close it and try again.</translation>
    </message>
    <message>
        <source>port jest zajęty przez inny program (%1). Zamknij go i spróbuj ponownie.</source>
        <translation>the port is in use by another program (%1). Close it and try again.</translation>
    </message>
    <message>
        <source>Port %1 nie został otwarty.</source>
        <translation>Port %1 could not be opened.</translation>
    </message>
    <message>
        <source>Port %1 nie został otwarty: %2</source>
        <translation>Port %1 could not be opened: %2</translation>
    </message>
    <message>
        <source>Port %1 (%2) nie został otwarty.</source>
        <translation>Port %1 (%2) could not be opened.</translation>
    </message>
    <message>
        <source>Port %1 (%2) nie został otwarty: %3</source>
        <translation>Port %1 (%2) could not be opened: %3</translation>
    </message>
    <message>
        <source>błąd systemu %1 (%2).</source>
        <translation>system error %1 (%2).</translation>
    </message>
    <message>
        <source>Nie wybrano portu. Wybierz go: Ustawienia → Port.</source>
        <translation>No port is chosen. Choose one: Settings → Port.</translation>
    </message>
    <message>
        <source>Port %1 nie ma przypisanego urządzenia. Wybierz je: Ustawienia → Port.</source>
        <translation>Port %1 has no device assigned. Choose one: Settings → Port.</translation>
    </message>
    <message>
        <source>urządzenie szeregowe</source>
        <translation>serial device</translation>
    </message>
    <message>
        <source>%1, nr seryjny %2</source>
        <translation>%1, serial no. %2</translation>
    </message>
    <message>
        <source>brak dostępu – dodaj użytkownika do grupy dialout</source>
        <translation>no access – add the user to the dialout group</translation>
    </message>
</context>
</TS>
