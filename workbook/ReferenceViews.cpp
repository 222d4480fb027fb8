// The three read-only views of the selected entry: "Implementation specification" (the rule
// text), "References in Rule" and "Additional Information". Each is built in its hidden buffer
// RText1(0), (1) or (2), its words marked, and shown in the locked editor when its view is
// chosen; the specification page report fills the buffers the same way, unmarked.
#include "catalogue/AdditionalInfo.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ContentDocuments.h"
#include "catalogue/RuleReferences.h"
#include "catalogue/RuleText.h"
#include "frame/HINFO1.h"
#include "workbook/WorkArea1.h"

using catalogue::toQString;
using namespace platform;

namespace {

// The composed page into the buffer, whose font the view gave it: the rule's quoted words and
// the program's notes alike look like the editor.
void setComposedPage(RichTextBox& buffer, const catalogue::ComposedPage& page) {
    buffer.setText(toQString(page.text));
    buffer.setSelStart(0);
    buffer.setSelLength(0);
}

}  // namespace

// The entry's SpecNumber from the selection; on pages without entries the number in LoopIndex
// stands (the specification page report sets it).
int WorkArea1::TextBuilderSpec() {
    const int g = catalogue::specFileNumber(AreaMode, SpecIndex);
    if (g != catalogue::NoNumber) LoopIndex = g;
    return LoopIndex + 1;
}

// A shipped document of the entry, loaded whole: into the editor on screen, into the view's
// buffer for printing. One that is missing or unreadable leaves the box empty and says so;
// the program goes on.
bool WorkArea1::LoadViewDocument(int buffer, int k, const QString& name, const QString& title) {
    CurFileName = name;
    const bool onScreen = PrintModeFlag == NotComposingForPrint;
    RichTextBox& box = onScreen ? Rtext3 : RText1[buffer];
    TextLoading = ProgramSetsText;
    const bool loaded = box.loadFile(name) == ReadStatus::Ok;
    if (!loaded) box.setText(QString());
    TextLoading = 0;
    // Printing takes the document from the buffer; one that could not be read is not asked
    // for again for this entry.
    if (!onScreen || !loaded) BufferSpec[std::size_t(buffer)] = k;
    if (!loaded)
        msgBox(QStringLiteral("The document ") + name + QStringLiteral(" could not be read."),
               Msg::Exclamation | Msg::OKOnly, title);
    return loaded;
}

// On screen: the buffer's words marked, and its rich text into the editor when its view is
// the one chosen.
void WorkArea1::ShowViewBuffer(int buffer, const QString& word, const SSOption& view) {
    doEvents();
    MarkSpecName(RText1[buffer], word);
    if (view.value() && PrintModeFlag == NotComposingForPrint) {
        TextLoading = ProgramSetsText;
        Rtext3.setTextRTF(RText1[buffer].textRTF());
        TextLoading = 0;
    }
    UnsavedChanges = 0;
    doEvents();
}

void WorkArea1::LoadRuleText() {
    doEvents();
    const int k = TextBuilderSpec();
    const catalogue::RuleText rule = catalogue::ruleText(k);
    RText1[0].setText(QString::fromStdString(catalogue::composeRuleText(k)));
    BufferSpec[0] = k;
    // A page being composed for printing takes the buffer as it is.
    if (PrintModeFlag == ComposingForPrint) return;
    ShowViewBuffer(0, rule.hasHighlight ? toQString(rule.highlight) : QString(), SSOption6);
}

void WorkArea1::LoadRuleReferences() {
    const int k = TextBuilderSpec();
    const catalogue::RuleReferences refs = catalogue::ruleReferences(k);
    if (!refs.fileName.empty()) {
        LoadViewDocument(1, k, toQString(refs.fileName), QStringLiteral("References in Rule"));
        return;
    }
    setComposedPage(RText1[1], catalogue::composeRuleReferences(k));
    BufferSpec[1] = k;
    if (PrintModeFlag == ComposingForPrint) return;
    ShowViewBuffer(1, refs.hasHighlight ? toQString(refs.highlight) : QString(), SSOption2);
}

void WorkArea1::LoadAdditionalInfo() {
    doEvents();
    WorkText = toQString(catalogue::addressableExplanationText());
    const int k = TextBuilderSpec();
    const catalogue::AdditionalInfo info = catalogue::additionalInfo(k);
    if (!info.fileName.empty()) {
        LoadViewDocument(2, k, toQString(info.fileName), QStringLiteral("Additional Information"));
        return;
    }
    setComposedPage(RText1[2], catalogue::composeAdditionalInfo(k));
    BufferSpec[2] = k;
    if (PrintModeFlag == ComposingForPrint) return;
    ShowViewBuffer(2, info.hasKeyword ? toQString(info.keyword) : QString(), SSOption7);
}

// The three view options: each leaves the user's document, shows its read-only text in the
// editor's font, with nothing to save.
void WorkArea1::SSOption6_Click() { ShowReadOnlyView(0, &WorkArea1::LoadRuleText); }
void WorkArea1::SSOption2_Click() { ShowReadOnlyView(1, &WorkArea1::LoadRuleReferences); }
void WorkArea1::SSOption7_Click() { ShowReadOnlyView(2, &WorkArea1::LoadAdditionalInfo); }

void WorkArea1::ShowReadOnlyView(int buffer, void (WorkArea1::*builder)()) {
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
    UsePrintFont(f);
    RText1[buffer].setFont(f);
    EmptyEditor();
    ClearSpecBuffers();
    (this->*builder)();
    // The locked editor keeps no caret.
    if (SSCommand7.visible()) SSCommand7.setFocus();
    // Filling the editor raised its change events: nothing here is the user's.
    UnsavedChanges = 0;
    doEvents();
}
