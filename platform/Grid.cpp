#include "platform/Grid.h"

#include <cmath>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolTip>
#include <QValidator>
#include <algorithm>

namespace platform {

namespace {

constexpr int RawTextRole = Qt::UserRole;       // header items: the text as stored
constexpr int CellColorRole = Qt::UserRole + 1;  // a cell's own back colour (Color)

// What a cell shows for a stored text: CR LF, CR and LF all become line breaks.
QString displayForm(const QString& raw) {
    QString s = raw;
    s.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    s.replace(QLatin1Char('\r'), QChar::LineSeparator);
    s.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return s;
}

// Header views draw their own text; they get plain newlines.
QString headerForm(const QString& raw) {
    QString s = raw;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

bool isNumber(const QString& s, double* v) {
    bool ok = false;
    double d = s.trimmed().toDouble(&ok);
    if (ok && v) *v = d;
    return ok && !s.trimmed().isEmpty();
}

int shiftOfModifiers(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) s |= ShiftState::Shift;
    if (m & Qt::ControlModifier) s |= ShiftState::Ctrl;
    if (m & Qt::AltModifier) s |= ShiftState::Alt;
    return s;
}

int buttonOf(Qt::MouseButton b) {
    return b == Qt::RightButton ? Mouse::Right : b == Qt::MiddleButton ? Mouse::Middle : Mouse::Left;
}

// Keeps typing within the limit without cutting a longer text the cell already held.
class LengthValidator : public QValidator {
public:
    explicit LengthValidator(QObject* parent) : QValidator(parent) {}
    int limit = 0;
    State validate(QString& input, int&) const override {
        return (limit <= 0 || input.size() <= limit) ? Acceptable : Invalid;
    }
};

// A header that holds the extent the grid gives its fixed row or column.
class GridHeader : public QHeaderView {
public:
    GridHeader(Qt::Orientation o, QWidget* parent) : QHeaderView(o, parent) {}
    int extent = -1;  // pixels; -1: Qt's own
    QSize sizeHint() const override {
        QSize s = QHeaderView::sizeHint();
        if (extent < 0) return s;
        if (orientation() == Qt::Horizontal) s.setHeight(extent);
        else s.setWidth(extent);
        return s;
    }
};

}  // namespace

// ---- the Qt pieces ---------------------------------------------------------------------------

class GridView : public QTableWidget {
public:
    GridView(Grid& g, QWidget* parent) : QTableWidget(parent), grid_(g) {}
    void refreshGeometries() { updateGeometries(); }

protected:
    void paintEvent(QPaintEvent* e) override {
        {
            // The grid's back colour, then the wallpaper, under every cell without a colour
            // of its own.
            QPainter p(viewport());
            p.fillRect(viewport()->rect(), toQColor(grid_.backColor()));
            const QImage& img = grid_.wallPaper_;
            if (!img.isNull()) {
                if (grid_.wallPaperMode_ == Grid::WallPaperStretch)
                    p.drawImage(viewport()->rect(), img);
                else
                    p.drawTiledPixmap(viewport()->rect(), QPixmap::fromImage(img));
            }
        }
        QTableWidget::paintEvent(e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        // The form has seen the key already; here the grid reacts as to a typed key.
        const QString t = e->text();
        const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (e->key() == Qt::Key_F2) {
            grid_.editCell();
            return;
        }
        if (plain && t.size() == 1 && t[0].isPrint()) {
            if (grid_.editable_ != Grid::EditNone && grid_.isBodyCell(grid_.row_, grid_.col_))
                grid_.startEdit(t, true);
            return;  // no jumping to rows by their first letter
        }
        QTableWidget::keyPressEvent(e);
    }

private:
    Grid& grid_;
};

class GridEditor : public QLineEdit {
public:
    GridEditor(Grid& g, QWidget* parent) : QLineEdit(parent), grid_(g) {
        validator_ = new LengthValidator(this);
        setValidator(validator_);
        setFrame(false);
        setContextMenuPolicy(Qt::NoContextMenu);
        hide();
    }
    LengthValidator* validator_;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            grid_.commitEdit();
            return;
        case Qt::Key_Escape:
            grid_.cancelEdit();
            return;
        case Qt::Key_Up:
        case Qt::Key_Down: {
            const int step = e->key() == Qt::Key_Up ? -1 : 1;
            grid_.commitEdit();
            const int r = grid_.row_ + step;
            if (r >= grid_.fixedRows_ && r < grid_.rows_) grid_.setRow(r);
            return;
        }
        default:
            QLineEdit::keyPressEvent(e);
        }
    }
    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        // A message box or menu over the window leaves the edit open, as the focus comes back.
        if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
        QWidget* now = QApplication::focusWidget();
        if (grid_.editing_ && !grid_.finishing_) grid_.commitEdit();
        // Focus leaving the grid from its editor is the grid losing the focus.
        if (now && now != grid_.view_ && !grid_.view_->isAncestorOf(now) && grid_.onLostFocus)
            grid_.onLostFocus();
    }

private:
    Grid& grid_;
};

