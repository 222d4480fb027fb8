// The entry lists of the five catalogue pages of the Action Area: pressing an entry selects
// the specification, shows its status and labels and shows the chosen text view again.
#include "workbook/WorkArea1.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ContentDocuments.h"
#include "catalogue/EntryButtons.h"
#include "frame/SharedBehaviours.h"

#include <algorithm>

using catalogue::toQString;
using namespace platform;

void WorkArea1::SSCommand14_Click(int index) { EntryClick(catalogue::PageAdministrative, index); }
void WorkArea1::SSCommand17_Click(int index) { EntryClick(catalogue::PagePhysical, index); }
void WorkArea1::SSCommand16_Click(int index) { EntryClick(catalogue::PageTechnical, index); }
void WorkArea1::SSCommand15_Click(int index) { EntryClick(catalogue::PageOrganizational, index); }
void WorkArea1::SSCommand13_Click(int index) { EntryClick(catalogue::PagePolicies, index); }

ControlArray<SSCommand>& WorkArea1::EntryList(int page) {
    ControlArray<SSCommand>* const lists[5] = {&SSCommand14, &SSCommand17, &SSCommand16, &SSCommand15, &SSCommand13};
    return *lists[std::clamp(page, int(catalogue::PageAdministrative), int(catalogue::PagePolicies)) -
                  catalogue::PageAdministrative];
}

void WorkArea1::EntryClick(int page, int index) {
    ControlArray<SSCommand>& list = EntryList(page);
    const int k = catalogue::specNumber(page, index);
    if (k == catalogue::NoNumber) return;
    const bool safeguardPage = page <= catalogue::PageTechnical;
    // The save question first: a Yes whose save fails keeps the entry shown, with its text.
    if (UnsavedChanges == 1 && !AskSaveChanges()) return;
    // Highlight the pressed entry.
    MarkChosenButton(list, index, true);
    SSCommand& pressed = list[index];
    // The new entry: an empty editor, additional information where the entry has it.
    if (safeguardPage) SSOption6.setEnabled(true);
    UnsavedChanges = 0;
    EmptyEditor();
    SpecIndex = index;
    if (!safeguardPage) SSOption6.setEnabled(index >= 1);
    // The chosen views again, for the new entry; a reference view runs last.
    if (SSOption2.value()) SSOption2_Click();
    if (SSOption3.value()) SSOption3_Click();
    if (SSOption4.value()) SSOption4_Click();
    if (SSOption5.value()) SSOption5_Click();
    if (SSOption6.value()) SSOption6_Click();
    if (SSOption7.value()) SSOption7_Click();
    // The entry's status, the caption with its name; Insert Template for an administrative policy.
    Combo1.setText(SpecStatus[std::size_t(k)]);
    if (AreaMode < catalogue::PageWorksheets) setCaption(AreaCaption + QStringLiteral(" - ") + pressed.toolTipText());
    if (page == catalogue::PageAdministrative) {
        SSCommand2.setEnabled(false);
        if (SSOption5.value()) SSCommand2.setEnabled(true);
    }
    // The labels above the editor.
    const catalogue::SpecEntry& e = catalogue::entry(k);
    if (!e.overview) {
        WorkText = toQString(e.section);
        Label5.setCaption(toQString(catalogue::StandardPrefix) + toQString(e.standard));
        Label6.setCaption(toQString(catalogue::SectionPrefix) + WorkText);
        Label7.setCaption(toQString(catalogue::SpecificationPrefix) + toQString(e.specification));
        UnsavedChanges = 0;
    } else {
        const bool organizational = k == 43;
        Label5.setCaption(toQString(organizational ? catalogue::OrganizationalOverviewLabel : catalogue::PoliciesOverviewLabel));
        Label7.setCaption(QString());
        Label6.setCaption(
            toQString(organizational ? catalogue::OrganizationalOverviewSection : catalogue::PoliciesOverviewSection));
    }
}
