#include "datafile_reader.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <vector>

#include "codes.h"
#include "datafile_items.h"
#include "datafile_layout.h"
#include "document/number_text.h"
#include "document/system_data.h"
#include "editor/edited_system.h"
#include "editor/editor_limits.h"
#include "editor/frmdatos.h"
#include "editor/spin_arrows.h"

namespace farvik {
namespace {

// Item groups of the layout: each value with the items (labels, dashes, empty lines) of
// the leads in front of it.
int group(std::initializer_list<Lead> leads) {
    return static_cast<int>(lineCount(leads)) + 1;
}
const int kTotalGroup = group({lead::totalLead()});
const int kStructureGroup = group({lead::structureLead()});
const int kRedundancyGroup = group({lead::redundancyLead()});
const int kSubsystemCountGroup = group({lead::structureSection(), lead::subsystemCountLabel()});
const int kElementsInSubsystemGroup = group({lead::elementsInSubsystemLabel(1)});
const int kElementCountGroup = group({lead::structureSection(), lead::elementCountLabel()});
const int kPathCountGroup = group({lead::pathCountLabel()});
const int kElementsInPathGroup = group({lead::elementsInPathLabel(1)});
const int kDimensionGroup = group({lead::dimensionLabel()});
const int kKeyGroup = group({lead::elementTitle(1, 1), lead::keyLabel(1)});
const int kDistributionAfterKeyGroup = group({lead::afterKeyLine(), lead::distributionLead()});
const int kDistributionGroup = group({lead::elementTitle(1, 1), lead::distributionLead()});
const int kFirstParameterGroup = group({lead::parametersSection(), lead::parameterLabel(1)});
const int kParameterGroup = group({lead::parameterLabel(2)});
const int kFirstPathKeyGroup = group({lead::pathsSection(), lead::pathLabel(1)});
const int kPathFirstKeyGroup = group({lead::pathLabel(2)});
const int kPathKeyGroup = group({});
const int kSeedGroup = group({lead::simulationSection(), lead::seedLabel()});
const int kTrialsGroup = group({lead::trialsLead()});

class Reader {
  public:
    Reader(DataFileItems& items, frmdatos& editor)
        : items_(items), ed_(editor), data_(systemData()) {}

    // What could not be read, once read() has returned false: "línea N: se esperaba ...".
    QString failure() const {
        // An item can be a whole line of any length; a few words of it say enough.
        constexpr int kShown = 40;
        const QString item = items_.last();
        const QString shown =
            item.size() > kShown ? item.left(kShown) + QStringLiteral("...") : item;
        const QString found = items_.atEnd()   ? QStringLiteral("el fichero termina antes")
                              : item.isEmpty() ? QStringLiteral("se encontró una línea vacía")
                                               : QStringLiteral("se encontró «%1»").arg(shown);
        return QStringLiteral("línea %1: se esperaba %2 y %3")
            .arg(items_.line())
            .arg(expected_, found);
    }

    bool read() {
        expect(QStringLiteral("el número total de elementos"));
        if (!items_.value(kTotalGroup)) return false;  // read and not used
        if (!structure() || !redundancy()) return false;
        const bool general = data_.systemType == kGeneral;
        if (!(general ? pathCounts() : subsystemCounts())) return false;
        expect(QStringLiteral("la dimensión de las matrices del sistema"));
        if (!items_.value(kDimensionGroup)) return false;  // the dimension is not used
        if (!(general ? generalElements() : elements())) return false;
        if (general && !pathKeys()) return false;
        return simulation();
    }

  private:
    // Names the value read next, for failure().
    void expect(const QString& what) { expected_ = what; }

    std::optional<std::int16_t> int16(int group) {
        const auto item = items_.value(group);
        return item ? itemToInt16(*item) : std::nullopt;
    }
    std::optional<std::int16_t> count(int group, int limit) {
        const auto n = int16(group);
        // The editor holds no empty group and no more than its limit.
        return n && *n >= 1 && *n <= limit ? n : std::nullopt;
    }

