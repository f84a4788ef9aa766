#pragma once
// CommandLine: parses the argument list of a command-line tool against a set of options. It knows
// short flags after "-", long flags after "--", groups of one-letter flags ("-vcc"), values attached
// with "=" or given in the arguments that follow, and "--", after which nothing is read as a flag.
// A value a flag consumed is never read again as a flag. Failures are thrown as ParseError; what no
// option consumed is kept in unparsedArguments. Numbers follow the user's locale without changing
// the process's locale. Not synchronised: use one parser from one thread at a time.

#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Libraries/Support/Option.h"
#include "Libraries/Support/TextOutputStream.h"

namespace support {

class CommandLine {
  public:
    // The kinds of text of the usage listing and of error output.
    enum class OutputType { about, error, optionFlag, optionHelp };

    class ParseError : public std::exception {
      public:
        enum class Kind { invalidArgument, invalidValueForOption, missingRequiredOptions };

        // A flag no option matched, in strict mode: the whole argument.
        static ParseError invalidArgument(std::string argument);
        // An option refused the value texts of one of its flags.
        static ParseError invalidValueForOption(std::shared_ptr<Option> option,
                                                std::vector<std::string> values);
        // Required options that received no value, in the order they were added.
        static ParseError missingRequiredOptions(std::vector<std::shared_ptr<Option>> options);

        Kind kind() const { return kind_; }
        const std::string& argument() const { return argument_; }
        const std::vector<std::shared_ptr<Option>>& options() const { return options_; }
        const std::vector<std::string>& values() const { return values_; }

        // "Invalid argument: -x", "Invalid value(s) for option -n: abc",
        // "Missing required options: [\"-o, --output\"]".
        const std::string& description() const { return description_; }
        const char* what() const noexcept override { return description_.c_str(); }

      private:
        ParseError(Kind kind, std::string argument, std::vector<std::shared_ptr<Option>> options,
                   std::vector<std::string> values);

        Kind kind_;
        std::string argument_;
        std::vector<std::shared_ptr<Option>> options_;
        std::vector<std::string> values_;
        std::string description_;
    };

    // Receives every piece of usage and error output with its kind and returns the text to write,
    // line ends included.
    using Formatter = std::function<std::string(const std::string& text, OutputType type)>;

    // The whole argument list, the command name first. An empty list stands for a command with an
    // empty name.
    explicit CommandLine(std::vector<std::string> arguments);

    const std::vector<std::string>& arguments() const { return arguments_; }
    const std::vector<std::shared_ptr<Option>>& options() const { return options_; }
    // Every flag of every option, without dashes. Options may share a flag: the first added wins.
    std::set<std::string> definedFlags() const;

    void addOption(std::shared_ptr<Option> option);
    void addOptions(const std::vector<std::shared_ptr<Option>>& options);
    void setOptions(const std::vector<std::shared_ptr<Option>>& options);

    // The value texts that belong to the flag at `flagIndex`: the attached value, then the following
    // arguments up to the next flag. Negative numbers are values; after "--" every argument is one.
    std::vector<std::string> getFlagValues(std::size_t flagIndex,
                                           const std::optional<std::string>& attachedValue) const;

    // Hands each flag's values to its option. With `strict`, a flag no option knows is an error;
    // without, it stays unparsed. Options set before an error keep their values, and
    // unparsedArguments changes only when the whole parse succeeds.
    void parse(bool strict = false);

    const std::vector<std::string>& unparsedArguments() const { return unparsedArguments_; }
    void setUnparsedArguments(std::vector<std::string> arguments) {
        unparsedArguments_ = std::move(arguments);
    }

    const Formatter& formatOutput() const { return formatOutput_; }
    void setFormatOutput(Formatter formatter) { formatOutput_ = std::move(formatter); }

    // The width in characters of the widest flag description; computed when first needed.
    std::size_t maxFlagDescriptionWidth();
    std::string defaultFormat(const std::string& text, OutputType type);

    // "Usage: <command> [options]" and each option's flags and help message.
    void printUsage(TextOutputStream& to);
    // The error's description, then the usage listing.
    void printUsage(const std::exception& error, TextOutputStream& to);
    void printUsage(const std::exception& error);
    void printUsage();

  private:
    struct FlagValue {
        std::string text;
        std::size_t index;  // the argument it came from; an attached value sits in the flag's own
    };
    std::vector<FlagValue> flagValues(std::size_t flagIndex,
                                      const std::optional<std::string>& attachedValue) const;
    std::shared_ptr<Option> optionForFlag(const std::string& flag) const;
    void apply(const std::shared_ptr<Option>& option, std::size_t index, const std::vector<FlagValue>& values,
               std::vector<std::string>& leftover, std::vector<bool>& consumed) const;
    std::string format(const std::string& text, OutputType type);
    const std::string& commandName() const;

    std::vector<std::string> arguments_;
    std::vector<std::shared_ptr<Option>> options_;
    std::size_t maxFlagDescriptionWidth_ = 0;
    std::vector<std::string> unparsedArguments_;
    Formatter formatOutput_;
};

}  // namespace support
