// Captions as a person sees them: whole inside their control at any size (a fitted font or
// wrapped lines, never a clipped middle), "&&" shown as one "&" in every kind of control, menu
// separators drawn as lines alone. Option buttons are announced as radio buttons, and a locked
// drop-down box opens its list on a click anywhere on it.
#include "platform/Controls.h"
#include "tests/support/platform/CaptionCheck.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

using namespace platform;

namespace {

class Host : public Form {
public:
    Host() : Form(QStringLiteral("Host")) {}
};

class CaptionsTest : public testsupport::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        host = std::make_unique<Host>();
    }
    void TearDown() override {
        host.reset();
        PlatformTest::TearDown();
    }
    // The program's control font: 8.25-point "MS Sans Serif", bold where asked.
    static Font programFont(bool bold) {
        Font f;
        f.bold = bold;
        return f;
    }
    std::unique_ptr<Host> host;
};

struct CaptionCase {
    const char* kind;
    const char* caption;
    int width, height;  // twips
    bool bold;
};

class CaptionShowsWhole : public CaptionsTest, public ::testing::WithParamInterface<CaptionCase> {};

// Captions and sizes of the windows: entry-list buttons, page buttons, area tabs, options,
// check boxes, labels, frames and panels, each at its size in the smaller display or less.
const CaptionCase captionCases[] = {
    {"button", "Unique User Identification", 2235, 330, true},
    {"button", "Mechanism to Authenticate Electronic PHI", 2235, 330, false},
    {"button", "Policies and Procedures and Documentation Requirements Overview", 2235, 700, true},
    {"button", "Safeguard Project Timeline ", 2300, 560, false},
    {"button", "E&xit Program", 1300, 420, true},
    {"button", "&Save", 1400, 420, false},
    {"option", "I. Policies&&Procedures..", 2300, 300, false},
    {"option", "Implementation specification", 2500, 285, false},
    {"check", "Print 'As of' date on each page", 1900, 300, false},
    {"label", " Specification: Mechanism to Authenticate Electronic PHI (A)", 3000, 300, true},
    {"frame", "Policies && Documentation", 2200, 1000, false},
    {"frame", "Security Standard Safeguards", 2600, 800, true},
    {"panel", "Sample entries for the Password Management Safeguard", 2200, 600, true},
};

std::unique_ptr<Control> makeCaptioned(Form& form, const CaptionCase& c) {
    const QString caption = QString::fromUtf8(c.caption);
    const QString kind = QString::fromLatin1(c.kind);
    if (kind == QLatin1String("button")) {
        auto b = std::make_unique<SSCommand>(form, form, QStringLiteral("SSCommand14"), 0);
        b->setCaption(caption);
        return b;
    }
    if (kind == QLatin1String("option")) {
        auto o = std::make_unique<SSOption>(form, form, QStringLiteral("SSOption1"), 13);
        o->setCaption(caption);
        return o;
    }
    if (kind == QLatin1String("check")) {
        auto k = std::make_unique<SSCheck>(form, form, QStringLiteral("SSCheck81"), 0);
        k->setCaption(caption);
        return k;
    }
    if (kind == QLatin1String("label")) {
        auto l = std::make_unique<Label>(form, form, QStringLiteral("Label7"));
        l->setCaption(caption);
        return l;
    }
    if (kind == QLatin1String("frame")) {
        auto f = std::make_unique<SSFrame>(form, form, QStringLiteral("SSFrame5"), 4);
        f->setCaption(caption);
        return f;
    }
    auto p = std::make_unique<SSPanel>(form, form, QStringLiteral("SSPanel3"), 2);
    p->setCaption(caption);
    return p;
}

TEST_P(CaptionShowsWhole, AtItsSizeInTheProgramsFont) {
    const CaptionCase& c = GetParam();
    std::unique_ptr<Control> control = makeCaptioned(*host, c);
    control->setFont(programFont(c.bold));
    control->move(0, 0, c.width, c.height);
    const testsupport::ShownCaption shown = testsupport::shownCaption(*control);
    EXPECT_TRUE(shown.hasCaption);
    EXPECT_TRUE(shown.whole) << shown.text.toStdString();
    EXPECT_EQ(shown.text, stripAccessKey(QString::fromUtf8(c.caption)).simplified());
}

