// The user documents' file names, and loading and saving one in the editor: a missing file is
// an empty document, a file that cannot be read is reported and kept, a failed save is
// reported and never passed off as a save.
#include "platform/RichTextBox.h"
#include "tests/support/TestSupport.h"
#include "workbook/Documents.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

using namespace platform;
using namespace workbook;

namespace {

struct NameCase {
    int kind;
    int number;
    const char* file;
};

const NameCase NameCases[] = {
    {KindAction, 0, "Action0.Fil"},     {KindAction, 46, "Action46.Fil"},
    {KindComment, 9, "Comment9.Fil"},   {KindComment, 10, "Comment10.Fil"},
    {KindPolicy, 46, "Policy46.Fil"},   {KindPolicy, 47, ""},
    {KindAction, -1, ""},               {KindReferenceView, 3, ""},
    {6, 3, ""},
};

class DocumentNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(DocumentNameTest, DigitsWithoutBlankOrLeadingZero) {
    EXPECT_EQ(specDocumentFile(GetParam().kind, GetParam().number), QString::fromUtf8(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(Files, DocumentNameTest, ::testing::ValuesIn(NameCases));

TEST(DocumentNames, WorksheetsPlanAndSamples) {
    EXPECT_EQ(worksheetDocumentFile(0), QStringLiteral("Wksht0.Fil"));
    EXPECT_EQ(worksheetDocumentFile(20), QStringLiteral("Wksht20.Fil"));
    EXPECT_TRUE(worksheetDocumentFile(21).isEmpty());
    EXPECT_TRUE(worksheetDocumentFile(-1).isEmpty());
    EXPECT_EQ(RecoveryPlanFile, QStringLiteral("DRPln1.Fil"));
    EXPECT_EQ(sampleDocumentFile(KindAction), QStringLiteral("SampleAct.Dat"));
    EXPECT_EQ(sampleDocumentFile(KindComment), QStringLiteral("SampleCom.Dat"));
    EXPECT_EQ(sampleDocumentFile(KindPolicy), QStringLiteral("SamplePol.Dat"));
    EXPECT_TRUE(sampleDocumentFile(KindReferenceView).isEmpty());
}

class Host : public Form {
public:
    Host() : Form(QStringLiteral("Host")), Editor(*this, *this, QStringLiteral("Rtext3")) {}
    RichTextBox Editor;
};

class DocumentFileTest : public testsupport::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        host = std::make_unique<Host>();
    }
    void TearDown() override {
        host.reset();
        ProgramTest::TearDown();
    }
    RichTextBox& editor() { return host->Editor; }
    std::unique_ptr<Host> host;
    QString unreadable;
};

TEST_F(DocumentFileTest, AMissingFileIsAnEmptyDocumentWithoutAMessage) {
    editor().setText(QStringLiteral("left over"));
    EXPECT_EQ(loadDocument(editor(), QStringLiteral("Action3.Fil"), unreadable), ReadStatus::Missing);
    EXPECT_TRUE(editor().text().isEmpty());
    EXPECT_TRUE(unreadable.isEmpty());
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(DocumentFileTest, SavedTextLoadsBackWithItsFormats) {
    editor().setText(QStringLiteral("Passwords are changed every 90 days.\r\nCentred line"));
    editor().setSelStart(0);
    editor().setSelLength(9);
    editor().setSelBold(true);
    editor().setSelColor(rgb(0, 0, 255));
    editor().setSelStart(40);
    editor().setSelAlignment(2);
    ASSERT_EQ(saveDocument(editor(), QStringLiteral("Action14.Fil"), unreadable), SaveOutcome::Saved);
    const QByteArray saved = folder->read(QStringLiteral("Action14.Fil"));
    ASSERT_TRUE(saved.startsWith("{\\rtf1"));

    Host other;
    EXPECT_EQ(loadDocument(other.Editor, QStringLiteral("action14.fil"), unreadable), ReadStatus::Ok);
    EXPECT_EQ(other.Editor.text(), editor().text());
    EXPECT_EQ(other.Editor.rtfBytes(), saved);
    EXPECT_TRUE(dialogs->shown().empty());
}

// The write goes nowhere: the old document stays, the user is told, and the caller learns it.
TEST_F(DocumentFileTest, AFailedSaveIsReportedAndLeavesTheOldFile) {
    ASSERT_TRUE(QDir(folder->path()).mkdir(QStringLiteral("Comment2.Fil")));
    editor().setText(QStringLiteral("Notes that must not be lost"));
    dialogs->answer(SaveCommandTitle, Answer::OK);
    EXPECT_EQ(saveDocument(editor(), QStringLiteral("Comment2.Fil"), unreadable), SaveOutcome::Failed);
    const auto boxes = dialogs->shownWithTitle(SaveCommandTitle);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("Unable to save Comment2.Fil.")));
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("has not been saved")));
    EXPECT_TRUE(QFileInfo(folder->file(QStringLiteral("Comment2.Fil"))).isDir());
    EXPECT_EQ(editor().text(), QStringLiteral("Notes that must not be lost"));
}

