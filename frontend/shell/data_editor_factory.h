#pragma once

class QWidget;

namespace farvik {

class DocumentHost;

// Creates the data editor child ("Datos") for a new document. Opening it marks the document
// modified and calls cambia_titulo, as every edit does.
QWidget* createDataEditor(DocumentHost& host, QWidget* parent);

}  // namespace farvik
