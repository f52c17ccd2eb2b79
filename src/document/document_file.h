#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/screen_text.h"
#include "transmitter/device_record.h"

namespace doxa {

// Texts of the file errors, as the technician sees them.
inline constexpr auto OpenFailedText = KEPT_TEXT("Failed to open document.");
inline constexpr auto SaveFailedText = KEPT_TEXT("Failed to save document.");
inline constexpr auto UnexpectedFormatText = KEPT_TEXT("Unexpected file format.");

// A name that leads to a folder, a pipe, a device and the like is refused before it is read:
// reading a pipe or a terminal would wait for ever.
std::string notAFileText(const std::string& path);

// The bytes of a configuration file, or the error text to show instead (empty when read).
// Every way of opening a file reads it through here.
std::string readDocumentBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

// Loads a "*.prg" file into the device record and the characteristic. Returns the error text
// to show (empty when the file was loaded); nothing changes unless the whole file was read and
// every value in it is one a transmitter can hold.
std::string loadDocumentFile(const std::string& path, DeviceRecord& device,
                             Characteristic& characteristic);

// Writes `bytes` into `path` as every file of the program is written: beside the old one first,
// taking its place (and its mode) only when complete on disk, so a failed write leaves the old
// file as it was. A symbolic link stays one: the file it leads to is the one written. False when
// the file could not be written.
bool replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Saves the configuration to `path` through replaceFile().
bool saveDocumentFile(const std::string& path, const DeviceRecord& device,
                      const Characteristic& characteristic);

}  // namespace doxa
