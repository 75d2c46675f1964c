// SPDX-License-Identifier: GPL-3.0-or-later
// The pupil's journal begun after the window's first frame: not before it, at once when a
// record or the end of the run comes first (an earlier run's attempt is still recovered and
// this run's is kept), the settings read by the journal itself, and no server driver loaded for
// a local journal.
#include "tests/journal/attempt_samples.h"

#include "app/deferred_journal.h"
#include "journal/attempt_filter.h"
#include "journal/attempt_store.h"
#include "journal/journal_database.h"
#include "journal/pupil_identity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <algorithm>

namespace {

journal::JournalSettings LocalOnly(const QString& folder)
{
    journal::JournalSettings s;
    s.LocalPath = folder + "/journal.sqlite";
    s.LogPath = folder + "/journal.log";
    s.RunningSaveInterval = std::chrono::hours(1);
    return s;
}

std::vector<journal::StoredAttempt> Stored(const QString& path)
{
    const auto opened = journal::OpenSqlite(path);
    if (!opened.Db) {
        return {};
    }
    auto all = journal::LoadAttempts(*opened.Db, {});
    journal::CloseConnection(*opened.Db);
    return all;
}

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Notes whether the journal had begun when the window painted its first frame.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget& window, const app::DeferredJournal& journal) : journal_(journal)
    {
        window.installEventFilter(this);
    }
    bool Painted() const { return painted_; }
    bool BegunAtFirstPaint() const { return begunAtFirstPaint_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            begunAtFirstPaint_ = journal_.HasBegun();
        }
        return false;
    }

private:
    const app::DeferredJournal& journal_;
    bool painted_ = false;
    bool begunAtFirstPaint_ = false;
};

} // namespace

class TestDeferredJournal : public QObject {
    Q_OBJECT

private slots:
    void beginsAfterTheFirstFrame()
    {
        QTemporaryDir dir;
        const journal::JournalSettings s = LocalOnly(dir.path());
        app::DeferredJournal journal(s);
        QWidget window;
        window.resize(200, 100);
        journal.BeginAfterFirstFrameOf(window);
        QTest::qWait(100);
        QVERIFY(!journal.HasBegun());
        QVERIFY(!QFileInfo::exists(s.LocalPath));

        // Installed after the journal's watch, so it sees each event first.
        const FirstPaintWatch watch(window, journal);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(journal.HasBegun());
        QVERIFY(watch.Painted());
        QVERIFY(!watch.BegunAtFirstPaint());
        // The journal's writer opens the file on its own.
        QTRY_VERIFY(QFileInfo::exists(s.LocalPath));
    }

    void beginsAtOnceWithoutAFrame_data()
    {
        QTest::addColumn<bool>("reportFirst");
        QTest::addColumn<bool>("fromEnvironment");
        QTest::newRow("a record before the first frame") << true << false;
        QTest::newRow("the run ends before the first frame") << false << false;
        QTest::newRow("settings from the environment") << true << true;
    }

    // An earlier run's attempt cut off while running is recovered whatever begins the journal,
    // and a record that came before the frame is this run's attempt, with who took it.
    void beginsAtOnceWithoutAFrame()
    {
        QFETCH(bool, reportFirst);
        QFETCH(bool, fromEnvironment);
        QTemporaryDir dir;
        const journal::JournalSettings s = LocalOnly(dir.path());
        const journal::StoredAttempt earlier = journal_test::RunningAttempt();
        {
            const auto opened = journal::OpenSqlite(s.LocalPath);
            QVERIFY(opened.Db);
            journal::SaveAttempt(*opened.Db, earlier);
            journal::CloseConnection(*opened.Db);
            // Its run's lock folder, left behind with no lock in it.
            QVERIFY(QDir().mkpath(s.LocalPath + ".locks"));
        }
        if (fromEnvironment) {
            qputenv(journal::kJournalEnvironmentVariable, s.LocalPath.toUtf8());
        }
        {
            QWidget window;
            std::optional<app::DeferredJournal> journal;
            if (fromEnvironment) {
                journal.emplace();
            } else {
                journal.emplace(s);
            }
            journal->BeginAfterFirstFrameOf(window);
            if (reportFirst) {
                journal->Report(journal_test::RunningAttempt().Record);
                QVERIFY(journal->HasBegun());
            }
            journal->Shutdown();
        }
        qunsetenv(journal::kJournalEnvironmentVariable);

        const auto all = Stored(s.LocalPath);
        QCOMPARE(all.size(), reportFirst ? 2U : 1U);
        const auto found =
            std::find_if(all.begin(), all.end(), [&](const auto& a) { return a.Id == earlier.Id; });
        QVERIFY(found != all.end());
        QCOMPARE(found->Record.End, engine::AttemptEnd::Interrupted);
        // The settings name the log too: it is beside the file they name.
        QVERIFY2(ReadAll(s.LogPath).contains(earlier.Id), qPrintable(ReadAll(s.LogPath)));
        if (reportFirst) {
            const auto mine = std::find_if(all.begin(), all.end(),
                                           [&](const auto& a) { return a.Id != earlier.Id; });
            QCOMPARE(mine->Pupil, journal::ThisPupil().Pupil);
            QCOMPARE(mine->Host, journal::ThisPupil().Host);
            QCOMPARE(mine->Record.End, engine::AttemptEnd::Interrupted);
            QCOMPARE(mine->Record.Rows[4].Typed.Numerator, std::string("три, \"четыре\""));
        }
    }

    // Last, after the journals above have run in this process: a local journal needs only
    // SQLite's driver, and asking Qt for the list of drivers would load them all.
    void localJournalLoadsNoServerDriver()
    {
        QTemporaryDir dir;
        {
            app::DeferredJournal journal(LocalOnly(dir.path()));
            journal.Report(journal_test::RunningAttempt().Record);
        }
        QCOMPARE(Stored(dir.filePath("journal.sqlite")).size(), 1U);
        const QString maps = ReadAll(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.contains(QLatin1String("libqsqlite")));
        QVERIFY(!maps.contains(QLatin1String("libqsqlpsql")));
        QVERIFY(!maps.contains(QLatin1String("libpq.so")));
    }
};

QTEST_MAIN(TestDeferredJournal)
#include "tst_deferred_journal.moc"
