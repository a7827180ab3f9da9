#pragma once

#include <QDialog>
#include <memory>

namespace farvik {

class SystemInfoSources;

// The About box: name, version and description of the program, and a button that starts
// the desktop's system-information program.
class frmAbout : public QDialog {
    Q_OBJECT

  public:
    // Without sources of its own the box looks on the desktop.
    explicit frmAbout(QWidget* parent = nullptr, SystemInfoSources* sources = nullptr);
    ~frmAbout() override;

  private:
    std::unique_ptr<SystemInfoSources> desktopSources_;
    SystemInfoSources* sources_;
};

}  // namespace farvik
