// SPDX-License-Identifier: GPL-3.0-or-later
// The roster in a real local journal file: reading pasted and CSV lists (bad lines named with
// their numbers), editing classes and pupils, who an account's login is and how long they have,
// an attempt with more time than ten minutes, and the real program's --import-roster.
#include "attempt_samples.h"
#include "unprivileged.h"

#include "journal/attempt_check.h"
#include "journal/attempt_store.h"
#include "journal/journal_error.h"
#include "journal/roster.h"
#include "journal/roster_import.h"
#include "tests/support/genuine_attempt.h"

#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using journal::RosterPupil;
using journal::SchoolClass;

namespace {

// "Фамилия|Имя|logins|minutes" for each pupil read.
QStringList Described(const std::vector<RosterPupil>& pupils)
{
    QStringList out;
    for (const RosterPupil& p : pupils) {
        out << QStringLiteral("%1|%2|%3|%4")
                   .arg(p.Surname, p.FirstName, p.Logins.join(u' '),
                        p.Minutes ? QString::number(*p.Minutes) : QString());
    }
    return out;
}

RosterPupil Pupil(const QString& classId, const QString& surname, const QString& first,
                  const QStringList& logins = {}, std::optional<int> minutes = {})
{
    return {{}, classId, surname, first, logins, minutes};
}

bool Throws(const std::function<void()>& f)
{
    try {
        f();
    } catch (const journal::JournalError&) {
        return true;
    }
    return false;
}

} // namespace

class TestRoster : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::optional<journal::Connection> db_;

    const journal::Connection& Db() { return *db_; }

