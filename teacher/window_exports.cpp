// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window_exports.h"

#include "engine/practice_sheet.h"
#include "journal/journal_error.h"
#include "teacher/attempt_list_model.h"
#include "teacher/attempt_texts.h"
#include "teacher/export_job.h"
#include "teacher/export_tasks.h"
#include "teacher/list_pages.h"
#include "teacher/practice_sheet_document.h"
#include "teacher/print_preview.h"
#include "teacher/printed_documents.h"
#include "teacher/teacher_words.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

namespace teacher {

namespace {

const QString kCommaFilter = words::CsvCommaFilter();
const QString kSemicolonFilter = words::CsvSemicolonFilter();

// A file name to offer: what, then today's date; a name's slashes would make it a path.
QString TodayFileName(QString what, const QString& extension)
{
    what.replace(QLatin1Char('/'), QLatin1Char('-'));
    return QStringLiteral("%1-%2.%3").arg(what, DateText(QDate::currentDate()), extension);
}

// The path with `extension` added when the teacher typed a name without one.
QString WithExtension(const QString& path, const QString& extension)
{
    return path.endsWith(QLatin1Char('.') + extension, Qt::CaseInsensitive)
               ? path
               : path + QLatin1Char('.') + extension;
}

} // namespace

WindowExports::WindowExports(QMainWindow* window, ExportHooks hooks)
    : QObject(window), window_(window), hooks_(std::move(hooks))
{
    what_ = new QLabel;
    what_->setObjectName(QStringLiteral("jobText"));
    bar_ = new QProgressBar;
    bar_->setObjectName(QStringLiteral("jobProgress"));
    bar_->setAccessibleName(words::JobProgressName());
    bar_->setMaximumWidth(240);
    cancel_ = new QPushButton(words::CancelButton());
    cancel_->setObjectName(QStringLiteral("jobCancel"));
    cancel_->setToolTip(words::JobCancelTip());
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (job_) {
            job_->Cancel();
            cancel_->setEnabled(false);
        }
    });
    for (QWidget* part : {static_cast<QWidget*>(what_), static_cast<QWidget*>(bar_),
                          static_cast<QWidget*>(cancel_)}) {
        window_->statusBar()->addPermanentWidget(part);
        part->hide();
    }
    // Room for the button from the start, so that the status line keeps its height when a job
    // shows its progress.
    window_->statusBar()->setMinimumHeight(cancel_->sizeHint().height() + 4);
}

WindowExports::~WindowExports()
{
    // A job still running is stopped and waited for: its file is not left half written.
    if (job_) {
        job_->Cancel();
        delete job_.data();
    }
}

