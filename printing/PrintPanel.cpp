#include "printing/PrintPanel.h"

#include "frame/HINFO1.h"
#include "frame/Settings.h"
#include "frame/SharedBehaviours.h"
#include "platform/Dialogs.h"

using namespace platform;

namespace {

const QString CopyTitle = QStringLiteral("Copy Option");

// Left column of the panel: the buttons, options and information panels; the preview fills
// the rest.
constexpr int ColumnLeft = 115;
constexpr int ColumnWidth = 3060;
constexpr int PreviewLeft = ColumnLeft + ColumnWidth + 115;
constexpr int ButtonHeight = 400;
constexpr int ButtonStep = 460;

}  // namespace

PrintPanel::PrintPanel(Form& form, Container& parent, PrintPanelKind kind)
    : SSPanel80(form, parent, QStringLiteral("SSPanel80")),
      VSP1(form, SSPanel80, QStringLiteral("VSP1")),
      SSCommand1(form, SSPanel80, QStringLiteral("SSCommand1")),
      SSOption81(form, SSFrame80.add(form, SSPanel80, 0), QStringLiteral("SSOption81")),
      Panel3D82(form, SSPanel80, QStringLiteral("Panel3D82")),
      form_(form),
      kind_(kind) {
    SSPanel80.setVisible(false);
    SSPanel80.setCaption(QString());
    SSPanel80.setBevelOuter(2);
    SSPanel80.setBevelInner(1);
    VSP1.setAccessibleName(QStringLiteral("Print Preview"));

    SSCommand1.setCaption(QStringLiteral("Enlarge"));
    SSCommand1.onClick = [this] { SSCommand1_Click(); };

    const QString commands[5] = {QStringLiteral("Printer &Font"), QStringLiteral("&Page Setup"),
                                 QStringLiteral("&Cancel"), QStringLiteral("C&opy Current Page"),
                                 QStringLiteral("&Print")};
    // The Miscellaneous window has no font command; the Security Rule window has the element
    // but it does nothing there, so it is not shown.
    for (int i = kind == PrintPanelKind::Miscellaneous ? 1 : 0; i < 5; ++i) {
        SSCommand& b = SSCommand80.add(form, SSPanel80, i);
        b.setCaption(commands[i]);
        if (i == 0 && kind == PrintPanelKind::SecurityRule) b.setVisible(false);
    }
    SSCommand80.setOnClick([this](int i) { SSCommand80_Click(i); });

    // SSOption81 sits alone in the range frame (made with it above): the only choice there.
    SSFrame80[0].setCaption(QStringLiteral("Print Range"));
    SSFrame& display = SSFrame80.add(form, SSPanel80, 1);
    display.setCaption(QStringLiteral("Display Options"));
    SSOption81.setCaption(kind == PrintPanelKind::Miscellaneous
                              ? QStringLiteral("Print Sample Incident Report Form")
                              : QStringLiteral("All Data Will Be Displayed"));
    SSOption81.setValue(true);
    SSOption82.add(form, display, 0).setCaption(QStringLiteral("Do Not Display Guide Lines"));
    SSOption82.add(form, display, 1).setCaption(QStringLiteral("Display Guide Lines"));
    SSOption82.setOnClick([this](int i) { SSOption82_Click(i); });

    Label80.add(form, SSPanel80, 2).setCaption(QStringLiteral("Orientation:"));
    Panel3D80.add(form, SSPanel80, 2).setCaption(QStringLiteral(" Portrait"));
    if (kind != PrintPanelKind::SecurityRule) {
        Label80.add(form, SSPanel80, 1).setCaption(QStringLiteral("Printer Font:"));
        Label80.add(form, SSPanel80, 0).setCaption(QStringLiteral("Font Size:"));
        Panel3D80.add(form, SSPanel80, 0);
        Panel3D80.add(form, SSPanel80, 1);
        Panel3D82.setCaption(QStringLiteral("AaBbYyZz"));
    } else {
        Panel3D82.setVisible(false);
    }
    for (auto& [i, p] : Panel3D80) {
        p->setBevelOuter(1);
        p->setAlignment(0);
    }
    Panel3D82.setBevelOuter(1);

    if (kind == PrintPanelKind::ActionArea) {
        SSFrame& options = SSFrame80.add(form, SSPanel80, 2);
        options.setCaption(QStringLiteral("Print Options"));
        SSFrame& todo = SSFrame80.add(form, SSPanel80, 3);
        todo.setCaption(QStringLiteral("Print Options"));
        todo.setVisible(false);
        const QString checks[4] = {QStringLiteral("Implementation Specification"),
                                   QStringLiteral("References in Rule"),
                                   QStringLiteral("Additional Information"), QString()};
        for (int i = 0; i < 4; ++i) SSCheck80.add(form, options, i).setCaption(checks[i]);
        SSCheck80[3].setVisible(false);
        SSCheck81.add(form, todo, 0).setCaption(QStringLiteral("Print 'As of' date on each page"));
        SSCheck81.add(form, todo, 1).setCaption(QStringLiteral("Print Grid Lines"));
    }
    // A paper or orientation chosen in the print dialog: the document is laid out again for
    // it before it prints, and the orientation panel says which way the paper now lies.
    VSP1.onPaperChanged = [this] {
        ShowOrientation();
        if (RebuildForPaper) RebuildForPaper();
    };
    ShowPrintFont();
    Arrange(form.scaleWidth(), form.scaleHeight());
}

