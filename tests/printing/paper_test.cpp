// Every kind of printed document on the user's paper: the status report, a specification
// page, the to-do list, a Security Rule section, a Miscellaneous form and an Action Taken
// document, each printed through the print dialog onto Letter, A4 and Legal, portrait and
// landscape, and read back from the PDF itself: its page size and title, every word's box
// (pdftotext -bbox) and every dark pixel (pdftoppm) at least a quarter inch inside the paper's
// edges, and every word of the preview on paper exactly once.
#include "library/Miscform1.h"
#include "library/PrivRule.h"
#include "tests/workbook/HubFixture.h"
#include "timeline/ToDoFiles.h"

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>
#include <map>
#include <ostream>
#include <tuple>

using namespace platform;

namespace {

enum class Kind { StatusReport, SpecificationPage, ToDoList, RuleSection, MiscForm, ActionTaken };

struct KindCase {
    Kind kind;
    const char* name;
    const char* title;  // the PDF's title
    const char* file;   // the file name the print dialog suggests
};

const KindCase Kinds[] = {
    {Kind::StatusReport, "StatusReport", "Quorvane - HIPAA Security Standards", "Quorvane - HIPAA Security Standards.pdf"},
    {Kind::SpecificationPage, "SpecificationPage", "Quorvane - Risk Analysis (R)", "Quorvane - Risk Analysis (R).pdf"},
    {Kind::ToDoList, "ToDoList", "Quorvane - Project Timeline/To Do List",
     "Quorvane - Project Timeline-To Do List.pdf"},
    {Kind::RuleSection, "RuleSection", "Quorvane - Security Rule - Administrative Safeguards (Sec. 164.308)",
     "Quorvane - Security Rule - Administrative Safeguards (Sec. 164.308).pdf"},
    {Kind::MiscForm, "MiscForm", "Quorvane - Miscellaneous - Risk Anlysis Worksheet",
     "Quorvane - Miscellaneous - Risk Anlysis Worksheet.pdf"},
    {Kind::ActionTaken, "ActionTaken", "Quorvane - Action Taken - Risk Analysis (R)",
     "Quorvane - Action Taken - Risk Analysis (R).pdf"},
};

struct PaperCase {
    QPageSize::PageSizeId id;
    const char* name;
    double width, height;  // points, portrait
};

const PaperCase Papers[] = {
    {QPageSize::Letter, "Letter", 612, 792},
    {QPageSize::A4, "A4", 595.28, 841.89},
    {QPageSize::Legal, "Legal", 612, 1008},
};

// A quarter inch, in points.
constexpr double Edge = 18.0;

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString unescape(QString s) {
    return s.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

// The PDF may set "fi" and "fl" as ligatures.
QString plainLetters(QString s) {
    return s.replace(QChar(0xFB01), QStringLiteral("fi")).replace(QChar(0xFB02), QStringLiteral("fl"));
}

struct PdfWord {
    int page;
    QRectF box;  // points
    QString text;
};

std::vector<PdfWord> pdfWords(const QString& pdf) {
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression pageRe(QStringLiteral("<page |<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" "
                                                          "xMax=\"([-0-9.]+)\" yMax=\"([-0-9.]+)\">([^<]*)</word>"));
    std::vector<PdfWord> words;
    int page = 0;
    for (auto it = pageRe.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        words.push_back({page,
                         QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                         plainLetters(unescape(m.captured(5)))});
    }
    return words;
}

// Every word the preview holds, in the order it holds them.
QStringList previewWords(const PrintDocument& doc) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList words;
    for (int n = 1; n <= doc.pageCount(); ++n)
        for (const PrintOp& op : doc.page(n).ops)
            if (op.kind != PrintOp::Line)
                for (const QString& w : plainLetters(op.text).split(blanks, Qt::SkipEmptyParts)) words << w;
    return words;
}

// The words one list has more often than the other, for a readable failure.
QString difference(const QStringList& a, const QStringList& b) {
    std::map<QString, int> count;
    for (const QString& w : a) ++count[w];
    for (const QString& w : b) --count[w];
    QStringList out;
    for (const auto& [w, n] : count)
        if (n != 0) out << QStringLiteral("%1 (%2%3)").arg(w).arg(n > 0 ? "+" : "").arg(n);
    return out.mid(0, 40).join(QStringLiteral(", "));
}

QString infoValue(const QString& info, const QString& key) {
    for (const QString& line : info.split(QLatin1Char('\n')))
        if (line.startsWith(key + QLatin1Char(':'))) return line.mid(key.size() + 1).trimmed();
    return {};
}

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }
void PrintTo(const PaperCase& c, std::ostream* os) { *os << c.name; }

