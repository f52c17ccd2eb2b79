#include "history/reference_instruments_dlg.h"

#include <algorithm>

#include "link/screen_text.h"
#include "history/uncertainty_text.h"

namespace doxa {

namespace {

constexpr std::string_view NoNameText = UI_TEXT("Podaj nazwę przyrządu.");
constexpr std::string_view BadDueText =
    UI_TEXT("Termin ważności wzorcowania musi być datą w postaci RRRR-MM-DD, np. 2027-03-31.");
constexpr std::string_view BadUncertaintyText =
    UI_TEXT("Nie można odczytać niepewności „%1”. Wpisz ją w postaci 0,05 Ohm (k=2), z zakresem: 0,02 mA (k=2) "
            "od 4 do 20 (jednostki: Ohm, mV, mA, V, °C).");
constexpr std::string_view RetireQuestion =
    UI_TEXT("Wycofać z rejestru przyrząd „%1”? Jego dane zostają przy kalibracjach nim wykonanych.");
constexpr std::string_view LocalCopyText = UI_TEXT("Kopia lokalna, tylko do odczytu. %1");

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> found;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (std::string line = trimmed(text.substr(start, end - start)); !line.empty()) found.push_back(std::move(line));
        start = end + 1;
    }
    return found;
}

std::string listEntry(const ReferenceInstrument& i) {
    const std::string due = i.due.empty() ? "?" : i.due;
    if (i.serial.empty()) return formatText(UI_TEXT("%1   ważny do %2"), {i.name, due});
    return formatText(UI_TEXT("%1   nr %2   ważny do %3"), {i.name, i.serial, due});
}

std::string uncertaintyLines(const ReferenceInstrument& i) {
    std::string text;
    for (const InstrumentUncertainty& u : i.uncertainties) text += (text.empty() ? "" : "\n") + uncertaintyText(u);
    return text;
}

// The line of a field's change: when, who, the field and its value; the field's name is part of
// the pattern, by which the line is found again in another language.
std::string fieldChangeText(const std::string& field, const std::string& localTime, const std::string& user,
                            const std::string& value) {
    using namespace instrument_field;
    const std::pair<const char*, const char*> patterns[] = {
        {Name, UI_TEXT("%1   %2   nazwa: %3")},
        {Model, UI_TEXT("%1   %2   model: %3")},
        {Serial, UI_TEXT("%1   %2   nr seryjny: %3")},
        {Certificate, UI_TEXT("%1   %2   nr świadectwa: %3")},
        {Due, UI_TEXT("%1   %2   ważny do: %3")},
        {Uncertainties, UI_TEXT("%1   %2   niepewność: %3")},
    };
    const auto known = std::ranges::find_if(patterns, [&field](const auto& p) { return field == p.first; });
    if (known == std::end(patterns)) return localTime + "   " + user + "   " + field + ": " + value;
    return formatText(known->second, {localTime, user, value});
}

}  // namespace

std::string changeText(const InstrumentChange& c, const std::string& localTime) {
    if (c.field == instrument_field::Retired)
        return formatText(UI_TEXT("%1   %2   wycofany z rejestru"), {localTime, c.user});
    if (c.field == instrument_field::Source)
        return formatText(UI_TEXT("%1   %2   przejęty z ustawień %3"), {localTime, c.user, c.newValue});
    return fieldChangeText(c.field, localTime, c.user, c.oldValue.empty() ? c.newValue : c.oldValue + " → " + c.newValue);
}

void CReferenceInstrumentsDlg::onInit() { reload(""); }

void CReferenceInstrumentsDlg::onCommand(int id) {
    switch (id) {
        case Save:
            save();
            break;
        case Add:
            add();
            break;
        case Retire:
            retire();
            break;
        default:
            DialogLogic::onCommand(id);
    }
}

void CReferenceInstrumentsDlg::onChange(int id) {
    if (id == Instruments) showChosen();
}