// ---- layout ----------------------------------------------------------------------------------

void PrintPanel::Arrange(int width, int height) {
    SSPanel80.move(0, 0, width, height);
    SSCommand1.move(ColumnLeft, 75, ColumnWidth, ButtonHeight);
    int y = 75 + ButtonHeight + 150;
    for (auto& [i, b] : SSCommand80) {
        if (!b->visible() && i == 0) continue;
        b->move(ColumnLeft, y, ColumnWidth, ButtonHeight);
        y += ButtonStep;
    }
    y += 60;
    SSFrame80[0].move(ColumnLeft, y, ColumnWidth, 640);
    SSOption81.move(90, 270, ColumnWidth - 150, 300);
    y += 640 + 90;
    SSFrame80[1].move(ColumnLeft, y, ColumnWidth, 960);
    SSOption82[0].move(90, 270, ColumnWidth - 150, 300);
    SSOption82[1].move(90, 590, ColumnWidth - 150, 300);
    y += 960 + 120;
    // Each label with the panel it names: "Orientation:" beside panel 2, "Printer Font:"
    // (label 1) beside the font name in panel 0, "Font Size:" (label 0) beside the size in 1.
    auto row = [&](int label, int panel) {
        Label80[label].move(ColumnLeft, y + 40, 1100, 260);
        Panel3D80[panel].move(ColumnLeft + 1100, y, ColumnWidth - 1100, 320);
        y += 400;
    };
    row(2, 2);
    if (Label80.exists(1)) {
        row(1, 0);
        row(0, 1);
        Panel3D82.move(ColumnLeft, y, ColumnWidth, 480);
        y += 480 + 90;
    }
    if (SSFrame80.exists(2)) {
        SSFrame80[2].move(ColumnLeft, y, ColumnWidth, 1380);
        for (int i = 0; i < 4; ++i) SSCheck80[i].move(120, 270 + i * 270, ColumnWidth - 240, 270);
        SSFrame80[3].move(ColumnLeft, y, ColumnWidth, 1380);
        for (int i = 0; i < 2; ++i) SSCheck81[i].move(120, 270 + i * 300, ColumnWidth - 240, 300);
    }
    const int normalWidth = std::max(0, width - PreviewLeft - 115);
    if (isEnlarged()) {
        VSP1.move(115, 75, std::max(0, width - 230), std::max(0, height - 150));
    } else {
        VSP1.move(PreviewLeft, 75, normalWidth, std::max(0, height - 150));
    }
    SSCommand1.zOrder(0);
    // A window resized after its activation (a late maximise by the window manager, or the
    // user) keeps the preview's normal size in step with its layout, so that "Normal" returns
    // to the preview's full width, also when the resize came while the preview was enlarged.
    if (form_.isVisible()) {
        PreviewNormalWidth = normalWidth;
        PreviewNormalLeft = PreviewLeft;
    }
}

// ---- the commands ----------------------------------------------------------------------------

void PrintPanel::SSCommand80_Click(int index) {
    switch (index) {
    case 0:
        if (kind_ == PrintPanelKind::ActionArea) PrinterFont();
        break;
    case 1: PageSetup(); break;
    case 2:
        SSPanel80.setVisible(false);
        if (kind_ == PrintPanelKind::SecurityRule) {
            doEvents();
            HourglassOff();
        }
        break;
    case 3: CopyCurrentPage(); break;
    case 4: VSP1.action(PreviewAction::PrintDoc); break;
    default: break;
    }
}

void PrintPanel::PrinterFont() {
    FontChoice choice;
    choice.font.name = PrintFontName;
    choice.font.size = PrintFontSize;
    choice.font.bold = PrintFontBold;
    choice.font.italic = PrintFontItalic;
    choice.font.underline = PrintFontUnderline;
    choice.font.strikethrough = PrintFontStrikethru;
    choice.color = PrintFontColor;
    // A cancelled dialog changes nothing and rebuilds nothing.
    if (!dialogs().fontDialog(choice)) return;
    PrintFontName = choice.font.name;
    PrintFontSize = choice.font.size;
    PrintFontBold = choice.font.bold;
    PrintFontItalic = choice.font.italic;
    PrintFontUnderline = choice.font.underline;
    PrintFontStrikethru = choice.font.strikethrough;
    PrintFontColor = choice.color;
    ShowPrintFont();
    if (RebuildAfterPrinterFont) RebuildAfterPrinterFont();
}

