// The Action Area window: its controls and their places, and the window's own events (Load,
// Activate, keys, Unload) with the menu entries every area window shares.
#include "workbook/WorkArea1.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ContentDocuments.h"
#include "catalogue/EntryButtons.h"
#include "catalogue/OverviewRows.h"
#include "frame/HINFO1.h"
#include "frame/Navigation.h"
#include "frame/Settings.h"
#include "frame/SharedMenus.h"
#include "platform/CaptionFit.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Services.h"
#include "workbook/PageLook.h"

#include <QImage>
#include <algorithm>
#include <cmath>

using catalogue::toQString;
using namespace platform;
using namespace workbook;

namespace {

// The room a push button keeps around its caption: its frame and the style's padding.
constexpr int ToolButtonMargins = 300;

}  // namespace

WorkArea1::WorkArea1()
    : Form(QStringLiteral("WorkArea1")),
      SSPanel5(*this, *this, QStringLiteral("SSPanel5")),
      SSPanel2(*this, *this, QStringLiteral("SSPanel2")),
      Label1(*this, SSPanel2, QStringLiteral("Label1")),
      Label10(*this, SSPanel2, QStringLiteral("Label10")),
      Label11(*this, SSPanel2, QStringLiteral("Label11")),
      Label2(*this, SSPanel3[0], QStringLiteral("Label2")),
      Label3(*this, SSPanel3[0], QStringLiteral("Label3")),
      Label4(*this, SSPanel3[0], QStringLiteral("Label4")),
      SSFrame1(*this, SSPanel3[0], QStringLiteral("SSFrame1")),
      VSGd1(*this, SSPanel3[0], QStringLiteral("VSGd1")),
      SSCommand3(*this, SSPanel3[0], QStringLiteral("SSCommand3")),
      SSPanel1(*this, *this, QStringLiteral("SSPanel1")),
      Label5(*this, SSPanel1, QStringLiteral("Label5")),
      Label6(*this, SSPanel1, QStringLiteral("Label6")),
      Label7(*this, SSPanel1, QStringLiteral("Label7")),
      Label9(*this, SSPanel1, QStringLiteral("Label9")),
      Combo1(*this, SSPanel1, QStringLiteral("Combo1")),
      Rtext3(*this, SSPanel1, QStringLiteral("Rtext3")),
      SSFrame3(*this, SSPanel1, QStringLiteral("SSFrame3")),
      SSOption3(*this, SSFrame3, QStringLiteral("SSOption3")),
      SSOption4(*this, SSFrame3, QStringLiteral("SSOption4")),
      SSOption5(*this, SSFrame3, QStringLiteral("SSOption5")),
      SSFrame2(*this, SSPanel1, QStringLiteral("SSFrame2")),
      SSOption6(*this, SSFrame2, QStringLiteral("SSOption6")),
      SSOption2(*this, SSFrame2, QStringLiteral("SSOption2")),
      SSOption7(*this, SSFrame2, QStringLiteral("SSOption7")),
      SSFrame4(*this, SSPanel1, QStringLiteral("SSFrame4")),
      SSCommand2(*this, SSPanel1, QStringLiteral("SSCommand2")),
      SSCommand5(*this, SSPanel1, QStringLiteral("SSCommand5")),
      SSCommand6(*this, SSPanel1, QStringLiteral("SSCommand6")),
      SSCommand7(*this, SSPanel1, QStringLiteral("SSCommand7")),
      SSCommand8(*this, SSPanel1, QStringLiteral("SSCommand8")),
      SSCommand9(*this, SSPanel1, QStringLiteral("SSCommand9")),
      SSCommand10(*this, SSPanel1, QStringLiteral("SSCommand10")),
      SSCommand22(*this, SSPanel1, QStringLiteral("SSCommand22")),
      mO(*this, QStringLiteral("mO"), QStringLiteral("&Options")),
      mOTab1(*this, QStringLiteral("mOTab"), QStringLiteral("&Information Advisor"), 1),
      mOTab2(*this, QStringLiteral("mOTab"), QStringLiteral("&Security Rule"), 2),
      mOTab3(*this, QStringLiteral("mOTab"), QStringLiteral("&Miscellaneous"), 3),
      mOTab4(*this, QStringLiteral("mOTab"), QStringLiteral("&Exit Program"), 4),
      mO1(*this, QStringLiteral("mO1"), QStringLiteral("-")),
      mOGrid(*this, QStringLiteral("mOGrid"), QStringLiteral("&Grid Background Selector")),
      mO2(*this, QStringLiteral("mO2"), QStringLiteral("-")),
      mOClip(*this, QStringLiteral("mOClip"), QStringLiteral("&Copy to Clipboard")),
      mO3(*this, QStringLiteral("mO3"), QStringLiteral("-")),
      mOFont(*this, QStringLiteral("mOFont"), QStringLiteral("&Font Select")),
      mO4(*this, QStringLiteral("mO4"), QStringLiteral("-")),
      mOSpell(*this, QStringLiteral("mOSpell"), QStringLiteral("&Spell Check")),
      mO5(*this, QStringLiteral("mO5"), QStringLiteral("-")),
      mOThes(*this, QStringLiteral("mOThes"), QStringLiteral("&Thesaurus")),
      mO6(*this, QStringLiteral("mO6"), QStringLiteral("-")),
      mODel(*this, QStringLiteral("mODel"), QStringLiteral("&Delete Item from Grid")),
      mOCl(*this, QStringLiteral("mOCl"), QStringLiteral("&Clear Grid")),
      mOIn(*this, QStringLiteral("mOIn"), QStringLiteral("&Insert Row")),
      mOPrint(*this, QStringLiteral("mOPrint"), QStringLiteral("&Print")),
      mO7(*this, QStringLiteral("mO7"), QStringLiteral("-")),
      mOSave(*this, QStringLiteral("mOSave"), QStringLiteral("&Save")),
      mO10(*this, QStringLiteral("mO10"), QStringLiteral("-")),
      mORATitle(*this, QStringLiteral("mORATitle"), QStringLiteral("&Change Worksheet Button Title")) {
    setCaption(QStringLiteral("Action Area"));
    setKeyPreview(true);
    setHelpContextId(HelpContext::ActionAreaPages);
    move(0, 0, 12000, 9000);
    buildControls();
    buildMenus();
    ConnectSpellChecker();
    ToDo.UseMenuEntries({&mODel, &mOCl, &mOIn, &mOSave});
    Menus.AttachOptionsPopupToEveryOtherControl();
    ArrangeControls();
}

