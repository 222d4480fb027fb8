// The page switch: what each of the ten pages shows, and what a switch asks and resets.
#include "HubFixture.h"

#include "frame/Settings.h"

#include <QImage>
#include <QWidget>
#include <map>

using namespace platform;

namespace {

struct PageCase {
    int page;
    const char* caption;
    std::vector<int> panels;  // SSPanel3 elements shown
    int frame;                // SSFrame5 element shown, -1 none
    bool editor;              // SSPanel1
    std::vector<const char*> list;  // the status box's items ({} where the page leaves it alone)
    std::vector<const char*> menus; // Options entries shown besides mOTab and mOPrint
    bool printEnabled;
};

const std::vector<const char*> StatusTerms{" ", "Pending", "Working", "Completed", "Review", "Not Implemented"};
const std::vector<const char*> ComplianceTerms{" ", "Yes", "No", "Partial", "Planned"};
const std::vector<const char*> EntryMenus{"mO1", "mOClip", "mO3", "mOFont", "mO4", "mOSpell", "mO5",
                                          "mOThes", "mO6", "mO7", "mOSave"};

std::vector<const char*> worksheetMenus() {
    auto m = EntryMenus;
    m.push_back("mO10");
    m.push_back("mORATitle");
    return m;
}

void PrintTo(const PageCase& c, std::ostream* os) { *os << "page " << c.page; }

class PageSwitchTest : public hubtest::HubTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PageSwitchTest, ShowsThePagesPanelsCaptionListAndMenu) {
    const PageCase c = GetParam();
    WorkArea1& w = openHub();
    // Come from another page, so that the switch has something to undo.
    page(w, c.page == 3 ? 4 : 3);
    answerPageBoxes(c.page);
    page(w, c.page);

    EXPECT_EQ(w.AreaMode, c.page);
    EXPECT_EQ(w.caption(), QString::fromUtf8(c.caption));
    for (int k = 0; k < 4; ++k) {
        const bool shown = std::find(c.panels.begin(), c.panels.end(), k) != c.panels.end();
        EXPECT_EQ(w.SSPanel3[k].visible(), shown) << "SSPanel3(" << k << ")";
    }
    for (int k = 0; k < 6; ++k) EXPECT_EQ(w.SSFrame5[k].visible(), k == c.frame) << "SSFrame5(" << k << ")";
    EXPECT_EQ(w.SSPanel1.visible(), c.editor);
    if (!c.list.empty()) {
        ASSERT_EQ(w.Combo1.listCount(), int(c.list.size()));
        for (int i = 0; i < int(c.list.size()); ++i) EXPECT_EQ(w.Combo1.list(i), QString::fromLatin1(c.list[i]));
    }
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(w.SSCommand11[k].bevelWidth(), k == c.page ? 0 : 2) << k;
        EXPECT_EQ(w.SSCommand11[k].foreColor(), paletteColor(k == c.page ? 9 : 0)) << k;
    }
    const std::vector<Menu*> optional{&w.mO1, &w.mOGrid, &w.mO2, &w.mOClip, &w.mO3, &w.mOFont, &w.mO4,
                                      &w.mOSpell, &w.mO5, &w.mOThes, &w.mO6, &w.mODel, &w.mOCl, &w.mOIn,
                                      &w.mO7, &w.mOSave, &w.mO10, &w.mORATitle};
    for (Menu* m : optional) {
        const bool listed = std::any_of(c.menus.begin(), c.menus.end(),
                                        [&](const char* n) { return m->name() == QLatin1String(n); });
        EXPECT_EQ(m->visible(), listed) << m->name().toStdString();
    }
    for (int i = 1; i <= 4; ++i) EXPECT_TRUE(w.mOTab(i).visible());
    EXPECT_TRUE(w.mOPrint.visible());
    EXPECT_EQ(w.mOPrint.enabled(), c.printEnabled);
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_FALSE(w.SSCommand2.enabled() && c.page != 8);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PageSwitchTest,
    ::testing::Values(
        PageCase{0, "Action Area - HIPAA Security Standards - Administrative Safeguards", {0}, -1, false, {},
                 {"mO1", "mOGrid", "mO6"}, true},
        PageCase{1, "Action Area - Safeguard Project Timeline ", {1}, -1, false, {},
                 {"mO1", "mOGrid", "mO6", "mODel", "mOCl", "mOIn"}, true},
        PageCase{2, "Action Area - Administrative Safeguards - Risk Analysis", {2, 3}, 0, true, StatusTerms,
                 EntryMenus, false},
        PageCase{3, "Action Area - Physical Safeguards - Contingency Operation", {2, 3}, 1, true, StatusTerms,
                 EntryMenus, false},
        PageCase{4, "Action Area - Technical Safeguards - Unique User Identification", {2, 3}, 2, true, StatusTerms,
                 EntryMenus, false},
        PageCase{5, "Action Area - Organization Requirements - Organizational Requirements Overview", {2, 3}, 3,
                 true, StatusTerms, EntryMenus, false},
        PageCase{6, "Action Area - Policies and Proceedures... - Policies and Procedures and Documentation "
                    "Requirements Overview",
                 {2, 3}, 4, true, StatusTerms, EntryMenus, false},
        PageCase{7, "Action Area - Risk Analysis Worksheets", {2, 3}, 5, true, ComplianceTerms, worksheetMenus(),
                 false},
        PageCase{8, "Action Area - Disaster Recovery Plan", {2, 3}, -1, true, {}, EntryMenus, true},
        PageCase{9, "Action Area - Sample Safeguard Entry", {2, 3}, -1, true, StatusTerms, EntryMenus, false}));

