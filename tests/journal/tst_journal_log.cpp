// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's own log: a line lands in the file, or, when the file cannot take it (a full
// disk, which fails only at the flush; a folder that is not there), on standard error. It is
// never lost silently.
#include "unprivileged.h"

#include "journal/journal_log.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace {

// What `write` puts on standard error, caught in a file for the while.
QByteArray StandardErrorOf(const std::function<void()>& write)
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("stderr"));
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    const int caught = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (saved < 0 || caught < 0) {
        return "<could not catch standard error>";
    }
    ::dup2(caught, STDERR_FILENO);
    ::close(caught);
    write();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    QFile file(QString::fromLocal8Bit(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestJournalLog : public QObject {
    Q_OBJECT

private slots:
    void lineLandsSomewhere_data()
    {
        QTest::addColumn<QString>("path"); // "<dir>/…" is in a fresh folder
        QTest::addColumn<bool>("inFile");
        QTest::newRow("a file") << "<dir>/journal.log" << true;
        QTest::newRow("a full disk") << "/dev/full" << false;
        QTest::newRow("no such folder") << "<dir>/missing/journal.log" << false;
        QTest::newRow("no path") << "" << false;
    }

    void lineLandsSomewhere()
    {
        QFETCH(QString, path);
        QFETCH(bool, inFile);
        QTemporaryDir dir;
        path.replace("<dir>", dir.path());
        journal::JournalLog log(path);
        const QString line =
            QStringLiteral("Сервер журнала недоступен: проверка %1").arg(QTest::currentDataTag());
        const QByteArray err = StandardErrorOf([&] { log.Write(line); });
        QByteArray written;
        if (QFile file(path); inFile && file.open(QIODevice::ReadOnly)) {
            written = file.readAll();
        }
        const QByteArray& landed = inFile ? written : err;
        QVERIFY2(landed.contains(line.toUtf8()), landed.constData());
        QVERIFY(landed.endsWith('\n'));
        QCOMPARE(landed.count('\n'), 1);
        if (inFile) {
            QCOMPARE(err, QByteArray());
        } else {
            QVERIFY(err.startsWith("fraction-test: "));
        }
    }
};

JOURNAL_TEST_MAIN(TestJournalLog)
#include "tst_journal_log.moc"
