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
    if (PrintModeFlag == -999) return;
    platform::doEvents();
    const QString word = rule.hasHighlight
                             ? QString::fromUtf8(rule.highlight.data(), qsizetype(rule.highlight.size()))
                             : QString();
    MarkSpecName(RText1[0], word);
    if (SSOption6.value() && PrintModeFlag == 0) {
        TextLoading = 9;
        Rtext3.setTextRTF(RText1[0].textRTF());
        TextLoading = 0;
    }
    UnsavedChanges = 0;
    platform::doEvents();
}
