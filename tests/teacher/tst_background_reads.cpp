// SPDX-License-Identifier: GPL-3.0-or-later
// Reads off the window's thread on a real journal file: while a read is held up the event loop
// goes on (a button's click is handled), what it read then arrives through the event loop; a
// read overtaken by a newer one is dropped even when it ends last; a journal error is said.
#include "journal_fixture.h"

#include "journal/journal_error.h"
#include "teacher/background_reads.h"

#include <QPushButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTest>

#include <atomic>

class TestBackgroundReads : public QObject {
    Q_OBJECT

private slots:
    void windowGoesOnWhileAReadIsHeldUp()
    {
        JournalFile f;
        QVERIFY(f.db);
        f.Add(MakeAttempt("Аня", TodayAt(9), 10));
        QPushButton button;
        int clicks = 0;
        connect(&button, &QPushButton::clicked, this, [&] { ++clicks; });
        teacher::BackgroundReads reads;
        QSemaphore release;
        // A failed check must not leave the read waiting for ever (the reads wait for it).
        const auto unblock = qScopeGuard([&] { release.release(); });
        std::atomic_bool reading = false;
        long long counted = -1;
        QString readOn;
        QString said = "(not done)";
        reads.Start(
            &button, *f.db,
            [&](const journal::Connection& own) {
                reading = true;
                release.acquire();
                readOn = own.Name;
                counted = static_cast<long long>(journal::LoadAttempts(own, {}).size());
            },
            [&](const QString& problem) { said = problem; });
        QTRY_VERIFY(reading);
        // The read waits for the semaphore; the window's thread handles a click meanwhile.
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 1);
        QVERIFY(reads.Busy());
        QCOMPARE(said, QStringLiteral("(not done)"));
        release.release();
        QTRY_VERIFY(!reads.Busy());
        QCOMPARE(said, QString());
        QCOMPARE(counted, 1LL);
        QVERIFY(!readOn.isEmpty() && readOn != f.db->Name); // a connection of its own
    }

    void overtakenReadIsDropped()
    {
        JournalFile f;
        QVERIFY(f.db);
        QObject owner;
        teacher::BackgroundReads reads;
        QSemaphore release;
        // A failed check must not leave the read waiting for ever (the reads wait for it).
        const auto unblock = qScopeGuard([&] { release.release(); });
        QStringList shown;
        reads.Start(
            &owner, *f.db, [&](const journal::Connection&) { release.acquire(); },
            [&](const QString&) { shown << "first"; });
        reads.Start(
            &owner, *f.db, [](const journal::Connection&) {},
            [&](const QString&) { shown << "second"; });
        QTRY_COMPARE(shown, QStringList{"second"});
        // The first read ends last, and its end is delivered too: it shows nothing.
        release.release();
        reads.WaitAll();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(shown, QStringList{"second"});
        QVERIFY(!reads.Busy());

        // Dropped without a newer read: nothing is shown and nothing waits.
        reads.Start(
            &owner, *f.db, [](const journal::Connection&) {},
            [&](const QString&) { shown << "third"; });
        reads.DropAll();
        QVERIFY(!reads.Busy());
        reads.WaitAll();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(shown, QStringList{"second"});
    }

    void journalErrorIsSaid()
    {
        JournalFile f;
        QVERIFY(f.db);
        QObject owner;
        teacher::BackgroundReads reads;
        QString said;
        reads.Start(
            &owner, *f.db,
            [](const journal::Connection&) { throw journal::JournalError("Журнал не прочитан."); },
            [&](const QString& problem) { said = problem; });
        QTRY_VERIFY(!reads.Busy());
        QCOMPARE(said, QStringLiteral("Журнал не прочитан."));
    }
};

QTEST_MAIN(TestBackgroundReads)
#include "tst_background_reads.moc"
