// The window Form1 and the flow of a test: load, start, the countdown, hand-in or time-out,
// and the menu commands.
#pragma once

#include "engine/task_generator.h"
#include "toolkit/int16_arithmetic.h"
#include "toolkit/random_source.h"
#include "window/main_window_layout.h"

#include <string>

namespace window {

class Form1 {
public:
    // Builds the window and runs its load handler; the window is shown by Show().
    explicit Form1(toolkit::RandomSource& random);

    void Show();
    MainWindowLayout& Controls() { return w_; }

    // Judges the ten rows from the operands as shown and the typed answers, writes the verdicts,
    // the counts and the mark, and locks the answer boxes.
    void CheckAllAnswers();
    std::string ToTime(const toolkit::Int16& seconds) const;

    // Event handlers, connected to their controls by the constructor.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();
    void Cz_KeyPress(int index, toolkit::Int16& keyCode);
    void Autmn_Click();
    void sp_Click();
    void ExMn_Click();

    // The window's variables.
    toolkit::Int16 SecondsLeft = 0;
    std::string GradeText;
    // The operation of each row, recorded when the exercises are made.
    engine::TaskOpsTable TaskOps{};

private:
    MainWindowLayout w_;
    toolkit::RandomSource& random_;
};

} // namespace window
