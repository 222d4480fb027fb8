#include "workbook/WorkArea1.h"

#include "frame/Startfrm.h"

using namespace platform;

WorkArea1::WorkArea1() : Form(QStringLiteral("WorkArea1")) {
    setCaption(QStringLiteral("Action Area - HIPAA Security Standards"));
}

void WorkArea1::Form_Load() {
    Startfrm& start = defaultInstance<Startfrm>();
    move(start.left(), start.top(), start.width(), start.height());
    setWindowState(start.windowState());
    start.hide();
}
