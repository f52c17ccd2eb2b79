#include "link/hart.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/status_panel.h"

namespace doxa {
namespace {

TEST(HartRequest, CommandZeroToAddressFive) {
    std::array<std::uint8_t, 100> frame{};
    const int length = buildHartRequest(frame, 5, 0);
    ASSERT_EQ(length, 15);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(frame[i], 0xFF) << i;
    EXPECT_EQ(frame[10], 0x02);
    EXPECT_EQ(frame[11], 0x85);
    EXPECT_EQ(frame[12], 0x00);
    EXPECT_EQ(frame[13], 0x00);
    EXPECT_EQ(frame[14], 0x87);
}

TEST(HartRequest, DataFollowsTheCountAndIsCoveredByTheChecksum) {
    std::array<std::uint8_t, 100> frame{};
    const std::uint8_t data[] = {0x11, 0x22, 0x33};
    const int length = buildHartRequest(frame, 0, 147, data);
    ASSERT_EQ(length, 18);
    EXPECT_EQ(frame[13], 3);
    EXPECT_EQ(frame[16], 0x33);
    EXPECT_EQ(frame[17], 0x02 ^ 0x80 ^ 147 ^ 3 ^ 0x11 ^ 0x22 ^ 0x33);
    EXPECT_EQ(hartChecksum(frame, 17), frame[17]);
}

TEST(HartChecksum, SkipsOnlyLeadingPreambles) {
    const std::uint8_t answer[] = {0xFF, 0xFF, 0x06, 0xFF, 0x01};
    EXPECT_EQ(hartChecksum(answer, 5), 0x06 ^ 0xFF ^ 0x01);
    EXPECT_EQ(hartChecksum(answer, 200), 0x06 ^ 0xFF ^ 0x01);  // a length past the end is cut
}

class StatusDecoding : public ::testing::Test {
protected:
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (int f = StatusPanel::FirstField; f <= StatusPanel::LastField; ++f) all.push_back(panel.text(f));
        return all;
    }
    void fillAll() {
        for (int f = StatusPanel::FirstField; f <= StatusPanel::LastField; ++f) panel.setText(f, "x");
    }
    StatusPanel panel;
};

TEST_F(StatusDecoding, CommunicationErrorTouchesOnlyItsOwnBits) {
    fillAll();
    decodeStatus(panel, 0x90, 0x00);
    EXPECT_EQ(texts(), (std::vector<std::string>{"x", "x", "Ramka", "x", "x", "x", "x", "x", "x", "x"}));
    decodeStatus(panel, 0xC8, 0x00);
    EXPECT_EQ(panel.text(149), "Parzystość");
    EXPECT_EQ(panel.text(152), "Suma kontrolna");
}

TEST_F(StatusDecoding, ResponseCodeRewritesEveryField) {
    fillAll();
    decodeStatus(panel, 0x00, 0x0C);
    EXPECT_EQ(texts(), (std::vector<std::string>{"", "", "", "", "", "", "", "Prąd ustawiony", "Przerwa", ""}));
    decodeStatus(panel, 0x40, 0xFD);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Kom nie implem", "", "", "", "Błąd działania", "Konfig. zm.",
                                                 "Wł. zasilanie", "Prąd ustawiony", "Przerwa", "PV poza zakres"}));
}

TEST_F(StatusDecoding, LostBytesChangeNothingAndChangesAreAnnounced) {
    fillAll();
    int changes = 0;
    panel.onChange = [&] { ++changes; };
    decodeStatus(panel, 0xFF, 0x00);
    decodeStatus(panel, 0x00, 0xFF);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(panel.text(149), "x");
    decodeStatus(panel, 0x00, 0x00);
    EXPECT_GT(changes, 0);
    EXPECT_EQ(panel.text(200), "");  // a field the panel does not have
}

}  // namespace
}  // namespace doxa