TEST_P(CaptionShowsWhole, AlsoWhenTheControlIsMadeSmallerLater) {
    const CaptionCase& c = GetParam();
    std::unique_ptr<Control> control = makeCaptioned(*host, c);
    control->move(0, 0, c.width * 2, c.height * 2);
    control->setFont(programFont(c.bold));
    control->move(0, 0, c.width, c.height);
    EXPECT_TRUE(testsupport::shownCaption(*control).whole);
}

INSTANTIATE_TEST_SUITE_P(ProgramCaptions, CaptionShowsWhole, ::testing::ValuesIn(captionCases),
                         [](const auto& info) { return std::string(info.param.kind) + std::to_string(info.index); });

TEST_F(CaptionsTest, ACaptionThatFitsKeepsTheControlsFontAndOneLine) {
    SSCommand save(*host, *host, QStringLiteral("SSCommand6"));
    save.setFont(programFont(false));
    save.move(0, 0, 1400, 420);
    save.setCaption(QStringLiteral("&Save"));
    auto* b = qobject_cast<QPushButton*>(save.widget());
    EXPECT_EQ(b->text(), QStringLiteral("&Save"));
    EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 8.25);
}

TEST_F(CaptionsTest, AButtonWrapsOrShrinksAndGetsItsFontBackWhenThereIsRoomAgain) {
    SSCommand entry(*host, *host, QStringLiteral("SSCommand16"), 0);
    entry.setFont(programFont(true));
    entry.setCaption(QStringLiteral("Unique User Identification"));
    entry.move(0, 0, 1500, 330);  // far too narrow for one line at 8.25 points
    auto* b = qobject_cast<QPushButton*>(entry.widget());
    EXPECT_LT(b->font().pointSizeF(), 8.25);
    EXPECT_TRUE(testsupport::shownCaption(entry).whole);
    entry.move(0, 0, 1500, 700);  // room for two lines: the caption wraps at its own size
    EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 8.25);
    EXPECT_EQ(b->text(), QStringLiteral("Unique User\nIdentification"));
    entry.move(0, 0, 6000, 330);
    EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 8.25);
    EXPECT_EQ(b->text(), QStringLiteral("Unique User Identification"));
    EXPECT_TRUE(b->font().bold());
}

TEST_F(CaptionsTest, AnAccessKeyStaysOnItsLetterWhenTheCaptionWraps) {
    SSCommand tab(*host, *host, QStringLiteral("SSCommand2"), 1);
    tab.setFont(programFont(true));
    tab.move(0, 0, 1300, 700);
    tab.setCaption(QStringLiteral("&Information Advisor"));
    auto* b = qobject_cast<QPushButton*>(tab.widget());
    EXPECT_EQ(b->text(), QStringLiteral("&Information\nAdvisor"));
    EXPECT_EQ(QKeySequence::mnemonic(b->text()), QKeySequence(Qt::ALT | Qt::Key_I));
    EXPECT_EQ(tab.accessibleName(), QStringLiteral("Information Advisor"));
}

TEST_F(CaptionsTest, ADoubledAmpersandShowsAsOneInEveryKindOfControl) {
    for (const char* kind : {"button", "option", "check", "label", "frame", "panel"}) {
        const CaptionCase c{kind, "Policies && Documentation", 3000, 700, false};
        std::unique_ptr<Control> control = makeCaptioned(*host, c);
        control->move(0, 0, c.width, c.height);
        EXPECT_EQ(testsupport::shownCaption(*control).text, QStringLiteral("Policies & Documentation")) << kind;
        EXPECT_EQ(control->accessibleName(), QStringLiteral("Policies & Documentation")) << kind;
        // No letter (nor the blank after the "&") is taken for an access key.
        if (auto* b = qobject_cast<QAbstractButton*>(control->widget())) {
            EXPECT_TRUE(QKeySequence::mnemonic(b->text()).isEmpty()) << kind;
        }
        if (auto* g = qobject_cast<QGroupBox*>(control->widget())) {
            EXPECT_TRUE(QKeySequence::mnemonic(g->title()).isEmpty()) << kind;
        }
    }
}

TEST_F(CaptionsTest, AFrameTitleWithAnAccessKeyUnderlinesItsLetter) {
    SSFrame frame(*host, *host, QStringLiteral("SSFrame3"));
    frame.move(0, 0, 2400, 900);
    frame.setCaption(QStringLiteral("&Actions"));
    EXPECT_EQ(QKeySequence::mnemonic(qobject_cast<QGroupBox*>(frame.widget())->title()),
              QKeySequence(Qt::ALT | Qt::Key_A));
    EXPECT_EQ(testsupport::shownCaption(frame).text, QStringLiteral("Actions"));
}

