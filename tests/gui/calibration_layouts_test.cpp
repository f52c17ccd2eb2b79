// Every control the calibration dialogs' logic addresses is in their layouts, as the kind of
// widget the logic expects of it.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <vector>

#include "host/dialog_layouts.h"
#include "calibration/calib_dlg.h"
#include "calibration/calib_procedure_dlg.h"
#include "calibration/calib_settings_dlg.h"
#include "calibration/calib_wizard_dlg.h"
#include "calibration/delta_dlg.h"
#include "calibration/factory_data_dlg.h"
#include "calibration/output_current_dlg.h"

namespace doxa {
namespace {

enum class Kind { Button, Edit, Label, ScrollBar, Choice, List };

struct Control {
    int id;
    Kind kind;
};

struct Layout {
    int resource;
    const char* title;
    std::vector<Control> controls;
};

bool isKind(QWidget* widget, Kind kind) {
    switch (kind) {
        case Kind::Button: return qobject_cast<QAbstractButton*>(widget) != nullptr;
        case Kind::Edit: return qobject_cast<QLineEdit*>(widget) != nullptr;
        case Kind::Label: return qobject_cast<QLabel*>(widget) != nullptr;
        case Kind::ScrollBar: return qobject_cast<QScrollBar*>(widget) != nullptr;
        case Kind::Choice: return qobject_cast<QComboBox*>(widget) != nullptr;
        case Kind::List: return qobject_cast<QListWidget*>(widget) != nullptr;
    }
    return false;
}

TEST(CalibrationLayouts, HoldEveryControlTheLogicUses) {
    using C = CCalibrationDlg;
    using S = CCalibrationSettingsDlg;
    using W = CCalibrationWizardDlg;
    using O = COutputCurrentDlg;
    using F = CFactoryDataDlg;
    using P = CCalibProcedureDlg;
    const Kind B = Kind::Button, E = Kind::Edit, L = Kind::Label, Ch = Kind::Choice;
    const std::vector<Layout> layouts = {
        {C::Resource, "Kalibracja",
         {{C::Close, B}, {C::InputValue, E}, {C::Point1, E}, {C::Point2, E}, {C::Ambient, E},
          {C::Status, L}, {C::InputLow, B}, {C::InputHigh, B}, {C::DriveLow, B}, {C::DriveMiddle, B},
          {C::ReadInput, B}, {C::CalibrateAmbient, B}, {C::ReadAmbient, B}, {C::DriveHigh, B},
          {C::CalibratePoint1, B}, {C::CalibratePoint2, B}, {C::UpdateView, B}}},
        {S::Resource, "Ustawienia kalibracji",
         {{S::Ok, B}, {S::Cancel, B}, {S::Input, B}, {S::Output, B}, {S::TrimSet, B},
          {S::TrimCancel, B}, {S::Compensation, B}, {S::All, B}, {S::Reverse, B}}},
        {W::Resource, "Kalibracja wejścia",
         {{W::Close, B}, {W::Value, E}, {W::InputValue, E}, {W::LineErrors, L}, {W::Progress, L},
          {W::Instruction, L}, {W::Send, B}, {W::ReadInput, B}}},
        {O::Resource, "Prąd wyjściowy",
         {{O::Close, B}, {O::Value, E}, {O::Spin, Kind::ScrollBar}, {O::Status, L}, {O::Set, B},
          {O::Release, B}, {O::Unit, L}, {O::Label, L}}},
        {F::Resource, "", {{F::Close, B}, {F::Errors, L}, {F::Connection, L}, {F::StepText, L}}},
        {CDeltaDlg::Resource, "DELTA", {{CDeltaDlg::Ok, B}, {CDeltaDlg::Cancel, B}, {CDeltaDlg::Value, E}}},
        {P::Resource, "Procedura kalibracji",
         {{P::Cancel, B}, {P::Technician, E}, {P::Customer, E}, {P::Tag, E}, {P::Ambient, E}, {P::Humidity, E},
          {P::InputInstrument, Ch}, {P::OutputInstrument, Ch}, {P::InputTolerance, E}, {P::InputToleranceUnit, Ch},
          {P::OutputTolerance, E}, {P::Interval, E}, {P::Points, E}, {P::RegisterState, L}, {P::SensorInfo, L},
          {P::Start, B}, {P::Prompt, L}, {P::Typed, E}, {P::Next, B}, {P::Readings, L},
          {P::Results, Kind::List}, {P::Status, L}, {P::Adjust, B}, {P::AsLeft, B}, {P::Finish, B}}},
    };
    for (const Layout& layout : layouts) {
        const LayoutSetup setup = findLayout(layout.resource);
        ASSERT_NE(setup, nullptr) << layout.resource;
        QDialog dialog;
        setup(dialog);
        EXPECT_EQ(dialog.windowTitle().toStdString(), layout.title);
        for (const Control& control : layout.controls) {
            auto* widget = dialog.findChild<QWidget*>(QStringLiteral("c%1").arg(control.id));
            EXPECT_TRUE(widget && isKind(widget, control.kind)) << layout.resource << " c" << control.id;
        }
    }
}

}  // namespace
}  // namespace doxa
