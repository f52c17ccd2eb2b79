#pragma once

#include <functional>
#include <string>
#include <vector>

#include "calibration/calibration_steps.h"
#include "support/fake_window.h"
#include "support/sim_station.h"
#include "transmitter/exchange.h"

namespace doxa::test {

// A calibration dialog opened on a simulated transmitter, driven as a technician drives it.
template <typename Dialog>
struct DialogSession {
    template <typename... Args>
    explicit DialogSession(sim::Model model, bool rs485, Args&&... args)
        : sim(model), dialog(sim.station, std::forward<Args>(args)...) {
        if (rs485) sim.useRs485();
    }

    bool open() { return window.open() && settle(); }
    // Runs the exchange until it waits for the technician (or the dialog has closed).
    bool settle(int maxMs = 20000) {
        return sim.clock.advanceUntil(
            [&] { return window.ended() || !window.timerRunning(ExchangeTimer); }, maxMs, 1);
    }
    bool press(int id) {
        window.click(id);
        return settle();
    }
    std::string text(int id) const { return window.text(id); }

    // Requests written whose function (RS485) or command (HART) is `code`.
    std::vector<Bytes> sent(int code) const {
        std::vector<Bytes> found;
        const bool rs485 = sim.station.link.transmissionMode == ModeRs485;
        for (const Bytes& request : sim.writes()) {
            const std::size_t at = rs485 ? 1 : 12;
            if (request.size() > at && request[at] == code) found.push_back(request);
        }
        return found;
    }

    SimStation sim;
    Dialog dialog;
    FakeWindow window{dialog, sim.clock};
};

// The first `count` bytes of a request (RS485 requests are compared without their CRC).
inline Bytes head(const Bytes& bytes, std::size_t count) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<long>(std::min(count, bytes.size())));
}

inline Bytes hartRequest(std::initializer_list<std::uint8_t> rest) {
    Bytes bytes(10, 0xFF);
    bytes.insert(bytes.end(), rest);
    return bytes;
}

// Ways the answer to a write may fail to come although the transmitter carried the write out,
// and one where the request itself is lost. Each is armed just before the write; `skip` is the
// number of requests that go out before it.
struct WriteAnswerFault {
    const char* name;
    std::function<void(sim::Transmitter&, int skip)> arm;
};
inline const std::vector<WriteAnswerFault>& writeAnswerFaults() {
    static const std::vector<WriteAnswerFault> faults{
        {"answer lost once", [](sim::Transmitter& t, int) { t.faults.lostWriteAnswers = 1; }},
        {"answer lost twice", [](sim::Transmitter& t, int) { t.faults.lostWriteAnswers = 2; }},
        {"answer lost three times", [](sim::Transmitter& t, int) { t.faults.lostWriteAnswers = 3; }},
        {"answer damaged",
         [](sim::Transmitter& t, int skip) { t.faults.garble.onRequest = t.requestCount() + 1 + std::uint64_t(skip); }},
    };
    return faults;
}

// How an answer to the input's "Odczytaj" (the primary value, as long as the ambient
// temperature's) may meet the ambient read: asked for while the ambient answer is awaited, or
// asked for before and coming late, into the ambient read.
struct AmbientRace {
    const char* name;
    bool inputFirst;
};
inline constexpr AmbientRace AmbientRaces[] = {
    {"input read while the ambient answer is awaited", false},
    {"late input answer", true},
};

template <typename Dialog>
void raceAmbientRead(DialogSession<Dialog>& s, const AmbientRace& race, int readInput,
                     const std::function<void()>& readAmbient) {
    sim::Transmitter& transmitter = *s.sim.transmitter;
    if (race.inputFirst) {
        transmitter.faults.late.onRequest = transmitter.requestCount() + 1;
        transmitter.faults.lateMs = 1000;
        s.window.click(readInput);
        s.sim.clock.advanceUntil([&] { return !s.window.timerRunning(calibration::InputReading::Timer); }, 5000, 1);
        readAmbient();
        return;
    }
    const std::uint64_t before = transmitter.requestCount();
    readAmbient();
    s.sim.clock.advanceUntil([&] { return transmitter.requestCount() > before; }, 5000, 1);
    s.window.click(readInput);
}

}  // namespace doxa::test
