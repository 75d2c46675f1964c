// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window on a journal of 100,000 attempts: the time from opening the journal to
// the first painted list, and from a new filter to the list painted again, each against the
// time the sqlite3 shell takes to print the same rows (the same SELECT, WHERE and ORDER BY).
//
// Usage: bench_journal_window [FILE [COUNT [RUNS [DAYS]]]]
//   FILE is made with COUNT attempts (default 100000) over DAYS days up to today (default 1:
//   all today, so the window's opening filter shows all of them) when it does not exist.
//   Medians of RUNS runs (default 5).
// Run it in a real X server: scripts/with-xvfb.sh build/bench/bench_journal_window
#include "bench/teacher/class_journal.h"
#include "journal/attempt_filter.h"
#include "journal/journal_database.h"
#include "teacher/attempt_list_model.h"
#include "teacher/journal_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Notes when the list's viewport is painted with rows in it.
class PaintWatch : public QObject {
public:
    bool Painted = false;
    QWidget* Viewport = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == Viewport && event->type() == QEvent::Paint) {
            Painted = true;
        }
        return false;
    }
};

// Milliseconds from `start` to the end of the first list paint after it.
double TimeToPaint(PaintWatch& watch, const std::function<void()>& start)
{
    watch.Painted = false;
    QElapsedTimer timer;
    timer.start();
    start();
    // processEvents returns only after the paint it delivered is done.
    while (!watch.Painted) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

// The shell's time to print the rows of the window's query for `filter` (the values written
// into the SQL: they are this program's own constants).
double ShellTime(const QString& path, const journal::AttemptFilter& filter)
{
    journal::SqlCondition condition = journal::ConditionFor(filter, journal::Backend::Sqlite);
    QString where = condition.Where;
    for (const QVariant& value : condition.Values) {
        const QString literal = QLatin1Char('\'') +
                                value.toString().replace(QLatin1Char('\''), QStringLiteral("''")) +
                                QLatin1Char('\'');
        where.replace(where.indexOf(QLatin1Char('?')), 1, literal);
    }
    condition.Where = where;
    const QString sql =
        teacher::ListQueryText(condition, teacher::AttemptListModel::Started, Qt::DescendingOrder);
    QProcess shell;
    shell.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    shell.start(QStringLiteral("sqlite3"), {path, sql});
    shell.waitForFinished(-1);
    return double(timer.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

void Report(const char* what, double window, double shell)
{
    std::printf("%-34s window %8.1f ms   sqlite3 %8.1f ms   ratio %.2f\n", what, window, shell,
                window / shell);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString path = args.value(1, QStringLiteral("bench-journal.sqlite"));
    const int count = args.value(2, QStringLiteral("100000")).toInt();
    const int runs = args.value(3, QStringLiteral("5")).toInt();
    const int days = args.value(4, QStringLiteral("1")).toInt();

    if (!QFileInfo::exists(path)) {
        const journal::OpenResult made = journal::OpenSqlite(path);
        if (!made.Db) {
            std::fprintf(stderr, "%s\n", qPrintable(made.Problem));
            return 1;
        }
        std::printf("writing %d attempts to %s …\n", count, qPrintable(path));
        std::fflush(stdout);
        const double seconds = teacher_bench::FillClassJournal(*made.Db, count, days);
        std::printf("written in %.0f s\n", seconds);
        journal::CloseConnection(*made.Db);
    }

    const QDate today = QDate::currentDate();
    const journal::AttemptFilter opening{today, today, {}};
    const journal::AttemptFilter byName{today, today, QStringLiteral("Орлов")};

    std::vector<double> open, filtered, cleared, shellOpen, shellFiltered;
    long long shown = 0;
    long long shownByName = 0;
    for (int run = 0; run < runs; ++run) {
        PaintWatch watch;
        std::optional<journal::OpenResult> opened;
        std::unique_ptr<teacher::JournalWindow> window;
        open.push_back(TimeToPaint(watch, [&] {
            opened = journal::OpenSqlite(path);
            window = std::make_unique<teacher::JournalWindow>(*opened);
            watch.Viewport = window->findChild<QTableView*>(QStringLiteral("list"))->viewport();
            watch.Viewport->installEventFilter(&watch);
            window->show();
        }));
        shown = window->Model()->Totals().Count;

        auto* name = window->findChild<QLineEdit*>(QStringLiteral("pupilFilter"));
        auto* refresh = window->findChild<QPushButton*>(QStringLiteral("refresh"));
        // Typing pauses before the query; the button runs it at once, as the pause's end does.
        filtered.push_back(TimeToPaint(watch, [&] {
            name->setText(byName.PupilContains);
            refresh->click();
        }));
        shownByName = window->Model()->Totals().Count;
        cleared.push_back(TimeToPaint(watch, [&] {
            name->clear();
            refresh->click();
        }));
        window.reset();
        journal::CloseConnection(*opened->Db);

        shellOpen.push_back(ShellTime(path, opening));
        shellFiltered.push_back(ShellTime(path, byName));
    }

    std::printf("journal %s: %lld attempts shown today, %lld for «%s»; medians of %d runs\n",
                qPrintable(path), shown, shownByName, qPrintable(byName.PupilContains), runs);
    Report("open to the first painted list", Median(open), Median(shellOpen));
    Report("re-filter by a name", Median(filtered), Median(shellFiltered));
    Report("clear the name (all rows again)", Median(cleared), Median(shellOpen));
    return 0;
}