class GridDelegate : public QStyledItemDelegate {
public:
    GridDelegate(Grid& g, QObject* parent) : QStyledItemDelegate(parent), grid_(g) {}
    QString displayText(const QVariant& value, const QLocale&) const override {
        return displayForm(value.toString());
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const int row = index.row() + grid_.fixedRows_;
        const int col = index.column() + grid_.fixedCols_;
        option->displayAlignment = grid_.qtAlignment(row, col, index.data(Qt::DisplayRole).toString());
        if (grid_.wordWrap_) option->features |= QStyleOptionViewItem::WrapText;
        else option->features &= ~QStyleOptionViewItem::WrapText;
        // A one-line cell too narrow for its text ends it with "..." instead of cutting it off
        // at both edges (a centred text) or mid-letter.
        option->textElideMode = grid_.wordWrap_ ? Qt::ElideNone : Qt::ElideRight;
        if (grid_.highlight_ == Grid::Highlight::WithFocus && !grid_.view_->hasFocus())
            option->state &= ~QStyle::State_Selected;
    }

private:
    Grid& grid_;
};

// Mouse on the cells and headings, and the focus moving between the grid and its editor.
class GridFilter : public QObject {
public:
    GridFilter(Grid& g, QObject* parent) : QObject(parent), grid_(g) {}

    bool eventFilter(QObject* watched, QEvent* e) override {
        GridView* v = grid_.view_;
        if (watched == v) {
            switch (e->type()) {
            // Mouse events reach the table only when a part ignored them; the cells and
            // headings have raised their events already.
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
                return true;
            case QEvent::FocusIn:
                if (returningFromEditor_) {
                    returningFromEditor_ = false;
                    return true;
                }
                return false;
            case QEvent::FocusOut: {
                QWidget* now = QApplication::focusWidget();
                if (now && v->isAncestorOf(now)) return true;  // into the cell editor
                return false;
            }
            default:
                return false;
            }
        }
        if (watched == grid_.editor_ && e->type() == QEvent::FocusOut) {
            QWidget* now = QApplication::focusWidget();
            if (now == v) returningFromEditor_ = true;
            return false;
        }
        if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonRelease &&
            e->type() != QEvent::MouseButtonDblClick)
            return false;
        auto* me = static_cast<QMouseEvent*>(e);
        auto* w = static_cast<QWidget*>(watched);
        const QPoint local = me->position().toPoint();
        const QPoint inGrid = w->mapTo(v, local);
        int row = -1, col = -1;
        if (watched == v->viewport()) {
            const QModelIndex idx = v->indexAt(local);
            if (idx.isValid()) {
                row = idx.row() + grid_.fixedRows_;
                col = idx.column() + grid_.fixedCols_;
            }
        } else if (watched == v->horizontalHeader()->viewport()) {
            const int section = v->horizontalHeader()->logicalIndexAt(local);
            if (section >= 0) {
                row = 0;
                col = section + grid_.fixedCols_;
            }
        } else if (watched == v->verticalHeader()->viewport()) {
            const int section = v->verticalHeader()->logicalIndexAt(local);
            if (section >= 0) {
                row = section + grid_.fixedRows_;
                col = 0;
            }
        } else {
            return false;
        }
        const int button = buttonOf(me->button());
        const int shift = shiftOfModifiers(me->modifiers());
        const int x = pixelsToTwipsX(inGrid.x());
        const int y = pixelsToTwipsY(inGrid.y());
        if (e->type() == QEvent::MouseButtonPress) {
            grid_.cellPress(row, col, button, shift, x, y);
            // Qt moves the current cell only for the left button on a body cell; the grid
            // has done that already.
            if (v->isEnabled() && !v->hasFocus() && grid_.enabled()) v->setFocus(Qt::MouseFocusReason);
            return true;
        }
        if (e->type() == QEvent::MouseButtonDblClick) {
            grid_.afterDoubleClick_ = true;
            if (grid_.onDblClick) grid_.onDblClick();
            return true;
        }
        grid_.cellRelease(row, col, button, shift, x, y);
        return true;
    }

private:
    Grid& grid_;
    bool returningFromEditor_ = false;
};

// ---- Grid ------------------------------------------------------------------------------------

struct Grid::Snapshot {
    int rows = 0, cols = 0;
    std::vector<QString> texts;
    std::vector<std::pair<bool, Color>> colors;
    std::vector<int> rowTwips;
};

Grid::Grid(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    backColor_ = SysWindowBackground;
    foreColor_ = SysWindowText;
    rows_ = 50;
    cols_ = 10;
    colTwips_.assign(cols_, -1);
    rowTwips_.assign(rows_, -1);
    colAlign_.assign(cols_, GridAlign::General);
    fixedAlign_.assign(cols_, -1);
    editMasks_.assign(cols_, QString());
    readOnlyCols_.assign(cols_, false);

    view_ = new GridView(*this, parent.containerWidget());
    view_->setHorizontalHeader(new GridHeader(Qt::Horizontal, view_));
    view_->setVerticalHeader(new GridHeader(Qt::Vertical, view_));
    for (QHeaderView* h : {view_->horizontalHeader(), view_->verticalHeader()}) {
        h->setSectionsClickable(false);
        h->setSectionResizeMode(QHeaderView::Fixed);
        h->setMinimumSectionSize(0);
        h->setHighlightSections(false);
    }
    view_->setItemDelegate(new GridDelegate(*this, view_));
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectItems);
    view_->setTabKeyNavigation(false);
    view_->setCornerButtonEnabled(false);
    view_->setContextMenuPolicy(Qt::PreventContextMenu);
    view_->setTextElideMode(Qt::ElideNone);
    view_->setWordWrap(false);
    view_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view_->viewport()->setAutoFillBackground(false);
    editor_ = new GridEditor(*this, view_->viewport());

    setWidget(view_);
    auto* filter = new GridFilter(*this, view_);
    view_->installEventFilter(filter);  // after the common bridge, so it runs first
    view_->viewport()->installEventFilter(filter);
    view_->horizontalHeader()->viewport()->installEventFilter(filter);
    view_->verticalHeader()->viewport()->installEventFilter(filter);
    editor_->installEventFilter(filter);

    QObject::connect(view_, &QTableWidget::currentCellChanged, view_, [this](int r, int c, int, int) {
        // The user moved the current cell with the keyboard.
        if (syncing_ || r < 0 || c < 0) return;
        row_ = r + fixedRows_;
        col_ = c + fixedCols_;
    });
    QObject::connect(editor_, &QLineEdit::textChanged, view_, [this](const QString&) {
        if (!editing_ || syncing_) return;
        editDirty_ = true;
        if (onChangeEdit) onChangeEdit();
    });
    QObject::connect(view_->verticalScrollBar(), &QScrollBar::sliderMoved, view_, [this](int value) {
        if (scrollTips_) showScrollTip(value + fixedRows_);
    });
    auto followScroll = [this](int) { if (editing_) placeEditor(); };
    QObject::connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, view_, followScroll);
    QObject::connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, view_, followScroll);

    updateDefaultRowHeight();
    rebuild();
    applyColors();
}

