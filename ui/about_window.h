// The About window: the program's name and version, the copyright and licence
// terms, a picture of the radio, and the author's address as an e-mail link.
// It holds no calculator state and closes itself as soon as it loses the
// focus; each opening creates it afresh.
#pragma once

#include "services.h"

#include <memory>

namespace Ui {
class Form2;
}

namespace kestrami::ui {

class Form2 : public SelfClosingWindow {
    Q_OBJECT

public:
    explicit Form2(QWidget* parent = nullptr);
    ~Form2() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Label6_Click();

    std::unique_ptr<Ui::Form2> ui_;
    // A left press on Label6 that a release on the label makes a click.
    bool label6_pressed_ = false;
};

}  // namespace kestrami::ui
