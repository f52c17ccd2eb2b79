#include "dialog_driver.h"

#include <algorithm>
#include <stdexcept>

#include "calibration/calib_dlg.h"
#include "calibration/calib_wizard_dlg.h"
#include "calibration/factory_data_dlg.h"
#include "calibration/output_current_dlg.h"
#include "programming/characteristic_dlg.h"
#include "programming/prog_dlg.h"
#include "programming/prog_zu_dlg.h"
#include "programming/rs485_dlg.h"
#include "programming/sensor_dlg.h"
#include "programming/sensor_serial_dlg.h"
#include "programming/text_dlg.h"
#include "service/console_dlg.h"
#include "service/finder_dlg.h"
#include "service/line_monitor_dlg.h"
#include "service/memory_dump_dlg.h"
#include "service/register_read_dlg.h"
#include "service/register_write_dlg.h"
#include "support/fake_window.h"
#include "support/virtual_clock.h"
#include "transmitter/display_dlg.h"
#include "transmitter/ident_dlg.h"
#include "transmitter/station.h"

namespace doxa::fuzz {

namespace {

template <typename Dialog>
std::function<std::unique_ptr<DialogLogic>(Station&)> plain() {
    return [](Station& station) { return std::make_unique<Dialog>(station); };
}

std::function<std::unique_ptr<DialogLogic>(Station&)> dump(char letter) {
    return [letter](Station& station) { return std::make_unique<CMemoryDumpDlg>(station, letter); };
}

// Enough for a whole programming sequence, far less than a dialog left open for good.
constexpr std::int64_t EndWaitMs = 120'000;
constexpr int MaxActions = 300;

}  // namespace

const std::vector<DialogCase>& dialogCases() {
    using I = CInitDlg;
    using D = CDisplayDlg;
    using P = CProgDlg;
    using Z = CProgZUDlg;
    using R = CRs485Dlg;
    using C = CCharacteristicDlg;
    using T = CTextDlg;
    using K = CCalibrationDlg;
    using W = CCalibrationWizardDlg;
    using O = COutputCurrentDlg;
    using F = CFinderDlg;
    using G = CRegisterDlg;
    using H = CHartConsoleDlg;
    static const std::vector<DialogCase> cases = {
        {"ident", plain<CInitDlg>(), {I::Close, I::Address}},
        {"display", plain<CDisplayDlg>(), {D::Close, D::StopStart, D::Trend}},
        {"prog",
         plain<CProgDlg>(),
         {P::Close, P::Address, P::RangeMin, P::RangeMax, P::Threshold, P::Hysteresis, P::FilterTime,
          P::SensorS, P::SensorB, P::SensorVoltage, P::ThresholdOnOff, P::CharacteristicR,
          P::DirectionMin, P::DirectionMax, P::SensorT, P::CharacteristicU, P::Send, P::Order0,
          P::Order1, P::Order2, P::BreakMax, P::BreakMin, P::OutputType, P::ProgramAddress, P::Table,
          P::SensorPt100, P::SensorNi100, P::SensorResistance, P::SensorK, P::SensorJ, P::SensorN,
          P::FilterTimeSpin, P::RangeMinSpin, P::RangeMaxSpin, P::ThresholdSpin, P::HysteresisSpin}},
        {"prog_zu",
         plain<CProgZUDlg>(),
         {Z::Close, Z::RangeMin, Z::RangeMax, Z::FilterTime, Z::SensorCu100At426,
          Z::SensorCharacteristic, Z::SensorCu50At426, Z::SensorCu100At428, Z::Send, Z::Order0,
          Z::Order1, Z::Order2, Z::BreakMax, Z::BreakMin, Z::Table, Z::SensorResistance,
          Z::SensorPt100At385, Z::SensorPt100At391, Z::SensorNi100At618, Z::SensorNi100At617,
          Z::SensorCu50At428, Z::FilterTimeSpin, Z::RangeMinSpin, Z::RangeMaxSpin}},
        {"rs485",
         plain<CRs485Dlg>(),
         {R::Set, R::Close, R::ParityOdd, R::ParityNone, R::Baud1200, R::Program, R::Baud4800,
          R::Baud9600, R::Baud19200, R::Baud38400}},
        {"characteristic",
         plain<CCharacteristicDlg>(),
         {C::Close, C::XEdit, C::YEdit, C::CountEdit, C::ScrollBar, C::Send, C::Read, C::Clear}},
        {"sensor", plain<CSensorDlg>(), {CSensorDlg::Close, CSensorDlg::ChangeSerial}},
        {"sensor_serial",
         plain<CSensorSerialDlg>(),
         {CSensorSerialDlg::Close, CSensorSerialDlg::Number, CSensorSerialDlg::Save}},
        {"text", plain<CTextDlg>(), {T::Close, T::Text, T::Send}},
        {"calibration",
         [](Station& station) { return std::make_unique<CCalibrationDlg>(station, [] {}); },
         {K::Close, K::Point1, K::Point2, K::Ambient, K::InputLow, K::InputHigh, K::DriveLow,
          K::DriveMiddle, K::ReadInput, K::CalibrateAmbient, K::ReadAmbient, K::DriveHigh,
          K::CalibratePoint1, K::CalibratePoint2, K::UpdateView}},
        {"calibration_wizard", plain<CCalibrationWizardDlg>(), {W::Close, W::Value, W::Send, W::ReadInput}},
        {"output_current",
         plain<COutputCurrentDlg>(),
         {O::Close, O::Value, O::Spin, O::Set, O::Release}},
        {"factory_data", plain<CFactoryDataDlg>(), {CFactoryDataDlg::Close}},
        {"finder",
         plain<CFinderDlg>(),
         {F::Close, F::Hart, F::Rs485, F::Port, F::AddressFrom, F::AddressTo, F::Results,
          F::SearchStop, F::TakeOver}},
        {"dump_ram0", dump('R'), {CMemoryDumpDlg::Close}},
        {"dump_ram1", dump('S'), {CMemoryDumpDlg::Close}},
        {"dump_eeprom0", dump('F'), {CMemoryDumpDlg::Close}},
        {"dump_eeprom1", dump('E'), {CMemoryDumpDlg::Close}},
        {"line_monitor",
         plain<CLineMonitorDlg>(),
         {CLineMonitorDlg::Close, CLineMonitorDlg::Bytes, CLineMonitorDlg::StopStart}},
        {"register_read",
         plain<CRegisterReadDlg>(),
         {G::Close, G::StartAddress, G::EndAddress, G::ResultText, G::SlaveAddress, G::Run,
          CRegisterReadDlg::FloatToInt}},
        {"register_write",
         plain<CRegisterWriteDlg>(),
         {G::Close, G::StartAddress, G::EndAddress, G::ResultText, G::SlaveAddress, G::Run,
          CRegisterWriteDlg::OneRegister, CRegisterWriteDlg::FourRegisters, CRegisterWriteDlg::Eeprom}},
        {"console",
         plain<CHartConsoleDlg>(),
         {H::Close, H::Send, H::ToFloat, H::ToHart, H::InstructionText, H::ConversionText}},
    };
    return cases;
}

void prepareStation(Station& station, std::uint8_t flags, std::uint8_t calibration) {
    station.calibrationOptions = calibration & 0x1F;
    station.reverseOrder = (calibration >> 5) & 1;
    station.showMessage = [](std::string_view, std::string_view) {};
    if (flags & UseRs485) {
        station.link.transmissionMode = ModeRs485;
        station.link.baudIndex = 0;
        station.link.replyWait = 250;
        station.device.hasAmbient = 1;
    }
    if (flags & MasterAccess) station.enteredPassword = MasterPassword;
    if (flags & RivoFamily) station.device.isRivo = 1;
    if (flags & WithAmbient) station.device.hasAmbient = 1;
}

void driveDialog(DialogLogic& dialog, const std::vector<int>& controls, test::VirtualClock& clock,
                 FuzzInput& input, bool cancelBoxes) {
    test::FakeWindow window(dialog, clock);
    window.onBox = [&](const test::FakeWindow::Box&) {
        window.boxAnswers.push_back(cancelBoxes ? Answer::Cancel : Answer::Ok);
    };
    window.onChild = [&](DialogLogic& child) {
        test::FakeWindow childWindow(child, clock);
        if (!childWindow.open()) return static_cast<int>(ResultCancel);
        childWindow.click(input.action() & 1 ? ResultOk : ResultCancel);
        if (!childWindow.ended()) childWindow.end(ResultCancel);
        return childWindow.result();
    };
    if (!window.open()) return;
    const auto control = [&] { return controls[input.action() % controls.size()]; };
    for (int step = 0; step < MaxActions && input.actionsLeft() && !window.ended(); ++step) {
        switch (input.action() % ActionCount) {
            case Wait:
                clock.advance((input.action() + 1) * 20);
                break;
            case Click:
                window.click(control());
                break;
            case Type: {
                const int id = control();
                window.type(id, input.actionText(MaxTypedLength));
                break;
            }
            case Choose: {
                // Only what the list offers can be picked.
                const int id = control();
                const std::size_t entries = window.items(id).size();
                const int index = static_cast<int>(input.action() % (entries + 1)) - 1;
                if (entries != 0) window.choose(id, index);
                break;
            }
            case Toggle: {
                const int id = control();
                window.setChecked(id, !window.isChecked(id));
                window.click(id);
                break;
            }
            case FocusLeave: {
                const int id = control();
                window.focus(id);
                window.leave(id);
                break;
            }
            case ScrollBar: {
                const int id = control();
                if (!window.ended()) dialog.onScroll(id, static_cast<Scroll>(input.action() % 4));
                break;
            }
            case MouseDown: {
                const int x = input.action() * 2;
                const int y = input.action();
                if (!window.ended()) dialog.onMouseDown(x, y);
                break;
            }
        }
    }
    clock.advanceUntil([&] { return window.ended(); }, EndWaitMs, 50);
    if (!window.ended()) window.close();
    clock.advanceUntil([&] { return window.ended(); }, EndWaitMs, 50);
    // A dialog that would not close is ended as the window manager would.
    if (!window.ended()) window.end(ResultCancel);
}

std::uint8_t ActionScript::indexOf(int id) const {
    const auto it = std::find(controls_.begin(), controls_.end(), id);
    if (it == controls_.end()) throw std::invalid_argument("control not listed for the dialog");
    return static_cast<std::uint8_t>(it - controls_.begin());
}

ActionScript& ActionScript::wait(int seconds) {
    for (int left = seconds * 1000; left > 0; left -= 5120) {
        seed_.action(Wait);
        seed_.action(255);
    }
    return *this;
}

ActionScript& ActionScript::click(int id) {
    seed_.action(Click);
    seed_.action(indexOf(id));
    return *this;
}

ActionScript& ActionScript::type(int id, const std::string& text) {
    seed_.action(Type);
    seed_.action(indexOf(id));
    seed_.actionText(text.substr(0, MaxTypedLength));
    return *this;
}

ActionScript& ActionScript::toggle(int id) {
    seed_.action(Toggle);
    seed_.action(indexOf(id));
    return *this;
}

}  // namespace doxa::fuzz
