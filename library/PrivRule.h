// The Security Rule window: a read-only reader of the rule, cut into 25 sections shipped as
// PR0.Hlp-PR24.Hlp. The user picks a section, reads, searches, changes the display font of a
// passage, copies the section, previews and prints it, and moves to the other areas.
//   library/PrivRule.cpp         layout, Load, Activate, sections, Font Display, tabs, keys, Unload
//   library/DocumentSearch.cpp   the search panel Panel3D3
//   printing/PrintPanel.cpp      the print panel it embeds
//   printing/RichTextPrinting.cpp  BuildPrintPreview's renderer
#pragma once

#include "frame/ElasticResizer.h"
#include "frame/SharedMenus.h"
#include "platform/Controls.h"
#include "platform/RichTextBox.h"
#include "printing/PrintPanel.h"

#include <QString>
#include <array>

// One rule section: the option's caption (an "&&" shows one "&") and its tooltip, which is also
// the window caption's suffix.
struct RuleSectionEntry {
    const char* caption;
    const char* tooltip;
};
extern const std::array<RuleSectionEntry, 25> RuleSections;
// The document of section n: "PR<n>.Hlp" in the program folder.
QString RuleSectionFileName(int section);

// The section last chosen (program-wide).
inline int RuleSection = 0;

class PrivRule : public platform::Form {
public:
    PrivRule();
    ~PrivRule() override;

    // ---- window events ----------------------------------------------------------------------
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_KeyPress(int& keyAscii) override;
    void Form_Unload(int& cancel) override;
    void Form_MouseUp(int button, int shift, int x, int y) override;

    // ---- sections, viewer commands ----------------------------------------------------------
    void SSOption1_Click(int index);
    // Loads the document of RuleSection into the viewer; false when it is missing or unreadable
    // (the viewer is then empty and the document commands stay disabled).
    bool LoadRuleSection();
    void SSCommand3_Click();  // "&Font Display"
    void SSCommand4_Click();  // "&Print": opens the print panel
    void SSCommand5_Click();  // "&Search": shows or hides the search panel
    void SSCommand6_Click();  // "&Clear"
    void SSCommand2_Click(int index);  // the area tabs
    void BuildPrintPreview();
    void EnableDocumentCommands(bool on);

    // ---- search panel (DocumentSearch.cpp) -------------------------------------------------
    void Text1_Change();
    void RText2_Click();
    void RText2_Change();
    void Command5_Click();
    void SearchDocument();
    void Command6_Click();

    // ---- menus ------------------------------------------------------------------------------
    void mOTab_Click(int index);
    void mOE_Click();
    void mOClip_Click();
    void mOFD_Click() { SSCommand3_Click(); }
    void mOPrint_Click() { SSCommand4_Click(); }
    void mOSearch_Click() { SSCommand5_Click(); }
    // The topic of this window: the print preview's while the print panel is up.
    int ScreenHelpTopic() const;

    // =========================================================================================
    // Controls
    // =========================================================================================
    platform::Label Label1;    // the background label; the search and print panels take its colour
    platform::SSPanel SSPanel1;  // the main panel
    platform::SSFrame SSFrame1;  // "HIPAA Security Rule"
    platform::ControlArray<platform::SSOption> SSOption1{QStringLiteral("SSOption1")};
    platform::RichTextBox RText2;  // the viewer
    platform::RichTextBox RText;   // shown while a section loads
    platform::SSCommand SSCommand3;
    platform::SSCommand SSCommand4;
    platform::SSCommand SSCommand5;
    platform::SSCommand SSCommand6;
    platform::ControlArray<platform::SSCommand> SSCommand2{QStringLiteral("SSCommand2")};
    // The search panel.
    platform::SSPanel Panel3D3;
    platform::TextBox Text1;
    platform::CommandButton Command5;
    platform::CommandButton Command6;
    // The print panel and its controls by name.
    PrintPanel Print;
    platform::SSPanel& SSPanel80;
    platform::PrintPreview& VSP1;
    platform::SSCommand& SSCommand1;
    platform::ControlArray<platform::SSCommand>& SSCommand80;
    platform::ControlArray<platform::SSOption>& SSOption82;
    platform::ControlArray<platform::SSPanel>& Panel3D80;

    // The resizer: off in the smaller-screen display.
    ElasticResizer vsElasticLight1;

    // ---- menus ------------------------------------------------------------------------------
    platform::Menu mO;
    platform::Menu mOTab0, mOTab1, mOTab3;
    platform::Menu mOSep1;
    platform::Menu mOE;
    platform::Menu mOSep2;
    platform::Menu mOClip;
    platform::Menu mOFD;
    platform::Menu mOPrint;
    platform::Menu mOSearch;
    // Utilities and Help, as every window has them.
    SharedMenus Menus{*this, SharedMenuNames{.screenTopic = QStringLiteral("mHSec"),
                                             .screenTopicCaption = QStringLiteral("&Security Rule")}};
    platform::Menu& mU = Menus.mU;
    platform::Menu& mUBack = Menus.mUBack;
    platform::Menu& mURestore = Menus.mURestore;
    platform::Menu& mH = Menus.mH;
    platform::Menu& mHCont = Menus.mHCont;
    platform::Menu& mHI = Menus.mHI;
    platform::Menu& mHSec = Menus.mHScreen;
    platform::Menu& mHA = Menus.mHA;
    platform::Menu& mHWeb = Menus.mHWeb;

    // =========================================================================================
    // Fields
    // =========================================================================================
    QString RuleCaption;
    // The search cursor: where the next search starts, and where the last one matched.
    int SearchFrom = 1;
    int FoundPos = 0;

private:
    void ArrangeControls();
};
