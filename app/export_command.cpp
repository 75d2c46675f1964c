// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/export_command.h"

#include "app/journal_window_module.h"

#include "journal/csv_export.h"
#include "journal/journal_database.h"
#include "journal/journal_error.h"
#include "journal/journal_settings.h"

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

// A stored id shown in a line on standard error: bounded, on one line.
QString ShownId(const QString& id)
{
    QString shown = id.left(40);
    for (QChar& c : shown) {
        if (!c.isPrint()) {
            c = QChar::ReplacementCharacter;
        }
    }
    return id.size() > shown.size() ? shown + QStringLiteral("…") : shown;
}

void Warn(const QString& message)
{
    std::fputs(QStringLiteral("fraction-test: %1\n").arg(message).toUtf8().constData(), stderr);
}

// Writes the CSV to `out`; a journal that cannot be read or an unwritable output gives a problem
// text. Ids that are not attempt ids are reported on standard error.
QString Export(const std::optional<journal::Connection>& db, QIODevice& out)
{
    try {
        if (db) {
            const QStringList notIds = journal::WriteCsv(*db, {}, out);
            if (!notIds.isEmpty()) {
                QStringList shown;
                for (const QString& id : notIds) {
                    shown << ShownId(id);
                }
                Warn(QStringLiteral("внимание: код попытки не UUID (файл журнала правили не "
                                    "программой): «%1».")
                         .arg(shown.join(QStringLiteral("», «"))));
            }
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

// Writes into `target` as it is: a FIFO, a terminal or a device is written straight into (an
// atomic save would put a regular file in its place).
QString ExportInto(const std::optional<journal::Connection>& db, const QString& target)
{
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        return QStringLiteral("не удалось открыть «%1»: %2").arg(target, out.errorString());
    }
    QString problem = Export(db, out);
    // A write that failed part-way (a full device) is told with the target it failed on.
    if ((problem.isEmpty() && !out.flush()) || out.error() != QFileDevice::NoError) {
        problem = QStringLiteral("не удалось записать в «%1»: %2").arg(target, out.errorString());
    }
    return problem;
}

// A regular file (new or old) is written whole or not at all.
QString ExportToFile(const std::optional<journal::Connection>& db, const QString& target)
{
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        return QStringLiteral("не удалось создать файл «%1»: %2").arg(target, out.errorString());
    }
    QString problem = Export(db, out);
    if (problem.isEmpty() && !out.commit()) {
        problem =
            QStringLiteral("не удалось записать файл «%1»: %2").arg(target, out.errorString());
    }
    return problem;
}

// The configured journal; none when a local one does not exist yet (it is not created). False
// with the problem said when it cannot be opened.
bool OpenConfigured(std::optional<journal::Connection>& db)
{
    const journal::JournalSettings settings = journal::ConfiguredJournalSettings();
    if (!settings.ServerUri.isEmpty() || QFileInfo::exists(settings.LocalPath)) {
        // Read-only: an export changes nothing in the journal, whoever runs it.
        const journal::OpenResult opened = settings.ServerUri.isEmpty()
                                               ? journal::OpenSqliteForReading(settings.LocalPath)
                                               : journal::OpenServer(settings.ServerUri);
        if (!opened.Db) {
            Fail(opened.Problem);
            return false;
        }
        if (!opened.Problem.isEmpty()) {
            Warn(opened.Problem);
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
    const QString problem = WriteXlsxThroughModule(db, target);
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
            if (problem.isEmpty() && !out.flush()) {
                problem = QStringLiteral("не удалось записать в стандартный вывод: %1")
                              .arg(out.errorString());
            }
            out.close();
        }
    } else if (const QFileInfo info(target); info.exists() && !info.isFile()) {
        problem = info.isDir() ? QStringLiteral("«%1» — папка, а не файл").arg(target)
                               : ExportInto(db, target);
    } else {
        problem = ExportToFile(db, target);
    }
    if (db) {
        journal::CloseConnection(*db);
    }
    return problem.isEmpty() ? 0 : Fail(problem);
}

} // namespace app
