// The editor marks, as the user types, every value the engine would refuse, in the engine's
// words; the engine refuses the file the editor writes for the same values, in those words.
#include <sstream>

#include "document/datafile_writer.h"
#include "editor/engine_checks.h"
#include "editor/parameter_hints.h"
#include "editor_fixture.h"
#include "engine_error.h"
#include "leer_sistema.h"
#include "mean_life.h"

namespace {

const char* const kRefusal = "engineRefusal";

QString refusalOn(QLineEdit* box) {
    return box->property(kRefusal).toString();
}

// The engine's refusal of the file the editor writes: status and message ("" when it reads).
std::pair<int, std::string> engineOn(const farvik::SystemData& data) {
    const QByteArray bytes = farvik::dataFileBytesFor(data);
    std::istringstream in(bytes.toStdString());
    try {
        brenta::leer_sistema(in, "SIS.DAT");
    } catch (const brenta::EngineError& e) {
        return {e.status(), e.what()};
    }
    return {0, ""};
}

bool endsWith(const std::string& text, const QString& tail) {
    const std::string t = tail.toStdString();
    return !t.empty() && text.size() >= t.size() &&
           text.compare(text.size() - t.size(), t.size(), t) == 0;
}

struct Case {
    int position;  // in the distribution list
    const char* p1;
    const char* p2;
    bool first, second;  // boxes marked
    const char* words;   // the engine's words for the first refusal; nullptr when none
};

const char* const kLives = "los tiempos de fallo pueden pasar de 1E+149";

// Every parameter rule of the engine, and values just inside it. Typed values go through the
// key filter, so no sign: negative values come from a file (set as text here).
const Case kCases[] = {
    {0, "0", "0", true, false, "la tasa de fallo debe ser mayor que 0"},
    {0, "1E-160", "0", true, false, kLives},
    {0, "0.001", "0", false, false, nullptr},
    {1, "0", "1200", true, false, "el parámetro de forma debe ser mayor que 0"},
    {1, "0", "-5", true, true, "el parámetro de forma debe ser mayor que 0"},
    {1, "1.5", "-5", false, true, "el parámetro de escala no puede ser negativo"},
    {1, "0.005", "1", false, true, kLives},
    {1, "1.5", "1200", false, false, nullptr},
    {2, "6.5", "-0.4", false, true, "la desviación típica no puede ser negativa"},
    {2, "800", "1", true, true, kLives},
    {2, "6.5", "0.4", false, false, nullptr},
    {3, "0", "300", true, false, "la media de la lognormal debe ser mayor que 0"},
    {3, "800", "-1", false, true, "la desviación típica no puede ser negativa"},
    {3, "1E+146", "1E+146", true, true, kLives},
    {3, "800", "300", false, false, nullptr},
    {4, "1000", "-1", false, true, "la desviación típica no puede ser negativa"},
    {4, "-51", "10", false, true, "la media está más de 5 desviaciones típicas por debajo de 0"},
    {4, "2E+149", "0", false, true, kLives},
    {4, "-50", "10", false, false, nullptr},
    {4, "1000", "200", false, false, nullptr},
};

// Each case as element 2-2 of a series-parallel system: the boxes marked are the boxes the
// rules name, the tooltip carries the engine's words, and the engine refuses the file the
// editor writes with exit 21 and the same words.
TEST_F(EditorTest, MarksWhatTheEngineRefusesOfTheFileItWrites) {
    chooseStructure(3);
    up("udsubsistemas");
    up("udelemsubs(2)");  // elements 1-1, 2-1, 2-2: row 3 is 2-2
    ASSERT_EQ(label("lbsubselem(3)"), "2-2");
    // A new element is exponential of rate 0, which the engine refuses.
    for (int k = 1; k <= 2; ++k) {
        EXPECT_FALSE(refusalOn(box(QStringLiteral("txtparam1(%1)").arg(k))).isEmpty());
        box(QStringLiteral("txtparam1(%1)").arg(k))->setText("0.1");
    }
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::to_string(c.position) + " " + c.p1 + " " + c.p2);
        control<QComboBox>("cmbfallo(3)")->setCurrentIndex(c.position);
        box("txtparam1(3)")->setText(c.p1);
        if (c.position > 0) box("txtparam2(3)")->setText(c.p2);
        EXPECT_EQ(!refusalOn(box("txtparam1(3)")).isEmpty(), c.first);
        EXPECT_EQ(!refusalOn(box("txtparam2(3)")).isEmpty(), c.second);
        const auto [status, message] = engineOn(data());
        if (!c.words) {
            EXPECT_EQ(status, 0) << message;
            EXPECT_TRUE(box("txtparam1(3)")->styleSheet().isEmpty());
            EXPECT_FALSE(label("meanLife(3)").contains(QStringLiteral("—")));
            continue;
        }
        EXPECT_EQ(status, brenta::kExitBadParameter);
        QLineEdit* marked = box(c.first ? "txtparam1(3)" : "txtparam2(3)");
        EXPECT_TRUE(marked->styleSheet().contains("border")) << marked->styleSheet().toStdString();
        EXPECT_TRUE(marked->toolTip().contains(QString::fromUtf8(c.words)));
        EXPECT_TRUE(endsWith(message, refusalOn(marked))) << message;
        EXPECT_NE(message.find(std::string("del elemento 2-2: ") + c.words), std::string::npos);
        EXPECT_EQ(label("meanLife(3)"), QStringLiteral("Vida media: —"));
    }
}

