#include "platform/PrintPreview.h"

#include "platform/Dialogs.h"
#include "platform/Services.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace platform {

// ---- printing on a printer -----------------------------------------------------------------

void preparePrinter(const PrintDocument& doc, QPrinter& printer) {
    printer.setPageLayout(pageLayout(doc));
    printer.setFullPage(true);
    // The print dialog suggests the document name, less what follows its last dot, with
    // ".pdf" as the file to print to; the name ends in ".pdf" itself, so a title with dots in
    // it ("Sec. 164.308") is suggested whole.
    printer.setDocName(pdfFileName(doc));
}

bool printOnPrinter(PrintDocument& doc, QPrinter& printer, int first, int last,
                    const std::function<void()>& relayout) {
    if (takeDevicePaper(doc, printer) && relayout) relayout();
    printer.setDocName(doc.title());
    return printPages(doc, printer, first, last);
}

// ---- the printer service -------------------------------------------------------------------

namespace {

class SystemPrinter : public Printer {
public:
    bool print(PrintDocument& doc, const std::function<void()>& relayout) override {
        if (doc.pageCount() == 0) return false;
        QPrinter printer(QPrinter::HighResolution);
        preparePrinter(doc, printer);
        QPrintDialog dialog(&printer, QApplication::activeWindow());
        dialog.setMinMax(1, doc.pageCount());
        if (dialog.exec() != QDialog::Accepted) return false;
        int first = 1, last = 0;
        if (printer.printRange() == QPrinter::PageRange) {
            first = printer.fromPage();
            last = printer.toPage();
        }
        return printOnPrinter(doc, printer, first, last, relayout);
    }
    bool printToPdf(const PrintDocument& doc, const QString& path) override {
        return writePdf(doc, path);
    }
};

std::unique_ptr<Printer>& printerSlot() {
    static std::unique_ptr<Printer> p = std::make_unique<SystemPrinter>();
    return p;
}

}  // namespace

Printer& printer() { return *printerSlot(); }

std::unique_ptr<Printer> setPrinter(std::unique_ptr<Printer> p) {
    if (!p) p = std::make_unique<SystemPrinter>();
    std::swap(p, printerSlot());
    return p;
}

// ---- the view ------------------------------------------------------------------------------

// Grey desk with the page on it: the whole page in normal zoom, the page width in enlarged.
class PageWidget : public QWidget {
public:
    PageWidget(PrintPreview& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
        setAutoFillBackground(false);
        setAccessibleName(QStringLiteral("Page"));
    }

    static constexpr int Gap = 8;

    // Pixels per twip at the current size and zoom.
    double scaleFor(int viewWidth, int viewHeight) const {
        const PrintDocument& doc = owner_.document();
        const double pw = std::max(1, doc.pageWidth());
        const double ph = std::max(1, doc.pageHeight());
        const double byWidth = std::max(1, viewWidth - 2 * Gap) / pw;
        if (owner_.zoom() == Zoom::Enlarged) return byWidth;
        return std::min(byWidth, std::max(1, viewHeight - 2 * Gap) / ph);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 128, 128));
        const PrintDocument& doc = owner_.document();
        const int n = owner_.previewPage();
        if (!owner_.preview() || n == 0) return;
        const double scale = scaleFor(width(), height());
        const QSizeF page(doc.pageWidth() * scale, doc.pageHeight() * scale);
        const QPointF origin(std::max(double(Gap), (width() - page.width()) / 2), Gap);
        p.fillRect(QRectF(origin + QPointF(3, 3), page), QColor(64, 64, 64));
        p.fillRect(QRectF(origin, page), Qt::white);
        p.translate(origin);
        p.setClipRect(QRectF(QPointF(0, 0), page));
        renderPage(doc, n, p, scale * 1440.0, owner_.guideLines());
    }

private:
    PrintPreview& owner_;
};

class PreviewView : public QWidget {
public:
    PreviewView(PrintPreview& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        scroll_ = new QScrollArea(this);
        scroll_->setWidgetResizable(true);
        scroll_->setFrameShape(QFrame::StyledPanel);
        page_ = new PageWidget(owner, scroll_);
        scroll_->setWidget(page_);
        layout->addWidget(scroll_, 1);

        auto* bar = new QWidget(this);
        auto* barLayout = new QHBoxLayout(bar);
        barLayout->setContentsMargins(2, 1, 2, 1);
        previous_ = new QToolButton(bar);
        previous_->setArrowType(Qt::LeftArrow);
        previous_->setAccessibleName(QStringLiteral("Previous Page"));
        previous_->setToolTip(QStringLiteral("Previous Page"));
        next_ = new QToolButton(bar);
        next_->setArrowType(Qt::RightArrow);
        next_->setAccessibleName(QStringLiteral("Next Page"));
        next_->setToolTip(QStringLiteral("Next Page"));
        label_ = new QLabel(bar);
        label_->setAlignment(Qt::AlignCenter);
        barLayout->addWidget(previous_);
        barLayout->addWidget(label_, 1);
        barLayout->addWidget(next_);
        layout->addWidget(bar);
        QObject::connect(previous_, &QToolButton::clicked, this, [this] { owner_.previousPage(); });
        QObject::connect(next_, &QToolButton::clicked, this, [this] { owner_.nextPage(); });
        setAccessibleName(QStringLiteral("Print Preview"));
        sync();
    }

