// Every structure built in the editor, saved, and opened again; and what the engine reads
// from each file the front-end writes.
#include <fstream>

#include "document_fixture.h"
#include "leer_sistema.h"

namespace {

class RoundTripTest : public DocumentTest {
  protected:
    // Saves the editor's system, opens it into a fresh document, and checks that the
    // description came back whole and that the engine reads the same system.
    void saveOpenAndCompare(const QString& name) {
        ASSERT_TRUE(saveAs(path(name)));
        const farvik::SystemData saved = data();
        const std::string before = describe(saved);
        engineReadsTheSameSystem(saved, path(name.toUpper()));

        window->newCommand();
        ASSERT_NE(describe(data()), before);  // the new document really starts afresh
        open(path(name.toUpper()));
        EXPECT_EQ(describe(data()), before);
        EXPECT_FALSE(window->document().modified);
        EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messageTexts().join('|').toStdString();
        // Writing it again gives the very same bytes.
        const QByteArray first = readFile(path(name.toUpper()));
        ASSERT_TRUE(window->escribir_archivo_pantalla(path(QStringLiteral("AGAIN.DAT"))));
        EXPECT_EQ(readFile(path(QStringLiteral("AGAIN.DAT"))).toStdString(), first.toStdString());
    }

    static void engineReadsTheSameSystem(const farvik::SystemData& d, const QString& file) {
        std::ifstream in(file.toStdString(), std::ios::binary);
        ASSERT_TRUE(in.is_open());
        brenta::SystemData s;
        try {
            s = brenta::leer_sistema(in, file.toStdString());
        } catch (const std::exception& e) {
            FAIL() << "the engine refused the file: " << e.what();
        }
        EXPECT_EQ(s.itipo, d.systemType);
        EXPECT_EQ(s.redundancy(), d.redundancyStudy);
        EXPECT_EQ(s.iseed, d.seed);
        EXPECT_EQ(s.nsim, d.trialCount);
        auto sameElement = [&s](const farvik::ElementRec& e, int j, int i) {
            EXPECT_EQ(s.distribution(j, i), e.distribution + 1) << j << "," << i;
            // The engine converts the parameters of distribution 4 as it reads them.
            if (e.distribution == 3) return;
            for (int k = 1; k <= 2; ++k)
                EXPECT_EQ(s.parameter(k, j, i), e.params[static_cast<std::size_t>(k)])
                    << j << "," << i;
        };
        if (d.systemType == 5) {
            ASSERT_EQ(s.nel, d.subsystemCount);
            for (int k = 1; k <= s.nel; ++k)
                sameElement(d.subsystems[static_cast<std::size_t>(k)].elements[1], k, 1);
            ASSERT_EQ(s.ncam, d.pathCount);
            for (int p = 1; p <= s.ncam; ++p) {
                const farvik::SubsystemRec& path = d.paths[static_cast<std::size_t>(p)];
                ASSERT_EQ(s.nelcam[p], path.count);
                for (int m = 1; m <= path.count; ++m)
                    EXPECT_EQ(s.icam(m, p), path.elements[static_cast<std::size_t>(m)].params[1]);
            }
            return;
        }
        ASSERT_EQ(s.nsub, d.subsystemCount);
        for (int i = 1; i <= s.nsub; ++i) {
            const farvik::SubsystemRec& sub = d.subsystems[static_cast<std::size_t>(i)];
            ASSERT_EQ(s.nelsub[i], sub.count);
            for (int j = 1; j <= sub.count; ++j)
                sameElement(sub.elements[static_cast<std::size_t>(j)], j, i);
        }
    }
};

TEST_F(RoundTripTest, ElementsInSeries) {
    elementsIn(1, 3);
    element(1, 0, {"0.01"});
    element(2, 1, {"1.5", "200"});
    element(3, 2, {"4", "0.5"});
    redundancy(true);
    seedUp(4);
    trials("2000");
    saveOpenAndCompare("serie.dat");
}

TEST_F(RoundTripTest, ElementsInParallel) {
    structure(2);
    elementsIn(1, 2);
    element(1, 4, {"100", "10"});
    element(2, 3, {"100", "20"});
    trials("10");
    saveOpenAndCompare("paralelo.dat");
}

TEST_F(RoundTripTest, SubsystemsInSeries) {
    structure(3);
    subsystems(3);
    elementsIn(1, 2);
    elementsIn(3, 3);
    element(1, 0, {"1E-05"});
    element(2, 1, {"2", "1000"});
    element(3, 4, {".5", "0.125"});
    element(4, 0, {"0.002"});
    element(5, 2, {"3", "1"});
    element(6, 0, {"12345678"});
    redundancy(true);
    saveOpenAndCompare("serpar.dat");
}

TEST_F(RoundTripTest, SubsystemsInParallel) {
    structure(4);
    subsystems(2);
    elementsIn(1, 3);
    elementsIn(2, 2);
    for (int k = 1; k <= 5; ++k) element(k, 0, {QString::number(k * 0.001)});
    seedUp(1);
    trials("9999");
    saveOpenAndCompare("parser.dat");
}

TEST_F(RoundTripTest, GeneralSystemWithSharedKeysAndSeveralPaths) {
    structure(5);
    subsystems(4);
    element(1, 0, {"0.01"});
    element(2, 1, {"2", "300"});
    element(3, 4, {"50", "5"});
    element(4, 3, {"80", "8"});
    paths(3);
    entriesIn(1, 2);
    entriesIn(2, 3);
    entriesIn(3, 2);
    const int keys[] = {1, 2, 2, 3, 4, 1, 4};  // elements 1, 2 and 4 lie on two paths each
    for (int e = 1; e <= 7; ++e) entry(e, keys[e - 1]);
    redundancy(true);
    trials("500");
    saveOpenAndCompare("general.dat");
}

}  // namespace
