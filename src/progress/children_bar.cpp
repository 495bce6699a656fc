// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "children_bar.h"

#include "children.h"
#include "name_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

constexpr int ButtonHeight = 28;

QPushButton *newButton(const QString &text, const char *name)
{
    auto *button = new QPushButton(text);
    button->setObjectName(QLatin1String(name));
    button->setFixedHeight(ButtonHeight);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ChildrenBar::ChildrenBar(QWidget *parent)
    : QWidget(parent)
{
    //: Before the list of children: the one chosen plays now.
    auto *label = new QLabel(tr("现在玩的孩子："));
    childBox_ = new QComboBox;
    childBox_->setObjectName(QStringLiteral("childBox"));
    childBox_->setFixedHeight(ButtonHeight);
    // Room for a name of a dozen characters; a longer one is cut in the box.
    childBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    childBox_->setMinimumContentsLength(12);
    label->setBuddy(childBox_);
    //: Adds a child, who gets a record of their own.
    addButton_ = newButton(tr("添加孩子"), "addChildButton");
    //: Gives the chosen child another name.
    renameButton_ = newButton(tr("改名"), "renameChildButton");
    //: Removes the chosen child and their record, after asking.
    removeButton_ = newButton(tr("删除"), "removeChildButton");

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(childBox_);
    layout->addWidget(addButton_);
    layout->addWidget(renameButton_);
    layout->addWidget(removeButton_);

    connect(childBox_, &QComboBox::activated, this, &ChildrenBar::choose);
    connect(addButton_, &QPushButton::clicked, this,
            [this] { nameDialog(addDialog_, addButton_->text(), false)->ask({}); });
    connect(renameButton_, &QPushButton::clicked, this, [this] {
        nameDialog(renameDialog_, renameButton_->text(), true)->ask(childBox_->currentText());
    });
    connect(removeButton_, &QPushButton::clicked, this, &ChildrenBar::askRemove);
    showChildren();
}

void ChildrenBar::showChildren()
{
    const progress::Children children = progress::readChildren();
    childBox_->clear();
    for (const progress::Child &child : children.list) {
        childBox_->addItem(child.name, child.id);
        if (child.id == children.current)
            childBox_->setCurrentIndex(childBox_->count() - 1);
    }
    // The game always plays for somebody.
    removeButton_->setEnabled(children.list.size() > 1);
}

NameDialog *ChildrenBar::nameDialog(NameDialog *&dialog, const QString &title, bool renaming)
{
    if (dialog)
        return dialog;
    dialog = new NameDialog(this, title, [this, renaming](const QString &name) {
        return progress::nameProblem(progress::readChildren(), name,
                                     renaming ? childBox_->currentData().toInt() : 0);
    });
    connect(dialog, &NameDialog::nameChosen, this,
            renaming ? &ChildrenBar::renameChild : &ChildrenBar::addChild);
    return dialog;
}

// Every change is kept, shown, and said to the game, which reads who plays.
void ChildrenBar::keep(const progress::Children &children)
{
    progress::writeChildren(children);
    showChildren();
    emit playerChanged();
}

void ChildrenBar::choose(int index)
{
    progress::Children children = progress::readChildren();
    children.current = childBox_->itemData(index).toInt();
    keep(children);
}

// A child added plays now: a parent adds a child to let them play.
void ChildrenBar::addChild(const QString &name)
{
    progress::Children children = progress::readChildren();
    if (progress::nameProblem(children, name) != progress::NameProblem::None)
        return;
    children.current = progress::addChild(children, name);
    keep(children);
}

void ChildrenBar::renameChild(const QString &name)
{
    progress::Children children = progress::readChildren();
    const int id = childBox_->currentData().toInt();
    if (progress::nameProblem(children, name, id) != progress::NameProblem::None)
        return;
    progress::renameChild(children, id, name);
    keep(children);
}

void ChildrenBar::askRemove()
{
    // Buttons named in Chinese, as Qt's own are not translated here; a slip
    // of the hand keeps the child.
    auto *question = new QMessageBox(
        QMessageBox::Question, removeButton_->text(),
        //: %1 is the child's name.
        tr("确定要删除“%1”吗？这个孩子的全部学习记录也会删除，无法恢复。").arg(childBox_->currentText()),
        QMessageBox::NoButton, this);
    question->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton *remove = question->addButton(tr("删除"), QMessageBox::AcceptRole);
    question->setDefaultButton(question->addButton(tr("取消"), QMessageBox::RejectRole));
    connect(remove, &QPushButton::clicked, this, &ChildrenBar::removeChild);
    question->open();
}

void ChildrenBar::removeChild()
{
    progress::Children children = progress::readChildren();
    const int id = childBox_->currentData().toInt();
    if (!progress::removeChild(children, id))
        return;
    keep(children);
}
