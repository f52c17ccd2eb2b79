#include "app/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace doxa {
namespace {

TEST(QtSettingsStore, LivesInAPrivateFileUnderTheUsersConfigDirectory) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    const QString path = QtSettingsStore::defaultPath();
    qputenv("XDG_CONFIG_HOME", previous);
    EXPECT_EQ(path, home.filePath("doxa-win/doxa-win.ini"));

    QtSettingsStore store(path);
    EXPECT_TRUE(store.writeText("PASSWORD", "P1", "serwis1"));
    EXPECT_EQ(QFile::permissions(path),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser);
}

TEST(QtSettingsStore, KeepsValuesAcrossRunsAndReadsHandEditedOnesSafely) {
    QTemporaryDir home;
    const QString path = home.filePath("doxa-win/doxa-win.ini");
    {
        QtSettingsStore store(path);
        EXPECT_TRUE(store.writeInt("COM", "COM", 3));
        EXPECT_TRUE(store.writeText("Recent File List", "File1", "/home/jan/pomiar;1.prg"));
        EXPECT_TRUE(store.writeText("PASSWORD", "P2", "a\\b,c"));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\n[Porty]\nCOM2=sim:DOXA-22\n[BAUD]\nBAUD=szybko\n");
    file.close();

    const QtSettingsStore store(path);
    EXPECT_EQ(store.readInt("COM", "COM", -1), 3);
    EXPECT_EQ(store.readText("Recent File List", "File1", ""), "/home/jan/pomiar;1.prg");
    EXPECT_EQ(store.readText("PASSWORD", "P2", ""), "a\\b,c");
    EXPECT_EQ(store.readText("Porty", "COM2", ""), "sim:DOXA-22");
    EXPECT_EQ(store.readInt("BAUD", "BAUD", 4), 0);
    EXPECT_EQ(store.readInt("DELTA", "DELTA", 5), 5);
}

TEST(QtSettingsStore, ReportsAFileThatCannotBeWritten) {
    QTemporaryDir home;
    const QString blocked = home.filePath("plik");
    QFile(blocked).open(QIODevice::WriteOnly);
    QtSettingsStore store(blocked + "/doxa-win.ini");
    EXPECT_FALSE(store.writeInt("COM", "COM", 1));
}

}  // namespace
}  // namespace doxa
