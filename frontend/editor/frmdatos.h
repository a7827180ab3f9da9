#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "document/system_data.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabBar;

namespace farvik {

class SystemDocument;

namespace editor {
class FilteredLineEdit;
class RowList;
class SpinArrows;
}  // namespace editor

// The data editor "Datos": the structure, the elements with their distributions and
// parameters, the paths of a general system, the redundancy choice, the seed and the number
// of trials. It shows the system of a document and writes every edit into it as one step of
// its history (the keys typed into one box make one step); when the document's system is
// replaced (an undo, a redo, another document) the editor shows it anew. Controls carry
// their names as object names; rows of the four lists are numbered from 1, e.g.
// "txtelemsubs(3)".
class frmdatos : public QWidget {
    Q_OBJECT
  public:
    // Shows the document's system and follows the document from then on.
    explicit frmdatos(SystemDocument& document, QWidget* parent = nullptr);
    ~frmdatos() override;

    // Builds the rows and fills every control from the system, reusing the rows already
    // there; nothing of it is an edit. The focus stays on the control that has it when that
    // control is still shown.
    void load(const SystemData& system);
    // The system the editor shows.
    const SystemData& system() const { return data_; }

    // Up arrows. Each expects its count (subsystemCount and txtsubsistemas, txtelemsubs(i),
    // pathCount and txtcaminos, txtelemcams(p)) already raised by one; it adds one subsystem
    // (general structure: one element), element, path or path entry, or applies the limit.
    void udsubsistemas_UpClick();
    void udelemsubs_UpClick(int i);
    void udcaminos_UpClick();
    void udelemcams_UpClick(int p);
    // Down arrows: the same with the count already lowered by one.
    void udsubsistemas_DownClick();
    void udelemsubs_DownClick(int i);
    void udcaminos_DownClick();
    void udelemcams_DownClick(int p);

    // A click on structure option t (1..5), on redundancy option i (1 "Si", 0 "No"), on a tab.
    void optsistemas_Click(int t);
    void optred_Click(int i);
    void tabb_Click();

    // Controls. Row accessors return nullptr for a row that does not exist.
    QRadioButton* optsistemas(int t) const;
    QRadioButton* optred(int i) const;
    QLineEdit* txtsemilla() const { return txtsemilla_; }
    editor::SpinArrows* udsemilla() const { return udsemilla_; }
    QLineEdit* txtpruebas() const;
    editor::SpinArrows* udpruebas() const { return udpruebas_; }
    QTabBar* tabb() const { return tabb_; }
    QLineEdit* txtsubsistemas() const { return txtsubsistemas_; }
    editor::SpinArrows* udsubsistemas() const { return udsubsistemas_; }
    QLineEdit* txtcaminos() const { return txtcaminos_; }
    editor::SpinArrows* udcaminos() const { return udcaminos_; }
    QLineEdit* txtelemsubs(int i) const;
    editor::SpinArrows* udelemsubs(int i) const;
    QLineEdit* txtelemcams(int p) const;
    editor::SpinArrows* udelemcams(int p) const;
    QLabel* lbsubselem(int k) const;
    QComboBox* cmbfallo(int k) const;
    QLineEdit* txtparam1(int k) const { return txtparam(1, k); }
    QLineEdit* txtparam2(int k) const { return txtparam(2, k); }
    QLineEdit* txtparam3(int k) const { return txtparam(3, k); }
    QLineEdit* txtparam(int n, int k) const;
    QLineEdit* txtcamino(int e) const;
    QLabel* lbcamino(int p) const;
    // The read-only mean life to the right of element row k.
    QLabel* meanLife(int k) const;

    // Selects element row k (or path-entry row e) as a click on the diagram asks: the list
    // scrolls to it, the tab that holds it is shown and its first control takes the focus.
    void selectElementRow(int k);
    void selectPathEntryRow(int e);

    // The element of the row that has the focus (its distribution or a parameter), or of the
    // path entry that has it (the element whose key the document's entry holds): the index of
    // its row; 0 when the focus is on no element.
    int focusedElementRow() const;

    // The four row counters.
    int subsystemRows() const { return static_cast<int>(subsystemRows_.size()); }
    int elementRows() const { return static_cast<int>(elementRows_.size()); }
    int pathRows() const { return static_cast<int>(pathRows_.size()); }
    int pathEntryRows() const { return static_cast<int>(pathEntryRows_.size()); }

    // The controls Tab walks, in that order: the left column, the tab strip, then the
    // panes in sight, row by row; only controls that are shown and enabled.
    std::vector<QWidget*> tabStops() const;

  signals:
    // After every edit of the user (the document has it).
    void edited();

  protected:
    bool focusNextPrevChild(bool next) override;

  private:
    struct CountRow {  // a subsystem row or a path row
        QWidget* row;
        QLineEdit* count;
        editor::SpinArrows* arrows;
    };
    struct ElementRow {
        QWidget* row;
        QLabel* name;
        QComboBox* distribution;
        editor::FilteredLineEdit* params[3];
        QLabel* meanLife = nullptr;
        // The element the row shows: element index of subsystem subsystem.
        int subsystem = 0;
        int index = 0;
    };
    struct PathEntryRow {
        QWidget* row;
        editor::FilteredLineEdit* key;
        QLabel* pathLabel;  // on the first entry of a path only
        int path;
    };
    // Where the controls of a row sit, in pixels from the row's left edge.
    struct Columns {
        int countCaption, countNumber, countColon, countBox, countArrows, countEnd;
        int elementName, elementList, elementParam[3], elementLife, elementEnd;
        int entryPath, entryKey, entryEnd;
        int captionWidth, numberWidth, boxWidth, nameWidth, listWidth, paramWidth, lifeWidth;
        int listWidthTotal;
    };

