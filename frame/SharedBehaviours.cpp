#include "frame/SharedBehaviours.h"

#include "frame/HINFO1.h"
#include "frame/Navigation.h"
#include "platform/Files.h"
#include "platform/Services.h"

void PopupOptionsMenu(platform::Form& form, platform::Menu& optionsMenu, int button) {
    if (button == platform::Mouse::Right) form.popupMenu(optionsMenu);
}

void AttachOptionsPopup(platform::Form& form, platform::Menu& optionsMenu,
                        std::initializer_list<platform::Control*> controls) {
    for (platform::Control* c : controls) {
        c->onMouseUp = [&form, &optionsMenu](int button, int, int, int) {
            PopupOptionsMenu(form, optionsMenu, button);
        };
    }
}

void ShowHelpContents() { platform::help().showHelp(platform::resolvePath(HelpFileName), 0); }

void ShowHelpTopic(int contextId) { platform::help().showHelp(platform::resolvePath(HelpFileName), contextId); }

void OpenWebSite() { platform::shell().openUrl(MakerWebAddress); }

void BackupUserFiles() {
    LoopIndex = 0;
    ModeFlag = 0;
    BackupMode = 0;
    frame::ShowBackupWindow();
    HourglassOff();
}

void RestoreUserFiles() {
    ModeFlag = 99;
    BackupMode = 1;
    frame::ShowBackupWindow();
    platform::doEvents();
    HourglassOff();
}

static void setContentFilesHidden(bool hidden) {
    QStringList names;
    for (int n = 0; n <= 63; ++n) names << QStringLiteral("Misc%1.Hlp").arg(n);
    for (int n = 0; n <= 24; ++n) names << QStringLiteral("Pr%1.Hlp").arg(n);
    platform::setFilesHidden(names, hidden);
}

void ShowContentFiles() { setContentFilesHidden(false); }

// A missing document is skipped, as the show loop does, so that no exit path can fail here.
void HideContentFiles() { setContentFilesHidden(true); }