    bool structure() {
        expect(QStringLiteral("el tipo de sistema (de 1 a 5)"));
        const auto c = int16(kStructureGroup);
        if (!c || *c < 1 || *c > 5) return false;
        data_.systemType = *c;
        // Forget the option clicked last, so that the editor takes the file's structure as
        // a click even when that option is already selected.
        lastSystemType() = 0;
        ed_.optsistemas(*c)->click();
        return true;
    }

    bool redundancy() {
        expect(QStringLiteral("la respuesta al estudio de redundancia (un número entero)"));
        const auto r = int16(kRedundancyGroup);
        if (!r) return false;
        if (*r == 1 || *r == 2) {
            data_.redundancyStudy = *r == 1;
            ed_.optred(*r == 1 ? 1 : 0)->click();
        }
        return true;  // any other answer leaves the choice as it was
    }

    // One press of an up arrow: the box shows one more, the step is one, then the procedure.
    static void raise(QLineEdit* box, editor::SpinArrows* arrows) {
        box->setText(QString::number(toInt16(box->text()) + 1));
        arrows->setStep(1);
    }
    // The rows an arrow builds and drops post events of their own (layout, polish); with no
    // event loop between the steps they pile up, and every row dropped searches them all.
    // Delivering them after each step keeps a large file's reading linear.
    static void settle() { QCoreApplication::sendPostedEvents(); }
    void subsystemStep(int i) {
        data_.subsystemCount = static_cast<std::int16_t>(i);
        raise(ed_.txtsubsistemas(), ed_.udsubsistemas());
        ed_.udsubsistemas_UpClick();
        settle();
    }
    void elementSteps(int i, int n) {
        for (int s = 1; s < n; ++s) {
            raise(ed_.txtelemsubs(i), ed_.udelemsubs(i));
            ed_.udelemsubs_UpClick(i);
            settle();
        }
    }
    void pathStep(int p) {
        data_.pathCount = static_cast<std::int16_t>(p);
        raise(ed_.txtcaminos(), ed_.udcaminos());
        ed_.udcaminos_UpClick();
        settle();
    }
    void entrySteps(int p, int n) {
        for (int s = 1; s < n; ++s) {
            raise(ed_.txtelemcams(p), ed_.udelemcams(p));
            ed_.udelemcams_UpClick(p);
            settle();
        }
    }

    bool subsystemCounts() {
        expect(QStringLiteral("el número de subsistemas (de 1 a %1)").arg(editor::kMaxSubsystems));
        const auto n = count(kSubsystemCountGroup, editor::kMaxSubsystems);
        if (!n) return false;
        for (int i = 1; i <= *n; ++i) {
            if (i > 1) subsystemStep(i);
            expect(QStringLiteral("el número de elementos del subsistema %1 (de 1 a %2)")
                       .arg(i)
                       .arg(editor::kMaxElementsPerSubsystem));
            const auto e = count(kElementsInSubsystemGroup, editor::kMaxElementsPerSubsystem);
            if (!e) return false;
            elementSteps(i, *e);
        }
        return true;
    }

    bool pathCounts() {
        expect(QStringLiteral("el número de elementos (de 1 a %1)").arg(editor::kMaxSubsystems));
        const auto n = count(kElementCountGroup, editor::kMaxSubsystems);
        if (!n) return false;
        for (int i = 2; i <= *n; ++i) subsystemStep(i);
        expect(QStringLiteral("el número de caminos (de 1 a %1)").arg(editor::kMaxPaths));
        const auto p = count(kPathCountGroup, editor::kMaxPaths);
        if (!p) return false;
        for (int i = 1; i <= *p; ++i) {
            if (i > 1) pathStep(i);
            expect(QStringLiteral("el número de elementos del camino %1 (de 1 a %2)")
                       .arg(i)
                       .arg(editor::kMaxEntriesPerPath));
            const auto e = count(kElementsInPathGroup, editor::kMaxEntriesPerPath);
            if (!e) return false;
            entrySteps(i, *e);
        }
        return true;
    }

