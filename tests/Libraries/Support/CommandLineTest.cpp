// The parser on whole argument lists: what each option ends up holding, what is left unparsed, and
// the error a user sees, for ordinary lists and for hostile ones.

#include <gtest/gtest.h>

#include <clocale>

#include "Libraries/Support/CommandLine.h"
#include "Platform/Foundation/Formatters.h"

namespace support {
namespace {

using Texts = std::vector<std::string>;

// What a parse leaves, written as the options that were set and the arguments left over
// ("v c=2 o=x rest=[y]"), or "error: " and the text of the error.
struct Case {
    Texts args;
    bool strict;
    std::string outcome;
    const char* locale = "en_US";
};

std::string list(const Texts& texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) out += (i ? "," : "") + texts[i];
    return out + "]";
}

class CommandLineTest : public ::testing::Test {
  protected:
    void SetUp() override { savedLocale_ = foundation::defaultLocale(); }
    void TearDown() override { foundation::setDefaultLocale(savedLocale_); }

  private:
    std::string savedLocale_;
};

TEST_F(CommandLineTest, ArgumentListsGiveTheirValuesAndLeftovers) {
    const Case cases[] = {
        // Ordinary use.
        {{"tool", "-v", "-o", "x", "y"}, false, "v o=x rest=[y]"},
        {{"tool", "--output=x", "y"}, true, "o=x rest=[y]"},
        {{"tool", "-o=x", "y"}, true, "o=x rest=[y]"},
        {{"tool", "--output=", "x"}, true, "o=x"},
        {{"tool", "-o=a=b"}, true, "o=a=b"},
        {{"tool", "-verbose"}, true, "v"},
        {{"tool", "--v"}, true, "v"},
        {{"tool", "-vcc"}, true, "v c=2"},
        {{"tool", "-cvo", "x"}, true, "v c=1 o=x"},
        {{"tool", "-m", "a", "b", "-v", "c"}, false, "v m=[a,b] rest=[c]"},
        {{"tool", "-n", "5", "6"}, false, "n=5 rest=[6]"},
        {{"tool", "a", "--", "-v"}, true, "rest=[a,--,-v]"},
        {{"tool", "--", "--", "-v"}, true, "rest=[--,--,-v]"},
        {{"tool", "-"}, false, "rest=[-]"},
        {{"tool", "-"}, true, "rest=[-]"},
        {{"tool", "--verbose=yes", "-c=3"}, true, "v c=1"},
        {{"tool", "", "x"}, true, "rest=[x]"},
        {{"tool", "-x"}, false, "rest=[-x]"},
        {{"tool", "-x"}, true, "error: Invalid argument: -x"},
        {{"tool", "--verbose-mode"}, true, "error: Invalid argument: --verbose-mode"},
        {{"tool", "-xv"}, true, "v"},  // a group counts once one letter matched
        // Values that look like flags: numbers are values, and a value is never read again as a flag.
        {{"tool", "-n", "-5"}, false, "n=-5"},
        {{"tool", "-n", "-5"}, true, "n=-5"},
        {{"tool", "-o", "-1e5"}, true, "o=-1e5"},
        {{"tool", "-o", "-0x1f"}, true, "o=-0x1f"},
        {{"tool", "-m", "-1", "-2.5", "-v"}, true, "v m=[-1,-2.5]"},
        {{"tool", "-o", "-v"}, false, "error: Invalid value(s) for option -o, --output: "},
        {{"tool", "-n", "-x"}, false, "error: Invalid value(s) for option -n: "},
        {{"tool", "-n", "abc"}, false, "error: Invalid value(s) for option -n: abc"},
        {{"tool", "-n", "abc", "def"}, false, "error: Invalid value(s) for option -n: abc, def"},
        {{"tool", "-on", "5"}, false, "error: Invalid value(s) for option -o, --output: "},
        // Missing values.
        {{"tool", "-o"}, false, "error: Invalid value(s) for option -o, --output: "},
        {{"tool", "-v", "-n"}, true, "error: Invalid value(s) for option -n: "},
        // Repeated flags: the last value wins, counters count, switches stay on.
        {{"tool", "-o", "x", "-o", "y"}, true, "o=y"},
        {{"tool", "-n", "5", "--v", "-n", "7"}, true, "v n=7"},
        {{"tool", "-c", "-c", "-vc", "-v"}, true, "v c=3"},
        // "--" in the middle: what follows is only ever a value or left over, and an argument is
        // never both an option's value and unparsed.
        {{"tool", "-o", "--", "-v"}, true, "o=-v rest=[--]"},
        {{"tool", "-o", "--", "-v", "-c"}, true, "o=-v rest=[--,-c]"},
        {{"tool", "-m", "a", "--", "-v", "b"}, true, "m=[a,-v,b] rest=[--]"},
        {{"tool", "x", "--", "-o", "y"}, true, "rest=[x,--,-o,y]"},
        // The command name is never a flag, whatever it looks like.
        {{"-v", "-c"}, true, "c=1"},
        {{"-bash"}, true, ""},
        // Decimal numbers follow the user's locale, both as values and in telling values from flags.
        {{"tool", "-e", "2,5"}, true, "e=2.5", "de_DE"},
        {{"tool", "-e", "-0,5", "x"}, true, "e=-0.5 rest=[x]", "de_DE"},
        {{"tool", "-m", "-0,5", "-1"}, true, "m=[-0,5,-1]", "de_DE"},
        {{"tool", "-e", "-0.5"}, true, "e=-0.5"},
        {{"tool", "-e", "2,5"}, true, "error: Invalid value(s) for option -e, --effect: 2,5"},
        {{"tool", "-e", "-0,5"}, false, "error: Invalid value(s) for option -e, --effect: "},
    };
    for (const auto& c : cases) {
        std::string label;
        for (const auto& a : c.args) label += "[" + a + "]";
        label += c.strict ? " strict" : "";
        foundation::setDefaultLocale(c.locale);

        auto v = std::make_shared<BoolOption>("v", "verbose", false, "Verbose");
        auto counter = std::make_shared<CounterOption>("c", false, "Count");
        auto o = std::make_shared<StringOption>("o", "output", false, "Output file");
        auto n = std::make_shared<IntOption>("n", false, "Number");
        auto m = std::make_shared<MultiStringOption>("m", false, "Many");
        auto e = std::make_shared<DoubleOption>("e", "effect", false, "Interpolation weighting");
        CommandLine cli(c.args);
        cli.setOptions({v, counter, o, n, m, e});
        std::vector<std::string> outcome;
        try {
            cli.parse(c.strict);
            if (v->value()) outcome.push_back("v");
            if (counter->value()) outcome.push_back("c=" + std::to_string(counter->value()));
            if (o->value()) outcome.push_back("o=" + *o->value());
            if (n->value()) outcome.push_back("n=" + std::to_string(*n->value()));
            if (m->value()) outcome.push_back("m=" + list(*m->value()));
            if (e->value()) outcome.push_back("e=" + testing::PrintToString(*e->value()));
            if (!cli.unparsedArguments().empty()) outcome.push_back("rest=" + list(cli.unparsedArguments()));
        } catch (const CommandLine::ParseError& error) {
            outcome = {"error: " + error.description()};
        }
        std::string text;
        for (const auto& part : outcome) text += (text.empty() ? "" : " ") + part;
        EXPECT_EQ(text, c.outcome) << label;
    }
}

TEST_F(CommandLineTest, ACounterKeepsCountingOverParsesUntilReset) {
    auto counter = std::make_shared<CounterOption>("c", "count", false, "Count");
    const auto parse = [&counter](const Texts& args) {
        CommandLine cli(args);
        cli.setOptions({counter});
        cli.parse(true);
    };
    parse({"tool", "-cc"});
    EXPECT_EQ(counter->value(), 2);
    parse({"tool", "--count", "-c"});
    EXPECT_EQ(counter->value(), 4) << "a second parse starts from what the first one left";
    EXPECT_TRUE(counter->wasSet());
    counter->reset();
    EXPECT_EQ(counter->value(), 0);
    EXPECT_FALSE(counter->wasSet());
    parse({"tool", "-c"});
    EXPECT_EQ(counter->value(), 1);
    parse({"tool"});
    EXPECT_EQ(counter->value(), 1);
    counter->reset();
    counter->reset();
    EXPECT_EQ(counter->value(), 0);
}

TEST_F(CommandLineTest, RequiredOptionsAndErrorOrder) {
    auto o = std::make_shared<StringOption>("o", "output", true, "Output file");
    auto odd = std::make_shared<StringOption>("q\"\\", "a\tb\x01", true, "");
    auto n = std::make_shared<IntOption>("n", false, "");

    CommandLine cli({"tool", "y"});
    cli.setOptions({o, odd, n});
    cli.setUnparsedArguments({"kept"});
    try {
        cli.parse();
        FAIL() << "a missing required option must fail the parse";
    } catch (const CommandLine::ParseError& error) {
        EXPECT_EQ(error.kind(), CommandLine::ParseError::Kind::missingRequiredOptions);
        EXPECT_EQ(error.description(),
                  R"(Missing required options: ["-o, --output", "-q\"\\, --a\tb\u{1}"])");
        EXPECT_STREQ(error.what(), error.description().c_str());
    }
    EXPECT_EQ(cli.unparsedArguments(), Texts{"kept"});

