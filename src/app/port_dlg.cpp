#include "app/port_dlg.h"

#include "link/port.h"
#include "transmitter/station.h"

namespace doxa {

void CPortDlg::onInit() { window().setSelection(PortList, station_.link.portNumber); }

void CPortDlg::onCommand(int id) {
    if (id != Ok) {
        DialogLogic::onCommand(id);
        return;
    }
    station_.link.portNumber = window().selection(PortList);
    releasePort(station_);
    window().end(ResultOk);
}

}  // namespace doxa
