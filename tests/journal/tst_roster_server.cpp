// SPDX-License-Identifier: GPL-3.0-or-later
// The roster on a real PostgreSQL server that with-postgres.sh starts with the journal's first
// schema: a journal in use upgraded with postgresql-roster.sql (its attempts kept), the teacher's
// role editing and importing, the pupils' role reading names and its own time but nothing else,
// and the server's own check of the seconds used against each attempt's time allowed.
#include "attempt_samples.h"
#include "unprivileged.h"

#include "journal/attempt_store.h"
#include "journal/journal_database.h"
#include "journal/journal_error.h"
#include "journal/roster.h"
#include "journal/roster_import.h"
#include "tests/support/genuine_attempt.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

QString Uri(const char* role)
{
    return qEnvironmentVariable(role);
}

bool Throws(const std::function<void()>& f)
{
    try {
        f();
    } catch (const journal::JournalError&) {
        return true;
    }
    return false;
}

} // namespace

class TestRosterServer : public QObject {
    Q_OBJECT

    std::optional<journal::Connection> teacher_;
    std::optional<journal::Connection> pupil_;
    QString oldAttemptId_;
    journal::SchoolClass class_;

private slots:
    void initTestCase()
    {
        if (Uri("FRACTION_TEST_ADMIN_URI").isEmpty()) {
            QSKIP("run through with-postgres.sh");
        }
        // An attempt sent before the upgrade, by a pupil's program on the first schema.
        {
            const auto before = journal::OpenServer(Uri("FRACTION_TEST_PUPIL_URI"));
            QVERIFY2(before.Db, qPrintable(before.Problem));
            QVERIFY(!journal::HasRoster(*before.Db));
            const journal::StoredAttempt old = journal_test::SampleAttempt();
            oldAttemptId_ = old.Id;
            QVERIFY(journal::AddAttemptOnce(*before.Db, old));
            // What a server without classes cannot keep is refused, not dropped.
            journal::StoredAttempt longer = journal_test::SampleAttempt();
            longer.Record.SecondsAllowed = 900;
            QVERIFY(Throws([&] { journal::AddAttemptOnce(*before.Db, longer); }));
            journal::CloseConnection(*before.Db);
        }
        QProcess psql;
        psql.start("psql", {"-X", "-q", "-d", Uri("FRACTION_TEST_ADMIN_URI"), "-f",
                            FRACTION_TEST_ROSTER_SQL});
        QVERIFY(psql.waitForFinished(60000));
        QVERIFY2(psql.exitCode() == 0, psql.readAllStandardError().constData());

        const auto teacher = journal::OpenServer(Uri("FRACTION_TEST_TEACHER_URI"));
        QVERIFY2(teacher.Db, qPrintable(teacher.Problem));
        teacher_ = teacher.Db;
        QVERIFY(journal::HasRoster(*teacher_));
        const auto pupil = journal::OpenServer(Uri("FRACTION_TEST_PUPIL_URI"));
        QVERIFY2(pupil.Db, qPrintable(pupil.Problem));
        pupil_ = pupil.Db;

        class_ = journal::AddClass(*teacher_, {{}, "6А", "2026/2027", false, 15});
        const auto list = journal::ParseRoster(
            "Фамилия\tИмя\tВход\tМинуты\nИванов\tИван\tivanov\t\nКим\tЮна\tkim\t25\n");
        QVERIFY(list.Problems.empty());
        const journal::ImportCount count = journal::ImportPupils(*teacher_, class_.Id, list.Pupils);
        QCOMPARE(count.Added, 2);
    }

    void cleanupTestCase()
    {
        for (const auto& c : {teacher_, pupil_}) {
            if (c) {
                journal::CloseConnection(*c);
            }
        }
    }

    void upgradeKeepsTheAttemptsThere()
    {
        const auto old = journal::LoadAttempt(*teacher_, oldAttemptId_);
        QVERIFY(old);
        QCOMPARE(old->Record.SecondsAllowed, 600);
        QCOMPARE(old->ClassName, QString());
        QCOMPARE(old->Pupil, journal_test::SampleAttempt().Pupil);
    }

    void teacherEditsTheRoster()
    {
        const journal::SchoolClass b =
            journal::AddClass(*teacher_, {{}, "6Б", "2026/2027", false, {}});
        journal::RosterPupil moved =
            journal::AddPupil(*teacher_, {{}, class_.Id, "Орлова", "Ева", {"orlova"}, {}});
        moved.ClassId = b.Id;
        journal::UpdatePupil(*teacher_, moved);
        QCOMPARE(journal::LoadPupils(*teacher_, b.Id), std::vector<journal::RosterPupil>{moved});
        journal::RemovePupil(*teacher_, moved.Id);
        QVERIFY(journal::LoadPupils(*teacher_, b.Id).empty());
        journal::SchoolClass archived = b;
        archived.Archived = true;
        journal::UpdateClass(*teacher_, archived);
        QCOMPARE(journal::LoadClasses(*teacher_, false), std::vector<journal::SchoolClass>{class_});
    }

