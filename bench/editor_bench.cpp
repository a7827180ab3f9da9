// editor_bench: how long the data editor takes to grow to the largest systems it holds.
//   editor_bench [repetitions [case]]   (case 1 or 2 alone; headless unless QT_QPA_PLATFORM
//                                        says otherwise)
// Each case writes its data file with the front-end's own writer, then opens it through the
// main window's Open command, as a user would, and waits until the window has settled. The
// clicks at the front of a full list are timed too: they move every row after them. Each
// figure is the best of the repetitions.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QUndoStack>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <vector>

#include "base/dialog_seam.h"
#include "base/number_locale.h"
#include "base/settings_store.h"
#include "codes.h"
#include "document/datafile_writer.h"
#include "document/system_data.h"
#include "editor/frmdatos.h"
#include "editor/spin_arrows.h"
#include "shell/main_window.h"

namespace {

using farvik::ElementRec;
using farvik::SubsystemRec;
using farvik::SystemData;

// Answers the open dialog with the file of the case; no other dialog is expected.
class BenchDialogs : public farvik::DialogSeam {
  public:
    QString file;
    int messages = 0;

    farvik::MessageAnswer message(QWidget*, farvik::MessageIcon, farvik::MessageButtons,
                                  const QString&, const QString&) override {
        ++messages;
        return farvik::MessageAnswer::No;  // "save first?": no
    }
    QString openFileName(QWidget*, const farvik::FileDialogRequest&) override { return file; }
    QString saveFileName(QWidget*, const farvik::FileDialogRequest&) override { return {}; }
    bool printPreview(QWidget*, QPrinter&, const farvik::PagePainter&) override { return false; }
    bool printSetup(QWidget*, QPrinter&) override { return false; }
};

// Exponential and Weibull elements by turns, with values the engine runs (Open takes only
// a file the engine would run).
ElementRec element(int key) {
    ElementRec e;
    e.key = static_cast<std::int16_t>(key);
    e.distribution = static_cast<std::int16_t>(key % 2);
    e.params[1] = e.distribution == 0 ? 0.001 : 1.5;
    e.params[2] = e.distribution == 0 ? 0 : 1000 + key;
    return e;
}

SystemData subsystemsInParallel(int subsystems, int elements) {
    SystemData d;
    d.systemType = 4;
    d.subsystemCount = static_cast<std::int16_t>(subsystems);
    d.subsystems.resize(static_cast<std::size_t>(subsystems) + 1);
    int key = 0;
    for (int i = 1; i <= subsystems; ++i) {
        SubsystemRec& s = d.subsystems[static_cast<std::size_t>(i)];
        s.count = static_cast<std::int16_t>(elements);
        s.elements.resize(1);
        for (int j = 1; j <= elements; ++j) s.elements.push_back(element(++key));
    }
    d.elementCount = static_cast<std::int16_t>(key);
    d.paths = {SubsystemRec{}, farvik::oneElementGroup()};
    d.paths[1].elements[1].key = 1;
    return d;
}

SystemData generalSystem(int elements, int paths, int entries) {
    SystemData d = subsystemsInParallel(elements, 1);
    d.systemType = farvik::kGeneral;
    d.pathCount = static_cast<std::int16_t>(paths);
    d.paths.resize(static_cast<std::size_t>(paths) + 1);
    int key = 0;
    for (int p = 1; p <= paths; ++p) {
        SubsystemRec& path = d.paths[static_cast<std::size_t>(p)];
        path.count = static_cast<std::int16_t>(entries);
        path.elements.resize(1);
        for (int j = 1; j <= entries; ++j) {
            ElementRec e;
            e.key = static_cast<std::int16_t>(++key);
            e.params[1] = (p * 7 + j) % elements + 1;
            path.elements.push_back(e);
        }
    }
    d.pathEntryCount = static_cast<std::int16_t>(key);
    return d;
}

// Wall-clock time, and the processor time of this thread, which other programs running on
// the machine disturb less.
struct Time {
    double wall, cpu;
};

double threadMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

Time timeOf(const std::function<void()>& work) {
    QElapsedTimer clock;
    const double cpu = threadMilliseconds();
    clock.start();
    work();
    QCoreApplication::processEvents();  // layouts and painting the user waits for
    return {static_cast<double>(clock.nsecsElapsed()) / 1e6, threadMilliseconds() - cpu};
}

struct Figures {
    double wall = 1e300, cpu = 1e300;
    void add(Time t) {
        wall = std::min(wall, t.wall);
        cpu = std::min(cpu, t.cpu);
    }
};

void report(const char* what, const Figures& f, bool sound) {
    std::printf("%-44s %8.1f ms  (processor %8.1f ms)  %s\n", what, f.wall, f.cpu,
                sound ? "ok" : "WRONG RESULT");
}

bool sameDescription(const SystemData& a, const SystemData& b) {
    auto sameGroups = [](const std::vector<SubsystemRec>& x, const std::vector<SubsystemRec>& y,
                         int count) {
        for (std::size_t i = 1; i <= static_cast<std::size_t>(count); ++i) {
            if (x.at(i).count != y.at(i).count) return false;
            for (std::size_t j = 1; j <= static_cast<std::size_t>(x[i].count); ++j) {
                const ElementRec &e = x[i].elements.at(j), &f = y[i].elements.at(j);
                if (e.key != f.key || e.distribution != f.distribution || e.params != f.params)
                    return false;
            }
        }
        return true;
    };
    if (a.systemType != b.systemType || a.subsystemCount != b.subsystemCount ||
        a.elementCount != b.elementCount)
        return false;
    if (!sameGroups(a.subsystems, b.subsystems, a.subsystemCount)) return false;
    if (a.systemType != farvik::kGeneral) return true;
    return a.pathCount == b.pathCount && a.pathEntryCount == b.pathEntryCount &&
           sameGroups(a.paths, b.paths, a.pathCount);
}

// The system after its first group lost its last element and got a fresh one back.
SystemData afterFront(SystemData d) {
    auto& groups = d.systemType == farvik::kGeneral ? d.paths : d.subsystems;
    ElementRec& last = groups[1].elements.back();
    last.distribution = 0;
    last.params = {};
    return d;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    farvik::fijar_separadores();
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int only = argc > 2 ? std::atoi(argv[2]) : 0;

    QTemporaryDir folder;
    BenchDialogs dialogs;
    farvik::setDialogs(&dialogs);
    farvik::frmMain window(farvik::SettingsStore(folder.filePath(QStringLiteral("bench.conf"))));
    window.setProgramEnd([] {});
    window.show();
    QCoreApplication::processEvents();

    // Each case also lowers and raises the first group of the full system again: a click
    // at the front of a list gives every row after it a new key.
    struct Case {
        const char* name;
        const char* frontName;
        SystemData system;
        std::function<farvik::editor::SpinArrows*(farvik::frmdatos&)> front;
    };
    const Case cases[] = {
        {"open PARALELO-SERIE 50 x 20", "  subsystem 1: one element less, one more",
         subsystemsInParallel(50, 20), [](farvik::frmdatos& e) { return e.udelemsubs(1); }},
        {"open GENERAL 50 elements, 50 paths x 13", "  path 1: one entry less, one more",
         generalSystem(50, 50, 13), [](farvik::frmdatos& e) { return e.udelemcams(1); }},
    };
    for (const Case& c : cases) {
        if (only && &c - cases != only - 1) continue;
        dialogs.file = folder.filePath(QStringLiteral("CASE.DAT"));
        QFile file(dialogs.file);
        if (!file.open(QIODevice::WriteOnly) || file.write(farvik::dataFileBytesFor(c.system)) < 0)
            return 2;
        file.close();
        Figures opening, front, undoRedo;
        bool sound = true, frontSound = true;  // right description, no message shown
        for (int r = 0; r < repetitions; ++r) {
            window.newCommand();  // the previous editor goes first, untimed
            QCoreApplication::processEvents();
            dialogs.messages = 0;  // the New command above may have asked to save
            opening.add(timeOf([&] { window.openCommand(); }));
            sound = sound && sameDescription(window.systemDocument().system(), c.system) &&
                    dialogs.messages == 0;

            farvik::frmdatos* editor = window.dataEditor();
            if (!editor) return 3;
            dialogs.messages = 0;
            front.add(timeOf([&] {
                c.front(*editor)->pressDown();
                c.front(*editor)->pressUp();
            }));
            frontSound = frontSound && dialogs.messages == 0 &&
                         sameDescription(window.systemDocument().system(), afterFront(c.system));
            // Undo and redo of those two clicks: the editor shows the whole system anew
            // four times.
            QUndoStack& history = window.systemDocument().history();
            undoRedo.add(timeOf([&] {
                history.undo();
                history.undo();
                history.redo();
                history.redo();
            }));
            frontSound = frontSound && sameDescription(editor->system(), afterFront(c.system));
        }
        report(c.name, opening, sound);
        report(c.frontName, front, frontSound);
        report("  the same undone twice and redone twice", undoRedo, frontSound);
    }
    farvik::setDialogs(nullptr);
    return 0;
}
