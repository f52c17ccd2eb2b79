#include "access/access.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "access/password_change_dlg.h"
#include "access/password_dlg.h"
#include "support/fake_window.h"
#include "support/virtual_clock.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa::test {
namespace {

using Ids = std::vector<int>;

// The documented button sets, slot 1 to 9.
const Ids Full = {61204, 61205, 61206, 61207, 61208, 61213, 61209, 61210, 61211};
const Ids Standard = {61204, 61205, 61206, 61207, 61208, 61213, 61209, 61212, 61212};
const Ids Programming = {61204, 61205, 61212, 61212, 61208, 61213, 61209, 61212, 61212};
const Ids Display = {61204, 61212, 61212, 61212, 61208, 61213, 61212, 61212, 61212};

struct Placement {
    int x, y, width, height;
    bool operator==(const Placement&) const = default;
};
const Placement Small{50, 100, 550, 130};
const Placement Large{10, 10, 750, 550};

struct Case {
    const char* name;
    const char* p0;
    const char* p1;
    const char* p2;
    const char* p3;
    std::optional<std::string> typed;  // nullopt: the dialog left with Esc
    bool asked;
    Ids toolbar;
    Placement window;
    bool master;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class AccessTable : public ::testing::TestWithParam<Case> {};

TEST_P(AccessTable, ThePasswordDecidesTheToolbarAndTheWindow) {
    const Case& c = GetParam();
    MemorySettingsStore store;
    store.writeText("PASSWORD", "P0", c.p0);
    store.writeText("PASSWORD", "P1", c.p1);
    store.writeText("PASSWORD", "P2", c.p2);
    store.writeText("PASSWORD", "P3", c.p3);
    Station station(store);
    station.enteredPassword = "stale";
    VirtualClock clock;
    std::vector<int> shown;
    const AccessLevel level = decideAccess(station, [&](DialogLogic& dialog) {
        shown.push_back(dialog.layout());
        FakeWindow window(dialog, clock);
        window.open();
        if (c.typed) {
            window.type(CPasswordDlg::Password, *c.typed);
            window.click(CPasswordDlg::Ok);
        } else {
            window.type(CPasswordDlg::Password, "qvzr");
            window.close();
        }
        return window.result();
    });

    EXPECT_EQ(shown, c.asked ? Ids{116} : Ids{});
    EXPECT_EQ(level.asked, c.asked);
    EXPECT_EQ(Ids(level.toolbar.begin(), level.toolbar.end()), c.toolbar);
    const WindowPlacement& p = level.placement;
    EXPECT_EQ((Placement{p.x, p.y, p.width, p.height}), c.window);
    EXPECT_EQ(station.hasMasterAccess(), c.master);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, AccessTable,
    ::testing::Values(
        Case{"ProtectionOff", "0", "s", "k", "p", "", false, Standard, Small, false},
        Case{"ProtectionAbsent", "", "s", "k", "p", "", false, Standard, Small, false},
        Case{"CalibrationPasswordMissing", "1", "s", "", "p", "", false, Standard, Small, false},
        Case{"Service", "1", "serw1", "kal2", "prog3", "serw1", true, Full, Large, false},
        Case{"Calibration", "1", "serw1", "kal2", "prog3", "kal2", true, Standard, Small, false},
        Case{"Programming", "1", "serw1", "kal2", "prog3", "prog3", true, Programming, Small,
             false},
        Case{"ServiceEqualsProgramming", "1", "same", "kal2", "same", "same", true, Programming,
             Large, false},
        Case{"Master", "1", "serw1", "kal2", "prog3", "qvzr", true, Full, Large, true},
        Case{"MasterInOtherCase", "1", "serw1", "kal2", "prog3", "QVZR", true, Standard, Small,
             false},
        Case{"Unknown", "1", "serw1", "kal2", "prog3", "xyz", true, Standard, Small, false},
        Case{"Empty", "1", "serw1", "kal2", "prog3", "", true, Display, Small, false},
        Case{"Escape", "1", "serw1", "kal2", "prog3", std::nullopt, true, Display, Small, false}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

class PasswordChangeTest : public ::testing::Test {
protected:
    PasswordChangeTest() {
        store.writeText("PASSWORD", "P1", "serw1");
        store.writeText("PASSWORD", "P3", "prog3");
        window.open();
    }

    void select(int kind) {
        for (int k : {CPasswordChangeDlg::Service, CPasswordChangeDlg::Calibration,
                      CPasswordChangeDlg::Programming})
            window.setChecked(k, k == kind);
        window.click(kind);
    }
    std::string stored(const char* key) const { return store.readText("PASSWORD", key, "-"); }
    std::vector<std::string> boxes() const {
        std::vector<std::string> texts;
        for (const auto& box : window.boxes()) texts.push_back(box.text);
        return texts;
    }

    MemorySettingsStore store;
    Station station{store};
    VirtualClock clock;
    CPasswordChangeDlg dialog{station};
    FakeWindow window{dialog, clock};
};

TEST_F(PasswordChangeTest, OpensEmptyWithNoKindChosenAndShowsTheStoredOneOfAKind) {
    EXPECT_EQ(window.text(CPasswordChangeDlg::Password), "");
    EXPECT_FALSE(window.isChecked(CPasswordChangeDlg::Service));
    EXPECT_FALSE(window.isChecked(CPasswordChangeDlg::Protection));
    select(CPasswordChangeDlg::Programming);
    EXPECT_EQ(window.text(CPasswordChangeDlg::Password), "prog3");
    select(CPasswordChangeDlg::Calibration);
    EXPECT_EQ(window.text(CPasswordChangeDlg::Password), "");
}

TEST_F(PasswordChangeTest, TypedLettersTurnLowerCase) {
    window.type(CPasswordChangeDlg::Password, "AbĆŻÓ9");
    EXPECT_EQ(window.text(CPasswordChangeDlg::Password), "abćżó9");
}

TEST_F(PasswordChangeTest, StoreWritesTheChosenKind) {
    select(CPasswordChangeDlg::Calibration);
    window.type(CPasswordChangeDlg::Password, "0kal_z[");
    window.click(CPasswordChangeDlg::Store);
    EXPECT_EQ(stored("P2"), "0kal_z[");
    EXPECT_EQ(window.text(CPasswordChangeDlg::Password), "0kal_z[");
    EXPECT_TRUE(window.boxes().empty());
}

TEST_F(PasswordChangeTest, StoreRefusesCharactersOutsideZeroToZ) {
    select(CPasswordChangeDlg::Service);
    for (const char* refused : {"hasło", "ab cd", "a/b", "a{b", ""}) {
        window.type(CPasswordChangeDlg::Password, refused);
        window.click(CPasswordChangeDlg::Store);
        EXPECT_EQ(window.text(CPasswordChangeDlg::Password), "") << refused;
    }
    EXPECT_EQ(boxes(), std::vector<std::string>(5, "Błąd we wprowadzaniu hasła"));
    EXPECT_EQ(stored("P1"), "serw1");
}

TEST_F(PasswordChangeTest, StoreWithNoKindChosenOnlyClearsTheField) {
    window.type(CPasswordChangeDlg::Password, "nowe");
    window.click(CPasswordChangeDlg::Store);
    EXPECT_EQ(window.text(CPasswordChangeDlg::Password), "");
    EXPECT_TRUE(window.boxes().empty());
    EXPECT_EQ(stored("P1"), "serw1");
    EXPECT_EQ(stored("P2"), "-");
}

TEST_F(PasswordChangeTest, TheProtectionSwitchIsWrittenOnClose) {
    window.close();
    EXPECT_EQ(stored("P0"), "0") << "written even when nothing changed";

    CPasswordChangeDlg again(station);
    FakeWindow second(again, clock);
    second.open();
    EXPECT_FALSE(second.isChecked(CPasswordChangeDlg::Protection));
    second.setChecked(CPasswordChangeDlg::Protection, true);
    second.click(CPasswordChangeDlg::Ok);
    EXPECT_EQ(stored("P0"), "1");

    CPasswordChangeDlg third(station);
    FakeWindow thirdWindow(third, clock);
    thirdWindow.open();
    EXPECT_TRUE(thirdWindow.isChecked(CPasswordChangeDlg::Protection));
}

// A settings file that cannot be written to.
class ReadOnlyStore : public MemorySettingsStore {
public:
    bool writeText(std::string_view, std::string_view, std::string_view) override {
        return false;
    }
};

TEST(PasswordChange, AStoreThatCannotBeWrittenEmptiesTheFieldWithoutAMessage) {
    ReadOnlyStore store;
    Station station(store);
    VirtualClock clock;
    CPasswordChangeDlg dialog(station);
    FakeWindow window(dialog, clock);
    window.open();
    window.setChecked(CPasswordChangeDlg::Service, true);
    window.click(CPasswordChangeDlg::Service);
    window.type(CPasswordChangeDlg::Password, "serw1");
    window.click(CPasswordChangeDlg::Store);
    EXPECT_EQ(window.text(CPasswordChangeDlg::Password), "");
    EXPECT_TRUE(window.boxes().empty());
}

}  // namespace
}  // namespace doxa::test
