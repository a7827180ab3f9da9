#pragma once

#include <QWidget>

#include "base/printable_view.h"

class QPushButton;
class QTextEdit;

namespace farvik {

// The viewer "Archivo de datos y resultados": one text file at a time, the data file or a
// result file, in a fixed-width font. "&Aceptar" closes it; "&Imprimir" (and the main
// window's print command while it is active) asks for its text to be printed.
class frmedit : public QWidget, public PrintableView {
    Q_OBJECT
  public:
    explicit frmedit(QWidget* parent = nullptr);

    // Shows the text of the file at path.
    void display(const QString& path, const QString& text);
    const QString& path() const { return path_; }

    QTextEdit* rtxtdatos() const { return text_; }
    QPushButton* btdaceptar() const { return accept_; }
    QPushButton* btprint() const { return print_; }

    // Room for a whole line of the engine's texts (80 columns).
    QSize sizeHint() const override;

    void printView() override { emit printRequested(path_); }

  signals:
    void printRequested(const QString& path);

  private:
    QTextEdit* text_;
    QPushButton* accept_;
    QPushButton* print_;
    QString path_;
};

}  // namespace farvik