Grid::~Grid() {
    // The table goes first, while this is still a grid: its event filters call back into it.
    if (widget_) delete widget_.data();
}

QTableWidget* Grid::table() const { return view_; }

// ---- shape -----------------------------------------------------------------------------------

Grid::Snapshot Grid::takeSnapshot() const {
    Snapshot s;
    s.rows = rows_;
    s.cols = cols_;
    s.texts.resize(size_t(rows_) * cols_);
    s.colors.resize(size_t(rows_) * cols_, {false, 0});
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < cols_; ++c) {
            const size_t i = size_t(r) * cols_ + c;
            s.texts[i] = textMatrix(r, c);
            if (r < fixedRows_ && c < fixedCols_) {
                s.colors[i] = {cornerBackSet_, cornerBack_};
            } else if (QTableWidgetItem* it = itemFor(r, c, false)) {
                QVariant v = it->data(CellColorRole);
                if (v.isValid()) s.colors[i] = {true, Color(v.toUInt())};
            }
        }
    s.rowTwips = rowTwips_;
    return s;
}

void Grid::restoreSnapshot(const Snapshot& s) {
    for (int r = 0; r < std::min(rows_, s.rows); ++r)
        for (int c = 0; c < std::min(cols_, s.cols); ++c) {
            const size_t i = size_t(r) * s.cols + c;
            if (!s.texts[i].isEmpty()) writeCell(r, c, s.texts[i]);
            if (s.colors[i].first) setCellBackColor(r, c, r, c, s.colors[i].second);
        }
}

// Lays the Qt table out anew for the current shape (used when the fixed counts change).
void Grid::rebuild() {
    syncing_ = true;
    view_->clear();
    view_->setRowCount(std::max(0, rows_ - fixedRows_));
    view_->setColumnCount(std::max(0, cols_ - fixedCols_));
    view_->horizontalHeader()->setVisible(fixedRows_ > 0);
    view_->verticalHeader()->setVisible(fixedCols_ > 0);
    cornerText_.clear();
    cornerBackSet_ = false;
    ensureHeaderItems();
    for (int c = 0; c < cols_; ++c) applyColWidth(c);
    for (int r = 0; r < rows_; ++r) applyRowHeight(r);
    syncing_ = false;
    syncCurrentToView();
}

void Grid::ensureHeaderItems() {
    for (int c = 0; c < view_->columnCount(); ++c)
        if (!view_->horizontalHeaderItem(c)) {
            auto* it = new QTableWidgetItem(QString());
            it->setData(RawTextRole, QString());
            view_->setHorizontalHeaderItem(c, it);
        }
    for (int r = 0; r < view_->rowCount(); ++r)
        if (!view_->verticalHeaderItem(r)) {
            auto* it = new QTableWidgetItem(QString());
            it->setData(RawTextRole, QString());
            view_->setVerticalHeaderItem(r, it);
        }
    applyHeaderAlignment();
}

void Grid::applyHeaderAlignment() {
    for (int c = 0; c < view_->columnCount(); ++c)
        if (QTableWidgetItem* it = view_->horizontalHeaderItem(c))
            it->setTextAlignment(qtAlignment(0, c + fixedCols_, it->data(RawTextRole).toString()));
    if (fixedCols_ > 0)
        for (int r = 0; r < view_->rowCount(); ++r)
            if (QTableWidgetItem* it = view_->verticalHeaderItem(r))
                it->setTextAlignment(qtAlignment(r + fixedRows_, 0, it->data(RawTextRole).toString()));
}

void Grid::setRows(int n) {
    if (n < 0) n = 0;
    if (editing_) commitEdit();
    if (n < fixedRows_) {
        Snapshot s = takeSnapshot();
        fixedRows_ = n;
        rows_ = n;
        rowTwips_.resize(n, -1);
        rebuild();
        restoreSnapshot(s);
    } else {
        rows_ = n;
        rowTwips_.resize(n, -1);
        syncing_ = true;
        view_->setRowCount(n - fixedRows_);
        syncing_ = false;
        ensureHeaderItems();
        for (int r = fixedRows_; r < rows_; ++r) applyRowHeight(r);
    }
    row_ = std::clamp(row_, 0, std::max(0, rows_ - 1));
    syncCurrentToView();
}

