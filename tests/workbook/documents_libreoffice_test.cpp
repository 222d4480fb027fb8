// A document saved by the Action Area opens in a word processor with the same text and
// formats. LibreOffice converts the saved file to HTML without a window; the test is skipped
// where LibreOffice is not installed.
#include "HubFixture.h"
#include "catalogue/Catalogue.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace platform;

namespace {

using DocumentsLibreOfficeTest = hubtest::HubTest;

TEST_F(DocumentsLibreOfficeTest, SavedActionTakenOpensWithItsTextBoldColourAndCentring) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";

    WorkArea1& w = openHub();
    page(w, catalogue::PageAdministrative);
    w.SSCommand14[14].click();
    w.SSOption3.click();
    RichTextBox& e = w.Rtext3;
    e.type(QStringLiteral("Passwords "));
    e.setSelBold(true);
    e.setSelColor(rgb(0, 0, 255));
    e.type(QStringLiteral("expire"));
    e.setSelBold(false);
    e.setSelColor(rgb(0, 0, 0));
    e.type(QStringLiteral(" after 90 days; see \u00A7 164.308.\rReviewed by the security officer"));
    e.setSelAlignment(2);
    w.SSCommand6.click();
    ASSERT_TRUE(folder->exists(QStringLiteral("Action14.Fil")));

    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QString input = work.filePath(QStringLiteral("action.rtf"));
    ASSERT_TRUE(QFile::copy(folder->file(QStringLiteral("Action14.Fil")), input));
    QProcess lo;
    lo.setProcessChannelMode(QProcess::MergedChannels);
    lo.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + work.filePath(QStringLiteral("profile")),
                       QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("html"),
                       QStringLiteral("--outdir"), work.path(), input});
    ASSERT_TRUE(lo.waitForFinished(180000)) << "LibreOffice did not finish";
    QFile out(work.filePath(QStringLiteral("action.html")));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly)) << lo.readAll().toStdString();
    const QString html = QString::fromUtf8(out.readAll());

    QString text = html.section(QStringLiteral("<body"), 1);
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    text.replace(QStringLiteral("&sect;"), QStringLiteral("\u00A7"));
    text = text.section(QLatin1Char('>'), 1).simplified();
    EXPECT_EQ(text, QStringLiteral("Passwords expire after 90 days; see \u00A7 164.308. Reviewed by the security officer"));
    // The bold word, in blue; the second paragraph centred.
    EXPECT_TRUE(html.contains(QRegularExpression(QStringLiteral("<b>expire</b>")))) << html.toStdString();
    EXPECT_TRUE(html.contains(QRegularExpression(QStringLiteral("color=\"#0000ff\"[^<]*(<[^/][^>]*>)*<b>expire"),
                                                 QRegularExpression::CaseInsensitiveOption)))
        << html.toStdString();
    EXPECT_TRUE(html.contains(QRegularExpression(QStringLiteral("<p align=\"center\"[^>]*>(<[^>]*>)*Reviewed"))))
        << html.toStdString();
    EXPECT_EQ(html.count(QStringLiteral("<b>")), 1);
}

}  // namespace
