// Large systems grown one step at a time, as the file reader grows them, then changed at the
// front of their lists: every row, key, label, value and record is checked against a plain
// model of the groups after each change.
#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <vector>

#include "editor_fixture.h"

namespace {

using farvik::editor::SpinArrows;

// What one element (or path entry) holds: the distribution position and three parameters
// (a path entry uses the first parameter for its element key).
struct Value {
    int distribution = 0;
    double params[3] = {0, 0, 0};
};
using Groups = std::vector<std::vector<Value>>;  // group i - 1, element j - 1

int total(const Groups& groups) {
    int n = 0;
    for (const auto& group : groups) n += static_cast<int>(group.size());
    return n;
}

class GrowthTest : public EditorTest {
  protected:
    // One press of an up arrow.
    void subsystemStep() { editor->udsubsistemas()->pressUp(); }
    void elementStep(int i) { editor->udelemsubs(i)->pressUp(); }
    void pathStep() { editor->udcaminos()->pressUp(); }
    void entryStep(int p) { editor->udelemcams(p)->pressUp(); }

    // No row control's name is left behind on another control.
    void namesAreUnique() {
        static const QRegularExpression rowName(QStringLiteral("^\\w+\\(\\d+\\)$"));
        QHash<QString, int> seen;
        for (QWidget* child : editor->findChildren<QWidget*>())
            if (rowName.match(child->objectName()).hasMatch()) ++seen[child->objectName()];
        for (auto it = seen.begin(); it != seen.end(); ++it)
            EXPECT_EQ(it.value(), 1) << it.key().toStdString();
    }

    void elementsFollow(const Groups& model) {
        const farvik::SystemData& d = data();
        const int n = total(model);
        ASSERT_EQ(d.subsystemCount, static_cast<int>(model.size()));
        ASSERT_EQ(d.elementCount, n);
        ASSERT_EQ(editor->subsystemRows(), static_cast<int>(model.size()));
        ASSERT_EQ(editor->elementRows(), n);
        int k = 0;
        for (int i = 1; i <= static_cast<int>(model.size()); ++i) {
            const auto& group = model[static_cast<std::size_t>(i - 1)];
            EXPECT_EQ(editor->txtelemsubs(i)->text(), QString::number(group.size()));
            ASSERT_EQ(d.subsystems[static_cast<std::size_t>(i)].count,
                      static_cast<int>(group.size()));
            for (int j = 1; j <= static_cast<int>(group.size()); ++j) {
                const Value& v = group[static_cast<std::size_t>(j - 1)];
                const farvik::ElementRec& rec = element(i, j);
                ++k;
                SCOPED_TRACE(
                    QStringLiteral("element %1-%2, row %3").arg(i).arg(j).arg(k).toStdString());
                EXPECT_EQ(rec.key, k);
                EXPECT_EQ(rec.distribution, v.distribution);
                EXPECT_EQ(editor->lbsubselem(k)->text().toStdString(),
                          QStringLiteral("%1-%2").arg(i).arg(j).toStdString());
                EXPECT_EQ(editor->cmbfallo(k)->currentIndex(), v.distribution);
                for (int p = 1; p <= 3; ++p) {
                    const double value = v.params[p - 1];
                    EXPECT_EQ(rec.params[static_cast<std::size_t>(p)], value) << "parameter " << p;
                    EXPECT_EQ(editor->txtparam(p, k)->text().toStdString(),
                              QString::number(value).toStdString())
                        << "parameter " << p;
                }
                EXPECT_FALSE(editor->txtparam1(k)->isHidden());
                EXPECT_EQ(editor->txtparam2(k)->isHidden(), v.distribution == 0);
                EXPECT_TRUE(editor->txtparam3(k)->isHidden());
            }
        }
        auto* bar = control<QScrollBar>("VScroll2");
        EXPECT_EQ(bar->maximum(), std::max(0, n - 5));
        EXPECT_EQ(bar->isHidden(), n <= 5);
        namesAreUnique();
    }

    void entriesFollow(const Groups& model) {
        const farvik::SystemData& d = data();
        const int n = total(model);
        ASSERT_EQ(d.pathCount, static_cast<int>(model.size()));
        ASSERT_EQ(d.pathEntryCount, n);
        ASSERT_EQ(editor->pathRows(), static_cast<int>(model.size()));
        ASSERT_EQ(editor->pathEntryRows(), n);
        int e = 0;
        for (int p = 1; p <= static_cast<int>(model.size()); ++p) {
            const auto& path = model[static_cast<std::size_t>(p - 1)];
            EXPECT_EQ(editor->txtelemcams(p)->text(), QString::number(path.size()));
            ASSERT_EQ(d.paths[static_cast<std::size_t>(p)].count, static_cast<int>(path.size()));
            // The path's number stands beside its first entry.
            ASSERT_NE(editor->lbcamino(p), nullptr) << "path " << p;
            EXPECT_EQ(editor->lbcamino(p)->text(), QString::number(p));
            EXPECT_EQ(editor->lbcamino(p)->parentWidget(), editor->txtcamino(e + 1)->parentWidget())
                << "path " << p;
            for (int j = 1; j <= static_cast<int>(path.size()); ++j) {
                ++e;
                const double key = path[static_cast<std::size_t>(j - 1)].params[0];
                EXPECT_EQ(entry(p, j).key, e) << "path " << p << " entry " << j;
                EXPECT_EQ(entry(p, j).params[1], key) << "path " << p << " entry " << j;
                EXPECT_EQ(editor->txtcamino(e)->text().toStdString(),
                          QString::number(key).toStdString())
                    << "entry " << e;
            }
        }
        EXPECT_EQ(editor->lbcamino(static_cast<int>(model.size()) + 1), nullptr);
        EXPECT_EQ(control<QScrollBar>("VScroll22")->maximum(), std::max(0, n - 5));
        namesAreUnique();
    }

