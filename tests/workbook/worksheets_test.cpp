// The risk-analysis worksheets of page 7: the buttons' titles and underlines, choosing a
// worksheet (its status, its document, the save question before anything changes), and the
// title panel with what it stores in RAList.Fil, refuses and reports.
#include "tests/support/platform/DiskFaults.h"
#include "tests/support/TypedKeys.h"
#include "tests/workbook/HubFixture.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

using namespace platform;

namespace {

QByteArray titleRecord(const QByteArray& text) { return hubtest::statusRecord(text); }
QByteArray rtf(const QByteArray& text) { return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 " + text + "\\par}"; }

class WorksheetsTest : public hubtest::HubTest {
protected:
    WorkArea1& openWorksheets() {
        WorkArea1& w = openHub();
        page(w, catalogue::PageWorksheets);
        return w;
    }
    void typeInto(WorkArea1& w, const QString& text) {
        w.Rtext3.setSelStart(w.Rtext3.textLength());
        w.Rtext3.type(text);
    }
    QByteArray record(const QString& file, int n) { return folder->read(file).mid((n - 1) * 20, 20); }
};

TEST_F(WorksheetsTest, OnAFirstRunEveryButtonHasItsDefaultTitleAndNoneIsUnderlined) {
    WorkArea1& w = openWorksheets();
    for (int n = 0; n < 21; ++n) {
        const QString title = n < 9 ? QStringLiteral("Risk Analysis # %1").arg(n + 1) : QStringLiteral("Risk Analysis #%1").arg(n + 1);
        EXPECT_EQ(w.SSCommand12[n].caption(), title);
        EXPECT_EQ(w.SSCommand12[n].toolTipText(), title);
        EXPECT_FALSE(w.SSCommand12[n].font().underline) << n;
    }
    EXPECT_FALSE(w.SSCommand9.enabled());
    w.SSCommand12[6].click();
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
    EXPECT_FALSE(w.Rtext3.locked());
    EXPECT_TRUE(w.Combo1.text().isEmpty());
    EXPECT_TRUE(w.Combo1.visible());
    EXPECT_TRUE(w.Label9.visible());
    EXPECT_EQ(w.CurFileName, QStringLiteral("Wksht6.Fil"));
    EXPECT_EQ(w.SSCommand12[6].bevelWidth(), 0);
    EXPECT_TRUE(w.SSCommand12[6].font().bold);
    EXPECT_EQ(w.SSCommand12[6].foreColor(), paletteColor(9));
    EXPECT_TRUE(w.caption().endsWith(QStringLiteral(" - Risk Analysis # 7"))) << w.caption().toStdString();
    for (SSCommand* b : {&w.SSCommand2, &w.SSCommand5, &w.SSCommand6, &w.SSCommand8, &w.SSCommand9, &w.SSCommand10})
        EXPECT_TRUE(b->enabled()) << b->name().toStdString();
    EXPECT_EQ(w.SSCommand2.caption(), QStringLiteral("New Worksheet"));
}

TEST_F(WorksheetsTest, AStatusShowsOnlyForAWorksheetThatHoldsText) {
    folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile({{49, "Partial"}, {50, "Planned"}}));
    folder->write(QStringLiteral("Wksht2.Fil"), rtf("Backup tapes leave the building weekly."));
    WorkArea1& w = openWorksheets();
    EXPECT_FALSE(w.SSCommand12[1].font().underline);
    EXPECT_TRUE(w.SSCommand12[2].font().underline);
    w.SSCommand12[1].click();
    EXPECT_TRUE(w.Combo1.text().isEmpty());  // "Partial", but no worksheet text
    w.SSCommand12[2].click();
    EXPECT_EQ(w.Combo1.text(), QStringLiteral("Planned"));
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Backup tapes leave the building weekly."));
    EXPECT_EQ(w.UnsavedChanges, 0);
}

