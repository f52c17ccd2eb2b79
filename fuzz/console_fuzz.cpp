// The HART console's typed instruction and its float converter, and the byte-value reader
// underneath both. The typed text goes out to a simulated transmitter as the technician sent it.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "service/byte_values.h"
#include "service/console_dlg.h"
#include "support/fake_window.h"
#include "support/sim_station.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace doxa;
    using Dlg = CHartConsoleDlg;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // Every value ends at a ',' or at the end of the text, so there can never be more of them.
    const std::size_t commas = static_cast<std::size_t>(std::count(text.begin(), text.end(), ','));
    if (parseByteValues(text).size() > commas + 1 || parseByteValues(text, 10).size() > commas + 1)
        std::abort();

    test::SimStation sim;
    Dlg dialog(sim.station);
    test::FakeWindow window(dialog, sim.clock);
    if (!window.open()) return 0;
    window.focus(Dlg::InstructionText);
    window.type(Dlg::InstructionText, consoleTemplate() + std::string(text));
    window.click(Dlg::Send);
    sim.clock.advance(2000);
    window.focus(Dlg::ConversionText);
    window.type(Dlg::ConversionText, std::string(text));
    window.click(Dlg::ToFloat);
    window.focus(Dlg::ConversionText);
    window.type(Dlg::ConversionText, std::string(text));
    window.click(Dlg::ToHart);
    window.close();
    return 0;
}