void WindowExports::AddCommands(QMenu* file, QList<QAction*>& needJournal,
                                QList<QAction*>& needAttempt, QList<QAction*>& needClass)
{
    const auto add = [this, file](const QString& text, const QKeySequence& keys, auto slot) {
        QAction* action = file->addAction(text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    needJournal << add(words::SaveListCsvCommand(), QKeySequence(Qt::CTRL | Qt::Key_E),
                       [this] { ChooseCsv(); });
    needJournal << add(words::SaveListXlsxCommand(), QKeySequence(), [this] { ChooseXlsx(); });
    needJournal << add(words::SaveListPdfCommand(), QKeySequence(), [this] { ChooseListPdf(); });
    needAttempt << add(words::SaveAttemptPdfCommand(), QKeySequence(),
                       [this] { ChooseAttemptPdf(); });
    needClass << add(QStringLiteral("Сохранить &класс в PDF…"), QKeySequence(),
                     [this] { ChooseClassPdf(); });
    needJournal << add(QStringLiteral("Сохранить &типичные ошибки в PDF…"), QKeySequence(),
                       [this] { ChooseMistakesPdf(); });
    file->addSeparator();
    needJournal << add(words::PrintListCommand(), QKeySequence::Print, [this] { PrintList(); });
    needAttempt << add(words::PrintAttemptCommand(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
                       [this] { PrintAttempt(); });
    needClass << add(QStringLiteral("Печать к&ласса…"), QKeySequence(), [this] { PrintClass(); });
    needJournal << add(QStringLiteral("Печать типичных &ошибок…"), QKeySequence(),
                       [this] { PrintMistakes(); });
}

ExportJob* WindowExports::Start(ExportJob* job)
{
    job_ = job;
    what_->setText(job->What() + QStringLiteral("…"));
    bar_->setRange(0, 0);
    cancel_->setEnabled(true);
    for (QWidget* part : {static_cast<QWidget*>(what_), static_cast<QWidget*>(bar_),
                          static_cast<QWidget*>(cancel_)}) {
        part->show();
    }
    connect(job, &ExportJob::Progress, this, [this](long long done, long long total) {
        bar_->setRange(0, 1000);
        bar_->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
    });
    connect(job, &ExportJob::Finished, this, [this, job](bool, const QString& message) {
        for (QWidget* part : {static_cast<QWidget*>(what_), static_cast<QWidget*>(bar_),
                              static_cast<QWidget*>(cancel_)}) {
            part->hide();
        }
        job_ = nullptr;
        hooks_.Say(message);
        job->deleteLater();
    });
    job->Start();
    return job;
}

bool WindowExports::Idle()
{
    if (job_) {
        hooks_.Say(words::WaitForJob());
        return false;
    }
    return true;
}

bool WindowExports::ListReady()
{
    return Idle() && hooks_.List() != nullptr && hooks_.Journal().has_value();
}

ExportJob* WindowExports::StartCsv(const QString& path, QChar separator)
{
    if (!ListReady()) {
        return nullptr;
    }
    return Start(new ExportJob(words::ListCsvJob(), hooks_.Journal(),
                               CsvWork(RequestOf(*hooks_.List()), path, separator), this));
}

ExportJob* WindowExports::StartXlsx(const QString& path)
{
    if (!ListReady()) {
        return nullptr;
    }
    // The class view's lines are taken as the pane shows them; the mistakes are counted by the
    // job from the attempts it writes.
    WorkbookSheets sheets;
    if (const std::optional<ClassSheet> shown = hooks_.Class ? hooks_.Class() : std::nullopt;
        shown && !shown->Results.Lines.empty()) {
        sheets.Class = shown->Results;
    }
    sheets.Mistakes = true;
    return Start(new ExportJob(words::ListXlsxJob(), hooks_.Journal(),
                               XlsxWork(RequestOf(*hooks_.List()), path, std::move(sheets)), this));
}

ExportJob* WindowExports::StartListPdf(const QString& path)
{
    if (!ListReady()) {
        return nullptr;
    }
    return Start(new ExportJob(words::ListPdfJob(), hooks_.Journal(),
                               ListPdfWork(RequestOf(*hooks_.List()), path), this));
}

ExportJob* WindowExports::StartAttemptPdf(const QString& path)
{
    const std::optional<journal::StoredAttempt> shown = hooks_.Shown();
    if (!shown) {
        hooks_.Say(words::ChooseAnAttempt());
        return nullptr;
    }
    if (!Idle()) {
        return nullptr;
    }
    return Start(
        new ExportJob(words::AttemptPdfJob(), std::nullopt, AttemptPdfWork(*shown, path), this));
}

ExportJob* WindowExports::StartClassPdf(const QString& path)
{
    std::optional<ClassSheet> sheet = hooks_.Class ? hooks_.Class() : std::nullopt;
    if (!sheet) {
        hooks_.Say(QStringLiteral("Выберите класс на вкладке «Класс»."));
        return nullptr;
    }
    if (!Idle()) {
        return nullptr;
    }
    // The view's lines are in hand: the job paints them and reads no journal.
    return Start(new ExportJob(QStringLiteral("Класс сохраняется в PDF"), std::nullopt,
                               ClassPdfWork(std::move(*sheet), path), this));
}

ExportJob* WindowExports::StartMistakesPdf(const QString& path)
{
    if (!ListReady()) {
        return nullptr;
    }
    return Start(new ExportJob(QStringLiteral("Типичные ошибки сохраняются в PDF"),
                               hooks_.Journal(), MistakesPdfWork(RequestOf(*hooks_.List()), path),
                               this));
}

bool WindowExports::ManyPagesAccepted(const QString& action)
{
    const AttemptListModel* list = hooks_.List();
    const int pages = ListPageCount(list->Totals().Count, list->Filter(), list->Totals());
    if (pages <= kPagesWithoutWarning) {
        return true;
    }
    QMessageBox ask(QMessageBox::Question, window_->windowTitle(),
                    words::ManyPagesQuestion(list->Totals().Count, pages, action),
                    QMessageBox::NoButton, window_);
    QPushButton* yes = ask.addButton(action, QMessageBox::AcceptRole);
    QPushButton* no = ask.addButton(words::CancelButton(), QMessageBox::RejectRole);
    ask.setDefaultButton(no);
    ask.setEscapeButton(no);
    ask.exec();
    return ask.clickedButton() == yes;
}

void WindowExports::ChooseCsv()
{
    if (!ListReady()) {
        return;
    }
    QString chosen = kCommaFilter;
    const QString path = QFileDialog::getSaveFileName(
        window_, words::SaveListCsvTitle(),
        TodayFileName(words::ListFileName(), QStringLiteral("csv")),
        kCommaFilter + QStringLiteral(";;") + kSemicolonFilter, &chosen);
    if (!path.isEmpty()) {
        StartCsv(WithExtension(path, QStringLiteral("csv")),
                 chosen == kSemicolonFilter ? QLatin1Char(';') : QLatin1Char(','));
    }
}

void WindowExports::ChooseXlsx()
{
    if (!ListReady()) {
        return;
    }
    const QString path = QFileDialog::getSaveFileName(
        window_, words::SaveListXlsxTitle(),
        TodayFileName(words::ListFileName(), QStringLiteral("xlsx")), words::XlsxFilter());
    if (!path.isEmpty()) {
        StartXlsx(WithExtension(path, QStringLiteral("xlsx")));
    }
}

void WindowExports::ChooseListPdf()
{
    if (!ListReady() || !ManyPagesAccepted(words::SaveAction())) {
        return;
    }
    const QString path = QFileDialog::getSaveFileName(
        window_, words::SaveListPdfTitle(),
        TodayFileName(words::ListFileName(), QStringLiteral("pdf")), words::PdfFilter());
    if (!path.isEmpty()) {
        StartListPdf(WithExtension(path, QStringLiteral("pdf")));
    }
}

void WindowExports::ChooseAttemptPdf()
{
    const std::optional<journal::StoredAttempt> shown = hooks_.Shown();
    if (!shown) {
        hooks_.Say(words::ChooseAnAttempt());
        return;
    }
    const QString path = QFileDialog::getSaveFileName(
        window_, words::SaveAttemptPdfTitle(),
        TodayFileName(ShownName(shown->Pupil), QStringLiteral("pdf")), words::PdfFilter());
    if (!path.isEmpty()) {
        StartAttemptPdf(WithExtension(path, QStringLiteral("pdf")));
    }
}

void WindowExports::ChooseClassPdf()
{
    const std::optional<ClassSheet> sheet = hooks_.Class ? hooks_.Class() : std::nullopt;
    if (!sheet) {
        hooks_.Say(QStringLiteral("Выберите класс на вкладке «Класс»."));
        return;
    }
    const QString path = QFileDialog::getSaveFileName(
        window_, QStringLiteral("Сохранить класс в PDF"),
        TodayFileName(QStringLiteral("класс %1").arg(sheet->ClassName), QStringLiteral("pdf")),
        QStringLiteral("Документ PDF (*.pdf)"));
    if (!path.isEmpty()) {
        StartClassPdf(WithExtension(path, QStringLiteral("pdf")));
    }
}

void WindowExports::ChooseMistakesPdf()
{
    if (!ListReady()) {
        return;
    }
    const QString path = QFileDialog::getSaveFileName(
        window_, QStringLiteral("Сохранить типичные ошибки в PDF"),
        TodayFileName(QStringLiteral("типичные ошибки"), QStringLiteral("pdf")),
        QStringLiteral("Документ PDF (*.pdf)"));
    if (!path.isEmpty()) {
        StartMistakesPdf(WithExtension(path, QStringLiteral("pdf")));
    }
}

void WindowExports::PrintList()
{
    if (!ListReady() || !ManyPagesAccepted(words::PrintAction())) {
        return;
    }
    const ListRequest request = RequestOf(*hooks_.List());
    const journal::Connection db = *hooks_.Journal();
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    SetUpA4(*printer);
    printer->setDocName(words::WindowTitle());
    // The preview is drawn here, on the window's own connection; the printing is a job.
    const bool print = ConfirmPrint(window_, *printer, [&](QPrinter* device) {
        try {
            PaintList(db, request, *device, nullptr);
        } catch (const journal::JournalError& error) {
            hooks_.Say(QString::fromUtf8(error.what()));
        }
    });
    if (print && !job_) {
        Start(new ExportJob(words::ListPrintJob(), db, ListPrintWork(request, printer), this));
    }
}

void WindowExports::PrintAttempt()
{
    const std::optional<journal::StoredAttempt> shown = hooks_.Shown();
    if (!shown) {
        hooks_.Say(words::ChooseAnAttempt());
        return;
    }
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    SetUpA4(*printer);
    printer->setDocName(words::AttemptDocumentTitle(ShownName(shown->Pupil)));
    const bool print = ConfirmPrint(
        window_, *printer, [&](QPrinter* device) { teacher::PrintAttempt(*shown, *device); });
    if (print && !job_) {
        Start(new ExportJob(words::AttemptPrintJob(), std::nullopt,
                            AttemptPrintWork(*shown, printer), this));
    }
}

void WindowExports::PrintClass()
{
    const std::optional<ClassSheet> sheet = hooks_.Class ? hooks_.Class() : std::nullopt;
    if (!sheet) {
        hooks_.Say(QStringLiteral("Выберите класс на вкладке «Класс»."));
        return;
    }
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    SetUpA4(*printer);
    printer->setDocName(QStringLiteral("Результаты класса %1").arg(sheet->ClassName));
    const bool print = ConfirmPrint(window_, *printer, [&](QPrinter* device) {
        try {
            PaintClass(*sheet, *device, nullptr);
        } catch (const journal::JournalError& error) {
            hooks_.Say(QString::fromUtf8(error.what()));
        }
    });
    if (print && Idle()) {
        Start(new ExportJob(QStringLiteral("Класс печатается"), std::nullopt,
                            ClassPrintWork(*sheet, printer), this));
    }
}

void WindowExports::PrintMistakes()
{
    if (!ListReady()) {
        return;
    }
    const ListRequest request = RequestOf(*hooks_.List());
    const journal::Connection db = *hooks_.Journal();
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    SetUpA4(*printer);
    printer->setDocName(QStringLiteral("Типичные ошибки"));
    // As the list's: the preview is counted and drawn here, the printing is a job.
    const bool print = ConfirmPrint(window_, *printer, [&](QPrinter* device) {
        try {
            PaintMistakes(db, request, *device, nullptr);
        } catch (const journal::JournalError& error) {
            hooks_.Say(QString::fromUtf8(error.what()));
        }
    });
    if (print && Idle()) {
        Start(new ExportJob(QStringLiteral("Типичные ошибки печатаются"), db,
                            MistakesPrintWork(request, printer), this));
    }
}

void WindowExports::PrintPracticeSheet(const QString& pupil, const engine::PracticeSheet& sheet)
{
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    SetUpA4(*printer);
    printer->setDocName(QStringLiteral("Лист для тренировки: %1").arg(pupil));
    // The preview shows the very sheet that is printed: its exercises were drawn once.
    const bool print = ConfirmPrint(window_, *printer, [&](QPrinter* device) {
        teacher::PrintPracticeSheet(pupil, sheet, *device);
    });
    if (print && Idle()) {
        Start(new ExportJob(QStringLiteral("Лист для тренировки печатается"), std::nullopt,
                            PracticeSheetPrintWork(pupil, sheet, printer), this));
    }
}

} // namespace teacher
