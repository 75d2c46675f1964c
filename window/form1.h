// SPDX-License-Identifier: GPL-3.0-or-later
// The window Form1 and the flow of a test in it: load, start, the countdown, hand-in or
// time-out, and the menu commands.
//
// Contents: the class Form1 (built and loaded by its constructor, shown by Show), its event
// handlers and its two variables, SecondsLeft and GradeText.
//
// Not here: the controls' places (main_window_layout), how fractions are drawn
// (fraction_display), the quiz's arithmetic and rules (engine/), and storage of any kind.
#pragma once

#include "core/int16_arithmetic.h"
#include "core/random_source.h"
#include "engine/task_generator.h"
#include "window/attempt_report.h"
#include "window/main_window_layout.h"
#include "window/test_taker.h"

#include <array>
#include <optional>
#include <string>

namespace window {

class Form1 {
public:
    // Builds the window and runs its load handler; the window is shown by Show(). What happens
    // to the test is told to `report`, if given; `taker` says whether «Начать тест» first asks
    // who takes the test, and how long the test then runs.
    explicit Form1(core::RandomSource& random, TestReport report = {}, TestTaker taker = {});

    void Show();
    MainWindowLayout& Controls() { return w_; }

    // Judges the ten rows from the operands as shown and the typed answers, writes the verdicts,
    // the counts and the mark, and locks the answer boxes.
    void CheckAllAnswers();
    static std::string ToTime(core::Int16 seconds);

private:
    // Event handlers, connected to their controls by the constructor.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();
    void Cz_KeyPress(int index, core::Int16& keyCode);
    void Autmn_Click();
    void sp_Click();
    void ExMn_Click();
    void AnswerBox_Change();

    // Writes the defaults into the empty answer boxes before a check: numerator 0, denominator
    // 1, the whole 0, so that a box left empty reads as the instructions say. The texts as the
    // pupil left them are kept first, for the report.
    void FillEmptyAnswerBoxes();

    // Tells the report how the attempt stands now.
    void ReportAttempt(engine::AttemptEnd end);

    MainWindowLayout w_;
    core::RandomSource& random_;
    TestReport report_;
    TestTaker taker_;
    // The time of the test being taken, in seconds; the countdown starts from it.
    core::Int16 secondsAllowed_ = 0;

    // The window's variables.
    core::Int16 SecondsLeft = 0;
    std::string GradeText;
    // The operation of each row, recorded when the exercises are made.
    engine::TaskOpsTable TaskOps{};
    // The answer boxes as the pupil left them, before the first check filled the empty ones;
    // reported instead of the boxes from then on (the boxes are locked by then).
    std::optional<std::array<engine::TypedAnswer, engine::kRowCount>> typedAsLeft_;

    // Tests read the variables, and set the seconds left, through this one seam.
    friend struct Form1TestSeam;
};

} // namespace window
