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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnMailLinkClicked();

    std::unique_ptr<Ui::AboutWindow> ui_;
    // A left press on the link that a release on it makes a click.
    bool link_pressed_ = false;
};

}  // namespace kestrami::ui
