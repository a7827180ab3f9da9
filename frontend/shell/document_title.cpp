#include "document_title.h"

namespace farvik {

QString documentTitleFor(const QString& currentFile, const QString& previousTitle) {
    if (currentFile.isEmpty()) return kUntitledDocument;
    const qsizetype slash = currentFile.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) return previousTitle;
    return currentFile.mid(slash + 1);
}

TitleView titleViewFor(const DocumentState& document, const QString& programTitle,
                       const QString& previousTitle, const DocumentButtons& current) {
    TitleView view;
    view.documentTitle = documentTitleFor(document.currentFile, previousTitle);
    view.caption = programTitle + QLatin1Char('-') + view.documentTitle;
    if (document.modified) {
        view.caption += QLatin1Char('*');
        view.buttons = {true, false, false, false};
    } else {
        view.buttons = {false, true, true, current.editarR};
    }
    return view;
}

}  // namespace farvik