// A worksheet just saved with text is in use at once: its underline and its status show at the
// next choice, also when that choice is the same worksheet again.
TEST_F(WorksheetsTest, AWorksheetSavedWithTextShowsItsStatusAndUnderlineAtTheNextChoice) {
    WorkArea1& w = openWorksheets();
    w.SSCommand12[3].click();
    typeInto(w, QStringLiteral("Laptops carry patient lists."));
    ASSERT_TRUE(w.Combo1.pickText(QStringLiteral("Partial")));
    w.SSCommand6.click();
    EXPECT_EQ(record(QStringLiteral("Stat1.Fil"), 51), hubtest::statusRecord("Partial"));
    w.SSCommand12[3].click();
    EXPECT_TRUE(w.SSCommand12[3].font().underline);
    EXPECT_EQ(w.Combo1.text(), QStringLiteral("Partial"));
    w.SSCommand12[4].click();
    EXPECT_TRUE(w.SSCommand12[3].font().underline);
    EXPECT_FALSE(w.SSCommand12[4].font().underline);
}

// The save question is asked while the worksheet it is about is still the open one, so the
// status an emptied worksheet clears is its own, never the next one's.
TEST_F(WorksheetsTest, TheSaveQuestionComesBeforeTheNextWorksheetIsChosen) {
    folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile({{51, "Yes"}, {53, "Partial"}}));
    folder->write(QStringLiteral("Wksht3.Fil"), rtf("Old text"));
    folder->write(QStringLiteral("Wksht5.Fil"), rtf("Old text"));
    WorkArea1& w = openWorksheets();
    w.SSCommand12[3].click();
    ASSERT_EQ(w.Combo1.text(), QStringLiteral("Yes"));
    // The user empties worksheet 4 and chooses the sixth one.
    w.Rtext3.setSelStart(0);
    w.Rtext3.setSelLength(w.Rtext3.textLength());
    w.Rtext3.type(QStringLiteral("\b"));
    ASSERT_EQ(w.UnsavedChanges, 1);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::Yes);
    w.SSCommand12[5].click();
    EXPECT_TRUE(folder->exists(QStringLiteral("Wksht3.Fil")));
    EXPECT_FALSE(w.SSCommand12[3].font().underline);
    EXPECT_EQ(record(QStringLiteral("Stat1.Fil"), 51), QByteArray(20, '\0'));
    EXPECT_EQ(record(QStringLiteral("Stat1.Fil"), 53), hubtest::statusRecord("Partial"));
    EXPECT_EQ(w.Combo1.text(), QStringLiteral("Partial"));
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Old text"));
    EXPECT_EQ(w.WorksheetNo, 5);
}

TEST_F(WorksheetsTest, AWorksheetWithTextKeepsItsStatusWhenSaved) {
    folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile({{68, "Planned"}}));
    WorkArea1& w = openWorksheets();
    w.SSCommand12[20].click();
    typeInto(w, QStringLiteral("Threat: flood in the basement server room."));
    w.SSCommand6.click();
    EXPECT_TRUE(folder->exists(QStringLiteral("Wksht20.Fil")));
    EXPECT_EQ(record(QStringLiteral("Stat1.Fil"), 68), hubtest::statusRecord("Planned"));
    EXPECT_EQ(w.SpecStatus[68], QStringLiteral("Planned"));
}

// ---- the title panel -------------------------------------------------------------------------