    // A bad value is reported at its argument, before the missing option; what was set stays set.
    CommandLine second({"tool", "-q\"\\=z", "-n", "x"});
    second.setOptions({o, odd, n});
    EXPECT_THROW(
        try { second.parse(); } catch (const CommandLine::ParseError& error) {
            EXPECT_EQ(error.kind(), CommandLine::ParseError::Kind::invalidValueForOption);
            EXPECT_EQ(error.options().front(), n);
            EXPECT_EQ(error.values(), Texts{"x"});
            throw;
        },
        CommandLine::ParseError);
    EXPECT_EQ(odd->value(), "z");

    // Parsing again adds to what the options already hold.
    CommandLine third({"tool", "-o", "out", "w"});
    third.setOptions({o, odd, n});
    third.parse(true);
    EXPECT_EQ(o->value(), "out");
    EXPECT_EQ(odd->value(), "z");
    EXPECT_EQ(third.unparsedArguments(), Texts{"w"});
}

TEST_F(CommandLineTest, FirstOptionAddedWinsASharedFlag) {
    auto first = std::make_shared<StringOption>("o", false, "");
    auto second = std::make_shared<BoolOption>("x", "o", false, "");
    CommandLine cli({"tool", "-o", "a"});
    cli.addOption(first);
    cli.addOptions({second});
    EXPECT_EQ(cli.definedFlags(), (std::set<std::string>{"o", "x"}));
    cli.parse(true);
    EXPECT_EQ(first->value(), "a");
    EXPECT_FALSE(second->value());
}

