// The area tabs of the Action Area, the editor's exit, the exit question and the save
// question asked before any action that would drop unsaved text.
#include "workbook/WorkArea1.h"

#include "catalogue/Catalogue.h"
#include "frame/HINFO1.h"
#include "frame/Navigation.h"
#include "frame/SharedBehaviours.h"
#include "platform/Dialogs.h"

using namespace platform;

void WorkArea1::SSCommand4_Click(int i) {
    if (i < 0 || i > 4) return;
    for (int k = 0; k < 5; ++k) SSCommand4[k].setForeColor(paletteColor(0));
    SSCommand4[i].setForeColor(paletteColor(9));
    RequestedArea = i;
    if (i == 0) return;
    if (UnsavedChanges == 1) AskSaveChanges();
    UnsavedChanges = 0;
    if (i <= 3) SSPanel1.setVisible(false);
    doEvents();
    HourglassOn();
    switch (i) {
    case 1:
        doEvents();
        frame::ShowInformationAdvisor();
        break;
    case 2:
        doEvents();
        frame::ShowSecurityRule();
        break;
    case 3:
        doEvents();
        frame::ShowMiscellaneous();
        break;
    case 4:
        HourglassOff();
        LoopIndex = ConfirmExit();
        if (LoopIndex == Answer::Yes) {
            // The changes were offered for saving above; the hub's Unload ends the program.
            unload();
            return;
        }
        SSCommand4[0].setValue(true);
        break;
    default:
        break;
    }
    HourglassOff();
}

// The page switch asks the save question while the editor's page is still the current one, so
// that a Yes saves the document shown; it moves to page 0 itself afterwards.
void WorkArea1::SSCommand7_Click() { SSCommand11_Click(0); }

void WorkArea1::AskSaveChanges() {
    // The sample is never saved, so nothing is asked there.
    if (AreaMode == catalogue::PageSample) return;
    LoopIndex = 0;
    LoopIndex = msgBox(QStringLiteral("Save changes/entries before next action?"), Msg::Question | Msg::YesNo,
                       QStringLiteral("Save Changes?"));
    if (LoopIndex == Answer::Yes) SSCommand6_Click();
    UnsavedChanges = 0;
    LoopIndex = 0;
    doEvents();
}