WorkArea1::~WorkArea1() = default;

Menu& WorkArea1::mOTab(int index) {
    switch (index) {
    case 1: return mOTab1;
    case 2: return mOTab2;
    case 3: return mOTab3;
    default: return mOTab4;
    }
}

PageContext WorkArea1::pageContext() {
    return PageContext{*this,
                       UnsavedChanges,
                       AreaMode,
                       SpecStatus,
                       [this] { return AskSaveChanges(); },
                       [this](int button) { Menus.PopupOptionsMenu(button); },
                       [this] { SSCommand11[0].setValue(true); },
                       [this] {
                           VSP1.setDisplaySetting(3);
                           mOPrint_Click();
                       },
                       VSSpell1,
                       [this] { return SpellCheckerReady(); }};
}

bool WorkArea1::addPagePanels() {
    for (int i = 0; i < 4; ++i) {
        SSPanel& p = SSPanel3.add(*this, *this, i);
        p.setCaption(QString());
        p.setBevelOuter(i == 2 ? 1 : 2);
    }
    return true;
}

void WorkArea1::buildControls() {
    setBackColor(PageFace);

    // Covering panel: shown over everything while another area window is up.
    SSPanel5.setVisible(false);
    SSPanel5.setBevelOuter(0);
    SSPanel5.setBackColor(PageFace);

    // Area tabs.
    for (int i = 0; i < 5; ++i) {
        SSCommand& b = SSCommand4.add(*this, *this, i);
        b.setCaption(AreaTabCaptions[i]);
        b.setFont(uiFont(9, true));
    }
    SSCommand4.setOnClick([this](int i) { SSCommand4_Click(i); });

    buildPageSelector();
    buildOverviewPage();
    // ---- page 1: the project timeline (its controls are the to-do page's)
    SSPanel3[1].setBackColor(PageFace);

    buildEntryLists();
    buildEditorPanel();

    // Hidden work buffers of the text builders and the printed page.
    for (int i = 0; i < 4; ++i) RText1.add(*this, *this, i).setVisible(false);

    // ---- the print panel: the window renders into it; the panel's own buttons and options
    // are wired by the panel, the check boxes are the window's.
    SSPanel80.setBackColor(PageFace);
    for (auto& [i, l] : Label80) l->setBackColor(PageFace);
    SSCheck80.setOnClick([this](int i) { SSCheck80_Click(i); });
    SSCheck81.setOnClick([this](int i) { SSCheck81_Click(i); });
    Print.RebuildAfterPageSetup = [this] { RebuildAfterPageSetup(); };
    Print.RebuildAfterPrinterFont = [this] { RebuildAfterPrinterFont(); };
    Print.RebuildForPaper = [this] { RebuildForPaper(); };

    // The covering and the overlay panels lie above the pages.
    SSPanel80.zOrder(0);
    SSPanel4.zOrder(0);
    SSPanel5.zOrder(0);

    // The right button over the window's controls pops up the Options menu.
    // (The to-do page wires its own controls.)
    Menus.AttachOptionsPopup({&Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &Label9, &Label10,
                              &Label11, &SSCommand2, &SSCommand3, &SSCommand5, &SSCommand6, &SSCommand7,
                              &SSCommand8, &SSCommand9, &SSCommand10, &SSFrame1, &SSFrame2, &SSFrame3, &SSFrame4,
                              &SSOption2, &SSOption3, &SSOption4, &SSOption5, &SSOption6, &SSOption7, &SSPanel1,
                              &SSPanel2, &VSGd1});
    Menus.AttachOptionsPopupToArrays(Label80, SSCommand4, SSCommand11, SSCommand12, SSCommand13, SSCommand14,
                                     SSCommand15, SSCommand16, SSCommand17, SSCommand18, SSPanel3, SSFrame5,
                                     SSOption8);
}

