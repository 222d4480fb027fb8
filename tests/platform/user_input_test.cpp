// A person's input reaches the control's handler, once, for every control kind that has one:
// the mouse pressed and released on the widget that receives it (a label, a picture, a panel,
// the inner viewport of a text box), the keys a person presses (Enter, Space, arrows, access
// keys) and the press or toggle of assistive technology. A control covered by a panel, or
// hidden, takes none of it.
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

using namespace platform;

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class InputHost : public Form {
public:
    InputHost()
        : Form(QStringLiteral("InputHost")),
          Command1(*this, *this, QStringLiteral("Command1")),
          SSCommand1(*this, *this, QStringLiteral("SSCommand1")),
          SSFrame1(*this, *this, QStringLiteral("SSFrame1")),
          SSOption1(*this, SSFrame1, QStringLiteral("SSOption1")),
          SSOption2(*this, SSFrame1, QStringLiteral("SSOption2")),
          SSCheck1(*this, *this, QStringLiteral("SSCheck1")),
          Label1(*this, *this, QStringLiteral("Label1")),
          Label2(*this, *this, QStringLiteral("Label2")),
          Image1(*this, *this, QStringLiteral("Image1")),
          SSPanel1(*this, *this, QStringLiteral("SSPanel1")),
          Text1(*this, *this, QStringLiteral("Text1")),
          Text2(*this, *this, QStringLiteral("Text2"), -1, true),
          RText1(*this, *this, QStringLiteral("RText1")),
          Hidden1(*this, *this, QStringLiteral("Hidden1")),
          Under(*this, *this, QStringLiteral("Under")),
          UnderCommand(*this, Under, QStringLiteral("UnderCommand")),
          UnderCheck(*this, Under, QStringLiteral("UnderCheck")),
          UnderLink(*this, Under, QStringLiteral("UnderLink")),
          Cover(*this, *this, QStringLiteral("Cover")) {
        move(0, 0, 12000, 9000);
        Command1.move(120, 120, 1800, 400);
        Command1.setCaption(QStringLiteral("&Begin"));
        SSCommand1.move(2100, 120, 1800, 400);
        SSCommand1.setCaption(QStringLiteral("&Next Topic"));
        SSFrame1.move(120, 700, 3000, 1400);
        SSFrame1.setCaption(QStringLiteral("Text Location"));
        SSOption1.move(120, 250, 2000, 350);
        SSOption1.setCaption(QStringLiteral("&Left"));
        SSOption2.move(120, 950, 2000, 350);
        SSOption2.setCaption(QStringLiteral("Cen&ter"));
        SSCheck1.move(3300, 700, 2600, 400);
        SSCheck1.setCaption(QStringLiteral("&Physical Safeguards"));
        Label1.move(3300, 1300, 2600, 400);
        Label1.setCaption(QStringLiteral("Web Site:"));
        Label2.move(3300, 1800, 2600, 400);
        Label2.setCaption(QStringLiteral("Office of Civil Rights"));
        Label2.setLink(true);
        Image1.move(6100, 120, 1200, 1200);
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        Image1.setPicture(picture);
        SSPanel1.move(6100, 1500, 2400, 800);
        SSPanel1.setCaption(QStringLiteral("Backup Complete"));
        Text1.move(120, 2300, 3000, 400);
        Text2.move(120, 2800, 3000, 1200);
        Text2.setText(QStringLiteral("line one\r\nline two"));
        RText1.move(3300, 2300, 4000, 1700);
        RText1.setText(QStringLiteral("Security incident procedures"));
        Hidden1.move(8000, 120, 1800, 400);
        Hidden1.setCaption(QStringLiteral("&Hidden"));
        Hidden1.setVisible(false);
        // A page with a button, a check box and a link, and a panel shown over all of it.
        Under.move(120, 4300, 6000, 2400);
        UnderCommand.move(120, 120, 1800, 400);
        UnderCommand.setCaption(QStringLiteral("Spell &Check"));
        UnderCheck.move(120, 700, 2400, 400);
        UnderCheck.setCaption(QStringLiteral("Technical &Safeguards"));
        UnderLink.move(120, 1300, 2400, 400);
        UnderLink.setCaption(QStringLiteral("NIST Publications"));
        UnderLink.setLink(true);
        Cover.move(0, 4200, 6400, 2700);
        Cover.setCaption(QStringLiteral("Worksheet title"));
    }
    CommandButton Command1;
    SSCommand SSCommand1;
    SSFrame SSFrame1;
    SSOption SSOption1;
    SSOption SSOption2;
    SSCheck SSCheck1;
    Label Label1;
    Label Label2;
    Image Image1;
    SSPanel SSPanel1;
    TextBox Text1;
    TextBox Text2;
    RichTextBox RText1;
    CommandButton Hidden1;
    SSPanel Under;
    CommandButton UnderCommand;
    SSCheck UnderCheck;
    Label UnderLink;
    SSPanel Cover;
};