    // A change made with an arrow marks the document modified and refreshes the caption.
    template <typename Change>
    void edit(Change change) {
        markClean();
        change();
        EXPECT_TRUE(document.isModified());
        EXPECT_GT(edits, 0);
    }
};

// Distinct values for element k; some exponential ones carry a second parameter, as only a
// file can give them.
Value valueFor(int k) {
    Value v;
    v.distribution = (k * 3) % 5;
    v.params[0] = k + 0.5;
    v.params[1] = v.distribution != 0 ? 10.0 * k : (k % 3 == 0 ? 7 : 0);
    v.params[2] = k % 4 == 0 ? 0.25 : 0;
    return v;
}

TEST_F(GrowthTest, SubsystemsGrownOneStepAtATimeKeepEveryElement) {
    chooseStructure(4);
    Groups model;
    for (int i = 1; i <= 50; ++i) {
        if (i > 1) subsystemStep();
        const int count = (i * 7) % 20 + 1;
        for (int j = 2; j <= count; ++j) elementStep(i);
        model.push_back(std::vector<Value>(static_cast<std::size_t>(count)));
    }
    ASSERT_EQ(total(model), 515);
    elementsFollow(model);

    // Every element gets its own values through its row, as the reader fills them.
    int k = 0;
    for (auto& group : model)
        for (Value& v : group) {
            v = valueFor(++k);
            editor->cmbfallo(k)->setCurrentIndex(v.distribution);
            for (int p = 1; p <= 3; ++p)
                editor->txtparam(p, k)->setText(QString::number(v.params[p - 1]));
        }
    elementsFollow(model);

    // Changes at the front move every row after them by one.
    edit([&] { up("udelemsubs(1)"); });
    model[0].push_back(Value{});
    elementsFollow(model);

    edit([&] { down("udelemsubs(1)", 2); });
    model[0].resize(model[0].size() - 2);
    elementsFollow(model);

    edit([&] { down("udelemsubs(25)"); });
    model[24].pop_back();
    elementsFollow(model);

    edit([&] { down("udsubsistemas"); });
    model.pop_back();
    elementsFollow(model);

    edit([&] { up("udsubsistemas"); });
    model.push_back({Value{}});
    elementsFollow(model);

    // Subsystem 17 holds 20 elements: one more is refused, and nothing moves.
    ASSERT_EQ(model[16].size(), 20u);
    edit([&] { up("udelemsubs(17)"); });
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Número máximo de elementos = 20"});
    elementsFollow(model);
}

TEST_F(GrowthTest, PathsGrownOneStepAtATimeKeepEveryEntry) {
    chooseStructure(5);
    for (int i = 2; i <= 50; ++i) subsystemStep();
    Groups model;
    for (int p = 1; p <= 50; ++p) {
        if (p > 1) pathStep();
        const int count = (p * 5) % 13 + 1;
        for (int j = 2; j <= count; ++j) entryStep(p);
        model.push_back(std::vector<Value>(static_cast<std::size_t>(count)));
    }
    ASSERT_EQ(total(model), 354);
    entriesFollow(model);

    int e = 0;
    for (auto& path : model)
        for (Value& v : path) {
            v.params[0] = (++e * 7) % 50 + 1;
            editor->txtcamino(e)->setText(QString::number(v.params[0]));
        }
    entriesFollow(model);

    // A path of one entry at the front: its label moves with the paths after it.
    edit([&] { down("udelemcams(1)", 5); });
    model[0].resize(1);
    entriesFollow(model);

    edit([&] { up("udelemcams(1)"); });
    model[0].push_back(Value{});
    entriesFollow(model);

    edit([&] { down("udelemcams(20)"); });
    model[19].pop_back();
    entriesFollow(model);

    edit([&] { down("udcaminos", 2); });
    model.resize(model.size() - 2);
    entriesFollow(model);

    edit([&] { up("udcaminos"); });
    model.push_back({Value{}});
    entriesFollow(model);
}

// Rows are painted only where the viewport shows them; the rows scrolled into sight must be
// painted like the first ones.
TEST_F(GrowthTest, RowsScrolledIntoSightArePainted) {
    chooseStructure(3);
    for (int i = 2; i <= 30; ++i) subsystemStep();
    QWidget* viewport = control("frmfondo2");
    auto* bar = control<QScrollBar>("VScroll2");
    const int pitch = viewport->height() / 5;
    for (int position : {10, 25, 24, 0, 3}) {
        bar->setValue(position);
        const QImage shown = viewport->grab().toImage();
        for (int r = 0; r < 5; ++r) {
            // A row drawn holds a list and a box: far more than the one colour of the ground.
            QSet<QRgb> colours;
            for (int y = r * pitch; y < (r + 1) * pitch; ++y)
                for (int x = 0; x < shown.width(); ++x) colours.insert(shown.pixel(x, y));
            EXPECT_GT(colours.size(), 8) << "row " << position + r + 1;
        }
    }
}

}  // namespace
