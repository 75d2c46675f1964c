// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/print_preview.h"

#include "teacher/teacher_words.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace teacher {

bool ConfirmPrint(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(words::PreviewTitle());
    dialog.setObjectName(QStringLiteral("printPreview"));
    dialog.resize(800, 900);
    auto* preview = new QPrintPreviewWidget(&printer, &dialog);
    preview->setAccessibleName(words::PreviewPagesName());
    QObject::connect(preview, &QPrintPreviewWidget::paintRequested, &dialog, paint);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* print =
        buttons->addButton(words::PreviewPrintButton(), QDialogButtonBox::AcceptRole);
    print->setObjectName(QStringLiteral("print"));
    buttons->addButton(words::PreviewCloseButton(), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* column = new QVBoxLayout(&dialog);
    column->addWidget(preview, 1);
    column->addWidget(buttons);
    preview->fitInView();
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    QPrintDialog choose(&printer, parent);
    return choose.exec() == QDialog::Accepted;
}

} // namespace teacher
