#include "app/main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <span>

#include "dialog/command_ids.h"

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
    {"HART/RS232", CmdModeHart},
    {"RS 485 (MODBUS)", CmdModeRs485},
};
constexpr MenuItem familyItems[] = {
    {"DOXA-2X", CmdFamilyDoxa},
    {"RIVO-22", CmdFamilyRivo},
};
constexpr MenuItem ramItems[] = {
    {"RAM 0", CmdRam0, "Odczyt RAM"},
    {"RAM 1", CmdRam1},
};
constexpr MenuItem eepromItems[] = {
    {"0x00-0xff", CmdEeprom0, "Odczyt EEPROM"},
    {"0x100-0x1ff", CmdEeprom1},
};
constexpr MenuItem registerItems[] = {
    {"Odczyt", CmdRegistersRead},
    {"Zapis", CmdRegistersWrite},
};

// Each language is named in itself.
constexpr MenuItem languageItems[] = {
    {"Polski", CmdLanguagePolish, "Teksty programu po polsku od jego następnego uruchomienia"},
    {"English", CmdLanguageEnglish, "Teksty programu po angielsku od jego następnego uruchomienia"},
};

constexpr MenuItem fileItems[] = {
    {"&Nowe\tCtrl+N", CmdNew, "Otwórz nowy dokument"},
    {"&Pobierz...\tCtrl+O", CmdOpen, "Otwórz instniejący dokument"},
    {"Za&chowaj\tCtrl+S", CmdSave, "Zachowaj aktywny dokument"},
    {"Zac&howaj jako...", CmdSaveAs, "Zachowaj aktywny dokument z nową nazwą"},
    {"Kopie zapasowe...", CmdBackups, "Otwórz konfigurację zapisaną przed programowaniem"},
    {"Historia przetwornika...", CmdHistory, "Pokazuje, co zrobiono z przetwornikami"},
    Separator,
    {"&Drukuj", CmdPrint, "Drukuje ustawienia przetwornika"},
    {"Eksport do PDF", CmdExportPdf, "Zapisuje raport ustawień przetwornika w pliku PDF"},
    Separator,
    {"Poprzednie", CmdRecentFile, "Otwórz ten dokument"},
    Separator,
    {"&Wyjście", CmdExit, "Wyjście z aplikacji"},
};
constexpr MenuItem transmitterItems[] = {
    {"&Inicjalizacja", CmdInitialize, "Inicjalizacja programu"},
    {"&Wyświetlanie", CmdDisplay, "Wyświetlanie danych pomiarowych"},
    {"P&rogramowanie", CmdProgram, "Programowanie przetwornika"},
    {"&Kalibracja", CmdCalibrate, "Kalibracja przetwornika"},
    {"Procedura kalibracji...", CmdCalibrationProcedure,
     "Kalibracja ze stanem zastanym i pozostawionym, zapisana jako jedno zdarzenie"},
    {"&Czujnik", CmdSensor, "Dane czujnika"},
    {"&Tekst", CmdText, "Tekst ASCII zapisany w przetworniku"},
    {"&Ustaw prąd wy.", CmdOutputCurrent, "Ustawia prąd wyjściowy"},
};
constexpr MenuItem settingsItems[] = {
    {"&Hasła", CmdPasswords, "Zmiana haseł"},
    {"&Port", CmdPort, "Wybierz port szeregowy"},
    {"Transmisja", 0, "", transmissionItems},
    {"Przetwornik", 0, "", familyItems},
    {"Potwierdzanie zmian przed zapisem", CmdConfirmWrites,
     "Przed programowaniem pokazuje, które wartości się zmienią"},
    {"Ostrzeżenie przed wymuszeniem wyjścia", CmdLoopWarning,
     "Przed ustawieniem prądu wyjściowego i kalibracją przypomina o przełączeniu pętli sterowania na pracę ręczną"},
    {"Przyrząd wzorcowy...", CmdReferenceInstrument,
     "Przyrząd wzorcowy i tolerancje podawane na świadectwie kalibracji"},
    {"Przyrządy wzorcowe...", CmdReferenceInstruments,
     "Rejestr przyrządów wzorcowych: świadectwa, terminy wzorcowania, niepewności i historia zmian"},
    {"Język", 0, "", languageItems},
};
constexpr MenuItem serviceItems[] = {
    {"RAM", 0, "", ramItems},
    {"EEPROM", 0, "", eepromItems},
    {"Rejestry (MODBUS)", 0, "", registerItems},
    Separator,
    {"&Monitor linii", CmdLineMonitor, "Monitor transmisji"},
    {"&Komenda HART", CmdHartConsole, "Wysyła wpisaną komendę HART"},
    {"&Ustawienia fabryczne", CmdFactorySettings, "Przywraca fabryczną kalibrację"},
    {"Ustaw DELTA", CmdSetDelta},
    Separator,
    {"&Szukaj przetwornika", CmdFindTransmitter, "Szuka przetwornika, który nie odpowiada"},
    {"Statystyka łącza", CmdLineStatistics, "Zapytania, odpowiedzi i błędy na linii"},
};
constexpr MenuItem helpItems[] = {
    {"&Skorowidz", CmdHelpIndex, "Lista haseł pomocy"},
    {"&Korzystanie z", CmdHelpUsing, "Wyświetl instrukcje jak używać pomocy"},
    Separator,
    {"&O DOXA WIN...", CmdAbout, "Wyświetl informacje o programie i numer wersji"},
};

constexpr MenuItem menuBarItems[] = {
    {"&Dane konfiguracyjne", 0, "", fileItems},
    {"&Przetwornik", 0, "", transmitterItems},
    {"&Ustawienia", 0, "", settingsItems},
    {"&Serwis", 0, "", serviceItems},
    {"P&omoc", 0, "", helpItems},
};

struct Accelerator {
    const char* keys;
    int id;
};
constexpr Accelerator windowAccelerators[] = {
    {"F1", CmdHelp},
    {"Shift+F1", CmdContextHelp},
};

QString labelOf(const MenuItem& item) {
    return QString::fromUtf8(item.text).section(QLatin1Char('\t'), 0, 0);
}

QKeySequence shortcutOf(const MenuItem& item) {
    return QKeySequence(QString::fromUtf8(item.text).section(QLatin1Char('\t'), 1));
}

QAction* commandAction(QObject* parent, const QString& label, int id, const char* prompt,
                       const std::function<void(int)>& run) {
    auto* action = new QAction(label, parent);
    action->setData(id);
    action->setStatusTip(QString::fromUtf8(prompt));
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
    return item ? QString::fromUtf8(item->prompt) : QString();
}

}  // namespace doxa