TEST_F(CommandLineTest, UsageListingAlignsFlagsAndGoesThroughTheFormatter) {
    CommandLine cli({"/usr/bin/tool", "-x"});
    cli.addOptions({std::make_shared<StringOption>("o", "output", false, "Output file"),
                    std::make_shared<BoolOption>("v", "verbose", false, "Verbose")});
    StringOutputStream out;
    cli.printUsage(out);
    EXPECT_EQ(out.text(),
              "Usage: /usr/bin/tool [options]\n"
              "  -o, --output :\n"
              "      Output file\n"
              "  -v, --verbose:\n"
              "      Verbose\n");

    // The column is counted in characters: a flag with a combining accent is one character narrower
    // than its bytes, and the column grows when a wider option is added.
    cli.addOption(std::make_shared<BoolOption>(LongFlag{"cafe\xCC\x81-au-lait"}, false, "Milk"));
    EXPECT_EQ(cli.maxFlagDescriptionWidth(), 14u);
    StringOutputStream wide;
    cli.printUsage(CommandLine::ParseError::invalidArgument("-x"), wide);
    EXPECT_EQ(wide.text(),
              "Invalid argument: -x\n\n"
              "Usage: /usr/bin/tool [options]\n"
              "  -o, --output  :\n"
              "      Output file\n"
              "  -v, --verbose :\n"
              "      Verbose\n"
              "  --cafe\xCC\x81-au-lait:\n"
              "      Milk\n");

    cli.setFormatOutput([](const std::string& text, CommandLine::OutputType type) {
        const char* tags[] = {"A", "E", "F", "H"};
        return std::string(tags[static_cast<int>(type)]) + "<" + text + ">";
    });
    StringOutputStream custom;
    cli.printUsage(CommandLine::ParseError::invalidArgument("-x"), custom);
    EXPECT_EQ(custom.text(),
              "E<Invalid argument: -x>A<Usage: /usr/bin/tool [options]>F<-o, --output>H<Output file>"
              "F<-v, --verbose>H<Verbose>F<--cafe\xCC\x81-au-lait>H<Milk>");

    // No command name at all is an empty one, not a crash.
    CommandLine bare({});
    StringOutputStream empty;
    bare.parse(true);
    bare.printUsage(empty);
    EXPECT_EQ(empty.text(), "Usage:  [options]\n");
    EXPECT_EQ(bare.maxFlagDescriptionWidth(), 0u);
}

TEST_F(CommandLineTest, ParsingNeverChangesTheProcessLocale) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    foundation::setDefaultLocale("de_DE");
    auto e = std::make_shared<DoubleOption>("e", false, "");
    CommandLine cli({"tool", "-e", "1,25"});
    cli.addOption(e);
    cli.parse(true);
    EXPECT_EQ(e->value(), 1.25);
    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
}

}  // namespace
}  // namespace support
