#include "cli/session.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <QFileInfo>
#include <QSettings>
#include <filesystem>

#include "app/qt_settings_store.h"
#include "cli/exit_codes.h"
#include "link/screen_text.h"
#include "document/backup_store.h"
#include "history/history_csv.h"
#include "link/port.h"
#include "link/serial_devices.h"
#include "programming/prog_safeguard.h"
#include "settings/port_mapping.h"
#include "settings/settings_keys.h"
#include "settings/start_up.h"
#include "settings/shown_language.h"
#include "sim/sim_model.h"

namespace doxa::cli {

namespace {

constexpr std::string_view SimPrefix = "sim:";

// "COM3", "com3" -> 2; nullopt for anything else.
std::optional<int> comPortNumber(std::string_view text) {
    for (int n = 0; n < PortCount; ++n) {
        const std::string name = portName(n);
        if (text.size() == name.size() &&
            std::equal(text.begin(), text.end(), name.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) == b;
            }))
            return n;
    }
    return std::nullopt;
}

std::string modelList() {
    std::string list;
    for (sim::Model m : sim::allModels()) list += (list.empty() ? "" : ", ") + std::string(sim::modelName(m));
    return list;
}

// doxa-win's settings under a private layer that takes every write: a path or a simulated
// transmitter named on the command line is mapped there, and nothing of it reaches the file.
class PrivateLayer : public SettingsStore {
public:
    explicit PrivateLayer(std::unique_ptr<SettingsStore> below) : below_(std::move(below)) {}

    int readInt(std::string_view section, std::string_view key, int fallback) const override {
        return own_.contains(section, key) ? own_.readInt(section, key, fallback)
                                           : below_->readInt(section, key, fallback);
    }
    bool writeInt(std::string_view section, std::string_view key, int value) override {
        return own_.writeInt(section, key, value);
    }
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view fallback) const override {
        return own_.contains(section, key) ? own_.readText(section, key, fallback)
                                           : below_->readText(section, key, fallback);
    }
    bool writeText(std::string_view section, std::string_view key, std::string_view value) override {
        return own_.writeText(section, key, value);
    }

private:
    std::unique_ptr<SettingsStore> below_;
    MemorySettingsStore own_;
};

}  // namespace

std::unique_ptr<SettingsStore> doxaWinSettings(Console& console) {
    const QString path = QtSettingsStore::defaultPath();
    if (!std::filesystem::exists(path.toStdString())) return std::make_unique<MemorySettingsStore>();
    auto settings = std::make_unique<QtSettingsStore>(path);
    if (!settings->notice().empty()) console.error(settings->notice());
    return settings;
}

void startDoxaWinLanguage() {
    const QFileInfo file(QtSettingsStore::defaultPath());
    MemorySettingsStore chosen;
    if (file.isFile() && file.size() <= QtSettingsStore::LargestFile) {
        const QSettings stored(file.filePath(), QSettings::IniFormat);
        const QString key = QString::fromUtf8(LanguageSection.data(), LanguageSection.size()) +
                            QLatin1Char('/') +
                            QString::fromUtf8(LanguageKey.data(), LanguageKey.size());
        chosen.writeText(LanguageSection, LanguageKey, stored.value(key).toString().toStdString());
    }
    startChosenLanguage(chosen);
}

std::unique_ptr<Session> Session::open(const LineChoice& line, Console& console, TimeSource& time,
                                       std::string& error) {
    const std::string_view port = line.port;
    std::unique_ptr<SettingsStore> settings;
    int portNumber = 0;
    if (const auto number = comPortNumber(port)) {
        settings = doxaWinSettings(console);
        portNumber = *number;
    } else {
        // A path, a simulated transmitter or a device named by its by-id name is put behind COM1
        // of a private mapping, so the line is made exactly as for a mapped COM port.
        if (port.starts_with(SimPrefix) && !sim::modelFromName(port.substr(SimPrefix.size()))) {
            error = formatText(UI_TEXT("nie ma symulowanego modelu '%1' (jeden z: %2)"),
                               {port.substr(SimPrefix.size()), modelList()});
            return nullptr;
        }
        std::string mapped(port);
        if (!port.starts_with(SimPrefix) && port.find('/') == std::string_view::npos) {
            const DeviceLookup named = findDeviceByName(listSerialDevices(deviceRoot()), port);
            if (named.path.empty()) {
                error = formatText(UI_TEXT("to nie jest port: '%1' (COM1..COM12, ścieżka urządzenia, sim:MODEL "
                                           "albo jednoznaczna część nazwy z /dev/serial/by-id): %2"),
                                   {port, named.error});
                return nullptr;
            }
            mapped = named.path;
        }
        auto mapping = std::make_unique<PrivateLayer>(doxaWinSettings(console));
        mapping->writeText(PortMapSection, portName(0), mapped);
        settings = std::move(mapping);
    }
    const PortTarget target = resolvePort(*settings, portNumber);
    return std::unique_ptr<Session>(
        new Session(line, std::move(settings), portNumber, target.devicePath, console, time));
}

