// Fuzz target: the front-end's data file reader, filling a fresh data editor as Open does;
// a file read whole is saved as Save would and read back once more.
#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/document_host.h"
#include "document/datafile_writer.h"
#include "document/system_data.h"
#include "editor/edited_system.h"
#include "editor/frmdatos.h"
#include "shell/datafile_items.h"
#include "shell/datafile_reader.h"

namespace {

// The editor asks its host only for the document flags and a caption refresh.
class Host : public farvik::DocumentHost {
  public:
    farvik::DocumentState& document() override { return state_; }
    void cambia_titulo() override {}

  private:
    farvik::DocumentState state_;
};

struct Reading {
    bool whole;        // the reader got to the last value
    QByteArray saved;  // what the editor holds, as Save would write it
};

Reading readIntoEditor(const QByteArray& bytes) {
    Host host;
    auto editor = std::make_unique<farvik::frmdatos>(host);
    farvik::DataFileItems items(bytes);
    const bool whole = farvik::readDataFile(items, *editor);
    // Every row the editor shows has its record, and every record its row.
    const farvik::SystemData& data = farvik::systemData();
    if (editor->elementRows() != data.elementCount ||
        editor->pathEntryRows() != data.pathEntryCount)
        __builtin_trap();
    const QByteArray saved = farvik::dataFileBytesFor(data);
    editor.reset();
    // Events posted to what outlives the editor, delivered before the next input.
    QCoreApplication::sendPostedEvents(nullptr, 0);
    return {whole, saved};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // One application for the whole run, as farvik has.
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Reading first = readIntoEditor(bytes);
    // What Save writes reads back whole, to the same file. Checked after whole readings only:
    // a fresh editor costs most of an input's time, and most inputs stop part way.
    if (!first.whole) return 0;
    const Reading again = readIntoEditor(first.saved);
    if (!again.whole || again.saved != first.saved) __builtin_trap();
    return 0;
}
