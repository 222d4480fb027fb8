// The recovery plan as a new user meets it: the shipped sample plan fits the editor with room
// to work in, and keys typed into it change it, are saved, and are there after a restart.
#include "HubFixture.h"
#include "catalogue/Catalogue.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTextEdit>

using namespace platform;

namespace {

class RecoveryPlanEditTest : public hubtest::HubTest {
protected:
    WorkArea1& openPlan() {
        WorkArea1& w = openHub();
        answerPageBoxes(catalogue::PageRecoveryPlan);
        page(w, catalogue::PageRecoveryPlan);
        return w;
    }
    // Keys as the window system sends them to the editor (the window sees them first).
    static void press(WorkArea1& w, int key, const QString& text) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(w.Rtext3.editor(), &down);
    }
    static void typeText(WorkArea1& w, const QString& text) {
        for (QChar c : text) {
            const int key = c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : int(c.unicode());
            press(w, key, QString(c));
        }
    }
};

TEST_F(RecoveryPlanEditTest, TheSamplePlanLeavesRoomUnderTheEditorsLimit) {
    folder->copyContent();
    WorkArea1& w = openPlan();
    ASSERT_GT(w.Rtext3.maxLength(), 0);
    const QString plan = w.Rtext3.text();
    EXPECT_GT(plan.size(), 1500) << "still a useful plan";
    EXPECT_LE(plan.size(), w.Rtext3.maxLength() - 500);
    // Whole sentences: every paragraph of the plan's text ends as a sentence, a heading or a
    // line to fill in.
    for (const QString& para : plan.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const QString t = para.trimmed();
        EXPECT_TRUE(t.endsWith('.') || t.endsWith('_') || t.endsWith(':') || !t.contains(' ') ||
                    t.at(0).isDigit() || t == QStringLiteral("Sample Disaster Recovery Plan"))
            << t.toStdString();
    }
}

TEST_F(RecoveryPlanEditTest, TypedDeletedSavedAndThereAfterARestart) {
    folder->copyContent();
    WorkArea1& w = openPlan();
    const QString shipped = w.Rtext3.text();
    w.Rtext3.setSelStart(0);
    typeText(w, QStringLiteral("Our plan covers both clinics."));
    press(w, Qt::Key_Return, QStringLiteral("\r"));
    // "both " deleted with BackSpace.
    w.Rtext3.setSelStart(16);
    w.Rtext3.setSelLength(5);
    press(w, Qt::Key_Backspace, QStringLiteral("\b"));
    const QString edited = w.Rtext3.text();
    EXPECT_EQ(edited, QStringLiteral("Our plan covers clinics.\r\n") + shipped);
    EXPECT_EQ(w.UnsavedChanges, 1);
    w.SSCommand6.click();
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_TRUE(dialogs->shown().size() == 1u) << "only the plan's information message";

    startAgain();
    SplashShown = SplashWasShown;
    dialogs->clearShown();
    WorkArea1& again = openHub();
    page(again, catalogue::PageRecoveryPlan);
    EXPECT_TRUE(dialogs->shown().empty()) << "a saved plan opens without the template message";
    EXPECT_EQ(again.Rtext3.text(), edited);
}

}  // namespace
