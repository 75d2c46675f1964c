// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal_file_window.h"

#include "journal/journal_error.h"
#include "journal/local_schema.h"
#include "teacher/journal_window.h"
#include "teacher/teacher_words.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSqlDatabase>
#include <QSqlError>
#include <QStandardPaths>
#include <QUuid>

namespace teacher {

namespace {

journal::OpenResult Refuse(const QString& name, const QString& problem)
{
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
    return {std::nullopt, problem};
}

} // namespace

journal::OpenResult OpenCopiedJournal(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        return {std::nullopt, QStringLiteral("Файла «%1» нет.").arg(shown)};
    }
    const QString name =
        QStringLiteral("copied-%1").arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            const QString why = db.lastError().text();
            db = QSqlDatabase();
            return Refuse(name, QStringLiteral("Журнал «%1» не открыт: %2.").arg(shown, why));
        }
        std::optional<int> version;
        try {
            version = journal::LocalSchemaVersion(db);
        } catch (const journal::JournalError&) {
            version = std::nullopt;
        }
        db = QSqlDatabase();
        if (!version || *version == 0) {
            return Refuse(name, QStringLiteral("Файл «%1» — не журнал этой программы.").arg(shown));
        }
        if (*version > journal::kSqliteSchemaVersion) {
            return Refuse(name, QStringLiteral("Журнал «%1» записан более новой версией "
                                               "программы: обновите программу, чтобы его открыть.")
                                    .arg(shown));
        }
        if (*version < journal::kSqliteSchemaVersion) {
            // Reading it would need the file brought up to date, which writes to it.
            return Refuse(name, QStringLiteral("Журнал «%1» записан более старой версией "
                                               "программы: откройте его на том компьютере, где "
                                               "он записан, после обновления программы там.")
                                    .arg(shown));
        }
    }
    return {journal::Connection{name, journal::Backend::Sqlite}, {}};
}

void OpenJournalFileWindow(QWidget* parent)
{
    const QString path = QFileDialog::getOpenFileName(
        parent, words::OpenJournalTitle(),
        QStandardPaths::writableLocation(QStandardPaths::HomeLocation), words::JournalFileFilter());
    if (path.isEmpty()) {
        return;
    }
    const journal::OpenResult opened = OpenCopiedJournal(path);
    if (!opened.Db) {
        QMessageBox::warning(parent, words::OpenJournalTitle(), opened.Problem);
        return;
    }
    auto* window = new JournalWindow(opened);
    window->setAttribute(Qt::WA_DeleteOnClose);
    const journal::Connection connection = *opened.Db;
    // Closed once the window and everything reading through the connection are gone.
    QObject::connect(window, &QObject::destroyed, qApp, [connection] {
        QMetaObject::invokeMethod(
            qApp, [connection] { journal::CloseConnection(connection); }, Qt::QueuedConnection);
    });
    window->show();
}

QString JournalTitle(const journal::Connection& c)
{
    const QSqlDatabase db = QSqlDatabase::database(c.Name, false);
    if (c.Kind == journal::Backend::Postgres) {
        return words::ServerJournalTitle(db.hostName());
    }
    const QFileInfo file(db.databaseName());
    if (file.absoluteFilePath() == QFileInfo(journal::LocalJournalPath()).absoluteFilePath()) {
        return words::LocalJournalTitle();
    }
    return words::FileJournalTitle(file.fileName());
}

} // namespace teacher
