// The About window: the product name, its version and the maker's lines, the maker's web
// site, and behind F9 on the OK button a small information box for support use. Every
// window's Help menu opens it modally; it sizes and places itself from the start window.
#pragma once

#include "frame/ElasticResizer.h"
#include "platform/Controls.h"

class About1 : public platform::Form {
public:
    About1();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_MouseUp(int button, int shift, int x, int y) override;

    void Command1_Click();  // "OK"
    void Command1_KeyDown(int& keyCode, int shift);
    void Label5_Click();
    void mOOK_Click() { Command1_Click(); }

    // The text of Label1, its lines joined by a carriage return.
    static QString ProductLines();

    // ---- controls ---------------------------------------------------------------------------
    platform::SSPanel SSPanel1;
    platform::Label Label2;  // the background; the window takes its colour
    platform::Image Image1;
    platform::Image Image2;
    platform::Label Label1;
    platform::Label Label4;  // "Web Site:"
    platform::Label Label5;  // the maker's web domain
    platform::Label Label6;  // the notice on copying the program
    platform::CommandButton Command1;

    // The resizer: scales the controls with the window in the full-screen display only.
    ElasticResizer vsElasticLight1{false};

    // ---- menus: "Opt", shown only as the right-button popup -------------------------------
    platform::Menu mO;
    platform::Menu mOOK;

private:
    void SizeFromStartWindow();
    void ArrangeControls();
};
