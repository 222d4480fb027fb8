// The help viewer: a non-modal top-level window with the list of topics at the left and the
// chosen topic at the right. The Help service that opens it is made by makeViewerHelp().
#pragma once

#include "platform/HelpFile.h"
#include "platform/Services.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QKeyEvent;
class QListWidget;
class QTextBrowser;
class QUrl;

namespace platform {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Replaces the topics shown. The viewer keeps its own copy.
    void setHelpFile(const HelpFile& file);
    // Shows the topic with this id, or the contents when there is no such topic.
    void showTopic(int id);

    int currentTopicId() const { return currentId_; }
    // The shown topic as plain text (title, then its paragraphs).
    QString currentText() const;
    // The titles in the topic list, in file order.
    QStringList topicTitles() const;

protected:
    // Esc closes the viewer.
    void keyPressEvent(QKeyEvent* e) override;

private:
    void render(const HelpTopic& topic);
    void onRowChanged(int row);
    void onAnchor(const QUrl& url);

    HelpFile file_;
    bool hasFile_ = false;
    int currentId_ = -1;
    QListWidget* list_ = nullptr;
    QTextBrowser* text_ = nullptr;
};

// The Help service of the program: opens (or brings to the front) one viewer window and shows
// the topic. The file is read again on every call. False when the file is missing, unreadable
// or not a help file; an unknown context id shows the contents.
class ViewerHelp : public Help {
public:
    ~ViewerHelp() override;
    bool showHelp(const QString& helpFile, int contextId) override;
    // The viewer window, or nullptr while none is open.
    HelpViewer* viewer() const { return viewer_.data(); }

private:
    QPointer<HelpViewer> viewer_;
};

std::unique_ptr<Help> makeViewerHelp();

}  // namespace platform
