// farvik: the splash first, then the main window.
//   farvik [FILE.DAT]        opens the data file as Abrir does
//   farvik --help | --version
#include <QApplication>
#include <QDir>
#include <QTranslator>
#include <clocale>
#include <cstdio>
#include <memory>

#include "base/number_locale.h"
#include "base/program_folder.h"
#include "command_line.h"
#include "main_window.h"
#include "pictures.h"
#include "qt_spanish.h"
#include "splash_window.h"

namespace {

int printAndLeave(const farvik::CommandLine& line) {
    const QByteArray text = line.message.toUtf8();
    const bool failed = line.action == farvik::CommandLine::Action::Error;
    std::fputs(text.constData(), failed ? stderr : stdout);
    return failed ? 2 : 0;
}

QStringList argumentsAfterProgram(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    // The help and the version need no window system, nor a display.
    const farvik::CommandLine text = farvik::textRequest(argumentsAfterProgram(argc, argv));
    if (text.action != farvik::CommandLine::Action::Run) return printAndLeave(text);

    QApplication app(argc, argv);
    // QApplication applied the user's locale; numbers are always read and written in C.
    std::setlocale(LC_NUMERIC, "C");
    // What is left once Qt took its own options (-platform and the like).
    const farvik::CommandLine line =
        farvik::parseCommandLine(QApplication::arguments().mid(1), QDir::currentPath());
    if (line.action != farvik::CommandLine::Action::Run) return printAndLeave(line);

    farvik::fijar_separadores();
    QApplication::setWindowIcon(QIcon(farvik::programPicture(32)));
    // The desktop ties the windows to the menu entry farvik.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("farvik"));
    // Qt's own dialogs (files, printing) and buttons in Spanish, like the rest of farvik,
    // where the translation is installed.
    QTranslator qtSpanish;
    farvik::installQtSpanish(qtSpanish, farvik::programFolder());

    std::unique_ptr<farvik::frmMain> mainWindow;
    farvik::frmSplash splash([&mainWindow, &line] {
        mainWindow = std::make_unique<farvik::frmMain>();
        mainWindow->show();
        // A file named on the command line (the desktop's "Abrir con"), opened as Abrir
        // opens it, once the window is there to show its messages.
        if (!line.dataFile.isEmpty()) mainWindow->openPath(line.dataFile);
    });
    splash.show();
    return app.exec();
}
