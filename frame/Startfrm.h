// The start window: the first window of the program. It applies the stored display mode and
// background colour, shows the splash once, makes the content documents visible and offers
// the way into the Action Area. It stays loaded, hidden, until the program ends.
#pragma once

#include "frame/SharedMenus.h"
#include "platform/Controls.h"

class Startfrm : public platform::Form {
public:
    Startfrm();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload(int& cancel) override;
    void Form_MouseUp(int button, int shift, int x, int y) override;

    void CheckScreenResolution();
    void LoadBackgroundColor();
    bool SaveBackgroundColor();

    void Command1_Click(int index);
    void Command2_Click();
    void mO_Click();
    void mOP_Click();
    void mOPF_Click();
    void mOPS_Click();
    void mOBC_Click();
    void mOB_Click();
    void mOE_Click();

    // Controls.
    platform::SSPanel SSPanel1;
    platform::ControlArray<platform::CommandButton> Command1{QStringLiteral("Command1")};
    platform::CommandButton Command2;
    platform::Label Label8;
    platform::Image Image1;
    platform::Label Label1;

    // Menus.
    platform::Menu mO;
    platform::Menu mOBC;
    platform::Menu mOP;
    platform::Menu mOPF;
    platform::Menu mOPS;
    platform::Menu mOSep1;
    platform::Menu mOB;
    platform::Menu mOSep2;
    platform::Menu mOE;
    // Utilities and Help, as every window has them; the web-site entry is mOWeb here.
    SharedMenus Menus{*this, SharedMenuNames{.web = QStringLiteral("mOWeb")}};
    platform::Menu& mU = Menus.mU;
    platform::Menu& mUBack = Menus.mUBack;
    platform::Menu& mURestore = Menus.mURestore;
    platform::Menu& mH = Menus.mH;
    platform::Menu& mHCont = Menus.mHCont;
    platform::Menu& mHI = Menus.mHI;
    platform::Menu& mHA = Menus.mHA;
    platform::Menu& mOWeb = Menus.mHWeb;

    // 1 while "&Background Color" saves the choice of the system default colour.
    int UseDefaultColor = 0;

private:
    void FinishInterruptedRestore();
    void CentreStartPanel();
    void SwitchDisplay(bool smaller);
};
