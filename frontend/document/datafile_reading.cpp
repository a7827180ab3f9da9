#include "datafile_reading.h"

#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <map>
#include <sstream>
#include <string>

#include "codes.h"
#include "free_form_reader.h"
#include "regular_file.h"
#include "system_file.h"

namespace farvik {
namespace {

// A data file of the largest system takes well under a megabyte. Bytes beyond this belong to
// no data file: they are not read, instead of filling the memory with a file chosen by
// mistake.
constexpr qint64 kReadLimit = qint64(16) << 20;

ElementRec elementOf(const SystemFile& f, int j, int i, int key) {
    ElementRec element;
    element.key = static_cast<std::int16_t>(key);
    element.distribution = static_cast<std::int16_t>(f.distribution(j, i) - 1);
    for (int k = 1; k <= 3; ++k) element.params[static_cast<std::size_t>(k)] = f.parameter(k, j, i);
    return element;
}

SystemData systemOf(const SystemFile& f) {
    SystemData data;
    resetSystemData(data);
    data.systemType = static_cast<std::int16_t>(f.itipo);
    data.redundancyStudy = f.iredun == 1;
    data.seed = f.iseed;
    data.trialCount = f.nsim;

    if (f.itipo != kGeneral) {
        data.subsystemCount = static_cast<std::int16_t>(f.nsub);
        resizeGroups(data.subsystems, f.nsub);
        int k = 0;
        for (int i = 1; i <= f.nsub; ++i) {
            SubsystemRec& group = data.subsystems[static_cast<std::size_t>(i)];
            group.count = static_cast<std::int16_t>(f.nelsub[i]);
            group.elements.assign(static_cast<std::size_t>(f.nelsub[i]) + 1, ElementRec{});
            for (int j = 1; j <= f.nelsub[i]; ++j)
                group.elements[static_cast<std::size_t>(j)] = elementOf(f, j, i, ++k);
        }
        data.elementCount = static_cast<std::int16_t>(k);
        return data;
    }

    // Element K of the file is (K, 1); the rows take the keys in their order.
    std::vector<int> keys(f.iclave.begin() + 1, f.iclave.begin() + 1 + f.nel);
    std::sort(keys.begin(), keys.end());
    std::map<int, int> rowOf;
    for (std::size_t r = 0; r < keys.size(); ++r) rowOf[keys[r]] = static_cast<int>(r) + 1;
    data.subsystemCount = static_cast<std::int16_t>(f.nel);
    data.elementCount = static_cast<std::int16_t>(f.nel);
    resizeGroups(data.subsystems, f.nel);
    for (int r = 1; r <= f.nel; ++r) {
        SubsystemRec& group = data.subsystems[static_cast<std::size_t>(r)];
        group = oneElementGroup();
        group.elements[1] = elementOf(f, keys[static_cast<std::size_t>(r - 1)], 1, r);
    }
    data.pathCount = static_cast<std::int16_t>(f.ncam);
    resizeGroups(data.paths, f.ncam);
    int e = 0;
    for (int p = 1; p <= f.ncam; ++p) {
        const auto& pathKeys = f.icam[static_cast<std::size_t>(p)];
        SubsystemRec& path = data.paths[static_cast<std::size_t>(p)];
        path.count = static_cast<std::int16_t>(pathKeys.size());
        path.elements.assign(pathKeys.size() + 1, ElementRec{});
        for (std::size_t m = 0; m < pathKeys.size(); ++m) {
            ElementRec& entry = path.elements[m + 1];
            entry.key = static_cast<std::int16_t>(++e);
            entry.params[1] = rowOf.at(pathKeys[m]);
        }
    }
    data.pathEntryCount = static_cast<std::int16_t>(e);
    return data;
}

DataFileReading refused(const QString& why) {
    DataFileReading reading;
    reading.failure = why;
    return reading;
}

// The engine's verdict on the file, in its words after the file's name.
void takeRefusal(DataFileReading& reading, const brenta::DataFileError& e) {
    reading.line = e.line();
    reading.status = e.status();
    const QString words = QString::fromStdString(e.detail());
    reading.failure =
        e.line() > 0 ? QStringLiteral("línea %1: %2").arg(e.line()).arg(words) : words;
}

}  // namespace

DataFileReading readSystem(const QByteArray& bytes) {
    DataFileReading reading;
    std::istringstream in(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    try {
        const SystemFileReading file = readSystemFileKeepingValues(in, std::string());
        reading.system = systemOf(file.system);
        if (file.valueRefusal) takeRefusal(reading, *file.valueRefusal);
    } catch (const brenta::DataFileError& e) {
        takeRefusal(reading, e);
    }
    return reading;
}

DataFileReading readSystemFile(const QString& path) {
    // Only a regular file, opened without waiting: a FIFO opened the ordinary way blocks
    // until someone writes into it.
    const OpenedFile opened = openRegularFile(QFile::encodeName(path).toStdString());
    if (opened.fd < 0) {
        return refused(QStringLiteral("el fichero no se puede abrir para leerlo: ") +
                       QString::fromStdString(opened.reason));
    }
    QFile file;
    if (!file.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(opened.fd);
        return refused(QStringLiteral("el fichero no se puede abrir para leerlo"));
    }
    const QByteArray bytes = file.read(kReadLimit);
    if (file.error() != QFileDevice::NoError)
        return refused(QStringLiteral("el fichero no se puede leer"));
    return readSystem(bytes);
}

}  // namespace farvik
