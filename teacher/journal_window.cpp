// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal_window.h"

#include "journal/attempt_store.h"
#include "journal/journal_error.h"
#include "journal/roster.h"
#include "teacher/attempt_detail_view.h"
#include "teacher/attempt_list_model.h"
#include "teacher/attempt_list_view.h"
#include "teacher/attempt_texts.h"
#include "teacher/chart_data.h"
#include "teacher/charts_view.h"
#include "teacher/class_view.h"
#include "teacher/filter_bar.h"
#include "teacher/journal_file_window.h"
#include "teacher/journal_watch.h"
#include "teacher/mistakes_view.h"
#include "teacher/practice_sheet_commands.h"
#include "teacher/printed_documents.h"
#include "teacher/roster_editor.h"
#include "teacher/teacher_words.h"
#include "teacher/window_exports.h"
#include "teacher/window_memory.h"
#include "teacher/window_shortcuts.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

namespace teacher {

namespace {

// A pane in a scroll area of its own, so that its width never pushes the list off a small
// screen.
QScrollArea* Scrolled(QWidget* pane)
{
    auto* scroll = new QScrollArea;
    scroll->setWidget(pane);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setAccessibleName(pane->accessibleName());
    return scroll;
}

} // namespace

JournalWindow::JournalWindow(const journal::OpenResult& opened, QWidget* parent)
    : QMainWindow(parent), connection_(opened.Db), openNote_(opened.Problem)
{
    setWindowTitle(connection_ ? JournalTitle(*connection_) : words::WindowTitle());
    setObjectName(QStringLiteral("journalWindow"));

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    filters_ = new FilterBar;
    filters_->setObjectName(QStringLiteral("filters"));
    // The class, beside the filter bar: filled once the journal is known to have classes,
    // hidden otherwise.
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filters_, 1);
    classFilter_ = new QComboBox;
    classFilter_->setObjectName(QStringLiteral("classFilter"));
    classFilter_->setAccessibleName(words::ClassFilterName());
    classLabel_ = new QLabel(words::ClassFilterLabel());
    classLabel_->setBuddy(classFilter_);
    classLabel_->setVisible(false);
    classFilter_->setVisible(false);
    connect(classFilter_, &QComboBox::currentIndexChanged, this,
            [this] { ApplyFilter(filters_->Filter()); });
    filterRow->addWidget(classLabel_);
    filterRow->addWidget(classFilter_);
    column->addLayout(filterRow);

    list_ = new AttemptListView;
    list_->setObjectName(QStringLiteral("list"));

    totals_ = new QLabel;
    totals_->setObjectName(QStringLiteral("totals"));
    totals_->setAccessibleName(words::TotalsName());
    // The totals name the filter, which can be long: they wrap rather than widen the window.
    // The filter holds what was typed and a stored computer's name: shown as plain text.
    totals_->setWordWrap(true);
    totals_->setTextFormat(Qt::PlainText);
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
    detailScroll->setAccessibleName(words::AttemptPaneName());
    charts_ = new ChartsView;
    charts_->setObjectName(QStringLiteral("charts"));
    auto* chartsScroll = new QScrollArea;
    chartsScroll->setWidget(charts_);
    chartsScroll->setWidgetResizable(true);
    chartsScroll->setAccessibleName(words::ChartsPaneName());
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabs"));
    // Five tabs do not widen the pane on a small screen: the bar scrolls instead.
    tabs_->setUsesScrollButtons(true);
    tabs_->setElideMode(Qt::ElideRight);
    tabs_->addTab(detailScroll, words::AttemptTab());
    tabs_->addTab(chartsScroll, words::ChartsTab());
    tabs_->setAccessibleName(words::TabsName());

