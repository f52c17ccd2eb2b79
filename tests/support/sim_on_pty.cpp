#include "support/sim_on_pty.h"

#include "document/document.h"
#include "link/port.h"
#include "sim/line_factory.h"

namespace doxa::test {
namespace {

MemorySettingsStore storeFor(const std::filesystem::path& link,
                             std::initializer_list<StoredSetting> settings) {
    MemorySettingsStore store;
    store.writeInt("COM", "COM", SimOnPty::PortCom3);
    store.writeText("Porty", "COM3", link.string());
    for (const StoredSetting& setting : settings)
        store.writeInt(setting.section, setting.key, setting.value);
    return store;
}

}  // namespace

SimOnPty::SimOnPty(std::vector<std::string> simArgs, std::initializer_list<StoredSetting> settings)
    : store(storeFor(link, settings)),
      simArgs_(std::move(simArgs)),
      sim_(std::make_unique<SimProcess>(simArgs_, link)) {
    station.makeLine = makeLineFactory(store);
    station.link.portNumber = PortCom3;
    station.showMessage = [this](std::string_view text, std::string_view) {
        messages.emplace_back(text);
    };
    // As every program starts: with a new document, whose range a transmitter can hold.
    resetToNewDocument(station.device);
}

SimOnPty::~SimOnPty() { releasePort(station); }

bool SimOnPty::startSimulatorAgain() {
    sim_ = std::make_unique<SimProcess>(simArgs_, link);
    return sim_->linked();
}

}  // namespace doxa::test