// RAList.Fil keeps 8-bit Windows-1252 text in records of 18 characters: a character it cannot
// hold is left out where it is typed, with a message that names it, and the box takes no more
// than a record holds, so the button shows exactly what the next start reads.
TEST_F(WorksheetsTest, ATitleBoxLeavesOutWhatItsRecordCannotHoldAndTakesNoMoreThanTheRecord) {
    WorkArea1& w = openWorksheets();
    w.mORATitle.click();
    auto* box = qobject_cast<QLineEdit*>(w.Text3[4].widget());
    ASSERT_NE(box, nullptr);
    testsupport::clickAt(box);
    ASSERT_EQ(QApplication::focusWidget(), box);
    testsupport::pressKey(Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);  // select all
    const QString title = QStringLiteral("Worksheet Titles");
    dialogs->answer(title, Answer::OK);
    dialogs->answer(title, Answer::OK);
    testsupport::typeText(QString::fromUtf8("Łódź office check room 2"));
    EXPECT_EQ(w.Text3[4].text(), QString::fromUtf8("ód office check ro"));
    std::vector<QString> texts;
    for (const auto& b : dialogs->shownWithTitle(title)) texts.push_back(b.text);
    const QString why = QStringLiteral(" cannot be kept in a worksheet title: RAList.Fil holds only Western European "
                                       "(Windows-1252) characters.\rIt has been left out.");
    EXPECT_EQ(texts, (std::vector<QString>{QStringLiteral("The character \"\u0141\" (U+0141)") + why,
                                           QStringLiteral("The character \"\u017A\" (U+017A)") + why}));
    w.SSCommand21[0].click();
    EXPECT_EQ(w.SSCommand12[4].caption(), QString::fromUtf8("ód office check ro"));
    EXPECT_EQ(record(QStringLiteral("RAList.Fil"), 5), titleRecord("\xF3" "d office check ro"));
    startAgain();
    SplashShown = 99;
    EXPECT_EQ(openWorksheets().SSCommand12[4].caption(), QString::fromUtf8("ód office check ro"));
}

TEST_F(WorksheetsTest, ARenamedWorksheetKeepsItsTitleAfterARestart) {
    WorkArea1& w = openWorksheets();
    w.mORATitle.click();
    ASSERT_TRUE(w.SSPanel4.visible());
    EXPECT_EQ(w.SSPanel4.caption(), QStringLiteral(" Risk Analysis Worksheet Button Name"));
    EXPECT_EQ(w.Label8[0].caption(), QStringLiteral("Button Number"));
    EXPECT_EQ(w.Label8[1].caption(), QStringLiteral("Current Title"));
    EXPECT_EQ(w.Label8[2].caption(), QStringLiteral("Change Title To:"));
    EXPECT_EQ(w.Text3[2].text(), QStringLiteral("Risk Analysis # 3"));
    EXPECT_EQ(w.Label13[2].caption(), QStringLiteral("Risk Analysis # 3"));
    w.Text3[2].setText(QString());
    w.Text3[2].type(QStringLiteral("Server Room"));
    w.SSCommand21[0].click();
    EXPECT_FALSE(w.SSPanel4.visible());
    EXPECT_EQ(w.SSCommand12[2].caption(), QStringLiteral("Server Room"));
    EXPECT_EQ(w.SSCommand12[2].toolTipText(), QStringLiteral("Server Room"));
    EXPECT_EQ(record(QStringLiteral("RAList.Fil"), 3), titleRecord("Server Room"));
    // Every box held a title, so every record now holds one.
    EXPECT_EQ(record(QStringLiteral("RAList.Fil"), 1), titleRecord("Risk Analysis # 1"));
    EXPECT_TRUE(w.caption().endsWith(QStringLiteral(" - Risk Analysis # 1")));

    startAgain();
    SplashShown = 99;
    WorkArea1& again = openWorksheets();
    EXPECT_EQ(again.SSCommand12[2].caption(), QStringLiteral("Server Room"));
    EXPECT_EQ(again.SSCommand12[3].caption(), QStringLiteral("Risk Analysis # 4"));
}

