#include "app/main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <span>

#include "dialog/command_ids.h"
#include "link/screen_text.h"
#include "host/dialog_host.h"

namespace doxa {

namespace {

// One line of a menu: a command, a separator (no text) or a submenu (items of its own).
struct MenuItem {
    const char* text = nullptr;  // with & mnemonic and, after a tab, the accelerator
    int id = 0;
    const char* prompt = "";
    std::span<const MenuItem> items{};
};

constexpr MenuItem Separator{};

constexpr MenuItem transmissionItems[] = {
    {KEPT_TEXT("HART/RS232"), CmdModeHart},
    {KEPT_TEXT("RS 485 (MODBUS)"), CmdModeRs485},
};
constexpr MenuItem familyItems[] = {
    {KEPT_TEXT("DOXA-2X"), CmdFamilyDoxa},
    {KEPT_TEXT("RIVO-22"), CmdFamilyRivo},
};
constexpr MenuItem ramItems[] = {
    {KEPT_TEXT("RAM 0"), CmdRam0, UI_TEXT("Odczyt RAM")},
    {KEPT_TEXT("RAM 1"), CmdRam1},
};
constexpr MenuItem eepromItems[] = {
    {KEPT_TEXT("0x00-0xff"), CmdEeprom0, UI_TEXT("Odczyt EEPROM")},
    {KEPT_TEXT("0x100-0x1ff"), CmdEeprom1},
};
constexpr MenuItem registerItems[] = {
    {UI_TEXT("Odczyt"), CmdRegistersRead},
    {UI_TEXT("Zapis"), CmdRegistersWrite},
};

// Each language is named in itself.
constexpr MenuItem languageItems[] = {
    {KEPT_TEXT("Polski"), CmdLanguagePolish,
     UI_TEXT("Teksty programu po polsku od jego następnego uruchomienia")},
    {KEPT_TEXT("English"), CmdLanguageEnglish,
     UI_TEXT("Teksty programu po angielsku od jego następnego uruchomienia")},
};

constexpr MenuItem fileItems[] = {
    {UI_TEXT("&Nowe\tCtrl+N"), CmdNew, UI_TEXT("Otwórz nowy dokument")},
    {UI_TEXT("&Pobierz...\tCtrl+O"), CmdOpen, UI_TEXT("Otwórz instniejący dokument")},
    {UI_TEXT("Za&chowaj\tCtrl+S"), CmdSave, UI_TEXT("Zachowaj aktywny dokument")},
    {UI_TEXT("Zac&howaj jako..."), CmdSaveAs, UI_TEXT("Zachowaj aktywny dokument z nową nazwą")},
    {UI_TEXT("Kopie zapasowe..."), CmdBackups, UI_TEXT("Otwórz konfigurację zapisaną przed programowaniem")},
    {UI_TEXT("Historia przetwornika..."), CmdHistory, UI_TEXT("Pokazuje, co zrobiono z przetwornikami")},
    Separator,
    {UI_TEXT("&Drukuj"), CmdPrint, UI_TEXT("Drukuje ustawienia przetwornika")},
    {UI_TEXT("Eksport do PDF"), CmdExportPdf, UI_TEXT("Zapisuje raport ustawień przetwornika w pliku PDF")},
    Separator,
    {UI_TEXT("Poprzednie"), CmdRecentFile, UI_TEXT("Otwórz ten dokument")},
    Separator,
    {UI_TEXT("&Wyjście"), CmdExit, UI_TEXT("Wyjście z aplikacji")},
};
constexpr MenuItem transmitterItems[] = {
    {UI_TEXT("&Inicjalizacja"), CmdInitialize, UI_TEXT("Inicjalizacja programu")},
    {UI_TEXT("&Wyświetlanie"), CmdDisplay, UI_TEXT("Wyświetlanie danych pomiarowych")},
    {UI_TEXT("P&rogramowanie"), CmdProgram, UI_TEXT("Programowanie przetwornika")},
    {UI_TEXT("&Kalibracja"), CmdCalibrate, UI_TEXT("Kalibracja przetwornika")},
    {UI_TEXT("Procedura kalibracji..."), CmdCalibrationProcedure,
     UI_TEXT("Kalibracja ze stanem zastanym i pozostawionym, zapisana jako jedno zdarzenie")},
    {UI_TEXT("&Czujnik"), CmdSensor, UI_TEXT("Dane czujnika")},
    {UI_TEXT("&Tekst"), CmdText, UI_TEXT("Tekst ASCII zapisany w przetworniku")},
    {UI_TEXT("&Ustaw prąd wy."), CmdOutputCurrent, UI_TEXT("Ustawia prąd wyjściowy")},
};
constexpr MenuItem settingsItems[] = {
    {UI_TEXT("&Hasła"), CmdPasswords, UI_TEXT("Zmiana haseł")},
    {UI_TEXT("&Port"), CmdPort, UI_TEXT("Wybierz port szeregowy")},
    {UI_TEXT("Transmisja"), 0, "", transmissionItems},
    {UI_TEXT("Przetwornik"), 0, "", familyItems},
    {UI_TEXT("Potwierdzanie zmian przed zapisem"), CmdConfirmWrites,
     UI_TEXT("Przed programowaniem pokazuje, które wartości się zmienią")},
    {UI_TEXT("Ostrzeżenie przed wymuszeniem wyjścia"), CmdLoopWarning,
     UI_TEXT("Przed ustawieniem prądu wyjściowego i kalibracją przypomina o przełączeniu pętli sterowania na pracę ręczną")},
    {UI_TEXT("Przyrząd wzorcowy..."), CmdReferenceInstrument,
     UI_TEXT("Przyrząd wzorcowy i tolerancje podawane na świadectwie kalibracji")},
    {UI_TEXT("Przyrządy wzorcowe..."), CmdReferenceInstruments,
     UI_TEXT("Rejestr przyrządów wzorcowych: świadectwa, terminy wzorcowania, niepewności i historia zmian")},
    {UI_TEXT("Język"), 0, "", languageItems},
};
constexpr MenuItem serviceItems[] = {
    {KEPT_TEXT("RAM"), 0, "", ramItems},
    {KEPT_TEXT("EEPROM"), 0, "", eepromItems},
    {UI_TEXT("Rejestry (MODBUS)"), 0, "", registerItems},
    Separator,
    {UI_TEXT("&Monitor linii"), CmdLineMonitor, UI_TEXT("Monitor transmisji")},
    {UI_TEXT("&Komenda HART"), CmdHartConsole, UI_TEXT("Wysyła wpisaną komendę HART")},
    {UI_TEXT("&Ustawienia fabryczne"), CmdFactorySettings, UI_TEXT("Przywraca fabryczną kalibrację")},
    {UI_TEXT("Ustaw DELTA"), CmdSetDelta},
    Separator,
    {UI_TEXT("&Szukaj przetwornika"), CmdFindTransmitter, UI_TEXT("Szuka przetwornika, który nie odpowiada")},
    {UI_TEXT("Statystyka łącza"), CmdLineStatistics, UI_TEXT("Zapytania, odpowiedzi i błędy na linii")},
};
constexpr MenuItem helpItems[] = {
    {UI_TEXT("&Skorowidz"), CmdHelpIndex, UI_TEXT("Lista haseł pomocy")},
    {UI_TEXT("&Korzystanie z"), CmdHelpUsing, UI_TEXT("Wyświetl instrukcje jak używać pomocy")},
    Separator,
    {UI_TEXT("&O DOXA WIN..."), CmdAbout, UI_TEXT("Wyświetl informacje o programie i numer wersji")},
};

constexpr MenuItem menuBarItems[] = {
    {UI_TEXT("&Dane konfiguracyjne"), 0, "", fileItems},
    {UI_TEXT("&Przetwornik"), 0, "", transmitterItems},
    {UI_TEXT("&Ustawienia"), 0, "", settingsItems},
    {UI_TEXT("&Serwis"), 0, "", serviceItems},
    {UI_TEXT("P&omoc"), 0, "", helpItems},
};

struct Accelerator {
    const char* keys;
    int id;
};
constexpr Accelerator windowAccelerators[] = {
    {"F1", CmdHelp},
    {"Shift+F1", CmdContextHelp},
};

// The shown text keeps the accelerator of the program's own text.
QString labelOf(const MenuItem& item) {
    return shownQText(item.text).section(QLatin1Char('\t'), 0, 0);
}

QKeySequence shortcutOf(const MenuItem& item) {
    return QKeySequence(QString::fromUtf8(item.text).section(QLatin1Char('\t'), 1));
}

QAction* commandAction(QObject* parent, const QString& label, int id, const char* prompt,
                       const std::function<void(int)>& run) {
    auto* action = new QAction(label, parent);
    action->setData(id);
    action->setStatusTip(shownQText(prompt));
    QObject::connect(action, &QAction::triggered, action, [run, id] { run(id); });
    return action;
}

void addItems(QMenu& menu, std::span<const MenuItem> items, const std::function<void(int)>& run,
              QList<QAction*>& commands) {
    for (const MenuItem& item : items) {
        if (!item.text) {
            menu.addSeparator();
        } else if (!item.items.empty()) {
            addItems(*menu.addMenu(labelOf(item)), item.items, run, commands);
        } else {
            QAction* action = commandAction(&menu, labelOf(item), item.id, item.prompt, run);
            action->setShortcut(shortcutOf(item));
            menu.addAction(action);
            commands.append(action);
        }
    }
}

const MenuItem* findItem(std::span<const MenuItem> items, int commandId) {
    for (const MenuItem& item : items) {
        if (item.text && item.items.empty() && item.id == commandId) return &item;
        if (const MenuItem* found = findItem(item.items, commandId)) return found;
    }
    return nullptr;
}

}  // namespace

QList<QAction*> buildMainMenu(QMenuBar& bar, QWidget& window, const std::function<void(int)>& run) {
    QList<QAction*> commands;
    for (const MenuItem& top : menuBarItems) addItems(*bar.addMenu(labelOf(top)), top.items, run, commands);
    for (const Accelerator& accelerator : windowAccelerators) {
        QAction* action = commandAction(&window, QString(), accelerator.id, "", run);
        action->setShortcut(QKeySequence(QString::fromLatin1(accelerator.keys)));
        window.addAction(action);
        commands.append(action);
    }
    return commands;
}

QString commandName(int commandId) {
    const MenuItem* item = findItem(menuBarItems, commandId);
    return item ? labelOf(*item).remove(QLatin1Char('&')) : QString();
}

QString commandPrompt(int commandId) {
    const MenuItem* item = findItem(menuBarItems, commandId);
    return item ? shownQText(item->prompt) : QString();
}

}  // namespace doxa
