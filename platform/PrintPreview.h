// The print-preview control: shows one page of its print document at a time, with optional
// guide lines, two zoom modes, page navigation, copy of the page to the clipboard, printing
// through the printer service and the page set-up dialog.
#pragma once

#include "platform/Control.h"
#include "platform/PrintDocument.h"

#include <QString>
#include <functional>
#include <memory>

class QPrinter;

namespace platform {

// The printer service: the system's print dialog and print service in the program, a recorder
// in tests (so no test ever opens a real dialog).
class Printer {
public:
    virtual ~Printer() = default;
    // Lets the user choose a printer in the system's print dialog and prints every page on
    // the paper the dialog ends with (printOnPrinter: the document takes that paper, and
    // relayout, when given, lays it out again for it). False when the user cancelled or
    // printing failed.
    virtual bool print(PrintDocument& doc, const std::function<void()>& relayout) = 0;
    // Writes every page to a PDF file. False when the file could not be written.
    virtual bool printToPdf(const PrintDocument& doc, const QString& path) = 0;
};

// Gets a printer ready for its print dialog: the document's paper and orientation, full-page
// drawing, and the document's PDF file name as the name the dialog suggests for a file.
void preparePrinter(const PrintDocument& doc, QPrinter& printer);

// Prints on a printer whose dialog the user confirmed. When the dialog ended with another
// paper or orientation than the document's, the document takes them and relayout (when
// given) lays it out again for them before it is printed; the document also takes the
// printer's unprintable strip (takeDevicePaper). The print job carries the document's title.
bool printOnPrinter(PrintDocument& doc, QPrinter& printer, int first, int last,
                    const std::function<void()>& relayout);

Printer& printer();
// Installs a printer service; the previous one is returned so that it can be put back.
std::unique_ptr<Printer> setPrinter(std::unique_ptr<Printer> p);

// Zoom modes of the preview.
namespace Zoom {
constexpr int Normal = 3;    // the whole page fits the control
constexpr int Enlarged = 4;  // the page width fits the control; the page scrolls
}  // namespace Zoom

// Actions of the preview.
namespace PreviewAction {
constexpr int CopyPage = 10;
constexpr int PrintDoc = 12;
constexpr int PageSetup = 14;
}  // namespace PreviewAction

class PreviewView;

class PrintPreview : public Control {
public:
    PrintPreview(Form& form, Container& parent, const QString& name, int index = -1);
    ~PrintPreview() override;

    // What is previewed and printed; output goes here (StartDoc, Paragraph, ...).
    PrintDocument& document() { return doc_; }
    const PrintDocument& document() const { return doc_; }

    // Preview mode: when off the control shows an empty area.
    bool preview() const { return preview_; }
    void setPreview(bool on);
    // Empties the document and the view.
    void clear();

    int zoom() const { return zoom_; }
    void setZoom(int mode);  // Zoom::Normal or Zoom::Enlarged; other values are ignored
    bool guideLines() const { return guideLines_; }
    void setGuideLines(bool on);
    // A display setting the program sets and does not read back for any purpose.
    int displaySetting() const { return displaySetting_; }
    void setDisplaySetting(int v) { displaySetting_ = v; }

    // The page shown, 1-based (0 when the document has no pages).
    int previewPage() const;
    void setPreviewPage(int n);  // clamped to 1..pageCount()
    int pageCount() const { return doc_.pageCount(); }
    void nextPage() { setPreviewPage(previewPage() + 1); }
    void previousPage() { setPreviewPage(previewPage() - 1); }

    // The page shown goes to the clipboard as an image. False when there is no page or the
    // clipboard refused it.
    bool copyCurrentPage();
    // The whole document to the printer service.
    bool printDoc();
    // The page set-up dialog with the document's orientation, margins and paper; true when
    // the user confirmed, and the document then takes them.
    bool pageSetup();
    // Runs action 10, 12 or 14; false for any other value.
    bool action(int a);
    // Lays the document out again after the print dialog changed its paper or orientation
    // (the window renders its document anew); without it the pages are scaled to the paper.
    std::function<void()> onPaperChanged;

    // Page Up / Page Down, Home / End turn the pages.
    void handleKey(int keyCode, int shift, int keyAscii) override;
    bool canTakeFocus() const override { return true; }

private:
    void refresh();

    PrintDocument doc_;
    PreviewView* view_ = nullptr;
    bool preview_ = true;
    int zoom_ = Zoom::Normal;
    bool guideLines_ = false;
    int displaySetting_ = 0;
    int page_ = 1;
    int generation_ = 0;
};

}  // namespace platform
