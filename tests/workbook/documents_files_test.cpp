// The user documents' file names, and their store: a missing file is an empty document, a file
// that cannot be read is remembered and left alone, a failed save is reported with its reason
// and never passed off as a save. The store shows no message: every test here checks that no
// box appeared (the Action Area's messages are in documents_hub_test).
#include "platform/RichTextBox.h"
#include "tests/support/TestSupport.h"
#include "tests/workbook/BlockedFile.h"
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

class DocumentStoreTest : public testsupport::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        host = std::make_unique<Host>();
    }
    void TearDown() override {
        EXPECT_TRUE(dialogs->shown().empty()) << "the store showed a message";
        host.reset();
        ProgramTest::TearDown();
    }
    RichTextBox& editor() { return host->Editor; }
    std::unique_ptr<Host> host;
    DocumentStore store;
};

TEST_F(DocumentStoreTest, AMissingFileIsAnEmptyDocument) {
    editor().setText(QStringLiteral("left over"));
    EXPECT_EQ(store.load(editor(), QStringLiteral("Action3.Fil")).status, ReadStatus::Missing);
    EXPECT_TRUE(editor().text().isEmpty());
    EXPECT_TRUE(store.unreadable().isEmpty());
}

TEST_F(DocumentStoreTest, SavedTextLoadsBackWithItsFormats) {
    editor().setText(QStringLiteral("Passwords are changed every 90 days.\r\nCentred line"));
    editor().setSelStart(0);
    editor().setSelLength(9);
    editor().setSelBold(true);
    editor().setSelColor(rgb(0, 0, 255));
    editor().setSelStart(40);
    editor().setSelAlignment(2);
    const DocumentStore::SaveResult saved = store.save(editor(), QStringLiteral("Action14.Fil"));
    ASSERT_TRUE(saved.saved());
    EXPECT_TRUE(saved.reason.isEmpty());
    const QByteArray bytes = folder->read(QStringLiteral("Action14.Fil"));
    ASSERT_TRUE(bytes.startsWith("{\\rtf1"));

    Host other;
    EXPECT_EQ(store.load(other.Editor, QStringLiteral("action14.fil")).status, ReadStatus::Ok);
    EXPECT_EQ(other.Editor.text(), editor().text());
    EXPECT_EQ(other.Editor.rtfBytes(), bytes);
}

// The write goes nowhere: the old document stays, and the caller learns it with the reason.
TEST_F(DocumentStoreTest, AFailedSaveGivesItsReasonAndLeavesTheOldFile) {
    ASSERT_TRUE(QDir(folder->path()).mkdir(QStringLiteral("Comment2.Fil")));
    editor().setText(QStringLiteral("Notes that must not be lost"));
    const DocumentStore::SaveResult saved = store.save(editor(), QStringLiteral("Comment2.Fil"));
    EXPECT_EQ(saved.outcome, DocumentStore::Outcome::Failed);
    EXPECT_FALSE(saved.reason.isEmpty());
    EXPECT_TRUE(QFileInfo(folder->file(QStringLiteral("Comment2.Fil"))).isDir());
    EXPECT_EQ(editor().text(), QStringLiteral("Notes that must not be lost"));
}

// What a document file may hold, and what the store makes of it.
struct ContentCase {
    const char* name;
    QByteArray bytes;
    ReadStatus status;
    DocumentStore::Refusal refused;
};

QByteArray binaryBytes() {
    QByteArray out;
    unsigned x = 12345;
    for (int i = 0; i < 4000; ++i) out.append(char((x = x * 1103515245u + 12345u) >> 16));
    return out;
}

QByteArray oversizedDocument() {
    QByteArray out = "{\\rtf1\\ansi ";
    out.append(QByteArray(int(DocumentStore::MaxDocumentBytes), 'a'));
    return out + "}";
}

class DocumentContentTest : public DocumentStoreTest, public ::testing::WithParamInterface<ContentCase> {};

