// The Action Area used as a person without a mouse uses it, with the keyboard alone or through
// a screen reader: each action reaches the handler the mouse reaches, and what a panel covers
// is out of reach.
#include "HubFixture.h"
#include "library/InfoAdv.h"
#include "tests/support/platform/RealInput.h"

#include <QAccessible>
#include <QApplication>

using namespace platform;
using hubtest::previewText;

namespace {

class KeyboardAndReaderTest : public hubtest::HubTest {
protected:
    static bool showingToReader(Control& c) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c.widget());
        return a && !a->state().invisible;
    }
};

// A screen reader's toggle of a group box is a person's tick: the report takes the group in.
TEST_F(KeyboardAndReaderTest, AToggledGroupBoxTakesItsTableIntoTheReport) {
    WorkArea1& w = openHub();
    page(w, catalogue::PageOverview);
    w.SSCommand3.setFocus();
    testsupport::pressKey(w.SSCommand3, Qt::Key_Return);  // "&Print"
    ASSERT_TRUE(w.SSPanel80.visible());
    ASSERT_EQ(w.SSCheck80[2].caption(), QStringLiteral("Physical Safeguards"));
    ASSERT_FALSE(previewText(w.VSP1).contains(QStringLiteral("PHYSICAL SAFEGUARDS")));
    ASSERT_TRUE(testsupport::accessibleAction(w.SSCheck80[2], QStringLiteral("Toggle")));
    EXPECT_EQ(w.SSCheck80[2].value(), 1);
    EXPECT_TRUE(previewText(w.VSP1).contains(QString::fromUtf8("PHYSICAL SAFEGUARDS \u00A7164.310")));
    // Space on the focused box does the same for the next group.
    w.SSCheck80[3].setFocus();
    testsupport::pressKey(w.SSCheck80[3], Qt::Key_Space);
    EXPECT_EQ(w.SSCheck80[3].value(), 1);
    EXPECT_TRUE(previewText(w.VSP1).contains(QString::fromUtf8("TECHNICAL SAFEGUARDS \u00A7164.312")));
}

// The reference option toggled by a screen reader shows the rule text, locked: typing then
// goes nowhere, and the comment document is not written.
TEST_F(KeyboardAndReaderTest, AToggledReferenceOptionLeavesTheCommentDocument) {
    WorkArea1& w = openHub();
    page(w, catalogue::PageAdministrative);
    testsupport::mouseClick(w.SSCommand14[0]);
    testsupport::mouseClick(w.SSOption4);  // "Comments/Notes"
    ASSERT_EQ(w.CurFileName, QStringLiteral("Comment0.Fil"));
    ASSERT_TRUE(testsupport::accessibleAction(w.SSOption6, QStringLiteral("Toggle")));
    EXPECT_TRUE(w.SSOption6.value());
    EXPECT_FALSE(w.SSOption4.value());
    EXPECT_EQ(w.TextKind, 0);
    EXPECT_TRUE(w.Rtext3.locked());
    const QString shown = w.Rtext3.text();
    w.Rtext3.setFocus();
    testsupport::pressKey(w.Rtext3, Qt::Key_X);
    EXPECT_EQ(w.Rtext3.text(), shown);
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_FALSE(folder->exists(QStringLiteral("Comment0.Fil")));
}

