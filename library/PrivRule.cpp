#include "library/PrivRule.h"

#include "catalogue/ContentDocuments.h"

#include "frame/HINFO1.h"
#include "frame/Navigation.h"
#include "frame/SharedMenus.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "printing/PrintTitle.h"

using namespace platform;

const std::array<RuleSectionEntry, 25> RuleSections = {{
    {"Entire Rule", "The Entire Security Rule"},
    {"Summary", "Summary portion of the Rule"},
    {"I. Background", "Background of the Rule."},
    {"II. General Overview", "General Overview of the Proposed Rule"},
    {"III. Analysis of, ...", "Analysis of, and Responses to, Public Comments on the Proposed Rule"},
    {"A. General Issues", "General Issues"},
    {"B. Applicability", "Applicability (Sec. 164.302)"},
    {"C. Transition ...", "Transition to the Final Rule"},
    {"D. General Rules", "General Rules (Sec. 164.306)"},
    {"E. Admin. Safeguards", "Administrative Safeguards (Sec. 164.308)"},
    {"F. Physical Safeguards", "Physical Safeguards (Sec. 164.310)"},
    {"G.Technical Safeguards", "Technical Safeguards (Sec. 164.312)"},
    {"H. Organizational Req.", "Organizational Requirements (Sec. 164.314)"},
    {"I. Policies&&Procedures..", "Policies and Procedures and Documentation Requirements (Sec. 164.316)"},
    {"J. Compliance Dates...", "Compliance Dates for Initial Implementation (Sec. 164.318)"},
    {"K. Appendix", "Appendix"},
    {"L. Misc. Issues", "Miscellaneous Issues."},
    {"M. Proposed Impact...", "Proposed Impact Analysis"},
    {"IV. Provisions of...", "Provisions of the Final Regulation"},
    {"V.Collection of Info...", "Collection of Information Requirements"},
    {"IV. Regulatory Impact...", "Regulatory Impact Analysis"},
    {"V. Federalism", "Federalism"},
    {"List of Subjects", "List of Subjects"},
    {"Subpart C-Sec. Stand...", "Subpart C - Security Standards for the Protection of Electronic Protected Health Information"},
    {"Subpart C- Matrix", "Appendix A to Subpart C of Part 164--Security Standards Matrix"},
}};

QString RuleSectionFileName(int section) { return catalogue::ruleSectionDocument(section); }

namespace {

const QString FontDisplayTitle = QStringLiteral("Font Display");
const QString WindowTitle = QStringLiteral("Security Rule");

// The colour of the window's background label, which the search and print panels take.
constexpr Color PanelColor = rgb(214, 222, 234);
constexpr Color MainPanelColor = rgb(236, 239, 244);

}  // namespace

