// The test points the calibration dialog drives the output to, as they go out over HART: the
// value's float with its last byte cleared.

#include <gtest/gtest.h>

#include "calibration/calib_dlg.h"
#include "calibration/dialog_session.h"

namespace doxa::test {
namespace {

using D = CCalibrationDlg;

// 18.4 is 0x41933333: a fault that keeps the last byte, or clears another, changes the request.
TEST(CalibrationDrivePoints, Ustaw18_4SendsItsFloatWithTheLastByteCleared) {
    DialogSession<CCalibrationDlg> c(sim::Model::Doxa22, false, [] {});
    ASSERT_TRUE(c.open());
    ASSERT_TRUE(c.press(D::DriveHigh));
    const Bytes request{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                        0x02, 0x80, 40,   4,    0x41, 0x93, 0x33, 0x00, 0x4F};
    ASSERT_FALSE(c.sent(40).empty());
    EXPECT_EQ(c.sent(40).back(), request);
    EXPECT_EQ(c.text(D::Point2), "18.4");
    EXPECT_EQ(c.text(D::Status), "Wpisz wartość prądu");
    EXPECT_NEAR(*c.sim.device().fixedOutput, 18.4f, 1e-4);
}

}  // namespace
}  // namespace doxa::test
