#pragma once

#include <string>
#include <string_view>

// Words for failures that both programs show to the user, in Spanish and free of the
// system's own (English) texts.
namespace farvik {

// A short reason for a system error code (an errno value): "el disco está lleno",
// "la carpeta es de solo lectura", "no hay permiso", "es una carpeta", "no existe", ...
// Codes without words of their own get "error del sistema N".
std::string systemErrorReason(int errorCode);

// The bytes of a line as a message quotes them: between « and », bytes that show nothing
// (control characters, and bytes that are no part of a UTF-8 character) written as \xNN,
// so that the quote is always whole and closed, whatever the line holds.
std::string quotedBytes(std::string_view bytes);

}  // namespace farvik
