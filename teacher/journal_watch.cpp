// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal_watch.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTimer>
#include <QUuid>

namespace teacher {

JournalWatch::JournalWatch(const journal::Connection& journal, QObject* parent)
    : QObject(parent),
      own_{QStringLiteral("watch-%1").arg(QUuid::createUuid().toString(QUuid::WithoutBraces)),
           journal.Kind},
      timer_(new QTimer(this))
{
    QSqlDatabase::cloneDatabase(journal.Name, own_.Name).open();
    last_ = Marker();
    timer_->setInterval(kIntervalMs);
    connect(timer_, &QTimer::timeout, this, &JournalWatch::Check);
    timer_->start();
}

JournalWatch::~JournalWatch()
{
    QSqlDatabase::database(own_.Name, false).close();
    QSqlDatabase::removeDatabase(own_.Name);
}

void JournalWatch::Check()
{
    const QString now = Marker();
    // A check that could not run says nothing: the list's own read reports the problem.
    if (!now.isEmpty() && now != last_) {
        last_ = now;
        emit Changed();
    }
}

QString JournalWatch::Marker() const
{
    QSqlQuery query(QSqlDatabase::database(own_.Name, false));
    const QString sql =
        own_.Kind == journal::Backend::Sqlite
            ? QStringLiteral("PRAGMA data_version")
            : QStringLiteral("SELECT count(*), max(ended_at), "
                             "sum(CASE WHEN ending = 'running' THEN 1 ELSE 0 END) FROM attempt");
    if (!query.exec(sql) || !query.next()) {
        return {};
    }
    QStringList parts;
    for (int i = 0; i < query.record().count(); ++i) {
        parts << query.value(i).toString();
    }
    return parts.join(u'|');
}

} // namespace teacher
