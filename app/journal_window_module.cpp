// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/journal_window_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMessageBox>

#include <cstdio>

namespace app {

namespace {

constexpr const char* kModuleName = "fraction-test-teacher.so";

// Beside the program first, so that a build tree never loads an installed module.
QStringList ModuleCandidates()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir + QLatin1Char('/') + QLatin1String(kModuleName),
            QDir::cleanPath(programDir + QStringLiteral("/../") +
                            QStringLiteral(FRACTION_TEST_LIBDIR) +
                            QStringLiteral("/fraction-test/") + QLatin1String(kModuleName))};
}

int Fail(const QString& message)
{
    std::fprintf(stderr, "fraction-test: %s\n", message.toLocal8Bit().constData());
    QMessageBox::critical(nullptr, QStringLiteral("Журнал результатов"), message);
    return 1;
}

// The module's entry `name`, or null with the problem said in `problem`. The module is never
// unloaded: the window's objects and Qt's hold on its code last until the exit.
QFunctionPointer ModuleEntry(const char* name, QString& problem)
{
    const QStringList candidates = ModuleCandidates();
    for (const QString& path : candidates) {
        if (!QFileInfo::exists(path)) {
            continue;
        }
        QLibrary module(path);
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (const QFunctionPointer entry = module.resolve(name)) {
            return entry;
        }
        problem = QStringLiteral("Часть программы для учителя не запускается (%1): "
                                 "переустановите программу.")
                      .arg(module.errorString());
        return nullptr;
    }
    problem = QStringLiteral("Не найдена часть программы для учителя («%1»): "
                             "переустановите программу.")
                  .arg(QDir::toNativeSeparators(candidates.last()));
    return nullptr;
}

} // namespace

int RunJournalWindowModule()
{
    QString problem;
    const auto entry = reinterpret_cast<decltype(&FractionTestRunJournalWindow)>(
        ModuleEntry(kJournalWindowEntry, problem));
    return entry != nullptr ? entry() : Fail(problem);
}

QString WriteXlsxThroughModule(const std::optional<journal::Connection>& db, const QString& target)
{
    QString problem;
    const auto entry =
        reinterpret_cast<decltype(&FractionTestWriteXlsx)>(ModuleEntry(kWriteXlsxEntry, problem));
    if (entry != nullptr) {
        entry(db ? &*db : nullptr, &target, &problem);
    }
    return problem;
}

} // namespace app
