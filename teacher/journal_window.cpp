// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal_window.h"

#include "journal/attempt_store.h"
#include "journal/csv_export.h"
#include "journal/journal_error.h"
#include "journal/roster.h"
#include "teacher/attempt_detail_view.h"
#include "teacher/attempt_list_model.h"
#include "teacher/attempt_texts.h"
#include "teacher/chart_data.h"
#include "teacher/charts_view.h"
#include "teacher/class_view.h"
#include "teacher/printed_documents.h"
#include "teacher/roster_editor.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace teacher {

namespace {

// Long enough that typing a name runs one query, not one per letter.
constexpr int kTypingPauseMs = 250;

const QString kEmptyJournal = QStringLiteral(
    "В журнале пока нет ни одной попытки. Они появятся здесь, когда ученики пройдут тест на "
    "этом компьютере (или на компьютерах класса, если журнал ведётся на сервере).");

// A file name to offer: what, then today's date; a name's slashes would make it a path.
QString TodayFileName(QString what, const QString& extension)
{
    what.replace(QLatin1Char('/'), QLatin1Char('-'));
    return QStringLiteral("%1-%2.%3").arg(what, DateText(QDate::currentDate()), extension);
}

} // namespace

JournalWindow::JournalWindow(const journal::OpenResult& opened, QWidget* parent)
    : QMainWindow(parent), connection_(opened.Db), openNote_(opened.Problem)
{
    setWindowTitle(QStringLiteral("Журнал результатов"));
    setObjectName(QStringLiteral("journalWindow"));
    resize(1280, 800);

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->addWidget(BuildFilterBar());

    list_ = new QTableView;
    list_->setObjectName(QStringLiteral("list"));
    list_->setAccessibleName(QStringLiteral("Список попыток"));
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setAlternatingRowColors(true);
    list_->setTabKeyNavigation(false);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 8);
    list_->setWordWrap(false);
    list_->horizontalHeader()->setSectionsClickable(true);
    list_->horizontalHeader()->setSortIndicatorShown(true);
    list_->horizontalHeader()->setSortIndicator(AttemptListModel::Started, Qt::DescendingOrder);

    totals_ = new QLabel;
    totals_->setObjectName(QStringLiteral("totals"));
    totals_->setAccessibleName(QStringLiteral("Итог по списку"));
    auto* left = new QWidget;
    auto* leftColumn = new QVBoxLayout(left);
    leftColumn->setContentsMargins(0, 0, 0, 0);
    leftColumn->addWidget(list_, 1);
    leftColumn->addWidget(totals_);

    detail_ = new AttemptDetailView;
    detail_->setObjectName(QStringLiteral("detail"));
    auto* detailScroll = new QScrollArea;
    detailScroll->setWidget(detail_);
    detailScroll->setWidgetResizable(true);
    detailScroll->setAccessibleName(QStringLiteral("Выбранная попытка"));
    charts_ = new ChartsView;
    charts_->setObjectName(QStringLiteral("charts"));
    auto* chartsScroll = new QScrollArea;
    chartsScroll->setWidget(charts_);
    chartsScroll->setWidgetResizable(true);
    chartsScroll->setAccessibleName(QStringLiteral("Диаграммы"));
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->addTab(detailScroll, QStringLiteral("Попы&тка"));
    tabs_->addTab(chartsScroll, QStringLiteral("&Диаграммы"));
    tabs_->setAccessibleName(QStringLiteral("Попытка и диаграммы"));

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(left);
    splitter->addWidget(tabs_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({700, 580});
    column->addWidget(splitter, 1);
    setCentralWidget(central);

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("status"));
    status_->setAccessibleName(QStringLiteral("Состояние"));
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(true);

    BuildMenus();

    if (!connection_) {
        Say(opened.Problem.isEmpty() ? QStringLiteral("Журнал не открыт.") : opened.Problem);
        for (QAction* action : needJournal_) {
            action->setEnabled(false);
        }
        centralWidget()->setEnabled(false);
        detail_->ShowNothing(QStringLiteral("Журнал не открыт: смотрите сообщение внизу окна."));
        return;
    }

    model_ = new AttemptListModel(*connection_, this);
    list_->setModel(model_);
    if (journal::HasRoster(*connection_)) {
        classView_ = new ClassView(*connection_);
        classView_->setObjectName(QStringLiteral("classView"));
        tabs_->addTab(classView_, QStringLiteral("&Класс"));
        classView_->Refresh();
        rosterEditor_ = new RosterEditor(*connection_);
        rosterEditor_->setObjectName(QStringLiteral("rosterEditor"));
        tabs_->addTab(rosterEditor_, QStringLiteral("Сп&иски классов"));
        rosterEditor_->Refresh();
        connect(rosterEditor_, &RosterEditor::RosterChanged, classView_, &ClassView::Refresh);
        const QSignalBlocker quiet(classFilter_);
        classFilter_->addItem(QStringLiteral("все классы"), QString());
        try {
            for (const journal::SchoolClass& k : journal::LoadClasses(*connection_, false)) {
                if (classFilter_->findData(k.Name) < 0) {
                    classFilter_->addItem(ShownName(k.Name), k.Name);
                }
            }
        } catch (const journal::JournalError& error) {
            Say(QString::fromUtf8(error.what()));
        }
        classFilter_->setVisible(true);
        classLabel_->setVisible(true);
    }
    // Wide enough for the heading and for what the column usually holds.
    const QFontMetrics metrics(list_->font());
    const std::array<QString, AttemptListModel::ColumnCount> samples = {
        QStringLiteral("Харитонова Христина"),
        QStringLiteral("класс-01"),
        QStringLiteral("10.12.2026 10:55"),
        QStringLiteral("10:00"),
        QStringLiteral("время вышло"),
        QStringLiteral("10"),
        QStringLiteral("5")};
    for (int c = 0; c < AttemptListModel::ColumnCount; ++c) {
        const QString heading = model_->headerData(c, Qt::Horizontal).toString();
        list_->setColumnWidth(
            c, std::max(metrics.horizontalAdvance(heading) + 28,
                        metrics.horizontalAdvance(samples.at(static_cast<std::size_t>(c))) + 12));
    }
    connect(list_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int section, Qt::SortOrder order) {
                model_->sort(section, order);
                SaySummary();
                ShowCurrentAttempt();
            });
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowCurrentAttempt(); });
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        for (QAction* action : needAttempt_) {
            action->setEnabled(!SelectedIds().isEmpty());
        }
    });
    connect(tabs_, &QTabWidget::currentChanged, this, [this] {
        if (tabs_->currentWidget()->isAncestorOf(charts_) && chartsStale_) {
            UpdateCharts();
        }
    });
    ApplyFilter();
}

