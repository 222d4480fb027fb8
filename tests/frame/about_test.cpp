// The About window: its place and size from the start window, its text, OK, the web-site
// label, the right-button popup and the F9 code box.
#include "frame/About1.h"
#include "frame/HINFO1.h"
#include "frame/SharedBehaviours.h"
#include "frame/Startfrm.h"
#include "tests/support/TestSupport.h"
#include "tests/support/platform/RealInput.h"

#include <QWidget>

using namespace platform;

namespace {

const QString InfoTitle = QStringLiteral("Software Information");

class AboutTest : public testsupport::ProgramTest {
protected:
    // The start window where the program put it, without running its start-up.
    Startfrm& startAt(int left, int top, int width, int height) {
        Startfrm& s = defaultInstance<Startfrm>();
        s.move(left, top, width, height);
        StartWidth = width;
        StartHeight = height;
        return s;
    }
    // Shows the About window modally and runs what the user does in it; the window closes
    // itself afterwards unless the user did.
    void showAbout(std::function<void(About1&)> whileOpen) {
        onModal(QStringLiteral("About1"), [whileOpen](Form& f) {
            auto& about = static_cast<About1&>(f);
            whileOpen(about);
            if (!about.isUnloaded()) about.unload();
        });
        defaultInstance<About1>().show(true);
    }
};

TEST_F(AboutTest, FullScreenDisplayTakesItsShareOfTheStartWindowCentredALittleLow) {
    DisplayMode = 0;
    startAt(300, 150, 15000, 11000);
    int width = 0, height = 0, left = 0, top = 0;
    bool resizer = false;
    showAbout([&](About1& a) {
        width = a.width();
        height = a.height();
        left = a.left();
        top = a.top();
        resizer = a.vsElasticLight1.enabled;
        // Every activation takes the same share again.
        a.setWidth(4000);
        a.Form_Activate();
        EXPECT_EQ(a.width(), int(0.42 * 15000));
    });
    EXPECT_EQ(width, int(0.42 * 15000));
    EXPECT_EQ(height, int(0.47 * 11000));
    EXPECT_EQ(left, 300 + 15000 / 2 - width / 2);
    EXPECT_EQ(top, 150 + 11000 / 2 - height / 2 + 330);
    EXPECT_TRUE(resizer);
}

TEST_F(AboutTest, SmallerDisplayKeepsTheDesignedSizeAndIsOnlyPlaced) {
    DisplayMode = 9;
    startAt(1200, 900, 12000, 9000);
    int width = 0, height = 0, left = 0, top = 0, okLeft = 0;
    showAbout([&](About1& a) {
        width = a.width();
        height = a.height();
        left = a.left();
        top = a.top();
        okLeft = a.Command1.left();
        EXPECT_FALSE(a.vsElasticLight1.enabled);
    });
    const About1 designed;
    EXPECT_EQ(width, designed.width());
    EXPECT_EQ(height, designed.height());
    EXPECT_EQ(left, 1200 + 6000 - width / 2);
    EXPECT_EQ(top, 900 + 4500 - height / 2 + 330);
    EXPECT_EQ(okLeft, designed.Command1.left());
}

TEST_F(AboutTest, ShowsTheProductTheMakerAndTheWebSiteOnTheLabelsBackground) {
    QString caption, text, web, label4;
    Color back = 0, label2 = 1;
    showAbout([&](About1& a) {
        caption = a.caption();
        text = a.Label1.caption();
        web = a.Label5.caption();
        label4 = a.Label4.caption();
        back = a.backColor();
        label2 = a.Label2.backColor();
    });
    EXPECT_EQ(caption, QStringLiteral("About Quorvane"));
    const QStringList lines = text.split(QLatin1Char('\r'));
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("Quorvane"));
    EXPECT_EQ(lines[1], QStringLiteral("Version 6.0a"));
    EXPECT_EQ(lines[2], QString());
    EXPECT_EQ(lines[3], QStringLiteral("Dravelin Software"));
    EXPECT_FALSE(text.contains(QLatin1Char('\n')));
    EXPECT_TRUE(lines.last().contains(QLatin1Char('@')));
    EXPECT_EQ(label4, QStringLiteral("Web Site:"));
    EXPECT_TRUE(MakerWebAddress.contains(web));
    EXPECT_EQ(back, label2);
}

TEST_F(AboutTest, OkTheOkEntryAndTheWebSiteLabel) {
    showAbout([&](About1& a) {
        testsupport::mouseClick(a.Label5);
        a.Label5.setFocus();
        testsupport::pressKey(a.Label5, Qt::Key_Return);
        a.Command1.click();
        EXPECT_TRUE(a.isUnloaded());
    });
    showAbout([&](About1& a) {
        a.mOOK.click();
        EXPECT_TRUE(a.isUnloaded());
    });
    ASSERT_EQ(shell->urls.size(), 2u);
    EXPECT_EQ(shell->urls[0], MakerWebAddress);
    EXPECT_EQ(shell->urls[1], MakerWebAddress);
    EXPECT_EQ(existingInstance<About1>(), nullptr);
}

