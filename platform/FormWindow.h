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
};

}  // namespace platform
