#include "link/open_failure.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "link/posix_serial_line.h"

namespace doxa {
namespace {

namespace fs = std::filesystem;

TEST(OpenFailureReason, EachErrnoOfAnOpenHasTheReasonATechnicianActsOn) {
    struct Case {
        int error;
        OpenFailureReason reason;
    };
    for (const Case& c :
         {Case{ENOENT, OpenFailureReason::Missing}, Case{ENODEV, OpenFailureReason::Missing},
          Case{ENXIO, OpenFailureReason::Missing}, Case{EACCES, OpenFailureReason::NoPermission},
          Case{EPERM, OpenFailureReason::NoPermission}, Case{EBUSY, OpenFailureReason::InUse},
          Case{ENOTTY, OpenFailureReason::NotSerial}, Case{EIO, OpenFailureReason::Unknown},
          Case{0, OpenFailureReason::Unknown}}) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(reasonOf({c.error, {}, false}), c.reason);
    }
    EXPECT_EQ(reasonOf({EBUSY, {}, true}), OpenFailureReason::OwnTerminal);
}

TEST(OpenFailureText, NamesThePortTheDeviceAndWhatToDo) {
    const std::string head = "Port COM3 (/dev/ttyUSB0) nie został otwarty: ";
    struct Case {
        OpenFailure failure;
        std::string text;
    };
    const Case cases[] = {
        {{ENOENT, {}, false},
         head + "urządzenie nie istnieje. Sprawdź, czy konwerter jest podłączony."},
        {{EACCES, {}, false},
         head + "brak uprawnień do urządzenia. Dodaj użytkownika do grupy dialout poleceniem\n"
                "sudo usermod -aG dialout $USER\ni zaloguj się ponownie."},
        {{EBUSY, "minicom, PID 4321", false},
         head + "port jest zajęty przez inny program (minicom, PID 4321). Zamknij go i spróbuj "
                "ponownie."},
        {{EBUSY, {}, false},
         head + "port jest zajęty przez inny program. Zamknij go i spróbuj ponownie."},
        {{ENOTTY, {}, false},
         head + "to nie jest port szeregowy. Wybierz inne urządzenie: Ustawienia → Port."},
        {{EBUSY, {}, true}, head + "to terminal, w którym działa program, a nie port szeregowy."},
        {{EIO, {}, false}, head + "błąd systemu 5 (Input/output error)."},
        {{0, {}, false}, "Port COM3 (/dev/ttyUSB0) nie został otwarty."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(openFailureText("COM3", "/dev/ttyUSB0", c.failure), c.text);
    EXPECT_EQ(openFailureText("COM1", "", {ENODEV, {}, false}),
              "Port COM1 nie został otwarty: urządzenie nie istnieje. Sprawdź, czy konwerter jest "
              "podłączony.");
    EXPECT_EQ(noDeviceText("COM2"),
              "Port COM2 nie ma przypisanego urządzenia. Wybierz je: Ustawienia → Port.");
    EXPECT_EQ(noDeviceText(""), "Nie wybrano portu. Wybierz go: Ustawienia → Port.");
}

// A folder of lock files of its own, and a process that holds a lock there until the test ends.
class LockFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/doxa-locks-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override {
        if (holder > 0) {
            ::kill(holder, SIGKILL);
            ::waitpid(holder, nullptr, 0);
        }
        fs::remove_all(folder);
    }

    // A live process named "lockholder".
    pid_t startHolder() {
        holder = ::fork();
        if (holder == 0) {
            ::prctl(PR_SET_NAME, "lockholder");
            for (;;) ::pause();
        }
        // Its name is set by itself; wait until it shows.
        for (int i = 0; i < 500; ++i) {
            std::ifstream comm("/proc/" + std::to_string(holder) + "/comm");
            std::string name;
            std::getline(comm, name);
            if (name == "lockholder") break;
            usleep(1000);
        }
        return holder;
    }

    void writeLock(const std::string& name, const std::string& content) {
        std::ofstream(folder + "/LCK.." + name, std::ios::binary) << content;
    }

    std::string folder;
    pid_t holder = -1;
};

TEST_F(LockFolder, TheLiveOwnerOfALockIsNamedByItsProcessNameAndPid) {
    const pid_t pid = startHolder();
    char text[16];
    std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(pid));
    writeLock("ttyUSB7", text);
    EXPECT_EQ(lockHolder({folder + "/absent", folder}, "/dev/ttyUSB7"),
              "lockholder, PID " + std::to_string(pid));
    EXPECT_EQ(lockHolder({folder}, "/dev/ttyUSB8"), std::nullopt);

    // Older programs write the PID as a binary int.
    const std::int32_t binary = pid;
    writeLock("ttyS4", std::string(reinterpret_cast<const char*>(&binary), sizeof binary));
    EXPECT_EQ(lockHolder({folder}, "/dev/ttyS4"), "lockholder, PID " + std::to_string(pid));
}

TEST_F(LockFolder, ALockLeftByAnEndedProcessOrByThisOneHoldsNothing) {
    const pid_t ended = ::fork();
    if (ended == 0) ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    writeLock("ttyUSB0", std::to_string(ended) + "\n");
    EXPECT_EQ(lockHolder({folder}, "/dev/ttyUSB0"), std::nullopt);
    writeLock("ttyUSB1", std::to_string(::getpid()) + "\n");
    EXPECT_EQ(lockHolder({folder}, "/dev/ttyUSB1"), std::nullopt);
    writeLock("ttyUSB2", "garbage\n");
    EXPECT_EQ(lockHolder({folder}, "/dev/ttyUSB2"), std::nullopt);
}

// The far end of a pseudo-terminal stands in for a serial adapter.
class HeldTerminal : public LockFolder {
protected:
    void SetUp() override {
        LockFolder::SetUp();
        master = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(grantpt(master), 0);
        ASSERT_EQ(unlockpt(master), 0);
        slavePath = ptsname(master);
    }
    void TearDown() override {
        if (master >= 0) ::close(master);
        LockFolder::TearDown();
    }

