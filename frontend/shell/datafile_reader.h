#pragma once

class QString;

namespace farvik {

class DataFileItems;
class frmdatos;

// Fills a freshly opened data editor from a data file, item by item in the order of the
// file's layout. The editor is grown with its own up-arrow procedures, one step at a time,
// as a user clicking the arrows would, and every value goes in through the editor's
// controls and its records of systemData().
//
// Returns false at the first item that is missing, is not the number asked for, or that the
// editor cannot hold (a code, count or key out of its range); what was read until then stays
// in the editor, and failure (when given) says where the reading stopped and what it
// expected there: "línea N: se esperaba ... y se encontró «...»".
bool readDataFile(DataFileItems& items, frmdatos& editor, QString* failure = nullptr);

}  // namespace farvik
