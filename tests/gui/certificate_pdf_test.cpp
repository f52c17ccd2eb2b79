// The calibration certificate as the technician gets it: the PDF written through the report's
// drawing, read back with pdftotext. The records are built here with known values; the numbers
// the certificate must show are written out as it must show them.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <iterator>
#include <sstream>
#include <cstdio>
#include <regex>
#include <string>

#include "history/certificate.h"
#include "history/certificate_metadata.h"
#include "history/certificate_printer.h"
#include "history/event_certificate.h"
#include "settings/settings_keys.h"
#include "support/event_records.h"
#include "support/fake_history.h"
#include "transmitter/settings_store.h"

namespace doxa {
namespace {

StoredRecord calibration(std::string time, RecordKind kind, RecordOutcome outcome, RecordValues asFound,
                         RecordValues asLeft, RecordValues reference) {
    StoredRecord s{std::move(time), "jan", {}};
    s.record.kind = kind;
    s.record.outcome = outcome;
    s.record.model = "DOXA-22";
    s.record.serial = 1193046;
    s.record.address = 3;
    s.record.line = "COM2:1200,o,8,1";
    s.record.asFound = std::move(asFound);
    s.record.asLeft = std::move(asLeft);
    s.record.reference = std::move(reference);
    return s;
}

// A session as the calibration dialog leaves it, newest first as the history lists it.
std::vector<StoredRecord> session() {
    using K = RecordKind;
    using O = RecordOutcome;
    return {
        calibration("2026-12-07T10:12:00Z", K::Trim, O::Confirmed, {}, {{"trim", std::string("set")}}, {}),
        calibration("2026-12-07T10:10:00Z", K::CalibrationCompensation, O::Confirmed, {{"ambient", 24.5}},
                    {{"ambient", double{25.50001f}}}, {{"ambient", 25.5}}),
        calibration("2026-12-07T10:06:00Z", K::CalibrationOutput, O::NotConfirmed, {{"output", double{18.4f}}},
                    {}, {{"measured", double{18.5f}}}),
        calibration("2026-12-07T10:05:00Z", K::CalibrationOutput, O::Confirmed, {{"output", double{5.6f}}},
                    {{"point", std::string("lower")}}, {{"measured", double{5.62f}}}),
        // Read before and after: 300.12 Ohm found, 300.00 Ohm left.
        calibration("2026-12-07T10:02:00Z", K::CalibrationInput, O::Confirmed,
                    {{"input", double{300.12f}}, {"unit", std::string("Ohm")}},
                    {{"point", std::string("upper")}, {"input", 300.0}, {"unit", std::string("Ohm")}},
                    {{"input", 300.0}, {"unit", std::string("Ohm")}}),
        // A Pt 100 reads its input in °C: shown, but not against a reference in Ohm.
        calibration("2026-12-07T10:01:00Z", K::CalibrationInput, O::Confirmed,
                    {{"input", double{0.04f}}, {"unit", std::string("°C")}}, {{"point", std::string("lower")}},
                    {{"input", 100.0}, {"unit", std::string("Ohm")}}),
        // As an earlier version of the program recorded an input point: the reference as a text.
        calibration("2026-12-07T10:00:00Z", K::CalibrationInput, O::Confirmed, {},
                    {{"point", std::string("upper")}}, {{"input", std::string("300 Ohm")}}),
    };
}

// What a poppler tool prints about the PDF at `path`.
std::string toolOutput(const std::string& tool, const QString& path) {
    const std::string command = tool + " '" + path.toStdString() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string text;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
    pclose(pipe);
    return text;
}

// The text of the PDF with every run of blanks made one blank, line by line.
std::string pdfText(const QString& path) {
    return std::regex_replace(toolOutput("pdftotext -layout", path + QStringLiteral("' '-")), std::regex("[ \\t]+"), " ");
}

class CertificatePdf : public ::testing::Test {
protected:
    std::string rendered() {
        const QString path = folder.filePath(QStringLiteral("swiadectwo.pdf"));
        const Certificate certificate = makeCertificate(session(), readCertificateSettings(settings), history);
        EXPECT_EQ(certificate.fileName, "swiadectwo-1193046-2026-12-07.pdf");
        EXPECT_TRUE(writeCertificatePdf(path, certificate));
        return pdfText(path);
    }

