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

} // namespace

int RunJournalWindowModule()
{
    const QStringList candidates = ModuleCandidates();
    for (const QString& path : candidates) {
        if (!QFileInfo::exists(path)) {
            continue;
        }
        // Never unloaded: the window's objects and Qt's hold on its code last until the exit.
        QLibrary module(path);
        module.setLoadHints(QLibrary::PreventUnloadHint);
        using Entry = int (*)();
        const auto entry = reinterpret_cast<Entry>(module.resolve(kJournalWindowEntry));
        if (!entry) {
            return Fail(QStringLiteral("Окно журнала не запускается (%1): переустановите "
                                       "программу.")
                            .arg(module.errorString()));
        }
        return entry();
    }
    return Fail(QStringLiteral("Не найдена часть программы для окна журнала («%1»): "
                               "переустановите программу.")
                    .arg(QDir::toNativeSeparators(candidates.last())));
}

} // namespace app
