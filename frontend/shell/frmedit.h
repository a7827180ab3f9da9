#pragma once

#include <QWidget>

#include "base/printable_view.h"
#include "base/text_file.h"

class QAction;
class QLabel;
class QPushButton;
class QTextEdit;

namespace farvik {

// The viewer "Archivo de datos y resultados": one text file at a time, the data file or a
// result file, in a fixed-width font. "&Aceptar" closes it; "&Imprimir" (and the main
// window's print command while it is active) asks for its text to be printed. Of a file too
// large to hold, it shows the start, and a line below says how much of the file that is.
// Selected text is copied to the clipboard with Ctrl+C or from the text's context menu.
class frmedit : public QWidget, public PrintableView {
    Q_OBJECT
  public:
    explicit frmedit(QWidget* parent = nullptr);

    // Shows the text read from the file at path: the whole file or its start.
    void display(const QString& path, const TextFileStart& shown);
    const QString& path() const { return path_; }
    // What printing takes: the text shown and, when it is only the start of the file, the
    // line that says so, so that the paper does not pass for the whole file either.
    QString printedText() const;

    QTextEdit* rtxtdatos() const { return text_; }
    QLabel* lbmostrado() const { return shownLine_; }
    QAction* mnuCopiar() const { return copy_; }
    QAction* mnuSeleccionarTodo() const { return selectAll_; }
    QPushButton* btdaceptar() const { return accept_; }
    QPushButton* btprint() const { return print_; }

    // Room for a whole line of the engine's texts (80 columns).
    QSize sizeHint() const override;

    void printView() override { emit printRequested(path_); }

  signals:
    void printRequested(const QString& path);

  private:
    void showContextMenu(const QPoint& at);

    QTextEdit* text_;
    QLabel* shownLine_;
    QAction* copy_;
    QAction* selectAll_;
    QPushButton* accept_;
    QPushButton* print_;
    QString path_;
};

}  // namespace farvik
