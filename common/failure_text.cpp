#include "failure_text.h"

#include <cerrno>

namespace farvik {

std::string systemErrorReason(int errorCode) {
    switch (errorCode) {
        case ENOSPC:
        case EDQUOT:
            return "el disco está lleno";
        case EFBIG:
            return "el fichero supera el tamaño permitido";
        case EROFS:
            return "la carpeta es de solo lectura";
        case EACCES:
        case EPERM:
            return "no hay permiso";
        case EISDIR:
            return "es una carpeta";
        case ENOENT:
            return "no existe";
        case ENOTDIR:
            return "una parte del camino no es una carpeta";
        case ENAMETOOLONG:
            return "el nombre es demasiado largo";
        case ELOOP:
            return "hay demasiados enlaces simbólicos en el camino";
        case EMFILE:
        case ENFILE:
            return "hay demasiados ficheros abiertos";
        case ENOMEM:
            return "no hay memoria suficiente";
        case EIO:
            return "error de lectura o escritura en el disco";
        case EBUSY:
        case ETXTBSY:
            return "el fichero está en uso";
        case ENXIO:
        case ENODEV:
            return "no es un fichero normal";
        default:
            return "error del sistema " + std::to_string(errorCode);
    }
}

namespace {

// Length of the UTF-8 character that starts at `i`, or 0 when the bytes there are none.
std::size_t utf8Length(std::string_view bytes, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    std::size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (i + n > bytes.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < n; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    }
    return n;
}

}  // namespace

std::string quotedBytes(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "«";
    text.reserve(bytes.size() + 4);
    for (std::size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x20 && c < 0x7F) {
            text += static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t n = c >= 0x80 ? utf8Length(bytes, i) : 0;
        if (n > 0) {
            text.append(bytes.substr(i, n));
            i += n;
            continue;
        }
        text += "\\x";
        text += kHex[c >> 4];
        text += kHex[c & 0xF];
        ++i;
    }
    text += "»";
    return text;
}

}  // namespace farvik