    // Window building (frmdatos_layout.cpp).
    void measureColumns();
    QWidget* buildLeftColumn();
    QWidget* buildPanes();
    QGroupBox* buildSubsystemPane();
    QGroupBox* buildElementPane();
    QGroupBox* buildPathPane();
    QGroupBox* buildPathEntryPane();
    QLabel* rowLabel(QWidget* row, const QString& name, const QString& text, int x, int width,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    void placeInRow(QWidget* control, int x, int width);

    // Rows (frmdatos_rows.cpp).
    CountRow makeCountRow(bool subsystem, int r);  // a subsystem row, or else a path row
    void addSubsystemRow();
    void removeSubsystemRow();
    void addElementRow(int i, int j);
    void removeElementRow();
    // An existing row k is to show element j of subsystem i: it takes the element's name
    // and, when it showed another element, is left as a new row would be for
    // syncElementRow to fill.
    void reuseElementRow(int k, int i, int j);
    void addPathRow();
    void removePathRow();
    void addPathEntryRow(bool firstOfPath, int p, int j);
    void removePathEntryRow();
    // An existing row e becomes an entry of path p, with the path's label when it is the
    // first one; its key box follows by syncPathEntryRow.
    void reusePathEntryRow(int e, bool firstOfPath, int p);
    QString elementName(int i, int j) const;

    // Counts (frmdatos_counts.cpp).
    // Runs the data step, then fills the element rows from the first element of subsystem
    // from on again from their records, with keys renumbered in order; the rows there are
    // reused and only the row gained or lost at the end is built or destroyed.
    void rebuildElementRows(int from, const std::function<void()>& dataStep);
    void rebuildPathEntryRows(int from, const std::function<void()>& dataStep);
    void showLimit(const QString& text);

    // Element and path-entry values (frmdatos_values.cpp).
    void distributionChosen(int k, int position);
    void paramTextChanged(int k, int n, const QString& text);
    void pathEntryTextChanged(int e, const QString& text);
    void syncElementRow(bool load, int k, int i, int j);
    void syncPathEntryRow(bool load, int e, int p, int j);

    // What the values mean and which the engine would refuse (frmdatos_marks.cpp): the
    // tooltips, placeholders and mean life of element row k, from its record; the red frames
    // of the path entries and of the trials box, from the whole description.
    void refreshElementHints(int k);
    void refreshValueMarks();

    // Structure and simulation settings (frmdatos.cpp).
    void applyStructureView(int t);
    void seedTextChanged(const QString& text);
    void trialsTextChanged(const QString& text);
    // Hands the edit just made to the document as one step of its history; edits with the
    // same nonzero field one after another (keys typed into one box) make one step. An edit
    // that leaves the system as it was (a refused key, a limit reached) still marks the
    // document modified.
    void commit(int field = 0);
    // The fields of commit(): every box that takes keys has its own.
    enum Field { kNoField = 0, kSeedField = 1, kTrialsField = 2 };
    static int paramField(int k, int n) { return 16 + k * 4 + n; }
    static int pathEntryField(int e) { return 1 << 20 | e; }

    // load(), list by list (frmdatos_load.cpp).
    void loadSubsystemRows();
    void loadElementRows();
    void loadPathRows();
    void loadPathEntryRows();

    SystemDocument& document_;
    // The system as the editor shows it; each edit changes it first, then goes to the
    // document.
    SystemData data_;
    // The structure option clicked last, so that clicking the selected option again does
    // nothing.
    int lastSystemType_ = 0;
    // While the program fills controls from data_ (load(), the rows of a count changed):
    // their change handlers neither edit nor commit, so that one edit of the user is one
    // step and no text shown is read back into the value it shows.
    bool filling_ = false;
    struct Filling {
        explicit Filling(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
        ~Filling() { flag_ = was_; }
        bool& flag_;
        bool was_;
    };
    Columns columns_{};
    int pitch_ = 0;             // pixels between two rows of a list
    int boxHeight_ = 0;         // of a text box in a row, once the first one is placed
    int listHeight_ = 0;        // of a distribution list in a row, the same
    bool generalView_ = false;  // structure option 5 is the one selected

    std::vector<QRadioButton*> optsistemas_;  // index 1..5
    QRadioButton* optred_[2] = {nullptr, nullptr};
    QLineEdit* txtsemilla_ = nullptr;
    editor::SpinArrows* udsemilla_ = nullptr;
    editor::FilteredLineEdit* txtpruebas_ = nullptr;
    editor::SpinArrows* udpruebas_ = nullptr;
    QTabBar* tabb_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QGroupBox* frame11_ = nullptr;
    QGroupBox* frame22_ = nullptr;
    QLabel* label3_ = nullptr;
    QLineEdit* txtsubsistemas_ = nullptr;
    editor::SpinArrows* udsubsistemas_ = nullptr;
    QLineEdit* txtcaminos_ = nullptr;
    editor::SpinArrows* udcaminos_ = nullptr;
    editor::RowList* subsystemList_ = nullptr;
    editor::RowList* elementList_ = nullptr;
    editor::RowList* pathList_ = nullptr;
    editor::RowList* pathEntryList_ = nullptr;

    std::vector<CountRow> subsystemRows_;  // row r at index r - 1
    std::vector<ElementRow> elementRows_;
    std::vector<CountRow> pathRows_;
    std::vector<PathEntryRow> pathEntryRows_;
};

}  // namespace farvik
