// The start window and start-up: display mode, screen check, splash, background colour and
// the content documents' hidden state.
#include "frame/HINFO1.h"
#include "frame/Startfrm.h"
#include "platform/Files.h"
#include "tests/support/TestSupport.h"
#include "tests/support/platform/RealInput.h"
#include "workbook/WorkArea1.h"

using namespace platform;

namespace {

const QString ScreenWarningTitle = QStringLiteral("Program Display Option");
const QString ScreenWarningText = QStringLiteral(
    "Monitor Resolution Settings (Screen Area) and Program Size requirements are at least 800 by 600 or "
    "Higher.\rIf you do not set your screen resolution to this setting or higher this program will not "
    "function properly!");

QByteArray stringRecord(const QByteArray& text, int length) {
    QByteArray r(length, '\0');
    r[0] = char(text.size());
    r.replace(2, text.size(), text);
    return r;
}

class StartTest : public testsupport::ProgramTest {
protected:
    Startfrm& start() {
        Startfrm& s = defaultInstance<Startfrm>();
        s.show();
        return s;
    }
    void writeDisplayRecord(const QByteArray& text) {
        QByteArray file(34 * 20, '\0');
        file += stringRecord(text, 20);
        folder->write(QStringLiteral("GColor3.Fil"), file);
    }
    void addContentDocuments(int miscCount, int prCount) {
        for (int n = 0; n < miscCount; ++n) folder->write(QStringLiteral("Misc%1.Hlp").arg(n), "{\\rtf1 x}");
        for (int n = 0; n < prCount; ++n) folder->write(QStringLiteral("PR%1.Hlp").arg(n), "{\\rtf1 x}");
    }
};

TEST_F(StartTest, FreshFolderOpensMaximisedAndLeavesAnEmptySettingsFile) {
    Startfrm& s = start();
    EXPECT_EQ(s.caption(), QStringLiteral("Quorvane - Start Screen"));
    EXPECT_EQ(s.windowState(), WindowState::Maximized);
    EXPECT_EQ(DisplayMode, 0);
    EXPECT_TRUE(folder->exists(QStringLiteral("GColor3.Fil")));
    EXPECT_EQ(folder->read(QStringLiteral("GColor3.Fil")).size(), 0);
    // Full screen offers the smaller display.
    EXPECT_FALSE(s.Command1[0].visible());
    EXPECT_TRUE(s.Command1[1].visible());
    EXPECT_TRUE(s.SSPanel1.visible());
    EXPECT_EQ(SplashShown, 99);
    EXPECT_FALSE(pointer->hourglass());
    EXPECT_EQ(StartWidth, screen->widthTwips());
    EXPECT_EQ(StartHeight, screen->heightTwips());
    EXPECT_TRUE(dialogs->shown().empty());
}

// A save cut off before its rename leaves its temporary file; the next start takes it away and
// leaves every other file of the folder alone.
TEST_F(StartTest, StartRemovesTheTemporaryFilesOfInterruptedSavesOnly) {
    folder->write(QStringLiteral("Action0.Fil"), "{\\rtf1 saved}");
    folder->write(QStringLiteral(".Action0.Fil.~save-q8ZrT2"), "{\\rtf1 half");
    folder->write(QStringLiteral(".Stat1.Fil.~save-00aaZZ"), "");
    folder->write(QStringLiteral("Action0.Fil.bak"), "the user's own copy");
    start();
    EXPECT_FALSE(folder->exists(QStringLiteral(".Action0.Fil.~save-q8ZrT2")));
    EXPECT_FALSE(folder->exists(QStringLiteral(".Stat1.Fil.~save-00aaZZ")));
    EXPECT_EQ(folder->read(QStringLiteral("Action0.Fil")), QByteArray("{\\rtf1 saved}"));
    EXPECT_EQ(folder->read(QStringLiteral("Action0.Fil.bak")), QByteArray("the user's own copy"));
}

TEST_F(StartTest, SmallerScreenWritesYesAtByte680AndCentresTheWindow) {
    Startfrm& s = start();
    s.Command1[1].click();
    QByteArray file = folder->read(QStringLiteral("GColor3.Fil"));
    ASSERT_EQ(file.size(), 700);
    EXPECT_EQ(file.mid(680, 20), stringRecord("Yes", 20));
    EXPECT_EQ(DisplayMode, 9);
    EXPECT_EQ(s.windowState(), WindowState::Normal);
    EXPECT_EQ(s.width(), 12000);
    EXPECT_EQ(s.height(), 9000);
    EXPECT_EQ(s.left(), screen->widthTwips() / 2 - 6000);
    EXPECT_EQ(s.top(), screen->heightTwips() / 2 - 4500);
    EXPECT_TRUE(s.Command1[0].visible());
    EXPECT_FALSE(s.Command1[1].visible());
    EXPECT_TRUE(s.mOPS.checked());
    EXPECT_FALSE(s.mOPF.checked());
}

struct DisplayRecordCase {
    const char* name;
    QByteArray record;
    bool smaller;
};

class DisplayRecordTest : public StartTest, public ::testing::WithParamInterface<DisplayRecordCase> {};

TEST_P(DisplayRecordTest, RecordThirtyFiveChoosesTheDisplay) {
    writeDisplayRecord(GetParam().record);
    Startfrm& s = start();
    EXPECT_EQ(DisplayMode, GetParam().smaller ? 9 : 0);
    EXPECT_EQ(s.windowState(), GetParam().smaller ? WindowState::Normal : WindowState::Maximized);
    if (GetParam().smaller) {
        EXPECT_EQ(s.width(), 12000);
        EXPECT_EQ(s.height(), 9000);
    }
    EXPECT_EQ(s.Command1[0].visible(), GetParam().smaller);
}

INSTANTIATE_TEST_SUITE_P(Records, DisplayRecordTest,
                         ::testing::Values(DisplayRecordCase{"Yes", "Yes", true},
                                           DisplayRecordCase{"LeadingBlanks", "   Yes", true},
                                           DisplayRecordCase{"FurtherCharacters", "Yesterday", true},
                                           DisplayRecordCase{"LowerCase", "yes", false},
                                           DisplayRecordCase{"UpperCase", "YES", false},
                                           DisplayRecordCase{"No", "No", false},
                                           DisplayRecordCase{"Empty", "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartTest, SmallScreenWarnsTwiceAndStoresFullScreen) {
    screen->setSize(9930, 7590);  // one pixel short of 800 wide... below the minimum width
    writeDisplayRecord("Yes");
    dialogs->answer(ScreenWarningTitle, Answer::OK);
    dialogs->answer(ScreenWarningTitle, Answer::OK);
    Startfrm& s = start();
    auto warnings = dialogs->shownWithTitle(ScreenWarningTitle);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].text, ScreenWarningText);
    EXPECT_EQ(warnings[0].flags, Msg::Information | Msg::OKOnly);
    EXPECT_EQ(folder->read(QStringLiteral("GColor3.Fil")).mid(680, 20), stringRecord("No", 20));
    EXPECT_EQ(DisplayMode, 0);
    EXPECT_EQ(s.windowState(), WindowState::Maximized);
}

TEST_F(StartTest, ChoosingTheMarkedModeDoesNothingAndWritesNothing) {
    Startfrm& s = start();
    s.mO.click();  // opening the menu marks the entry of the present mode
    EXPECT_TRUE(s.mOPF.checked());
    folder->write(QStringLiteral("GColor3.Fil"), QByteArray());
    s.mOPF.click();
    EXPECT_EQ(folder->read(QStringLiteral("GColor3.Fil")).size(), 0);
    EXPECT_EQ(s.windowState(), WindowState::Maximized);
}

TEST_F(StartTest, MaximisingAndRestoringByHandSwitchTheStoredMode) {
    writeDisplayRecord("Yes");
    Startfrm& s = start();
    ASSERT_EQ(DisplayMode, 9);
    s.setWindowState(WindowState::Maximized);  // as the maximise box does
    EXPECT_EQ(DisplayMode, 0);
    EXPECT_EQ(folder->read(QStringLiteral("GColor3.Fil")).mid(680, 20), stringRecord("No", 20));
    s.setWindowState(WindowState::Normal);
    EXPECT_EQ(DisplayMode, 9);
    EXPECT_EQ(folder->read(QStringLiteral("GColor3.Fil")).mid(680, 20), stringRecord("Yes", 20));
}

TEST_F(StartTest, SplashShowsOnceAlsoWhenTheDisplayEntriesRerunLoad) {
    clock->setTime(10, 0, 30);
    Startfrm& s = start();
    // Two waits of two seconds: three to four seconds in all.
    int elapsed = QTime(10, 0, 30).msecsTo(clock->timeOfDay());
    EXPECT_GE(elapsed, 3000);
    EXPECT_LE(elapsed, 4100);
    QTime before = clock->timeOfDay();
    s.Command1[1].click();
    s.Command1[0].click();
    EXPECT_EQ(before.msecsTo(clock->timeOfDay()), 0);
}

TEST_F(StartTest, BackgroundColourChoices) {
    Startfrm& s = start();
    EXPECT_EQ(s.backColor(), 0xFF0000u);  // no HINV3.Fil: blue
    const QString title = QStringLiteral("Background Color");
    // Yes with a colour chosen: stored as an integer, 6 bytes at byte 20.
    dialogs->answer(title, Answer::Yes);
    dialogs->answerColor(rgb(10, 20, 30));
    s.mOBC.click();
    EXPECT_EQ(s.backColor(), rgb(10, 20, 30));
    QByteArray file = folder->read(QStringLiteral("HINV3.Fil"));
    EXPECT_EQ(file.mid(20, 6), QByteArray::fromHex("03000a141e00"));
    // Yes then cancelling the colour dialog changes nothing.
    dialogs->answer(title, Answer::Yes);
    dialogs->answerColor(std::nullopt);
    s.mOBC.click();
    EXPECT_EQ(folder->read(QStringLiteral("HINV3.Fil")), file);
    // Cancel changes nothing.
    dialogs->answer(title, Answer::Cancel);
    s.mOBC.click();
    EXPECT_EQ(folder->read(QStringLiteral("HINV3.Fil")), file);
    // No: the system colour, stored as "Def".
    dialogs->answer(title, Answer::No);
    s.mOBC.click();
    EXPECT_EQ(s.backColor(), s.Label1.backColor());
    EXPECT_EQ(folder->read(QStringLiteral("HINV3.Fil")).mid(20, 7), QByteArray::fromHex("08000300") + "Def");
    auto shown = dialogs->shownWithTitle(title);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0].text, QStringLiteral("Select New Color or Use System Default Color?\r\rYes = Color Selection "
                                            "Panel will appear.\rNo = Current System Default Color will be selected."));
    EXPECT_EQ(shown[0].flags, Msg::Information | Msg::YesNoCancel);
}

