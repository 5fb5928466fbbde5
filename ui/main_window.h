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
class Form1;
}

namespace kestrami::ui {

class Form2;
class Form3;
class ResultsModel;

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    const DivisorCalculator& Calculator() const { return calculator_; }

private:
    void Form_Load();
    void Command1_Click()
    {
        Run([this] { calculator_.PressDigit('1'); });
    }
    void Command2_Click()
    {
        Run([this] { calculator_.PressDigit('2'); });
    }
    void Command3_Click()
    {
        Run([this] { calculator_.PressDigit('3'); });
    }
    void Command4_Click()
    {
        Run([this] { calculator_.PressDigit('4'); });
    }
    void Command5_Click()
    {
        Run([this] { calculator_.PressDigit('5'); });
    }
    void Command6_Click()
    {
        Run([this] { calculator_.PressDigit('6'); });
    }
    void Command7_Click()
    {
        Run([this] { calculator_.PressDigit('7'); });
    }
    void Command8_Click()
    {
        Run([this] { calculator_.PressDigit('8'); });
    }
    void Command9_Click()
    {
        Run([this] { calculator_.PressDigit('9'); });
    }
    void Command10_Click()
    {
        Run([this] { calculator_.PressDigit('0'); });
    }
    void Command11_Click()
    {
        Run([this] { calculator_.StepBack(); });
    }
    void CE_Click()
    {
        Run([this] { calculator_.ClearEntry(); });
    }
    void Command12_Click()
    {
        Run([this] { calculator_.EnterFrequency(); });
    }
    void Command14_Click()
    {
        Run([this] { calculator_.ClearResults(); });
    }
    void ct_Change(const QString& text);
    void dig_Change(int i, const QString& text);
    void uline_Click()
    {
        Run([this] { calculator_.MarkCursor(); });
    }
    void mnuSave_Click();
    void mnuExit_Click() { close(); }
    void mnuSetHam_Click()
    {
        Run([this] { calculator_.SelectBand(Band::Ham); });
    }
    void mnuSetFull_Click()
    {
        Run([this] { calculator_.SelectBand(Band::Full); });
    }
    void mnuAbout_Click();
    void mnuHelp_Click();

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

    std::unique_ptr<Ui::Form1> ui_;
    Platform& platform_;
    DivisorCalculator calculator_;
    // dig(0) is a spare cell no operation uses; dig(1)..dig(7) show the entry.
    std::array<QLineEdit*, EntryRegister::kCells + 1> dig_{};
    // List1's rows: the calculator's results list, followed line by line.
    ResultsModel* results_ = nullptr;
    QPointer<Form2> about_;
    QPointer<Form3> help_;
};

}  // namespace kestrami::ui
