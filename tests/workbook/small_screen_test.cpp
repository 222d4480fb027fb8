// The Action Area in the client area a window manager leaves it, at 800 by 600 and 1280 by
// 1024, in both displays: the editor's tool buttons read on one line at their own type size,
// and a to-do cell too narrow for its text ends it with "..." instead of cutting it off at
// both edges, and a new worksheet's table headings stand whole, without a horizontal scroll
// bar.
#include "frame/Settings.h"
#include "tests/timeline/ToDoFixture.h"

#include <QImage>
#include <QTableWidget>
#include <QTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QScrollBar>

using namespace platform;
using namespace todotest;

namespace {

struct Screen {
    const char* name;
    int width, height;  // twips
    bool smaller;       // the smaller-screen display
};

class SmallScreenTest : public ToDoTest, public ::testing::WithParamInterface<Screen> {
protected:
    WorkArea1& openFramed() {
        screen->setSize(GetParam().width, GetParam().height);
        screen->frameWindows();
        frame::writeDisplayModeSetting(GetParam().smaller);
        WorkArea1& w = openHub();
        doEvents();
        return w;
    }
    // The button's caption on one line at the button's own size.
    static void expectOneLine(SSCommand& b) {
        QWidget* widget = b.widget();
        const QString shown = widget->property("text").toString();
        EXPECT_FALSE(shown.contains(QLatin1Char('\n'))) << shown.toStdString();
        EXPECT_EQ(widget->font().pointSizeF(), b.font().size) << b.caption().toStdString();
    }
};

TEST_P(SmallScreenTest, TheEditorsToolButtonsReadOnOneLine) {
    WorkArea1& w = openFramed();
    page(w, catalogue::PageAdministrative);
    w.SSOption5.click();
    for (SSCommand* b : {&w.SSCommand2, &w.SSCommand5, &w.SSCommand6, &w.SSCommand8, &w.SSCommand9, &w.SSCommand10,
                         &w.SSCommand7})
        expectOneLine(*b);
    page(w, catalogue::PageWorksheets);
    w.SSCommand12[0].click();
    expectOneLine(w.SSCommand2);
    expectOneLine(w.SSCommand22);
}

// No letter of a cell's text stands on the first or last pixels inside the cell: a text that
// does not fit is shortened with "..." within the cell's margins.
TEST_P(SmallScreenTest, ToDoCellsTooNarrowForTheirTextEndInAnEllipsis) {
    folder->write(timeline::ToDoGridFile,
                  listOf({row("  Review the contingency plan with each departmen", "Fri - Feb 19, 27", "Wed - Dec 29, 27",
                              "Mon - Sep 13, 27")}));
    WorkArea1& w = openFramed();
    page(w, catalogue::PageTimeline);
    doEvents();
    QTableWidget* t = w.VSGd2.table();
    t->clearSelection();
    w.Label1.setFocus();
    doEvents();
    for (int col : {1, 2, 3, 5}) {
        const QRect cell = t->visualRect(t->model()->index(0, col - w.VSGd2.fixedCols()));
        ASSERT_TRUE(cell.isValid());
        const QImage img = t->viewport()->grab(cell).toImage();
        for (int x : {1, 2, img.width() - 3, img.width() - 2})
            for (int y = 0; y < img.height(); ++y)
                EXPECT_GT(qGray(img.pixel(x, y)), 120) << "column " << col << ": text at the cell's edge, x " << x;
    }
}

// The sample policy's header reads as label and value on one line each, never a value run on
// under the next label in a narrow editor.
TEST_P(SmallScreenTest, TheSamplePolicysHeaderKeepsEachLabelWithItsValue) {
    folder->copyContent();
    WorkArea1& w = openFramed();
    answerPageBoxes(catalogue::PageSample);
    page(w, catalogue::PageSample);
    dialogs->answer(QStringLiteral("Policies and Procedures"), Answer::OK);
    w.SSOption5.click();
    const QStringList lines = w.Rtext3.text().split(QStringLiteral("\r\n"));
    for (const char* line : {"Policy: SEC-12 Password Management",
                             "Standard: Security Awareness and Training, 45 CFR 164.308(a)(5)",
                             "Specification: Password Management (Addressable)", "Effective: March 14",
                             "Approved by: Dr. A. Lee, Practice Owner", "Responsible: Office Manager (Security Official)"})
        EXPECT_TRUE(lines.contains(QString::fromLatin1(line))) << line;
}

// A new worksheet's tables: no heading is split over two lines and no horizontal scroll bar
// appears; where the editor has the room (a full-screen window on 1280 by 1024), each heading
// row reads on one line.
TEST_P(SmallScreenTest, TheWorksheetFormsTableHeadingsFitTheEditor) {
    folder->copyContent();
    WorkArea1& w = openFramed();
    page(w, catalogue::PageWorksheets);
    w.SSCommand12[0].click();
    w.SSCommand2.click();
    doEvents();
    QTextEdit* editor = w.Rtext3.editor();
    EXPECT_EQ(editor->horizontalScrollBar()->maximum(), 0);
    const bool roomy = !GetParam().smaller && GetParam().width >= 19200;
    int rows = 0;
    for (QTextBlock b = editor->document()->begin(); b.isValid(); b = b.next()) {
        const QString row = b.text();
        if (!row.contains(QLatin1Char('\t')) || row.trimmed().isEmpty()) continue;
        ++rows;
        const QTextLayout* layout = b.layout();
        if (roomy) EXPECT_EQ(layout->lineCount(), 1) << row.toStdString();
        int start = 0;
        for (const QString& heading : row.split(QLatin1Char('\t'))) {
            const int end = start + int(heading.size()) - 1;
            EXPECT_EQ(layout->lineForTextPosition(start).lineNumber(), layout->lineForTextPosition(end).lineNumber())
                << "split: " << heading.toStdString();
            start = end + 2;
        }
    }
    EXPECT_EQ(rows, 3);
}

INSTANTIATE_TEST_SUITE_P(Screens, SmallScreenTest,
                         ::testing::Values(Screen{"Full800x600", 12000, 9000, false},
                                           Screen{"Smaller800x600", 12000, 9000, true},
                                           Screen{"Full1280x1024", 19200, 15360, false},
                                           Screen{"Smaller1280x1024", 19200, 15360, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
