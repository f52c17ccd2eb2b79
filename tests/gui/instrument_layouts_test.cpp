// Every control the reference instrument dialogs' logic addresses is in their layouts, as the
// kind of widget the logic expects of it.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <utility>
#include <vector>

#include "history/reference_instrument_dlg.h"
#include "history/reference_instruments_dlg.h"
#include "host/dialog_layouts.h"

namespace doxa {
namespace {

template <typename Widget>
bool holds(QDialog& dialog, int id) {
    return qobject_cast<Widget*>(dialog.findChild<QWidget*>(QStringLiteral("c%1").arg(id))) != nullptr;
}

TEST(InstrumentLayouts, HoldEveryControlTheLogicUses) {
    using R = CReferenceInstrumentsDlg;
    QDialog registerDialog;
    ASSERT_NE(findLayout(R::Resource), nullptr);
    findLayout(R::Resource)(registerDialog);
    EXPECT_EQ(registerDialog.windowTitle().toStdString(), "Przyrządy wzorcowe");
    for (int id : {R::Close, R::Save, R::Add, R::Retire}) EXPECT_TRUE(holds<QAbstractButton>(registerDialog, id)) << id;
    for (int id : {R::Name, R::Model, R::Serial, R::Certificate, R::Due})
        EXPECT_TRUE(holds<QLineEdit>(registerDialog, id)) << id;
    EXPECT_TRUE(holds<QPlainTextEdit>(registerDialog, R::Uncertainties));
    EXPECT_TRUE(holds<QListWidget>(registerDialog, R::Instruments));
    EXPECT_TRUE(holds<QListWidget>(registerDialog, R::Changes));
    EXPECT_TRUE(holds<QLabel>(registerDialog, R::StatusText));

    // The tolerances' dialog holds them alone: the instrument is the register's.
    using T = CReferenceInstrumentDlg;
    QDialog tolerances;
    findLayout(T::Resource)(tolerances);
    for (int id : {T::TemperatureTolerance, T::InputTolerance, T::OutputTolerance})
        EXPECT_TRUE(holds<QLineEdit>(tolerances, id)) << id;
    EXPECT_EQ(tolerances.findChildren<QLineEdit*>().size(), 3);
}

}  // namespace
}  // namespace doxa
