// The help file format and the help viewer: what a reader of the help sees for a context id.
#include "platform/HelpFile.h"
#include "platform/HelpViewer.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QApplication>
#include <QListWidget>

using platform::HelpFile;
using platform::HelpParagraph;

namespace {

const QByteArray kSmall =
    "QUORVANE HELP 1\n"
    "text before the first topic is not shown\n"
    "== 0 Contents\n"
    "Pick a topic.\n"
    "\n"
    "- Printing\n"
    "== 1014 Printing\n"
    "First line of a paragraph\n"
    "   and its second line.\n"
    "\n"
    "\n"
    "\n"
    "Second paragraph.\n"
    "- an item\n"
    "- another item\n"
    "After the list.\n";

std::vector<HelpParagraph> paragraphsOf(const HelpFile& f, int id) {
    const platform::HelpTopic* t = f.topic(id);
    return t ? t->paragraphs : std::vector<HelpParagraph>{};
}

}  // namespace

TEST(HelpFileParse, ParagraphsAreJoinedAndSeparatedByAnyNumberOfBlankLines) {
    auto f = HelpFile::parse(kSmall);
    ASSERT_TRUE(f);
    ASSERT_EQ(f->topics().size(), 2u);
    EXPECT_EQ(f->topics()[1].title, "Printing");
    const std::vector<HelpParagraph> want = {
        {"First line of a paragraph and its second line.", false},
        {"Second paragraph.", false},
        {"an item", true},
        {"another item", true},
        {"After the list.", false},
    };
    EXPECT_EQ(paragraphsOf(*f, 1014), want);
    EXPECT_EQ(paragraphsOf(*f, 0), (std::vector<HelpParagraph>{{"Pick a topic.", false}, {"Printing", true}}));
}

TEST(HelpFileParse, WindowsLineEndsAndByteOrderMarkReadTheSame) {
    QByteArray crlf = kSmall;
    crlf.replace("\n", "\r\n");
    auto a = HelpFile::parse(kSmall);
    auto b = HelpFile::parse("\xEF\xBB\xBF" + crlf);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(paragraphsOf(*a, 1014), paragraphsOf(*b, 1014));
    EXPECT_EQ(b->topic(1014)->title, "Printing");
}

TEST(HelpFileParse, UnknownIdGivesTheContentsAndWithoutIdZeroTheFirstTopic) {
    auto f = HelpFile::parse(kSmall);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->topicOrContents(4242).id, 0);
    EXPECT_EQ(f->topicOrContents(1014).id, 1014);

    auto g = HelpFile::parse("X HELP 1\n== 7 Seven\nbody\n== 8 Eight\n");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->contents().id, 7);
    EXPECT_EQ(g->topicOrContents(0).id, 7);
}

TEST(HelpFileParse, MalformedAndRepeatedTopicLines) {
    auto f = HelpFile::parse(
        "X HELP 1\n"
        "== 5 First five\nkept\n"
        "== abc Broken\nskipped body\n"
        "== -3 Negative\nskipped too\n"
        "== 5 Second five\nignored\n"
        "== 6\nno title\n");
    ASSERT_TRUE(f);
    ASSERT_EQ(f->topics().size(), 2u);
    EXPECT_EQ(f->topic(5)->title, "First five");
    EXPECT_EQ(paragraphsOf(*f, 5), (std::vector<HelpParagraph>{{"kept", false}}));
    EXPECT_EQ(f->topic(6)->title, "Topic 6");
}

struct NotAHelpFile {
    const char* name;
    QByteArray bytes;
};

class HelpFileRejects : public ::testing::TestWithParam<NotAHelpFile> {};

TEST_P(HelpFileRejects, IsNotAHelpFile) { EXPECT_FALSE(HelpFile::parse(GetParam().bytes)); }

INSTANTIATE_TEST_SUITE_P(
    Cases, HelpFileRejects,
    ::testing::Values(NotAHelpFile{"Empty", QByteArray()},
                      NotAHelpFile{"NoFormatLine", "== 0 Contents\nbody\n"},
                      NotAHelpFile{"OtherVersion", "X HELP 2\n== 0 Contents\n"},
                      NotAHelpFile{"NoTopics", "X HELP 1\njust text\n\nmore\n"},
                      NotAHelpFile{"RtfFile", "{\\rtf1\\ansi hello}"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HelpFileLoad, MissingFileAndLetterCase) {
    testsupport::TempProgramFolder folder;
    EXPECT_FALSE(HelpFile::load("QUORVANE.hlp"));
    folder.write("quorvane.HLP", kSmall);
    auto f = HelpFile::load("QUORVANE.hlp");
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->topic(1014));
}

TEST(ViewerHelp, MissingOrBrokenFileOpensNothing) {
    testsupport::TempProgramFolder folder;
    platform::ViewerHelp help;
    EXPECT_FALSE(help.showHelp("QUORVANE.hlp", 1014));
    folder.write("QUORVANE.hlp", "not a help file\n");
    EXPECT_FALSE(help.showHelp("QUORVANE.hlp", 1014));
    EXPECT_EQ(help.viewer(), nullptr);
}

TEST(ViewerHelp, OpensAtTheTopicAndReusesItsWindow) {
    testsupport::TempProgramFolder folder;
    folder.write("QUORVANE.hlp", kSmall);
    platform::ViewerHelp help;

    ASSERT_TRUE(help.showHelp("QUORVANE.hlp", 1014));
    platform::HelpViewer* viewer = help.viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->isWindow());
    EXPECT_FALSE(viewer->isModal());
    EXPECT_EQ(viewer->currentTopicId(), 1014);
    EXPECT_EQ(viewer->windowTitle(), "Contents - Printing");
    EXPECT_TRUE(viewer->currentText().contains("First line of a paragraph and its second line."));
    EXPECT_EQ(viewer->topicTitles(), (QStringList{"Contents", "Printing"}));

    // An unknown id shows the contents, in the same window.
    ASSERT_TRUE(help.showHelp("QUORVANE.hlp", 99));
    EXPECT_EQ(help.viewer(), viewer);
    EXPECT_EQ(viewer->currentTopicId(), 0);
    EXPECT_EQ(viewer->windowTitle(), "Contents");
}

TEST(ViewerHelp, ChoosingATopicInTheListShowsIt) {
    testsupport::TempProgramFolder folder;
    folder.write("QUORVANE.hlp", kSmall);
    platform::ViewerHelp help;
    ASSERT_TRUE(help.showHelp("QUORVANE.hlp", 0));
    auto* list = help.viewer()->findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    list->setCurrentRow(1);
    EXPECT_EQ(help.viewer()->currentTopicId(), 1014);
}

TEST(ViewerHelp, ClosedWindowIsOpenedAgain) {
    testsupport::TempProgramFolder folder;
    folder.write("QUORVANE.hlp", kSmall);
    platform::ViewerHelp help;
    ASSERT_TRUE(help.showHelp("QUORVANE.hlp", 1014));
    help.viewer()->close();  // deletes itself
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(help.viewer(), nullptr);
    ASSERT_TRUE(help.showHelp("QUORVANE.hlp", 1014));
    EXPECT_TRUE(help.viewer()->isVisible());
}
