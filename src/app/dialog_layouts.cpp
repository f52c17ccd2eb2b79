#include "app/dialog_layouts.h"

#include <QDialog>
#include <map>

// Each layout joins with its generated form header here and one entry in the table below;
// uic makes ui_<name>.h from <name>.ui found in any source folder.
#include "ui_about_dlg.h"
#include "ui_display_dlg.h"
#include "ui_ident_dlg.h"
#include "ui_port_dlg.h"
#include "ui_rs485_dlg.h"
#include "ui_calib_dlg.h"
#include "ui_calib_settings_dlg.h"
#include "ui_calib_wizard_dlg.h"
#include "ui_delta_dlg.h"
#include "ui_factory_data_dlg.h"
#include "ui_output_current_dlg.h"

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
    {134, setUp<Ui::CalibDlg>},
    {112, setUp<Ui::CalibSettingsDlg>},
    {111, setUp<Ui::CalibWizardDlg>},
    {127, setUp<Ui::DeltaDlg>},
    {126, setUp<Ui::FactoryDataDlg>},
    {109, setUp<Ui::OutputCurrentDlg>},
};

}  // namespace

LayoutSetup findLayout(int resource) {
    const auto it = layouts.find(resource);
    return it == layouts.end() ? nullptr : it->second;
}

}  // namespace doxa