private slots:
    void init()
    {
        static int n = 0;
        const auto opened =
            journal::OpenSqlite(dir_.filePath(QStringLiteral("j%1.sqlite").arg(++n)));
        QVERIFY2(opened.Db, qPrintable(opened.Problem));
        db_ = opened.Db;
    }

    void cleanup()
    {
        if (db_) {
            journal::CloseConnection(*db_);
            db_.reset();
        }
    }

    void readsLists_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("pupils");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("spreadsheet paste, header, logins, minutes")
            << "Фамилия\tИмя\tВход\tМинуты\nИванов\tИван\tivanov\t\n"
               "Петрова\tАнна\tpetrova apetrova\t15\n"
            << QStringList{"Иванов|Иван|ivanov|", "Петрова|Анна|petrova apetrova|15"}
            << QStringList{};
        QTest::newRow("semicolons with quotes, CRLF, empty lines")
            << "\"Сидоров; мл.\";Олег\r\n\r\n\"Ким\";\"Юна \"\"Юю\"\"\";;20\r\n"
            << QStringList{"Сидоров; мл.|Олег||", "Ким|Юна \"Юю\"||20"} << QStringList{};
        QTest::newRow("one name a line: the first word is the surname")
            << "Иванова Мария Петровна\nЛи Чен\n"
            << QStringList{"Иванова|Мария Петровна||", "Ли|Чен||"} << QStringList{};
        QTest::newRow("bad lines named, good ones kept")
            << "Иванов,Иван,ivanov\nПетров\n,Анна\nСидоров,Олег,олег\nКим,Юна,kim,пять\n"
               "Ли,Чен,li,5\nОрлова,Ева,orlova,15,лишнее\nНовиков,Пётр,ivanov\n\nЗуева,Зоя,zueva,"
               "61\n"
            << QStringList{"Иванов|Иван|ivanov|"}
            << (QStringList()
                << "Строка 2: нужны фамилия и имя, а здесь только «Петров»"
                << "Строка 3: нет фамилии или имени"
                << "Строка 4: имя входа «олег» записано неверно: только латинские буквы, "
                   "цифры и знаки . _ - @"
                << "Строка 5: время на тест «пять» — не число минут"
                << "Строка 6: время на тест 5 мин, а бывает от 10 до 60 минут (всё время, "
                   "а не добавка)"
                << "Строка 7: полей 5, а бывает не больше четырёх: фамилия, имя, имя "
                   "входа, минуты"
                << "Строка 8: имя входа «ivanov» уже есть выше в списке"
                << "Строка 10: время на тест 61 мин, а бывает от 10 до 60 минут (всё "
                   "время, а не добавка)");
        QTest::newRow("nothing but a header") << "Фамилия,Имя\n" << QStringList{} << QStringList{};
    }

    void readsLists()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, pupils);
        QFETCH(QStringList, problems);
        const journal::RosterImport read = journal::ParseRoster(text);
        QCOMPARE(Described(read.Pupils), pupils);
        QStringList said;
        for (const auto& p : read.Problems) {
            said << p.Text;
        }
        QCOMPARE(said, problems);
    }

    void readsFilesInEitherEncoding()
    {
        const QString text = QStringLiteral("Ёлкина;Злата\n");
        QStringEncoder cp1251("windows-1251");
        QVERIFY(cp1251.isValid());
        const QByteArray windows = cp1251.encode(text);
        QCOMPARE(journal::RosterTextFromBytes(windows), text);
        QCOMPARE(journal::RosterTextFromBytes("\xEF\xBB\xBF" + text.toUtf8()), text);
    }

    void classesAndPupilsAreEdited()
    {
        const SchoolClass a =
            journal::AddClass(Db(), {{}, QStringLiteral(" 6А "), "2026/2027", false, {}});
        const SchoolClass b = journal::AddClass(Db(), {{}, "6Б", "2026/2027", false, 15});
        QCOMPARE(a.Name, QStringLiteral("6А"));
        RosterPupil ivan = journal::AddPupil(Db(), Pupil(a.Id, "Иванов", "Иван", {"ivanov"}));
        journal::AddPupil(Db(), Pupil(a.Id, "Алексеева", "Ася"));
        QCOMPARE(Described(journal::LoadPupils(Db(), a.Id)),
                 (QStringList{"Алексеева|Ася||", "Иванов|Иван|ivanov|"}));

        // Moved to 6Б with a time of his own.
        ivan.ClassId = b.Id;
        ivan.Minutes = 20;
        journal::UpdatePupil(Db(), ivan);
        QCOMPARE(Described(journal::LoadPupils(Db(), b.Id)), QStringList{"Иванов|Иван|ivanov|20"});
        QCOMPARE(journal::LoadPupils(Db(), a.Id).size(), 1U);

        SchoolClass renamed = a;
        renamed.Name = "6В";
        renamed.Archived = true;
        journal::UpdateClass(Db(), renamed);
        const auto active = journal::LoadClasses(Db(), false);
        QCOMPARE(active.size(), 1U);
        QCOMPARE(active.front().Name, QStringLiteral("6Б"));
        QCOMPARE(journal::LoadClasses(Db(), true).size(), 2U);
        QVERIFY(!journal::ActiveClassNamed(Db(), "6В"));
        QCOMPARE(journal::ActiveClassNamed(Db(), "6Б")->Id, b.Id);

        // Names only: neither logins nor minutes.
        for (const RosterPupil& p : journal::LoadPupilNames(Db())) {
            QVERIFY(p.Logins.isEmpty());
            QVERIFY(!p.Minutes);
        }
    }

    void refusedEdits_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("same class and year twice") << 0;
        QTest::newRow("class without a name") << 1;
        QTest::newRow("class with 5 minutes") << 2;
        QTest::newRow("pupil without a first name") << 3;
        QTest::newRow("pupil with a Cyrillic login") << 4;
        QTest::newRow("pupil in a class that is not there") << 5;
        QTest::newRow("pupil with 90 minutes") << 6;
        QTest::newRow("removing a pupil twice") << 7;
    }

    void refusedEdits()
    {
        QFETCH(int, which);
        const SchoolClass a = journal::AddClass(Db(), {{}, "6А", "2026/2027", false, {}});
        const RosterPupil p = journal::AddPupil(Db(), Pupil(a.Id, "Иванов", "Иван"));
        journal::RemovePupil(Db(), journal::AddPupil(Db(), Pupil(a.Id, "Гость", "Гость")).Id);
        const std::vector<std::function<void()>> edits = {
            [&] {
                journal::AddClass(Db(), {{}, "6А", "2026/2027", false, {}});
            },
            [&] {
                journal::AddClass(Db(), {{}, "  ", "2026/2027", false, {}});
            },
            [&] {
                journal::AddClass(Db(), {{}, "6Г", "2026/2027", false, 5});
            },
            [&] { journal::AddPupil(Db(), Pupil(a.Id, "Петров", " ")); },
            [&] { journal::AddPupil(Db(), Pupil(a.Id, "Петров", "Пётр", {"пётр"})); },
            [&] { journal::AddPupil(Db(), Pupil(journal::NewAttemptId(), "Петров", "Пётр")); },
            [&] {
                RosterPupil changed = p;
                changed.Minutes = 90;
                journal::UpdatePupil(Db(), changed);
            },
            [&] { journal::RemovePupil(Db(), p.Id), journal::RemovePupil(Db(), p.Id); },
        };
        const auto before = journal::LoadPupils(Db());
        QVERIFY(Throws(edits.at(static_cast<std::size_t>(which))));
        if (which != 7) {
            QCOMPARE(journal::LoadPupils(Db()), before);
            QCOMPARE(journal::LoadClasses(Db(), true).size(), 1U);
        }
    }

    void loginsAndTimesAllowed()
    {
        const SchoolClass a = journal::AddClass(Db(), {{}, "6А", "2026/2027", false, {}});
        const SchoolClass b = journal::AddClass(Db(), {{}, "6Б", "2026/2027", false, 15});
        const SchoolClass old = journal::AddClass(Db(), {{}, "6А", "2025/2026", true, {}});
        const RosterPupil ivanov =
            journal::AddPupil(Db(), Pupil(a.Id, "Иванов", "Иван", {"ivanov", "i.ivanov"}));
        const RosterPupil ivan = journal::AddPupil(Db(), Pupil(b.Id, "Иванова", "Ива", {"ivan"}));
        const RosterPupil own = journal::AddPupil(Db(), Pupil(b.Id, "Ким", "Юна", {"kim"}, 25));
        journal::AddPupil(Db(), Pupil(old.Id, "Старый", "Сергей", {"stary"}));

        const auto found = journal::PupilForLogin(Db(), "i.ivanov");
        QVERIFY(found);
        QCOMPARE(found->PupilId, ivanov.Id);
        QCOMPARE(found->ClassName, QStringLiteral("6А"));
        QCOMPARE(found->SecondsAllowed, 600);
        // A login is a whole word of the list: "ivan" is not "ivanov".
        QCOMPARE(journal::PupilForLogin(Db(), "ivan")->PupilId, ivan.Id);
        QCOMPARE(journal::PupilForLogin(Db(), "ivan")->SecondsAllowed, 900);
        QVERIFY(!journal::PupilForLogin(Db(), "iva"));
        QVERIFY(!journal::PupilForLogin(Db(), ""));
        // An archived class's pupils are not found.
        QVERIFY(!journal::PupilForLogin(Db(), "stary"));

        QCOMPARE(journal::SecondsAllowedFor(Db(), own.Id), 25 * 60);
        QCOMPARE(journal::SecondsAllowedFor(Db(), ivan.Id), 15 * 60);
        QCOMPARE(journal::SecondsAllowedFor(Db(), ivanov.Id), 600);
        QCOMPARE(journal::SecondsAllowedFor(Db(), journal::NewAttemptId()), 600);
    }

    void importUpdatesPupilsAlreadyThere()
    {
        const SchoolClass a = journal::AddClass(Db(), {{}, "6А", "2026/2027", false, {}});
        const RosterPupil there = journal::AddPupil(Db(), Pupil(a.Id, "Ёлкина", "Злата"));
        const auto read = journal::ParseRoster("ЁЛКИНА\tзлата\telkina\t15\nИванов\tИван\n");
        QVERIFY(read.Problems.empty());
        const journal::ImportCount count = journal::ImportPupils(Db(), a.Id, read.Pupils);
        QCOMPARE(count.Added, 1);
        QCOMPARE(count.Updated, 1);
        const auto pupils = journal::LoadPupils(Db(), a.Id);
        QCOMPARE(Described(pupils), (QStringList{"Ёлкина|Злата|elkina|15", "Иванов|Иван||"}));
        QCOMPARE(pupils.front().Id, there.Id);
    }

    void removingAPupilKeepsTheirAttempts()
    {
        const SchoolClass a = journal::AddClass(Db(), {{}, "6А", "2026/2027", false, {}});
        const RosterPupil p = journal::AddPupil(Db(), Pupil(a.Id, "Петрова", "Анна"));
        journal::StoredAttempt attempt = journal_test::SampleAttempt();
        attempt.ClassName = a.Name;
        attempt.RosterPupilId = p.Id;
        journal::SaveAttempt(Db(), attempt);
        journal::RemovePupil(Db(), p.Id);
        QVERIFY(journal::LoadPupils(Db()).empty());
        const auto kept = journal::LoadAttempt(Db(), attempt.Id);
        QVERIFY(kept);
        QCOMPARE(kept->ClassName, QStringLiteral("6А"));
        QCOMPARE(kept->RosterPupilId, p.Id);
        journal::AttemptFilter ofClass;
        ofClass.ClassName = "6А";
        QCOMPARE(journal::LoadAttempts(Db(), ofClass).size(), 1U);
        ofClass.ClassName = "6Б";
        QVERIFY(journal::LoadAttempts(Db(), ofClass).empty());
    }

    void timeAllowedIsKeptAndChecked_data()
    {
        QTest::addColumn<int>("allowed");
        QTest::addColumn<int>("used");
        QTest::addColumn<bool>("timedOut");
        QTest::addColumn<bool>("kept");
        QTest::newRow("15 minutes, all used") << 900 << 900 << true << true;
        QTest::newRow("15 minutes, handed in after 12") << 900 << 720 << false << true;
        QTest::newRow("15 minutes, one second more") << 900 << 901 << true << false;
        QTest::newRow("ten minutes, 601 s") << 600 << 601 << true << false;
        QTest::newRow("less than ten minutes") << 540 << 500 << false << false;
    }

    void timeAllowedIsKeptAndChecked()
    {
        QFETCH(int, allowed);
        QFETCH(int, used);
        QFETCH(bool, timedOut);
        QFETCH(bool, kept);
        journal::StoredAttempt a = journal_test::SampleAttempt();
        a.Record = test_support::GenuineAttempt(0x3FF, 0);
        a.Record.End = timedOut ? engine::AttemptEnd::TimedOut : engine::AttemptEnd::HandedIn;
        a.Record.SecondsAllowed = allowed;
        a.Record.SecondsUsed = used;
        a.EndedAt = a.StartedAt.addSecs(used);
        QCOMPARE(Throws([&] { journal::SaveAttempt(Db(), a); }), !kept);
        const auto back = journal::LoadAttempt(Db(), a.Id);
        QCOMPARE(back.has_value(), kept);
        if (kept) {
            QCOMPARE(back->Record.SecondsAllowed, allowed);
            // Judged again against its own time, not the test's ten minutes.
            QVERIFY2(journal::CheckAttempt(*back).Agrees(),
                     qPrintable(journal::CheckTextOf(journal::CheckAttempt(*back))));
        }
    }

    void importCommand_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("pupils");
        QTest::newRow("good list")
            << QByteArray("Фамилия;Имя;Вход;Минуты\r\nИванов;Иван;ivanov;\r\nКим;Юна;kim;15\r\n")
            << QStringList{"--class", "6А"} << 0
            << QStringList{"Класс «6А» (%1): добавлено учеников: 2, обновлено: 0."}
            << QStringList{"Иванов|Иван|ivanov|", "Ким|Юна|kim|15"};
        QTest::newRow("a bad line imports nothing")
            << QByteArray("Иванов;Иван\nКим\n") << QStringList{"--class", "6А"} << 1
            << QStringList{"fraction-test: %2: Строка 2: нужны фамилия и имя, а здесь только «Ким»",
                           "fraction-test: список не загружен: исправьте строки выше и повторите"}
            << QStringList{};
        QTest::newRow("no such file") << QByteArray() << QStringList{"--class", "6А"} << 1
                                      << QStringList{"fraction-test: не удалось прочитать файл "
                                                     "«%3»: No such file or directory"}
                                      << QStringList{};
        QTest::newRow("no class") << QByteArray("Иванов;Иван\n") << QStringList{} << 2
                                  << QStringList{"fraction-test: --import-roster и --class "
                                                 "указываются вместе: fraction-test "
                                                 "--import-roster ФАЙЛ --class 6А"}
                                  << QStringList{};
    }

    void importCommand()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QStringList, said);
        QFETCH(QStringList, pupils);
        const QString journalPath = dir_.filePath(QString(QTest::currentDataTag()) + ".sqlite");
        const QString listPath = dir_.filePath("list.csv");
        const QString missing = dir_.filePath("missing.csv");
        QFile::remove(listPath);
        if (!file.isEmpty()) {
            QFile list(listPath);
            QVERIFY(list.open(QIODevice::WriteOnly));
            list.write(file);
        }
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("FRACTION_TEST_JOURNAL", journalPath);
        program.setProcessEnvironment(env);
        program.start(FRACTION_TEST_PROGRAM,
                      QStringList{"--import-roster", file.isEmpty() ? missing : listPath} +
                          arguments);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), status);
        const QString out =
            QString::fromUtf8(program.readAllStandardOutput() + program.readAllStandardError());
        QStringList expected;
        for (const QString& line : said) {
            expected << QString(line)
                            .replace("%1", journal::SchoolYearOf(QDate::currentDate()))
                            .replace("%2", listPath)
                            .replace("%3", missing);
        }
        QCOMPARE(out.split('\n', Qt::SkipEmptyParts), expected);
        const auto opened = journal::OpenSqlite(journalPath);
        QVERIFY(opened.Db);
        const auto stored = journal::LoadPupils(*opened.Db);
        journal::CloseConnection(*opened.Db);
        QCOMPARE(Described(stored), pupils);
    }
};

JOURNAL_TEST_MAIN(TestRoster)
#include "tst_roster.moc"
