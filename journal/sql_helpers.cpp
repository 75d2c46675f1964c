// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/sql_helpers.h"

#include "journal/journal_error.h"

#include <QSqlError>

namespace journal {

void ThrowSqlError(const QString& what, const QString& driverText)
{
    const QString text =
        driverText.trimmed().isEmpty() ? what : what + QStringLiteral(": ") + driverText.trimmed();
    throw JournalError(text.toStdString());
}

void ThrowIfFailed(const QSqlQuery& query, const QString& what)
{
    if (query.lastError().isValid()) {
        ThrowSqlError(what, query.lastError().text());
    }
}

QSqlQuery RunSql(const QSqlDatabase& db, const QString& sql, const QVariantList& values,
                 const QString& what)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        ThrowSqlError(what, query.lastError().text());
    }
    RunPrepared(query, values, what);
    return query;
}

QVariant NotNullText(const QString& text)
{
    return text.isEmpty() ? QVariant(QString::fromUtf8("", 0)) : QVariant(text);
}

void RunPrepared(QSqlQuery& query, const QVariantList& values, const QString& what)
{
    for (qsizetype i = 0; i < values.size(); ++i) {
        query.bindValue(static_cast<int>(i), values.at(i));
    }
    if (!query.exec()) {
        ThrowSqlError(what, query.lastError().text());
    }
}

QSqlDatabase DatabaseNamed(const QString& name)
{
    QSqlDatabase db = QSqlDatabase::database(name, false);
    if (!db.isValid() || !db.isOpen()) {
        throw JournalError(
            QStringLiteral("Журнал не открыт (соединение «%1»)").arg(name).toStdString());
    }
    return db;
}

Transaction::Transaction(const QSqlDatabase& db, const QString& what) : db_(db), what_(what)
{
    if (!db_.transaction()) {
        ThrowSqlError(what_, db_.lastError().text());
    }
}

Transaction::~Transaction()
{
    if (!done_) {
        db_.rollback();
    }
}

void Transaction::Commit()
{
    if (!db_.commit()) {
        const QString text = db_.lastError().text();
        db_.rollback();
        done_ = true;
        ThrowSqlError(what_, text);
    }
    done_ = true;
}

} // namespace journal
