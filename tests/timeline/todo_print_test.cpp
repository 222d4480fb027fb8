// Printing the to-do list from its page: an empty list refused, the panel opened with the
// report's font and options, the two options rebuilding the report, Page Setup and Printer
// Font rebuilding it, and the list on paper as a PDF with and without the date line and grid.
#include "tests/timeline/ToDoFixture.h"

#include <QFile>
#include <QProcess>

using namespace platform;
using namespace todotest;

namespace {

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

int lineCount(const PrintDocument& doc) {
    int n = 0;
    for (int p = 1; p <= doc.pageCount(); ++p)
        for (const PrintOp& op : doc.page(p).ops) n += op.kind == PrintOp::Line;
    return n;
}

bool holdsText(const PrintDocument& doc, const QString& text) {
    for (int p = 1; p <= doc.pageCount(); ++p)
        for (const PrintOp& op : doc.page(p).ops)
            if (op.kind == PrintOp::Text && op.text.trimmed() == text) return true;
    return false;
}

class ToDoPrintTest : public ToDoTest {
protected:
    WorkArea1& withItems() {
        folder->write(timeline::ToDoGridFile,
                      listOf({row("Backup tapes", "Thu - Jan 6, 05", "Fri - Jan 7, 05", "Mon - Feb 7, 05"), row(""),
                              row("Train staff", "", "", "Tue - Mar 1, 05")}));
        return openTimeline();
    }
};

TEST_F(ToDoPrintTest, AListWithoutItemsIsNotPrinted) {
    folder->write(timeline::ToDoGridFile, listOf({row("   ", "Thu - Jan 6, 05")}));
    WorkArea1& w = openTimeline();
    dialogs->answer(QStringLiteral("Print"), Answer::OK);
    press(w.SSCommand19[4]);
    const auto boxes = dialogs->shownWithTitle(QStringLiteral("Print"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("There are currently No Entries to Print!"));
    EXPECT_EQ(boxes[0].flags, Msg::OKOnly | Msg::Information);
    EXPECT_FALSE(w.SSPanel80.visible());
}

TEST_F(ToDoPrintTest, PrintOpensThePanelWithTheReportInAPrintableFont) {
    WorkArea1& w = withItems();
    clickCell(w, 1, 1);  // editing on, which printing ends
    press(w.SSCommand19[4]);
    EXPECT_TRUE(w.SSPanel80.visible());
    EXPECT_EQ(w.ToDo.CellEditMode(), 0);
    EXPECT_EQ(w.VSP1.displaySetting(), 3);
    EXPECT_EQ(w.SSOption81.caption(), QStringLiteral("Only Rows with a To Do Item"));
    EXPECT_TRUE(w.SSFrame80[3].visible());
    EXPECT_FALSE(w.SSFrame80[2].visible());
    // The entry box's screen font has no printed form: Times New Roman at 12 points.
    EXPECT_EQ(w.Text1[0].font().name, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(w.Panel3D80[0].caption(), QStringLiteral(" Times New Roman"));
    EXPECT_EQ(w.Panel3D80[1].caption(), QStringLiteral(" 12"));
    EXPECT_EQ(w.Panel3D82.font().name, QStringLiteral("Times New Roman"));
    EXPECT_TRUE(w.SSCommand80[0].enabled());
    EXPECT_TRUE(w.SSCommand80[1].enabled());
    const PrintDocument& doc = w.VSP1.document();
    ASSERT_EQ(doc.pageCount(), 1);
    for (const char* text : {"Project Timeline/To Do List", "As of  January 06, 2005", "Backup tapes", "Train staff",
                             "Thu - Jan 6, 05", "Fri - Jan 7, 05", "Mon - Feb 7, 05", "Tue - Mar 1, 05"})
        EXPECT_TRUE(holdsText(doc, QString::fromLatin1(text))) << text;
    EXPECT_EQ(lineCount(doc), 10);
    for (const PrintOp& op : doc.page(1).ops)
        if (op.kind == PrintOp::Text) EXPECT_EQ(op.font.name, QStringLiteral("Times New Roman")) << op.text.toStdString();
    // The Options menu's Print on this page does the same.
    w.SSCommand80[2].click();
    EXPECT_FALSE(w.SSPanel80.visible());
    w.mOPrint.click();
    EXPECT_TRUE(w.SSPanel80.visible());
}

// Each later print opener captions the range option for what it prints, whatever the to-do
// list's print left there.
struct LaterOpener {
    const char* name;
    void (*open)(WorkArea1& w);
};

class ToDoPrintThenOther : public ToDoPrintTest, public ::testing::WithParamInterface<LaterOpener> {};

TEST_P(ToDoPrintThenOther, TheRangeOptionSaysAllData) {
    WorkArea1& w = withItems();
    press(w.SSCommand19[4]);
    ASSERT_EQ(w.SSOption81.caption(), QStringLiteral("Only Rows with a To Do Item"));
    w.SSCommand80[2].click();
    GetParam().open(w);
    ASSERT_TRUE(w.SSPanel80.visible());
    EXPECT_EQ(w.SSOption81.caption(), QStringLiteral("All Data Will Be Displayed"));
    EXPECT_FALSE(w.SSFrame80[3].visible());
}

INSTANTIATE_TEST_SUITE_P(
    Openers, ToDoPrintThenOther,
    ::testing::Values(LaterOpener{"StatusReport",
                                  [](WorkArea1& w) {
                                      w.SSCommand11[catalogue::PageOverview].click();
                                      w.SSCommand3.click();
                                  }},
                      LaterOpener{"SpecificationText",
                                  [](WorkArea1& w) {
                                      w.SSCommand11[catalogue::PageAdministrative].click();
                                      w.SSOption6.click();
                                      w.SSCommand5.click();
                                  }},
                      LaterOpener{"Document",
                                  [](WorkArea1& w) {
                                      w.SSCommand11[catalogue::PageAdministrative].click();
                                      w.SSOption3.click();
                                      w.SSCommand5.click();
                                  }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ToDoPrintTest, TheTwoOptionsRebuildTheReport) {
    WorkArea1& w = withItems();
    press(w.SSCommand19[4]);
    w.SSCheck81[1].click();  // grid lines off
    EXPECT_EQ(NoGridLines, 1);
    EXPECT_EQ(lineCount(w.VSP1.document()), 0);
    EXPECT_TRUE(holdsText(w.VSP1.document(), QStringLiteral("As of  January 06, 2005")));
    w.SSCheck81[0].click();  // the date line off
    EXPECT_EQ(NoAsOfDate, 1);
    EXPECT_FALSE(holdsText(w.VSP1.document(), QStringLiteral("As of  January 06, 2005")));
    EXPECT_TRUE(holdsText(w.VSP1.document(), QStringLiteral("Backup tapes")));
    w.SSCheck81[1].click();
    EXPECT_EQ(lineCount(w.VSP1.document()), 10);
}

TEST_F(ToDoPrintTest, PageSetupAndPrinterFontRebuildTheReport) {
    WorkArea1& w = withItems();
    press(w.SSCommand19[4]);
    PageSetup setup;
    setup.landscape = true;
    dialogs->answerPageSetup(setup);
    w.SSCommand80[1].click();
    const PrintDocument& doc = w.VSP1.document();
    EXPECT_EQ(doc.pageWidth(), 15840);
    EXPECT_EQ(doc.marginLeft(), 100);  // the report keeps its own margins
    EXPECT_TRUE(holdsText(doc, QStringLiteral("Train staff")));
    FontChoice font;
    font.font = Font{QStringLiteral("Courier New"), 16, true};
    font.color = rgb(0, 0, 128);
    dialogs->answerFont(font);
    w.SSCommand80[0].click();
    ASSERT_GT(doc.pageCount(), 0);
    for (const PrintOp& op : doc.page(1).ops) {
        if (op.kind != PrintOp::Text || op.text.trimmed() != QLatin1String("Train staff")) continue;
        EXPECT_EQ(op.font.name, QStringLiteral("Courier New"));
        EXPECT_EQ(op.font.size, 16);
        EXPECT_TRUE(op.font.bold);
        EXPECT_EQ(op.color, rgb(0, 0, 128));
    }
    EXPECT_EQ(w.Panel3D80[1].caption(), QStringLiteral(" 16"));
}

// On paper: the items and their dates, with and without the date line and the grid lines.
TEST_F(ToDoPrintTest, TheListPrintsToPaperWithAndWithoutTheDateLineAndGridLines) {
    WorkArea1& w = withItems();
    press(w.SSCommand19[4]);
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            w.SSCheck81[0].click();
            w.SSCheck81[1].click();
        }
        const QString pdf = folder->file(QStringLiteral("todo%1.pdf").arg(pass));
        printer->pdfPath = pdf;
        w.SSCommand80[4].click();
        ASSERT_TRUE(QFile::exists(pdf));
        const QString text = pdfText(pdf);
        EXPECT_TRUE(text.contains(QStringLiteral("Project Timeline/To Do List"))) << text.toStdString();
        const QStringList rows = text.split(QLatin1Char('\n'));
        const auto line = [&](const QString& start) {
            for (const QString& r : rows)
                if (r.trimmed().startsWith(start)) return r.simplified();
            return QString();
        };
        EXPECT_EQ(line(QStringLiteral("Backup tapes")),
                  QStringLiteral("Backup tapes Thu - Jan 6, 05 Fri - Jan 7, 05 Mon - Feb 7, 05"));
        EXPECT_EQ(line(QStringLiteral("Train staff")), QStringLiteral("Train staff Tue - Mar 1, 05"));
        EXPECT_EQ(text.contains(QStringLiteral("As of January 06, 2005")) || text.contains(QStringLiteral("As of  January 06, 2005")),
                  pass == 0);
    }
    EXPECT_EQ(printer->printedPageCounts, (std::vector<int>{1, 1}));
}

}  // namespace
