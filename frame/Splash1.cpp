#include "frame/Splash1.h"

#include "frame/Artwork.h"
#include "frame/HINFO1.h"
#include "platform/Services.h"

using namespace platform;

Splash1::Splash1()
    : Form(QStringLiteral("Splash1")),
      SSPanel1(*this, *this, QStringLiteral("SSPanel1")),
      Label5(*this, SSPanel1, QStringLiteral("Label5")),
      Label6(*this, SSPanel1, QStringLiteral("Label6")),
      Image1(*this, SSPanel1, QStringLiteral("Image1")) {
    setCaption(QStringLiteral("Form1"));
    setFixedBorder(true);
    widget()->setWindowFlag(Qt::FramelessWindowHint, true);
    move(0, 0, 7200, 4500);
    SSPanel1.move(0, 0, 7200, 4500);
    SSPanel1.setBevelOuter(2);
    SSPanel1.setBevelInner(1);
    SSPanel1.setBackColor(rgb(236, 240, 248));
    Image1.move(360, 600, 2400, 2400);
    Image1.setPicture(StartPicture(160));
    // The product name in four labels: a shadow and three layers of the title.
    const Color colours[4] = {rgb(170, 180, 200), rgb(10, 40, 110), rgb(10, 40, 110), rgb(10, 40, 110)};
    for (int i = 0; i < 4; ++i) {
        Label& l = ProductName.add(*this, SSPanel1, i);
        l.setCaption(i < 2 ? QStringLiteral("Quorvane") : QString());
        Font f;
        f.name = QStringLiteral("DejaVu Serif");
        f.size = 30;
        f.bold = true;
        l.setFont(f);
        l.setTransparent(true);
        l.setForeColor(colours[i]);
        l.setBackColor(rgb(236, 240, 248));
        l.setTransparent(true);
        l.move(3000 + (i == 0 ? 45 : 0), 900 + (i == 0 ? 45 : 0), 4000, 900);
        l.setVisible(i < 2);
    }
    Label5.setCaption(QStringLiteral("Version 6.0a"));
    Label5.move(3000, 1900, 3800, 360);
    Label5.setTransparent(true);
    Label6.setCaption(QStringLiteral(
        "HIPAA Security Rule workbook.\rCopyright \u00A9 Quorvane. All rights reserved."));
    Label6.move(3000, 2500, 3900, 900);
    Label6.setTransparent(true);
    Font small;
    small.name = QStringLiteral("DejaVu Sans");
    small.size = 8;
    Label6.setFont(small);
}

void Splash1::Form_Load() {
    doEvents();
    doEvents();
    // Centred on the screen.
    setTop(screen().heightTwips() / 2 - height() / 2);
    setLeft(screen().widthTwips() / 2 - width() / 2);
    doEvents();
}

void Splash1::Form_GotFocus() {
    doEvents();
    WaitTwoSeconds();
    WaitTwoSeconds();
    doEvents();
    unload();
}
