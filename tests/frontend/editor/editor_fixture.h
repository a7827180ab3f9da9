#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "document/system_data.h"
#include "document/system_document.h"
#include "editor/frmdatos.h"
#include "editor/spin_arrows.h"
#include "scripted_dialogs.h"

// A fresh editor on a new document per test, found control by control through the object
// names; edits counts the edits the editor reported.
class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        editor = std::make_unique<farvik::frmdatos>(document);
        QObject::connect(editor.get(), &farvik::frmdatos::edited, [this] { ++edits; });
        editor->show();
    }

    template <typename T = QWidget>
    T* control(const QString& name) const {
        T* widget = editor->findChild<T*>(name, Qt::FindChildrenRecursively);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QLineEdit* box(const QString& name) const { return control<QLineEdit>(name); }
    QString text(const QString& name) const { return box(name)->text(); }
    QString label(const QString& name) const { return control<QLabel>(name)->text(); }
    QString choice(int k) const {
        return control<QComboBox>(QStringLiteral("cmbfallo(%1)").arg(k))->currentText();
    }

    // One press of an arrow of a spin control, through its button.
    void up(const QString& spin, int times = 1) {
        for (int n = 0; n < times; ++n)
            control<farvik::editor::SpinArrows>(spin)->upButton()->click();
    }
    void down(const QString& spin, int times = 1) {
        for (int n = 0; n < times; ++n)
            control<farvik::editor::SpinArrows>(spin)->downButton()->click();
    }

    void type(const QString& name, const QString& keys) { QTest::keyClicks(box(name), keys); }
    void backspace(const QString& name, int times = 1) {
        for (int n = 0; n < times; ++n) QTest::keyClick(box(name), Qt::Key_Backspace);
    }
    // Empties a box the way the program does (an empty text stores nothing).
    void clear(const QString& name) { box(name)->setText(QString()); }

    void chooseStructure(int t) {
        control<QAbstractButton>(QStringLiteral("optsistemas(%1)").arg(t))->click();
    }
    // As after a save: the document holds what its file holds.
    void markClean() {
        document.setModified(false);
        edits = 0;
    }

    // The system as the document has it: every edit of the editor goes there.
    const farvik::SystemData& data() const { return document.system(); }
    const farvik::ElementRec& element(int i, int j) const {
        return data()
            .subsystems.at(static_cast<std::size_t>(i))
            .elements.at(static_cast<std::size_t>(j));
    }
    const farvik::ElementRec& entry(int p, int j) const {
        return data()
            .paths.at(static_cast<std::size_t>(p))
            .elements.at(static_cast<std::size_t>(j));
    }

    farvik::SystemDocument document;
    int edits = 0;
    farvik::ScriptedDialogs dialogs;
    std::unique_ptr<farvik::frmdatos> editor;
};
