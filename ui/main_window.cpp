#include "main_window.h"

#include <QMenuBar>

#include "about_window.h"
#include "help_window.h"
#include "look_and_feel.h"
#include "results_model.h"
#include "services.h"
#include "ui_main_window.h"
#include "window_look.h"

namespace kestrami::ui {

namespace {

void SetUnderline(QWidget* widget, bool underline)
{
    if (widget->font().underline() != underline) {
        QFont font = widget->font();
        font.setUnderline(underline);
        widget->setFont(font);
    }
}

void SetText(QLineEdit* box, const std::string& text)
{
    const QString shown = QString::fromStdString(text);
    if (box->text() != shown) {
        box->setText(shown);
    }
}

// Where the About and Help windows open, from the main window's client area:
// the designs store that area at (4125, 2925) twips on the screen, About's at
// (4560, 4350) and Help's at (3690, 3735).
const QPoint kAboutOffset(Twips(4560 - 4125), Twips(4350 - 2925));
const QPoint kHelpOffset(Twips(3690 - 4125), Twips(3735 - 2925));

}  // namespace

Form1::Form1(Platform& platform, QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::Form1>()), platform_(platform)
{
    ui_->setupUi(this);
    dig_ = {ui_->dig_0, ui_->dig_1, ui_->dig_2, ui_->dig_3, ui_->dig_4, ui_->dig_5, ui_->dig_6, ui_->dig_7};

    // A sizable frame with a close box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(WindowIcon());
    resize(Twips(7200), Twips(6135) + menuBar()->sizeHint().height());

    for (QWidget* cell : dig_) {
        UseDesignFace(cell, QFont::TypeWriter);
    }
    UseDesignFace(ui_->comma, QFont::TypeWriter);
    UseDesignFace(ui_->List1, QFont::TypeWriter);
    UseDesignFace(ui_->uline, QFont::SansSerif, 8.25);
    // A list box: one column, one text line a row, rows as tall as the font,
    // and every line whole. Where the design's face is too wide for the
    // longest line beside the scroll bar, "Courier New", its nearest
    // fixed-pitch kin, stands in at a smaller size.
    results_ = new ResultsModel(calculator_.Results(), this);
    ui_->List1->setModel(results_);
    ShowLinesWhole(ui_->List1, QString::fromStdString(LongestKeyedResultLine()),
                   QStringLiteral("Courier New"));

    // Text on the fixed light green and yellow stays readable on any desktop.
    for (QWidget* box : dig_) {
        KeepTextReadable(box, QPalette::Base, QPalette::Text);
    }
    KeepTextReadable(ui_->comma, QPalette::Base, QPalette::Text);
    KeepTextReadable(ui_->List1, QPalette::Base, QPalette::Text);
    KeepTextReadable(ui_->CE, QPalette::Button, QPalette::ButtonText);
    UseFlatFace(ui_->CE);
    // The caption of the cursor box fits itself to its text in the face shown.
    ui_->Label1->adjustSize();
    // Every box is a one-line box: a pasted line break cannot reach a cell,
    // and so never a line of the results file.
    auto* single_line = new SingleLineValidator(this);
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        box->setValidator(single_line);
    }

    const std::array<std::pair<QPushButton*, void (Form1::*)()>, 14> keys{{
        {ui_->Command1, &Form1::Command1_Click},
        {ui_->Command2, &Form1::Command2_Click},
        {ui_->Command3, &Form1::Command3_Click},
        {ui_->Command4, &Form1::Command4_Click},
        {ui_->Command5, &Form1::Command5_Click},
        {ui_->Command6, &Form1::Command6_Click},
        {ui_->Command7, &Form1::Command7_Click},
        {ui_->Command8, &Form1::Command8_Click},
        {ui_->Command9, &Form1::Command9_Click},
        {ui_->Command10, &Form1::Command10_Click},
        {ui_->Command11, &Form1::Command11_Click},
        {ui_->CE, &Form1::CE_Click},
        {ui_->Command12, &Form1::Command12_Click},
        {ui_->Command14, &Form1::Command14_Click},
    }};
    for (const auto& [key, handler] : keys) {
        connect(key, &QPushButton::clicked, this, handler);
        PressOnReturn(key);
    }
    connect(ui_->uline, &QPushButton::clicked, this, &Form1::uline_Click);
    PressOnReturn(ui_->uline);

    // textEdited, unlike textChanged, comes only from the user's typing, so
    // the window's own updates of a box never reach the calculator again.
    connect(ui_->ct, &QLineEdit::textEdited, this, &Form1::ct_Change);
    for (int i = 1; i <= EntryRegister::kCells; ++i) {
        connect(dig_[i], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { dig_Change(i, text); });
    }

    connect(ui_->mnuSave, &QAction::triggered, this, &Form1::mnuSave_Click);
    connect(ui_->mnuExit, &QAction::triggered, this, &Form1::mnuExit_Click);
    connect(ui_->mnuSetHam, &QAction::triggered, this, &Form1::mnuSetHam_Click);
    connect(ui_->mnuSetFull, &QAction::triggered, this, &Form1::mnuSetFull_Click);
    connect(ui_->mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
    connect(ui_->mnuHelp, &QAction::triggered, this, &Form1::mnuHelp_Click);

    ui_->ct->setFocus();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::Form_Load()
{
    Run([this] { calculator_.StartUp(); });
}

void Form1::ct_Change(const QString& text)
{
    Run([&] { calculator_.WriteCursor(text.toStdString()); });
}

void Form1::dig_Change(int i, const QString& text)
{
    Run([&] { calculator_.WriteCell(i, text.toStdString()); });
}

void Form1::mnuSave_Click()
{
    Run([this] {
        const FolderLookup program = platform_.ProgramFolder();
        const SaveOutcome outcome =
            calculator_.SaveResults({program.path, program.reason, platform_.DocumentsFolder()});
        if (const auto message = SaveMessage(outcome)) {
            platform_.MessageBox(this, message->text, 0, message->title);
        }
    });
}

void Form1::mnuAbout_Click()
{
    // A window that is closing counts as gone: the opening makes a new one.
    if (!about_ || about_->isHidden()) {
        about_ = new Form2(this);
        PlaceOver(about_, ui_->centralwidget, kAboutOffset);
    }
    about_->show();
    about_->activateWindow();
}

void Form1::mnuHelp_Click()
{
    if (!help_ || help_->isHidden()) {
        help_ = new Form3(this);
        PlaceOver(help_, ui_->centralwidget, kHelpOffset);
    }
    help_->show();
    help_->activateWindow();
}

void Form1::ShowState()
{
    const EntryRegister& entry = calculator_.Entry();
    for (int i = 1; i <= EntryRegister::kCells; ++i) {
        SetText(dig_[i], entry.Cell(i));
        SetUnderline(dig_[i], entry.Mark(i));
    }
    SetText(ui_->ct, entry.Cursor());
    ui_->mnuSetHam->setChecked(calculator_.IsHam());
    ui_->mnuSetFull->setChecked(!calculator_.IsHam());
    results_->Follow();
}

}  // namespace kestrami::ui
