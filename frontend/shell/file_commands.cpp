// Open, Save and Save As: the document's data file and the dialogs that choose it.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QSaveFile>

#include <cerrno>

#include "base/dialog_seam.h"
#include "document/datafile_reading.h"
#include "document/datafile_writer.h"
#include "document/system_data.h"
#include "editor/frmdatos.h"
#include "failure_text.h"
#include "file_names.h"
#include "main_window.h"

namespace farvik {
namespace {

const QString kDataFilter = QStringLiteral("Archivos de datos (*.dat)");

}  // namespace

frmdatos* frmMain::dataEditor() const {
    return dataEditor_ ? dataEditorWidget_.data() : nullptr;
}

QString frmMain::dialogFolder() const {
    return documentFolder_.isEmpty() ? startFolder_ : documentFolder_;
}

void frmMain::rememberFolder() {
    const QString& file = systemDocument_.fileName();
    if (!file.isEmpty()) documentFolder_ = folderOf(file);
}

bool frmMain::save() {
    if (systemDocument_.fileName().isEmpty()) return saveAs();
    return saveTo(systemDocument_.fileName());
}

bool frmMain::saveTo(const QString& path) {
    errno = 0;
    if (escribir_archivo_pantalla(path)) return true;
    reportSaveError(path, errno);
    return false;
}

void frmMain::reportSaveError(const QString& path, int error) {
    // The system's error code says why, in the user's words; the document's name, file and
    // modified flag stay as they were: nothing was written.
    QString text = QStringLiteral("Ha ocurrido un error al intentar guardar el fichero ") + path;
    if (error != 0) text += QStringLiteral(": ") + QString::fromStdString(systemErrorReason(error));
    dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(), text);
}

bool frmMain::saveAs() {
    return saveAsAndShow() == SaveOutcome::Written;
}

frmMain::SaveOutcome frmMain::saveAsAndShow() {
    const QString path =
        dialogs().saveFileName(this, {QStringLiteral("Guardar como"), kDataFilter, dialogFolder()});
    if (path.isEmpty()) return SaveOutcome::Declined;
    // The document takes the new name only once it is written there: Save must not write
    // later into a file that was declined or could not be written.
    QString target = withDataExtension(path);
    return confirmSaveTarget(target);
}

bool frmMain::confirmar_y_guardar(QString& path) {
    return confirmSaveTarget(path) == SaveOutcome::Written;
}

frmMain::SaveOutcome frmMain::confirmSaveTarget(QString& path) {
    path = upperCaseFileName(path);
    // Asked wherever the file is: replacing a file without a word loses it.
    if (QFileInfo::exists(path)) {
        switch (
            dialogs().message(this, MessageIcon::Question, MessageButtons::YesNoCancel, QString(),
                              QStringLiteral("El archivo ya existe. ¿Deseas sobreescribirlo?"))) {
            case MessageAnswer::Yes:
                break;
            case MessageAnswer::No:
                return saveAsAndShow();
            default:
                return SaveOutcome::Declined;
        }
    }
    if (!saveTo(path)) return SaveOutcome::Failed;
    systemDocument_.setFileName(path);
    rememberFolder();
    cambia_titulo();
    return SaveOutcome::Written;
}

bool frmMain::escribir_archivo_pantalla(const QString& path) {
    // Written beside the file and then put in its place, so that a failed write never
    // leaves a truncated file behind.
    QSaveFile file(path);
    // Unbuffered: a buffered flush that writes only part of the data (a full disk) still
    // lets the commit succeed, and the file would be cut short.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    const QByteArray bytes = dataFileBytesFor(systemDocument_.system());
    if (file.write(bytes) != bytes.size()) return false;
    if (!file.commit()) return false;
    systemDocument_.setModified(false);
    rememberFolder();
    cambia_titulo();
    return true;
}

bool frmMain::abrirfichero() {
    const QString path = dialogs().openFileName(
        this, {QStringLiteral("Abrir"), kDataFilter + QStringLiteral(";;Todos los archivos (*)"),
               dialogFolder()});
    if (path.isEmpty()) return false;
    return openDataFile(path);
}

bool frmMain::openDataFile(const QString& path) {
    // Read by the engine's rules before the document is touched: a file the engine could not
    // even read is refused here with its words, and the document stays exactly as it was.
    const DataFileReading reading = readSystemFile(path);
    const QString name = QDir::toNativeSeparators(path);
    if (!reading.system) {
        dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                          QStringLiteral("No se ha podido leer entero el fichero %1\n\n%2")
                              .arg(name, reading.failure));
        return false;
    }
    startDocument(*reading.system, path);
    rememberFolder();
    // A value the engine refuses (a draft saved as it stood): opened to be put right, and
    // said at once rather than only when Ejecutar refuses it.
    if (!reading.engineRunsIt()) {
        dialogs().message(
            this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
            QStringLiteral("El fichero %1 se ha abierto, pero el motor no lo ejecutaría tal "
                           "como está:\n\n%2")
                .arg(name, reading.failure));
    }
    return true;
}

}  // namespace farvik
