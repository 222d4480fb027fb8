// The editor's change tracking: which changes of the editor's text count as the user's
// unsaved work.
#include "catalogue/Catalogue.h"
#include "workbook/WorkArea1.h"

void WorkArea1::Rtext3_Change() {
    // The program's own assignment of a text is not the user's change.
    if (TextLoading == 9) {
        TextLoading = 0;
        return;
    }
    // A user document counts; a read-only reference view's changes come from the builders.
    UnsavedChanges = TextKind >= 1 ? 1 : 0;
    // Worksheets and the recovery plan are always the user's own text.
    if (AreaMode == catalogue::PageWorksheets || AreaMode == catalogue::PageRecoveryPlan) UnsavedChanges = 1;
}
