// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/export_command.h"

#include "journal/csv_export.h"
#include "journal/journal_database.h"
#include "journal/journal_error.h"
#include "journal/journal_settings.h"
#include "journal/xlsx_export.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace app {

namespace {

int Fail(const QString& message)
{
    std::fputs(QStringLiteral("fraction-test: %1\n").arg(message).toUtf8().constData(), stderr);
    return 1;
}

// Writes the CSV to `out`; a closed connection or an unwritable output gives a problem text.
QString Export(const std::optional<journal::Connection>& db, QIODevice& out)
{
    try {
        if (db) {
            journal::WriteCsv(*db, {}, out);
        } else {
            const QByteArray header =
                (QString(QChar(0xFEFF)) + journal::CsvLine(journal::CsvHeader()) + "\r\n").toUtf8();
            if (out.write(header) != header.size()) {
                return QStringLiteral("не удалось записать CSV-файл: %1").arg(out.errorString());
            }
        }
    } catch (const journal::JournalError& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

// The configured journal; none when a local one does not exist yet (it is not created). False
// with the problem said when it cannot be opened.
bool OpenConfigured(std::optional<journal::Connection>& db)
{
    const journal::JournalSettings settings = journal::ConfiguredJournalSettings();
    if (!settings.ServerUri.isEmpty() || QFileInfo::exists(settings.LocalPath)) {
        const journal::OpenResult opened = settings.ServerUri.isEmpty()
                                               ? journal::OpenSqlite(settings.LocalPath)
                                               : journal::OpenServer(settings.ServerUri);
        if (!opened.Db) {
            Fail(opened.Problem);
            return false;
        }
        if (!opened.Problem.isEmpty()) {
            std::fputs(
                QStringLiteral("fraction-test: %1\n").arg(opened.Problem).toUtf8().constData(),
                stderr);
        }
        db = opened.Db;
    }
    return true;
}

} // namespace

int RunExportXlsx(const QString& target)
{
    std::optional<journal::Connection> db;
    if (!OpenConfigured(db)) {
        return 1;
    }
    QString problem;
    try {
        if (db) {
            journal::WriteXlsx(*db, {}, target);
        } else {
            journal::XlsxListWriter(target).Commit();
        }
    } catch (const journal::JournalError& error) {
        problem = QString::fromUtf8(error.what());
    }
    if (db) {
        journal::CloseConnection(*db);
    }
    return problem.isEmpty() ? 0 : Fail(problem);
}

int RunExportCsv(const QString& target)
{
    std::optional<journal::Connection> db;
    if (!OpenConfigured(db)) {
        return 1;
    }
    QString problem;
    if (target == QLatin1String("-")) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly)) {
            problem = QStringLiteral("не удалось открыть стандартный вывод");
        } else {
            problem = Export(db, out);
            out.close();
        }
    } else {
        QSaveFile out(target);
        if (!out.open(QIODevice::WriteOnly)) {
            problem =
                QStringLiteral("не удалось создать файл «%1»: %2").arg(target, out.errorString());
        } else {
            problem = Export(db, out);
            if (problem.isEmpty() && !out.commit()) {
                problem = QStringLiteral("не удалось записать файл «%1»: %2")
                              .arg(target, out.errorString());
            }
        }
    }
    if (db) {
        journal::CloseConnection(*db);
    }
    return problem.isEmpty() ? 0 : Fail(problem);
}

} // namespace app
