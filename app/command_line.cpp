// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include "app/export_command.h"
#include "app/import_roster_command.h"
#include "journal/pupil_identity.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace app {

namespace {

constexpr int kUsageStatus = 2;

const QString kExportCsv = QStringLiteral("export-csv");
const QString kExportXlsx = QStringLiteral("export-xlsx");
const QString kImportRoster = QStringLiteral("import-roster");
const QString kClass = QStringLiteral("class");
const QString kJournal = QStringLiteral("journal");
const QString kVersion = QStringLiteral("version");
const QString kHelp = QStringLiteral("help");

const QStringList kCommandOptions = {QStringLiteral("--export-csv"),
                                     QStringLiteral("--export-xlsx"),
                                     QStringLiteral("--import-roster"),
                                     QStringLiteral("--class"),
                                     QStringLiteral("--version"),
                                     QStringLiteral("-v"),
                                     QStringLiteral("--help"),
                                     QStringLiteral("-h"),
                                     QStringLiteral("-?")};

void Print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

} // namespace

void DescribeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Тест по дробям для 6 класса: умножение и деление смешанных чисел.\n"
                       "Без параметров открывает окно теста для ученика."));
    parser.addOption({{QStringLiteral("h"), QStringLiteral("?"), kHelp},
                      QStringLiteral("Показать эту справку и выйти.")});
    parser.addOption(
        {{QStringLiteral("v"), kVersion}, QStringLiteral("Показать версию программы и выйти.")});
    parser.addOption({kExportCsv,
                      QStringLiteral("Выгрузить журнал результатов в CSV-файл <файл> (UTF-8, "
                                     "запятые; «-» — на стандартный вывод) и выйти."),
                      QStringLiteral("файл")});
    parser.addOption({kExportXlsx,
                      QStringLiteral("Выгрузить журнал результатов в книгу Excel <файл> (.xlsx) и "
                                     "выйти."),
                      QStringLiteral("файл")});
    parser.addOption({kImportRoster,
                      QStringLiteral("Загрузить список учеников из CSV-файла <файл> (фамилия, имя, "
                                     "имя входа, минуты на тест) в класс, указанный --class, и "
                                     "выйти."),
                      QStringLiteral("файл")});
    parser.addOption({kClass, QStringLiteral("Класс для --import-roster (например, 6А)."),
                      QStringLiteral("класс")});
    parser.addOption({kJournal, QStringLiteral("Открыть журнал результатов (окно учителя).")});
}

QStringList ArgumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