PrivRule::PrivRule()
    : Form(QStringLiteral("PrivRule")),
      Label1(*this, *this, QStringLiteral("Label1")),
      SSPanel1(*this, *this, QStringLiteral("SSPanel1")),
      SSFrame1(*this, SSPanel1, QStringLiteral("SSFrame1")),
      RText2(*this, SSPanel1, QStringLiteral("RText2")),
      RText(*this, SSPanel1, QStringLiteral("RText")),
      SSCommand3(*this, SSPanel1, QStringLiteral("SSCommand3")),
      SSCommand4(*this, SSPanel1, QStringLiteral("SSCommand4")),
      SSCommand5(*this, SSPanel1, QStringLiteral("SSCommand5")),
      SSCommand6(*this, SSPanel1, QStringLiteral("SSCommand6")),
      Panel3D3(*this, SSPanel1, QStringLiteral("Panel3D3")),
      Text1(*this, Panel3D3, QStringLiteral("Text1")),
      Command5(*this, Panel3D3, QStringLiteral("Command5")),
      Command6(*this, Panel3D3, QStringLiteral("Command6")),
      Print(*this, *this, PrintPanelKind::SecurityRule),
      SSPanel80(Print.SSPanel80),
      VSP1(Print.VSP1),
      SSCommand1(Print.SSCommand1),
      SSCommand80(Print.SSCommand80),
      SSOption82(Print.SSOption82),
      Panel3D80(Print.Panel3D80),
      mO(*this, QStringLiteral("mO"), QStringLiteral("&Options")),
      mOTab0(*this, QStringLiteral("mOTab"), QStringLiteral("&Action Area"), 0),
      mOTab1(*this, QStringLiteral("mOTab"), QStringLiteral("&Information Advisor"), 1),
      mOTab3(*this, QStringLiteral("mOTab"), QStringLiteral("&Miscellaneous"), 3),
      mOSep1(*this, QStringLiteral("mOSep1"), QStringLiteral("-")),
      mOE(*this, QStringLiteral("mOE"), QStringLiteral("E&xit Program")),
      mOSep2(*this, QStringLiteral("mOSep2"), QStringLiteral("-")),
      mOClip(*this, QStringLiteral("mOClip"), QStringLiteral("&Copy to Clipboard")),
      mOFD(*this, QStringLiteral("mOFD"), QStringLiteral("&Font Display")),
      mOPrint(*this, QStringLiteral("mOPrint"), QStringLiteral("&Print")),
      mOSearch(*this, QStringLiteral("mOSearch"), QStringLiteral("&Search")) {
    setCaption(WindowTitle);
    setKeyPreview(true);
    setHelpContextId(HelpContext::SecurityRule);
    move(0, 0, 12000, 9000);

    Label1.setCaption(QString());
    Label1.setBackColor(PanelColor);
    Label1.zOrder(1);
    SSPanel1.setBevelOuter(2);
    SSPanel1.setBevelInner(0);
    SSPanel1.setBackColor(MainPanelColor);

    // The area tabs.
    for (int i = 0; i < 5; ++i) {
        SSCommand& tab = SSCommand2.add(*this, SSPanel1, i);
        tab.setCaption(AreaTabCaptions[i]);
        tab.setFont(ProgramFont(9, true));
    }
    SSCommand2.setOnClick([this](int i) { SSCommand2_Click(i); });

    // The sections.
    SSFrame1.setCaption(QStringLiteral("HIPAA Security Rule"));
    for (int i = 0; i < 25; ++i) {
        SSOption& o = SSOption1.add(*this, SSFrame1, i);
        o.setCaption(QString::fromLatin1(RuleSections[std::size_t(i)].caption));
        o.setToolTipText(QString::fromLatin1(RuleSections[std::size_t(i)].tooltip));
        o.setForeColor(paletteColor(0));
    }
    SSOption1.setOnClick([this](int i) { SSOption1_Click(i); });

    // The viewer: read only; Font Display changes only what it shows.
    RText2.setLocked(true);
    RText2.setAccessibleName(QStringLiteral("Security Rule section"));
    RText2.onClick = [this] { RText2_Click(); };
    RText2.onChange = [this] { RText2_Change(); };
    RText.setLocked(true);
    RText.setVisible(false);
    RText.setAccessibleName(QStringLiteral("Loading"));

    SSCommand3.setCaption(QStringLiteral("&Font Display"));
    SSCommand4.setCaption(QStringLiteral("&Print"));
    SSCommand5.setCaption(QStringLiteral("&Search"));
    SSCommand6.setCaption(QStringLiteral("&Clear"));
    SSCommand3.onClick = [this] { SSCommand3_Click(); };
    SSCommand4.onClick = [this] { SSCommand4_Click(); };
    SSCommand5.onClick = [this] { SSCommand5_Click(); };
    SSCommand6.onClick = [this] { SSCommand6_Click(); };

    // The search panel.
    Panel3D3.setCaption(QStringLiteral("  Enter Word(s) for Search"));
    Panel3D3.setAlignment(0);
    Panel3D3.setBevelOuter(2);
    Panel3D3.setBevelInner(1);
    Panel3D3.setVisible(false);
    Text1.setAccessibleName(QStringLiteral("Search words"));
    Text1.onChange = [this] { Text1_Change(); };
    Command5.setCaption(QStringLiteral("&Search"));
    Command6.setCaption(QStringLiteral("&Close"));
    Command5.onClick = [this] { Command5_Click(); };
    Command6.onClick = [this] { Command6_Click(); };

    // The print panel renders the viewer.
    Print.RebuildAfterPageSetup = [this] { BuildPrintPreview(); };
    Print.RebuildForPaper = [this] { BuildPrintPreview(); };

    // Menus.
    mO.add(mOTab0);
    mO.add(mOTab1);
    mO.add(mOTab3);
    mO.add(mOSep1);
    mO.add(mOE);
    mO.add(mOSep2);
    mO.add(mOClip);
    mO.add(mOFD);
    mO.add(mOPrint);
    mO.add(mOSearch);
    Menus.AddToMenuBar(mO);
    Menus.ScreenTopic = [this] { return ScreenHelpTopic(); };
    Menus.PreviewShowing = [this] { return SSPanel80.visible(); };
    mOTab0.onClick = [this] { mOTab_Click(0); };
    mOTab1.onClick = [this] { mOTab_Click(1); };
    mOTab3.onClick = [this] { mOTab_Click(3); };
    mOE.onClick = [this] { mOE_Click(); };
    mOClip.onClick = [this] { mOClip_Click(); };
    mOFD.onClick = [this] { mOFD_Click(); };
    mOPrint.onClick = [this] { mOPrint_Click(); };
    mOSearch.onClick = [this] { mOSearch_Click(); };

    // The right button pops up the Options menu over the panels, labels and buttons.
    Menus.AttachOptionsPopup({&Command5, &Command6, &Label1, &Panel3D3, &SSCommand3, &SSCommand4,
                                   &SSCommand5, &SSCommand6, &SSFrame1, &SSPanel1});
    Menus.AttachOptionsPopupToArrays(SSCommand2, SSOption1);
    Menus.AttachOptionsPopupToEveryOtherControl();

    // No section is shown yet: nothing to print, search, restyle or copy.
    EnableDocumentCommands(false);
    ArrangeControls();
}

