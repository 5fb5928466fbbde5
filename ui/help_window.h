// The Help window: the program's usage text in one read-only box that
// scrolls. It holds no calculator state and closes itself as soon as another
// window becomes active or it loses the focus; each opening creates it
// afresh, scrolled to the first line.
#pragma once

#include "services.h"

#include <memory>

namespace Ui {
class HelpWindow;
}

namespace kestrami::ui {

class HelpWindow : public SelfClosingWindow {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;

private:
    std::unique_ptr<Ui::HelpWindow> ui_;
};

}  // namespace kestrami::ui
