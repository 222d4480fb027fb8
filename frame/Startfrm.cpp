#include "frame/Startfrm.h"

#include "backup/DiskRestore.h"

#include "frame/Artwork.h"
#include "frame/HINFO1.h"
#include "frame/Navigation.h"
#include "frame/Settings.h"
#include "frame/SharedBehaviours.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"

using namespace platform;

Startfrm::Startfrm()
    : Form(QStringLiteral("Startfrm")),
      SSPanel1(*this, *this, QStringLiteral("SSPanel1")),
      Command2(*this, SSPanel1, QStringLiteral("Command2")),
      Label8(*this, SSPanel1, QStringLiteral("Label8")),
      Image1(*this, SSPanel1, QStringLiteral("Image1")),
      Label1(*this, SSPanel1, QStringLiteral("Label1")),
      mO(*this, QStringLiteral("mO"), QStringLiteral("&Options")),
      mOBC(*this, QStringLiteral("mOBC"), QStringLiteral("&Background Color")),
      mOP(*this, QStringLiteral("mOP"), QStringLiteral("&Program Display")),
      mOPF(*this, QStringLiteral("mOPF"), QStringLiteral("&Full Screen Display")),
      mOPS(*this, QStringLiteral("mOPS"), QStringLiteral("&Smaller Screen Display")),
      mOSep1(*this, QStringLiteral("mOSep1"), QStringLiteral("-")),
      mOB(*this, QStringLiteral("mOB"), QStringLiteral("&Begin Program")),
      mOSep2(*this, QStringLiteral("mOSep2"), QStringLiteral("-")),
      mOE(*this, QStringLiteral("mOE"), QStringLiteral("E&xit")) {
    setCaption(QStringLiteral("Quorvane - Start Screen"));
    setHelpContextId(HelpContext::ProgramOverview);
    move(0, 0, 12000, 9000);

    // The start panel: the product name, the picture and the buttons.
    SSPanel1.move(0, 0, 6600, 4700);
    SSPanel1.setBevelOuter(2);
    SSPanel1.setBevelInner(1);
    Image1.move(300, 300, 1800, 1800);
    Image1.setPicture(StartPicture(120));
    Image1.setAccessibleName(QStringLiteral("Program picture: a document with a checked shield"));
    Label8.setCaption(QStringLiteral("Quorvane"));
    Font title;
    title.name = QStringLiteral("DejaVu Serif");
    title.size = 28;
    title.bold = true;
    Label8.setFont(title);
    Label8.setForeColor(rgb(10, 40, 110));
    Label8.move(2300, 450, 4100, 800);
    Label1.setCaption(QStringLiteral("HIPAA Security Rule compliance workbook"));
    Label1.setBackColor(SysButtonFace);
    Label1.move(2300, 1300, 4100, 600);
    const QString displayCaptions[2] = {QStringLiteral("&Full Screen Display"),
                                        QStringLiteral("&Smaller Screen Display")};
    for (int i = 0; i < 2; ++i) {
        CommandButton& b = Command1.add(*this, SSPanel1, i);
        b.setCaption(displayCaptions[i]);
        // Both display buttons stand at the same place; only one is visible.
        b.move(900, 3700, 4800, 500);
    }
    Command1.setOnClick([this](int i) { Command1_Click(i); });
    Command2.setCaption(QStringLiteral("&Click Here to Begin Program"));
    Command2.move(900, 2500, 4800, 900);
    Font big;
    big.name = QStringLiteral("DejaVu Sans");
    big.size = 12;
    big.bold = true;
    Command2.setFont(big);
    Command2.onClick = [this] { Command2_Click(); };

    // Menus.
    mO.add(mOBC);
    mO.add(mOP);
    mOP.add(mOPF);
    mOP.add(mOPS);
    mO.add(mOSep1);
    mO.add(mOB);
    mO.add(mOSep2);
    mO.add(mOE);
    Menus.AddToMenuBar(mO);
    mO.onClick = [this] { mO_Click(); };
    mOP.onClick = [this] { mOP_Click(); };
    mOPF.onClick = [this] { mOPF_Click(); };
    mOPS.onClick = [this] { mOPS_Click(); };
    mOBC.onClick = [this] { mOBC_Click(); };
    mOB.onClick = [this] { mOB_Click(); };
    mOE.onClick = [this] { mOE_Click(); };

    Menus.AttachOptionsPopup({&Command1[0], &Command1[1], &Command2, &Image1, &Label1, &Label8, &SSPanel1});
    Menus.AttachOptionsPopupToEveryOtherControl();
}

