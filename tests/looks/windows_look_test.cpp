// What a person sees of every window, at 800 by 600 and at 1280 by 1024, in the full-screen and
// the smaller-screen display: every caption of a button, option, label, tab, frame and panel
// shows whole, and every control a person uses tells assistive technology its name. Each
// window is looked at in the states a new user meets: every page of the Action Area, every
// entry pressed, the rule sections, the search and print panels.
#include "catalogue/Catalogue.h"
#include "backup/Backup1.h"
#include "frame/About1.h"
#include "frame/Settings.h"
#include "frame/Startfrm.h"
#include "library/InfoAdv.h"
#include "library/Miscform1.h"
#include "library/PrivRule.h"
#include "tests/support/TestSupport.h"
#include "tests/support/platform/AccessibilityCheck.h"
#include "tests/support/platform/CaptionCheck.h"
#include "workbook/WorkArea1.h"

#include <QStringList>

using namespace platform;

namespace {

struct Display {
    const char* name;
    int width, height;  // twips of the screen
    bool smaller;       // the smaller-screen display
};

class WindowsLookTest : public testsupport::ProgramTest, public ::testing::WithParamInterface<Display> {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder->copyContent();
        screen->setSize(GetParam().width, GetParam().height);
        frame::writeDisplayModeSetting(GetParam().smaller);
    }
    // What is wrong in the form as it stands now, said with the state it was looked at in.
    void look(const Form& form, const QString& state) {
        for (const QString& c : testsupport::clippedCaptions(form))
            ADD_FAILURE() << state.toStdString() << ": caption not shown whole: " << c.toStdString();
        for (const QString& c : testsupport::unnamedControls(form))
            ADD_FAILURE() << state.toStdString() << ": no name for assistive technology: " << c.toStdString();
        for (const QString& f : testsupport::accessibilityFaults(form))
            ADD_FAILURE() << state.toStdString() << ": to a screen reader: " << f.toStdString();
    }
    WorkArea1& openHub() {
        Startfrm& start = defaultInstance<Startfrm>();
        start.show();
        look(start, QStringLiteral("start window"));
        start.Command2.click();
        return defaultInstance<WorkArea1>();
    }
};

TEST_P(WindowsLookTest, TheActionAreaOnEveryPageAndEntry) {
    WorkArea1& w = openHub();
    for (int area = 0; area < 3; ++area) {
        w.SSCommand18[area].click();
        look(w, QStringLiteral("overview, area %1").arg(area));
    }
    for (int page = 0; page < catalogue::PageCount; ++page) {
        if (page == catalogue::PageRecoveryPlan)
            dialogs->answer(QStringLiteral("Disaster Recovery Plan Information"), Answer::OK);
        if (page == catalogue::PageSample) dialogs->answer(QStringLiteral("Sample Safeguard Entry"), Answer::OK);
        w.SSCommand11[page].click();
        look(w, QStringLiteral("page %1").arg(page));
        if (page >= catalogue::PageAdministrative && page <= catalogue::PagePolicies) {
            for (auto& [i, entry] : w.EntryList(page)) {
                entry->click();
                look(w, QStringLiteral("page %1, entry %2").arg(page).arg(i));
            }
            w.SSOption3.click();
            look(w, QStringLiteral("page %1, Action Taken").arg(page));
        }
    }
    w.SSCommand11[catalogue::PageOverview].click();
    w.SSCommand3.click();
    look(w, QStringLiteral("overview print panel"));
    w.Print.SSCommand80[2].click();
    w.SSCommand11[catalogue::PageAdministrative].click();
    w.SSOption3.click();
    w.SSCommand5.click();
    look(w, QStringLiteral("document print panel"));
    w.SSCommand1.click();
    look(w, QStringLiteral("document print panel, enlarged"));
}

TEST_P(WindowsLookTest, TheSecurityRuleWindowOnEverySection) {
    WorkArea1& hub = openHub();
    hub.SSCommand4[2].click();
    PrivRule& w = defaultInstance<PrivRule>();
    look(w, QStringLiteral("Security Rule"));
    for (int n : {0, 12, 13, 23, 24}) {
        w.SSOption1[n].click();
        look(w, QStringLiteral("Security Rule, section %1").arg(n));
    }
    w.SSCommand5.click();
    look(w, QStringLiteral("Security Rule, search panel"));
    w.SSCommand4.click();
    look(w, QStringLiteral("Security Rule, print panel"));
}

TEST_P(WindowsLookTest, TheReferenceWindowsAndTheAboutWindow) {
    WorkArea1& hub = openHub();
    hub.SSCommand4[1].click();
    InfoAdv& advisor = defaultInstance<InfoAdv>();
    look(advisor, QStringLiteral("Information Advisor"));
    for (auto& [i, topic] : advisor.SSCommand11) {
        topic->click();
        look(advisor, QStringLiteral("Information Advisor, topic %1").arg(i));
    }
    advisor.SSCommand4[3].click();
    Miscform1& misc = defaultInstance<Miscform1>();
    look(misc, QStringLiteral("Miscellaneous"));
    for (auto& [i, topic] : misc.SSCommand11) {
        topic->click();
        look(misc, QStringLiteral("Miscellaneous, topic %1").arg(i));
    }
    bool aboutSeen = false;
    onModal(QStringLiteral("About1"), [&](Form& about) {
        aboutSeen = true;
        look(about, QStringLiteral("About"));
        about.unload();
    });
    misc.mHA.click();
    EXPECT_TRUE(aboutSeen);
}

TEST_P(WindowsLookTest, TheBackupWindowInBothModes) {
    Startfrm& start = defaultInstance<Startfrm>();
    start.show();
    const std::pair<Menu*, const char*> entries[] = {{&start.Menus.mUBack, "Backup window, backing up"},
                                                     {&start.Menus.mURestore, "Backup window, restoring"}};
    for (const auto& [entry, state] : entries) {
        bool seen = false;
        onModal(QStringLiteral("Backup1"), [&](Form& backup) {
            seen = true;
            look(backup, QString::fromLatin1(state));
            backup.unload();
        });
        entry->click();
        EXPECT_TRUE(seen) << state;
    }
}

INSTANTIATE_TEST_SUITE_P(Displays, WindowsLookTest,
                         ::testing::Values(Display{"Full800x600", 12000, 9000, false},
                                           Display{"Smaller800x600", 12000, 9000, true},
                                           Display{"Full1280x1024", 19200, 15360, false},
                                           Display{"Smaller1280x1024", 19200, 15360, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
