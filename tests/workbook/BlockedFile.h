// Ways a document can exist in the program folder and still not be readable, for the tests of
// the user documents: a folder in its place, a FIFO, a link out of the folder (whose target
// holds "{\rtf1 Years of work}", which must never be written through).
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace hubtest {

enum class Blocker { Directory, Fifo, LinkOutOfFolder };

struct BlockedCase {
    const char* name;
    Blocker blocker;
};

inline const auto BlockedCases =
    ::testing::Values(BlockedCase{"Directory", Blocker::Directory}, BlockedCase{"Fifo", Blocker::Fifo},
                      BlockedCase{"LinkOutOfFolder", Blocker::LinkOutOfFolder});

inline std::string blockedCaseName(const ::testing::TestParamInfo<BlockedCase>& info) {
    return info.param.name;
}

inline const QByteArray LinkTargetText = "{\\rtf1 Years of work}";

// Puts the blocker at path; the link's target goes into outside.
inline void blockFile(const QString& path, Blocker blocker, const QTemporaryDir& outside) {
    switch (blocker) {
    case Blocker::Directory: ASSERT_TRUE(QDir().mkdir(path)); break;
    case Blocker::Fifo: ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); break;
    case Blocker::LinkOutOfFolder: {
        ASSERT_TRUE(outside.isValid());
        QFile target(outside.filePath(QStringLiteral("plan.rtf")));
        ASSERT_TRUE(target.open(QIODevice::WriteOnly));
        target.write(LinkTargetText);
        target.close();
        ASSERT_TRUE(QFile::link(target.fileName(), path));
        break;
    }
    }
}

// What the link's target holds now.
inline QByteArray linkTargetNow(const QTemporaryDir& outside) {
    QFile target(outside.filePath(QStringLiteral("plan.rtf")));
    return target.open(QIODevice::ReadOnly) ? target.readAll() : QByteArray();
}

}  // namespace hubtest
