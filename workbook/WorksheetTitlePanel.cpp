#include "workbook/WorksheetTitlePanel.h"

#include "catalogue/Catalogue.h"
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
      Label8(context.form, SSPanel4, QStringLiteral("Label8")),
      context_(std::move(context)) {
    Form& form = context_.form;
    SSPanel4.setCaption(QStringLiteral(" Risk Analysis Worksheet Button Name"));
    SSPanel4.setAlignment(0);
    SSPanel4.setBackColor(PageFace);
    SSPanel4.setVisible(false);
    Label8.setCaption(QStringLiteral("Button Number"));
    Label8.setBackColor(PageFace);
    for (int n = 0; n < catalogue::WorksheetCount; ++n) {
        Label12.add(form, SSPanel4, n).setCaption(QString::number(n + 1));
        Label12[n].setBackColor(PageFace);
        Label13.add(form, SSPanel4, n).setBackColor(PageFace);
        Text3.add(form, SSPanel4, n).setMaxLength(TitleLength);
        Text3[n].setAccessibleName(QStringLiteral("New title %1").arg(n + 1));
    }
    SSCommand21.add(form, SSPanel4, 0).setCaption(QStringLiteral("Save &Changes and Exit"));
    SSCommand21.add(form, SSPanel4, 1).setCaption(QStringLiteral("&Exit Without Saving Changes"));
    SSCommand21.setOnClick([this](int i) { SSCommand21_Click(i); });
}

void WorksheetTitlePanel::Arrange(int left, int top, int pw, int ph) {
    SSPanel4.move(left, top, pw, ph);
    Label8.move(240, 420, 1500, 270);
    const int rowH = std::max(240, (ph - 1500) / 22);
    for (int n = 0; n < catalogue::WorksheetCount; ++n) {
        const int ry = 750 + n * rowH;
        Label12[n].move(480, ry, 900, rowH - 30);
        Label13[n].move(1500, ry, (pw - 1800) / 2, rowH - 30);
        Text3[n].move(1560 + (pw - 1800) / 2, ry, (pw - 1800) / 2 - 120, rowH - 30);
    }
    SSCommand21[0].move(pw / 2 - 3300, ph - 600, 3000, 450);
    SSCommand21[1].move(pw / 2 + 300, ph - 600, 3000, 450);
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
        SSPanel4.setVisible(false);
        if (Closed) Closed(&saved);
        return;
    }
    SSPanel4.setVisible(false);
    if (Closed) Closed(nullptr);
}
