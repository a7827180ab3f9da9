// farvik: the splash first, then the main window.
#include <QApplication>
#include <QTranslator>
#include <clocale>
#include <memory>

#include "base/number_locale.h"
#include "base/program_folder.h"
#include "main_window.h"
#include "pictures.h"
#include "qt_spanish.h"
#include "splash_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // QApplication applied the user's locale; numbers are always read and written in C.
    std::setlocale(LC_NUMERIC, "C");
    farvik::fijar_separadores();
    QApplication::setWindowIcon(QIcon(farvik::programPicture(32)));
    // The desktop ties the windows to the menu entry farvik.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("farvik"));
    // Qt's own dialogs (files, printing) and buttons in Spanish, like the rest of farvik,
    // where the translation is installed.
    QTranslator qtSpanish;
    farvik::installQtSpanish(qtSpanish, farvik::programFolder());

    std::unique_ptr<farvik::frmMain> mainWindow;
    farvik::frmSplash splash([&mainWindow] {
        mainWindow = std::make_unique<farvik::frmMain>();
        mainWindow->show();
    });
    splash.show();
    return app.exec();
}
