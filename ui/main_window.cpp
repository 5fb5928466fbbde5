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

MainWindow::MainWindow(Platform& platform, QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>()), platform_(platform)
{
    ui_->setupUi(this);
    cells_ = {ui_->spareCell, ui_->cell1, ui_->cell2, ui_->cell3,
              ui_->cell4,     ui_->cell5, ui_->cell6, ui_->cell7};

    // A sizable frame with a close box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(WindowIcon());
    resize(Twips(7200), Twips(6135) + menuBar()->sizeHint().height());
    KeepClientAreaBelowMenuBar(this);

    // The client area keeps its faces whatever font size the desktop sets;
    // only the menus follow the desktop.
    UseWindowFace(ui_->centralwidget);
    for (QWidget* cell : cells_) {
        UseDesignFace(cell, QFont::TypeWriter);
    }
    UseDesignFace(ui_->decimalSign, QFont::TypeWriter);
    UseDesignFace(ui_->resultsList, QFont::TypeWriter);
    UseDesignFace(ui_->underlineKey, QFont::SansSerif, 8.25);
    // A list box: one column, one text line a row, rows as tall as the font,
    // and every line whole. Where the design's face is too wide for the
    // longest line beside the scroll bar, "Courier New", its nearest
    // fixed-pitch kin, stands in at a smaller size.
    results_ = new ResultsModel(calculator_.Results(), this);
    ui_->resultsList->setModel(results_);
    ShowLinesWhole(ui_->resultsList, QString::fromStdString(LongestKeyedResultLine()),
                   QStringLiteral("Courier New"));

    // Text on the fixed light green and yellow stays readable on any desktop.
    for (QWidget* box : cells_) {
        KeepTextReadable(box, QPalette::Base, QPalette::Text);
    }
    KeepTextReadable(ui_->decimalSign, QPalette::Base, QPalette::Text);
    KeepTextReadable(ui_->resultsList, QPalette::Base, QPalette::Text);
    KeepTextReadable(ui_->clearEntryKey, QPalette::Button, QPalette::ButtonText);
    UseFlatFace(ui_->clearEntryKey);
    // The caption of the cursor box fits itself to its text in the face shown.
    ui_->cursorBoxLabel->adjustSize();
    // Every box is a one-line box: a pasted line break cannot reach a cell,
    // and so never a line of the results file.
    auto* single_line = new SingleLineValidator(this);
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        box->setValidator(single_line);
    }

    const std::array<QPushButton*, 10> digit_keys{
        ui_->digitKey0, ui_->digitKey1, ui_->digitKey2, ui_->digitKey3, ui_->digitKey4,
        ui_->digitKey5, ui_->digitKey6, ui_->digitKey7, ui_->digitKey8, ui_->digitKey9};
    for (char digit = '0'; digit <= '9'; ++digit) {
        QPushButton* key = digit_keys[static_cast<std::size_t>(digit - '0')];
        connect(key, &QPushButton::clicked, this, [this, digit] { OnDigitKeyClicked(digit); });
        PressOnReturn(key);
    }
    const std::array<std::pair<QPushButton*, void (MainWindow::*)()>, 5> keys{{
        {ui_->stepBackKey, &MainWindow::OnStepBackClicked},
        {ui_->clearEntryKey, &MainWindow::OnClearEntryClicked},
        {ui_->enterKey, &MainWindow::OnEnterClicked},
        {ui_->clearListKey, &MainWindow::OnClearListClicked},
        {ui_->underlineKey, &MainWindow::OnUnderlineClicked},
    }};
    for (const auto& [key, handler] : keys) {
        connect(key, &QPushButton::clicked, this, handler);
        PressOnReturn(key);
    }

    MoveFocusWithArrows({ui_->digitKey1, ui_->digitKey2, ui_->digitKey3, ui_->digitKey4, ui_->digitKey5,
                         ui_->digitKey6, ui_->digitKey7, ui_->digitKey8, ui_->digitKey9, ui_->digitKey0,
                         ui_->stepBackKey, ui_->clearEntryKey, ui_->enterKey});

    // textEdited, unlike textChanged, comes only from the user's typing, so
    // the window's own updates of a box never reach the calculator again.
    connect(ui_->cursorBox, &QLineEdit::textEdited, this, &MainWindow::OnCursorBoxEdited);
    for (int i = 1; i <= EntryRegister::kCells; ++i) {
        connect(cells_[i], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { OnCellEdited(i, text); });
    }

    connect(ui_->saveAction, &QAction::triggered, this, &MainWindow::OnSaveTriggered);
    connect(ui_->exitAction, &QAction::triggered, this, &MainWindow::OnExitTriggered);
    connect(ui_->hamBandAction, &QAction::triggered, this, &MainWindow::OnHamBandTriggered);
    connect(ui_->fullRangeAction, &QAction::triggered, this, &MainWindow::OnFullRangeTriggered);
    connect(ui_->aboutAction, &QAction::triggered, this, &MainWindow::OnAboutTriggered);
    connect(ui_->helpAction, &QAction::triggered, this, &MainWindow::OnHelpTriggered);

    ui_->cursorBox->setFocus();
    OnLoad();
}

MainWindow::~MainWindow() = default;

void MainWindow::OnLoad()
{
    Run([this] { calculator_.StartUp(); });
}

void MainWindow::OnCursorBoxEdited(const QString& text)
{
    Run([&] { calculator_.WriteCursor(text.toStdString()); });
}

void MainWindow::OnCellEdited(int i, const QString& text)
{
    Run([&] { calculator_.WriteCell(i, text.toStdString()); });
}

void MainWindow::OnSaveTriggered()
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

void MainWindow::OnAboutTriggered()
{
    Open(about_, kAboutOffset);
}

void MainWindow::OnHelpTriggered()
{
    Open(help_, kHelpOffset);
}

template <typename Window>
void MainWindow::Open(QPointer<Window>& window, QPoint offset)
{
    // A window that is closing counts as gone: the opening makes a new one.
    if (!window || window->isHidden()) {
        window = new Window(this);
        PlaceOver(window, ui_->centralwidget, offset);
    }
    window->show();
    window->activateWindow();
}

void MainWindow::ShowState()
{
    const EntryRegister& entry = calculator_.Entry();
    for (int i = 1; i <= EntryRegister::kCells; ++i) {
        SetText(cells_[i], entry.Cell(i));
        SetUnderline(cells_[i], entry.Mark(i));
    }
    SetText(ui_->cursorBox, entry.Cursor());
    ui_->hamBandAction->setChecked(calculator_.IsHam());
    ui_->fullRangeAction->setChecked(!calculator_.IsHam());
    results_->Follow();
}

}  // namespace kestrami::ui
