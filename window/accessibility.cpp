// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/accessibility.h"

#include "engine/answer_check.h"
#include "engine/fraction_words.h"
#include "toolkit/announcement.h"
#include "window/fraction_display.h"

#include <vector>

namespace window {

namespace {

std::string TaskName(int row)
{
    return "Задание " + std::to_string(row + 1);
}

} // namespace

std::string SpokenExercise(const engine::Fraction& first, engine::Operation operation,
                           const engine::Fraction& second)
{
    const char* sign =
        operation == engine::Operation::Multiply ? " умножить на " : " разделить на ";
    return engine::FractionInWords(first, engine::GrammaticalCase::Nominative) + sign +
           engine::FractionInWords(second, engine::GrammaticalCase::Accusative);
}

void ArrangeForScreenReaders(MainWindowLayout& w)
{
    std::vector<toolkit::AccessibleRow> exerciseRows;
    std::vector<toolkit::AccessibleRow> keyRows;
    for (int row = 0; row < engine::kRowCount; ++row) {
        exerciseRows.push_back({{w.Cw(row), w.Ct(row), w.Cz(row), w.Result(row)}, true});
        keyRows.push_back({{w.Dw(row), w.Dt(row), w.Dz(row)}, false});
    }
    w.Frame1.PresentRows(exerciseRows);
    w.Frame2.PresentRows(keyRows);
    w.Label1.SetLabelFor(w.TL);
    w.Label5.SetLabelFor(w.RA);
    w.Label6.SetLabelFor(w.NR);
    w.Mrk.SetAccessibleDescription("Оценка");
}

void DescribeRows(MainWindowLayout& w, const engine::TaskOpsTable& taskOps)
{
    for (int row = 0; row < engine::kRowCount; ++row) {
        const engine::RowTexts texts = RowTextsOf(w, row);
        const std::string exercise =
            SpokenExercise(engine::FractionOf(texts.FirstOperand), taskOps[row],
                           engine::FractionOf(texts.SecondOperand));
        const std::string verdict = w.Result(row).Caption();
        std::string described = exercise;
        if (!verdict.empty()) {
            described.append(". ").append(verdict);
        }
        for (toolkit::Control box : {toolkit::Control(w.Cw(row)), toolkit::Control(w.Ct(row)),
                                     toolkit::Control(w.Cz(row))}) {
            box.SetAccessibleDescription(described);
        }
        w.Result(row).SetAccessibleDescription(verdict.empty() ? "" : described);
        w.Frame1.SetRowText(row, TaskName(row).append(": ").append(exercise), "");

        const engine::Fraction answer =
            engine::FractionOf({w.Dt(row).Caption(), w.Dz(row).Caption(), w.Dw(row).Caption()});
        std::string key = TaskName(row);
        key.append(": ").append(
            engine::FractionInWords(answer, engine::GrammaticalCase::Nominative));
        w.Frame2.SetRowText(row, key, key);
    }
}

void AnnounceTimeLeft(MainWindowLayout& w, const std::string& text)
{
    toolkit::Announce(w.TL, text);
}

} // namespace window