// The chosen instrument stays chosen when it is still listed, else the first one is.
void CReferenceInstrumentsDlg::reload(const std::string& chosenId) {
    instruments_ = register_.instruments();
    std::vector<std::string> items;
    for (const ReferenceInstrument& i : instruments_) items.push_back(listEntry(i));
    DialogWindow& w = window();
    w.setItems(Instruments, items);
    const auto kept = std::ranges::find(instruments_, chosenId, &ReferenceInstrument::id);
    w.setSelection(Instruments, instruments_.empty() ? -1 : kept == instruments_.end() ? 0 : int(kept - instruments_.begin()));
    showChosen();
}

const ReferenceInstrument* CReferenceInstrumentsDlg::chosen() const {
    const int index = window().selection(Instruments);
    return index >= 0 && index < int(instruments_.size()) ? &instruments_[std::size_t(index)] : nullptr;
}

void CReferenceInstrumentsDlg::showChosen() {
    DialogWindow& w = window();
    const ReferenceInstrument* i = chosen();
    const ReferenceInstrument none;
    const ReferenceInstrument& shown = i ? *i : none;
    w.setText(Name, shown.name);
    w.setText(Model, shown.model);
    w.setText(Serial, shown.serial);
    w.setText(Certificate, shown.certificate);
    w.setText(Due, shown.due);
    w.setText(Uncertainties, uncertaintyLines(shown));
    w.setEnabled(Save, i != nullptr);
    w.setEnabled(Retire, i != nullptr);
    std::vector<std::string> trail;
    if (i)
        for (const InstrumentChange& c : register_.changes(i->id)) trail.push_back(changeText(c, register_.localTime(c.time)));
    w.setItems(Changes, trail);
    showStatus();
}

void CReferenceInstrumentsDlg::showStatus() {
    std::string status = register_.problem();
    if (status.empty())
        status = register_.fromLocalCopy() ? formatText(LocalCopyText, {register_.lastProblem()}) : register_.lastProblem();
    window().setText(StatusText, status);
}

std::optional<ReferenceInstrument> CReferenceInstrumentsDlg::typedInstrument() {
    DialogWindow& w = window();
    ReferenceInstrument typed;
    typed.name = trimmed(w.text(Name));
    typed.model = trimmed(w.text(Model));
    typed.serial = trimmed(w.text(Serial));
    typed.certificate = trimmed(w.text(Certificate));
    typed.due = trimmed(w.text(Due));
    if (typed.name.empty()) return w.messageBox(NoNameText, BoxIcon::Error), std::nullopt;
    if (!isDueDate(typed.due)) return w.messageBox(BadDueText, BoxIcon::Error), std::nullopt;
    for (const std::string& line : lines(w.text(Uncertainties))) {
        const auto u = parseUncertainty(line);
        if (!u) {
            w.messageBox(formatText(BadUncertaintyText, {line}), BoxIcon::Error);
            return std::nullopt;
        }
        typed.uncertainties.push_back(*u);
    }
    return typed;
}

void CReferenceInstrumentsDlg::save() {
    const ReferenceInstrument* i = chosen();
    if (!i) return;
    const std::string id = i->id;
    std::optional<ReferenceInstrument> typed = typedInstrument();
    if (!typed) return;
    typed->id = id;
    if (register_.change(*typed)) return reload(id);
    refused();
}

void CReferenceInstrumentsDlg::add() {
    const std::optional<ReferenceInstrument> typed = typedInstrument();
    if (!typed) return;
    if (const std::optional<std::string> id = register_.add(*typed)) return reload(*id);
    refused();
}

void CReferenceInstrumentsDlg::retire() {
    const ReferenceInstrument* i = chosen();
    if (!i) return;
    const std::string question = formatText(RetireQuestion, {i->name});
    if (window().messageBox(question, BoxIcon::None, BoxButtons::OkCancel) != Answer::Ok) return;
    if (register_.retire(i->id)) return reload("");
    refused();
}

// What was typed stays in the fields, to be stored once the register can be reached.
void CReferenceInstrumentsDlg::refused() {
    window().messageBox(register_.lastProblem(), BoxIcon::Error);
    showStatus();
}

}  // namespace doxa
