// The desktop shell: a web address goes to the desktop's opener, and an opener that finds no
// way to open it is reported as a failure instead of as an opened page.
#include "platform/Services.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QFile>
#include <QTemporaryDir>

using namespace platform;

namespace {

class SystemShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bin.isValid());
        oldPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ":/usr/bin:/bin");
        saved = setShell(nullptr);  // shell() is the desktop's own again
    }
    void TearDown() override {
        qputenv("PATH", oldPath);
        setShell(std::move(saved));
    }
    // An opener that writes the address it was given and ends with this exit code.
    void opener(int exitCode) {
        QFile f(bin.filePath(QStringLiteral("xdg-open")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\nexit %2\n")
                    .arg(bin.filePath(QStringLiteral("asked")))
                    .arg(exitCode)
                    .toUtf8());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString asked() const {
        QFile f(bin.filePath(QStringLiteral("asked")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    QTemporaryDir bin;
    QByteArray oldPath;
    std::unique_ptr<Shell> saved;
};

TEST_F(SystemShellTest, AnOpenerThatOpensTheAddressReportsSuccess) {
    opener(0);
    EXPECT_TRUE(shell().openUrl(QStringLiteral("https://csrc.nist.gov/publications/sp800")));
    EXPECT_EQ(asked(), QStringLiteral("https://csrc.nist.gov/publications/sp800"));
}

TEST_F(SystemShellTest, AnOpenerThatFindsNoWayToOpenItReportsFailure) {
    opener(3);  // what the desktop's opener answers when no browser or handler is there
    EXPECT_FALSE(shell().openUrl(QStringLiteral("https://www.hhs.gov/hipaa/index.html")));
    EXPECT_EQ(asked(), QStringLiteral("https://www.hhs.gov/hipaa/index.html"));
}

}  // namespace
