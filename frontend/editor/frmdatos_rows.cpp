// The rows of the four lists: created and destroyed one at a time at the end of their list.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "distribution_names.h"
#include "document/number_text.h"
#include "document/system_data.h"
#include "editor_limits.h"
#include "filtered_line_edit.h"
#include "frmdatos.h"
#include "key_filters.h"
#include "row_list.h"
#include "spin_arrows.h"

namespace farvik {

using editor::FilteredLineEdit;
using editor::RowList;
using editor::SpinArrows;

namespace {

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

template <typename Row>
const Row* rowAt(const std::vector<Row>& rows, int r) {
    return r >= 1 && r <= static_cast<int>(rows.size()) ? &rows[static_cast<std::size_t>(r - 1)]
                                                        : nullptr;
}

}  // namespace

frmdatos::CountRow frmdatos::makeCountRow(bool subsystem, int r) {
    RowList* list = subsystem ? subsystemList_ : pathList_;
    auto* row = new QWidget(list->rowFrame());
    const Columns& c = columns_;
    const QString caption = subsystem ? QStringLiteral("Nº elementos en subsistema")
                                      : QStringLiteral("Nº elementos serie en camino");
    rowLabel(row, indexed(subsystem ? "lbscroll1" : "lbscroll11", r), caption, c.countCaption,
             c.captionWidth);
    rowLabel(row, indexed(subsystem ? "lbnumsubsistema" : "lbnumcamino", r), QString::number(r),
             c.countNumber, c.numberWidth, Qt::AlignRight | Qt::AlignVCenter);
    rowLabel(row, indexed(subsystem ? "lbscroll2" : "lbscroll21", r), QStringLiteral(":"),
             c.countColon, c.countBox - c.countColon, Qt::AlignCenter);

    auto* count = new QLineEdit(QStringLiteral("1"), row);
    count->setObjectName(indexed(subsystem ? "txtelemsubs" : "txtelemcams", r));
    count->setReadOnly(true);
    count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    placeInRow(count, c.countBox, c.boxWidth);

    auto* arrows = new SpinArrows(row);
    arrows->setObjectName(indexed(subsystem ? "udelemsubs" : "udelemcams", r));
    const int limit = subsystem ? editor::kMaxElementsPerSubsystem : editor::kMaxEntriesPerPath;
    arrows->setRange(0, limit + 1);
    arrows->setStep(1);
    arrows->setBuddy(count);
    arrows->setGeometry(c.countArrows, count->y(), 16, count->height());

    list->placeRow(row, r);
    list->rowAdded(r);
    row->show();
    return {row, count, arrows};
}

void frmdatos::addSubsystemRow() {
    const int r = subsystemRows() + 1;
    CountRow row = makeCountRow(true, r);
    connect(row.arrows, &SpinArrows::upClick, this, [this, r] { udelemsubs_UpClick(r); });
    connect(row.arrows, &SpinArrows::downClick, this, [this, r] { udelemsubs_DownClick(r); });
    subsystemRows_.push_back(row);
}

void frmdatos::removeSubsystemRow() {
    if (subsystemRows_.empty()) return;
    const CountRow last = subsystemRows_.back();
    subsystemList_->rowRemoved();
    // The elements of the subsystem are the last element rows.
    SystemData& data = data_;
    for (int c = toInt16(last.count->text()); c > 0 && elementRows() > 0; --c) {
        removeElementRow();
        --data.elementCount;
    }
    subsystemRows_.pop_back();
    delete last.row;
}

QString frmdatos::elementName(int i, int j) const {
    // In a general system every subsystem is one element: its number names it.
    return generalView_ ? QString::number(i) : QStringLiteral("%1-%2").arg(i).arg(j);
}

void frmdatos::addElementRow(int i, int j) {
    const int k = elementRows() + 1;
    const Columns& c = columns_;
    auto* row = new QWidget(elementList_->rowFrame());
    ElementRow element{row, nullptr, nullptr, {}};
    element.name =
        rowLabel(row, indexed("lbsubselem", k), elementName(i, j), c.elementName, c.nameWidth);

    element.distribution = new QComboBox(row);
    element.distribution->setObjectName(indexed("cmbfallo", k));
    element.distribution->addItems(editor::distributionNames());
    element.distribution->setCurrentIndex(-1);  // nothing chosen yet
    placeInRow(element.distribution, c.elementList, c.listWidth);
    connect(element.distribution, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this, k](int position) { distributionChosen(k, position); });