void Grid::setCols(int n) {
    if (n < 0) n = 0;
    if (editing_) commitEdit();
    colTwips_.resize(n, -1);
    colAlign_.resize(n, GridAlign::General);
    fixedAlign_.resize(n, -1);
    editMasks_.resize(n);
    readOnlyCols_.resize(n, false);
    if (n < fixedCols_) {
        Snapshot s = takeSnapshot();
        fixedCols_ = n;
        cols_ = n;
        rebuild();
        restoreSnapshot(s);
    } else {
        cols_ = n;
        syncing_ = true;
        view_->setColumnCount(n - fixedCols_);
        syncing_ = false;
        ensureHeaderItems();
        for (int c = fixedCols_; c < cols_; ++c) applyColWidth(c);
    }
    col_ = std::clamp(col_, 0, std::max(0, cols_ - 1));
    syncCurrentToView();
}

void Grid::setFixedRows(int n) {
    n = std::clamp(n, 0, std::min(1, rows_));
    if (n == fixedRows_) return;
    if (editing_) commitEdit();
    Snapshot s = takeSnapshot();
    fixedRows_ = n;
    rebuild();
    restoreSnapshot(s);
}

void Grid::setFixedCols(int n) {
    n = std::clamp(n, 0, std::min(1, cols_));
    if (n == fixedCols_) return;
    if (editing_) commitEdit();
    Snapshot s = takeSnapshot();
    fixedCols_ = n;
    rebuild();
    restoreSnapshot(s);
}

// ---- cells -----------------------------------------------------------------------------------

QTableWidgetItem* Grid::itemFor(int row, int col, bool create) const {
    if (!inGrid(row, col)) return nullptr;
    if (row < fixedRows_ && col < fixedCols_) return nullptr;
    if (row < fixedRows_) return view_->horizontalHeaderItem(col - fixedCols_);
    if (col < fixedCols_) return view_->verticalHeaderItem(row - fixedRows_);
    QTableWidgetItem* it = view_->item(row - fixedRows_, col - fixedCols_);
    if (!it && create) {
        it = new QTableWidgetItem();
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        view_->setItem(row - fixedRows_, col - fixedCols_, it);
    }
    return it;
}

QString Grid::textMatrix(int row, int col) const {
    if (!inGrid(row, col)) return QString();
    if (row < fixedRows_ && col < fixedCols_) return cornerText_;
    QTableWidgetItem* it = itemFor(row, col, false);
    if (!it) return QString();
    if (row < fixedRows_ || col < fixedCols_) return it->data(RawTextRole).toString();
    return it->text();
}

void Grid::writeCell(int row, int col, const QString& text) {
    if (row < fixedRows_ && col < fixedCols_) {
        cornerText_ = text;
        return;
    }
    QTableWidgetItem* it = itemFor(row, col, true);
    if (!it) return;
    if (row < fixedRows_ || col < fixedCols_) {
        it->setData(RawTextRole, text);
        it->setText(headerForm(text));
        it->setTextAlignment(qtAlignment(row, col, text));
    } else {
        it->setText(text);
    }
}

bool Grid::setTextMatrix(int row, int col, const QString& text) {
    if (!inGrid(row, col)) return false;
    // Code writing into the cell being edited wins over the typing in progress.
    if (editing_ && row == editRow_ && col == editCol_) finishEdit(false);
    if (textMatrix(row, col) == text) return true;
    writeCell(row, col, text);
    if (onCellChanged) onCellChanged(row, col);
    return true;
}

bool Grid::setRow(int r) {
    if (r < 0 || r >= rows_) return false;
    if (editing_ && r != editRow_) commitEdit();
    row_ = r;
    syncCurrentToView();
    return true;
}

bool Grid::setCol(int c) {
    if (c < 0 || c >= cols_) return false;
    if (editing_ && c != editCol_) commitEdit();
    col_ = c;
    syncCurrentToView();
    return true;
}

void Grid::syncCurrentToView() {
    if (!isBodyCell(row_, col_)) return;
    syncing_ = true;
    view_->setCurrentCell(row_ - fixedRows_, col_ - fixedCols_);
    syncing_ = false;
}

bool Grid::addItem(const QString& text, int index) {
    if (index == -1) index = rows_;
    if (index < fixedRows_ || index > rows_) return false;
    if (editing_) commitEdit();
    syncing_ = true;
    view_->insertRow(index - fixedRows_);
    syncing_ = false;
    ++rows_;
    rowTwips_.insert(rowTwips_.begin() + index, -1);
    ensureHeaderItems();
    applyRowHeight(index);
    const QStringList parts = text.split(QLatin1Char('\t'));
    for (int c = 0; c < std::min<int>(cols_, int(parts.size())); ++c)
        if (!parts[c].isEmpty()) writeCell(index, c, parts[c]);
    syncCurrentToView();
    return true;
}

bool Grid::removeItem(int index) {
    if (index < fixedRows_ || index >= rows_) return false;
    if (editing_) commitEdit();
    syncing_ = true;
    view_->removeRow(index - fixedRows_);
    syncing_ = false;
    --rows_;
    rowTwips_.erase(rowTwips_.begin() + index);
    row_ = std::clamp(row_, 0, std::max(0, rows_ - 1));
    syncCurrentToView();
    return true;
}

