#include "cli/text_format.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/console_loop.h"
#include "cli/session.h"
#include "settings/shown_language.h"
#include "support/fake_device_tree.h"

namespace doxa::cli {
namespace {

TEST(TextFormat, SplitsTheDisplaysValuesFromTheirUnits) {
    struct Case {
        std::string_view shown, number, unit, json;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"23.4 °C", "23.4", "°C", "23.4"},
             {"-12.50 Ohm", "-12.50", "Ohm", "-12.5"},
             {"5.000V", "5.000", "V", "5"},
             {"4.000 mA", "4.000", "mA", "4"},
             {"1.23457e+006 mV", "1.23457e+006", "mV", "1234570"},
             {"12.", "12.", "", "12"},
             {"0.00", "0.00", "", "0"},
             {"1.2.3 °C", "1.2.3", "°C", "null"},  // no number, not its first part
             {" mA", "", "mA", "null"},  // blanked after missed answers
             {" ", "", "", "null"},
         }) {
        SCOPED_TRACE(c.shown);
        const ValueText v = splitValue(c.shown);
        EXPECT_EQ(v.number, c.number);
        EXPECT_EQ(v.unit, c.unit);
        EXPECT_EQ(shownNumberJson(v.number), c.json);
    }
}

TEST(TextFormat, QuotesWhatJsonAndCsvCannotCarryBare) {
    EXPECT_EQ(jsonString("TC typu 'K'"), "\"TC typu 'K'\"");
    EXPECT_EQ(jsonString("a\"b\\c\n"), "\"a\\\"b\\\\c\\u000a\"");
    EXPECT_EQ(csvField("°C"), "°C");
    EXPECT_EQ(csvField("5 sek ,rząd: 2"), "\"5 sek ,rząd: 2\"");
    EXPECT_EQ(csvField("a\"b"), "\"a\"\"b\"");
    // Labels line up by characters, not by the bytes of their Polish letters.
    EXPECT_EQ(padded("Próg:", 8), "Próg:   ");
    EXPECT_EQ(padded("Rodzaj wyjścia:", 4), "Rodzaj wyjścia:");
}

// What a spreadsheet would run as a formula is no formula any more; numbers stay numbers.
TEST(TextFormat, ACsvFieldNeverStartsAFormula) {
    struct Case {
        std::string_view field, exported;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"=1+2", "'=1+2"},
             {"+48 600 100 200", "'+48 600 100 200"},
             {"-cmd|' /C calc'!A0", "'-cmd|' /C calc'!A0"},
             {"@SUM(A1:A9)", "'@SUM(A1:A9)"},
             {"\tx", "'\tx"},
             {"\r=1", "\"'\r=1\""},
             {"=1,2", "\"'=1,2\""},
             {"-", "'-"},
             {"-inf", "'-inf"},
             {"-0.12", "-0.12"},
             {"+5", "+5"},
             {"-1.5e-3", "-1.5e-3"},
             {"-.5", "-.5"},
             {"a=1", "a=1"},
             {"", ""},
         }) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(csvField(c.field), c.exported);
    }
}

// Text from a database, a file or a device never drives the terminal: escape sequences, C1
// controls and line breaks are written out, in tables and in error messages alike.
TEST(TextFormat, ControlCharactersArePrintedVisibly) {
    EXPECT_EQ(padded("DOXA\x1b[2J\x07", 16), "DOXA\\x1b[2J\\x07 ");
    EXPECT_EQ(padded("a\tb\r\nc\x7f", 2), "a\\tb\\r\\nc\\x7f");
    EXPECT_EQ(padded("\xc2\x9b" "31m żółw", 0), "\\u009b31m żółw");
    std::ostringstream err;
    Console console(err, false);
    console.error("cannot read /tmp/h\x1b]0;x\x07.sqlite: bad\nsecond line");
    EXPECT_EQ(err.str(), "doxa-cli: cannot read /tmp/h\\x1b]0;x\\x07.sqlite: bad\nsecond line\n");
}

class NoTime : public TimeSource {
public:
    std::int64_t nowMs() const override { return 0; }
    bool sleepUntil(std::int64_t) override { return true; }
};

