#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "transmitter/device_record.h"

namespace doxa {

// The "*.prg" configuration file: the saved fields of the device record and the user
// characteristic, little-endian, without header or version. The model name is a length-prefixed
// code page 1250 text; the table keeps its 63 point words, followed by word 63 (the x of the
// 32nd point) only when the table holds 32 points, so that files of fewer points stay readable
// by every reader.
std::vector<std::uint8_t> writeDocument(const DeviceRecord& device,
                                        const Characteristic& characteristic);

enum class DocumentStatus { Read, UnexpectedFormat, PastEnd, RefusedValue };

// Reads a whole file. Only a file read completely, whose values a transmitter can hold, reaches
// `device` and `characteristic`; any other outcome leaves both untouched. The fields a file does
// not hold keep their values. For RefusedValue, `refusal` (when given) gets the text naming the
// value.
DocumentStatus readDocument(std::span<const std::uint8_t> bytes, DeviceRecord& device,
                            Characteristic& characteristic, std::string* refusal = nullptr);

}  // namespace doxa
