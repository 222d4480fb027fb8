// "Save changes/entries before next action?" from every action that asks it. A No, or a Yes
// whose save worked, lets the action go on; a Yes whose save failed stops it where it is: the
// typed text stays in the editor, still marked unsaved, and nothing the user asked for happens.
#include "HubFixture.h"
#include "catalogue/Catalogue.h"
#include "tests/support/platform/DiskFaults.h"

#include <cstring>
#include <functional>
#include <optional>

using namespace platform;

namespace {

const QString AskTitle = QStringLiteral("Save Changes?");
const QString SaveTitle = QStringLiteral("Save Command");
const QString Typed = QStringLiteral("Badges are collected on the last day.");

struct AskingAction {
    const char* name;
    std::function<void(WorkArea1&)> act;
    // What the user sees when the action was carried out (empty where nothing shows yet).
    std::function<bool(WorkArea1&)> carriedOut;
    // A box that carrying it out asks, and the answer to give.
    std::optional<std::pair<const char*, int>> afterwards = std::nullopt;
};

// The backup windows opened in this test (the backup is modal: the test closes it at once).
int backupWindowsShown = 0;

const AskingAction Actions[] = {
    {"AnotherEntry", [](WorkArea1& w) { w.SSCommand14[5].click(); }, [](WorkArea1& w) { return w.SpecIndex == 5; }},
    {"AnotherPage", [](WorkArea1& w) { w.SSCommand11[catalogue::PagePhysical].click(); },
     [](WorkArea1& w) { return w.AreaMode == catalogue::PagePhysical; }},
    {"TheEditorsExit", [](WorkArea1& w) { w.SSCommand7.click(); },
     [](WorkArea1& w) { return w.AreaMode == catalogue::PageOverview; }},
    {"AnotherDocumentOption", [](WorkArea1& w) { w.SSOption4.click(); },
     [](WorkArea1& w) { return w.CurFileName == QStringLiteral("Comment2.Fil"); }},
    {"TheRuleTextView", [](WorkArea1& w) { w.SSOption6.click(); },
     [](WorkArea1& w) { return w.SSOption6.value() && w.Rtext3.locked(); }},
    {"TheSecurityRuleTab", [](WorkArea1& w) { w.SSCommand4[Area::SecurityRule].click(); },
     [](WorkArea1& w) { return !w.isVisible(); }},
    {"TheSecurityRuleMenuEntry", [](WorkArea1& w) { w.mOTab(Area::SecurityRule).click(); },
     [](WorkArea1& w) { return !w.isVisible(); }},
    {"TheExitTab", [](WorkArea1& w) { w.SSCommand4[Area::Exit].click(); }, nullptr,
     std::make_pair("Exit", int(Answer::No))},
    {"TheCloseBox", [](WorkArea1& w) { w.widget()->close(); }, [](WorkArea1&) { return runtime().ended(); }},
    {"TheBackupEntry", [](WorkArea1& w) { w.mUBack.click(); }, [](WorkArea1&) { return backupWindowsShown > 0; }},
    {"TheRestoreEntry", [](WorkArea1& w) { w.mURestore.click(); }, [](WorkArea1&) { return backupWindowsShown > 0; }},
};

enum class Reply { No, YesSaved, YesFailed };

struct Case {
    const AskingAction* action;
    Reply reply;
};

void PrintTo(const Case& c, std::ostream* os) {
    const char* reply[] = {"No", "Yes that saves", "Yes whose save fails"};
    *os << c.action->name << ", " << reply[int(c.reply)];
}

class SaveQuestionTest : public hubtest::HubTest, public ::testing::WithParamInterface<Case> {
protected:
    void SetUp() override {
        HubTest::SetUp();
        backupWindowsShown = 0;
        onModal(QStringLiteral("Backup1"), [](Form& f) {
            ++backupWindowsShown;
            f.unload();
        });
    }
    // Specification 3 (Administrative page, third entry) with its Action Taken typed into.
    WorkArea1& typedIntoActionTaken() {
        folder->copyContent();
        WorkArea1& w = openSpec(3);
        typeUnsaved(w, Typed);
        return w;
    }
};

TEST_P(SaveQuestionTest, AFailedSaveStopsTheActionAndAnyOtherAnswerLetsItGoOn) {
    const AskingAction& action = *GetParam().action;
    const Reply reply = GetParam().reply;
    WorkArea1& w = typedIntoActionTaken();
    std::optional<testsupport::FaultyDisk> disk;
    if (reply == Reply::YesFailed) {
        disk.emplace();
        disk->failStep(FileStep::Rename, 1, EIO);
        dialogs->answer(SaveTitle, Answer::OK);
    }
    dialogs->answer(AskTitle, reply == Reply::No ? Answer::No : Answer::Yes);
    if (reply != Reply::YesFailed && action.afterwards)
        dialogs->answer(QString::fromLatin1(action.afterwards->first), action.afterwards->second);
    action.act(w);

    EXPECT_EQ(dialogs->shownWithTitle(AskTitle).size(), 1u);
    if (reply != Reply::YesFailed) {
        if (action.carriedOut) {
            EXPECT_TRUE(action.carriedOut(w));
        }
        if (action.afterwards) {
            EXPECT_EQ(dialogs->shownWithTitle(QString::fromLatin1(action.afterwards->first)).size(), 1u);
        }
        EXPECT_EQ(folder->exists(QStringLiteral("Action2.Fil")), reply == Reply::YesSaved);
        EXPECT_TRUE(dialogs->shownWithTitle(SaveTitle).empty());
        return;
    }
    // The failed save said so, and then nothing moved.
    const auto said = dialogs->shownWithTitle(SaveTitle);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].text, QStringLiteral("Unable to save Action2.Fil.\r") + QString::fromLocal8Bit(std::strerror(EIO)) +
                                QStringLiteral("\r\rYour text is still in the editor and has not been saved."));
    if (action.carriedOut) {
        EXPECT_FALSE(action.carriedOut(w));
    }
    if (action.afterwards) {
        EXPECT_TRUE(dialogs->shownWithTitle(QString::fromLatin1(action.afterwards->first)).empty());
    }
    EXPECT_FALSE(runtime().ended());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.Rtext3.text(), Typed);
    EXPECT_FALSE(w.Rtext3.locked());
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_EQ(w.AreaMode, catalogue::PageAdministrative);
    EXPECT_EQ(w.SpecIndex, 2);
    EXPECT_EQ(w.SSCommand14[2].bevelWidth(), 0);  // the entry still shows as chosen
    EXPECT_TRUE(w.SSPanel1.visible());
    EXPECT_EQ(w.CurFileName, QStringLiteral("Action2.Fil"));
    EXPECT_TRUE(w.SSOption3.value());
    EXPECT_FALSE(w.SSOption4.value());
    EXPECT_FALSE(w.SSOption6.value());
    EXPECT_EQ(RequestedArea, Area::None);
    EXPECT_FALSE(folder->exists(QStringLiteral("Action2.Fil")));

    // The disk works again: the same text saves, and the action then goes on without a question.
    disk.reset();
    dialogs->clearShown();
    w.SSCommand6.click();
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_TRUE(folder->read(QStringLiteral("Action2.Fil")).contains("Badges are collected"));
    if (action.afterwards) dialogs->answer(QString::fromLatin1(action.afterwards->first), action.afterwards->second);
    action.act(w);
    EXPECT_TRUE(dialogs->shownWithTitle(AskTitle).empty());
    if (action.carriedOut) {
        EXPECT_TRUE(action.carriedOut(w));
    }
}