// The console and the help are where doxa-cli's texts meet the language: a message composed of
// patterns nested in each other comes out whole in English, the values it holds as they were.
TEST(Console, ShowsWhatItIsGivenInTheLanguageStarted) {
    ASSERT_TRUE(startLanguage(Language::English));
    std::ostringstream err;
    Console console(err, false);
    console.error("brak odpowiedzi od COM3 (HART, /dev/ttyUSB0, adres 2) w ciągu 2 s (DOXA-22 odpowiedział, po "
                  "czym zamilkł)");
    console.error("/dev/ttyUSB0", "Failed to save document.");
    console.error("nie można otworzyć /dev/ttyUSB1: używany przez inny program (minicom)");
    console.prompt("Temperatura otoczenia [°C]");
    console.note("Zobacz 'doxa-cli watch --help'.");
    // The dialogs' padded texts are found padded, and shown without the blanks.
    console.error("Zmień port szeregowy ");
    const std::string threshold = shownTrimmed(" nie aktywny");
    const std::string help = commandHelp(*findCommand("instruments"));
    startLanguage(Language::Polish);
    EXPECT_EQ(err.str(),
              "doxa-cli: no answer from COM3 (HART, /dev/ttyUSB0, address 2) within 2 s (DOXA-22 answered, then "
              "stopped)\n"
              "doxa-cli: /dev/ttyUSB0: Failed to save document.\n"
              "doxa-cli: cannot open /dev/ttyUSB1: in use by another program (minicom)\n"
              "doxa-cli: Ambient temperature [°C]:\n"
              "Try 'doxa-cli watch --help'.\n"
              "doxa-cli: Change the serial port\n");
    EXPECT_EQ(threshold, "not active");
    EXPECT_TRUE(help.starts_with("Usage: doxa-cli instruments [--json] [--db PATH|URL]\nLists the reference")) << help;
    EXPECT_NE(help.find("\n  --help, -h          this text\n\nExit status:\n  0     success\n"), std::string::npos)
        << help;
}

TEST(Session, TakesComNamesDevicePathsSimulatedModelsAndNamesOfDevicesPresent) {
    std::ostringstream err;
    Console console(err, false);
    NoTime time;
    const auto open = [&](std::string port, std::string& error) {
        LineChoice line;
        line.port = std::move(port);
        return Session::open(line, console, time, error);
    };
    for (const char* port : {"sim:RIVO-21-U", "/dev/ttyUSB7", "com12"}) {
        std::string error;
        EXPECT_NE(open(port, error), nullptr) << port << ": " << error;
    }
    std::string error;
    test::FakeDeviceTree noDevices;
    ::setenv("DOXA_DEVICE_ROOT", noDevices.root().c_str(), 1);
    EXPECT_EQ(open("COM13", error), nullptr);
    ::unsetenv("DOXA_DEVICE_ROOT");
    EXPECT_EQ(error, "to nie jest port: 'COM13' (COM1..COM12, ścieżka urządzenia, sim:MODEL albo jednoznaczna "
                     "część nazwy z /dev/serial/by-id): no by-id name holds it; no serial device is present");
    EXPECT_EQ(open("sim:DOXA-23", error), nullptr);
    EXPECT_EQ(error.substr(0, 53), "nie ma symulowanego modelu 'DOXA-23' (jeden z: DOXA-2");

    LineChoice rs485;
    rs485.port = "sim:DOXA-22";
    rs485.rs485 = true;
    rs485.baudIndex = 2;
    rs485.pollingAddress = 7;
    const auto session = Session::open(rs485, console, time, error);
    ASSERT_NE(session, nullptr);
    const LinkSettings& link = session->station().link;
    EXPECT_EQ(link.transmissionMode, ModeRs485);
    EXPECT_EQ(link.baudIndex, 2);
    EXPECT_EQ(link.replyWait, 20);  // 9600 baud
    EXPECT_EQ(session->station().device.pollingAddress, 7);
    EXPECT_EQ(session->describe(), "sim:DOXA-22 (RS485, adres 7)");
}

}  // namespace
}  // namespace doxa::cli