// The page selector: its title, the ten page buttons and the date line.
void WorkArea1::buildPageSelector() {
    SSPanel2.setBackColor(SelectorFace);
    SSPanel2.setBevelOuter(2);
    Label1.setCaption(QStringLiteral("Action Area Pages"));
    Label1.setBackColor(PageFace);
    Label1.setForeColor(TitleColor);
    Label1.setAlignment(2);
    Label1.setFont(uiFont(9, true));
    for (int i = 0; i < catalogue::PageCount; ++i) {
        SSCommand& b = SSCommand11.add(*this, SSPanel2, i);
        b.setCaption(toQString(catalogue::pageCaption(i)));
        b.setToolTipText(toQString(catalogue::pageCaption(i)).trimmed());
        b.setFont(uiFont(8.25));
    }
    SSCommand11.setOnClick([this](int i) { SSCommand11_Click(i); });
    Label10.setBackColor(SelectorFace);
    Label10.setAlignment(2);
    Label10.setTransparent(true);
    Label11.setVisible(false);
}

// Page 0: the standards overview, its area buttons and grid.
void WorkArea1::buildOverviewPage() {
    SSPanel& overview = SSPanel3[0];
    overview.setBackColor(PageFace);
    Label2.setCaption(toQString(catalogue::OverviewTitle));
    Label2.setBackColor(PageFace);
    Label2.setForeColor(TitleColor);
    Label2.setFont(uiFont(14, true));
    Label2.setAlignment(2);
    Label3.setBackColor(PageFace);
    Label3.setForeColor(TitleColor);
    Label3.setFont(uiFont(11, true));
    Label3.setVisible(false);
    Label4.setCaption(toQString(catalogue::OverviewLegend));
    Label4.setBackColor(PageFace);
    Label4.setAlignment(1);
    Label4.setVisible(false);
    SSFrame1.setCaption(QStringLiteral("Security Standard Safeguards"));
    for (int i = 0; i < 3; ++i) {
        SSCommand& b = SSCommand18.add(*this, SSFrame1, i);
        b.setCaption(toQString(catalogue::OverviewAreaButtons[std::size_t(i)]));
        b.setToolTipText(toQString(catalogue::OverviewAreaButtons[std::size_t(i)]));
    }
    SSCommand18.setOnClick([this](int i) { SSCommand18_Click(i); });
    VSGd1.setCols(catalogue::OverviewColumns);
    VSGd1.setFixedCols(0);
    VSGd1.setFixedRows(1);
    VSGd1.setRows(2);
    VSGd1.setWordWrap(true);
    VSGd1.setAccessibleName(QStringLiteral("Standards overview"));
    VSGd1.setVisible(false);
    SSCommand3.setCaption(QStringLiteral("&Print"));
    SSCommand3.onClick = [this] { SSCommand3_Click(); };
}

// Pages 2-9: the entry page panels, the five entry lists and the worksheet buttons.
void WorkArea1::buildEntryLists() {
    const Font normal = uiFont();
    SSPanel3[2].setBackColor(PageFace);
    SSPanel3[2].setFont(uiFont(10, true));
    SSPanel3[2].setForeColor(TitleColor);
    SSPanel3[3].setBackColor(PageFace);
    const char* const frameCaptions[6] = {"Administrative Safeguards", "Physical Safeguards", "Technical Safeguards",
                                          "Organizational Requirements", "Policies && Documentation",
                                          "Risk Analysis Worksheets"};
    for (int i = 0; i < 6; ++i) {
        SSFrame& f = SSFrame5.add(*this, SSPanel3[2], i);
        f.setCaption(QString::fromLatin1(frameCaptions[i]));
        f.setBackColor(PageFace);
        f.setVisible(false);
    }
    for (const catalogue::EntryButton& e : catalogue::EntryButtons) {
        SSCommand& b = EntryList(e.page).add(*this, SSFrame5[e.page - 2], e.index);
        b.setCaption(toQString(e.caption));
        b.setToolTipText(toQString(e.tooltip));
        b.setFont(normal);
    }
    SSCommand14.setOnClick([this](int i) { SSCommand14_Click(i); });
    SSCommand17.setOnClick([this](int i) { SSCommand17_Click(i); });
    SSCommand16.setOnClick([this](int i) { SSCommand16_Click(i); });
    SSCommand15.setOnClick([this](int i) { SSCommand15_Click(i); });
    SSCommand13.setOnClick([this](int i) { SSCommand13_Click(i); });
    for (int n = 0; n < catalogue::WorksheetCount; ++n) {
        SSCommand& b = SSCommand12.add(*this, SSFrame5[5], n);
        b.setCaption(workbook::defaultWorksheetTitle(n));
        b.setToolTipText(workbook::defaultWorksheetTitle(n));
        b.setFont(normal);
    }
    SSCommand12.setOnClick([this](int i) { SSCommand12_Click(i); });
    Titles.Closed = [this](const workbook::WorksheetTitlesWrite* saved) { WorksheetTitlesClosed(saved); };
}

