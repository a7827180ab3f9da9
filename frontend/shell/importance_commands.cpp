// Ver > "Importancia y sensibilidad": the window of the document being edited.
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "base/child_window.h"
#include "document/datafile_writer.h"
#include "document/system_data.h"
#include "editor/frmdatos.h"
#include "file_names.h"
#include "main_window.h"
#include "results/frmimportancia.h"
#include "simulated_summary.h"
#include "toolbar_layout.h"

namespace farvik {

void frmMain::showImportance() {
    if (!dataEditor()) return;
    ImportanceRequest request;
    request.dataFile = dataFileBytesFor(systemDocument_.system());
    request.dataFileName = systemDocument_.fileName().isEmpty() ? QStringLiteral("Sin título.DAT")
                                                                : systemDocument_.fileName();
    // The document's own results, as for the exact check: their times and causes.
    if (systemDocument_.resultsAreOwn() && !systemDocument_.fileName().isEmpty() &&
        !resultsReplaced()) {
        const QString summary =
            findIgnoringCase(folderOf(systemDocument_.fileName()), QStringLiteral("resumen.txt"));
        QFile file(summary);
        if (!summary.isEmpty() && file.open(QIODevice::ReadOnly)) {
            request.summary = file.readAll();
            try {
                const analysis::SimulatedSummary s =
                    analysis::readSimulatedSummary(request.summary->toStdString());
                for (const auto& r : s.reliability) request.times.push_back(r.t);
            } catch (const analysis::SummaryFormatError&) {
                request.summary.reset();
            }
        }
    }
    if (importance_) importance_->close();
    auto* window = new frmimportancia(request);
    importance_ = mdiArea_->addSubWindow(window);
    importance_->setAttribute(Qt::WA_DeleteOnClose);
    placeChildWindow(*mdiArea_, *importance_);
    window->show();
    mdiArea_->setActiveSubWindow(importance_);
}

}  // namespace farvik
