// SPDX-License-Identifier: GPL-3.0-or-later
// A build tool: the program's SVG icon drawn as PNG files of the given sizes, for the window's
// resources. The window then shows a picture it decodes with Qt's own PNG reader, so a pupil's
// start never loads the SVG renderer for its icon; the installed SVG (for menus and launchers)
// is the very file drawn here.
//
// Usage: render_icon SVG OUTPUT_PREFIX SIZE...   writes OUTPUT_PREFIX-SIZE.png for each size.
// Run with QT_QPA_PLATFORM=offscreen. It does nothing else.
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdio>

int main(int argc, char** argv)
{
    const QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fputs("usage: render_icon SVG OUTPUT_PREFIX SIZE...\n", stderr);
        return 2;
    }
    const QIcon icon(arguments.at(1));
    for (qsizetype i = 3; i < arguments.size(); ++i) {
        bool isNumber = false;
        const int size = arguments.at(i).toInt(&isNumber);
        const QPixmap picture = icon.pixmap(QSize(size, size));
        const QString path = QStringLiteral("%1-%2.png").arg(arguments.at(2)).arg(size);
        if (!isNumber || picture.isNull() || picture.width() != size ||
            !picture.save(path, "PNG")) {
            std::fprintf(stderr, "render_icon: cannot draw %s at size %s\n",
                         qPrintable(arguments.at(1)), qPrintable(arguments.at(i)));
            return 1;
        }
    }
    return 0;
}