Command ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    DescribeOptions(parser);
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString dashes =
                unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
            return {CommandKind::Error,
                    {},
                    QStringLiteral("неизвестный параметр «%1%2» (список параметров: "
                                   "fraction-test --help)")
                        .arg(dashes, unknown.first())};
        }
        return {CommandKind::Error,
                {},
                QStringLiteral("после --export-csv нужно имя файла (или «-» для стандартного "
                               "вывода), после --export-xlsx и --import-roster — имя файла, после "
                               "--class — название класса")};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return {CommandKind::Error,
                {},
                QStringLiteral("лишний аргумент «%1» (список параметров: fraction-test --help)")
                    .arg(parser.positionalArguments().first())};
    }
    const int commands = int(parser.isSet(kHelp)) + int(parser.isSet(kVersion)) +
                         int(parser.isSet(kExportCsv)) + int(parser.isSet(kExportXlsx)) +
                         int(parser.isSet(kImportRoster)) + int(parser.isSet(kJournal));
    if (commands > 1) {
        return {CommandKind::Error,
                {},
                QStringLiteral(
                    "параметры --help, --version, --export-csv, --export-xlsx, --import-roster и "
                    "--journal не сочетаются: укажите один")};
    }
    if (parser.isSet(kClass) != parser.isSet(kImportRoster)) {
        return {CommandKind::Error,
                {},
                QStringLiteral("--import-roster и --class указываются вместе: "
                               "fraction-test --import-roster ФАЙЛ --class 6А")};
    }
    if (parser.isSet(kHelp)) {
        return {CommandKind::Help, {}, {}};
    }
    if (parser.isSet(kVersion)) {
        return {CommandKind::Version, {}, {}};
    }
    if (parser.isSet(kExportCsv)) {
        if (parser.values(kExportCsv).size() > 1) {
            return {CommandKind::Error, {}, QStringLiteral("--export-csv указан дважды")};
        }
        const QString target = parser.value(kExportCsv);
        if (target.isEmpty()) {
            return {CommandKind::Error,
                    {},
                    QStringLiteral("после --export-csv нужно имя файла (или «-» для "
                                   "стандартного вывода)")};
        }
        return {CommandKind::ExportCsv, target, {}};
    }
    if (parser.isSet(kExportXlsx)) {
        if (parser.values(kExportXlsx).size() > 1) {
            return {CommandKind::Error, {}, QStringLiteral("--export-xlsx указан дважды")};
        }
        const QString target = parser.value(kExportXlsx);
        if (target.isEmpty() || target == QLatin1String("-")) {
            return {CommandKind::Error, {}, QStringLiteral("после --export-xlsx нужно имя файла")};
        }
        return {CommandKind::ExportXlsx, target, {}};
    }
    if (parser.isSet(kImportRoster)) {
        if (parser.values(kImportRoster).size() > 1 || parser.values(kClass).size() > 1) {
            return {CommandKind::Error,
                    {},
                    QStringLiteral("--import-roster или --class указан дважды")};
        }
        if (parser.value(kImportRoster).isEmpty() || parser.value(kClass).trimmed().isEmpty()) {
            return {CommandKind::Error,
                    {},
                    QStringLiteral("после --import-roster нужно имя файла, после --class — "
                                   "название класса")};
        }
        return {CommandKind::ImportRoster, parser.value(kImportRoster), {}, parser.value(kClass)};
    }
    if (parser.isSet(kJournal)) {
        return {CommandKind::JournalWindow, {}, {}};
    }
    return {};
}

bool RunsWithoutWindow(const Command& command, const QStringList& arguments)
{
    switch (command.Kind) {
    case CommandKind::ExportCsv:
    case CommandKind::ExportXlsx:
    case CommandKind::ImportRoster:
    case CommandKind::Version:
    case CommandKind::Help:
        return true;
    case CommandKind::Error:
        for (const QString& argument : arguments) {
            for (const QString& option : kCommandOptions) {
                if (argument == option || argument.startsWith(option + QLatin1Char('='))) {
                    return true;
                }
            }
        }
        return false;
    case CommandKind::Window:
    case CommandKind::JournalWindow:
        break;
    }
    return false;
}

int ReportUsageError(const QString& message)
{
    Print(stderr, QStringLiteral("fraction-test: %1\n").arg(message));
    return kUsageStatus;
}

int RunCommand(const Command& command, int& argc, char** argv)
{
    const QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fraction-test"));
    QCoreApplication::setApplicationVersion(journal::ProgramVersion());
    switch (command.Kind) {
    case CommandKind::Help: {
        // Qt's own words in the help ("Usage", "Options") in Russian too.
        QTranslator qtWords;
        if (qtWords.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(&qtWords);
        }
        QCommandLineParser parser;
        DescribeOptions(parser);
        Print(stdout, parser.helpText());
        return 0;
    }
    case CommandKind::Version:
        Print(stdout, QStringLiteral("fraction-test %1\n").arg(journal::ProgramVersion()));
        return 0;
    case CommandKind::ExportCsv:
        return RunExportCsv(command.CsvTarget);
    case CommandKind::ExportXlsx:
        return RunExportXlsx(command.CsvTarget);

    case CommandKind::ImportRoster:
        return RunImportRoster(command.CsvTarget, command.ClassName);
    case CommandKind::Error:
        return ReportUsageError(command.Message);
    case CommandKind::Window:
    case CommandKind::JournalWindow:
        break;
    }
    return ReportUsageError(QStringLiteral("эта команда открывает окно"));
}

} // namespace app
