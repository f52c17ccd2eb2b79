#include "programming/prog_safeguard.h"

#include <chrono>
#include <cstring>
#include <utility>

#include "dialog/dialog.h"
#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "document/backup_store.h"
#include "programming/prog_rules.h"
#include "transmitter/code_tables.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

// The box is composed of lines, each of them translated on its own.
constexpr std::string_view ChangesText = UI_TEXT("Zostaną zmienione:");
constexpr std::string_view NoChangesText = UI_TEXT("Żadna z zapisywanych wartości nie zmieni się.");
constexpr std::string_view NothingReadText = UI_TEXT(
    "Konfiguracja tego przetwornika nie została odczytana (Inicjalizacja), więc nie można "
    "pokazać, co się zmieni.");
constexpr std::string_view WriteQuestion = UI_TEXT("Zapisać do przetwornika?");
constexpr std::string_view BackupFailedText =
    UI_TEXT("Nie można zapisać kopii zapasowej konfiguracji przetwornika.\n\nProgramować mimo to?");

// Values compare by their bits: what is sent is exactly the float the record holds.
bool same(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The shared names of sensors and outputs carry a leading blank; the lines that show them leave
// it theirs, so that a name is shown, and translated, as the table has it.
std::string codeText(int code) { return formatText(UI_TEXT(" kod %1"), {std::to_string(code)}); }

std::string sensorText(int code, bool rtdOnly) {
    if (const auto name = sensorName(code, rtdOnly)) return std::string(*name);
    return codeText(code);
}

std::string secondsText(int seconds) {
    return formatText(UI_TEXT("%1 sek"), {std::to_string(seconds)});
}

std::string_view breakText(int breakSignal) {
    return breakSignal ? UI_TEXT("na min") : UI_TEXT("na max");
}

std::string thresholdText(int active, int direction) {
    if (!active) return UI_TEXT("wyłączony");
    return direction == 1 ? "min" : "max";
}

std::string outputText(int code, bool rivo) {
    const std::string_view text = outputTypeText(code, rivo);
    return text.empty() ? codeText(code) : std::string(text);
}

class ChangeList {
public:
    // `pattern` holds the value before (%1) and after (%2).
    void add(std::string_view pattern, const std::string& before, const std::string& after) {
        if (before != after) lines.push_back(formatText(pattern, {before, after}));
    }
    void add(std::string_view pattern, float before, float after) {
        if (!same(before, after))
            lines.push_back(formatText(pattern, {numberText(before), numberText(after)}));
    }
    void add(std::string_view pattern, int before, int after) {
        add(pattern, std::to_string(before), std::to_string(after));
    }
    std::vector<std::string> lines;
};

bool confirmed(Station& station, DialogWindow& window, bool sameTransmitter,
               const WrittenFields& fields) {
    std::string text(NothingReadText);
    if (sameTransmitter) {
        const std::vector<std::string> changes =
            configurationChanges(station, station.lastRead->device, fields);
        text = changes.empty() ? NoChangesText : ChangesText;
        for (const std::string& change : changes) text += "\n" + change;
    }
    text += "\n\n" + std::string(WriteQuestion);
    return window.messageBox(text, BoxIcon::None, BoxButtons::OkCancel) == Answer::Ok;
}

}  // namespace

void keepBackupsIn(Station& station, std::filesystem::path folder) {
    station.keepBackup = [store = BackupStore(std::move(folder))](const ReadConfiguration& read) mutable {
        return store.keep(read, std::chrono::system_clock::now());
    };
}

bool isReadTransmitter(const Station& station, const std::optional<FoundIdentity>& found) {
    return found && station.lastRead && station.lastRead->device.modelName == found->modelName &&
           station.lastRead->device.serialNumber == found->serialNumber;
}

bool confirmsWrites(const Station& station) {
    return station.settings.readInt(ConfirmSection, ConfirmKey, 0) != 0;
}

