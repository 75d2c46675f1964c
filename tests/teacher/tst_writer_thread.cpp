// SPDX-License-Identifier: GPL-3.0-or-later
// The .xlsx export's second thread: every attempt given is written once, in the order given,
// whatever the batches' sizes; what the writing throws reaches the job at its next Give or
// Finish and nothing after it is written; a thread dropped before Finish ends without writing
// the batches still waiting.
#include "teacher/writer_thread.h"

#include "journal/journal_error.h"

#include <QTest>
#include <QThread>

#include <atomic>
#include <thread>

namespace {

std::vector<journal::StoredAttempt> Batch(int from, int count)
{
    std::vector<journal::StoredAttempt> batch(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        batch.at(static_cast<std::size_t>(i)).Id = QString::number(from + i);
    }
    return batch;
}

} // namespace

class WriterThreadTest : public QObject {
    Q_OBJECT

private slots:
    void writesEveryAttemptInOrder_data()
    {
        QTest::addColumn<QList<int>>("sizes");
        QTest::newRow("one batch") << QList<int>{400};
        QTest::newRow("many batches, the last short") << QList<int>{400, 400, 400, 400, 7};
        QTest::newRow("empty batches among them") << QList<int>{0, 3, 0, 0, 5};
        QTest::newRow("nothing") << QList<int>{};
    }
    void writesEveryAttemptInOrder()
    {
        QFETCH(QList<int>, sizes);
        QStringList written;
        {
            teacher::WriterThread thread([&](const journal::StoredAttempt& a) { written << a.Id; });
            int from = 0;
            for (int size : sizes) {
                thread.Give(Batch(from, size));
                from += size;
            }
            thread.Finish();
            QStringList expected;
            for (int i = 0; i < from; ++i) {
                expected << QString::number(i);
            }
            // Finish returns only once all is written.
            QCOMPARE(written, expected);
        }
    }

    void aFailureReachesTheJobAndStopsTheWriting()
    {
        std::atomic<int> written = 0;
        teacher::WriterThread thread([&](const journal::StoredAttempt& a) {
            if (a.Id == QLatin1String("5")) {
                throw journal::JournalError("disk full");
            }
            ++written;
        });
        bool thrown = false;
        try {
            for (int b = 0; b < 50; ++b) {
                thread.Give(Batch(b * 10, 10));
            }
            thread.Finish();
        } catch (const journal::JournalError& error) {
            thrown = true;
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("disk full"));
        }
        QVERIFY(thrown);
        QCOMPARE(written.load(), 5);
    }

    void droppedBeforeFinishWritesNoMore()
    {
        std::atomic<int> written = 0;
        std::atomic<bool> started = false;
        std::atomic<bool> release = false;
        std::thread releaser;
        {
            teacher::WriterThread thread([&](const journal::StoredAttempt&) {
                started = true;
                while (!release) {
                    QThread::msleep(1);
                }
                ++written;
            });
            thread.Give(Batch(0, 3));
            QTRY_VERIFY(started.load());
            thread.Give(Batch(3, 3));
            // The first batch is held while being written and the second waits; the thread is
            // dropped meanwhile, and the first batch let go a moment later.
            releaser = std::thread([&] {
                QThread::msleep(200);
                release = true;
            });
        }
        releaser.join();
        QCOMPARE(written.load(), 3);
    }
};

QTEST_MAIN(WriterThreadTest)
#include "tst_writer_thread.moc"
