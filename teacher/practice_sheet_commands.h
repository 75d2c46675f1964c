// SPDX-License-Identifier: GPL-3.0-or-later
// The practice sheet's two commands, as a pane shows them: «Лист для тренировки…» saves a new
// sheet as PDF where the teacher chooses, «Напечатать лист…» asks for it to be printed, and a
// note beside them says what came of it. The attempt pane makes its sheets from one attempt, the
// typical mistakes' pane from one pupil's attempts; each hands in how.
//
// PupilSheet               a sheet and the name it is for
// PracticeSheetCommands    the buttons and the note; PrintWanted carries the sheet to print
//
// It neither chooses the exercises (engine/practice_sheet.h) nor prints: the window's print
// preview and print job do (window_exports.h).
#pragma once

#include "engine/practice_sheet.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace teacher {

struct PupilSheet {
    // As shown.
    QString Pupil;
    engine::PracticeSheet Sheet;
};

class PracticeSheetCommands : public QWidget {
    Q_OBJECT

public:
    // A new sheet each time it is called, with new exercises; none when there is nothing to
    // practise.
    using SheetMaker = std::function<std::optional<PupilSheet>()>;

    // `toolTip` says what the sheet is made from; `nothing` is said when there is nothing to
    // practise.
    PracticeSheetCommands(const QString& toolTip, QString nothing, SheetMaker make,
                          QWidget* parent = nullptr);

    QPushButton* SaveButton() const { return save_; }
    QPushButton* PrintButton() const { return print_; }
    QString Note() const;

    // Enables or disables both commands and clears the note.
    void SetAvailable(bool available);
    // Writes a new sheet to `path` as PDF; false, with the reason in the note, if there is
    // nothing to practise or the file cannot be written.
    bool Save(const QString& path);
    // Makes a new sheet and sends it with PrintWanted; false, with the reason in the note, if
    // there is nothing to practise.
    bool Print();

signals:
    void PrintWanted(const QString& pupil, const engine::PracticeSheet& sheet);

private:
    bool Write(const PupilSheet& made, const QString& path);

    QString nothing_;
    SheetMaker make_;
    QPushButton* save_ = nullptr;
    QPushButton* print_ = nullptr;
    QLabel* note_ = nullptr;
};

} // namespace teacher
