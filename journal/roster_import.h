// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a list of pupils pasted from a spreadsheet or kept as a CSV file: one pupil a line,
// the surname and the first name, optionally the logins of their accounts (several separated by
// spaces) and their time for the test in minutes. The fields are separated by tabs (a paste
// from a spreadsheet), semicolons (a CSV file saved by a Russian spreadsheet) or commas, as the
// first line shows; quotes work as in RFC 4180. A line with one field takes its first word as
// the surname and the rest as the first name. A first line that begins with «Фамилия» is a
// header; empty lines are skipped.
//
// Every line it cannot read gets one Russian message with its number; the good lines are read
// all the same. Nothing here touches a journal (roster.h stores the result).
#pragma once

#include "journal/roster.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace journal {

struct RosterLineProblem {
    int Line = 0; // from 1, as an editor counts
    QString Text; // «Строка 3: …»
};

struct RosterImport {
    std::vector<RosterPupil> Pupils; // ClassId and Id empty
    std::vector<int> PupilLines;     // the line each pupil was read from
    std::vector<RosterLineProblem> Problems;
};

RosterImport ParseRoster(const QString& text);

// A file's bytes as text: UTF-8 (a byte order mark is dropped), else Windows-1251, which
// Russian spreadsheets save CSV files in.
QString RosterTextFromBytes(const QByteArray& bytes);

} // namespace journal
