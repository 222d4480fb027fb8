#include "library/InfoAdv.h"

#include "frame/HINFO1.h"
#include "frame/Navigation.h"
#include "frame/SharedBehaviours.h"
#include "frame/WebLink.h"
#include "library/ReferenceWindows.h"
#include "library/WebAddresses.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"

#include <QDate>

using namespace platform;
using namespace ReferenceLayout;

namespace {

const QString WindowTitle = QStringLiteral("Information Advisor");
const QString PdfCaption = QStringLiteral("Click to view NIST Security Rule Resource Guide - PDF File");
const QString NistCaption = QStringLiteral("Click for NIST Website");

constexpr int OwnTab = 1;
constexpr int RiskAnalysisTopic = 6;
constexpr int KeyInformationTopic = 4;
constexpr int TimelineTopic = 9;

// The compliance date the timeline topic counts down to.
const QDate ComplianceDate(2005, 4, 21);

// Geometry of the panel's contents, in twips.
constexpr int CountdownHeight = 640;
constexpr int WebButtonHeight = 420;
// The sub-topic buttons: the width their longest caption needs, and the height of the second
// row they take when four of them do not fit side by side.
constexpr int SubTopicButtonWidth = 3500;
constexpr int SubTopicExtraRow = 450;
// The sub-topic frame with one row of buttons: its caption, a button, the margins.
constexpr int SubTopicFrameOneRow = 270 + 440 + 150;

// Whether the four sub-topic buttons fit side by side in a viewer column this wide.
bool fitsOneRow(int width) { return width >= 4 * SubTopicButtonWidth + 3 * 90 + 240; }

}  // namespace

InfoAdv::InfoAdv()
    : Form(QStringLiteral("InfoAdv")),
      SSPanel1(*this, *this, QStringLiteral("SSPanel1")),
      RText1(*this, SSPanel1, QStringLiteral("RText1")),
      SSFrame1(*this, SSPanel1, QStringLiteral("SSFrame1")),
      SSCommand2(*this, SSPanel1, QStringLiteral("SSCommand2")),
      SSPanel2(*this, SSPanel1, QStringLiteral("SSPanel2")),
      mO(*this, QStringLiteral("mO"), QStringLiteral("&Options")),
      mOTab0(*this, QStringLiteral("mOTab"), QStringLiteral("&Action Area"), 0),
      mOTab2(*this, QStringLiteral("mOTab"), QStringLiteral("&Security Rule"), 2),
      mOTab3(*this, QStringLiteral("mOTab"), QStringLiteral("&Miscellaneous"), 3),
      mOTab4(*this, QStringLiteral("mOTab"), QStringLiteral("&Exit Program"), 4) {
    setCaption(WindowTitle);
    setKeyPreview(true);
    setHelpContextId(HelpContext::InformationAdvisor);
    move(0, 0, 12000, 9000);
    BuildReferenceFrame(*this, SSPanel1, SSCommand4);
    SSCommand4.setOnClick([this](int i) { SSCommand4_Click(i); });

    // The topics down the left of the panel.
    for (int i = 0; i < int(AdvisorTopics.size()); ++i) {
        SSCommand& b = SSCommand11.add(*this, SSPanel1, i);
        b.setCaption(QString::fromLatin1(AdvisorTopics[std::size_t(i)].caption));
        b.setFont(ProgramFont(9, false));
        b.setBevelWidth(2);
    }
    SSCommand11.setOnClick([this](int i) { SSCommand11_Click(i); });

    // The risk-analysis sub-topics, shown only on that topic.
    SSFrame1.setCaption(QStringLiteral("Risk Analysis Selections"));
    SSFrame1.setVisible(false);
    for (int i = 0; i < int(AdvisorSubTopics.size()); ++i) {
        SSCommand& b = SSCommand1.add(*this, SSFrame1, i);
        const QString caption = QString::fromLatin1(AdvisorSubTopics[std::size_t(i)].caption);
        b.setCaption(caption);
        b.setToolTipText(caption);
        b.setFont(ProgramFont(9, false));
        b.setBevelWidth(2);
    }
    SSCommand1.setOnClick([this](int i) { SSCommand1_Click(i); });

    // The viewer: read only.
    RText1.setLocked(true);
    RText1.setAccessibleName(QStringLiteral("Information Advisor topic"));

    SSCommand2.setCaption(NistCaption);
    SSCommand2.setFont(ProgramFont(9, true));
    SSCommand2.setVisible(false);
    SSCommand2.onClick = [this] { SSCommand2_Click(); };

    SSPanel2.setBevelOuter(1);
    SSPanel2.setBevelInner(0);
    SSPanel2.setAlignment(2);
    SSPanel2.setFont(ProgramFont(9, true));
    SSPanel2.setAccessibleName(QStringLiteral("Days remaining until the compliance date"));
    SSPanel2.setVisible(false);

    // Menus.
    for (Menu* m : {&mOTab0, &mOTab2, &mOTab3, &mOTab4}) mO.add(*m);
    Menus.AddToMenuBar(mO);
    Menus.ScreenTopic = [] { return HelpContext::InformationAdvisor; };
    mOTab0.onClick = [this] { mOTab_Click(0); };
    mOTab2.onClick = [this] { mOTab_Click(2); };
    mOTab3.onClick = [this] { mOTab_Click(3); };
    mOTab4.onClick = [this] { mOTab_Click(4); };

    // The right button pops up the Options menu over the panels, the frame and every button.
    Menus.AttachOptionsPopup({&SSCommand2, &SSFrame1, &SSPanel1, &SSPanel2});
    Menus.AttachOptionsPopupToArrays(SSCommand1, SSCommand4, SSCommand11);
    Menus.AttachOptionsPopupToEveryOtherControl();

    ArrangeControls();
}

