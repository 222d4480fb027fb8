// The Miscellaneous window: the disclaimer, the program information, a page of web links, and
// two forms (a risk-analysis worksheet and a sample incident report) that the user copies to
// the clipboard or previews and prints. It stands in the Action Area's place while it is up.
#pragma once

#include "frame/ElasticResizer.h"
#include "frame/SharedMenus.h"
#include "platform/Controls.h"
#include "platform/RichTextBox.h"
#include "printing/PrintPanel.h"

#include <QString>
#include <array>

// One topic button: its caption as stored (the misspelling is the program's own) and the
// document it shows (-1: the links page). Topics with a form offer Copy and Print.
struct MiscTopic {
    const char* caption;
    int document;  // n of Misc<n>.Hlp
    bool form;
};
inline constexpr std::array<MiscTopic, 5> MiscTopics = {{
    {"Disclaimer", 2, false},
    {"Program Information", 1, false},
    {"HIPAA Web Links", -1, false},
    {"Risk Anlysis Worksheet", 57, true},
    {"Sample Incident Report", 56, true},
}};

class Miscform1 : public platform::Form {
public:
    Miscform1();
    ~Miscform1() override;

    // ---- window events ----------------------------------------------------------------------
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_KeyPress(int& keyAscii) override;
    void Form_Unload(int& cancel) override;
    void Form_MouseUp(int button, int shift, int x, int y) override;

    // ---- topics, links, forms ---------------------------------------------------------------
    void SSCommand11_Click(int index);  // the topics
    void Label4_Click(int index);       // the web links
    void Label4_MouseDown(int index, int button, int shift, int x, int y);
    void Label4_MouseUp(int index, int button, int shift, int x, int y);
    void SSCommand2_Click(int index);  // 0 "&Copy to Clipboard", 1 "&Print"
    void SSCommand4_Click(int index);  // the area tabs
    // The print preview of the form shown.
    void RenderPrintPreview();

    // ---- menus ------------------------------------------------------------------------------
    void mOTab_Click(int index);
    void mOClip_Click();
    void mOPrint_Click();
    // The topic of F1: the print preview's while the print panel is up.
    int ScreenHelpTopic() const;

    // =========================================================================================
    // Controls
    // =========================================================================================
    platform::SSPanel SSPanel1;  // the main panel
    platform::ControlArray<platform::SSCommand> SSCommand11{QStringLiteral("SSCommand11")};
    platform::RichTextBox RText1;  // the viewer
    platform::ControlArray<platform::SSCommand> SSCommand2{QStringLiteral("SSCommand2")};
    platform::Label Label1;  // the links page's title
    platform::Label Label3;  // its explanation
    platform::ControlArray<platform::Label> Label4{QStringLiteral("Label4")};
    platform::ControlArray<platform::SSCommand> SSCommand4{QStringLiteral("SSCommand4")};
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
    platform::Menu mOTab0, mOTab1, mOTab2, mOTab4;
    platform::Menu mO1;
    platform::Menu mOClip;
    platform::Menu mO2;
    platform::Menu mOPrint;
    // Utilities and Help, as every window has them ("&Utilities" and "mUResore" here).
    SharedMenus Menus{*this, SharedMenuNames{.utilities = QStringLiteral("&Utilities"),
                                             .restore = QStringLiteral("mUResore"),
                                             .screenTopic = QStringLiteral("mHScreen"),
                                             .screenTopicCaption = QStringLiteral("&Miscellaneous")}};
    platform::Menu& mU = Menus.mU;
    platform::Menu& mUBack = Menus.mUBack;
    platform::Menu& mUResore = Menus.mURestore;
    platform::Menu& mH = Menus.mH;
    platform::Menu& mHCont = Menus.mHCont;
    platform::Menu& mHI = Menus.mHI;
    platform::Menu& mHScreen = Menus.mHScreen;
    platform::Menu& mHA = Menus.mHA;
    platform::Menu& mHWeb = Menus.mHWeb;

    // =========================================================================================
    // Fields
    // =========================================================================================
    // The top of the link label being pressed, from mouse-down to mouse-up.
    std::int16_t LinkLabelTop = 0;

private:
    // Shows or hides the form commands: the two buttons and the Options menu's entries.
    void ShowFormCommands(bool on);
    void ArrangeControls();
    void SizeViewer();

    int topic_ = 1;
};
