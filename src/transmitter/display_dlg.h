#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "dialog/dialog.h"
#include "link/value_codec.h"
#include "transmitter/exchange.h"
#include "transmitter/live_trend.h"

namespace doxa {

class Station;

// "Wyświetlanie": identifies the transmitter once, reads its sensor code and then polls the
// primary value, the output and (where the model has it) the ambient temperature until the
// technician stops it or closes the dialog.
class CDisplayDlg : public DialogLogic {
public:
    static constexpr int Resource = 104;
    enum : int {
        Close = 1,
        PrimaryValue = 101,
        OutputValue = 102,
        AmbientValue = 103,
        ModelText = 105,
        SensorText = 106,
        Address = 107,
        SerialText = 109,
        LineErrorText = 131,
        ProgressText = 132,
        AmbientLabel = 133,
        StopStart = 143,
        Trend = 144,
    };
    enum : int {
        SendIdentify = 0,
        TurnIdentify,
        ReadIdentify,
        SendSensor,
        TurnSensor,
        ReadSensor,
        SendPrimary,
        TurnPrimary,
        ReadPrimary,
        SendOutput,
        TurnOutput,
        ReadOutput,
        SendAmbient,
        TurnAmbient,
        ReadAmbient,
    };

    explicit CDisplayDlg(Station& station) : station_(station) {}

    // What the model field shows until the transmitter has been identified.
    void prefillModel(std::string_view text) { modelPrefill_ = text; }
    // Offers "Wykres": the opener shows the trend plot beside the dialog (again, if it was
    // closed) and gives the observer that hears each cycle from then on, for as long as the
    // dialog's window lives. Without an opener the button is hidden.
    using TrendOpener = std::function<LiveValuesObserver*()>;
    void allowTrend(TrendOpener opener) { openTrend_ = std::move(opener); }

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onChange(int id) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    bool rs485() const;
    void start();
    void stop();
    void send(const Request& request, std::string_view progress);
    void turn();
    Reply read();
    void next(int state, int ms);

    void readIdentity();
    void readSensor();
    void readPrimary();
    void readOutput();
    void readAmbient();

    void showSensorName(int code);
    void forgetTransmitter();
    std::string outputText(const DecodedFloat& value) const;
    // Counts an empty read; true when the field of the state should be blanked.
    bool missedAnswer(int length);
    bool readsAmbient() const;
    void checkConnection();
    // The cycle ends here: the trend hears what it measured, and the next one starts empty.
    void endCycle();
    void takePrimary(const DecodedFloat& value, std::uint8_t unitCode);
    void takeOutput(const DecodedFloat& value);

    Station& station_;
    std::string modelPrefill_;
    int running_ = 0;
    int missed_ = 0;
    // The address field holds the 0 that replaced an entry that was no address.
    bool addressRefused_ = false;
    TrendOpener openTrend_;
    LiveValuesObserver* trend_ = nullptr;
    LiveCycle cycle_;
};

}  // namespace doxa
