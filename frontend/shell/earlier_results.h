#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QTemporaryDir;

namespace farvik {

// The result files of an earlier run, set aside while the engine runs. The engine empties
// its result files as soon as it starts; a run the user stops, or one that fails, must leave
// the earlier results as they were, so they are moved out of the way first and moved back
// when the run does not end well.
class EarlierResults {
  public:
    // The names the engine writes its results under.
    static const QStringList& names();

    EarlierResults();
    ~EarlierResults();  // drops whatever was set aside and not put back

    // Moves every file of the folder named like a result (in any letter case) into a hidden
    // folder beside them. False when they could not all be moved; those moved stay aside.
    bool setAside(const QString& folder);
    // Removes the results written since setAside and moves the earlier ones back.
    void putBack();
    // Moves the earlier results back only under the names still free, removing nothing:
    // for a run that wrote nothing while another run may have written there meanwhile.
    void putBackBeside();

  private:
    QString folder_;
    std::unique_ptr<QTemporaryDir> aside_;
    QStringList moved_;  // file names as they were in the folder
};

}  // namespace farvik
