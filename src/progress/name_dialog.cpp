// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "name_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

NameDialog::NameDialog(QWidget *opener, const QString &title, Check check)
    : toolkit::Dialog(opener, title, QSize(320, 150), toolkit::Scaling::None)
    , check_(std::move(check))
{
    //: Above the box where a parent types a child's name.
    auto *prompt = new QLabel(tr("孩子的名字："));
    nameEdit_ = new QLineEdit;
    nameEdit_->setObjectName(QStringLiteral("nameEdit"));
    problemLabel_ = new QLabel;
    problemLabel_->setObjectName(QStringLiteral("problemLabel"));
    problemLabel_->setWordWrap(true);
    QPalette red = problemLabel_->palette();
    red.setColor(QPalette::WindowText, QColor(0xc0, 0x10, 0x10));
    problemLabel_->setPalette(red);
    auto *buttons = new QDialogButtonBox;
    //: Keeps the name typed.
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &NameDialog::tryName);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Typing again takes the reason away until the next try.
    connect(nameEdit_, &QLineEdit::textEdited, problemLabel_, &QLabel::clear);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(nameEdit_);
    layout->addWidget(problemLabel_, 1);
    layout->addWidget(buttons);
}

void NameDialog::ask(const QString &name)
{
    nameEdit_->setText(name);
    nameEdit_->selectAll();
    nameEdit_->setFocus();
    problemLabel_->clear();
    openOverOpener();
}

void NameDialog::tryName()
{
    const QString name = progress::tidyName(nameEdit_->text());
    const progress::NameProblem problem = check_(name);
    if (problem != progress::NameProblem::None) {
        problemLabel_->setText(progress::nameRefusal(problem, name));
        nameEdit_->setFocus();
        return;
    }
    accept();
    emit nameChosen(name);
}
