// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/journal_database.h"

#include "journal/journal_error.h"
#include "journal/journal_settings.h"
#include "journal/local_schema.h"
#include "journal/server_probe.h"
#include "journal/sql_helpers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

#include <atomic>

namespace journal {

namespace {

// How long to wait for a server that does not answer, in seconds (libpq's connect_timeout), and
// how long one statement may run on it.
constexpr int kConnectTimeoutSeconds = 3;
constexpr int kStatementTimeoutMs = 15000;

QString NewConnectionName(const QString& kind)
{
    static std::atomic<int> counter{0};
    return QStringLiteral("journal-%1-%2").arg(kind).arg(++counter);
}

void Forget(const QString& name)
{
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isValid()) {
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
}

QString Native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// SQLite's codes for a file that is not a database or is damaged inside.
bool IsNotADatabase(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("26") || code == QLatin1String("11") ||
           error.databaseText().contains(QLatin1String("not a database")) ||
           error.databaseText().contains(QLatin1String("malformed"));
}

// Renames the damaged file and whatever SQLite keeps beside it (a journal left there would be
// played back into the fresh file) to "<name>.corrupt-<time>…". Gives the new name, or nothing
// when it could not be moved.
std::optional<QString> MoveAside(const QString& path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = path + QStringLiteral(".corrupt-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n) {
        target = path + QStringLiteral(".corrupt-%1-%2").arg(stamp).arg(n);
    }
    if (!QFile::rename(path, target)) {
        return std::nullopt;
    }
    for (const char* side : {"-journal", "-wal", "-shm"}) {
        const QString sidePath = path + QLatin1String(side);
        if (QFileInfo::exists(sidePath)) {
            QFile::rename(sidePath, target + QLatin1String(side));
        }
    }
    return target;
}

// Creates the file with mode 0600 before SQLite does (SQLite would follow the umask), and takes
// group and other rights away from an existing one. Gives a problem text or an empty string.
QString PrepareFile(const QString& path)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder)) {
            return QStringLiteral("Не удалось создать папку журнала «%1»: проверьте права на "
                                  "запись в неё.")
                .arg(Native(folder));
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    if (!info.exists()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                       QFile::ReadOwner | QFile::WriteOwner) &&
            !QFileInfo::exists(path)) {
            // (Made meanwhile by another program opening the same new journal is fine.)
            return QStringLiteral("Не удалось создать файл журнала «%1» (%2): проверьте права на "
                                  "запись в папку «%3».")
                .arg(Native(path), file.errorString(), Native(folder));
        }
        return {};
    }
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    const QFile::Permissions now = QFile::permissions(path);
    if (now & others) {
        // The file holds minors' personal data; a failure (not the owner) is not fatal.
        QFile::setPermissions(path, now & ~others &
                                        ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser));
    }
    return {};
}

enum class LocalCheck { Ready, NotADatabase, Refused };

struct LocalAttempt {
    LocalCheck Check = LocalCheck::Refused;
    QString Problem;
    int Version = 0;
};

