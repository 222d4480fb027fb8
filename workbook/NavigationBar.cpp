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
    if (i < Area::None || i > Area::Exit) return;
    MarkPressedTab(SSCommand4, i);
    RequestedArea = i;
    if (i == Area::None) return;
    if (UnsavedChanges == 1 && !AskSaveChanges()) {
        // The save the user asked for failed: the hub and its text stay, the bar goes back.
        SSCommand4[Area::None].setValue(true);
        return;
    }
    UnsavedChanges = 0;
    if (i != Area::Exit) SSPanel1.setVisible(false);
    doEvents();
    HourglassOn();
    switch (i) {
    case Area::InformationAdvisor:
        doEvents();
        frame::ShowInformationAdvisor();
        break;
    case Area::SecurityRule:
        doEvents();
        frame::ShowSecurityRule();
        break;
    case Area::Miscellaneous:
        doEvents();
        frame::ShowMiscellaneous();
        break;
    case Area::Exit:
        // The changes were offered for saving above; the hub's Unload ends the program.
        AskExitFromAreaTab(*this, SSCommand4, Area::None);
        return;
    default:
        break;
    }
    HourglassOff();
}

// The page switch asks the save question while the editor's page is still the current one, so
// that a Yes saves the document shown; it moves to page 0 itself afterwards.
void WorkArea1::SSCommand7_Click() { SSCommand11_Click(0); }

bool WorkArea1::AskSaveChanges() {
    // The sample is never saved, so nothing is asked there.
    if (AreaMode == catalogue::PageSample) return true;
    LoopIndex = 0;
    LoopIndex = msgBox(QStringLiteral("Save changes/entries before next action?"), Msg::Question | Msg::YesNo,
                       QStringLiteral("Save Changes?"));
    // A Yes whose save failed has said so; the text is still unsaved and the action that
    // asked must not replace it.
    const bool goOn = LoopIndex != Answer::Yes || SavePage();
    if (goOn) UnsavedChanges = 0;
    LoopIndex = 0;
    doEvents();
    return goOn;
}
