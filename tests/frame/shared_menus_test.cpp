// The menus every window repeats, window by window: the menu bar's titles, the Utilities and
// Help entries with their names and captions in order, and what each shared entry does.
#include "catalogue/Catalogue.h"
#include "frame/HINFO1.h"
#include "frame/SharedBehaviours.h"
#include "frame/Startfrm.h"
#include "library/InfoAdv.h"
#include "library/Miscform1.h"
#include "library/PrivRule.h"
#include "platform/Controls.h"
#include "platform/RichTextBox.h"
#include "tests/support/TestSupport.h"
#include "workbook/WorkArea1.h"

#include <tuple>
#include <vector>

using namespace platform;

namespace {

enum class Window { Start, ActionArea, SecurityRule, InformationAdvisor, Miscellaneous };

struct Entry {
    const char* name;
    const char* caption;
};

struct WindowMenus {
    const char* label;
    Window window;
    std::vector<Entry> titles;
    std::vector<Entry> help;
    int screenTopic;  // 0: the window has no topic entry of its own
    std::vector<Entry> utilities;
};

const std::vector<Entry> Utilities{{"mUBack", "&Backup User Created Files"},
                                   {"mURestore", "&Restore User Created Files"}};

std::vector<Entry> helpEntries(const char* webName, std::vector<Entry> screenTopic) {
    std::vector<Entry> entries{{"mHCont", "&Help Contents"}, {"mHI", "&Program Overview"}};
    entries.insert(entries.end(), screenTopic.begin(), screenTopic.end());
    entries.insert(entries.end(), {{"mHSep1", "-"}, {"mHA", "&About Quorvane"}, {"mHSep2", "-"},
                                   {webName, "&Visit www.quorvane.example"}});
    return entries;
}

const std::vector<Entry> AreaTitles{{"mO", "&Options"}, {"mU", "Utilities"}, {"mH", "&Help"}};
// The Miscellaneous window spells its Utilities title and its restore entry its own way.
const std::vector<Entry> MiscTitles{{"mO", "&Options"}, {"mU", "&Utilities"}, {"mH", "&Help"}};
const std::vector<Entry> MiscUtilities{{"mUBack", "&Backup User Created Files"},
                                       {"mUResore", "&Restore User Created Files"}};

const WindowMenus Windows[] = {
    {"StartWindow", Window::Start, AreaTitles, helpEntries("mOWeb", {}), 0, Utilities},
    {"ActionArea", Window::ActionArea, AreaTitles, helpEntries("mHWeb", {{"mHSceen", "&Action Area"}}), 3010,
     Utilities},
    {"SecurityRule", Window::SecurityRule, AreaTitles, helpEntries("mHWeb", {{"mHSec", "&Security Rule"}}), 3012,
     Utilities},
    {"InformationAdvisor", Window::InformationAdvisor, AreaTitles,
     helpEntries("mHWeb", {{"mHScreen", "&Information Advisor"}}), 3066, Utilities},
    {"Miscellaneous", Window::Miscellaneous, MiscTitles, helpEntries("mHWeb", {{"mHScreen", "&Miscellaneous"}}),
     3014, MiscUtilities},
};

std::vector<std::pair<QString, QString>> expected(const std::vector<Entry>& entries) {
    std::vector<std::pair<QString, QString>> out;
    for (const Entry& e : entries) out.emplace_back(QString::fromLatin1(e.name), QString::fromLatin1(e.caption));
    return out;
}

std::vector<std::pair<QString, QString>> shown(const std::vector<Menu*>& menus) {
    std::vector<std::pair<QString, QString>> out;
    for (const Menu* m : menus) out.emplace_back(m->name(), m->caption());
    return out;
}

Menu* title(Form& form, const QString& name) {
    for (Menu* m : form.menus())
        if (m->name() == name) return m;
    return nullptr;
}

class SharedMenusTest : public testsupport::ProgramTest, public ::testing::WithParamInterface<WindowMenus> {
protected:
    Form& open(Window w) {
        Startfrm& start = defaultInstance<Startfrm>();
        start.show();
        if (w == Window::Start) return start;
        start.Command2.click();
        WorkArea1& hub = defaultInstance<WorkArea1>();
        if (w == Window::ActionArea) return hub;
        folder->copyContent();
        if (w == Window::InformationAdvisor) {
            hub.SSCommand4[1].click();
            return *existingInstance<InfoAdv>();
        }
        if (w == Window::Miscellaneous) {
            hub.SSCommand4[3].click();
            return *existingInstance<Miscform1>();
        }
        hub.SSCommand4[2].click();
        return *existingInstance<PrivRule>();
    }
    // Chooses an entry of a title, as the user finds it in the menu bar.
    void choose(Form& form, const char* titleName, const char* name) {
        Menu* t = title(form, QString::fromLatin1(titleName));
        Menu* e = t ? t->find(QString::fromLatin1(name)) : nullptr;
        if (!e) {
            ADD_FAILURE() << "no entry " << name << " under " << titleName;
            return;
        }
        e->click();
    }
};

TEST_P(SharedMenusTest, TheMenuBarShowsOptionsUtilitiesAndHelpInOrder) {
    const WindowMenus& c = GetParam();
    Form& w = open(c.window);
    EXPECT_EQ(shown(w.menus()), expected(c.titles));
    Menu* utilities = title(w, QStringLiteral("mU"));
    Menu* help = title(w, QStringLiteral("mH"));
    ASSERT_NE(utilities, nullptr);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(shown(utilities->children()), expected(c.utilities));
    EXPECT_EQ(shown(help->children()), expected(c.help));
}

TEST_P(SharedMenusTest, HelpEntriesOpenTheirTopicsAndTheWebEntryTheMakersSite) {
    const WindowMenus& c = GetParam();
    Form& w = open(c.window);
    help->calls.clear();
    const char* webName = c.help.back().name;
    // With no print preview up, the Help title only opens its menu.
    Menu* helpTitle = title(w, QStringLiteral("mH"));
    ASSERT_NE(helpTitle, nullptr);
    helpTitle->click();
    EXPECT_TRUE(help->calls.empty());
    choose(w, "mH", "mHCont");
    choose(w, "mH", "mHI");
    std::vector<int> topics{0, 1000};
    if (c.screenTopic != 0) {
        choose(w, "mH", c.help[2].name);
        topics.push_back(c.screenTopic);
    }
    std::vector<int> opened;
    for (const auto& [file, id] : help->calls) {
        EXPECT_TRUE(file.endsWith(QStringLiteral("QUORVANE.hlp"), Qt::CaseInsensitive)) << file.toStdString();
        opened.push_back(id);
    }
    EXPECT_EQ(opened, topics);
    choose(w, "mH", webName);
    EXPECT_EQ(shell->urls, std::vector<QString>{MakerWebAddress});
}

TEST_P(SharedMenusTest, UtilitiesOpenTheBackupWindowInItsModeAndEndTheHourglass) {
    Form& w = open(GetParam().window);
    // The backup window is shown modally; closing it puts both values back.
    std::vector<std::tuple<QString, int, int, int>> opened;
    onModal(QStringLiteral("Backup1"), [&](Form& f) {
        opened.emplace_back(f.caption(), ModeFlag, BackupMode, LoopIndex);
        f.unload();
    });
    LoopIndex = 7;
    ModeFlag = 5;
    BackupMode = 5;
    pointer->setHourglass(true);
    choose(w, "mU", "mUBack");
    EXPECT_FALSE(pointer->hourglass());
    pointer->setHourglass(true);
    choose(w, "mU", GetParam().utilities.back().name);
    EXPECT_FALSE(pointer->hourglass());
    const std::vector<std::tuple<QString, int, int, int>> expected = {
        {QStringLiteral("Backup User Created Files"), ModeFlagBackup, BackupModeBackup, 0},
        {QStringLiteral("Restore User Created Files from Backup Media"), ModeFlagRestore, BackupModeRestore, 0}};
    EXPECT_EQ(opened, expected);
    EXPECT_EQ(ModeFlag, ModeFlagBackup);
    EXPECT_EQ(BackupMode, BackupModeBackup);
}

TEST_P(SharedMenusTest, TheRightButtonOnAnyControlPopsUpTheWindowsOptionsMenu) {
    Form& w = open(GetParam().window);
    int tried = 0;
    for (Control* c : std::vector<Control*>(w.controls())) {
        // Boxes the user types or selects text in keep their own editing menu.
        if (dynamic_cast<TextBox*>(c) || dynamic_cast<ComboBox*>(c) || dynamic_cast<RichTextBox*>(c)) continue;
        const std::size_t before = popups().size();
        c->rightClick();
        ASSERT_EQ(popups().size(), before + 1) << c->name().toStdString() << " " << c->index();
        EXPECT_EQ(popups().back(), QStringLiteral("mO")) << c->name().toStdString();
        ++tried;
    }
    EXPECT_GT(tried, 5);
    // The left button pops up nothing.
    const std::size_t before = popups().size();
    for (Control* c : std::vector<Control*>(w.controls()))
        if (dynamic_cast<Label*>(c) || dynamic_cast<SSPanel*>(c)) c->raiseMouseUp(Mouse::Left, 0, 0, 0);
    EXPECT_EQ(popups().size(), before);
}

TEST_P(SharedMenusTest, TheWebEntrySaysSoWhenTheDesktopCannotOpenTheSite) {
    Form& w = open(GetParam().window);
    shell->result = false;
    dialogs->answer(QStringLiteral("Unable to Connect to Internet"), Answer::OK);
    choose(w, "mH", GetParam().help.back().name);
    EXPECT_EQ(shell->urls, std::vector<QString>{MakerWebAddress});
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Unable to Connect to Internet")).size(), 1u);
}

TEST_P(SharedMenusTest, AboutOpensTheAboutWindowModallyAndReturnsToTheWindow) {
    Form& w = open(GetParam().window);
    QString caption;
    onModal(QStringLiteral("About1"), [&](Form& about) {
        caption = about.caption();
        EXPECT_TRUE(about.isModal());
        about.unload();
    });
    choose(w, "mH", "mHA");
    EXPECT_EQ(caption, QStringLiteral("About Quorvane"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isUnloaded());
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, SharedMenusTest, ::testing::ValuesIn(Windows),
                         [](const auto& info) { return std::string(info.param.label); });

// The Action Area's own additions: unsaved text is offered for saving before a backup and
// before a restore, and a restore returns to the first area tab.
class ActionAreaUtilitiesTest : public SharedMenusTest {
protected:
    void SetUp() override {
        SharedMenusTest::SetUp();
        onModal(QStringLiteral("Backup1"), [this](Form& f) {
            ++backupWindows;
            f.unload();
        });
    }
    int backupWindows = 0;
};

TEST_F(ActionAreaUtilitiesTest, BackupAndRestoreAskTheSaveQuestionFirstWhenTextIsUnsaved) {
    WorkArea1& w = static_cast<WorkArea1&>(open(Window::ActionArea));
    for (Menu* entry : {&w.mUBack, &w.mURestore}) {
        w.SSCommand11[catalogue::PageAdministrative].click();
        w.SSOption3.click();
        w.Rtext3.type(QStringLiteral("Reviewed with the security official. "));
        dialogs->answer(QStringLiteral("Save Changes?"), Answer::Yes);
        entry->click();
        EXPECT_EQ(w.UnsavedChanges, 0);
    }
    ASSERT_EQ(dialogs->shownWithTitle(QStringLiteral("Save Changes?")).size(), 2u);
    EXPECT_TRUE(folder->read(QStringLiteral("Action0.Fil")).contains("Reviewed with the security official."));
    EXPECT_EQ(backupWindows, 2);
}

TEST_F(ActionAreaUtilitiesTest, BackupWithNothingUnsavedAsksNothing) {
    WorkArea1& w = static_cast<WorkArea1&>(open(Window::ActionArea));
    w.mUBack.click();
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(backupWindows, 1);
}

TEST_F(ActionAreaUtilitiesTest, RestoreReturnsToTheActionAreaTab) {
    folder->copyContent();
    WorkArea1& w = static_cast<WorkArea1&>(open(Window::ActionArea));
    // To the Miscellaneous window and back by its close box; the restore then stays in the
    // Action Area and opens no window again.
    w.SSCommand4[3].click();
    ASSERT_NE(existingInstance<Miscform1>(), nullptr);
    existingInstance<Miscform1>()->unload();
    ASSERT_TRUE(w.isVisible());
    w.mURestore.click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(existingInstance<Miscform1>(), nullptr);
    EXPECT_EQ(RequestedArea, 0);
    EXPECT_EQ(w.SSCommand4[0].foreColor(), paletteColor(9));
    EXPECT_EQ(w.SSCommand4[3].foreColor(), paletteColor(0));
}

// After a restore the editor holds no document: a "Yes" to a later save question cannot write
// the text from before the restore over the restored file.
TEST_F(ActionAreaUtilitiesTest, AfterARestoreTheEditorForgetsItsDocument) {
    WorkArea1& w = static_cast<WorkArea1&>(open(Window::ActionArea));
    folder->write(QStringLiteral("Action0.Fil"), "{\\rtf1 before the restore}");
    w.SSCommand11[catalogue::PageAdministrative].click();
    w.SSOption3.click();
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    w.Rtext3.type(QStringLiteral("typed, then not saved"));
    onModal(QStringLiteral("Backup1"), [this](Form& f) {
        folder->write(QStringLiteral("Action0.Fil"), "{\\rtf1 restored}");
        f.unload();
    });
    w.mURestore.click();
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
    EXPECT_EQ(w.TextKind, 0);
    EXPECT_EQ(w.AreaMode, catalogue::PageOverview);
    w.SSCommand6.click();  // Save on the overview page
    EXPECT_EQ(folder->read(QStringLiteral("Action0.Fil")), QByteArray("{\\rtf1 restored}"));
}

}  // namespace