class PageSwitchEdgeTest : public hubtest::HubTest {};

TEST_F(PageSwitchEdgeTest, RecoveryPlanWithoutAPlanShowsTheTemplateAndTheMessageEachTime) {
    folder->copyContent();
    WorkArea1& w = openHub();
    answerPageBoxes(8);
    page(w, 8);
    answerPageBoxes(8);
    page(w, 8);
    const auto boxes = dialogs->shownWithTitle(QStringLiteral("Disaster Recovery Plan Information"));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[0].text.startsWith(
        QStringLiteral("In response to a request from a user, we have included a copy of a sample Disaster Recovery "
                       "Plan. \r\rThis plan")));
    EXPECT_EQ(boxes[0].flags, Msg::Information | Msg::OKOnly);
    EXPECT_FALSE(w.Rtext3.text().trimmed().isEmpty());
    EXPECT_EQ(w.SSPanel3[2].caption(), QStringLiteral("Disaster Recovery Plan"));
    EXPECT_TRUE(w.SSCommand2.enabled());
    EXPECT_TRUE(w.SSCommand6.enabled());
    EXPECT_TRUE(w.mOSave.enabled());
    EXPECT_FALSE(w.Rtext3.locked());
}

TEST_F(PageSwitchEdgeTest, RecoveryPlanWithTextOpensWithoutTheMessage) {
    folder->write(QStringLiteral("DRPln1.Fil"), "{\\rtf1\\ansi Our plan\\par}");
    WorkArea1& w = openHub();
    page(w, 8);
    EXPECT_TRUE(dialogs->shownWithTitle(QStringLiteral("Disaster Recovery Plan Information")).empty());
    EXPECT_EQ(w.Rtext3.text().trimmed(), QStringLiteral("Our plan"));
}

TEST_F(PageSwitchEdgeTest, SamplePageNoteOnceStatusCompletedAndLabels) {
    WorkArea1& w = openHub();
    answerPageBoxes(9);
    page(w, 9);
    page(w, 2);
    page(w, 9);
    const auto notes = dialogs->shownWithTitle(QStringLiteral("Sample Safeguard Entry"));
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].text, QStringLiteral("This sample was created so you can see\rhow program works and can be used."
                                            "\r\rYou can make changes etc. but cannot save\rchanges so Sample will "
                                            "remain in program."));
    EXPECT_EQ(w.Combo1.text(), QStringLiteral("Completed"));
    EXPECT_EQ(w.Label5.caption(), QStringLiteral(" Standard: Security Awareness and Training"));
    EXPECT_EQ(w.Label6.caption(), QStringLiteral(" Section: 164.308(a)(5)"));
    EXPECT_EQ(w.Label7.caption(), QStringLiteral(" Specification: Password Management (A)"));
    EXPECT_EQ(w.SSPanel3[2].caption(), QStringLiteral("Sample entries for the Password Management Safeguard"));
    for (SSOption* o : {&w.SSOption2, &w.SSOption3, &w.SSOption4, &w.SSOption5, &w.SSOption6, &w.SSOption7})
        EXPECT_FALSE(o->value());
}

TEST_F(PageSwitchEdgeTest, ImplementationSpecificationIsOffOnPagesFiveAndSixAndBackOnPageTwo) {
    WorkArea1& w = openHub();
    page(w, 2);
    w.SSOption6.setValue(true);
    page(w, 5);
    EXPECT_FALSE(w.SSOption6.enabled());
    EXPECT_FALSE(w.SSOption6.value());
    w.SSCommand15[1].click();
    EXPECT_TRUE(w.SSOption6.enabled());
    page(w, 6);
    EXPECT_FALSE(w.SSOption6.enabled());
    page(w, 2);
    EXPECT_TRUE(w.SSOption6.enabled());
}

TEST_F(PageSwitchEdgeTest, WorksheetPageHidesTheStatusUntilAWorksheetIsChosen) {
    WorkArea1& w = openHub();
    page(w, 7);
    EXPECT_FALSE(w.Label9.visible());
    EXPECT_FALSE(w.Combo1.visible());
    EXPECT_FALSE(w.SSCommand22.visible());
    EXPECT_EQ(w.Label9.caption(), QStringLiteral(" Compliance Status:"));
    EXPECT_EQ(w.SSCommand2.caption(), QStringLiteral("New Worksheet"));
    EXPECT_TRUE(w.mORATitle.visible());
    EXPECT_FALSE(w.SSCommand5.enabled());
    EXPECT_FALSE(w.SSFrame4.enabled());
    page(w, 2);
    EXPECT_TRUE(w.Combo1.visible());
    EXPECT_EQ(w.SSCommand2.caption(), QStringLiteral("Insert Template"));
    EXPECT_FALSE(w.mORATitle.visible());
}

