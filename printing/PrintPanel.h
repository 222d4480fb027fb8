// The print-preview panel laid over the Action Area, Security Rule and Miscellaneous windows:
// the preview VSP1, the Enlarge/Normal button, the panel commands, the guide-line options and
// the information panels. The window that embeds it decides what is rendered (the rebuild
// callbacks); the panel previews, sets up the page, copies the shown page and prints.
#pragma once

#include "platform/Controls.h"
#include "platform/PrintPreview.h"

#include <functional>

// Which window carries the panel: the set of controls and captions differs a little.
enum class PrintPanelKind { SecurityRule, ActionArea, Miscellaneous };

class PrintPanel {
public:
    // Creates the panel's controls in parent (normally the window itself), hidden.
    PrintPanel(platform::Form& form, platform::Container& parent, PrintPanelKind kind);

    PrintPanelKind kind() const { return kind_; }

    // ---- handlers ---------------------------------------------------------------------------
    // The panel commands by element index: 0 "Printer &Font" (Action Area only; nothing on
    // the Security Rule window), 1 "&Page Setup", 2 "&Cancel", 3 "C&opy Current Page",
    // 4 "&Print".
    void SSCommand80_Click(int index);
    // "Enlarge"/"Normal".
    void SSCommand1_Click() { TogglePreviewSize(); }
    void TogglePreviewSize();
    // The guide-line options: 0 off, 1 on; stored in the display settings unless LoopIndex
    // is RestoringPrintOptions.
    void SSOption82_Click(int index);

    // ---- what the window supplies ---------------------------------------------------------
    // Renders the window's document again after "&Page Setup" (required).
    std::function<void()> RebuildAfterPageSetup;
    // Renders again after a confirmed "Printer &Font" (Action Area).
    std::function<void()> RebuildAfterPrinterFont;
    // Renders what the preview shows again after the print dialog chose another paper or
    // orientation, so that it prints laid out for that paper (required).
    std::function<void()> RebuildForPaper;

    // ---- helpers for the windows ----------------------------------------------------------
    // Puts the four margins into the program-wide print margins.
    static void SetMargins(int left, int right, int top, int bottom);
    // Puts the program-wide print margins into the preview document.
    void ApplyMargins();
    // Shows the panel, gives it the focus and brings the size button to the front.
    void ShowPanel();
    bool isShowing() const { return SSPanel80.visible(); }
    // The preview is enlarged while the size button reads "Normal".
    bool isEnlarged() const;
    // Restores the stored guide-line choice without storing it again. The RestoringPrintOptions marker is
    // ended afterwards, so the option handlers of every window store again.
    void RestoreGuideLines();
    // Portrait orientation and " Portrait" in the orientation panel.
    void SetPortrait();
    // The window's Activate: the size button's place and the preview's normal size.
    void SaveNormalSize();
    // Places the controls over an area of the given size (twips).
    void Arrange(int width, int height);
    // Shows the print font in the font panels and the sample.
    void ShowPrintFont();

    // =========================================================================================
    // Controls, by their names in the windows
    // =========================================================================================
    platform::SSPanel SSPanel80;
    platform::PrintPreview VSP1;
    platform::SSCommand SSCommand1;
    platform::ControlArray<platform::SSCommand> SSCommand80{QStringLiteral("SSCommand80")};
    platform::ControlArray<platform::SSFrame> SSFrame80{QStringLiteral("SSFrame80")};
    platform::SSOption SSOption81;
    platform::ControlArray<platform::SSOption> SSOption82{QStringLiteral("SSOption82")};
    platform::ControlArray<platform::SSCheck> SSCheck80{QStringLiteral("SSCheck80")};
    platform::ControlArray<platform::SSCheck> SSCheck81{QStringLiteral("SSCheck81")};
    platform::ControlArray<platform::Label> Label80{QStringLiteral("Label80")};
    platform::ControlArray<platform::SSPanel> Panel3D80{QStringLiteral("Panel3D80")};
    platform::SSPanel Panel3D82;

private:
    void PrinterFont();
    void PageSetup();
    void ShowOrientation();
    void CopyCurrentPage();

    platform::Form& form_;
    PrintPanelKind kind_;
};

// The three renderers: a window's rich-text box put into its preview as one rich-text
// paragraph inside the program-wide margins, the document titled title.
namespace platform {
class RichTextBox;
}
// The rule section: the selection when one character or more is selected (its paragraphs
// formatted as on screen), else the whole.
void RenderRuleSection(PrintPanel& panel, platform::RichTextBox& source, const QString& title = {});
// The Miscellaneous topic: always the whole text; the pointer is left alone.
void RenderTopic(PrintPanel& panel, platform::RichTextBox& source, const QString& title = {});
// The Action Area editor: always the whole text.
void RenderEditorText(PrintPanel& panel, platform::RichTextBox& source, const QString& title = {});
