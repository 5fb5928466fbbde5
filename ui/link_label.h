// A label that works as a link, with the mouse and with the keyboard: a left
// click on it makes one click; Tab reaches it, and Return, Enter or Space
// click it while it has the focus, which it shows with a dotted frame.
// Screen readers are told it is a link that can be pressed.
#pragma once

#include <QLabel>

namespace kestrami::ui {

class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);

    void Click() { emit clicked(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // A left press on the link that a release on it makes a click.
    bool pressed_ = false;
};

}  // namespace kestrami::ui