// ---- life cycle ------------------------------------------------------------------------------

// A restore stopped while it replaced the user files (the program was killed, the power
// failed) is undone before anything reads them, and the user is told.
void Startfrm::FinishInterruptedRestore() {
    QString why;
    backup::SetAside aside;
    switch (backup::finishInterruptedRestore(&why, &aside)) {
    case backup::InterruptedRestore::PutBack:
        msgBox(QStringLiteral("Quorvane was stopped while it restored the User Created Files.") + CR +
                   QStringLiteral("They have been put back as they were before the restore."),
               Msg::OKOnly | Msg::Information, QStringLiteral("Restore Function"));
        break;
    case backup::InterruptedRestore::Failed:
        msgBox(QStringLiteral("Quorvane was stopped while it restored the User Created Files, and they could not be "
                              "put back as they were before the restore:") +
                   CR + why + CR + QStringLiteral("Quorvane will try again when it is started next."),
               Msg::OKOnly | Msg::Critical, QStringLiteral("Restore Function"));
        break;
    case backup::InterruptedRestore::SetAside:
        msgBox(backup::setAsideMessage(aside, CR), Msg::OKOnly | Msg::Exclamation, backup::SetAsideTitle);
        break;
    case backup::InterruptedRestore::None:
    case backup::InterruptedRestore::Cleared:
        break;
    }
}

void Startfrm::Form_Load() {
    makeProgramFolderCurrent();
    removeInterruptedSaves();  // what a save cut off by a crash or power loss left behind
    FinishInterruptedRestore();
    HourglassOn();
    SSPanel1.setVisible(false);
    if (frame::readSmallerScreenSetting()) {
        DisplayMode = SmallerScreenDisplay;
        setWindowState(WindowState::Normal);
    } else {
        DisplayMode = FullScreenDisplay;
        setWindowState(WindowState::Maximized);
    }
    doEvents();
    CheckScreenResolution();
    StartHeight = height();
    StartWidth = width();
    if (SplashShown == SplashNotShown) {
        frame::ShowSplash();
        doEvents();
        SplashShown = SplashWasShown;
    }
    LoadBackgroundColor();
    // The visible button always offers the other mode.
    Command1[0].setVisible(DisplayMode == SmallerScreenDisplay);
    Command1[1].setVisible(DisplayMode != SmallerScreenDisplay);
    doEvents();
    StartUnloadFlag = StartUnloadNormal;
    doEvents();
    HourglassOff();
}

void Startfrm::CheckScreenResolution() {
    if (screen().widthTwips() < 9945 || screen().heightTwips() < 7590) {
        msgBox(QStringLiteral("Monitor Resolution Settings (Screen Area) and Program Size requirements are at "
                              "least 800 by 600 or Higher.") +
                   CR +
                   QStringLiteral("If you do not set your screen resolution to this setting or higher this "
                                  "program will not function properly!"),
               Msg::Information | Msg::OKOnly, QStringLiteral("Program Display Option"));
        mOPF_Click();
        return;
    }
    if (DisplayMode == SmallerScreenDisplay) {
        setWidth(12000);
        setHeight(9000);
        setTop(screen().heightTwips() / 2 - height() / 2);
        setLeft(screen().widthTwips() / 2 - width() / 2);
    }
}

void Startfrm::Form_Activate() {
    if (StartUnloadFlag == SecurityRuleReturned) {
        unload();
        doEvents();
        return;
    }
    HourglassOn();
    // Restoring or maximising the window by hand switches the stored display mode.
    if (windowState() == WindowState::Normal && DisplayMode == FullScreenDisplay) mOPS_Click();
    if (windowState() == WindowState::Maximized && DisplayMode == SmallerScreenDisplay) mOPF_Click();
    StartWidth = width();
    StartHeight = height();
    if (StartBackColor.type == VariantValue::Integer) setBackColor(Color(StartBackColor.integer));
    makeProgramFolderCurrent();
    refresh();
    doEvents();
    HourglassOff();
    doEvents();
    CentreStartPanel();
    doEvents();
    SSPanel1.setVisible(true);
    HourglassOff();
    makeProgramFolderCurrent();
    ShowContentFiles();
    Command2.setFocus();
}