using Param = std::tuple<KindCase, PaperCase, bool>;

class PaperTest : public hubtest::HubTest, public ::testing::WithParamInterface<Param> {
protected:
    void SetUp() override {
        HubTest::SetUp();
        folder->copyContent();
        DisplayMode = SmallerScreenDisplay;
        clock->setDate(2005, 1, 6);
    }

    // Opens the preview of the document as the user does; the panel it is shown in.
    PrintPanel& openPreview(Kind kind) {
        switch (kind) {
        case Kind::StatusReport: {
            WorkArea1& w = openHub();
            w.SSCommand3.click();
            w.SSCheck80[0].click();  // "All Safeguards"
            return w.Print;
        }
        case Kind::SpecificationPage: {
            WorkArea1& w = openHub();
            page(w, catalogue::PageAdministrative);
            w.SSCommand14[0].click();
            w.SSOption6.click();
            w.SSCommand5.click();
            w.SSCheck80[1].click();  // the references in the rule too
            return w.Print;
        }
        case Kind::ToDoList: {
            // Enough items for three pages in portrait.
            QByteArray list;
            for (int i = 1; i <= 120; ++i) {
                list += "\"Review access log " + QByteArray::number(i) + "\"\r\n\"Thu - Jan 6, 05\"\r\n\"\"\r\n\"\"\r\n";
                list += i % 3 == 0 ? "\"Mon - Feb 7, 05\"\r\n" : "\"\"\r\n";
            }
            for (int i = 121; i <= 500; ++i) list += "\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
            folder->write(timeline::ToDoGridFile, list);
            WorkArea1& w = openHub();
            page(w, catalogue::PageTimeline);
            w.SSCommand19[4].setFocus();
            w.SSCommand19[4].click();
            return w.Print;
        }
        case Kind::RuleSection: {
            PrivRule& w = defaultInstance<PrivRule>();
            w.show();
            w.SSOption1[9].click();
            w.SSCommand4.click();
            return w.Print;
        }
        case Kind::MiscForm: {
            Miscform1& w = defaultInstance<Miscform1>();
            w.show();
            w.SSCommand11[3].click();
            w.SSCommand2[1].click();
            return w.Print;
        }
        case Kind::ActionTaken: {
            WorkArea1& w = openHub();
            page(w, catalogue::PageAdministrative);
            w.SSCommand14[0].click();
            w.SSOption3.click();
            QString text;
            for (int i = 1; i <= 40; ++i)
                text += QStringLiteral("Step %1 of the risk analysis was reviewed with the practice manager and "
                                       "the findings were filed.\r")
                            .arg(i);
            w.Rtext3.type(text);
            w.SSCommand5.click();
            return w.Print;
        }
        }
        throw std::logic_error("unknown kind");
    }
};