InfoAdv::~InfoAdv() = default;

// ---- layout ----------------------------------------------------------------------------------

void InfoAdv::ArrangeControls() {
    // In the full-screen display the viewer follows the main panel's height.
    ArrangeReferenceFrame(*this, SSPanel1, SSCommand4);
    const int ph = SSPanel1.height();

    // The topics down the left, the countdown line below them.
    const int step = std::clamp((ph - 2 * 105 - CountdownHeight - 120) / 10, 300, 580);
    for (auto& [i, b] : SSCommand11) b->move(Margin, 105 + i * step, TopicColumnWidth, step - 60);
    SSPanel2.move(Margin, std::max(105 + 10 * step + 60, ph - 105 - CountdownHeight), TopicColumnWidth,
                  CountdownHeight);

    SizeViewer(viewerSize_);
}

void InfoAdv::SizeViewer(ViewerSize size) {
    viewerSize_ = size;
    const int pw = SSPanel1.width();
    const int H = SSPanel1.height();
    const int left = ContentLeft;
    const int width = std::max(0, pw - left - Margin);

    // Heights and tops of the viewer (and the web button's top) in the two displays.
    int top = 0, height = 0, buttonTop = 0;
    const bool subTopic = size == ViewerSize::SubTopic || size == ViewerSize::NistRecommendations;
    if (DisplayMode == SmallerScreenDisplay) {
        // The sub-topic buttons stand in two rows above the viewer, where one row of their
        // captions does not fit the smaller display's width.
        top = subTopic ? 900 + SubTopicExtraRow : 105;
        switch (size) {
        case ViewerSize::Topic: height = 6975; break;
        case ViewerSize::KeyInformation: height = 6530; break;
        case ViewerSize::SubTopic: height = 6175 - SubTopicExtraRow; break;
        case ViewerSize::NistRecommendations: height = 5730 - SubTopicExtraRow; break;
        }
        buttonTop = 6700;
        // A window smaller than its design keeps the viewer and the button inside the panel.
        const int spare = H - 105 - (top + height);
        if (spare < 0) {
            height = std::max(0, height + spare);
            buttonTop = std::max(0, buttonTop + spare);
        }
    } else {
        top = int(H * (subTopic ? 0.135 : 0.05));
        switch (size) {
        case ViewerSize::Topic: height = int(H * 0.9); break;
        case ViewerSize::KeyInformation: height = int(H * 0.86); break;
        case ViewerSize::SubTopic: height = int(H * 0.815); break;
        case ViewerSize::NistRecommendations: height = int(H * 0.76); break;
        }
        // A tall window gives the sub-topic buttons more room than their one row needs: the
        // viewer then starts right under them and keeps its foot where it was.
        if (subTopic && fitsOneRow(width)) {
            const int snug = 60 + SubTopicFrameOneRow + 60;
            if (top > snug) {
                height += top - snug;
                top = snug;
            }
        }
        buttonTop = top + height + int(H * 0.02);
    }
    RText1.move(left, top, width, height);

    // The sub-topic buttons above the viewer: one row when their captions fit, else two.
    const int frameHeight = std::max(0, top - 60 - 60);
    SSFrame1.move(left, 60, width, frameHeight);
    const int perRow = fitsOneRow(width) ? 4 : 2;
    const int rows = 4 / perRow;
    const int bw = (width - 240 - (perRow - 1) * 90) / perRow;
    const int bh = std::clamp((frameHeight - 300 - 90 - (rows - 1) * 60) / rows, 300, 440);
    for (auto& [i, b] : SSCommand1)
        b->move(120 + (i % perRow) * (bw + 90), 270 + (i / perRow) * (bh + 60), bw, bh);

    const int buttonWidth = SSCommand2.caption() == PdfCaption ? 5600 : 3000;
    SSCommand2.move(left + (width - buttonWidth) / 2, buttonTop, std::min(buttonWidth, width), WebButtonHeight);
}

// Without the resizer (smaller-screen display) the controls keep the places Load gave them.
void InfoAdv::Form_Resize() {
    if (vsElasticLight1.enabled) ArrangeControls();
}

// ---- life cycle ------------------------------------------------------------------------------

