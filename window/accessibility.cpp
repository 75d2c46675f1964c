// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/accessibility.h"

#include "engine/answer_check.h"
#include "window/fraction_display.h"

namespace window {

std::string SpokenExercise(const engine::Fraction& first, engine::Operation operation,
                           const engine::Fraction& second)
{
    const char* sign =
        operation == engine::Operation::Multiply ? " умножить на " : " разделить на ";
    return engine::FractionText(first) + sign + engine::FractionText(second);
}

void DescribeRows(MainWindowLayout& w, const engine::TaskOpsTable& taskOps)
{
    for (int row = 0; row < engine::kRowCount; ++row) {
        const engine::RowTexts texts = RowTextsOf(w, row);
        const engine::Fraction first = engine::FractionOf(texts.FirstOperand);
        const engine::Fraction second = engine::FractionOf(texts.SecondOperand);
        std::string description = SpokenExercise(first, taskOps[row], second);
        const std::string verdict = w.Result(row).Caption();
        if (!verdict.empty()) {
            description += ". " + verdict;
        }
        for (toolkit::Control box :
             {toolkit::Control(w.Cw(row)), toolkit::Control(w.Ct(row)), toolkit::Control(w.Cz(row)),
              toolkit::Control(w.Result(row))}) {
            box.SetAccessibleDescription(description);
        }
    }
}

} // namespace window
