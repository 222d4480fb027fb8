#include "library/ReferenceWindows.h"

#include "catalogue/ContentDocuments.h"

#include "frame/HINFO1.h"
#include "frame/Navigation.h"
#include "frame/SharedBehaviours.h"
#include "platform/Dialogs.h"

using namespace platform;

using namespace ReferenceLayout;


void BuildReferenceFrame(Form& window, SSPanel& mainPanel, ControlArray<SSCommand>& tabs) {
    window.setBackColor(WindowColor);
    mainPanel.setBevelOuter(2);
    mainPanel.setBevelInner(0);
    mainPanel.setBackColor(MainPanelColor);
    for (int i = 0; i < 5; ++i) {
        SSCommand& tab = tabs.add(window, window, i);
        tab.setCaption(AreaTabCaptions[i]);
        tab.setFont(ProgramFont(9, true));
    }
}

void ArrangeReferenceFrame(Form& window, SSPanel& mainPanel, ControlArray<SSCommand>& tabs) {
    const int w = window.scaleWidth();
    const int h = window.scaleHeight();
    const int tabWidth = (w - 2 * Margin - 4 * 60) / 5;
    for (auto& [i, tab] : tabs) tab->move(Margin + i * (tabWidth + 60), TabTop, tabWidth, TabHeight);
    mainPanel.move(Margin, PanelTop, std::max(0, w - 2 * Margin), std::max(0, h - PanelTop - 90));
}

bool LoadTopicDocument(RichTextBox& viewer, int document, const QString& windowTitle) {
    const QString name = catalogue::miscDocument(document);
    if (viewer.loadFile(name) == ReadStatus::Ok) return true;
    viewer.setText(QString());
    HourglassOff();
    msgBox(QStringLiteral("The topic document ") + name + QStringLiteral(" could not be read."),
           Msg::Exclamation | Msg::OKOnly, windowTitle);
    return false;
}

void PressAreaTab(Form& window, ControlArray<SSCommand>& tabs, int index, int ownTab) {
    MarkPressedTab(tabs, index);
    if (index == ownTab) return;
    if (index == ExitTab) {
        AskExitFromAreaTab(window, tabs, ownTab);
        return;
    }
    RequestedArea = index;
    window.unload();
}

void LeaveReferenceWindow(Form& window, bool exitWay, int ownArea) {
    if (exitWay) {
        HideContentFiles();
        doEvents();
        endProgram();
        return;
    }
    // The close box leads to the hub's start page, as the "Action Area" tab does.
    if (RequestedArea == ownArea) RequestedArea = Area::None;
    frame::ShowActionAreaAt(window.left(), window.top());
    doEvents();
}