// What a person does to a control.
enum class Input { Mouse, Enter, Space, Press, Toggle, AccessKey };

struct InputCase {
    const char* control;
    Input input;
    const char* events;  // the control's events, in order
};

std::ostream& operator<<(std::ostream& os, const InputCase& c) {
    static const char* const names[] = {"Mouse", "Enter", "Space", "Press", "Toggle", "AccessKey"};
    return os << c.control << " " << names[int(c.input)];
}

class UserInputTest : public testsupport::PlatformTest, public ::testing::WithParamInterface<InputCase> {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        host = &defaultInstance<InputHost>();
        host->show();
        QApplication::setActiveWindow(host->widget());
        doEvents();
        for (Control* c : host->controls()) {
            const QString name = c->name();
            c->onClick = [this, name] { events.push_back(name + QStringLiteral(" Click")); };
            c->onDblClick = [this, name] { events.push_back(name + QStringLiteral(" DblClick")); };
            c->onMouseDown = [this, name](int b, int, int, int) {
                events.push_back(name + QStringLiteral(" MouseDown %1").arg(b));
            };
            c->onMouseUp = [this, name](int b, int, int, int) {
                events.push_back(name + QStringLiteral(" MouseUp %1").arg(b));
            };
        }
    }
    Control& control(const QString& name) {
        for (Control* c : host->controls())
            if (c->name() == name) return *c;
        ADD_FAILURE() << "no control " << name.toStdString();
        return host->Command1;
    }
    // The widget the mouse lands on: a box that scrolls takes it on its inner viewport.
    static QWidget* surface(Control& c) {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(c.widget())) return area->viewport();
        return c.widget();
    }
    // A press and release at the middle of the control, delivered to the window as the window
    // system delivers it, so that whatever stands on top there receives it.
    void clickAt(Control& c, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* w = c.widget();
        const QPoint at = w->mapTo(host->widget(), w->rect().center());
        QWindow* window = host->widget()->windowHandle();
        QTest::mousePress(window, button, {}, at);
        QTest::mouseRelease(window, button, {}, at);
        doEvents();
    }
    void act(Control& c, Input input) {
        QWidget* w = c.widget();
        switch (input) {
        case Input::Mouse: clickAt(c); break;
        case Input::Enter:
        case Input::Space: {
            // A control that cannot take the focus is given the key all the same, as if it had
            // the focus: it must not act on it either.
            c.setFocus();
            QWidget* to = w->hasFocus() ? QApplication::focusWidget() : w;
            QTest::keyClick(to, input == Input::Enter ? Qt::Key_Return : Qt::Key_Space);
            break;
        }
        case Input::Press:
        case Input::Toggle: {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(a, nullptr);
            ASSERT_NE(a->actionInterface(), nullptr);
            a->actionInterface()->doAction(input == Input::Press ? QAccessibleActionInterface::pressAction()
                                                                 : QAccessibleActionInterface::toggleAction());
            break;
        }
        case Input::AccessKey: {
            auto* b = qobject_cast<QAbstractButton*>(w);
            ASSERT_NE(b, nullptr);
            const QKeySequence key = QKeySequence::mnemonic(b->text());
            ASSERT_FALSE(key.isEmpty());
            QTest::keySequence(host->widget(), key);
            break;
        }
        }
        doEvents();
    }
    InputHost* host = nullptr;
    std::vector<QString> events;
};

