#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace farvik {

// What poppler's tools read back from a printed PDF.
struct PdfWord {
    int page;  // from 1
    QString text;
    double xMin, yMin, xMax, yMax;  // points from the page's top left corner
};

int pdfPageCount(const QString& path);
// The text of each page, laid out as printed.
QStringList pdfPageTexts(const QString& path);
QList<PdfWord> pdfWords(const QString& path);
// Every page drawn as a picture at dpi dots per inch.
QList<QImage> pdfPageImages(const QString& path, int dpi);

}  // namespace farvik