std::vector<Case> allCases() {
    std::vector<Case> cases;
    for (const AskingAction& a : Actions)
        for (Reply r : {Reply::No, Reply::YesSaved, Reply::YesFailed}) cases.push_back({&a, r});
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    const char* reply[] = {"No", "YesSaved", "YesFailed"};
    return std::string(info.param.action->name) + "_" + reply[int(info.param.reply)];
}

INSTANTIATE_TEST_SUITE_P(EveryAction, SaveQuestionTest, ::testing::ValuesIn(allCases()), caseName);

// The same from an open worksheet: another worksheet, another page or a tab after a failed
// save keeps the worksheet and its text.
struct WorksheetAction {
    const char* name;
    std::function<void(WorkArea1&)> act;
};

const WorksheetAction WorksheetActions[] = {
    {"AnotherWorksheet", [](WorkArea1& w) { w.SSCommand12[5].click(); }},
    {"AnotherPage", [](WorkArea1& w) { w.SSCommand11[catalogue::PageOverview].click(); }},
    {"TheSecurityRuleTab", [](WorkArea1& w) { w.SSCommand4[Area::SecurityRule].click(); }},
};

void PrintTo(const WorksheetAction& a, std::ostream* os) { *os << a.name; }

class WorksheetSaveQuestionTest : public hubtest::HubTest, public ::testing::WithParamInterface<WorksheetAction> {};

