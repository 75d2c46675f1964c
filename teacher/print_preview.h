// SPDX-License-Identifier: GPL-3.0-or-later
// The print preview the teacher sees before anything goes to the printer: the pages as they
// will print (QPrintPreviewWidget), fitted to the window or at any zoom, with «Печать…», which
// asks for the printer (QPrintDialog), and «Закрыть».
//
// It does not print: when the teacher confirms, the caller sends the pages to the printer on an
// export job, so that a long list does not hold up the window while it prints.
#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace teacher {

// Shows the preview painted by `paint`; true when the teacher chose to print and confirmed the
// printer, which `printer` is then set up for.
bool ConfirmPrint(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint);

} // namespace teacher
