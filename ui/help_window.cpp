#include "help_window.h"

#include "help_text.h"
#include "look_and_feel.h"
#include "services.h"
#include "ui_help_window.h"

namespace kestrami::ui {

HelpWindow::HelpWindow(QWidget* parent) : SelfClosingWindow(parent), ui_(std::make_unique<Ui::HelpWindow>())
{
    ui_->setupUi(this);
    setFixedSize(Twips(7950), Twips(4245));

    UseWindowFace(this);
    // Fixed pitch keeps the indented lines aligned.
    UseDesignFace(ui_->helpText, QFont::TypeWriter, 9.75, QStringLiteral("Courier New"));
    KeepTextReadable(ui_->helpText, QPalette::Base, QPalette::Text);

    // The stored lines end in CR LF; the box keeps its lines apart by LF
    // alone, so each line end becomes one LF before the text goes in.
    QString text = QString::fromLatin1(kHelpText.data(), static_cast<qsizetype>(kHelpText.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ui_->helpText->setPlainText(text);
}

HelpWindow::~HelpWindow() = default;

}  // namespace kestrami::ui
