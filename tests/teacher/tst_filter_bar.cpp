// SPDX-License-Identifier: GPL-3.0-or-later
// The filter bar on its own: the days each preset covers around the school year's turns, the
// presets and the other choices as the keyboard makes them, dates that would cross, a name taken
// once the typing pauses, and a remembered state set back.
#include "teacher/day_presets.h"
#include "teacher/filter_bar.h"
#include "tests/teacher/typing.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using teacher::DaysPreset;

Q_DECLARE_METATYPE(teacher::DaysPreset)
Q_DECLARE_METATYPE(journal::AttemptFilter)

namespace {

// The last FilterChanged a spy saw.
journal::AttemptFilter LastFilter(const QSignalSpy& spy)
{
    return spy.isEmpty() ? journal::AttemptFilter{}
                         : spy.last().at(0).value<journal::AttemptFilter>();
}

// An entry of a combo box chosen with the keyboard: Home, then Down as many times as needed.
void ChooseByKeys(QComboBox* box, const QVariant& data)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < box->findData(data); ++i) {
        QTest::keyClick(box, Qt::Key_Down);
    }
}

} // namespace

class FilterBarTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<journal::AttemptFilter>(); }

    void presetsCoverTheirDays_data()
    {
        QTest::addColumn<DaysPreset>("preset");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");

        const QDate thursday(2026, 12, 10);
        QTest::newRow("today") << DaysPreset::Today << thursday << thursday << thursday;
        QTest::newRow("yesterday")
            << DaysPreset::Yesterday << thursday << QDate(2026, 12, 9) << QDate(2026, 12, 9);
        QTest::newRow("yesterday over the new year") << DaysPreset::Yesterday << QDate(2027, 1, 1)
                                                     << QDate(2026, 12, 31) << QDate(2026, 12, 31);
        QTest::newRow("week from Monday")
            << DaysPreset::ThisWeek << thursday << QDate(2026, 12, 7) << thursday;
        QTest::newRow("week on its Monday") << DaysPreset::ThisWeek << QDate(2026, 12, 7)
                                            << QDate(2026, 12, 7) << QDate(2026, 12, 7);
        QTest::newRow("week on its Sunday") << DaysPreset::ThisWeek << QDate(2026, 12, 13)
                                            << QDate(2026, 12, 7) << QDate(2026, 12, 13);
        QTest::newRow("week over a month's turn") << DaysPreset::ThisWeek << QDate(2026, 12, 2)
                                                  << QDate(2026, 11, 30) << QDate(2026, 12, 2);
        QTest::newRow("month") << DaysPreset::ThisMonth << thursday << QDate(2026, 12, 1)
                               << thursday;
        QTest::newRow("first quarter, its first day")
            << DaysPreset::ThisQuarter << QDate(2026, 9, 1) << QDate(2026, 9, 1)
            << QDate(2026, 9, 1);
        QTest::newRow("first quarter, its last day")
            << DaysPreset::ThisQuarter << QDate(2026, 10, 31) << QDate(2026, 9, 1)
            << QDate(2026, 10, 31);
        QTest::newRow("second quarter")
            << DaysPreset::ThisQuarter << thursday << QDate(2026, 11, 1) << thursday;
        QTest::newRow("third quarter") << DaysPreset::ThisQuarter << QDate(2027, 3, 31)
                                       << QDate(2027, 1, 1) << QDate(2027, 3, 31);
        QTest::newRow("fourth quarter") << DaysPreset::ThisQuarter << QDate(2027, 4, 1)
                                        << QDate(2027, 4, 1) << QDate(2027, 4, 1);
        QTest::newRow("summer counts with the fourth quarter")
            << DaysPreset::ThisQuarter << QDate(2027, 7, 15) << QDate(2027, 4, 1)
            << QDate(2027, 7, 15);
        QTest::newRow("school year in autumn")
            << DaysPreset::ThisSchoolYear << thursday << QDate(2026, 9, 1) << thursday;
        QTest::newRow("school year in spring") << DaysPreset::ThisSchoolYear << QDate(2027, 5, 20)
                                               << QDate(2026, 9, 1) << QDate(2027, 5, 20);
        QTest::newRow("school year's last day") << DaysPreset::ThisSchoolYear << QDate(2027, 8, 31)
                                                << QDate(2026, 9, 1) << QDate(2027, 8, 31);
        QTest::newRow("school year's first day") << DaysPreset::ThisSchoolYear << QDate(2027, 9, 1)
                                                 << QDate(2027, 9, 1) << QDate(2027, 9, 1);
        QTest::newRow("all days") << DaysPreset::AllDays << thursday << QDate() << QDate();
    }
    void presetsCoverTheirDays()
    {
        QFETCH(DaysPreset, preset);
        QFETCH(QDate, today);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        const std::optional<teacher::DayRange> days = teacher::DaysOf(preset, today);
        QVERIFY(days);
        QCOMPARE(days->From, from);
        QCOMPARE(days->To, to);
    }

    void chosenDaysAreTheTeachers()
    {
        QVERIFY(!teacher::DaysOf(DaysPreset::Chosen, QDate(2026, 12, 10)));
        for (const DaysPreset preset : teacher::kPresetsListed) {
            QCOMPARE(teacher::PresetFromKey(teacher::PresetKey(preset)), preset);
        }
        QVERIFY(!teacher::PresetFromKey("fortnight"));
    }

    // Each preset, chosen from the list by the keyboard, gives one filter with its days and
    // shows them in the date boxes; «За все дни» leaves the days open and the boxes off.
    void presetsChosenByKeys_data()
    {
        QTest::addColumn<DaysPreset>("preset");
        for (const DaysPreset preset : teacher::kPresetsListed) {
            if (preset != DaysPreset::Chosen) {
                QTest::newRow(qPrintable(teacher::PresetKey(preset))) << preset;
            }
        }
    }
    void presetsChosenByKeys()
    {
        QFETCH(DaysPreset, preset);
        teacher::FilterBar bar;
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        // From another preset, so that each choice is a change.
        bar.ChoosePreset(preset == DaysPreset::Today ? DaysPreset::AllDays : DaysPreset::Today);
        QSignalSpy changed(&bar, &teacher::FilterBar::FilterChanged);
        ChooseByKeys(bar.findChild<QComboBox*>("days"), static_cast<int>(preset));
        QVERIFY(!changed.isEmpty());
        QCOMPARE(bar.Preset(), preset);
        const teacher::DayRange days = *teacher::DaysOf(preset, QDate::currentDate());
        const journal::AttemptFilter filter = LastFilter(changed);
        QCOMPARE(filter.From, days.From);
        QCOMPARE(filter.To, days.To);
        QCOMPARE(bar.Filter(), filter);
        auto* from = bar.findChild<QDateEdit*>("from");
        QCOMPARE(from->isEnabled(), preset != DaysPreset::AllDays);
        if (days.From.isValid()) {
            QCOMPARE(from->date(), days.From);
            QCOMPARE(bar.findChild<QDateEdit*>("to")->date(), days.To);
        }
    }

    // A date set past the other moves the other to it, says so, and turns the preset into
    // «Выбранные дни»; the list never asks for days that end before they begin.
    void datesNeverCross_data()
    {
        QTest::addColumn<bool>("editFrom");
        QTest::addColumn<int>("daysFromToday"); // the date set
        QTest::addColumn<int>("fromAfter");     // days from today
        QTest::addColumn<int>("toAfter");
        QTest::addColumn<QString>("said"); // part of the note; empty: nothing said

        // The bar starts on this week up to today; today is 0.
        const int monday = 1 - QDate::currentDate().dayOfWeek();
        QTest::newRow("«с» after «по» moves «по»") << true << 3 << 3 << 3 << "«по»";
        QTest::newRow("«по» before «с» moves «с»")
            << false << monday - 2 << monday - 2 << monday - 2 << "«с»";
        QTest::newRow("«с» earlier moves nothing") << true << monday - 7 << monday - 7 << 0 << "";
        QTest::newRow("«по» later moves nothing") << false << 5 << monday << 5 << "";
    }
    void datesNeverCross()
    {
        QFETCH(bool, editFrom);
        QFETCH(int, daysFromToday);
        QFETCH(int, fromAfter);
        QFETCH(int, toAfter);
        QFETCH(QString, said);
        const QDate today = QDate::currentDate();
        teacher::FilterBar bar;
        bar.ChoosePreset(DaysPreset::ThisWeek);
        QSignalSpy changed(&bar, &teacher::FilterBar::FilterChanged);
        QSignalSpy corrected(&bar, &teacher::FilterBar::Corrected);
        auto* edit = bar.findChild<QDateEdit*>(editFrom ? "from" : "to");
        edit->setDate(today.addDays(daysFromToday));

        QCOMPARE(bar.Preset(), DaysPreset::Chosen);
        QCOMPARE(changed.size(), 1);
        const journal::AttemptFilter filter = LastFilter(changed);
        QCOMPARE(filter.From, today.addDays(fromAfter));
        QCOMPARE(filter.To, today.addDays(toAfter));
        QCOMPARE(bar.findChild<QDateEdit*>("from")->date(), filter.From);
        QCOMPARE(bar.findChild<QDateEdit*>("to")->date(), filter.To);
        if (said.isEmpty()) {
            QVERIFY(corrected.isEmpty());
        } else {
            QCOMPARE(corrected.size(), 1);
            const QString note = corrected.first().at(0).toString();
            QVERIFY2(note.contains(said) &&
                         note.contains(today.addDays(daysFromToday).toString("dd.MM.yyyy")),
                     qPrintable(note));
        }
    }

    void nameIsTakenOnceTypingPauses()
    {
        teacher::FilterBar bar;
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QSignalSpy changed(&bar, &teacher::FilterBar::FilterChanged);
        auto* pupil = bar.findChild<QLineEdit*>("pupilFilter");
        pupil->setFocus();
        TypeInto(pupil, "  Фёд");
        QVERIFY(changed.isEmpty());
        QTRY_COMPARE(changed.size(), 1);
        QCOMPARE(LastFilter(changed).PupilContains, "Фёд");
        QTest::qWait(400);
        QCOMPARE(changed.size(), 1);

        // «Обновить» right after typing takes the name at once; with nothing typed since, it
        // asks for the same filter to be read again.
        QSignalSpy refreshed(&bar, &teacher::FilterBar::RefreshRequested);
        TypeInto(pupil, "о");
        bar.findChild<QPushButton*>("refresh")->click();
        QCOMPARE(changed.size(), 2);
        QCOMPARE(LastFilter(changed).PupilContains, "Фёдо");
        QCOMPARE(refreshed.size(), 0);
        bar.findChild<QPushButton*>("refresh")->click();
        QCOMPARE(refreshed.size(), 1);
        QTest::qWait(400);
        QCOMPARE(changed.size(), 2);
    }

    void endingAndComputerChosenByKeys()
    {
        teacher::FilterBar bar;
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        bar.SetHosts({"класс-1", "класс-2"});
        QSignalSpy changed(&bar, &teacher::FilterBar::FilterChanged);

        ChooseByKeys(bar.findChild<QComboBox*>("ending"), int(engine::AttemptEnd::TimedOut));
        QCOMPARE(LastFilter(changed).Ending, engine::AttemptEnd::TimedOut);
        ChooseByKeys(bar.findChild<QComboBox*>("host"), QString("класс-2"));
        QCOMPARE(LastFilter(changed).Host, "класс-2");
        QCOMPARE(LastFilter(changed).Ending, engine::AttemptEnd::TimedOut);

        // A new list of computers keeps the choice, even one no longer in it.
        const qsizetype before = changed.size();
        bar.SetHosts({"класс-1"});
        QCOMPARE(bar.Filter().Host, "класс-2");
        QCOMPARE(changed.size(), before);

        ChooseByKeys(bar.findChild<QComboBox*>("ending"), -1);
        ChooseByKeys(bar.findChild<QComboBox*>("host"), QString());
        QVERIFY(!LastFilter(changed).Ending);
        QVERIFY(LastFilter(changed).Host.isEmpty());
    }

    // What was remembered comes back with one FilterChanged; a preset's days are those of today.
    void restoresARememberedState_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<int>("presetAfter");
        QTest::addColumn<QDate>("fromAfter"); // invalid: the preset's own
        QTest::addColumn<QDate>("toAfter");

        const QDate a(2026, 3, 2), b(2026, 3, 20);
        QTest::newRow("a preset") << int(DaysPreset::ThisMonth) << a << b
                                  << int(DaysPreset::ThisMonth) << QDate() << QDate();
        QTest::newRow("chosen days")
            << int(DaysPreset::Chosen) << a << b << int(DaysPreset::Chosen) << a << b;
        QTest::newRow("chosen days the wrong way round")
            << int(DaysPreset::Chosen) << b << a << int(DaysPreset::Chosen) << b << b;
        QTest::newRow("chosen days without dates") << int(DaysPreset::Chosen) << QDate() << QDate()
                                                   << int(DaysPreset::Today) << QDate() << QDate();
        QTest::newRow("all days") << int(DaysPreset::AllDays) << QDate() << QDate()
                                  << int(DaysPreset::AllDays) << QDate() << QDate();
    }
    void restoresARememberedState()
    {
        QFETCH(int, preset);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(int, presetAfter);
        QFETCH(QDate, fromAfter);
        QFETCH(QDate, toAfter);
        teacher::FilterBar bar;
        bar.SetHosts({"класс-1"});
        QSignalSpy changed(&bar, &teacher::FilterBar::FilterChanged);
        bar.Restore(
            {DaysPreset(preset), from, to, "Фёдоров", engine::AttemptEnd::Interrupted, "класс-9"});
        QCOMPARE(changed.size(), 1);
        QCOMPARE(int(bar.Preset()), presetAfter);
        const journal::AttemptFilter filter = LastFilter(changed);
        if (!fromAfter.isValid()) {
            const teacher::DayRange days =
                *teacher::DaysOf(DaysPreset(presetAfter), QDate::currentDate());
            fromAfter = days.From;
            toAfter = days.To;
        }
        QCOMPARE(filter.From, fromAfter);
        QCOMPARE(filter.To, toAfter);
        QCOMPARE(filter.PupilContains, "Фёдоров");
        QCOMPARE(filter.Ending, engine::AttemptEnd::Interrupted);
        QCOMPARE(filter.Host, "класс-9");
        QCOMPARE(bar.Current().Preset, DaysPreset(presetAfter));
    }
};

QTEST_MAIN(FilterBarTest)
#include "tst_filter_bar.moc"
