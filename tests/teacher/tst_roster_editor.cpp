// SPDX-License-Identifier: GPL-3.0-or-later
// The roster editor in the teacher's window over a real journal file: classes added (a second
// one of the same name refused), archived and renamed; a list pasted through its dialog with a
// preview that names the bad line; a pupil moved and one taken off the list, whose attempt stays.
#include "journal_fixture.h"

#include "journal/roster.h"
#include "teacher/class_view.h"
#include "teacher/journal_window.h"
#include "teacher/roster_editor.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

QStringList Column(QTableWidget* table, int column)
{
    QStringList cells;
    for (int row = 0; row < table->rowCount(); ++row) {
        cells << table->item(row, column)->text();
    }
    return cells;
}

} // namespace

class TestRosterEditor : public QObject {
    Q_OBJECT

private slots:
    void editsThroughThePane()
    {
        JournalFile f;
        QVERIFY(f.db);
        teacher::JournalWindow window({f.db, {}});
        teacher::RosterEditor* editor = window.Roster();
        QVERIFY(editor != nullptr);
        auto* classes = editor->findChild<QListWidget*>("rosterClasses");
        auto* pupils = editor->findChild<QTableWidget*>("rosterPupils");

        QVERIFY(editor->AddClass("6Б", "2026/2027"));
        QVERIFY(editor->AddClass("6А", "2026/2027"));
        QVERIFY(!editor->AddClass("6А", "2026/2027"));
        QVERIFY(editor->Message().contains("уже есть"));
        QCOMPARE(classes->count(), 2);
        QCOMPARE(classes->currentItem()->text(), QStringLiteral("6А (2026/2027)"));

        // A list pasted from a spreadsheet: the preview names the bad line, «Загрузить» adds
        // the others.
        QString preview;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || dialog->objectName() != "pasteDialog") {
                return;
            }
            poll.stop();
            dialog->findChild<QPlainTextEdit*>("pasteText")
                ->setPlainText("Фамилия\tИмя\nИванов\tИван\tivanov\nКим\nОрлова\tЕва\t\t15\n");
            preview = dialog->findChild<QLabel*>("pastePreview")->text();
            for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
                if (b->text() == "Загрузить") {
                    b->click();
                }
            }
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        poll.start(10);
        editor->findChild<QPushButton*>("pasteList")->click();
        QCOMPARE(preview, QStringLiteral("Будет загружено учеников: 2.\nСтрока 3: нужны фамилия и "
                                         "имя, а здесь только «Ким»"));
        QCOMPARE(Column(pupils, 0), (QStringList{"Иванов", "Орлова"}));
        QCOMPARE(Column(pupils, 3), (QStringList{"", "15"}));

        // Edited: a login and a time of her own; too short a time is refused with its reason.
        pupils->setCurrentCell(1, 0);
        QVERIFY(!editor->EditChosenPupil("Орлова", "Ева", "orlova", 5));
        QVERIFY(editor->Message().contains("от 10 до 60 минут"));
        QVERIFY(editor->EditChosenPupil("Орлова", "Ева Петровна", "orlova", 20));
        QCOMPARE(Column(pupils, 1), (QStringList{"Иван", "Ева Петровна"}));
        QCOMPARE(Column(pupils, 2), (QStringList{"ivanov", "orlova"}));
        QCOMPARE(Column(pupils, 3), (QStringList{"", "20"}));
        // The whole class's time, for its pupils without their own.
        QVERIFY(editor->SetClassMinutes(15));
        const QString ivanovId = journal::LoadPupils(*f.db, editor->ChosenClassId()).front().Id;
        QCOMPARE(journal::SecondsAllowedFor(*f.db, ivanovId), 900);

        // Moved to 6Б.
        pupils->setCurrentCell(1, 0);
        const QString sixB = classes->item(1)->data(Qt::UserRole).toString();
        QVERIFY(editor->MoveChosenPupil(sixB));
        QCOMPARE(Column(pupils, 0), QStringList{"Иванов"});
        QCOMPARE(journal::LoadPupils(*f.db, sixB).front().Surname, QStringLiteral("Орлова"));

        // Taken off the list: the attempt stays.
        auto attempt = MakeAttempt("Иванов Иван", TodayAt(9), 10);
        attempt.ClassName = "6А";
        attempt.RosterPupilId = journal::LoadPupils(*f.db, editor->ChosenClassId()).front().Id;
        f.Add(attempt);
        pupils->setCurrentCell(0, 0);
        QVERIFY(editor->RemoveChosenPupil());
        QCOMPARE(pupils->rowCount(), 0);
        QVERIFY(journal::LoadAttempt(*f.db, attempt.Id).has_value());

        // Renamed, then archived: the class view offers it no more.
        QVERIFY(editor->RenameClass("6В"));
        QCOMPARE(classes->currentItem()->text(), QStringLiteral("6В (2026/2027)"));
        QVERIFY(editor->ToggleArchived());
        QCOMPARE(classes->currentItem()->text(), QStringLiteral("6В (2026/2027), в архиве"));
        auto* offered = window.Classes()->findChild<QComboBox*>("classChoice");
        QCOMPARE(offered->count(), 1);
        QCOMPARE(offered->itemText(0), QStringLiteral("6Б (2026/2027)"));
    }
};

QTEST_MAIN(TestRosterEditor)
#include "tst_roster_editor.moc"
