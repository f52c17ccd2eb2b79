// doxa-cli as a script runs it: the program against doxa-sim on a pseudo-terminal, through the
// real serial line, judged by its output and exit status.

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/sim_process.h"

namespace doxa {
namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// Runs doxa-cli with `args`, doxa-win's settings in `config` (XDG_CONFIG_HOME).
Result runCli(std::vector<std::string> args, const std::filesystem::path& config) {
    test::TempFolder output;
    const auto out = output.path() / "out";
    const auto err = output.path() / "err";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr)) ::_exit(126);
        std::vector<char*> argv{const_cast<char*>(DOXA_CLI_PROGRAM)};
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(DOXA_CLI_PROGRAM, argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, contents(out), contents(err)};
}

// One doxa-sim at address 1 with serial number 4242, published under a link in a private
// folder that also holds doxa-win's settings, in which COM3 leads to the simulator.
class CliOnPty : public ::testing::Test {
protected:
    void serve(const char* model) {
        sim_ = std::make_unique<test::SimProcess>(std::vector<std::string>{
            "--model", model, "--serial", "4242", "--address", "1", "--link", link().string()});
        ASSERT_TRUE(test::waitForLink(link()));
        std::filesystem::create_directories(folder_.path() / "doxa-win");
        std::ofstream(folder_.path() / "doxa-win" / "doxa-win.ini")
            << "[Porty]\nCOM3=" << link().string() << "\n";
    }
    Result cli(std::vector<std::string> args) { return runCli(std::move(args), folder_.path()); }
    std::filesystem::path link() const { return folder_.path() / "tty"; }

    test::TempFolder folder_;
    std::unique_ptr<test::SimProcess> sim_;
};

TEST_F(CliOnPty, IdentifiesInHartThroughDoxaWinsPortMapping) {
    serve("DOXA-22");
    const Result r = cli({"identify", "--port", "COM3", "--address", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> shown = lines(r.out);
    ASSERT_EQ(shown.size(), 11u) << r.out;
    EXPECT_EQ(shown[0], "Adres:                 1");
    EXPECT_EQ(shown[1], "Typ przetwornika:      DOXA-22");
    EXPECT_EQ(shown[2], "Nr seryjny:            4242");
    EXPECT_EQ(shown[4], "Rodzaj wyjścia:        4...20mA");
    EXPECT_EQ(shown[5], "Sygnalizacja przerwy:  na max");
}

TEST_F(CliOnPty, IdentifiesInRs485OnADevicePathAsJson) {
    serve("RIVO-22");
    const Result r = cli({"identify", "--port", link().string(), "--rs485", "--baud", "19200",
                          "--address", "1", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"mode\": \"RS485\", \"address\": 1, \"model\": \"RIVO-22\", "
                         "\"serialNumber\": \"4242\""),
              std::string::npos)
        << r.out;
    // A RIVO has no threshold; RS485 does not carry the output type, so the field stays empty.
    EXPECT_NE(r.out.find("\"output\": null"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"threshold\": \"brak\""), std::string::npos) << r.out;
}

TEST_F(CliOnPty, WatchPrintsTwoCsvCyclesOfValues) {
    serve("DOXA-22");
    const Result r = cli({"watch", "--port", "COM3", "--address", "1", "--count", "2", "--csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> shown = lines(r.out);
    ASSERT_EQ(shown.size(), 3u) << r.out;
    EXPECT_EQ(shown[0], "time,pv,pv_unit,output,output_unit,ambient,ambient_unit");
    for (std::size_t i = 1; i < shown.size(); ++i) {
        std::vector<std::string> fields;
        std::istringstream row(shown[i]);
        for (std::string f; std::getline(row, f, ',');) fields.push_back(f);
        ASSERT_EQ(fields.size(), 7u) << shown[i];
        EXPECT_NO_THROW((void)std::stod(fields[1])) << shown[i];
        EXPECT_EQ(fields[2], "°C");
        EXPECT_EQ(fields[4], "mA");
        // One decimal for °C, three for mA, as the display cuts them.
        EXPECT_EQ(fields[1].size() - fields[1].find('.'), 2u) << shown[i];
        EXPECT_EQ(fields[3].size() - fields[3].find('.'), 4u) << shown[i];
        EXPECT_EQ(fields[6], "°C");
    }
}

TEST_F(CliOnPty, ExitStatusTellsNoAnswerFromBadInputAndABadPort) {
    serve("DOXA-22");
    const Result silent = cli({"identify", "--port", "COM3", "--address", "2", "--timeout", "2"});
    EXPECT_EQ(silent.status, 1);
    EXPECT_EQ(silent.out, "");
    EXPECT_EQ(lines(silent.err).size(), 1u) << silent.err;
    EXPECT_NE(silent.err.find("no answer from COM3 (HART, " + link().string() + ", address 2) within 2 s"),
              std::string::npos)
        << silent.err;

    const Result notWatched = cli({"watch", "--port", "COM3", "--address", "2", "--timeout", "1", "--csv"});
    EXPECT_EQ(notWatched.status, 1) << notWatched.err;
    EXPECT_EQ(notWatched.out, "") << "not even the CSV header";

    const Result address = cli({"identify", "--port", "COM3", "--address", "128"});
    EXPECT_EQ(address.status, 2);
    EXPECT_EQ(lines(address.err).front(), "doxa-cli: --address takes 0..127, not '128'");

    const Result option = cli({"watch", "--port", "COM3", "--json"});
    EXPECT_EQ(option.status, 2);
    EXPECT_EQ(cli({"erase", "--port", "COM3"}).status, 2);

    const Result missing = cli({"identify", "--port", (folder_.path() / "nothing").string()});
    EXPECT_EQ(missing.status, 4);
    EXPECT_NE(missing.err.find("No such file or directory"), std::string::npos) << missing.err;
    EXPECT_EQ(sim_->stop(), 0);
}

}  // namespace
}  // namespace doxa
