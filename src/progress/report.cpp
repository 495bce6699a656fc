// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report.h"

#include "fonts.h"
#include "progress_log.h"
#include "tinted_figure.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <array>

namespace progress {

namespace {

constexpr int FigureSize = 483;
constexpr int FigureGap = 40;
constexpr int Margin = 40;
constexpr QRectF TitleArea(Margin, 34, ReportPageSize.width() - 2 * Margin, 44);
constexpr int FigureTop = 96;
// The window's arrangement: ten words in two blocks of five, side by side.
constexpr int RowsPerBlock = 5;
constexpr std::array<int, 3> ColumnWidths{90, 56, 95};
constexpr int RowHeight = 22;
constexpr int TableTop = FigureTop + FigureSize + 14;
constexpr int LegendTop = TableTop + (RowsPerBlock + 1) * RowHeight + 22;
constexpr int SwatchSize = 14;
constexpr int TextSize = 13; // pixels, a little above the window's 9 points

const QColor HeadingFill(0xee, 0xee, 0xee);
const QColor GridLine(0xc8, 0xc8, 0xc8);

QFont reportFont(int pixelSize)
{
    QFont font = toolkit::songFont(9, false);
    font.setPixelSize(pixelSize);
    return font;
}

void paintTitle(QPainter &painter, const QString &title)
{
    // A long name shrinks the line rather than lose the date off its end.
    QFont font = reportFont(28);
    const qreal width = QFontMetricsF(font).horizontalAdvance(title);
    if (width > TitleArea.width())
        font.setPixelSize(std::max(8, int(font.pixelSize() * TitleArea.width() / width)));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(TitleArea, Qt::AlignLeft | Qt::AlignVCenter, title);
}

// Under its figure: a row of headings, then five words in each of two blocks.
void paintWordTable(QPainter &painter, int left, const Record &words)
{
    constexpr int BlockWidth = ColumnWidths[0] + ColumnWidths[1] + ColumnWidths[2];
    painter.setFont(reportFont(TextSize));
    for (int block = 0; block < 2; ++block) {
        for (int row = 0; row <= RowsPerBlock; ++row) {
            const int i = block * RowsPerBlock + row - 1;
            QStringList cells = wordTableHeadings();
            QColor wordColour = Qt::black;
            if (row > 0) {
                const WordCount entry = words.value(i);
                cells = i < words.size() ? QStringList{entry.word, QString::number(entry.asked),
                                                       QString::number(entry.right)}
                                         : QStringList();
                wordColour = knowledgeTextColour(knowledge(entry.asked, entry.right));
            }
            qreal x = left + block * BlockWidth;
            for (int column = 0; column < 3; ++column) {
                const QRectF cell(x, TableTop + row * RowHeight, ColumnWidths[column], RowHeight);
                x += ColumnWidths[column];
                painter.setPen(GridLine);
                painter.setBrush(row == 0 ? QBrush(HeadingFill) : QBrush());
                painter.drawRect(cell);
                const bool word = row > 0 && column == 0;
                painter.setPen(word ? wordColour : QColor(Qt::black));
                painter.drawText(word ? cell.adjusted(4, 0, 0, 0) : cell,
                                 word ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter,
                                 cells.value(column));
            }
        }
    }
}

void paintLegend(QPainter &painter)
{
    const Knowledge entries[] = {Knowledge::Good, Knowledge::Fair, Knowledge::Weak, Knowledge::NeverAsked};
    const QFont font = reportFont(TextSize);
    const QFontMetricsF metrics(font);
    constexpr qreal SwatchGap = 6, EntryGap = 28;
    qreal width = -EntryGap;
    for (const Knowledge entry : entries)
        width += SwatchSize + SwatchGap + metrics.horizontalAdvance(knowledgeMeaning(entry)) + EntryGap;
    qreal x = (ReportPageSize.width() - width) / 2;
    painter.setFont(font);
    for (const Knowledge entry : entries) {
        painter.fillRect(QRectF(x, LegendTop + 3, SwatchSize, SwatchSize), knowledgeColour(entry));
        x += SwatchSize + SwatchGap;
        const QString meaning = knowledgeMeaning(entry);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x, LegendTop, metrics.horizontalAdvance(meaning) + 1, 20),
                         Qt::AlignLeft | Qt::AlignVCenter, meaning);
        x += metrics.horizontalAdvance(meaning) + EntryGap;
    }
}

// The page in its own units; the painter maps them to the device.
void paintReport(QPainter &painter, const QString &childName, QDate date, const Record &record)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.fillRect(QRect(QPoint(), ReportPageSize), Qt::white);
    paintTitle(painter, reportTitle(childName, date));
    for (const int figureNo : {1, 2}) {
        const QRect place = reportFigurePlace(figureNo);
        painter.drawImage(place, tintedFigure(figureNo, record, ReportImageRatio));
        paintWordTable(painter, place.left(), weakestFirst(record, figureNo));
    }
    paintLegend(painter);
}

