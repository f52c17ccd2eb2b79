#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "transmitter/exchange.h"

namespace doxa {

class Station;

// A transmitter that answered the finder, and the line it answered on.
struct FoundTransmitter {
    int portNumber = 0;
    int mode = 0;       // TransmissionMode
    int baudIndex = 0;  // HART: always 0
    int parityOff = 0;  // HART: always 0 (odd)
    int address = 0;
    std::string modelName;
    int serialNumber = 0;
};

// "Szukaj przetwornika": for a transmitter that does not answer. Asks for the identity at every
// address of a range, in HART on the modem's line, in RS485 at every speed and parity the RS485
// settings offer, one request at a time from the dialog's timer. It lists what answered, tells a
// silent line from one that carries only damaged frames, and can be stopped at any moment. The
// program's own line settings and address are back in place whenever it is not searching; the
// caller takes over a found transmitter's settings when the dialog ends with OK.
class CFinderDlg : public DialogLogic {
public:
    static constexpr int Resource = 140;
    enum : int {
        Close = 2,
        Hart = 101,
        Rs485 = 102,
        Port = 103,
        AddressFrom = 104,
        AddressTo = 105,
        Results = 106,
        ProgressText = 131,
        SummaryText = 132,
        SearchStop = 141,
        TakeOver = 142,
    };
    enum : int { SendProbe = 0, TurnProbe, ReadProbe };

    explicit CFinderDlg(Station& station) : station_(station) {}

    // The transmitter whose settings the technician chose to take over.
    const std::optional<FoundTransmitter>& chosen() const { return chosen_; }
    bool searching() const { return searching_; }

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onChange(int id) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    struct Probe {
        int mode;
        int baudIndex;
        int parityOff;
        int address;
        bool operator==(const Probe&) const = default;
    };
    // What the port is opened with.
    struct Line {
        int portNumber;
        int mode;
        int baudIndex;
        int parityOff;
        bool operator==(const Line&) const = default;
    };
    enum class Outcome { Completed, Stopped, PortFailed };

    int chosenMode() const;
    void showDefaultRange();
    void start();
    void finish(Outcome outcome);
    void sendProbe();
    void turnProbe();
    void readProbe();
    void noteDamage(const Probe& probe);
    // Puts the line in the probe's settings, reopening the port when they change.
    bool useLine(const Probe& probe);
    Line currentLine() const;
    void restoreLine();
    void showResults();
    std::string summary(Outcome outcome) const;
    std::string searchOutcomeText() const;
    std::string placesText() const;
    // A place of damaged answers, followed by the `rest` of the list when there is any.
    static std::string placeText(const Probe& place, const std::string& rest);
    void offerTakeOver();
    void take(int index);
    void enableControls();

    Station& station_;
    std::vector<Probe> probes_;
    std::size_t next_ = 0;
    int portNumber_ = 0;
    bool searching_ = false;
    Line saved_{};
    int savedReplyWait_ = 0;
    int savedAddress_ = 0;
    std::vector<FoundTransmitter> found_;
    // Where bytes came that made no answer, each place once.
    std::vector<Probe> damagedAt_;
    int damaged_ = 0;
    std::optional<FoundTransmitter> chosen_;
};

}  // namespace doxa