TEST_F(WorksheetsTest, AnAmpersandShowsAsTypedAndBlanksAreStoredButNotShown) {
    WorkArea1& w = openWorksheets();
    w.mORATitle.click();
    w.Text3[0].setText(QStringLiteral("R&D Lab"));
    w.Text3[1].setText(QStringLiteral("  Lobby"));
    w.Text3[2].setText(QStringLiteral("     "));  // only blanks: refused
    w.SSCommand21[0].click();
    EXPECT_EQ(w.SSCommand12[0].caption(), QStringLiteral("R&&D Lab"));
    EXPECT_EQ(stripAccessKey(w.SSCommand12[0].caption()), QStringLiteral("R&D Lab"));
    EXPECT_EQ(w.SSCommand12[0].toolTipText(), QStringLiteral("R&D Lab"));
    EXPECT_EQ(w.SSCommand12[1].caption(), QStringLiteral("Lobby"));
    EXPECT_EQ(w.SSCommand12[2].caption(), QStringLiteral("Risk Analysis # 3"));
    EXPECT_EQ(record(QStringLiteral("RAList.Fil"), 1), titleRecord("R&D Lab"));
    EXPECT_EQ(record(QStringLiteral("RAList.Fil"), 2), titleRecord("  Lobby"));
    EXPECT_EQ(record(QStringLiteral("RAList.Fil"), 3), QByteArray(20, '\0'));
    w.mORATitle.click();
    EXPECT_EQ(w.Text3[0].text(), QStringLiteral("R&D Lab"));
    EXPECT_EQ(stripAccessKey(w.Label13[0].caption()), QStringLiteral("R&D Lab"));
    w.SSCommand21[1].click();

    startAgain();
    SplashShown = 99;
    WorkArea1& again = openWorksheets();
    EXPECT_EQ(again.SSCommand12[1].caption(), QStringLiteral("  Lobby"));
    EXPECT_EQ(again.SSCommand12[0].toolTipText(), QStringLiteral("R&D Lab"));
}

TEST_F(WorksheetsTest, ExitWithoutSavingAndEscWriteNothing) {
    WorkArea1& w = openWorksheets();
    w.SSCommand12[4].click();
    for (int way = 0; way < 2; ++way) {
        w.mORATitle.click();
        w.Text3[4].setText(QStringLiteral("Pharmacy"));
        if (way == 0) w.SSCommand21[1].click();
        else w.dispatchKey(Key::Escape, 0, Key::Escape);
        EXPECT_FALSE(w.SSPanel4.visible());
        EXPECT_FALSE(folder->exists(QStringLiteral("RAList.Fil")));
        EXPECT_EQ(w.SSCommand12[4].caption(), QStringLiteral("Risk Analysis # 5"));
        EXPECT_TRUE(w.caption().endsWith(QStringLiteral(" - Risk Analysis # 5")));
    }
}

TEST_F(WorksheetsTest, ATitleThatCannotBeStoredIsReportedAndTheTypingStays) {
    folder->write(QStringLiteral("RAList.Fil"), titleRecord("Lobby"));
    WorkArea1& w = openWorksheets();
    ASSERT_EQ(w.SSCommand12[0].caption(), QStringLiteral("Lobby"));
    w.mORATitle.click();
    w.Text3[0].setText(QStringLiteral("Front Desk"));
    testsupport::FaultyDisk disk;
    disk.onlyFor(QStringLiteral("RAList.Fil")).failStep(FileStep::Rename);
    dialogs->answer(QStringLiteral("Worksheet Titles Not Stored"), Answer::OK);
    w.SSCommand21[0].click();
    ASSERT_EQ(dialogs->shownWithTitle(QStringLiteral("Worksheet Titles Not Stored")).size(), 1u);
    EXPECT_TRUE(dialogs->shown().back().text.startsWith(
        QStringLiteral("The worksheet titles could not be stored in RAList.Fil.")));
    EXPECT_TRUE(w.SSPanel4.visible());
    EXPECT_EQ(w.Text3[0].text(), QStringLiteral("Front Desk"));
    EXPECT_EQ(w.SSCommand12[0].caption(), QStringLiteral("Lobby"));
    EXPECT_EQ(folder->read(QStringLiteral("RAList.Fil")), titleRecord("Lobby"));
}

