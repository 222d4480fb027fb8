// The small behaviours every window repeats: the help topics, the maker's web site, the backup and restore entries, the exit question and the rich-text
// copy. The menus that carry them are frame/SharedMenus.h.
#pragma once

#include "platform/Controls.h"
#include "platform/Files.h"

namespace platform {
class RichTextBox;
}

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

// The help file at its contents, or at a topic.
void ShowHelpContents();
void ShowHelpTopic(int contextId);
// Asks the shell to open the maker's web address; says so when the desktop cannot open it.
void OpenWebSite();

// The Utilities entries of every window: set the backup window's mode and open it modally.
void BackupUserFiles();
void RestoreUserFiles();

// "Exit Quorvane?" with Yes, No and Cancel; returns the answer.
int ConfirmExit();
// An area tab pressed: every tab black, the pressed one blue.
void MarkPressedTab(platform::ControlArray<platform::SSCommand>& tabs, int index);
// The "E&xit Program" tab of an area window: asks "Exit Quorvane?"; on Yes the window is
// unloaded (its Unload ends the program), else the window's own tab is pressed again.
void AskExitFromAreaTab(platform::Form& window, platform::ControlArray<platform::SSCommand>& tabs, int ownTab);
// Puts the whole rich text of a box on the clipboard and says whether it got there.
void CopyAsRichText(const platform::RichTextBox& box);

// The content documents Misc0-63.Hlp and Pr0-24.Hlp made visible (normal) or hidden. A
// missing document is skipped in both directions.
void ShowContentFiles();
void HideContentFiles();

// The button chosen in a list of buttons marked: pressed in (bevel 0) and blue (colour 9),
// bold too when boldChosen; the others raised (bevel 2), black and, when boldChosen, not bold.
void MarkChosenButton(platform::ControlArray<platform::SSCommand>& buttons, int index, bool boldChosen);
// Every button of the list unmarked as above.
void UnmarkButtons(platform::ControlArray<platform::SSCommand>& buttons, bool boldChosen);

// A setting whose write to its file failed, told as a status that could not be stored is:
// what was not stored, where, and what is kept.
void ReportSettingNotStored(const QString& file, const QString& kept);
// What a setting's write left, told: a failed write as above (false), a setting in its file
// that the disk did not make durable as such (true), nothing for a durable one (true). True
// when the file holds the new setting, so it takes effect.
bool SettingWritten(platform::WriteOutcome outcome, const QString& file, const QString& kept);