TEST_F(CaptionsTest, MenuSeparatorsAreLinesWithoutTheirDash) {
    Menu title(*host, QStringLiteral("mO"), QStringLiteral("&Options"));
    Menu first(*host, QStringLiteral("mOClip"), QStringLiteral("&Copy to Clipboard"));
    Menu sep(*host, QStringLiteral("mO3"), QStringLiteral("-"));
    Menu second(*host, QStringLiteral("mOFont"), QStringLiteral("&Font Select"));
    title.add(first);
    title.add(sep);
    title.add(second);
    sep.setVisible(false);
    sep.setVisible(true);
    const QList<QAction*> actions = title.qmenu()->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_TRUE(actions[1]->text().isEmpty());
    EXPECT_TRUE(sep.isSeparator());
    EXPECT_EQ(actions[0]->text(), QStringLiteral("&Copy to Clipboard"));
    EXPECT_FALSE(actions[2]->isSeparator());
}

TEST_F(CaptionsTest, OptionButtonsAreRadioButtonsToAssistiveTechnology) {
    SSOption left(*host, *host, QStringLiteral("SSOption8"), 0);
    SSOption centre(*host, *host, QStringLiteral("SSOption8"), 1);
    SSCheck check(*host, *host, QStringLiteral("SSCheck80"), 0);
    left.setCaption(QStringLiteral("Left"));
    centre.setCaption(QStringLiteral("Center"));
    check.setCaption(QStringLiteral("&All Safeguards"));
    QAccessibleInterface* option = QAccessible::queryAccessibleInterface(left.widget());
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(option->role(), QAccessible::RadioButton);
    EXPECT_EQ(option->text(QAccessible::Name), QStringLiteral("Left"));
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(check.widget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->role(), QAccessible::CheckBox);
    EXPECT_EQ(box->text(QAccessible::Name), QStringLiteral("All Safeguards"));

    centre.setValue(true);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(centre.widget())->state().checked);
    EXPECT_FALSE(option->state().checked);
}

TEST_F(CaptionsTest, AnOptionGroupMayStillHaveNoOptionOnScreen) {
    SSOption left(*host, *host, QStringLiteral("SSOption8"), 0);
    SSOption centre(*host, *host, QStringLiteral("SSOption8"), 1);
    int clicks = 0;
    centre.onClick = [&] { ++clicks; };
    auto* l = qobject_cast<QRadioButton*>(left.widget());
    auto* c = qobject_cast<QRadioButton*>(centre.widget());
    left.setValue(true);
    c->click();  // a person's click on the other option
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(centre.value());
    EXPECT_FALSE(left.value());
    EXPECT_FALSE(l->isChecked());
    EXPECT_TRUE(c->isChecked());
    centre.setValue(false);  // the program deselects every option of the group
    EXPECT_FALSE(c->isChecked());
    EXPECT_FALSE(l->isChecked());
    EXPECT_EQ(clicks, 1);
}

TEST_F(CaptionsTest, ALockedDropDownBoxOpensItsListOnAClickOnItsText) {
    ComboBox status(*host, *host, QStringLiteral("Combo1"));
    status.move(0, 0, 2400, 345);
    for (const char* item : {" ", "Pending", "Working", "Completed"}) status.addItem(QString::fromLatin1(item));
    host->show();
    auto* combo = qobject_cast<QComboBox*>(status.widget());
    ASSERT_NE(combo->lineEdit(), nullptr);
    auto clickText = [&] {
        const QPointF at(10, combo->lineEdit()->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, at, combo->lineEdit()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, combo->lineEdit()->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(combo->lineEdit(), &press);
        QApplication::sendEvent(combo->lineEdit(), &release);
    };
    clickText();
    EXPECT_FALSE(combo->view()->isVisible()) << "a box the user may type in keeps its text for typing";
    status.setLocked(true);
    clickText();
    EXPECT_TRUE(combo->view()->isVisible());
    combo->hidePopup();
    EXPECT_EQ(status.listIndex(), -1) << "opening the list picks nothing";
}

}  // namespace