// The editor panel of pages 2-9: the labels, the status box, the editor, the option frames
// and the tool buttons.
void WorkArea1::buildEditorPanel() {
    SSPanel1.setBackColor(PageFace);
    SSPanel1.setVisible(false);
    for (Label* l : {&Label5, &Label6, &Label7}) {
        l->setBackColor(PageFace);
        l->setFont(uiFont(9, true));
        l->setForeColor(TitleColor);
        l->setWordWrap(false);
    }
    Label9.setCaption(QStringLiteral("   Current Status:"));
    Label9.setBackColor(PageFace);
    Label9.setFont(uiFont(10, true));
    Combo1.setFont(uiFont(10));
    Combo1.setAccessibleName(QStringLiteral("Current status"));
    // The label beside the box names it, also once the box shows a status.
    Combo1.setAccessibleLabel(Label9);
    // The status is only ever chosen from the list, never typed.
    Combo1.setLocked(true);
    Combo1.onClick = [this] { Combo1_Click(); };
    Rtext3.onChange = [this] { Rtext3_Change(); };
    Rtext3.onGotFocus = [this] { Rtext3_GotFocus(); };
    Rtext3.onLostFocus = [this] { Rtext3_LostFocus(); };
    Rtext3.onKeyDown = [this](int& keyCode, int shift) { Rtext3_KeyDown(keyCode, shift); };
    Rtext3.onClick = [this] { Rtext3_Click(); };
    Rtext3.setAccessibleName(QStringLiteral("Document text"));
    Rtext3.setMaxLength(3000);
    Rtext3.setBackColor(rgb(255, 255, 255));
    Rtext3.setLocked(true);
    SSFrame3.setCaption(QStringLiteral("Actions"));
    SSOption3.setCaption(QStringLiteral("Action Taken"));
    SSOption4.setCaption(QStringLiteral("Comments/Notes"));
    SSOption5.setCaption(QStringLiteral("Policies && Procedures/Plan"));
    SSFrame2.setCaption(QStringLiteral("References"));
    SSOption6.setCaption(QStringLiteral("Implementation specification"));
    SSOption2.setCaption(QStringLiteral("References in Rule"));
    SSOption7.setCaption(QStringLiteral("Additional Information"));
    SSOption2.onClick = [this] { SSOption2_Click(); };
    SSOption3.onClick = [this] { SSOption3_Click(); };
    SSOption4.onClick = [this] { SSOption4_Click(); };
    SSOption5.onClick = [this] { SSOption5_Click(); };
    SSOption6.onClick = [this] { SSOption6_Click(); };
    SSOption7.onClick = [this] { SSOption7_Click(); };
    SSFrame4.setCaption(QStringLiteral("Text Location"));
    const char* const alignCaptions[3] = {"Left", "Center", "Right"};
    for (int i = 0; i < 3; ++i) SSOption8.add(*this, SSFrame4, i).setCaption(QString::fromLatin1(alignCaptions[i]));
    SSOption8.setOnClick([this](int i) { SSOption8_Click(i); });
    SSCommand2.setCaption(QStringLiteral("&Insert Template"));
    SSCommand5.setCaption(QStringLiteral("&Print"));
    SSCommand6.setCaption(QStringLiteral("&Save"));
    SSCommand7.setCaption(QStringLiteral("E&xit"));
    SSCommand8.setCaption(QStringLiteral("&Font Select"));
    SSCommand9.setCaption(QStringLiteral("&Thesaurus"));
    SSCommand10.setCaption(QStringLiteral("Spell &Check"));
    SSCommand22.setCaption(QStringLiteral("Compliance Status"));
    SSCommand22.setVisible(false);
    SSCommand2.onClick = [this] { SSCommand2_Click(); };
    SSCommand5.onClick = [this] { SSCommand5_Click(); };
    SSCommand6.onClick = [this] { SSCommand6_Click(); };
    SSCommand7.onClick = [this] { SSCommand7_Click(); };
    SSCommand8.onClick = [this] { SSCommand8_Click(); };
    SSCommand9.onClick = [this] { SSCommand9_Click(); };
    SSCommand10.onClick = [this] { SSCommand10_Click(); };
    SSCommand22.onClick = [this] { SSCommand22_Click(); };
}