// Opens, checks and migrates the file under connection `name`; leaves it open only when Ready.
LocalAttempt TryOpenLocal(const QString& path, const QString& name)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        return {LocalCheck::Refused,
                QStringLiteral("Не удалось открыть журнал «%1» (%2): проверьте права на файл.")
                    .arg(Native(path), db.lastError().text())};
    }
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        const QSqlError error = probe.lastError();
        probe.finish();
        if (IsNotADatabase(error)) {
            return {LocalCheck::NotADatabase, {}};
        }
        return {LocalCheck::Refused, QStringLiteral("Не удалось прочитать журнал «%1» (%2).")
                                         .arg(Native(path), error.text())};
    }
    probe.finish();
    QSqlQuery(db).exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    try {
        std::optional<int> version = LocalSchemaVersion(db);
        if (!version) {
            return {LocalCheck::Refused,
                    QStringLiteral("Файл «%1» — не журнал этой программы (в нём другие "
                                   "таблицы): укажите другой файл.")
                        .arg(Native(path))};
        }
        if (*version > kSqliteSchemaVersion) {
            return {LocalCheck::Refused,
                    QStringLiteral("Журнал создан более новой версией программы (версия журнала "
                                   "%1, эта программа знает версии до %2): обновите программу. "
                                   "Журнал «%3» не изменён.")
                        .arg(*version)
                        .arg(kSqliteSchemaVersion)
                        .arg(Native(path))};
        }
        if (*version < kSqliteSchemaVersion) {
            // Another program (a second window, an export, the teacher's window) may be setting
            // up the same journal right now: the setup runs under SQLite's write lock and looks
            // at the version again there.
            RunSql(db, QStringLiteral("BEGIN IMMEDIATE"), {}, QStringLiteral("Журнал занят"));
            try {
                version = LocalSchemaVersion(db);
                if (version && *version == 0) {
                    CreateFirstLocalSchema(db);
                    version = 1;
                }
                if (version && *version < kSqliteSchemaVersion) {
                    MigrateLocalSchema(db, *version);
                }
                RunSql(db, QStringLiteral("COMMIT"), {}, QStringLiteral("Журнал занят"));
            } catch (const JournalError&) {
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
                throw;
            }
        }
        // Write-ahead logging: a reader (the teacher's window, an export) never blocks the pupil's
        // writer, nor the writer a reader; with synchronous FULL a finished commit survives a power
        // cut. A file that cannot be written stays in its own mode, which reading needs no more.
        QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous = FULL"));
    } catch (const JournalError& error) {
        const QString text = QString::fromUtf8(error.what());
        if (text.contains(QLatin1String("not a database")) ||
            text.contains(QLatin1String("malformed"))) {
            return {LocalCheck::NotADatabase, {}};
        }
        return {LocalCheck::Refused,
                QStringLiteral("Журнал «%1» не готов к работе: %2. Проверьте права на запись в "
                               "файл и его папку.")
                    .arg(Native(path), text)};
    }
    return {LocalCheck::Ready, {}, kSqliteSchemaVersion};
}

const QString kReadOnlyOption = QStringLiteral("QSQLITE_OPEN_READONLY");

// The damaged journals the pupil's program set aside beside `path` (MoveAside's names, without
// the files SQLite keeps beside them), newest last. Deliberately matched by prefix rather than
// a name filter: a filter is a pattern (a journal's name with "[" in it would not match itself)
// and compiling it loads the regular-expression engine into the pupil's program.
QStringList SetAside(const QString& path)
{
    const QFileInfo info(path);
    const QString prefix = info.fileName() + QStringLiteral(".corrupt-");
    const QFileInfoList found =
        QDir(info.absolutePath()).entryInfoList(QDir::Files, QDir::Time | QDir::Reversed);
    QStringList names;
    for (const QFileInfo& file : found) {
        const QString name = file.fileName();
        if (name.startsWith(prefix) && !name.endsWith(QLatin1String("-journal")) &&
            !name.endsWith(QLatin1String("-wal")) && !name.endsWith(QLatin1String("-shm"))) {
            names << Native(file.absoluteFilePath());
        }
    }
    return names;
}

