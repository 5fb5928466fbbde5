#include "help_window.h"

#include "help_text.h"
#include "look_and_feel.h"
#include "services.h"
#include "ui_help_window.h"

namespace kestrami::ui {

Form3::Form3(QWidget* parent) : SelfClosingWindow(parent), ui_(std::make_unique<Ui::Form3>())
{
    ui_->setupUi(this);
    setFixedSize(Twips(7950), Twips(4245));

    // Fixed pitch keeps the indented lines aligned.
    UseDesignFace(ui_->Text1, QFont::TypeWriter, 9.75, QStringLiteral("Courier New"));
    KeepTextReadable(ui_->Text1, QPalette::Base, QPalette::Text);

    // The stored lines end in CR LF; the box keeps its lines apart by LF
    // alone, so each line end becomes one LF before the text goes in.
    QString text = QString::fromLatin1(kHelpText.data(), static_cast<qsizetype>(kHelpText.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ui_->Text1->setPlainText(text);
}

Form3::~Form3() = default;

}  // namespace kestrami::ui