    // The distribution and parameters of the element shown in row k, named as its block
    // in the file names it.
    bool element(int k, int distributionGroup, const QString& name) {
        expect(QStringLiteral("la distribución del elemento %1 (de 1 a 5)").arg(name));
        const auto d = int16(distributionGroup);
        if (!d || *d < 1 || *d > 5) return false;
        ElementRec* rec = findElementByKey(data_, k);
        if (!rec || !ed_.cmbfallo(k)) return false;
        ed_.cmbfallo(k)->setCurrentIndex(*d - 1);
        rec->distribution = static_cast<std::int16_t>(*d - 1);
        for (int n = 1; n <= 3; ++n) {
            expect(QStringLiteral("el parámetro %1 del elemento %2 (un número)").arg(n).arg(name));
            const auto item = items_.value(n == 1 ? kFirstParameterGroup : kParameterGroup);
            const auto p = item ? itemToDouble(*item) : std::nullopt;
            if (!p) return false;
            rec->params[static_cast<std::size_t>(n)] = *p;
            ed_.txtparam(n, k)->setText(numberText(*p));
        }
        return true;
    }

    bool elements() {
        int k = 0;
        for (int i = 1; i <= data_.subsystemCount; ++i) {
            const int n = data_.subsystems[static_cast<std::size_t>(i)].count;
            for (int j = 1; j <= n; ++j)
                if (!element(++k, kDistributionGroup, QStringLiteral("%1-%2").arg(i).arg(j)))
                    return false;
        }
        return true;
    }

    // The blocks of a general system may come in any order of keys; paths name elements
    // by key, and the editor shows element K in row K. So each block goes to the row of its
    // key, and a key the editor cannot show (outside 1..n, or given twice) ends the reading.
    bool generalElements() {
        const int n = data_.subsystemCount;
        std::vector<bool> seen(static_cast<std::size_t>(n) + 1, false);
        for (int b = 1; b <= n; ++b) {
            expect(
                QStringLiteral("el número clave de un elemento (de 1 a %1, sin repetir)").arg(n));
            const auto key = int16(kKeyGroup);
            if (!key || *key < 1 || *key > n || seen[static_cast<std::size_t>(*key)]) return false;
            seen[static_cast<std::size_t>(*key)] = true;
            if (!element(*key, kDistributionAfterKeyGroup, QStringLiteral("de clave %1").arg(*key)))
                return false;
        }
        return true;
    }

    bool pathKeys() {
        int e = 0;
        for (int p = 1; p <= data_.pathCount; ++p) {
            const int entries = data_.paths[static_cast<std::size_t>(p)].count;
            for (int j = 1; j <= entries; ++j) {
                const int group = e == 0   ? kFirstPathKeyGroup
                                  : j == 1 ? kPathFirstKeyGroup
                                           : kPathKeyGroup;
                expect(
                    QStringLiteral("el elemento %1 del camino %2 (un número clave)").arg(j).arg(p));
                const auto key = int16(group);
                ++e;
                ElementRec* entry = findPathEntryByKey(data_, e);
                if (!key || !entry || !ed_.txtcamino(e)) return false;
                entry->params[1] = *key;
                ed_.txtcamino(e)->setText(QString::number(*key));
            }
        }
        return true;
    }

    bool simulation() {
        expect(QStringLiteral("la semilla (un número entero)"));
        const auto seedItem = items_.value(kSeedGroup);
        const auto seed = seedItem ? itemToInt16(*seedItem) : std::nullopt;
        if (!seed) return false;
        ed_.txtsemilla()->setText(seedItem->trimmed());
        data_.seed = *seed;

        expect(QStringLiteral("el número de pruebas (un número entero)"));
        const auto trialsItem = items_.value(kTrialsGroup);
        const auto trials = trialsItem ? itemToInt32(*trialsItem) : std::nullopt;
        if (!trials) return false;
        ed_.txtpruebas()->setText(trialsItem->trimmed());
        data_.trialCount = *trials;
        return true;
    }

    DataFileItems& items_;
    frmdatos& ed_;
    SystemData& data_;
    QString expected_;
};

}  // namespace

bool readDataFile(DataFileItems& items, frmdatos& editor, QString* failure) {
    Reader reader(items, editor);
    if (reader.read()) return true;
    if (failure) *failure = reader.failure();
    return false;
}

}  // namespace farvik