// The worksheet title panel stands over the editor's buttons: its own "Save &Changes and
// Exit" answers Alt+C, and the editor's "Spell &Check" under it neither runs nor shows.
TEST_F(KeyboardAndReaderTest, WhatTheTitlePanelCoversIsOutOfReach) {
    WorkArea1& w = openHub();
    page(w, catalogue::PageWorksheets);
    w.mORATitle.click();
    ASSERT_TRUE(w.SSPanel4.visible());
    doEvents();
    for (Control* c : std::initializer_list<Control*>{&w.SSCommand10, &w.SSCommand6, &w.SSCommand7}) {
        EXPECT_FALSE(c->isShowing()) << c->name().toStdString();
        EXPECT_FALSE(showingToReader(*c)) << c->name().toStdString();
        EXPECT_FALSE(testsupport::accessibleAction(*c, QStringLiteral("Press"))) << c->name().toStdString();
    }
    EXPECT_TRUE(showingToReader(w.SSCommand21[0]));
    w.Text3[0].setFocus();
    testsupport::pressAccessKey(w, QLatin1Char('C'));
    EXPECT_FALSE(w.SSPanel4.visible());
    EXPECT_TRUE(dialogs->shownWithTitle(QStringLiteral("Spell Check")).empty());
    // The panel gone, the editor's buttons are there again.
    doEvents();
    EXPECT_TRUE(showingToReader(w.SSCommand10));
}

// Tab types a tab in the editor; Ctrl+Tab leaves it, and the other controls take Tab again.
TEST_F(KeyboardAndReaderTest, CtrlTabLeavesTheEditorAndCtrlShiftTabComesBack) {
    WorkArea1& w = openHub();
    page(w, catalogue::PageAdministrative);
    w.SSCommand14[0].click();
    w.SSOption3.click();
    w.Rtext3.setFocus();
    ASSERT_TRUE(w.Rtext3.hasFocus());
    EXPECT_FALSE(w.SSCommand6.tabStop());
    testsupport::pressKey(w.Rtext3, Qt::Key_Tab);
    EXPECT_TRUE(w.Rtext3.hasFocus());
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("\t"));
    testsupport::pressKey(w.Rtext3, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_FALSE(w.Rtext3.widget()->hasFocus());
    EXPECT_TRUE(w.SSCommand6.tabStop());
    testsupport::pressKey(w.Rtext3, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(w.Rtext3.widget()->hasFocus());
}

}  // namespace

namespace {

bool toldAsCurrent(Control& c) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c.widget());
    return a && a->state().checked && a->state().selected;
}

// Which one of a set is told as the current one to a screen reader, not by colour alone.
std::vector<int> toldCurrent(ControlArray<SSCommand>& set) {
    std::vector<int> told;
    for (auto& [i, b] : set)
        if (toldAsCurrent(*b)) told.push_back(i);
    return told;
}

// The tab of the area, the page, the overview group and the topic shown are each told as the
// current one of their set, and only they, as the keyboard moves among them.
TEST_F(KeyboardAndReaderTest, TheCurrentTabPageGroupAndTopicAreToldAsSelected) {
    folder->copyContent();
    WorkArea1& w = openHub();
    EXPECT_EQ(toldCurrent(w.SSCommand4), std::vector<int>{0});
    EXPECT_EQ(toldCurrent(w.SSCommand11), std::vector<int>{0});
    w.SSCommand18[2].setFocus();
    testsupport::pressKey(w.SSCommand18[2], Qt::Key_Return);
    EXPECT_EQ(toldCurrent(w.SSCommand18), std::vector<int>{2});
    w.SSCommand11[catalogue::PageAdministrative].setFocus();
    testsupport::pressKey(w.SSCommand11[catalogue::PageAdministrative], Qt::Key_Space);
    EXPECT_EQ(toldCurrent(w.SSCommand11), std::vector<int>{catalogue::PageAdministrative});

    // The Information Advisor's tab, from the hub's tab bar.
    w.SSCommand4[1].setFocus();
    testsupport::pressKey(w.SSCommand4[1], Qt::Key_Return);
    InfoAdv& advisor = defaultInstance<InfoAdv>();
    ASSERT_TRUE(advisor.widget()->isVisible());
    EXPECT_EQ(toldCurrent(advisor.SSCommand4), std::vector<int>{1});
    EXPECT_EQ(toldCurrent(advisor.SSCommand11), std::vector<int>{0});
    advisor.SSCommand11[3].setFocus();
    testsupport::pressKey(advisor.SSCommand11[3], Qt::Key_Return);
    EXPECT_EQ(toldCurrent(advisor.SSCommand11), std::vector<int>{3});
}

}  // namespace
