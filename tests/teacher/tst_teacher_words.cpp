// SPDX-License-Identifier: GPL-3.0-or-later
// The window's words where grammar or a rule decides them: the deletion's question agreeing
// with its count, counts grouped as a Russian reader expects, a grade's words without the mark
// they start with, and an empty list's explanation naming only what is set and what hides rows.
#include "teacher/teacher_words.h"

#include <QTest>

namespace {

// Thousands as a Russian reader groups them, with a no-break space.
const QString kHundredThousand = QStringLiteral(u"100\u00a0000");

} // namespace

class TeacherWordsTest : public QObject {
    Q_OBJECT

private slots:
    void deleteQuestionAgrees_data()
    {
        QTest::addColumn<long long>("count");
        QTest::addColumn<QString>("question");
        QTest::newRow("one") << 1LL << "Удалить из журнала 1 попытку? Вернуть её будет нельзя.";
        QTest::newRow("two") << 2LL << "Удалить из журнала 2 попытки? Вернуть их будет нельзя.";
        QTest::newRow("five") << 5LL << "Удалить из журнала 5 попыток? Вернуть их будет нельзя.";
        QTest::newRow("eleven") << 11LL
                                << "Удалить из журнала 11 попыток? Вернуть их будет нельзя.";
        QTest::newRow("twenty-one")
            << 21LL << "Удалить из журнала 21 попытку? Вернуть их будет нельзя.";
        QTest::newRow("a hundred thousand")
            << 100000LL
            << "Удалить из журнала " + kHundredThousand + " попыток? Вернуть их будет нельзя.";
    }
    void deleteQuestionAgrees()
    {
        QFETCH(long long, count);
        QFETCH(QString, question);
        QCOMPARE(teacher::words::DeleteQuestion(count), question);
    }

    void countsAreGrouped()
    {
        QCOMPARE(teacher::words::TotalsText({}, 100000, 4.25),
                 "Показано попыток: " + kHundredThousand + " (за все дни); средняя отметка: 4,3");
        QCOMPARE(teacher::words::DeletedText(1234),
                 QStringLiteral(u"Удалено из журнала: 1\u00a0234 попытки."));
        QCOMPARE(teacher::words::CountText(999), "999");
    }

    void gradeWordsLeaveTheMarkOut_data()
    {
        QTest::addColumn<QString>("grade");
        QTest::addColumn<QString>("words");
        QTest::newRow("two") << "2. Вам нужно повторить тему"
                             << "Вам нужно повторить тему";
        QTest::newRow("five") << "5. Отличная работа"
                              << "Отличная работа";
        QTest::newRow("no mark in front") << "Отлично"
                                          << "Отлично";
        QTest::newRow("a number that is not a mark") << "3 ошибки"
                                                     << "3 ошибки";
        QTest::newRow("only the mark") << "4."
                                       << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void gradeWordsLeaveTheMarkOut()
    {
        QFETCH(QString, grade);
        QFETCH(QString, words);
        QCOMPARE(teacher::words::GradeWords(grade.toStdString()), words);
    }

    // What the empty list's note may suggest: never a condition that is not set, and of those
    // set, the ones that alone hide the rows (all of them when none does alone).
    void emptyListNamesWhatHides_data()
    {
        QTest::addColumn<bool>("days"); // a day is chosen (else all days)
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("ending");    // «сдан» is chosen
        QTest::addColumn<bool>("host");      // «класс-1» is chosen
        QTest::addColumn<QString>("hiding"); // letters: d days, n name, e ending, h host
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("notSaid");

        const QString allDays = "«За все дни»", name = "имя", ending = "итог «любой»",
                      host = "компьютер «все»";
        QTest::newRow("only the days, and they hide")
            << true << "" << false << false << "d" << QStringList{allDays}
            << QStringList{name, "в имени", ending, host};
        QTest::newRow("all days and a name nobody has")
            << false << "ич" << false << false << "n" << QStringList{name, "в имени «ич»"}
            << QStringList{allDays, ending, host};
        QTest::newRow("the name hides, the days do not")
            << true << "Петров" << false << false << "n" << QStringList{name}
            << QStringList{allDays, ending, host};
        QTest::newRow("the ending hides, nothing else")
            << true << "Петров" << true << true << "e" << QStringList{ending, "итог: сдан"}
            << QStringList{allDays, "измените или сотрите имя", host};
        QTest::newRow("two that hide") << true << "" << true << true << "dh"
                                       << QStringList{allDays, host} << QStringList{name, ending};
        QTest::newRow("none alone: every one set")
            << true << "Петров" << false << true << "" << QStringList{allDays, name, host}
            << QStringList{ending};
    }
    void emptyListNamesWhatHides()
    {
        QFETCH(bool, days);
        QFETCH(QString, name);
        QFETCH(bool, ending);
        QFETCH(bool, host);
        QFETCH(QString, hiding);
        QFETCH(QStringList, said);
        QFETCH(QStringList, notSaid);
        journal::AttemptFilter filter;
        if (days) {
            filter.From = filter.To = QDate(2026, 12, 10);
        }
        filter.PupilContains = name;
        if (ending) {
            filter.Ending = engine::AttemptEnd::HandedIn;
        }
        if (host) {
            filter.Host = "класс-1";
        }
        const teacher::words::HidingConditions hides{hiding.contains('d'), hiding.contains('n'),
                                                     hiding.contains('e'), hiding.contains('h')};
        const QString text = teacher::words::EmptyListText(filter, hides);
        QVERIFY2(text.startsWith("Попыток нет ("), qPrintable(text));
        for (const QString& part : said) {
            QVERIFY2(text.contains(part), qPrintable(text + " / " + part));
        }
        for (const QString& part : notSaid) {
            QVERIFY2(!text.contains(part), qPrintable(text + " / " + part));
        }
    }
};

QTEST_MAIN(TeacherWordsTest)
#include "tst_teacher_words.moc"
