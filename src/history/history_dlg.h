#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/dialog.h"
#include "history/history_query.h"

namespace doxa {

// "Historia przetwornika...": the transmitters the service history knows (model, serial number,
// when last seen) and, for the chosen one, what was done to it, newest first. The filters narrow
// both lists; "Eksport CSV..." writes the listed records into a file the technician names
// ("historia-SERIAL.csv" offered), beside it first and renamed into place.
// "Świadectwo kalibracji..." hands the calibration session of the chosen calibration record on.
class CHistoryDlg : public DialogLogic {
public:
    static constexpr int Resource = 143;
    enum : int {
        Close = 2,
        Transmitters = 101,
        Records = 102,
        Export = 103,
        Certificate = 104,
        SerialFilter = 111,
        ModelFilter = 112,
        SinceFilter = 113,
        Apply = 121,
        StatusText = 131,
    };
    // Asks for the CSV file to export into, suggesting a name; empty when the technician
    // cancelled.
    using AskSavePath = std::function<std::string(std::string_view suggested)>;
    // Shows the certificate of a calibration session, oldest record first.
    using ShowCertificate = std::function<void(const std::vector<StoredRecord>& session)>;

    CHistoryDlg(HistoryQuery& history, AskSavePath askSavePath, ShowCertificate showCertificate = {})
        : history_(history), askSavePath_(std::move(askSavePath)), showCertificate_(std::move(showCertificate)) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onChange(int id) override;

private:
    struct Transmitter {
        std::string model;
        std::string serial;
        std::string lastSeen;
    };
    void applyFilter();
    void showTransmitters();
    void showRecords();
    void exportCsv();
    void certify();
    std::vector<StoredRecord> listedRecords() const;
    // The listed record the technician chose, when it is a calibration record.
    std::optional<StoredRecord> chosenCalibration() const;

    HistoryQuery& history_;
    AskSavePath askSavePath_;
    ShowCertificate showCertificate_;
    std::vector<StoredRecord> records_;
    std::vector<Transmitter> transmitters_;
};

}  // namespace doxa