    QTemporaryDir folder;
    MemorySettingsStore settings;
    test::FakeHistory history;  // its local time is UTC
};

TEST_F(CertificatePdf, ShowsTheTransmitterTheInstrumentAndEveryPointJudgedAgainstTheTolerances) {
    settings.writeText(ReferenceSection, ReferenceNameKey, "Kalibrator CX-9");
    settings.writeText(ReferenceSection, ReferenceSerialKey, "K-4711");
    settings.writeText(ReferenceSection, ReferenceUncertaintyKey, "0,02 °C");
    settings.writeText(ReferenceSection, TemperatureToleranceKey, "0,1");
    settings.writeText(ReferenceSection, OutputToleranceKey, "0.05");
    settings.writeText(ReferenceSection, InputToleranceKey, "0,1");
    const std::string text = rendered();
    for (const char* expected : {
             "Świadectwo kalibracji",
             "Strona 1/1",
             "Przetwornik: DOXA-22",
             "Numer seryjny: 1193046",
             "Adres: 3",
             "Linia: COM2:1200,o,8,1 (HART)",
             "Data kalibracji: 07.12.2026",
             "Wykonał: jan",
             "Przyrząd wzorcowy: Kalibrator CX-9",
             "Numer seryjny przyrządu: K-4711",
             "Niepewność przyrządu: 0,02 °C",
             "Tolerancja temperatury: ±0,100 °C",
             "Tolerancja wejścia: ±0,100",
             "Tolerancja wyjścia: ±0,050",
             "Punkt Wzorzec Zastane Różnica Ocena Pozostawione Różnica Ocena",
             // The transmitter took the point; nobody read its value before or after.
             "Wejście, punkt górny 300 Ohm — — — — — —",
             "Wejście [Ohm], punkt dolny 100,000 0,040 °C — — — — —",
             // Found 0.12 Ohm high, outside 0.1; left at the reference.
             "Wejście [Ohm], punkt górny 300,000 300,120 +0,120 niezgodny 300,000 0,000 zgodny",
             // Driven to 5.6 mA, measured 5.62 mA: found 0.02 low, within 0.05.
             "Wyjście, punkt dolny 5,620 5,600 -0,020 zgodny — — —",
             "Wyjście 18,500 18,400 -0,100 niezgodny — — —",
             // Found a degree low, left at the temperature typed.
             "Kompensacja [°C] 25,500 24,500 -1,000 niezgodny 25,500 0,000 zgodny",
             "10:06:00 Kalibracja wyjścia: niepotwierdzone",
             "10:12:00 Trim ustawiony",
             "Podpis:",
         })
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin:\n" << text;
}

TEST_F(CertificatePdf, WithoutSettingsItJudgesNothingAndSaysWhatIsNotKnown) {
    const std::string text = rendered();
    for (const char* expected : {
             "Przyrząd wzorcowy: —",
             "Numer seryjny przyrządu: —",
             "Niepewność przyrządu: —",
             "Tolerancja temperatury: nie ustalono",
             "Tolerancja wejścia: nie ustalono",
             "Tolerancja wyjścia: nie ustalono",
             "Punkt Wzorzec Zastane Różnica Pozostawione Różnica\n",
             "Wejście [Ohm], punkt górny 300,000 300,120 +0,120 300,000 0,000\n",
             "Wyjście, punkt dolny 5,620 5,600 -0,020 — —",
             "Kompensacja [°C] 25,500 24,500 -1,000 25,500 0,000",
         })
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin:\n" << text;
    EXPECT_EQ(text.find("Ocena"), std::string::npos);
    EXPECT_EQ(text.find("zgodny"), std::string::npos);
}

// A difference equal to the tolerance is within it. The verdict goes by the printed difference
// and the printed tolerance (thousandths), so a difference that floating point makes a hair over
// or under 0,100 is judged as it is printed.
TEST_F(CertificatePdf, ADifferenceEqualToTheToleranceIsWithinIt) {
    settings.writeText(ReferenceSection, TemperatureToleranceKey, "0,1");
    struct Case {
        double reference;
        double reading;
        const char* difference;
        const char* verdict;
    };
    for (const Case& t : {Case{100.1, 100.2, "+0,100", "zgodny"},    // 0.1000000000000085 in binary
                          Case{100.1, 100.0, "-0,100", "zgodny"},    // -0.0999999999999943
                          Case{24.5, 24.6, "+0,100", "zgodny"},      // 0.1000000000000014
                          Case{25.5, double{25.4f}, "-0,100", "zgodny"},
                          Case{100.1, 100.201, "+0,101", "niezgodny"},
                          Case{100.1, 99.999, "-0,101", "niezgodny"},
                          Case{24.5, 24.6004, "+0,100", "zgodny"},   // printed at the tolerance
                          Case{24.5, 24.6006, "+0,101", "niezgodny"}}) {
        SCOPED_TRACE(t.reading);
        const Certificate certificate = makeCertificate(
            {calibration("2026-12-07T10:10:00Z", RecordKind::CalibrationCompensation, RecordOutcome::Confirmed,
                         {{"ambient", t.reading}}, {{"ambient", t.reading}}, {{"ambient", t.reference}})},
            readCertificateSettings(settings), history);
        ASSERT_EQ(certificate.points.size(), 1u);
        const CertificateRow& row = certificate.points[0];
        EXPECT_EQ(row.foundDifference, t.difference);
        EXPECT_EQ(row.foundVerdict, t.verdict);
        EXPECT_EQ(row.leftDifference, t.difference);
        EXPECT_EQ(row.leftVerdict, t.verdict);
    }
}

// Many points go on to a second page; the fields are printed once, the table heading on both.
TEST_F(CertificatePdf, PointsThatDoNotFitContinueOnTheSecondPage) {
    std::vector<StoredRecord> many;
    for (int i = 0; i < 40; ++i)
        many.push_back(calibration("2026-12-07T10:" + std::to_string(10 + i) + ":00Z",
                                   RecordKind::CalibrationCompensation, RecordOutcome::Confirmed,
                                   {{"ambient", 20.0 + i}}, {{"ambient", 20.0 + i}}, {{"ambient", 20.0 + i}}));
    const QString path = folder.filePath(QStringLiteral("dwie.pdf"));
    ASSERT_TRUE(writeCertificatePdf(path, makeCertificate(many, {}, history)));
    const std::string text = pdfText(path);
    EXPECT_NE(text.find("Strona 1/2"), std::string::npos) << text;
    EXPECT_NE(text.find("Strona 2/2"), std::string::npos) << text;
    EXPECT_NE(text.find("Kompensacja [°C] 59,000 59,000 0,000 59,000 0,000"), std::string::npos) << text;
    const auto headings = [&text](const std::string& what) {
        std::size_t count = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
        return count;
    };
    EXPECT_EQ(headings("Punkt Wzorzec"), 2u);
    EXPECT_EQ(headings("Przetwornik: DOXA-22"), 1u);
}

// An event's certificate is archived as PDF/A-1b: PDF 1.4, every font embedded, nothing
// transparent, and the event's id and verification code in the XMP metadata next to the part
// and conformance that name it PDF/A-1b.
TEST_F(CertificatePdf, AnEventsCertificateIsPdfA1bWithItsCodeInTheMetadata) {
    const std::string event = "0123456789abcdef0123456789abcdef";
    const Certificate certificate = makeEventCertificate(test::pt100EventRecords(event), {}, history);
    ASSERT_EQ(certificate.verificationCode.size(), 64u);
    const QString path = folder.filePath(QStringLiteral("zdarzenie.pdf"));
    ASSERT_TRUE(writeCertificatePdf(path, certificate));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-1.4"));
    EXPECT_TRUE(bytes.contains("/OutputIntents"));
    // No transparency: a soft mask only ever /None, every opacity 1.
    const std::string raw = bytes.toStdString();
    const auto count = [&raw](std::string_view what) {
        std::size_t n = 0;
        for (auto at = raw.find(what); at != std::string::npos; at = raw.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("/SMask"), count("/SMask /None"));
    const std::regex opacity("/(CA|ca) ([0-9.]+)");
    for (auto it = std::sregex_iterator(raw.begin(), raw.end(), opacity); it != std::sregex_iterator(); ++it)
        EXPECT_EQ(std::stod((*it)[2].str()), 1.0) << it->str();
    const auto mark = readCertificateMark(bytes);
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->eventId, event);
    EXPECT_EQ(mark->code, certificate.verificationCode);

    const std::string metadata = toolOutput("pdfinfo -meta", path);
    EXPECT_NE(metadata.find("<pdfaid:part>1</pdfaid:part>"), std::string::npos) << metadata;
    EXPECT_NE(metadata.find("<pdfaid:conformance>B</pdfaid:conformance>"), std::string::npos) << metadata;
    EXPECT_NE(metadata.find("<doxa:verificationCode>" + certificate.verificationCode), std::string::npos);
    const std::string info = toolOutput("pdfinfo", path);
    EXPECT_TRUE(std::regex_search(info, std::regex("PDF version: +1\\.4\n"))) << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("Title: +Świadectwo kalibracji\n"))) << info;

