// The editor window as a whole: what a fresh one shows, the view states, the simulation
// settings and the redundancy choice.
#include <QGroupBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>

#include "editor_fixture.h"

TEST_F(EditorTest, FreshEditorHoldsTheDefaults) {
    EXPECT_EQ(editor->windowTitle(), "Datos");
    EXPECT_TRUE(control<QRadioButton>("optsistemas(1)")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("optred(0)")->isChecked());
    EXPECT_EQ(text("txtsemilla"), "1");
    EXPECT_EQ(text("txtpruebas"), "1000");
    EXPECT_EQ(text("txtsubsistemas"), "1");
    EXPECT_FALSE(box("txtsubsistemas")->isEnabled());
    EXPECT_FALSE(control<QTabBar>("tabb")->isEnabled());

    EXPECT_EQ(editor->subsystemRows(), 1);
    EXPECT_EQ(text("txtelemsubs(1)"), "1");
    EXPECT_EQ(editor->elementRows(), 1);
    EXPECT_EQ(label("lbsubselem(1)"), "1-1");
    EXPECT_EQ(choice(1), "Exponencial");
    EXPECT_EQ(text("txtparam1(1)"), "0");
    EXPECT_TRUE(box("txtparam1(1)")->isVisible());
    EXPECT_FALSE(box("txtparam2(1)")->isVisibleTo(editor.get()));
    EXPECT_FALSE(box("txtparam3(1)")->isVisibleTo(editor.get()));
    EXPECT_EQ(editor->pathRows(), 1);
    EXPECT_EQ(text("txtelemcams(1)"), "1");
    EXPECT_EQ(editor->pathEntryRows(), 1);
    EXPECT_EQ(text("txtcamino(1)"), "0");
    EXPECT_EQ(label("lbcamino(1)"), "1");

    const farvik::SystemData& d = data();
    EXPECT_EQ(d.systemType, 1);
    EXPECT_FALSE(d.redundancyStudy);
    EXPECT_EQ(d.seed, 1);
    EXPECT_EQ(d.trialCount, 1000);
    EXPECT_EQ(d.subsystemCount, 1);
    EXPECT_EQ(d.elementCount, 1);
    EXPECT_EQ(d.pathCount, 1);
    EXPECT_EQ(d.pathEntryCount, 1);
    EXPECT_EQ(element(1, 1).key, 1);
    EXPECT_EQ(entry(1, 1).key, 1);

    // Showing a new document is no edit of it.
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(edits, 0);
}

TEST_F(EditorTest, CaptionsAreTheSystemsOwn) {
    EXPECT_EQ(control<QGroupBox>("frmsistemas")->title(), "Sistemas");
    EXPECT_EQ(control<QGroupBox>("frmredundancia")->title(), "Redundancia");
    EXPECT_EQ(control<QGroupBox>("frmsimulacion")->title(), "Omvira");
    const char* const structures[] = {"SIMPLES EN SERIE", "SIMPLES EN PARALELO", "SERIE-PARALELO",
                                      "PARALELO-SERIE", "GENERAL"};
    for (int t = 1; t <= 5; ++t)
        EXPECT_EQ(control<QRadioButton>(QStringLiteral("optsistemas(%1)").arg(t))->text(),
                  structures[t - 1]);
    EXPECT_EQ(control<QRadioButton>("optred(1)")->text(), "Si");
    EXPECT_EQ(control<QRadioButton>("optred(0)")->text(), "No");
    EXPECT_EQ(control<QTabBar>("tabb")->tabText(0), "Elementos");
    EXPECT_EQ(control<QTabBar>("tabb")->tabText(1), "Caminos");
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), "Subsistemas");
    EXPECT_EQ(control<QGroupBox>("Frame2")->title(), "Datos elementos");
    EXPECT_EQ(control<QGroupBox>("Frame11")->title(), "Caminos");
    EXPECT_EQ(control<QGroupBox>("Frame22")->title(), "Datos caminos");
    EXPECT_EQ(label("Label3"), "Nº de Subsistemas:");
    EXPECT_EQ(label("Label4"), "Subs./elem.");
    EXPECT_EQ(label("Label5"), "Distribuición del Fallo");
    EXPECT_EQ(label("Label6"), "Parámetros de la distribución");
    EXPECT_EQ(label("Label7"), "Distribución del camino");
    EXPECT_EQ(label("Label8"), "Nº de Caminos:");
    EXPECT_EQ(label("Label9"), "Camino");
    EXPECT_EQ(label("lbscroll1(1)"), "Nº elementos en subsistema");
    EXPECT_EQ(label("lbnumsubsistema(1)"), "1");
    EXPECT_EQ(label("lbscroll2(1)"), ":");
    EXPECT_EQ(label("lbscroll11(1)"), "Nº elementos serie en camino");
    EXPECT_EQ(label("lbscroll21(1)"), ":");
    const QStringList entries = {"Exponencial", "Weibull", "Lognormal (param. normal)", "Lognormal",
                                 "Normal"};
    auto* list = control<QComboBox>("cmbfallo(1)");
    ASSERT_EQ(list->count(), entries.size());
    for (int n = 0; n < list->count(); ++n) EXPECT_EQ(list->itemText(n), entries[n]);
}