TEST_F(EditorTest, MarksPathEntriesNamingNoElementAndNoTrials) {
    chooseStructure(5);
    const auto soundRates = [this] {
        for (int k = 1; k <= editor->elementRows(); ++k)
            box(QStringLiteral("txtparam1(%1)").arg(k))->setText("0.1");
    };
    up("udsubsistemas", 2);  // elements 1, 2, 3
    soundRates();
    up("udcaminos");  // paths 1 and 2
    box("txtcamino(1)")->setText("3");
    box("txtcamino(2)")->setText("7");
    EXPECT_TRUE(refusalOn(box("txtcamino(1)")).isEmpty());
    EXPECT_EQ(refusalOn(box("txtcamino(2)")),
              "el camino 2 nombra el elemento 7, que no tiene datos en el fichero");
    auto [status, message] = engineOn(data());
    EXPECT_EQ(status, brenta::kExitUnknownPathKey);
    EXPECT_TRUE(endsWith(message, refusalOn(box("txtcamino(2)")))) << message;

    // Adding elements up to 7 makes the key good, without touching the entry.
    up("udsubsistemas", 4);
    soundRates();
    EXPECT_TRUE(refusalOn(box("txtcamino(2)")).isEmpty());
    EXPECT_EQ(engineOn(data()).first, 0);
    // And removing one makes it bad again; a key 0 is as bad.
    down("udsubsistemas");
    EXPECT_FALSE(refusalOn(box("txtcamino(2)")).isEmpty());
    box("txtcamino(1)")->setText("0");
    EXPECT_FALSE(refusalOn(box("txtcamino(1)")).isEmpty());
    // Outside a general system the paths are not written: nothing to mark.
    chooseStructure(1);
    EXPECT_TRUE(refusalOn(box("txtcamino(1)")).isEmpty());
    EXPECT_TRUE(refusalOn(box("txtcamino(2)")).isEmpty());

    box("txtpruebas")->setText("");
    EXPECT_EQ(refusalOn(box("txtpruebas")), "el número de pruebas debe ser al menos 1 (se leyó 0)");
    std::tie(status, message) = engineOn(data());
    EXPECT_EQ(status, brenta::kExitBadTrials);
    EXPECT_TRUE(endsWith(message, refusalOn(box("txtpruebas")))) << message;
    type("txtpruebas", "5");
    EXPECT_TRUE(refusalOn(box("txtpruebas")).isEmpty());
}

