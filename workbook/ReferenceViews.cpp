// The "Implementation specification" view: the rule text of the selected entry, built in the
// hidden buffer RText1(0), its name marked, and shown in the editor when that view is chosen.
#include "catalogue/Catalogue.h"
#include "catalogue/RuleText.h"
#include "frame/HINFO1.h"
#include "workbook/WorkArea1.h"

void WorkArea1::LoadRuleText() {
    platform::doEvents();
    // The entry comes from the selection; on pages without entries the number in LoopIndex
    // stands (the specification page report sets it).
    const int g = catalogue::specFileNumber(AreaMode, SpecIndex);
    if (g != catalogue::NoNumber) LoopIndex = g;
    const int k = LoopIndex + 1;
    const catalogue::RuleText rule = catalogue::ruleText(k);
    RText1[0].setText(QString::fromStdString(catalogue::composeRuleText(k)));
    // A page being composed for printing takes the buffer as it is.
    if (PrintModeFlag == ComposingForPrint) return;
    platform::doEvents();
    const QString word = rule.hasHighlight
                             ? QString::fromUtf8(rule.highlight.data(), qsizetype(rule.highlight.size()))
                             : QString();
    MarkSpecName(RText1[0], word);
    if (SSOption6.value() && PrintModeFlag == NotComposingForPrint) {
        TextLoading = ProgramSetsText;
        Rtext3.setTextRTF(RText1[0].textRTF());
        TextLoading = 0;
    }
    UnsavedChanges = 0;
    platform::doEvents();
}

// "Implementation specification": leaves the user's document and shows the entry's rule text
// read-only, in the editor's font, with nothing to save.
void WorkArea1::SSOption6_Click() {
    using namespace platform;
    if (keepingOption_) return;
    if (UnsavedChanges == 1 && !AskSaveChanges()) {
        KeepShownDocumentOption();
        return;
    }
    SSCommand2.setEnabled(false);
    TextKind = 0;
    for (SSOption* o : {&SSOption3, &SSOption4, &SSOption5}) o->setValue(false);
    // A read-only text can be printed but not saved or edited.
    SSCommand5.setEnabled(true);
    mOPrint.setEnabled(true);
    const std::pair<SSCommand*, Menu*> editing[] = {
        {&SSCommand6, &mOSave}, {&SSCommand8, &mOFont}, {&SSCommand9, &mOThes}, {&SSCommand10, &mOSpell}};
    for (const auto& [button, menu] : editing) {
        button->setEnabled(false);
        menu->setEnabled(false);
    }
    SSFrame4.setEnabled(false);
    Rtext3.setLocked(true);
    // The view prints, and is built, in the editor's font.
    const Font f = Rtext3.font();
    PrintFontName = f.name;
    PrintFontSize = f.size;
    PrintFontBold = f.bold;
    PrintFontItalic = f.italic;
    PrintFontUnderline = f.underline;
    PrintFontStrikethru = f.strikethrough;
    RText1[0].setFont(f);
    EmptyEditor();
    ClearSpecBuffers();
    LoadRuleText();
    // The locked editor keeps no caret.
    if (SSCommand7.visible()) SSCommand7.setFocus();
    // Filling the editor raised its change events: nothing here is the user's.
    UnsavedChanges = 0;
    doEvents();
}