TEST_F(StartTest, StoredColourIsAppliedAtStart) {
    QByteArray file(20, '\0');
    file += QByteArray::fromHex("0300") + QByteArray::fromHex("112233") + QByteArray(1, '\0') + QByteArray(4, '\0');
    folder->write(QStringLiteral("HINV3.Fil"), file);
    EXPECT_EQ(start().backColor(), 0x332211u);
}

TEST_F(StartTest, StoredDefaultReadsTheSystemColour) {
    QByteArray file(20, '\0');
    file += QByteArray::fromHex("08000300") + "Def" + QByteArray(3, '\0');
    folder->write(QStringLiteral("HINV3.Fil"), file);
    Startfrm& s = start();
    EXPECT_EQ(s.backColor(), s.Label1.backColor());
    EXPECT_TRUE(isSystemColor(s.backColor()));
}

TEST_F(StartTest, ContentDocumentsVisibleWhileUpAndHiddenAfterExit) {
    addContentDocuments(64, 25);
    for (int n = 0; n < 64; ++n) setFileHidden(QStringLiteral("Misc%1.Hlp").arg(n), true);
    Startfrm& s = start();
    for (int n = 0; n < 64; ++n) EXPECT_FALSE(isFileHidden(QStringLiteral("Misc%1.Hlp").arg(n))) << n;
    for (int n = 0; n < 25; ++n) EXPECT_FALSE(isFileHidden(QStringLiteral("pr%1.hlp").arg(n))) << n;
    s.mOE.click();
    EXPECT_TRUE(runtime().ended());
    for (int n = 0; n < 64; ++n) EXPECT_TRUE(isFileHidden(QStringLiteral("Misc%1.Hlp").arg(n))) << n;
    // The loops write "Pr", the files are "PR": matched without regard to case, never renamed.
    for (int n = 0; n < 25; ++n) {
        EXPECT_TRUE(isFileHidden(QStringLiteral("PR%1.Hlp").arg(n))) << n;
        EXPECT_TRUE(folder->exists(QStringLiteral("PR%1.Hlp").arg(n)));
    }
}

