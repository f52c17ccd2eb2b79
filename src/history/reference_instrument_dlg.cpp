#include "history/reference_instrument_dlg.h"

#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "history/certificate.h"

namespace doxa {

namespace {

constexpr std::string_view BadToleranceText = UI_TEXT("Tolerancja musi być liczbą albo pozostać pusta.");
constexpr std::string_view NotSavedText = UI_TEXT("Nie można zapisać ustawień programu");

std::string trimmed(std::string text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool acceptable(const std::string& tolerance) {
    return tolerance.empty() || parseDecimalNumber(tolerance).has_value();
}

}  // namespace

void CReferenceInstrumentDlg::onInit() {
    const CertificateSettings values = readCertificateSettings(settings_);
    DialogWindow& w = window();
    w.setText(TemperatureTolerance, values.temperatureTolerance);
    w.setText(InputTolerance, values.inputTolerance);
    w.setText(OutputTolerance, values.outputTolerance);
}

void CReferenceInstrumentDlg::onCommand(int id) {
    if (id == Ok && !save()) return;
    DialogLogic::onCommand(id);
}

bool CReferenceInstrumentDlg::save() {
    DialogWindow& w = window();
    // The instrument the settings named before the register stays as it was, for the register
    // to take over.
    CertificateSettings values = readCertificateSettings(settings_);
    values.temperatureTolerance = trimmed(w.text(TemperatureTolerance));
    values.inputTolerance = trimmed(w.text(InputTolerance));
    values.outputTolerance = trimmed(w.text(OutputTolerance));
    if (!acceptable(values.temperatureTolerance) || !acceptable(values.inputTolerance) ||
        !acceptable(values.outputTolerance)) {
        w.messageBox(BadToleranceText, BoxIcon::Error);
        return false;
    }
    if (!writeCertificateSettings(settings_, values)) w.messageBox(NotSavedText, BoxIcon::Error);
    return true;
}

}  // namespace doxa
