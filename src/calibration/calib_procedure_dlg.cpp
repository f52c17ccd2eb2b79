#include "calibration/calib_procedure_dlg.h"

#include <algorithm>
#include <cstdio>

#include "calibration/calib_dlg.h"
#include "calibration/calib_settings_dlg.h"
#include "calibration/calib_wizard_dlg.h"
#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "link/cp1250.h"
#include "link/port.h"
#include "programming/text_dlg.h"
#include "settings/settings_keys.h"
#include "settings/start_up.h"
#include "transmitter/code_tables.h"
#include "transmitter/service_recording.h"
#include "transmitter/station.h"
#include "transmitter/write_table.h"

namespace doxa {

using namespace calibration;

namespace {

constexpr int ButtonDelay = 1;
constexpr int TagReadAttempts = 2;
constexpr int ModeStep = 0;
constexpr int ValueStep = 1;
constexpr std::string_view NoInstrument = UI_TEXT("(brak)");
constexpr std::string_view ByTechnician = UI_TEXT("przerwana przez technika");
constexpr std::string_view LineLost = UI_TEXT("utracono połączenie z przetwornikiem");
constexpr std::string_view WindowClosed = UI_TEXT("okno procedury zamknięte");

// The fields of the conditions, closed once they are recorded.
constexpr int ConditionFields[] = {
    CCalibProcedureDlg::Technician,
    CCalibProcedureDlg::Customer,
    CCalibProcedureDlg::Tag,
    CCalibProcedureDlg::Ambient,
    CCalibProcedureDlg::Humidity,
    CCalibProcedureDlg::InputInstrument,
    CCalibProcedureDlg::OutputInstrument,
    CCalibProcedureDlg::InputTolerance,
    CCalibProcedureDlg::InputToleranceUnit,
    CCalibProcedureDlg::OutputTolerance,
    CCalibProcedureDlg::Interval,
    CCalibProcedureDlg::Points,
    CCalibProcedureDlg::Start,
};

std::string printed(const char* format, double value) {
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string instrumentLine(const ReferenceInstrument& instrument) {
    std::string line = instrument.name;
    if (!instrument.model.empty()) line += " " + instrument.model;
    const std::string due = instrument.due.empty() ? "?" : instrument.due;
    if (instrument.serial.empty()) return formatText(UI_TEXT("%1, ważny do %2"), {line, due});
    return formatText(UI_TEXT("%1 nr %2, ważny do %3"), {line, instrument.serial, due});
}

// A tolerance typed: empty judges nothing; otherwise a positive number.
bool takeTolerance(const std::string& text, std::optional<double>& tolerance) {
    if (text.find_first_not_of(' ') == std::string::npos) return true;
    tolerance = typedDecimal(text);
    return tolerance && *tolerance > 0;
}

}  // namespace

void CCalibProcedureDlg::onInit() {
    setup_ = inputSetup(station_.device);
    const SettingsStore& settings = station_.settings;
    window().setText(Technician, settings.readText(CalibrationSection, TechnicianKey, ""));
    window().setText(Interval, std::to_string(storedCalibrationIntervalMonths(settings)));
    window().setText(Points, DefaultTestPoints);
    showSetup();
    const std::string temperatureTolerance =
        settings.readText(ReferenceSection, TemperatureToleranceKey, "");
    const bool inCelsius = !temperatureTolerance.empty() && !setup_.sensor.empty();
    window().setText(InputTolerance,
                     inCelsius ? temperatureTolerance
                               : settings.readText(ReferenceSection, InputToleranceKey, ""));
    window().setSelection(InputToleranceUnit, inCelsius ? 0 : (setup_.sensor.empty() ? 0 : 1));
    window().setText(OutputTolerance, settings.readText(ReferenceSection, OutputToleranceKey, ""));
    showInstruments();
    for (const int id : {Typed, Next, Adjust, AsLeft, Finish}) window().setEnabled(id, false);
    window().setText(Prompt,
                     UI_TEXT("Wpisz warunki kalibracji i wybierz przyrządy wzorcowe, potem „Rozpocznij”"));
    readTag();
}

// A transmitter without a text, or one that does not answer, leaves the tag to be typed.
void CCalibProcedureDlg::readTag() {
    if (!ensurePortOpen(station_)) return;
    purge(station_);
    station_.frame.fill(0xFF);
    readingTag_ = true;
    tagReads_ = 0;
    window().setEnabled(Start, false);
    next(SendTag, AnswerWait);
}

void CCalibProcedureDlg::sendTag() {
    ++tagReads_;
    sendTextRead(station_);
    next(ListenTag, station_.link.replyWait);
}

void CCalibProcedureDlg::takeTag() {
    const int length = readReply(station_).length;
    if (length < ShortestTextAnswer && tagReads_ < TagReadAttempts) {
        next(SendTag, AnswerWait);
        return;
    }
    window().stopTimer(ExchangeTimer);
    station_.link.exchangeState = Idle;
    readingTag_ = false;
    window().setEnabled(Start, true);
    if (length < ShortestTextAnswer) return;
    const std::string text = cp1250ToUtf8(answerText(station_.frame, length));
    const bool typed = window().text(Tag).find_first_not_of(' ') != std::string::npos;
    if (!typed && text.find_first_not_of(' ') != std::string::npos) window().setText(Tag, text);
}

void CCalibProcedureDlg::showSetup() {
    const std::string range = formatText(UI_TEXT("Zakres %1 … %2 %3"), {printed("%g", setup_.rangeLow),
                                                                       printed("%g", setup_.rangeHigh),
                                                                       setup_.readingUnit});
    const std::string info =
        setup_.sensor.empty()
            ? formatText(UI_TEXT("%1; czujnik bez charakterystyki wzorcowej – porównanie w %2"),
                         {range, setup_.readingUnit})
            : formatText(UI_TEXT("%1; charakterystyka %2, wzorzec w %3"), {range, setup_.sensor, setup_.appliedUnit});
    window().setText(SensorInfo, info);
    window().setItems(InputToleranceUnit, toleranceUnits());
}

// Without a standard curve the input is compared in its own unit only.
std::vector<std::string> CCalibProcedureDlg::toleranceUnits() const {
    if (setup_.sensor.empty()) return {setup_.readingUnit};
    return {std::string(Celsius), setup_.appliedUnit};
}

void CCalibProcedureDlg::showInstruments() {
    register_.clear();
    std::string state;
    if (station_.instruments) {
        register_ = station_.instruments->instruments();
        if (!station_.instruments->problem().empty())
            state = formatText(UI_TEXT("Rejestr przyrządów niedostępny: %1"), {station_.instruments->problem()});
        else if (station_.instruments->fromLocalCopy())
            state = UI_TEXT("Rejestr przyrządów: kopia lokalna (serwer niedostępny)");
    } else {
        state = UI_TEXT("Rejestr przyrządów niedostępny");
    }
    std::vector<std::string> items{std::string(NoInstrument)};
    for (const ReferenceInstrument& instrument : register_)
        items.push_back(instrumentLine(instrument));
    for (const int id : {InputInstrument, OutputInstrument}) {
        window().setItems(id, items);
        window().setSelection(id, 0);
    }
    window().setText(RegisterState, state.empty() ? " " : state);
}

void CCalibProcedureDlg::onCommand(int id) {
    switch (id) {
        case Start:
            begin();
            break;
        case Next:
            if (stage_ == Stage::Input)
                startReadings();
            else if (stage_ == Stage::Output)
                driveConfirmed_ ? takeMeterReading() : promptOutput();
            break;
        case Adjust:
            adjust();
            break;
        case AsLeft:
            beginPhase(CalibrationPhase::AsLeft);
            break;
        case Finish:
            finish();
            break;
        case Cancel:
            if (stage_ == Stage::Conditions || stage_ == Stage::Ended)
                window().end(ResultCancel);
            else if (stage_ != Stage::Releasing)
                interrupt(std::string(ByTechnician), AfterRelease::Close);
            else
                afterRelease_ = AfterRelease::Close;
            break;
        default:
            break;
    }
}

void CCalibProcedureDlg::onTimer(int timer) {
    if (timer == InputReading::Timer) {
        if (reading_.onTimer(window())) readingEnded();
        return;
    }
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case SendTag:
            sendTag();
            break;
        case ReadTag:
            takeTag();
            break;
        case SendDrive:
            sendDrive();
            break;
        case ListenTag:
        case ListenDrive:
        case ListenRelease:
            turnToReceive(station_);
            next(station_.link.exchangeState + 1, AnswerWait);
            break;
        case ReadDrive:
            judgeDrive();
            break;
        case SendRelease:
            sendRelease();
            break;
        case ReadRelease:
            judgeRelease();
            break;
        default:
            window().stopTimer(ExchangeTimer);
            break;
    }
}

// A window that goes away in the middle of a run cannot wait for answers: the release goes out
// once, and the output stays marked forced until a confirmed release, so the main window keeps
// reminding of it.
void CCalibProcedureDlg::onDestroy() {
    window().stopTimer(InputReading::Timer);
    if (stage_ != Stage::Conditions && stage_ != Stage::Ended) {
        if (station_.outputForced) sendExit(station_);
        end(CalibrationEnd{false, adjusted_, std::string(WindowClosed)});
    }
    endExchange(station_, window());
}

CCalibProcedureDlg::Waiting CCalibProcedureDlg::waiting() const {
    switch (stage_) {
        case Stage::Input:
            return Waiting::Value;
        case Stage::Output:
            return driveConfirmed_ ? Waiting::Value : Waiting::Repeat;
        case Stage::Review:
            return Waiting::Decision;
        case Stage::Ended:
            return Waiting::Ended;
        case Stage::Conditions:
        case Stage::Releasing:
            break;
    }
    return Waiting::Nothing;
}

std::optional<ReferenceInstrument> CCalibProcedureDlg::takeInstrument(int id, bool& refused) {
    const int chosen = window().selection(id);
    if (chosen <= 0 || chosen > static_cast<int>(register_.size())) return std::nullopt;
    const ReferenceInstrument& instrument = register_[static_cast<std::size_t>(chosen - 1)];
    const std::string refusal = instrumentRefusal(instrument, today);
    if (!refusal.empty()) {
        window().messageBox(refusal, BoxIcon::Error);
        refused = true;
        return std::nullopt;
    }
    return instrument;
}

std::optional<CalibrationConditions> CCalibProcedureDlg::takeConditions() {
    const auto refuse = [&](std::string_view text) -> std::optional<CalibrationConditions> {
        window().messageBox(text, BoxIcon::Error);
        return std::nullopt;
    };
    CalibrationConditions c;
    c.technician = window().text(Technician);
    if (c.technician.find_first_not_of(' ') == std::string::npos)
        return refuse(UI_TEXT("Wpisz imię i nazwisko technika"));
    c.customer = window().text(Customer);
    c.tag = window().text(Tag);
    c.ambientCelsius = typedDecimal(window().text(Ambient));
    if (!c.ambientCelsius || *c.ambientCelsius < -20 || *c.ambientCelsius > 60)
        return refuse(UI_TEXT("Wpisz temperaturę otoczenia od -20 do 60 °C"));
    c.humidityPercent = typedDecimal(window().text(Humidity));
    if (!c.humidityPercent || *c.humidityPercent < 0 || *c.humidityPercent > 100)
        return refuse(UI_TEXT("Wpisz wilgotność względną od 0 do 100 %"));
    bool refused = false;
    for (const int id : {InputInstrument, OutputInstrument}) {
        auto instrument = takeInstrument(id, refused);
        if (refused) return std::nullopt;
        if (instrument && (c.instruments.empty() || c.instruments.front().id != instrument->id))
            c.instruments.push_back(std::move(*instrument));
    }
    if (c.instruments.empty()) return refuse(UI_TEXT("Wybierz przyrząd wzorcowy z rejestru"));
    if (!takeTolerance(window().text(InputTolerance), c.inputTolerance) ||
        !takeTolerance(window().text(OutputTolerance), c.outputTolerance))
        return refuse(UI_TEXT("Wpisz tolerancję jako liczbę dodatnią albo zostaw pole puste"));
    const auto interval = parseWholeNumber(window().text(Interval));
    if (!interval || *interval < 1 || *interval > 120)
        return refuse(UI_TEXT("Wpisz interwał kalibracji od 1 do 120 miesięcy"));
    const auto points = parseTestPoints(window().text(Points));
    if (!points) return refuse(UI_TEXT("Wpisz od 2 do 11 punktów od 0 do 100 % rozdzielonych średnikami"));
    percents_ = *points;
    c.intervalMonths = static_cast<int>(*interval);
    const std::vector<std::string> units = toleranceUnits();
    const int unit = window().selection(InputToleranceUnit);
    c.inputToleranceUnit =
        units[unit > 0 && unit < static_cast<int>(units.size()) ? static_cast<std::size_t>(unit)
                                                                : 0];
    c.sensor = setup_.sensor;
    c.appliedUnit = setup_.appliedUnit;
    c.readingUnit = setup_.readingUnit;
    c.rangeLow = setup_.rangeLow;
    c.rangeHigh = setup_.rangeHigh;
    // The thermocouple's cold junction sits at the transmitter's terminals, in the room.
    if (const SensorCurveInfo* curve = findSensorCurve(c.sensor);
        curve && curve->signal == SensorSignal::Millivolt)
        c.coldJunctionCelsius = *c.ambientCelsius;
    c.programVersion = programVersion;
    return c;
}

void CCalibProcedureDlg::begin() {
    if (readingTag_) return;
    auto conditions = takeConditions();
    if (!conditions) return;
    if (!ensurePortOpen(station_)) {
        window().messageBox(PortFailedText, BoxIcon::Error);
        return;
    }
    conditions_ = std::move(*conditions);
    station_.settings.writeText(CalibrationSection, TechnicianKey, conditions_.technician);
    station_.calibrationEvent = newCalibrationEventId();
    outcome_.eventId = station_.calibrationEvent;
    keepRecord(station_, conditionsRecord(stationRecord(station_, RecordKind::CalibrationConditions,
                                                        RecordOutcome::Confirmed),
                                          conditions_));
    outcome_.recorded = true;
    for (const int id : ConditionFields) window().setEnabled(id, false);
    beginPhase(CalibrationPhase::AsFound);
}

void CCalibProcedureDlg::beginPhase(CalibrationPhase phase) {
    phase_ = phase;
    pointIndex_ = 0;
    stage_ = Stage::Input;
    for (const int id : {Adjust, AsLeft, Finish}) window().setEnabled(id, false);
    promptInput();
}

std::string CCalibProcedureDlg::pointTitle() const {
    return formatText(stage_ == Stage::Input ? UI_TEXT("%1, wejście, punkt %2/%3 (%4)")
                                             : UI_TEXT("%1, wyjście, punkt %2/%3 (%4)"),
                      {phaseText(phase_), std::to_string(pointIndex_ + 1), std::to_string(percents_.size()),
                       printed("%g %%", percents_[pointIndex_])});
}

void CCalibProcedureDlg::promptInput() {
    const Conversion nominal = nominalInput(conditions_, percents_[pointIndex_]);
    const double reading = conditions_.rangeLow + (conditions_.rangeHigh - conditions_.rangeLow) *
                                                      percents_[pointIndex_] / 100;
    std::string target = nominal.value ? printed("%.3f ", *nominal.value) + conditions_.appliedUnit
                                       : formatText(UI_TEXT("wartość odpowiadającą (%1)"), {nominal.reason});
    if (conditions_.appliedUnit != conditions_.readingUnit)
        target += printed(" (%g ", reading) + conditions_.readingUnit + ")";
    window().setText(Prompt, formatText(UI_TEXT("%1: ustaw na wzorcu %2 i wpisz wartość podaną na wzorcu [%3]"),
                                        {pointTitle(), target, conditions_.appliedUnit}));
    window().setText(Typed, "");
    window().setEnabled(Typed, true);
    window().setEnabled(Next, true);
}

void CCalibProcedureDlg::startReadings() {
    const auto typed = typedDecimal(window().text(Typed));
    if (!typed) {
        say(UI_TEXT("Wpisz wartość podaną na wzorcu"));
        return;
    }
    applied_ = *typed;
    readings_.clear();
    reads_ = 0;
    window().setEnabled(Next, false);
    window().setEnabled(Typed, false);
    ++reads_;
    reading_.start(window());
}

void CCalibProcedureDlg::readingEnded() {
    const auto& value = reading_.value();
    if (value && (value->unit.empty() || value->unit == conditions_.readingUnit))
        readings_.push_back(value->number);
    else if (value)
        say(formatText(UI_TEXT("Przetwornik podaje odczyt w %1 zamiast w %2"), {value->unit, conditions_.readingUnit}));
    window().setText(Readings, formatText(UI_TEXT("Odczyty: %1/%2"), {std::to_string(readings_.size()),
                                                                      std::to_string(ReadingsPerPoint)}));
    if (static_cast<int>(readings_.size()) < ReadingsPerPoint) {
        if (reads_ >= ReadAttemptsPerPoint) {
            interrupt(std::string(LineLost), AfterRelease::Interrupt);
            return;
        }
        ++reads_;
        reading_.start(window());
        return;
    }
    window().setText(Readings, formatText(UI_TEXT("Średnia %1, rozrzut %2 (%3 odczytów)"),
                                          {printed("%.3f ", *meanOf(readings_)) + conditions_.readingUnit,
                                           printed("%.3f ", spreadOf(readings_)) + conditions_.readingUnit,
                                           std::to_string(readings_.size())}));
    CalibrationPoint point{
        phase_, CalibrationChannel::Input, percents_[pointIndex_], applied_, readings_, {}};
    record(std::move(point));
}

void CCalibProcedureDlg::promptOutput() {
    driven_ = static_cast<float>(nominalOutput(conditions_, percents_[pointIndex_]));
    window().setText(Prompt, formatText(UI_TEXT("%1: ustawianie wyjścia na %2"),
                                        {pointTitle(), printed("%.3f ", driven_) + conditions_.outputUnit}));
    window().setEnabled(Typed, false);
    window().setEnabled(Next, false);
    const bool rs485 = station_.link.transmissionMode == ModeRs485;
    // RS485 puts the output into fixed mode before the value and confirms the mode after it.
    driveSteps_ =
        rs485 ? std::vector<int>{ModeStep, ValueStep, ModeStep} : std::vector<int>{ValueStep};
    driveStep_ = 0;
    sends_ = 0;
    driveConfirmed_ = false;
    station_.frame.fill(0xFF);
    next(SendDrive, ButtonDelay);
}

void CCalibProcedureDlg::sendDrive() {
    ++sends_;
    station_.outputForced = true;
    const std::string errors = driveSteps_[driveStep_] == ValueStep
                                   ? sendForcedOutput(station_, driven_)
                                   : sendModeRegister(station_, OutputFixed);
    if (!errors.empty()) say(errors);
    next(ListenDrive, station_.link.replyWait);
}

// A point counts only when every write that drives the output was confirmed; an unconfirmed one
// goes again up to the last attempt, a refused one is reported and the point may be repeated.
void CCalibProcedureDlg::judgeDrive() {
    lastReply_ = readReply(station_);
    if (!lastReply_.lineErrors.empty()) say(lastReply_.lineErrors);
    WriteAnswer answer = answerOfWrite(station_, lastReply_, sends_, true);
    const bool unknown = answer.judgement.verdict == WriteVerdict::Unknown;
    if (answer.next == WriteAnswer::Next::Again && unknown && sends_ >= ConfirmAttempts)
        answer.next = WriteAnswer::Next::Stop;
    switch (answer.next) {
        case WriteAnswer::Next::Again:
            next(SendDrive, unknown ? AnswerWait : BusyRepeatWait);
            return;
        case WriteAnswer::Next::Stop:
            window().stopTimer(ExchangeTimer);
            station_.link.exchangeState = Idle;
            if (unknown && lastReply_.arrived == 0) {
                interrupt(std::string(LineLost), AfterRelease::Interrupt);
                return;
            }
            say(stoppedText(answer.judgement, OutputNotConfirmedText));
            window().setText(Prompt, formatText(UI_TEXT("%1: wyjście nie zostało ustawione, punkt nie jest "
                                                        "liczony – „Dalej” ustawia je ponownie"),
                                                {pointTitle()}));
            window().setEnabled(Next, true);
            return;
        case WriteAnswer::Next::Done:
            break;
    }
    sends_ = 0;
    if (++driveStep_ < driveSteps_.size()) {
        next(SendDrive, ButtonDelay);
        return;
    }
    window().stopTimer(ExchangeTimer);
    station_.link.exchangeState = Idle;
    driveConfirmed_ = true;
    say(UI_TEXT("Wyjście ustawione"));
    window().setText(Prompt, formatText(UI_TEXT("%1: wyjście ustawione na %2 – wpisz odczyt miernika [%3]"),
                                        {pointTitle(), printed("%.3f ", driven_) + conditions_.outputUnit,
                                         conditions_.outputUnit}));
    window().setText(Typed, "");
    window().setEnabled(Typed, true);
    window().setEnabled(Next, true);
}

void CCalibProcedureDlg::takeMeterReading() {
    const auto typed = typedDecimal(window().text(Typed));
    if (!typed) {
        say(UI_TEXT("Wpisz odczyt miernika"));
        return;
    }
    CalibrationPoint point{
        phase_, CalibrationChannel::Output, percents_[pointIndex_], driven_, {*typed}, {}};
    record(std::move(point));
}

void CCalibProcedureDlg::record(CalibrationPoint point) {
    point.result = judgePoint(conditions_, point);
    keepRecord(station_, pointRecord(stationRecord(station_, RecordKind::CalibrationPoint,
                                                   RecordOutcome::Confirmed),
                                     point));
    lines_.push_back(pointLine(point, conditions_));
    window().setItems(Results, lines_);
    points_.push_back(std::move(point));
    nextPoint();
}

void CCalibProcedureDlg::nextPoint() {
    if (++pointIndex_ < percents_.size()) {
        stage_ == Stage::Input ? promptInput() : promptOutput();
        return;
    }
    pointIndex_ = 0;
    if (stage_ == Stage::Input && station_.device.outputType != OutputVoltage) {
        stage_ = Stage::Output;
        promptOutput();
        return;
    }
    release(AfterRelease::Review);
}

void CCalibProcedureDlg::release(AfterRelease after) {
    afterRelease_ = after;
    window().stopTimer(InputReading::Timer);
    if (!station_.outputForced) {
        afterRelease();
        return;
    }
    stage_ = Stage::Releasing;
    window().setEnabled(Typed, false);
    window().setEnabled(Next, false);
    window().setText(Prompt, UI_TEXT("Zwalnianie wyjścia"));
    sends_ = 0;
    next(SendRelease, ButtonDelay);
}

void CCalibProcedureDlg::sendRelease() {
    ++sends_;
    const std::string errors = sendExit(station_);
    if (!errors.empty()) say(errors);
    next(ListenRelease, station_.link.replyWait);
}

void CCalibProcedureDlg::judgeRelease() {
    lastReply_ = readReply(station_);
    if (releaseConfirmed(station_, lastReply_)) {
        keepRecord(station_, RecordKind::ForcedOutput, RecordOutcome::Confirmed,
                   {{"forced", std::string("released")}});
        lines_.emplace_back(UI_TEXT("Wyjście zwolnione"));
    } else if (sends_ < ConfirmAttempts) {
        next(SendRelease, AnswerWait);
        return;
    } else {
        lines_.emplace_back(UI_TEXT("Przetwornik nie potwierdził zwolnienia wyjścia – sprawdź wyjście"));
    }
    window().setItems(Results, lines_);
    say(lines_.back());
    afterRelease();
}

void CCalibProcedureDlg::afterRelease() {
    window().stopTimer(ExchangeTimer);
    station_.link.exchangeState = Idle;
    switch (afterRelease_) {
        case AfterRelease::Review:
            review();
            break;
        case AfterRelease::Interrupt:
            end(CalibrationEnd{false, adjusted_, interruptReason_});
            break;
        case AfterRelease::Close:
            end(CalibrationEnd{false, adjusted_, interruptReason_});
            window().end(ResultCancel);
            break;
    }
}

bool CCalibProcedureDlg::phaseFailed() const {
    return std::any_of(points_.begin(), points_.end(), [&](const CalibrationPoint& p) {
        return p.phase == phase_ && p.result.within == false;
    });
}

void CCalibProcedureDlg::review() {
    stage_ = Stage::Review;
    if (phase_ == CalibrationPhase::AsLeft) asLeftDone_ = true;
    const bool failed = phaseFailed();
    window().setText(Prompt, failed ? UI_TEXT("Punkty poza tolerancją – wykonaj regulację („Regulacja...”)")
                                    : UI_TEXT("Punkty w tolerancji – „Zakończ” kończy kalibrację"));
    window().setEnabled(Adjust, true);
    window().setEnabled(AsLeft, adjusted_);
    window().setEnabled(Finish, !adjusted_ || asLeftDone_);
}

// The documented calibration dialogs, as the technician's access opens them from the menu; their
// records carry the event's id as every record made meanwhile does.
void CCalibProcedureDlg::adjust() {
    if (station_.hasMasterAccess()) {
        CCalibrationDlg calibration(station_, updateView_);
        window().runChild(calibration);
    } else {
        CCalibrationSettingsDlg settings(station_);
        if (window().runChild(settings) != ResultOk || station_.calibrationOptions == 0) return;
        CCalibrationWizardDlg wizard(station_);
        window().runChild(wizard);
    }
    adjusted_ = true;
    asLeftDone_ = false;
    window().setEnabled(AsLeft, true);
    window().setEnabled(Finish, false);
    window().setText(Prompt, UI_TEXT("Po regulacji „Stan pozostawiony” mierzy punkty ponownie"));
}

void CCalibProcedureDlg::finish() {
    end(CalibrationEnd{true, adjusted_, {}});
    window().end(ResultOk);
}

void CCalibProcedureDlg::interrupt(const std::string& reason, AfterRelease after) {
    interruptReason_ = reason;
    release(after);
}

void CCalibProcedureDlg::end(const CalibrationEnd& e) {
    keepRecord(station_, endRecord(stationRecord(station_, RecordKind::CalibrationEnd,
                                                 e.finished ? RecordOutcome::Confirmed
                                                            : RecordOutcome::NotConfirmed),
                                   e));
    station_.calibrationEvent.clear();
    stage_ = Stage::Ended;
    for (const int id : {Typed, Next, Adjust, AsLeft, Finish}) window().setEnabled(id, false);
    window().setText(Prompt, e.finished ? std::string(UI_TEXT("Kalibracja zakończona"))
                                        : formatText(UI_TEXT("Kalibracja przerwana: %1"), {e.reason}));
}

void CCalibProcedureDlg::next(int state, int ms) { goToState(station_, window(), state, ms); }

void CCalibProcedureDlg::say(std::string_view text) { window().setText(Status, text); }

}  // namespace doxa
