// SPDX-License-Identifier: GPL-3.0-or-later
// Who takes the test, from the settings and a real local journal's roster to the attempt the
// pupil's journal keeps: the account linked by its login (with its class's 15 minutes), a pupil
// picked from the list, typed names, and a roster that cannot be read.
#include "unprivileged.h"

#include "app/test_taker.h"
#include "journal/attempt_store.h"
#include "journal/pupil_identity.h"
#include "journal/pupil_journal.h"
#include "journal/roster.h"
#include "tests/support/genuine_attempt.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// What the program hands TakerFor: the pupil's journal told who takes the test.
app::TellJournal SetTakerOf(journal::PupilJournal& pupilJournal)
{
    return [&pupilJournal](const QString& pupil, const QString& className, const QString& id) {
        pupilJournal.SetTaker(pupil, className, id);
    };
}

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TestTaker : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    journal::JournalSettings settings_;
    QString kimId_;
    QString accountId_;

    // Takes one whole test through the taker and the journal; gives the attempt as kept.
    std::optional<journal::StoredAttempt> TakeTest(journal::IdentityMode mode,
                                                   const std::optional<window::PupilChoice>& choice,
                                                   int& secondsAllowed)
    {
        journal::JournalSettings s = settings_;
        s.Identity = mode;
        QString id;
        {
            journal::PupilJournal pupilJournal(s);
            journal::JournalLog log(s.LogPath);
            journal::RosterLookup lookup(s, journal::ThisPupil().Login,
                                         mode == journal::IdentityMode::List);
            const window::TestTaker taker = app::TakerFor(s, lookup, SetTakerOf(pupilJournal), log);
            secondsAllowed = taker.Begin(choice);
            engine::AttemptRecord record =
                test_support::GenuineAttempt(0x3FF, 0, 0, engine::AttemptEnd::TimedOut);
            record.SecondsAllowed = secondsAllowed;
            record.SecondsUsed = secondsAllowed;
            pupilJournal.Report(record);
            id = pupilJournal.AttemptId();
        }
        const auto opened = journal::OpenSqlite(s.LocalPath);
        if (!opened.Db) {
            return std::nullopt;
        }
        auto kept = journal::LoadAttempt(*opened.Db, id);
        journal::CloseConnection(*opened.Db);
        return kept;
    }

private slots:
    void initTestCase()
    {
        settings_.LocalPath = dir_.filePath("journal.sqlite");
        settings_.LogPath = dir_.filePath("journal.log");
        const auto opened = journal::OpenSqlite(settings_.LocalPath);
        QVERIFY(opened.Db);
        const journal::Connection& c = *opened.Db;
        const auto a = journal::AddClass(c, {{}, "6А", "2026/2027", false, {}});
        const auto b = journal::AddClass(c, {{}, "6Б", "2026/2027", false, 15});
        QVERIFY(!journal::ThisPupil().Login.isEmpty());
        accountId_ =
            journal::AddPupil(c, {{}, b.Id, "Учётная", "Запись", {journal::ThisPupil().Login}, {}})
                .Id;
        kimId_ = journal::AddPupil(c, {{}, a.Id, "Ким", "Юна", {}, 25}).Id;
        journal::AddPupil(c, {{}, a.Id, "Иванов", "Иван", {}, {}});
        journal::CloseConnection(c);
    }

    void accountLinkedByItsLogin()
    {
        int seconds = 0;
        const auto kept = TakeTest(journal::IdentityMode::Account, std::nullopt, seconds);
        QCOMPARE(seconds, 900);
        QVERIFY(kept);
        QCOMPARE(kept->ClassName, QStringLiteral("6Б"));
        QCOMPARE(kept->RosterPupilId, accountId_);
        QCOMPARE(kept->Pupil, journal::ThisPupil().Pupil);
        QCOMPARE(kept->Record.SecondsAllowed, 900);
        QCOMPARE(kept->Record.SecondsUsed, 900);
        QCOMPARE(kept->Record.End, engine::AttemptEnd::TimedOut);
    }

    void chosenOrTyped_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("fromList");
        QTest::addColumn<int>("seconds");
        QTest::newRow("picked from the list") << int(journal::IdentityMode::List) << true << 1500;
        QTest::newRow("typed") << int(journal::IdentityMode::Ask) << false << 600;
    }

    void chosenOrTyped()
    {
        QFETCH(int, mode);
        QFETCH(bool, fromList);
        const window::PupilChoice choice{fromList ? kimId_.toStdString() : std::string(), "Ким",
                                         "Юна", "6А"};
        int seconds = 0;
        const auto kept = TakeTest(journal::IdentityMode(mode), choice, seconds);
        QTEST(seconds, "seconds");
        QVERIFY(kept);
        QCOMPARE(kept->Pupil, QStringLiteral("Ким Юна"));
        QCOMPARE(kept->ClassName, QStringLiteral("6А"));
        QCOMPARE(kept->RosterPupilId, fromList ? kimId_ : QString());
        QTEST(kept->Record.SecondsAllowed, "seconds");
    }

    void listOffersTheRostersClasses()
    {
        journal::JournalSettings s = settings_;
        s.Identity = journal::IdentityMode::List;
        journal::PupilJournal pupilJournal(s);
        journal::JournalLog log(s.LogPath);
        journal::RosterLookup lookup(s, {}, true);
        const window::TestTaker taker = app::TakerFor(s, lookup, SetTakerOf(pupilJournal), log);
        QCOMPARE(taker.Ask, window::AskWho::FromList);
        const auto classes = taker.Classes();
        QCOMPARE(classes.size(), 2U);
        QCOMPARE(classes.at(0).Name, std::string("6А"));
        QCOMPARE(classes.at(0).Pupils.size(), 2U);
        QCOMPARE(classes.at(0).Pupils.front().Surname, std::string("Иванов"));
    }

    // A server that is not there: the dialog asks for typed names, the log says why, and the
    // test has ten minutes.
    void unreadableRosterFallsBackToTyping()
    {
        journal::JournalSettings s = settings_;
        s.Identity = journal::IdentityMode::List;
        s.ServerUri = "postgresql://fraction_pupil:x@127.0.0.1:1/fraction_test";
        s.LogPath = dir_.filePath("unreadable.log");
        journal::PupilJournal pupilJournal(s);
        journal::JournalLog log(s.LogPath);
        journal::RosterLookup lookup(s, {}, true);
        const window::TestTaker taker = app::TakerFor(s, lookup, SetTakerOf(pupilJournal), log);
        QVERIFY(taker.Classes().empty());
        QVERIFY(ReadAll(s.LogPath).contains("Список класса недоступен"));
        QCOMPARE(taker.Begin(window::PupilChoice{kimId_.toStdString(), "Ким", "Юна", "6А"}), 600);
    }
};

JOURNAL_TEST_MAIN(TestTaker)
#include "tst_test_taker.moc"
