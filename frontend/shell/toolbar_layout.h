#pragma once

#include <array>
#include <string_view>

namespace farvik {

// One button of the toolbar, or a separator (an empty key).
struct ToolbarEntry {
    std::string_view key;      // the button's objectName; it also names the command
    std::string_view tooltip;  // ASCII
    std::string_view icon;     // the picture's key for toolbarIcon
};

// The toolbar from left to right. Guardar, Ejecutar, EditarD and EditarR are switched by
// position, so their positions below follow from this one list: a new button goes where it
// belongs here and nowhere else.
inline constexpr std::array<ToolbarEntry, 14> kToolbarLayout = {{
    {"Nuevo", "Nuevo", "new"},
    {"Abrir", "Abrir", "open"},
    {"Guardar", "Guardar", "save"},
    {"", "", ""},
    {"Ejecutar", "Ejecutar", "play"},
    {"", "", ""},
    {"Imprimir", "Imprimir", "print"},
    {"EditarD", "Editar Datos", "edit"},
    {"EditarR", "Editar Resultados", "edit1"},
    {"Diagrama", "Diagrama de bloques", "diagram"},
    {"", "", ""},
    {"Acerca", "Acerca de ...", "program"},
    {"", "", ""},
    {"Salir", "Salir", "exit"},
}};

// The 1-based position of the button with this key (separators count), 0 when none has it.
constexpr int toolbarPosition(std::string_view key) {
    for (std::size_t i = 0; i < kToolbarLayout.size(); ++i) {
        if (kToolbarLayout[i].key == key) return static_cast<int>(i) + 1;
    }
    return 0;
}

inline constexpr int kGuardar = toolbarPosition("Guardar");
inline constexpr int kEjecutar = toolbarPosition("Ejecutar");
inline constexpr int kEditarD = toolbarPosition("EditarD");
inline constexpr int kEditarR = toolbarPosition("EditarR");

}  // namespace farvik