bool writePdf(QIODevice &file, const QString &childName, QDate date, const Record &record)
{
    QPdfWriter pdf(&file);
    pdf.setTitle(reportTitle(childName, date));
    pdf.setCreator(QStringLiteral("Tovasel"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    pdf.setResolution(300);
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    const qreal scale =
        std::min(qreal(pdf.width()) / ReportPageSize.width(), qreal(pdf.height()) / ReportPageSize.height());
    painter.scale(scale, scale);
    paintReport(painter, childName, date, record);
    return painter.end();
}

bool failed(QString *reason, const QString &path, const QString &why)
{
    qCWarning(lcProgress) << "the report could not be saved to" << path << why;
    if (reason)
        *reason = why;
    return false;
}

} // namespace

QString reportTitle(const QString &childName, QDate date)
{
    //: The date in the report's title: year, month, day.
    const QString day = QCoreApplication::translate("Report", "%1年%2月%3日")
                            .arg(date.year())
                            .arg(date.month())
                            .arg(date.day());
    //: The report's title line: the child's name, then the date.
    return QCoreApplication::translate("Report", "%1的学习进度（%2）").arg(childName, day);
}

QStringList wordTableHeadings()
{
    // The parents' window's own texts, where translators first met them.
    //: Column headings: the word, times asked, times right at the first click.
    return {QCoreApplication::translate("ProgressWindow", "单词"),
            QCoreApplication::translate("ProgressWindow", "次数"),
            QCoreApplication::translate("ProgressWindow", "一次答对")};
}

QRect reportFigurePlace(int figureNo)
{
    const int left = (ReportPageSize.width() - 2 * FigureSize - FigureGap) / 2;
    return QRect(left + (figureNo - 1) * (FigureSize + FigureGap), FigureTop, FigureSize, FigureSize);
}

QImage reportImage(const QString &childName, QDate date, const Record &record)
{
    QImage image(ReportPageSize * ReportImageRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ReportImageRatio);
    QPainter painter(&image);
    paintReport(painter, childName, date, record);
    return image;
}

ReportFormat reportFormat(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("png")   ? ReportFormat::Png
           : suffix == QLatin1String("pdf") ? ReportFormat::Pdf
                                            : ReportFormat::Unknown;
}

QString reportFileName(const QString &childName, QDate date)
{
    // Characters that Linux, Windows or macOS refuse in a name, or that
    // would hide the file, become underscores.
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    QString name;
    for (const char32_t c : childName.toUcs4()) {
        const bool kept = QChar::isPrint(c) && !(c < 0x80 && refused.contains(QChar(c)));
        name += kept ? QString::fromUcs4(&c, 1) : QStringLiteral("_");
    }
    if (name.startsWith(QLatin1Char('.')))
        name[0] = QLatin1Char('_');
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name[name.size() - 1] = QLatin1Char('_');
    //: The report's suggested file name: the child's name, then the date.
    return QCoreApplication::translate("Report", "%1-学习进度-%2").arg(name, date.toString(Qt::ISODate));
}

bool saveReport(const QString &path, const QString &childName, QDate date, const Record &record,
                QString *reason)
{
    const auto fail = [&](const QString &why) { return failed(reason, path, why); };
    const ReportFormat format = reportFormat(path);
    if (format == ReportFormat::Unknown)
        return fail(
            QCoreApplication::translate("Report", "报告只能保存为 PNG 图片（.png）或 PDF 文档（.pdf）。"));
    // Drawn whole in memory first: Qt's PDF writer goes on past a failed
    // write and says nothing, so the bytes are written here, and checked.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool drawn = format == ReportFormat::Png
                           ? QImageWriter(&buffer, "png").write(reportImage(childName, date, record))
                           : writePdf(buffer, childName, date, record);
    if (!drawn)
        return fail(QCoreApplication::translate("Report", "报告没能画出来。"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QCoreApplication::translate("Report", "无法在这里建立文件：%1").arg(file.errorString()));
    // A write cut short is tried again, so that the system says why.
    qint64 written = 0;
    for (qint64 step = 0; written < bytes.size() && step >= 0; written += step)
        step = file.write(bytes.constData() + written, bytes.size() - written);
    // Unless committed, the file is dropped whole, and one there before stays.
    if (written < bytes.size() || !file.commit())
        return fail(QCoreApplication::translate("Report", "文件没能完整写入：%1").arg(file.errorString()));
    return true;
}

} // namespace progress
