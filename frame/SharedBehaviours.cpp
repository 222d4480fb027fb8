#include "frame/SharedBehaviours.h"

#include "catalogue/ContentDocuments.h"

#include "frame/WebLink.h"

#include "frame/HINFO1.h"
#include "frame/Navigation.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/RichTextBox.h"
#include "platform/Services.h"

void ShowHelpContents() { platform::help().showHelp(platform::resolvePath(HelpFileName), 0); }

void ShowHelpTopic(int contextId) { platform::help().showHelp(platform::resolvePath(HelpFileName), contextId); }

// A desktop that cannot open the address is reported, as the web links of the reference
// windows are.
void OpenWebSite() { OpenWebAddress(MakerWebAddress); }

void BackupUserFiles() {
    LoopIndex = 0;
    ModeFlag = ModeFlagBackup;
    BackupMode = BackupModeBackup;
    frame::ShowBackupWindow();
    HourglassOff();
}

void RestoreUserFiles() {
    ModeFlag = ModeFlagRestore;
    BackupMode = BackupModeRestore;
    frame::ShowBackupWindow();
    // The files behind what the windows hold may have changed, whichever window asked.
    frame::UserFilesRestored();
    platform::doEvents();
    HourglassOff();
}

int ConfirmExit() {
    return platform::msgBox(QStringLiteral("Exit Quorvane?"), platform::Msg::Question | platform::Msg::YesNoCancel,
                            QStringLiteral("Exit"));
}

void CopyAsRichText(const platform::RichTextBox& box) {
    namespace Msg = platform::Msg;
    const QString title = QStringLiteral("Copy Option");
    // The message tells what happened: a copy the clipboard refused is not reported as made.
    if (platform::clipboard().setRichText(box.rtfBytes(), box.text()))
        platform::msgBox(QStringLiteral("A copy has been copied to the Windows Clipboard."), Msg::Information | Msg::OKOnly,
                         title);
    else
        platform::msgBox(QStringLiteral("The copy could not be put on the Windows Clipboard."),
                         Msg::Exclamation | Msg::OKOnly, title);
}

static void setContentFilesHidden(bool hidden) {
    QStringList names;
    for (int n = 0; n < catalogue::MiscDocumentCount; ++n) names << catalogue::miscDocument(n);
    for (int n = 0; n < catalogue::RuleSectionDocumentCount; ++n) names << catalogue::ruleSectionDocument(n);
    platform::setFilesHidden(names, hidden);
}

void ShowContentFiles() { setContentFilesHidden(false); }

// A missing document is skipped, as the show loop does, so that no exit path can fail here.
void HideContentFiles() { setContentFilesHidden(true); }

void ReportSettingNotStored(const QString& file, const QString& kept) {
    HourglassOff();
    platform::msgBox(QStringLiteral("The setting could not be stored in ") + file + QStringLiteral(".") + platform::CR + kept +
                         QStringLiteral(" Please check that the program folder can be written to."),
                     platform::Msg::Critical | platform::Msg::OKOnly, QStringLiteral("Setting Not Stored"));
}

void UnmarkButtons(platform::ControlArray<platform::SSCommand>& buttons, bool boldChosen) {
    for (auto& [i, b] : buttons) {
        b->setForeColor(platform::paletteColor(0));
        if (boldChosen) {
            platform::Font f = b->font();
            f.bold = false;
            b->setFont(f);
        }
        b->setBevelWidth(2);
    }
}

void MarkChosenButton(platform::ControlArray<platform::SSCommand>& buttons, int index, bool boldChosen) {
    UnmarkButtons(buttons, boldChosen);
    platform::SSCommand& chosen = buttons[index];
    chosen.setBevelWidth(0);
    chosen.setForeColor(platform::paletteColor(9));
    if (boldChosen) {
        platform::Font bold = chosen.font();
        bold.bold = true;
        chosen.setFont(bold);
    }
}

void MarkPressedTab(platform::ControlArray<platform::SSCommand>& tabs, int index) {
    // The tab pressed shows in blue, and a screen reader tells it as the chosen one.
    for (auto& [i, tab] : tabs) {
        tab->setForeColor(platform::paletteColor(0));
        tab->setAccessibleCurrent(i == index);
    }
    tabs[index].setForeColor(platform::paletteColor(9));
}

void AskExitFromAreaTab(platform::Form& window, platform::ControlArray<platform::SSCommand>& tabs, int ownTab) {
    HourglassOff();
    LoopIndex = ConfirmExit();
    if (LoopIndex == platform::Answer::Yes) {
        window.unload();
        return;
    }
    tabs[ownTab].setValue(true);
    HourglassOff();
}

bool SettingWritten(platform::WriteOutcome outcome, const QString& file, const QString& kept) {
    switch (outcome) {
    case platform::WriteOutcome::Done: return true;
    case platform::WriteOutcome::NotDurable:
        HourglassOff();
        platform::msgBox(QStringLiteral("The setting is in ") + file + QStringLiteral(", but it may not survive a power loss.") +
                             platform::CR +
                             QStringLiteral("The disk did not confirm it. Please check the disk the program folder is on."),
                         platform::Msg::Exclamation | platform::Msg::OKOnly, QStringLiteral("Setting Not Confirmed"));
        return true;
    case platform::WriteOutcome::Failed: break;
    }
    ReportSettingNotStored(file, kept);
    return false;
}
