// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "progress_window.h"

#include "catalogue.h"
#include "child_window.h"
#include "fonts.h"
#include "twips.h"
#include "word_record.h"

#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int FigureSize = 483;
constexpr int Margin = 8;
constexpr int RowHeight = 20;
// Each table shows its ten words in two blocks of five, side by side, so
// that window and tables fit a 1024 x 768 screen with its panels.
constexpr int RowsPerBlock = 5;
constexpr std::array<int, 3> ColumnWidths{90, 56, 95};
constexpr int TableHeight = RowHeight + 2 + RowsPerBlock * RowHeight + 2;
constexpr int ButtonHeight = 28;
constexpr QSize WindowSize(Margin + 2 * (FigureSize + Margin),
                           Margin + FigureSize + Margin + TableHeight + Margin + ButtonHeight + Margin);

QColor tintColour(progress::Knowledge knowledge)
{
    switch (knowledge) {
    case progress::Knowledge::Good:
        return QColor(0x1f, 0xb0, 0x3a);
    case progress::Knowledge::Fair:
        return QColor(0xf5, 0xa0, 0x10);
    case progress::Knowledge::Weak:
        return QColor(0xe0, 0x10, 0x10);
    case progress::Knowledge::NeverAsked:
        break;
    }
    return QColor(0x90, 0x90, 0x90);
}

// The figure with each word's part, in the shape its drawing gives it,
// tinted by how well the word is known.
QImage tintedFigure(int figureNo, const progress::Record &record, int ratio)
{
    QImage figure = content::pictureImage(content::figurePicture(figureNo), ratio)
                        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QSvgRenderer drawing(QStringLiteral(":/drawings/%1.svg").arg(content::figurePicture(figureNo)));
    if (figure.isNull() || !drawing.isValid())
        return figure;
    const QRectF view = drawing.viewBoxF();
    const QTransform toImage =
        QTransform::fromTranslate(-view.left(), -view.top()) *
        QTransform::fromScale(figure.width() / view.width(), figure.height() / view.height());
    struct Part
    {
        QString id;
        QRectF bounds; // image pixels
        QColor colour;
    };
    QList<Part> parts;
    for (const progress::WordCount &entry : record) {
        const QString id = QStringLiteral("part-") + entry.word;
        if (entry.figureNo != figureNo || !drawing.elementExists(id))
            continue;
        const QRectF bounds = drawing.transformForElement(id).mapRect(drawing.boundsOnElement(id));
        parts.append(
            {id, toImage.mapRect(bounds), tintColour(progress::knowledge(entry.asked, entry.right))});
    }
    // Parts lie inside others (the eye inside the head): the big ones first,
    // so that each small one shows its own colour.
    std::sort(parts.begin(), parts.end(), [](const Part &a, const Part &b) {
        return a.bounds.width() * a.bounds.height() > b.bounds.width() * b.bounds.height();
    });
    QImage tint(figure.size(), QImage::Format_ARGB32_Premultiplied);
    tint.fill(Qt::transparent);
    QPainter tintPainter(&tint);
    for (const Part &part : parts) {
        const QRect area = part.bounds.toAlignedRect() & tint.rect();
        if (area.isEmpty())
            continue;
        QImage mask(area.size(), QImage::Format_ARGB32_Premultiplied);
        mask.fill(Qt::transparent);
        QPainter maskPainter(&mask);
        maskPainter.setRenderHint(QPainter::Antialiasing);
        maskPainter.translate(-area.topLeft());
        drawing.render(&maskPainter, part.id, part.bounds);
        maskPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        maskPainter.fillRect(QRect(area.topLeft(), area.size()), part.colour);
        maskPainter.end();
        tintPainter.drawImage(area.topLeft(), mask);
    }
    tintPainter.end();
    QPainter figurePainter(&figure);
    figurePainter.setOpacity(0.6);
    figurePainter.drawImage(0, 0, tint);
    return figure;
}