void WorkArea1::buildMenus() {
    Menus.AddToMenuBar(mO);
    Menus.ScreenTopic = [this] { return ScreenHelpTopic(); };
    Menus.BeforeScreenTopic = [this] {
        if (!Print.isShowing() && AreaMode == catalogue::PageTimeline) ToDo.HideCalendar();
    };
    Menus.PreviewShowing = [this] { return Print.isShowing(); };
    // The backup copies the files as they stand, and a restore replaces them: unsaved text is
    // offered for saving first.
    Menus.BeforeBackup = [this] {
        if (UnsavedChanges == 1) {
            if (!AskSaveChanges()) return false;  // no backup without the text the user asked to save
            UnsavedChanges = 0;
        }
        return true;
    };
    Menus.BeforeRestore = Menus.BeforeBackup;
    Menus.AfterRestore = [this] { SSCommand4_Click(0); };
    for (int i = 1; i <= 4; ++i) {
        mO.add(mOTab(i));
        mOTab(i).onClick = [this, i] { mOTab_Click(i); };
    }
    mO.add(mO1);
    mO.add(mOGrid);
    const char* const gridCaptions[9] = {"&None", "&1", "&2", "&3", "&4", "&5", "&6", "&7", "&8"};
    for (int i = 0; i < 9; ++i) {
        gridMenus_[std::size_t(i)] =
            std::make_unique<Menu>(*this, QStringLiteral("mOGrid1"), QString::fromLatin1(gridCaptions[i]), i);
        mOGrid1[std::size_t(i)] = gridMenus_[std::size_t(i)].get();
        mOGrid.add(*mOGrid1[std::size_t(i)]);
        mOGrid1[std::size_t(i)]->onClick = [this, i] { mOGrid1_Click(i); };
    }
    for (Menu* m : {&mO2, &mOClip, &mO3, &mOFont, &mO4, &mOSpell, &mO5, &mOThes, &mO6, &mODel, &mOCl, &mOIn,
                    &mOPrint, &mO7, &mOSave, &mO10, &mORATitle})
        mO.add(*m);
    mO.onClick = [this] { mO_Click(); };
    mOClip.onClick = [this] { mOClip_Click(); };
    mOFont.onClick = [this] { mOFont_Click(); };
    mOSpell.onClick = [this] { mOSpell_Click(); };
    mOThes.onClick = [this] { mOThes_Click(); };
    mODel.onClick = [this] { mODel_Click(); };
    mOCl.onClick = [this] { mOCl_Click(); };
    mOIn.onClick = [this] { mOIn_Click(); };
    mOPrint.onClick = [this] { mOPrint_Click(); };
    mOSave.onClick = [this] { mOSave_Click(); };
    mORATitle.onClick = [this] { mORATitle_Click(); };
}

// ---- layout ------------------------------------------------------------------------------------

void WorkArea1::Form_Resize() { ArrangeControls(); }

