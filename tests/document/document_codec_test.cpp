#include "document/document_codec.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace doxa::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

void appendLe(Bytes& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(std::uint8_t(value >> shift));
}

// The record of a new document: the defaults of a fresh configuration.
DeviceRecord newDocumentRecord() {
    DeviceRecord device;
    device.rangeMin = 100.0F;
    device.rangeMax = 300.0F;
    device.threshold = 120.0F;
    device.hysteresis = 10.0F;
    device.filterTime = 1;
    device.filterOrder = 1;
    return device;
}

// The documented file of a new document, written out byte by byte.
Bytes newDocumentFile() {
    Bytes bytes{0x00, 0x00, 0x00, 0x00, 0x00,  // empty name, sensor 0
                0x00, 0x00, 0xC8, 0x42,        // 100.0
                0x00, 0x00, 0x96, 0x43,        // 300.0
                0x00, 0x00, 0xF0, 0x42,        // 120.0
                0x00, 0x00, 0x20, 0x41};       // 10.0
    for (std::uint32_t value : {0, 1, 1, 0, 0, 0, 0}) appendLe(bytes, value);
    bytes.resize(bytes.size() + 63 * 4, 0);
    return bytes;
}

// A configuration in which every saved field differs from the new document's.
void fillEverySavedField(DeviceRecord& device, Characteristic& characteristic, int points) {
    device.modelName = "RIVO-21-U";
    device.sensorType = 14;
    device.rangeMin = -50.5F;
    device.rangeMax = 1250.25F;
    device.threshold = 333.0F;
    device.hysteresis = 2.5F;
    device.thresholdDirection = 1;
    device.filterTime = 10;
    device.filterOrder = 2;
    device.breakSignal = 1;
    device.thresholdActive = 1;
    device.serialNumber = 0xABCDEF;
    characteristic.characteristicCount = points;
    for (std::size_t word = 0; word < 64; ++word)
        characteristic.characteristicTable[word] = float(word) * 1.5F - 7.0F;
}

TEST(DocumentCodec, ANewDocumentIsTheDocumented301ByteFile) {
    const Bytes written = writeDocument(newDocumentRecord(), Characteristic{});
    EXPECT_EQ(written.size(), 301U);
    EXPECT_EQ(written, newDocumentFile());
}

TEST(DocumentCodec, TheModelNameIsCodePageTextBehindItsLength) {
    DeviceRecord device = newDocumentRecord();
    device.modelName = "DOXA-22";
    Bytes written = writeDocument(device, Characteristic{});
    ASSERT_EQ(written.size(), 301U + 7);
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 8),
              (Bytes{7, 'D', 'O', 'X', 'A', '-', '2', '2'}));

    device.modelName = "Łódź";
    written = writeDocument(device, Characteristic{});
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 5), (Bytes{4, 0xA3, 0xF3, 0x64, 0x9F}));
}

