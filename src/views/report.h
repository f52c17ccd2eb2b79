#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "link/screen_text.h"

namespace doxa {

struct DeviceRecord;

// The texts of the one-page configuration report; the drawing is the printer's business.
inline constexpr std::string_view ReportTitle = KEPT_TEXT("DOXA WIN v 7.0.32");

struct ReportHeader {
    std::string model;   // "Konfiguracja przetwornika typu : DOXA-22"
    std::string serial;  // "Numer seryjny : 1193046"
    std::string date;    // "Data : 06.12.2026"
    std::string page;    // " Strona: 1/1"
};
ReportHeader reportHeader(const DeviceRecord& device, const std::tm& today, int page = 1, int pages = 1);

// The configuration lines, line 1 first.
std::vector<std::string> reportLines(const DeviceRecord& device);

}  // namespace doxa
