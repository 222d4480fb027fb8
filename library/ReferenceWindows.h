// What the Information Advisor and the Miscellaneous window do alike: a topic document into
// the viewer, the choice marked on a list of topic buttons, the area tabs and the two ways
// out of the window.
#pragma once

#include "platform/Controls.h"
#include "platform/RichTextBox.h"

#include <QString>

// The frame both windows share: the area tabs across the top, the main panel below them with
// the topic buttons down its left, in the program's colours. Twips.
namespace ReferenceLayout {
constexpr platform::Color WindowColor = platform::rgb(214, 222, 234);
constexpr platform::Color MainPanelColor = platform::rgb(236, 239, 244);
constexpr int Margin = 120;
constexpr int TopicColumnWidth = 2700;
constexpr int TabTop = 90;
constexpr int TabHeight = 420;
constexpr int PanelTop = TabTop + TabHeight + 90;
// The left of what stands beside the topic buttons.
constexpr int ContentLeft = Margin + TopicColumnWidth + Margin;
constexpr int ExitTab = 4;
}  // namespace ReferenceLayout

// The window's background, the main panel's face and the five area tabs "&Action Area" to
// "E&xit Program" on the window.
void BuildReferenceFrame(platform::Form& window, platform::SSPanel& mainPanel,
                         platform::ControlArray<platform::SSCommand>& tabs);
// Places the tabs across the top and the main panel under them, filling the window (a share of
// its height would leave an empty strip below).
void ArrangeReferenceFrame(platform::Form& window, platform::SSPanel& mainPanel,
                           platform::ControlArray<platform::SSCommand>& tabs);

// The topic document Misc<n>.Hlp, whole, into the viewer. A missing or unreadable document
// leaves the viewer empty and says so under the window's title, instead of showing the
// previous topic's text under this topic's caption; returns whether it was read.
bool LoadTopicDocument(platform::RichTextBox& viewer, int document, const QString& windowTitle);

// An area tab of a reference window whose own tab is ownTab: every tab black, the pressed one
// blue. The own tab changes nothing more; "E&xit Program" asks "Exit Quorvane?" and unloads
// the window on Yes, else presses the own tab again; any other tab leaves its request for the
// hub and unloads the window.
void PressAreaTab(platform::Form& window, platform::ControlArray<platform::SSCommand>& tabs, int index,
                  int ownTab);

// The window's Unload: the exit way (its "E&xit Program" tab pressed) hides the content
// documents and ends the program; the other way clears a request for the window's own area
// and shows the hub in the window's place.
void LeaveReferenceWindow(platform::Form& window, bool exitWay, int ownArea);
