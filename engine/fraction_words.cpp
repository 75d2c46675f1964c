// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/fraction_words.h"

#include <array>
#include <stdexcept>
#include <string_view>

namespace engine {

namespace {

enum class Gender { Masculine, Feminine };

// Larger than any 16-bit field, and than a field's magnitude with the minus sign taken off.
constexpr long long kLargestNumber = 999'999;

constexpr std::array<std::string_view, 20> kUnits = {
    "ноль",       "один",        "два",        "три",          "четыре",
    "пять",       "шесть",       "семь",       "восемь",       "девять",
    "десять",     "одиннадцать", "двенадцать", "тринадцать",   "четырнадцать",
    "пятнадцать", "шестнадцать", "семнадцать", "восемнадцать", "девятнадцать"};

constexpr std::array<std::string_view, 10> kTens = {
    "",          "",           "двадцать",  "тридцать",    "сорок",
    "пятьдесят", "шестьдесят", "семьдесят", "восемьдесят", "девяносто"};

constexpr std::array<std::string_view, 10> kHundreds = {
    "",        "сто",      "двести",  "триста",    "четыреста",
    "пятьсот", "шестьсот", "семьсот", "восемьсот", "девятьсот"};

// The genitive forms that open a compound word: "двухсотая", "двадцатиоднотысячная". One is
// "одно" there, not the genitive "одного".
constexpr std::array<std::string_view, 20> kUnitsInCompounds = {
    "",           "одно",        "двух",       "трёх",         "четырёх",
    "пяти",       "шести",       "семи",       "восьми",       "девяти",
    "десяти",     "одиннадцати", "двенадцати", "тринадцати",   "четырнадцати",
    "пятнадцати", "шестнадцати", "семнадцати", "восемнадцати", "девятнадцати"};

constexpr std::array<std::string_view, 10> kTensInCompounds = {"",
                                                               "",
                                                               "двадцати",
                                                               "тридцати",
                                                               "сорока",
                                                               "пятидесяти",
                                                               "шестидесяти",
                                                               "семидесяти",
                                                               "восьмидесяти",
                                                               "девяноста"};

// Ordinal stems; "трет" is the one soft stem and takes other endings.
constexpr std::array<std::string_view, 20> kUnitOrdinalStems = {
    "нулев",       "перв",      "втор",       "трет",      "четвёрт",     "пят",        "шест",
    "седьм",       "восьм",     "девят",      "десят",     "одиннадцат",  "двенадцат",  "тринадцат",
    "четырнадцат", "пятнадцат", "шестнадцат", "семнадцат", "восемнадцат", "девятнадцат"};

constexpr std::array<std::string_view, 10> kTenOrdinalStems = {
    "",          "",           "двадцат",   "тридцат",     "сороков",
    "пятидесят", "шестидесят", "семидесят", "восьмидесят", "девяност"};

constexpr std::string_view kThirdStem = "трет";

void AppendWord(std::string& words, std::string_view word)
{
    if (word.empty()) {
        return;
    }
    if (!words.empty()) {
        words += ' ';
    }
    words += word;
}

bool EndsInOne(long long n)
{
    return n % 10 == 1 && n % 100 != 11;
}

bool EndsInTwoToFour(long long n)
{
    const long long last = n % 10;
    const long long lastTwo = n % 100;
    return last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14);
}

// 1..999 in words. Only one and two change with gender, and only feminine one ("одна" →
// "одну") with the case: the other cardinals of inanimate things read the same in both.
void AppendBelowThousand(std::string& words, long long n, Gender gender, GrammaticalCase c)
{
    AppendWord(words, kHundreds[static_cast<std::size_t>(n / 100)]);
    const long long lastTwo = n % 100;
    long long unit = lastTwo;
    if (lastTwo >= 20) {
        AppendWord(words, kTens[static_cast<std::size_t>(lastTwo / 10)]);
        unit = lastTwo % 10;
    }
    if (unit == 0) {
        return;
    }
    if (gender == Gender::Feminine && unit == 1) {
        AppendWord(words, c == GrammaticalCase::Accusative ? "одну" : "одна");
    } else if (gender == Gender::Feminine && unit == 2) {
        AppendWord(words, "две");
    } else {
        AppendWord(words, kUnits[static_cast<std::size_t>(unit)]);
    }
}

// 0..999 999 in words; thousands are feminine whatever the gender of the rest.
std::string Cardinal(long long n, Gender gender, GrammaticalCase c)
{
    if (n < 0 || n > kLargestNumber) {
        throw std::out_of_range("число вне пределов");
    }
    if (n == 0) {
        return std::string(kUnits[0]);
    }
    std::string words;
    const long long thousands = n / 1000;
    if (thousands > 0) {
        AppendBelowThousand(words, thousands, Gender::Feminine, c);
        if (EndsInOne(thousands)) {
            AppendWord(words, c == GrammaticalCase::Accusative ? "тысячу" : "тысяча");
        } else if (EndsInTwoToFour(thousands)) {
            AppendWord(words, "тысячи");
        } else {
            AppendWord(words, "тысяч");
        }
    }
    if (n % 1000 > 0) {
        AppendBelowThousand(words, n % 1000, gender, c);
    }
    return words;
}

std::string Signed(long long n, Gender gender, GrammaticalCase c)
{
    if (n < 0) {
        return "минус " + Cardinal(-n, gender, c);
    }
    return Cardinal(n, gender, c);
}

// 1..999 as the opening of one compound word: 2 → "двух", 21 → "двадцатиодно",
// 300 → "трёхсот", 100 → "сто".
std::string CompoundPrefix(long long n)
{
    std::string prefix;
    const long long hundreds = n / 100;
    if (hundreds == 1) {
        prefix += "сто";
    } else if (hundreds > 1) {
        prefix += kUnitsInCompounds[static_cast<std::size_t>(hundreds)];
        prefix += "сот";
    }
    const long long lastTwo = n % 100;
    if (lastTwo >= 20) {
        prefix += kTensInCompounds[static_cast<std::size_t>(lastTwo / 10)];
        prefix += kUnitsInCompounds[static_cast<std::size_t>(lastTwo % 10)];
    } else {
        prefix += kUnitsInCompounds[static_cast<std::size_t>(lastTwo)];
    }
    return prefix;
}

// The stem of the ordinal whose last non-zero place is n's: the words before it stay
// cardinals in the nominative, only the last word is an ordinal ("сто двадцать первая",
// "две тысячи сотая"); round hundreds and thousands are one compound word ("трёхсотая",
// "тысячная", "двадцатиоднотысячная").
struct OrdinalParts {
    std::string Leading;
    std::string Stem;
};

OrdinalParts OrdinalOf(long long n)
{
    if (n < 0 || n > kLargestNumber) {
        throw std::out_of_range("число вне пределов");
    }
    if (n == 0) {
        return {{}, std::string(kUnitOrdinalStems[0])};
    }
    const long long rest = n % 1000;
    if (rest == 0) {
        const long long thousands = n / 1000;
        return {{}, (thousands == 1 ? std::string() : CompoundPrefix(thousands)) + "тысячн"};
    }
    const long long lastTwo = rest % 100;
    long long last = 0;
    std::string stem;
    if (lastTwo == 0) {
        last = rest;
        // CompoundPrefix(300) is "трёхсот", already the stem; a hundred alone is "сот".
        stem = rest == 100 ? std::string("сот") : CompoundPrefix(rest);
    } else if (lastTwo < 20) {
        last = lastTwo;
        stem = kUnitOrdinalStems[static_cast<std::size_t>(lastTwo)];
    } else if (lastTwo % 10 == 0) {
        last = lastTwo;
        stem = kTenOrdinalStems[static_cast<std::size_t>(lastTwo / 10)];
    } else {
        last = lastTwo % 10;
        stem = kUnitOrdinalStems[static_cast<std::size_t>(last)];
    }
    const long long leading = n - last;
    return {leading == 0 ? std::string()
                         : Cardinal(leading, Gender::Masculine, GrammaticalCase::Nominative),
            stem};
}

// The feminine ordinal: singular in the given case, or genitive plural.
std::string Ordinal(long long n, bool singular, GrammaticalCase c)
{
    std::string words = n < 0 ? std::string("минус") : std::string();
    const OrdinalParts parts = OrdinalOf(n < 0 ? -n : n);
    AppendWord(words, parts.Leading);
    std::string word = parts.Stem;
    const bool soft = parts.Stem == kThirdStem;
    if (!singular) {
        word += soft ? "ьих" : "ых";
    } else if (c == GrammaticalCase::Accusative) {
        word += soft ? "ью" : "ую";
    } else {
        word += soft ? "ья" : "ая";
    }
    AppendWord(words, word);
    return words;
}

long long Magnitude(long long n)
{
    return n < 0 ? -n : n;
}

} // namespace

std::string NumberInWords(int n)
{
    return Signed(n, Gender::Masculine, GrammaticalCase::Nominative);
}

std::string FractionInWords(const Fraction& f, GrammaticalCase c)
{
    if (f.Numerator == 0) {
        return Signed(f.Whole, Gender::Masculine, c);
    }
    std::string words;
    if (f.Whole != 0) {
        AppendWord(words, Signed(f.Whole, Gender::Feminine, c));
        if (!EndsInOne(Magnitude(f.Whole))) {
            AppendWord(words, "целых");
        } else {
            AppendWord(words, c == GrammaticalCase::Accusative ? "целую" : "целая");
        }
    }
    AppendWord(words, Signed(f.Numerator, Gender::Feminine, c));
    AppendWord(words, Ordinal(f.Denominator, EndsInOne(Magnitude(f.Numerator)), c));
    return words;
}

} // namespace engine
