// The editor's tools: change tracking (which changes of the editor's text count as the user's
// unsaved work), the Text Location options and Font Select.
#include "catalogue/Catalogue.h"
#include "frame/HINFO1.h"
#include "platform/Dialogs.h"
#include "workbook/WorkArea1.h"

using namespace platform;

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
    FontChoice choice;
    const Font base = Rtext3.font();
    choice.font.name = FontSelectLength != 0 ? Rtext3.selFontName().value_or(base.name) : base.name;
    choice.font.size = FontSelectLength != 0 ? Rtext3.selFontSize().value_or(base.size) : base.size;
    choice.font.bold = FontSelectLength != 0 ? Rtext3.selBold().value_or(false) : base.bold;
    choice.font.italic = FontSelectLength != 0 ? Rtext3.selItalic().value_or(false) : base.italic;
    choice.font.underline = FontSelectLength != 0 ? Rtext3.selUnderline().value_or(false) : base.underline;
    choice.font.strikethrough = FontSelectLength != 0 ? Rtext3.selStrikethru().value_or(false) : base.strikethrough;
    choice.color = Rtext3.selColor().value_or(0);
    if (dialogs().fontDialog(choice)) {
        Rtext3.setSelFontName(choice.font.name);
        Rtext3.setSelFontSize(choice.font.size);
        Rtext3.setSelBold(choice.font.bold);
        Rtext3.setSelItalic(choice.font.italic);
        Rtext3.setSelUnderline(choice.font.underline);
        Rtext3.setSelStrikethru(choice.font.strikethrough);
        Rtext3.setSelColor(choice.color);
    }
    Rtext3.setSelStart(LoopIndex);
    if (FontSelectLength > 0) Rtext3.setSelLength(FontSelectLength);
    Rtext3.setFocus();
}

void WorkArea1::mOFont_Click() { SSCommand8_Click(); }
