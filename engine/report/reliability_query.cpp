#include "reliability_query.h"

#include <string>

#include "engine_error.h"
#include "free_form_reader.h"
#include "record_writer.h"

namespace brenta {
namespace {

void say(std::ostream& out, std::string_view text) {
    std::string line;
    RecordWriter(line, RecordTarget::Console).line(text);
    out << line;
}

}  // namespace

void lineas_blanco(std::ostream& out, int n) {
    for (int i = 0; i < n; ++i) out << "  \n";
}

ReliabilityQuery askReliabilityTimes(std::istream& in, std::ostream& out) {
    FreeFormReader reader(in, FreeFormReader::Source::Console, "consola");
    ReliabilityQuery q;
    lineas_blanco(out, 20);
    say(out, "quiere calcular algun valor");
    say(out, " de la funcion, F(t), de fiabilidad del sistema ?");
    out << '\n';
    say(out, "si quiere introduzca .... 1");
    say(out, "si no quiere introduzca.. 2");
    lineas_blanco(out, 2);
    out.flush();
    q.answer = reader.readInteger("la respuesta 1 o 2");
    if (q.wanted()) {
        say(out, "\tCuantos valores?");
        out.flush();
        q.nval = reader.readInteger("el número de valores");
        if (q.nval > ReliabilityQuery::kMaxTimes) {
            throw EngineError(
                kExitTooManyTimes,
                "se pueden pedir como mucho 100 valores de la fiabilidad (se pidieron " +
                    std::to_string(q.nval) + ")");
        }
        for (int i = 1; i <= q.nval; ++i) {
            lineas_blanco(out, 2);
            std::string line;
            RecordWriter(line, RecordTarget::Console)
                .text(" introduce el valor")
                .integer(i)
                .text(" de \"t\"")
                .end();
            out << line;
            out.flush();
            q.tval[i] = reader.readReal("el valor de t número " + std::to_string(i));
        }
    }
    lineas_blanco(out, 25);
    out.flush();
    return q;
}

}  // namespace brenta
