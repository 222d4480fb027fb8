#include "library/Miscform1.h"

#include "frame/HINFO1.h"
#include "frame/Navigation.h"
#include "frame/SharedBehaviours.h"
#include "frame/WebLink.h"
#include "library/ReferenceWindows.h"
#include "library/WebAddresses.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "printing/PrintTitle.h"

using namespace platform;
using namespace ReferenceLayout;

namespace {

const QString WindowTitle = QStringLiteral("Miscellaneous");

constexpr int OwnTab = 3;
constexpr int LinksTopic = 2;
constexpr int ProgramInformationTopic = 1;

constexpr Color LinkColor = rgb(0, 51, 153);

// Geometry, in twips.
constexpr int LinkLeft = 3000;
constexpr int LinkHeight = 400;
// The panel's height in the smaller display, which the link tops are laid out for.
constexpr int DesignPanelHeight = 7400;

}  // namespace

Miscform1::Miscform1()
    : Form(QStringLiteral("Miscform1")),
      SSPanel1(*this, *this, QStringLiteral("SSPanel1")),
      RText1(*this, SSPanel1, QStringLiteral("RText1")),
      Label1(*this, SSPanel1, QStringLiteral("Label1")),
      Label3(*this, SSPanel1, QStringLiteral("Label3")),
      Print(*this, *this, PrintPanelKind::Miscellaneous),
      SSPanel80(Print.SSPanel80),
      VSP1(Print.VSP1),
      SSCommand1(Print.SSCommand1),
      SSCommand80(Print.SSCommand80),
      SSOption82(Print.SSOption82),
      Panel3D80(Print.Panel3D80),
      mO(*this, QStringLiteral("mO"), QStringLiteral("&Options")),
      mOTab0(*this, QStringLiteral("mOTab"), QStringLiteral("&Action Area"), 0),
      mOTab1(*this, QStringLiteral("mOTab"), QStringLiteral("&Information Advisor"), 1),
      mOTab2(*this, QStringLiteral("mOTab"), QStringLiteral("&Security Rule"), 2),
      mOTab4(*this, QStringLiteral("mOTab"), QStringLiteral("&Exit Program"), 4),
      mO1(*this, QStringLiteral("mO1"), QStringLiteral("-")),
      mOClip(*this, QStringLiteral("mOClip"), QStringLiteral("&Copy to Clickboard")),
      mO2(*this, QStringLiteral("mO2"), QStringLiteral("-")),
      mOPrint(*this, QStringLiteral("mOPrint"), QStringLiteral("&Print")) {
    setCaption(WindowTitle);
    setKeyPreview(true);
    setHelpContextId(HelpContext::Miscellaneous);
    move(0, 0, 12000, 9000);
    BuildReferenceFrame(*this, SSPanel1, SSCommand4);
    SSCommand4.setOnClick([this](int i) { SSCommand4_Click(i); });

    for (int i = 0; i < int(MiscTopics.size()); ++i) {
        SSCommand& b = SSCommand11.add(*this, SSPanel1, i);
        b.setCaption(QString::fromLatin1(MiscTopics[std::size_t(i)].caption));
        b.setFont(ProgramFont(9, false));
        b.setBevelWidth(2);
    }
    SSCommand11.setOnClick([this](int i) { SSCommand11_Click(i); });

    // The viewer: read only.
    RText1.setLocked(true);
    RText1.setAccessibleName(QStringLiteral("Miscellaneous topic"));

    // The form commands, shown with the two forms only.
    SSCommand2.add(*this, SSPanel1, 0).setCaption(QStringLiteral("&Copy to Clipboard"));
    SSCommand2.add(*this, SSPanel1, 1).setCaption(QStringLiteral("&Print"));
    for (auto& [i, b] : SSCommand2) {
        b->setFont(ProgramFont(9, true));
        b->setVisible(false);
    }
    SSCommand2.setOnClick([this](int i) { SSCommand2_Click(i); });

    // The links page.
    Label1.setCaption(QStringLiteral("HIPPA Web Links"));
    Label1.setFont(ProgramFont(14, true));
    Label1.setTransparent(true);
    Label1.setForeColor(rgb(10, 40, 110));
    Label3.setCaption(QStringLiteral(
        "The following websites contain additional HIPPA information that may be of use to you.  If your "
        "internet provider is running in the background, just click on the link and you will be taken to "
        "that site."));
    Label3.setWordWrap(true);
    Label3.setTransparent(true);
    Label3.setFont(ProgramFont(10, false));
    for (int i = 0; i < int(WebLinks.size()); ++i) {
        const WebLink& link = WebLinks[std::size_t(i)];
        Label& l = Label4.add(*this, SSPanel1, i);
        l.setCaption(QString::fromLatin1(link.caption));
        l.setToolTipText(QString::fromLatin1(link.tooltip));
        Font f = ProgramFont(10, true);
        f.underline = true;
        l.setFont(f);
        l.setForeColor(LinkColor);
        l.setTransparent(true);
        l.setLink(true);
    }
    Label4.setOnClick([this](int i) { Label4_Click(i); });
    Label4.setOnMouseDown([this](int i, int b, int s, int x, int y) { Label4_MouseDown(i, b, s, x, y); });
    Label4.setOnMouseUp([this](int i, int b, int s, int x, int y) { Label4_MouseUp(i, b, s, x, y); });
    for (Label* l : {&Label1, &Label3}) l->setVisible(false);
    for (auto& [i, l] : Label4) l->setVisible(false);

    // The print panel previews the form shown.
    Print.RebuildAfterPageSetup = [this] { RenderPrintPreview(); };
    Print.RebuildForPaper = [this] { RenderPrintPreview(); };

    // Menus.
    for (Menu* m : {&mOTab0, &mOTab1, &mOTab2, &mOTab4, &mO1, &mOClip, &mO2, &mOPrint}) mO.add(*m);
    Menus.AddToMenuBar(mO);
    // The screen entry always names this window; the menu title goes to the print preview's
    // topic while the preview is up.
    Menus.ScreenTopic = [] { return HelpContext::Miscellaneous; };
    Menus.PreviewShowing = [this] { return SSPanel80.visible(); };
    mOTab0.onClick = [this] { mOTab_Click(0); };
    mOTab1.onClick = [this] { mOTab_Click(1); };
    mOTab2.onClick = [this] { mOTab_Click(2); };
    mOTab4.onClick = [this] { mOTab_Click(4); };
    mOClip.onClick = [this] { mOClip_Click(); };
    mOPrint.onClick = [this] { mOPrint_Click(); };
    ShowFormCommands(false);

    // The right button pops up the Options menu over the panel, the labels and every button.
    Menus.AttachOptionsPopup({&Label1, &Label3, &SSPanel1});
    Menus.AttachOptionsPopupToArrays(SSCommand2, SSCommand4, SSCommand11);
    Menus.AttachOptionsPopupToEveryOtherControl();

    ArrangeControls();
}

