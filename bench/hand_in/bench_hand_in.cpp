// SPDX-License-Identifier: GPL-3.0-or-later
// From "Готово!" to the result box, with the journal on and off: the same window, the same
// exercises and the same typed answers, the only difference being whether its reports go to a
// journal (a real local SQLite file, no server), which writes and syncs the ending before the
// box shows. Beside them, in the same run and folder, the cost of one SQLite commit with
// synchronous=FULL (WAL, as the journal opens its file): the hand-in's extra time should be that
// commit and little more. Prints the median and the quartiles of each, and the goal's figure:
// (on - off) - commit, in milliseconds, to be under 2.
// Usage: bench_hand_in [ROUNDS]   (QT_QPA_PLATFORM=offscreen or under a real X server)
#include "journal/journal_settings.h"
#include "journal/pupil_journal.h"
#include "tests/support/scripted_random_source.h"
#include "toolkit/look.h"
#include "toolkit/timer.h"
#include "window/form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Notes when a message box is first shown, and closes it from the event loop.
class ResultBoxWatch : public QObject {
public:
    std::optional<Clock::time_point> shownAt;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !shownAt) {
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                shownAt = Clock::now();
                QTimer::singleShot(0, box, [box] { box->accept(); });
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// One hand-in: a fresh window, a test started, a few answers typed, then "Готово!".
double HandInMilliseconds(bool withJournal, const QString& folder, int round)
{
    std::optional<journal::PupilJournal> journal;
    if (withJournal) {
        journal::JournalSettings settings;
        settings.LocalPath = folder + QStringLiteral("/journal.sqlite");
        settings.LogPath = folder + QStringLiteral("/journal.log");
        journal.emplace(settings);
    }
    ScriptedRandomSource random({0.1f * float(round % 10)});
    window::Form1 form(random, [&](const engine::AttemptRecord& record) {
        if (journal) {
            journal->Report(record);
        }
    });
    form.Show();
    auto& w = form.Controls();
    static_cast<QAbstractButton*>(w.Command1.Widget())->click();
    for (int row = 0; row < 10; ++row) {
        // Typed as the pupil types: each edit is reported.
        auto* box = static_cast<QLineEdit*>(w.Ct(row).Widget());
        box->insert(QStringLiteral("1"));
    }
    QCoreApplication::processEvents();
    if (journal) {
        // As in the program, where the journal opened when the window did, minutes before the
        // hand-in: its file is open and the test's first record written before the clock starts.
        while (journal->LocalSaveCount() == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));

    ResultBoxWatch watch;
    qApp->installEventFilter(&watch);
    const Clock::time_point pressed = Clock::now();
    static_cast<QAbstractButton*>(w.Command2.Widget())->click();
    qApp->removeEventFilter(&watch);
    const double ms =
        std::chrono::duration<double, std::milli>(watch.shownAt.value_or(pressed) - pressed)
            .count();
    if (journal) {
        journal->Shutdown();
    }
    return ms;
}

// One commit of a small row into an SQLite file in WAL mode with synchronous=FULL.
double CommitMilliseconds(const QString& folder, int round)
{
    const QString name = QStringLiteral("commit-bench");
    double ms = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(folder + QStringLiteral("/commit.sqlite"));
        if (!db.open()) {
            std::fprintf(stderr, "cannot open the commit file\n");
            std::exit(1);
        }
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        q.exec(QStringLiteral("PRAGMA synchronous = FULL"));
        q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS t (round INTEGER, payload TEXT)"));
        const Clock::time_point start = Clock::now();
        db.transaction();
        q.prepare(QStringLiteral("INSERT INTO t VALUES (?, ?)"));
        q.addBindValue(round);
        q.addBindValue(QString(400, QLatin1Char('x')));
        q.exec();
        if (!db.commit()) {
            std::fprintf(stderr, "commit failed\n");
            std::exit(1);
        }
        ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ms;
}

double Quantile(std::vector<double> v, double q)
{
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(std::lround(q * double(v.size() - 1)))];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    toolkit::ApplyProgramLook(app);
    toolkit::Timer::SetManual(true);
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 200;
    QTemporaryDir folder;

    std::vector<double> off;
    std::vector<double> on;
    std::vector<double> commit;
    for (int round = 0; round < rounds; ++round) {
        // Interleaved, so all three see the same machine.
        off.push_back(HandInMilliseconds(false, folder.path(), round));
        on.push_back(HandInMilliseconds(true, folder.path(), round));
        commit.push_back(CommitMilliseconds(folder.path(), round));
    }
    const double medianOff = Quantile(off, 0.5);
    const double medianOn = Quantile(on, 0.5);
    std::printf("rounds: %d\n", rounds);
    std::printf("journal off: median %.3f ms (quartiles %.3f .. %.3f)\n", medianOff,
                Quantile(off, 0.25), Quantile(off, 0.75));
    std::printf("journal on:  median %.3f ms (quartiles %.3f .. %.3f)\n", medianOn,
                Quantile(on, 0.25), Quantile(on, 0.75));
    const double medianCommit = Quantile(commit, 0.5);
    std::printf("one commit, synchronous=FULL: median %.3f ms (quartiles %.3f .. %.3f)\n",
                medianCommit, Quantile(commit, 0.25), Quantile(commit, 0.75));
    std::printf("on - off: %.3f ms; (on - off) - commit: %.3f ms (goal: under 2 ms)\n",
                medianOn - medianOff, medianOn - medianOff - medianCommit);
    return 0;
}