PrivRule::~PrivRule() = default;

// ---- layout ----------------------------------------------------------------------------------

void PrivRule::ArrangeControls() {
    const int w = scaleWidth();
    const int h = scaleHeight();
    Label1.move(0, 0, w, h);
    // The main panel fills the client area: in the full-screen display it follows the window's
    // height (all of it, not a share that would leave an empty strip below); in the smaller
    // display the window keeps its size.
    const int ph = h;
    SSPanel1.move(0, 0, w, ph);

    // The tabs across the top.
    const int tabTop = 90, tabHeight = 420;
    const int tabWidth = (w - 240 - 4 * 60) / 5;
    for (int i = 0; i < 5; ++i) SSCommand2[i].move(120 + i * (tabWidth + 60), tabTop, tabWidth, tabHeight);

    // The sections on the left.
    const int top = tabTop + tabHeight + 120;
    const int frameWidth = 2900;
    const int frameHeight = ph - top - 120;
    SSFrame1.move(120, top, frameWidth, frameHeight);
    const int step = std::max(240, (frameHeight - 330) / 25);
    for (int i = 0; i < 25; ++i) SSOption1[i].move(150, 270 + i * step, frameWidth - 240, step);

    // The viewer with its command row below it.
    const int viewLeft = 120 + frameWidth + 120;
    const int viewWidth = w - viewLeft - 120;
    const int buttonHeight = 440;
    const int viewTop = top + 80;
    const int viewHeight = ph - viewTop - 120 - buttonHeight - 120;
    // While the search bar shows, it stands above the text, which gives it the room: it never
    // covers a section's heading or a match.
    const int barHeight = 560;
    const int textTop = Panel3D3.visible() ? viewTop + barHeight + 60 : viewTop;
    RText2.move(viewLeft, textTop, viewWidth, viewHeight - (textTop - viewTop));
    RText.move(viewLeft, viewTop, viewWidth, viewHeight);
    const int buttonTop = viewTop + viewHeight + 120;
    const int buttonWidth = std::min(1900, (viewWidth - 3 * 120) / 4);
    SSCommand* buttons[4] = {&SSCommand3, &SSCommand4, &SSCommand5, &SSCommand6};
    for (int i = 0; i < 4; ++i) buttons[i]->move(viewLeft + i * (buttonWidth + 120), buttonTop, buttonWidth, buttonHeight);

    // The search bar above the viewer, at its right.
    const int barWidth = std::min(7200, viewWidth);
    Panel3D3.move(viewLeft + viewWidth - barWidth, viewTop, barWidth, barHeight);
    const int boxLeft = 2500;
    const int smallButton = 900;
    Text1.move(boxLeft, 110, barWidth - boxLeft - 2 * smallButton - 3 * 90, 340);
    Command5.move(barWidth - 2 * smallButton - 2 * 90, 90, smallButton, 380);
    Command6.move(barWidth - smallButton - 90, 90, smallButton, 380);

    Print.Arrange(w, h);
}

