// Tab goes through a window as a person reads it: the row of tabs at the top, then the column
// at the left, then the box beside it, then the buttons at the right row by row; a panel that
// is hidden changes nothing of it. An option group with none on is reached option by option,
// one with an option on by that option, and the arrows move in it.
#include "platform/Controls.h"
#include "platform/RichTextBox.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QApplication>
#include <QTest>

using namespace platform;

static void PrintTo(const QStringList& s, std::ostream* os) { *os << s.join(QStringLiteral(", ")).toStdString(); }

namespace {

class OrderHost : public Form {
public:
    OrderHost()
        : Form(QStringLiteral("OrderHost")),
          Tab(QStringLiteral("Tab")),
          Topic(QStringLiteral("Topic")),
          Viewer(*this, *this, QStringLiteral("Viewer")),
          Tools(*this, *this, QStringLiteral("Tools")),
          Tool(QStringLiteral("Tool")),
          Place(*this, Tools, QStringLiteral("Place")),
          Left(*this, Place, QStringLiteral("Left")),
          Right(*this, Place, QStringLiteral("Right")),
          Center(*this, Place, QStringLiteral("Center")),
          OtherPage(*this, *this, QStringLiteral("OtherPage")),
          OtherButton(*this, OtherPage, QStringLiteral("OtherButton")) {
        move(0, 0, 12000, 9000);
        // Added in an order unlike the screen's, as a window's code adds them.
        for (int i = 0; i < 3; ++i) Tab.add(*this, *this, 2 - i).move((2 - i) * 2000, 0, 1990, 400);
        for (int i = 0; i < 3; ++i) Topic.add(*this, *this, i).move(0, 600 + i * 500, 1800, 400);
        // The box starts a little below the first topic and reaches far below the last.
        Viewer.move(2000, 700, 4000, 6000);
        Tools.move(6200, 600, 4000, 4000);
        // Two columns of buttons: a person reads them row by row.
        const int places[6][2] = {{0, 0}, {2000, 0}, {0, 500}, {2000, 500}, {0, 1000}, {2000, 1000}};
        for (int i = 0; i < 6; ++i) Tool.add(*this, Tools, 5 - i).move(places[5 - i][0], places[5 - i][1], 1900, 400);
        Place.move(0, 1600, 3800, 1600);
        Place.setCaption(QStringLiteral("Text Location"));
        Left.move(100, 250, 2000, 350);
        Left.setCaption(QStringLiteral("Left"));
        Right.move(100, 1050, 2000, 350);
        Right.setCaption(QStringLiteral("Right"));
        Center.move(100, 650, 2000, 350);
        Center.setCaption(QStringLiteral("Center"));
        // Another page's panel, as tall as the window, hidden.
        OtherPage.move(0, 0, 12000, 9000);
        OtherButton.move(120, 120, 1800, 400);
        OtherPage.setVisible(false);
    }
    ControlArray<SSCommand> Tab;
    ControlArray<SSCommand> Topic;
    RichTextBox Viewer;
    SSPanel Tools;
    ControlArray<SSCommand> Tool;
    SSFrame Place;
    SSOption Left;
    SSOption Right;
    SSOption Center;
    SSPanel OtherPage;
    CommandButton OtherButton;
};

class FocusOrderTest : public testsupport::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        host = &defaultInstance<OrderHost>();
        host->show();
        QApplication::setActiveWindow(host->widget());
        doEvents();
    }
    static QString nameOf(const Control* c) {
        return c->index() >= 0 ? QStringLiteral("%1(%2)").arg(c->name()).arg(c->index()) : c->name();
    }
    // The controls Tab visits from `start` until it comes back, as a person presses it on the
    // widget that has the focus (Ctrl+Tab leaves the text box, which takes Tab itself).
    QStringList tabRing(Control& start) {
        start.setFocus();
        QStringList seen;
        for (int i = 0; i < 60; ++i) {
            QWidget* focus = QApplication::focusWidget();
            if (!focus) break;
            const Control* owner = nullptr;
            for (const Control* c : host->controls())
                if (c->widget() == focus) owner = c;
            const QString name = owner ? nameOf(owner) : QStringLiteral("?");
            if (!seen.isEmpty() && name == seen.first()) break;
            seen << name;
            QTest::keyClick(focus, Qt::Key_Tab, owner == &host->Viewer ? Qt::ControlModifier : Qt::NoModifier);
            doEvents();
        }
        return seen;
    }
    OrderHost* host = nullptr;
};

TEST_F(FocusOrderTest, TabGoesRowsThenColumnsAsTheScreenShowsThem) {
    const QStringList expected = {"Tab(0)",  "Tab(1)",  "Tab(2)",  "Topic(0)", "Topic(1)", "Topic(2)",
                                  "Viewer",  "Tool(0)", "Tool(1)", "Tool(2)",  "Tool(3)",  "Tool(4)",
                                  "Tool(5)", "Left",    "Center",  "Right"};
    EXPECT_EQ(tabRing(host->Tab[0]), expected);
    // Shift+Tab goes the same way back.
    host->Tool[0].setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(host->Viewer.widget()->hasFocus());
}

TEST_F(FocusOrderTest, AGroupWithNoOptionOnIsReachedOptionByOptionOneWithAnOptionOnByThatOne) {
    const QStringList allThree = {"Left", "Center", "Right"};
    auto optionsReached = [&] {
        QStringList ring = tabRing(host->Tab[0]);
        QStringList options;
        for (const QString& n : ring)
            if (allThree.contains(n)) options << n;
        return options;
    };
    EXPECT_EQ(optionsReached(), allThree);

    int clicks = 0;
    host->Center.onClick = [&] { ++clicks; };
    host->Right.onClick = [&] { ++clicks; };
    host->Center.setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_TRUE(host->Center.value());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(optionsReached(), QStringList{"Center"});
    // The arrow moves in the group, turns the next option on and runs its Click once.
    host->Center.setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_TRUE(host->Right.value());
    EXPECT_FALSE(host->Center.value());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(optionsReached(), QStringList{"Right"});

    // The program turns the group off again: every option is reached once more.
    host->Right.setValue(false);
    EXPECT_EQ(optionsReached(), allThree);
    // TabStop off and on again keeps to the same rule.
    host->Center.setValue(true);
    host->Left.setTabStop(false);
    host->Left.setTabStop(true);
    EXPECT_EQ(optionsReached(), QStringList{"Center"});
}

TEST_F(FocusOrderTest, APanelShownOverTheWindowTakesTheOrderAndGivesItBack) {
    host->OtherPage.setVisible(true);
    host->OtherPage.zOrder(0);
    doEvents();
    EXPECT_EQ(tabRing(host->OtherButton), QStringList{"OtherButton"});
    host->OtherPage.setVisible(false);
    doEvents();
    EXPECT_EQ(tabRing(host->Tab[0]).size(), 16);
}

}  // namespace
