// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/workbook_sheets.h"

#include "journal/roster.h"
#include "teacher/attempt_texts.h"
#include "teacher/teacher_words.h"

namespace teacher {

using journal::XlsxCell;

journal::XlsxSheet ClassWorksheet(const journal::ClassResults& results)
{
    journal::XlsxTable table{words::ClassSheetHeadings(), {}};
    for (const journal::PupilResult& line : results.Lines) {
        const XlsxCell mark = line.Attempts == 0 ? XlsxCell::Words(words::NotTaken())
                              : line.Mark        ? XlsxCell::Count(*line.Mark)
                                                 : XlsxCell::Words(words::WithoutMark());
        table.Lines.push_back({XlsxCell::Words(ShownName(journal::FullName(line.Pupil))), mark,
                               line.Seconds ? XlsxCell::Seconds(*line.Seconds) : XlsxCell(),
                               XlsxCell::Count(line.Attempts)});
    }
    return {words::ClassSheetName(), {30, 14, 8, 9}, {std::move(table)}};
}

journal::XlsxSheet MistakesWorksheet(const engine::MistakeTally& tally)
{
    const auto named = [](engine::Mistake m) {
        return XlsxCell::Words(QString::fromStdString(engine::MistakeWords(m)));
    };
    journal::XlsxTable mistakes{words::MistakeSheetHeadings(), {}};
    for (const engine::MistakeCount& m : tally.Mistakes()) {
        mistakes.Lines.push_back({named(m.Which), XlsxCell::Count(double(m.Pupils)),
                                  XlsxCell::Count(double(m.Rows)),
                                  XlsxCell::Words(MistakeRowsText(m))});
    }
    journal::XlsxTable rows{words::RowSheetHeadings(), {}};
    const auto summaries = tally.Rows();
    for (std::size_t row = 0; row < summaries.size(); ++row) {
        const engine::RowSummary& s = summaries.at(row);
        // A row never judged has no share: an empty cell, not 0 %.
        rows.Lines.push_back(
            {XlsxCell::Count(double(row + 1)), XlsxCell::Words(QString::fromStdString(s.Kind)),
             s.Judged == 0 ? XlsxCell() : XlsxCell::Share(s.RightPercent() / 100.0),
             s.MostCommon ? named(*s.MostCommon) : XlsxCell()});
    }
    return {words::MistakesSheetName(), {40, 26, 9, 40}, {std::move(mistakes), std::move(rows)}};
}

} // namespace teacher