void Grid::clear() {
    if (editing_) finishEdit(false);
    cornerText_.clear();
    cornerBackSet_ = false;
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < cols_; ++c) {
            QTableWidgetItem* it = itemFor(r, c, false);
            if (!it) continue;
            if (r < fixedRows_ || c < fixedCols_) {
                it->setData(RawTextRole, QString());
                it->setText(QString());
            } else {
                it->setText(QString());
            }
            it->setData(CellColorRole, QVariant());
            it->setData(Qt::BackgroundRole, QVariant());
        }
}

// ---- geometry --------------------------------------------------------------------------------

int Grid::colWidth(int col) const {
    if (col < 0 || col >= cols_) return 0;
    if (colTwips_[col] >= 0) return colTwips_[col];
    if (col < fixedCols_) return pixelsToTwipsX(view_->verticalHeader()->sizeHint().width());
    return pixelsToTwipsX(view_->horizontalHeader()->defaultSectionSize());
}

int Grid::clientWidth() const {
    int px = twipsToPixelsX(width_) - 2 * view_->frameWidth();
    // With more rows than fit, the vertical scroll bar takes its place (also before the grid
    // is first shown, when Qt has not yet decided).
    const int rowPx = defaultRowPx_ > 0 ? defaultRowPx_ : 20;
    const bool scrolls = view_->verticalScrollBar()->isVisible() ||
                         (rows_ - fixedRows_) * rowPx > twipsToPixelsY(height_) - view_->horizontalHeader()->height();
    if (scrolls) px -= view_->verticalScrollBar()->sizeHint().width();
    return pixelsToTwipsX(std::max(0, px));
}

void Grid::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols_) return;
    colTwips_[col] = twips < 0 ? -1 : twips;
    applyColWidth(col);
}

void Grid::applyColWidth(int col) {
    if (col < 0 || col >= cols_) return;
    auto* vh = static_cast<GridHeader*>(view_->verticalHeader());
    if (col < fixedCols_) {
        vh->extent = colTwips_[col] < 0 ? -1 : twipsToPixelsX(colTwips_[col]);
        updateHeaderGeometry();
        return;
    }
    const int px = colTwips_[col] < 0 ? view_->horizontalHeader()->defaultSectionSize()
                                      : twipsToPixelsX(colTwips_[col]);
    view_->setColumnWidth(col - fixedCols_, px);
}

int Grid::rowHeight(int row) const {
    if (row < 0 || row >= rows_) return 0;
    if (rowTwips_[row] >= 0) return rowTwips_[row];
    return pixelsToTwipsY(defaultRowPx_);
}

void Grid::setRowHeight(int row, int twips) {
    if (row < 0 || row >= rows_) return;
    rowTwips_[row] = twips < 0 ? -1 : twips;
    applyRowHeight(row);
}

void Grid::applyRowHeight(int row) {
    if (row < 0 || row >= rows_) return;
    const int px = rowTwips_[row] < 0 ? defaultRowPx_ : twipsToPixelsY(rowTwips_[row]);
    if (row < fixedRows_) {
        static_cast<GridHeader*>(view_->horizontalHeader())->extent = px;
        updateHeaderGeometry();
        return;
    }
    view_->setRowHeight(row - fixedRows_, px);
}

void Grid::updateHeaderGeometry() {
    view_->horizontalHeader()->updateGeometry();
    view_->verticalHeader()->updateGeometry();
    view_->refreshGeometries();
}

void Grid::updateDefaultRowHeight() {
    QFontMetrics fm(view_->font());
    defaultRowPx_ = fm.height() + 4;
    view_->verticalHeader()->setDefaultSectionSize(defaultRowPx_);
    for (int r = 0; r < rows_ && r < int(rowTwips_.size()); ++r)
        if (rowTwips_[r] < 0) applyRowHeight(r);
}

// ---- look ------------------------------------------------------------------------------------

int Grid::colAlignment(int col) const {
    return (col >= 0 && col < cols_) ? colAlign_[col] : GridAlign::General;
}

void Grid::setColAlignment(int col, int code) {
    if (col < 0 || col >= cols_ || code < 0 || code > GridAlign::General) return;
    colAlign_[col] = code;
    applyHeaderAlignment();
    view_->viewport()->update();
}

int Grid::fixedAlignment(int col) const {
    if (col < 0 || col >= cols_) return GridAlign::General;
    return fixedAlign_[col] >= 0 ? fixedAlign_[col] : colAlign_[col];
}

void Grid::setFixedAlignment(int col, int code) {
    if (col < 0 || col >= cols_ || code < 0 || code > GridAlign::General) return;
    fixedAlign_[col] = code;
    applyHeaderAlignment();
}

Qt::Alignment Grid::qtAlignment(int row, int col, const QString& text) const {
    const bool fixed = row < fixedRows_ || col < fixedCols_;
    const int code = fixed ? fixedAlignment(col) : colAlignment(col);
    if (code == GridAlign::General) {
        Qt::Alignment h = isNumber(text, nullptr) ? Qt::AlignRight : Qt::AlignLeft;
        return h | Qt::AlignVCenter;
    }
    static const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return horizontal[code / 3] | vertical[code % 3];
}

void Grid::setWordWrap(bool w) {
    wordWrap_ = w;
    view_->viewport()->update();
}

void Grid::setWallPaper(const QImage& img) {
    wallPaper_ = img;
    view_->viewport()->update();
}

void Grid::setWallPaperMode(WallPaperMode m) {
    wallPaperMode_ = m;
    view_->viewport()->update();
}

