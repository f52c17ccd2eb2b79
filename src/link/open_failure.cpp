#include "link/open_failure.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "link/screen_text.h"

namespace doxa {

namespace {

// The lock file holds the PID as text ("      1234\n"), or, from older programs, as the four
// bytes of a binary int.
std::optional<pid_t> lockPid(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    const std::string content((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    if (content.size() == sizeof(std::int32_t) &&
        content.find_first_not_of(" 0123456789\n") != std::string::npos) {
        std::int32_t binary = 0;
        std::memcpy(&binary, content.data(), sizeof binary);
        return binary > 0 ? std::optional<pid_t>(binary) : std::nullopt;
    }
    char* end = nullptr;
    const long pid = std::strtol(content.c_str(), &end, 10);
    if (end == content.c_str() || pid <= 0) return std::nullopt;
    return static_cast<pid_t>(pid);
}

bool isAlive(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

std::string processName(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(file, name);
    return name;
}

// Lock files are named after the device itself, whatever link the technician chose.
std::string lockName(const std::string& devicePath) {
    std::error_code ignored;
    const std::filesystem::path real = std::filesystem::canonical(devicePath, ignored);
    return "LCK.." + (real.empty() ? std::filesystem::path(devicePath) : real).filename().string();
}

std::string_view reasonText(OpenFailureReason reason) {
    switch (reason) {
        case OpenFailureReason::Missing:
            return UI_TEXT("urządzenie nie istnieje. Sprawdź, czy konwerter jest podłączony.");
        case OpenFailureReason::NoPermission:
            return UI_TEXT(
                "brak uprawnień do urządzenia. Dodaj użytkownika do grupy dialout poleceniem\n"
                "sudo usermod -aG dialout $USER\n"
                "i zaloguj się ponownie.");
        case OpenFailureReason::NotSerial:
            return UI_TEXT(
                "to nie jest port szeregowy. Wybierz inne urządzenie: Ustawienia → Port.");
        case OpenFailureReason::OwnTerminal:
            return UI_TEXT("to terminal, w którym działa program, a nie port szeregowy.");
        case OpenFailureReason::InUse:
        case OpenFailureReason::Unknown:
            break;
    }
    return {};
}

std::string inUseText(const std::string& holder) {
    if (holder.empty())
        return UI_TEXT("port jest zajęty przez inny program. Zamknij go i spróbuj ponownie.");
    return formatText(
        UI_TEXT("port jest zajęty przez inny program (%1). Zamknij go i spróbuj ponownie."),
        {holder});
}

// The reason follows the port after a colon; with none known, the sentence ends at the port.
std::string failedPortText(std::string_view portName, std::string_view device,
                           std::string_view reason) {
    if (device.empty()) {
        if (reason.empty()) return formatText(UI_TEXT("Port %1 nie został otwarty."), {portName});
        return formatText(UI_TEXT("Port %1 nie został otwarty: %2"), {portName, reason});
    }
    if (reason.empty())
        return formatText(UI_TEXT("Port %1 (%2) nie został otwarty."), {portName, device});
    return formatText(UI_TEXT("Port %1 (%2) nie został otwarty: %3"), {portName, device, reason});
}

std::string reasonOfFailure(const OpenFailure& failure) {
    const OpenFailureReason reason = reasonOf(failure);
    if (reason == OpenFailureReason::InUse) return inUseText(failure.holder);
    if (reason != OpenFailureReason::Unknown) return std::string(reasonText(reason));
    if (failure.error == 0) return {};
    return formatText(UI_TEXT("błąd systemu %1 (%2)."),
                      {std::to_string(failure.error), std::strerror(failure.error)});
}

}  // namespace

OpenFailureReason reasonOf(const OpenFailure& failure) {
    if (failure.ownTerminal) return OpenFailureReason::OwnTerminal;
    switch (failure.error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return OpenFailureReason::Missing;
        case EACCES:
        case EPERM:
            return OpenFailureReason::NoPermission;
        case EBUSY:
            return OpenFailureReason::InUse;
        case ENOTTY:
        case ENOTDIR:
        case EISDIR:
            return OpenFailureReason::NotSerial;
        default:
            return OpenFailureReason::Unknown;
    }
}

std::vector<std::string> defaultLockFolders() { return {"/var/lock", "/run/lock"}; }

std::optional<std::string> lockHolder(const std::vector<std::string>& lockFolders,
                                      const std::string& devicePath) {
    const std::string name = lockName(devicePath);
    for (const std::string& folder : lockFolders) {
        const std::optional<pid_t> pid = lockPid(folder + "/" + name);
        if (!pid || *pid == ::getpid() || !isAlive(*pid)) continue;
        const std::string program = processName(*pid);
        return (program.empty() ? "" : program + ", ") + "PID " + std::to_string(*pid);
    }
    return std::nullopt;
}

std::string openFailureText(std::string_view portName, std::string_view device,
                            const OpenFailure& failure) {
    return failedPortText(portName, device, reasonOfFailure(failure));
}

std::string noDeviceText(std::string_view portName) {
    if (portName.empty()) return UI_TEXT("Nie wybrano portu. Wybierz go: Ustawienia → Port.");
    return formatText(
        UI_TEXT("Port %1 nie ma przypisanego urządzenia. Wybierz je: Ustawienia → Port."),
        {portName});
}

}  // namespace doxa
