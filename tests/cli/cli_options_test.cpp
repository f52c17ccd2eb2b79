#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "cli/commands.h"

namespace doxa::cli {
namespace {

constexpr std::array AllOptions{Opt::Port, Opt::Rs485, Opt::Baud, Opt::Parity, Opt::Address,
                                Opt::Timeout, Opt::Json, Opt::Count, Opt::Csv};

ParsedInvocation parse(std::vector<std::string_view> args, std::size_t operands = 0) {
    return parseInvocation(args, AllOptions, operands);
}

TEST(CliOptions, TakesTheLineAsTheDialogsKnowIt) {
    const Invocation inv = parse({"--port", "COM3", "--rs485", "--baud=38400", "--parity", "none",
                                  "--address", "127", "--timeout", "4", "--count", "2", "--csv"})
                               .invocation;
    EXPECT_EQ(inv.line.port, "COM3");
    EXPECT_TRUE(inv.line.rs485);
    EXPECT_EQ(inv.line.baudIndex, 4);
    EXPECT_EQ(inv.line.parityOff, 1);
    EXPECT_EQ(inv.line.pollingAddress, 127);
    EXPECT_EQ(inv.timeoutSeconds, 4);
    EXPECT_EQ(inv.count, 2);
    EXPECT_TRUE(inv.csv);

    const Invocation hart = parse({"--port=sim:DOXA-22"}).invocation;
    EXPECT_FALSE(hart.line.rs485);
    EXPECT_EQ(hart.line.baudIndex, 0);
    EXPECT_EQ(hart.line.parityOff, 0);
    EXPECT_EQ(hart.line.pollingAddress, 0);
}

TEST(CliOptions, RefusesWhatAScriptMustNotGetSilentlyChanged) {
    struct Case {
        std::vector<std::string_view> args;
        std::string_view error;
    };
    const std::vector<Case> cases = {
        {{}, "wymagane jest --port"},
        {{"--port"}, "--port wymaga wartości (PORT)"},
        {{"--port", "COM1", "--address", "128"}, "--address przyjmuje 0..127, a nie '128'"},
        {{"--port", "COM1", "--address", "-1"}, "--address przyjmuje 0..127, a nie '-1'"},
        {{"--port", "COM1", "--address", "1x"}, "--address przyjmuje 0..127, a nie '1x'"},
        {{"--port", "COM1", "--rs485", "--baud", "2400"},
         "--baud przyjmuje 1200, 4800, 9600, 19200 lub 38400, a nie '2400'"},
        {{"--port", "COM1", "--baud", "9600"},
         "--baud i --parity dotyczą --rs485 (HART pracuje z prędkością 1200 bodów, parzystość nieparzysta)"},
        {{"--port", "COM1", "--rs485", "--parity", "even"}, "--parity przyjmuje odd lub none, a nie 'even'"},
        {{"--port", "COM1", "--count", "0"}, "--count przyjmuje liczbę całkowitą od 1, a nie '0'"},
        {{"--port", "COM1", "--timeout", "0"}, "--timeout przyjmuje 1..86400 sekund, a nie '0'"},
        {{"--port", "COM1", "--json", "--csv"}, "--json i --csv wykluczają się wzajemnie"},
        {{"--port", "COM1", "--rs485=yes"}, "--rs485 nie przyjmuje wartości"},
        {{"--port", "COM1", "--verbose"}, "nieznana opcja --verbose"},
        {{"--port", "COM1", "extra"}, "nadmiarowy argument 'extra'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(parse(c.args).error, c.error);
    }
}

TEST(CliOptions, EachCommandTakesOnlyItsOwnOptionsAndHelpNeedsNoPort) {
    const Command* identify = findCommand("identify");
    ASSERT_NE(identify, nullptr);
    const std::vector<std::string_view> watchOnly = {"--port", "COM1", "--count", "3"};
    EXPECT_EQ(parseInvocation(watchOnly, identify->options, 0).error, "nieznana opcja --count");
    const std::vector<std::string_view> help = {"--help"};
    const ParsedInvocation asked = parseInvocation(help, identify->options, 0);
    EXPECT_TRUE(asked.error.empty());
    EXPECT_TRUE(asked.invocation.help);
    const std::string text = commandHelp(*identify);
    EXPECT_NE(text.find("--json"), std::string::npos);
    EXPECT_EQ(text.find("--csv"), std::string::npos);
    EXPECT_NE(text.find("  4     nie można otworzyć portu"), std::string::npos);
}

// --due takes its days or leaves them to the default; what it lists has no date or CSV form.
TEST(CliOptions, HistoryDueTakesItsDaysOrThirty) {
    const Command* history = findCommand("history");
    ASSERT_NE(history, nullptr);
    const auto run = [history](std::vector<std::string_view> args) { return parseInvocation(args, history->options, 0); };
    EXPECT_EQ(run({"--due"}).invocation.dueDays, 30);
    EXPECT_EQ(run({"--due", "7"}).invocation.dueDays, 7);
    EXPECT_EQ(run({"--due=0"}).invocation.dueDays, 0);
    const Invocation json = run({"--due", "--json", "--serial", "4"}).invocation;
    EXPECT_EQ(json.dueDays, 30);
    EXPECT_TRUE(json.json);
    EXPECT_EQ(json.serial, 4);
    EXPECT_FALSE(run({"--json"}).invocation.dueDays);
    EXPECT_EQ(run({"--due", "soon"}).error, "--due przyjmuje 0..3660 dni, a nie 'soon'");
    EXPECT_EQ(run({"--due", "3661"}).error, "--due przyjmuje 0..3660 dni, a nie '3661'");
    EXPECT_EQ(run({"--due", "--csv"}).error, "--due wypisuje przetworniki: nie przyjmuje --since, --csv ani --hand-over");
    EXPECT_EQ(run({"--since", "2025-01-01", "--due"}).error,
              "--due wypisuje przetworniki: nie przyjmuje --since, --csv ani --hand-over");
    EXPECT_NE(commandHelp(*history).find("--due [DAYS]"), std::string::npos);
}

TEST(CliOptions, ReadWriteAndFinderTakeTheirFileAndRange) {
    const auto run = [](std::string_view name, std::vector<std::string_view> args) {
        const Command* command = findCommand(name);
        EXPECT_NE(command, nullptr) << name;
        return parseInvocation(args, command->options, command->operandCount);
    };
    EXPECT_EQ(run("read", {"--port", "COM1", "-o", "a.prg"}).invocation.output, "a.prg");
    EXPECT_EQ(run("read", {"--port", "COM1", "--output=b.prg"}).invocation.output, "b.prg");
    const Invocation write = run("write", {"--port", "COM1", "c.prg", "--dry-run"}).invocation;
    EXPECT_EQ(write.operands, std::vector<std::string>{"c.prg"});
    EXPECT_TRUE(write.dryRun);
    const Invocation finder = run("finder", {"--port", "COM1", "--from", "3", "--to=9"}).invocation;
    EXPECT_EQ(finder.from, 3);
    EXPECT_EQ(finder.to, 9);
    EXPECT_FALSE(run("finder", {"--port", "COM1"}).invocation.from.has_value());
    const Invocation convert = run("convert", {"--sensor", "t", "--mv=-1.25", "--cold-junction", "23.5"}).invocation;
    EXPECT_EQ(convert.sensor, "t");
    EXPECT_EQ(convert.mv, -1.25);
    EXPECT_EQ(convert.coldJunction, 23.5);

    struct Case {
        std::string_view command;
        std::vector<std::string_view> args;
        std::string_view error;
    };
    const std::vector<Case> cases = {
        {"read", {"--port", "COM1"}, "wymagane jest -o FILE"},
        {"read", {"--port", "COM1", "-o"}, "--output wymaga wartości (FILE)"},
        {"read", {"--port", "COM1", "-o", "a.prg", "--dry-run"}, "nieznana opcja --dry-run"},
        {"write", {"--port", "COM1"}, "brak argumentu"},
        {"write", {"--port", "COM1", "a.prg", "b.prg"}, "nadmiarowy argument 'b.prg'"},
        {"write", {"--port", "COM1", "-o", "a.prg"}, "nieznana opcja --output"},
        {"finder", {"--port", "COM1", "--from", "128"}, "--from przyjmuje 0..127, a nie '128'"},
        {"finder", {"--port", "COM1", "--from", "9", "--to", "8"}, "--from nie może być większe niż --to"},
        {"finder", {"--port", "COM1", "--address", "1"}, "nieznana opcja --address"},
        {"convert", {"--celsius", "20"}, "wymagane jest --sensor"},
        {"convert", {"--sensor", "k"}, "podaj jedno z --celsius, --ohm i --mv"},
        {"convert", {"--sensor", "k", "--mv", "1", "--celsius", "20"}, "podaj jedno z --celsius, --ohm i --mv"},
        {"convert", {"--sensor", "k", "--mv", "1,5"}, "--mv przyjmuje liczbę, np. 21.5, a nie '1,5'"},
        {"convert", {"--sensor", "k", "--mv", "inf"}, "--mv przyjmuje liczbę, np. 21.5, a nie 'inf'"},
        {"convert", {"--sensor", "k", "--celsius", "nan"}, "--celsius przyjmuje liczbę, np. 21.5, a nie 'nan'"},
        {"convert", {"--sensor", "k", "--mv", "1", "--port", "COM1"}, "nieznana opcja --port"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(run(c.command, c.args).error, c.error);
    }
}

}  // namespace
}  // namespace doxa::cli
