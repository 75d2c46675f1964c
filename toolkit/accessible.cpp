// SPDX-License-Identifier: GPL-3.0-or-later
// The accessible objects of the toolkit's labels, frames and frame rows (see accessible_p.h),
// and the factory that gives them to Qt.
#include "toolkit/accessible_p.h"

#include "toolkit/widgets_p.h"

#include <QAccessibleWidget>
#include <QWindow>

#include <algorithm>

namespace toolkit::detail {

namespace {

using Relations = QList<QPair<QAccessibleInterface*, QAccessible::Relation>>;

QAccessibleInterface* RowAt(FrameWidget* frame, std::size_t index);

// The row of `frame` that lists `widget` among its children, if any.
QAccessibleInterface* RowHolding(const QWidget* widget)
{
    auto* frame = qobject_cast<FrameWidget*>(widget->parentWidget());
    if (!frame || !frame->presentsRows) {
        return nullptr;
    }
    for (std::size_t i = 0; i < frame->rows.size(); ++i) {
        const FrameWidget::Row& row = frame->rows[i];
        if (row.partsAreChildren &&
            std::find(row.parts.begin(), row.parts.end(), widget) != row.parts.end()) {
            return RowAt(frame, i);
        }
    }
    return nullptr;
}

// Qt's label interface names an empty label by its frame's title and marks it labelled by the
// frame; this one does neither.
class LabelInterface : public QAccessibleWidget {
public:
    explicit LabelInterface(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? label()->text() : name;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessibleInterface* parent() const override
    {
        if (QAccessibleInterface* row = RowHolding(widget())) {
            return row;
        }
        return QAccessibleWidget::parent();
    }

    Relations relations(QAccessible::Relation match) const override
    {
        Relations found;
        if ((match & QAccessible::Label) && widget()->parentWidget()) {
            const auto siblings =
                widget()->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
            for (QLabel* sibling : siblings) {
                if (sibling->buddy() == widget()) {
                    found.append(
                        {QAccessible::queryAccessibleInterface(sibling), QAccessible::Label});
                }
            }
        }
        if ((match & QAccessible::Labelled) && label()->buddy()) {
            found.append(
                {QAccessible::queryAccessibleInterface(label()->buddy()), QAccessible::Labelled});
        }
        return found;
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
};

// The controls a frame without rows presents: all but the lines and shapes, in the order they
// were placed.
QList<QWidget*> PresentedControls(const FrameWidget* frame)
{
    QList<QWidget*> shown;
    for (QObject* child : frame->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow() && !qobject_cast<LineWidget*>(widget) &&
            !qobject_cast<CircleWidget*>(widget)) {
            shown.append(widget);
        }
    }
    return shown;
}

class FrameInterface : public QAccessibleWidget {
public:
    explicit FrameInterface(FrameWidget* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return frame()->caption();
        }
        return QAccessibleWidget::text(t);
    }

    int childCount() const override
    {
        if (frame()->presentsRows) {
            return static_cast<int>(frame()->rows.size());
        }
        return static_cast<int>(PresentedControls(frame()).size());
    }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        if (frame()->presentsRows) {
            return RowAt(frame(), static_cast<std::size_t>(index));
        }
        return QAccessible::queryAccessibleInterface(PresentedControls(frame()).at(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            if (this->child(i) == child) {
                return i;
            }
        }
        return -1;
    }

private:
    FrameWidget* frame() const { return static_cast<FrameWidget*>(widget()); }
};

// One row of a frame; it has no object of its own and reads the frame's row each time.
class RowInterface : public QAccessibleInterface {
public:
    RowInterface(FrameWidget* frame, std::size_t index) : frame_(frame), index_(index) {}

    bool isValid() const override { return frame_ && index_ < frame_->rows.size(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return frame_ ? frame_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(frame_.data());
    }

    int childCount() const override { return static_cast<int>(Children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = Children();
        if (index < 0 || index >= children.size()) {
            return nullptr;
        }
        return QAccessible::queryAccessibleInterface(children.at(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? static_cast<int>(Children().indexOf(child->object())) : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (QWidget* part : Children()) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(part);
            if (face && face->rect().contains(x, y)) {
                return face;
            }
        }
        return nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid()) {
            return {};
        }
        const FrameWidget::Row& row = frame_->rows[index_];
        switch (t) {
        case QAccessible::Name:
            return row.name;
        case QAccessible::Description:
            return row.description;
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    // The screen rectangle of the parts that are shown.
    QRect rect() const override
    {
        QRect united;
        for (QWidget* part : ShownParts()) {
            united |= QRect(part->mapToGlobal(QPoint(0, 0)), part->size());
        }
        return united;
    }

    QAccessible::Role role() const override
    {
        return isValid() && frame_->rows[index_].partsAreChildren ? QAccessible::Grouping
                                                                  : QAccessible::StaticText;
    }

    // Shown while the frame and at least one part are.
    QAccessible::State state() const override
    {
        QAccessible::State state;
        const bool shown = isValid() && frame_->isVisible() && !ShownParts().isEmpty();
        state.invisible = !shown;
        state.offscreen = !shown;
        return state;
    }

private:
    QList<QWidget*> Parts() const
    {
        QList<QWidget*> parts;
        if (isValid()) {
            for (const QPointer<QWidget>& part : frame_->rows[index_].parts) {
                if (part) {
                    parts.append(part.data());
                }
            }
        }
        return parts;
    }
    QList<QWidget*> Children() const
    {
        return isValid() && frame_->rows[index_].partsAreChildren ? Parts() : QList<QWidget*>{};
    }
    QList<QWidget*> ShownParts() const
    {
        QList<QWidget*> shown = Parts();
        shown.removeIf([](const QWidget* part) { return !part->isVisible(); });
        return shown;
    }

    QPointer<FrameWidget> frame_;
    std::size_t index_;
};

QAccessibleInterface* RowAt(FrameWidget* frame, std::size_t index)
{
    FrameWidget::Row& row = frame->rows[index];
    if (row.id == 0) {
        row.id = QAccessible::registerAccessibleInterface(new RowInterface(frame, index));
    }
    return QAccessible::accessibleInterface(row.id);
}

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1StringView(LabelWidget::staticMetaObject.className())) {
        return new LabelInterface(static_cast<QLabel*>(object));
    }
    if (className == QLatin1StringView(FrameWidget::staticMetaObject.className())) {
        return new FrameInterface(static_cast<FrameWidget*>(object));
    }
    return nullptr;
}

} // namespace

void InstallAccessibility()
{
    static const bool installed = (QAccessible::installFactory(&Factory), true);
    Q_UNUSED(installed);
}

QAccessibleInterface* RowInterfaceOf(FrameWidget* frame, std::size_t index)
{
    return RowAt(frame, index);
}

} // namespace toolkit::detail