TEST_P(UserInputTest, RunsTheHandlerOnce) {
    const InputCase& c = GetParam();
    Control& ctl = control(QString::fromLatin1(c.control));
    act(ctl, c.input);
    QStringList got;
    for (const QString& e : events) got << e;
    EXPECT_EQ(got.join(QStringLiteral(", ")).toStdString(), std::string(c.events));
}

INSTANTIATE_TEST_SUITE_P(
    EveryControlKind, UserInputTest,
    ::testing::Values(
        // The mouse, on the widget that receives it.
        InputCase{"Command1", Input::Mouse, "Command1 MouseDown 1, Command1 MouseUp 1, Command1 Click"},
        InputCase{"SSCommand1", Input::Mouse, "SSCommand1 MouseDown 1, SSCommand1 MouseUp 1, SSCommand1 Click"},
        InputCase{"SSOption2", Input::Mouse, "SSOption2 MouseDown 1, SSOption2 MouseUp 1, SSOption2 Click"},
        InputCase{"SSCheck1", Input::Mouse, "SSCheck1 MouseDown 1, SSCheck1 MouseUp 1, SSCheck1 Click"},
        InputCase{"Label1", Input::Mouse, "Label1 MouseDown 1, Label1 MouseUp 1, Label1 Click"},
        InputCase{"Label2", Input::Mouse, "Label2 MouseDown 1, Label2 MouseUp 1, Label2 Click"},
        InputCase{"Image1", Input::Mouse, "Image1 MouseDown 1, Image1 MouseUp 1, Image1 Click"},
        InputCase{"SSPanel1", Input::Mouse, "SSPanel1 MouseDown 1, SSPanel1 MouseUp 1, SSPanel1 Click"},
        InputCase{"SSFrame1", Input::Mouse, "SSFrame1 MouseDown 1, SSFrame1 MouseUp 1, SSFrame1 Click"},
        InputCase{"Text1", Input::Mouse, "Text1 MouseDown 1, Text1 MouseUp 1, Text1 Click"},
        InputCase{"Text2", Input::Mouse, "Text2 MouseDown 1, Text2 MouseUp 1, Text2 Click"},
        InputCase{"RText1", Input::Mouse, "RText1 MouseDown 1, RText1 MouseUp 1, RText1 Click"},
        // The keys a person presses on the focused control.
        InputCase{"Command1", Input::Enter, "Command1 Click"},
        InputCase{"SSCommand1", Input::Enter, "SSCommand1 Click"},
        InputCase{"Label2", Input::Enter, "Label2 Click"},
        InputCase{"Command1", Input::Space, "Command1 Click"},
        InputCase{"SSOption2", Input::Space, "SSOption2 Click"},
        InputCase{"SSCheck1", Input::Space, "SSCheck1 Click"},
        InputCase{"Label2", Input::Space, "Label2 Click"},
        InputCase{"Command1", Input::AccessKey, "Command1 Click"},
        InputCase{"SSCommand1", Input::AccessKey, "SSCommand1 Click"},
        InputCase{"SSOption2", Input::AccessKey, "SSOption2 Click"},
        InputCase{"SSCheck1", Input::AccessKey, "SSCheck1 Click"},
        // Assistive technology's actions.
        InputCase{"Command1", Input::Press, "Command1 Click"},
        InputCase{"SSCommand1", Input::Press, "SSCommand1 Click"},
        InputCase{"Label2", Input::Press, "Label2 Click"},
        InputCase{"SSOption2", Input::Toggle, "SSOption2 Click"},
        InputCase{"SSCheck1", Input::Toggle, "SSCheck1 Click"},
        // Behind a panel: the panel takes the mouse, and nothing else reaches them.
        InputCase{"UnderCommand", Input::Mouse, "Cover MouseDown 1, Cover MouseUp 1, Cover Click"},
        InputCase{"UnderCheck", Input::Mouse, "Cover MouseDown 1, Cover MouseUp 1, Cover Click"},
        InputCase{"UnderLink", Input::Mouse, "Cover MouseDown 1, Cover MouseUp 1, Cover Click"},
        InputCase{"UnderCommand", Input::Enter, ""},
        InputCase{"UnderCommand", Input::Space, ""},
        InputCase{"UnderLink", Input::Enter, ""},
        InputCase{"UnderCommand", Input::AccessKey, ""},
        InputCase{"UnderCheck", Input::AccessKey, ""},
        InputCase{"UnderCommand", Input::Press, ""},
        InputCase{"UnderCheck", Input::Toggle, ""},
        InputCase{"UnderLink", Input::Press, ""},
        // Hidden.
        InputCase{"Hidden1", Input::Space, ""},
        InputCase{"Hidden1", Input::AccessKey, ""},
        InputCase{"Hidden1", Input::Press, ""}));

