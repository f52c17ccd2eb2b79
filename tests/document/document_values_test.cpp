// A configuration file whose bytes parse but whose values no transmitter can hold is refused
// with the field and its value, and the configuration in use stays as it was.

#include "document/document_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "app/application.h"
#include "dialog/command_ids.h"
#include "document/document_codec.h"
#include "document/document_file.h"
#include "settings/shown_language.h"
#include "support/fake_shell.h"
#include "support/sim_station.h"
#include "transmitter/ident_dlg.h"

namespace doxa::test {
namespace {

namespace fs = std::filesystem;

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Infinity = std::numeric_limits<float>::infinity();

// A DOXA-22 with a Pt 100, -50 .. 150 °C, threshold on, and three points in the table.
DeviceRecord goodConfiguration() {
    DeviceRecord device;
    device.modelName = "DOXA-22";
    device.sensorType = 1;
    device.rangeMin = -50;
    device.rangeMax = 150;
    device.threshold = 120;
    device.hysteresis = 10;
    device.thresholdActive = 1;
    device.thresholdDirection = 2;
    device.filterTime = 5;
    device.filterOrder = 2;
    device.breakSignal = 1;
    device.serialNumber = 4321;
    return device;
}

Characteristic threePoints() {
    Characteristic table;
    table.characteristicCount = 3;
    for (int i = 0; i < Characteristic::MaxPoints; ++i) {
        table.x(i) = float(i * 10);
        table.y(i) = float(i * 12);
    }
    return table;
}

struct Case {
    const char* what;
    std::function<void(DeviceRecord&, Characteristic&)> change;
    std::string refusal;  // empty: the file is taken
};

std::string refused(const std::string& field) { return "Błędna wartość w pliku: " + field; }

const std::vector<Case>& cases() {
    static const std::vector<Case> all{
        {"the configuration itself", [](DeviceRecord&, Characteristic&) {}, ""},
        // Sensor codes: the table has 0..9, 14 and 15 only.
        {"sensor 999", [](DeviceRecord& d, Characteristic&) { d.sensorType = 999; },
         refused("Typ czujnika = 999 (dozwolone: 0 … 9, 14, 15)")},
        {"sensor 10", [](DeviceRecord& d, Characteristic&) { d.sensorType = 10; },
         refused("Typ czujnika = 10 (dozwolone: 0 … 9, 14, 15)")},
        {"sensor 13", [](DeviceRecord& d, Characteristic&) { d.sensorType = 13; },
         refused("Typ czujnika = 13 (dozwolone: 0 … 9, 14, 15)")},
        {"sensor 16", [](DeviceRecord& d, Characteristic&) { d.sensorType = 16; },
         refused("Typ czujnika = 16 (dozwolone: 0 … 9, 14, 15)")},
        {"sensor -1", [](DeviceRecord& d, Characteristic&) { d.sensorType = -1; },
         refused("Typ czujnika = -1 (dozwolone: 0 … 9, 14, 15)")},
        {"sensor T", [](DeviceRecord& d, Characteristic&) { d.sensorType = 9; }, ""},
        {"characteristic R, any range",
         [](DeviceRecord& d, Characteristic&) {
             d.sensorType = 14;
             d.rangeMin = -1e6F;
             d.rangeMax = 1e6F;
             d.threshold = 5e5F;
         },
         ""},
        {"characteristic U", [](DeviceRecord& d, Characteristic&) { d.sensorType = 15; }, ""},
        // A characteristic the model's dialog has no radio for would go out as a resistance.
        {"R on a DOXA-21-U",
         [](DeviceRecord& d, Characteristic&) {
             d.modelName = "DOXA-21-U";
             d.sensorType = 14;
         },
         refused("Typ czujnika = 14 (niedostępny w przetworniku DOXA-21-U)")},
        {"U on a SAWE-01",
         [](DeviceRecord& d, Characteristic&) {
             d.modelName = "SAWE-01";
             d.sensorType = 15;
         },
         refused("Typ czujnika = 15 (niedostępny w przetworniku SAWE-01)")},
        {"R on a SAWE-01",
         [](DeviceRecord& d, Characteristic&) {
             d.modelName = "SAWE-01";
             d.sensorType = 14;
         },
         ""},
        // Range ends: finite and inside the sensor's limits, both ends included.
        {"range max NaN", [](DeviceRecord& d, Characteristic&) { d.rangeMax = NaN; },
         refused("Zakres max = nan (dozwolone: -200 … 850)")},
        {"range min -inf", [](DeviceRecord& d, Characteristic&) { d.rangeMin = -Infinity; },
         refused("Zakres min = -inf (dozwolone: -200 … 850)")},
        {"range at the limits",
         [](DeviceRecord& d, Characteristic&) {
             d.rangeMin = -200;
             d.rangeMax = 850;
         },
         ""},
        {"range min below", [](DeviceRecord& d, Characteristic&) { d.rangeMin = -200.5F; },
         refused("Zakres min = -200.5 (dozwolone: -200 … 850)")},
        {"range max above", [](DeviceRecord& d, Characteristic&) { d.rangeMax = 850.5F; },
         refused("Zakres max = 850.5 (dozwolone: -200 … 850)")},
        {"resistance up to 1e38",
         [](DeviceRecord& d, Characteristic&) {
             d.sensorType = 0;
             d.rangeMin = 20;
             d.rangeMax = 1e38F;
         },
         refused("Zakres max = 1e+38 (dozwolone: 10 … 400)")},
        {"characteristic range infinite",
         [](DeviceRecord& d, Characteristic&) {
             d.sensorType = 15;
             d.rangeMax = Infinity;
         },
         refused("Zakres max = inf (dozwolone: liczba skończona)")},
        // Code 2 is a Ni 100 (-60 .. 200) on a DOXA-22, but may be a Pt 100 (391) on a SAWE-01.
        {"Ni 100 down to -200 on a DOXA-22",
         [](DeviceRecord& d, Characteristic&) {
             d.sensorType = 2;
             d.rangeMin = -200;
             d.threshold = 100;
         },
         refused("Zakres min = -200 (dozwolone: -60 … 200)")},
        {"Pt 100 (391) down to -200 on a SAWE-01",
         [](DeviceRecord& d, Characteristic&) {
             d.modelName = "SAWE-01";
             d.sensorType = 2;
             d.rangeMin = -200;
             d.threshold = 100;
         },
         ""},
        {"code 2 beyond both lists on a SAWE-01",
         [](DeviceRecord& d, Characteristic&) {
             d.modelName = "SAWE-01";
             d.sensorType = 2;
             d.rangeMax = 900;
         },
         refused("Zakres max = 900 (dozwolone: -60 … 200 lub -200 … 850)")},
        // Filter: the documented times, the orders of the dialog.
        {"filter -7 s", [](DeviceRecord& d, Characteristic&) { d.filterTime = -7; },
         refused("Czas filtru = -7 (dozwolone: 0, 1, 2, 5, 10)")},
        {"filter 3 s", [](DeviceRecord& d, Characteristic&) { d.filterTime = 3; },
         refused("Czas filtru = 3 (dozwolone: 0, 1, 2, 5, 10)")},
        {"filter 10 s", [](DeviceRecord& d, Characteristic&) { d.filterTime = 10; }, ""},
        {"filter 0 s, order 0",
         [](DeviceRecord& d, Characteristic&) {
             d.filterTime = 0;
             d.filterOrder = 0;
         },
         ""},
        {"filter order 3", [](DeviceRecord& d, Characteristic&) { d.filterOrder = 3; },
         refused("Rząd filtru = 3 (dozwolone: 0 … 2)")},
        {"filter order -1", [](DeviceRecord& d, Characteristic&) { d.filterOrder = -1; },
         refused("Rząd filtru = -1 (dozwolone: 0 … 2)")},
        {"break signal 2", [](DeviceRecord& d, Characteristic&) { d.breakSignal = 2; },
         refused("Sygnalizacja przerwy = 2 (dozwolone: 0 … 1)")},
        // Threshold: a mode that exists; its values in the limits while it is on.
        {"threshold on 2", [](DeviceRecord& d, Characteristic&) { d.thresholdActive = 2; },
         refused("Próg aktywny = 2 (dozwolone: 0 … 1)")},
        {"direction 3", [](DeviceRecord& d, Characteristic&) { d.thresholdDirection = 3; },
         refused("Kierunek progu = 3 (dozwolone: 0 … 2)")},
        {"direction -1", [](DeviceRecord& d, Characteristic&) { d.thresholdDirection = -1; },
         refused("Kierunek progu = -1 (dozwolone: 0 … 2)")},
        {"threshold above the sensor", [](DeviceRecord& d, Characteristic&) { d.threshold = 900; },
         refused("Próg = 900 (dozwolone: -200 … 850)")},
        {"threshold off keeps an old value",
         [](DeviceRecord& d, Characteristic&) {
             d.thresholdActive = 0;
             d.threshold = 900;
             d.hysteresis = 150;
         },
         ""},
        {"threshold off, NaN",
         [](DeviceRecord& d, Characteristic&) {
             d.thresholdActive = 0;
             d.threshold = NaN;
         },
         refused("Próg = nan (dozwolone: liczba skończona)")},
        {"hysteresis 100", [](DeviceRecord& d, Characteristic&) { d.hysteresis = 100; }, ""},
        {"hysteresis 101", [](DeviceRecord& d, Characteristic&) { d.hysteresis = 101; },
         refused("Histereza = 101 (dozwolone: 0 … 100)")},
        {"hysteresis -1", [](DeviceRecord& d, Characteristic&) { d.hysteresis = -1; },
         refused("Histereza = -1 (dozwolone: 0 … 100)")},
        // The characteristic: a count the table holds, finite points in use.
        {"33 points", [](DeviceRecord&, Characteristic& t) { t.characteristicCount = 33; },
         refused("Ilość punktów charakterystyki = 33 (dozwolone: 0 … 32)")},
        {"-1 points", [](DeviceRecord&, Characteristic& t) { t.characteristicCount = -1; },
         refused("Ilość punktów charakterystyki = -1 (dozwolone: 0 … 32)")},
        {"last point in use NaN", [](DeviceRecord&, Characteristic& t) { t.y(2) = NaN; },
         refused("Punkt 3 charakterystyki, y = nan (dozwolone: liczba skończona)")},
        {"first point in use infinite", [](DeviceRecord&, Characteristic& t) { t.x(0) = Infinity; },
         refused("Punkt 1 charakterystyki, x = inf (dozwolone: liczba skończona)")},
        {"a point not in use NaN", [](DeviceRecord&, Characteristic& t) { t.x(3) = NaN; }, ""},
        {"32nd point's x NaN",
         [](DeviceRecord&, Characteristic& t) {
             t.characteristicCount = 32;
             t.x(31) = NaN;
         },
         refused("Punkt 32 charakterystyki, x = nan (dozwolone: liczba skończona)")},
    };
    return all;
}

// A record and table that differ from every case, to see that a refused file changes nothing.
DeviceRecord heldConfiguration() {
    DeviceRecord device;
    device.modelName = "RIVO-22";
    device.sensorType = 5;
    device.rangeMin = 0;
    device.rangeMax = 600;
    device.filterTime = 2;
    return device;
}

TEST(DocumentValues, EveryValueAFileBringsIsCheckedByTheCodec) {
    for (const Case& c : cases()) {
        DeviceRecord device = goodConfiguration();
        Characteristic table = threePoints();
        c.change(device, table);
        EXPECT_EQ(refusedDocumentValue(device, table), c.refusal) << c.what;

        const std::vector<std::uint8_t> file = writeDocument(device, table);
        DeviceRecord held = heldConfiguration();
        Characteristic heldTable;
        heldTable.characteristicTable[4] = 7;
        std::string refusal = "untouched";
        const DocumentStatus status = readDocument(file, held, heldTable, &refusal);
        if (c.refusal.empty()) {
            EXPECT_EQ(status, DocumentStatus::Read) << c.what;
            EXPECT_EQ(refusal, "untouched") << c.what;
            EXPECT_EQ(held.sensorType, device.sensorType) << c.what;
            continue;
        }
        EXPECT_EQ(status, DocumentStatus::RefusedValue) << c.what;
        EXPECT_EQ(refusal, c.refusal) << c.what;
        EXPECT_EQ(held, heldConfiguration()) << c.what;
        EXPECT_EQ(heldTable.characteristicCount, 0) << c.what;
        EXPECT_EQ(heldTable.characteristicTable[4], 7.0F) << c.what;
    }
}

// The first value that does not fit is named: the reported file held three at once.
TEST(DocumentValues, TheFileOfSensor999NamesTheSensorCode) {
    DeviceRecord device = goodConfiguration();
    device.sensorType = 999;
    device.rangeMax = 1e38F;
    device.filterTime = -7;
    EXPECT_EQ(refusedDocumentValue(device, threePoints()),
              "Błędna wartość w pliku: Typ czujnika = 999 (dozwolone: 0 … 9, 14, 15)");
    device.sensorType = 0;
    EXPECT_EQ(refusedDocumentValue(device, threePoints()),
              "Błędna wartość w pliku: Czas filtru = -7 (dozwolone: 0, 1, 2, 5, 10)");
}

// Each refusal is one marked pattern whose field and allowed values are translated in turn.
TEST(DocumentValues, ARefusalReadsInEnglishWhenEnglishIsChosen) {
    DeviceRecord sensor = goodConfiguration();
    sensor.sensorType = 999;
    DeviceRecord range = goodConfiguration();
    range.rangeMax = NaN;
    Characteristic points = threePoints();
    points.x(0) = NaN;
    const std::string polish[] = {refusedDocumentValue(sensor, threePoints()),
                                  refusedDocumentValue(range, threePoints()),
                                  refusedDocumentValue(goodConfiguration(), points)};

    ASSERT_TRUE(startLanguage(Language::English));
    std::vector<std::string> english;
    for (const std::string& text : polish) english.push_back(shownText(text));
    startLanguage(Language::Polish);
    EXPECT_EQ(english, (std::vector<std::string>{
                           "Invalid value in the file: Sensor type = 999 (allowed: 0 … 9, 14, 15)",
                           "Invalid value in the file: Range max = nan (allowed: -200 … 850)",
                           "Invalid value in the file: Characteristic point 1, x = nan (allowed: a "
                           "finite number)"}));
}

class RefusedFile : public ::testing::Test {
protected:
    RefusedFile() {
        std::string pattern = (fs::temp_directory_path() / "doxa-values-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        shell.scripts[CInitDlg::Resource] = [](FakeWindow& window, DialogLogic&) {
            window.click(CInitDlg::Close);
        };
    }
    ~RefusedFile() override { fs::remove_all(folder); }

