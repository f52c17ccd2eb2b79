#pragma once

#include <array>
#include <string>
#include <string_view>

namespace doxa {

// Every section and key of the settings store the program reads or writes.

inline constexpr std::string_view PortSection = "COM";
inline constexpr std::string_view PortKey = "COM";
// The device of each port name ("COM1".."COM12"): a path or "sim:MODEL ...".
inline constexpr std::string_view PortMapSection = "Porty";
inline constexpr std::string_view AddressSection = "Polling_adres";
inline constexpr std::string_view AddressKey = "ADRES";
inline constexpr std::string_view ModeSection = "Transmisja";
inline constexpr std::string_view ModeKey = "RS485";
inline constexpr std::string_view BaudSection = "BAUD";
inline constexpr std::string_view BaudKey = "BAUD";
inline constexpr std::string_view DeltaSection = "DELTA";
inline constexpr std::string_view DeltaKey = "DELTA";

// The passwords: protection on ("1") or off, then service ("serwis"), calibration
// ("kalibracja") and programming ("programowanie").
inline constexpr std::string_view PasswordSection = "PASSWORD";
inline constexpr std::string_view ProtectionKey = "P0";
inline constexpr std::array<std::string_view, 3> PasswordKeys = {"P1", "P2", "P3"};

// The service history's database: a postgresql:// URL, or the path of an SQLite file.
inline constexpr std::string_view DatabaseSection = "Baza";
inline constexpr std::string_view DatabaseKey = "URL";

inline constexpr std::string_view RecentFileSection = "Recent File List";
inline constexpr std::size_t RecentFileCount = 4;
// "File1" .. "File4".
inline std::string recentFileKey(std::size_t index) { return "File" + std::to_string(index + 1); }

// The reference instrument printed on every calibration certificate, and the tolerances the
// certificate judges its test points against; an empty tolerance judges nothing.
inline constexpr std::string_view ReferenceSection = "Wzorzec";
inline constexpr std::string_view ReferenceNameKey = "Nazwa";
inline constexpr std::string_view ReferenceSerialKey = "NrSeryjny";
inline constexpr std::string_view ReferenceUncertaintyKey = "Niepewnosc";
inline constexpr std::string_view TemperatureToleranceKey = "TolerancjaTemperatury";
inline constexpr std::string_view InputToleranceKey = "TolerancjaWejscia";
inline constexpr std::string_view OutputToleranceKey = "TolerancjaWyjscia";

// The calibration procedure: the calibration interval, in months, offered for a transmitter (and
// taken for an event that names none).
inline constexpr std::string_view CalibrationSection = "Kalibracja";
inline constexpr std::string_view CalibrationIntervalKey = "InterwalMiesiecy";
// The technician's full name, as certificates print it.
inline constexpr std::string_view TechnicianKey = "Technik";

// The warning before the program forces the transmitter's output that the control loop must be
// taken out of automatic operation first: given (1, also when not set) or not (0).
inline constexpr std::string_view WarningSection = "Ostrzezenia";
inline constexpr std::string_view LoopWarningKey = "Petla";

// The language chosen in "Ustawienia" → "Język": "pl" or "en"; none leaves it to the locale.
inline constexpr std::string_view LanguageSection = "Jezyk";
inline constexpr std::string_view LanguageKey = "Jezyk";

// Where each window was and how large, as "x y width height" under the window's key ("x y width
// height zmaksymalizowane" when it was maximised), so that it opens there at the next start.
inline constexpr std::string_view WindowSection = "Okna";
inline constexpr std::string_view MainWindowKey = "Glowne";
// The main window of the master password starts larger, so it has a place of its own.
inline constexpr std::string_view LargeMainWindowKey = "GlowneDuze";
inline constexpr std::string_view TrendWindowKey = "Wykres";
// The heights of the main view and the traffic log pane below it, as "view pane".
inline constexpr std::string_view MainSplitKey = "GlownePodzial";
inline constexpr std::string_view LargeMainSplitKey = "GlowneDuzePodzial";

// The folder the technician last chose a file of each kind in.
inline constexpr std::string_view FolderSection = "Foldery";
inline constexpr std::string_view ConfigurationFolderKey = "Konfiguracje";
inline constexpr std::string_view ExportFolderKey = "Eksport";
inline constexpr std::string_view CertificateFolderKey = "Swiadectwa";

}  // namespace doxa
