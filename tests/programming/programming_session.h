#pragma once

// A technician's session with a programming dialog on a simulated transmitter.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_window.h"
#include "support/sim_station.h"

namespace doxa::test {

inline constexpr int StepText = 142;
inline constexpr int ReplyText = 143;
inline constexpr int SendButton = 132;
inline constexpr const char* Saved = "Dane zostały zapisane";
inline constexpr const char* NotSaved = "Dane nie zostały zapisane prawidłowo";

template <typename Dialog>
struct Session {
    explicit Session(sim::Model model = sim::Model::Doxa22, bool rs485 = false) : sim(model) {
        if (rs485) sim.useRs485();
    }

    // Opens the dialog and, over HART, waits for the identification to end either way.
    bool openReady() {
        if (!window.open()) return false;
        if (sim.station.link.transmissionMode == ModeRs485) return true;
        return sim.clock.advanceUntil(
                   [&] {
                       return window.ended() || window.text(StepText) == "Przetwornik rozpoznany";
                   },
                   20000) &&
               !window.ended();
    }
    // A radio or check box as the technician clicks it.
    void choose(int id, bool checked = true) {
        window.setChecked(id, checked);
        window.click(id);
    }
    // One radio of a group.
    void pick(std::initializer_list<int> group, int id) {
        for (int radio : group) window.setChecked(radio, radio == id);
        window.click(id);
    }
    // Typed and left, as a click elsewhere leaves it.
    void enter(int id, const std::string& text) {
        window.type(id, text);
        window.leave(id);
    }
    // "Wyślij", then the sequence to its final message; its text, or "" when none came.
    std::string program() {
        const std::size_t from = window.boxes().size();
        window.click(SendButton);
        std::string result;
        sim.clock.advanceUntil(
            [&] {
                for (std::size_t i = from; i < window.boxes().size(); ++i)
                    if (window.boxes()[i].text == Saved || window.boxes()[i].text == NotSaved)
                        result = window.boxes()[i].text;
                return !result.empty();
            },
            120000);
        return result;
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : window.boxes()) texts.push_back(box.text);
        return texts;
    }
    // The first request written from `from` on whose command (or first register) is `key`.
    Bytes request(int key, std::size_t from = 0) const {
        const std::vector<Bytes> written = sim.writes();
        const std::vector<int> keys = sim.requests();
        for (std::size_t i = from; i < keys.size(); ++i)
            if (keys[i] == key) return written[i];
        return {};
    }
    std::string text(int id) const { return window.text(id); }

    SimStation sim;
    Dialog dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
};

}  // namespace doxa::test
