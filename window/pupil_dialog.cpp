// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/pupil_dialog.h"

#include "toolkit/announcement.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace window {

namespace {

// The longest names the journal keeps (its roster's limits).
constexpr int kMaxPersonName = 100;
constexpr int kMaxClassName = 50;

enum Role { IdRole = Qt::UserRole, SurnameRole, FirstNameRole };

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string S(const QString& text)
{
    return text.trimmed().toStdString();
}

// Arrows and page keys typed in the narrowing field move in the list, so the hands stay on the
// letters.
class ListKeys : public QObject {
public:
    ListKeys(QListWidget* list, QObject* parent) : QObject(parent), list_(list) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                key == Qt::Key_PageDown) {
                const QListWidgetItem* before = list_->currentItem();
                QApplication::sendEvent(list_, event);
                // The focus stays in the name field, so a screen reader would not follow the
                // list: the pupil now chosen is said aloud.
                if (const QListWidgetItem* now = list_->currentItem(); now && now != before) {
                    toolkit::Announce(toolkit::TextBox(qobject_cast<QWidget*>(watched)),
                                      now->text().toStdString());
                }
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QListWidget* list_;
};

// Enter in the class box goes on to the pupil field, as Tab does: choosing the class says
// nothing yet about who takes the test, so it must not press «Начать» for a pupil nobody chose.
class EnterGoesOn : public QObject {
public:
    EnterGoesOn(QWidget* next, QObject* parent) : QObject(parent), next_(next) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
            if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
                next_->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* next_;
};

QLineEdit* AddTyped(QFormLayout* form, const QString& label, const QString& name, int maxLength)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    QString spoken = label;
    spoken.remove(u'&').remove(u':');
    edit->setAccessibleName(spoken);
    form->addRow(label, edit);
    return edit;
}

// The pupils of the chosen class whose name contains what is typed, in any case. The first of
// them is chosen only once something is typed: before that nobody is, until an arrow or a
// click chooses a name, so Enter cannot start the test for whoever the list happens to begin
// with.
void FillPupils(QListWidget* list, const RosterClass& k, const QString& typed)
{
    list->clear();
    const QString wanted = typed.trimmed().toCaseFolded();
    for (const RosterName& p : k.Pupils) {
        const QString name = Q(p.Surname) + u' ' + Q(p.FirstName);
        if (!wanted.isEmpty() && !name.toCaseFolded().contains(wanted)) {
            continue;
        }
        auto* item = new QListWidgetItem(name, list);
        item->setData(IdRole, Q(p.PupilId));
        item->setData(SurnameRole, Q(p.Surname));
        item->setData(FirstNameRole, Q(p.FirstName));
    }
    if (!wanted.isEmpty() && list->count() > 0) {
        list->setCurrentRow(0);
    }
}

void BuildList(QDialog* dialog, QVBoxLayout* layout, const std::vector<RosterClass>& classes)
{
    auto* form = new QFormLayout;
    auto* classBox = new QComboBox;
    classBox->setObjectName(QStringLiteral("classBox"));
    classBox->setAccessibleName(QStringLiteral("Класс"));
    for (const RosterClass& k : classes) {
        classBox->addItem(Q(k.Name));
    }
    form->addRow(QStringLiteral("&Класс:"), classBox);
    auto* filter = new QLineEdit;
    filter->setObjectName(QStringLiteral("pupilFilter"));
    filter->setAccessibleName(QStringLiteral("Ученик: начните вводить фамилию"));
    filter->setPlaceholderText(QStringLiteral("начните вводить фамилию"));
    form->addRow(QStringLiteral("&Ученик:"), filter);
    layout->addLayout(form);
    auto* list = new QListWidget;
    list->setObjectName(QStringLiteral("pupilList"));
    list->setAccessibleName(QStringLiteral("Ученики класса"));
    layout->addWidget(list);
    filter->installEventFilter(new ListKeys(list, filter));
    classBox->installEventFilter(new EnterGoesOn(filter, classBox));

    const auto refill = [=, copy = classes] {
        const int at = classBox->currentIndex();
        if (at >= 0 && static_cast<std::size_t>(at) < copy.size()) {
            FillPupils(list, copy.at(static_cast<std::size_t>(at)), filter->text());
        }
    };
    QObject::connect(classBox, &QComboBox::currentIndexChanged, dialog, refill);
    QObject::connect(filter, &QLineEdit::textChanged, dialog, refill);
    QObject::connect(list, &QListWidget::itemActivated, dialog, [dialog] { dialog->accept(); });
    refill();
}

