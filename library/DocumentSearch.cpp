// The search panel of the Security Rule window: step through the whole-word occurrences of the
// typed words in the shown section, from the last match or from where the user clicked.
#include "frame/HINFO1.h"
#include "library/PrivRule.h"
#include "platform/Dialogs.h"

using namespace platform;

void PrivRule::SSCommand5_Click() {
    if (Panel3D3.visible()) {
        Panel3D3.setVisible(false);
        ArrangeControls();
        return;
    }
    Panel3D3.setVisible(true);
    Panel3D3.zOrder(0);
    ArrangeControls();
    SearchFrom = 1;
    Text1.setText(QString());
    Text1.setFocus();
}

void PrivRule::Text1_Change() {
    // New words are searched from the top.
    if (SearchFrom != 1) SearchFrom = 1;
}

void PrivRule::RText2_Click() { SearchFrom = RText2.selStart(); }

void PrivRule::RText2_Change() { SearchFrom = RText2.selStart(); }

void PrivRule::Command5_Click() {
    RText2.setHideSelection(false);
    SearchDocument();
    doEvents();
    Command5.setFocus();
}

void PrivRule::SearchDocument() {
    FoundPos = 0;
    const QString words = Text1.text();
    const int found = RText2.find(words, SearchFrom, -1, RichTextBox::WholeWord);
    FoundPos = found;
    if (FoundPos > 0) {
        SearchFrom = FoundPos + int(words.size());
        return;
    }
    // No further match (a match at the very first character counts as none): say so and
    // start again at the top with the next press.
    msgBox(QStringLiteral("Search has reached the end of the document."), Msg::Information | Msg::OKOnly,
           QStringLiteral("Search Document"));
    RText2.setSelStart(1);
    SearchFrom = 1;
    RText2.setFocus();
}

void PrivRule::Command6_Click() {
    RText2.setHideSelection(true);
    Panel3D3.setVisible(false);
    ArrangeControls();
}
