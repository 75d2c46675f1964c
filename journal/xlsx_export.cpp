// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/xlsx_export.h"

#include "journal/attempt_check.h"
#include "journal/attempt_store.h"
#include "journal/journal_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <array>
#include <cstdio>

namespace journal {

namespace {

enum Column { Pupil, Host, Started, Ended, Used, Ending, Right, Mark, Check, Id, ColumnCount };

// Widths in characters: a whole name, a date with its time, the longest ending.
constexpr std::array<double, ColumnCount> kWidths = {30, 14, 17, 17, 8, 14, 15, 9, 40, 38};

JournalError Failure(const QString& path, const QString& why)
{
    return JournalError(
        QStringLiteral("Не удалось записать файл «%1»: %2").arg(path, why).toStdString());
}

// XML 1.0 has no place for control characters; a forged name holding one would make the
// workbook unreadable, so each becomes a space. The length is bounded by a cell's limit.
QByteArray CellText(const QString& text)
{
    QString clean = text.left(32767);
    for (QChar& c : clean) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n') {
            c = u' ';
        }
    }
    return clean.toUtf8();
}

lxw_datetime LocalDateTime(const QDateTime& t)
{
    const QDateTime local = t.toLocalTime();
    return {local.date().year(), local.date().month(),  local.date().day(),
            local.time().hour(), local.time().minute(), static_cast<double>(local.time().second())};
}

} // namespace

struct XlsxListWriter::Workbook {
    QString target;
    QTemporaryFile hidden;
    lxw_workbook* book = nullptr;
    lxw_worksheet* sheet = nullptr;
    lxw_format* heading = nullptr;
    lxw_format* dateTime = nullptr;
    lxw_format* duration = nullptr;
    lxw_format* percent = nullptr;
    lxw_row_t row = 0;
    lxw_error error = LXW_NO_ERROR;

    void Keep(lxw_error e)
    {
        if (error == LXW_NO_ERROR) {
            error = e;
        }
    }
    void Text(Column c, const QString& text, lxw_format* format = nullptr)
    {
        if (!text.isEmpty()) {
            Keep(worksheet_write_string(sheet, row, c, CellText(text).constData(), format));
        }
    }
    void Number(Column c, const std::optional<int>& value)
    {
        if (value) {
            Keep(worksheet_write_number(sheet, row, c, *value, nullptr));
        }
    }
    void Time(Column c, const QDateTime& t)
    {
        if (t.isValid()) {
            lxw_datetime value = LocalDateTime(t);
            Keep(worksheet_write_datetime(sheet, row, c, &value, dateTime));
        }
    }
};