// A titles file far larger than 21 records, a hole after its first record: it is not read, the
// message names it, a title typed then is refused with the file named, and the file stays.
TEST_F(WorksheetsTest, AnOversizedTitlesFileIsNamedNotReadAndNotOverwritten) {
    {
        QFile f(folder->file(QStringLiteral("RAList.Fil")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(titleRecord("Lobby")), 20);
        ASSERT_TRUE(f.resize(8 * 1024 * 1024));
    }
    dialogs->answer(QStringLiteral("Worksheet Titles"), Answer::OK);
    WorkArea1& w = openWorksheets();
    const auto told = dialogs->shownWithTitle(QStringLiteral("Worksheet Titles"));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, QStringLiteral("The file RAList.Fil is larger than any list of worksheet titles, so it has "
                                           "not been read.\rIt has been left as it is, and the worksheet buttons show "
                                           "their first titles."));
    EXPECT_EQ(told[0].flags, Msg::OKOnly | Msg::Exclamation);
    EXPECT_EQ(w.SSCommand12[0].caption(), QStringLiteral("Risk Analysis # 1"));

    w.mORATitle.click();
    w.Text3[0].setText(QStringLiteral("Front Desk"));
    dialogs->answer(QStringLiteral("Worksheet Titles Not Stored"), Answer::OK);
    w.SSCommand21[0].click();
    const auto refused = dialogs->shownWithTitle(QStringLiteral("Worksheet Titles Not Stored"));
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].text, QStringLiteral("The worksheet titles could not be stored in RAList.Fil.\rRAList.Fil is "
                                              "larger than any list of worksheet titles and has been left as it is.\r\r"
                                              "The buttons keep their present titles."));
    EXPECT_EQ(w.SSCommand12[0].caption(), QStringLiteral("Risk Analysis # 1"));
    const QByteArray after = folder->read(QStringLiteral("RAList.Fil"));
    EXPECT_EQ(after.size(), 8 * 1024 * 1024);
    EXPECT_EQ(after.left(20), titleRecord("Lobby"));
}

// The title panel at 800 by 600 and at 1280 by 1024: each row's number, title and box on one
// line, below the headings and above the next row, and the two ways out just under the last
// row, inside the panel, with no empty strip between.
struct PanelScreen {
    const char* name;
    int width, height;  // twips
};

class WorksheetTitlePanelLayout : public WorksheetsTest, public ::testing::WithParamInterface<PanelScreen> {};

TEST_P(WorksheetTitlePanelLayout, RowsStandInLinesAndTheButtonsJustUnderThem) {
    screen->setSize(GetParam().width, GetParam().height);
    WorkArea1& w = openWorksheets();
    w.mORATitle.click();
    const int headingsEnd = w.Label8[0].top() + w.Label8[0].height();
    int previousEnd = headingsEnd;
    for (int n = 0; n < catalogue::WorksheetCount; ++n) {
        EXPECT_EQ(w.Label12[n].top(), w.Text3[n].top()) << "row " << n + 1;
        EXPECT_EQ(w.Label13[n].top(), w.Text3[n].top()) << "row " << n + 1;
        EXPECT_GE(w.Text3[n].top(), previousEnd) << "row " << n + 1;
        previousEnd = w.Text3[n].top() + w.Text3[n].height();
    }
    for (int i = 0; i < 2; ++i) {
        const SSCommand& b = w.SSCommand21[i];
        EXPECT_GE(b.top(), previousEnd) << "button " << i;
        EXPECT_LE(b.top(), previousEnd + 600) << "button " << i << " far below the rows";
        EXPECT_LE(b.top() + b.height(), w.SSPanel4.height()) << "button " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, WorksheetTitlePanelLayout,
                         ::testing::Values(PanelScreen{"At800x600", 12000, 9000},
                                           PanelScreen{"At1280x1024", 19200, 15360}),
                         [](const ::testing::TestParamInfo<PanelScreen>& i) { return std::string(i.param.name); });

}  // namespace