    splitter_ = new QSplitter(Qt::Horizontal);
    splitter_->setObjectName(QStringLiteral("splitter"));
    splitter_->addWidget(left);
    splitter_->addWidget(tabs_);
    splitter_->setStretchFactor(0, 3);
    splitter_->setStretchFactor(1, 2);
    splitter_->setChildrenCollapsible(false);
    column->addWidget(splitter_, 1);
    setCentralWidget(central);

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("status"));
    status_->setAccessibleName(words::StatusName());
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Two lines always, so that the window does not jump when a message comes or goes.
    status_->setFixedHeight(2 * status_->fontMetrics().lineSpacing() + 4);
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(true);

    exports_ = new WindowExports(this, {[this] { return connection_; },
                                        [this]() -> const AttemptListModel* { return model_; },
                                        [this] { return detail_->Shown(); },
                                        [this](const QString& text) { Say(text); },
                                        [this]() -> std::optional<ClassSheet> {
                                            return classView_ ? classView_->Sheet() : std::nullopt;
                                        }});
    BuildMenus();
    GiveWindowShortcutsPriority(this);
    // A practice sheet is printed as every document is: after the preview, as a job.
    connect(detail_->PracticeSheet(), &PracticeSheetCommands::PrintWanted, exports_,
            &WindowExports::PrintPracticeSheet);

    if (!connection_) {
        bool placed = false;
        RestoreWindow({this, splitter_, nullptr, tabs_, filters_, charts_}, placed);
        if (!placed) {
            PlaceOnScreen();
        }
        Say(opened.Problem.isEmpty() ? words::JournalNotOpen() : opened.Problem);
        for (QAction* action : needJournal_) {
            action->setEnabled(false);
        }
        centralWidget()->setEnabled(false);
        detail_->ShowNothing(words::JournalNotOpenPane());
        return;
    }

    model_ = new AttemptListModel(*connection_, this);
    // The class's typical mistakes: the pane follows the list's filter by itself.
    auto* mistakes = new MistakesView(*connection_, *model_);
    mistakes->setObjectName(QStringLiteral("mistakes"));
    tabs_->addTab(mistakes, words::MistakesTab());
    connect(mistakes->PracticeSheet(), &PracticeSheetCommands::PrintWanted, exports_,
            &WindowExports::PrintPracticeSheet);
    list_->ShowAttempts(model_);
    if (journal::HasRoster(*connection_)) {
        classView_ = new ClassView(*connection_);
        classView_->setObjectName(QStringLiteral("classView"));
        connect(classView_, &ClassView::Shown, this, [this] {
            const bool shown = classView_->Sheet().has_value();
            for (QAction* action : needClass_) {
                action->setEnabled(shown);
            }
        });
        tabs_->addTab(Scrolled(classView_), words::ClassTab());
        classView_->Refresh();
        rosterEditor_ = new RosterEditor(*connection_);
        rosterEditor_->setObjectName(QStringLiteral("rosterEditor"));
        tabs_->addTab(Scrolled(rosterEditor_), words::RosterTab());
        rosterEditor_->Refresh();
        connect(rosterEditor_, &RosterEditor::RosterChanged, classView_, &ClassView::Refresh);
        const QSignalBlocker quiet(classFilter_);
        classFilter_->addItem(words::AnyClass(), QString());
        try {
            for (const journal::SchoolClass& k : journal::LoadClasses(*connection_, false)) {
                if (classFilter_->findData(k.Name) < 0) {
                    classFilter_->addItem(ShownName(k.Name), k.Name);
                }
            }
        } catch (const journal::JournalError& error) {
            Say(QString::fromUtf8(error.what()));
        }
        // Shown once there is a class to choose.
        classFilter_->setVisible(classFilter_->count() > 1);
        classLabel_->setVisible(classFilter_->count() > 1);
    }

    bool placed = false;
    const FilterBar::State remembered = RestoreWindow(
        {this, splitter_, list_->horizontalHeader(), tabs_, filters_, charts_}, placed);
    if (!placed) {
        PlaceOnScreen();
    }
    model_->SetOrder(list_->horizontalHeader()->sortIndicatorSection(),
                     list_->horizontalHeader()->sortIndicatorOrder());

    connect(list_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int section, Qt::SortOrder order) {
                model_->sort(section, order);
                // A new order starts at its top.
                ShowAsRead({});
            });
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowCurrentAttempt(); });
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        for (QAction* action : needAttempt_) {
            action->setEnabled(!SelectedIds().isEmpty());
        }
    });
    connect(charts_, &ChartsView::CountedChanged, this, [this] {
        chartsStale_ = true;
        if (tabs_->currentWidget()->isAncestorOf(charts_)) {
            UpdateCharts();
        }
    });
    connect(tabs_, &QTabWidget::currentChanged, this, [this] {
        if (tabs_->currentWidget()->isAncestorOf(charts_) && chartsStale_) {
            UpdateCharts();
        }
    });
    watch_ = new JournalWatch(*connection_, this);
    connect(watch_, &JournalWatch::Changed, this, [this] { ReadAgainInPlace(); });
    connect(filters_, &FilterBar::FilterChanged, this,
            [this](const journal::AttemptFilter& filter) { ApplyFilter(filter); });
    connect(filters_, &FilterBar::RefreshRequested, this, [this] { Reload(); });
    connect(filters_, &FilterBar::Corrected, this, [this](const QString& what) { Say(what); });
    filters_->Restore(remembered);
    // The computers are every attempt's, a scan of the whole journal: read once the list is
    // shown, not before it.
    QTimer::singleShot(0, this, [this] { filters_->SetHosts(ComputersInJournal(*connection_)); });
}

