// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/answer_check.h"

#include "core/conversions.h"

namespace engine {

Int16 NumberOf(const std::string& text)
{
    return core::ToInt16(core::LeadingNumber(text));
}

Fraction FractionOf(const FractionTexts& texts)
{
    return {NumberOf(texts.Numerator), NumberOf(texts.Denominator), NumberOf(texts.Whole)};
}

FractionTexts WithEmptyBoxDefaults(FractionTexts typed)
{
    if (typed.Numerator.empty()) {
        typed.Numerator = kEmptyNumeratorText;
    }
    if (typed.Denominator.empty()) {
        typed.Denominator = kEmptyDenominatorText;
    }
    if (typed.Whole.empty()) {
        typed.Whole = kEmptyWholeText;
    }
    return typed;
}

std::string GradeFor(Int16 rightCount)
{
    switch (rightCount) {
    case 10:
        return "5. Отличная работа";
    case 9:
        return "4. Неплохо";
    case 8:
        return "3. Старайтесь быть повнимательнее";
    default:
        return "2. Вам нужно повторить тему";
    }
}

Fraction ComputedAnswer(Fraction first, Fraction second, Operation operation)
{
    Fraction answer;
    if (operation == Operation::Multiply) {
        MultiplyFractions(answer, first, second);
    } else {
        DivideFractions(answer, first, second);
    }
    // Deliberate: extract the whole part first, then reduce, the reverse of the display's
    // order. Both end in the same normal form.
    ExtractWhole(answer);
    ReduceFraction(answer);
    return answer;
}

bool IsRowRight(const RowTexts& texts, Operation operation)
{
    const Fraction first = FractionOf(texts.FirstOperand);
    const Fraction second = FractionOf(texts.SecondOperand);
    Fraction typed;
    try {
        typed = FractionOf(texts.TypedAnswer);
    } catch (const core::OverflowError&) {
        // A number no answer can be: the row is wrong, and the rest of the test still counts.
        return false;
    }
    return typed == ComputedAnswer(first, second, operation);
}

Marking MarkAnswers(const TestTexts& texts, const TaskOpsTable& taskOps)
{
    Marking marking;
    for (int row = 0; row < kRowCount; ++row) {
        marking.Right[row] = IsRowRight(texts[row], taskOps[row]);
        if (marking.Right[row]) {
            marking.RightCount = core::Add16(marking.RightCount, 1);
        }
    }
    marking.GradeText = GradeFor(marking.RightCount);
    return marking;
}

} // namespace engine