void Grid::setCellBackColor(int row1, int col1, int row2, int col2, Color c) {
    if (row1 > row2) std::swap(row1, row2);
    if (col1 > col2) std::swap(col1, col2);
    row1 = std::max(row1, 0);
    col1 = std::max(col1, 0);
    row2 = std::min(row2, rows_ - 1);
    col2 = std::min(col2, cols_ - 1);
    for (int r = row1; r <= row2; ++r)
        for (int cc = col1; cc <= col2; ++cc) {
            const bool fixed = r < fixedRows_ || cc < fixedCols_;
            const Color plain = fixed ? backColorFixed_ : backColor_;
            if (r < fixedRows_ && cc < fixedCols_) {
                cornerBackSet_ = c != plain;
                cornerBack_ = c;
                continue;
            }
            QTableWidgetItem* it = itemFor(r, cc, c != plain);
            if (!it) continue;
            if (c == plain) {
                it->setData(CellColorRole, QVariant());
                it->setData(Qt::BackgroundRole, QVariant());
            } else {
                it->setData(CellColorRole, uint(c));
                it->setBackground(QBrush(toQColor(c)));
            }
        }
}

Color Grid::cellBackColor(int row, int col) const {
    const bool fixed = row < fixedRows_ || col < fixedCols_;
    const Color plain = fixed ? backColorFixed_ : backColor_;
    if (!inGrid(row, col)) return plain;
    if (row < fixedRows_ && col < fixedCols_) return cornerBackSet_ ? cornerBack_ : plain;
    QTableWidgetItem* it = itemFor(row, col, false);
    if (!it) return plain;
    QVariant v = it->data(CellColorRole);
    return v.isValid() ? Color(v.toUInt()) : plain;
}

void Grid::setBackColor(Color c) {
    backColor_ = c;
    colorsSet_ = true;
    applyColors();
}

void Grid::setFont(const Font& f) {
    Control::setFont(f);
    updateDefaultRowHeight();
}

void Grid::applyColors() {
    if (!view_) return;
    QPalette pal = view_->palette();
    pal.setColor(QPalette::Text, toQColor(foreColor_));
    pal.setColor(QPalette::Base, toQColor(backColor_));
    view_->setPalette(pal);
    view_->viewport()->update();
}

// ---- editing ---------------------------------------------------------------------------------

QString Grid::colEditMask(int col) const {
    return (col >= 0 && col < cols_) ? editMasks_[col] : QString();
}

void Grid::setColEditMask(int col, const QString& mask) {
    if (col < 0 || col >= cols_) return;
    editMasks_[col] = mask;
}

bool Grid::colReadOnly(int col) const {
    return col >= 0 && col < cols_ && readOnlyCols_[size_t(col)];
}

void Grid::setColReadOnly(int col, bool readOnly) {
    if (col < 0 || col >= cols_) return;
    readOnlyCols_[size_t(col)] = readOnly;
    if (readOnly && editing_ && editCol_ == col) cancelEdit();
}

int Grid::editLimit(int col) const {
    int limit = editMaxLength_;
    const int maskLen = int(colEditMask(col).size());
    if (maskLen > 0 && (limit == 0 || maskLen < limit)) limit = maskLen;
    return limit;
}

void Grid::setEditable(int mode) {
    if (mode < EditNone || mode > EditKeyboardMouse) mode = EditNone;
    editable_ = mode;
    if (mode == EditNone && editing_) commitEdit();
}

QString Grid::editText() const { return editing_ ? editor_->text() : QString(); }

void Grid::setEditText(const QString& text, int cursor) {
    if (!editing_) return;
    const bool was = syncing_;
    syncing_ = true;
    editor_->setText(text);
    editor_->setCursorPosition(cursor);
    syncing_ = was;
}

int Grid::editCursor() const { return editing_ ? editor_->cursorPosition() : 0; }

bool Grid::editCell() {
    if (editable_ == EditNone || !isBodyCell(row_, col_) || colReadOnly(col_)) return false;
    if (!editing_) startEdit(text(), false);
    return true;
}

void Grid::startEdit(const QString& initial, bool replace) {
    if (editing_) finishEdit(true);
    if (!isBodyCell(row_, col_) || colReadOnly(col_)) return;
    editing_ = true;
    editDirty_ = replace;
    editRow_ = row_;
    editCol_ = col_;
    const int limit = editLimit(col_);
    QString start = replace ? initial.left(limit > 0 ? limit : initial.size()) : initial;
    // A cell that already holds more than the limit keeps its text; it cannot grow.
    editStartLength_ = int(start.size());
    editor_->validator_->limit = limit > 0 ? std::max(limit, editStartLength_) : 0;
    syncing_ = true;
    editor_->setText(start);
    syncing_ = false;
    editor_->setFont(view_->font());
    view_->scrollToItem(itemFor(row_, col_, true));
    placeEditor();
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
    editor_->end(false);
    if (replace && onChangeEdit) onChangeEdit();
}

void Grid::placeEditor() {
    if (!editing_) return;
    QTableWidgetItem* it = itemFor(editRow_, editCol_, true);
    if (!it) return;
    editor_->setGeometry(view_->visualItemRect(it));
}

void Grid::commitEdit() { finishEdit(true); }
void Grid::cancelEdit() { finishEdit(false); }

