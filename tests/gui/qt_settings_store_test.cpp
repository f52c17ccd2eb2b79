#include "app/qt_settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "settings/shown_language.h"

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

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void replaceFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TEST(QtSettingsStore, AFileItCannotParseIsKeptAsABackupAndItsWritesSucceed) {
    const struct {
        const char* name;
        QByteArray line;
    } cases[] = {
        {"line without =", "COM5 ustawiony recznie\n"},
        {"section without ]", "[Porty\nCOM4=/dev/ttyUSB7\n"},
        {"binary", QByteArray("\x00\x01\xff\xfe\x80\n", 6)},
        {"binary with =", QByteArray("\x00\x01\xff\xfe=\x80\x00\n", 8)},
        {"another code page", "[PASSWORD]\nP1=\xb3\xb9ka\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir home;
        const QString path = home.filePath("doxa-win.ini");
        const QByteArray original = "[COM]\nCOM=3\n" + c.line + "[DELTA]\nDELTA=7\n";
        replaceFile(path, original);

        QtSettingsStore store(path);
        EXPECT_EQ(store.readInt("COM", "COM", -1), 3);
        EXPECT_FALSE(QFile::exists(QtSettingsStore::backupPath(path)));  // reading keeps it all
        EXPECT_EQ(contents(path), original);
        EXPECT_TRUE(store.writeInt("BAUD", "BAUD", 2));
        EXPECT_EQ(QtSettingsStore::backupPath(path), home.filePath("doxa-win.ini.bak"));
        EXPECT_EQ(contents(QtSettingsStore::backupPath(path)), original);
        EXPECT_EQ(QFile::permissions(QtSettingsStore::backupPath(path)),
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                      QFileDevice::WriteUser);
        EXPECT_TRUE(store.writeInt("BAUD", "BAUD", 3));
        EXPECT_EQ(contents(QtSettingsStore::backupPath(path)), original);  // kept, not replaced

        const QtSettingsStore again(path);
        EXPECT_EQ(again.readInt("COM", "COM", -1), 3);
        EXPECT_EQ(again.readInt("BAUD", "BAUD", -1), 3);
    }
}

TEST(QtSettingsStore, AParsedFileGetsNoBackupAndAnUnkeepableOneIsNotRewritten) {
    QTemporaryDir home;
    const QString path = home.filePath("doxa-win.ini");
    replaceFile(path, "[COM]\nCOM=3\n");
    {
        QtSettingsStore store(path);
        EXPECT_TRUE(store.writeInt("BAUD", "BAUD", 1));
    }
    EXPECT_FALSE(QFile::exists(QtSettingsStore::backupPath(path)));

    // Without a backup, what the technician wrote is not thrown away: the write is refused.
    const QByteArray handWritten = "[COM]\nCOM=3\nnotatka bez znaku rownosci\n";
    replaceFile(path, handWritten);
    for (int number = 0; number < QtSettingsStore::MostBackups; ++number)
        ASSERT_TRUE(QDir().mkpath(QtSettingsStore::backupPath(path, number) + "/zajete"));
    QtSettingsStore store(path);
    EXPECT_FALSE(store.writeInt("BAUD", "BAUD", 2));
    EXPECT_EQ(contents(path), handWritten);
}

// A settings file is a few hundred bytes. One beyond a mebibyte is not read (the reader would
// hold it many times over); it is kept aside and the program starts from the defaults.
TEST(QtSettingsStore, AnOversizedFileIsKeptAsABackupAndTheDefaultsAreUsed) {
    const QFileDevice::Permissions privateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ReadUser | QFileDevice::WriteUser;
    const QByteArray settings = "[COM]\nCOM=3\n";
    for (const qsizetype size : {qsizetype(1) << 20, (qsizetype(1) << 20) + 1}) {
        SCOPED_TRACE(size);
        QTemporaryDir home;
        const QString path = home.filePath("doxa-win.ini");
        const QString backup = QtSettingsStore::backupPath(path);
        const QByteArray original =
            settings + "[Notatki]\ntekst=" + QByteArray(size - settings.size() - 17, 'x') + "\n";
        ASSERT_EQ(original.size(), size);
        replaceFile(path, original);

        QtSettingsStore store(path);
        if (size == qsizetype(1) << 20) {
            EXPECT_EQ(store.readInt("COM", "COM", -1), 3) << "a mebibyte is still read";
            EXPECT_EQ(store.notice(), "");
            EXPECT_FALSE(QFile::exists(backup));
            continue;
        }
        EXPECT_EQ(store.readInt("COM", "COM", -1), -1);
        EXPECT_EQ(contents(backup), original);
        EXPECT_EQ(QFile::permissions(backup), privateFile);
        EXPECT_EQ(store.notice(), "Plik ustawień " + path.toStdString() +
                                      " jest za duży (ponad 1 MB) i nie został wczytany; "
                                      "zachowano go jako " + backup.toStdString() +
                                      ". Program zaczyna od ustawień domyślnych.");
        EXPECT_TRUE(store.writeInt("COM", "COM", 2));
        EXPECT_EQ(contents(path), "[COM]\nCOM=2\n");
        EXPECT_EQ(QFile::permissions(path), privateFile);
    }
}

// Each oversized file, and each hand-written one rewritten, is kept: a backup already there is never
// replaced by the next.
TEST(QtSettingsStore, ABackupAlreadyThereIsKeptAndTheNextOneNumbered) {
    QTemporaryDir home;
    const QString path = home.filePath("doxa-win.ini");
    const QByteArray first = "[A]\nx=" + QByteArray(QtSettingsStore::LargestFile, '1') + "\n";
    const QByteArray second = "[B]\ny=" + QByteArray(QtSettingsStore::LargestFile, '2') + "\n";
    const QByteArray handWritten = "[COM]\nCOM=3\nnotatka bez znaku rownosci\n";
    replaceFile(path, first);
    { QtSettingsStore store(path); }
    replaceFile(path, second);
    {
        QtSettingsStore store(path);
        EXPECT_NE(store.notice().find("zachowano go jako " + home.filePath("doxa-win.ini.bak.1").toStdString()),
                  std::string::npos)
            << store.notice();
    }
    replaceFile(path, handWritten);
    {
        QtSettingsStore store(path);
        EXPECT_TRUE(store.writeInt("BAUD", "BAUD", 2));
    }
    EXPECT_EQ(contents(home.filePath("doxa-win.ini.bak")), first);
    EXPECT_EQ(contents(home.filePath("doxa-win.ini.bak.1")), second);
    EXPECT_EQ(contents(home.filePath("doxa-win.ini.bak.2")), handWritten);
}

// A pipe under the settings file's name would block the reader for ever (nobody writes into it):
// it is refused at once, left where it is, and nothing is written in its place.
TEST(QtSettingsStore, APipeInPlaceOfTheFileIsRefusedWithoutBeingRead) {
    QTemporaryDir home;
    const QString path = home.filePath("doxa-win.ini");
    ASSERT_EQ(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);

    QtSettingsStore store(path);
    EXPECT_EQ(store.readInt("COM", "COM", -1), -1);
    EXPECT_EQ(store.notice(), "Plik ustawień " + path.toStdString() +
                                  " nie jest zwykłym plikiem i nie został wczytany. Program używa "
                                  "ustawień domyślnych i nie zapisze zmian.");
    ASSERT_TRUE(startLanguage(Language::English));
    EXPECT_EQ(shownText(store.notice()), "The settings file " + path.toStdString() +
                                             " is not a regular file and was not read. The program "
                                             "uses the default settings and will not save changes.");
    startLanguage(Language::Polish);
    EXPECT_FALSE(store.writeInt("COM", "COM", 2));
    EXPECT_FALSE(QFileInfo(path).isFile());
    EXPECT_FALSE(QFile::exists(QtSettingsStore::backupPath(path)));
}

}  // namespace
}  // namespace doxa
