#include "service/finder_dlg.h"

#include <algorithm>
#include <string>

#include "link/screen_text.h"
#include "link/hart.h"
#include "link/modbus.h"
#include "link/port.h"
#include "transmitter/code_tables.h"
#include "transmitter/model_recognition.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr int HartLastAddress = 15;
constexpr int Rs485LastAddress = 32;
constexpr int PortCount = 12;
constexpr int BaudCount = 5;
// The parities the RS485 settings offer: odd (0) and none (1).
constexpr int ParityChoices[] = {0, 1};
constexpr int StartWait = 100;
// The line rests between two questions, so that nothing of one is taken for the answer to the
// next (the queue is purged before each as well).
constexpr int StepWait = 50;
constexpr int PlacesNamed = 4;

constexpr std::uint8_t SlaveDelimiter = 0x06;
constexpr int IdentityRegisters = 6;
constexpr std::uint8_t HartIdentityCount = 14;  // status bytes and twelve data bytes

constexpr std::string_view NoPortChosen = UI_TEXT("Wybierz port szeregowy");
constexpr std::string_view BadRange =
    UI_TEXT("Adresy od 0 do 127, pierwszy nie większy niż ostatni");

std::string lineText(int baudIndex, int parityOff) {
    return formatText(
        parityOff ? UI_TEXT("%1 bit/s, bez parzystości") : UI_TEXT("%1 bit/s, parzystość ODD"),
        {std::to_string(baudRate(baudIndex))});
}

std::string addressText(int address) {
    return formatText(UI_TEXT("adres %1"), {std::to_string(address)});
}

// Unlike the dialogs, which take an answer of the right length on trust, the finder takes only a
// whole identity from the address it asked: a damaged frame would name a transmitter that is
// not there, and telling damaged frames apart is what it is for.
bool isWholeIdentity(const Station& station, int length, int address) {
    const auto& f = station.frame;
    if (station.link.transmissionMode == ModeRs485)
        return length == Rs485IdentityLength && f[0] == address && f[1] == modbus::ReadHolding &&
               f[2] == 2 * IdentityRegisters &&
               modbusCrc(f, Rs485IdentityLength - 2) ==
                   (f[Rs485IdentityLength - 2] | f[Rs485IdentityLength - 1] << 8);
    return length == HartIdentityLength && f[6] == SlaveDelimiter && (f[7] & 0x7F) == address &&
           f[8] == IdentifyRequest.hartCommand && f[hart::AnswerCount] == HartIdentityCount &&
           hartChecksum(f, HartIdentityLength - 1) == f[HartIdentityLength - 1];
}

std::string itemText(const FoundTransmitter& found) {
    const std::string address = std::to_string(found.address);
    const std::string serial = std::to_string(found.serialNumber);
    if (found.mode != ModeRs485)
        return formatText(UI_TEXT("adres %1: %2, nr %3"), {address, found.modelName, serial});
    const std::string line = lineText(found.baudIndex, found.parityOff);
    return formatText(UI_TEXT("adres %1: %2, nr %3, %4"), {address, found.modelName, serial, line});
}

}  // namespace

void CFinderDlg::onInit() {
    const bool rs485 = station_.link.transmissionMode == ModeRs485;
    window().setChecked(Hart, !rs485);
    window().setChecked(Rs485, rs485);
    window().setSelection(Port, station_.link.portNumber);
    showDefaultRange();
    window().setText(ProgressText, " ");
    window().setText(SummaryText, "");
    window().setItems(Results, {});
    enableControls();
}

void CFinderDlg::onCommand(int id) {
    switch (id) {
        case Hart:
        case Rs485:
            if (!searching_) showDefaultRange();
            break;
        case SearchStop:
            if (searching_)
                finish(Outcome::Stopped);
            else
                start();
            break;
        case TakeOver:
            take(window().selection(Results));
            break;
        default:
            DialogLogic::onCommand(id);
    }
}

void CFinderDlg::onChange(int id) {
    if (id == Results) enableControls();
}

void CFinderDlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case SendProbe:
            sendProbe();
            break;
        case TurnProbe:
            turnProbe();
            break;
        case ReadProbe:
            readProbe();
            break;
        default:
            window().stopTimer(ExchangeTimer);
    }
}

void CFinderDlg::onDestroy() {
    window().stopTimer(ExchangeTimer);
    if (!searching_) return;
    searching_ = false;
    restoreLine();
}

int CFinderDlg::chosenMode() const { return window().isChecked(Rs485) ? ModeRs485 : ModeHart; }

void CFinderDlg::showDefaultRange() {
    window().setText(AddressFrom, "0");
    window().setText(
        AddressTo, std::to_string(chosenMode() == ModeRs485 ? Rs485LastAddress : HartLastAddress));
}