XlsxListWriter::XlsxListWriter(const QString& path) : book_(std::make_unique<Workbook>())
{
    const QFileInfo target(path);
    book_->target = target.absoluteFilePath();
    book_->hidden.setFileTemplate(
        target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    if (!book_->hidden.open()) {
        throw Failure(path, book_->hidden.errorString());
    }
    book_->hidden.close();
    lxw_workbook_options options = {};
    // Rows go to the file as they are written, so a long list costs no memory.
    options.constant_memory = LXW_TRUE;
    const QByteArray name = QFile::encodeName(book_->hidden.fileName());
    book_->book = workbook_new_opt(name.constData(), &options);
    if (book_->book == nullptr) {
        throw Failure(path, QStringLiteral("нет памяти"));
    }
    book_->sheet = workbook_add_worksheet(book_->book, "Список");
    book_->heading = workbook_add_format(book_->book);
    format_set_bold(book_->heading);
    book_->dateTime = workbook_add_format(book_->book);
    format_set_num_format(book_->dateTime, "dd.mm.yyyy hh:mm");
    book_->duration = workbook_add_format(book_->book);
    format_set_num_format(book_->duration, "[m]:ss");
    book_->percent = workbook_add_format(book_->book);
    format_set_num_format(book_->percent, "0%");
    for (int c = 0; c < ColumnCount; ++c) {
        worksheet_set_column(book_->sheet, c, c, kWidths.at(static_cast<std::size_t>(c)),
                             c == Used ? book_->duration : nullptr);
    }
    worksheet_freeze_panes(book_->sheet, 1, 0);
    const QStringList header = Header();
    for (int c = 0; c < ColumnCount; ++c) {
        book_->Text(static_cast<Column>(c), header.at(c), book_->heading);
    }
    book_->row = 1;
}

XlsxListWriter::~XlsxListWriter()
{
    if (book_ && book_->book != nullptr) {
        // Closing writes the unfinished workbook into the hidden file, which then goes.
        workbook_close(book_->book);
        book_->book = nullptr;
    }
}

QStringList XlsxListWriter::Header()
{
    return {QStringLiteral("Ученик"),         QStringLiteral("Компьютер"),
            QStringLiteral("Начало"),         QStringLiteral("Конец"),
            QStringLiteral("Время"),          QStringLiteral("Как закончена"),
            QStringLiteral("Верных ответов"), QStringLiteral("Отметка"),
            QStringLiteral("Проверка"),       QStringLiteral("Код попытки")};
}

engine::AttemptReview XlsxListWriter::Add(const StoredAttempt& a)
{
    engine::AttemptReview review = CheckAttempt(a);
    Workbook& w = *book_;
    w.Text(Pupil, a.Pupil.left(kMaxNameLength));
    w.Text(Host, a.Host.left(kMaxNameLength));
    w.Time(Started, a.StartedAt);
    w.Time(Ended, a.EndedAt);
    // A duration is a fraction of a day.
    w.Keep(
        worksheet_write_number(w.sheet, w.row, Used, a.Record.SecondsUsed / 86400.0, w.duration));
    w.Text(Ending, EndingText(a.Record.End));
    w.Number(Right, review.RightCount);
    w.Number(Mark, review.Mark);
    w.Text(Check, CheckTextOf(review));
    w.Text(Id, a.Id);
    if (w.error != LXW_NO_ERROR) {
        throw Failure(w.target, QString::fromUtf8(lxw_strerror(w.error)));
    }
    ++w.row;
    return review;
}

void XlsxListWriter::AddSheet(const XlsxSheet& sheet)
{
    Workbook& w = *book_;
    const QByteArray name = CellText(sheet.Name);
    lxw_worksheet* added = workbook_add_worksheet(w.book, name.constData());
    if (added == nullptr) {
        throw Failure(w.target, QStringLiteral("лист «%1» не добавлен").arg(sheet.Name));
    }
    const auto write = [&](lxw_row_t row, lxw_col_t column, const XlsxCell& cell,
                           lxw_format* format) {
        switch (cell.What) {
        case XlsxCell::Kind::Empty:
            return;
        case XlsxCell::Kind::Text:
            if (!cell.Text.isEmpty()) {
                w.Keep(worksheet_write_string(added, row, column, CellText(cell.Text).constData(),
                                              format));
            }
            return;
        case XlsxCell::Kind::Number:
            w.Keep(worksheet_write_number(added, row, column, cell.Value, format));
            return;
        case XlsxCell::Kind::Percent:
            w.Keep(worksheet_write_number(added, row, column, cell.Value, w.percent));
            return;
        case XlsxCell::Kind::Duration:
            // A duration is a fraction of a day.
            w.Keep(worksheet_write_number(added, row, column, cell.Value / 86400.0, w.duration));
            return;
        }
    };
    for (std::size_t c = 0; c < sheet.Widths.size(); ++c) {
        w.Keep(worksheet_set_column(added, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                    sheet.Widths.at(c), nullptr));
    }
    worksheet_freeze_panes(added, 1, 0);
    lxw_row_t row = 0;
    for (std::size_t t = 0; t < sheet.Tables.size(); ++t) {
        const XlsxTable& table = sheet.Tables.at(t);
        if (t > 0) {
            ++row; // the empty line between two tables
        }
        const lxw_row_t heading = row;
        for (qsizetype c = 0; c < table.Header.size(); ++c) {
            write(row, static_cast<lxw_col_t>(c), XlsxCell::Words(table.Header.at(c)), w.heading);
        }
        ++row;
        for (const std::vector<XlsxCell>& line : table.Lines) {
            for (std::size_t c = 0; c < line.size(); ++c) {
                write(row, static_cast<lxw_col_t>(c), line.at(c), nullptr);
            }
            ++row;
        }
        if (t == 0 && !table.Header.isEmpty()) {
            w.Keep(worksheet_autofilter(added, heading, 0, row - 1,
                                        static_cast<lxw_col_t>(table.Header.size() - 1)));
        }
    }
    if (w.error != LXW_NO_ERROR) {
        throw Failure(w.target, QString::fromUtf8(lxw_strerror(w.error)));
    }
}

void XlsxListWriter::Commit()
{
    Workbook& w = *book_;
    worksheet_autofilter(w.sheet, 0, 0, w.row - 1, ColumnCount - 1);
    const lxw_error closed = workbook_close(w.book);
    w.book = nullptr;
    if (closed != LXW_NO_ERROR) {
        throw Failure(w.target, QString::fromUtf8(lxw_strerror(closed)));
    }
    // The hidden file was made readable by its owner only; a spreadsheet to hand over is not.
    QFile::setPermissions(w.hidden.fileName(), QFile::ReadOwner | QFile::WriteOwner |
                                                   QFile::ReadGroup | QFile::ReadOther);
    if (std::rename(QFile::encodeName(w.hidden.fileName()).constData(),
                    QFile::encodeName(w.target).constData()) != 0) {
        throw Failure(w.target, QStringLiteral("файл не удалось переименовать"));
    }
}

void WriteXlsx(const Connection& c, const AttemptFilter& f, const QString& path)
{
    XlsxListWriter writer(path);
    for (const StoredAttempt& a : LoadAttempts(c, f)) {
        writer.Add(a);
    }
    writer.Commit();
}

} // namespace journal
