// SPDX-License-Identifier: GPL-3.0-or-later
// Running prepared statements with bound values and turning a failure into a JournalError
// with a Russian lead sentence. Used inside the journal only.
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace journal {

// Prepares `sql` on `db`, binds `values` in order and runs it. Throws JournalError("<what>:
// <driver's text>") on failure. The query is set forward-only before it runs.
QSqlQuery RunSql(const QSqlDatabase& db, const QString& sql, const QVariantList& values,
                 const QString& what);

// The text as a bound value that is never NULL: Qt binds an empty QString as NULL, which a
// NOT NULL text column refuses.
QVariant NotNullText(const QString& text);

// Runs an already prepared query again with new values; same failure rule.
void RunPrepared(QSqlQuery& query, const QVariantList& values, const QString& what);

// After a loop over query.next(): throws JournalError("<what>: <driver's text>") when the loop
// stopped at an error (a damaged page, a lost connection) rather than at the last line.
void ThrowIfFailed(const QSqlQuery& query, const QString& what);

// Throws JournalError("<what>: <driver's text>") for the query's last error.
[[noreturn]] void ThrowSqlError(const QString& what, const QString& driverText);

// The connection's database, found by name in this thread; throws when it is not open.
QSqlDatabase DatabaseNamed(const QString& name);

// Begins a transaction on `db`; commits when Commit() is called, rolls back otherwise.
class Transaction {
public:
    Transaction(const QSqlDatabase& db, const QString& what);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    QSqlDatabase db_;
    QString what_;
    bool done_ = false;
};

} // namespace journal
