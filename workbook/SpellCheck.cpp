// Spell check of the editor, the built-in correction table, and the handlers of the spell
// checker VSSpell1. The handlers serve both checks: on the to-do page (grid mode) they forward
// to the to-do page part, whose loop runs the checker row by row (timeline/ToDoPage.cpp); on
// every other page the editor's text is checked, each correction made in place, so the rest
// of the document keeps its formatting.
#include "catalogue/Catalogue.h"
#include "catalogue/ContentDocuments.h"
#include "catalogue/SpellCorrections.h"
#include "frame/HINFO1.h"
#include "frame/SharedBehaviours.h"
#include "platform/Dialogs.h"
#include "workbook/WorkArea1.h"

using namespace platform;

namespace {

const QString SpellCheckTitle = QStringLiteral("Spell Check");

}  // namespace

void WorkArea1::ConnectSpellChecker() {
    VSSpell1.BadWord = [this] { VSSpell1_BadWord(); };
    VSSpell1.WordChanged = [this](int start, int length, const QString& r) { VSSpell1_WordChanged(start, length, r); };
    VSSpell1.TextChecked = [this] { VSSpell1_TextChecked(); };
    VSSpell1.CheckEnd = [this](bool cancelled) { VSSpell1_CheckEnd(cancelled); };
    VSSpell1.UserAction = [this](int action) { VSSpell1_UserAction(action); };
    VSSpell1.HelpClick = [this] { VSSpell1_HelpClick(); };
    VSSpell1.DialogClose = [this] { VSSpell1_DialogClose(); };
}

void WorkArea1::LoadSpellCorrections() {
    for (const catalogue::SpellCorrection& c : catalogue::SpellCorrections)
        VSSpell1.addCorrection(catalogue::toQString(c.misspelling), catalogue::toQString(c.correction));
}

bool WorkArea1::SpellCheckerReady() {
    if (VSSpell1.available()) return true;
    HourglassOff();
    msgBox(QStringLiteral("Spell Check is not available: the English (US) spelling dictionary could not be found.") + CR +
               VSSpell1.problem(),
           Msg::Critical | Msg::OKOnly, SpellCheckTitle);
    return false;
}

bool WorkArea1::CheckingToDoItems() const { return AreaMode == catalogue::PageTimeline; }

// ---- the editor's check ----------------------------------------------------------------------

void WorkArea1::SSCommand10_Click() {
    HourglassOn();
    if (!SpellCheckerReady()) return;
    // The corrections reach the editor one by one as they are made (VSSpell1_WordChanged).
    VSSpell1.check(Rtext3.text());
    HourglassOff();
    msgBox(QStringLiteral("Spell Check has been canceled or has reached the end of your document"),
           Msg::Information | Msg::OKOnly, SpellCheckTitle);
    Rtext3.setSelStart(1);
}

// ---- the checker's events --------------------------------------------------------------------

void WorkArea1::VSSpell1_BadWord() {
    HourglassOff();
    if (CheckingToDoItems()) {
        ToDo.VSSpell1_BadWord();
        return;
    }
    Rtext3.setSelStart(VSSpell1.badWordStart());
    Rtext3.setSelLength(VSSpell1.badWordLength());
    Rtext3.setHideSelection(false);
}

// The word is replaced where it stands, in the format it had; the change event marks the
// document unsaved.
void WorkArea1::VSSpell1_WordChanged(int start, int length, const QString& replacement) {
    if (CheckingToDoItems()) return;  // the item is written whole when its text is checked
    Rtext3.setSelStart(start);
    Rtext3.setSelLength(length);
    Rtext3.setSelText(replacement);
}

void WorkArea1::VSSpell1_TextChecked() {
    if (CheckingToDoItems()) ToDo.VSSpell1_TextChecked();
}

void WorkArea1::VSSpell1_UserAction(int action) {
    if (CheckingToDoItems()) ToDo.VSSpell1_UserAction(action);
}

void WorkArea1::VSSpell1_CheckEnd(bool cancelled) {
    if (CheckingToDoItems()) ToDo.VSSpell1_CheckEnd(cancelled);
}

void WorkArea1::VSSpell1_DialogClose() {
    HourglassOn();
    if (!CheckingToDoItems()) Rtext3.setHideSelection(true);
}

void WorkArea1::VSSpell1_HelpClick() { ShowHelpTopic(HelpContext::SpellCheck); }
