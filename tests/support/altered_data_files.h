#pragma once

// Altered copies of a data file, for comparing the front end's verdict on a file with the
// engine's, and the engine's own verdict on a file T.DAT.
#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <random>
#include <vector>

namespace farvik::testing {

// Copies of a file: a line dropped, a line doubled, the file cut, a byte changed; `each` of
// every kind.
inline std::vector<QByteArray> alterations(const QByteArray& bytes, std::mt19937& random,
                                           int each) {
    const QList<QByteArray> lines = bytes.split('\n');
    auto pick = [&random](qsizetype n) {
        return static_cast<qsizetype>(std::uniform_int_distribution<qsizetype>(0, n - 1)(random));
    };
    std::vector<QByteArray> out;
    for (int n = 0; n < each; ++n) {
        QList<QByteArray> dropped = lines;
        dropped.removeAt(pick(dropped.size()));
        out.push_back(dropped.join('\n'));

        QList<QByteArray> doubled = lines;
        const qsizetype at = pick(doubled.size());
        doubled.insert(at, doubled[at]);
        out.push_back(doubled.join('\n'));

        out.push_back(bytes.left(pick(bytes.size())));

        QByteArray flipped = bytes;
        flipped[pick(flipped.size())] = static_cast<char>(pick(256));
        out.push_back(flipped);
    }
    return out;
}

// Copies with one value line (a line whose first word is a number) set to 0, -1 or -999999999:
// counts, codes, keys, parameters, the seed and the trials out of range.
inline std::vector<QByteArray> valueChanges(const QByteArray& bytes, std::mt19937& random,
                                            int each) {
    const QList<QByteArray> lines = bytes.split('\n');
    std::vector<qsizetype> numbers;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool number = false;
        lines[i].trimmed().split(' ').first().toDouble(&number);
        if (number) numbers.push_back(i);
    }
    const QByteArray values[] = {"0", "-1", "-999999999"};
    std::vector<QByteArray> out;
    for (int n = 0; n < each; ++n) {
        QList<QByteArray> changed = lines;
        const auto line =
            numbers[std::uniform_int_distribution<std::size_t>(0, numbers.size() - 1)(random)];
        changed[line] = values[std::uniform_int_distribution<int>(0, 2)(random)] + '\r';
        out.push_back(changed.join('\n'));
    }
    return out;
}

// A parameter, the seed or the number of trials: the values a user can type and save, which
// the front end opens (naming the engine's refusal) so that they can be put right.
inline bool refusesAValueOnly(int status) {
    return status == 21 || status == 22 || status == 23;
}

struct EngineEnd {
    bool runs = false;  // ended normally with status 0
    int status = 0;
    QString errorOutput;
};

// The real engine (`brenta`) on the file T.DAT of `folder`, asked for no reliability values.
inline EngineEnd runEngineOnT(const QString& brenta, const QString& folder) {
    QProcess engine;
    engine.setWorkingDirectory(folder);
    engine.start(brenta, {QStringLiteral("T")});
    engine.write("2\n");
    engine.closeWriteChannel();
    EngineEnd end;
    if (!engine.waitForFinished(60000)) return end;
    end.status = engine.exitCode();
    end.runs = engine.exitStatus() == QProcess::NormalExit && end.status == 0;
    end.errorOutput = QString::fromUtf8(engine.readAllStandardError());
    return end;
}

}  // namespace farvik::testing
