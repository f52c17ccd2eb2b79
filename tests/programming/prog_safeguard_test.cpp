// What "Wyślij" does before it writes: the copy of the configuration read from the same
// transmitter, and the optional confirmation of what will change.

#include <gtest/gtest.h>

#include <filesystem>

#include "document/backup_store.h"
#include "document/document_file.h"
#include "programming/prog_dlg.h"
#include "programming/prog_zu_dlg.h"
#include "programming_session.h"
#include "settings/shown_language.h"
#include "support/fake_recorder.h"
#include "transmitter/ident_dlg.h"

namespace doxa::test {
namespace {

namespace fs = std::filesystem;
using D = CProgDlg;

constexpr int RangeCommand = 35;
constexpr auto Question = "\n\nZapisać do przetwornika?";

template <typename Dialog>
struct GuardedSession : Session<Dialog> {
    explicit GuardedSession(sim::Model model = sim::Model::Doxa22, bool rs485 = false)
        : Session<Dialog>(model, rs485) {
        std::string pattern = (fs::temp_directory_path() / "doxa-backups-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        store.emplace(folder);
        this->sim.station.keepBackup = [this](const ReadConfiguration& read) {
            requestsAtBackup = this->sim.requests();
            return store->keep(read, std::chrono::system_clock::now());
        };
    }
    ~GuardedSession() { fs::remove_all(folder); }

    // "Inicjalizacja" to its end, as the technician reads the transmitter before programming.
    bool identify() {
        CInitDlg init(this->sim.station);
        FakeWindow w(init, this->sim.clock);
        const bool read =
            w.open() && this->sim.clock.advanceUntil(
                            [&] { return w.text(CInitDlg::ProgressText) == "Koniec"; }, 60'000);
        w.close();
        return read;
    }
    void confirmWrites() { this->sim.settings.writeInt("Programowanie", "Potwierdzenie", 1); }
    std::vector<fs::path> copies() const {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(folder)) found.push_back(entry.path());
        return found;
    }

    fs::path folder;
    std::optional<BackupStore> store;
    std::vector<int> requestsAtBackup;
};

struct Guarded : GuardedSession<CProgDlg> {
    explicit Guarded(bool rs485 = false) : GuardedSession(sim::Model::Doxa22, rs485) {}
};

TEST(ProgrammingBackup, TheConfigurationReadIsKeptBeforeTheFirstWriteAndOnlyOnce) {
    Guarded g;
    g.sim.device().serialNumber = 4321;
    g.sim.device().rangeUpper = 150;
    ASSERT_TRUE(g.identify());
    ASSERT_TRUE(g.openReady());
    g.enter(D::RangeMax, "120");
    EXPECT_EQ(g.program(), Saved);
    EXPECT_EQ(g.sim.device().rangeUpper, 120.0f);

    const std::vector<fs::path> copies = g.copies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(std::count(g.requestsAtBackup.begin(), g.requestsAtBackup.end(), RangeCommand), 0)
        << "copied before the range was written";
    DeviceRecord kept;
    Characteristic table;
    ASSERT_EQ(loadDocumentFile(copies[0].string(), kept, table), "");
    EXPECT_EQ(kept.modelName, "DOXA-22");
    EXPECT_EQ(kept.serialNumber, 4321);
    EXPECT_EQ(kept.rangeMax, 150.0f) << "what was read, not what was written";
    EXPECT_TRUE(copies[0].filename().string().starts_with("DOXA-22_4321_"));

    // The transmitter confirmed what was written: writing again first keeps that, and a third
    // write keeps no second copy of the same configuration.
    EXPECT_EQ(g.program(), Saved);
    ASSERT_EQ(g.copies().size(), 2u);
    ASSERT_EQ(loadDocumentFile(g.store->list().front().path, kept, table), "");
    EXPECT_EQ(kept.rangeMax, 120.0f);
    EXPECT_EQ(g.program(), Saved);
    EXPECT_EQ(g.copies().size(), 2u);
}

TEST(ProgrammingBackup, NoCopyWhenTheTransmitterIsNotTheOneRead) {
    Guarded swapped;
    swapped.sim.device().serialNumber = 1000;
    ASSERT_TRUE(swapped.identify());
    swapped.sim.device().serialNumber = 1001;  // another transmitter of the same model
    ASSERT_TRUE(swapped.openReady());
    EXPECT_EQ(swapped.program(), Saved);
    EXPECT_TRUE(swapped.copies().empty());

    Guarded unread;  // nothing was read before programming
    ASSERT_TRUE(unread.openReady());
    EXPECT_EQ(unread.program(), Saved);
    EXPECT_TRUE(unread.copies().empty());

    // Over RS485 the dialog does not identify, so nothing proves it is the transmitter read.
    Guarded rs485(true);
    ASSERT_TRUE(rs485.identify());
    ASSERT_TRUE(rs485.openReady());
    EXPECT_EQ(rs485.program(), Saved);
    EXPECT_TRUE(rs485.copies().empty());
}

TEST(ProgrammingBackup, ACopyThatCannotBeKeptIsToldAndAnulujWritesNothing) {
    Guarded g;
    ASSERT_TRUE(g.identify());
    g.sim.station.keepBackup = [](const ReadConfiguration&) {
        return std::optional<std::string>();
    };
    ASSERT_TRUE(g.openReady());
    const std::size_t before = g.sim.writes().size();
    g.window.boxAnswers = {Answer::Cancel};
    g.window.click(SendButton);
    g.sim.clock.advance(5000);
    EXPECT_EQ(g.window.boxes().back().text,
              "Nie można zapisać kopii zapasowej konfiguracji przetwornika.\n\nProgramować mimo "
              "to?");
    EXPECT_EQ(g.window.boxes().back().buttons, BoxButtons::OkCancel);
    EXPECT_EQ(g.sim.writes().size(), before);
}

// The programming record names the copy kept before the write, and names none when none was.
TEST(ProgrammingBackup, TheRecordNamesTheCopyKeptBeforeTheWrite) {
    enum class Before { Read, ReadButCopyFails, AnotherTransmitterRead };
    const struct {
        const char* name;
        Before before;
        bool named;
    } cases[] = {
        {"copy kept", Before::Read, true},
        {"copy failed, written anyway", Before::ReadButCopyFails, false},
        {"another transmitter read", Before::AnotherTransmitterRead, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Guarded g;
        FakeRecorder recorder;
        g.sim.station.recorder = &recorder;
        g.sim.device().serialNumber = 4321;
        ASSERT_TRUE(g.identify());
        if (c.before == Before::ReadButCopyFails)
            g.sim.station.keepBackup = [](const ReadConfiguration&) {
                return std::optional<std::string>();
            };
        if (c.before == Before::AnotherTransmitterRead) g.sim.device().serialNumber = 4322;
        ASSERT_TRUE(g.openReady());
        g.enter(D::RangeMax, "120");
        g.window.boxAnswers = {Answer::Ok};  // "Programować mimo to?"
        EXPECT_EQ(g.program(), Saved);

        const std::vector<ServiceRecord> records = recorder.ofKind(RecordKind::Programming);
        ASSERT_EQ(records.size(), 1u);
        const std::vector<fs::path> copies = g.copies();
        if (!c.named) {
            EXPECT_EQ(records[0].backupFile, "");
            EXPECT_TRUE(copies.empty());
            continue;
        }
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(fs::path(records[0].backupFile), copies[0]);
        DeviceRecord kept;
        Characteristic table;
        ASSERT_EQ(loadDocumentFile(records[0].backupFile, kept, table), "");
        EXPECT_EQ(kept.serialNumber, 4321);
    }
}

// Writing again what the transmitter confirmed keeps no second copy of it: the record names the
// copy already holding it.
TEST(ProgrammingBackup, ARepeatedWriteIsRecordedWithTheCopyAlreadyKept) {
    Guarded g;
    FakeRecorder recorder;
    g.sim.station.recorder = &recorder;
    ASSERT_TRUE(g.identify());
    ASSERT_TRUE(g.openReady());
    g.enter(D::RangeMax, "120");
    for (int run = 0; run < 3; ++run) EXPECT_EQ(g.program(), Saved);
    const std::vector<ServiceRecord> records = recorder.ofKind(RecordKind::Programming);
    ASSERT_EQ(records.size(), 3u);
    const std::vector<BackupEntry> copies = g.store->list();  // newest first
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(records[0].backupFile, copies[1].path) << "the configuration first read";
    EXPECT_EQ(records[1].backupFile, copies[0].path) << "the configuration written first";
    EXPECT_EQ(records[2].backupFile, copies[0].path) << "the same, kept once";
}

TEST(ProgrammingBackup, TheResistanceThermometerDialogKeepsACopyToo) {
    GuardedSession<CProgZUDlg> g(sim::Model::Sawe01Rtd);
    g.sim.device().serialNumber = 555;
    ASSERT_TRUE(g.identify());
    ASSERT_TRUE(g.openReady());
    g.enter(CProgZUDlg::RangeMax, "120");
    EXPECT_EQ(g.program(), Saved);
    const std::vector<fs::path> copies = g.copies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_TRUE(copies[0].filename().string().starts_with("SAWE-01_555_"));
}

TEST(ProgrammingConfirmation, ListsWhatWillChangeAndAnulujWritesNothing) {
    Guarded g;
    g.sim.device().rangeUpper = 150;
    ASSERT_TRUE(g.identify());
    g.confirmWrites();
    ASSERT_TRUE(g.openReady());
    g.enter(D::RangeMax, "120");
    g.pick({D::BreakMax, D::BreakMin}, D::BreakMin);
    g.choose(D::ProgramAddress);
    g.window.type(D::Address, "7");

    const std::size_t before = g.sim.writes().size();
    g.window.boxAnswers = {Answer::Cancel};
    g.window.click(SendButton);
    g.sim.clock.advance(5000);
    ASSERT_FALSE(g.window.boxes().empty());
    EXPECT_EQ(g.window.boxes().back().text, std::string("Zostaną zmienione:\n"
                                                        "Zakres max: 150 → 120\n"
                                                        "Sygnalizacja przerwy: na max → na min\n"
                                                        "Adres: 0 → 7") +
                                                Question);
    EXPECT_EQ(g.window.boxes().back().buttons, BoxButtons::OkCancel);
    EXPECT_EQ(g.sim.writes().size(), before) << "nothing written";
    EXPECT_TRUE(g.copies().empty());
    EXPECT_EQ(g.sim.device().rangeUpper, 150.0f);

    g.window.boxAnswers = {Answer::Ok};
    EXPECT_EQ(g.program(), Saved);
    EXPECT_EQ(g.sim.device().rangeUpper, 120.0f);
    EXPECT_EQ(g.sim.device().address, 7);
    EXPECT_EQ(g.copies().size(), 1u);

    // The next write is compared with what the transmitter confirmed, not with the old read.
    g.enter(D::RangeMax, "110");
    g.choose(D::ProgramAddress, false);
    EXPECT_EQ(g.program(), Saved);
    const std::vector<std::string> boxes = g.boxTexts();
    EXPECT_EQ(boxes[boxes.size() - 2],
              std::string("Zostaną zmienione:\nZakres max: 120 → 110") + Question);
}

// The box is composed of lines, each a marked text or pattern, and the sensor names keep the
// blank the shared table gives them: in English it reads whole.
TEST(ProgrammingConfirmation, TheChangesReadInEnglishWhenEnglishIsChosen) {
    Guarded g;
    ASSERT_TRUE(g.identify());
    g.confirmWrites();
    ASSERT_TRUE(g.openReady());
    g.choose(D::SensorK);
    g.pick({D::BreakMax, D::BreakMin}, D::BreakMin);
    g.window.boxAnswers = {Answer::Cancel};
    g.window.click(SendButton);
    g.sim.clock.advance(5000);
    ASSERT_FALSE(g.window.boxes().empty());
    const std::string polish = g.window.boxes().back().text;
    EXPECT_EQ(polish, std::string("Zostaną zmienione:\n"
                                  "Czujnik: Pt 100 → TC typu 'K'\n"
                                  "Zakres min: 0 → -250\n"
                                  "Zakres max: 150 → 1350\n"
                                  "Sygnalizacja przerwy: na max → na min") +
                          Question);

    ASSERT_TRUE(startLanguage(Language::English));
    const std::string english = shownText(polish);
    startLanguage(Language::Polish);
    EXPECT_EQ(english,
              "These will change:\n"
              "Sensor: Pt 100 → TC type 'K'\n"
              "Range min: 0 → -250\n"
              "Range max: 150 → 1350\n"
              "Break signal: to max → to min\n"
              "\n"
              "Write to the transmitter?");
}

TEST(ProgrammingConfirmation, AfterAWriteNotConfirmedTheConfigurationIsNoLongerKnown) {
    Guarded g;
    g.sim.transmitter->faults.hartWrites[35] = sim::WriteFault::Unanswered;
    ASSERT_TRUE(g.identify());
    g.confirmWrites();
    ASSERT_TRUE(g.openReady());
    g.enter(D::RangeMax, "120");
    EXPECT_EQ(g.program(), NotSaved);
    EXPECT_EQ(g.program(), NotSaved);
    const std::vector<std::string> boxes = g.boxTexts();
    EXPECT_EQ(boxes[boxes.size() - 2],
              std::string("Konfiguracja tego przetwornika nie została odczytana (Inicjalizacja), "
                          "więc nie można pokazać, co się zmieni.") +
                  Question);
    EXPECT_EQ(g.copies().size(), 1u) << "only the copy taken before the first write";
}

TEST(ProgrammingConfirmation, SaysWhenNothingChangesOrNothingWasRead) {
    Guarded same;
    ASSERT_TRUE(same.identify());
    same.confirmWrites();
    ASSERT_TRUE(same.openReady());
    EXPECT_EQ(same.program(), Saved);
    const std::vector<std::string> boxes = same.boxTexts();
    EXPECT_EQ(boxes[boxes.size() - 2],
              std::string("Żadna z zapisywanych wartości nie zmieni się.") + Question);

    Guarded unread;
    unread.confirmWrites();
    ASSERT_TRUE(unread.openReady());
    EXPECT_EQ(unread.program(), Saved);
    const std::vector<std::string> told = unread.boxTexts();
    EXPECT_EQ(told[told.size() - 2],
              std::string("Konfiguracja tego przetwornika nie została odczytana (Inicjalizacja), "
                          "więc nie można pokazać, co się zmieni.") +
                  Question);
}

TEST(ProgrammingConfirmation, OffByDefaultTheFlowIsUnchanged) {
    Guarded g;
    ASSERT_TRUE(g.identify());
    ASSERT_TRUE(g.openReady());
    g.enter(D::RangeMax, "120");
    EXPECT_EQ(g.program(), Saved);
    EXPECT_EQ(g.boxTexts(), (std::vector<std::string>{"Nastąpi rozpoznanie przetwornika", Saved}));
}

}  // namespace
}  // namespace doxa::test
