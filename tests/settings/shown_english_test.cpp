#include "settings/shown_language.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "link/open_failure.h"

namespace doxa {
namespace {

// Texts composed at run time reach the screen in English: the pattern each was made from is
// found again, and the parts it holds are translated in turn.
class ShownEnglish : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(startLanguage(Language::English)); }
    void TearDown() override { startLanguage(Language::Polish); }
};

TEST_F(ShownEnglish, APortThatDidNotOpenSaysWhichAndWhy) {
    const struct {
        std::string polish;
        std::string english;
    } cases[] = {
        {openFailureText("COM3", "/dev/ttyUSB0", {EACCES, "", false}),
         "Port COM3 (/dev/ttyUSB0) could not be opened: no permission to use the device. Add the "
         "user to the dialout group with the command\nsudo usermod -aG dialout $USER\nand log in "
         "again."},
        {openFailureText("COM1", "/dev/ttyS0", {EBUSY, "minicom, PID 1234", false}),
         "Port COM1 (/dev/ttyS0) could not be opened: the port is in use by another program "
         "(minicom, PID 1234). Close it and try again."},
        {openFailureText("COM2", "", {ENOENT, "", false}),
         "Port COM2 could not be opened: the device does not exist. Check that the adapter is "
         "plugged in."},
        {openFailureText("COM4", "/dev/ttyUSB1", {EIO, "", false}),
         "Port COM4 (/dev/ttyUSB1) could not be opened: system error " + std::to_string(EIO) +
             " (" + std::strerror(EIO) + ")."},
        {openFailureText("COM5", "sim:DOXA-22", {}), "Port COM5 (sim:DOXA-22) could not be opened."},
        {noDeviceText("COM6"), "Port COM6 has no device assigned. Choose one: Settings → Port."},
        {noDeviceText(""), "No port is chosen. Choose one: Settings → Port."},
    };
    for (const auto& c : cases) EXPECT_EQ(shownText(c.polish), c.english) << c.polish;
}

TEST_F(ShownEnglish, TheServiceTextsKeepTheirValuesAndEveryPartOfAList) {
    const struct {
        const char* polish;
        const char* english;
    } cases[] = {
        {"Szukanie: 9600 bit/s, parzystość ODD, adres 1 (134 z 330)",
         "Searching: 9600 bit/s, ODD parity, address 1 (134 of 330)"},
        {"adres 5: DOXA-22, nr 4242, 9600 bit/s, bez parzystości",
         "address 5: DOXA-22, no. 4242, 9600 bit/s, no parity"},
        {"Zatrzymano po sprawdzeniu 133 z 330. Znaleziono: 1. Uszkodzone odpowiedzi: 5 (adres 0; "
         "adres 3; adres 4; adres 7; ...).",
         "Stopped after checking 133 of 330. Found: 1. Damaged answers: 5 (address 0; address 3; "
         "address 4; address 7; ...)."},
        {"Nic nie odpowiedziało poprawnie, ale przyszły uszkodzone odpowiedzi: 3 (1200 bit/s, "
         "parzystość ODD; 1200 bit/s, bez parzystości; 4800 bit/s, parzystość ODD). To znak innej "
         "prędkości lub parzystości albo drugiego mastera na linii.",
         "Nothing answered correctly, but damaged answers came: 3 (1200 bit/s, ODD parity; 1200 "
         "bit/s, no parity; 4800 bit/s, ODD parity). This points to another speed or parity, or a "
         "second master on the line."},
        {"Znaleziono przetwornik na COM2: adres 5: DOXA-22, nr 4242.\nPrzejąć jego adres i "
         "ustawienia łącza do ustawień programu?",
         "Transmitter found on COM2: address 5: DOXA-22, no. 4242.\nTake its address and line "
         "settings into the program's settings?"},
        {"Ilość RX:  256", "RX count:  256"},
        // The marks of a damaged register answer, each found around the one before it.
        {"0x83,0x40, [błędne CRC odpowiedzi] [odpowiedź wyjątku: kod 0x02]",
         "0x83,0x40, [wrong CRC in the answer] [exception answer: code 0x02]"},
        {"Nadawanie nie zakończone: w kolejce zostało 8 B Error CE_TXFULL 0x01,0x02, [odpowiedź "
         "niepełna]",
         "Sending not finished: 8 B left in the queue Error CE_TXFULL 0x01,0x02, [incomplete "
         "answer]"},
    };
    for (const auto& c : cases) EXPECT_EQ(shownText(c.polish), c.english) << c.polish;
}

TEST_F(ShownEnglish, TheDocumentedTextsThatAreNotPolishStayAsTheyAre) {
    for (const char* kept : {"Error OpenComm ", "Error CE_FRAME",
                             "Please enter an integer between 0 and 511."})
        EXPECT_EQ(shownText(kept), kept);
}

}  // namespace
}  // namespace doxa