TEST_F(AboutTest, RightButtonOverEveryPartPopsUpTheOptMenu) {
    showAbout([&](About1& a) {
        a.Label1.raiseMouseUp(Mouse::Left, 0, 0, 0);
        EXPECT_TRUE(popups().empty());
        for (Control* c : std::initializer_list<Control*>{&a.Command1, &a.Image1, &a.Image2, &a.Label1, &a.Label2,
                                                          &a.Label4, &a.Label5, &a.Label6, &a.SSPanel1})
            c->raiseMouseUp(Mouse::Right, 0, 0, 0);
        a.Form_MouseUp(Mouse::Right, 0, 0, 0);
        // "Opt" only pops up: it is not on a menu bar.
        EXPECT_EQ(a.mO.caption(), QStringLiteral("Opt"));
        ASSERT_EQ(a.mO.children().size(), 1u);
        EXPECT_EQ(a.mO.children()[0]->caption(), QStringLiteral("OK"));
    });
    EXPECT_EQ(popups().size(), 10u);
    for (const QString& name : popups()) EXPECT_EQ(name, QStringLiteral("mO"));
}

// ---- the F9 code box -------------------------------------------------------------------------

struct CodeCase {
    const char* name;
    const char* typed;  // nullptr: the input box is cancelled
    int box;            // 0 none, 1 the author's box, 2 the version box
};

class CodeBoxTest : public AboutTest, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(CodeBoxTest, F9OnOkAsksForACodeAndOnlyTheCodeOrTheTwoWordsAnswer) {
    const CodeCase& c = GetParam();
    dialogs->answerInput(QStringLiteral("Code Box"), c.typed ? QString::fromLatin1(c.typed) : QString());
    if (c.box) dialogs->answer(InfoTitle, Answer::OK);
    showAbout([&](About1& a) {
        a.Command1.setFocus();
        a.dispatchKey(120, 0, 0);
        EXPECT_FALSE(a.isUnloaded());
    });
    auto inputs = dialogs->shownWithTitle(QStringLiteral("Code Box"));
    ASSERT_EQ(inputs.size(), 1u);
    EXPECT_EQ(inputs[0].text, QStringLiteral("Enter Code Now"));
    auto shown = dialogs->shownWithTitle(InfoTitle);
    if (!c.box) {
        EXPECT_TRUE(shown.empty());
        return;
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].flags, Msg::Information | Msg::OKOnly);
    const QStringList lines = shown[0].text.split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), c.box == 1 ? 8 : 7);
    EXPECT_EQ(lines[0], QStringLiteral("This Software was Written"));
    if (c.box == 1) {
        EXPECT_EQ(lines[2], QStringLiteral("Dravelin Software,"));
    } else {
        EXPECT_EQ(lines[1], QStringLiteral("by Dravelin Software,"));
    }
    EXPECT_EQ(lines.mid(lines.size() - 3),
              (QStringList{QStringLiteral("Windows Version: 2003 - 2005."), QStringLiteral("Version 6.0a"),
                           QStringLiteral("Latest Update: 1/06/05")}));
}

INSTANTIATE_TEST_SUITE_P(Answers, CodeBoxTest,
                         ::testing::Values(CodeCase{"CodeInCapitals", "VEPS", 1}, CodeCase{"CodeInLowerCase", "veps", 1},
                                           CodeCase{"Version", "Version", 2}, CodeCase{"Update", "uPdAtE", 2},
                                           CodeCase{"WordAndMore", "versions", 0}, CodeCase{"Other", "help", 0},
                                           CodeCase{"Empty", "", 0}, CodeCase{"Cancelled", nullptr, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AboutTest, OtherKeysOnOkAskNothing) {
    showAbout([&](About1& a) {
        a.Command1.setFocus();
        a.dispatchKey(119, 0, 0);  // F8
        a.dispatchKey('V', 0, 'v');
    });
    EXPECT_TRUE(dialogs->shown().empty());
}

// The web site's label and address at their own type size, whole, beside each other and
// before OK, opened from the start window of either display at 800 by 600 and 1280 by 1024
// under a window manager.
struct AboutScreen {
    const char* name;
    int width, height;  // twips
    QByteArray record;  // record 35
};

class AboutLookTest : public AboutTest, public ::testing::WithParamInterface<AboutScreen> {};

TEST_P(AboutLookTest, TheWebSiteLabelIsReadable) {
    screen->setSize(GetParam().width, GetParam().height);
    screen->frameWindows();
    QByteArray settings(34 * 20, '\0');
    QByteArray record(20, '\0');
    record[0] = char(GetParam().record.size());
    record.replace(2, GetParam().record.size(), GetParam().record);
    folder->write(QStringLiteral("GColor3.Fil"), settings + record);
    Startfrm& s = defaultInstance<Startfrm>();
    s.show();
    doEvents();
    bool seen = false;
    onModal(QStringLiteral("About1"), [&](Form& f) {
        auto& a = static_cast<About1&>(f);
        doEvents();
        seen = true;
        for (Label* l : {&a.Label4, &a.Label5})
            EXPECT_EQ(l->widget()->font().pointSizeF(), l->font().size) << l->caption().toStdString();
        EXPECT_LE(a.Label4.left() + a.Label4.width(), a.Label5.left());
        EXPECT_LE(a.Label5.left() + a.Label5.width(), a.Command1.left());
        a.unload();
    });
    s.mHA.click();
    EXPECT_TRUE(seen);
}

INSTANTIATE_TEST_SUITE_P(Screens, AboutLookTest,
                         ::testing::Values(AboutScreen{"Full800x600", 12000, 9000, "No"},
                                           AboutScreen{"Smaller800x600", 12000, 9000, "Yes"},
                                           AboutScreen{"Full1280x1024", 19200, 15360, "No"},
                                           AboutScreen{"Smaller1280x1024", 19200, 15360, "Yes"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
