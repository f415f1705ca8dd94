// A combo box named for assistive tools keeps what Qt's own combo box
// interface offers; boxes not named this way are left to Qt.
#include "support/Spoken.h"
#include "widgets/AccessibleText.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

using testing_support::spoken;

TEST(AccessibleText, ANamedComboBoxIsHeardByItsNameWithItsValueAsDescription)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* box = new QComboBox(&window);
    box->addItems({QStringLiteral("front"), QStringLiteral("side")});
    nameComboBox(box, QStringLiteral("Sign"));
    auto* other = new QComboBox(&window);
    other->addItems({QStringLiteral("left"), QStringLiteral("right")});
    other->setAccessibleName(QStringLiteral("Other"));
    layout->addWidget(box);
    layout->addWidget(other);
    window.show();

    EXPECT_EQ(spoken(box, QAccessible::Name), QStringLiteral("Sign"));
    EXPECT_EQ(spoken(box, QAccessible::Value), QStringLiteral("front"));
    EXPECT_EQ(spoken(box, QAccessible::Description), QStringLiteral("front"));
    box->setCurrentIndex(1);
    EXPECT_EQ(spoken(box, QAccessible::Description), QStringLiteral("side"));
    EXPECT_EQ(spoken(box, QAccessible::Value), QStringLiteral("side"));

    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::ComboBox);
    ASSERT_EQ(face->childCount(), 1);
    EXPECT_EQ(face->child(0)->object(), box->view());
    EXPECT_EQ(face->indexOfChild(face->child(0)), 0);
    ASSERT_NE(face->actionInterface(), nullptr);
    EXPECT_TRUE(face->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    face->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_TRUE(box->view()->isVisible());
    EXPECT_TRUE(face->state().expanded);
    face->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_FALSE(box->view()->isVisible());

    // An editable box: its line edit is the second child and its text the value.
    box->setEditable(true);
    box->lineEdit()->setText(QStringLiteral("typed"));
    ASSERT_EQ(face->childCount(), 2);
    EXPECT_EQ(face->child(1)->object(), box->lineEdit());
    EXPECT_EQ(spoken(box, QAccessible::Value), QStringLiteral("typed"));
    EXPECT_TRUE(face->state().editable);

    // A box not named this way keeps Qt's own interface.
    EXPECT_EQ(spoken(other, QAccessible::Value), QStringLiteral("left"));
    EXPECT_TRUE(spoken(other, QAccessible::Description).isEmpty());
}
