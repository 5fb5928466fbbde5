// The Help window: the program's usage text in one read-only box that
// scrolls. It holds no calculator state and closes itself as soon as another
// window becomes active or it loses the focus; each opening creates it
// afresh, scrolled to the first line.
#pragma once

#include "services.h"

#include <memory>

namespace Ui {
class Form3;
}

namespace kestrami::ui {

class Form3 : public SelfClosingWindow {
    Q_OBJECT

public:
    explicit Form3(QWidget* parent = nullptr);
    ~Form3() override;

private:
    std::unique_ptr<Ui::Form3> ui_;
};

}  // namespace kestrami::ui
