#include "frame/About1.h"

#include "platform/CaptionFit.h"

#include "frame/Artwork.h"
#include "frame/HINFO1.h"
#include "frame/Navigation.h"
#include "frame/SharedBehaviours.h"
#include "platform/CaptionFit.h"
#include "platform/Dialogs.h"

#include <QUrl>

using namespace platform;

namespace {

const QString InfoTitle = QStringLiteral("Software Information");

// The window's designed size (twips) and the client area it was laid out for.
constexpr int DesignWidth = 8100;
constexpr int DesignHeight = 5400;
constexpr int DesignClientWidth = 7980;
constexpr int DesignClientHeight = 4980;

constexpr Color BackgroundColor = rgb(236, 240, 248);
constexpr Color LinkColor = rgb(0, 51, 153);

// The F9 code box: the support code, and the two words that give the shorter box.
const QString AccessCode = QStringLiteral("VEPS");
const QStringList MakerAddress = {QStringLiteral("100 Example Street, Suite 5"), QStringLiteral("Anytown, ST 00000")};
const QStringList VersionLines = {QStringLiteral("Windows Version: 2003 - 2005."), QStringLiteral("Version 6.0a"),
                                  QStringLiteral("Latest Update: 1/06/05")};

QString makerDomain() { return QUrl(MakerWebAddress).host(); }

}  // namespace

About1::About1()
    : Form(QStringLiteral("About1")),
      SSPanel1(*this, *this, QStringLiteral("SSPanel1")),
      Label2(*this, SSPanel1, QStringLiteral("Label2")),
      Image1(*this, SSPanel1, QStringLiteral("Image1")),
      Image2(*this, SSPanel1, QStringLiteral("Image2")),
      Label1(*this, SSPanel1, QStringLiteral("Label1")),
      Label4(*this, SSPanel1, QStringLiteral("Label4")),
      Label5(*this, SSPanel1, QStringLiteral("Label5")),
      Label6(*this, SSPanel1, QStringLiteral("Label6")),
      Command1(*this, SSPanel1, QStringLiteral("Command1")),
      mO(*this, QStringLiteral("mO"), QStringLiteral("Opt")),
      mOOK(*this, QStringLiteral("mOOK"), QStringLiteral("OK")) {
    setCaption(QStringLiteral("About Quorvane"));
    setFixedBorder(true);
    move(0, 0, DesignWidth, DesignHeight);

    SSPanel1.setBevelOuter(2);
    SSPanel1.setBevelInner(1);
    Label2.setCaption(QString());
    Label2.setBackColor(BackgroundColor);
    Label2.setAccessibleName(QStringLiteral("Background"));
    Label2.zOrder(1);

    Image1.setPicture(StartPicture(200));
    Image1.setAccessibleName(QStringLiteral("Quorvane emblem"));
    Image2.setPicture(AboutBand(600, 12));
    Image2.setAccessibleName(QStringLiteral("Divider"));

    Label1.setFont(ProgramFont(9, false));
    Label1.setTransparent(true);
    Label1.setForeColor(rgb(10, 40, 110));
    Label1.setAccessibleName(QStringLiteral("Product information"));

    Label4.setCaption(QStringLiteral("Web Site:"));
    Label4.setFont(ProgramFont(9, true));
    Label4.setTransparent(true);
    Label5.setCaption(makerDomain());
    Font link = ProgramFont(9, true);
    link.underline = true;
    Label5.setFont(link);
    Label5.setForeColor(LinkColor);
    Label5.setTransparent(true);
    Label5.setToolTipText(QStringLiteral(" ") + MakerWebAddress + QStringLiteral(" "));
    Label5.setLink(true);
    Label5.onClick = [this] { Label5_Click(); };

    Label6.setCaption(QStringLiteral(
        "This program is protected by copyright law. You may make copies of it for your own backups; "
        "giving away, selling or publishing copies of it, or of any part of it, requires the written "
        "permission of Dravelin Software."));
    Label6.setWordWrap(true);
    Label6.setFont(ProgramFont(8, false));
    Label6.setTransparent(true);

    Command1.setCaption(QStringLiteral("OK"));
    Command1.setDefault(true);
    Command1.onClick = [this] { Command1_Click(); };
    Command1.onKeyDown = [this](int& keyCode, int shift) { Command1_KeyDown(keyCode, shift); };

    // "Opt" is not on a menu bar: it only pops up under the right button.
    mO.add(mOOK);
    mOOK.onClick = [this] { mOOK_Click(); };
    for (Control* c : std::initializer_list<Control*>{&Command1, &Image1, &Image2, &Label1, &Label2, &Label4,
                                                      &Label5, &Label6, &SSPanel1})
        c->onMouseUp = [this](int button, int shift, int x, int y) { Form_MouseUp(button, shift, x, y); };

    ArrangeControls();
}