TEST_F(StartTest, ExitWithADocumentMissingSkipsItAndStillEnds) {
    addContentDocuments(10, 3);
    Startfrm& s = start();
    s.mOE.click();
    EXPECT_TRUE(runtime().ended());
    EXPECT_TRUE(isFileHidden(QStringLiteral("Misc9.Hlp")));
    EXPECT_FALSE(folder->exists(QStringLiteral("Misc10.Hlp")));
}

TEST_F(StartTest, CloseBoxEndsTheProgramWithoutAQuestion) {
    Startfrm& s = start();
    s.widget()->close();
    EXPECT_TRUE(runtime().ended());
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(StartTest, BeginProgramShowsTheActionAreaAndHidesTheStartWindow) {
    Startfrm& s = start();
    s.Command2.click();
    EXPECT_FALSE(s.isVisible());
    EXPECT_TRUE(s.isLoaded());
    EXPECT_TRUE(defaultInstance<WorkArea1>().isVisible());
}

TEST_F(StartTest, ActivationAfterTheSecurityRuleReturnEndsTheProgram) {
    Startfrm& s = start();
    s.Command2.click();
    StartUnloadFlag = 9;
    s.show();
    EXPECT_TRUE(runtime().ended());
}

// The begin button focused, Enter presses it as Space does.
TEST_F(StartTest, EnterOnTheFocusedBeginButtonOpensTheActionArea) {
    Startfrm& s = start();
    s.Command2.setFocus();
    ASSERT_TRUE(s.Command2.hasFocus());
    testsupport::pressKey(s.Command2, Qt::Key_Return);
    ASSERT_NE(existingInstance<WorkArea1>(), nullptr);
    EXPECT_TRUE(defaultInstance<WorkArea1>().isVisible());
    EXPECT_FALSE(s.isVisible());
}

TEST_F(StartTest, RightButtonOnTheStartControlsPopsUpOptions) {
    Startfrm& s = start();
    testsupport::mouseClick(s.Label8);
    EXPECT_TRUE(popups().empty());
    testsupport::mouseClick(s.Command2, Qt::RightButton);
    testsupport::mouseClick(s.Label8, Qt::RightButton);
    s.Form_MouseUp(Mouse::Right, 0, 100, 100);
    EXPECT_EQ(popups(), (std::vector<QString>{"mO", "mO", "mO"}));
}

// Under a window manager, whose frame is known only once a window is on the screen: the start
// window of either display, the Action Area that takes its place and a reference window that
// takes the Action Area's, each with its title bar and borders on the screen from the first
// start.
struct FramedCase {
    const char* name;
    int width, height;  // twips of the screen
    QByteArray record;  // record 35
};

class FramedStartTest : public StartTest, public ::testing::WithParamInterface<FramedCase> {
protected:
    void expectFrameOnScreen(Form& f, const char* what) {
        QWidget* w = f.widget();
        ASSERT_TRUE(w->isVisible()) << what;
        const QRect outer = w->geometry().marginsAdded(*screen->windowFrame(f.windowState() == WindowState::Maximized));
        // The offscreen platform moves a shown window two pixels to the right (its stand-in
        // for a frame's border); the placement is the program's.
        const QRect whole(0, 0, GetParam().width / 15 + 2, GetParam().height / 15);
        EXPECT_TRUE(whole.contains(outer)) << what << ": the frame at " << outer.x() << "," << outer.y() << " "
                                           << outer.width() << "x" << outer.height();
    }
};

TEST_P(FramedStartTest, EveryWindowInTheStartWindowsPlaceKeepsItsTitleBarOnTheScreen) {
    folder->copyContent();
    screen->setSize(GetParam().width, GetParam().height);
    screen->frameWindows();
    writeDisplayRecord(GetParam().record);
    Startfrm& s = start();
    doEvents();
    expectFrameOnScreen(s, "start window");
    s.Command2.click();
    doEvents();
    WorkArea1& hub = defaultInstance<WorkArea1>();
    expectFrameOnScreen(hub, "Action Area");
    hub.SSCommand4[2].click();
    doEvents();
    Form* rule = runtime().activeForm();
    ASSERT_NE(rule, &hub);
    ASSERT_NE(rule, nullptr);
    expectFrameOnScreen(*rule, "Security Rule");
}

INSTANTIATE_TEST_SUITE_P(Screens, FramedStartTest,
                         ::testing::Values(FramedCase{"Smaller800x600", 12000, 9000, "Yes"},
                                           FramedCase{"Full800x600", 12000, 9000, "No"},
                                           FramedCase{"Smaller1280x1024", 19200, 15360, "Yes"},
                                           FramedCase{"Full1280x1024", 19200, 15360, "No"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
