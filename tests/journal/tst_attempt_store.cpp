// SPDX-License-Identifier: GPL-3.0-or-later
// Attempts written to a real local journal file and read back, updated, filtered and deleted.
#include "attempt_samples.h"
#include "unprivileged.h"

#include "journal/attempt_store.h"
#include "journal/journal_database.h"
#include "journal/journal_error.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using journal_test::RunningAttempt;
using journal_test::SampleAttempt;

class TestAttemptStore : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::optional<journal::Connection> db_;

    int Count(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(db_->Name));
        if (!q.exec(sql) || !q.next()) {
            return -1;
        }
        return q.value(0).toInt();
    }

private slots:
    void init()
    {
        const journal::OpenResult opened = journal::OpenSqlite(dir_.filePath("journal.sqlite"));
        QVERIFY2(opened.Db, qPrintable(opened.Problem));
        QVERIFY(opened.Problem.isEmpty());
        db_ = opened.Db;
    }

    void cleanup()
    {
        journal::DeleteAttempts(*db_, [&] {
            QStringList ids;
            for (const auto& a : journal::LoadAttempts(*db_, {})) {
                ids << a.Id;
            }
            return ids;
        }());
        journal::CloseConnection(*db_);
        db_.reset();
    }

    void readsBackWhatWasSaved_data()
    {
        QTest::addColumn<journal::StoredAttempt>("attempt");
        QTest::newRow("handed in") << SampleAttempt();
        QTest::newRow("running") << RunningAttempt();
        auto timedOut = SampleAttempt(QStringLiteral("O'Брайен, \"Ваня\""));
        timedOut.Record.End = engine::AttemptEnd::TimedOut;
        timedOut.Record.SecondsUsed = 600;
        timedOut.Record.RightCount = 0;
        timedOut.Record.Mark = 2;
        timedOut.Record.GradeText = "Плохо";
        QTest::newRow("timed out, quotes in the name") << timedOut;
        auto interrupted = RunningAttempt(QStringLiteral("Ёлкина Зоя"));
        interrupted.Record.End = engine::AttemptEnd::Interrupted;
        interrupted.EndedAt = interrupted.StartedAt.addSecs(37);
        interrupted.Record.Rows[9].Typed = {"-3", "=1+1", "12"};
        QTest::newRow("interrupted, odd typing") << interrupted;
        auto extremes = SampleAttempt();
        extremes.Record.Rows[0].First = {32767, -32768, -1};
        extremes.Record.Rows[0].Key = {0, 0, 0};
        QTest::newRow("16-bit extremes") << extremes;
    }

    void readsBackWhatWasSaved()
    {
        QFETCH(journal::StoredAttempt, attempt);
        journal::SaveAttempt(*db_, attempt);
        const auto loaded = journal::LoadAttempt(*db_, attempt.Id);
        QVERIFY(loaded);
        QCOMPARE(loaded->StartedAt.timeSpec(), Qt::UTC);
        QCOMPARE(loaded->StartedAt, attempt.StartedAt);
        QCOMPARE(loaded->EndedAt, attempt.EndedAt);
        QVERIFY(loaded->Record == attempt.Record);
        QVERIFY(*loaded == attempt);
        QCOMPARE(Count("SELECT count(*) FROM attempt_row"), engine::kAttemptRows);
    }

    void storesTimesAsUtcTextWithMilliseconds()
    {
        auto a = SampleAttempt();
        a.StartedAt = QDateTime(QDate(2026, 12, 10), QTime(8, 44, 22, 123), QTimeZone(3 * 3600));
        journal::SaveAttempt(*db_, a);
        QSqlQuery q(QSqlDatabase::database(db_->Name));
        QVERIFY(q.exec("SELECT started_at, verdict FROM attempt JOIN attempt_row ON "
                       "attempt_id = id WHERE row_no = 1"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("2026-12-10T05:44:22.123Z"));
        QCOMPARE(q.value(1).toInt(), 0);
    }

    void secondHandInUpdatesTheSameAttempt()
    {
        auto a = RunningAttempt();
        journal::SaveAttempt(*db_, a);
        a = SampleAttempt();
        a.Id = journal::LoadAttempts(*db_, {}).at(0).Id;
        journal::SaveAttempt(*db_, a);
        a.Record.Rows[3].Typed.Whole = "99";
        a.Record.RightCount = 6;
        journal::SaveAttempt(*db_, a);
        QCOMPARE(Count("SELECT count(*) FROM attempt"), 1);
        QCOMPARE(Count("SELECT count(*) FROM attempt_row"), engine::kAttemptRows);
        const auto loaded = journal::LoadAttempt(*db_, a.Id);
        QVERIFY(loaded);
        QVERIFY(*loaded == a);
    }

    void addOnceNeverChangesAStoredAttempt()
    {
        auto a = SampleAttempt();
        QVERIFY(journal::AddAttemptOnce(*db_, a));
        auto changed = a;
        changed.Record.Mark = 5;
        changed.Record.Rows[0].Typed.Whole = "изменено";
        QVERIFY(!journal::AddAttemptOnce(*db_, changed));
        QVERIFY(*journal::LoadAttempt(*db_, a.Id) == a);
    }

    void refusesWhatTheSchemaForbids_data()
    {
        QTest::addColumn<journal::StoredAttempt>("attempt");
        auto a = SampleAttempt();
        a.Id = QStringLiteral("not-a-uuid");
        QTest::newRow("id") << a;
        a = SampleAttempt();
        a.Record.SecondsUsed = 601;
        QTest::newRow("seconds") << a;
        a = SampleAttempt();
        a.Record.Mark = 1;
        QTest::newRow("mark") << a;
        a = SampleAttempt();
        a.StartedAt = {};
        QTest::newRow("start") << a;
    }

    void refusesWhatTheSchemaForbids()
    {
        QFETCH(journal::StoredAttempt, attempt);
        QVERIFY_THROWS_EXCEPTION(journal::JournalError, journal::SaveAttempt(*db_, attempt));
        QCOMPARE(Count("SELECT count(*) FROM attempt"), 0);
        QCOMPARE(Count("SELECT count(*) FROM attempt_row"), 0);
    }

    void unknownIdsLoadNothing()
    {
        journal::SaveAttempt(*db_, SampleAttempt());
        QVERIFY(!journal::LoadAttempt(*db_, journal::NewAttemptId()));
        QVERIFY(!journal::LoadAttempt(*db_, QStringLiteral("'; DROP TABLE attempt; --")));
        QCOMPARE(Count("SELECT count(*) FROM attempt"), 1);
    }

    void filtersByDatesAndName_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("pupil");
        QTest::addColumn<QStringList>("expected");
        const QDate d1(2026, 3, 1), d2(2026, 3, 2), d3(2026, 3, 3);
        QTest::newRow("all") << QDate() << QDate() << QString()
                             << QStringList{"Иванов Пётр", "иванова мария", "Smith, John"};
        QTest::newRow("one day") << d2 << d2 << QString() << QStringList{"иванова мария"};
        QTest::newRow("from") << d2 << QDate() << QString()
                              << QStringList{"иванова мария", "Smith, John"};
        QTest::newRow("to") << QDate() << d2 << QString()
                            << QStringList{"Иванов Пётр", "иванова мария"};
        QTest::newRow("Cyrillic, any case") << QDate() << QDate() << QStringLiteral("ИВАНОВ")
                                            << QStringList{"Иванов Пётр", "иванова мария"};
        QTest::newRow("ё") << QDate() << QDate() << QStringLiteral("ПЁТР")
                           << QStringList{"Иванов Пётр"};
        QTest::newRow("Latin, any case")
            << QDate() << QDate() << QStringLiteral("sMITH") << QStringList{"Smith, John"};
        QTest::newRow("wildcards are plain")
            << QDate() << QDate() << QStringLiteral("%") << QStringList{};
        QTest::newRow("underscore is plain")
            << QDate() << QDate() << QStringLiteral("_") << QStringList{};
        QTest::newRow("name and day")
            << d1 << d3 << QStringLiteral("мари") << QStringList{"иванова мария"};
        QTest::newRow("empty range") << d3 << d1 << QString() << QStringList{};
    }

    void filtersByDatesAndName()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, pupil);
        QFETCH(QStringList, expected);
        // Each at local noon of its day, and one a minute before local midnight, so a filter
        // that took the dates as UTC days would pick the wrong ones.
        const QStringList names = {"Smith, John", "иванова мария", "Иванов Пётр"};
        const QList<QDateTime> starts = {
            QDateTime(QDate(2026, 3, 3), QTime(0, 0, 30)),
            QDateTime(QDate(2026, 3, 2), QTime(12, 0)),
            QDateTime(QDate(2026, 3, 1), QTime(23, 59)),
        };
        for (qsizetype i = 0; i < names.size(); ++i) {
            auto a = SampleAttempt(names.at(i));
            a.StartedAt = starts.at(i).toUTC();
            journal::SaveAttempt(*db_, a);
        }
        QStringList found;
        for (const auto& a : journal::LoadAttempts(*db_, {from, to, pupil})) {
            found << a.Pupil;
            QVERIFY(a.Record == SampleAttempt().Record);
        }
        QCOMPARE(found, expected);
    }

    void deletesOnlyTheGivenAttempts()
    {
        const auto a = SampleAttempt(), b = SampleAttempt(), c = SampleAttempt();
        for (const auto& x : {a, b, c}) {
            journal::SaveAttempt(*db_, x);
        }
        QCOMPARE(journal::DeleteAttempts(*db_, {a.Id, c.Id, journal::NewAttemptId(), "junk"}), 2);
        QCOMPARE(Count("SELECT count(*) FROM attempt"), 1);
        QCOMPARE(Count("SELECT count(*) FROM attempt_row"), engine::kAttemptRows);
        QVERIFY(journal::LoadAttempt(*db_, b.Id));
        QCOMPARE(journal::DeleteAttempts(*db_, {a.Id}), 0);
    }

    void endingTexts_data()
    {
        QTest::addColumn<engine::AttemptEnd>("end");
        QTest::addColumn<QString>("text");
        QTest::newRow("handed in") << engine::AttemptEnd::HandedIn << QStringLiteral("сдан");
        QTest::newRow("timed out") << engine::AttemptEnd::TimedOut << QStringLiteral("время вышло");
        QTest::newRow("interrupted")
            << engine::AttemptEnd::Interrupted << QStringLiteral("прерван");
        QTest::newRow("running") << engine::AttemptEnd::Running << QStringLiteral("идёт");
    }

    void endingTexts()
    {
        QFETCH(engine::AttemptEnd, end);
        QFETCH(QString, text);
        QCOMPARE(journal::EndingText(end), text);
        QCOMPARE(journal::EndingFromCode(journal::EndingCode(end)), end);
    }
};

JOURNAL_TEST_MAIN(TestAttemptStore)
#include "tst_attempt_store.moc"