Miscform1::~Miscform1() = default;

// ---- layout ----------------------------------------------------------------------------------

void Miscform1::ArrangeControls() {
    ArrangeReferenceFrame(*this, SSPanel1, SSCommand4);
    const int ph = SSPanel1.height();
    const int pw = SSPanel1.width();

    const int step = std::clamp((ph - 2 * 105) / 10, 420, 640);
    for (auto& [i, b] : SSCommand11) b->move(Margin, 105 + i * step, TopicColumnWidth, step - 90);

    // The links page: the title and its explanation, then the links at their tops, which the
    // resizer scales with the panel in the full-screen display.
    const double scale = vsElasticLight1.enabled ? double(ph) / DesignPanelHeight : 1.0;
    const int textWidth = std::max(0, pw - LinkLeft - Margin);
    Label1.move(LinkLeft, int(300 * scale), textWidth, 480);
    Label3.move(LinkLeft, int(900 * scale), std::min(textWidth, 8400), 1100);
    for (auto& [i, l] : Label4)
        l->move(LinkLeft, int(WebLinks[std::size_t(i)].top * scale), std::max(0, pw - LinkLeft - Margin), LinkHeight);

    SizeViewer();
    Print.Arrange(scaleWidth(), scaleHeight());
}

void Miscform1::SizeViewer() {
    const int pw = SSPanel1.width();
    const int ph = SSPanel1.height();
    const bool form = MiscTopics[std::size_t(topic_)].form;
    const int left = ContentLeft;
    const int width = std::max(0, pw - left - Margin);
    const int top = 105;
    int height = DisplayMode == FullScreenDisplay ? int(ph * (form ? 0.89 : 0.97)) : (form ? 6790 : 7290);
    // A window smaller than its design keeps the viewer and the form buttons inside the panel.
    const int bottomRoom = form ? 105 + 90 + 420 : 105;
    height = std::max(0, std::min(height, ph - top - bottomRoom));
    RText1.move(left, top, width, height);
    const int buttonTop = top + height + 90;
    SSCommand2[0].move(left, buttonTop, 2400, 420);
    SSCommand2[1].move(left + 2400 + 120, buttonTop, 1800, 420);
}

void Miscform1::Form_Resize() {
    if (vsElasticLight1.enabled) ArrangeControls();
}

// ---- life cycle ------------------------------------------------------------------------------

