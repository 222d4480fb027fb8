// The form runtime: when Load, Activate, GotFocus and Unload run, modal windows, default
// instances, key preview, and the controls' value and click rules.
#include "platform/Controls.h"
#include "tests/support/platform/PlatformFakes.h"

#include "platform/Spelling.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QTest>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest-spi.h>

using namespace platform;

namespace {

std::vector<QString>* journal = nullptr;

void note(const QString& s) {
    if (journal) journal->push_back(s);
}

// A window that writes its life cycle into the journal, and can be told what to do.
class Probe : public Form {
public:
    explicit Probe(const QString& name = QStringLiteral("Probe"))
        : Form(name), Button(*this, *this, QStringLiteral("Button")) {}
    void Form_Load() override {
        note(typeName() + QStringLiteral(".Load"));
        if (duringLoad) duringLoad(*this);
    }
    void Form_Activate() override {
        note(typeName() + QStringLiteral(".Activate"));
        if (duringActivate) duringActivate(*this);
    }
    void Form_Unload(int& cancel) override {
        note(typeName() + QStringLiteral(".Unload"));
        cancel = cancelUnload;
    }
    void Form_KeyDown(int& keyCode, int shift) override {
        note(QStringLiteral("KeyDown %1").arg(keyCode));
        (void)shift;
        if (keyCode == swallowKey) keyCode = 0;
    }
    void Form_KeyPress(int& keyAscii) override { note(QStringLiteral("KeyPress %1").arg(keyAscii)); }

    CommandButton Button;
    std::function<void(Probe&)> duringLoad;
    std::function<void(Probe&)> duringActivate;
    int cancelUnload = 0;
    int swallowKey = -1;
    int counter = 0;
};

class Opener : public Probe {
public:
    Opener() : Probe(QStringLiteral("Opener")) {}
};
class Dialog : public Probe {
public:
    Dialog() : Probe(QStringLiteral("Dialog")) {}
};

class FormTest : public testsupport::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        journal = &log;
    }
    void TearDown() override {
        journal = nullptr;
        PlatformTest::TearDown();
    }
    std::vector<QString> log;
};

using Journal = std::vector<QString>;

// What happens before the opener's second Activate, in the cases that must and must not
// produce one.
struct ActivationCase {
    const char* name;
    std::function<void(testsupport::PlatformTest&, testsupport::ScriptedDialogs&, Opener&)> act;
    Journal expected;  // journal entries after the opener's first Load and Activate
};

class ActivationTest : public FormTest, public ::testing::WithParamInterface<ActivationCase> {
public:
};

