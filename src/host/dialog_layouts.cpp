#include "host/dialog_layouts.h"

#include <QDialog>
#include <map>

// Each layout joins with its generated form header here and one entry in the table below;
// uic makes ui_<name>.h from <name>.ui found in any source folder.
#include "ui_about_dlg.h"
#include "ui_display_dlg.h"
#include "ui_finder_dlg.h"
#include "ui_ident_dlg.h"
#include "ui_port_dlg.h"
#include "ui_rs485_dlg.h"
#include "ui_characteristic_dlg.h"
#include "ui_sensor_dlg.h"
#include "ui_sensor_serial_dlg.h"
#include "ui_text_dlg.h"
#include "ui_output_type_dlg.h"
#include "ui_prog_dlg.h"
#include "ui_prog_zu_dlg.h"
#include "ui_password_dlg.h"
#include "ui_password_change_dlg.h"
#include "ui_console_dlg.h"
#include "ui_line_monitor_dlg.h"
#include "ui_memory_dump_dlg.h"
#include "ui_register_read_dlg.h"
#include "ui_register_write_dlg.h"
#include "ui_calib_dlg.h"
#include "ui_calib_settings_dlg.h"
#include "ui_calib_wizard_dlg.h"
#include "ui_delta_dlg.h"
#include "ui_factory_data_dlg.h"
#include "ui_output_current_dlg.h"
#include "ui_line_stats_dlg.h"
#include "ui_backups_dlg.h"
#include "ui_history_dlg.h"
#include "ui_reference_instrument_dlg.h"
#include "ui_reference_instruments_dlg.h"

namespace doxa {

namespace {

template <typename Form>
void setUp(QDialog& dialog) {
    // The form object only holds pointers to the widgets it creates; the dialog owns them.
    Form form;
    form.setupUi(&dialog);
}

const std::map<int, LayoutSetup> layouts = {
    {100, setUp<Ui::AboutDlg>},
    {104, setUp<Ui::DisplayDlg>},
    {107, setUp<Ui::PortDlg>},
    {113, setUp<Ui::IdentDlg>},
    {128, setUp<Ui::Rs485Dlg>},
    {118, setUp<Ui::SensorDlg>},
    {119, setUp<Ui::SensorSerialDlg>},
    {123, setUp<Ui::TextDlg>},
    {124, setUp<Ui::CharacteristicDlg>},
    {105, setUp<Ui::ProgDlg>},
    {133, setUp<Ui::OutputTypeDlg>},
    {135, setUp<Ui::ProgZUDlg>},
    {116, setUp<Ui::PasswordDlg>},
    {117, setUp<Ui::PasswordChangeDlg>},
    {106, setUp<Ui::ConsoleDlg>},
    {110, setUp<Ui::MemoryDumpDlg>},
    {125, setUp<Ui::LineMonitorDlg>},
    {129, setUp<Ui::RegisterReadDlg>},
    {130, setUp<Ui::RegisterWriteDlg>},
    {140, setUp<Ui::FinderDlg>},
    {134, setUp<Ui::CalibDlg>},
    {112, setUp<Ui::CalibSettingsDlg>},
    {111, setUp<Ui::CalibWizardDlg>},
    {127, setUp<Ui::DeltaDlg>},
    {126, setUp<Ui::FactoryDataDlg>},
    {109, setUp<Ui::OutputCurrentDlg>},
    {141, setUp<Ui::LineStatsDlg>},
    {142, setUp<Ui::BackupsDlg>},
    {143, setUp<Ui::HistoryDlg>},
    {144, setUp<Ui::ReferenceInstrumentDlg>},
    {145, setUp<Ui::ReferenceInstrumentsDlg>},
};

}  // namespace

LayoutSetup findLayout(int resource) {
    const auto it = layouts.find(resource);
    return it == layouts.end() ? nullptr : it->second;
}

}  // namespace doxa
