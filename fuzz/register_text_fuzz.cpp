// What the technician types into the MODBUS register dialogs: the addresses and the data text of
// a write. The input holds the start address, the end address and the data text, each ended by
// a line break; the first byte chooses one or four registers and the EEPROM write.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "service/register_read_dlg.h"
#include "service/register_write_dlg.h"
#include "support/fake_window.h"
#include "support/sim_station.h"

namespace {

std::string nextField(std::string_view& rest) {
    const std::size_t end = rest.find('\n');
    const std::string field(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    return field;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace doxa;
    using G = CRegisterDlg;
    using W = CRegisterWriteDlg;
    if (size < 1) return 0;
    const std::uint8_t choices = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string start = nextField(rest);
    const std::string end = nextField(rest);
    const std::string values(rest);

    test::SimStation sim;
    sim.useRs485();
    sim.device().address = 1;
    sim.station.device.pollingAddress = 1;
    {
        CRegisterWriteDlg write(sim.station);
        test::FakeWindow window(write, sim.clock);
        if (!window.open()) return 0;
        if (choices & 1) window.click(W::FourRegisters);
        window.setChecked(W::Eeprom, (choices & 2) != 0);
        window.type(G::StartAddress, start);
        window.leave(G::StartAddress);
        if (choices & 4) {
            window.type(G::EndAddress, end);
            window.leave(G::EndAddress);
        }
        window.type(G::ResultText, values);
        window.click(G::Run);
        sim.clock.advance(3000);
        window.close();
    }
    {
        CRegisterReadDlg read(sim.station);
        test::FakeWindow window(read, sim.clock);
        if (!window.open()) return 0;
        window.type(G::StartAddress, start);
        window.leave(G::StartAddress);
        window.type(G::EndAddress, end);
        window.leave(G::EndAddress);
        window.click(G::Run);
        sim.clock.advance(3000);
        window.click(CRegisterReadDlg::FloatToInt);
        window.close();
    }
    return 0;
}
