#include "support/sim_station.h"

#include "document/document.h"
#include "link/port.h"

namespace doxa::test {

SimStation::SimStation(sim::Model model, const sim::Options& options)
    : transmitter(std::make_shared<sim::Transmitter>(model, options)) {
    station.makeLine = [this](int portNumber) {
        auto line = std::make_unique<sim::SimLine>(transmitter, [this] { return clock.now(); });
        line->failOpen = portFails;
        line->setPresent(present_);
        if (journal) journal->push_back("make " + std::to_string(portNumber));
        line->journal = journal;
        return line;
    };
    station.showMessage = [this](std::string_view text, std::string_view informative) {
        messages.emplace_back(text);
        informativeTexts.emplace_back(informative);
    };
    station.monotonicMs = [this] { return clock.now(); };
    // Every program starts with a new document; a record of zeros holds a range no transmitter
    // takes.
    resetToNewDocument(station.device);
    station.wakeForLineWork = [this](int ms) { clock.callAfter(ms, [this] { carryOutLineWork(station); }); };
    // A port released by a test is released at once: virtual time moves only where the test
    // moves it.
    station.sleepUntilMs = [](std::int64_t) {};
}

void SimStation::useRs485() {
    station.link.transmissionMode = ModeRs485;
    station.link.baudIndex = 0;
    station.link.replyWait = 250;
}

void SimStation::unplug() {
    present_ = false;
    if (sim::SimLine* open = line()) open->setPresent(false);
}

void SimStation::plugIn() { present_ = true; }

sim::SimLine* SimStation::line() const {
    return dynamic_cast<sim::SimLine*>(station.link.portHandle.get());
}

std::vector<Bytes> SimStation::writes() const {
    const sim::SimLine* open = line();
    return open ? open->requests() : std::vector<Bytes>{};
}

std::vector<int> SimStation::requests(std::size_t from) const {
    std::vector<int> keys;
    const std::vector<Bytes> written = writes();
    for (std::size_t i = from; i < written.size(); ++i) {
        const Bytes& request = written[i];
        if (request.size() == 1 && request[0] == 0xFF)
            keys.push_back(-1);
        else if (station.link.transmissionMode == ModeRs485 && request.size() >= 4)
            keys.push_back(request[2] << 8 | request[3]);
        else if (request.size() > 12)
            keys.push_back(request[12]);
    }
    return keys;
}

}  // namespace doxa::test