void PrintPanel::ShowPrintFont() {
    if (!Panel3D80.exists(0)) return;
    if (kind_ != PrintPanelKind::ActionArea) return;  // nothing fills them elsewhere
    Panel3D80[0].setCaption(QStringLiteral(" ") + PrintFontName);
    Panel3D80[1].setCaption(QStringLiteral(" ") + QString::number(PrintFontSize));
    Font f;
    f.name = PrintFontName;
    f.size = PrintFontSize;
    f.bold = PrintFontBold;
    f.italic = PrintFontItalic;
    f.underline = PrintFontUnderline;
    f.strikethrough = PrintFontStrikethru;
    Panel3D82.setFont(f);
    Panel3D82.setForeColor(PrintFontColor);
}

void PrintPanel::PageSetup() {
    // A cancelled set-up still reads the unchanged values back and rebuilds.
    VSP1.action(PreviewAction::PageSetup);
    PrintDocument& doc = VSP1.document();
    ShowOrientation();
    PrintMarginBottom = doc.marginBottom();
    PrintMarginTop = doc.marginTop();
    PrintMarginLeft = doc.marginLeft();
    PrintMarginRight = doc.marginRight();
    doEvents();
    if (RebuildAfterPageSetup) RebuildAfterPageSetup();
}

void PrintPanel::ShowOrientation() {
    Panel3D80[2].setCaption(VSP1.document().orientation() == 1 ? QStringLiteral(" Landscape")
                                                                 : QStringLiteral(" Portrait"));
}

void PrintPanel::CopyCurrentPage() {
    // The message says what happened: a page the clipboard refused is not reported as copied.
    if (VSP1.action(PreviewAction::CopyPage)) {
        msgBox(QStringLiteral("Current Page has been copied to the Windows Clipboard."),
               Msg::Information | Msg::OKOnly, CopyTitle);
    } else {
        msgBox(QStringLiteral("Current Page could not be copied to the Windows Clipboard."),
               Msg::Exclamation | Msg::OKOnly, CopyTitle);
    }
    SSCommand80[2].setFocus();
}

void PrintPanel::TogglePreviewSize() {
    if (SSCommand1.caption() == QLatin1String("Enlarge")) {
        SSCommand1.setCaption(QStringLiteral("Normal"));
        VSP1.setLeft(115);
        VSP1.setWidth(SSPanel80.width() - 230);
        VSP1.setZoom(Zoom::Enlarged);
        VSP1.zOrder(0);
        SSCommand1.zOrder(0);
    } else {
        SSCommand1.setCaption(QStringLiteral("Enlarge"));
        VSP1.setWidth(PreviewNormalWidth);
        VSP1.setLeft(PreviewNormalLeft);
        VSP1.setZoom(Zoom::Normal);
        VSP1.zOrder(0);
        SSCommand1.zOrder(0);
        SSCommand80[2].setFocus();
    }
}

bool PrintPanel::isEnlarged() const { return SSCommand1.caption() == QLatin1String("Normal"); }

void PrintPanel::SSOption82_Click(int index) {
    VSP1.setGuideLines(index != 0);
    if (LoopIndex == RestoringPrintOptions) return;
    platform::WriteOutcome written = platform::WriteOutcome::Failed;
    frame::writeGuideLineSetting(index, &written);
    SettingWritten(written, QString::fromLatin1(frame::DisplaySettingsFile),
                   QStringLiteral("The guide lines are shown as chosen until Quorvane ends; the next start "
                                  "shows them as before."));
}

// ---- helpers for the windows -----------------------------------------------------------------

void PrintPanel::SetMargins(int left, int right, int top, int bottom) {
    PrintMarginLeft = left;
    PrintMarginRight = right;
    PrintMarginTop = top;
    PrintMarginBottom = bottom;
}

void PrintPanel::ApplyMargins() {
    PrintDocument& doc = VSP1.document();
    doc.setMarginBottom(PrintMarginBottom);
    doc.setMarginTop(PrintMarginTop);
    doc.setMarginLeft(PrintMarginLeft);
    doc.setMarginRight(PrintMarginRight);
}

void PrintPanel::ShowPanel() {
    SSPanel80.setVisible(true);
    SSPanel80.zOrder(0);
    SSPanel80.setFocus();
    SSCommand1.zOrder(0);
}

void PrintPanel::RestoreGuideLines() {
    const int before = LoopIndex;
    LoopIndex = RestoringPrintOptions;
    // "1" shows the guide lines; anything else stored there (nothing, "0", a stray value)
    // does not.
    SSOption82[frame::readGuideLineSetting() == 1 ? 1 : 0].setValue(true);
    // The marker only guards this restore; left standing it would keep every option handler
    // of the program from storing a later choice.
    LoopIndex = before == RestoringPrintOptions ? 0 : before;
}

void PrintPanel::SetPortrait() {
    VSP1.document().setOrientation(0);
    Panel3D80[2].setCaption(QStringLiteral(" Portrait"));
}

void PrintPanel::SaveNormalSize() {
    SSCommand1.setTop(SSPanel80.top() + 75);
    PreviewNormalWidth = VSP1.width();
    PreviewNormalLeft = VSP1.left();
}