TEST_F(EditorTest, RedundancyFollowsTheOptions) {
    markClean();
    control<QRadioButton>("optred(1)")->click();
    EXPECT_TRUE(data().redundancyStudy);
    control<QRadioButton>("optred(0)")->click();
    EXPECT_FALSE(data().redundancyStudy);
    EXPECT_TRUE(document.isModified());
    EXPECT_GE(edits, 2);
}

TEST_F(EditorTest, ClickingTheSelectedStructureChangesNothing) {
    markClean();
    chooseStructure(1);
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(edits, 0);

    chooseStructure(3);
    up("udsubsistemas");
    markClean();
    chooseStructure(3);
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(editor->subsystemRows(), 2);
}

TEST_F(EditorTest, SimpleStructuresKeepOneSubsystemAndNoPaths) {
    chooseStructure(2);
    EXPECT_EQ(data().systemType, 2);
    EXPECT_FALSE(box("txtsubsistemas")->isEnabled());
    up("udsubsistemas");
    EXPECT_EQ(text("txtsubsistemas"), "1");
    EXPECT_EQ(editor->subsystemRows(), 1);
    EXPECT_FALSE(control<QTabBar>("tabb")->isEnabled());

    // Even when the tab is forced to "Caminos", no pane shows without the general structure.
    control<QTabBar>("tabb")->setCurrentIndex(1);
    for (const char* pane : {"Frame1", "Frame2", "Frame11", "Frame22"})
        EXPECT_FALSE(control(pane)->isVisible()) << pane;

    chooseStructure(5);
    control<QTabBar>("tabb")->setCurrentIndex(1);
    EXPECT_TRUE(control("Frame11")->isVisible());
    EXPECT_TRUE(control("Frame22")->isVisible());
    EXPECT_FALSE(control("Frame1")->isVisible());
    chooseStructure(4);  // back to the elements tab
    EXPECT_EQ(control<QTabBar>("tabb")->currentIndex(), 0);
    EXPECT_TRUE(control("Frame2")->isVisible());
    EXPECT_TRUE(box("txtsubsistemas")->isEnabled());
}

TEST_F(EditorTest, TrialsBoxTakesDigitsOnly) {
    clear("txtpruebas");
    markClean();
    type("txtpruebas", "12a3");
    EXPECT_EQ(text("txtpruebas"), "123");
    EXPECT_EQ(data().trialCount, 123);
    EXPECT_TRUE(document.isModified());
    backspace("txtpruebas", 3);
    EXPECT_EQ(text("txtpruebas"), "");
    EXPECT_EQ(data().trialCount, 0);

    // A refused key still counts as an edit.
    box("txtpruebas")->setText("500");
    markClean();
    type("txtpruebas", "-");
    EXPECT_EQ(text("txtpruebas"), "500");
    EXPECT_TRUE(document.isModified());
}

TEST_F(EditorTest, TrialsNeverWrapPastTheIntegerRange) {
    clear("txtpruebas");
    type("txtpruebas", "9999999999");  // the last 9 would pass 2147483647
    EXPECT_EQ(text("txtpruebas"), "999999999");
    EXPECT_EQ(data().trialCount, 999999999);
    clear("txtpruebas");
    type("txtpruebas", "21474836479");  // ten digits at most, and the last fits
    EXPECT_EQ(text("txtpruebas"), "2147483647");
    EXPECT_EQ(data().trialCount, 2147483647);
    box("txtpruebas")->setText("99999999999");  // set by the program: clamped
    EXPECT_EQ(data().trialCount, 2147483647);
}

TEST_F(EditorTest, SpinControlsStepSeedAndTrials) {
    up("udpruebas");
    EXPECT_EQ(text("txtpruebas"), "1100");
    EXPECT_EQ(data().trialCount, 1100);
    box("txtpruebas")->setText("9950");
    up("udpruebas", 2);
    EXPECT_EQ(text("txtpruebas"), "10000");
    box("txtpruebas")->setText("50");
    down("udpruebas");
    EXPECT_EQ(text("txtpruebas"), "10");

    up("udsemilla", 2);
    EXPECT_EQ(text("txtsemilla"), "3");
    EXPECT_EQ(data().seed, 3);
    markClean();
    down("udsemilla", 5);
    EXPECT_EQ(text("txtsemilla"), "0");
    EXPECT_EQ(data().seed, 0);
    EXPECT_TRUE(document.isModified());
    EXPECT_TRUE(box("txtsemilla")->isReadOnly());
}

// A number typed beyond the arrows' range: each arrow brings it to the range's end, shown in
// the box, instead of stepping from the end it was held to or doing nothing.
TEST_F(EditorTest, TrialsArrowsStepFromAnyNumberAndStopVisiblyAtTheEnds) {
    clear("txtpruebas");
    type("txtpruebas", "999999999");
    down("udpruebas");
    EXPECT_EQ(text("txtpruebas"), "10000");
    EXPECT_EQ(data().trialCount, 10000);
    box("txtpruebas")->setText("999999999");
    up("udpruebas");
    EXPECT_EQ(text("txtpruebas"), "10000");
    EXPECT_EQ(data().trialCount, 10000);
    box("txtpruebas")->setText("5");
    down("udpruebas");
    EXPECT_EQ(text("txtpruebas"), "10");
    box("txtpruebas")->setText("5");
    up("udpruebas");
    EXPECT_EQ(text("txtpruebas"), "105");
    box("txtpruebas")->setText("1050");
    down("udpruebas");
    EXPECT_EQ(text("txtpruebas"), "950");
}