QString About1::ProductLines() {
    return QStringList{QStringLiteral("Quorvane"),
                       QStringLiteral("Version 6.0a"),
                       QString(),
                       QStringLiteral("Dravelin Software"),
                       QStringLiteral("Copyright \u00A9 2003 - 2005 Dravelin Software."),
                       QStringLiteral("All rights reserved."),
                       QStringLiteral("Grid and print preview built on the Qt toolkit."),
                       QString(),
                       QStringLiteral("E-mail: support@") + makerDomain().section(QLatin1Char('.'), -2)}
        .join(CR);
}

// ---- layout ----------------------------------------------------------------------------------

void About1::ArrangeControls() {
    const int cw = scaleWidth();
    const int ch = scaleHeight();
    // With the resizer on every place scales with the window; without it the design stands.
    const double sx = vsElasticLight1.enabled ? double(cw) / DesignClientWidth : 1.0;
    const double sy = vsElasticLight1.enabled ? double(ch) / DesignClientHeight : 1.0;
    auto place = [&](Control& c, int left, int top, int width, int height) {
        c.move(int(left * sx), int(top * sy), int(width * sx), int(height * sy));
    };
    SSPanel1.move(0, 0, cw, ch);
    Label2.move(30, 30, std::max(0, cw - 60), std::max(0, ch - 60));
    place(Image1, 300, 300, 1500, 1500);
    place(Label1, 2100, 300, 5600, 2300);
    place(Image2, 2100, 2700, 5580, 90);
    place(Label6, 300, 2950, 7380, 900);
    place(Command1, 6280, 4240, 1400, 440);
    // The web site's label and address keep their type size in a window made smaller than
    // the design: each is as wide as its text needs, the address beside the label, before OK.
    place(Label4, 300, 4320, 1050, 330);
    Label4.setWidth(std::max(Label4.width(), captionWidth(Label4, Label4.caption())));
    const int addressLeft = Label4.left() + Label4.width() + 60;
    place(Label5, 1400, 4320, 3600, 330);
    Label5.move(addressLeft, Label5.top(),
                std::max(captionWidth(Label5, Label5.caption()), Command1.left() - 60 - addressLeft), Label5.height());
}

void About1::Form_Resize() { ArrangeControls(); }

// ---- life cycle ------------------------------------------------------------------------------

void About1::SizeFromStartWindow() {
    const auto start = frame::StartWindowPlace();
    if (DisplayMode == FullScreenDisplay && start) {
        setHeight(int(0.47 * start->height));
        setWidth(int(0.42 * start->width));
    }
}

void About1::Form_Load() {
    vsElasticLight1.followDisplayMode();
    SizeFromStartWindow();
    // Centred on the start window, a little below its middle.
    if (const auto start = frame::StartWindowPlace()) {
        setLeft(start->left + StartWidth / 2 - width() / 2);
        setTop(start->top + StartHeight / 2 - height() / 2 + 330);
    }
    Label1.setCaption(ProductLines());
    setBackColor(Label2.backColor());
    ArrangeControls();
}

void About1::Form_Activate() {
    SizeFromStartWindow();
    ArrangeControls();
    Label1.zOrder(0);
    HourglassOff();
}

// The right button pops up "Opt" over the window and every control on it.
void About1::Form_MouseUp(int button, int, int, int) {
    if (button == Mouse::Right) popupMenu(mO);
}

// ---- commands --------------------------------------------------------------------------------

void About1::Command1_Click() { unload(); }

void About1::Label5_Click() { OpenWebSite(); }

// F9 on the OK button asks for a code; the support code and the two words show who wrote
// the program and which version this is. Any other answer does nothing.
void About1::Command1_KeyDown(int& keyCode, int) {
    if (keyCode != 120) return;
    const QString answer = inputBox(QStringLiteral("Enter Code Now"), QStringLiteral("Code Box")).toUpper();
    QStringList lines{QStringLiteral("This Software was Written")};
    if (answer == AccessCode) {
        lines << QStringLiteral("by the Quorvane development team of") << QStringLiteral("Dravelin Software,");
    } else if (answer == QLatin1String("VERSION") || answer == QLatin1String("UPDATE")) {
        lines << QStringLiteral("by Dravelin Software,");
    } else {
        return;
    }
    lines << MakerAddress << VersionLines;
    msgBox(lines.join(CR), Msg::Information | Msg::OKOnly, InfoTitle);
}