void Startfrm::Form_Resize() {
    if (StartUnloadFlag == SecurityRuleReturned) return;
    if (windowState() == WindowState::Normal && DisplayMode == FullScreenDisplay) mOPS_Click();
    if (windowState() == WindowState::Maximized && DisplayMode == SmallerScreenDisplay) mOPF_Click();
    StartWidth = width();
}

void Startfrm::Form_Unload(int&) {
    HideContentFiles();
    doEvents();
    endProgram();
}

void Startfrm::Form_MouseUp(int button, int, int, int) { Menus.PopupOptionsMenu(button); }

void Startfrm::CentreStartPanel() {
    SSPanel1.setTop(height() / 2 - SSPanel1.height() / 2 - 400);
    SSPanel1.setLeft(width() / 2 - SSPanel1.width() / 2);
}

// ---- display mode ----------------------------------------------------------------------------

void Startfrm::Command1_Click(int index) {
    if (index == 0) mOPF_Click();
    else mOPS_Click();
}

void Startfrm::mO_Click() {
    doEvents();
    mOP_Click();
}

void Startfrm::mOP_Click() {
    // Only ever sets a mark; the display entries clear them.
    if (DisplayMode != SmallerScreenDisplay) mOPF.setChecked(true);
    else mOPS.setChecked(true);
}

void Startfrm::SwitchDisplay(bool smaller) {
    Menu& mine = smaller ? mOPS : mOPF;
    Menu& other = smaller ? mOPF : mOPS;
    if (StartUnloadFlag == SecurityRuleReturned || mine.checked()) return;
    // The start reads the display back from its file, so one that could not be stored would
    // change nothing on screen: it is told, and the display stays as it is.
    platform::WriteOutcome written = platform::WriteOutcome::Failed;
    frame::writeDisplayModeSetting(smaller, &written);
    if (!SettingWritten(written, QString::fromLatin1(frame::DisplaySettingsFile), QStringLiteral("The display stays as it is.")))
        return;
    other.setChecked(false);
    mine.setChecked(true);
    doEvents();
    Form_Load();
    doEvents();
    CentreStartPanel();
    SSPanel1.setVisible(true);
    Command2.setFocus();
}

void Startfrm::mOPF_Click() { SwitchDisplay(false); }

void Startfrm::mOPS_Click() { SwitchDisplay(true); }

// ---- background colour -----------------------------------------------------------------------

void Startfrm::mOBC_Click() {
    const Color previous = backColor();
    int answer = msgBox(QStringLiteral("Select New Color or Use System Default Color?") + CR + CR +
                            QStringLiteral("Yes = Color Selection Panel will appear.") + CR +
                            QStringLiteral("No = Current System Default Color will be selected."),
                        Msg::Information | Msg::YesNoCancel, QStringLiteral("Background Color"));
    if (answer == Answer::Cancel) return;
    if (answer == Answer::Yes) {
        std::optional<Color> chosen = dialogs().colorDialog(backColor());
        if (chosen) {
            StartBackColor = VariantValue::fromInt(std::int32_t(*chosen));
            setBackColor(*chosen);
            UseDefaultColor = 0;
            if (!SaveBackgroundColor()) setBackColor(previous);
        }
    } else {
        StartBackColor = VariantValue::fromInt(std::int32_t(Label1.backColor()));
        setBackColor(Label1.backColor());
        UseDefaultColor = 1;
        if (!SaveBackgroundColor()) setBackColor(previous);
        StartBackColor = VariantValue::fromInt(std::int32_t(Label1.backColor()));
    }
    UseDefaultColor = 0;
}

bool Startfrm::SaveBackgroundColor() {
    if (UseDefaultColor == 1) StartBackColor = VariantValue::fromText(QStringLiteral("Def"));
    // Not stored, the colour would come back the old way at the next start: the old one stays.
    platform::WriteOutcome written = platform::WriteOutcome::Failed;
    frame::writeBackColorSetting(StartBackColor, &written);
    return SettingWritten(written, QString::fromLatin1(frame::BackColorFile), QStringLiteral("The previous colour is kept."));
}

void Startfrm::LoadBackgroundColor() {
    StartBackColor = VariantValue::fromInt(
        frame::backColorFromSetting(frame::readBackColorSetting(), std::int32_t(Label1.backColor())));
    setBackColor(Color(StartBackColor.integer));
}

// ---- begin, exit -------------------------------------------------------------

void Startfrm::Command2_Click() { frame::ShowActionArea(); }

void Startfrm::mOB_Click() { Command2_Click(); }

void Startfrm::mOE_Click() { unload(); }