void CFinderDlg::start() {
    const int port = window().selection(Port);
    if (port < 0 || port >= PortCount) {
        window().messageBox(NoPortChosen, BoxIcon::Information);
        return;
    }
    const std::optional<int> from = parsePollingAddress(window().text(AddressFrom));
    const std::optional<int> to = parsePollingAddress(window().text(AddressTo));
    if (!from || !to || *from > *to) {
        window().messageBox(BadRange, BoxIcon::Information);
        return;
    }
    probes_.clear();
    if (chosenMode() == ModeHart) {
        for (int address = *from; address <= *to; ++address)
            probes_.push_back({ModeHart, 0, 0, address});
    } else {
        for (int baud = 0; baud < BaudCount; ++baud)
            for (int parityOff : ParityChoices)
                for (int address = *from; address <= *to; ++address)
                    probes_.push_back({ModeRs485, baud, parityOff, address});
    }
    portNumber_ = port;
    saved_ = currentLine();
    savedReplyWait_ = station_.link.replyWait;
    savedAddress_ = station_.device.pollingAddress;
    found_.clear();
    damagedAt_.clear();
    damaged_ = 0;
    next_ = 0;
    searching_ = true;
    showResults();
    window().setText(SummaryText, "");
    window().setText(SearchStop, UI_TEXT("Stop"));
    enableControls();
    goToState(station_, window(), SendProbe, StartWait);
}

void CFinderDlg::finish(Outcome outcome) {
    window().stopTimer(ExchangeTimer);
    searching_ = false;
    restoreLine();
    window().setText(ProgressText, outcome == Outcome::PortFailed ? PortFailedText : " ");
    window().setText(SearchStop, UI_TEXT("Szukaj"));
    window().setText(SummaryText, summary(outcome));
    if (!found_.empty()) window().setSelection(Results, 0);
    enableControls();
    if (outcome == Outcome::Completed && found_.size() == 1) offerTakeOver();
}

void CFinderDlg::sendProbe() {
    // A transmitter keeps to one line: an address that answered is not asked at the others,
    // which would only list the same transmitter again where a lenient receiver lets it through.
    const auto answered = [&](int address) {
        return std::any_of(found_.begin(), found_.end(),
                           [&](const FoundTransmitter& found) { return found.address == address; });
    };
    while (next_ < probes_.size() && answered(probes_[next_].address)) ++next_;
    if (next_ == probes_.size()) {
        finish(Outcome::Completed);
        return;
    }
    const Probe& probe = probes_[next_];
    if (!useLine(probe)) {
        finish(Outcome::PortFailed);
        return;
    }
    station_.device.pollingAddress = probe.address;
    purge(station_);
    const std::string address = std::to_string(probe.address);
    const std::string number = std::to_string(next_ + 1);
    const std::string total = std::to_string(probes_.size());
    const std::string line = lineText(probe.baudIndex, probe.parityOff);
    window().setText(ProgressText,
                     probe.mode == ModeRs485
                         ? formatText(UI_TEXT("Szukanie: %1, adres %2 (%3 z %4)"),
                                      {line, address, number, total})
                         : formatText(UI_TEXT("Szukanie: adres %1 (%2 z %3)"),
                                      {address, number, total}));
    // Errors the write met belong to whatever came before; the read tells this question's.
    sendRequest(station_, IdentifyRequest);
    goToState(station_, window(), TurnProbe, station_.link.replyWait);
}

void CFinderDlg::turnProbe() {
    turnToReceive(station_);
    // The whole wait identification gives an answer: a transmitter that takes it is still found,
    // and its answer is not left to spoil the next question.
    goToState(station_, window(), ReadProbe, AnswerWait);
}

void CFinderDlg::readProbe() {
    const Reply reply = readReply(station_);
    const Probe& probe = probes_[next_];
    if (isWholeIdentity(station_, reply.length, probe.address)) {
        const Identity identity = identityInFrame(station_);
        DeviceRecord model;  // the program's own record stays as identification left it
        recognizeModel(model, identity.model);
        found_.push_back({portNumber_, probe.mode, probe.baudIndex, probe.parityOff, probe.address,
                          model.modelName, identity.serialNumber});
        showResults();
    } else if (reply.arrived > 0 || !reply.lineErrors.empty()) {
        noteDamage(probe);
    }
    if (++next_ == probes_.size())
        finish(Outcome::Completed);
    else
        goToState(station_, window(), SendProbe, StepWait);
}

void CFinderDlg::noteDamage(const Probe& probe) {
    ++damaged_;
    // On RS485 every address is asked at every line setting, so the setting is the place.
    const Probe place = probe.mode == ModeRs485
                            ? Probe{probe.mode, probe.baudIndex, probe.parityOff, 0}
                            : Probe{probe.mode, 0, 0, probe.address};
    if (std::find(damagedAt_.begin(), damagedAt_.end(), place) == damagedAt_.end())
        damagedAt_.push_back(place);
}

