#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace farvik {

class RunProgress;

// The engine's console: a child window that shows what the engine writes, as it writes it,
// and sends each line typed into its input line to the engine (an answer with a decimal
// comma, which the engine would misread, is refused with a line that says so). "Cancelar" stops the engine;
// once the engine has ended the same button closes the window.
class frmconsola : public QWidget {
    Q_OBJECT
  public:
    explicit frmconsola(const QString& caption, QWidget* parent = nullptr);

    // Adds text at the end of the console and keeps the end in view.
    void display(const QString& text);
    // The engine has ended: nothing more can be typed, and the button closes the window.
    void engineEnded();
    // How far the run is: the bar and the line of trials, time spent and time left.
    void updateProgress(const RunProgress& progress);
    // The run has ended after so many seconds; complete tells whether every trial was made.
    void showRunTime(double seconds, bool complete);
    // The run was stopped: the progress line stays where the run was and says so.
    void showStopped(const RunProgress& progress);

    QPlainTextEdit* txtconsola() const { return output_; }
    QLineEdit* txtentrada() const { return input_; }
    QPushButton* btcancelar() const { return button_; }
    QProgressBar* barprogreso() const { return bar_; }
    QLabel* lbprogreso() const { return progressLine_; }

    // Room for a whole line of the engine's texts (80 columns).
    QSize sizeHint() const override;

  signals:
    // A line typed and confirmed with Enter, without its line end.
    void lineEntered(const QString& text);
    // "Cancelar", or the window closed, while the engine runs.
    void cancelRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QPlainTextEdit* output_;
    QLineEdit* input_;
    QPushButton* button_;
    QProgressBar* bar_;
    QLabel* progressLine_;
    bool running_ = true;
};

}  // namespace farvik
