<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>CDisplayDlg</name>
    <message>
        <source>Odczyt PV</source>
        <translation>Reading PV</translation>
    </message>
    <message>
        <source>Odczyt prądu wyjściowego</source>
        <translation>Reading output current</translation>
    </message>
    <message>
        <source>Odczyt temperatury wewn.</source>
        <translation>Reading internal temp.</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Sprawdź połączenie z przetwornikiem</source>
        <translation>Check the connection to the transmitter</translation>
    </message>
</context>
<context>
    <name>DisplayDlg</name>
    <message>
        <source>Wyświetlanie</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>PV:</source>
        <translation>PV:</translation>
    </message>
    <message>
        <source>.....</source>
        <translation>.....</translation>
    </message>
    <message>
        <source>Wyjście: </source>
        <translation>Output: </translation>
    </message>
    <message>
        <source>Temp. otocz.:</source>
        <translation>Ambient temp.:</translation>
    </message>
    <message>
        <source>Typ przetwornika:</source>
        <translation>Transmitter type:</translation>
    </message>
    <message>
        <source>Czujnik:</source>
        <translation>Sensor:</translation>
    </message>
    <message>
        <source>Adres:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Nr seryjny:</source>
        <translation>Serial no.:</translation>
    </message>
    <message>
        <source>Wykres</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>IdentDlg</name>
    <message>
        <source>Inicjalizacja</source>
        <translation>Initialization</translation>
    </message>
    <message>
        <source>Adres:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Typ przetwornika:</source>
        <translation>Transmitter type:</translation>
    </message>
    <message>
        <source>.....</source>
        <translation>.....</translation>
    </message>
    <message>
        <source>Nr seryjny: </source>
        <translation>Serial no.: </translation>
    </message>
    <message>
        <source>Typ czujnika: </source>
        <translation>Sensor type: </translation>
    </message>
    <message>
        <source>Rodzaj wyjścia: </source>
        <translation>Output type: </translation>
    </message>
    <message>
        <source>Sygnalizacja przerwy:</source>
        <translation>Break signal:</translation>
    </message>
    <message>
        <source>Zakres min: </source>
        <translation>Range min: </translation>
    </message>
    <message>
        <source>Zakres max: </source>
        <translation>Range max: </translation>
    </message>
    <message>
        <source>Próg:</source>
        <translation>Threshold:</translation>
    </message>
    <message>
        <source>Histereza:</source>
        <translation>Hysteresis:</translation>
    </message>
    <message>
        <source>Filtracja:</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>WriteJudgement</name>
    <message>
        <source>Przetwornik odrzucił zapis: wyjątek %1 (%2)</source>
        <translation>The transmitter refused the write: exception %1 (%2)</translation>
    </message>
    <message>
        <source>Przetwornik odrzucił zapis: kod %1 (%2)</source>
        <translation>The transmitter refused the write: code %1 (%2)</translation>
    </message>
