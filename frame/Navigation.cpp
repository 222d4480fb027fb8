// The only file that includes the headers of the windows it opens.
#include "frame/Navigation.h"

#include "backup/Backup1.h"

#include "frame/About1.h"
#include "frame/Splash1.h"
#include "frame/Startfrm.h"
#include "library/InfoAdv.h"
#include "library/Miscform1.h"
#include "library/PrivRule.h"
#include "workbook/WorkArea1.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

using platform::defaultInstance;
using platform::existingInstance;

namespace frame {

// The lock file in the program folder that a running copy of the program holds locked.
const QString ProgramLockFile = QStringLiteral(".quorvane.lock");

// One copy of the program works on a folder at a time: two copies would each save over what
// the other saved. A second start on a folder in use says so and ends before it reads, writes
// or puts back anything; so the start's restore recovery, too, runs only under the lock.
void ShowStartWindow() {
    if (platform::lockProgramFolder(ProgramLockFile) == platform::FolderLock::HeldByAnother) {
        platform::msgBox(QStringLiteral("Quorvane is already running with the files of this folder:") + platform::CR +
                             platform::programFolder() + platform::CR + platform::CR +
                             QStringLiteral("Only one copy of Quorvane can work with them at a time, so this copy "
                                            "ends without changing anything. Please use the copy that is running."),
                         platform::Msg::OKOnly | platform::Msg::Exclamation, QStringLiteral("Quorvane"));
        platform::endProgram();
        return;
    }
    defaultInstance<Startfrm>().show();
}

void HideStartWindow() {
    if (Startfrm* start = existingInstance<Startfrm>(); start && start->isVisible()) start->hide();
}

void PlaceLikeStartWindow(platform::Form& form) {
    Startfrm* start = existingInstance<Startfrm>();
    if (!start) return;
    form.setTop(start->top());
    form.setLeft(start->left());
    form.setWidth(start->width());
    form.setHeight(start->height());
    form.setWindowState(start->windowState());
}

std::optional<WindowPlace> StartWindowPlace() {
    Startfrm* start = existingInstance<Startfrm>();
    if (!start) return std::nullopt;
    return WindowPlace{start->left(), start->top(), start->width(), start->height()};
}

void ShowSplash() { defaultInstance<Splash1>().show(true); }

void ShowActionArea() { defaultInstance<WorkArea1>().show(); }

void ShowActionAreaAt(int left, int top) {
    WorkArea1& area = defaultInstance<WorkArea1>();
    area.setTop(top);
    area.setLeft(left);
    area.show();
}

void HideActionArea() {
    if (WorkArea1* area = existingInstance<WorkArea1>(); area && area->isVisible()) area->hide();
}

void PlaceLikeActionArea(platform::Form& form) {
    WorkArea1* area = existingInstance<WorkArea1>();
    if (!area) return;
    form.setTop(area->top());
    form.setLeft(area->left());
    form.setWidth(area->width());
    form.setHeight(area->height());
}

void ShowSecurityRule() { defaultInstance<PrivRule>().show(); }
void ShowInformationAdvisor() { defaultInstance<InfoAdv>().show(); }
void ShowMiscellaneous() { defaultInstance<Miscform1>().show(); }

void ShowAbout() { defaultInstance<About1>().show(true); }
void ShowBackupWindow() { defaultInstance<Backup1>().show(true); }

void UserFilesRestored() {
    if (WorkArea1* area = existingInstance<WorkArea1>()) area->ForgetRestoredFiles();
}

}  // namespace frame