JournalWindow::~JournalWindow() = default;

QWidget* JournalWindow::BuildFilterBar()
{
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);

    const QDate today = QDate::currentDate();
    const auto dateEdit = [&](const char* name, const QString& accessible) {
        auto* edit = new QDateEdit(today);
        edit->setObjectName(QLatin1String(name));
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        edit->setCalendarPopup(true);
        edit->setAccessibleName(accessible);
        connect(edit, &QDateEdit::dateChanged, this, [this] { ApplyFilter(); });
        return edit;
    };
    from_ = dateEdit("from", QStringLiteral("Показать попытки с даты"));
    to_ = dateEdit("to", QStringLiteral("Показать попытки по дату"));
    auto* fromLabel = new QLabel(QStringLiteral("&С:"));
    fromLabel->setBuddy(from_);
    auto* toLabel = new QLabel(QStringLiteral("п&о:"));
    toLabel->setBuddy(to_);

    allDays_ = new QCheckBox(QStringLiteral("&За все дни"));
    allDays_->setObjectName(QStringLiteral("allDays"));
    connect(allDays_, &QCheckBox::toggled, this, [this](bool all) {
        from_->setEnabled(!all);
        to_->setEnabled(!all);
        ApplyFilter();
    });

    pupil_ = new QLineEdit;
    pupil_->setObjectName(QStringLiteral("pupilFilter"));
    pupil_->setPlaceholderText(QStringLiteral("часть имени"));
    pupil_->setClearButtonEnabled(true);
    pupil_->setAccessibleName(QStringLiteral("Ученик: часть имени"));
    pupil_->setAccessibleDescription(
        QStringLiteral("Список показывает учеников, в имени которых есть набранный текст"));
    auto* pupilLabel = new QLabel(QStringLiteral("&Ученик:"));
    pupilLabel->setBuddy(pupil_);
    typing_ = new QTimer(this);
    typing_->setSingleShot(true);
    typing_->setInterval(kTypingPauseMs);
    connect(pupil_, &QLineEdit::textChanged, typing_, qOverload<>(&QTimer::start));
    connect(typing_, &QTimer::timeout, this, [this] { ApplyFilter(); });

    auto* refresh = new QPushButton(QStringLiteral("О&бновить"));
    refresh->setObjectName(QStringLiteral("refresh"));
    refresh->setToolTip(QStringLiteral("Прочитать журнал заново (F5)"));
    connect(refresh, &QPushButton::clicked, this, [this] { ApplyFilter(); });

    // Filled once the journal is known to have classes; hidden otherwise.
    classFilter_ = new QComboBox;
    classFilter_->setObjectName(QStringLiteral("classFilter"));
    classFilter_->setAccessibleName(QStringLiteral("Показать попытки класса"));
    classLabel_ = new QLabel(QStringLiteral("Кл&асс:"));
    classLabel_->setBuddy(classFilter_);
    classLabel_->setVisible(false);
    classFilter_->setVisible(false);
    connect(classFilter_, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });

    row->addWidget(fromLabel);
    row->addWidget(from_);
    row->addWidget(toLabel);
    row->addWidget(to_);
    row->addWidget(allDays_);
    row->addWidget(classLabel_);
    row->addWidget(classFilter_);
    row->addSpacing(16);
    row->addWidget(pupilLabel);
    row->addWidget(pupil_, 1);
    row->addWidget(refresh);
    return bar;
}

void JournalWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    const auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys, auto slot) {
        QAction* action = menu->addAction(text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    needJournal_ << add(file, QStringLiteral("Сохранить список в &CSV…"),
                        QKeySequence(Qt::CTRL | Qt::Key_E), [this] { ChooseAndExportCsv(); });
    needJournal_ << add(file, QStringLiteral("Сохранить список в P&DF…"), QKeySequence(),
                        [this] { ChooseAndExportListPdf(); });
    needAttempt_ << add(file, QStringLiteral("Сохранить попытку в PD&F…"), QKeySequence(),
                        [this] { ChooseAndExportAttemptPdf(); });
    file->addSeparator();
    needJournal_ << add(file, QStringLiteral("&Печать списка…"), QKeySequence::Print,
                        [this] { PrintList(); });
    needAttempt_ << add(file, QStringLiteral("П&ечать попытки…"),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
                        [this] { PrintCurrentAttempt(); });
    file->addSeparator();
    add(file, QStringLiteral("&Закрыть"), QKeySequence::Quit, [this] { close(); });

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Правка"));
    needJournal_ << add(edit, QStringLiteral("&Обновить"), QKeySequence::Refresh,
                        [this] { ApplyFilter(); });
    QAction* remove = add(edit, QStringLiteral("&Удалить выбранные попытки…"), QKeySequence::Delete,
                          [this] { DeleteSelected(); });
    // Delete only from the list: in the name box the key edits the text.
    remove->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    list_->addAction(remove);
    needAttempt_ << remove;
    for (QAction* action : needAttempt_) {
        action->setEnabled(false);
    }
}

QString JournalWindow::StatusText() const
{
    return status_->text();
}

void JournalWindow::Say(const QString& text)
{
    status_->setText(text);
    status_->setAccessibleDescription(text);
    // So that a screen reader says the news, not only shows it to whoever looks down.
    QAccessibleEvent changed(status_, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

void JournalWindow::ApplyFilter()
{
    if (!model_) {
        return;
    }
    journal::AttemptFilter filter;
    if (!allDays_->isChecked()) {
        filter.From = from_->date();
        filter.To = to_->date();
    }
    filter.PupilContains = pupil_->text().trimmed();
    filter.ClassName = classFilter_->currentData().toString();
    typing_->stop();
    model_->SetFilter(filter);
    if (classView_) {
        classView_->SetFilter(filter);
    }
    chartsStale_ = true;
    SaySummary();
    ShowCurrentAttempt();
    if (tabs_->currentWidget()->isAncestorOf(charts_)) {
        UpdateCharts();
    }
}

void JournalWindow::SaySummary()
{
    const ListTotals& totals = model_->Totals();
    totals_->setText(QStringLiteral("Показано попыток: %1; средняя отметка: %2")
                         .arg(totals.Count)
                         .arg(AverageText(totals.AverageMark)));
    totals_->setAccessibleDescription(totals_->text());
    if (!model_->Problem().isEmpty()) {
        Say(model_->Problem());
    } else if (totals.Count == 0 && CountAllAttempts(*connection_).value_or(1) == 0) {
        Say(kEmptyJournal);
    } else if (totals.Count == 0) {
        Say(QStringLiteral("За выбранные дни с таким именем попыток нет: измените даты или "
                           "имя, или отметьте «За все дни»."));
    } else {
        Say(openNote_);
    }
}

void JournalWindow::ShowCurrentAttempt()
{
    const QModelIndex current = list_->currentIndex();
    const QString id = current.isValid() ? model_->AttemptId(current.row()) : QString();
    if (id.isEmpty()) {
        detail_->ShowNothing(QStringLiteral("Выберите попытку в списке."));
    } else {
        try {
            const std::optional<journal::StoredAttempt> attempt =
                journal::LoadAttempt(*connection_, id);
            if (attempt) {
                detail_->ShowAttempt(*attempt);
            } else {
                detail_->ShowNothing(
                    QStringLiteral("Этой попытки уже нет в журнале: нажмите «Обновить»."));
            }
        } catch (const journal::JournalError& error) {
            detail_->ShowNothing(QStringLiteral("Попытку не удалось прочитать."));
            Say(QString::fromStdString(error.what()));
        }
    }
    UpdatePupilChart();
}

void JournalWindow::UpdateCharts()
{
    chartsStale_ = false;
    try {
        charts_->ShowMarks(CountMarks(*connection_, model_->Filter()));
        charts_->ShowRows(ShareRightPerRow(*connection_, model_->Filter()));
    } catch (const journal::JournalError& error) {
        Say(QString::fromStdString(error.what()));
    }
    UpdatePupilChart();
}

void JournalWindow::UpdatePupilChart()
{
    const std::optional<journal::StoredAttempt>& shown = detail_->Shown();
    if (!shown) {
        charts_->ShowPupil({}, {});
        return;
    }
    try {
        charts_->ShowPupil(shown->Pupil,
                           MarksOverTime(*connection_, model_->Filter(), shown->Pupil));
    } catch (const journal::JournalError& error) {
        Say(QString::fromStdString(error.what()));
    }
}

QStringList JournalWindow::SelectedIds() const
{
    QStringList ids;
    if (!model_) {
        return ids;
    }
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
        const QString id = model_->AttemptId(index.row());
        if (!id.isEmpty()) {
            ids << id;
        }
    }
    return ids;
}

bool JournalWindow::ExportCsv(const QString& path)
{
    if (!model_) {
        return false;
    }
    QSaveFile file(path);
    try {
        if (!file.open(QIODevice::WriteOnly)) {
            throw journal::JournalError(file.errorString().toStdString());
        }
        journal::WriteCsv(*connection_, model_->Filter(), file);
        if (!file.commit()) {
            throw journal::JournalError(file.errorString().toStdString());
        }
    } catch (const journal::JournalError& error) {
        Say(QStringLiteral("Список не сохранён в %1: %2. Проверьте, что папка доступна для "
                           "записи.")
                .arg(path, QString::fromStdString(error.what())));
        return false;
    }
    Say(QStringLiteral("Список сохранён: %1").arg(path));
    return true;
}

bool JournalWindow::ExportListPdf(const QString& path)
{
    if (!model_) {
        return false;
    }
    if (!WriteListPdf(*model_, path)) {
        Say(QStringLiteral("Файл %1 не записан: проверьте, что папка доступна для записи.")
                .arg(path));
        return false;
    }
    Say(QStringLiteral("Список сохранён: %1").arg(path));
    return true;
}

bool JournalWindow::ExportAttemptPdf(const QString& path)
{
    const std::optional<journal::StoredAttempt>& shown = detail_->Shown();
    if (!shown) {
        Say(QStringLiteral("Выберите попытку в списке."));
        return false;
    }
    if (!WriteAttemptPdf(*shown, path)) {
        Say(QStringLiteral("Файл %1 не записан: проверьте, что папка доступна для записи.")
                .arg(path));
        return false;
    }
    Say(QStringLiteral("Попытка сохранена: %1").arg(path));
    return true;
}

int JournalWindow::DeleteSelected()
{
    const QStringList ids = SelectedIds();
    if (ids.isEmpty() || !connection_) {
        return 0;
    }
    const long long n = ids.size();
    QMessageBox ask(QMessageBox::Warning, QStringLiteral("Удаление попыток"),
                    QStringLiteral("Удалить из журнала %1 %2? Вернуть их будет нельзя.")
                        .arg(n)
                        .arg(CountedWord(n, QStringLiteral("попытку"), QStringLiteral("попытки"),
                                         QStringLiteral("попыток"))),
                    QMessageBox::NoButton, this);
    QPushButton* yes = ask.addButton(QStringLiteral("Удалить"), QMessageBox::DestructiveRole);
    QPushButton* no = ask.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    ask.setDefaultButton(no);
    ask.setEscapeButton(no);
    ask.exec();
    if (ask.clickedButton() != yes) {
        return 0;
    }
    int deleted = 0;
    try {
        deleted = journal::DeleteAttempts(*connection_, ids);
    } catch (const journal::JournalError& error) {
        Say(QStringLiteral("Попытки не удалены: %1").arg(QString::fromStdString(error.what())));
        return 0;
    }
    ApplyFilter();
    Say(QStringLiteral("Удалено из журнала: %1 %2.")
            .arg(deleted)
            .arg(CountedWord(deleted, QStringLiteral("попытка"), QStringLiteral("попытки"),
                             QStringLiteral("попыток"))));
    return deleted;
}

void JournalWindow::ChooseAndExportCsv()
{
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить список в CSV"),
                                     TodayFileName(QStringLiteral("журнал"), QStringLiteral("csv")),
                                     QStringLiteral("Таблица CSV (*.csv)"));
    if (!path.isEmpty()) {
        ExportCsv(path);
    }
}

void JournalWindow::ChooseAndExportListPdf()
{
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить список в PDF"),
                                     TodayFileName(QStringLiteral("журнал"), QStringLiteral("pdf")),
                                     QStringLiteral("Документ PDF (*.pdf)"));
    if (!path.isEmpty()) {
        ExportListPdf(path);
    }
}

void JournalWindow::ChooseAndExportAttemptPdf()
{
    if (!detail_->Shown()) {
        Say(QStringLiteral("Выберите попытку в списке."));
        return;
    }
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить попытку в PDF"),
                                     TodayFileName(detail_->Shown()->Pupil, QStringLiteral("pdf")),
                                     QStringLiteral("Документ PDF (*.pdf)"));
    if (!path.isEmpty()) {
        ExportAttemptPdf(path);
    }
}

void JournalWindow::PrintList()
{
    if (!model_) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    SetUpA4(printer);
    printer.setDocName(QStringLiteral("Журнал результатов"));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        PrintAttemptList(*model_, printer);
    }
}

void JournalWindow::PrintCurrentAttempt()
{
    const std::optional<journal::StoredAttempt>& shown = detail_->Shown();
    if (!shown) {
        Say(QStringLiteral("Выберите попытку в списке."));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    SetUpA4(printer);
    printer.setDocName(QStringLiteral("Попытка теста: %1").arg(shown->Pupil));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted && !PrintAttempt(*shown, printer)) {
        Say(QStringLiteral("Попытка не напечатана: проверьте принтер."));
    }
}

} // namespace teacher
