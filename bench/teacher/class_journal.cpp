// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/teacher/class_journal.h"

#include "engine/answer_check.h"
#include "engine/mistake_diagnosis.h"
#include "engine/task_generator.h"
#include "journal/attempt_store.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace teacher_bench {

namespace {

const std::array<const char*, 26> kPupils = {
    "Алексеева Анна",      "Борисов Богдан",  "Васильева Вера",  "Григорьев Глеб",
    "Дмитриева Дарья",     "Егоров Егор",     "Жукова Жанна",    "Зайцев Захар",
    "Ильина Ирина",        "Козлов Кирилл",   "Лебедева Лиза",   "Морозов Максим",
    "Новикова Нина",       "Орлов Олег",      "Павлова Полина",  "Романов Роман",
    "Соколова Софья",      "Тарасов Тимофей", "Ульянова Ульяна", "Фёдоров Фёдор",
    "Харитонова Христина", "Цветков Цезарь",  "Чернова Чеслава", "Шестаков Шамиль",
    "Щукина Элина",        "Яковлев Ярослав"};

engine::Int16 Small(std::mt19937& random, int low, int high)
{
    return static_cast<engine::Int16>(std::uniform_int_distribution<int>(low, high)(random));
}

engine::Fraction Shown(engine::Fraction f)
{
    engine::ReduceFraction(f);
    engine::ExtractWhole(f);
    return f;
}

// Row `row` of a test as the test makes it, from random draws in the row's range, with its
// operands in the form the window shows them.
engine::Exercise DrawnExercise(int row, std::mt19937& random)
{
    const engine::DrawRange range = engine::RowDrawRange(row);
    const auto draw = [&] {
        return static_cast<float>(Small(random, range.Lowest(), range.Highest()));
    };
    const float first = draw();
    const float second = engine::RowDrawCount(row) == 2 ? draw() : 0.0f;
    engine::Exercise e = engine::BuildExercise(row, first, second);
    e.First = Shown(e.First);
    e.Second = Shown(e.Second);
    return e;
}

// A positive value written as a pupil writes it, if its parts fit the boxes.
std::optional<engine::Fraction> Written(const engine::Ratio& v)
{
    const std::int64_t whole = v.Num / v.Den;
    const std::int64_t numerator = v.Num % v.Den;
    if (v.Num <= 0 || whole > INT16_MAX || v.Den > INT16_MAX) {
        return std::nullopt;
    }
    return engine::Fraction{static_cast<engine::Int16>(numerator),
                            static_cast<engine::Int16>(numerator == 0 ? 1 : v.Den),
                            static_cast<engine::Int16>(whole)};
}

engine::TypedAnswer Typed(const engine::Fraction& f)
{
    const auto text = [](engine::Int16 n) { return std::to_string(n); };
    if (f.Numerator == 0) {
        return {text(f.Whole), "", ""};
    }
    return {f.Whole == 0 ? "" : text(f.Whole), text(f.Numerator), text(f.Denominator)};
}

journal::StoredAttempt MakeOne(int i, int days, std::mt19937& random)
{
    const int pupil = i % int(kPupils.size());
    // Each pupil has a steady share of right answers, from about half to nearly all.
    const double skill = 0.5 + 0.5 * double((pupil * 37) % 100) / 100.0;
    const int day = (i / int(kPupils.size())) % days;
    const QDate date = QDate::currentDate().addDays(-day);
    const int minute = 8 * 60 + (i * 7) % (7 * 60);
    const QDateTime started = QDateTime(date, QTime(minute / 60, minute % 60, i % 60)).toUTC();

    journal::StoredAttempt a;
    a.Id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    a.Pupil = QString::fromUtf8(kPupils.at(static_cast<std::size_t>(pupil)));
    a.Host = QStringLiteral("класс-%1").arg(pupil % 14 + 1, 2, 10, QLatin1Char('0'));
    a.ProgramVersion = QStringLiteral("1.1.0");
    a.StartedAt = started;
    // Some days go better than others.
    const double today =
        std::clamp(skill + std::uniform_real_distribution<double>(-0.2, 0.2)(random), 0.0, 1.0);
    std::bernoulli_distribution right(today);
    std::bernoulli_distribution interrupted(0.03);
    const bool cutOff = interrupted(random);
    int rightCount = 0;
    for (int row = 0; row < engine::kAttemptRows; ++row) {
        engine::RowRecord& r = a.Record.Rows.at(static_cast<std::size_t>(row));
        const engine::Operation op = engine::kRowOperations.at(static_cast<std::size_t>(row));
        r.Op = op;
        const engine::Exercise exercise = DrawnExercise(row, random);
        r.First = exercise.First;
        r.Second = exercise.Second;
        r.Key = engine::ComputedAnswer(r.First, r.Second, op);
        const bool gotIt = right(random);
        engine::Fraction typed = r.Key;
        if (!gotIt) {
            // One of the known mistakes on this exercise, or now and then a part miscounted.
            const std::vector<engine::RuleValue> mistakes =
                engine::RuleValues(op, r.First, r.Second);
            const auto pick =
                std::uniform_int_distribution<std::size_t>(0, mistakes.size())(random);
            const std::optional<engine::Fraction> known =
                pick < mistakes.size() ? Written(mistakes.at(pick).Value) : std::nullopt;
            typed = known ? *known
                          : engine::Fraction{static_cast<engine::Int16>(r.Key.Numerator + 1),
                                             r.Key.Denominator, r.Key.Whole};
            if (typed == r.Key) {
                typed.Whole = static_cast<engine::Int16>(typed.Whole + 1);
            }
        }
        r.Typed = Typed(typed);
        if (!cutOff) {
            r.Right = gotIt;
            rightCount += gotIt ? 1 : 0;
        }
    }
    a.Record.SecondsUsed = 180 + (i * 13) % 421;
    a.EndedAt = started.addSecs(a.Record.SecondsUsed);
    if (cutOff) {
        a.Record.End = engine::AttemptEnd::Interrupted;
    } else {
        a.Record.End = a.Record.SecondsUsed == 600 ? engine::AttemptEnd::TimedOut
                                                   : engine::AttemptEnd::HandedIn;
        a.Record.RightCount = rightCount;
        a.Record.GradeText = engine::GradeFor(static_cast<engine::Int16>(rightCount));
        a.Record.Mark = a.Record.GradeText.front() - '0';
    }
    return a;
}

} // namespace

double FillClassJournal(const journal::Connection& c, int count, int days)
{
    QElapsedTimer timer;
    timer.start();
    // Made-up data needs no protection against power cuts, only speed.
    QSqlQuery(QSqlDatabase::database(c.Name)).exec(QStringLiteral("PRAGMA synchronous = OFF"));
    std::mt19937 random(20261210);
    for (int i = 0; i < count; ++i) {
        journal::SaveAttempt(c, MakeOne(i, days, random));
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace teacher_bench
