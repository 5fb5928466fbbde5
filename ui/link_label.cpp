#include "link_label.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kestrami::ui {

namespace {

// What a screen reader learns of the link: its role, its caption as its
// name, and the press that opens it.
class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return static_cast<const LinkLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }

    void doAction(const QString& action) override
    {
        if (action == pressAction()) {
            static_cast<LinkLabel*>(widget())->Click();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }
};

QAccessibleInterface* LinkAccessibleFactory(const QString& class_name, QObject* object)
{
    if (class_name == QLatin1String(LinkLabel::staticMetaObject.className())) {
        return new LinkAccessible(static_cast<LinkLabel*>(object));
    }
    return nullptr;
}

}  // namespace

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent)
{
    static const bool factory_installed = [] {
        QAccessible::installFactory(&LinkAccessibleFactory);
        return true;
    }();
    (void)factory_installed;
    // Reached with Tab; a click opens the link without taking the focus.
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is no click of its own.
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) {
        Click();
    }
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) {
                Click();
            }
            event->accept();
            return;
        default:
            QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (hasFocus()) {
        // A dotted frame in the link's own colour around its caption, as
        // classic desktops show a focused link: it shows on any style and
        // background, where a style's frame may be faint or drawn only for
        // some controls.
        QPainter painter(this);
        painter.setPen(QPen(palette().color(foregroundRole()), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace kestrami::ui
