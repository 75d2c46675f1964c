// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/csv_export.h"

#include "engine/mistake_diagnosis.h"
#include "journal/attempt_check.h"
#include "journal/attempt_store.h"
#include "journal/journal_error.h"

namespace journal {

namespace {

QString Number(const std::optional<int>& value)
{
    return value ? QString::number(*value) : QString();
}

QString LocalTimeText(const QDateTime& t)
{
    return t.isValid() ? t.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                       : QString();
}

// Keeps a spreadsheet from running what a pupil typed as a formula. A leading TAB or CR is
// guarded too: some spreadsheets drop it and read what follows as a formula.
QString FreeText(const QString& text)
{
    static const QString risky = QStringLiteral("=+-@\t\r'");
    if (!text.isEmpty() && risky.contains(text.front())) {
        return QLatin1Char('\'') + text;
    }
    return text;
}

QString FreeText(const std::string& text)
{
    return FreeText(QString::fromStdString(text));
}

void Write(QIODevice& out, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    if (out.write(bytes) != bytes.size()) {
        throw JournalError(QStringLiteral("Не удалось записать CSV-файл: %1")
                               .arg(out.errorString())
                               .toStdString());
    }
}

} // namespace

QStringList CsvHeader()
{
    QStringList header = {
        QStringLiteral("Код попытки"),    QStringLiteral("Ученик"),
        QStringLiteral("Компьютер"),      QStringLiteral("Версия программы"),
        QStringLiteral("Начало"),         QStringLiteral("Конец"),
        QStringLiteral("Секунд"),         QStringLiteral("Как закончен"),
        QStringLiteral("Верных ответов"), QStringLiteral("Отметка словами"),
        QStringLiteral("Отметка"),
    };
    for (int n = 1; n <= engine::kAttemptRows; ++n) {
        const QString row = QStringLiteral("Задание %1: ").arg(n);
        header << row + QStringLiteral("действие");
        for (const QString& what : {QStringLiteral("первая дробь"), QStringLiteral("вторая дробь"),
                                    QStringLiteral("ответ")}) {
            header << row + what + QStringLiteral(", целая часть")
                   << row + what + QStringLiteral(", числитель")
                   << row + what + QStringLiteral(", знаменатель");
        }
        header << row + QStringLiteral("введено, целая часть")
               << row + QStringLiteral("введено, числитель")
               << row + QStringLiteral("введено, знаменатель") << row + QStringLiteral("итог");
    }
    header << QStringLiteral("Проверка");
    for (int n = 1; n <= engine::kAttemptRows; ++n) {
        header << QStringLiteral("Задание %1: ошибка").arg(n);
    }
    header << QStringLiteral("Класс");
    return header;
}

QStringList CsvFields(const StoredAttempt& a)
{
    const engine::AttemptRecord& r = a.Record;
    // The key, the verdicts, the count and the mark are the ones the answers earn; the stored
    // ones are only compared with them, in the last column.
    const engine::AttemptReview review = CheckAttempt(a);
    QStringList fields = {
        // The id is free text too: a local file is the pupil's and may hold anything there.
        FreeText(a.Id),
        FreeText(a.Pupil),
        FreeText(a.Host),
        FreeText(a.ProgramVersion),
        LocalTimeText(a.StartedAt),
        LocalTimeText(a.EndedAt),
        QString::number(r.SecondsUsed),
        EndingText(r.End),
        Number(review.RightCount),
        QString::fromStdString(review.GradeText),
        Number(review.Mark),
    };
    for (int n = 0; n < engine::kAttemptRows; ++n) {
        const engine::RowRecord& row = r.Rows.at(n);
        fields << (row.Op == engine::Operation::Divide ? QStringLiteral("деление")
                                                       : QStringLiteral("умножение"));
        for (const engine::Fraction* f : {&row.First, &row.Second}) {
            fields << QString::number(f->Whole) << QString::number(f->Numerator)
                   << QString::number(f->Denominator);
        }
        if (const std::optional<engine::Fraction>& key = review.Keys.at(n)) {
            fields << QString::number(key->Whole) << QString::number(key->Numerator)
                   << QString::number(key->Denominator);
        } else {
            // An exercise the test does not make has no key to give.
            fields << QString() << QString() << QString();
        }
        fields << FreeText(row.Typed.Whole) << FreeText(row.Typed.Numerator)
               << FreeText(row.Typed.Denominator);
        const std::optional<bool>& right = review.Right.at(n);
        fields << (right ? (*right ? QStringLiteral("верно") : QStringLiteral("неверно"))
                         : QString());
    }
    fields << CheckTextOf(review);
    const engine::AttemptRecord judged = engine::AsJudged(r, review);
    for (const engine::RowRecord& row : judged.Rows) {
        fields << QString::fromStdString(engine::RowMistakeWords(row));
    }
    fields << FreeText(a.ClassName);
    return fields;
}

QString CsvLine(const QStringList& fields, QChar separator)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields) {
        if (field.contains(separator) || field.contains(u',') || field.contains(u'"') ||
            field.contains(u'\n') || field.contains(u'\r') || field.startsWith(u' ') ||
            field.endsWith(u' ')) {
            QString inner = field;
            inner.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            quoted << QLatin1Char('"') + inner + QLatin1Char('"');
        } else {
            quoted << field;
        }
    }
    return quoted.join(separator);
}

void WriteClassCsv(const ClassResults& results, QIODevice& out)
{
    const QString lineEnd = QStringLiteral("\r\n");
    Write(out,
          QString(QChar(0xFEFF)) +
              CsvLine({QStringLiteral("Фамилия"), QStringLiteral("Имя"), QStringLiteral("Отметка"),
                       QStringLiteral("Секунд"), QStringLiteral("Попыток")}) +
              lineEnd);
    for (const PupilResult& line : results.Lines) {
        const QString mark = line.Attempts == 0 ? QStringLiteral("не проходил(а)")
                             : line.Mark        ? QString::number(*line.Mark)
                                                : QStringLiteral("без оценки");
        Write(out, CsvLine({FreeText(line.Pupil.Surname), FreeText(line.Pupil.FirstName), mark,
                            Number(line.Seconds), QString::number(line.Attempts)}) +
                       lineEnd);
    }
    Write(out, CsvLine({QStringLiteral("Средняя отметка"), QString(),
                        results.Mean ? QString::number(*results.Mean, 'f', 2) : QString()}) +
                   lineEnd);
}

QStringList WriteCsv(const Connection& c, const AttemptFilter& f, QIODevice& out)
{
    const std::vector<StoredAttempt> attempts = LoadAttempts(c, f);
    const QString lineEnd = QStringLiteral("\r\n");
    Write(out, QString(QChar(0xFEFF)) + CsvLine(CsvHeader()) + lineEnd);
    QStringList notIds;
    for (const StoredAttempt& a : attempts) {
        Write(out, CsvLine(CsvFields(a)) + lineEnd);
        if (!IsAttemptId(a.Id)) {
            notIds << a.Id;
        }
    }
    return notIds;
}

} // namespace journal
