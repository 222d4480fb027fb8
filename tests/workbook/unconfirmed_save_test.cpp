// Saves whose new bytes are in the file but whose last step, the sync that makes them survive a
// power loss, failed: the folder sync after a whole file's rename, or the sync of a record
// written in place. Each store tells the user that the new text is in place but may not
// survive a power loss; none calls it a plain save, none calls it lost, and what is on screen
// is what the file holds.
#include "tests/support/platform/DiskFaults.h"
#include "tests/timeline/ToDoFixture.h"

#include <functional>
#include <memory>

using namespace platform;

namespace {

using todotest::ToDoTest;

class UnconfirmedSaveTest;

struct UnconfirmedCase {
    const char* name;
    const char* file;  // the file whose sync fails
    FileStep step;
    const char* title;
    const char* text;  // the whole message
    // Opens the page and makes the change to be saved, as the user does.
    std::function<WorkArea1&(UnconfirmedSaveTest&)> open;
    // The user's act that saves it.
    std::function<void(WorkArea1&)> save;
    // What the file and the screen hold afterwards.
    std::function<void(UnconfirmedSaveTest&, WorkArea1&)> check;
};

class UnconfirmedSaveTest : public ToDoTest, public ::testing::WithParamInterface<UnconfirmedCase> {
public:
    // The fixture's helpers, for the table.
    using ToDoTest::dialogs;
    using ToDoTest::folder;
    using ToDoTest::openHub;
    using ToDoTest::openSpec;
    using ToDoTest::page;
};

TEST_P(UnconfirmedSaveTest, TheNewTextIsInPlaceAndTheUserIsToldItMayNotSurviveAPowerLoss) {
    const UnconfirmedCase& c = GetParam();
    WorkArea1& w = c.open(*this);
    if (HasFatalFailure()) return;
    dialogs->clearShown();
    const QString title = QString::fromLatin1(c.title);
    dialogs->answer(title, Answer::OK);
    {
        testsupport::FaultyDisk disk;
        disk.onlyFor(QString::fromLatin1(c.file)).failStep(c.step, 1, EIO);
        c.save(w);
        EXPECT_EQ(disk.failures(), 1);
    }
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].title, title);
    EXPECT_EQ(dialogs->shown()[0].text, QString::fromLatin1(c.text));
    EXPECT_EQ(dialogs->shown()[0].flags, Msg::Exclamation | Msg::OKOnly);
    c.check(*this, w);
}

