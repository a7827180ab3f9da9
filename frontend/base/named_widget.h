#pragma once

#include <QString>
#include <utility>

namespace farvik {

// A new widget carrying its objectName, the name by which the windows' controls are known
// (and found by tests): named<QPushButton>("cmdOK", text, parent).
template <typename Widget, typename... Args>
Widget* named(const char* name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace farvik