Session::Session(const LineChoice& line, std::unique_ptr<SettingsStore> settings, int portNumber,
                 std::string devicePath, Console& console, TimeSource& time)
    : line_(line), settings_(std::move(settings)), devicePath_(std::move(devicePath)),
      station_(*settings_), console_(console), loop_(time) {
    // Everything doxa-win starts from; the command line then chooses the line as the menu would.
    startStation(station_);
    LinkSettings& link = station_.link;
    link.portNumber = portNumber;
    link.transmissionMode = line.rs485 ? ModeRs485 : ModeHart;
    link.baudIndex = line.rs485 ? line.baudIndex : 0;
    link.parityOff = line.rs485 ? line.parityOff : 0;
    link.replyWait = replyWaitFor(link.transmissionMode, link.baudIndex);
    link.fast.on = line.fast;
    station_.device.pollingAddress = line.pollingAddress;
    if (line.rs485) station_.device.hasAmbient = 1;
    station_.makeLine = makeLineFactory(*settings_);
    // The copy doxa-win keeps before "Wyślij" overwrites a configuration, in the same store.
    keepBackupsIn(station_, defaultBackupFolder());
    station_.monotonicMs = [&time] { return time.nowMs(); };
    // Before the port is let go at exit the line work left goes out; a stop signal ends the wait.
    station_.sleepUntilMs = [&time](std::int64_t atMs) { time.sleepUntil(atMs); };
    station_.wakeForLineWork = [this](int ms) { loop_.callAfter(ms, [this] { carryOutLineWork(station_); }); };
    // The desktop's boxes for a port that would not open are left out: the command tells why
    // the port failed, on one line, once the dialog has given up.
    station_.showMessage = [this](std::string_view text, std::string_view) {
        if (station_.link.portHandle) console_.error(text);
    };
}

Session::~Session() {
    releasePort(station_);
    if (!history_ || history_->stopped()) return;
    const std::size_t lost = history_->waitingInMemory();
    if (lost > 0)
        console_.error(formatText(UI_TEXT("nie zachowano rekordów serwisowych (%1): %2"),
                                  {std::to_string(lost), history_->whyWaiting()}));
    if (const std::size_t queued = history_->waitingOfThisRun() - lost; queued > 0)
        console_.error(formatText(UI_TEXT("rekordy serwisowe (%1) czekają w %2 na bazę: %3"),
                                  {std::to_string(queued), HistoryStore::defaultPath(), history_->whyWaiting()}));
}

bool Session::keepHistory(const std::string& named) {
    const std::string database = storedHistoryDatabase(*settings_, named);
    history_ = std::make_unique<HistoryKeeper>(console_);
    if (!history_->open(database)) return false;
    station_.recorder = history_.get();
    historyDatabase_ = database;
    return true;
}

void Session::useInstrumentRegister() {
    if (!instruments_) instruments_ = attachInstrumentRegister(station_, historyDatabase_);
}

// A stop signal the history's wait took may come after the command's last wait of its own.
int Session::exitStatus(int commandStatus) const {
    if (!history_) return commandStatus;
    if (history_->stopped()) {
        if (commandStatus != ExitInterrupted) console_.error(UI_TEXT("przerwano"));
        return history_->recordLost() ? ExitRecordNotKept : ExitInterrupted;
    }
    if (history_->waitingInMemory() == 0) return commandStatus;
    for (const StoredRecord& lost : history_->notKept()) console_.error(formatText(UI_TEXT("nie zachowano rekordu serwisowego: %1"), {historyJson(lost)}));
    return commandStatus == ExitOk ? ExitRecordNotKept : commandStatus;
}

std::string Session::describe() const {
    std::string mode = line_.rs485 ? "RS485" : "HART";
    // A COM name or a part of a device's name is told together with the device it leads to.
    if (!devicePath_.empty() && devicePath_ != line_.port) mode += ", " + devicePath_;
    return formatText(UI_TEXT("%1 (%2, adres %3)"), {line_.port, mode, std::to_string(line_.pollingAddress)});
}

std::string Session::portFailure() const {
    constexpr std::string_view CannotOpen = UI_TEXT("nie można otworzyć %1");
    if (devicePath_.empty()) return formatText(CannotOpen, {line_.port});
    const OpenFailure& failure = station_.link.openFailure;
    const std::string_view device = devicePath_;
    const std::string_view why = std::strerror(failure.error);
    switch (reasonOf(failure)) {
        case OpenFailureReason::Missing:
            return formatText(UI_TEXT("nie można otworzyć %1: %2 (urządzenie nie istnieje: czy adapter jest "
                                      "podłączony?)"),
                              {device, why});
        case OpenFailureReason::NoPermission:
            return formatText(UI_TEXT("nie można otworzyć %1: %2 (brak uprawnień: dołącz do grupy dialout "
                                      "poleceniem sudo usermod -aG dialout $USER, a potem zaloguj się ponownie)"),
                              {device, why});
        case OpenFailureReason::InUse:
            if (failure.holder.empty())
                return formatText(UI_TEXT("nie można otworzyć %1: używany przez inny program"), {device});
            return formatText(UI_TEXT("nie można otworzyć %1: używany przez inny program (%2)"),
                              {device, failure.holder});
        case OpenFailureReason::NotSerial:
            return formatText(UI_TEXT("%1 nie jest portem szeregowym"), {device});
        case OpenFailureReason::OwnTerminal:
            return formatText(UI_TEXT("%1 to terminal, w którym działa doxa-cli, a nie port szeregowy"), {device});
        case OpenFailureReason::Unknown:
            break;
    }
    if (failure.error == 0) return formatText(CannotOpen, {device});
    return formatText(UI_TEXT("nie można otworzyć %1: %2"), {device, why});
}

}  // namespace doxa::cli
