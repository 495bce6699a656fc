// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "progress_window.h"

#include "children.h"
#include "children_bar.h"
#include "fonts.h"
#include "report.h"
#include "report_saver.h"
#include "tinted_figure.h"
#include "window_manager.h"
#include "word_record.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

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
constexpr int SwatchSize = 14;
// Two rows of two entries, so that the legend and the clear button fit side
// by side in the narrowest window.
constexpr int LegendRowHeight = 16;
constexpr int LegendHeight = 2 * LegendRowHeight + 4;
// The figures and tables, drawn at their own size and scrolled on a small screen.
constexpr QSize SheetSize(Margin + 2 * (FigureSize + Margin),
                          Margin + FigureSize + Margin + TableHeight + Margin);
// Always in view: above the sheet, the children and practice; under it, the
// legend and the clear button.
constexpr int TopBarHeight = Margin + ButtonHeight;
constexpr QSize WindowSize(SheetSize.width(), TopBarHeight + SheetSize.height() + LegendHeight + Margin);

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
    for (int column = 0; column < table->columnCount(); ++column)
        table->setColumnWidth(column, ColumnWidths[column % ColumnWidths.size()]);
    table->setHorizontalHeaderLabels(progress::wordTableHeadings() + progress::wordTableHeadings());
    table->setFixedSize(FigureSize, TableHeight);
    return table;
}

// The frame the window manager will put around a window not yet shown: the
// one it put around the opener, or, where the opener shows none (full
// screen), a generous guess: one too large only leaves some room unused.
QMargins expectedFrame(const QWidget *opener)
{
    const QRect inner = opener->geometry();
    const QRect outer = opener->frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (frame.isNull() && toolkit::windowManagerRuns())
        return QMargins(10, 40, 10, 10);
    return frame;
}

// Says what the colours mean, in the colours the figures and tables show.
QWidget *newLegend()
{
    const std::array<progress::Knowledge, 4> entries{progress::Knowledge::Good, progress::Knowledge::Fair,
                                                     progress::Knowledge::Weak,
                                                     progress::Knowledge::NeverAsked};
    auto *legend = new QWidget;
    legend->setFixedHeight(LegendHeight);
    auto *layout = new QGridLayout(legend);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(LegendHeight - 2 * LegendRowHeight);
    layout->setColumnMinimumWidth(2, 2 * Margin);
    for (int entry = 0; entry < int(entries.size()); ++entry) {
        const progress::Knowledge knowledge = entries[entry];
        QPixmap colour(SwatchSize, SwatchSize);
        colour.fill(progress::knowledgeColour(knowledge));
        auto *swatch = new QLabel;
        swatch->setObjectName(QStringLiteral("swatch%1").arg(int(knowledge)));
        swatch->setPixmap(colour);
        const int row = entry / 2;
        const int column = entry % 2 * 3;
        layout->addWidget(swatch, row, column);
        layout->addWidget(new QLabel(progress::knowledgeMeaning(knowledge)), row, column + 1);
    }
    return legend;
}

} // namespace

