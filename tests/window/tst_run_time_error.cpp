// SPDX-License-Identifier: GPL-3.0-or-later
// A run-time error that escapes an event handler is reported in a message box and ends the
// program with status 1, instead of aborting it with no word.
#include "tests/support/window_fixture.h"
#include "toolkit/form.h"
#include "toolkit/program.h"

class RunTimeErrorTest : public QObject {
    Q_OBJECT

private slots:
    void errorInAHandlerIsReportedAndEndsTheProgram()
    {
        toolkit::Form form("Тест", 3000, 1500);
        toolkit::CommandButton button =
            form.Client().AddCommandButton({"b", {0, 0, 900, 375}, "x"});
        button.OnClick([] { throw core::OverflowError(); });
        form.Show();
        MessageBoxCloser boxes;
        QTimer::singleShot(0, [&] { QTest::mouseClick(button.Widget(), Qt::LeftButton); });
        QCOMPARE(QApplication::exec(), 1);
        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen[0].text, "Ошибка выполнения: Переполнение. Программа будет закрыта.");
        QCOMPARE(boxes.seen[0].title, "Тест");
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
        QVERIFY(!form.Widget()->isVisible());
    }
};

int main(int argc, char** argv)
{
    const auto app = toolkit::StartToolkit(argc, argv);
    RunTimeErrorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_run_time_error.moc"