TEST_F(UserInputTest, TheStateChangesWithTheInputAndMatchesWhatTheHandlerReads) {
    std::vector<int> seen;
    host->SSCheck1.onClick = [&] { seen.push_back(host->SSCheck1.value()); };
    act(host->SSCheck1, Input::Toggle);
    act(host->SSCheck1, Input::Space);
    clickAt(host->SSCheck1);
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 1}));
    // The check box on screen and for assistive technology shows the same value.
    auto* box = qobject_cast<QAbstractButton*>(host->SSCheck1.widget());
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(box)->state().checked);

    // An option turned on by the user turns the other one of its group off; the arrow key
    // moves the choice on and runs Click of the option it reaches, once.
    events.clear();
    act(host->SSOption1, Input::Toggle);
    EXPECT_TRUE(host->SSOption1.value());
    host->SSOption1.setFocus();
    QTest::keyClick(host->SSOption1.widget(), Qt::Key_Down);
    doEvents();
    EXPECT_EQ(events, (std::vector<QString>{"SSOption1 Click", "SSOption2 Click"}));
    EXPECT_FALSE(host->SSOption1.value());
    EXPECT_TRUE(host->SSOption2.value());
}

TEST_F(UserInputTest, ADoubleClickOnALabelOrInATextRaisesClickThenDblClick) {
    for (Control* c : std::initializer_list<Control*>{&host->Label1, &host->Text2, &host->RText1}) {
        events.clear();
        QWidget* w = surface(*c);
        const QPoint at = w->rect().center();
        // A double click as the window system delivers it: press, release, the second press
        // as a double click, release.
        QTest::mousePress(w, Qt::LeftButton, {}, at);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
        QMouseEvent second(QEvent::MouseButtonDblClick, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                           Qt::NoModifier);
        QApplication::sendEvent(w, &second);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
        doEvents();
        const QString n = c->name();
        EXPECT_EQ(events, (std::vector<QString>{n + " MouseDown 1", n + " MouseUp 1", n + " Click", n + " DblClick",
                                                n + " MouseUp 1"}))
            << n.toStdString();
    }
}

TEST_F(UserInputTest, AClickInTheTextRaisesClickWithTheCaretAlreadyWhereItWasClicked) {
    RichTextBox& box = host->RText1;
    int caretAtClick = -1;
    box.onClick = [&] { caretAtClick = box.selStart(); };
    QWidget* viewport = surface(box);
    const QRect word = box.editor()->cursorRect(box.editor()->document()->find(QStringLiteral("incident")));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, word.center() + QPoint(1, 0));
    EXPECT_GE(caretAtClick, 9);
    EXPECT_LE(caretAtClick, 17);
}

TEST_F(UserInputTest, ARightClickOnALabelReachesTheLabelAloneAndRaisesNoClick) {
    clickAt(host->Label1, Qt::RightButton);
    EXPECT_EQ(events, (std::vector<QString>{"Label1 MouseDown 2", "Label1 MouseUp 2"}));
}

