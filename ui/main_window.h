// The main window: the display, keypad, results list and menus. Each event
// runs one operation of the calculator it owns, then the window shows the
// calculator's new state; it decides nothing itself.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

#include "divisor_calculator.h"
#include "services.h"

class QLineEdit;

namespace Ui {
class MainWindow;
}

namespace kestrami::ui {

class AboutWindow;
class HelpWindow;
class ResultsModel;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    const DivisorCalculator& Calculator() const { return calculator_; }

private:
    void OnLoad();
    // The ten digit keys share one handler; each passes its own digit.
    void OnDigitKeyClicked(char digit)
    {
        Run([this, digit] { calculator_.PressDigit(digit); });
    }
    void OnStepBackClicked()
    {
        Run([this] { calculator_.StepBack(); });
    }
    void OnClearEntryClicked()
    {
        Run([this] { calculator_.ClearEntry(); });
    }
    void OnEnterClicked()
    {
        Run([this] { calculator_.EnterFrequency(); });
    }
    void OnClearListClicked()
    {
        Run([this] { calculator_.ClearResults(); });
    }
    void OnCursorBoxEdited(const QString& text);
    void OnCellEdited(int i, const QString& text);
    void OnUnderlineClicked()
    {
        Run([this] { calculator_.MarkCursor(); });
    }
    void OnSaveTriggered();
    void OnExitTriggered() { close(); }
    void OnHamBandTriggered()
    {
        Run([this] { calculator_.SelectBand(Band::Ham); });
    }
    void OnFullRangeTriggered()
    {
        Run([this] { calculator_.SelectBand(Band::Full); });
    }
    void OnAboutTriggered();
    void OnHelpTriggered();
    // Shows the secondary window, created afresh unless it is open, at
    // `offset` from the client area.
    template <typename Window>
    void Open(QPointer<Window>& window, QPoint offset);

    // Runs the handler's one operation, reporting a failure that escapes it,
    // then shows the calculator's state, as it is whether or not it failed.
    template <typename Operation>
    void Run(Operation operation)
    {
        RunReported(operation);
        ShowState();
    }

    // Brings every control in line with the calculator, touching only what
    // differs, so a box the user is typing in keeps its caret.
    void ShowState();

    std::unique_ptr<Ui::MainWindow> ui_;
    Platform& platform_;
    DivisorCalculator calculator_;
    // The display cells 1..7 show the entry; at index 0 stands the spare
    // cell, which no operation uses.
    std::array<QLineEdit*, EntryRegister::kCells + 1> cells_{};
    // The results list's rows: the calculator's list, followed line by line.
    ResultsModel* results_ = nullptr;
    QPointer<AboutWindow> about_;
    QPointer<HelpWindow> help_;
};

}  // namespace kestrami::ui
