// Open, Save and Save As: the document's data file and the dialogs that choose it.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QSaveFile>

#include <unistd.h>

#include <cerrno>

#include "base/dialog_seam.h"
#include "datafile_items.h"
#include "datafile_reader.h"
#include "document/datafile_writer.h"
#include "document/system_data.h"
#include "editor/edited_system.h"
#include "editor/frmdatos.h"
#include "failure_text.h"
#include "file_names.h"
#include "main_window.h"
#include "regular_file.h"

namespace farvik {
namespace {

const QString kDataFilter = QStringLiteral("Archivos de datos (*.dat)");

// A data file of the largest system the editor holds takes well under a megabyte. Bytes
// beyond this belong to no data file: the reading stops there, as at any item it cannot take,
// instead of filling the memory with a file chosen by mistake.
constexpr qint64 kDataFileReadLimit = qint64(16) << 20;

}  // namespace

frmdatos* frmMain::dataEditor() const {
    return dataEditor_ ? dataEditorWidget_.data() : nullptr;
}

QString frmMain::dialogFolder() const {
    return documentFolder_.isEmpty() ? startFolder_ : documentFolder_;
}

void frmMain::rememberFolder() {
    if (!document_.currentFile.isEmpty()) documentFolder_ = folderOf(document_.currentFile);
}

bool frmMain::save() {
    if (document_.currentFile.isEmpty()) return saveAs();
    return saveTo(document_.currentFile);
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
    document_.currentFile = path;
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
    const QByteArray bytes = dataFileBytesFor(systemData());
    if (file.write(bytes) != bytes.size()) return false;
    if (!file.commit()) return false;
    document_.modified = false;
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
    // Refused before the document is touched: a file that cannot be opened, or that is no
    // regular file (a FIFO would keep the program waiting in open()).
    const OpenedFile opened = openRegularFile(QFile::encodeName(path).toStdString());
    if (opened.fd < 0) {
        dialogs().message(
            this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
            QStringLiteral("No se ha podido leer entero el fichero %1\n\nel fichero "
                           "no se puede abrir para leerlo: %2")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(opened.reason)));
        return false;
    }
    ::close(opened.fd);
    nuevo_documento();
    document_.currentFile = path;
    rememberFolder();
    cambia_titulo();

    QFile file(path);
    frmdatos* editor = dataEditor();
    QString failure;
    bool read = false;
    if (!editor || !file.open(QIODevice::ReadOnly)) {
        failure = QStringLiteral("el fichero no se puede abrir para leerlo");
    } else {
        DataFileItems items(file.read(kDataFileReadLimit));
        read = readDataFile(items, *editor, &failure);
    }
    if (read) {
        document_.modified = false;
        return true;
    }
    // What the editor shows now is not what the file holds: Guardar must not replace the
    // file with it, nor Ejecutar run the file in its place. So a reading that stopped short
    // leaves an untitled, changed document holding what was read.
    document_.currentFile.clear();
    document_.modified = true;
    cambia_titulo();
    dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                      QStringLiteral("No se ha podido leer entero el fichero %1\n\n%2\n\nLo "
                                     "leído queda en el editor como documento sin título.")
                          .arg(QDir::toNativeSeparators(path), failure));
    return false;
}

}  // namespace farvik