// Opens the file read-only under connection `name` and checks that it is a journal of this
// program's schema; gives a problem text, empty when the connection is ready.
QString TryReadLocal(const QString& path, const QString& name)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000;") + kReadOnlyOption);
    if (!db.open()) {
        return QStringLiteral("Не удалось открыть журнал «%1» (%2): проверьте права на чтение "
                              "файла и его папки.")
            .arg(Native(path), db.lastError().text());
    }
    try {
        const std::optional<int> version = LocalSchemaVersion(db);
        if (!version) {
            return QStringLiteral("Файл «%1» — не журнал этой программы (в нём другие таблицы): "
                                  "укажите другой файл. Файл не изменён.")
                .arg(Native(path));
        }
        if (*version == 0) {
            // A pupil's program that is making the file right now, or an empty file of anyone's.
            return QStringLiteral("В файле «%1» нет таблиц журнала: в него ещё не записано ни "
                                  "одной попытки, или это не журнал.")
                .arg(Native(path));
        }
        if (*version > kSqliteSchemaVersion) {
            return QStringLiteral("Журнал создан более новой версией программы (версия журнала "
                                  "%1, эта программа знает версии до %2): обновите программу. "
                                  "Журнал «%3» не изменён.")
                .arg(*version)
                .arg(kSqliteSchemaVersion)
                .arg(Native(path));
        }
        if (*version < kSqliteSchemaVersion) {
            return QStringLiteral("Журнал «%1» записан прежней версией программы: он обновится, "
                                  "когда на этом компьютере начнут тест. Здесь он не изменён.")
                .arg(Native(path));
        }
    } catch (const JournalError& error) {
        const QString text = QString::fromUtf8(error.what());
        if (text.contains(QLatin1String("not a database")) ||
            text.contains(QLatin1String("malformed"))) {
            // The pupil's program finds the same at its next start and sets the file aside.
            return QStringLiteral("Журнал «%1» повреждён, прочитать его нельзя: %2. Программа "
                                  "теста отложит его в сторону (не удалит) и начнёт новый, когда "
                                  "её в следующий раз запустят с этим журналом.")
                .arg(Native(path), text);
        }
        return QStringLiteral("Не удалось прочитать журнал «%1»: %2. Проверьте права на чтение "
                              "файла и на запись в его папку (туда SQLite кладёт свои "
                              "служебные файлы).")
            .arg(Native(path), text);
    }
    return {};
}

// libpq's English words for the usual faults, as the sentence that says what to check.
QString UnknownServerText(const QUrl& url)
{
    return QStringLiteral("Сервер журнала «%1» не найден: проверьте имя сервера в адресе журнала.")
        .arg(url.host());
}

QString SilentServerText(const QUrl& url)
{
    return QStringLiteral("Сервер журнала %1:%2 не отвечает: проверьте, что он запущен и "
                          "доступен по сети, и номер порта в адресе журнала.")
        .arg(url.host())
        .arg(url.port(5432));
}

QString ServerProblem(const QUrl& url, const QString& libpqText)
{
    const QString where = QStringLiteral("%1:%2").arg(url.host()).arg(url.port(5432));
    if (libpqText.contains(QLatin1String("password authentication failed")) ||
        libpqText.contains(QLatin1String("no password supplied")) ||
        libpqText.contains(QLatin1String("authentication failed"))) {
        return QStringLiteral("Сервер журнала %1 не принял пользователя «%2»: проверьте имя и "
                              "пароль (в адресе журнала или в ~/.pgpass).")
            .arg(where, url.userName());
    }
    if (libpqText.contains(QLatin1String("could not translate host name")) ||
        libpqText.contains(QLatin1String("Name or service not known"))) {
        return UnknownServerText(url);
    }
    // TLS: a certificate this computer cannot check, or a server without TLS where it is
    // required. The file is named so that the administrator knows what to copy where.
    if (libpqText.contains(QLatin1String("certificate verify failed")) ||
        libpqText.contains(QLatin1String("server certificate for"))) {
        return QStringLiteral("Сервер журнала %1 предъявил сертификат, которому этот компьютер "
                              "не доверяет: проверьте файл сертификата сервера (sslrootcert) и "
                              "имя сервера в адресе журнала.")
            .arg(where);
    }
    if (libpqText.contains(QLatin1String("root certificate file"))) {
        return QStringLiteral("Нет файла сертификата сервера журнала, указанного в адресе "
                              "журнала (sslrootcert): скопируйте его на этот компьютер.");
    }
    if (libpqText.contains(QLatin1String("server does not support SSL"))) {
        return QStringLiteral("Сервер журнала %1 не поддерживает защищённое соединение (TLS), "
                              "а адрес журнала его требует (sslmode): проверьте настройку "
                              "сервера.")
            .arg(where);
    }
    if (libpqText.contains(QLatin1String("no encryption"))) {
        return QStringLiteral("Сервер журнала %1 принимает только защищённые соединения: "
                              "добавьте в адрес журнала ?sslmode=verify-full&sslrootcert=… "
                              "(см. README).")
            .arg(where);
    }
    if (libpqText.contains(QLatin1String("does not exist")) &&
        libpqText.contains(QLatin1String("database"))) {
        return QStringLiteral("На сервере журнала %1 нет базы «%2»: проверьте имя базы в адресе "
                              "журнала.")
            .arg(where, url.path().mid(1));
    }
    if (libpqText.contains(QLatin1String("Connection refused")) ||
        libpqText.contains(QLatin1String("timeout expired")) ||
        libpqText.contains(QLatin1String("No route to host")) ||
        libpqText.contains(QLatin1String("Network is unreachable"))) {
        return SilentServerText(url);
    }
    return QStringLiteral("Не удалось подключиться к серверу журнала %1 (%2).")
        .arg(where, libpqText.trimmed());
}

} // namespace