    // Brings the page size, scroll range and page counter up to date.
    void sync() {
        const int n = owner_.previewPage();
        const int count = owner_.pageCount();
        label_->setText(count == 0 ? QString() : QStringLiteral("Page %1 of %2").arg(n).arg(count));
        previous_->setEnabled(n > 1);
        next_->setEnabled(n < count);
        if (owner_.zoom() == Zoom::Enlarged) {
            const int vw = scroll_->viewport()->width();
            const double scale = page_->scaleFor(vw, scroll_->viewport()->height());
            page_->setMinimumHeight(int(owner_.document().pageHeight() * scale) + 2 * PageWidget::Gap);
        } else {
            page_->setMinimumHeight(0);
        }
        page_->update();
        pending_ = false;
    }

    // Many outputs in a row repaint once, when the event loop next runs.
    void scheduleSync() {
        if (pending_) return;
        pending_ = true;
        QMetaObject::invokeMethod(this, [this] { if (pending_) sync(); }, Qt::QueuedConnection);
    }

    void toTop() { scroll_->verticalScrollBar()->setValue(0); }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        sync();
    }

private:
    PrintPreview& owner_;
    QScrollArea* scroll_ = nullptr;
    PageWidget* page_ = nullptr;
    QToolButton* previous_ = nullptr;
    QToolButton* next_ = nullptr;
    QLabel* label_ = nullptr;
    bool pending_ = false;
};

// ---- the control ---------------------------------------------------------------------------

PrintPreview::PrintPreview(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    view_ = new PreviewView(*this, parent.containerWidget());
    view_->setFocusPolicy(Qt::StrongFocus);
    setWidget(view_);
    width_ = 6000;
    height_ = 7800;
    move(left_, top_, width_, height_);
    generation_ = doc_.generation();
    doc_.onChanged = [this] {
        if (doc_.generation() != generation_) {
            // A new document is shown from its first page.
            generation_ = doc_.generation();
            page_ = 1;
            if (view_) view_->toTop();
        }
        if (view_) view_->scheduleSync();
    };
}

PrintPreview::~PrintPreview() {
    doc_.onChanged = nullptr;
}

void PrintPreview::refresh() {
    if (view_) view_->sync();
}

void PrintPreview::setPreview(bool on) {
    preview_ = on;
    refresh();
}

void PrintPreview::clear() {
    doc_.clear();
    page_ = 1;
    refresh();
}

void PrintPreview::setZoom(int mode) {
    if (mode != Zoom::Normal && mode != Zoom::Enlarged) return;
    zoom_ = mode;
    refresh();
}

void PrintPreview::setGuideLines(bool on) {
    guideLines_ = on;
    refresh();
}

int PrintPreview::previewPage() const {
    const int count = doc_.pageCount();
    if (count == 0) return 0;
    return std::clamp(page_, 1, count);
}

void PrintPreview::setPreviewPage(int n) {
    const int count = doc_.pageCount();
    page_ = count == 0 ? 1 : std::clamp(n, 1, count);
    if (view_) view_->toTop();
    refresh();
}

bool PrintPreview::copyCurrentPage() {
    const int n = previewPage();
    if (n == 0) return false;
    // 150 dpi: sharp when pasted into a word processor, small enough for the clipboard.
    return clipboard().setImage(pageImage(doc_, n, 150));
}

bool PrintPreview::printDoc() {
    if (doc_.pageCount() == 0) return false;
    const bool printed = printer().print(doc_, onPaperChanged);
    refresh();
    return printed;
}

bool PrintPreview::pageSetup() {
    PageSetup setup;
    setup.landscape = doc_.orientation() == 1;
    setup.marginLeft = doc_.marginLeft();
    setup.marginRight = doc_.marginRight();
    setup.marginTop = doc_.marginTop();
    setup.marginBottom = doc_.marginBottom();
    setup.paperName = doc_.paperName();
    setup.paperWidth = doc_.paperWidth();
    setup.paperHeight = doc_.paperHeight();
    if (!dialogs().pageSetupDialog(setup)) return false;
    doc_.setOrientation(setup.landscape ? 1 : 0);
    doc_.setMarginLeft(std::max(0, setup.marginLeft));
    doc_.setMarginRight(std::max(0, setup.marginRight));
    doc_.setMarginTop(std::max(0, setup.marginTop));
    doc_.setMarginBottom(std::max(0, setup.marginBottom));
    doc_.setPaperSize(setup.paperWidth, setup.paperHeight, setup.paperName);
    refresh();
    return true;
}

bool PrintPreview::action(int a) {
    switch (a) {
    case PreviewAction::CopyPage: return copyCurrentPage();
    case PreviewAction::PrintDoc: return printDoc();
    case PreviewAction::PageSetup: return pageSetup();
    default: return false;
    }
}

void PrintPreview::handleKey(int keyCode, int, int) {
    switch (keyCode) {
    case Key::PageDown: nextPage(); break;
    case Key::PageUp: previousPage(); break;
    case Key::Home: setPreviewPage(1); break;
    case Key::End: setPreviewPage(pageCount()); break;
    default: break;
    }
}

}  // namespace platform
