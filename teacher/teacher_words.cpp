// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/teacher_words.h"

#include "journal/stored_attempt.h"
#include "teacher/attempt_list_model.h"
#include "teacher/attempt_texts.h"

#include <QLocale>
#include <QStringList>

#include <array>

namespace teacher::words {

namespace {

const QLocale& Russian()
{
    static const QLocale locale(QLocale::Russian, QLocale::Russia);
    return locale;
}

QString DaysText(const journal::AttemptFilter& filter)
{
    if (filter.From.isValid() && filter.To.isValid()) {
        return filter.From == filter.To
                   ? QStringLiteral("за %1").arg(DateText(filter.From))
                   : QStringLiteral("с %1 по %2").arg(DateText(filter.From), DateText(filter.To));
    }
    if (filter.From.isValid()) {
        return QStringLiteral("с %1").arg(DateText(filter.From));
    }
    if (filter.To.isValid()) {
        return QStringLiteral("по %1").arg(DateText(filter.To));
    }
    return QStringLiteral("за все дни");
}

QString Attempts(long long count)
{
    return CountedWord(count, QStringLiteral("попытка"), QStringLiteral("попытки"),
                       QStringLiteral("попыток"));
}

} // namespace

QString WindowTitle()
{
    return QStringLiteral("Журнал результатов");
}
QString AttemptTab()
{
    return QStringLiteral("Попы&тка");
}
QString ChartsTab()
{
    return QStringLiteral("&Диаграммы");
}
QString AttemptPaneName()
{
    return QStringLiteral("Выбранная попытка");
}
QString ChartsPaneName()
{
    return QStringLiteral("Диаграммы");
}
QString TabsName()
{
    return QStringLiteral("Попытка и диаграммы");
}
QString JournalNotOpen()
{
    return QStringLiteral("Журнал не открыт.");
}
QString JournalNotOpenPane()
{
    return QStringLiteral("Журнал не открыт: смотрите сообщение внизу окна.");
}
QString AttemptGone()
{
    return QStringLiteral("Этой попытки уже нет в журнале: нажмите «Обновить».");
}
QString AttemptUnreadable()
{
    return QStringLiteral("Попытку не удалось прочитать.");
}
QString NotDeleted(const QString& why)
{
    return QStringLiteral("Попытки не удалены: %1").arg(why);
}
QString ListName()
{
    return QStringLiteral("Список попыток");
}
QString TotalsName()
{
    return QStringLiteral("Итог по списку");
}
QString StatusName()
{
    return QStringLiteral("Состояние");
}
QString ChooseAnAttempt()
{
    return QStringLiteral("Выберите попытку в списке.");
}
QString EmptyJournal()
{
    return QStringLiteral(
        "В журнале пока нет ни одной попытки. Они появятся здесь, когда ученики пройдут тест на "
        "этом компьютере (или на компьютерах класса, если журнал ведётся на сервере).");
}

QString DaysLabel()
{
    return QStringLiteral("Д&ни:");
}
QString DaysName()
{
    return QStringLiteral("Показать попытки за дни");
}
QString PresetName(DaysPreset preset)
{
    switch (preset) {
    case DaysPreset::Today:
        return QStringLiteral("Сегодня");
    case DaysPreset::Yesterday:
        return QStringLiteral("Вчера");
    case DaysPreset::ThisWeek:
        return QStringLiteral("Эта неделя");
    case DaysPreset::ThisMonth:
        return QStringLiteral("Этот месяц");
    case DaysPreset::ThisQuarter:
        return QStringLiteral("Эта четверть");
    case DaysPreset::ThisSchoolYear:
        return QStringLiteral("Этот учебный год");
    case DaysPreset::AllDays:
        return QStringLiteral("За все дни");
    case DaysPreset::Chosen:
        break;
    }
    return QStringLiteral("Выбранные дни");
}
QString FromLabel()
{
    return QStringLiteral("&с");
}
QString FromName()
{
    return QStringLiteral("Показать попытки с даты");
}
QString ToLabel()
{
    return QStringLiteral("п&о");
}
QString ToName()
{
    return QStringLiteral("Показать попытки по дату");
}
QString PupilLabel()
{
    return QStringLiteral("&Ученик:");
}
QString PupilPlaceholder()
{
    return QStringLiteral("часть имени, ищется за выбранные дни");
}
QString PupilName()
{
    return QStringLiteral("Ученик: часть имени");
}
QString PupilDescription()
{
    return QStringLiteral("Список показывает за выбранные дни учеников, в имени которых есть "
                          "набранный текст; буквы е и ё не различаются");
}
QString EndingLabel()
{
    return QStringLiteral("Ито&г:");
}
QString EndingName()
{
    return QStringLiteral("Показать попытки с итогом");
}
QString AnyEnding()
{
    return QStringLiteral("любой");
}
QString HostLabel()
{
    return QStringLiteral("Ко&мпьютер:");
}
QString HostName()
{
    return QStringLiteral("Показать попытки с компьютера");
}
QString AnyHost()
{
    return QStringLiteral("все");
}
QString RefreshButton()
{
    return QStringLiteral("О&бновить");
}
QString RefreshTip()
{
    return QStringLiteral("Прочитать журнал заново (F5)");
}
QString ToMovedUp(const QDate& to)
{
    return QStringLiteral("Дата «по» не может быть раньше даты «с»: она передвинута на %1.")
        .arg(DateText(to));
}
QString FromMovedBack(const QDate& from)
{
    return QStringLiteral("Дата «с» не может быть позже даты «по»: она передвинута на %1.")
        .arg(DateText(from));
}

QString CountText(long long count)
{
    return Russian().toString(count);
}

QString FilterText(const journal::AttemptFilter& filter)
{
    QStringList parts{DaysText(filter)};
    if (!filter.PupilContains.isEmpty()) {
        parts << QStringLiteral("в имени «%1»").arg(ShownName(filter.PupilContains));
    }
    if (filter.Ending) {
        parts << QStringLiteral("итог: %1").arg(journal::EndingText(*filter.Ending));
    }
    if (!filter.Host.isEmpty()) {
        parts << QStringLiteral("компьютер: %1").arg(ShownName(filter.Host));
    }
    return parts.join(QStringLiteral("; "));
}

QString TotalsText(const journal::AttemptFilter& filter, long long count,
                   const std::optional<double>& average)
{
    return QStringLiteral("Показано попыток: %1 (%2); средняя отметка: %3")
        .arg(CountText(count), FilterText(filter), AverageText(average));
}

QString EmptyListText(const journal::AttemptFilter& filter, const HidingConditions& hiding)
{
    const bool days = filter.From.isValid() || filter.To.isValid();
    const bool pupil = !filter.PupilContains.isEmpty();
    const bool ending = filter.Ending.has_value();
    const bool host = !filter.Host.isEmpty();
    // When no condition alone hides the rows, every condition that is set is worth changing.
    const bool anyAlone = (days && hiding.Days) || (pupil && hiding.Pupil) ||
                          (ending && hiding.Ending) || (host && hiding.Host);
    QStringList advice;
    if (days && (hiding.Days || !anyAlone)) {
        advice << QStringLiteral("выберите другие дни или «За все дни»");
    }
    if (pupil && (hiding.Pupil || !anyAlone)) {
        advice << QStringLiteral("измените или сотрите имя");
    }
    if (ending && (hiding.Ending || !anyAlone)) {
        advice << QStringLiteral("выберите итог «любой»");
    }
    if (host && (hiding.Host || !anyAlone)) {
        advice << QStringLiteral("выберите компьютер «все»");
    }
    QString text = QStringLiteral("Попыток нет (%1).").arg(FilterText(filter));
    if (!advice.isEmpty()) {
        const QString last = advice.takeLast();
        const QString all =
            advice.isEmpty() ? last
                             : advice.join(QStringLiteral(", ")) + QStringLiteral(" или ") + last;
        text += QStringLiteral(" Чтобы увидеть попытки, %1.").arg(all);
    }
    return text;
}

QString ListHeading(int column)
{
    // «Итог» rather than a participle: the endings (сдан, время вышло, прерван, идёт) agree with
    // «тест», and a heading such as «Завершена» would clash with each of them.
    static const std::array<QString, AttemptListModel::Received + 1> kHeadings = {
        QStringLiteral("Ученик"),  QStringLiteral("Компьютер"), QStringLiteral("Начало"),
        QStringLiteral("Время"),   QStringLiteral("Итог"),      QStringLiteral("Верных"),
        QStringLiteral("Отметка"), QStringLiteral("Проверка"),  QStringLiteral("Получено")};
    if (column < 0 || column > AttemptListModel::Received) {
        return {};
    }
    return kHeadings.at(static_cast<std::size_t>(column));
}

QString DeleteTitle()
{
    return QStringLiteral("Удаление попыток");
}
QString DeleteQuestion(long long count)
{
    const QString back = count == 1 ? QStringLiteral("Вернуть её будет нельзя.")
                                    : QStringLiteral("Вернуть их будет нельзя.");
    return QStringLiteral("Удалить из журнала %1 %2? %3")
        .arg(CountText(count),
             CountedWord(count, QStringLiteral("попытку"), QStringLiteral("попытки"),
                         QStringLiteral("попыток")),
             back);
}
QString DeleteButton()
{
    return QStringLiteral("Удалить");
}
QString CancelButton()
{
    return QStringLiteral("Отмена");
}
QString DeletedText(long long count)
{
    return QStringLiteral("Удалено из журнала: %1 %2.").arg(CountText(count), Attempts(count));
}

QString GradeWords(const std::string& gradeText)
{
    QString text = QString::fromStdString(gradeText);
    qsizetype start = 0;
    while (start < text.size() && text.at(start).isDigit()) {
        ++start;
    }
    if (start > 0 && start < text.size() && text.at(start) == QLatin1Char('.')) {
        ++start;
    } else {
        start = 0;
    }
    return text.mid(start).trimmed();
}

QString AttemptName()
{
    return QStringLiteral("Попытка");
}
QStringList AttemptHeadings()
{
    return {QStringLiteral("№"),
            QStringLiteral("Задание"),
            QString(),
            QString(),
            QString(),
            QStringLiteral("Ответ ученика"),
            QStringLiteral("Верный ответ"),
            QStringLiteral("Проверка"),
            QStringLiteral("Ошибка")};
}
QString TaskName(int row)
{
    return QStringLiteral("Задание %1").arg(row);
}
QString FirstNumberName(const QString& task)
{
    return task + QStringLiteral(", первое число");
}
QString SecondNumberName(const QString& task)
{
    return task + QStringLiteral(", второе число");
}
QString AnswerName(const QString& task)
{
    return task + QStringLiteral(", ответ ученика");
}
QString KeyName(const QString& task)
{
    return task + QStringLiteral(", верный ответ");
}
QString RowSpoken(const QString& task, const QString& first, const QString& operation,
                  const QString& second, const QString& typed, const QString& key,
                  const QString& verdict)
{
    return QStringLiteral("%1: %2 %3 %4; ответ ученика %5; верный ответ %6; %7")
        .arg(task, first, operation, second, typed, key, verdict);
}

QString NoRightToRead()
{
    return QStringLiteral("Нет права читать журнал на сервере: это роль компьютера ученика. "
                          "Проверьте, что в адресе журнала указана роль учителя "
                          "(fraction_teacher).");
}
QString CannotRead(const QString& why)
{
    return QStringLiteral("Не удалось прочитать журнал: %1. Проверьте, что сервер журнала "
                          "доступен, и попробуйте «Обновить».")
        .arg(why);
}
QString CheckUnreadable()
{
    return QStringLiteral("не сходится: попытку не удалось прочитать");
}
QString CheckFailed(const QString& why)
{
    return QStringLiteral("не удалось прочитать: %1").arg(why);
}

QString MarksSeries()
{
    return QStringLiteral("Попыток");
}
QString MarksText(const QStringList& parts)
{
    return QStringLiteral("Отметки: %1.").arg(parts.join(QStringLiteral(", ")));
}
QString MarkPart(int mark, long long count)
{
    return QStringLiteral("«%1» — %2").arg(mark).arg(CountText(count));
}
QString RowsSeries()
{
    return QStringLiteral("Верно, %");
}
QString RowsText(const QStringList& parts)
{
    return QStringLiteral("Верно решили: %1.").arg(parts.join(QStringLiteral("; ")));
}
QString RowNotJudged(int row)
{
    return QStringLiteral("задание %1 — не проверялось").arg(row);
}
QString RowShare(int row, const QString& percent, long long right, long long judged)
{
    return QStringLiteral("задание %1 — %2 % (%3 из %4)")
        .arg(row)
        .arg(percent, CountText(right), CountText(judged));
}
QString MarksChartTitle()
{
    return QStringLiteral("Распределение отметок");
}
QString RowsChartTitle()
{
    return QStringLiteral("Доля верных ответов по заданиям");
}
QString PupilChartTitle()
{
    return QStringLiteral("Отметки ученика по времени");
}
QString PupilMarksText(const QString& pupil, const QStringList& points)
{
    return QStringLiteral("Ученик: %1. Отметки по времени: %2.")
        .arg(pupil, points.join(QStringLiteral("; ")));
}
QString PupilHasNoMarks(const QString& pupil)
{
    return QStringLiteral("Ученик: %1. За выбранные дни попыток с отметкой нет.").arg(pupil);
}
QString ChoosePupilForChart()
{
    return QStringLiteral("Выберите попытку в списке, чтобы увидеть отметки её ученика.");
}

QString ChartAttemptsLabel()
{
    return QStringLiteral("Учит&ывать:");
}
QString ChartAttemptsName()
{
    return QStringLiteral("Какие попытки считать в диаграммах");
}
QString ChartAttemptsWords(ChartAttempts which)
{
    switch (which) {
    case ChartAttempts::LastOfPupil:
        return QStringLiteral("последнюю попытку ученика");
    case ChartAttempts::BestOfPupil:
        return QStringLiteral("лучшую попытку ученика");
    case ChartAttempts::Every:
        break;
    }
    return QStringLiteral("каждую попытку");
}

QString ClassSheetName()
{
    return QStringLiteral("Класс");
}
QStringList ClassSheetHeadings()
{
    return {QStringLiteral("Ученик"), QStringLiteral("Отметка"), QStringLiteral("Время"),
            QStringLiteral("Попыток")};
}
QString NotTaken()
{
    return QStringLiteral("не проходил(а)");
}
QString WithoutMark()
{
    return QStringLiteral("без оценки");
}
QString MistakesSheetName()
{
    return QStringLiteral("Типичные ошибки");
}
QStringList MistakeSheetHeadings()
{
    return {QStringLiteral("Ошибка"), QStringLiteral("Учеников"), QStringLiteral("Раз"),
            QStringLiteral("Задания")};
}
QStringList RowSheetHeadings()
{
    return {QStringLiteral("№"), QStringLiteral("Вид задания"), QStringLiteral("Верно"),
            QStringLiteral("Чаще всего")};
}

QString MistakesTab()
{
    return QStringLiteral("Типи&чные ошибки");
}
QString ClassTab()
{
    return QStringLiteral("&Класс");
}
QString RosterTab()
{
    return QStringLiteral("Сп&иски классов");
}
QString ClassFilterLabel()
{
    return QStringLiteral("Кл&асс:");
}
QString ClassFilterName()
{
    return QStringLiteral("Показать попытки класса");
}
QString AnyClass()
{
    return QStringLiteral("все классы");
}
QString FileMenu()
{
    return QStringLiteral("&Файл");
}
QString OpenJournalCommand()
{
    return QStringLiteral("&Открыть журнал…");
}
QString CloseCommand()
{
    return QStringLiteral("&Закрыть");
}
QString EditMenu()
{
    return QStringLiteral("&Правка");
}
QString RefreshCommand()
{
    return QStringLiteral("&Обновить");
}
QString DeleteCommand()
{
    return QStringLiteral("&Удалить выбранные попытки…");
}
QString SaveListCsvCommand()
{
    return QStringLiteral("Сохранить список в &CSV…");
}
QString SaveListXlsxCommand()
{
    return QStringLiteral("Сохранить список в &Excel (.xlsx)…");
}
QString SaveListPdfCommand()
{
    return QStringLiteral("Сохранить список в P&DF…");
}
QString SaveAttemptPdfCommand()
{
    return QStringLiteral("Сохранить попытку в PD&F…");
}
QString PrintListCommand()
{
    return QStringLiteral("&Печать списка…");
}
QString PrintAttemptCommand()
{
    return QStringLiteral("П&ечать попытки…");
}
QString SaveListCsvTitle()
{
    return QStringLiteral("Сохранить список в CSV");
}
QString SaveListXlsxTitle()
{
    return QStringLiteral("Сохранить список в Excel");
}
QString SaveListPdfTitle()
{
    return QStringLiteral("Сохранить список в PDF");
}
QString SaveAttemptPdfTitle()
{
    return QStringLiteral("Сохранить попытку в PDF");
}
QString ListFileName()
{
    return QStringLiteral("журнал");
}
QString CsvCommaFilter()
{
    return QStringLiteral("CSV, поля через запятую (*.csv)");
}
QString CsvSemicolonFilter()
{
    return QStringLiteral("CSV для таблиц на русском языке, поля через точку с запятой (*.csv)");
}
QString XlsxFilter()
{
    return QStringLiteral("Книга Excel (*.xlsx)");
}
QString PdfFilter()
{
    return QStringLiteral("Документ PDF (*.pdf)");
}
QString JobProgressName()
{
    return QStringLiteral("Ход сохранения");
}
QString JobCancelTip()
{
    return QStringLiteral("Остановить сохранение; файл не будет создан");
}
QString WaitForJob()
{
    return QStringLiteral("Дождитесь конца сохранения или нажмите «Отмена».");
}
QString ListCsvJob()
{
    return QStringLiteral("Список сохраняется в CSV");
}
QString ListXlsxJob()
{
    return QStringLiteral("Список сохраняется в Excel");
}
QString ListPdfJob()
{
    return QStringLiteral("Список сохраняется в PDF");
}
QString AttemptPdfJob()
{
    return QStringLiteral("Попытка сохраняется в PDF");
}
QString ListPrintJob()
{
    return QStringLiteral("Список печатается");
}
QString AttemptPrintJob()
{
    return QStringLiteral("Попытка печатается");
}
QString SaveAction()
{
    return QStringLiteral("Сохранить");
}
QString PrintAction()
{
    return QStringLiteral("Напечатать");
}
QString PreviewTitle()
{
    return QStringLiteral("Предварительный просмотр");
}
QString PreviewPagesName()
{
    return QStringLiteral("Страницы, как они будут напечатаны");
}
QString PreviewPrintButton()
{
    return QStringLiteral("&Печать…");
}
QString PreviewCloseButton()
{
    return QStringLiteral("&Закрыть");
}
QString AttemptDocumentTitle(const QString& pupil)
{
    return QStringLiteral("Попытка теста: %1").arg(pupil);
}
QString ManyPagesQuestion(long long attempts, int pages, const QString& action)
{
    return QStringLiteral("В списке %1 %2 (%3 %4). %5 их все? Чтобы страниц было "
                          "меньше, сузьте список: выберите дни или ученика.")
        .arg(CountText(attempts), Attempts(attempts), CountText(pages),
             CountedWord(pages, QStringLiteral("страница"), QStringLiteral("страницы"),
                         QStringLiteral("страниц")),
             action);
}

QString OpenJournalTitle()
{
    return QStringLiteral("Открыть журнал");
}
QString JournalFileFilter()
{
    return QStringLiteral("Журнал результатов (*.sqlite);;Все файлы (*)");
}
QString ServerJournalTitle(const QString& host)
{
    return QStringLiteral("%1 — сервер %2").arg(WindowTitle(), host);
}
QString LocalJournalTitle()
{
    return QStringLiteral("%1 — этот компьютер").arg(WindowTitle());
}
QString FileJournalTitle(const QString& fileName)
{
    return QStringLiteral("%1 — %2").arg(WindowTitle(), fileName);
}

QString RosterClassesLabel()
{
    return QStringLiteral("Класс&ы:");
}
QString RosterClassesName()
{
    return QStringLiteral("Классы");
}
QString AddClassButton()
{
    return QStringLiteral("Добавить класс…");
}
QString RenameClassButton()
{
    return QStringLiteral("Переименовать…");
}
QString ArchiveClassButton()
{
    return QStringLiteral("В архив / из архива");
}
QString ClassTimeButton()
{
    return QStringLiteral("Время класса…");
}
QString RosterPupilsLabel()
{
    return QStringLiteral("Уч&еники класса:");
}
QString RosterPupilsName()
{
    return QStringLiteral("Ученики класса");
}
QString AddPupilButton()
{
    return QStringLiteral("Добавить ученика…");
}
QString EditPupilButton()
{
    return QStringLiteral("Изменить…");
}
QString MovePupilButton()
{
    return QStringLiteral("Перевести в класс…");
}
QString RemovePupilButton()
{
    return QStringLiteral("Убрать из списка…");
}
QString PasteListButton()
{
    return QStringLiteral("Вставить список…");
}
QString NewClassTitle()
{
    return QStringLiteral("Новый класс");
}
QString NewClassPrompt()
{
    return QStringLiteral("Название класса (например, 6А):");
}
QString RenameClassTitle()
{
    return QStringLiteral("Переименовать класс");
}
QString RenameClassPrompt()
{
    return QStringLiteral("Новое название класса:");
}
QString NewPupilTitle()
{
    return QStringLiteral("Новый ученик");
}
QString SurnamePrompt()
{
    return QStringLiteral("Фамилия:");
}
QString FirstNamePrompt()
{
    return QStringLiteral("Имя:");
}
QString MovePupilTitle()
{
    return QStringLiteral("Перевести в класс");
}
QString MovePupilPrompt()
{
    return QStringLiteral("Класс:");
}
QString EditPupilTitle()
{
    return QStringLiteral("Изменить ученика");
}
QString LoginsPrompt()
{
    return QStringLiteral("Имена входа (через пробел, можно не указывать):");
}
QString PupilMinutesPrompt()
{
    return QStringLiteral("Своё время на тест, минут (0 — как у класса):");
}
QString ClassTimeTitle()
{
    return QStringLiteral("Время класса");
}
QString ClassMinutesPrompt()
{
    return QStringLiteral("Время на тест для всего класса, минут (0 — обычные 10):");
}
QString RemovePupilTitle()
{
    return QStringLiteral("Убрать из списка");
}
QString RemovePupilQuestion()
{
    return QStringLiteral("Убрать ученика из списка класса? Его попытки останутся в журнале.");
}
QString PasteListTitle()
{
    return QStringLiteral("Вставить список учеников");
}
QString PasteListName()
{
    return QStringLiteral("Список учеников");
}
QString OpenCsvButton()
{
    return QStringLiteral("Открыть CSV-файл…");
}
QString LoadButton()
{
    return QStringLiteral("Загрузить");
}
QString OpenPupilListTitle()
{
    return QStringLiteral("Открыть список учеников");
}
QString PupilListFilter()
{
    return QStringLiteral("CSV и текст (*.csv *.txt);;Все файлы (*)");
}
QStringList RosterHeadings()
{
    return {QStringLiteral("Фамилия"), QStringLiteral("Имя"), QStringLiteral("Вход"),
            QStringLiteral("Минут")};
}
QString PasteListHint()
{
    return QStringLiteral("По одному ученику в строке: фамилия, имя, имя входа, минуты на тест "
                          "(последние два можно не писать). Вставьте из таблицы или откройте "
                          "CSV-файл.");
}

QString FileNotSaved(const QString& path, const QString& why)
{
    return QStringLiteral("Файл %1 не сохранён: %2. Проверьте, что папка доступна для записи.")
        .arg(path, why);
}
QString PageNotPainted()
{
    return QStringLiteral("Страницу не удалось нарисовать.");
}
QString PagesNotPainted()
{
    return QStringLiteral("Страницы не удалось нарисовать.");
}
QString ListSaved(const QString& path)
{
    return QStringLiteral("Список сохранён: %1").arg(path);
}
QString AttemptSaved(const QString& path)
{
    return QStringLiteral("Попытка сохранена: %1").arg(path);
}
QString ListPrinted()
{
    return QStringLiteral("Список отправлен на печать.");
}
QString AttemptPrinted()
{
    return QStringLiteral("Попытка отправлена на печать.");
}
QString JobCancelled()
{
    return QStringLiteral("Отменено: файл не сохранён.");
}
QString JournalNotOpenForSaving(const QString& why)
{
    return QStringLiteral("Не удалось открыть журнал для сохранения: %1").arg(why);
}

} // namespace teacher::words