    // pdffonts: a heading, a rule, then one line per font: name, type, encoding, emb, sub,
    // uni, object, generation.
    std::istringstream fonts(toolOutput("pdffonts", path));
    std::string line;
    std::vector<std::vector<std::string>> fontLines;
    for (int skipped = 0; skipped < 2 && std::getline(fonts, line); ++skipped) {}
    while (std::getline(fonts, line)) {
        std::istringstream words(line);
        fontLines.emplace_back(std::istream_iterator<std::string>(words), std::istream_iterator<std::string>());
    }
    ASSERT_FALSE(fontLines.empty());
    for (const auto& font : fontLines) {
        ASSERT_GE(font.size(), 6u);
        EXPECT_EQ(font[font.size() - 5], "yes") << font[0] << " is not embedded";
    }

    const std::string text = pdfText(path);
    for (const std::string& expected : {
             std::string("Numer świadectwa: PROJEKT — bez numeru"),
             std::string("Oznaczenie (tag): TT-101"),
             std::string("Następna kalibracja: 07.12.2027"),
             std::string("Wykonał: Anna Nowak"),
             std::string("Stan zastany"),
             std::string("Stan pozostawiony"),
             std::string("Wejście 100 % 138,510 Ohm 100,160 °C +0,148 °C ±0,100 °C 0,045 °C niezgodny +0,056 Ohm"),
             std::string("Wynik ogólny: zgodny"),
             // pdftotext gives the "fi" of "weryfikacyjny" as its ligature.
             ": " + certificate.verificationCode,
         })
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin:\n" << text;
}

}  // namespace
}  // namespace doxa
