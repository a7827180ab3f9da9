#include "program_options.h"

#include "farvik_version.h"

namespace brenta {

ProgramOption programOption(const std::vector<std::string>& args) {
    if (args.size() != 1) return ProgramOption::None;
    if (args[0] == "--help") return ProgramOption::Help;
    if (args[0] == "--version") return ProgramOption::Version;
    return ProgramOption::None;
}

std::string versionText(const char* program) {
    return std::string(program) + " (Farvik) " FARVIK_VERSION_STRING "\n";
}

// The manual page of brenta says the same; keep them together.
const char* const kBrentaHelp =
    R"(Uso: brenta [NOMBRE]
Simula el sistema descrito en el fichero de datos NOMBRE.DAT de la carpeta actual
(se añade siempre .DAT; sin NOMBRE, lo pregunta en la consola) y escribe sus
resultados en esa carpeta.

Preguntas de la consola, respondidas en la entrada estándar, una respuesta por línea:
  1 para pedir valores de fiabilidad (cualquier otro número: ninguno),
  cuántos tiempos (100 como mucho) y cada tiempo.
Un valor termina en un blanco, una coma o una barra: escribe los decimales con punto
(100.5); "100,5" se lee como 100.

Ficheros de resultados: resumen.TXT, fallo.txt, redun.TXT, listasis.txt, tablafia.txt.
Una ejecución ocupa la carpeta mientras dura: otra en la misma carpeta se detiene
sin tocar sus ficheros. Si el fichero de datos no se puede leer, los resultados
anteriores quedan como estaban.

Opciones (solo si no hay un fichero de datos con ese nombre):
  --help     muestra esta ayuda y termina
  --version  muestra la versión y termina

Estado de salida:
  0       ejecución completa
  10      dos o más argumentos
  11-23   el fichero de datos no se puede abrir o tiene un valor no válido
  30-32   una respuesta de la consola no válida, o la entrada termina antes
  40, 41  un fichero de resultados no se puede escribir o leer
  42      otra ejecución ocupa la carpeta

Ejemplo:
  printf '1\n2\n100\n500\n' | brenta SERIE
)";

}  // namespace brenta