// Places every control in proportion to the window's client area. In the smaller-screen
// display the resizer is off and the window keeps its size, so the places stay as first made.
void WorkArea1::ArrangeControls() {
    const int W = std::max(scaleWidth(), 9000);
    const int H = std::max(scaleHeight(), 6000);
    const int tabH = 450;
    for (int i = 0; i < 5; ++i) SSCommand4[i].move(i * W / 5, 0, W / 5 - (i < 4 ? 15 : 0), tabH);
    SSPanel5.move(0, 0, W, H);

    // Page selector column. The columns beside the editor are kept narrow (their captions wrap
    // or fit their font), so that the editor has the room on the smallest screen.
    const int selW = std::max(1950, W * 17 / 100);
    const int bodyTop = tabH + 30;
    const int bodyH = H - bodyTop;
    SSPanel2.move(0, bodyTop, selW, bodyH);
    Label1.move(60, 60, selW - 120, 360);
    const int btnTop = 480;
    const int btnH = std::clamp((bodyH - btnTop - 600) / 10, 330, 620);
    for (int i = 0; i < 10; ++i) SSCommand11[i].move(90, btnTop + i * btnH, selW - 180, btnH - 45);
    Label10.move(60, bodyH - 420, selW - 120, 300);

    // Page area.
    const int x0 = selW + 30;
    const int pw = W - x0;
    const int ph = bodyH;
    SSPanel3[0].move(x0, bodyTop, pw, ph);
    SSPanel3[1].move(x0, bodyTop, pw, ph);

    // Page 0.
    Label2.move(120, 60, pw - 240, 450);
    const int frameW = std::min(pw - 1650, 9600);
    SSFrame1.move(120, 540, frameW, 720);
    for (int i = 0; i < 3; ++i) SSCommand18[i].move(75 + i * (frameW - 120) / 3, 240, (frameW - 120) / 3 - 30, 390);
    SSCommand3.move(pw - 1470, 720, 1350, 480);
    Label3.move(120, 1340, pw / 2, 330);
    Label4.move(pw / 2, 1370, pw / 2 - 120, 300);
    VSGd1.move(120, 1700, pw - 240, ph - 1820);
    // The overview's columns and rows follow the grid's new size.
    if (gridSetUp_) FitOverviewRows();

    // Page 1.
    ToDo.Arrange(pw, ph);

    // Entry pages: the list column and the editor panel.
    const int listW = std::max(2350, pw * 22 / 100);
    SSPanel3[2].move(x0, bodyTop, listW, ph);
    SSPanel3[3].move(x0 + listW + 15, bodyTop, pw - listW - 15, ph);
    for (int f = 0; f < 6; ++f) SSFrame5[f].move(60, 60, listW - 120, ph - 120);
    // The five entry lists and the worksheet buttons.
    for (int page = catalogue::PageAdministrative; page <= catalogue::PageWorksheets; ++page) {
        ControlArray<SSCommand>& list = page == catalogue::PageWorksheets ? SSCommand12 : EntryList(page);
        const int n = list.count();
        const int rowH = std::min(480, (ph - 480) / std::max(n, 1));
        // The few long buttons of the short lists get room for two lines.
        const int bh = n <= 3 ? std::min(960, (ph - 480) / std::max(n, 1)) : rowH;
        for (auto& [i, b] : list) b->move(90, 270 + i * bh, listW - 300, bh - 30);
    }

    ArrangeEditorPanel(x0 + listW + 60, bodyTop + 15, W - (x0 + listW + 60) - 45, ph - 45);

    // Worksheet title panel: over the page area.
    Titles.Arrange(x0, bodyTop, pw, ph);

    // Print panel: over the whole window.
    Print.Arrange(scaleWidth(), scaleHeight());
}

// The editor panel at (ex, ey), ew by eh twips: the labels along its top, the editor, and the
// tool column of the status box, the option frames and the tool buttons.
void WorkArea1::ArrangeEditorPanel(int ex, int ey, int ew, int eh) {
    SSPanel1.move(ex, ey, ew, eh);
    // The tool column is at least as wide as two of its buttons need for their captions on
    // one line ("Insert Template" and "New Worksheet" share a button).
    int toolCaption = std::max(captionWidth(SSCommand2, QStringLiteral("&Insert Template")),
                               captionWidth(SSCommand2, QStringLiteral("New Worksheet")));
    for (SSCommand* b : {&SSCommand22, &SSCommand5, &SSCommand6, &SSCommand8, &SSCommand9, &SSCommand10, &SSCommand7})
        toolCaption = std::max(toolCaption, captionWidth(*b, b->caption()));
    const int toolW = std::max(std::clamp(ew * 28 / 100, 2750, 3600), 2 * (toolCaption + ToolButtonMargins) + 60);
    const int toolX = ew - toolW - 60;
    const int top = eh * 19 / 100;
    const int labelH = std::max(240, (top - 120) / 3);
    Label5.move(90, 60, ew - 180, labelH);
    Label6.move(90, 60 + labelH, ew - 180, labelH);
    Label7.move(90, 60 + 2 * labelH, ew - 180, labelH);
    const bool fullEditor = editorPage_ == catalogue::PageWorksheets || editorPage_ == catalogue::PageRecoveryPlan;
    const int edTop = fullEditor ? eh * 2 / 100 : eh * 195 / 1000;
    const int edH = fullEditor ? eh * 97 / 100 : eh * 795 / 1000;
    Rtext3.move(90, edTop, toolX - 150, std::min(edH, eh - edTop - 60));
    // The tool column: on the worksheet and recovery-plan pages, where the status (worksheets
    // only) and the Actions and References frames are not shown, the tools stand at its top.
    int y = fullEditor ? edTop : top;
    if (editorPage_ != catalogue::PageRecoveryPlan) {
        Label9.move(toolX, y, toolW, 300);
        y = fullEditor ? y + 300 : std::max(eh * 232 / 1000, y + 300);
        Combo1.move(toolX, y, toolW, 345);
        y += 450;
    }
    SSOption3.move(60, 240, toolW - 90, 270);
    SSOption4.move(60, 525, toolW - 90, 270);
    SSOption5.move(60, 810, toolW - 90, 270);
    SSOption6.move(60, 240, toolW - 90, 270);
    SSOption2.move(60, 525, toolW - 90, 270);
    SSOption7.move(60, 810, toolW - 90, 270);
    if (!fullEditor) {
        SSFrame3.move(toolX, y, toolW, 1140);
        y += 1200;
        SSFrame2.move(toolX, y, toolW, 1140);
        y += 1200;
    }
    SSFrame4.move(toolX, y, toolW, 600);
    // "Left", "Center", "Right": each option as wide as its caption needs of the frame.
    const int share[3] = {30, 37, 33};
    for (int i = 0, x = 45; i < 3; x += (toolW - 60) * share[i] / 100, ++i)
        SSOption8[i].move(x, 240, (toolW - 60) * share[i] / 100 - 15, 270);
    y += 690;
    const int bw = (toolW - 60) / 2;
    SSCommand*const tools[8] = {&SSCommand2, &SSCommand22, &SSCommand5, &SSCommand6,
                                &SSCommand8, &SSCommand9, &SSCommand10, &SSCommand7};
    const int toolH = std::clamp((eh - y - 90) / 4, 330, 480);
    for (int i = 0; i < 8; ++i) tools[i]->move(toolX + (i % 2) * (bw + 60), y + (i / 2) * toolH, bw, toolH - 45);
}