    int master = -1;
    std::string slavePath;
};

TEST_F(HeldTerminal, ADeviceLockedByAnotherProgramIsInUseAndNamesIt) {
    // The technician may have chosen a link to the device; the lock is the device's own.
    const std::string link = folder + "/adapter";
    fs::create_symlink(slavePath, link);
    const pid_t pid = startHolder();
    writeLock(fs::path(slavePath).filename().string(), std::to_string(pid) + "\n");
    PosixSerialLine line(link, {folder});
    EXPECT_FALSE(line.open());
    EXPECT_EQ(reasonOf(line.openFailure()), OpenFailureReason::InUse);
    EXPECT_EQ(line.openFailure().holder, "lockholder, PID " + std::to_string(pid));

    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    holder = -1;
    EXPECT_TRUE(line.open()) << "a lock whose owner has ended is stale";
    EXPECT_EQ(line.openFailure().error, 0);
}

// Root may open a device another program took for exclusive use; it still must not share it.
TEST_F(HeldTerminal, ADeviceTakenForExclusiveUseIsInUse) {
    PosixSerialLine first(slavePath, {folder});
    ASSERT_TRUE(first.open());
    PosixSerialLine second(slavePath, {folder});
    EXPECT_FALSE(second.open());
    EXPECT_EQ(reasonOf(second.openFailure()), OpenFailureReason::InUse);
    first.close();
    EXPECT_TRUE(second.open());
}

TEST_F(LockFolder, AMissingPathAndAPlainFileAreToldApart) {
    PosixSerialLine missing(folder + "/ttyUSB9", {folder});
    EXPECT_FALSE(missing.open());
    EXPECT_EQ(missing.openFailure().error, ENOENT);
    EXPECT_EQ(reasonOf(missing.openFailure()), OpenFailureReason::Missing);

    const std::string plain = folder + "/not-a-port";
    std::ofstream(plain) << "text";
    PosixSerialLine file(plain, {folder});
    EXPECT_FALSE(file.open());
    EXPECT_EQ(reasonOf(file.openFailure()), OpenFailureReason::NotSerial);
    PosixSerialLine null("/dev/null", {folder});
    EXPECT_FALSE(null.open());
    EXPECT_EQ(reasonOf(null.openFailure()), OpenFailureReason::NotSerial);
}

}  // namespace
}  // namespace doxa