TEST_P(DocumentContentTest, OnlyARichTextDocumentOfAPlausibleSizeIsOpened) {
    const ContentCase& c = GetParam();
    folder->write(QStringLiteral("Action4.Fil"), c.bytes);
    editor().setText(QStringLiteral("from the previous entry"));
    const DocumentStore::LoadResult loaded = store.load(editor(), QStringLiteral("Action4.Fil"));
    EXPECT_EQ(loaded.status, c.status);
    EXPECT_EQ(loaded.refused, c.refused);
    if (c.refused != DocumentStore::Refusal::None) {
        EXPECT_TRUE(editor().text().isEmpty());
        // Remembered like an unreadable file, so that a save over it asks first.
        EXPECT_TRUE(store.wasUnreadable(QStringLiteral("Action4.Fil")));
    } else {
        EXPECT_FALSE(store.wasUnreadable(QStringLiteral("Action4.Fil")));
    }
    EXPECT_EQ(folder->read(QStringLiteral("Action4.Fil")), c.bytes);
    // Looking into it without an editor (as the worksheet marks do) obeys the same limits.
    const DocumentContent probed = probeDocument(QStringLiteral("Action4.Fil"));
    EXPECT_EQ(probed.status, c.status);
    EXPECT_EQ(probed.holdsText, c.status == ReadStatus::Ok && !c.bytes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, DocumentContentTest,
    ::testing::Values(
        ContentCase{"RichText", "{\\rtf1\\ansi Passwords expire.}", ReadStatus::Ok, DocumentStore::Refusal::None},
        ContentCase{"Empty", "", ReadStatus::Ok, DocumentStore::Refusal::None},
        ContentCase{"PlainText", "Passwords expire after 90 days.", ReadStatus::Unreadable,
                    DocumentStore::Refusal::NotRichText},
        ContentCase{"RichTextAfterABlank", " {\\rtf1 x}", ReadStatus::Unreadable, DocumentStore::Refusal::NotRichText},
        ContentCase{"RandomBytes", binaryBytes(), ReadStatus::Unreadable, DocumentStore::Refusal::NotRichText},
        ContentCase{"LargerThanAnyDocument", oversizedDocument(), ReadStatus::Unreadable,
                    DocumentStore::Refusal::TooLarge}),
    [](const ::testing::TestParamInfo<ContentCase>& info) { return std::string(info.param.name); });

// A shipped template is checked the same way, and nothing is remembered of it.
TEST_F(DocumentStoreTest, ATemplateThatIsNotRichTextIsRefusedAndNotRemembered) {
    folder->write(QStringLiteral("Misc60.Hlp"), binaryBytes());
    const DocumentStore::LoadResult loaded = store.loadShipped(editor(), QStringLiteral("Misc60.hlp"));
    EXPECT_EQ(loaded.refused, DocumentStore::Refusal::NotRichText);
    EXPECT_TRUE(editor().text().isEmpty());
    EXPECT_TRUE(store.unreadable().isEmpty());
}

using hubtest::Blocker;

class UnreadableDocumentTest : public DocumentStoreTest, public ::testing::WithParamInterface<hubtest::BlockedCase> {
protected:
    void block(const QString& file) { hubtest::blockFile(folder->file(file), GetParam().blocker, outside); }
    QTemporaryDir outside;
};

TEST_P(UnreadableDocumentTest, IsRememberedAndLeftAloneUntilReadOrSavedAgain) {
    block(QStringLiteral("Policy5.Fil"));
    editor().setText(QStringLiteral("from the previous entry"));
    EXPECT_EQ(store.load(editor(), QStringLiteral("Policy5.Fil")).status, ReadStatus::Unreadable);
    EXPECT_TRUE(editor().text().isEmpty());
    EXPECT_EQ(store.unreadable(), QStringLiteral("Policy5.Fil"));
    EXPECT_TRUE(store.wasUnreadable(QStringLiteral("POLICY5.FIL")));
    EXPECT_FALSE(store.wasUnreadable(QStringLiteral("Policy6.Fil")));
    if (GetParam().blocker == Blocker::LinkOutOfFolder) {
        EXPECT_EQ(hubtest::linkTargetNow(outside), hubtest::LinkTargetText);
    }

    // Another document is saved and loaded without ending the mark.
    editor().setText(QStringLiteral("typed after the warning"));
    EXPECT_TRUE(store.save(editor(), QStringLiteral("Policy6.Fil")).saved());
    EXPECT_EQ(store.load(editor(), QStringLiteral("Policy6.Fil")).status, ReadStatus::Ok);
    EXPECT_EQ(store.unreadable(), QStringLiteral("Policy5.Fil"));
    // A missing document of that name (the blocker removed) ends it.
    if (GetParam().blocker == Blocker::Directory) ASSERT_TRUE(QDir().rmdir(folder->file(QStringLiteral("Policy5.Fil"))));
    else ASSERT_TRUE(QFile::remove(folder->file(QStringLiteral("Policy5.Fil"))));
    EXPECT_EQ(store.load(editor(), QStringLiteral("Policy5.Fil")).status, ReadStatus::Missing);
    EXPECT_TRUE(store.unreadable().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Blockers, UnreadableDocumentTest, hubtest::BlockedCases, hubtest::blockedCaseName);

// A file the user may read again (here the permissions are restored) loads normally; a save to
// the remembered name ends the mark too.
TEST_F(DocumentStoreTest, ASaveOrAReadOfTheUnreadableDocumentEndsTheMark) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads a file of mode 000";
    folder->write(QStringLiteral("Action8.Fil"), "{\\rtf1 old}");
    const QByteArray path = QFile::encodeName(folder->file(QStringLiteral("Action8.Fil")));
    ASSERT_EQ(::chmod(path.constData(), 0), 0);
    ASSERT_EQ(store.load(editor(), QStringLiteral("Action8.Fil")).status, ReadStatus::Unreadable);
    ::chmod(path.constData(), 0644);
    EXPECT_EQ(store.load(editor(), QStringLiteral("Action8.Fil")).status, ReadStatus::Ok);
    EXPECT_TRUE(store.unreadable().isEmpty());

    ASSERT_EQ(::chmod(path.constData(), 0), 0);
    ASSERT_EQ(store.load(editor(), QStringLiteral("Action8.Fil")).status, ReadStatus::Unreadable);
    ::chmod(path.constData(), 0644);
    editor().setText(QStringLiteral("new text"));
    EXPECT_TRUE(store.save(editor(), QStringLiteral("Action8.Fil")).saved());
    EXPECT_TRUE(store.unreadable().isEmpty());
    Host other;
    EXPECT_EQ(store.load(other.Editor, QStringLiteral("Action8.Fil")).status, ReadStatus::Ok);
    EXPECT_EQ(other.Editor.text(), QStringLiteral("new text"));
}

}  // namespace
