#include "programming/prog_safeguard.h"

#include <chrono>
#include <cstring>
#include <utility>

#include "dialog/dialog.h"
#include "document/backup_store.h"
#include "dialog/typed_number.h"
#include "programming/prog_rules.h"
#include "transmitter/code_tables.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr std::string_view Arrow = " → ";
constexpr std::string_view ChangesText = "Zostaną zmienione:\n";
constexpr std::string_view NoChangesText = "Żadna z zapisywanych wartości nie zmieni się.";
constexpr std::string_view NothingReadText =
    "Konfiguracja tego przetwornika nie została odczytana (Inicjalizacja), więc nie można "
    "pokazać, co się zmieni.";
constexpr std::string_view WriteQuestion = "\n\nZapisać do przetwornika?";
constexpr std::string_view BackupFailedText =
    "Nie można zapisać kopii zapasowej konfiguracji przetwornika.\n\nProgramować mimo to?";

// Values compare by their bits: what is sent is exactly the float the record holds.
bool same(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::string trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(text);
}

std::string sensorText(int code, bool rtdOnly) {
    if (const auto name = sensorName(code, rtdOnly)) return trimmed(*name);
    return "kod " + std::to_string(code);
}

std::string thresholdText(int active, int direction) {
    if (!active) return "wyłączony";
    return direction == 1 ? "min" : "max";
}

std::string outputText(int code, bool rivo) {
    const std::string text = trimmed(outputTypeText(code, rivo));
    return text.empty() ? "kod " + std::to_string(code) : text;
}

class ChangeList {
public:
    void add(std::string_view what, const std::string& before, const std::string& after) {
        if (before != after)
            lines.push_back(std::string(what) + before + std::string(Arrow) + after);
    }
    void add(std::string_view what, float before, float after) {
        if (!same(before, after))
            lines.push_back(std::string(what) + numberText(before) + std::string(Arrow) +
                            numberText(after));
    }
    void add(std::string_view what, int before, int after) {
        add(what, std::to_string(before), std::to_string(after));
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
        for (std::size_t i = 0; i < changes.size(); ++i) text += (i ? "\n" : "") + changes[i];
    }
    text += WriteQuestion;
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
    changes.add("Czujnik: ", sensorText(read.sensorType, fields.rtdOnly),
                sensorText(next.sensorType, fields.rtdOnly));
    changes.add("Zakres min: ", read.rangeMin, next.rangeMin);
    changes.add("Zakres max: ", read.rangeMax, next.rangeMax);
    changes.add("Sygnalizacja przerwy: ", trimmed(breakSignalText(read.breakSignal)),
                trimmed(breakSignalText(next.breakSignal)));
    changes.add("Filtr, rząd: ", read.filterOrder, next.filterOrder);
    changes.add("Filtr, czas: ", std::to_string(read.filterTime) + " sek",
                std::to_string(next.filterTime) + " sek");
    if (fields.rtdOnly) return changes.lines;
    // Over HART the output type and the sensor count travel in the sensor byte.
    if (hart)
        changes.add("Rodzaj wyjścia: ", outputText(read.outputType, next.isRivo != 0),
                    outputText(next.outputType, next.isRivo != 0));
    if (hart && fields.sensorCount)
        changes.add("Ilość czujników: ", read.connection + 1, next.connection + 1);
    if (!next.isSawe) {
        changes.add("Próg: ", thresholdText(read.thresholdActive, read.thresholdDirection),
                    thresholdText(next.thresholdActive, next.thresholdDirection));
        // Over RS485 only whether the threshold acts, and how, is written.
        if (hart && next.thresholdActive) {
            changes.add("Próg, wartość: ", read.threshold, next.threshold);
            changes.add("Próg, histereza: ", read.hysteresis, next.hysteresis);
        }
    }
    if (fields.address) changes.add("Adres: ", next.pollingAddress, fields.newAddress);
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
