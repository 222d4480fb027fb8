// The settings the user changes from a menu or an option (the display mode, the background
// colour, the grid wallpaper, the guide lines) on a real full disk: each says that it could not
// be stored and what is kept, and the program folder keeps every byte it had.
#include "HubFixture.h"
#include "frame/Settings.h"
#include "tests/support/platform/DiskFaults.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <map>

using namespace platform;

namespace {

const QString NotStoredTitle = QStringLiteral("Setting Not Stored");

class SettingNotStoredTest;

struct SettingCase {
    const char* name;
    const char* text;  // the whole message
    // Opens the window whose setting is changed, before the disk fills.
    std::function<void(SettingNotStoredTest&)> open;
    // The user's choice, on the full disk.
    std::function<void(SettingNotStoredTest&)> choose;
    // What the screen shows afterwards.
    std::function<void(SettingNotStoredTest&)> check;
};

class SettingNotStoredTest : public hubtest::HubTest, public ::testing::WithParamInterface<SettingCase> {
public:
    using hubtest::HubTest::dialogs;
    using hubtest::HubTest::openHub;
    using hubtest::HubTest::page;

    Startfrm& start() { return platform::defaultInstance<Startfrm>(); }
    WorkArea1& hub() { return platform::defaultInstance<WorkArea1>(); }

    std::map<QString, QByteArray> snapshot() const { return disk.snapshot(); }

    testsupport::SmallTmpfs disk{1024 * 1024};
};

TEST_P(SettingNotStoredTest, OnAFullDiskTheChoiceIsToldAsNotStoredAndNoFileChanges) {
    QUORVANE_REQUIRE_TMPFS(disk);
    disk.makeProgramFolder();
    const SettingCase& c = GetParam();
    c.open(*this);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(disk.fill());
    const auto before = snapshot();
    dialogs->clearShown();
    dialogs->answer(NotStoredTitle, Answer::OK);
    c.choose(*this);
    const auto told = dialogs->shownWithTitle(NotStoredTitle);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, QString::fromLatin1(c.text));
    EXPECT_EQ(told[0].flags, Msg::Critical | Msg::OKOnly);
    EXPECT_EQ(snapshot(), before);
    c.check(*this);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingNotStoredTest,
    ::testing::Values(
        SettingCase{"SmallerScreenDisplay",
                    "The setting could not be stored in GColor3.Fil.\rThe display stays as it is. Please check that "
                    "the program folder can be written to.",
                    [](SettingNotStoredTest& t) {
                        t.start().show();
                        ASSERT_EQ(DisplayMode, 0);
                    },
                    [](SettingNotStoredTest& t) { t.start().mOPS.click(); },
                    [](SettingNotStoredTest& t) {
                        EXPECT_EQ(DisplayMode, 0);
                        EXPECT_EQ(t.start().windowState(), WindowState::Maximized);
                        EXPECT_FALSE(t.start().mOPS.checked());
                    }},
        SettingCase{"BackgroundColour",
                    "The setting could not be stored in HINV3.Fil.\rThe previous colour is kept. Please check that "
                    "the program folder can be written to.",
                    [](SettingNotStoredTest& t) {
                        t.start().show();
                        ASSERT_EQ(t.start().backColor(), 0xFF0000u);
                        t.dialogs->answer(QStringLiteral("Background Color"), Answer::Yes);
                        t.dialogs->answerColor(rgb(10, 20, 30));
                    },
                    [](SettingNotStoredTest& t) { t.start().mOBC.click(); },
                    [](SettingNotStoredTest& t) { EXPECT_EQ(t.start().backColor(), 0xFF0000u); }},
        SettingCase{"GridWallpaper",
                    "The setting could not be stored in GColor3.Fil.\rThe grids keep their background. Please check "
                    "that the program folder can be written to.",
                    [](SettingNotStoredTest& t) { t.openHub(); },
                    [](SettingNotStoredTest& t) { t.hub().mOGrid1[3]->click(); },
                    [](SettingNotStoredTest& t) {
                        EXPECT_FALSE(t.hub().VSGd1.hasWallPaper());
                        EXPECT_FALSE(t.hub().VSGd2.hasWallPaper());
                        EXPECT_FALSE(t.hub().mOGrid1[3]->checked());
                    }},
        SettingCase{"GuideLines",
                    "The setting could not be stored in GColor3.Fil.\rThe guide lines are shown as chosen until "
                    "Quorvane ends; the next start shows them as before. Please check that the program folder can "
                    "be written to.",
                    [](SettingNotStoredTest& t) {
                        WorkArea1& w = t.openHub();
                        t.page(w, catalogue::PageAdministrative);
                        w.SSCommand14[0].click();
                        w.SSOption3.click();
                        w.SSCommand5.click();
                        ASSERT_FALSE(w.VSP1.guideLines());
                    },
                    [](SettingNotStoredTest& t) { t.hub().SSOption82[1].click(); },
                    [](SettingNotStoredTest& t) {
                        EXPECT_TRUE(t.hub().VSP1.guideLines());
                        EXPECT_EQ(frame::readGuideLineSetting(), 0);
                    }}),
    [](const ::testing::TestParamInfo<SettingCase>& info) { return std::string(info.param.name); });

}  // namespace
