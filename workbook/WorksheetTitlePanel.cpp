#include "workbook/WorksheetTitlePanel.h"

#include "catalogue/Catalogue.h"
#include "frame/HINFO1.h"
#include "platform/Dialogs.h"
#include "workbook/PageLook.h"

#include <algorithm>

using namespace platform;
using workbook::PageFace;

namespace {
// The most characters of a worksheet title.
constexpr int TitleLength = workbook::WorksheetTitleMaxLength;
}  // namespace

WorksheetTitlePanel::WorksheetTitlePanel(PageContext context)
    : SSPanel4(context.form, context.form, QStringLiteral("SSPanel4")),
      context_(std::move(context)) {
    Form& form = context_.form;
    SSPanel4.setCaption(QStringLiteral(" Risk Analysis Worksheet Button Name"));
    SSPanel4.setAlignment(0);
    SSPanel4.setCaptionAtTop(true);
    SSPanel4.setBackColor(PageFace);
    SSPanel4.setVisible(false);
    const char* const headings[3] = {"Button Number", "Current Title", "Change Title To:"};
    for (int i = 0; i < 3; ++i) {
        Label8.add(form, SSPanel4, i).setCaption(QString::fromLatin1(headings[i]));
        Label8[i].setBackColor(PageFace);
    }
    for (int n = 0; n < catalogue::WorksheetCount; ++n) {
        Label12.add(form, SSPanel4, n).setCaption(QString::number(n + 1));
        Label12[n].setBackColor(PageFace);
        Label13.add(form, SSPanel4, n).setBackColor(PageFace);
        Text3.add(form, SSPanel4, n).setMaxLength(TitleLength);
        Text3[n].setAccessibleName(QStringLiteral("New title %1").arg(n + 1));
        Text3[n].onChange = [this, n] { Text3_Change(n); };
    }
    SSCommand21.add(form, SSPanel4, 0).setCaption(QStringLiteral("Save &Changes and Exit"));
    SSCommand21.add(form, SSPanel4, 1).setCaption(QStringLiteral("&Exit Without Saving Changes"));
    SSCommand21.setOnClick([this](int i) { SSCommand21_Click(i); });
}

void WorksheetTitlePanel::Text3_Change(int n) {
    // RAList.Fil holds 8-bit text, one character a byte: a character it has no byte for is left
    // out where it is typed, so that the box holds what the record will hold.
    TextBox& box = Text3[n];
    const QStringList refused = charactersOutsideCp1252(box.text());
    if (refused.isEmpty()) return;
    const QString kept = withoutCharactersOutsideCp1252(box.text());
    const int cursor = std::max(0, box.selStart() - int(box.text().size() - kept.size()));
    box.setText(kept);
    box.setSelStart(cursor);
    ReportUnstorableCharacters(refused, QStringLiteral("a worksheet title"),
                               workbook::WorksheetTitleFile +
                                   QStringLiteral(" holds only Western European (Windows-1252) characters"),
                               QStringLiteral("Worksheet Titles"));
}

void WorksheetTitlePanel::Arrange(int left, int top, int pw, int ph) {
    SSPanel4.move(left, top, pw, ph);
    // Three columns under their headings: the number, the present title, the box for a new one
    // (wide enough for the 18 characters a title holds).
    const int numberX = 240, numberW = 1500;
    const int columnW = std::clamp((pw - numberX - numberW - 720) / 2, 2000, 3600);
    const int titleX = numberX + numberW + 120;
    const int boxX = titleX + columnW + 240;
    Label8[0].move(numberX, 420, numberW, 270);
    Label8[1].move(titleX, 420, columnW, 270);
    Label8[2].move(boxX, 420, columnW, 270);
    const int rowH = std::clamp((ph - 1500) / 22, 240, 420);
    const int boxH = std::min(rowH - 45, 330);
    for (int n = 0; n < catalogue::WorksheetCount; ++n) {
        const int ry = 750 + n * rowH;
        Label12[n].move(numberX + 240, ry, numberW - 240, boxH);
        Label13[n].move(titleX, ry, columnW, boxH);
        Text3[n].move(boxX, ry, columnW, boxH);
    }
    // The two ways out just under the last row, or at the foot where the rows fill the panel.
    const int rowsEnd = 750 + (catalogue::WorksheetCount - 1) * rowH + boxH;
    const int buttonsTop = std::min(rowsEnd + 300, ph - 600);
    SSCommand21[0].move(pw / 2 - 3300, buttonsTop, 3000, 450);
    SSCommand21[1].move(pw / 2 + 300, buttonsTop, 3000, 450);
}

void WorksheetTitlePanel::Open(const workbook::WorksheetTitleTexts& titles) {
    for (int n = 0; n < catalogue::WorksheetCount; ++n) {
        const QString& title = titles[std::size_t(n)];
        // A label shows an "&" of the title as typed, not as an access key.
        Label13[n].setCaption(QString(title).replace(QLatin1Char('&'), QStringLiteral("&&")));
        Text3[n].setText(title);
    }
    SSPanel4.setVisible(true);
    SSPanel4.zOrder(0);
}

void WorksheetTitlePanel::SSCommand21_Click(int index) {
    if (index == 0) {
        workbook::WorksheetTitleTexts typed;
        for (int n = 0; n < catalogue::WorksheetCount; ++n) typed[std::size_t(n)] = Text3[n].text();
        const workbook::WorksheetTitlesWrite saved = workbook::writeWorksheetTitles(typed);
        if (!saved.ok) {
            // Nothing was stored: the panel stays with the typing, so the user can try again.
            msgBox(QStringLiteral("The worksheet titles could not be stored in ") + workbook::WorksheetTitleFile +
                       QStringLiteral(".") + CR + saved.reason + CR + CR +
                       QStringLiteral("The buttons keep their present titles."),
                   Msg::Critical | Msg::OKOnly, QStringLiteral("Worksheet Titles Not Stored"));
            return;
        }
        if (saved.notDurable) {
            // The file holds the new titles, so the buttons show them; the user is told that
            // the disk did not make them durable.
            msgBox(QStringLiteral("The worksheet titles are in ") + workbook::WorksheetTitleFile +
                       QStringLiteral(", but they may not survive a power loss.") + CR + saved.reason + CR + CR +
                       QStringLiteral("The disk did not confirm them. The buttons show the new titles."),
                   Msg::Exclamation | Msg::OKOnly, QStringLiteral("Worksheet Titles Not Confirmed"));
        }
        SSPanel4.setVisible(false);
        if (Closed) Closed(&saved);
        return;
    }
    SSPanel4.setVisible(false);
    if (Closed) Closed(nullptr);
}