QTableWidget *newWordTable(QWidget *parent)
{
    auto *table = new QTableWidget(RowsPerBlock, 2 * int(ColumnWidths.size()), parent);
    table->setFrameShape(QFrame::NoFrame);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(RowHeight);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setFixedHeight(RowHeight + 2);
    QStringList headings;
    for (int column = 0; column < table->columnCount(); ++column) {
        table->setColumnWidth(column, ColumnWidths[column % ColumnWidths.size()]);
        headings << (column % 3 == 0   ? QStringLiteral("单词")
                     : column % 3 == 1 ? QStringLiteral("次数")
                                       : QStringLiteral("一次答对"));
    }
    table->setHorizontalHeaderLabels(headings);
    table->setFixedSize(FigureSize, TableHeight);
    return table;
}

} // namespace

ProgressWindow::ProgressWindow(QWidget *opener)
    : toolkit::ChildWindow(opener, QStringLiteral("学习进度"), WindowSize, toolkit::Scaling::None)
{
    closeOnEscape();
    for (int side = 0; side < 2; ++side) {
        const int left = Margin + side * (FigureSize + Margin);
        figureLabels_[side] = new QLabel(this);
        figureLabels_[side]->setObjectName(QStringLiteral("figure%1").arg(side + 1));
        figureLabels_[side]->setGeometry(left, Margin, FigureSize, FigureSize);
        wordTables_[side] = newWordTable(this);
        wordTables_[side]->setObjectName(QStringLiteral("words%1").arg(side + 1));
        wordTables_[side]->move(left, Margin + FigureSize + Margin);
    }
    clearButton_ = new QPushButton(QStringLiteral("清除记录"), this);
    clearButton_->setObjectName(QStringLiteral("clearButton"));
    const QRect tables = wordTables_[1]->geometry();
    clearButton_->setGeometry(tables.right() + 1 - 100, tables.bottom() + 1 + Margin, 100, ButtonHeight);
    connect(clearButton_, &QPushButton::clicked, this, &ProgressWindow::clearRecord);
}

void ProgressWindow::open()
{
    holdOpener();
    // Centred on the opener's screen; each opening is placed afresh.
    if (const QScreen *screen = opener() ? opener()->screen() : this->screen()) {
        const QRect free = screen->availableGeometry();
        toolkit::moveOuterTwips(
            this, toolkit::pixelsToTwips(std::max(free.left(), free.center().x() - width() / 2)),
            toolkit::pixelsToTwips(std::max(free.top(), free.center().y() - height() / 2)));
    }
    showRecord();
    showActive();
}

void ProgressWindow::showRecord()
{
    const progress::Record record = progress::readRecord();
    const int ratio = devicePixelRatioF() > 1.0 ? 2 : 1;
    for (int side = 0; side < 2; ++side) {
        const int figureNo = side + 1;
        QPixmap figure = QPixmap::fromImage(tintedFigure(figureNo, record, ratio));
        figure.setDevicePixelRatio(ratio);
        figureLabels_[side]->setPixmap(figure);

        const progress::Record words = progress::weakestFirst(record, figureNo);
        QTableWidget *table = wordTables_[side];
        table->clearContents();
        for (int i = 0; i < words.size() && i < 2 * RowsPerBlock; ++i) {
            const int row = i % RowsPerBlock;
            const int column = i / RowsPerBlock * 3;
            const progress::WordCount &entry = words[i];
            const QStringList cells{entry.word, QString::number(entry.asked), QString::number(entry.right)};
            for (int cell = 0; cell < 3; ++cell) {
                auto *item = new QTableWidgetItem(cells[cell]);
                item->setTextAlignment(cell == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
                if (cell == 0)
                    item->setForeground(
                        tintColour(progress::knowledge(entry.asked, entry.right)).darker(130));
                table->setItem(row, column + cell, item);
            }
        }
    }
}

void ProgressWindow::clearRecord()
{
    // Buttons named in Chinese, as Qt's own Yes and No are not translated
    // here; a slip of the hand keeps the record.
    QMessageBox question(QMessageBox::Question, QStringLiteral("清除记录"),
                         QStringLiteral("确定要清除全部学习记录吗？清除后无法恢复。"), QMessageBox::NoButton,
                         this);
    const QPushButton *clear = question.addButton(QStringLiteral("清除"), QMessageBox::AcceptRole);
    question.setDefaultButton(question.addButton(QStringLiteral("取消"), QMessageBox::RejectRole));
    question.exec();
    if (question.clickedButton() != clear)
        return;
    progress::writeRecord(progress::freshRecord());
    showRecord();
}
