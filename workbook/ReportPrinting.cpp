// The Action Area's reports in its print panel: the safeguard status report of the overview
// page, and the specification page of the read-only texts of an entry.
#include "catalogue/Catalogue.h"
#include "frame/HINFO1.h"
#include "printing/PrintTitle.h"
#include "printing/SafeguardsReport.h"
#include "printing/SpecificationPage.h"
#include "workbook/WorkArea1.h"

using namespace platform;

// The overview page's "&Print": the panel in report mode, with the area on show ticked.
void WorkArea1::SSCommand3_Click() {
    VSP1.clear();
    ModeFlag = 0;
    SSCommand80[0].setEnabled(false);
    SSCommand80[1].setEnabled(false);
    VSP1.setDisplaySetting(3);
    // Each opener captions the range option for what it prints (the to-do list's says less).
    SSOption81.setCaption(QStringLiteral("All Data Will Be Displayed"));
    const char* const captions[4] = {"All Safeguards", "Administrative Safeguards", "Physical Safeguards",
                                     "Technical Safeguards"};
    for (int i = 0; i <= 3; ++i) {
        SSCheck80[i].setCaption(QString::fromLatin1(captions[i]));
        SSCheck80[i].setEnabled(true);
        SSCheck80[i].setValue(0);
    }
    // The report's own font, with the overview grid's style.
    Panel3D80[0].setCaption(QStringLiteral(" ") + printing::ReportFontName);
    Panel3D80[1].setCaption(QStringLiteral(" 10"));
    Font sample = VSGd1.font();
    sample.name = printing::ReportFontName;
    sample.size = printing::ReportFontSize;
    Panel3D82.setFont(sample);
    VSP1.document().setOrientation(0);
    Panel3D80[2].setCaption(QStringLiteral("Portrait"));
    SSCheck80[3].setVisible(true);
    // The report boxes in their own frame: the to-do options share its place.
    SSFrame80[3].setVisible(false);
    SSFrame80[2].setVisible(true);
    doEvents();
    Print.ShowPanel();
    doEvents();
    // The area on show is ticked, which builds its report.
    for (int i = 0; i <= 2; ++i)
        if (SSCommand18[i].foreColor() == paletteColor(9)) SSCheck80[i + 1].setValue(1);
}

void WorkArea1::PrintSafeguardsReport() {
    SSFrame80[3].setVisible(false);
    VSP1.setPreview(true);
    VSP1.clear();
    const printing::ReportChoice choice{SSCheck80[0].value() == 1, SSCheck80[1].value() == 1,
                                        SSCheck80[2].value() == 1, SSCheck80[3].value() == 1};
    printing::buildSafeguardsReport(
        VSP1.document(), choice, [this](int n) { return SpecStatus[std::size_t(n)]; }, PrintFontColor,
        ReportPositions);
    HourglassOff();
}

// The ticked texts of the entry shown, joined into one page in the print font with the
// entry's name marked.
void WorkArea1::PrintSpecificationPage() {
    HourglassOn();
    SSFrame80[3].setVisible(false);
    const int k = catalogue::specNumber(AreaMode, SpecIndex);
    std::array<bool, 3> ticked{};
    for (int i = 0; i <= 2; ++i) ticked[std::size_t(i)] = SSCheck80[i].value() == 1;
    // Each ticked text is filled for the entry shown: a buffer not filled yet, or holding the
    // text of an entry shown before, is built again. (Only the ticked ones: a document that
    // cannot be read is then reported only when its text was asked for.)
    for (int i = 0; i <= 2; ++i) {
        if (!ticked[std::size_t(i)]) continue;
        if (BufferSpec[std::size_t(i)] != k) {
            RText1[i].setText(QString());
            PrintModeFlag = ComposingForPrint;
            switch (i) {
            case 0: LoadRuleText(); break;
            case 1: LoadRuleReferences(); break;
            default: LoadAdditionalInfo(); break;
            }
        }
    }
    if (k != catalogue::NoNumber) SpecNumber = k;
    PrintModeFlag = NotComposingForPrint;
    // A text that could not be had (a document that could not be read) is left out.
    std::array<QString, 3> texts;
    for (int i = 0; i <= 2; ++i) {
        texts[std::size_t(i)] = RText1[i].text();
        if (texts[std::size_t(i)].trimmed().isEmpty()) ticked[std::size_t(i)] = false;
    }
    const printing::SpecificationPage page = printing::composeSpecificationPage(ticked, texts);
    RichTextBox& composed = RText1[3];
    composed.setText(QString());
    if (page.kind == printing::SpecificationPage::Joined) composed.setText(page.plainText);
    if (page.kind == printing::SpecificationPage::Single) composed.setTextRTF(RText1[page.single].textRTF());
    // The whole page in the print font.
    composed.setSelStart(0);
    composed.setSelLength(composed.textLength());
    doEvents();
    composed.setSelFontName(PrintFontName);
    composed.setSelFontSize(PrintFontSize);
    composed.setSelBold(PrintFontBold);
    composed.setSelItalic(PrintFontItalic);
    composed.setSelUnderline(PrintFontUnderline);
    composed.setSelStrikethru(PrintFontStrikethru);
    composed.setSelColor(PrintFontColor);
    doEvents();
    HighlightSpecName();
    SpecNumber = 0;
    doEvents();
    RenderTopic(Print, composed, printing::printTitle(PrintedEntryName()));
    HourglassOff();
}
