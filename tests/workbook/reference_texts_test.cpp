// The "References in Rule" and "Additional Information" views of the editor: every entry's
// page shown read-only, composed pages with their words marked and their quotations in the
// quotation font, shipped documents as they stand; a document that cannot be read leaves the
// editor empty and locked and says so once.
#include "BlockedFile.h"
#include "HubFixture.h"
#include "catalogue/AdditionalInfo.h"
#include "catalogue/Catalogue.h"
#include "catalogue/RuleReferences.h"
#include "platform/RtfReader.h"

#include <QFile>
#include <QTextDocument>

using namespace platform;

namespace {

QString u8(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// The plain text of a shipped document as the editor shows it.
QString shippedText(const QString& name) {
    QFile f(QStringLiteral(QUORVANE_CONTENT_DIR "/") + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    QTextDocument doc;
    readRtfDocument(f.readAll(), doc);
    return doc.toPlainText();
}

// Whether the selection of characters [at, at + length) is bold and underlined.
bool marked(RichTextBox& box, int at, int length) {
    box.setSelStart(at);
    box.setSelLength(length);
    return box.selBold() == true && box.selUnderline() == true;
}

class ReferenceTexts : public hubtest::HubTest {
protected:
    void SetUp() override {
        HubTest::SetUp();
        folder->copyContent();
    }
};

struct ViewCase {
    const char* name;
    SSOption WorkArea1::*option;
};

class EveryEntryView : public ReferenceTexts,
                       public ::testing::WithParamInterface<std::tuple<ViewCase, int>> {};

TEST_P(EveryEntryView, ShowsItsPageReadOnlyWithNothingToSave) {
    const auto [view, k] = GetParam();
    WorkArea1& w = openSpec(k);
    (w.*view.option).click();
    EXPECT_TRUE(w.Rtext3.locked());
    EXPECT_EQ(w.TextKind, 0);
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_TRUE(w.SSCommand5.enabled());
    EXPECT_FALSE(w.SSCommand6.enabled());
    EXPECT_TRUE(dialogs->shown().empty());

    const bool references = view.option == &WorkArea1::SSOption2;
    const std::string_view file = references ? catalogue::ruleReferences(k).fileName
                                             : catalogue::additionalInfo(k).fileName;
    if (!file.empty()) {
        // A shipped document as it stands; the view's buffer is left as it was.
        EXPECT_EQ(w.CurFileName, u8(file));
        EXPECT_EQ(w.Rtext3.text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")), shippedText(u8(file)));
        EXPECT_TRUE(w.RText1[references ? 1 : 2].text().isEmpty());
        return;
    }
    const catalogue::ComposedPage page = references ? catalogue::composeRuleReferences(k)
                                                    : catalogue::composeAdditionalInfo(k);
    EXPECT_EQ(w.Rtext3.text(), u8(page.text));
    // The words marked where they stand, whole words, letter case aside.
    const QString word = references ? u8(catalogue::ruleReferences(k).highlight)
                                    : u8(catalogue::additionalInfo(k).keyword);
    if (!word.isEmpty()) {
        const int at = w.Rtext3.find(word, 0, -1, RichTextBox::WholeWord | RichTextBox::NoHighlight);
        ASSERT_GE(at, 0) << word.toStdString();
        EXPECT_TRUE(marked(w.Rtext3, at, int(word.size()))) << word.toStdString();
    }
    // The rule's and the preamble's quoted words in the editor's face, as the program's notes
    // are: the view looks like the editor.
    for (const catalogue::TextSpan& s : page.quoted) {
        w.Rtext3.setSelStart(s.start);
        w.Rtext3.setSelLength(s.length);
        EXPECT_EQ(w.Rtext3.selFontName(), w.Rtext3.font().name) << s.start;
    }
    w.Rtext3.setSelStart(0);
    w.Rtext3.setSelLength(int(w.Rtext3.text().size()));
    EXPECT_EQ(w.Rtext3.selFontName(), w.Rtext3.font().name);
}

std::vector<int> allEntries() {
    std::vector<int> ks;
    for (int k = 1; k <= 47; ++k) ks.push_back(k);
    return ks;
}

INSTANTIATE_TEST_SUITE_P(
    AllEntries, EveryEntryView,
    ::testing::Combine(::testing::Values(ViewCase{"References", &WorkArea1::SSOption2},
                                         ViewCase{"Additional", &WorkArea1::SSOption7}),
                       ::testing::ValuesIn(allEntries())),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_k" + std::to_string(std::get<1>(info.param));
    });

TEST_F(ReferenceTexts, RiskAnalysisShowsBothTextsWithItsNameMarked) {
    WorkArea1& w = openSpec(1);
    for (SSOption* view : {&w.SSOption2, &w.SSOption7}) {
        view->click();
        const int at = w.Rtext3.find(QStringLiteral("Risk Analysis"), 0, -1,
                                     RichTextBox::WholeWord | RichTextBox::NoHighlight);
        ASSERT_GE(at, 0);
        EXPECT_TRUE(marked(w.Rtext3, at, 13)) << view->name().toStdString();
    }
}

TEST_F(ReferenceTexts, BothPoliciesEntriesShowTheSameDocuments) {
    WorkArea1& w = openSpec(46);
    w.SSOption2.click();
    const QString references = w.Rtext3.text();
    w.SSOption7.click();
    const QString additional = w.Rtext3.text();
    EXPECT_EQ(w.CurFileName, QStringLiteral("Addtl45.dat"));
    w.SSCommand13[1].click();
    EXPECT_TRUE(w.SSOption7.value());
    EXPECT_EQ(w.Rtext3.text(), additional);
    w.SSOption2.click();
    EXPECT_EQ(w.Rtext3.text(), references);
    EXPECT_EQ(w.CurFileName, QStringLiteral("PPReq1.Dat"));
}

TEST_F(ReferenceTexts, TheSamplePageShowsPasswordManagement) {
    WorkArea1& w = openHub();
    answerPageBoxes(catalogue::PageSample);
    page(w, catalogue::PageSample);
    w.SSOption2.click();
    EXPECT_EQ(w.Rtext3.text(), u8(catalogue::composeRuleReferences(15).text));
    w.SSOption7.click();
    EXPECT_EQ(w.Rtext3.text(), u8(catalogue::composeAdditionalInfo(15).text));
}

TEST_F(ReferenceTexts, AnAddressableEntryOpensWithTheExplanationInWorkText) {
    WorkArea1& w = openSpec(6);
    w.SSOption7.click();
    EXPECT_EQ(w.WorkText, u8(catalogue::addressableExplanationText()));
    EXPECT_TRUE(w.Rtext3.text().startsWith(QStringLiteral("Additional Information:\r\n\r\nThis Implementation Specification is Addressable.")));
    // The next entry in the same view shows its own page.
    w.SSCommand14[0].click();
    EXPECT_TRUE(w.SSOption7.value());
    EXPECT_EQ(w.Rtext3.text(), u8(catalogue::composeAdditionalInfo(1).text));
}

// ---- a shipped document that is missing or cannot be read -------------------------------------

struct MissingCase {
    int k;
    SSOption WorkArea1::*option;
    const char* file;
    const char* title;
};

class MissingDocument : public ReferenceTexts, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(MissingDocument, LeavesTheEditorEmptyAndLockedAndSaysSoOnce) {
    const MissingCase c = GetParam();
    ASSERT_TRUE(QFile::remove(folder->file(QString::fromLatin1(c.file))));
    WorkArea1& w = openSpec(c.k);
    dialogs->answer(QString::fromLatin1(c.title), Answer::OK);
    (w.*c.option).click();
    const auto boxes = dialogs->shown();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("The document %1 could not be read.").arg(QString::fromLatin1(c.file)));
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
    EXPECT_TRUE(w.Rtext3.locked());
    EXPECT_EQ(w.UnsavedChanges, 0);
    // The program goes on: another view of the same entry shows.
    w.SSOption6.click();
    EXPECT_FALSE(w.Rtext3.text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Documents, MissingDocument,
    ::testing::Values(MissingCase{1, &WorkArea1::SSOption2, "RefRA1.Dat", "References in Rule"},
                      MissingCase{44, &WorkArea1::SSOption2, "OrgRef2.Dat", "References in Rule"},
                      MissingCase{47, &WorkArea1::SSOption2, "PPReq1.Dat", "References in Rule"},
                      MissingCase{47, &WorkArea1::SSOption7, "Addtl45.dat", "Additional Information"}),
    [](const auto& info) {
        std::string s = info.param.file;
        for (char& ch : s)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return s;
    });

class BlockedReference : public ReferenceTexts, public ::testing::WithParamInterface<hubtest::BlockedCase> {};

TEST_P(BlockedReference, AReferenceThatCannotBeReadIsReportedAndNotShown) {
    ASSERT_TRUE(QFile::remove(folder->file(QStringLiteral("RefEV1.Dat"))));
    QTemporaryDir outside;
    hubtest::blockFile(folder->file(QStringLiteral("RefEV1.Dat")), GetParam().blocker, outside);
    WorkArea1& w = openSpec(22);
    dialogs->answer(QStringLiteral("References in Rule"), Answer::OK);
    w.SSOption2.click();
    EXPECT_EQ(dialogs->shown().size(), 1u);
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
    EXPECT_TRUE(w.Rtext3.locked());
}

INSTANTIATE_TEST_SUITE_P(Kinds, BlockedReference, hubtest::BlockedCases, hubtest::blockedCaseName);

}  // namespace