// Ways a document can exist and still not be readable.
enum class Blocker { Directory, Fifo, LinkOutOfFolder };

struct BlockedCase {
    const char* name;
    Blocker blocker;
};

class UnreadableDocumentTest : public DocumentFileTest,
                               public ::testing::WithParamInterface<BlockedCase> {
protected:
    void block(const QString& file) {
        const QString path = folder->file(file);
        switch (GetParam().blocker) {
        case Blocker::Directory: ASSERT_TRUE(QDir().mkdir(path)); break;
        case Blocker::Fifo: ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); break;
        case Blocker::LinkOutOfFolder: {
            ASSERT_TRUE(outside.isValid());
            QFile target(outside.filePath(QStringLiteral("plan.rtf")));
            ASSERT_TRUE(target.open(QIODevice::WriteOnly));
            target.write("{\\rtf1 Years of work}");
            target.close();
            ASSERT_TRUE(QFile::link(target.fileName(), path));
            break;
        }
        }
    }
    QTemporaryDir outside;
};

TEST_P(UnreadableDocumentTest, IsReportedAndLeftAloneUntilTheUserSavesOnPurpose) {
    block(QStringLiteral("Policy5.Fil"));
    editor().setText(QStringLiteral("from the previous entry"));
    dialogs->answer(OpenDocumentTitle, Answer::OK);
    EXPECT_EQ(loadDocument(editor(), QStringLiteral("Policy5.Fil"), unreadable), ReadStatus::Unreadable);
    const auto warned = dialogs->shownWithTitle(OpenDocumentTitle);
    ASSERT_EQ(warned.size(), 1u);
    EXPECT_TRUE(warned[0].text.startsWith(QStringLiteral("The file Policy5.Fil exists but could not be read.")));
    EXPECT_TRUE(editor().text().isEmpty());
    EXPECT_EQ(unreadable, QStringLiteral("Policy5.Fil"));

    // A save of that document first asks; No writes nothing.
    editor().setText(QStringLiteral("typed after the warning"));
    dialogs->answer(SaveCommandTitle, Answer::No);
    EXPECT_EQ(saveDocument(editor(), QStringLiteral("POLICY5.FIL"), unreadable), SaveOutcome::Declined);
    const auto asked = dialogs->shownWithTitle(SaveCommandTitle);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].text.endsWith(QStringLiteral("Replace it?")));
    EXPECT_EQ(asked[0].flags, Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2);
    if (GetParam().blocker == Blocker::LinkOutOfFolder) {
        QFile target(outside.filePath(QStringLiteral("plan.rtf")));
        ASSERT_TRUE(target.open(QIODevice::ReadOnly));
        EXPECT_EQ(target.readAll(), QByteArray("{\\rtf1 Years of work}"));
    }
    EXPECT_EQ(unreadable, QStringLiteral("Policy5.Fil"));

    // Another document is saved without a question.
    EXPECT_EQ(saveDocument(editor(), QStringLiteral("Policy6.Fil"), unreadable), SaveOutcome::Saved);
    EXPECT_EQ(dialogs->shownWithTitle(SaveCommandTitle).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Blockers, UnreadableDocumentTest,
                         ::testing::Values(BlockedCase{"Directory", Blocker::Directory},
                                           BlockedCase{"Fifo", Blocker::Fifo},
                                           BlockedCase{"LinkOutOfFolder", Blocker::LinkOutOfFolder}),
                         [](const auto& info) { return std::string(info.param.name); });

// Once the user confirms, the replacement is tried; a file the user may read again (here the
// permissions are restored) loads normally and no longer asks.
TEST_F(DocumentFileTest, AConfirmedReplacementIsWrittenAndTheQuestionEnds) {
    if (::geteuid() == 0) {
        // Root reads a file of mode 000; show the confirmed path with a file name remembered
        // from an earlier failed read instead.
        unreadable = QStringLiteral("Action8.Fil");
    } else {
        folder->write(QStringLiteral("Action8.Fil"), "{\\rtf1 old}");
        ASSERT_EQ(::chmod(QFile::encodeName(folder->file(QStringLiteral("Action8.Fil"))).constData(), 0), 0);
        dialogs->answer(OpenDocumentTitle, Answer::OK);
        ASSERT_EQ(loadDocument(editor(), QStringLiteral("Action8.Fil"), unreadable), ReadStatus::Unreadable);
        ::chmod(QFile::encodeName(folder->file(QStringLiteral("Action8.Fil"))).constData(), 0644);
    }
    editor().setText(QStringLiteral("new text"));
    dialogs->answer(SaveCommandTitle, Answer::Yes);
    EXPECT_EQ(saveDocument(editor(), QStringLiteral("Action8.Fil"), unreadable), SaveOutcome::Saved);
    EXPECT_TRUE(unreadable.isEmpty());
    Host other;
    EXPECT_EQ(loadDocument(other.Editor, QStringLiteral("Action8.Fil"), unreadable), ReadStatus::Ok);
    EXPECT_EQ(other.Editor.text(), QStringLiteral("new text"));
}

}  // namespace
