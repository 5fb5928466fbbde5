// The About window: the program's name and version, the copyright and licence
// terms, a picture of the radio, and the author's address as an e-mail link.
// It holds no calculator state and closes itself as soon as it loses the
// focus; each opening creates it afresh.
#pragma once

#include "services.h"

#include <memory>

namespace Ui {
class AboutWindow;
}

namespace kestrami::ui {

class AboutWindow : public SelfClosingWindow {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent = nullptr);
    ~AboutWindow() override;

private:
    void OnMailLinkClicked();

    std::unique_ptr<Ui::AboutWindow> ui_;
};

}  // namespace kestrami::ui
