// The Information Advisor: ten topics of guidance, each a shipped document (Misc<n>.Hlp) shown
// in a read-only viewer; a risk-analysis topic with four sub-topics; a button that opens the
// NIST publications in the browser; and, on the timeline topic, the days left until the
// compliance date. It stands in the Action Area's place while it is up.
#pragma once

#include "frame/ElasticResizer.h"
#include "frame/SharedMenus.h"
#include "platform/Controls.h"
#include "platform/RichTextBox.h"

#include <QString>
#include <array>

// One topic button: its caption as stored (an "&&" shows one "&"), its document and the
// window caption's suffix (empty: " - " and the stored caption).
struct AdvisorTopic {
    const char* caption;
    int document;  // n of Misc<n>.Hlp
    const char* captionSuffix;
};
inline constexpr std::array<AdvisorTopic, 10> AdvisorTopics = {{
    {"Addressable Safeguards", 3, ""},
    {"Concepts", 6, " - Concepts of the Final Security Rule"},
    {"Getting Started", 7, ""},
    {"Impact", 8, " - Impact of not complying with the Security Final Rule"},
    {"Key Information && Guide", 9, ""},
    {"Policy Insert Template", 0, " - Policy Insert Template Information"},
    {"Risk Analysis", 10, ""},
    {"Security and Privacy", 4, " - Security Rule and Privacy Rule Distinctions"},
    {"Selected HIPAA Q. && A.", 11, " - Selected HIPAA Questions and Answers"},
    {"Timeline", 5, " - The HIPAA Security Rule Timeline"},
}};

// The risk-analysis sub-topics: caption (also the tooltip) and document.
struct AdvisorSubTopic {
    const char* caption;
    int document;
};
inline constexpr std::array<AdvisorSubTopic, 4> AdvisorSubTopics = {{
    {"Risk Analysis Overview", 10},
    {"Recommendations from NIST", 12},
    {"Common Risk Analysis Mistakes", 13},
    {"Risk Analysis Worksheet", 58},
}};

class InfoAdv : public platform::Form {
public:
    InfoAdv();
    ~InfoAdv() override;

    // ---- window events ----------------------------------------------------------------------
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_KeyPress(int& keyAscii) override;
    void Form_Unload(int& cancel) override;
    void Form_MouseUp(int button, int shift, int x, int y) override;

    // ---- topics -----------------------------------------------------------------------------
    void SSCommand11_Click(int index);  // the topics
    void SSCommand1_Click(int index);   // the risk-analysis sub-topics
    void SSCommand2_Click();            // the web button
    void SSCommand4_Click(int index);   // the area tabs
    // The countdown line of the timeline topic, from today's date.
    void ShowCountdown();

    // ---- menus ------------------------------------------------------------------------------
    void mOTab_Click(int index);

    // =========================================================================================
    // Controls
    // =========================================================================================
    platform::SSPanel SSPanel1;  // the main panel; the viewer's size follows its height
    platform::ControlArray<platform::SSCommand> SSCommand11{QStringLiteral("SSCommand11")};
    platform::RichTextBox RText1;  // the viewer
    platform::SSFrame SSFrame1;    // "Risk Analysis Selections"
    platform::ControlArray<platform::SSCommand> SSCommand1{QStringLiteral("SSCommand1")};
    platform::SSCommand SSCommand2;  // the web button
    platform::SSPanel SSPanel2;      // the countdown line
    platform::ControlArray<platform::SSCommand> SSCommand4{QStringLiteral("SSCommand4")};

    // The resizer: off in the smaller-screen display.
    ElasticResizer vsElasticLight1;

    // ---- menus ------------------------------------------------------------------------------
    platform::Menu mO;
    platform::Menu mOTab0, mOTab2, mOTab3, mOTab4;
    // Utilities and Help, as every window has them.
    SharedMenus Menus{*this, SharedMenuNames{.screenTopic = QStringLiteral("mHScreen"),
                                             .screenTopicCaption = QStringLiteral("&Information Advisor")}};
    platform::Menu& mU = Menus.mU;
    platform::Menu& mUBack = Menus.mUBack;
    platform::Menu& mURestore = Menus.mURestore;
    platform::Menu& mH = Menus.mH;
    platform::Menu& mHCont = Menus.mHCont;
    platform::Menu& mHI = Menus.mHI;
    platform::Menu& mHScreen = Menus.mHScreen;
    platform::Menu& mHA = Menus.mHA;
    platform::Menu& mHWeb = Menus.mHWeb;

    // =========================================================================================
    // Fields
    // =========================================================================================
    QString AdvisorCaption;

private:
    // Where the viewer and the web button stand.
    enum class ViewerSize { Topic, KeyInformation, SubTopic, NistRecommendations };
    void SizeViewer(ViewerSize size);
    void ArrangeControls();

    ViewerSize viewerSize_ = ViewerSize::Topic;
};
