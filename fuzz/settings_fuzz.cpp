// The settings file as start-up reads it: every "section/key=value" line of the input becomes a
// stored value, then the program starts as it does on a technician's machine: the access check,
// the recent files, the port and line settings and the identification of the transmitter.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "access/access.h"
#include "app/application.h"
#include "dialog/command_ids.h"
#include "support/fake_shell.h"
#include "sim/line_factory.h"
#include "settings/port_mapping.h"
#include "support/fake_window.h"
#include "support/sim_station.h"
#include "transmitter/ident_dlg.h"

namespace {

void store(doxa::MemorySettingsStore& settings, std::string_view line) {
    const std::size_t slash = line.find('/');
    const std::size_t equals = line.find('=', slash == std::string_view::npos ? 0 : slash);
    if (slash == std::string_view::npos || equals == std::string_view::npos) return;
    settings.writeText(line.substr(0, slash), line.substr(slash + 1, equals - slash - 1),
                       line.substr(equals + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace doxa;
    test::SimStation sim;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        store(sim.settings, text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }

    // A port mapped to a simulated transmitter is built the way the program builds it; every
    // other port leads to the test's simulator rather than to a device of this machine.
    const LineFactory programLines = makeLineFactory(sim.settings);
    const LineFactory testLines = sim.station.makeLine;
    sim.station.makeLine = [&](int portNumber) -> std::unique_ptr<SerialLine> {
        if (!resolvePort(sim.settings, portNumber).simModel.empty()) return programLines(portNumber);
        return testLines(portNumber);
    };

    test::FakeShell shell(sim.clock);
    shell.scripts[CInitDlg::Resource] = [&](test::FakeWindow& window, DialogLogic&) {
        sim.clock.advanceUntil(
            [&] { return window.ended() || window.text(CInitDlg::ProgressText) == "Koniec"; }, 60'000);
        window.click(CInitDlg::Close);
    };
    decideAccess(sim.station, [&](DialogLogic& dialog) { return shell.runDialog(dialog); });
    Application app(sim.station, shell);
    app.startUp();
    // The menus read their states from what start-up left behind.
    for (int command : {CmdSave, CmdPrint, CmdRecentFile, CmdInitialize, CmdDisplay, CmdProgram,
                        CmdCalibrate, CmdSensor, CmdText, CmdOutputCurrent, CmdPasswords, CmdPort,
                        CmdModeHart, CmdModeRs485, CmdFamilyDoxa, CmdFamilyRivo, CmdRam0, CmdRam1,
                        CmdEeprom0, CmdEeprom1, CmdRegistersRead, CmdRegistersWrite, CmdLineMonitor,
                        CmdHartConsole, CmdFactorySettings, CmdSetDelta, CmdFindTransmitter}) {
        app.isEnabled(command);
        app.isChecked(command);
    }
    app.shutDown();
    return 0;
}
