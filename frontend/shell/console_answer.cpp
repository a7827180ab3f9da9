#include "console_answer.h"

namespace farvik {
namespace {

bool isDecimalComma(const QString& text, int i) {
    return text[i] == QLatin1Char(',') && i > 0 && i + 1 < text.size() && text[i - 1].isDigit() &&
           text[i + 1].isDigit();
}

}  // namespace

bool holdsDecimalComma(const QString& answer) {
    for (int i = 0; i < answer.size(); ++i) {
        if (isDecimalComma(answer, i)) return true;
    }
    return false;
}

QString decimalCommaNotice(const QString& answer) {
    QString withPoint = answer;
    for (int i = 0; i < withPoint.size(); ++i) {
        if (isDecimalComma(answer, i)) withPoint[i] = QLatin1Char('.');
    }
    return QStringLiteral(
               "La respuesta «%1» no se ha enviado: escribe los decimales con punto "
               "(%2).\n")
        .arg(answer.trimmed(), withPoint.trimmed());
}

}  // namespace farvik
