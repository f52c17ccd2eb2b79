#include "transmitter/model_recognition.h"

#include <gtest/gtest.h>

namespace doxa {
namespace {

struct Expected {
    const char* model;
    int isModel22, isSawe, isRtdOnly, isRivo;
};

void expectRecord(const DeviceRecord& d, const Expected& e, const std::string& label) {
    EXPECT_EQ(d.modelName, e.model) << label;
    EXPECT_EQ(d.isModel22, e.isModel22) << label;
    EXPECT_EQ(d.isSawe, e.isSawe) << label;
    EXPECT_EQ(d.isRtdOnly, e.isRtdOnly) << label;
    EXPECT_EQ(d.isRivo, e.isRivo) << label;
}

TEST(ModelRecognition, EveryRowOfTheModelTable) {
    struct Row {
        ModelBytes bytes;
        Expected expected;
    };
    const Row rows[] = {
        {{5, 145, 0x00}, {"RIVO-22", 1, 0, 0, 1}},
        {{5, 0x10, 0x91}, {"DOXA-22", 1, 0, 0, 0}},  // only the byte after T tells a RIVO-22
        {{10, 0, 0x91}, {"SAWE-01", 0, 1, 0, 0}},
        {{11, 0, 0x00}, {"SAWE-01", 0, 1, 1, 0}},
        {{6, 0, 0x91}, {"RIVO-21-U", 0, 0, 0, 1}},
        {{6, 0, 0x81}, {"DOXA-21-U", 0, 0, 0, 0}},
        {{0, 0, 0x11}, {"RIVO-21-R", 0, 0, 0, 1}},
        {{255, 0, 0x01}, {"DOXA-21-R", 0, 0, 0, 0}},
    };
    for (const Row& row : rows) {
        DeviceRecord d;
        d.isRtdOnly = 1;  // whatever an earlier transmitter left is cleared
        recognizeModel(d, row.bytes);
        expectRecord(d, row.expected, std::to_string(row.bytes.type) + "/" + std::to_string(row.bytes.variant));
    }
}

TEST(ModelRecognition, SaweKeepsTheFamilyChosenBefore) {
    DeviceRecord d;
    d.isRivo = 1;
    recognizeModel(d, {10, 0, 0x11});
    EXPECT_EQ(d.isRivo, 1);
}

TEST(ModelRecognition, AmbientFollowsBitThreeOfTheVariant) {
    DeviceRecord d;
    recognizeModel(d, {5, 0, 0x08});
    EXPECT_EQ(d.hasAmbient, 0);
    recognizeModel(d, {6, 0, 0xF7});
    EXPECT_EQ(d.hasAmbient, 1);
}

TEST(DisplayModelRecognition, TwentyTwoAndUSeriesShowTheAmbientTemperature) {
    DeviceRecord d;
    EXPECT_FALSE(recognizeDisplayModel(d, {5, 145, 0x00}).hideAmbient);
    expectRecord(d, {"RIVO-22", 1, 0, 0, 1}, "RIVO-22");
    EXPECT_FALSE(recognizeDisplayModel(d, {5, 0, 0x11}).hideAmbient);
    expectRecord(d, {"DOXA-22", 1, 0, 0, 0}, "DOXA-22");
    EXPECT_FALSE(recognizeDisplayModel(d, {6, 0, 0x91}).hideAmbient);
    expectRecord(d, {"RIVO-21-U", 0, 0, 0, 1}, "RIVO-21-U");
    EXPECT_FALSE(recognizeDisplayModel(d, {6, 0, 0x80}).hideAmbient);
    expectRecord(d, {"DOXA-21-U", 0, 0, 0, 0}, "DOXA-21-U");
}

TEST(DisplayModelRecognition, RSeriesAndSaweHideTheAmbientTemperature) {
    DeviceRecord d;
    EXPECT_TRUE(recognizeDisplayModel(d, {6, 0, 0x11}).hideAmbient);
    expectRecord(d, {"RIVO-21-R", 0, 0, 0, 1}, "RIVO-21-R");
    EXPECT_TRUE(recognizeDisplayModel(d, {6, 0, 0x01}).hideAmbient);
    expectRecord(d, {"DOXA-21-R", 0, 0, 0, 0}, "DOXA-21-R");

    d.isRivo = 1;
    EXPECT_TRUE(recognizeDisplayModel(d, {11, 0, 0x91}).hideAmbient);
    expectRecord(d, {"SAWE-01", 0, 1, 1, 0}, "SAWE-01 with the U bit");
    EXPECT_TRUE(recognizeDisplayModel(d, {10, 0, 0x11}).hideAmbient);
    expectRecord(d, {"RIVO-21-R", 0, 1, 0, 1}, "SAWE-01 reading 17");
}

}  // namespace
}  // namespace doxa
