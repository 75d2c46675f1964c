// SPDX-License-Identifier: GPL-3.0-or-later
// What a wrong answer reveals: the typed value compared, exactly, with the value each known
// mistake gives on the same exercise, and the way the answer is written.
//
// Contents: the mistakes (Mistake) and their words (MistakeWords); the value each rule gives
// on an exercise (RuleValues); one row's diagnosis (Diagnosis, DiagnoseAnswer) and its words
// (DiagnosisWords); the kind of an exercise (OperandKindWords, ExerciseKindWords).
//
// With a = A p/q and b = B r/s as shown and a', b' their improper forms, the rules are:
//   DivisorNotTurned        (:)  a'·b'
//   AnswerUpsideDown        (:)  b'/a'
//   BothTurned              (:)  1/(a'·b')
//   TurnedInMultiplication  (·)  a'/b' or b'/a'
//   PartsSeparately              · A·B + (p/q)(r/s);  : A/B + (p/q)/(r/s)
//   MixedConvertedWrongly        the exercise redone with (A+p)/q or (A·p+q)/q in place of a
//                                mixed a', b' or both (the same way for both)
//   OnlyWholeParts               A·B or A/B, when both have a whole part and one a fraction
//   CommonDenominatorKept   (·)  when q = s: (numerators of a' and b' multiplied)/q
// A rule applies only where the exercise has what it needs (a mixed operand, q = s, a value
// that is defined); a replacement that equals the right improper form is no mistake and is not
// tried. Form remarks are made on any typed value: NotReduced, WholeNotTakenOut, and
// OddForm for a right value written in a way no remark names.
//
// Ambiguity is reported, never resolved: every rule whose value equals the typed value is
// named; rules whose value on this exercise is the right answer are listed separately, since
// a right value cannot show them.
//
// Not here: the verdict the pupil saw (answer_check.h), counting over many attempts
// (mistake_tally.h), and how the teacher's window lays the words out.
#pragma once

#include "engine/attempt_record.h"
#include "engine/exact_ratio.h"
#include "engine/fraction.h"
#include "engine/operation.h"

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

enum class Mistake : std::uint8_t {
    DivisorNotTurned,
    AnswerUpsideDown,
    BothTurned,
    TurnedInMultiplication,
    PartsSeparately,
    MixedConvertedWrongly,
    OnlyWholeParts,
    CommonDenominatorKept,
    NotReduced,
    WholeNotTakenOut,
    OddForm,
    NoAnswer,
    NotANumber,
    Other,
};
inline constexpr int kMistakeCount = static_cast<int>(Mistake::Other) + 1;

// A few plain Russian words: "не перевёрнут делитель".
std::string MistakeWords(Mistake m);

// One value a rule gives on an exercise (a rule may give several).
struct RuleValue {
    Mistake Rule = Mistake::Other;
    Ratio Value;
};

// Every value every applicable rule gives on the exercise, in the order of Mistake. Throws
// std::overflow_error if a value leaves 64 bits (no exercise the generator makes does).
std::vector<RuleValue> RuleValues(Operation op, const Fraction& first, const Fraction& second);

// The right value of the exercise, worked exactly.
Ratio RightValue(Operation op, const Fraction& first, const Fraction& second);

struct Diagnosis {
    // The typed whole part, numerator and denominator are the answer's normal form.
    bool Right = false;
    // The typed value is the right one (whatever its form).
    bool ValueRight = false;
    // What the value reveals: the rules whose value it is (more than one: they cannot be told
    // apart here), else one of NoAnswer, NotANumber or Other. Empty when the value is right.
    std::vector<Mistake> Mistakes;
    // How it is written: NotReduced, WholeNotTakenOut, OddForm.
    std::vector<Mistake> Form;
    // Rules that give the right value on this exercise, so a right value may hide them.
    std::vector<Mistake> SameAsRight;

    bool Ambiguous() const { return Mistakes.size() > 1 || (ValueRight && !SameAsRight.empty()); }
    // Mistakes and Form together: what a row counts towards.
    std::vector<Mistake> All() const;
};

// Diagnoses the texts typed for an exercise whose operands are given as shown. An empty box is
// read as at hand-in (whole 0, numerator 0, denominator 1); all three empty, or exactly those
// defaults, is no answer. A text that does not begin with a number, a number outside 16 bits
// or a zero denominator is not a number.
Diagnosis DiagnoseAnswer(Operation op, const Fraction& first, const Fraction& second,
                         const TypedAnswer& typed);
Diagnosis DiagnoseRow(const RowRecord& row);

// "не перевёрнут делитель; ответ не сокращён"; "не перевёрнут делитель или перевёрнута не та
// дробь (не различить); …"; empty for a right answer.
std::string DiagnosisWords(const Diagnosis& d);

// What a row judged wrong reveals, in a few words: "не перевёрнут делитель; ответ не
// сокращён"; «ответ записан не в обычном виде» where the figures read as the key although the
// row was judged wrong (a text the marking reads differently). Empty for a row judged right or
// never judged. The row's verdict must be the one its answer earns (AsJudged), not a stored one.
std::string RowMistakeWords(const RowRecord& judgedRow);

// «целое число», «дробь», «смешанное число».
std::string OperandKindWords(const Fraction& shown);
// «смешанное число : дробь», «дробь × дробь».
std::string ExerciseKindWords(Operation op, const Fraction& first, const Fraction& second);

} // namespace engine
