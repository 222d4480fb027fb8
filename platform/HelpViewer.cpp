#include "platform/HelpViewer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>

namespace platform {

namespace {

const char* const kTopicScheme = "topic";

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* splitter = new QSplitter(this);
    list_ = new QListWidget(splitter);
    list_->setAccessibleName(QStringLiteral("Help topics"));
    text_ = new QTextBrowser(splitter);
    text_->setAccessibleName(QStringLiteral("Help text"));
    text_->setReadOnly(true);
    text_->setOpenLinks(false);
    splitter->addWidget(list_);
    splitter->addWidget(text_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
    resize(760, 520);

    connect(list_, &QListWidget::currentRowChanged, this, &HelpViewer::onRowChanged);
    connect(text_, &QTextBrowser::anchorClicked, this, &HelpViewer::onAnchor);
}

void HelpViewer::setHelpFile(const HelpFile& file) {
    file_ = file;
    hasFile_ = true;
    currentId_ = -1;
    const QSignalBlocker block(list_);
    list_->clear();
    for (const HelpTopic& t : file_.topics()) {
        auto* item = new QListWidgetItem(t.title, list_);
        item->setData(Qt::UserRole, t.id);
    }
    setWindowTitle(file_.contents().title);
}

void HelpViewer::showTopic(int id) {
    if (!hasFile_) return;
    const HelpTopic& topic = file_.topicOrContents(id);
    render(topic);
    const QSignalBlocker block(list_);
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->data(Qt::UserRole).toInt() == topic.id) list_->setCurrentRow(row);
}

void HelpViewer::render(const HelpTopic& topic) {
    currentId_ = topic.id;
    const QString contentsTitle = file_.contents().title;
    setWindowTitle(topic.id == file_.contents().id ? contentsTitle
                                                  : contentsTitle + QStringLiteral(" - ") + topic.title);

    // List items that name another topic become links to it (the contents page lists them).
    auto linkFor = [this](const QString& text) -> int {
        for (const HelpTopic& t : file_.topics())
            if (t.title.compare(text, Qt::CaseInsensitive) == 0) return t.id;
        return -1;
    };

    QString html = QStringLiteral("<h2>") + topic.title.toHtmlEscaped() + QStringLiteral("</h2>");
    bool inList = false;
    for (const HelpParagraph& p : topic.paragraphs) {
        if (p.listItem && !inList) html += QStringLiteral("<ul>");
        if (!p.listItem && inList) html += QStringLiteral("</ul>");
        inList = p.listItem;
        if (p.listItem) {
            const int target = linkFor(p.text);
            if (target >= 0 && target != topic.id)
                html += QStringLiteral("<li><a href=\"%1:%2\">%3</a></li>")
                            .arg(QLatin1String(kTopicScheme))
                            .arg(target)
                            .arg(p.text.toHtmlEscaped());
            else
                html += QStringLiteral("<li>") + p.text.toHtmlEscaped() + QStringLiteral("</li>");
        } else {
            html += QStringLiteral("<p>") + p.text.toHtmlEscaped() + QStringLiteral("</p>");
        }
    }
    if (inList) html += QStringLiteral("</ul>");
    text_->setHtml(html);
}

void HelpViewer::onRowChanged(int row) {
    if (row < 0 || row >= list_->count()) return;
    showTopic(list_->item(row)->data(Qt::UserRole).toInt());
}

void HelpViewer::onAnchor(const QUrl& url) {
    if (url.scheme() != QLatin1String(kTopicScheme)) return;
    bool ok = false;
    const int id = url.path().toInt(&ok);
    if (ok) showTopic(id);
}

void HelpViewer::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

QString HelpViewer::currentText() const { return text_->toPlainText(); }

QStringList HelpViewer::topicTitles() const {
    QStringList titles;
    for (int row = 0; row < list_->count(); ++row) titles << list_->item(row)->text();
    return titles;
}

ViewerHelp::~ViewerHelp() {
    // A service outliving the application (a static at program exit) must not touch widgets.
    if (QCoreApplication::instance()) delete viewer_.data();
}

bool ViewerHelp::showHelp(const QString& helpFile, int contextId) {
    const std::optional<HelpFile> file = HelpFile::load(helpFile);
    if (!file) return false;
    if (!viewer_) viewer_ = new HelpViewer;
    // Help asked for inside a modal dialog (the spelling dialog's Help) opens over that
    // dialog, where it can be read and used; otherwise it is a window of its own.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == viewer_) owner = nullptr;
    if (viewer_->parentWidget() != owner) {
        const bool wasShown = viewer_->isVisible();
        viewer_->setParent(owner, Qt::Window);
        if (wasShown) viewer_->hide();
    }
    viewer_->setHelpFile(*file);
    viewer_->showTopic(contextId);
    viewer_->show();
    viewer_->raise();
    viewer_->activateWindow();
    return true;
}

std::unique_ptr<Help> makeViewerHelp() { return std::make_unique<ViewerHelp>(); }

}  // namespace platform
