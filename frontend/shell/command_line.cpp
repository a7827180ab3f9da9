#include "command_line.h"

#include <QCommandLineParser>
#include <QDir>

#include "base/program_texts.h"

namespace farvik {
namespace {

const QStringList kHelpNames = {QStringLiteral("h"), QStringLiteral("help")};
const QStringList kVersionNames = {QStringLiteral("v"), QStringLiteral("version")};

QString helpText() {
    return QStringLiteral(
        "Uso: farvik [opciones] [FICHERO.DAT]\n"
        "Estudio de la fiabilidad de sistemas por simulación de Monte Carlo.\n"
        "\n"
        "Argumentos:\n"
        "  FICHERO.DAT      el fichero de datos que se abre al arrancar, como con\n"
        "                   Archivo > Abrir\n"
        "\n"
        "Opciones:\n"
        "  -h, --help       muestra esta ayuda y termina\n"
        "  -v, --version    muestra la versión y termina\n"
        "\n"
        "También admite las opciones de Qt, por ejemplo -platform offscreen.\n"
        "Manual: man farvik, o F1 dentro del programa.\n");
}

QString versionText() {
    return QStringLiteral("farvik (Farvik) ") + versionNumber() + QLatin1Char('\n');
}

CommandLine failure(const QString& what) {
    return {CommandLine::Action::Error, QString(),
            QStringLiteral("farvik: ") + what +
                QStringLiteral("\nUse «farvik --help» para ver las opciones.\n")};
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments, const QString& folder) {
    QCommandLineParser parser;
    const QCommandLineOption help(kHelpNames);
    const QCommandLineOption version(kVersionNames);
    parser.addOption(help);
    parser.addOption(version);
    // QCommandLineParser::parse expects the program's name first.
    if (!parser.parse(QStringList{QStringLiteral("farvik")} + arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return failure(unknown.isEmpty()
                           ? parser.errorText()
                           : QStringLiteral("opción desconocida: %1").arg(unknown.first()));
    }
    if (parser.isSet(help)) return {CommandLine::Action::Help, QString(), helpText()};
    if (parser.isSet(version)) return {CommandLine::Action::Version, QString(), versionText()};
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return failure(
            QStringLiteral("se abre un solo fichero de datos (se dieron %1)").arg(files.size()));
    CommandLine line;
    if (!files.isEmpty())
        line.dataFile = QDir::cleanPath(QDir(folder).absoluteFilePath(files.first()));
    return line;
}

CommandLine textRequest(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--")) break;
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help"))
            return {CommandLine::Action::Help, QString(), helpText()};
        if (argument == QLatin1String("-v") || argument == QLatin1String("--version"))
            return {CommandLine::Action::Version, QString(), versionText()};
    }
    return {};
}

}  // namespace farvik
