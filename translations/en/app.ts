<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>AboutDlg</name>
    <message>
        <source>O DOXA_WIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DOXA WIN Ver. 7.1.32</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>uaktualnienia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>www.doxa-win.example</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortDlg</name>
    <message>
        <source>Port szeregowy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wybierz port komunikacyjny</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>com1 :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>com2 :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>com3 :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>com4 :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>com5:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>com6:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>com7:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>com8:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>com9:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>com10:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>com11:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>com12:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Urządzenia szeregowe (wybrane zostanie przypisane do portu):</source>
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
    <name>StatusPanelBar</name>
    <message>
        <source>Błędy kom.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