std::vector<std::string> configurationChanges(const Station& station, const DeviceRecord& read,
                                              const WrittenFields& fields) {
    const DeviceRecord& next = station.device;
    const bool hart = station.link.transmissionMode == ModeHart;
    ChangeList changes;
    changes.add(UI_TEXT("Czujnik:%1 →%2"), sensorText(read.sensorType, fields.rtdOnly),
                sensorText(next.sensorType, fields.rtdOnly));
    changes.add(UI_TEXT("Zakres min: %1 → %2"), read.rangeMin, next.rangeMin);
    changes.add(UI_TEXT("Zakres max: %1 → %2"), read.rangeMax, next.rangeMax);
    changes.add(UI_TEXT("Sygnalizacja przerwy: %1 → %2"), std::string(breakText(read.breakSignal)),
                std::string(breakText(next.breakSignal)));
    changes.add(UI_TEXT("Filtr, rząd: %1 → %2"), read.filterOrder, next.filterOrder);
    changes.add(UI_TEXT("Filtr, czas: %1 → %2"), secondsText(read.filterTime),
                secondsText(next.filterTime));
    if (fields.rtdOnly) return changes.lines;
    // Over HART the output type and the sensor count travel in the sensor byte.
    if (hart)
        changes.add(UI_TEXT("Rodzaj wyjścia:%1 →%2"), outputText(read.outputType, next.isRivo != 0),
                    outputText(next.outputType, next.isRivo != 0));
    if (hart && fields.sensorCount)
        changes.add(UI_TEXT("Ilość czujników: %1 → %2"), read.connection + 1, next.connection + 1);
    if (!next.isSawe) {
        changes.add(UI_TEXT("Próg: %1 → %2"),
                    thresholdText(read.thresholdActive, read.thresholdDirection),
                    thresholdText(next.thresholdActive, next.thresholdDirection));
        // Over RS485 only whether the threshold acts, and how, is written.
        if (hart && next.thresholdActive) {
            changes.add(UI_TEXT("Próg, wartość: %1 → %2"), read.threshold, next.threshold);
            changes.add(UI_TEXT("Próg, histereza: %1 → %2"), read.hysteresis, next.hysteresis);
        }
    }
    if (fields.address)
        changes.add(UI_TEXT("Adres: %1 → %2"), next.pollingAddress, fields.newAddress);
    return changes.lines;
}

void noteWritten(Station& station, const WrittenFields& fields, bool confirmed) {
    if (!station.lastRead) return;
    if (!confirmed) {
        station.lastRead.reset();
        return;
    }
    // The values configurationChanges() compares, as the run wrote them.
    DeviceRecord& read = station.lastRead->device;
    const DeviceRecord& written = station.device;
    read.sensorType = written.sensorType;
    read.rangeMin = written.rangeMin;
    read.rangeMax = written.rangeMax;
    read.breakSignal = written.breakSignal;
    read.filterOrder = written.filterOrder;
    read.filterTime = written.filterTime;
    if (fields.rtdOnly) return;
    const bool hart = station.link.transmissionMode == ModeHart;
    if (hart) read.outputType = written.outputType;
    if (hart && fields.sensorCount) read.connection = written.connection;
    if (written.isSawe) return;
    read.thresholdActive = written.thresholdActive;
    read.thresholdDirection = written.thresholdDirection;
    if (hart && written.thresholdActive) {
        read.threshold = written.threshold;
        read.hysteresis = written.hysteresis;
    }
}

std::optional<ClearedWrite> prepareWrite(Station& station, DialogWindow& window,
                                         const std::optional<FoundIdentity>& found,
                                         const WrittenFields& fields) {
    const bool sameTransmitter = isReadTransmitter(station, found);
    if (confirmsWrites(station) && !confirmed(station, window, sameTransmitter, fields))
        return std::nullopt;
    if (!sameTransmitter || !station.keepBackup) return ClearedWrite{};
    if (std::optional<std::string> kept = station.keepBackup(*station.lastRead))
        return ClearedWrite{std::move(*kept)};
    if (window.messageBox(BackupFailedText, BoxIcon::Error, BoxButtons::OkCancel) == Answer::Ok)
        return ClearedWrite{};
    return std::nullopt;
}

}  // namespace doxa