QString UriForMessages(const QString& uri)
{
    // Done on the text, so that a URI too malformed for QUrl does not show its password either.
    // The user information ends at the last '@' before the query (a password may hold an
    // unencoded '@'); everything from its first ':' to there is the password.
    const qsizetype schemeEnd = uri.indexOf(QStringLiteral("://"));
    if (schemeEnd < 0) {
        return uri;
    }
    const qsizetype authority = schemeEnd + 3;
    const qsizetype queryStart = uri.indexOf(u'?', authority);
    qsizetype at = uri.lastIndexOf(u'@', queryStart < 0 ? -1 : queryStart);
    if (at < authority) {
        // No '@' before a '?': the password itself may hold the '?'.
        at = uri.lastIndexOf(u'@');
    }
    QString shown = uri;
    qsizetype rest = authority;
    if (at >= authority) {
        const qsizetype colon = uri.indexOf(u':', authority);
        if (colon >= 0 && colon < at) {
            shown = uri.left(colon + 1) + QStringLiteral("***") + uri.mid(at);
            rest = colon + 4;
        }
    }
    // A password given as a query item (?password=…, &password=…).
    static const QRegularExpression item(QStringLiteral("([?&]password=)[^&#]*"),
                                         QRegularExpression::CaseInsensitiveOption);
    QString tail = shown.mid(rest);
    tail.replace(item, QStringLiteral("\\1***"));
    return shown.left(rest) + tail;
}

QString LocalJournalPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/journal.sqlite");
}

OpenResult OpenSqlite(const QString& path)
{
    QString note;
    for (int round = 0; round < 2; ++round) {
        if (QString problem = PrepareFile(path); !problem.isEmpty()) {
            return {std::nullopt, problem};
        }
        const QString name = NewConnectionName(QStringLiteral("sqlite"));
        const LocalAttempt attempt = TryOpenLocal(path, name);
        if (attempt.Check == LocalCheck::Ready) {
            return {Connection{name, Backend::Sqlite, attempt.Version}, note};
        }
        Forget(name);
        if (attempt.Check == LocalCheck::Refused || round > 0) {
            return {std::nullopt,
                    attempt.Problem.isEmpty()
                        ? QStringLiteral("Журнал «%1» повреждён, и новый начать не удалось.")
                              .arg(Native(path))
                        : attempt.Problem};
        }
        const std::optional<QString> movedTo = MoveAside(path);
        if (!movedTo) {
            return {std::nullopt,
                    QStringLiteral("Журнал «%1» повреждён, и его не удалось переименовать: "
                                   "проверьте права на запись в его папку.")
                        .arg(Native(path))};
        }
        note = QStringLiteral("Журнал «%1» был повреждён: он сохранён как «%2», начат новый "
                              "журнал.")
                   .arg(Native(path), Native(*movedTo));
    }
    return {std::nullopt, note};
}

OpenResult OpenSqliteForReading(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        return {std::nullopt, QStringLiteral("Журнала «%1» ещё нет: на этом компьютере тест ещё "
                                             "не проходили.")
                                  .arg(Native(path))};
    }
    const QString name = NewConnectionName(QStringLiteral("sqlite-read"));
    const QString problem = TryReadLocal(path, name);
    if (!problem.isEmpty()) {
        Forget(name);
        return {std::nullopt, problem};
    }
    QString note;
    if (const QStringList aside = SetAside(path); !aside.isEmpty()) {
        note = QStringLiteral("Повреждённый журнал отложен в сторону: «%1». Попытки из него здесь "
                              "не показаны.")
                   .arg(aside.join(QStringLiteral("», «")));
    }
    return {Connection{name, Backend::Sqlite, kSqliteSchemaVersion}, note};
}