void BuildTyped(QVBoxLayout* layout, bool listFailed)
{
    if (listFailed) {
        auto* note =
            new QLabel(QStringLiteral("Список класса недоступен: введите фамилию, имя и класс."));
        note->setObjectName(QStringLiteral("listUnavailable"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    auto* form = new QFormLayout;
    AddTyped(form, QStringLiteral("&Фамилия:"), QStringLiteral("surnameEdit"), kMaxPersonName);
    AddTyped(form, QStringLiteral("&Имя:"), QStringLiteral("firstNameEdit"), kMaxPersonName);
    QLineEdit* klass =
        AddTyped(form, QStringLiteral("&Класс:"), QStringLiteral("classEdit"), kMaxClassName);
    klass->setPlaceholderText(QStringLiteral("например, 6А"));
    layout->addLayout(form);
}

} // namespace

std::unique_ptr<QDialog> MakePupilDialog(AskWho ask, const std::vector<RosterClass>& classes)
{
    auto dialog = std::make_unique<QDialog>();
    dialog->setObjectName(QStringLiteral("pupilDialog"));
    dialog->setWindowTitle(QStringLiteral("Кто проходит тест"));
    dialog->setAccessibleName(QStringLiteral("Кто проходит тест"));
    auto* layout = new QVBoxLayout(dialog.get());
    const bool fromList = ask == AskWho::FromList && !classes.empty();
    if (fromList) {
        BuildList(dialog.get(), layout, classes);
    } else {
        BuildTyped(layout, ask == AskWho::FromList);
    }
    auto* buttons = new QDialogButtonBox;
    QPushButton* start = buttons->addButton(QStringLiteral("Начать"), QDialogButtonBox::AcceptRole);
    start->setObjectName(QStringLiteral("startButton"));
    start->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    layout->addWidget(buttons);

    // «Начать» is offered only once the dialog says who it is.
    QDialog* d = dialog.get();
    const auto update = [d, start] { start->setEnabled(ChoiceIn(*d).has_value()); };
    for (auto* edit : dialog->findChildren<QLineEdit*>()) {
        QObject::connect(edit, &QLineEdit::textChanged, d, update);
    }
    for (auto* list : dialog->findChildren<QListWidget*>()) {
        QObject::connect(list, &QListWidget::currentRowChanged, d, update);
    }
    update();
    return dialog;
}

std::optional<PupilChoice> ChoiceIn(const QDialog& dialog)
{
    if (const auto* list = dialog.findChild<QListWidget*>(QStringLiteral("pupilList"))) {
        const QListWidgetItem* item = list->currentItem();
        const auto* classBox = dialog.findChild<QComboBox*>(QStringLiteral("classBox"));
        if (item == nullptr || classBox == nullptr) {
            return std::nullopt;
        }
        return PupilChoice{S(item->data(IdRole).toString()), S(item->data(SurnameRole).toString()),
                           S(item->data(FirstNameRole).toString()), S(classBox->currentText())};
    }
    const auto text = [&](const char* name) {
        const auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
        return edit != nullptr ? S(edit->text()) : std::string();
    };
    PupilChoice typed{{}, text("surnameEdit"), text("firstNameEdit"), text("classEdit")};
    if (typed.Surname.empty() || typed.FirstName.empty() || typed.ClassName.empty()) {
        return std::nullopt;
    }
    return typed;
}

std::optional<PupilChoice> AskWhoTakesTheTest(AskWho ask, const std::vector<RosterClass>& classes)
{
    const std::unique_ptr<QDialog> dialog = MakePupilDialog(ask, classes);
    if (QWidget* over = QApplication::activeWindow()) {
        dialog->setParent(over, dialog->windowFlags());
    }
    dialog->setWindowModality(Qt::ApplicationModal);
    if (dialog->exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return ChoiceIn(*dialog);
}

} // namespace window
