#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace farvik {

// The user manual (HTML with its pictures), in a window of its own beside the main window:
// Ayuda > Contenido and F1. Links inside the manual are followed; Atrás and Adelante go
// through the pages seen.
class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    HelpWindow(const QString& manualIndex, QWidget* parent);

    QTextBrowser* browser() const { return browser_; }
    // Back to the manual's first page.
    void showIndex();

  private:
    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
    QString index_;
};

}  // namespace farvik
