// viewer_bench: how long the viewer takes to show a result file, from the click on the
// results chooser's "Aceptar" until the viewer has been drawn.
//   viewer_bench DATAFILE [option [repetitions]]   (option 0 summary, 1 first trials,
//                                                  2 redundancy trials; default 2, 5)
// DATAFILE is a data file whose results lie beside it (brenta run in its folder). It is
// opened through the Open command, EditarR opens the chooser, the option is chosen and
// "Aceptar" clicked, as a user does. Headless unless QT_QPA_PLATFORM says otherwise. Prints
// the size of the file, what the viewer holds of it, and the best and worst time.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextEdit>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "base/dialog_seam.h"
#include "base/settings_store.h"
#include "results/frmprintres.h"
#include "shell/frmedit.h"
#include "shell/main_window.h"

namespace {

// Answers the open dialog with the data file; any message box is counted and answered No.
class BenchDialogs : public farvik::DialogSeam {
  public:
    QString file;
    QStringList messages;

    farvik::MessageAnswer message(QWidget*, farvik::MessageIcon, farvik::MessageButtons,
                                  const QString&, const QString& text) override {
        messages << text;
        return farvik::MessageAnswer::No;
    }
    QString openFileName(QWidget*, const farvik::FileDialogRequest&) override { return file; }
    QString saveFileName(QWidget*, const farvik::FileDialogRequest&) override { return {}; }
    bool printPreview(QWidget*, QPrinter&, const farvik::PagePainter&) override { return false; }
    bool printSetup(QWidget*, QPrinter&) override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "uso: viewer_bench DATAFILE [opcion [repeticiones]]\n");
        return 2;
    }
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QString dataFile = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const int option = argc > 2 ? std::atoi(argv[2]) : 2;
    const int repetitions = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;

    QTemporaryDir settings;
    BenchDialogs dialogs;
    dialogs.file = dataFile;
    farvik::setDialogs(&dialogs);
    farvik::frmMain window(farvik::SettingsStore(settings.filePath(QStringLiteral("bench.conf"))));
    window.setProgramEnd([] {});
    window.resize(1400, 900);
    window.show();
    QCoreApplication::processEvents();
    window.openCommand();
    QCoreApplication::processEvents();

    double best = 1e9, worst = 0;
    QString held;
    for (int r = 0; r < repetitions; ++r) {
        if (window.viewerWindow()) window.viewerWindow()->close();
        // The closed viewer goes, as it does once the click that closed it is handled.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        window.editar(1);
        auto* chooser = window.findChild<farvik::frmprintres*>();
        if (!chooser) return 3;
        chooser->findChild<QAbstractButton*>(QStringLiteral("Optprintres(%1)").arg(option))
            ->click();
        QAbstractButton* accept = chooser->findChild<QAbstractButton*>(QStringLiteral("Command1"));

        QElapsedTimer clock;
        clock.start();
        accept->click();
        QCoreApplication::processEvents();
        auto* viewer = window.viewerWindow()
                           ? qobject_cast<farvik::frmedit*>(window.viewerWindow()->widget())
                           : nullptr;
        if (!viewer) {
            std::fprintf(stderr, "no viewer: %s\n", qPrintable(dialogs.messages.join('|')));
            return 4;
        }
        // Drawn: the frame with the viewer in it, laid out and painted.
        const QPixmap drawn = window.grab();
        const double seconds = clock.nsecsElapsed() / 1e9;
        if (drawn.isNull()) return 5;
        best = std::min(best, seconds);
        worst = std::max(worst, seconds);
        held = !viewer->lbmostrado()->isHidden() ? viewer->lbmostrado()->text()
                                                 : QStringLiteral("el fichero entero");
    }
    const QString shown =
        window.viewerWindow()
            ? qobject_cast<farvik::frmedit*>(window.viewerWindow()->widget())->path()
            : QString();
    std::printf("%s: %lld bytes\n%s\nclick to drawn: best %.3f s, worst %.3f s (%d runs)\n",
                qPrintable(shown), static_cast<long long>(QFileInfo(shown).size()),
                qPrintable(held), best, worst, repetitions);
    return dialogs.messages.isEmpty() ? 0 : 6;
}