    void pupilsRoleReadsNamesOnly()
    {
        try {
            ReadNamesOnly();
        } catch (const journal::JournalError& e) {
            QFAIL(e.what());
        }
    }

private:
    void ReadNamesOnly()
    {
        const auto names = journal::LoadPupilNames(*pupil_);
        QCOMPARE(names.size(), 2U);
        QCOMPARE(names.front().Surname, QStringLiteral("Иванов"));
        QCOMPARE(names.front().ClassId, class_.Id);
        const auto classes = journal::LoadClassNames(*pupil_);
        QCOMPARE(classes.size(), 1U);
        QCOMPARE(classes.front().Name, QStringLiteral("6А"));
        QVERIFY(!classes.front().Minutes);
        // Its own time and the link of a login, one pupil at a time.
        const auto kim = journal::PupilForLogin(*pupil_, "kim");
        QVERIFY(kim);
        QCOMPARE(kim->ClassName, QStringLiteral("6А"));
        QCOMPARE(kim->SecondsAllowed, 25 * 60);
        QCOMPARE(journal::SecondsAllowedFor(*pupil_, names.front().Id), 15 * 60);
        QVERIFY(!journal::PupilForLogin(*pupil_, "kimura"));
    }

private slots:
    void pupilsRoleCannotReadOrChangeTheRest_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("logins") << "SELECT logins FROM roster_pupil";
        QTest::newRow("minutes") << "SELECT minutes FROM roster_pupil";
        QTest::newRow("class minutes") << "SELECT minutes FROM school_class";
        QTest::newRow("whole rows") << "SELECT * FROM roster_pupil";
        QTest::newRow("add a pupil")
            << QStringLiteral("INSERT INTO roster_pupil (id, class_id, surname, first_name) "
                              "VALUES (gen_random_uuid(), '%1', 'Лишний', 'Ученик')");
        QTest::newRow("rename") << "UPDATE roster_pupil SET surname = 'X'";
        QTest::newRow("remove") << "DELETE FROM roster_pupil";
        QTest::newRow("add a class")
            << "INSERT INTO school_class (id, name, school_year) VALUES (gen_random_uuid(), "
               "'6Я', '2026/2027')";
    }

    void pupilsRoleCannotReadOrChangeTheRest()
    {
        QFETCH(QString, sql);
        QSqlQuery q(QSqlDatabase::database(pupil_->Name));
        QVERIFY(!q.exec(sql.contains("%1") ? sql.arg(class_.Id) : sql));
        QVERIFY(q.lastError().text().contains("permission denied"));
        QCOMPARE(journal::LoadPupils(*teacher_, class_.Id).size(), 2U);
        QVERIFY(Throws([&] { journal::LoadPupils(*pupil_); }));
        QVERIFY(Throws([&] { journal::LoadClasses(*pupil_, false); }));
    }

    void serverChecksSecondsAgainstTheTimeAllowed_data()
    {
        QTest::addColumn<int>("allowed");
        QTest::addColumn<int>("used");
        QTest::addColumn<bool>("kept");
        QTest::newRow("15 minutes, all used") << 900 << 900 << true;
        QTest::newRow("15 minutes, one second more") << 900 << 901 << false;
        QTest::newRow("ten minutes, 700 s") << 600 << 700 << false;
        QTest::newRow("two hours") << 7200 << 900 << false;
    }

    void serverChecksSecondsAgainstTheTimeAllowed()
    {
        QFETCH(int, allowed);
        QFETCH(int, used);
        QFETCH(bool, kept);
        // Straight SQL as the pupils' role, past the program's own checks.
        QSqlQuery q(QSqlDatabase::database(pupil_->Name));
        q.prepare("INSERT INTO attempt (id, pupil, host, program_version, started_at, "
                  "seconds_used, ending, class_name, seconds_allowed) VALUES "
                  "(gen_random_uuid(), 'Ким Юна', 'pc', '1', now(), ?, 'timed_out', '6А', ?)");
        q.addBindValue(used);
        q.addBindValue(allowed);
        QCOMPARE(q.exec(), kept);
        if (kept) {
            // And the program's own attempt of 15 minutes, with its class and pupil.
            journal::StoredAttempt a = journal_test::SampleAttempt(QStringLiteral("Ким Юна"));
            a.Record = test_support::GenuineAttempt(0x3FF, 0, 0, engine::AttemptEnd::TimedOut);
            a.Record.SecondsAllowed = allowed;
            a.Record.SecondsUsed = used;
            a.EndedAt = a.StartedAt.addSecs(used);
            a.ClassName = "6А";
            a.RosterPupilId = journal::PupilForLogin(*pupil_, "kim")->PupilId;
            QVERIFY(journal::AddAttemptOnce(*pupil_, a));
            auto back = journal::LoadAttempt(*teacher_, a.Id);
            QVERIFY(back);
            // The server's own stamps are its, not the attempt's.
            QVERIFY(back->ReceivedAt.isValid());
            back->ReceivedAt = {};
            back->ReceivedFrom.clear();
            back->ReceivedRole.clear();
            QCOMPARE(*back, a);
        }
    }
};

JOURNAL_TEST_MAIN(TestRosterServer)
#include "tst_roster_server.moc"