    for (int n = 1; n <= 3; ++n) {
        auto* box = new FilteredLineEdit(QStringLiteral("0"), row);
        box->setObjectName(indexed(n == 1 ? "txtparam1" : n == 2 ? "txtparam2" : "txtparam3", k));
        box->setKeyFilter([](int& key, const QString& text) {
            editor::validanumfloat(editor::kParamTypedLength, key, text);
        });
        box->setTextGuard(
            [](const QString& text) { return text.size() <= editor::kParamTypedLength; });
        placeInRow(box, c.elementParam[n - 1], c.paramWidth);
        box->setVisible(n == 1);  // boxes 2 and 3 wait for a distribution
        connect(box, &QLineEdit::textChanged, this,
                [this, k, n](const QString& text) { paramTextChanged(k, n, text); });
        connect(box, &FilteredLineEdit::keyPressed, this,
                [this, k, n] { commit(paramField(k, n)); });
        element.params[n - 1] = box;
    }

    element.meanLife = rowLabel(row, indexed("meanLife", k), QString(), c.elementLife, c.lifeWidth);

    element.subsystem = i;
    element.index = j;
    elementList_->placeRow(row, k);
    elementList_->rowAdded(k);
    row->show();
    elementRows_.push_back(element);
}

void frmdatos::removeElementRow() {
    if (elementRows_.empty()) return;
    elementList_->rowRemoved();
    QWidget* row = elementRows_.back().row;
    elementRows_.pop_back();
    delete row;
}

void frmdatos::reuseElementRow(int k, int i, int j) {
    ElementRow& row = elementRows_[static_cast<std::size_t>(k - 1)];
    if (row.subsystem == i && row.index == j) return;  // it shows that element already
    row.subsystem = i;
    row.index = j;
    row.name->setText(elementName(i, j));
    // Loading chooses the distribution first, and choosing "Exponencial" sets boxes 2 and 3
    // to "0", which stores 0 in the element that has the key: the old element's texts
    // must not be taken for a change of the new one's. Nothing is chosen in a new row and
    // its boxes show "0".
    const QSignalBlocker quietList(row.distribution);
    row.distribution->setCurrentIndex(-1);
    for (FilteredLineEdit* box : row.params) {
        const QSignalBlocker quietBox(box);
        box->setText(QStringLiteral("0"));
    }
}

void frmdatos::addPathRow() {
    const int r = pathRows() + 1;
    CountRow row = makeCountRow(false, r);
    connect(row.arrows, &SpinArrows::upClick, this, [this, r] { udelemcams_UpClick(r); });
    connect(row.arrows, &SpinArrows::downClick, this, [this, r] { udelemcams_DownClick(r); });
    pathRows_.push_back(row);
}

void frmdatos::removePathRow() {
    if (pathRows_.empty()) return;
    const CountRow last = pathRows_.back();
    pathList_->rowRemoved();
    SystemData& data = data_;
    for (int c = toInt16(last.count->text()); c > 0 && pathEntryRows() > 0; --c) {
        removePathEntryRow();
        --data.pathEntryCount;
    }
    pathRows_.pop_back();
    delete last.row;
}

