#pragma once

#include <cstdint>

#include "dialog/dialog.h"
#include "link/screen_text.h"
#include "link/value_codec.h"
#include "transmitter/exchange.h"

namespace doxa {

class Station;

// "Inicjalizacja": finds out which transmitter answers at the polling address and reads its whole
// configuration into the device record, one request after the other, each repeated until its
// answer has the expected length.
class CInitDlg : public DialogLogic {
public:
    static constexpr int Resource = 113;
    enum : int {
        Close = 1,
        Address = 101,
        SensorText = 131,
        ModelText = 132,
        SerialText = 133,
        RangeMinText = 134,
        RangeMaxText = 135,
        ThresholdText = 136,
        ReleaseText = 137,
        FilterText = 138,
        OutputText = 139,
        BreakText = 140,
        ProgressText = 143,
        LineErrorText = 144,
    };
    // Exchange states: each request is sent, the line turned round, the answer read.
    enum : int {
        SendIdentify = 0,
        TurnIdentify,
        ReadIdentify,
        SendConfiguration,
        TurnConfiguration,
        ReadConfiguration,
        SendRange,
        TurnRange,
        ReadRange,
        SendThreshold,
        TurnThreshold,
        ReadThreshold,
        SendFilter,
        TurnFilter,
        ReadFilter,
    };

    explicit CInitDlg(Station& station) : station_(station) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onFocus(int id, bool gained) override;
    void onTimer(int timer) override;
    void onDestroy() override;
    // The technician asked, from the box of a port that did not open, to choose another port.
    bool portChoiceWanted() const { return portChoiceWanted_; }

    // The button of that box which asks for it.
    static constexpr std::string_view ChoosePortButton = UI_TEXT("Ustawienia portu…");

private:
    bool rs485() const;
    void send(const Request& request);
    void turn();
    Reply read();

    void readIdentity();
    void readConfiguration();
    void readRange();
    void readThreshold();
    void readFilter();

    void parseHartConfiguration();
    void parseRs485Configuration();
    void showSensor(int code);
    void showRange(const DecodedFloat& low, const DecodedFloat& high, std::uint8_t unitCode);
    void parseThreshold();
    void parseFilter();

    Station& station_;
    bool portChoiceWanted_ = false;
};

}  // namespace doxa