    std::string write(const std::string& name, const DeviceRecord& device) const {
        const std::string path = (folder / name).string();
        const std::vector<std::uint8_t> bytes = writeDocument(device, threePoints());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    fs::path folder;
    SimStation sim;
    FakeShell shell{sim.clock};
    Application app{sim.station, shell};
};

TEST_F(RefusedFile, PobierzShowsTheFieldAndKeepsTheDocument) {
    app.startUp();
    DeviceRecord bad = goodConfiguration();
    bad.rangeMax = NaN;
    const DeviceRecord before = sim.station.device;
    shell.openPath = write("nan.prg", bad);
    app.onCommand(CmdOpen);
    EXPECT_EQ(shell.messages,
              std::vector<std::string>{"Błędna wartość w pliku: Zakres max = nan (dozwolone: -200 … 850)"});
    EXPECT_EQ(sim.station.device, before);
    EXPECT_EQ(shell.documentTitle, "DOXA");
    EXPECT_TRUE(app.recentFiles().empty());

    // The same file through the loader doxa-cli uses.
    DeviceRecord device = heldConfiguration();
    Characteristic table;
    EXPECT_EQ(loadDocumentFile(shell.openPath, device, table),
              "Błędna wartość w pliku: Zakres max = nan (dozwolone: -200 … 850)");
    EXPECT_EQ(device, heldConfiguration());
}

TEST_F(RefusedFile, AFileThatWasGoodOnceLeavesPoprzednieWhenItNoLongerIs) {
    app.startUp();
    const std::string path = write("a.prg", goodConfiguration());
    shell.openPath = path;
    app.onCommand(CmdOpen);
    ASSERT_TRUE(shell.messages.empty());
    ASSERT_EQ(app.recentFiles(), std::vector<std::string>{path});
    ASSERT_EQ(sim.station.device.rangeMax, 150.0F);

    DeviceRecord bad = goodConfiguration();
    bad.filterTime = -7;
    write("a.prg", bad);
    app.onCommand(CmdRecentFile);
    EXPECT_EQ(shell.messages,
              std::vector<std::string>{"Błędna wartość w pliku: Czas filtru = -7 (dozwolone: 0, 1, 2, 5, 10)"});
    EXPECT_EQ(sim.station.device.filterTime, 5);
    EXPECT_TRUE(app.recentFiles().empty());
}

TEST_F(RefusedFile, AFileNamedAtStartUpIsRefusedTheSameWay) {
    DeviceRecord bad = goodConfiguration();
    bad.sensorType = 999;
    const std::string path = write("999.prg", bad);
    app.startUp(path);
    EXPECT_EQ(shell.messages,
              std::vector<std::string>{"Błędna wartość w pliku: Typ czujnika = 999 (dozwolone: 0 … 9, 14, 15)"});
    EXPECT_EQ(sim.station.device.sensorType, 0);
    EXPECT_EQ(sim.station.device.rangeMax, 300.0F);
    EXPECT_EQ(shell.documentTitle, "DOXA");
}

}  // namespace
}  // namespace doxa::test
