#include "frmprintres.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "result_file_names.h"
#include "result_files.h"

namespace farvik {
namespace {

// The result file of each option that shows a file.
const char* const kFiles[] = {result_files::kSummary, result_files::kFirstTrials,
                              result_files::kDuplicatedTrials};
constexpr int kRedundancyOption = 2;
constexpr int kReliabilityTableOption = 3;

}  // namespace

frmprintres::frmprintres(const QString& resultsFolder, Actions actions, QWidget* parent)
    : QDialog(parent), resultsFolder_(resultsFolder), actions_(std::move(actions)) {
    setObjectName(QStringLiteral("frmprintres"));
    setWindowTitle(QStringLiteral("Archivos de Resultados"));

    auto* layout = new QVBoxLayout(this);
    optprintres_ = new QButtonGroup(this);
    const QStringList captions = {
        QStringLiteral("Resumen de resultados"),
        QStringLiteral("Tiempos de fallo"),
        QStringLiteral("Tiempos de fallo al duplicar los componentes (Redundancia)"),
        QStringLiteral("Tabla de Fiabilidad"),
    };
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], this);
        option->setObjectName(QStringLiteral("Optprintres(%1)").arg(i));
        optprintres_->addButton(option, i);
        layout->addWidget(option);
    }
    optprintres_->button(0)->setChecked(true);

    command1_ = new QPushButton(QStringLiteral("Aceptar"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setDefault(true);
    connect(command1_, &QPushButton::clicked, this, &frmprintres::acceptChoice);
    auto* buttons = new QHBoxLayout;
    // The whole study in one document, beside the files one at a time.
    if (actions_.studyReport) {
        btinforme_ = new QPushButton(QStringLiteral("&Informe del estudio..."), this);
        btinforme_->setObjectName(QStringLiteral("btinforme"));
        btinforme_->setAutoDefault(false);
        connect(btinforme_, &QPushButton::clicked, this, [this] {
            // The chooser closes (and is deleted) while the report goes on.
            const std::function<void()> report = actions_.studyReport;
            accept();
            report();
        });
        buttons->addWidget(btinforme_);
    }
    buttons->addStretch(1);
    buttons->addWidget(command1_);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

void frmprintres::setRedundancyOffered(bool withRedundancy) {
    QAbstractButton* option = optprintres_->button(kRedundancyOption);
    option->setEnabled(withRedundancy);
    // A disabled choice cannot stay chosen.
    if (!withRedundancy && option->isChecked()) optprintres_->button(0)->setChecked(true);
}

void frmprintres::acceptChoice() {
    const int chosen = optprintres_->checkedId();
    if (chosen == kReliabilityTableOption) {
        if (actions_.openGraphs) actions_.openGraphs();
    } else if (chosen >= 0 && chosen < kReliabilityTableOption) {
        if (actions_.mostrar_fichero)
            actions_.mostrar_fichero(
                resultFilePath(resultsFolder_, QString::fromLatin1(kFiles[chosen])));
    }
    accept();
}

}  // namespace farvik
