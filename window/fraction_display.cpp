// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/fraction_display.h"

#include "core/conversions.h"
#include "engine/task_generator.h"

namespace window {

namespace {

constexpr int kBarLength = 360;
constexpr int kBarBelowNumeratorTop = 210;

struct Group {
    ControlArray<Label>& numerator;
    ControlArray<Label>& denominator;
    ControlArray<Label>& whole;
    int firstBar;
    int wholeNumberLeft;
};

// Deliberate: the code is compared with 2 first, then with 1, and every other code is taken as
// the answer key.
Group GroupFor(MainWindowLayout& w, LabelGroup code)
{
    if (code == LabelGroup::SecondOperand) {
        return {w.Bt, w.Bz, w.Bw, 11, 2040};
    }
    if (code == LabelGroup::FirstOperand) {
        return {w.At, w.Az, w.Aw, 1, 480};
    }
    return {w.Dt, w.Dz, w.Dw, 21, 480};
}

engine::FractionTexts CaptionsOf(const Label& numerator, const Label& denominator,
                                 const Label& whole)
{
    return {numerator.Caption(), denominator.Caption(), whole.Caption()};
}

} // namespace

LabelGroup GroupOf(engine::ExercisePart part)
{
    switch (part) {
    case engine::ExercisePart::FirstOperand:
        return LabelGroup::FirstOperand;
    case engine::ExercisePart::SecondOperand:
        return LabelGroup::SecondOperand;
    case engine::ExercisePart::Answer:
        break;
    }
    return LabelGroup::AnswerKey;
}

void PlaceFractionBars(MainWindowLayout& w)
{
    for (LabelGroup code :
         {LabelGroup::FirstOperand, LabelGroup::SecondOperand, LabelGroup::AnswerKey}) {
        const Group group = GroupFor(w, code);
        for (int bar = group.firstBar; bar < group.firstBar + engine::kRowCount; ++bar) {
            Line& line = w.Line1(bar);
            const Label& numerator = group.numerator(bar - group.firstBar);
            line.SetVisible(true);
            line.SetX1(numerator.Left());
            line.SetX2(line.X1() + kBarLength);
            line.SetY1(numerator.Top() + kBarBelowNumeratorTop);
            line.SetY2(line.Y1());
            if (code == LabelGroup::AnswerKey) {
                line.ZOrder(0);
            }
        }
    }
}

void ShowFraction(MainWindowLayout& w, core::Int16 row, engine::Fraction& f, LabelGroup group)
{
    engine::ReduceFraction(f);
    engine::ExtractWhole(f);
    const Group g = GroupFor(w, group);

    Label& numerator = g.numerator(row);
    numerator.SetCaption(core::Int16ToText(f.Numerator));
    numerator.SetVisible(f.Numerator != 0);

    Label& denominator = g.denominator(row);
    denominator.SetCaption(core::Int16ToText(f.Denominator));
    denominator.SetVisible(f.Denominator != 1);

    Label& whole = g.whole(row);
    whole.SetCaption(core::Int16ToText(f.Whole));
    whole.SetVisible(f.Whole != 0);

    if (f.Denominator == 1 && f.Numerator == 0) {
        whole.SetLeft(g.wholeNumberLeft);
        w.Line1(row + g.firstBar).SetVisible(false);
    }
}

engine::RowTexts RowTextsOf(const MainWindowLayout& w, int row)
{
    return {CaptionsOf(w.At(row), w.Az(row), w.Aw(row)),
            CaptionsOf(w.Bt(row), w.Bz(row), w.Bw(row)),
            {w.Ct(row).Text(), w.Cz(row).Text(), w.Cw(row).Text()}};
}

} // namespace window
