// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floors the benchmarks compare against: the least a Qt Widgets program
// can do to show one 483 x 483 picture, and, given a text, the same picture
// with one line of that text beside it. With --full-screen, a navy window of
// the game's size that F11 takes to full screen, where it shows the picture
// at the screen's height, enlarged before the key is pressed: the least a
// program can do to enter full screen with a picture.
//
//   floor PICTURE [TEXT]
//   floor --full-screen PICTURE

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QShortcut>

namespace {

class FullScreenFloor : public QWidget
{
public:
    explicit FullScreenFloor(const QImage &picture)
    {
        setWindowTitle(QStringLiteral("Floor"));
        setFixedSize(619, 483);
        setAttribute(Qt::WA_OpaquePaintEvent);
        const int height = screen()->geometry().height();
        larger_ = picture.scaled(height, height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        connect(new QShortcut(Qt::Key_F11, this), &QShortcut::activated, this, [this] {
            setMinimumSize(0, 0);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            showFullScreen();
            setGeometry(screen()->geometry());
            full_ = true;
        });
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 0, 128));
        if (full_)
            painter.drawImage((width() - larger_.width()) / 2, 0, larger_);
    }

private:
    QImage larger_;
    bool full_ = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc > 2 && QByteArrayView(argv[1]) == "--full-screen") {
        FullScreenFloor window(QImage(QString::fromLocal8Bit(argv[2])));
        window.show();
        return app.exec();
    }
    const QPixmap picture(QString::fromLocal8Bit(argc > 1 ? argv[1] : "100.png"));
    if (argc < 3) {
        QLabel window;
        window.setWindowTitle(QStringLiteral("Floor"));
        window.setPixmap(picture);
        window.show();
        return app.exec();
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    auto *layout = new QHBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *figure = new QLabel(&window);
    figure->setPixmap(picture);
    layout->addWidget(figure);
    layout->addWidget(new QLabel(QString::fromLocal8Bit(argv[2]), &window));
    window.show();
    return app.exec();
}