// Without the resizer (smaller-screen display) the controls keep the places Load gave them.
void PrivRule::Form_Resize() {
    if (vsElasticLight1.enabled) ArrangeControls();
}

// ---- life cycle ------------------------------------------------------------------------------

void PrivRule::Form_Load() {
    doEvents();
    vsElasticLight1.followDisplayMode();
    // The window stands where the Action Area stood.
    frame::PlaceLikeActionArea(*this);
    Panel3D3.setBackColor(Label1.backColor());
    SSPanel80.setBackColor(Label1.backColor());
    Print.RestoreGuideLines();
    Print.SetPortrait();
    RuleCaption = WindowTitle;
    ArrangeControls();
    RequestedArea = Area::None;
    SSCommand2[2].setValue(true);
    doEvents();
    HourglassOff();
}

void PrivRule::Form_Activate() {
    frame::HideActionArea();
    // Now that the window stands on the screen its client area is known.
    ArrangeControls();
    Print.SaveNormalSize();
    doEvents();
    HourglassOff();
}

void PrivRule::Form_Unload(int& cancel) {
    (void)cancel;  // leaving is never refused
    if (SSCommand2[4].value()) {
        HideContentFiles();
        doEvents();
        endProgram();
        return;
    }
    StartUnloadFlag = SecurityRuleReturned;
    // The close box leads to the hub's start page, as the "Action Area" tab does.
    if (RequestedArea == Area::SecurityRule) RequestedArea = Area::None;
    frame::ShowActionAreaAt(left(), top());
    doEvents();
}

void PrivRule::Form_MouseUp(int button, int, int, int) { Menus.PopupOptionsMenu(button); }

// ---- keys ------------------------------------------------------------------------------------

void PrivRule::Form_KeyDown(int& keyCode, int) {
    if (keyCode == Key::F1) setHelpContextId(ScreenHelpTopic());
}

void PrivRule::Form_KeyPress(int& keyAscii) {
    if (keyAscii == Key::Escape) {
        keyAscii = 0;
        if (Print.isShowing() && Print.isEnlarged()) {
            Print.TogglePreviewSize();
        } else if (Print.isShowing()) {
            SSCommand80[2].setValue(true);
        } else if (Panel3D3.visible()) {
            Command6_Click();
        } else {
            mOE_Click();
        }
        return;
    }
    if (keyAscii == Key::Return && Panel3D3.visible()) {
        keyAscii = 0;
        Command5.setFocus();
        Command5_Click();
    }
}

int PrivRule::ScreenHelpTopic() const {
    return SSPanel80.visible() ? HelpContext::PrintPreview : HelpContext::SecurityRule;
}

// ---- sections --------------------------------------------------------------------------------

