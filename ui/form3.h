// Placeholder until the Help window is built.
#pragma once
#include <QWidget>
namespace kestrami::ui {
class Form3 : public QWidget {
    Q_OBJECT
public:
    explicit Form3(QWidget* parent = nullptr);
};
}  // namespace kestrami::ui
