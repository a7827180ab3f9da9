#include "shell/document_title.h"

#include <gtest/gtest.h>

namespace farvik {
namespace {

const QString kFarvik = QStringLiteral("Farvik");

TEST(DocumentTitle, UntitledModifiedDocumentCanOnlyBeSaved) {
    const DocumentState doc{QString(), true};
    const TitleView view =
        titleViewFor(doc, kFarvik, QStringLiteral("OLD.DAT"), {false, true, true, true});
    EXPECT_EQ(view.documentTitle, QStringLiteral("(Sin Título)"));
    EXPECT_EQ(view.caption, QStringLiteral("Farvik-(Sin Título)*"));
    EXPECT_EQ(view.buttons, (DocumentButtons{true, false, false, false}));
}

TEST(DocumentTitle, CleanFileShowsItsNameAndKeepsEditarR) {
    const DocumentState doc{QStringLiteral("/home/ana/sistemas/SIS1.DAT"), false};
    for (bool resultsOn : {false, true}) {
        const TitleView view =
            titleViewFor(doc, kFarvik, kUntitledDocument, {true, false, false, resultsOn});
        EXPECT_EQ(view.caption, QStringLiteral("Farvik-SIS1.DAT"));
        EXPECT_EQ(view.buttons, (DocumentButtons{false, true, true, resultsOn}));
    }
}

TEST(DocumentTitle, PathWithoutSlashKeepsThePreviousName) {
    EXPECT_EQ(documentTitleFor(QStringLiteral("SIS2.DAT"), QStringLiteral("SIS1.DAT")),
              QStringLiteral("SIS1.DAT"));
    // A backslash is an ordinary character of a file name here.
    EXPECT_EQ(documentTitleFor(QStringLiteral("C:\\datos\\SIS2.DAT"), QStringLiteral("SIS1.DAT")),
              QStringLiteral("SIS1.DAT"));
    EXPECT_EQ(documentTitleFor(QStringLiteral("/a/b.c/SIS2.DAT"), QStringLiteral("SIS1.DAT")),
              QStringLiteral("SIS2.DAT"));
}

}  // namespace
}  // namespace farvik