TEST_P(ActivationTest, ActivateRunsOnlyWhenTheFormBecomesActive) {
    Opener& opener = defaultInstance<Opener>();
    opener.show();
    ASSERT_EQ(log, (Journal{"Opener.Load", "Opener.Activate"}));
    log.clear();
    onModal(QStringLiteral("Dialog"), [](Form& f) { f.unload(); });
    GetParam().act(*this, *dialogs, opener);
    EXPECT_EQ(log, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ActivationTest,
    ::testing::Values(
        ActivationCase{"ShowAgainWhileActive", [](auto&, auto&, Opener& o) { o.show(); }, {}},
        ActivationCase{"AfterMessageBox",
                       [](auto&, testsupport::ScriptedDialogs& d, Opener&) {
                           d.answer(QStringLiteral("Question"), Answer::Yes);
                           msgBox(QStringLiteral("Sure?"), Msg::YesNo, QStringLiteral("Question"));
                       },
                       {}},
        ActivationCase{"AfterInputBox",
                       [](auto&, testsupport::ScriptedDialogs& d, Opener&) {
                           d.answerInput(QStringLiteral("Name"), QStringLiteral("x"));
                           inputBox(QStringLiteral("Name?"), QStringLiteral("Name"));
                       },
                       {}},
        ActivationCase{"AfterColourDialog",
                       [](auto&, testsupport::ScriptedDialogs& d, Opener&) {
                           d.answerColor(std::nullopt);
                           dialogs().colorDialog(0);
                       },
                       {}},
        ActivationCase{"AfterPopupMenu",
                       [](auto&, auto&, Opener& o) {
                           Menu m(o, QStringLiteral("mO"), QStringLiteral("&Options"));
                           o.popupMenu(m);
                       },
                       {}},
        ActivationCase{"AfterModalWindowClosesUnloadFirst",
                       [](auto&, auto&, Opener&) { defaultInstance<Dialog>().show(true); },
                       {"Dialog.Load", "Dialog.Activate", "Dialog.Unload", "Opener.Activate"}},
        ActivationCase{"ModalClosesWhileOpenerHidden",
                       [](auto&, auto&, Opener& o) {
                           o.hide();
                           defaultInstance<Dialog>().show(true);
                       },
                       {"Dialog.Load", "Dialog.Activate", "Dialog.Unload"}},
        ActivationCase{"HiddenFormShownAgain",
                       [](auto&, auto&, Opener& o) {
                           o.hide();
                           o.show();
                       },
                       {"Opener.Activate"}},
        ActivationCase{"AnotherWindowActiveThenOpenerShown",
                       [](auto&, auto&, Opener& o) {
                           defaultInstance<Dialog>().show();
                           o.show();
                       },
                       {"Dialog.Load", "Dialog.Activate", "Opener.Activate"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormTest, ModalShownDuringLoadDoesNotActivateTheLoadingForm) {
    onModal(QStringLiteral("Dialog"), [](Form& f) { f.unload(); });
    Opener& opener = defaultInstance<Opener>();
    opener.duringLoad = [](Probe&) { defaultInstance<Dialog>().show(true); };
    opener.show();
    EXPECT_EQ(log, (Journal{"Opener.Load", "Dialog.Load", "Dialog.Activate", "Dialog.Unload", "Opener.Activate"}));
}

TEST_F(FormTest, ModalHandlerRunsInsideShowAndTheCallerWaits) {
    bool handled = false;
    onModal(QStringLiteral("Dialog"), [&](Form& f) {
        handled = true;
        EXPECT_TRUE(f.isVisible());
        EXPECT_TRUE(f.isModal());
        f.hide();
    });
    defaultInstance<Opener>().show();
    defaultInstance<Dialog>().show(true);
    EXPECT_TRUE(handled);
    // Hiding keeps it loaded.
    EXPECT_NE(existingInstance<Dialog>(), nullptr);
}

TEST_F(FormTest, ModalWindowNobodyHandlesFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(defaultInstance<Dialog>().show(true), "modal window Dialog shown with no handler");
    EXPECT_FALSE(defaultInstance<Dialog>().isVisible());
}

TEST_F(FormTest, UnloadCanBeCancelledAndOtherwiseDestroysTheDefaultInstance) {
    Opener& o = defaultInstance<Opener>();
    o.show();
    o.counter = 5;
    o.cancelUnload = 1;
    EXPECT_FALSE(o.unload());
    EXPECT_TRUE(o.isVisible());
    o.cancelUnload = 0;
    EXPECT_TRUE(o.unload());
    EXPECT_EQ(existingInstance<Opener>(), nullptr);
    // The next use builds it afresh, with fresh fields.
    Opener& again = defaultInstance<Opener>();
    EXPECT_EQ(again.counter, 0);
    EXPECT_FALSE(again.isLoaded());
}

TEST_F(FormTest, LoadRunsOncePerInstance) {
    Opener& o = defaultInstance<Opener>();
    o.show();
    o.hide();
    o.show();
    o.load();
    EXPECT_EQ(std::count(log.begin(), log.end(), QStringLiteral("Opener.Load")), 1);
}

TEST_F(FormTest, EndingTheProgramRunsNoFurtherUnloadHandlers) {
    Opener& o = defaultInstance<Opener>();
    o.show();
    endProgram();
    EXPECT_TRUE(runtime().ended());
    EXPECT_FALSE(o.isVisible());
    EXPECT_EQ(std::count(log.begin(), log.end(), QStringLiteral("Opener.Unload")), 0);
}

// A window manager's frame goes around the area the window asks for: where the frame would
// not fit on the screen (a window as large as the screen, in the smaller display), the area
// is moved and made smaller so that the title bar and the borders stay on the screen.
TEST(FrameOnScreenTest, TheFrameStaysOnTheScreen) {
    const QMargins frame(1, 22, 1, 5);
    const struct {
        QRect asked;
        QMargins frame;
        QSize screen;
        QRect client;
    } cases[] = {
        {{0, 0, 800, 600}, {}, {800, 600}, {0, 0, 800, 600}},            // no window manager
        {{240, 212, 800, 600}, frame, {1280, 1024}, {240, 212, 800, 600}},  // it fits
        {{0, 0, 800, 600}, frame, {800, 600}, {1, 22, 798, 573}},        // as large as the screen
        {{100, 100, 800, 600}, frame, {800, 600}, {100, 100, 699, 495}},  // past the right and the foot
        {{0, 0, 800, 600}, frame, {1, 1}, {1, 22, 1, 1}},                // a screen smaller than a frame
    };
    for (const auto& c : cases) EXPECT_EQ(fitFrameOnScreen(c.asked, c.frame, c.screen), c.client) << c.asked.x();
}

// The end of the program stops the program's own event loop only: dialogs asked later in the
// same process (the next test, or the program's last questions) still wait for their answer.
TEST_F(FormTest, EndingTheProgramLeavesLaterEventLoopsWorking) {
    defaultInstance<Opener>().show();
    endProgram();
    QEventLoop later;
    QTimer::singleShot(0, &later, [&] { later.exit(7); });
    EXPECT_EQ(later.exec(), 7);
}

// Where no event loop can run at all, a question still ends: a Yes/No box with its default
// button, the spelling dialog with Cancel. Each runs in a child process, since the state that
// refuses event loops cannot be undone in the process that entered it.
TEST(QuestionsWithoutAnEventLoopTest, EndWithTheDefaultAnswerOrCancel) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setDialogs(nullptr);
            QCoreApplication::exit(0);  // no loop is running: every later one is refused
            const int r = msgBox(QStringLiteral("Keep going?"), Msg::YesNo | Msg::DefaultButton2, QStringLiteral("Q"));
            std::_Exit(r == Answer::No ? 0 : 1);  // at once: the process is thrown away
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            QCoreApplication::exit(0);
            std::unique_ptr<SpellSession> s = makeQtSpellDialogs()->openSpelling([] {});
            const SpellDecision d = s->ask({QStringLiteral("nexxt"), QStringLiteral("nexxt"), 0, {}});
            std::_Exit(d.action == SpellAction::Cancel ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(FormTest, KeyPreviewSeesKeysFirstAndCanSwallowThem) {
    Opener& o = defaultInstance<Opener>();
    o.setKeyPreview(true);
    o.show();
    int controlKeys = 0;
    o.Button.onKeyDown = [&](int&, int) { ++controlKeys; };
    o.Button.setFocus();
    o.swallowKey = Key::Delete;
    o.dispatchKey(Key::Delete, 0, 0);
    EXPECT_EQ(controlKeys, 0);
    o.dispatchKey(Key::Escape, 0, 27);
    EXPECT_EQ(controlKeys, 1);
    EXPECT_EQ(log.back(), QStringLiteral("KeyPress 27"));
}

TEST_F(FormTest, F1OpensHelpAtTheFormsContextAfterKeyDown) {
    Opener& o = defaultInstance<Opener>();
    o.setKeyPreview(true);
    o.setHelpContextId(3010);
    o.duringActivate = [](Probe& p) { p.setHelpContextId(3010); };
    o.show();
    Form::setHelpFile(QStringLiteral("QUORVANE.hlp"));
    // The KeyDown handler may change the topic before help opens.
    o.swallowKey = -1;
    o.dispatchKey(Key::F1, 0, 0);
    ASSERT_EQ(help->calls.size(), 1u);
    EXPECT_EQ(help->calls[0].second, 3010);
    EXPECT_EQ(log.back(), QStringLiteral("KeyDown 112"));
}

TEST_F(FormTest, WindowGeometryIsKeptInTwipsAndThirtyTwoBits) {
    Opener& o = defaultInstance<Opener>();
    o.move(150, 300, 40000, 30000);  // wider than 16 bits of twips would hold at large sizes
    EXPECT_EQ(o.width(), 40000);
    o.setWidth(70000);
    EXPECT_EQ(o.width(), 70000);
    screen->setSize(86400, 48600);  // a 5760 x 3240 pixel screen
    o.setWindowState(WindowState::Maximized);
    EXPECT_EQ(o.width(), 86400);
    EXPECT_EQ(o.height(), 48600);
}

// ---- controls --------------------------------------------------------------------------------

TEST_F(FormTest, SettingAButtonsValueRunsClickWithValueTrueInside) {
    Opener& o = defaultInstance<Opener>();
    ControlArray<SSCommand> tabs(QStringLiteral("SSCommand4"));
    for (int i = 0; i < 3; ++i) tabs.add(o, o, i);
    std::vector<std::pair<int, bool>> clicks;
    tabs.setOnClick([&](int i) { clicks.emplace_back(i, tabs[i].value()); });
    tabs[2].setValue(true);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], std::make_pair(2, true));
    EXPECT_FALSE(tabs[2].value());
    tabs[1].setBevelWidth(0);
    EXPECT_EQ(tabs[1].bevelWidth(), 0);
}

TEST_F(FormTest, CheckAndOptionFromCodeClickOnlyOnChange) {
    Opener& o = defaultInstance<Opener>();
    SSCheck check(o, o, QStringLiteral("SSCheck1"));
    SSOption a(o, o, QStringLiteral("SSOption1")), b(o, o, QStringLiteral("SSOption2"));
    int checkClicks = 0, aClicks = 0, bClicks = 0;
    check.onClick = [&] { ++checkClicks; };
    a.onClick = [&] { ++aClicks; };
    b.onClick = [&] { ++bClicks; };
    check.setValue(1);
    check.setValue(1);
    check.setValue(0);
    EXPECT_EQ(checkClicks, 2);
    // No option is selected until one is chosen; choosing one turns the other off.
    EXPECT_FALSE(a.value());
    EXPECT_FALSE(b.value());
    a.setValue(true);
    a.setValue(true);
    b.setValue(true);
    EXPECT_FALSE(a.value());
    EXPECT_TRUE(b.value());
    EXPECT_EQ(aClicks, 1);
    EXPECT_EQ(bClicks, 1);
}

TEST_F(FormTest, ComboClicksOnlyForAUsersPickAlsoOfTheSameItem) {
    Opener& o = defaultInstance<Opener>();
    ComboBox combo(o, o, QStringLiteral("Combo1"));
    int clicks = 0;
    combo.onClick = [&] { ++clicks; };
    combo.addItem(QStringLiteral("Pending"));
    combo.addItem(QStringLiteral("Completed"));
    combo.clear();
    combo.addItem(QStringLiteral("Pending"));
    combo.addItem(QStringLiteral("Completed"));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(combo.listIndex(), -1);
    combo.pick(1);
    combo.pick(1);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(combo.text(), QStringLiteral("Completed"));
}

TEST_F(FormTest, MenuEntriesClickOnlyWhenEnabledAndVisible) {
    Opener& o = defaultInstance<Opener>();
    Menu title(o, QStringLiteral("mO"), QStringLiteral("&Options"));
    Menu entry(o, QStringLiteral("mOE"), QStringLiteral("E&xit"));
    o.addMenu(title);
    title.add(entry);
    int clicks = 0;
    entry.onClick = [&] { ++clicks; };
    entry.click();
    entry.setEnabled(false);
    entry.click();
    entry.setEnabled(true);
    entry.setVisible(false);
    entry.click();
    EXPECT_EQ(clicks, 1);
    entry.setChecked(true);
    EXPECT_TRUE(entry.checked());
    EXPECT_EQ(title.find(QStringLiteral("mOE")), &entry);
}

// A title whose Click shows a window in place of its menu hides itself for a moment: the
// menu it opened then closes, and stays open where the Click does not.
TEST_F(FormTest, ATitleHiddenByItsOwnClickClosesTheMenuItOpened) {
    Opener& o = defaultInstance<Opener>();
    Menu help(o, QStringLiteral("mH"), QStringLiteral("&Help"));
    Menu about(o, QStringLiteral("mHA"), QStringLiteral("&About"));
    o.addMenu(help);
    help.add(about);
    o.show();
    QApplication::setActiveWindow(o.widget());
    doEvents();
    bool hideTitle = false;
    int clicks = 0;
    help.onClick = [&] {
        ++clicks;
        if (!hideTitle) return;
        help.setVisible(false);
        doEvents();
        help.setVisible(true);
    };
    QTest::keyClick(o.widget(), Qt::Key_H, Qt::AltModifier);
    doEvents();
    ASSERT_EQ(clicks, 1);
    EXPECT_TRUE(help.qmenu()->isVisible());
    QTest::keyClick(help.qmenu(), Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : o.widget(), Qt::Key_Escape);
    doEvents();
    ASSERT_FALSE(help.qmenu()->isVisible());

    hideTitle = true;
    QTest::keyClick(o.widget(), Qt::Key_H, Qt::AltModifier);
    doEvents();
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(help.qmenu()->isVisible());
    EXPECT_TRUE(help.visible());
}

TEST_F(FormTest, AccessibleNamesAreCaptionsWithoutTheAccessKey) {
    Opener& o = defaultInstance<Opener>();
    o.Button.setCaption(QStringLiteral("&Save && Close"));
    EXPECT_EQ(o.Button.accessibleName(), QStringLiteral("Save & Close"));
}

TEST_F(FormTest, HiddenOrDisabledControlIgnoresSetFocus) {
    Opener& o = defaultInstance<Opener>();
    o.show();
    TextBox box(o, o, QStringLiteral("Text1"));
    box.setVisible(false);
    box.setFocus();
    EXPECT_NE(o.activeControl(), &box);
    box.setVisible(true);
    box.setEnabled(false);
    box.setFocus();
    EXPECT_NE(o.activeControl(), &box);
    box.setEnabled(true);
    box.setFocus();
    EXPECT_EQ(o.activeControl(), &box);
}

// A key typed into a box inside a panel is the box's, not the panel's: its KeyDown runs and
// the box types the character.
TEST_F(FormTest, TheFocusedControlInsideAPanelGetsTheKeys) {
    Opener& o = defaultInstance<Opener>();
    o.show();
    SSPanel panel(o, o, QStringLiteral("Panel1"));
    TextBox box(o, panel, QStringLiteral("Text1"));
    int panelKeys = 0, boxKeys = 0;
    panel.onKeyDown = [&](int&, int) { ++panelKeys; };
    box.onKeyDown = [&](int&, int) { ++boxKeys; };
    box.setFocus();
    ASSERT_TRUE(box.hasFocus());
    EXPECT_EQ(o.activeControl(), &box);
    o.dispatchKey('A', 0, 'a');
    EXPECT_EQ(boxKeys, 1);
    EXPECT_EQ(panelKeys, 0);
    EXPECT_EQ(box.text(), QStringLiteral("a"));
}

// ---- the dialog responder --------------------------------------------------------------------

TEST_F(FormTest, UnansweredMessageBoxFailsTheTest) {
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = msgBox(QStringLiteral("Exit Quorvane?"), Msg::YesNoCancel, QStringLiteral("Exit")),
                            "unanswered message box: title \"Exit\"");
    EXPECT_EQ(answer, Answer::Cancel);
}

TEST_F(FormTest, ScriptedAnswersAreMatchedByTitleAndRecorded) {
    dialogs->answer(QStringLiteral("Exit"), Answer::No);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::Yes);
    EXPECT_EQ(msgBox(QStringLiteral("Save changes/entries before next action?"), Msg::YesNo, QStringLiteral("Save Changes?")),
              Answer::Yes);
    EXPECT_EQ(msgBox(QStringLiteral("Exit Quorvane?"), Msg::YesNoCancel | Msg::Question, QStringLiteral("Exit")), Answer::No);
    ASSERT_EQ(dialogs->shown().size(), 2u);
    EXPECT_EQ(dialogs->shown()[1].text, QStringLiteral("Exit Quorvane?"));
    EXPECT_EQ(dialogs->shown()[1].flags, Msg::YesNoCancel | Msg::Question);
}

}  // namespace

namespace {

// A window laid out before it is shown (its Load places the controls) gets the client area it
// will have on screen, so that nothing is left as an empty strip below its controls.
TEST_F(FormTest, TheClientAreaKnownBeforeShowingIsTheOneOnScreen) {
    Probe p;
    Menu title(p, QStringLiteral("mO"), QStringLiteral("&Options"));
    Menu entry(p, QStringLiteral("mOE"), QStringLiteral("E&xit"));
    title.add(entry);
    p.addMenu(title);
    p.move(0, 0, 12000, 9000);
    const int widthBefore = p.scaleWidth();
    const int heightBefore = p.scaleHeight();
    p.show();
    EXPECT_EQ(p.scaleWidth(), widthBefore);
    EXPECT_EQ(p.scaleHeight(), heightBefore);
}

}  // namespace