JournalWindow::~JournalWindow() = default;

// The list read again where it stands: same filter and order, the same attempt chosen and the
// same place scrolled to, so that a test ending elsewhere only changes its own line.
void JournalWindow::ReadAgainInPlace()
{
    const QString current = model_->AttemptId(list_->currentIndex().row());
    const int scrolled = list_->verticalScrollBar()->value();
    model_->Refresh();
    chartsStale_ = true;
    for (int row = 0; !current.isEmpty() && row < model_->rowCount(); ++row) {
        if (model_->AttemptId(row) == current) {
            list_->setCurrentIndex(model_->index(row, 0));
            break;
        }
    }
    list_->verticalScrollBar()->setValue(scrolled);
    SaySummary();
    ShowCurrentAttempt();
    if (tabs_->currentWidget()->isAncestorOf(charts_)) {
        UpdateCharts();
    }
}

void JournalWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(words::FileMenu());
    const auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys, auto slot) {
        QAction* action = menu->addAction(text);
        action->setShortcut(keys);
        // The whole window's: see GiveWindowShortcutsPriority for keys a text box would take.
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(file, words::OpenJournalCommand(), QKeySequence::Open,
        [this] { OpenJournalFileWindow(this); });
    file->addSeparator();
    exports_->AddCommands(file, needJournal_, needAttempt_, needClass_);
    file->addSeparator();
    add(file, words::CloseCommand(), QKeySequence::Quit, [this] { close(); });

    QMenu* edit = menuBar()->addMenu(words::EditMenu());
    needJournal_ << add(edit, words::RefreshCommand(), QKeySequence::Refresh,
                        [this] { filters_->Refresh(); });
    QAction* remove =
        add(edit, words::DeleteCommand(), QKeySequence::Delete, [this] { DeleteSelected(); });
    // Delete only from the list: in the name box the key edits the text.
    remove->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    list_->addAction(remove);
    needAttempt_ << remove;
    for (QAction* action : needAttempt_ + needClass_) {
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

QString JournalWindow::WithNote(const QString& text) const
{
    // The note (a damaged journal set aside, and where it is) stays in sight whatever the list
    // shows.
    return openNote_.isEmpty() ? text : text + QLatin1Char(' ') + openNote_;
}

void JournalWindow::ApplyFilter(const journal::AttemptFilter& filter)
{
    if (!model_) {
        return;
    }
    journal::AttemptFilter withClass = filter;
    withClass.ClassName = classFilter_->currentData().toString();
    model_->SetFilter(withClass);
    if (classView_) {
        classView_->SetFilter(withClass);
    }
    // A new filter starts at the top of its list.
    ShowAsRead({});
}

void JournalWindow::Reload()
{
    if (!model_) {
        return;
    }
    const QString shown = list_->CurrentId();
    model_->Refresh();
    filters_->SetHosts(ComputersInJournal(*connection_));
    ShowAsRead(shown);
}

void JournalWindow::ShowAsRead(const QString& keepId)
{
    chartsStale_ = true;
    list_->ChooseAfterReload(keepId);
    SaySummary();
    // Choosing a row in the list has shown its attempt already; an empty list shows none.
    if (detail_->Shown().has_value() != !list_->CurrentId().isEmpty() ||
        (detail_->Shown() && detail_->Shown()->Id != list_->CurrentId())) {
        ShowCurrentAttempt();
    }
    if (tabs_->currentWidget()->isAncestorOf(charts_)) {
        UpdateCharts();
    }
}

void JournalWindow::PlaceOnScreen()
{
    // The attempt's rows beside a scroll bar (a short screen scrolls them), inside the tab's frame.
    const int detailNeeds =
        detail_->minimumSizeHint().width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 24;
    PlaceWithNothingRemembered(this, splitter_, model_ ? list_->WidthUpToMark() : 0, detailNeeds);
}

void JournalWindow::SaySummary()
{
    const ListTotals& totals = model_->Totals();
    totals_->setText(words::TotalsText(model_->Filter(), totals.Count, totals.AverageMark));
    totals_->setAccessibleDescription(totals_->text());
    if (!model_->Problem().isEmpty()) {
        Say(model_->Problem());
    } else if (totals.Count == 0 && CountAllAttempts(*connection_).value_or(1) == 0) {
        Say(WithNote(words::EmptyJournal()));
    } else if (totals.Count == 0) {
        Say(WithNote(words::EmptyListText(model_->Filter(),
                                          WhatHidesAttempts(*connection_, model_->Filter()))));
    } else {
        Say(openNote_);
    }
}

void JournalWindow::Remember()
{
    RememberWindow(
        {this, splitter_, model_ ? list_->horizontalHeader() : nullptr, tabs_, filters_, charts_});
}

void JournalWindow::closeEvent(QCloseEvent* event)
{
    Remember();
    QMainWindow::closeEvent(event);
}

void JournalWindow::ShowCurrentAttempt()
{
    const QModelIndex current = list_->currentIndex();
    const QString id = current.isValid() ? model_->AttemptId(current.row()) : QString();
    if (id.isEmpty()) {
        detail_->ShowNothing(words::ChooseAnAttempt());
    } else {
        try {
            const std::optional<journal::StoredAttempt> attempt =
                journal::LoadAttempt(*connection_, id);
            if (attempt) {
                detail_->ShowAttempt(*attempt);
            } else {
                detail_->ShowNothing(words::AttemptGone());
            }
        } catch (const journal::JournalError& error) {
            detail_->ShowNothing(words::AttemptUnreadable());
            Say(QString::fromStdString(error.what()));
        }
    }
    UpdatePupilChart();
}

void JournalWindow::UpdateCharts()
{
    chartsStale_ = false;
    // The marks and rows are counted from whole attempts judged again: on a thread of their own,
    // as a large journal takes seconds to read.
    auto figures = std::make_shared<ChartFigures>();
    chartReads_.Start(
        this, *connection_,
        [figures, filter = model_->Filter(), which = charts_->Counted()](
            const journal::Connection& own) { *figures = ReadFigures(own, filter, which); },
        [this, figures](const QString& problem) {
            if (!problem.isEmpty()) {
                Say(problem);
                return;
            }
            charts_->ShowMarks(figures->Marks);
            charts_->ShowRows(figures->Rows);
        });
    UpdatePupilChart();
}

void JournalWindow::UpdatePupilChart()
{
    // The pupil's marks are a query over the chosen days: run only when the charts are in
    // sight, so that moving through the list reads one attempt per row and no more.
    if (!tabs_->currentWidget()->isAncestorOf(charts_)) {
        chartsStale_ = true;
        return;
    }
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

int JournalWindow::DeleteSelected()
{
    const QStringList ids = SelectedIds();
    if (ids.isEmpty() || !connection_) {
        return 0;
    }
    const long long n = ids.size();
    QMessageBox ask(QMessageBox::Warning, words::DeleteTitle(), words::DeleteQuestion(n),
                    QMessageBox::NoButton, this);
    QPushButton* yes = ask.addButton(words::DeleteButton(), QMessageBox::DestructiveRole);
    QPushButton* no = ask.addButton(words::CancelButton(), QMessageBox::RejectRole);
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
        Say(words::NotDeleted(QString::fromStdString(error.what())));
        return 0;
    }
    Reload();
    Say(words::DeletedText(deleted));
    return deleted;
}

} // namespace teacher