INSTANTIATE_TEST_SUITE_P(
    Stores, UnconfirmedSaveTest,
    ::testing::Values(
        UnconfirmedCase{
            "ActionTaken", "Action2.Fil", FileStep::SyncFolder, "Save Command",
            "The new text is in Action2.Fil, but it may not survive a power loss.\rInput/output error"
            "\r\rThe disk did not confirm the save. Your text is still in the editor.",
            [](UnconfirmedSaveTest& f) -> WorkArea1& {
                WorkArea1& w = f.openSpec(3);
                w.SSOption3.click();
                w.Rtext3.type(QStringLiteral("Workforce clearance checked by HR."));
                return w;
            },
            [](WorkArea1& w) { w.SSCommand6.click(); },
            [](UnconfirmedSaveTest& f, WorkArea1& w) {
                EXPECT_TRUE(f.folder->read(QStringLiteral("Action2.Fil")).contains("Workforce clearance checked by HR."));
                EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Workforce clearance checked by HR."));
                // The file holds the text: the next entry opens without asking to save it again.
                EXPECT_EQ(w.UnsavedChanges, 0);
                w.SSCommand14[4].click();
                EXPECT_EQ(w.SpecIndex, 4);
                EXPECT_EQ(f.dialogs->shown().size(), 1u);
            }},
        UnconfirmedCase{
            "Status", "Stat1.Fil", FileStep::Sync, "Status Not Confirmed",
            "The status is in Stat1.Fil, but it may not survive a power loss.\r"
            "The disk did not confirm it. Please check the disk the program folder is on.",
            [](UnconfirmedSaveTest& f) -> WorkArea1& {
                f.folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile({{5, "Pending"}}));
                WorkArea1& w = f.openHub();
                f.page(w, 2);
                w.SSCommand14[4].click();
                EXPECT_EQ(w.Combo1.text(), QStringLiteral("Pending"));
                return w;
            },
            [](WorkArea1& w) { w.Combo1.pickText(QStringLiteral("Review")); },
            [](UnconfirmedSaveTest& f, WorkArea1& w) {
                EXPECT_EQ(f.folder->read(QStringLiteral("Stat1.Fil")).mid(80, 20), hubtest::statusRecord("Review"));
                EXPECT_EQ(w.SpecStatus[5], QStringLiteral("Review"));
                EXPECT_EQ(w.Combo1.text(), QStringLiteral("Review"));
                EXPECT_TRUE(w.Combo1.locked());
            }},
        UnconfirmedCase{
            "ToDoList", "TODOActv.FIL", FileStep::SyncFolder, "Save Command",
            "The new text is in TODOActv.FIL, but it may not survive a power loss.\rInput/output error"
            "\r\rThe disk did not confirm the save. Your to-do list is still on screen.",
            [](UnconfirmedSaveTest& f) -> WorkArea1& {
                f.folder->write(timeline::ToDoGridFile, ToDoTest::listOf({ToDoTest::row("Audit")}));
                WorkArea1& w = f.openTimeline();
                ToDoTest::typeName(w, QStringLiteral("Train staff"));
                ToDoTest::press(w.SSCommand19[2]);
                EXPECT_EQ(w.UnsavedChanges, 1);
                return w;
            },
            [](WorkArea1& w) { ToDoTest::press(w.SSCommand19[5]); },
            [](UnconfirmedSaveTest& f, WorkArea1& w) {
                EXPECT_EQ(f.listFile(), ToDoTest::listOf({ToDoTest::row("Audit"), ToDoTest::row("Train staff")}));
                EXPECT_EQ(w.VSGd2.textMatrix(2, 1), QStringLiteral("Train staff"));
                EXPECT_EQ(w.UnsavedChanges, 0);
                EXPECT_FALSE(ToDoTest::saveOffered(w));
            }},
        UnconfirmedCase{
            "ToDoNames", "TODONAME.FIL", FileStep::SyncFolder, "Save Command",
            "The new text is in TODONAME.FIL, but it may not survive a power loss.\rInput/output error"
            "\r\rThe disk did not confirm the save. The item names are still in the list.",
            [](UnconfirmedSaveTest& f) -> WorkArea1& {
                WorkArea1& w = f.openTimeline();
                ToDoTest::typeName(w, QStringLiteral("Train staff"));
                return w;
            },
            [](WorkArea1& w) { ToDoTest::press(w.SSCommand19[2]); },
            [](UnconfirmedSaveTest& f, WorkArea1& w) {
                EXPECT_EQ(f.namesFile(), ToDoTest::lines({"Train staff"}));
                EXPECT_EQ(w.Combo2.listCount(), 1);
                EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QStringLiteral("Train staff"));
            }},
        UnconfirmedCase{
            "WorksheetTitles", "RAList.Fil", FileStep::SyncFolder, "Worksheet Titles Not Confirmed",
            "The worksheet titles are in RAList.Fil, but they may not survive a power loss.\rInput/output error"
            "\r\rThe disk did not confirm them. The buttons show the new titles.",
            [](UnconfirmedSaveTest& f) -> WorkArea1& {
                WorkArea1& w = f.openHub();
                f.page(w, catalogue::PageWorksheets);
                w.mORATitle.click();
                w.Text3[0].setText(QStringLiteral("Front Desk"));
                return w;
            },
            [](WorkArea1& w) { w.SSCommand21[0].click(); },
            [](UnconfirmedSaveTest& f, WorkArea1& w) {
                EXPECT_EQ(f.folder->read(QStringLiteral("RAList.Fil")).left(20), hubtest::statusRecord("Front Desk"));
                EXPECT_FALSE(w.SSPanel4.visible());
                EXPECT_EQ(w.SSCommand12[0].caption(), QStringLiteral("Front Desk"));
            }},
        UnconfirmedCase{
            "GridWallpaper", "GColor3.Fil", FileStep::Sync, "Setting Not Confirmed",
            "The setting is in GColor3.Fil, but it may not survive a power loss.\r"
            "The disk did not confirm it. Please check the disk the program folder is on.",
            [](UnconfirmedSaveTest& f) -> WorkArea1& {
                f.folder->copyContent();
                return f.openHub();
            },
            [](WorkArea1& w) { w.mOGrid1[3]->click(); },
            [](UnconfirmedSaveTest& f, WorkArea1& w) {
                EXPECT_EQ(f.folder->read(QStringLiteral("GColor3.Fil")).mid(20, 20), hubtest::statusRecord("3"));
                EXPECT_TRUE(w.VSGd1.hasWallPaper());
                EXPECT_TRUE(w.mOGrid1[3]->checked());
            }}),
    [](const ::testing::TestParamInfo<UnconfirmedCase>& info) { return std::string(info.param.name); });

}  // namespace
