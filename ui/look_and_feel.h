// How the windows carry out the core's decisions of look and place with Qt,
// and the keyboard's part of pressing a key: text that stays readable on the
// backgrounds the designs fix, a key face of one flat colour, a list that
// shows its lines whole, a secondary window opened over the main one,
// Return or Enter pressing the focused key, and the arrow keys moving the
// focus across the keypad.
#pragma once

#include <QPalette>
#include <QPoint>
#include <QString>

#include <array>

#include "keypad.h"

class QPushButton;
class QTableView;
class QWidget;

namespace kestrami::ui {

// Text in `text` on the widget's fixed `background` keeps the desktop's text
// colour where that reaches 7:1 there, and turns black where it does not (a
// dark palette). Decided again whenever the desktop's palette changes.
void KeepTextReadable(QWidget* widget, QPalette::ColorRole background, QPalette::ColorRole text);

// The key's face is one flat fill of its Button colour inside the classic
// raised edge (sunken while pressed), whatever the desktop's style draws.
void UseFlatFace(QPushButton* key);

// A one-column list of text lines: its font is the design's, or the fallback
// face at the largest size at which `longest_line` fits beside the vertical
// scroll bar; rows are as tall as the font's line; the column is as wide as
// the widest row, so a row wider than the list scrolls sideways instead of
// being cut.
void ShowLinesWhole(QTableView* list, const QString& longest_line, const QString& fallback_family);

// Return and the keypad's Enter press the key while it has the focus, as
// Space does.
void PressOnReturn(QPushButton* key);

// While a key of the keypad has the focus, the arrow keys move the focus
// across the keypad as it is drawn, and the focused key shows the style's
// focus frame. `keys` are the keypad's keys in reading order, E N T E R last.
void MoveFocusWithArrows(const std::array<QPushButton*, kKeypadKeys>& keys);

// Places a secondary window, before it is shown, at `offset` from the main
// window's client area `main_client`, or centred on it, and on the screen.
void PlaceOver(QWidget* window, const QWidget* main_client, QPoint offset);

}  // namespace kestrami::ui
