// The editor's tools: change tracking (which changes of the editor's text count as the user's
// unsaved work), the Text Location options, Font Select, the focus and Tab key, and the Thesaurus.
#include "catalogue/Catalogue.h"
#include "frame/HINFO1.h"
#include "platform/Dialogs.h"
#include "workbook/WorkArea1.h"

using namespace platform;

void WorkArea1::Rtext3_Change() {
    // The program's own assignment of a text is not the user's change.
    if (TextLoading == ProgramSetsText) {
        TextLoading = 0;
        return;
    }
    // A user document counts; a read-only reference view's changes come from the builders.
    UnsavedChanges = TextKind >= 1 ? 1 : 0;
    // Worksheets and the recovery plan are always the user's own text.
    if (AreaMode == catalogue::PageWorksheets || AreaMode == catalogue::PageRecoveryPlan) UnsavedChanges = 1;
}

// ---- Text Location ---------------------------------------------------------------------------

// The options stand "Left", "Center", "Right"; the editor's codes are 0 left, 1 right, 2 centre.
static constexpr int AlignmentOfOption[3] = {0, 2, 1};

void WorkArea1::SSOption8_Click(int index) {
    if (index < 0 || index > 2) return;
    Rtext3.setSelAlignment(AlignmentOfOption[index]);
    Rtext3.setFocus();
}

// A click in the editor shows the alignment of the paragraph it lands in.
void WorkArea1::Rtext3_Click() {
    const std::optional<int> a = Rtext3.selAlignment();
    if (!a) return;
    for (int i = 0; i < 3; ++i) {
        if (AlignmentOfOption[i] == *a) {
            // Selecting the option runs its click, which applies the same alignment again.
            if (SSOption8[i].value()) SSOption8_Click(i);
            else SSOption8[i].setValue(true);
            return;
        }
    }
}

// ---- Font Select -----------------------------------------------------------------------------

void WorkArea1::SSCommand8_Click() {
    Rtext3.setHideSelection(false);
    LoopIndex = Rtext3.selStart();
    FontSelectLength = Rtext3.selLength();
    // With a selection the dialog starts from its font, without one from the editor's own;
    // the colour is the selection's in both cases.
    FontChoice choice = Rtext3.selFontChoice();
    if (FontSelectLength == 0) choice.font = Rtext3.font();
    if (dialogs().fontDialog(choice)) Rtext3.applySelFontChoice(choice);
    Rtext3.setSelStart(LoopIndex);
    if (FontSelectLength > 0) Rtext3.setSelLength(FontSelectLength);
    Rtext3.setFocus();
}

void WorkArea1::mOFont_Click() { SSCommand8_Click(); }

// "&Print", "&Save", "&Font Select", "&Thesaurus" and "Spell &Check" with their Options
// entries, and the Text Location options.
void WorkArea1::EnableEditorTools(bool on) {
    const std::pair<SSCommand*, Menu*> tools[] = {{&SSCommand5, &mOPrint}, {&SSCommand6, &mOSave},
                                                  {&SSCommand8, &mOFont},  {&SSCommand9, &mOThes},
                                                  {&SSCommand10, &mOSpell}};
    for (const auto& [button, menu] : tools) {
        button->setEnabled(on);
        menu->setEnabled(on);
    }
    SSFrame4.setEnabled(on);
}

// ---- focus and the Tab key -------------------------------------------------------------------

// While the editor has the focus no other control takes Tab, so Tab types a tab character in
// the document instead of moving on; the controls get their Tab stops back when it leaves.
void WorkArea1::Rtext3_GotFocus() {
    for (Control* c : controls()) {
        if (c == &Rtext3 || !c->tabStop()) continue;
        c->setTabStop(false);
        tabStopsLent_.push_back(c);
    }
}

void WorkArea1::Rtext3_LostFocus() {
    for (Control* c : tabStopsLent_) c->setTabStop(true);
    tabStopsLent_.clear();
}

void WorkArea1::Rtext3_KeyDown(int& keyCode, int) {
    if (keyCode == Key::Tab) Rtext3.setFocus();
}

// ---- Thesaurus -------------------------------------------------------------------------------

namespace {
const QString ThesaurusTitle = QStringLiteral("Thesaurus");
}  // namespace

void WorkArea1::SSCommand9_Click() {
    if (Rtext3.selLength() == 0) {
        msgBox(QStringLiteral("Please highlight word you desire to look up!"), Msg::Question | Msg::OKOnly,
               ThesaurusTitle);
        return;
    }
    // The word alone: blanks and punctuation after it are neither looked up nor replaced.
    const QString selected = Rtext3.selText();
    int length = int(selected.size());
    while (length >= 1 && QStringLiteral(" ,.:;").contains(selected.at(length - 1))) --length;
    Rtext3.setSelLength(length);
    if (!VSThesaurus1.available()) {
        msgBox(QStringLiteral("The Thesaurus is not available: the English (US) thesaurus could not be found.") + CR +
                   VSThesaurus1.problem(),
               Msg::Critical | Msg::OKOnly, ThesaurusTitle);
        return;
    }
    const QString replacement = VSThesaurus1.lookUp(selected.left(length));
    if (replacement.isEmpty()) return;
    // The document keeps its limit: a replacement that would take it past is not made.
    if (Rtext3.maxLength() > 0 && Rtext3.textLength() - Rtext3.selLength() + int(replacement.size()) > Rtext3.maxLength()) {
        msgBox(QStringLiteral("The replacement would make the document longer than the %1 characters it can hold,")
                       .arg(Rtext3.maxLength()) +
                   CR + QStringLiteral("so it was not made."),
               Msg::Exclamation | Msg::OKOnly, ThesaurusTitle);
        return;
    }
    Rtext3.setSelText(replacement);
}
