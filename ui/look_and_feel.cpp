#include "look_and_feel.h"

#include <qdrawutil.h>
#include <QAbstractItemModel>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTableView>

#include <algorithm>

#include "window_look.h"

namespace kestrami::ui {

namespace {

Rgb ToRgb(const QColor& colour)
{
    return {colour.red(), colour.green(), colour.blue()};
}

// Decides the text colour of one widget now, and again after every change of
// the desktop's palette: the widget's own background roles stay as set, its
// text role is chosen anew from the desktop's text colour.
class ReadableText : public QObject {
public:
    ReadableText(QWidget* widget, QPalette::ColorRole background, QPalette::ColorRole text)
        : QObject(widget), widget_(widget), background_(background), text_(text)
    {
        widget->installEventFilter(this);
        Apply();
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ApplicationPaletteChange) {
            Apply();
        }
        return false;
    }

private:
    void Apply()
    {
        const QPalette desktop = QApplication::palette(widget_);
        QPalette palette = widget_->palette();
        // A disabled widget keeps the desktop's dimmed text; none is disabled.
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            const Rgb shown = ReadableTextColour(ToRgb(palette.color(group, background_)),
                                                 ToRgb(desktop.color(group, text_)));
            palette.setColor(group, text_, QColor(shown.red, shown.green, shown.blue));
        }
        widget_->setPalette(palette);
    }

    QWidget* widget_;
    QPalette::ColorRole background_;
    QPalette::ColorRole text_;
};

// The desktop's style, except that a push button's panel is the classic
// raised edge around one flat fill of the Button colour: a gradient or a
// themed image would hide the colour the design gives the key. The focus
// frame is drawn with the panel, in the style's own way: some styles show
// the focus in the panel this replaces, others draw a frame after it, and
// the key shows exactly one either way.
class FlatFaceStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_PanelButtonCommand) {
            const QBrush face = option->palette.brush(QPalette::Button);
            qDrawWinButton(painter, option->rect, option->palette,
                           (option->state & (State_Sunken | State_On)) != 0, &face);
            if ((option->state & State_HasFocus) != 0) {
                QStyleOptionFocusRect focus;
                focus.QStyleOption::operator=(*option);
                focus.rect = proxy()->subElementRect(SE_PushButtonFocusRect, option, widget);
                focus.backgroundColor = face.color();
                // Only the frame's edge: a style that tints the inside too
                // would change the face's colour.
                painter->save();
                painter->setClipRegion(QRegion(focus.rect) - QRegion(focus.rect.adjusted(2, 2, -2, -2)),
                                       Qt::IntersectClip);
                QProxyStyle::drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
                painter->restore();
            }
            return;
        }
        if (element == PE_FrameFocusRect && qobject_cast<const QPushButton*>(widget) != nullptr) {
            return;  // drawn with the panel
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    // Windows' own style paints a themed bevel without asking for the panel
    // above: the face would show the theme's white instead of the colour.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_PushButtonBevel) {
            drawPrimitive(PE_PanelButtonCommand, option, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

class ReturnPresses : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                static_cast<QPushButton*>(watched)->click();
                return true;
            }
        }
        return false;
    }
};

// Moves the focus to the keypad key an arrow points to. The arrows of the
// numeric keypad count too; with a modifier held an arrow is left alone.
class KeypadArrows : public QObject {
public:
    KeypadArrows(const std::array<QPushButton*, kKeypadKeys>& keys, QObject* parent)
        : QObject(parent), keys_(keys)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* press = static_cast<QKeyEvent*>(event);
        if ((press->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            return false;
        }
        Arrow arrow{};
        switch (press->key()) {
            case Qt::Key_Left:
                arrow = Arrow::Left;
                break;
            case Qt::Key_Right:
                arrow = Arrow::Right;
                break;
            case Qt::Key_Up:
                arrow = Arrow::Up;
                break;
            case Qt::Key_Down:
                arrow = Arrow::Down;
                break;
            default:
                return false;
        }
        const auto from = std::find(keys_.begin(), keys_.end(), watched);
        if (from == keys_.end()) {
            return false;
        }
        QPushButton* to =
            keys_[static_cast<std::size_t>(KeypadNeighbour(static_cast<int>(from - keys_.begin()), arrow))];
        // The style draws the focus frame only after the focus has moved by
        // the keyboard, as Tab moves it.
        to->window()->setAttribute(Qt::WA_KeyboardFocusChange);
        to->setFocus(Qt::TabFocusReason);
        return true;
    }

private:
    std::array<QPushButton*, kKeypadKeys> keys_;
};

}  // namespace

