// The splash window: shown modally once per run by the start window's Load; it centres
// itself, waits three to four seconds and unloads itself.
#pragma once

#include "platform/Controls.h"

class Splash1 : public platform::Form {
public:
    Splash1();

    void Form_Load() override;
    void Form_GotFocus() override;

    platform::SSPanel SSPanel1;
    platform::ControlArray<platform::Label> ProductName{QStringLiteral("Label1")};
    platform::Label Label5;  // the version
    platform::Label Label6;  // the rights notice
    platform::Image Image1;
};
