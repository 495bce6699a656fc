// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report_saver.h"

#include "children.h"
#include "report.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStandardPaths>

namespace {

// Where a report is first suggested: the first of these folders that exists.
QString startFolder()
{
    for (const auto location : {QStandardPaths::DocumentsLocation, QStandardPaths::PicturesLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

// The file types offered, the first chosen until the parents choose another.
QStringList nameFilters()
{
    //: The file types a report is saved as, in the file dialog.
    return {ReportSaver::tr("PNG 图片 (*.png)"), ReportSaver::tr("PDF 文档 (*.pdf)")};
}

QString suffixOf(const QString &nameFilter)
{
    return nameFilter == nameFilters().value(1) ? QStringLiteral("pdf") : QStringLiteral("png");
}

} // namespace

ReportSaver::ReportSaver(QWidget *window)
    : QObject(window)
    , window_(window)
{}

void ReportSaver::chooseFile(const progress::Child &child)
{
    childId_ = child.id;
    childName_ = child.name;
    date_ = QDate::currentDate();
    if (!fileDialog_) {
        //: The file dialog's title, as the button that opens it.
        fileDialog_ = new QFileDialog(window_, tr("保存报告"), startFolder());
        fileDialog_->setAcceptMode(QFileDialog::AcceptSave);
        fileDialog_->setNameFilters(nameFilters());
        // Ours, whether or not Qt's own translations are installed.
        fileDialog_->setLabelText(QFileDialog::LookIn, tr("位置："));
        fileDialog_->setLabelText(QFileDialog::FileName, tr("文件名："));
        fileDialog_->setLabelText(QFileDialog::FileType, tr("文件类型："));
        fileDialog_->setLabelText(QFileDialog::Accept, tr("保存"));
        fileDialog_->setLabelText(QFileDialog::Reject, tr("取消"));
        // A name typed without a suffix takes the chosen type's.
        connect(fileDialog_, &QFileDialog::filterSelected, this,
                [this](const QString &filter) { fileDialog_->setDefaultSuffix(suffixOf(filter)); });
        connect(fileDialog_, &QDialog::accepted, this,
                [this] { save(fileDialog_->selectedFiles().value(0)); });
    }
    const QString suffix = suffixOf(fileDialog_->selectedNameFilter());
    fileDialog_->setDefaultSuffix(suffix);
    fileDialog_->selectFile(progress::reportFileName(childName_, date_) + u'.' + suffix);
    fileDialog_->open();
}

void ReportSaver::save(const QString &path)
{
    QString reason;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool saved = progress::saveReport(path, childName_, date_,
                                            progress::readRecord(progress::recordPath(childId_)), &reason);
    QGuiApplication::restoreOverrideCursor();
    if (saved)
        return;
    auto *box = new QMessageBox(QMessageBox::Warning, tr("保存报告"),
                                //: Where a report could not be saved; the reason follows.
                                tr("报告没能保存到 %1。").arg(QDir::toNativeSeparators(path)),
                                QMessageBox::NoButton, window_);
    box->setObjectName(QStringLiteral("reportNotSaved"));
    box->setInformativeText(reason);
    box->addButton(tr("确定"), QMessageBox::AcceptRole);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
