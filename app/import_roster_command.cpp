// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/import_roster_command.h"

#include "journal/journal_database.h"
#include "journal/journal_error.h"
#include "journal/journal_settings.h"
#include "journal/roster.h"
#include "journal/roster_import.h"

#include <QFile>

#include <cstdio>

namespace app {

namespace {

void Say(std::FILE* stream, const QString& line)
{
    std::fputs(QStringLiteral("fraction-test: %1\n").arg(line).toUtf8().constData(), stream);
}

int Fail(const QString& message)
{
    Say(stderr, message);
    return 1;
}

} // namespace

int RunImportRoster(const QString& file, const QString& className)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        return Fail(
            QStringLiteral("не удалось прочитать файл «%1»: %2").arg(file, in.errorString()));
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        return Fail(
            QStringLiteral("не удалось прочитать файл «%1»: %2").arg(file, in.errorString()));
    }
    const journal::RosterImport parsed = journal::ParseRoster(journal::RosterTextFromBytes(bytes));
    for (const journal::RosterLineProblem& problem : parsed.Problems) {
        Say(stderr, QStringLiteral("%1: %2").arg(file, problem.Text));
    }
    if (!parsed.Problems.empty()) {
        return Fail(QStringLiteral("список не загружен: исправьте строки выше и повторите"));
    }
    if (parsed.Pupils.empty()) {
        return Fail(QStringLiteral("в файле «%1» нет ни одного ученика").arg(file));
    }

    const journal::JournalSettings settings = journal::ConfiguredJournalSettings();
    const journal::OpenResult opened = settings.ServerUri.isEmpty()
                                           ? journal::OpenSqlite(settings.LocalPath)
                                           : journal::OpenServer(settings.ServerUri);
    if (!opened.Db) {
        return Fail(opened.Problem);
    }
    if (!opened.Problem.isEmpty()) {
        Say(stderr, opened.Problem);
    }
    int status = 0;
    try {
        std::optional<journal::SchoolClass> target =
            journal::ActiveClassNamed(*opened.Db, className);
        if (!target) {
            target = journal::AddClass(*opened.Db, {{}, className.trimmed(), {}, false, {}});
        }
        const journal::ImportCount count =
            journal::ImportPupils(*opened.Db, target->Id, parsed.Pupils);
        const QByteArray done = QStringLiteral("Класс «%1» (%2): добавлено учеников: %3, "
                                               "обновлено: %4.\n")
                                    .arg(target->Name, target->SchoolYear)
                                    .arg(count.Added)
                                    .arg(count.Updated)
                                    .toUtf8();
        std::fputs(done.constData(), stdout);
    } catch (const journal::JournalError& error) {
        status = Fail(QString::fromUtf8(error.what()));
    }
    journal::CloseConnection(*opened.Db);
    return status;
}

} // namespace app
