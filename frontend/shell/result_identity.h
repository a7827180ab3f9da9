#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace farvik {

// What tells one file apart from another written under the same name: a file rewritten,
// replaced or made anew changes at least one of these. Its bytes are never read.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;

    bool operator==(const FileIdentity& o) const {
        return device == o.device && inode == o.inode && size == o.size &&
               modifiedSeconds == o.modifiedSeconds && modifiedNanoseconds == o.modifiedNanoseconds;
    }
    bool operator!=(const FileIdentity& o) const { return !(*this == o); }
};

// Nothing when the path names no file.
std::optional<FileIdentity> identityOf(const QString& path);

// The result files of a folder as a run left them, so that farvik shows them under a
// document only while they are still that run's: another run in the folder (from another
// window, or by hand) rewrites them.
class ResultIdentity {
  public:
    // The result files found in the folder, whatever their letter case.
    static ResultIdentity of(const QString& folder);

    // The folder still holds exactly these result files, unchanged.
    bool matches(const QString& folder) const { return of(folder) == *this; }
    bool operator==(const ResultIdentity& o) const { return files_ == o.files_; }

  private:
    std::vector<std::pair<QString, FileIdentity>> files_;  // sorted by name
};

}  // namespace farvik
