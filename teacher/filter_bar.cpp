// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/filter_bar.h"

#include "journal/stored_attempt.h"
#include "teacher/attempt_texts.h"
#include "teacher/teacher_words.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace teacher {

namespace {

// Long enough that typing a name runs one query, not one per letter.
constexpr int kTypingPauseMs = 250;

constexpr engine::AttemptEnd kEndingsListed[] = {
    engine::AttemptEnd::HandedIn, engine::AttemptEnd::TimedOut, engine::AttemptEnd::Interrupted,
    engine::AttemptEnd::Running};

QLabel* BuddyLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

FilterBar::FilterBar(QWidget* parent) : QWidget(parent)
{
    days_ = new QComboBox;
    days_->setObjectName(QStringLiteral("days"));
    days_->setAccessibleName(words::DaysName());
    for (const DaysPreset preset : kPresetsListed) {
        days_->addItem(words::PresetName(preset), static_cast<int>(preset));
    }
    connect(days_, &QComboBox::activated, this,
            [this](int index) { ApplyPreset(DaysPreset(days_->itemData(index).toInt())); });

    const QDate today = QDate::currentDate();
    const auto dateEdit = [&](const char* name, const QString& accessible) {
        auto* edit = new QDateEdit(today);
        edit->setObjectName(QLatin1String(name));
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        edit->setCalendarPopup(true);
        edit->setAccessibleName(accessible);
        return edit;
    };
    from_ = dateEdit("from", words::FromName());
    to_ = dateEdit("to", words::ToName());
    connect(from_, &QDateEdit::dateChanged, this, [this](const QDate& d) { FromEdited(d); });
    connect(to_, &QDateEdit::dateChanged, this, [this](const QDate& d) { ToEdited(d); });

    pupil_ = new QLineEdit;
    pupil_->setObjectName(QStringLiteral("pupilFilter"));
    pupil_->setPlaceholderText(words::PupilPlaceholder());
    pupil_->setToolTip(words::PupilDescription());
    pupil_->setClearButtonEnabled(true);
    pupil_->setAccessibleName(words::PupilName());
    pupil_->setAccessibleDescription(words::PupilDescription());
    pupil_->setMaxLength(journal::kMaxNameLength);
    typing_ = new QTimer(this);
    typing_->setSingleShot(true);
    typing_->setInterval(kTypingPauseMs);
    connect(pupil_, &QLineEdit::textChanged, this, [this] {
        if (!quiet_) {
            typing_->start();
        }
    });
    connect(typing_, &QTimer::timeout, this, [this] { Emit(); });

    ending_ = new QComboBox;
    ending_->setObjectName(QStringLiteral("ending"));
    ending_->setAccessibleName(words::EndingName());
    ending_->addItem(words::AnyEnding(), -1);
    for (const engine::AttemptEnd end : kEndingsListed) {
        ending_->addItem(journal::EndingText(end), static_cast<int>(end));
    }
    connect(ending_, &QComboBox::currentIndexChanged, this, [this] { Emit(); });

    host_ = new QComboBox;
    host_->setObjectName(QStringLiteral("host"));
    host_->setAccessibleName(words::HostName());
    host_->addItem(words::AnyHost(), QString());
    host_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    host_->setMinimumContentsLength(10);
    connect(host_, &QComboBox::currentIndexChanged, this, [this] { Emit(); });

    refresh_ = new QPushButton(words::RefreshButton());
    refresh_->setObjectName(QStringLiteral("refresh"));
    refresh_->setToolTip(words::RefreshTip());
    connect(refresh_, &QPushButton::clicked, this, [this] { Refresh(); });

    // Two rows, so that the bar fits a narrow or enlarged screen without cutting a control.
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* first = new QHBoxLayout;
    first->addWidget(BuddyLabel(words::DaysLabel(), days_));
    first->addWidget(days_);
    first->addWidget(BuddyLabel(words::FromLabel(), from_));
    first->addWidget(from_);
    first->addWidget(BuddyLabel(words::ToLabel(), to_));
    first->addWidget(to_);
    first->addSpacing(12);
    first->addWidget(BuddyLabel(words::PupilLabel(), pupil_));
    first->addWidget(pupil_, 1);
    auto* second = new QHBoxLayout;
    second->addWidget(BuddyLabel(words::EndingLabel(), ending_));
    second->addWidget(ending_);
    second->addSpacing(12);
    second->addWidget(BuddyLabel(words::HostLabel(), host_));
    second->addWidget(host_);
    second->addStretch(1);
    second->addWidget(refresh_);
    rows->addLayout(first);
    rows->addLayout(second);

    ApplyPreset(DaysPreset::Today);
}

journal::AttemptFilter FilterBar::Filter() const
{
    journal::AttemptFilter filter;
    if (Preset() != DaysPreset::AllDays) {
        filter.From = from_->date();
        filter.To = to_->date();
    }
    filter.PupilContains = pupil_->text().trimmed();
    const int ending = ending_->currentData().toInt();
    if (ending >= 0) {
        filter.Ending = engine::AttemptEnd(ending);
    }
    filter.Host = host_->currentData().toString();
    return filter;
}

DaysPreset FilterBar::Preset() const
{
    return DaysPreset(days_->currentData().toInt());
}

FilterBar::State FilterBar::Current() const
{
    const journal::AttemptFilter filter = Filter();
    State state{Preset(), {}, {}, pupil_->text(), filter.Ending, filter.Host};
    if (state.Preset == DaysPreset::Chosen) {
        state.From = from_->date();
        state.To = to_->date();
    }
    return state;
}

void FilterBar::Restore(const State& state)
{
    quiet_ = true;
    pupil_->setText(state.Pupil);
    const int ending = state.Ending ? static_cast<int>(*state.Ending) : -1;
    ending_->setCurrentIndex(std::max(0, ending_->findData(ending)));
    if (!state.Host.isEmpty() && host_->findData(state.Host) < 0) {
        host_->addItem(ShownName(state.Host), state.Host);
    }
    host_->setCurrentIndex(std::max(0, host_->findData(state.Host)));
    quiet_ = false;
    if (state.Preset == DaysPreset::Chosen && state.From.isValid() && state.To.isValid()) {
        days_->setCurrentIndex(days_->findData(static_cast<int>(DaysPreset::Chosen)));
        from_->setEnabled(true);
        to_->setEnabled(true);
        quiet_ = true;
        SetDates(state.From, std::max(state.From, state.To));
        quiet_ = false;
        Emit();
    } else {
        ApplyPreset(state.Preset == DaysPreset::Chosen ? DaysPreset::Today : state.Preset);
    }
}

void FilterBar::SetHosts(const QStringList& hosts)
{
    const QString chosen = host_->currentData().toString();
    quiet_ = true;
    while (host_->count() > 1) {
        host_->removeItem(1);
    }
    for (const QString& host : hosts) {
        host_->addItem(ShownName(host), host);
    }
    if (!chosen.isEmpty() && host_->findData(chosen) < 0) {
        host_->addItem(ShownName(chosen), chosen);
    }
    host_->setCurrentIndex(std::max(0, host_->findData(chosen)));
    quiet_ = false;
}

void FilterBar::Refresh()
{
    if (typing_->isActive()) {
        Emit();
    } else {
        emit RefreshRequested();
    }
}

void FilterBar::ChoosePreset(DaysPreset preset)
{
    ApplyPreset(preset);
}

void FilterBar::ApplyPreset(DaysPreset preset)
{
    days_->setCurrentIndex(days_->findData(static_cast<int>(preset)));
    const std::optional<DayRange> range = DaysOf(preset, QDate::currentDate());
    quiet_ = true;
    if (range && range->From.isValid()) {
        SetDates(range->From, range->To);
    }
    quiet_ = false;
    // All days leaves the dates as they were, unused: choosing «Выбранные дни» brings them back.
    from_->setEnabled(preset != DaysPreset::AllDays);
    to_->setEnabled(preset != DaysPreset::AllDays);
    Emit();
}

void FilterBar::SetDates(const QDate& from, const QDate& to)
{
    // «по» first when moving later, so that the two never pass each other on the way.
    if (from > to_->date()) {
        to_->setDate(to);
        from_->setDate(from);
    } else {
        from_->setDate(from);
        to_->setDate(to);
    }
}

void FilterBar::FromEdited(const QDate& from)
{
    if (quiet_) {
        return;
    }
    days_->setCurrentIndex(days_->findData(static_cast<int>(DaysPreset::Chosen)));
    if (from > to_->date()) {
        quiet_ = true;
        to_->setDate(from);
        quiet_ = false;
        // After the list is read, so that the note is what the status line ends with.
        Emit();
        emit Corrected(words::ToMovedUp(from));
        return;
    }
    Emit();
}

void FilterBar::ToEdited(const QDate& to)
{
    if (quiet_) {
        return;
    }
    days_->setCurrentIndex(days_->findData(static_cast<int>(DaysPreset::Chosen)));
    if (to < from_->date()) {
        quiet_ = true;
        from_->setDate(to);
        quiet_ = false;
        // After the list is read, so that the note is what the status line ends with.
        Emit();
        emit Corrected(words::FromMovedBack(to));
        return;
    }
    Emit();
}

void FilterBar::Emit()
{
    if (quiet_) {
        return;
    }
    typing_->stop();
    emit FilterChanged(Filter());
}

} // namespace teacher