void PrivRule::SSOption1_Click(int index) {
    for (auto& [i, o] : SSOption1) o->setForeColor(paletteColor(0));
    SSOption1[index].setForeColor(paletteColor(9));
    if (Panel3D3.visible()) {
        Panel3D3.setVisible(false);
        ArrangeControls();
    }
    setCaption(RuleCaption + QStringLiteral(" - ") + SSOption1[index].toolTipText());
    RText.setVisible(true);
    RText.zOrder(0);
    RText2.setHideSelection(false);
    doEvents();
    RuleSection = index;
    const bool loaded = LoadRuleSection();
    doEvents();
    RText.setVisible(false);
    // Only a section that could be read offers its commands.
    if (loaded && !SSCommand5.enabled()) EnableDocumentCommands(true);
    if (loaded) mOClip.setEnabled(true);
    HourglassOff();
}

bool PrivRule::LoadRuleSection() {
    HourglassOn();
    RText2.setText(QString());
    const QString name = RuleSectionFileName(RuleSection);
    // A missing or unreadable document leaves the viewer empty with a short note, instead of
    // stopping the program: the other sections stay readable.
    if (RText2.loadFile(name) != ReadStatus::Ok) {
        EnableDocumentCommands(false);
        HourglassOff();
        msgBox(QStringLiteral("The section document ") + name + QStringLiteral(" could not be read."),
               Msg::Exclamation | Msg::OKOnly, WindowTitle);
        return false;
    }
    EnableDocumentCommands(true);
    doEvents();
    SSCommand4.setFocus();
    HourglassOff();
    return true;
}

void PrivRule::EnableDocumentCommands(bool on) {
    SSCommand4.setEnabled(on);
    mOPrint.setEnabled(on);
    SSCommand3.setEnabled(on);
    SSCommand5.setEnabled(on);
    mOFD.setEnabled(on);
    mOSearch.setEnabled(on);
    mOClip.setEnabled(on);
}

// ---- Font Display ----------------------------------------------------------------------------

void PrivRule::SSCommand3_Click() {
    RText2.setHideSelection(false);
    LoopIndex = RText2.selStart();
    const int length = RText2.selLength();
    if (length == 0) {
        msgBox(QStringLiteral("Please select text to change."), Msg::Information | Msg::OKOnly, FontDisplayTitle);
    } else {
        FontChoice choice = RText2.selFontChoice();
        // Only what the viewer shows changes: the section's document is never written.
        if (dialogs().fontDialog(choice)) RText2.applySelFontChoice(choice);
    }
    RText2.setSelStart(LoopIndex);
    if (length > 0) RText2.setSelLength(length);
    RText2.setFocus();
}

// ---- Clear, Copy, Print ----------------------------------------------------------------------

void PrivRule::SSCommand6_Click() {
    for (auto& [i, o] : SSOption1) o->setForeColor(paletteColor(0));
    setCaption(RuleCaption);
    RText2.setText(QString());
    EnableDocumentCommands(false);
    for (auto& [i, o] : SSOption1) o->setValue(false);
}

void PrivRule::mOClip_Click() { CopyAsRichText(RText2); }

void PrivRule::SSCommand4_Click() {
    PrintPanel::SetMargins(350, 350, 300, 100);
    VSP1.setDisplaySetting(3);
    Print.ShowPanel();
    SSCommand80[2].setFocus();
    doEvents();
    VSP1.clear();
    BuildPrintPreview();
}

void PrivRule::BuildPrintPreview() { RenderRuleSection(Print, RText2, printing::printTitle(caption())); }

// ---- area tabs -------------------------------------------------------------------------------

void PrivRule::SSCommand2_Click(int index) {
    MarkPressedTab(SSCommand2, index);
    RequestedArea = index;
    if (index == Area::SecurityRule) return;
    if (index == Area::Exit) {
        AskExitFromAreaTab(*this, SSCommand2, Area::SecurityRule);
        return;
    }
    unload();
}

void PrivRule::mOTab_Click(int index) { SSCommand2[index].setValue(true); }

void PrivRule::mOE_Click() { SSCommand2[4].setValue(true); }