void frmdatos::addPathEntryRow(bool firstOfPath, int p, int /*j*/) {
    const int e = pathEntryRows() + 1;
    const Columns& c = columns_;
    auto* row = new QWidget(pathEntryList_->rowFrame());
    PathEntryRow entry{row, nullptr, nullptr, p};
    if (firstOfPath)
        entry.pathLabel = rowLabel(row, indexed("lbcamino", p), QString::number(p), c.entryPath,
                                   c.entryKey - c.entryPath);

    entry.key = new FilteredLineEdit(QStringLiteral("0"), row);
    entry.key->setObjectName(indexed("txtcamino", e));
    entry.key->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    entry.key->setKeyFilter([](int& key, const QString&) { editor::validanumint(key); });
    entry.key->setTextGuard(
        [](const QString& text) { return text.size() <= editor::kPathEntryTypedLength; });
    placeInRow(entry.key, c.entryKey, c.boxWidth);
    connect(entry.key, &QLineEdit::textChanged, this,
            [this, e](const QString& text) { pathEntryTextChanged(e, text); });
    connect(entry.key, &FilteredLineEdit::keyPressed, this,
            [this, e] { commit(pathEntryField(e)); });

    pathEntryList_->placeRow(row, e);
    pathEntryList_->rowAdded(e);
    row->show();
    pathEntryRows_.push_back(entry);
}

void frmdatos::removePathEntryRow() {
    if (pathEntryRows_.empty()) return;
    pathEntryList_->rowRemoved();
    QWidget* row = pathEntryRows_.back().row;  // takes the path's label with it
    pathEntryRows_.pop_back();
    delete row;
}

void frmdatos::reusePathEntryRow(int e, bool firstOfPath, int p) {
    PathEntryRow& entry = pathEntryRows_[static_cast<std::size_t>(e - 1)];
    entry.path = p;
    if (!firstOfPath) {
        delete entry.pathLabel;
        entry.pathLabel = nullptr;
        return;
    }
    const QString name = indexed("lbcamino", p);
    if (entry.pathLabel) {
        entry.pathLabel->setObjectName(name);
        entry.pathLabel->setText(QString::number(p));
        return;
    }
    const Columns& c = columns_;
    entry.pathLabel =
        rowLabel(entry.row, name, QString::number(p), c.entryPath, c.entryKey - c.entryPath);
    pathEntryList_->placeRow(entry.row, e);  // lets the new label work the list too
    entry.pathLabel->show();
}

QLineEdit* frmdatos::txtelemsubs(int i) const {
    const CountRow* row = rowAt(subsystemRows_, i);
    return row ? row->count : nullptr;
}

SpinArrows* frmdatos::udelemsubs(int i) const {
    const CountRow* row = rowAt(subsystemRows_, i);
    return row ? row->arrows : nullptr;
}

QLineEdit* frmdatos::txtelemcams(int p) const {
    const CountRow* row = rowAt(pathRows_, p);
    return row ? row->count : nullptr;
}

SpinArrows* frmdatos::udelemcams(int p) const {
    const CountRow* row = rowAt(pathRows_, p);
    return row ? row->arrows : nullptr;
}

QLabel* frmdatos::lbsubselem(int k) const {
    const ElementRow* row = rowAt(elementRows_, k);
    return row ? row->name : nullptr;
}

QComboBox* frmdatos::cmbfallo(int k) const {
    const ElementRow* row = rowAt(elementRows_, k);
    return row ? row->distribution : nullptr;
}

QLineEdit* frmdatos::txtparam(int n, int k) const {
    const ElementRow* row = rowAt(elementRows_, k);
    return row && n >= 1 && n <= 3 ? row->params[n - 1] : nullptr;
}

QLabel* frmdatos::meanLife(int k) const {
    const ElementRow* row = rowAt(elementRows_, k);
    return row ? row->meanLife : nullptr;
}

QLineEdit* frmdatos::txtcamino(int e) const {
    const PathEntryRow* row = rowAt(pathEntryRows_, e);
    return row ? row->key : nullptr;
}

QLabel* frmdatos::lbcamino(int p) const {
    for (const PathEntryRow& row : pathEntryRows_)
        if (row.path == p && row.pathLabel) return row.pathLabel;
    return nullptr;
}

}  // namespace farvik
