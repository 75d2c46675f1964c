#include "engine/answer_check.h"

#include "toolkit/conversions.h"

namespace engine {

Int16 NumberOf(const std::string& text)
{
    return toolkit::ToInt16(toolkit::LeadingNumber(text));
}

Fraction FirstOperandOf(const RowTexts& texts)
{
    return {NumberOf(texts.At), NumberOf(texts.Az), NumberOf(texts.Aw)};
}

Fraction SecondOperandOf(const RowTexts& texts)
{
    return {NumberOf(texts.Bt), NumberOf(texts.Bz), NumberOf(texts.Bw)};
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

Fraction ComputedAnswer(Fraction first, Fraction second, std::uint8_t operation)
{
    Fraction answer;
    if (operation == kMultiply) {
        MultiplyFractions(answer, first, second);
    } else {
        DivideFractions(answer, first, second);
    }
    ExtractWhole(answer);
    ReduceFraction(answer);
    return answer;
}

bool IsRowRight(const RowTexts& texts, std::uint8_t operation)
{
    const Fraction first = FirstOperandOf(texts);
    const Fraction second = SecondOperandOf(texts);
    Fraction typed;
    try {
        typed = Fraction{NumberOf(texts.Ct), NumberOf(texts.Cz), NumberOf(texts.Cw)};
    } catch (const toolkit::OverflowError&) {
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
            marking.RightCount = toolkit::Add16(marking.RightCount, 1);
        }
    }
    marking.GradeText = GradeFor(marking.RightCount);
    return marking;
}

} // namespace engine
