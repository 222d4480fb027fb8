// The Utilities and Help menus and the Options popup, as every window shows them.
#include "frame/SharedMenus.h"

#include "frame/HINFO1.h"
#include "frame/Navigation.h"
#include "platform/RichTextBox.h"

using namespace platform;

SharedMenus::SharedMenus(Form& form, const SharedMenuNames& names)
    : mU(form, QStringLiteral("mU"), names.utilities),
      mUBack(form, QStringLiteral("mUBack"), QStringLiteral("&Backup User Created Files")),
      mURestore(form, names.restore, QStringLiteral("&Restore User Created Files")),
      mH(form, QStringLiteral("mH"), QStringLiteral("&Help")),
      mHCont(form, QStringLiteral("mHCont"), QStringLiteral("&Help Contents")),
      mHI(form, QStringLiteral("mHI"), QStringLiteral("&Program Overview")),
      mHScreen(form, names.screenTopic, names.screenTopicCaption),
      mHSep1(form, QStringLiteral("mHSep1"), QStringLiteral("-")),
      mHA(form, QStringLiteral("mHA"), QStringLiteral("&About Quorvane")),
      mHSep2(form, QStringLiteral("mHSep2"), QStringLiteral("-")),
      mHWeb(form, names.web, MakerWebCaption),
      form_(form),
      hasScreenTopic_(!names.screenTopic.isEmpty()) {}

void SharedMenus::AddToMenuBar(Menu& options) {
    options_ = &options;
    form_.addMenu(options);
    form_.addMenu(mU);
    mU.add(mUBack);
    mU.add(mURestore);
    form_.addMenu(mH);
    mH.add(mHCont);
    mH.add(mHI);
    if (hasScreenTopic_) mH.add(mHScreen);
    mH.add(mHSep1);
    mH.add(mHA);
    mH.add(mHSep2);
    mH.add(mHWeb);
    mUBack.onClick = [this] { mUBack_Click(); };
    mURestore.onClick = [this] { mURestore_Click(); };
    mH.onClick = [this] { mH_Click(); };
    mHCont.onClick = [this] { mHCont_Click(); };
    mHI.onClick = [this] { mHI_Click(); };
    if (hasScreenTopic_) mHScreen.onClick = [this] { mHScreen_Click(); };
    mHA.onClick = [this] { mHA_Click(); };
    mHWeb.onClick = [this] { mHWeb_Click(); };
}

// ---- the Options popup ---------------------------------------------------------------------------

void SharedMenus::PopupOptionsMenu(int button) {
    if (options_ && button == Mouse::Right) form_.popupMenu(*options_);
}

void SharedMenus::AttachOptionsPopup(std::initializer_list<Control*> controls) {
    for (Control* c : controls) c->onMouseUp = [this](int button, int, int, int) { PopupOptionsMenu(button); };
}

void SharedMenus::AttachOptionsPopupToEveryOtherControl() {
    for (Control* c : form_.controls()) {
        if (c->onMouseUp || c->onMouseDown) continue;
        if (dynamic_cast<TextBox*>(c) || dynamic_cast<ComboBox*>(c) || dynamic_cast<RichTextBox*>(c)) continue;
        c->onMouseUp = [this](int button, int, int, int) { PopupOptionsMenu(button); };
    }
}

// ---- Utilities -------------------------------------------------------------------------------

void SharedMenus::mUBack_Click() {
    if (BeforeBackup && !BeforeBackup()) return;
    BackupUserFiles();
}

void SharedMenus::mURestore_Click() {
    if (BeforeRestore && !BeforeRestore()) return;
    RestoreUserFiles();
    if (AfterRestore) AfterRestore();
}

// ---- Help ------------------------------------------------------------------------------------

void SharedMenus::mH_Click() {
    if (!PreviewShowing || !PreviewShowing()) return;
    ShowHelpTopic(HelpContext::PrintPreview);
    mH.setVisible(false);
    doEvents();
    mH.setVisible(true);
}

void SharedMenus::mHCont_Click() { ShowHelpContents(); }

void SharedMenus::mHI_Click() { ShowHelpTopic(HelpContext::ProgramOverview); }

void SharedMenus::mHScreen_Click() {
    if (BeforeScreenTopic) BeforeScreenTopic();
    if (ScreenTopic) ShowHelpTopic(ScreenTopic());
}

void SharedMenus::mHA_Click() { frame::ShowAbout(); }

void SharedMenus::mHWeb_Click() { OpenWebSite(); }
