#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QByteArray>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "document/system_data.h"
#include "editor/frmdatos.h"
#include "editor/spin_arrows.h"
#include "handwritten_data_file.h"
#include "qstring_printer.h"
#include "scripted_dialogs.h"
#include "shell/main_window.h"

// A main window with its data editor, a folder for data files, and the editor driven the way
// a user drives it: arrows pressed, lists chosen, boxes filled.
class DocumentTest : public ::testing::Test {
  public:  // also for lambdas that drive the window during a run
    void SetUp() override {
        ASSERT_TRUE(settings_.isValid() && folder.isValid());
        window = std::make_unique<farvik::frmMain>(
            farvik::SettingsStore(settings_.filePath(QStringLiteral("Omvira.conf"))));
        window->setProgramEnd([this] { ++programEnds; });
        window->show();
    }

    farvik::frmdatos& ed() const {
        farvik::frmdatos* editor = window->dataEditor();
        EXPECT_NE(editor, nullptr);
        return *editor;
    }
    // The system of the window's document.
    const farvik::SystemData& data() const { return window->systemDocument().system(); }
    QString path(const QString& name) const { return folder.filePath(name); }

    // Editing.
    void structure(int t) { ed().optsistemas(t)->click(); }
    void redundancy(bool yes) { ed().optred(yes ? 1 : 0)->click(); }
    void subsystems(int n) {
        for (int i = 1; i < n; ++i) ed().udsubsistemas()->pressUp();
    }
    void elementsIn(int i, int n) {
        for (int e = 1; e < n; ++e) ed().udelemsubs(i)->pressUp();
    }
    void paths(int n) {
        for (int i = 1; i < n; ++i) ed().udcaminos()->pressUp();
    }
    void entriesIn(int p, int n) {
        for (int e = 1; e < n; ++e) ed().udelemcams(p)->pressUp();
    }
    // Element row k: distribution position and the parameter texts.
    void element(int k, int distribution, const QStringList& params) {
        ed().cmbfallo(k)->setCurrentIndex(distribution);
        for (int n = 1; n <= params.size(); ++n) ed().txtparam(n, k)->setText(params[n - 1]);
    }
    void entry(int e, int key) { ed().txtcamino(e)->setText(QString::number(key)); }
    void seedUp(int times) {
        for (int i = 0; i < times; ++i) ed().udsemilla()->pressUp();
    }
    void trials(const QString& text) { ed().txtpruebas()->setText(text); }

    // File commands, answered through the scripted dialogs.
    bool saveAs(const QString& file) {
        dialogs.chooseFile(file);
        return window->saveAs();
    }
    void open(const QString& file) {
        dialogs.chooseFile(file);
        window->openCommand();
    }
    bool buttonOn(const char* key) const {
        return window->toolbarButton(QString::fromLatin1(key))->isEnabled();
    }

    static QByteArray readFile(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void writeFile(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << file.toStdString();
        f.write(bytes);
    }
    // A data file from its lines in code page 1252, each ended by CR LF.
    static void writeLines(const QString& file, const handwritten::Lines& lines) {
        writeFile(file, QByteArray::fromStdString(handwritten::file(lines)));
    }

    // Everything a system holds that a file can carry, one line per item, so that two
    // descriptions compare with a readable difference.
    static std::string describe(const farvik::SystemData& d) {
        std::string out = "type " + std::to_string(d.systemType) + " redundancy " +
                          std::to_string(d.redundancyStudy) + " trials " +
                          std::to_string(d.trialCount) + " seed " + std::to_string(d.seed) +
                          "\nsubsystems " + std::to_string(d.subsystemCount) + " elements " +
                          std::to_string(d.elementCount) + " paths " + std::to_string(d.pathCount) +
                          " entries " + std::to_string(d.pathEntryCount) + "\n";
        auto groups = [&out](const char* what, const std::vector<farvik::SubsystemRec>& g,
                             int count) {
            for (int i = 1; i <= count && i < static_cast<int>(g.size()); ++i) {
                const farvik::SubsystemRec& group = g[static_cast<std::size_t>(i)];
                out += std::string(what) + " " + std::to_string(i) + ": count " +
                       std::to_string(group.count) + "\n";
                for (int j = 1; j <= group.count && j < static_cast<int>(group.elements.size());
                     ++j) {
                    const farvik::ElementRec& e = group.elements[static_cast<std::size_t>(j)];
                    char params[100];
                    std::snprintf(params, sizeof params, "%.17g %.17g %.17g", e.params[1],
                                  e.params[2], e.params[3]);
                    out += "  key " + std::to_string(e.key) + " dist " +
                           std::to_string(e.distribution) + " params " + params + "\n";
                }
            }
        };
        groups("subsystem", d.subsystems, d.subsystemCount);
        groups("path", d.paths, d.pathCount);
        return out;
    }

    farvik::ScriptedDialogs dialogs;
    QTemporaryDir settings_;
    QTemporaryDir folder;
    std::unique_ptr<farvik::frmMain> window;
    int programEnds = 0;
};
