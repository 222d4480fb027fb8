// The small behaviours every window repeats: the right-button Options popup, the help topics
// and the maker's web site.
#pragma once

#include "platform/Controls.h"

// The help file beside the program (its name is matched without regard to letter case).
inline const QString HelpFileName = QStringLiteral("QUORVANE.hlp");
// The maker's web address and the caption of the web-site entries.
inline const QString MakerWebAddress = QStringLiteral("https://www.quorvane.example/");
inline const QString MakerWebCaption = QStringLiteral("&Visit www.quorvane.example");

// Help topics of the program.
namespace HelpContext {
constexpr int ProgramOverview = 1000;
constexpr int PrintPreview = 1014;
constexpr int ProjectTimeline = 2009;
constexpr int ActionAreaPages = 3010;
constexpr int Worksheets = 3044;
constexpr int RecoveryPlan = 3048;
constexpr int SecurityRule = 3012;
constexpr int Miscellaneous = 3014;
constexpr int InformationAdvisor = 3066;
constexpr int SpellCheck = 5050;
}  // namespace HelpContext

// A right-button release pops up the window's Options menu; other buttons do nothing.
void PopupOptionsMenu(platform::Form& form, platform::Menu& optionsMenu, int button);
// Wires PopupOptionsMenu to the mouse-up event of each control given.
void AttachOptionsPopup(platform::Form& form, platform::Menu& optionsMenu,
                        std::initializer_list<platform::Control*> controls);
// The help file at its contents, or at a topic.
void ShowHelpContents();
void ShowHelpTopic(int contextId);
// Asks the shell to open the maker's web address; the result is not examined.
void OpenWebSite();

// The Utilities entries of every window: set the backup window's mode and open it modally.
void BackupUserFiles();
void RestoreUserFiles();

// The content documents Misc0-63.Hlp and Pr0-24.Hlp made visible (normal) or hidden. A
// missing document is skipped in both directions.
void ShowContentFiles();
void HideContentFiles();