TEST_F(PageSwitchEdgeTest, AreaCaptionKeepsThePageButtonsCaption) {
    WorkArea1& w = openHub();
    page(w, 5);
    EXPECT_EQ(w.AreaCaption, QStringLiteral("Action Area - Organization Requirements"));
    page(w, 0);
    EXPECT_EQ(w.AreaCaption, QStringLiteral("Action Area - HIPAA Security Standards"));
}

TEST_F(PageSwitchEdgeTest, UnsavedTextIsOfferedForSavingBeforeTheEditorEmpties) {
    WorkArea1& w = openHub();
    answerPageBoxes(8);
    page(w, 8);
    w.Rtext3.type(QStringLiteral("Call tree first."));
    ASSERT_EQ(w.UnsavedChanges, 1);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    page(w, 4);
    const auto asked = dialogs->shownWithTitle(QStringLiteral("Save Changes?"));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("Save changes/entries before next action?"));
    EXPECT_EQ(asked[0].flags, Msg::Question | Msg::YesNo);
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_EQ(LoopIndex, 0);
}

// With no document option chosen the editor holds no document: nothing typed there can be
// saved over a document the user never saw.
TEST_F(PageSwitchEdgeTest, NoDocumentOptionMeansNoTextKindAndALockedEditor) {
    WorkArea1& w = openHub();
    page(w, 2);
    w.SSOption3.click();  // the action document was open
    ASSERT_EQ(w.TextKind, 3);
    answerPageBoxes(9);
    page(w, 9);                  // the sample page deselects every option
    EXPECT_EQ(w.TextKind, 0);
    EXPECT_TRUE(w.Rtext3.locked());
    page(w, 2);
    EXPECT_EQ(w.TextKind, 0);
    EXPECT_TRUE(w.Rtext3.locked());
    w.Rtext3.type(QStringLiteral("typed"));
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
}

TEST_F(PageSwitchEdgeTest, ADocumentOptionKeepsTheEditorWritable) {
    WorkArea1& w = openHub();
    page(w, 2);
    w.SSOption4.setValue(true);
    page(w, 3);
    EXPECT_FALSE(w.Rtext3.locked());
}

TEST_F(PageSwitchEdgeTest, WorksheetPageLocksTheEditorUntilAWorksheetIsChosen) {
    WorkArea1& w = openHub();
    page(w, 2);
    w.SSOption3.click();
    ASSERT_EQ(w.TextKind, 3);
    page(w, 7);
    EXPECT_EQ(w.TextKind, 0);
    EXPECT_TRUE(w.Rtext3.locked());
}

// The heading that the recovery-plan and sample pages give the entry-page panel stays behind
// the list frames of the pages with lists: each of pages 2-7 looks after those pages exactly as
// it looked before them, at 800 by 600 and 1280 by 1024, in both displays, in the client area
// a window manager leaves.
struct HeadingScreen {
    const char* name;
    int width, height;  // twips
    bool smaller;
};

class HeadingBehindListsTest : public hubtest::HubTest, public ::testing::WithParamInterface<HeadingScreen> {};

TEST_P(HeadingBehindListsTest, LaterPagesShowNoHeadingOfTheRecoveryPlanOrTheSample) {
    folder->copyContent();
    screen->setSize(GetParam().width, GetParam().height);
    screen->frameWindows();
    frame::writeDisplayModeSetting(GetParam().smaller);
    WorkArea1& w = openHub();
    doEvents();
    auto look = [&](int p) {
        page(w, p);
        doEvents();
        return w.SSPanel3[2].widget()->grab().toImage();
    };
    std::map<int, QImage> before;
    for (int p = catalogue::PageAdministrative; p <= catalogue::PageWorksheets; ++p) before[p] = look(p);
    for (int headed : {catalogue::PageRecoveryPlan, catalogue::PageSample}) {
        answerPageBoxes(headed);
        page(w, headed);
        ASSERT_FALSE(w.SSPanel3[2].caption().isEmpty());
        for (int p = catalogue::PageAdministrative; p <= catalogue::PageWorksheets; ++p)
            EXPECT_TRUE(look(p) == before[p]) << "page " << p << " after page " << headed;
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, HeadingBehindListsTest,
                         ::testing::Values(HeadingScreen{"Full800x600", 12000, 9000, false},
                                           HeadingScreen{"Smaller800x600", 12000, 9000, true},
                                           HeadingScreen{"Full1280x1024", 19200, 15360, false},
                                           HeadingScreen{"Smaller1280x1024", 19200, 15360, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
