#include "system_document.h"

#include <QUndoCommand>

namespace farvik {

// One step of the history: the whole system before and after it. A system is small (at most
// a few thousand elements), so whole copies keep every step exact and simple.
class SystemEdit : public QUndoCommand {
  public:
    static constexpr int kId = 0x5e1;

    SystemEdit(SystemDocument& document, SystemData before, SystemData after, const QString& what,
               int field, bool shown)
        : QUndoCommand(what),
          document_(document),
          before_(std::move(before)),
          after_(std::move(after)),
          field_(field),
          shown_(shown) {}

    void undo() override { document_.apply(before_, false); }
    void redo() override {
        // The first redo is the push of an edit the editor already shows.
        document_.apply(after_, shown_);
        shown_ = false;
    }
    int id() const override { return field_ != 0 ? kId : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const SystemEdit*>(other);
        if (next->field_ != field_) return false;
        after_ = next->after_;
        // Typed back to where it began: no step left.
        setObsolete(after_ == before_);
        return true;
    }

  private:
    SystemDocument& document_;
    SystemData before_;
    SystemData after_;
    int field_;
    bool shown_;
};

SystemDocument::SystemDocument(QObject* parent) : QObject(parent), system_(newSystemData()) {
    connect(&history_, &QUndoStack::cleanChanged, this, [this] { updateModified(); });
    // A step done, undone or redone: the history alone says whether the document differs
    // from its file (undoing to the saved state clears the mark of a key that changed
    // nothing).
    connect(&history_, &QUndoStack::indexChanged, this, [this] {
        forcedModified_ = false;
        updateModified();
    });
}

SystemDocument::~SystemDocument() {
    // The history empties itself as it goes and says so: nobody is told any more.
    history_.disconnect();
}

void SystemDocument::begin(const SystemData& system, const QString& fileName) {
    history_.clear();
    forcedModified_ = false;
    system_ = system;
    setFileName(fileName);
    setResultsAreOwn(false);
    updateModified();
    emit systemChanged();
    emit systemReplaced();
}

void SystemDocument::setFileName(const QString& fileName) {
    if (fileName == fileName_) return;
    fileName_ = fileName;
    emit fileNameChanged(fileName_);
}

void SystemDocument::setModified(bool modified) {
    forcedModified_ = modified;
    if (!modified) history_.setClean();
    updateModified();
}

void SystemDocument::setResultsAreOwn(bool own) {
    if (own == resultsAreOwn_) return;
    resultsAreOwn_ = own;
    emit resultsAreOwnChanged(own);
}

void SystemDocument::edit(const SystemData& after, const QString& what) {
    push(after, what, 0, false);
}

bool SystemDocument::editElement(int key, const ElementRec& element, const QString& what,
                                 bool pathEntry) {
    SystemData after = system_;
    ElementRec* target = pathEntry ? findPathEntryByKey(after, key) : findElementByKey(after, key);
    if (!target) return false;
    *target = element;
    target->key = static_cast<std::int16_t>(key);  // the key is the row's, not the caller's
    edit(after, what);
    return true;
}

void SystemDocument::recordEdit(const SystemData& after, const QString& what, int field) {
    push(after, what, field, true);
}

void SystemDocument::push(const SystemData& after, const QString& what, int field, bool shown) {
    if (after == system_) return;
    history_.push(new SystemEdit(*this, system_, after, what, field, shown));
}

void SystemDocument::apply(const SystemData& system, bool shown) {
    system_ = system;
    // Results come from the system as it was run; an edit leaves them behind, and only a
    // run gives the document results of its own again.
    setResultsAreOwn(false);
    emit systemChanged();
    if (!shown) emit systemReplaced();
}

void SystemDocument::updateModified() {
    const bool now = isModified();
    if (now == modified_) return;
    modified_ = now;
    emit modifiedChanged(now);
}

}  // namespace farvik