void Miscform1::Form_Load() {
    vsElasticLight1.followDisplayMode();
    frame::PlaceLikeActionArea(*this);
    doEvents();
    Print.RestoreGuideLines();
    Print.SetPortrait();
    for (auto* list : {&SSCommand4, &SSCommand11})
        for (auto& [i, b] : *list) b->setForeColor(paletteColor(0));
    SSCommand4[OwnTab].setForeColor(paletteColor(9));
    for (auto& [i, tab] : SSCommand4) tab->setAccessibleCurrent(i == OwnTab);
    SSCommand11[0].setForeColor(paletteColor(9));
    LoopIndex = 0;
    ArrangeControls();
    doEvents();
}

// Every activation, also the one after the About or backup window closes, shows the program
// information again.
void Miscform1::Form_Activate() {
    // Now that the window stands on the screen its client area is known.
    ArrangeControls();
    Print.SaveNormalSize();
    frame::HideActionArea();
    SSCommand11[ProgramInformationTopic].setValue(true);
    doEvents();
    HourglassOff();
}

void Miscform1::Form_Unload(int& cancel) {
    (void)cancel;  // leaving is never refused
    LeaveReferenceWindow(*this, SSCommand4[ExitTab].value(), Area::Miscellaneous);
}

void Miscform1::Form_MouseUp(int button, int, int, int) { Menus.PopupOptionsMenu(button); }

// ---- keys ------------------------------------------------------------------------------------

void Miscform1::Form_KeyDown(int& keyCode, int) {
    if (keyCode == Key::F1) setHelpContextId(ScreenHelpTopic());
}

void Miscform1::Form_KeyPress(int& keyAscii) {
    if (keyAscii != Key::Escape) return;
    keyAscii = 0;
    if (Print.isShowing() && Print.isEnlarged()) {
        Print.TogglePreviewSize();
    } else if (!Print.isShowing()) {
        SSCommand4[ExitTab].setValue(true);
    } else {
        SSCommand80[2].setValue(true);
    }
}

int Miscform1::ScreenHelpTopic() const {
    return SSPanel80.visible() ? HelpContext::PrintPreview : HelpContext::Miscellaneous;
}

// ---- topics ----------------------------------------------------------------------------------

void Miscform1::ShowFormCommands(bool on) {
    for (auto& [i, b] : SSCommand2) b->setVisible(on);
    for (Menu* m : {&mO1, &mOClip, &mO2, &mOPrint}) m->setVisible(on);
}

void Miscform1::SSCommand11_Click(int index) {
    MarkChosenButton(SSCommand11, index, false);
    for (auto& [i, b] : SSCommand2) b->setVisible(false);
    for (auto& [i, l] : Label4) l->setVisible(false);
    topic_ = index;

    RText1.setVisible(true);
    Label1.setVisible(false);
    Label3.setVisible(false);
    SizeViewer();

    const MiscTopic& topic = MiscTopics[std::size_t(index)];
    bool formShown = false;
    if (index == LinksTopic) {
        RText1.setVisible(false);
        Label1.setVisible(true);
        Label3.setVisible(true);
        for (auto& [i, l] : Label4) l->setVisible(true);
    } else {
        // Only a form that could be read offers Copy and Print.
        formShown = LoadTopicDocument(RText1, topic.document, WindowTitle) && topic.form;
    }
    if (!formShown && Print.isShowing()) SSPanel80.setVisible(false);
    ShowFormCommands(formShown);
    setCaption(WindowTitle + QStringLiteral(" - ") + SSCommand11[index].caption());
}

// ---- web links -------------------------------------------------------------------------------

void Miscform1::Label4_Click(int index) { OpenWebAddress(webAddress(WebLinks[std::size_t(index)].address)); }

// A pressed link moves down a little, as a button would, and comes back on release.
void Miscform1::Label4_MouseDown(int index, int, int, int, int) {
    LinkLabelTop = std::int16_t(Label4[index].top());
    Label4[index].setTop(LinkLabelTop + 30);
}

void Miscform1::Label4_MouseUp(int index, int button, int, int, int) {
    Label4[index].setTop(LinkLabelTop);
    Menus.PopupOptionsMenu(button);
}

// ---- copy and print --------------------------------------------------------------------------

void Miscform1::SSCommand2_Click(int index) {
    if (index == 0) {
        mOClip_Click();
        return;
    }
    PrintPanel::SetMargins(200, 100, 260, 100);
    RenderPrintPreview();
    doEvents();
    Print.ShowPanel();
}

void Miscform1::mOPrint_Click() {
    PrintPanel::SetMargins(200, 100, 100, 100);
    RenderPrintPreview();
    doEvents();
    Print.ShowPanel();
}

void Miscform1::RenderPrintPreview() { RenderTopic(Print, RText1, printing::printTitle(caption())); }

void Miscform1::mOClip_Click() { CopyAsRichText(RText1); }

// ---- area tabs -------------------------------------------------------------------------------

void Miscform1::SSCommand4_Click(int index) { PressAreaTab(*this, SSCommand4, index, OwnTab); }

void Miscform1::mOTab_Click(int index) { SSCommand4[index].setValue(true); }