void Grid::finishEdit(bool commit) {
    if (!editing_ || finishing_) return;
    finishing_ = true;
    const int r = editRow_, c = editCol_;
    const QString typed = editor_->text();
    const bool changed = commit && editDirty_ && typed != textMatrix(r, c);
    editing_ = false;
    editRow_ = editCol_ = -1;
    const bool hadFocus = editor_->hasFocus();
    if (hadFocus) view_->setFocus(Qt::OtherFocusReason);
    editor_->hide();
    finishing_ = false;
    if (changed && inGrid(r, c)) {
        writeCell(r, c, typed);
        if (onCellChanged) onCellChanged(r, c);
    }
    if (commit && onAfterEdit) onAfterEdit(r, c);
}

// ---- sorting and scroll tips -----------------------------------------------------------------

void Grid::sortBy(int col, int order) {
    if (col < 0 || col >= cols_ || rows_ - fixedRows_ < 2) return;
    if (editing_) commitEdit();
    if (onBeforeSort) onBeforeSort(col, order);
    Snapshot s = takeSnapshot();
    std::vector<int> order_(size_t(rows_ - fixedRows_));
    for (size_t i = 0; i < order_.size(); ++i) order_[i] = int(i) + fixedRows_;
    // Empty cells first, then numbers by value, then other text without regard to case.
    auto rank = [&](int r, double* num) {
        const QString& t = s.texts[size_t(r) * cols_ + col];
        if (t.trimmed().isEmpty()) return 0;
        return isNumber(t, num) ? 1 : 2;
    };
    auto less = [&](int a, int b) {
        double na = 0, nb = 0;
        const int ra = rank(a, &na), rb = rank(b, &nb);
        if (ra != rb) return ra < rb;
        if (ra == 1) return na < nb;
        if (ra == 0) return false;
        return QString::compare(s.texts[size_t(a) * cols_ + col], s.texts[size_t(b) * cols_ + col],
                                Qt::CaseInsensitive) < 0;
    };
    if (order == GridSort::Descending)
        std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) { return less(b, a); });
    else
        std::stable_sort(order_.begin(), order_.end(), less);
    // Every row moves whole: texts, cell colours and height.
    Snapshot sorted = s;
    for (size_t i = 0; i < order_.size(); ++i) {
        const int to = int(i) + fixedRows_, from = order_[i];
        for (int c = 0; c < cols_; ++c) {
            sorted.texts[size_t(to) * cols_ + c] = s.texts[size_t(from) * cols_ + c];
            sorted.colors[size_t(to) * cols_ + c] = s.colors[size_t(from) * cols_ + c];
        }
        sorted.rowTwips[to] = s.rowTwips[from];
    }
    for (int r = fixedRows_; r < rows_; ++r) {
        for (int c = 0; c < cols_; ++c) {
            const size_t i = size_t(r) * cols_ + c;
            writeCell(r, c, sorted.texts[i]);
            setCellBackColor(r, c, r, c, sorted.colors[i].first ? sorted.colors[i].second
                                                                 : (c < fixedCols_ ? backColorFixed_ : backColor_));
        }
        rowTwips_[r] = sorted.rowTwips[r];
        applyRowHeight(r);
    }
    int reported = order;
    if (onAfterSort) onAfterSort(col, reported);
}

int Grid::topRow() const {
    return view_->verticalScrollBar()->value() + fixedRows_;
}

void Grid::setTopRow(int row) {
    view_->verticalScrollBar()->setValue(std::max(0, row - fixedRows_));
}

int Grid::textWidth(const QString& text) const {
    const QFontMetricsF fm(view_->font());
    qreal widest = 0;
    for (const QString& line : displayForm(text).split(QChar::LineSeparator))
        widest = std::max(widest, fm.horizontalAdvance(line));
    // The item view keeps a margin of the focus frame and one pixel on either side of a text,
    // and the grid line takes a pixel of the cell; the text layout may round a pixel up.
    const int margin = view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1;
    return pixelsToTwipsX(int(std::ceil(widest)) + 2 * margin + 3);
}

void Grid::autoSizeRows(int row1, int row2) {
    QAbstractItemDelegate* delegate = view_->itemDelegate();
    for (int r = std::max(row1, fixedRows_); r <= std::min(row2, rows_ - 1); ++r) {
        int needed = 0;
        for (int c = fixedCols_; c < cols_; ++c) {
            const QModelIndex index = view_->model()->index(r - fixedRows_, c - fixedCols_);
            QStyleOptionViewItem option;
            option.initFrom(view_);
            option.font = view_->font();
            option.rect = QRect(0, 0, view_->columnWidth(c - fixedCols_), 1 << 20);
            option.features |= wordWrap_ ? QStyleOptionViewItem::WrapText : QStyleOptionViewItem::None;
            option.text = displayForm(textMatrix(r, c));
            option.features |= QStyleOptionViewItem::HasDisplay;
            needed = std::max(needed, delegate->sizeHint(option, index).height());
        }
        setRowHeight(r, pixelsToTwipsY(std::max(needed, defaultRowPx_)));
    }
}

void Grid::setHighlight(Highlight h) {
    highlight_ = h;
    view_->viewport()->update();
}

void Grid::dragScrollBox(int row) {
    const int value = std::max(0, row - fixedRows_);
    view_->verticalScrollBar()->setValue(value);
    if (scrollTips_) showScrollTip(row);
}

void Grid::showScrollTip(int row) {
    if (onBeforeScrollTip) onBeforeScrollTip(row);
    shownScrollTip_ = scrollTipText_;
    QScrollBar* bar = view_->verticalScrollBar();
    if (bar->isVisible())
        QToolTip::showText(bar->mapToGlobal(QPoint(0, bar->height() / 2)), shownScrollTip_, bar);
}

