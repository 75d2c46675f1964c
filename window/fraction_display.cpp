#include "window/fraction_display.h"

#include "engine/task_generator.h"
#include "toolkit/conversions.h"

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

// The group code is compared with 2 first, then with 1; every other code is the answer key.
Group GroupFor(MainWindowLayout& w, std::uint8_t code)
{
    if (code == engine::kSecondOperandGroup) {
        return {w.Bt, w.Bz, w.Bw, 11, 2040};
    }
    if (code == engine::kFirstOperandGroup) {
        return {w.At, w.Az, w.Aw, 1, 480};
    }
    return {w.Dt, w.Dz, w.Dw, 21, 480};
}

} // namespace

void PlaceFractionBars(MainWindowLayout& w)
{
    for (std::uint8_t code :
         {engine::kFirstOperandGroup, engine::kSecondOperandGroup, engine::kAnswerKeyGroup}) {
        const Group group = GroupFor(w, code);
        for (int bar = group.firstBar; bar < group.firstBar + engine::kRowCount; ++bar) {
            Line& line = w.Line1(bar);
            const Label& numerator = group.numerator(bar - group.firstBar);
            line.SetVisible(true);
            line.SetX1(numerator.Left());
            line.SetX2(line.X1() + kBarLength);
            line.SetY1(numerator.Top() + kBarBelowNumeratorTop);
            line.SetY2(line.Y1());
            if (code == engine::kAnswerKeyGroup) {
                line.ZOrder(0);
            }
        }
    }
}

void ShowFraction(MainWindowLayout& w, toolkit::Int16 row, engine::Fraction& f, std::uint8_t group)
{
    engine::ReduceFraction(f);
    engine::ExtractWhole(f);
    const Group g = GroupFor(w, group);

    Label& numerator = g.numerator(row);
    numerator.SetCaption(toolkit::Int16ToText(f.Numerator));
    numerator.SetVisible(f.Numerator != 0);

    Label& denominator = g.denominator(row);
    denominator.SetCaption(toolkit::Int16ToText(f.Denominator));
    denominator.SetVisible(f.Denominator != 1);

    Label& whole = g.whole(row);
    whole.SetCaption(toolkit::Int16ToText(f.Whole));
    whole.SetVisible(f.Whole != 0);

    if (f.Denominator == 1 && f.Numerator == 0) {
        whole.SetLeft(g.wholeNumberLeft);
        w.Line1(row + g.firstBar).SetVisible(false);
    }
}

engine::RowTexts RowTextsOf(MainWindowLayout& w, int row)
{
    return {w.At(row).Caption(), w.Az(row).Caption(), w.Aw(row).Caption(),
            w.Bt(row).Caption(), w.Bz(row).Caption(), w.Bw(row).Caption(),
            w.Ct(row).Text(),    w.Cz(row).Text(),    w.Cw(row).Text()};
}

} // namespace window
