#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "history/history_database.h"
#include "history/instrument_editing.h"

namespace doxa {

class SettingsStore;
class Station;

// The register of reference instruments in the service history's database, shared on a server
// when the history is. Each read of the shared register refreshes its copy in the local file;
// while the shared one is out of reach the copy serves (fromLocalCopy()) and every edit is
// refused: an edit kept only in the copy would be lost to the team, or would overwrite theirs.
class HistoryInstrumentRegister : public EditableInstrumentRegister {
public:
    using Clock = std::function<std::chrono::sys_seconds()>;

    // The register of `database` (a postgresql:// URL or an SQLite file), copied into
    // `localFile`; with `database` empty or the local file itself, the local file is the register.
    HistoryInstrumentRegister(const std::string& database, const std::string& localFile, Clock now);

    std::vector<ReferenceInstrument> instruments() override;
    bool fromLocalCopy() const override { return fromLocalCopy_; }
    std::string problem() const override { return problem_; }
    std::optional<std::string> add(const ReferenceInstrument& instrument) override;
    bool change(const ReferenceInstrument& instrument) override;
    bool retire(const std::string& id) override;
    std::vector<InstrumentChange> changes(const std::string& id) override;
    std::string lastProblem() const override { return lastProblem_; }
    std::string localTime(std::string_view isoUtc) const override;

    // The instrument the settings named before there was a register (none: neither a name nor a
    // serial number) goes into it at the first use that reaches the register, unless the
    // register holds an instrument already or has taken one over before (from any computer).
    void takeOver(ReferenceInstrument fromSettings);

    // The id an instrument taken over from the settings gets: two computers taking theirs over
    // at once keep one.
    static constexpr const char* TakenOverId = "wzorzec";
    // The new value of the change row (field instrument_field::Source) that marks the takeover.
    static constexpr const char* SettingsSource = "[Wzorzec]";

private:
    struct StoredInstrument {
        ReferenceInstrument instrument;
        bool retired = false;
    };
    struct Contents {
        std::vector<StoredInstrument> instruments;
        std::vector<InstrumentChange> changes;
    };

    HistoryDatabase& registerDatabase() { return shared_ ? *shared_ : local_; }
    bool read(HistoryDatabase& database, Contents& contents);
    void refreshCopy(const Contents& contents);
    // False when the register could not be reached.
    bool takeOverIfDue();
    bool edit(const HistoryDatabase::TableWork& work);
    bool insertNew(QSqlQuery& q, const ReferenceInstrument& instrument, bool& inserted, std::string& error);
    InstrumentChange stamped(const std::string& id, std::string field, std::string oldValue,
                             std::string newValue) const;

    Clock now_;
    std::unique_ptr<HistoryDatabase> shared_;
    HistoryDatabase local_;
    std::optional<ReferenceInstrument> fromSettings_;
    bool fromLocalCopy_ = false;
    std::string problem_;
    std::string lastProblem_;
};

// The register of the history a program keeps (`database` as openHistory() takes it), with the
// instrument the settings named (instrumentFromSettings()) waiting to be taken over. Nothing is
// read before the first use.
std::unique_ptr<HistoryInstrumentRegister> openInstrumentRegister(const std::string& database,
                                                                  const ReferenceInstrument& fromSettings);

// The register the calibration procedure finds in `station` (Station::instruments): the one of
// the history a program keeps, `database` as openHistory() takes it. doxa-win and doxa-cli both
// start with it.
std::unique_ptr<HistoryInstrumentRegister> attachInstrumentRegister(Station& station, const std::string& database);

// An instrument as the settings named it: the uncertainty text that reads as one becomes one,
// one that does not stays in the model field, so nothing typed is lost. Settings that name
// neither a name nor a serial number name none (an empty instrument).
ReferenceInstrument instrumentFromSettings(const SettingsStore& settings);

}  // namespace doxa