// ---- life cycle ----------------------------------------------------------------------------------

void WorkArea1::Form_Load() {
    // The resizer follows the display mode.
    vsElasticLight1.followDisplayMode();
    doEvents();
    // Every status of the store.
    ReadStatusStore(1, catalogue::LastStatusNumber);
    // Nothing is being looped over or asked for yet; the window takes the start window's place.
    LoopIndex = 0;
    RequestedArea = Area::None;
    frame::PlaceLikeStartWindow(*this);
    // The print font starts as the editor's font.
    UsePrintFont(Rtext3.font());
    // The print options are restored without being stored or rebuilt.
    LoopIndex = RestoringPrintOptions;
    SSCheck80[0].setValue(1);
    SSCheck80[1].setValue(1);
    // Grid wallpaper.
    ApplyGridWallpaper(frame::readGridWallpaperSetting());
    // Guide lines: "1" shows them, anything else not; the choice is shown, not stored again.
    // The restore ends the marker, so the to-do report's options below set it once more.
    Print.RestoreGuideLines();
    doEvents();
    // The print panel starts in portrait.
    Print.SetPortrait();
    // The overview page: the administrative safeguards chosen, no editor panel, the grid set up.
    SSCommand18[0].setValue(true);
    SSPanel1.setVisible(false);
    SetupSafeguardGrid();
    VSGd1.setBackColor(Rtext3.backColor());
    doEvents();
    // Nothing is unsaved; the to-do report's options are restored like the others.
    UnsavedChanges = 0;
    LoopIndex = RestoringPrintOptions;
    SSCheck81[0].setValue(1);
    SSCheck81[1].setValue(1);
    // The print options are restored: from here on a tick or a guide-line choice is the user's
    // and is stored and rebuilt.
    LoopIndex = 0;
    // Colours.
    SSPanel80.setBackColor(Label2.backColor());
    Panel3D82.setBackColor(Label2.backColor());
    Panel3D80[2].setCaption(QStringLiteral(" Portrait"));
    Combo1.setBackColor(Text2.backColor());
    // The to-do page's colours and its item length.
    ToDo.Form_Load(Label2.backColor());
    // The spell checker's correction table, the print font's styles, the sample notes not yet shown.
    LoadSpellCorrections();
    PrintFontUnderline = false;
    PrintFontStrikethru = false;
    PrintFontColor = VSGd2.foreColor();
    SampleNoteShown = 0;
    SamplePolicyNoteShown = 0;
    // Page and tab colours.
    for (int i = 0; i <= 7; ++i) {
        if (i < 5) SSCommand4[i].setForeColor(paletteColor(0));
        SSCommand11[i].setForeColor(paletteColor(0));
        if (i == 2 || i == 3) SSPanel3[i].setVisible(false);
    }
    SSCommand4[0].setForeColor(paletteColor(9));
    for (int i = 0; i < 5; ++i) SSCommand4[i].setAccessibleCurrent(i == 0);
    SSCommand11[0].setForeColor(paletteColor(9));
    // The controls follow the window's size in the full-screen display only.
    doEvents();
    if (DisplayMode == SmallerScreenDisplay) return;
    ArrangeControls();
    doEvents();
}

