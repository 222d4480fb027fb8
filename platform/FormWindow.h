// The top-level Qt widget behind a Form (internal to the platform layer).
#pragma once

#include <QWidget>

namespace platform {

class Form;

class FormWindow : public QWidget {
    Q_OBJECT
public:
    explicit FormWindow(Form& form);
    Form& form() const { return form_; }
    QWidget* client() const { return client_; }
    // Places the window again when it first comes on the screen, its frame then known.
    void watchForFrame();
    // Shows the window maximised: by the window manager, or where the screen stands in for a
    // desktop with one, as large as the screen inside the window's frame.
    void showMaximizedAsTheScreenAllows();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool placedAgainForItsFrame();
    Form& form_;
    QWidget* client_;
    bool watchingFrame_ = false;
};

}  // namespace platform
