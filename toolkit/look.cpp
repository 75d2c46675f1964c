// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/look.h"

#include "toolkit/controls.h"
#include "toolkit/widgets_p.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
#include <QStyleFactory>
#include <QTranslator>

#include <cmath>

namespace toolkit {

FontSpec WindowFont()
{
    return FontSpec{"MS Sans Serif", 8.25};
}

namespace detail {

namespace {

// The faces the window was drawn with are not on Linux; these installed faces are of the same
// kind. Liberation Sans keeps Arial's metrics; Z003 is a chancery italic like the mark's face.
QStringList InstalledFamilies(const std::string& family)
{
    if (family == "Monotype Corsiva") {
        return {"Z003", "URW Chancery L", "TeX Gyre Chorus", "serif"};
    }
    return {"Liberation Sans", "Arimo", "DejaVu Sans", "sans-serif"};
}

} // namespace

QFont FontFor(const FontSpec& properties)
{
    QFont font;
    font.setFamilies(InstalledFamilies(properties.Family));
    // Sizes in points as at 96 dots per inch, fixed in pixels so that the text keeps its
    // proportion to the layout, which is fixed in pixels too.
    font.setPixelSize(static_cast<int>(std::lround(properties.PointSize * 96.0 / 72.0)));
    font.setBold(properties.Bold);
    font.setItalic(properties.Italic);
    return font;
}

} // namespace detail

namespace {

QPalette ClassicPalette()
{
    const QColor face(212, 208, 200);
    const QColor shadow(128, 128, 128);
    // Window text, window (and button) face, light, dark, mid, text, base.
    QPalette palette(Qt::black, face, Qt::white, shadow, QColor(160, 160, 160), Qt::black,
                     Qt::white);
    palette.setColor(QPalette::AlternateBase, face);
    palette.setColor(QPalette::Shadow, QColor(64, 64, 64));
    palette.setColor(QPalette::Highlight, QColor(10, 36, 106));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, shadow);
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    return palette;
}

} // namespace

void ApplyProgramLook(QApplication& app)
{
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows"))) {
        app.setStyle(style);
    }
    app.setPalette(ClassicPalette());
    app.setFont(detail::FontFor(WindowFont()));

    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

} // namespace toolkit
