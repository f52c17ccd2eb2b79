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
        {{}, "--port is required"},
        {{"--port"}, "--port needs a value (PORT)"},
        {{"--port", "COM1", "--address", "128"}, "--address takes 0..127, not '128'"},
        {{"--port", "COM1", "--address", "-1"}, "--address takes 0..127, not '-1'"},
        {{"--port", "COM1", "--address", "1x"}, "--address takes 0..127, not '1x'"},
        {{"--port", "COM1", "--rs485", "--baud", "2400"},
         "--baud takes 1200, 4800, 9600, 19200 or 38400, not '2400'"},
        {{"--port", "COM1", "--baud", "9600"},
         "--baud and --parity are for --rs485 (HART runs at 1200 baud, odd parity)"},
        {{"--port", "COM1", "--rs485", "--parity", "even"}, "--parity takes odd or none, not 'even'"},
        {{"--port", "COM1", "--count", "0"}, "--count takes a whole number from 1, not '0'"},
        {{"--port", "COM1", "--timeout", "0"}, "--timeout takes 1..86400 seconds, not '0'"},
        {{"--port", "COM1", "--json", "--csv"}, "--json and --csv exclude each other"},
        {{"--port", "COM1", "--rs485=yes"}, "--rs485 takes no value"},
        {{"--port", "COM1", "--verbose"}, "unknown option --verbose"},
        {{"--port", "COM1", "extra"}, "unexpected operand 'extra'"},
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
    EXPECT_EQ(parseInvocation(watchOnly, identify->options, 0).error, "unknown option --count");
    const std::vector<std::string_view> help = {"--help"};
    const ParsedInvocation asked = parseInvocation(help, identify->options, 0);
    EXPECT_TRUE(asked.error.empty());
    EXPECT_TRUE(asked.invocation.help);
    const std::string text = commandHelp(*identify);
    EXPECT_NE(text.find("--json"), std::string::npos);
    EXPECT_EQ(text.find("--csv"), std::string::npos);
    EXPECT_NE(text.find("  4     the port could not be opened"), std::string::npos);
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
    EXPECT_EQ(run({"--due", "soon"}).error, "--due takes 0..3660 days, not 'soon'");
    EXPECT_EQ(run({"--due", "3661"}).error, "--due takes 0..3660 days, not '3661'");
    EXPECT_EQ(run({"--due", "--csv"}).error, "--due lists transmitters: it takes no --since, --csv or --hand-over");
    EXPECT_EQ(run({"--since", "2025-01-01", "--due"}).error,
              "--due lists transmitters: it takes no --since, --csv or --hand-over");
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
        {"read", {"--port", "COM1"}, "-o FILE is required"},
        {"read", {"--port", "COM1", "-o"}, "--output needs a value (FILE)"},
        {"read", {"--port", "COM1", "-o", "a.prg", "--dry-run"}, "unknown option --dry-run"},
        {"write", {"--port", "COM1"}, "missing operand"},
        {"write", {"--port", "COM1", "a.prg", "b.prg"}, "unexpected operand 'b.prg'"},
        {"write", {"--port", "COM1", "-o", "a.prg"}, "unknown option --output"},
        {"finder", {"--port", "COM1", "--from", "128"}, "--from takes 0..127, not '128'"},
        {"finder", {"--port", "COM1", "--from", "9", "--to", "8"}, "--from must not be past --to"},
        {"finder", {"--port", "COM1", "--address", "1"}, "unknown option --address"},
        {"convert", {"--celsius", "20"}, "--sensor is required"},
        {"convert", {"--sensor", "k"}, "give one of --celsius, --ohm and --mv"},
        {"convert", {"--sensor", "k", "--mv", "1", "--celsius", "20"}, "give one of --celsius, --ohm and --mv"},
        {"convert", {"--sensor", "k", "--mv", "1,5"}, "--mv takes a number such as 21.5, not '1,5'"},
        {"convert", {"--sensor", "k", "--mv", "inf"}, "--mv takes a number such as 21.5, not 'inf'"},
        {"convert", {"--sensor", "k", "--celsius", "nan"}, "--celsius takes a number such as 21.5, not 'nan'"},
        {"convert", {"--sensor", "k", "--mv", "1", "--port", "COM1"}, "unknown option --port"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(run(c.command, c.args).error, c.error);
    }
}

}  // namespace
}  // namespace doxa::cli
