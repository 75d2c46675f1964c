// SPDX-License-Identifier: GPL-3.0-or-later
// The words of the teacher's window, in one file for whoever proofreads them: the filter bar
// and its day presets, the list's headings and totals, what the status line says about an empty
// list, the deletion's question and answer, the charts' titles, the menus and commands, the
// saving and printing dialogs, the roster editor's buttons and dialogs, and the .xlsx's further
// sheets. Counts are written with Russian digit grouping («100 000»).
//
// The words of one attempt (its facts, verdicts, dates and times) are in attempt_texts.cpp.
// Nothing here reads a journal or decides anything: it words what it is given.
#pragma once

#include "journal/attempt_filter.h"
#include "teacher/chart_data.h"
#include "teacher/day_presets.h"

#include <QString>

#include <optional>
#include <string>

namespace teacher::words {

// The window.
QString WindowTitle();
QString AttemptTab();
QString ChartsTab();
QString AttemptPaneName();
QString ChartsPaneName();
QString TabsName();
QString JournalNotOpen();
QString JournalNotOpenPane();
QString AttemptGone();
QString AttemptUnreadable();
QString NotDeleted(const QString& why);
QString ListName();
QString TotalsName();
QString StatusName();
QString ChooseAnAttempt();
QString EmptyJournal();

// The filter bar. Labels carry their & mnemonic.
QString DaysLabel();
QString DaysName();
QString PresetName(DaysPreset preset);
QString FromLabel();
QString FromName();
QString ToLabel();
QString ToName();
QString PupilLabel();
QString PupilPlaceholder();
QString PupilName();
QString PupilDescription();
QString EndingLabel();
QString EndingName();
QString AnyEnding();
QString HostLabel();
QString HostName();
QString AnyHost();
QString RefreshButton();
QString RefreshTip();
// Said when one date was moved so that «по» is not before «с».
QString ToMovedUp(const QDate& to);
QString FromMovedBack(const QDate& from);

// "100 000": a count as a Russian reader groups its digits.
QString CountText(long long count);

// What a filter shows, "за 10.12.2026; в имени «ив»; итог: сдан; компьютер: класс-1".
QString FilterText(const journal::AttemptFilter& filter);
// "Показано попыток: 3 (за 10.12.2026); средняя отметка: 4,0".
QString TotalsText(const journal::AttemptFilter& filter, long long count,
                   const std::optional<double>& average);

// Which of a filter's conditions keep rows out of an empty list: each is true when leaving that
// condition alone out would show some attempts.
struct HidingConditions {
    bool Days = false, Pupil = false, Ending = false, Host = false;
};
// An empty list's explanation: what is chosen, and how to see attempts, naming only the
// conditions that are set (and of them the ones that hide rows, when any alone does).
QString EmptyListText(const journal::AttemptFilter& filter, const HidingConditions& hiding);

// The list's column headings, by AttemptListModel::Column.
QString ListHeading(int column);

// Deleting.
QString DeleteTitle();
QString DeleteQuestion(long long count);
QString DeleteButton();
QString CancelButton();
QString DeletedText(long long count);

// The words of a grade without its leading mark: "5. Отличная работа" → "Отличная работа".
QString GradeWords(const std::string& gradeText);

// One attempt's pane: its name, the grid's headings (№, Задание, …, Проверка; the sign, the
// second number and "=" have none), and what a screen reader says of each part of a row.
QString AttemptName();
QStringList AttemptHeadings();
QString TaskName(int row); // "Задание 3", counting from 1
QString FirstNumberName(const QString& task);
QString SecondNumberName(const QString& task);
QString AnswerName(const QString& task);
QString KeyName(const QString& task);
// "Задание 2: 1/2 разделить на 2/3; ответ ученика 3/4; верный ответ 3/4; верно".
QString RowSpoken(const QString& task, const QString& first, const QString& operation,
                  const QString& second, const QString& typed, const QString& key,
                  const QString& verdict);

// Reading the list.
QString NoRightToRead();
QString CannotRead(const QString& why);
QString CheckUnreadable();
QString CheckFailed(const QString& why);

// The charts.
QString MarksSeries();
QString MarksText(const QStringList& parts); // parts: "«5» — 2"
QString MarkPart(int mark, long long count);
QString RowsSeries();
QString RowsText(const QStringList& parts);
QString RowNotJudged(int row); // counting from 1
QString RowShare(int row, const QString& percent, long long right, long long judged);
QString MarksChartTitle();
QString RowsChartTitle();
QString PupilChartTitle();
// The text beside the pupil's chart: "Ученик: Иванов Пётр. Отметки по времени: …".
QString PupilMarksText(const QString& pupil, const QStringList& points);
QString PupilHasNoMarks(const QString& pupil);
QString ChoosePupilForChart();
// The choice of which attempts the marks and rows charts count; the label carries its & mnemonic.
QString ChartAttemptsLabel();
QString ChartAttemptsName();
QString ChartAttemptsWords(ChartAttempts which);

// The further sheets of the list's .xlsx: the class view's lines, and the typical mistakes with
// the exercise rows under them.
QString ClassSheetName();
QStringList ClassSheetHeadings();
QString NotTaken();
QString WithoutMark();
QString MistakesSheetName();
QStringList MistakeSheetHeadings();
QStringList RowSheetHeadings();

// The window's tabs, menus and commands (labels carry their & mnemonic).
QString MistakesTab();
QString ClassTab();
QString RosterTab();
QString ClassFilterLabel();
QString ClassFilterName();
QString AnyClass();
QString FileMenu();
QString OpenJournalCommand();
QString CloseCommand();
QString EditMenu();
QString RefreshCommand();
QString DeleteCommand();
QString SaveListCsvCommand();
QString SaveListXlsxCommand();
QString SaveListPdfCommand();
QString SaveAttemptPdfCommand();
QString PrintListCommand();
QString PrintAttemptCommand();

// Saving and printing: the file dialogs, the job in the status line, the print preview.
QString SaveListCsvTitle();
QString SaveListXlsxTitle();
QString SaveListPdfTitle();
QString SaveAttemptPdfTitle();
QString ListFileName();
QString CsvCommaFilter();
QString CsvSemicolonFilter();
QString XlsxFilter();
QString PdfFilter();
QString JobProgressName();
QString JobCancelTip();
QString WaitForJob();
QString ListCsvJob();
QString ListXlsxJob();
QString ListPdfJob();
QString AttemptPdfJob();
QString ListPrintJob();
QString AttemptPrintJob();
QString SaveAction();
QString PrintAction();
QString PreviewTitle();
QString PreviewPagesName();
QString PreviewPrintButton();
QString PreviewCloseButton();
// "Попытка теста: Иванов Пётр", a saved or printed attempt's document title.
QString AttemptDocumentTitle(const QString& pupil);
// The question before a list PDF or printout of many pages; `action` is SaveAction() or
// PrintAction().
QString ManyPagesQuestion(long long attempts, int pages, const QString& action);

// Opening a journal file, and the window's title by its journal: "Журнал результатов — сервер
// school-server", "… — этот компьютер", "… — journal.sqlite".
QString OpenJournalTitle();
QString JournalFileFilter();
QString ServerJournalTitle(const QString& host);
QString LocalJournalTitle();
QString FileJournalTitle(const QString& fileName);

// The roster editor's buttons and dialogs (labels carry their & mnemonic).
QString RosterClassesLabel();
QString RosterClassesName();
QString AddClassButton();
QString RenameClassButton();
QString ArchiveClassButton();
QString ClassTimeButton();
QString RosterPupilsLabel();
QString RosterPupilsName();
QString AddPupilButton();
QString EditPupilButton();
QString MovePupilButton();
QString RemovePupilButton();
QString PasteListButton();
QString NewClassTitle();
QString NewClassPrompt();
QString RenameClassTitle();
QString RenameClassPrompt();
QString NewPupilTitle();
QString SurnamePrompt();
QString FirstNamePrompt();
QString MovePupilTitle();
QString MovePupilPrompt();
QString EditPupilTitle();
QString LoginsPrompt();
QString PupilMinutesPrompt();
QString ClassTimeTitle();
QString ClassMinutesPrompt();
QString RemovePupilTitle();
QString RemovePupilQuestion();
QString PasteListTitle();
QString PasteListName();
QString OpenCsvButton();
QString LoadButton();
QString OpenPupilListTitle();
QString PupilListFilter();
QStringList RosterHeadings();
QString PasteListHint();

// What a saving or printing job ends with.
QString FileNotSaved(const QString& path, const QString& why);
QString PageNotPainted();
QString PagesNotPainted();
QString ListSaved(const QString& path);
QString AttemptSaved(const QString& path);
QString ListPrinted();
QString AttemptPrinted();
QString JobCancelled();
QString JournalNotOpenForSaving(const QString& why);

} // namespace teacher::words
