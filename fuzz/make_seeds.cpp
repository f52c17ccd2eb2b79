// Writes the seed corpora: real configuration files from the codec, real simulator answers to
// each dialog as a technician works it, and typical typed texts and settings files.
// Usage: make_fuzz_seeds <corpus folder>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/document_codec.h"
#include "calibration/calib_dlg.h"
#include "calibration/calib_wizard_dlg.h"
#include "calibration/output_current_dlg.h"
#include "dialog_driver.h"
#include "fuzz_line.h"
#include "programming/characteristic_dlg.h"
#include "programming/prog_dlg.h"
#include "programming/prog_zu_dlg.h"
#include "programming/rs485_dlg.h"
#include "programming/sensor_serial_dlg.h"
#include "programming/text_dlg.h"
#include "service/console_dlg.h"
#include "service/finder_dlg.h"
#include "service/line_monitor_dlg.h"
#include "service/register_write_dlg.h"
#include "support/sim_station.h"
#include "transmitter/display_dlg.h"

namespace fs = std::filesystem;
using namespace doxa;
using Bytes = std::vector<std::uint8_t>;

namespace {

void save(const fs::path& file, const Bytes& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void save(const fs::path& file, const std::string& text) { save(file, Bytes(text.begin(), text.end())); }

void documents(const fs::path& folder) {
    DeviceRecord device;
    resetToNewDocument(device);
    Characteristic characteristic;
    save(folder / "empty.prg", writeDocument(device, characteristic));
    device.modelName = "DOXA-22";
    device.sensorType = 3;
    device.rangeMin = -15;
    device.rangeMax = 85;
    device.threshold = 70;
    device.hysteresis = 2;
    device.filterTime = 5;
    device.serialNumber = 70000;
    characteristic.characteristicCount = 3;
    for (int i = 0; i < 3; ++i) {
        characteristic.x(i) = static_cast<float>(i * 10);
        characteristic.y(i) = static_cast<float>(i * 12);
    }
    save(folder / "three_points.prg", writeDocument(device, characteristic));
    device.modelName = "RIVO-ZU żółć";
    characteristic.characteristicCount = Characteristic::MaxPoints;
    for (int i = 0; i < Characteristic::MaxPoints; ++i) {
        characteristic.x(i) = static_cast<float>(i);
        characteristic.y(i) = static_cast<float>(i) * 0.5f;
    }
    save(folder / "full_table.prg", writeDocument(device, characteristic));
}

using Script = std::function<void(fuzz::ActionScript&)>;

std::map<std::string, Script> scripts() {
    using P = CProgDlg;
    using C = CCharacteristicDlg;
    using G = CRegisterDlg;
    return {
        {"ident", [](auto& s) { s.wait(30); }},
        {"display", [](auto& s) { s.wait(20).click(CDisplayDlg::StopStart).wait(3).click(CDisplayDlg::StopStart).wait(5); }},
        {"prog", [](auto& s) { s.wait(20).type(P::RangeMin, "0").type(P::RangeMax, "100").click(P::Send).wait(60); }},
        {"prog_zu", [](auto& s) { s.wait(20).click(CProgZUDlg::Send).wait(60); }},
        {"rs485", [](auto& s) { s.click(CRs485Dlg::Baud9600).click(CRs485Dlg::Program).wait(10).click(CRs485Dlg::Set).wait(5); }},
        {"characteristic", [](auto& s) { s.click(C::Read).wait(30).type(C::CountEdit, "3").click(C::Send).wait(30); }},
        {"sensor", [](auto& s) { s.wait(10); }},
        {"sensor_serial", [](auto& s) { s.type(CSensorSerialDlg::Number, "70000").click(CSensorSerialDlg::Save).wait(10); }},
        {"text", [](auto& s) { s.wait(5).type(CTextDlg::Text, "TT-202").click(CTextDlg::Send).wait(10); }},
        {"calibration",
         [](auto& s) {
             using K = CCalibrationDlg;
             s.click(K::InputLow).wait(5).click(K::ReadInput).wait(5).click(K::InputHigh).wait(5)
                 .click(K::ReadAmbient).wait(5).click(K::DriveLow).wait(5);
         }},
        {"calibration_wizard",
         [](auto& s) {
             using W = CCalibrationWizardDlg;
             s.click(W::Send).wait(10).type(W::Value, "5.58").click(W::Send).wait(10).click(W::ReadInput).wait(5);
         }},
        {"output_current",
         [](auto& s) {
             using O = COutputCurrentDlg;
             s.wait(3).type(O::Value, "12").click(O::Set).wait(5).click(O::Release).wait(5);
         }},
        {"factory_data", [](auto& s) { s.wait(30); }},
        {"finder",
         [](auto& s) {
             using F = CFinderDlg;
             s.type(F::AddressFrom, "0").type(F::AddressTo, "2").click(F::SearchStop).wait(20);
         }},
        {"dump_ram0", [](auto& s) { s.wait(20); }},
        {"dump_ram1", [](auto& s) { s.wait(20); }},
        {"dump_eeprom0", [](auto& s) { s.wait(20); }},
        {"dump_eeprom1", [](auto& s) { s.wait(20); }},
        {"line_monitor", [](auto& s) { s.wait(5).click(CLineMonitorDlg::StopStart).wait(2); }},
        {"register_read",
         [](auto& s) { s.type(G::StartAddress, "0").type(G::EndAddress, "3").click(G::Run).wait(3); }},
        {"register_write",
         [](auto& s) {
             s.click(CRegisterWriteDlg::FourRegisters).type(G::StartAddress, "56")
                 .type(G::ResultText, "0x82,0x40,0,0").click(G::Run).wait(3);
         }},
        {"console",
         [](auto& s) {
             s.type(CHartConsoleDlg::InstructionText, consoleTemplate() + "0x02, 0x80, 0x00, 0x00")
                 .click(CHartConsoleDlg::Send).wait(3);
         }},
    };
}

// Works the dialog against the simulator as the script says and keeps its real answers.
Bytes record(std::size_t which, std::uint8_t flags, const Script& script) {
    // Input, output and compensation, as the settings dialog offers them first.
    constexpr std::uint8_t Calibration = 0x07;
    const fuzz::DialogCase& chosen = fuzz::dialogCases()[which];
    fuzz::SeedWriter actions;
    fuzz::ActionScript steps(actions, chosen.controls);
    script(steps);
    const Bytes actionBytes = actions.bytes();
    fuzz::FuzzInput input(actionBytes);

    fuzz::SeedWriter seed;
    test::SimStation sim;
    fuzz::prepareStation(sim.station, flags, Calibration);
    const auto simLines = sim.station.makeLine;
    sim.station.makeLine = [&](int port) -> std::unique_ptr<SerialLine> {
        std::unique_ptr<SerialLine> inner = simLines(port);
        auto* simLine = dynamic_cast<sim::SimLine*>(inner.get());
        return std::make_unique<fuzz::RecordingLine>(
            std::move(inner), [simLine] { return simLine->answers().back(); }, seed);
    };
    {
        const std::unique_ptr<DialogLogic> dialog = chosen.make(sim.station);
        fuzz::driveDialog(*dialog, chosen.controls, sim.clock, input, false);
    }
    sim.station.link.portHandle.reset();
    Bytes bytes = {static_cast<std::uint8_t>(which), flags, Calibration};
    const Bytes answers = seed.bytes();
    bytes.insert(bytes.end(), answers.begin(), answers.end());
    bytes.insert(bytes.end(), actionBytes.begin(), actionBytes.end());
    return bytes;
}

void dialogs(const fs::path& folder) {
    const auto all = scripts();
    const auto& cases = fuzz::dialogCases();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto script = all.find(cases[i].name);
        if (script == all.end()) throw std::runtime_error("no seed script for " + cases[i].name);
        save(folder / (cases[i].name + "-hart"), record(i, fuzz::MasterAccess, script->second));
        save(folder / (cases[i].name + "-rs485"),
             record(i, fuzz::MasterAccess | fuzz::UseRs485 | fuzz::WithAmbient, script->second));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds <corpus folder>\n");
        return 2;
    }
    const fs::path corpus = argv[1];
    documents(corpus / "document_fuzz");
    dialogs(corpus / "dialog_answers_fuzz");
    save(corpus / "console_fuzz" / "command0", std::string("0x02, 0x80, 0x00, 0x00"));
    save(corpus / "console_fuzz" / "float", std::string("0x42, 0xf6, 0xe9, 0x79"));
    save(corpus / "console_fuzz" / "decimal", std::string("-123.456"));
    save(corpus / "console_fuzz" / "octal", std::string("010, 7, 0xff,,0"));
    save(corpus / "register_text_fuzz" / "four", std::string("\x05" "56\n59\n0x82,0x40,0,0"));
    save(corpus / "register_text_fuzz" / "one", std::string("\x02" "0\n0\n0x7e"));
    save(corpus / "register_text_fuzz" / "range", std::string("\x04" " 100\n132\n"));
    save(corpus / "settings_fuzz" / "hart",
         std::string("COM/COM=0\nPolling_adres/ADRES=3\nDELTA/DELTA=8\nTransmisja/RS485=0\n"
                     "Porty/COM1=sim:DOXA-22\nRecent File List/File1=/tmp/a.prg\n"));
    save(corpus / "settings_fuzz" / "rs485",
         std::string("COM/COM=1\nTransmisja/RS485=1\nBAUD/BAUD=3\nPorty/COM2= sim:RIVO-ZU \n"
                     "PASSWORD/P0=1\nPASSWORD/P1=a\nPASSWORD/P2=b\nPASSWORD/P3=c\n"));
    save(corpus / "settings_fuzz" / "unset", std::string("COM/COM=-1\nBAUD/BAUD=x\n"));
    return 0;
}