void InfoAdv::Form_Load() {
    vsElasticLight1.followDisplayMode();
    frame::PlaceLikeActionArea(*this);
    AdvisorCaption = WindowTitle;
    doEvents();
    ArrangeControls();
    SizeViewer(ViewerSize::Topic);
    // Each list marks its own first entry, the tabs this window's: every button that exists
    // and no other.
    for (auto* list : {&SSCommand1, &SSCommand4, &SSCommand11})
        for (auto& [i, b] : *list) b->setForeColor(paletteColor(0));
    SSCommand11[0].setForeColor(paletteColor(9));
    SSCommand4[OwnTab].setForeColor(paletteColor(9));
    for (auto& [i, tab] : SSCommand4) tab->setAccessibleCurrent(i == OwnTab);
    SSCommand1[0].setForeColor(paletteColor(9));
    // The first topic, laid out with the panel's final height. (A missing document is
    // reported once, by this one load.)
    ArrangeControls();
    SSCommand11[0].setValue(true);
}

void InfoAdv::Form_Activate() {
    frame::HideActionArea();
    // Now that the window stands on the screen its client area is known.
    ArrangeControls();
    HourglassOff();
}

void InfoAdv::Form_Unload(int& cancel) {
    (void)cancel;  // leaving is never refused
    LeaveReferenceWindow(*this, SSCommand4[ExitTab].value(), Area::InformationAdvisor);
}

void InfoAdv::Form_MouseUp(int button, int, int, int) { Menus.PopupOptionsMenu(button); }

// ---- keys ------------------------------------------------------------------------------------

void InfoAdv::Form_KeyDown(int& keyCode, int) {
    if (keyCode == Key::F1) setHelpContextId(HelpContext::InformationAdvisor);
}

void InfoAdv::Form_KeyPress(int& keyAscii) {
    if (keyAscii != Key::Escape) return;
    keyAscii = 0;
    SSCommand4[ExitTab].setValue(true);
}

// ---- topics ----------------------------------------------------------------------------------

void InfoAdv::SSCommand11_Click(int index) {
    SSCommand2.setVisible(false);
    MarkChosenButton(SSCommand11, index, false);
    const AdvisorTopic& topic = AdvisorTopics[std::size_t(index)];
    const QString suffix = *topic.captionSuffix ? QString::fromLatin1(topic.captionSuffix)
                                                : QStringLiteral(" - ") + SSCommand11[index].caption();
    setCaption(AdvisorCaption + suffix);
    SizeViewer(ViewerSize::Topic);
    SSFrame1.setVisible(false);
    SSPanel2.setVisible(false);

    if (index == RiskAnalysisTopic) {
        // The sub-topics bring their own documents: the overview ends up chosen.
        SSFrame1.setVisible(true);
        SSCommand1[2].setValue(true);
        SSCommand1[0].setValue(true);
        setCaption(AdvisorCaption + QStringLiteral(" - ") + SSCommand11[RiskAnalysisTopic].caption() +
                   QStringLiteral(" - ") + SSCommand1[0].caption());
        return;
    }
    LoadTopicDocument(RText1, topic.document, WindowTitle);
    if (index == KeyInformationTopic) {
        SSCommand2.setCaption(PdfCaption);
        SizeViewer(ViewerSize::KeyInformation);
        SSCommand2.setVisible(true);
    }
    if (index == TimelineTopic) ShowCountdown();
}

void InfoAdv::ShowCountdown() {
    const int days = int(platform::clock().today().daysTo(ComplianceDate));
    // On and after the compliance date there is nothing left to count.
    if (days < 0) return;
    LoopIndex = days;
    SSPanel2.setCaption(QStringLiteral("Days Remaining Until April 21, 2005  =  ") + QString::number(days));
    SSPanel2.setVisible(true);
}

void InfoAdv::SSCommand1_Click(int index) {
    SSCommand2.setVisible(false);
    MarkChosenButton(SSCommand1, index, false);
    SizeViewer(ViewerSize::SubTopic);
    LoadTopicDocument(RText1, AdvisorSubTopics[std::size_t(index)].document, WindowTitle);
    if (index == 1) {
        SSCommand2.setCaption(NistCaption);
        SizeViewer(ViewerSize::NistRecommendations);
        SSCommand2.setVisible(true);
        SSCommand2.zOrder(0);
    }
    setCaption(AdvisorCaption + QStringLiteral(" - ") + SSCommand11[RiskAnalysisTopic].caption() +
               QStringLiteral(" - ") + SSCommand1[index].caption());
}

void InfoAdv::SSCommand2_Click() {
    // On the key-information topic the button names the resource guide itself.
    const bool guide = SSCommand11[KeyInformationTopic].bevelWidth() == 0;
    OpenWebAddress(webAddress(guide ? NistSecurityRuleGuideAddress : NistPublicationsIndexAddress));
}

// ---- area tabs -------------------------------------------------------------------------------

void InfoAdv::SSCommand4_Click(int index) { PressAreaTab(*this, SSCommand4, index, OwnTab); }

void InfoAdv::mOTab_Click(int index) { SSCommand4[index].setValue(true); }
