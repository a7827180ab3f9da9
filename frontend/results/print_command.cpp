#include "print_command.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "base/printable_view.h"

namespace farvik {

PrintableView* printableView(const QMdiArea& area) {
    // The current window stays current while another top-level window, such as a dialog,
    // is active.
    const QMdiSubWindow* current = area.currentSubWindow();
    return current ? dynamic_cast<PrintableView*>(current->widget()) : nullptr;
}

void trackPrintableView(QMdiArea& area, QObject* context, const QList<QAction*>& commands) {
    const auto follow = [&area, commands] {
        const bool printable = printableView(area) != nullptr;
        for (QAction* command : commands)
            if (command) command->setEnabled(printable);
    };
    QObject::connect(&area, &QMdiArea::subWindowActivated, context, follow);
    follow();
}

}  // namespace farvik
