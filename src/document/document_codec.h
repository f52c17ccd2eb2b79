#pragma once

#include <cstdint>
#include <span>
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

enum class DocumentStatus { Read, UnexpectedFormat, PastEnd };

// Reads a whole file. Only a file read completely reaches `device` and `characteristic`; any
// other outcome leaves both untouched. The fields a file does not hold keep their values.
DocumentStatus readDocument(std::span<const std::uint8_t> bytes, DeviceRecord& device,
                            Characteristic& characteristic);

}  // namespace doxa
