// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/export_job.h"

#include "journal/journal_error.h"
#include "teacher/teacher_words.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUuid>

namespace teacher {

namespace {

const QString kCancelled = words::JobCancelled();

// The same journal as `source`, opened on the calling thread under a name of its own.
journal::Connection OpenCopy(const journal::Connection& source)
{
    const QString name =
        QStringLiteral("export-%1").arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
    QSqlDatabase copy = QSqlDatabase::cloneDatabase(source.Name, name);
    if (!copy.open()) {
        const QString why = copy.lastError().text().trimmed();
        copy = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw journal::JournalError(words::JournalNotOpenForSaving(why).toStdString());
    }
    if (source.Kind == journal::Backend::Sqlite) {
        // A job reads much of the file once: mapped, its pages come without a copy per read, and
        // a larger cache keeps the index pages that every batch's lookups walk.
        QSqlQuery(copy).exec(QStringLiteral("PRAGMA mmap_size = 268435456"));
        QSqlQuery(copy).exec(QStringLiteral("PRAGMA cache_size = -32768"));
    }
    // The same version as the source's: what a reader reads (the attempt's class and time
    // allowed, the roster) depends on it.
    return {name, source.Kind, source.Version};
}

} // namespace

JobContext::JobContext(const journal::Connection* journal, const std::atomic_bool& cancelled,
                       std::function<void(long long, long long)> progress)
    : journal_(journal), cancelled_(cancelled), progress_(std::move(progress))
{}

void JobContext::StopIfCancelled() const
{
    if (Cancelled()) {
        throw JobCancelled{};
    }
}

void JobContext::Progress(long long done, long long total)
{
    const int permille = total > 0 ? static_cast<int>(done * 1000 / total) : 0;
    if (permille != lastPermille_) {
        lastPermille_ = permille;
        progress_(done, total);
    }
}

ExportJob::ExportJob(QString what, std::optional<journal::Connection> journal, Work work,
                     QObject* parent)
    : QObject(parent), what_(std::move(what)), journal_(std::move(journal)), work_(std::move(work))
{}

ExportJob::~ExportJob()
{
    if (thread_ != nullptr) {
        cancelled_ = true;
        thread_->wait();
        delete thread_;
    }
}

void ExportJob::Start()
{
    if (thread_ != nullptr) {
        return;
    }
    thread_ = QThread::create([this] { Run(); });
    connect(thread_, &QThread::finished, this, [this] {
        thread_->deleteLater();
        thread_ = nullptr;
        emit Finished(ok_, message_);
    });
    thread_->start();
}

void ExportJob::Cancel()
{
    cancelled_ = true;
}

bool ExportJob::IsRunning() const
{
    return thread_ != nullptr;
}

void ExportJob::Run()
{
    std::optional<journal::Connection> own;
    try {
        if (journal_) {
            own = OpenCopy(*journal_);
        }
        JobContext context(own ? &*own : nullptr, cancelled_,
                           [this](long long done, long long total) { emit Progress(done, total); });
        context.StopIfCancelled();
        message_ = work_(context);
        ok_ = true;
    } catch (const JobCancelled&) {
        message_ = kCancelled;
    } catch (const journal::JournalError& error) {
        message_ = QString::fromUtf8(error.what());
    }
    if (cancelled_ && !ok_) {
        message_ = kCancelled;
    }
    if (own) {
        QSqlDatabase::database(own->Name, false).close();
        QSqlDatabase::removeDatabase(own->Name);
    }
}

} // namespace teacher
