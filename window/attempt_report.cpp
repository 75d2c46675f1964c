// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/attempt_report.h"

#include "engine/answer_check.h"
#include "window/fraction_display.h"
#include "window/run_time_looks.h"

#include <algorithm>

namespace window {

engine::AttemptRecord RecordOfAttempt(const MainWindowLayout& w, const engine::TaskOpsTable& ops,
                                      core::Int16 secondsAllowed, core::Int16 secondsLeft,
                                      const std::string& gradeText, engine::AttemptEnd end)
{
    engine::AttemptRecord record;
    record.End = end;
    record.SecondsAllowed = secondsAllowed;
    record.SecondsUsed = std::clamp(secondsAllowed - secondsLeft, 0, int(secondsAllowed));
    for (int row = 0; row < engine::kRowCount; ++row) {
        const engine::RowTexts texts = RowTextsOf(w, row);
        engine::RowRecord& r = record.Rows[row];
        r.Op = ops[row];
        // The captions are the program's own numbers, always in range.
        r.First = engine::FractionOf(texts.FirstOperand);
        r.Second = engine::FractionOf(texts.SecondOperand);
        r.Key = engine::FractionOf({w.Dt(row).Caption(), w.Dz(row).Caption(), w.Dw(row).Caption()});
        r.Typed = {texts.TypedAnswer.Whole, texts.TypedAnswer.Numerator,
                   texts.TypedAnswer.Denominator};
        const std::string verdict = w.Result(row).Caption();
        if (!verdict.empty()) {
            r.Right = verdict == kRightVerdict.Caption;
        }
    }
    if (!gradeText.empty()) {
        record.GradeText = gradeText;
        record.RightCount = std::stoi(w.RA.Caption());
        record.Mark = std::stoi(w.Mrk.Caption());
    }
    return record;
}

} // namespace window