</context>
<context>
    <name>doxa</name>
    <message>
        <source> Rezystancja</source>
        <translation> Resistance</translation>
    </message>
    <message>
        <source> Pt 100 (385)</source>
        <translation> Pt 100 (385)</translation>
    </message>
    <message>
        <source> Pt 100 (391)</source>
        <translation> Pt 100 (391)</translation>
    </message>
    <message>
        <source> Ni 100 (619)</source>
        <translation> Ni 100 (619)</translation>
    </message>
    <message>
        <source> Ni 100 (617)</source>
        <translation> Ni 100 (617)</translation>
    </message>
    <message>
        <source> Cu 100 (428)</source>
        <translation> Cu 100 (428)</translation>
    </message>
    <message>
        <source> Cu 100 (426)</source>
        <translation> Cu 100 (426)</translation>
    </message>
    <message>
        <source> Cu 50 (428)</source>
        <translation> Cu 50 (428)</translation>
    </message>
    <message>
        <source> Cu 50 (426)</source>
        <translation> Cu 50 (426)</translation>
    </message>
    <message>
        <source> TC typu T</source>
        <translation> TC type T</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source> y=f(x)</source>
        <translation> y=f(x)</translation>
    </message>
    <message>
        <source> Rezystancja</source>
        <translation> Resistance</translation>
    </message>
    <message>
        <source> Pt 100</source>
        <translation> Pt 100</translation>
    </message>
    <message>
        <source> Ni 100</source>
        <translation> Ni 100</translation>
    </message>
    <message>
        <source> Napięcie</source>
        <translation> Voltage</translation>
    </message>
    <message>
        <source> TC typu &apos;K&apos;</source>
        <translation> TC type &apos;K&apos;</translation>
    </message>
    <message>
        <source> TC typu &apos;J&apos;</source>
        <translation> TC type &apos;J&apos;</translation>
    </message>
    <message>
        <source> TC typu &apos;S&apos;</source>
        <translation> TC type &apos;S&apos;</translation>
    </message>
    <message>
        <source> TC typu &apos;B&apos;</source>
        <translation> TC type &apos;B&apos;</translation>
    </message>
    <message>
        <source> TC typu &apos;N&apos;</source>
        <translation> TC type &apos;N&apos;</translation>
    </message>
    <message>
        <source> TC typu T</source>
        <translation> TC type T</translation>
    </message>
    <message>
        <source> prądowe 0...20mA</source>
        <translation> current 0...20mA</translation>
    </message>
    <message>
        <source> prądowe 4...20mA</source>
        <translation> current 4...20mA</translation>
    </message>
    <message>
        <source> prądowe 0...5mA</source>
        <translation> current 0...5mA</translation>
    </message>
    <message>
        <source> napięciowe</source>
        <translation> voltage</translation>
    </message>
    <message>
        <source> 4...20mA</source>
        <translation> 4...20mA</translation>
    </message>
    <message>
        <source> na min  </source>
        <translation> to min  </translation>
    </message>
    <message>
        <source> na max  </source>
        <translation> to max  </translation>
    </message>
    <message>
        <source> wyłączony</source>
        <translation> off</translation>
    </message>
    <message>
        <source>%1 sek ,rząd: %2</source>
        <translation>%1 s, order: %2</translation>
    </message>
    <message>
        <source> nie aktywny</source>
        <translation> not active</translation>
    </message>
    <message>
        <source> brak</source>
        <translation> none</translation>
    </message>
    <message>
        <source>Inicjalizacja połączenia</source>
        <translation>Initializing the connection</translation>
    </message>
    <message>
        <source>Czytanie danych</source>
        <translation>Reading data</translation>
    </message>
    <message>
        <source>Brak odpowiedzi</source>
        <translation>No answer</translation>
    </message>
    <message>
        <source>Koniec</source>
        <translation>Finished</translation>
    </message>
    <message>
        <source>Bład w otwarciu portu</source>
        <translation>Error opening the port</translation>
    </message>
    <message>
        <source>Zmień port szeregowy </source>
        <translation>Change the serial port </translation>
    </message>
    <message>
        <source>Ustawienia portu…</source>
        <translation>Port settings…</translation>
    </message>
    <message>
        <source>niedozwolona funkcja</source>
        <translation>illegal function</translation>
    </message>
    <message>
        <source>niedozwolony adres rejestru</source>
        <translation>illegal register address</translation>
    </message>
    <message>
        <source>niedozwolona wartość danych</source>
        <translation>illegal data value</translation>
    </message>
    <message>
        <source>błąd przetwornika</source>
        <translation>transmitter failure</translation>
    </message>
    <message>
        <source>przyjęte, w trakcie wykonywania</source>
        <translation>accepted, in progress</translation>
    </message>
    <message>
        <source>przetwornik zajęty</source>
        <translation>transmitter busy</translation>
    </message>
    <message>
        <source>kod nieznany</source>
        <translation>unknown code</translation>
    </message>
    <message>
        <source>przetwornik odebrał zapytanie z błędem</source>
        <translation>the transmitter received the request with an error</translation>
    </message>
    <message>
        <source>błąd nieokreślony</source>
        <translation>undefined error</translation>
    </message>
    <message>
        <source>nieprawidłowy wybór</source>
        <translation>invalid selection</translation>
    </message>
    <message>
        <source>parametr za duży</source>
        <translation>parameter too large</translation>
    </message>
    <message>
        <source>parametr za mały</source>
        <translation>parameter too small</translation>
    </message>
    <message>
        <source>za mało bajtów danych</source>
        <translation>too few data bytes</translation>
    </message>
    <message>
        <source>błąd polecenia w przetworniku</source>
        <translation>transmitter-specific command error</translation>
    </message>
    <message>
        <source>tryb ochrony przed zapisem</source>
        <translation>in write-protect mode</translation>
    </message>
    <message>
        <source>ostrzeżenie</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>dostęp ograniczony</source>
        <translation>access restricted</translation>
    </message>
    <message>
        <source>polecenie nieobsługiwane</source>
        <translation>command not implemented</translation>
    </message>
    <message>
        <source>błąd właściwy dla polecenia</source>
        <translation>command-specific error</translation>
    </message>
    <message>
        <source>Zapis nieznany programowi – nie został wysłany</source>
        <translation>A write unknown to the program – not sent</translation>
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