// ---- mouse and keys --------------------------------------------------------------------------

void Grid::cellPress(int row, int col, int button, int shift, int x, int y) {
    if (editing_) commitEdit();
    pressRow_ = row;
    pressCol_ = col;
    afterDoubleClick_ = false;
    if (button == Mouse::Left && isBodyCell(row, col)) {
        row_ = row;
        col_ = col;
        syncCurrentToView();
    }
    raiseMouseDown(button, shift, x, y);
}

void Grid::cellRelease(int row, int col, int button, int shift, int x, int y) {
    const bool sameCell = row == pressRow_ && col == pressCol_ && row >= 0;
    const bool afterDouble = afterDoubleClick_;
    pressRow_ = pressCol_ = -1;
    afterDoubleClick_ = false;
    raiseMouseUp(button, shift, x, y);
    if (button != Mouse::Left || !sameCell || afterDouble) return;
    if (row < fixedRows_ && col >= 0) {
        if (sortOnHeaderClick_) {
            const int order = (lastSortCol_ == col && lastSortOrder_ == GridSort::Ascending)
                                  ? GridSort::Descending
                                  : GridSort::Ascending;
            lastSortCol_ = col;
            lastSortOrder_ = order;
            sortBy(col, order);
        }
        return;
    }
    if (!isBodyCell(row, col)) return;
    raiseClick();
    if (editable_ == EditKeyboardMouse && !editing_ && isBodyCell(row_, col_)) startEdit(text(), false);
}

QPoint Grid::cellCentre(int row, int col) const {
    if (!inGrid(row, col)) return {};
    QHeaderView* hh = view_->horizontalHeader();
    QHeaderView* vh = view_->verticalHeader();
    const int left = vh->isVisible() ? vh->width() : 0;
    const int top = hh->isVisible() ? hh->height() : 0;
    int x = col < fixedCols_ ? left / 2
                             : left + hh->sectionViewportPosition(col - fixedCols_) +
                                   hh->sectionSize(col - fixedCols_) / 2;
    int y = row < fixedRows_ ? top / 2
                             : top + vh->sectionViewportPosition(row - fixedRows_) +
                                   vh->sectionSize(row - fixedRows_) / 2;
    return {x + view_->frameWidth(), y + view_->frameWidth()};
}

void Grid::clickCell(int row, int col, int button, int shift) {
    if (!enabled_ || !inGrid(row, col)) return;
    const QPoint p = cellCentre(row, col);
    const int x = pixelsToTwipsX(p.x()), y = pixelsToTwipsY(p.y());
    cellPress(row, col, button, shift, x, y);
    cellRelease(row, col, button, shift, x, y);
}

void Grid::doubleClickCell(int row, int col) {
    if (!enabled_ || !inGrid(row, col)) return;
    clickCell(row, col);
    const QPoint p = cellCentre(row, col);
    const int x = pixelsToTwipsX(p.x()), y = pixelsToTwipsY(p.y());
    cellPress(row, col, Mouse::Left, 0, x, y);
    afterDoubleClick_ = true;
    if (onDblClick) onDblClick();
    cellRelease(row, col, Mouse::Left, 0, x, y);
}

void Grid::handleKey(int keyCode, int shift, int keyAscii) {
    if (editing_) {
        switch (keyCode) {
        case Key::Return: commitEdit(); return;
        case Key::Escape: cancelEdit(); return;
        case Key::Back: editor_->backspace(); return;
        case Key::Delete: editor_->del(); return;
        case Key::Left: editor_->cursorBackward(shift & ShiftState::Shift); return;
        case Key::Right: editor_->cursorForward(shift & ShiftState::Shift); return;
        case Key::Home: editor_->home(shift & ShiftState::Shift); return;
        case Key::End: editor_->end(shift & ShiftState::Shift); return;
        case Key::Up:
        case Key::Down: {
            commitEdit();
            const int r = row_ + (keyCode == Key::Up ? -1 : 1);
            if (r >= fixedRows_ && r < rows_) setRow(r);
            return;
        }
        case Key::Tab: commitEdit(); return;
        default: break;
        }
        if (keyAscii >= 32 && !(shift & (ShiftState::Ctrl | ShiftState::Alt)))
            editor_->insert(QString(QChar(keyAscii)));  // the validator keeps the limit
        return;
    }
    if (keyCode == Key::F1 + 1) {  // F2
        editCell();
        return;
    }
    if (keyAscii >= 32 && !(shift & (ShiftState::Ctrl | ShiftState::Alt))) {
        if (editable_ != EditNone && isBodyCell(row_, col_)) startEdit(QString(QChar(keyAscii)), true);
        return;
    }
    int r = row_, c = col_;
    switch (keyCode) {
    case Key::Up: --r; break;
    case Key::Down: ++r; break;
    case Key::Left: --c; break;
    case Key::Right: ++c; break;
    case Key::Home: c = fixedCols_; break;
    case Key::End: c = cols_ - 1; break;
    default: return;
    }
    r = std::clamp(r, fixedRows_, std::max(fixedRows_, rows_ - 1));
    c = std::clamp(c, fixedCols_, std::max(fixedCols_, cols_ - 1));
    if (isBodyCell(r, c)) {
        row_ = r;
        col_ = c;
        syncCurrentToView();
    }
}

}  // namespace platform
