// Fuzz target: the front end's data file reading, as Open does it: the bytes read by the
// engine's rules, a system read whole shown in a fresh data editor, saved as Save would and
// read back once more.
#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "document/datafile_reading.h"
#include "document/datafile_writer.h"
#include "document/system_document.h"
#include "editor/frmdatos.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // One application for the whole run, as farvik has.
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const farvik::DataFileReading reading = farvik::readSystem(bytes);
    if (!reading.system) return 0;
    farvik::SystemDocument document;
    document.begin(*reading.system, QStringLiteral("F.DAT"));
    {
        farvik::frmdatos editor(document);
        // Every row the editor shows has its record, and showing it is no edit.
        const farvik::SystemData& shown = editor.system();
        if (editor.elementRows() != shown.elementCount ||
            editor.pathEntryRows() != shown.pathEntryCount || document.isModified())
            __builtin_trap();
    }
    QCoreApplication::sendPostedEvents(nullptr, 0);
    // What Save writes reads back whole, to the same file.
    const QByteArray saved = farvik::dataFileBytesFor(document.system());
    const farvik::DataFileReading again = farvik::readSystem(saved);
    if (!again.system || farvik::dataFileBytesFor(*again.system) != saved) __builtin_trap();
    return 0;
}
