// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/background_reads.h"

#include "journal/journal_error.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QUuid>

#include <memory>

namespace teacher {

BackgroundReads::~BackgroundReads()
{
    WaitAll();
}

void BackgroundReads::WaitAll()
{
    for (const QPointer<QThread>& worker : std::as_const(workers_)) {
        if (worker) {
            worker->wait();
        }
    }
}

void BackgroundReads::Start(QObject* owner, const journal::Connection& source,
                            std::function<void(const journal::Connection&)> read,
                            std::function<void(const QString& problem)> done)
{
    const quint64 number = ++latest_;
    busy_ = true;
    auto problem = std::make_shared<QString>();
    QThread* worker = QThread::create([problem, source, read = std::move(read)] {
        const QString name =
            QStringLiteral("%1-read-%2")
                .arg(source.Name, QUuid::createUuid().toString(QUuid::WithoutBraces));
        {
            QSqlDatabase db = QSqlDatabase::cloneDatabase(source.Name, name);
            if (!db.open()) {
                *problem =
                    QStringLiteral("Журнал не удалось прочитать: %1").arg(db.lastError().text());
            } else {
                try {
                    // The source's version too: what is read (the attempts' class and time
                    // allowed, the roster) depends on it.
                    read({name, source.Kind, source.Version});
                } catch (const journal::JournalError& error) {
                    *problem = QString::fromStdString(error.what());
                }
            }
        }
        QSqlDatabase::removeDatabase(name);
    });
    // Delivered on the owner's thread through its event loop; dropped with the owner.
    QObject::connect(worker, &QThread::finished, owner,
                     [this, number, problem, done = std::move(done)] {
                         if (number != latest_) {
                             return;
                         }
                         busy_ = false;
                         done(*problem);
                     });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    workers_.removeAll(nullptr);
    workers_.append(worker);
    worker->start();
}

} // namespace teacher