ProgressWindow::ProgressWindow(QWidget *opener)
    //: The parents' window's title: what the child knows.
    : toolkit::Dialog(opener, tr("学习进度"), WindowSize, toolkit::Scaling::None)
{
    auto *sheet = new QWidget;
    sheet->setFixedSize(SheetSize);
    for (int side = 0; side < 2; ++side) {
        const int left = Margin + side * (FigureSize + Margin);
        figureLabels_[side] = new QLabel(sheet);
        figureLabels_[side]->setObjectName(QStringLiteral("figure%1").arg(side + 1));
        figureLabels_[side]->setGeometry(left, Margin, FigureSize, FigureSize);
        wordTables_[side] = newWordTable(sheet);
        wordTables_[side]->setObjectName(QStringLiteral("words%1").arg(side + 1));
        wordTables_[side]->move(left, Margin + FigureSize + Margin);
    }
    auto *sheetView = new QScrollArea;
    sheetView->setFrameShape(QFrame::NoFrame);
    sheetView->setWidget(sheet);

    //: Clears the record of every word, after asking.
    clearButton_ = new QPushButton(tr("清除记录"));
    clearButton_->setObjectName(QStringLiteral("clearButton"));
    clearButton_->setFixedSize(100, ButtonHeight);
    connect(clearButton_, &QPushButton::clicked, this, &ProgressWindow::clearRecord);
    //: Saves what the window shows as a picture or a document, to keep or print.
    auto *saveButton = new QPushButton(tr("保存报告"));
    saveButton->setObjectName(QStringLiteral("saveButton"));
    saveButton->setFixedSize(100, ButtonHeight);
    auto *reportSaver = new ReportSaver(this);
    connect(saveButton, &QPushButton::clicked, reportSaver,
            [reportSaver] { reportSaver->chooseFile(progress::readChildren().currentChild()); });
    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(Margin, 0, Margin, Margin);
    bar->addWidget(newLegend());
    bar->addStretch();
    bar->addWidget(saveButton);
    bar->addSpacing(Margin);
    bar->addWidget(clearButton_);

    childrenBar_ = new ChildrenBar;
    connect(childrenBar_, &ChildrenBar::playerChanged, this, [this] {
        showRecord();
        emit playerChanged();
    });
    practiceNote_ = new QLabel;
    practiceNote_->setObjectName(QStringLiteral("practiceNote"));
    // On a narrow screen it takes two lines rather than widen the window.
    practiceNote_->setWordWrap(true);
    //: Starts a game that asks only the words the child misses.
    practiceButton_ = new QPushButton(tr("练习"));
    practiceButton_->setObjectName(QStringLiteral("practiceButton"));
    practiceButton_->setFixedSize(100, ButtonHeight);
    practiceButton_->setAutoDefault(false);
    // The game shows under this window: it closes for the practice.
    connect(practiceButton_, &QPushButton::clicked, this, [this] {
        accept();
        emit practiceRequested();
    });
    auto *topBar = new QHBoxLayout;
    topBar->setContentsMargins(Margin, Margin, Margin, 0);
    topBar->addWidget(childrenBar_);
    topBar->addStretch();
    topBar->addWidget(practiceNote_);
    topBar->addWidget(practiceButton_);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(topBar);
    layout->addWidget(sheetView, 1);
    layout->addLayout(bar);
    // Resizable up to the design size, with room for a scroll bar; the layout
    // keeps the legend and the clear button whole.
    setMinimumSize(0, 0);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    setMaximumSize(WindowSize + QSize(scrollBar, scrollBar));
}

void ProgressWindow::open()
{
    // Fitted to the opener's screen, frame and panels included, and centred
    // on it; each opening is sized and placed afresh.
    if (const QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen()) {
        const QRect free = screen->availableGeometry();
        const QMargins frame = expectedFrame(parentWidget() ? parentWidget() : this);
        const QSize room = free.size().shrunkBy(frame);
        QSize size = WindowSize.boundedTo(room);
        // A sheet cut short only in height keeps its width beside the scroll bar.
        if (size.height() < WindowSize.height())
            size.setWidth(std::min(room.width(), maximumWidth()));
        const QSize outer = size.grownBy(frame);
        const QPoint corner(free.left() + std::max(0, (free.width() - outer.width()) / 2),
                            free.top() + std::max(0, (free.height() - outer.height()) / 2));
        setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size));
    }
    childrenBar_->showChildren();
    showRecord();
    openOverOpener();
}

void ProgressWindow::showRecord()
{
    const progress::Record record =
        progress::readRecord(progress::recordPath(progress::readChildren().current));
    const bool weakWords = !progress::weakWords(record).isEmpty();
    const bool played = std::any_of(record.begin(), record.end(),
                                    [](const progress::WordCount &entry) { return entry.asked > 0; });
    practiceButton_->setEnabled(weakWords);
    //: Beside the disabled practice button: every word asked so far was known.
    practiceNote_->setText(weakWords ? QString()
                           : played  ? tr("问过的单词都会了，没有要练习的。")
                                    //: Beside the disabled practice button: the child has not played yet.
                                    : tr("还没有问过单词，没有要练习的。"));
    const int ratio = devicePixelRatioF() > 1.0 ? 2 : 1;
    for (int side = 0; side < 2; ++side) {
        const int figureNo = side + 1;
        QPixmap figure = QPixmap::fromImage(progress::tintedFigure(figureNo, record, ratio));
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
                        progress::knowledgeTextColour(progress::knowledge(entry.asked, entry.right)));
                table->setItem(row, column + cell, item);
            }
        }
    }
}

void ProgressWindow::clearRecord()
{
    // Buttons named in Chinese, as Qt's own Yes and No are not translated
    // here; a slip of the hand keeps the record.
    const progress::Child child = progress::readChildren().currentChild();
    QMessageBox question(QMessageBox::Question, clearButton_->text(),
                         //: %1 is the child's name.
                         tr("确定要清除“%1”的全部学习记录吗？清除后无法恢复。").arg(child.name),
                         QMessageBox::NoButton, this);
    const QPushButton *clear = question.addButton(tr("清除"), QMessageBox::AcceptRole);
    question.setDefaultButton(question.addButton(tr("取消"), QMessageBox::RejectRole));
    question.exec();
    if (question.clickedButton() != clear)
        return;
    progress::writeRecord(progress::freshRecord(), progress::recordPath(child.id));
    showRecord();
}