// "adres 3; adres 5; ...", built from the end: each place holds the rest of the list in a
// pattern of its own, so that a translation finds every place of the list again.
std::string CFinderDlg::placesText() const {
    const std::size_t named = std::min<std::size_t>(damagedAt_.size(), PlacesNamed);
    std::string text = damagedAt_.size() > named ? "..." : "";
    for (std::size_t i = named; i-- > 0;) text = placeText(damagedAt_[i], text);
    return text;
}

std::string CFinderDlg::placeText(const Probe& place, const std::string& rest) {
    if (rest.empty())
        return place.mode == ModeRs485 ? lineText(place.baudIndex, place.parityOff)
                                       : addressText(place.address);
    if (place.mode != ModeRs485)
        return formatText(UI_TEXT("adres %1; %2"), {std::to_string(place.address), rest});
    return formatText(place.parityOff ? UI_TEXT("%1 bit/s, bez parzystości; %2")
                                      : UI_TEXT("%1 bit/s, parzystość ODD; %2"),
                      {std::to_string(baudRate(place.baudIndex)), rest});
}

bool CFinderDlg::useLine(const Probe& probe) {
    const Line wanted{portNumber_, probe.mode, probe.baudIndex, probe.parityOff};
    LinkSettings& link = station_.link;
    if (currentLine() != wanted) {
        releasePort(station_);
        link.portNumber = wanted.portNumber;
        link.transmissionMode = wanted.mode;
        link.baudIndex = wanted.baudIndex;
        link.parityOff = wanted.parityOff;
    }
    link.replyWait = replyWaitFor(probe.mode, probe.baudIndex);
    return ensurePortOpen(station_);
}

CFinderDlg::Line CFinderDlg::currentLine() const {
    const LinkSettings& link = station_.link;
    return {link.portNumber, link.transmissionMode, link.baudIndex, link.parityOff};
}

// The next dialog finds the line as the program had it: the same port stays open, another one
// is closed so that it opens again with the program's settings.
void CFinderDlg::restoreLine() {
    if (currentLine() == saved_)
        releaseLine(station_);
    else
        releasePort(station_);
    LinkSettings& link = station_.link;
    link.portNumber = saved_.portNumber;
    link.transmissionMode = saved_.mode;
    link.baudIndex = saved_.baudIndex;
    link.parityOff = saved_.parityOff;
    link.replyWait = savedReplyWait_;
    station_.device.pollingAddress = savedAddress_;
}

void CFinderDlg::showResults() {
    std::vector<std::string> items;
    for (const FoundTransmitter& found : found_) items.push_back(itemText(found));
    window().setItems(Results, items);
}

std::string CFinderDlg::summary(Outcome outcome) const {
    if (outcome == Outcome::PortFailed) return "";
    const std::string outcomeText = searchOutcomeText();
    if (outcome != Outcome::Stopped) return outcomeText;
    return formatText(UI_TEXT("Zatrzymano po sprawdzeniu %1 z %2. %3"),
                      {std::to_string(next_), std::to_string(probes_.size()), outcomeText});
}

std::string CFinderDlg::searchOutcomeText() const {
    const std::string damaged = std::to_string(damaged_);
    const std::string places = placesText();
    if (!found_.empty()) {
        const std::string found = std::to_string(found_.size());
        if (damaged_ == 0) return formatText(UI_TEXT("Znaleziono: %1."), {found});
        return formatText(UI_TEXT("Znaleziono: %1. Uszkodzone odpowiedzi: %2 (%3)."),
                          {found, damaged, places});
    }
    if (damaged_ > 0)
        return formatText(UI_TEXT("Nic nie odpowiedziało poprawnie, ale przyszły uszkodzone "
                                  "odpowiedzi: %1 (%2). To znak innej prędkości lub parzystości "
                                  "albo drugiego mastera na linii."),
                          {damaged, places});
    return UI_TEXT(
        "Nic nie odpowiedziało. Sprawdź port, zasilanie i podłączenie przetwornika.");
}

void CFinderDlg::offerTakeOver() {
    const std::string question = formatText(
        UI_TEXT("Znaleziono przetwornik na COM%1: %2.\n"
                "Przejąć jego adres i ustawienia łącza do ustawień programu?"),
        {std::to_string(portNumber_ + 1), itemText(found_.front())});
    if (window().messageBox(question, BoxIcon::Information, BoxButtons::OkCancel) == Answer::Ok)
        take(0);
}

void CFinderDlg::take(int index) {
    if (searching_ || index < 0 || index >= static_cast<int>(found_.size())) return;
    chosen_ = found_[static_cast<std::size_t>(index)];
    window().end(ResultOk);
}

void CFinderDlg::enableControls() {
    const bool idle = !searching_;
    for (int id : {Hart, Rs485, Port, AddressFrom, AddressTo}) window().setEnabled(id, idle);
    const int selected = window().selection(Results);
    window().setEnabled(TakeOver,
                        idle && selected >= 0 && selected < static_cast<int>(found_.size()));
}

}  // namespace doxa
