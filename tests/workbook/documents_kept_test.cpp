// A document edited in a word processor and opened again in the Action Area: what the editor
// cannot show or keep is said when it opens, and the file stays as it is, byte for byte, until
// the user agrees to a save that replaces it.
#include "HubFixture.h"
#include "catalogue/Catalogue.h"

using namespace platform;

namespace {

const QString SaveTitle = QStringLiteral("Save Command");
const QString OpenTitle = QStringLiteral("Open Document");

struct NotKeptCase {
    const char* name;
    QByteArray rtf;
    QString opened;     // the message when it opens
    bool locked;        // whether the editor stays read-only
    QString question;   // how the question of the first Save begins
};

// The two messages about content the editor leaves out, naming it.
QString openedHolding(const char* names) {
    return QStringLiteral("The file Action2.Fil holds ") + QLatin1String(names) +
           QStringLiteral(", which this program cannot show or keep.\rThe editor shows the rest of the document; the "
                          "file stays as it is until you save it here.");
}
QString savingLoses(const char* names) {
    return QStringLiteral("Saving replaces the file Action2.Fil with the text in the editor, and the ") +
           QLatin1String(names) + QStringLiteral(" it holds will be lost.\r\rReplace it?");
}
NotKeptCase holding(const char* name, QByteArray content, const char* names) {
    return NotKeptCase{name, "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 Kept text " + content + " after.\\par}",
                       openedHolding(names), false, savingLoses(names)};
}

class DocumentNotKept : public hubtest::HubTest, public ::testing::WithParamInterface<NotKeptCase> {};

TEST_P(DocumentNotKept, IsAnnouncedAndLeftAsItIsUntilTheUserAgrees) {
    const NotKeptCase& c = GetParam();
    folder->write(QStringLiteral("Action2.Fil"), c.rtf);
    WorkArea1& w = openHub();
    page(w, catalogue::PageAdministrative);
    w.SSCommand14[2].click();
    dialogs->answer(OpenTitle, Answer::OK);
    w.SSOption3.click();
    const auto opened = dialogs->shownWithTitle(OpenTitle);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].text.toStdString(), c.opened.toStdString());
    EXPECT_EQ(opened[0].flags, Msg::OKOnly | Msg::Exclamation);
    EXPECT_TRUE(w.Rtext3.text().startsWith(QLatin1String("Kept"))) << w.Rtext3.text().toStdString();
    EXPECT_EQ(w.Rtext3.locked(), c.locked);
    if (!c.locked) w.Rtext3.type(QStringLiteral("more "));

    dialogs->answer(SaveTitle, Answer::No);
    w.SSCommand6.click();
    const auto asked = dialogs->shownWithTitle(SaveTitle);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].text.startsWith(c.question)) << asked[0].text.toStdString();
    EXPECT_EQ(asked[0].flags, Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2);
    EXPECT_EQ(folder->read(QStringLiteral("Action2.Fil")), c.rtf);
    EXPECT_EQ(w.UnsavedChanges, 1);

    // Agreed: the editor's text replaces the file, and the next save asks no more.
    dialogs->answer(SaveTitle, Answer::Yes);
    w.SSCommand6.click();
    EXPECT_NE(folder->read(QStringLiteral("Action2.Fil")), c.rtf);
    EXPECT_EQ(w.UnsavedChanges, 0);
    w.SSCommand6.click();
    EXPECT_EQ(dialogs->shownWithTitle(SaveTitle).size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentNotKept,
    ::testing::Values(
        holding("WmfPicture", "{\\pict\\wmetafile8\\picw10\\pich10 0100090000}",
                "pictures in formats other than PNG and JPEG"),
        holding("EmfPicture", "{\\*\\shppict{\\pict\\emfblip 01000000}}", "pictures in formats other than PNG and JPEG"),
        holding("DeviceIndependentBitmap", "{\\pict\\dibitmap0\\picw1\\pich1 28000000}",
                "pictures in formats other than PNG and JPEG"),
        holding("EmbeddedObject",
                "{\\object\\objemb{\\*\\objclass Excel.Sheet.8}{\\*\\objdata 0105}{\\result{\\pict\\wmetafile8 0100}}}",
                "embedded objects"),
        holding("Shape", "{\\shp{\\*\\shpinst\\shpleft0\\shptop0{\\sp{\\sn shapeType}{\\sv 1}}}}", "shapes or text boxes"),
        holding("TextBox", "{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 202}}{\\shptxt Inside the box\\par}}}",
                "shapes or text boxes"),
        holding("DrawingObjectTextBox", "{\\*\\do\\dobxcolumn\\dptxbx{\\dptxbxtext Box}}", "shapes or text boxes"),
        holding("Footnote", "{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} The note.}", "footnotes or endnotes"),
        holding("Endnote", "{\\super\\chftn}{\\footnote\\ftnalt\\pard\\plain The end note.}", "footnotes or endnotes"),
        holding("Header", "{\\header\\pard Page head\\par}", "headers or footers"),
        holding("Footer", "{\\footerr\\pard Page foot\\par}", "headers or footers"),
        holding("Comment", "{\\*\\atnid JS}{\\*\\atnauthor Jo}\\chatn{\\*\\annotation{\\*\\atndate 0} Check this.}",
                "comments"),
        holding("SeveralKinds", "{\\header\\pard Head\\par}{\\footnote Note}{\\object{\\*\\objdata 01}}",
                "embedded objects, footnotes or endnotes and headers or footers"),
        NotKeptCase{
        "CodePageThatCannotBeDecoded", "{\\rtf1\\ansi\\ansicpg1361 Kept \\'88\\'61\\par}",
        QStringLiteral("The file Action2.Fil is written in code page 1361, which this program cannot read, so some "
                       "of its characters are not shown as written.\rIt has been opened read-only and left as it is."),
        true, QStringLiteral("The file Action2.Fil could not be read when it was opened.")}),
    [](const ::testing::TestParamInfo<NotKeptCase>& i) { return std::string(i.param.name); });

}  // namespace
