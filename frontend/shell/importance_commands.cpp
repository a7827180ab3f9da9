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
#include "result_file_names.h"
#include "results/frmimportancia.h"
#include "simulated_summary.h"
#include "toolbar_layout.h"
#include "what_if_panel.h"

namespace farvik {

void frmMain::showImportance() {
    if (!dataEditor()) return;
    ImportanceRequest request;
    request.dataFile = dataFileBytesFor(systemDocument_.system());
    request.dataFileName = systemDocument_.fileName().isEmpty() ? QStringLiteral("Sin título.DAT")
                                                                : systemDocument_.fileName();
    // The document's own results, as for the exact check: their times and causes.
    if ((request.summary = ownSummary())) {
        try {
            const analysis::SimulatedSummary s =
                analysis::readSimulatedSummary(request.summary->toStdString());
            for (const auto& r : s.reliability) request.times.push_back(r.t);
        } catch (const analysis::SummaryFormatError&) {
            request.summary.reset();
        }
    }
    if (importance_) importance_->close();
    auto* window = new frmimportancia(request);
    importance_ = mdiArea_->addSubWindow(window);
    importance_->setAttribute(Qt::WA_DeleteOnClose);
    placeChildWindow(*mdiArea_, *importance_);
    connect(window, &frmimportancia::whatIfRequested, this, [this](const QString& label) {
        showWhatIf(elementRowOfLabel(systemDocument_.system(), label));
    });
    window->show();
    mdiArea_->setActiveSubWindow(importance_);
}

std::optional<QByteArray> frmMain::ownSummary() {
    if (!systemDocument_.resultsAreOwn() || systemDocument_.fileName().isEmpty() ||
        resultsReplaced())
        return std::nullopt;
    const QString summary = findIgnoringCase(folderOf(systemDocument_.fileName()),
                                             QString::fromLatin1(result_files::kSummary));
    QFile file(summary);
    if (summary.isEmpty() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

}  // namespace farvik