void KeepTextReadable(QWidget* widget, QPalette::ColorRole background, QPalette::ColorRole text)
{
    new ReadableText(widget, background, text);
}

void UseFlatFace(QPushButton* key)
{
    // The window owns the style, so the style outlives the key that uses it.
    auto* style = new FlatFaceStyle(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(key->window());
    key->setStyle(style);
}

void ShowLinesWhole(QTableView* list, const QString& longest_line, const QString& fallback_family)
{
    const QFont design = list->font();
    const auto face = [&](bool design_face, double points) {
        QFont font = design;
        if (!design_face) {
            font.setFamily(fallback_family);
            font.setPointSizeF(points);
        }
        return font;
    };
    // The style sets an item's text in from either side by the focus frame's
    // margin and one pixel more.
    QStyle* style = list->style();
    const int text_margins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const int beside_bar = list->width() - 2 * list->frameWidth() -
                           style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list->verticalScrollBar());
    const ListFont chosen =
        FittingListFont(design.pointSizeF(), design.pointSizeF() / 2, [&](bool design_face, double points) {
            const QFontMetrics metrics(face(design_face, points), list);
            return metrics.horizontalAdvance(longest_line) + text_margins <= beside_bar;
        });
    list->setFont(face(chosen.design_face, chosen.points));

    // One text line a row.
    QHeaderView* rows = list->verticalHeader();
    const int row_height = list->fontMetrics().height();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(row_height);
    rows->setDefaultSectionSize(row_height);

    // The one column fills the list and grows past it to the widest row;
    // then the list scrolls sideways, a pixel at a time.
    QHeaderView* column = list->horizontalHeader();
    column->setStretchLastSection(true);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const auto widen = [list, column](int widest, int first, int last) {
        for (int row = first; row <= last; ++row) {
            widest = std::max(widest, list->sizeHintForIndex(list->model()->index(row, 0)).width());
        }
        column->setMinimumSectionSize(widest);
    };
    const QAbstractItemModel* model = list->model();
    QObject::connect(
        model, &QAbstractItemModel::rowsInserted, list,
        [=](const QModelIndex&, int first, int last) { widen(column->minimumSectionSize(), first, last); });
    QObject::connect(model, &QAbstractItemModel::modelReset, list,
                     [=] { widen(0, 0, model->rowCount() - 1); });
    widen(0, 0, model->rowCount() - 1);
}

void PressOnReturn(QPushButton* key)
{
    key->installEventFilter(new ReturnPresses(key));
}

void MoveFocusWithArrows(const std::array<QPushButton*, kKeypadKeys>& keys)
{
    auto* arrows = new KeypadArrows(keys, keys.front());
    for (QPushButton* key : keys) {
        key->installEventFilter(arrows);
    }
}

void PlaceOver(QWidget* window, const QWidget* main_client, QPoint offset)
{
    const QWidget* main = main_client->window();
    const QRect client(main_client->mapToGlobal(QPoint(0, 0)), main_client->size());
    // The secondary window's frame is not known before it is shown; the main
    // window's stands in for it.
    const QRect frame = main->frameGeometry();
    const QRect inner = main->geometry();
    const QRect screen = main->screen()->availableGeometry();
    const Point origin =
        SecondaryWindowOrigin({client.x(), client.y(), client.width(), client.height()},
                              {window->width(), window->height()}, {offset.x(), offset.y()},
                              {inner.left() - frame.left(), inner.top() - frame.top(),
                               frame.right() - inner.right(), frame.bottom() - inner.bottom()},
                              {screen.x(), screen.y(), screen.width(), screen.height()});
    window->setGeometry(origin.x, origin.y, window->width(), window->height());
}

}  // namespace kestrami::ui