TEST_P(PaperTest, EveryPageComesOutWholeOnThePaperChosenInThePrintDialog) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_FAIL() << "poppler's tools are installed by tools/install-deps.sh";
    const auto& [kind, paper, landscape] = GetParam();
    PrintPanel& panel = openPreview(kind.kind);
    ASSERT_TRUE(panel.SSPanel80.visible());
    ASSERT_GE(panel.VSP1.pageCount(), 1);

    const QString pdf = folder->file(QStringLiteral("out.pdf"));
    printer->pdfPath = pdf;
    printer->dialogPaper = paper.id;
    printer->dialogLandscape = landscape;
    panel.SSCommand80[4].click();
    ASSERT_EQ(printer->printedPageCounts.size(), 1u);
    ASSERT_TRUE(QFile::exists(pdf));
    // Asked for, the PDF and the preview as the user sees it are kept to be looked at side by
    // side.
    const QString keep = qEnvironmentVariable("QUORVANE_KEEP_PRINTS");
    if (!keep.isEmpty()) {
        const QString stem = keep + QStringLiteral("/%1_%2_%3").arg(QString::fromLatin1(kind.name),
                                                                     QString::fromLatin1(paper.name),
                                                                     landscape ? QStringLiteral("Landscape")
                                                                               : QStringLiteral("Portrait"));
        QFile::remove(stem + QStringLiteral(".pdf"));
        QFile::copy(pdf, stem + QStringLiteral(".pdf"));
        panel.VSP1.widget()->grab().save(stem + QStringLiteral("_preview.png"));
    }

    // The dialog suggested a file named after the document; the PDF carries its title.
    ASSERT_EQ(printer->suggestedFileNames.size(), 1u);
    EXPECT_EQ(printer->suggestedFileNames[0].toStdString(), kind.file);
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_EQ(infoValue(info, QStringLiteral("Title")).toStdString(), kind.title);

    // The preview was laid out again for the paper: it is the paper of the next preview, and
    // the orientation panel says which way it lies.
    const PrintDocument& doc = panel.VSP1.document();
    const double w = landscape ? paper.height : paper.width;
    const double h = landscape ? paper.width : paper.height;
    EXPECT_NEAR(doc.pageWidth(), w * 20, 3);
    EXPECT_NEAR(doc.pageHeight(), h * 20, 3);
    EXPECT_EQ(panel.Panel3D80[2].caption().trimmed().toStdString(), landscape ? "Landscape" : "Portrait");
    EXPECT_EQ(infoValue(info, QStringLiteral("Pages")).toInt(), doc.pageCount());
    const QRegularExpression size(QStringLiteral("([0-9.]+) x ([0-9.]+) pts"));
    const auto sm = size.match(infoValue(info, QStringLiteral("Page size")));
    ASSERT_TRUE(sm.hasMatch()) << info.toStdString();
    EXPECT_NEAR(sm.captured(1).toDouble(), w, 0.5);
    EXPECT_NEAR(sm.captured(2).toDouble(), h, 0.5);

    // Every word a quarter inch inside the paper, and each word of the preview there once.
    const std::vector<PdfWord> words = pdfWords(pdf);
    ASSERT_FALSE(words.empty());
    QStringList onPaper;
    for (const PdfWord& word : words) {
        onPaper << word.text;
        EXPECT_GE(word.box.left(), Edge - 0.1) << word.text.toStdString() << " on page " << word.page;
        EXPECT_GE(word.box.top(), Edge - 0.1) << word.text.toStdString() << " on page " << word.page;
        EXPECT_LE(word.box.right(), w - Edge + 0.1) << word.text.toStdString() << " on page " << word.page;
        EXPECT_LE(word.box.bottom(), h - Edge + 0.1) << word.text.toStdString() << " on page " << word.page;
    }
    QStringList expected = previewWords(doc);
    QStringList got = onPaper;
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    EXPECT_TRUE(expected == got) << "preview vs paper: " << difference(expected, got).toStdString();

    // Nothing at all (frame lines included) in the quarter-inch strip: at 36 dpi the strip is
    // nine pixels wide; the pixel on its inner edge may take a line's anti-aliasing.
    const QString stem = folder->file(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("36"), QStringLiteral("-gray"),
                                     QStringLiteral("-png"), pdf, stem});
    int looked = 0;
    for (int n = 1; n <= doc.pageCount(); ++n) {
        QString file;
        for (int digits = 1; digits <= 3 && file.isEmpty(); ++digits) {
            const QString f = stem + QStringLiteral("-%1.png").arg(n, digits, 10, QLatin1Char('0'));
            if (QFile::exists(f)) file = f;
        }
        const QImage img(file);
        ASSERT_FALSE(img.isNull()) << "page " << n;
        ++looked;
        int dark = 0, strip = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const bool ink = qGray(img.pixel(x, y)) < 224;
                dark += ink;
                const bool inStrip = x < 8 || y < 8 || x >= img.width() - 8 || y >= img.height() - 8;
                strip += ink && inStrip;
            }
        }
        EXPECT_GT(dark, 0) << "page " << n;
        EXPECT_EQ(strip, 0) << "page " << n;
    }
    EXPECT_EQ(looked, doc.pageCount());
}

INSTANTIATE_TEST_SUITE_P(
    Papers, PaperTest, ::testing::Combine(::testing::ValuesIn(Kinds), ::testing::ValuesIn(Papers), ::testing::Bool()),
    [](const ::testing::TestParamInfo<Param>& info) {
        return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name +
               (std::get<2>(info.param) ? "_Landscape" : "_Portrait");
    });

}  // namespace