bool IsReadOnly(const Connection& c)
{
    const QSqlDatabase db = QSqlDatabase::database(c.Name, false);
    return c.Kind == Backend::Sqlite && db.isValid() &&
           db.connectOptions().contains(kReadOnlyOption);
}

OpenResult OpenForChange(const Connection& readOnly)
{
    const QString path = QSqlDatabase::database(readOnly.Name, false).databaseName();
    // SQLite would make a missing file; this one must be the journal that was read.
    if (!QFileInfo(path).isFile()) {
        return {std::nullopt,
                QStringLiteral("журнала «%1» больше нет на месте.").arg(Native(path))};
    }
    const QString name = NewConnectionName(QStringLiteral("sqlite-change"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        QString problem;
        if (!db.open()) {
            problem = db.lastError().text();
        } else {
            try {
                RunSql(db, QStringLiteral("PRAGMA foreign_keys = ON"), {},
                       QStringLiteral("Журнал занят"));
                if (LocalSchemaVersion(db) != kSqliteSchemaVersion) {
                    problem =
                        QStringLiteral("журнал «%1» заменён другим файлом.").arg(Native(path));
                }
            } catch (const JournalError& error) {
                problem = QString::fromUtf8(error.what());
            }
        }
        if (!problem.isEmpty()) {
            db = QSqlDatabase();
            Forget(name);
            return {std::nullopt, problem};
        }
    }
    return {Connection{name, Backend::Sqlite, kSqliteSchemaVersion}, {}};
}

OpenResult OpenServer(const QString& uri)
{
    const QUrl url(uri, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    const qsizetype schemeEnd = uri.indexOf(QStringLiteral("://"));
    if (schemeEnd > 0 && scheme != QLatin1String("postgresql") &&
        scheme != QLatin1String("postgres")) {
        // What stands before "://" is a scheme only when it looks like one; anything else is
        // the general complaint below, which shows no more than UriForMessages does.
        static const QRegularExpression schemeLike(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*$"));
        const QString typed = uri.left(schemeEnd);
        if (!schemeLike.match(typed).hasMatch()) {
            return {std::nullopt, QStringLiteral("Адрес журнала «%1» записан неверно: нужен вид "
                                                 "postgresql://пользователь:пароль@сервер:порт/"
                                                 "база.")
                                      .arg(UriForMessages(uri))};
        }
        return {std::nullopt,
                QStringLiteral("Адрес журнала «%1» не понят: вид «%2://» неизвестен, нужен "
                               "postgresql://пользователь:пароль@сервер:порт/база (путь к файлу "
                               "журнала пишется без «://»).")
                    .arg(UriForMessages(uri), typed.left(40))};
    }
    if (!url.isValid() ||
        (scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres")) ||
        url.host().isEmpty() || url.path().size() < 2 || url.path().indexOf(u'/', 1) >= 0 ||
        (url.port() != -1 && url.port() < 1)) {
        return {std::nullopt, QStringLiteral("Адрес журнала «%1» записан неверно: нужен вид "
                                             "postgresql://пользователь:пароль@сервер:порт/база.")
                                  .arg(UriForMessages(uri))};
    }
    QStringList options = {
        QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutSeconds),
        QStringLiteral("application_name=fraction-test"),
        QStringLiteral("options='-c statement_timeout=%1'").arg(kStatementTimeoutMs),
    };
    const QUrlQuery query(url);
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        // libpq's own keywords only: letters and underscores; the value is quoted for libpq.
        static const QRegularExpression keyword(QStringLiteral("^[a-z_]+$"));
        if (!keyword.match(key).hasMatch()) {
            return {std::nullopt, QStringLiteral("Адрес журнала «%1»: непонятный параметр «%2».")
                                      .arg(UriForMessages(uri), key)};
        }
        // Qt's driver turns every ';' of its options into a space, which would quietly change
        // a value such as a certificate's path.
        if (value.contains(u';')) {
            return {std::nullopt,
                    QStringLiteral("Адрес журнала «%1»: в значении параметра «%2» не может быть "
                                   "точки с запятой.")
                        .arg(UriForMessages(uri), key)};
        }
        QString quoted = value;
        quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
        options << QStringLiteral("%1='%2'").arg(key, quoted);
    }
    // A server that nobody answers for is found out without loading PostgreSQL's client library.
    // Where the address's parameters name another host or port, the library is left to it.
    const bool elsewhere = query.hasQueryItem(QStringLiteral("host")) ||
                           query.hasQueryItem(QStringLiteral("hostaddr")) ||
                           query.hasQueryItem(QStringLiteral("port")) ||
                           query.hasQueryItem(QStringLiteral("service"));
    if (!elsewhere) {
        switch (
            ProbeServer(url.host(), url.port(5432), std::chrono::seconds(kConnectTimeoutSeconds))) {
        case ServerReach::Silent:
            return {std::nullopt, SilentServerText(url)};
        case ServerReach::UnknownHost:
            return {std::nullopt, UnknownServerText(url)};
        case ServerReach::Answers:
        case ServerReach::CannotTell:
            break;
        }
    }
    const QString name = NewConnectionName(QStringLiteral("server"));
    int found = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(url.host());
        db.setPort(url.port(5432));
        db.setDatabaseName(url.path().mid(1));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setConnectOptions(options.join(u';'));
        if (!db.open()) {
            const QString problem =
                ServerProblem(url, db.lastError().databaseText() + QLatin1Char(' ') +
                                       db.lastError().driverText());
            db = QSqlDatabase();
            Forget(name);
            return {std::nullopt, problem};
        }
        QSqlQuery version(db);
        if (!version.exec(QStringLiteral("SELECT max(version) FROM schema_version")) ||
            !version.next()) {
            version.finish();
            db = QSqlDatabase();
            Forget(name);
            return {std::nullopt,
                    QStringLiteral("На сервере журнала %1 нет таблиц журнала или у пользователя "
                                   "«%2» нет к ним доступа: загрузите в базу "
                                   "postgresql-journal.sql (см. README).")
                        .arg(url.host(), url.userName())};
        }
        found = version.value(0).toInt();
        version.finish();
        if (found > kServerSchemaVersion) {
            db = QSqlDatabase();
            Forget(name);
            return {std::nullopt,
                    QStringLiteral("Журнал создан более новой версией программы (версия журнала "
                                   "%1, эта программа знает версии до %2): обновите программу. "
                                   "Журнал на сервере %3 не изменён.")
                        .arg(found)
                        .arg(kServerSchemaVersion)
                        .arg(url.host())};
        }
        // A server without the stamps and the bounds is refused; one without the roster is
        // used without it (HasRoster).
        if (found < kServerStampsVersion) {
            db = QSqlDatabase();
            Forget(name);
            return {std::nullopt,
                    QStringLiteral("Журнал на сервере %1 старой версии (%2, нужна %3): "
                                   "администратору нужно обновить его файлом "
                                   "postgresql-journal-upgrade-%3.sql (см. README). Журнал не "
                                   "изменён.")
                        .arg(url.host())
                        .arg(found)
                        .arg(kServerStampsVersion)};
        }
    }
    return {Connection{name, Backend::Postgres, found}, {}};
}

OpenResult OpenForReading()
{
    const JournalSettings settings = ConfiguredJournalSettings();
    if (!settings.ServerUri.isEmpty()) {
        return OpenServer(settings.ServerUri);
    }
    return OpenSqliteForReading(settings.LocalPath);
}

bool HasRoster(const Connection& c)
{
    return c.Version >= (c.Kind == Backend::Sqlite ? kSqliteRosterVersion : kServerRosterVersion);
}

void CloseConnection(const Connection& c)
{
    Forget(c.Name);
}

} // namespace journal