TEST(DocumentCodec, LongModelNamesTakeTheWiderLengthForms) {
    struct Case {
        std::size_t length;
        Bytes prefix;
    };
    const Case cases[] = {
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        DeviceRecord device = newDocumentRecord();
        device.modelName = std::string(c.length, 'x');
        const Bytes written = writeDocument(device, Characteristic{});
        EXPECT_EQ(written.size(), 300 + c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(Bytes(written.begin(), written.begin() + long(c.prefix.size())), c.prefix)
            << c.length;
        DeviceRecord read;
        Characteristic table;
        ASSERT_EQ(readDocument(written, read, table), DocumentStatus::Read) << c.length;
        EXPECT_EQ(read.modelName, device.modelName);
    }
}

TEST(DocumentCodec, EverySavedFieldComesBackAndTheOthersAreLeftAlone) {
    DeviceRecord saved;
    Characteristic savedTable;
    fillEverySavedField(saved, savedTable, 12);
    const Bytes file = writeDocument(saved, savedTable);
    EXPECT_EQ(file.size(), 301U + 9);

    DeviceRecord device = newDocumentRecord();
    device.pollingAddress = 7;
    device.outputType = 3;
    device.connection = 2;
    device.ambientTemp = 23.5F;
    device.unitCode = 36;
    device.isRivo = 1;
    device.deltaValue = 9;
    Characteristic table;
    table.characteristicTable[63] = 99.0F;
    ASSERT_EQ(readDocument(file, device, table), DocumentStatus::Read);

    EXPECT_EQ(device.modelName, "RIVO-21-U");
    EXPECT_EQ(device.sensorType, 14);
    EXPECT_EQ(device.rangeMin, -50.5F);
    EXPECT_EQ(device.rangeMax, 1250.25F);
    EXPECT_EQ(device.threshold, 333.0F);
    EXPECT_EQ(device.hysteresis, 2.5F);
    EXPECT_EQ(device.thresholdDirection, 1);
    EXPECT_EQ(device.filterTime, 10);
    EXPECT_EQ(device.filterOrder, 2);
    EXPECT_EQ(device.breakSignal, 1);
    EXPECT_EQ(device.thresholdActive, 1);
    EXPECT_EQ(device.serialNumber, 0xABCDEF);
    EXPECT_EQ(table.characteristicCount, 12);
    for (std::size_t word = 0; word < 63; ++word)
        EXPECT_EQ(table.characteristicTable[word], savedTable.characteristicTable[word]) << word;
    // Not part of a file of fewer than 32 points.
    EXPECT_EQ(table.characteristicTable[63], 99.0F);

    EXPECT_EQ(device.pollingAddress, 7);
    EXPECT_EQ(device.outputType, 3);
    EXPECT_EQ(device.connection, 2);
    EXPECT_EQ(device.ambientTemp, 23.5F);
    EXPECT_EQ(device.unitCode, 36);
    EXPECT_EQ(device.isRivo, 1);
    EXPECT_EQ(device.deltaValue, 9);
}

TEST(DocumentCodec, ThirtyTwoPointsKeepTheLastXAfterTheDocumentedWords) {
    DeviceRecord saved;
    Characteristic savedTable;
    fillEverySavedField(saved, savedTable, 32);
    savedTable.characteristicTable[63] = 1234.5F;
    const Bytes file = writeDocument(saved, savedTable);
    ASSERT_EQ(file.size(), 301U + 9 + 4);
    // The documented 63 words stay where they were; word 63 is appended.
    EXPECT_EQ(Bytes(file.end() - 4, file.end()),
              (Bytes{0x00, 0x50, 0x9A, 0x44}));  // 1234.5
    EXPECT_EQ(Bytes(file.end() - 8, file.end() - 4),
              (Bytes{0x00, 0x00, 0xAC, 0x42}));  // word 62: 62 * 1.5 - 7 = 86.0

    DeviceRecord device;
    Characteristic table;
    ASSERT_EQ(readDocument(file, device, table), DocumentStatus::Read);
    EXPECT_EQ(table.characteristicCount, 32);
    EXPECT_EQ(table.characteristicTable[63], 1234.5F);

    // A file of 32 points from before the last x was kept: word 63 stays as it was.
    table.characteristicTable[63] = -1.0F;
    ASSERT_EQ(readDocument(Bytes(file.begin(), file.end() - 4), device, table),
              DocumentStatus::Read);
    EXPECT_EQ(table.characteristicTable[63], -1.0F);
    EXPECT_EQ(table.characteristicTable[62], 86.0F);
}

// Word 63 is appended for a full table only: one point fewer keeps the documented size.
TEST(DocumentCodec, OnlyAFullTableAddsTheLastWord) {
    const std::pair<int, std::size_t> cases[] = {{0, 301}, {1, 301}, {31, 301}, {32, 305}};
    for (const auto& [points, size] : cases) {
        Characteristic table;
        table.characteristicCount = points;
        EXPECT_EQ(writeDocument(newDocumentRecord(), table).size(), size) << points;
    }
}

TEST(DocumentCodec, SixteenBitCharactersAreReadAsCodePageText) {
    Bytes file{0xFF, 0xFE, 0xFF, 5};
    for (char16_t c : std::u16string(u"Żółw")) {
        file.push_back(std::uint8_t(c));
        file.push_back(std::uint8_t(c >> 8));
    }
    file.push_back(0x3A);  // a character the code page lacks
    file.push_back(0x04);
    const Bytes rest = newDocumentFile();
    file.insert(file.end(), rest.begin() + 1, rest.end());

    DeviceRecord device;
    Characteristic table;
    ASSERT_EQ(readDocument(file, device, table), DocumentStatus::Read);
    EXPECT_EQ(device.modelName, "Żółw?");
    EXPECT_EQ(device.rangeMax, 300.0F);

    // The same with the 16-bit length form after the mark.
    Bytes longForm{0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x00, 'A', 0x00};
    longForm.insert(longForm.end(), rest.begin() + 1, rest.end());
    ASSERT_EQ(readDocument(longForm, device, table), DocumentStatus::Read);
    EXPECT_EQ(device.modelName, "A");
}

TEST(DocumentCodec, ATruncatedFileChangesNothing) {
    DeviceRecord saved;
    Characteristic savedTable;
    fillEverySavedField(saved, savedTable, 32);
    const Bytes file = writeDocument(saved, savedTable);

    for (std::size_t length : {std::size_t(0), std::size_t(1), std::size_t(9), std::size_t(10),
                               std::size_t(40), std::size_t(100), std::size_t(200),
                               file.size() - 5}) {
        DeviceRecord device = newDocumentRecord();
        Characteristic table;
        table.characteristicTable[5] = 42.0F;
        const DocumentStatus status =
            readDocument(Bytes(file.begin(), file.begin() + long(length)), device, table);
        EXPECT_NE(status, DocumentStatus::Read) << length;
        EXPECT_EQ(device.modelName, "") << length;
        EXPECT_EQ(device.sensorType, 0) << length;
        EXPECT_EQ(device.rangeMin, 100.0F) << length;
        EXPECT_EQ(table.characteristicCount, 0) << length;
        EXPECT_EQ(table.characteristicTable[5], 42.0F) << length;
    }
    DeviceRecord device;
    Characteristic table;
    EXPECT_EQ(readDocument(Bytes(file.begin(), file.begin() + 100), device, table),
              DocumentStatus::PastEnd);
}

TEST(DocumentCodec, ALengthBeyondTheFileEndsTheReadWithoutTakingAnything) {
    DeviceRecord device = newDocumentRecord();
    Characteristic table;
    // A 32-bit length of four billion characters, and its 16-bit character twin.
    for (const Bytes& file : {Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'},
                              Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}}) {
        Bytes padded = file;
        padded.resize(400, 0);
        EXPECT_EQ(readDocument(padded, device, table), DocumentStatus::PastEnd);
        EXPECT_EQ(device.rangeMin, 100.0F);
    }
}

