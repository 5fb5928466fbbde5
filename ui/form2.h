// Placeholder until the About window is built.
#pragma once
#include <QWidget>
namespace kestrami::ui {
class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);
};
}  // namespace kestrami::ui