TEST_F(UserInputTest, WhatAPanelCoversTakesNoFocusAndIsNotShowingUntilThePanelGoes) {
    auto showing = [](Control& c) {
        return !QAccessible::queryAccessibleInterface(c.widget())->state().invisible;
    };
    for (Control* c : std::initializer_list<Control*>{&host->UnderCommand, &host->UnderCheck, &host->UnderLink}) {
        EXPECT_FALSE(c->isShowing()) << c->name().toStdString();
        EXPECT_FALSE(showing(*c)) << c->name().toStdString();
        c->setFocus();
        EXPECT_FALSE(c->hasFocus()) << c->name().toStdString();
    }
    EXPECT_TRUE(showing(host->Cover));
    EXPECT_TRUE(showing(host->Command1));
    EXPECT_FALSE(showing(host->Hidden1));

    // Tab never stops behind the panel.
    host->Command1.setFocus();
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        for (Control* c : std::initializer_list<Control*>{&host->UnderCommand, &host->UnderCheck, &host->UnderLink})
            EXPECT_FALSE(c->widget()->hasFocus()) << c->name().toStdString();
    }

    // The panel hidden, the page is there again, for the mouse, the keys and the reader.
    host->Cover.setVisible(false);
    doEvents();
    EXPECT_TRUE(showing(host->UnderCommand));
    act(host->UnderCommand, Input::AccessKey);
    clickAt(host->UnderLink);
    EXPECT_EQ(events, (std::vector<QString>{"UnderCommand Click", "UnderLink MouseDown 1", "UnderLink MouseUp 1",
                                            "UnderLink Click"}));
    // A panel that covers only part of a control leaves it reachable.
    host->Cover.setVisible(true);
    host->Cover.move(0, 4200, 1000, 2700);
    doEvents();
    EXPECT_TRUE(showing(host->UnderCommand));
}

TEST_F(UserInputTest, CtrlTabLeavesAControlThatTypesTabAlsoWhenTheOthersHaveNoTabStop) {
    RichTextBox& box = host->RText1;
    box.setFocus();
    for (Control* c : host->controls())
        if (c != &box) c->setTabStop(false);
    QTest::keyClick(box.widget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_FALSE(box.widget()->hasFocus());
    Control* next = host->activeControl();
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->canTakeFocus());
    EXPECT_TRUE(next->isShowing());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(box.widget()->hasFocus());
}

// ---- the message box's escape ------------------------------------------------------------------

struct EscapeCase {
    int buttons;
    int answer;  // what Esc, then the close box, then No (or Ignore) give as the answer
};

class MessageBoxEscapeTest : public testsupport::PlatformTest, public ::testing::WithParamInterface<EscapeCase> {};

TEST_P(MessageBoxEscapeTest, EscAndTheCloseBoxAnswerOnlyABoxWithCancel) {
    // The real box of the program, not the test's script.
    std::unique_ptr<Dialogs> script = setDialogs(nullptr);
    std::vector<QString> steps;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_Escape);
        steps.push_back(box->isVisible() ? "open after Esc" : "closed by Esc");
        if (!box->isVisible()) return;
        QCloseEvent close;
        QApplication::sendEvent(box->windowHandle(), &close);
        steps.push_back(box->isVisible() ? "open after close box" : "closed by close box");
        if (!box->isVisible()) return;
        QAbstractButton* last = box->button(QMessageBox::No);
        if (!last) last = box->button(QMessageBox::Ignore);
        ASSERT_NE(last, nullptr);
        last->click();
    });
    const int answer = msgBox(QStringLiteral("Save changes/entries before next action?"),
                              GetParam().buttons | Msg::Question, QStringLiteral("Save Changes?"));
    setDialogs(std::move(script));
    EXPECT_EQ(answer, GetParam().answer);
    if (GetParam().answer == Answer::Cancel || GetParam().buttons == Msg::OKOnly)
        EXPECT_EQ(steps, (std::vector<QString>{"closed by Esc"}));
    else
        EXPECT_EQ(steps, (std::vector<QString>{"open after Esc", "open after close box"}));
}

INSTANTIATE_TEST_SUITE_P(EveryButtonSet, MessageBoxEscapeTest,
                         ::testing::Values(EscapeCase{Msg::YesNo, Answer::No}, EscapeCase{Msg::YesNoCancel, Answer::Cancel},
                                           EscapeCase{Msg::OKCancel, Answer::Cancel}, EscapeCase{Msg::OKOnly, Answer::OK},
                                           EscapeCase{Msg::RetryCancel, Answer::Cancel},
                                           EscapeCase{Msg::AbortRetryIgnore, Answer::Ignore}));

}  // namespace