// The list Ejecutar shows: every refusal, elements first, named as the engine names them.
TEST_F(EditorTest, RefusalListOfTheWholeDescription) {
    chooseStructure(5);
    up("udsubsistemas", 2);
    box("txtparam1(1)")->setText("1");
    box("txtparam1(3)")->setText("1");
    box("txtcamino(1)")->setText("9");
    box("txtpruebas")->setText("");
    const auto refusals = farvik::editor::engineRefusals(data());
    ASSERT_EQ(refusals.size(), 3u);
    EXPECT_EQ(refusals[0].words,
              "parámetro 1 del elemento 2: la tasa de fallo debe ser mayor que 0");
    EXPECT_EQ(refusals[0].row, 2);
    EXPECT_EQ(refusals[1].kind, farvik::editor::EngineRefusal::Kind::PathEntry);
    EXPECT_EQ(refusals[2].kind, farvik::editor::EngineRefusal::Kind::Trials);
    const QString summary = farvik::editor::refusalSummary(refusals, 2);
    EXPECT_TRUE(summary.contains(refusals[0].words));
    EXPECT_TRUE(summary.contains(refusals[1].words));
    EXPECT_FALSE(summary.contains(refusals[2].words));
    EXPECT_TRUE(summary.contains(QStringLiteral("y 1 más")));
    // The engine stops at the first of them.
    const auto [status, message] = engineOn(data());
    EXPECT_EQ(status, brenta::kExitBadParameter);
    EXPECT_TRUE(endsWith(message, refusals[0].words)) << message;
}

// Each distribution names its visible boxes in the engine's terms, and the mean life beside
// the row follows the closed form of what the engine draws.
TEST_F(EditorTest, TooltipsPlaceholdersAndMeanLifeOfEachDistribution) {
    struct Hint {
        int position;
        const char* p1;
        const char* p2;
        const char* tip1;
        const char* tip2;  // nullptr: box 2 hidden
        double life;
    };
    const double weibull = 1200 * std::tgamma(1 + 1 / 1.5);
    const Hint hints[] = {
        {0, "0.002", "0", "tasa de fallo", nullptr, 500},
        {1, "1.5", "1200", "forma", "escala", weibull},
        {2, "6.5", "0.4", "media μ del logaritmo", "desviación típica σ del logaritmo",
         std::exp(6.5 + 0.08)},
        {3, "800", "300", "media del tiempo de fallo", "desviación típica del tiempo", 800},
        {4, "0", "3", "media de la normal", "desviación típica", 3 * std::sqrt(2 / M_PI)},
    };
    for (const Hint& h : hints) {
        SCOPED_TRACE(h.position);
        control<QComboBox>("cmbfallo(1)")->setCurrentIndex(h.position);
        box("txtparam1(1)")->setText(h.p1);
        if (h.tip2) box("txtparam2(1)")->setText(h.p2);
        EXPECT_TRUE(box("txtparam1(1)")->toolTip().contains(QString::fromUtf8(h.tip1)))
            << box("txtparam1(1)")->toolTip().toStdString();
        EXPECT_FALSE(box("txtparam1(1)")->placeholderText().isEmpty());
        if (h.tip2) {
            EXPECT_TRUE(box("txtparam2(1)")->toolTip().contains(QString::fromUtf8(h.tip2)))
                << box("txtparam2(1)")->toolTip().toStdString();
            EXPECT_FALSE(box("txtparam2(1)")->placeholderText().isEmpty());
        }
        EXPECT_EQ(label("meanLife(1)"), farvik::editor::meanLifeText(h.life));
        const auto shown = label("meanLife(1)").mid(QStringLiteral("Vida media: ").size());
        EXPECT_NEAR(shown.toDouble(), h.life, 1e-5 * h.life);
    }
    // The column header stays the only caption of the boxes.
    EXPECT_EQ(label("Label6"), QStringLiteral("Parámetros de la distribución"));
}

}  // namespace
