// The message boxes whose lines the program breaks by hand, shown as the program shows them:
// every line whole on a line of its own (words never left alone on a line, the spaced columns
// kept), the box as wide as its longest line, within a screen of 800 by 600 and of 1280 by
// 1024.
#include "HubFixture.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTextDocumentFragment>

using namespace platform;

namespace {

struct BoxCase {
    const char* title;
    int width, height;  // twips of the screen
    void (*raise)(WorkArea1& w);
};

class MessageBoxLinesTest : public hubtest::HubTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(MessageBoxLinesTest, EveryLineStandsWholeWithinTheScreen) {
    folder->copyContent();
    screen->setSize(GetParam().width, GetParam().height);
    WorkArea1& w = openHub();
    const QString title = QString::fromLatin1(GetParam().title);
    dialogs->answer(title, Answer::OK);
    GetParam().raise(w);
    const auto shown = dialogs->shownWithTitle(title);
    ASSERT_EQ(shown.size(), 1u);

    std::unique_ptr<QMessageBox> box = makeMessageBox(shown[0].text, shown[0].flags, title);
    box->show();
    QApplication::processEvents();
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    const QStringList lines = QString(shown[0].text).replace(QLatin1Char('\r'), QLatin1Char('\n')).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 10);
    // As many lines as the text has: none wrapped, none run together.
    const int lineHeight = QFontMetrics(label->font()).lineSpacing();
    const int shownLines = (label->heightForWidth(label->width()) + lineHeight / 2) / lineHeight;
    EXPECT_EQ(shownLines, lines.size());
    EXPECT_EQ(label->heightForWidth(label->width()), label->heightForWidth(100000));
    // The blanks that line the columns up are kept.
    QString text = QTextDocumentFragment::fromHtml(label->text()).toPlainText();
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    EXPECT_EQ(text, lines.join(QLatin1Char('\n')));
    const int screenPixels = std::min(GetParam().width / 15, QGuiApplication::primaryScreen()->size().width());
    EXPECT_LE(box->width(), screenPixels);
    box->hide();
}

void complianceTerms(WorkArea1& w) {
    w.SSCommand11[catalogue::PageWorksheets].click();
    w.SSCommand12[0].click();
    w.SSCommand22.click();
}
void recoveryPlan(WorkArea1& w) { w.SSCommand11[catalogue::PageRecoveryPlan].click(); }

INSTANTIATE_TEST_SUITE_P(Boxes, MessageBoxLinesTest,
                         ::testing::Values(BoxCase{"Compliance Status Terms", 12000, 9000, complianceTerms},
                                           BoxCase{"Compliance Status Terms", 19200, 15360, complianceTerms},
                                           BoxCase{"Disaster Recovery Plan Information", 12000, 9000, recoveryPlan},
                                           BoxCase{"Disaster Recovery Plan Information", 19200, 15360, recoveryPlan}),
                         [](const auto& info) {
                             return std::string(info.param.raise == complianceTerms ? "ComplianceTerms" : "RecoveryPlan") +
                                    (info.param.width == 12000 ? "800x600" : "1280x1024");
                         });

// A line wider than the screen wraps: the box stays within the screen.
TEST(MessageBoxWidthTest, ALineWiderThanTheScreenWraps) {
    const QString line = QStringLiteral("word ").repeated(300);
    std::unique_ptr<QMessageBox> box = makeMessageBox(line + QStringLiteral("\rshort"), Msg::OKOnly, QStringLiteral("Long"));
    box->show();
    QApplication::processEvents();
    EXPECT_LE(box->width(), QGuiApplication::primaryScreen()->size().width());
    box->hide();
}

}  // namespace
