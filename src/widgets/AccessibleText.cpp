#include "widgets/AccessibleText.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr char NamedProperty[] = "vexelNamedComboBox";

// What Qt's own combo box interface offers (the list as a child, the line
// edit of an editable box, opening the list), named by the box's name.
class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && !box()->accessibleName().isEmpty())
            return box()->accessibleName();
        if (t == QAccessible::Name || t == QAccessible::Value)
            return box()->isEditable() && box()->lineEdit() ? box()->lineEdit()->text() : box()->currentText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = box()->view()->isVisible();
        s.editable = box()->isEditable();
        return s;
    }

    int childCount() const override { return box()->isEditable() && box()->lineEdit() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && childCount() == 2)
            return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        if (child->object() == box()->view())
            return 0;
        if (childCount() == 2 && child->object() == box()->lineEdit())
            return 1;
        return -1;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (box()->view()->isVisible())
            box()->hidePopup();
        else
            box()->showPopup();
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* namedComboBoxes(const QString&, QObject* object)
{
    auto* box = qobject_cast<QComboBox*>(object);
    if (!box || !box->property(NamedProperty).toBool())
        return nullptr;
    return new NamedComboBox(box);
}

} // namespace

void nameComboBox(QComboBox* box, const QString& name)
{
    // Installed once the application's own factories are in, so this one
    // is asked first.
    static const bool installed = [] {
        QAccessible::installFactory(namedComboBoxes);
        return true;
    }();
    (void)installed;
    box->setProperty(NamedProperty, true);
    // An interface Qt made for the box before (its items were added while
    // assistive tools listened) gives way to this one.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(box);
    if (made && !dynamic_cast<NamedComboBox*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    box->setAccessibleName(name);
    box->setAccessibleDescription(box->currentText());
    QObject::connect(box, &QComboBox::currentTextChanged, box,
                     [box](const QString& text) { setReadableDescription(box, text); });
}

void enableWithReason(QAbstractButton* button, bool enabled, const QString& why)
{
    static constexpr char OwnTip[] = "vexelOwnToolTip";
    if (!button->property(OwnTip).isValid())
        button->setProperty(OwnTip, button->toolTip());
    button->setEnabled(enabled);
    const QString shown = enabled || why.isEmpty() ? button->property(OwnTip).toString() : why;
    button->setToolTip(shown);
    setReadableDescription(button, enabled ? QString() : why);
}
