#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "system_data.h"

namespace farvik {

// The document being edited, without any window: the system, the file it was read from or
// written to, whether it holds changes not in that file, whether the results in the file's
// folder are its own, and the history of its edits for undo and redo. Every change is told
// by a signal, so that the editor, the caption and the commands follow it.
class SystemDocument : public QObject {
    Q_OBJECT
  public:
    explicit SystemDocument(QObject* parent = nullptr);
    ~SystemDocument() override;

    const SystemData& system() const { return system_; }
    // Full path; empty while the document is untitled.
    const QString& fileName() const { return fileName_; }
    bool isModified() const { return forcedModified_ || !history_.isClean(); }
    // The result files in the folder of fileName() come from a run of this very document.
    bool resultsAreOwn() const { return resultsAreOwn_; }
    QUndoStack& history() { return history_; }

    // Begins another document (New, or a file read whole): its system and file, unmodified,
    // with an empty history and no results of its own.
    void begin(const SystemData& system, const QString& fileName = QString());

    void setFileName(const QString& fileName);
    // false: what the document holds now is what its file holds (after a save). true: it
    // holds changes whatever the history says, until the next step of the history.
    void setModified(bool modified);
    void setResultsAreOwn(bool own);

    // An edit made outside the editor (a whole element, a whole system): one step of the
    // history; the editor shows the system anew. An edit that changes nothing is no step.
    void edit(const SystemData& after, const QString& what);
    // Replaces the element (or path entry, with `pathEntry`) that has the key, as one step.
    // False when no element has that key.
    bool editElement(int key, const ElementRec& element, const QString& what,
                     bool pathEntry = false);
    // An edit the editor made and already shows. Edits with the same nonzero `field` one
    // after another (the keys typed into one box) make one step.
    void recordEdit(const SystemData& after, const QString& what, int field = 0);

  signals:
    // After every change of the system: an edit, an undo, a redo, a new document.
    void systemChanged();
    // The system changed by other means than the editor's own edit: it must be shown anew.
    void systemReplaced();
    void fileNameChanged(const QString& fileName);
    void modifiedChanged(bool modified);
    void resultsAreOwnChanged(bool own);

  private:
    friend class SystemEdit;
    void push(const SystemData& after, const QString& what, int field, bool shown);
    // Sets the system as an undo step leaves it.
    void apply(const SystemData& system, bool shown);
    void updateModified();

    SystemData system_;
    QString fileName_;
    bool forcedModified_ = false;
    bool modified_ = false;  // as last told
    bool resultsAreOwn_ = false;
    QUndoStack history_;
};

}  // namespace farvik
