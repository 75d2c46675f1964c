// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/mistake_diagnosis.h"

#include "core/int16_arithmetic.h"
#include "engine/answer_check.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <stdexcept>

namespace engine {

namespace {

// One operand taken apart: A p/q as shown and its value.
struct Parts {
    std::int64_t whole;
    std::int64_t numerator;
    std::int64_t denominator;
    Ratio value;

    bool Mixed() const { return whole != 0 && numerator != 0; }
    bool HasFraction() const { return numerator != 0; }
};

Parts PartsOf(const Fraction& f)
{
    return {f.Whole, f.Numerator, f.Denominator, RatioOf(f)};
}

Ratio Whole(std::int64_t n)
{
    return MakeRatio(n, 1);
}

Ratio Apply(Operation op, const Ratio& a, const Ratio& b)
{
    return op == Operation::Multiply ? a * b : a / b;
}

// Collects rule values; a value that is not defined on this exercise (a division by zero)
// means the rule does not apply, and a repeat of the same rule and value is dropped.
class Collector {
public:
    // Enough for every rule on two mixed operands: one allocation per exercise.
    Collector() { values_.reserve(16); }

    template <typename Compute> void Add(Mistake rule, Compute compute)
    {
        std::optional<Ratio> value;
        try {
            value = compute();
        } catch (const std::domain_error&) {
            return;
        }
        const bool seen = std::any_of(values_.begin(), values_.end(), [&](const RuleValue& v) {
            return v.Rule == rule && v.Value == *value;
        });
        if (!seen) {
            values_.push_back({rule, *value});
        }
    }
    std::vector<RuleValue> Take() { return std::move(values_); }

private:
    std::vector<RuleValue> values_;
};

// The two wrong ways of turning A p/q into a fraction: the whole added to the numerator, and
// the whole times the numerator plus the denominator.
std::array<Ratio, 2> WrongImproper(const Parts& x)
{
    return {MakeRatio(x.whole + x.numerator, x.denominator),
            MakeRatio(x.whole * x.numerator + x.denominator, x.denominator)};
}

void AddWrongConversions(Collector& out, Operation op, const Parts& a, const Parts& b)
{
    if (!a.Mixed() && !b.Mixed()) {
        return;
    }
    const std::array<Ratio, 2> wrongA = a.Mixed() ? WrongImproper(a) : std::array{a.value, a.value};
    const std::array<Ratio, 2> wrongB = b.Mixed() ? WrongImproper(b) : std::array{b.value, b.value};
    for (std::size_t way = 0; way < 2; ++way) {
        // A replacement that happens to be the right improper form is no mistake.
        const bool changesA = wrongA[way] != a.value;
        const bool changesB = wrongB[way] != b.value;
        if (changesA) {
            out.Add(Mistake::MixedConvertedWrongly,
                    [&] { return Apply(op, wrongA[way], b.value); });
        }
        if (changesB) {
            out.Add(Mistake::MixedConvertedWrongly,
                    [&] { return Apply(op, a.value, wrongB[way]); });
        }
        if (changesA && changesB) {
            out.Add(Mistake::MixedConvertedWrongly,
                    [&] { return Apply(op, wrongA[way], wrongB[way]); });
        }
    }
}

// Whether a text begins with a number the way core::LeadingNumber reads one: blanks, a sign,
// then a digit or a point followed by a digit.
bool StartsWithNumber(const std::string& text)
{
    std::size_t pos = text.find_first_not_of(" \t");
    if (pos == std::string::npos) {
        return false;
    }
    if (text[pos] == '+' || text[pos] == '-') {
        ++pos;
    }
    const auto digitAt = [&](std::size_t i) {
        return i < text.size() && text[i] >= '0' && text[i] <= '9';
    };
    return digitAt(pos) || (pos < text.size() && text[pos] == '.' && digitAt(pos + 1));
}

// A box read as the window reads it at hand-in; nothing for a text that is no number.
std::optional<std::int64_t> BoxValue(const std::string& text, std::int64_t emptyValue)
{
    if (text.empty()) {
        return emptyValue;
    }
    if (!StartsWithNumber(text)) {
        return std::nullopt;
    }
    try {
        return NumberOf(text);
    } catch (const core::OverflowError&) {
        return std::nullopt;
    }
}

void AddOnce(std::vector<Mistake>& list, Mistake m)
{
    if (std::find(list.begin(), list.end(), m) == list.end()) {
        list.push_back(m);
    }
}

std::string Joined(const std::vector<Mistake>& list, const std::string& separator)
{
    std::string text;
    for (const Mistake m : list) {
        if (!text.empty()) {
            text += separator;
        }
        text += MistakeWords(m);
    }
    return text;
}

} // namespace

std::string MistakeWords(Mistake m)
{
    switch (m) {
    case Mistake::DivisorNotTurned:
        return "не перевёрнут делитель";
    case Mistake::AnswerUpsideDown:
        return "перевёрнута не та дробь";
    case Mistake::BothTurned:
        return "перевёрнуты обе дроби";
    case Mistake::TurnedInMultiplication:
        return "при умножении перевёрнута дробь";
    case Mistake::PartsSeparately:
        return "целые части и дроби посчитаны отдельно";
    case Mistake::MixedConvertedWrongly:
        return "смешанное число обращено в дробь с ошибкой";
    case Mistake::OnlyWholeParts:
        return "взяты только целые части";
    case Mistake::CommonDenominatorKept:
        return "при умножении оставлен общий знаменатель";
    case Mistake::NotReduced:
        return "ответ не сокращён";
    case Mistake::WholeNotTakenOut:
        return "не выделена целая часть";
    case Mistake::OddForm:
        return "ответ записан не в обычном виде";
    case Mistake::NoAnswer:
        return "нет ответа";
    case Mistake::NotANumber:
        return "не число";
    case Mistake::Other:
        break;
    }
    return "другая ошибка";
}

Ratio RightValue(Operation op, const Fraction& first, const Fraction& second)
{
    return Apply(op, RatioOf(first), RatioOf(second));
}

std::vector<RuleValue> RuleValues(Operation op, const Fraction& first, const Fraction& second)
{
    const Parts a = PartsOf(first);
    const Parts b = PartsOf(second);
    Collector out;
    if (op == Operation::Divide) {
        out.Add(Mistake::DivisorNotTurned, [&] { return a.value * b.value; });
        out.Add(Mistake::AnswerUpsideDown, [&] { return b.value / a.value; });
        out.Add(Mistake::BothTurned, [&] { return Whole(1) / (a.value * b.value); });
    } else {
        out.Add(Mistake::TurnedInMultiplication, [&] { return a.value / b.value; });
        out.Add(Mistake::TurnedInMultiplication, [&] { return b.value / a.value; });
    }
    if (a.Mixed() || b.Mixed()) {
        out.Add(Mistake::PartsSeparately, [&] {
            const Ratio fa = MakeRatio(a.numerator, a.denominator);
            const Ratio fb = MakeRatio(b.numerator, b.denominator);
            return Apply(op, Whole(a.whole), Whole(b.whole)) + Apply(op, fa, fb);
        });
    }
    AddWrongConversions(out, op, a, b);
    if (a.whole > 0 && b.whole > 0 && (a.HasFraction() || b.HasFraction())) {
        out.Add(Mistake::OnlyWholeParts, [&] { return Apply(op, Whole(a.whole), Whole(b.whole)); });
    }
    if (op == Operation::Multiply && a.HasFraction() && b.HasFraction() &&
        a.denominator == b.denominator) {
        out.Add(Mistake::CommonDenominatorKept, [&] {
            const Ratio numeratorA = Whole(a.whole * a.denominator + a.numerator);
            const Ratio numeratorB = Whole(b.whole * b.denominator + b.numerator);
            return numeratorA * numeratorB / Whole(a.denominator);
        });
    }
    return out.Take();
}

std::vector<Mistake> Diagnosis::All() const
{
    std::vector<Mistake> all = Mistakes;
    all.insert(all.end(), Form.begin(), Form.end());
    return all;
}

Diagnosis DiagnoseAnswer(Operation op, const Fraction& first, const Fraction& second,
                         const TypedAnswer& typed)
{
    Diagnosis d;
    const bool allEmpty =
        typed.Whole.empty() && typed.Numerator.empty() && typed.Denominator.empty();
    // Deliberate: the window fills untouched boxes with these texts at hand-in, so a stored
    // row that holds exactly them was most likely left empty. No exercise has the answer 0.
    const bool handInDefaults =
        typed.Whole == "0" && typed.Numerator == "0" && typed.Denominator == "1";
    if (allEmpty || handInDefaults) {
        d.Mistakes = {Mistake::NoAnswer};
        return d;
    }
    const std::optional<std::int64_t> whole = BoxValue(typed.Whole, 0);
    const std::optional<std::int64_t> numerator = BoxValue(typed.Numerator, 0);
    const std::optional<std::int64_t> denominator = BoxValue(typed.Denominator, 1);
    if (!whole || !numerator || !denominator || *denominator == 0) {
        d.Mistakes = {Mistake::NotANumber};
        return d;
    }
    // 16-bit parts: the value's numerator stays far inside 64 bits.
    const Ratio value = MakeRatio(*whole * *denominator + *numerator, *denominator);

    if (*numerator != 0 && std::gcd(*numerator, *denominator) > 1) {
        d.Form.push_back(Mistake::NotReduced);
    }
    if (*numerator != 0 && std::abs(*numerator) >= std::abs(*denominator)) {
        d.Form.push_back(Mistake::WholeNotTakenOut);
    }

    Ratio right;
    std::vector<RuleValue> rules;
    try {
        right = RightValue(op, first, second);
        rules = RuleValues(op, first, second);
    } catch (const std::exception&) {
        // Operands no exercise has (a zero denominator or divisor): nothing can be compared.
        d.Mistakes = {Mistake::Other};
        return d;
    }

    d.ValueRight = value == right;
    if (d.ValueRight) {
        const std::int64_t rightWhole = right.Num / right.Den;
        const std::int64_t rightNumerator = right.Num % right.Den;
        const std::int64_t rightDenominator = rightNumerator == 0 ? 1 : right.Den;
        d.Right = *whole == rightWhole && *numerator == rightNumerator &&
                  *denominator == rightDenominator;
        if (!d.Right && d.Form.empty()) {
            d.Form.push_back(Mistake::OddForm);
        }
        for (const RuleValue& rule : rules) {
            if (rule.Value == right) {
                AddOnce(d.SameAsRight, rule.Rule);
            }
        }
        return d;
    }
    for (const RuleValue& rule : rules) {
        if (rule.Value == value) {
            AddOnce(d.Mistakes, rule.Rule);
        }
    }
    if (d.Mistakes.empty()) {
        d.Mistakes.push_back(Mistake::Other);
    }
    return d;
}

Diagnosis DiagnoseRow(const RowRecord& row)
{
    return DiagnoseAnswer(row.Op, row.First, row.Second, row.Typed);
}

std::string DiagnosisWords(const Diagnosis& d)
{
    if (d.Right) {
        return {};
    }
    std::string text;
    if (d.ValueRight) {
        text = "значение верное";
    } else if (d.Mistakes.size() > 1) {
        text = Joined(d.Mistakes, " или ") + " (не различить)";
    } else {
        text = Joined(d.Mistakes, "");
    }
    if (!d.Form.empty()) {
        text += "; " + Joined(d.Form, "; ");
    }
    if (d.ValueRight && !d.SameAsRight.empty()) {
        text += "; такое же значение даёт ошибка: " + Joined(d.SameAsRight, " или ");
    }
    return text;
}

std::string OperandKindWords(const Fraction& shown)
{
    if (shown.Numerator == 0) {
        return "целое число";
    }
    return shown.Whole != 0 ? "смешанное число" : "дробь";
}

std::string ExerciseKindWords(Operation op, const Fraction& first, const Fraction& second)
{
    const char* sign = op == Operation::Multiply ? " × " : " : ";
    return OperandKindWords(first) + sign + OperandKindWords(second);
}

std::string RowMistakeWords(const RowRecord& judgedRow)
{
    if (!judgedRow.Right || *judgedRow.Right) {
        return {};
    }
    const std::string words = DiagnosisWords(DiagnoseRow(judgedRow));
    return words.empty() ? MistakeWords(Mistake::OddForm) : words;
}

} // namespace engine