TEST_P(WorksheetSaveQuestionTest, AFailedSaveKeepsTheOpenWorksheetAndItsText) {
    folder->copyContent();
    const QByteArray old = "{\\rtf1\\ansi Locks on every door.\\par}";
    folder->write(QStringLiteral("Wksht3.Fil"), old);
    WorkArea1& w = openHub();
    page(w, catalogue::PageWorksheets);
    w.SSCommand12[3].click();
    w.Rtext3.type(QStringLiteral("Visitors sign in. "));
    const QString typed = w.Rtext3.text();
    ASSERT_EQ(w.UnsavedChanges, 1);
    testsupport::FaultyDisk disk;
    disk.failStep(FileStep::Write, 1, ENOSPC);
    dialogs->answer(AskTitle, Answer::Yes);
    dialogs->answer(SaveTitle, Answer::OK);
    GetParam().act(w);
    ASSERT_EQ(dialogs->shownWithTitle(SaveTitle).size(), 1u);
    EXPECT_TRUE(dialogs->shownWithTitle(SaveTitle)[0].text.startsWith(QStringLiteral("Unable to save Wksht3.Fil.")));
    EXPECT_EQ(w.AreaMode, catalogue::PageWorksheets);
    EXPECT_EQ(w.WorksheetNo, 3);
    EXPECT_EQ(w.SpecIndex, 3);
    EXPECT_EQ(w.SSCommand12[3].bevelWidth(), 0);
    EXPECT_EQ(w.Rtext3.text(), typed);
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(folder->read(QStringLiteral("Wksht3.Fil")), old);
}

INSTANTIATE_TEST_SUITE_P(EveryAction, WorksheetSaveQuestionTest, ::testing::ValuesIn(WorksheetActions),
                         [](const ::testing::TestParamInfo<WorksheetAction>& info) { return std::string(info.param.name); });

class SavePlanQuestionTest : public hubtest::HubTest {};

// The recovery plan is saved by the same question; a failed save keeps the plan page and its
// text.
TEST_F(SavePlanQuestionTest, AFailedSaveOfTheRecoveryPlanKeepsThePlanPage) {
    folder->copyContent();
    WorkArea1& w = openHub();
    answerPageBoxes(catalogue::PageRecoveryPlan);
    page(w, catalogue::PageRecoveryPlan);
    w.Rtext3.setSelStart(0);
    w.Rtext3.type(QStringLiteral("Call the on-call officer first. "));
    const QString typed = w.Rtext3.text();
    testsupport::FaultyDisk disk;
    disk.failStep(FileStep::Write, 1, ENOSPC);
    dialogs->answer(AskTitle, Answer::Yes);
    dialogs->answer(SaveTitle, Answer::OK);
    page(w, catalogue::PageOverview);
    EXPECT_EQ(w.AreaMode, catalogue::PageRecoveryPlan);
    EXPECT_EQ(w.Rtext3.text(), typed);
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_FALSE(folder->exists(QStringLiteral("DRPln1.Fil")));
}

}  // namespace
