// The document's state and history, without a window.
#include "document/system_document.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace farvik {
namespace {

SystemData fresh() {
    SystemData data;
    resetSystemData(data);
    return data;
}

SystemData withTrials(SystemData data, int trials) {
    data.trialCount = trials;
    return data;
}

SystemData withRate(SystemData data, double rate) {
    data.subsystems[1].elements[1].params[1] = rate;
    return data;
}

TEST(SystemDocument, EditsWalkBackToTheSavedStateAndForwardAgain) {
    SystemDocument doc;
    doc.begin(fresh(), QStringLiteral("/d/SERIE.DAT"));
    EXPECT_FALSE(doc.isModified());
    QSignalSpy modified(&doc, &SystemDocument::modifiedChanged);

    const SystemData saved = fresh();
    const SystemData a = withTrials(saved, 2000);
    const SystemData b = withRate(a, 0.5);
    const SystemData c = withTrials(b, 3000);
    doc.recordEdit(a, QStringLiteral("pruebas"));
    doc.recordEdit(b, QStringLiteral("parámetro"));
    doc.recordEdit(c, QStringLiteral("pruebas"));
    EXPECT_TRUE(doc.isModified());
    ASSERT_EQ(modified.count(), 1);
    EXPECT_EQ(doc.history().count(), 3);

    doc.history().undo();
    EXPECT_EQ(doc.system(), b);
    doc.history().undo();
    EXPECT_EQ(doc.system(), a);
    EXPECT_TRUE(doc.isModified());
    doc.history().undo();
    EXPECT_EQ(doc.system(), saved);
    EXPECT_FALSE(doc.isModified()) << "back at the saved state the document is clean";
    EXPECT_FALSE(doc.history().canUndo());

    doc.history().redo();
    doc.history().redo();
    doc.history().redo();
    EXPECT_EQ(doc.system(), c);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(modified.count(), 3);
}

TEST(SystemDocument, SavingMovesTheCleanStateAndAnEditAfterAnUndoLosesIt) {
    SystemDocument doc;
    const SystemData a = withTrials(fresh(), 2000);
    doc.recordEdit(a, QStringLiteral("pruebas"));
    doc.setModified(false);  // saved here
    doc.history().undo();
    EXPECT_TRUE(doc.isModified()) << "the saved state is the edited one";
    doc.history().redo();
    EXPECT_FALSE(doc.isModified());

    doc.history().undo();
    doc.recordEdit(withTrials(fresh(), 5000), QStringLiteral("pruebas"));
    EXPECT_TRUE(doc.isModified());
    EXPECT_FALSE(doc.history().canRedo()) << "the saved state is gone from the history";

    // A document marked modified without an edit stays so until it is saved.
    SystemDocument forced;
    forced.setModified(true);
    EXPECT_TRUE(forced.isModified());
    forced.setModified(false);
    EXPECT_FALSE(forced.isModified());
}

TEST(SystemDocument, KeysTypedIntoOneBoxAreOneStepAndTypingBackLeavesNone) {
    SystemDocument doc;
    const SystemData start = fresh();
    doc.recordEdit(withRate(start, 1), QStringLiteral("p"), 7);
    doc.recordEdit(withRate(start, 12), QStringLiteral("p"), 7);
    doc.recordEdit(withRate(start, 123), QStringLiteral("p"), 7);
    EXPECT_EQ(doc.history().count(), 1);
    doc.recordEdit(withTrials(withRate(start, 123), 20), QStringLiteral("t"), 8);
    EXPECT_EQ(doc.history().count(), 2);
    doc.history().undo();
    doc.history().undo();
    EXPECT_EQ(doc.system(), start);

    // Typed and rubbed out again: nothing to undo.
    SystemDocument back;
    back.recordEdit(withRate(start, 5), QStringLiteral("p"), 3);
    back.recordEdit(start, QStringLiteral("p"), 3);
    EXPECT_EQ(back.history().count(), 0);
    EXPECT_FALSE(back.isModified());
    // An edit that changes nothing is no step either.
    back.recordEdit(start, QStringLiteral("p"));
    EXPECT_EQ(back.history().count(), 0);
}

TEST(SystemDocument, OnlyChangesTheEditorDidNotMakeAskForTheSystemToBeShownAnew) {
    SystemDocument doc;
    QSignalSpy replaced(&doc, &SystemDocument::systemReplaced);
    QSignalSpy changed(&doc, &SystemDocument::systemChanged);
    doc.recordEdit(withTrials(fresh(), 50), QStringLiteral("t"));
    EXPECT_EQ(replaced.count(), 0);
    EXPECT_EQ(changed.count(), 1);
    doc.history().undo();
    doc.history().redo();
    EXPECT_EQ(replaced.count(), 2);

    ElementRec weibull;
    weibull.distribution = 1;
    weibull.params = {0, 1.5, 1200, 0};
    weibull.key = 9;  // the row's key is kept, not this one
    ASSERT_TRUE(doc.editElement(1, weibull, QStringLiteral("Aplicar")));
    EXPECT_EQ(replaced.count(), 3);
    const ElementRec& now = doc.system().subsystems[1].elements[1];
    EXPECT_EQ(now.key, 1);
    EXPECT_EQ(now.distribution, 1);
    EXPECT_EQ(now.params[2], 1200);
    EXPECT_FALSE(doc.editElement(2, weibull, QStringLiteral("Aplicar")));
    doc.history().undo();
    EXPECT_EQ(doc.system().subsystems[1].elements[1].distribution, 0);
}

TEST(SystemDocument, ANewDocumentStartsCleanWithoutHistoryOrResults) {
    SystemDocument doc;
    QSignalSpy own(&doc, &SystemDocument::resultsAreOwnChanged);
    QSignalSpy file(&doc, &SystemDocument::fileNameChanged);
    doc.recordEdit(withTrials(fresh(), 50), QStringLiteral("t"));
    doc.setResultsAreOwn(true);
    EXPECT_TRUE(doc.resultsAreOwn());
    // An edit leaves the results of the run behind.
    doc.recordEdit(withTrials(fresh(), 60), QStringLiteral("t"));
    EXPECT_FALSE(doc.resultsAreOwn());
    doc.setResultsAreOwn(true);

    doc.begin(fresh(), QStringLiteral("/x/A.DAT"));
    EXPECT_FALSE(doc.resultsAreOwn());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.history().count(), 0);
    EXPECT_EQ(doc.fileName(), QStringLiteral("/x/A.DAT"));
    EXPECT_EQ(own.count(), 4);
    ASSERT_EQ(file.count(), 1);
    EXPECT_EQ(file.at(0).at(0).toString(), QStringLiteral("/x/A.DAT"));
}

}  // namespace
}  // namespace farvik
