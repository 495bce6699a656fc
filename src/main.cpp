#include "catalogue.h"
#include "sdl_cue_player.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tovasel"));
    SdlCuePlayer player;

    QLabel window;
    window.setWindowTitle(QStringLiteral("Tovasel"));
    window.setPixmap(content::picture(content::figurePicture(1)));
    window.setMinimumSize(483, 483);
    window.show();
    return app.exec();
}
