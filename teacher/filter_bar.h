// SPDX-License-Identifier: GPL-3.0-or-later
// The bar above the list that says which attempts to show: the days (a preset such as «Эта
// неделя», or two dates), a part of the pupil's name, how the attempt ended and the computer.
// Every change ends in one FilterChanged with the whole journal::AttemptFilter; a name is
// taken once the typing pauses. A «по» date set before «с» (or «с» after «по») moves the other
// date to it, and the bar says so through Corrected.
//
// It reads no journal: the window gives it the computers to offer. It stores nothing itself;
// the window saves and restores its State.
#pragma once

#include "journal/attempt_filter.h"
#include "teacher/day_presets.h"

#include <QDate>
#include <QWidget>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTimer;

namespace teacher {

class FilterBar : public QWidget {
    Q_OBJECT

public:
    // Starts on today's attempts of every pupil, ending and computer.
    explicit FilterBar(QWidget* parent = nullptr);

    journal::AttemptFilter Filter() const;
    DaysPreset Preset() const;

    // What is remembered between two starts: the preset (its days worked out again from the
    // day of the start) or, for chosen days, the dates; the name, ending and computer.
    struct State {
        DaysPreset Preset = DaysPreset::Today;
        QDate From, To; // only for DaysPreset::Chosen
        QString Pupil;
        std::optional<engine::AttemptEnd> Ending;
        QString Host;
    };
    State Current() const;
    // Sets every control without a FilterChanged for each; emits one at the end.
    void Restore(const State& state);

    // The computers to offer (the current choice is kept, even if no longer listed).
    void SetHosts(const QStringList& hosts);

    // Picks a preset as the teacher would from the list.
    void ChoosePreset(DaysPreset preset);

    // «Обновить» (the button, F5): a name still being typed is taken at once, with its
    // FilterChanged; otherwise RefreshRequested, to read the same filter again.
    void Refresh();

signals:
    void FilterChanged(const journal::AttemptFilter& filter);
    void RefreshRequested();
    // A date was moved to keep «по» not before «с»; `what` says which and to what day.
    void Corrected(const QString& what);

private:
    void ApplyPreset(DaysPreset preset);
    void FromEdited(const QDate& from);
    void ToEdited(const QDate& to);
    void SetDates(const QDate& from, const QDate& to);
    void Emit();

    QComboBox* days_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QLineEdit* pupil_ = nullptr;
    QComboBox* ending_ = nullptr;
    QComboBox* host_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QTimer* typing_ = nullptr;
    bool quiet_ = false; // while the bar sets its own controls
};

} // namespace teacher
