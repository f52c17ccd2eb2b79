#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "history/instrument_editing.h"

namespace doxa {

// "Przyrządy wzorcowe...": the laboratory's reference instruments (name, model, serial number,
// the number of their own certificate, the date it expires, their uncertainties) and, for the
// chosen one, every change made to it (who, when, the old and the new value). "Zapisz zmiany"
// stores the fields into the chosen instrument, "Dodaj nowy" makes a new one of them,
// "Wycofaj" takes the chosen one off the list. A due date that is no day of the calendar, or an
// uncertainty line that cannot be read, is refused before anything is stored. The status line
// tells when the list is the local copy of a server out of reach.
class CReferenceInstrumentsDlg : public DialogLogic {
public:
    static constexpr int Resource = 145;
    enum : int {
        Close = 2,
        Instruments = 101,
        Name = 111,
        Model = 112,
        Serial = 113,
        Certificate = 114,
        Due = 115,
        Uncertainties = 116,
        Save = 121,
        Add = 122,
        Retire = 123,
        Changes = 131,
        StatusText = 141,
    };

    explicit CReferenceInstrumentsDlg(EditableInstrumentRegister& instruments) : register_(instruments) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onChange(int id) override;

private:
    void reload(const std::string& chosenId);
    void showChosen();
    void showStatus();
    // The fields as typed, or nullopt after telling the technician what is wrong.
    std::optional<ReferenceInstrument> typedInstrument();
    void save();
    void add();
    void retire();
    void refused();
    const ReferenceInstrument* chosen() const;

    EditableInstrumentRegister& register_;
    std::vector<ReferenceInstrument> instruments_;
};

// One line of the audit trail as the dialog lists it.
std::string changeText(const InstrumentChange& change, const std::string& localTime);

}  // namespace doxa