void WorkArea1::Form_Activate() {
    frame::HideStartWindow();
    HourglassOn();
    if (RequestedArea != Area::None) {
        if (!SSPanel5.visible()) {
            SSPanel5.setVisible(true);
            SSPanel5.zOrder(0);
            SSPanel5.setFocus();
        }
        bool windowShown = true;
        switch (RequestedArea) {
        case Area::InformationAdvisor:
            setCaption(QStringLiteral("Information Advisor"));
            RequestedArea = Area::None;
            frame::ShowInformationAdvisor();
            break;
        case Area::SecurityRule:
            setCaption(QStringLiteral("Security Rule"));
            RequestedArea = Area::None;
            frame::ShowSecurityRule();
            break;
        case Area::Miscellaneous:
            setCaption(QStringLiteral("Miscellaneous"));
            RequestedArea = Area::None;
            frame::ShowMiscellaneous();
            break;
        default:
            RequestedArea = Area::None;
            HourglassOff();
            windowShown = false;
            break;
        }
        doEvents();
        // An exit request that reaches this point opens no window: the hub must not stay
        // covered, so it goes on as an activation without a request.
        if (windowShown) return;
    }
    // No request: back to the first page with the administrative overview.
    if (SSPanel5.visible()) SSPanel5.setVisible(false);
    SSCommand4[0].setValue(true);
    SSCommand11[0].setValue(true);
    Print.SaveNormalSize();
    AreaMode = 0;
    PrintModeFlag = NotComposingForPrint;
    doEvents();
    ToDo.Form_Activate();
    VSGd1.setRow(1);
    VSGd1.setCol(1);
    if (VSGd2.text().isEmpty()) ToDo.EnableSave(false);
    if (SSCommand19[0].enabled()) SSCommand19[0].setFocus();
    const QDate today = platform::clock().today();
    Label10.setCaption(QStringLiteral("Date: ") + englishMonthName(today.month()) + QLatin1Char(' ') +
                       QString::number(today.day()) + QStringLiteral(", ") + QString::number(today.year()));
    doEvents();
    HourglassOff();
}

// ---- keys ----------------------------------------------------------------------------------------

int WorkArea1::ScreenHelpTopic() const {
    if (Print.isShowing()) return HelpContext::PrintPreview;
    switch (AreaMode) {
    case catalogue::PageTimeline: return HelpContext::ProjectTimeline;
    case catalogue::PageWorksheets: return HelpContext::Worksheets;
    case catalogue::PageRecoveryPlan: return HelpContext::RecoveryPlan;
    default: return HelpContext::ActionAreaPages;
    }
}

void WorkArea1::Form_KeyDown(int& keyCode, int) {
    if (keyCode == Key::F1) {
        // The help key then opens the topic of what the window shows.
        setHelpContextId(ScreenHelpTopic());
        return;
    }
    // Delete acts on the to-do grid only while its page is shown.
    if (AreaMode == catalogue::PageTimeline) ToDo.Form_KeyDown(keyCode);
}

void WorkArea1::Form_KeyPress(int& keyAscii) {
    if (keyAscii != Key::Escape) return;
    keyAscii = 0;
    if (SSPanel4.visible()) {
        Titles.SSCommand21_Click(1);
    } else if (Print.isShowing() && Print.isEnlarged()) {
        SSCommand1_Click();
    } else if (!Print.isShowing()) {
        SSCommand4[4].setValue(true);
    } else {
        SSCommand80_Click(2);
    }
}

void WorkArea1::Form_Unload(int& cancel) {
    if (UnsavedChanges == 1) {
        // A Yes whose save failed keeps the program running with the text in the editor.
        if (!AskSaveChanges()) {
            cancel = 1;
            return;
        }
        UnsavedChanges = 0;
    }
    LoopIndex = 0;
    SpecStatus.fill(QString());
    ToDo.ToDoNames = {};
    HideContentFiles();
    doEvents();
    endProgram();
}

void WorkArea1::Form_MouseUp(int button, int, int, int) { Menus.PopupOptionsMenu(button); }

// ---- settings ------------------------------------------------------------------------------------

// The wallpaper of both grids from its stored number: 0 none, 1-8 the pictures WP1-WP8.jpg.
// Any other number is not one of the menu's entries: nothing is checked and no picture loaded.
void WorkArea1::ApplyGridWallpaper(int stored) {
    for (int i = 0; i < 9; ++i) mOGrid1[std::size_t(i)]->setChecked(false);
    if (stored == 0) {
        mOGrid1[0]->setChecked(true);
        VSGd1.clearWallPaper();
        VSGd2.clearWallPaper();
        VSGd1.setBackColor(Rtext3.backColor());
        VSGd2.setBackColor(Rtext3.backColor());
        return;
    }
    if (stored < 1 || stored > 8) return;
    mOGrid1[std::size_t(stored)]->setChecked(true);
    const QString picture = QStringLiteral("WP%1.jpg").arg(stored);
    for (Grid* g : {&VSGd1, &VSGd2}) {
        g->clearWallPaper();
        const ReadResult r = readWholeFile(picture);
        QImage img;
        if (r.ok() && img.loadFromData(r.bytes)) g->setWallPaper(img);
    }
}

// ---- the Options menu's area tabs -------------------------------------------------------------

void WorkArea1::mOTab_Click(int index) { SSCommand4[index].setValue(true); }

// The to-do grid's row commands of the Options menu are the page's own.
void WorkArea1::mODel_Click() { ToDo.mODel_Click(); }
void WorkArea1::mOCl_Click() { ToDo.mOCl_Click(); }
void WorkArea1::mOIn_Click() { ToDo.mOIn_Click(); }