TEST(DocumentCodec, BytesAfterTheTableOrAnImpossiblePointCountAreRefused) {
    Bytes file = newDocumentFile();
    file.push_back(0);
    DeviceRecord device = newDocumentRecord();
    device.sensorType = 3;
    Characteristic table;
    EXPECT_EQ(readDocument(file, device, table), DocumentStatus::UnexpectedFormat);
    EXPECT_EQ(device.sensorType, 3);

    file = newDocumentFile();
    file[45] = 33;  // characteristicCount
    EXPECT_EQ(readDocument(file, device, table), DocumentStatus::RefusedValue);
    file[45] = 0xFF;
    file[46] = 0xFF;
    file[47] = 0xFF;
    file[48] = 0xFF;  // -1
    EXPECT_EQ(readDocument(file, device, table), DocumentStatus::RefusedValue);
    EXPECT_EQ(table.characteristicCount, 0);
}

TEST(DocumentCodec, RandomBytesAreRefusedWithoutHarm) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 500; ++round) {
        Bytes file(std::size_t(random() % 700));
        for (auto& byte : file) byte = std::uint8_t(random());
        DeviceRecord device = newDocumentRecord();
        Characteristic table;
        const DocumentStatus status = readDocument(file, device, table);
        if (status != DocumentStatus::Read) {
            EXPECT_EQ(device.rangeMin, 100.0F);
            EXPECT_EQ(table.characteristicCount, 0);
        }
    }
}

}  // namespace
}  // namespace doxa::test
