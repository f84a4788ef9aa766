#include "Libraries/Support/CommandLine.h"

#include <algorithm>
#include <cstdio>

#include "Libraries/Support/CommandLineText.h"
#include "Platform/Foundation/CharacterClusters.h"
#include "Platform/Foundation/TextServices.h"

namespace support {

namespace {

bool startsWith(const std::string& text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A text written as a quoted literal, with quotes, backslashes and control characters escaped.
std::string quotedLiteral(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        unsigned control = 0x100;  // none
        if (byte < 0x20 || byte == 0x7F) {
            control = byte;
        } else if (byte == 0xC2 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9F) {
                control = next;
                ++i;
            }
        }
        if (control == 0x100) {
            if (byte == '"' || byte == '\\') out += '\\';
            out += static_cast<char>(byte);
            continue;
        }
        switch (control) {
            case 0:
                out += "\\0";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default: {
                char hex[16];
                std::snprintf(hex, sizeof hex, "\\u{%x}", control);
                out += hex;
            }
        }
    }
    return out + "\"";
}

std::string describe(CommandLine::ParseError::Kind kind, const std::string& argument,
                     const std::vector<std::shared_ptr<Option>>& options,
                     const std::vector<std::string>& values) {
    using Kind = CommandLine::ParseError::Kind;
    switch (kind) {
        case Kind::invalidArgument:
            return "Invalid argument: " + argument;
        case Kind::invalidValueForOption: {
            std::string text = "Invalid value(s) for option " + options.front()->flagDescription() + ": ";
            for (std::size_t i = 0; i < values.size(); ++i) text += (i ? ", " : "") + values[i];
            return text;
        }
        case Kind::missingRequiredOptions: {
            std::string text = "Missing required options: [";
            for (std::size_t i = 0; i < options.size(); ++i)
                text += (i ? ", " : "") + quotedLiteral(options[i]->flagDescription());
            return text + "]";
        }
    }
    return {};
}

}  // namespace

CommandLine::ParseError::ParseError(Kind kind, std::string argument,
                                    std::vector<std::shared_ptr<Option>> options,
                                    std::vector<std::string> values)
    : kind_(kind),
      argument_(std::move(argument)),
      options_(std::move(options)),
      values_(std::move(values)),
      description_(describe(kind_, argument_, options_, values_)) {}

CommandLine::ParseError CommandLine::ParseError::invalidArgument(std::string argument) {
    return ParseError(Kind::invalidArgument, std::move(argument), {}, {});
}

CommandLine::ParseError CommandLine::ParseError::invalidValueForOption(std::shared_ptr<Option> option,
                                                                       std::vector<std::string> values) {
    return ParseError(Kind::invalidValueForOption, {}, {std::move(option)}, std::move(values));
}

CommandLine::ParseError CommandLine::ParseError::missingRequiredOptions(
    std::vector<std::shared_ptr<Option>> options) {
    return ParseError(Kind::missingRequiredOptions, {}, std::move(options), {});
}

CommandLine::CommandLine(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {}

const std::string& CommandLine::commandName() const {
    static const std::string none;
    return arguments_.empty() ? none : arguments_.front();
}

std::set<std::string> CommandLine::definedFlags() const {
    std::set<std::string> flags;
    for (const auto& option : options_) {
        if (option->shortFlag()) flags.insert(*option->shortFlag());
        if (option->longFlag()) flags.insert(*option->longFlag());
    }
    return flags;
}

void CommandLine::addOption(std::shared_ptr<Option> option) {
    if (!option) return;
    options_.push_back(std::move(option));
    maxFlagDescriptionWidth_ = 0;
}

void CommandLine::addOptions(const std::vector<std::shared_ptr<Option>>& options) {
    for (const auto& option : options) addOption(option);
}

void CommandLine::setOptions(const std::vector<std::shared_ptr<Option>>& options) {
    options_.clear();
    addOptions(options);
}

std::vector<CommandLine::FlagValue> CommandLine::flagValues(
    std::size_t flagIndex, const std::optional<std::string>& attachedValue) const {
    std::vector<FlagValue> values;
    if (attachedValue) values.push_back({*attachedValue, flagIndex});
    bool afterDoubleDash = false;
    for (std::size_t i = flagIndex + 1; i < arguments_.size(); ++i) {
        const std::string& argument = arguments_[i];
        if (!afterDoubleDash) {
            if (argument == "--") {
                afterDoubleDash = true;
                continue;
            }
            if (startsWith(argument, "-") && !parseDecimalInteger(argument) && !str::toDouble(argument))
                break;
        }
        values.push_back({argument, i});
    }
    return values;
}

std::vector<std::string> CommandLine::getFlagValues(std::size_t flagIndex,
                                                    const std::optional<std::string>& attachedValue) const {
    std::vector<std::string> texts;
    for (auto& value : flagValues(flagIndex, attachedValue)) texts.push_back(std::move(value.text));
    return texts;
}

std::shared_ptr<Option> CommandLine::optionForFlag(const std::string& flag) const {
    for (const auto& option : options_)
        if (option->shortFlag() == flag || option->longFlag() == flag) return option;
    return nullptr;
}

void CommandLine::apply(const std::shared_ptr<Option>& option, std::size_t index,
                        const std::vector<FlagValue>& values, std::vector<std::string>& leftover,
                        std::vector<bool>& consumed) const {
    std::vector<std::string> texts;
    for (const auto& value : values) texts.push_back(value.text);
    if (!option->setValue(texts)) throw ParseError::invalidValueForOption(option, std::move(texts));
    leftover[index].clear();
    consumed[index] = true;
    // Exactly the arguments the option took are used up: a "--" between them is not, and neither is
    // a value the option left over.
    const auto claimed = static_cast<std::size_t>(
        std::clamp<std::int64_t>(option->claimedValues(), 0, static_cast<std::int64_t>(values.size())));
    for (std::size_t k = 0; k < claimed; ++k) {
        leftover[values[k].index].clear();
        consumed[values[k].index] = true;
    }
}

void CommandLine::parse(bool strict) {
    std::vector<std::string> leftover = arguments_;
    std::vector<bool> consumed(arguments_.size(), false);
    // The command name is never a flag, whatever it begins with (a login shell is "-bash").
    if (!leftover.empty()) {
        leftover.front().clear();
        consumed.front() = true;
    }
    for (std::size_t i = 0; i < arguments_.size(); ++i) {
        if (consumed[i]) continue;  // a value some flag took, such as "-5" or "-1e5"
        const std::string& argument = arguments_[i];
        if (argument == "--") break;
        if (!startsWith(argument, "-")) continue;
        const bool isLong = startsWith(argument, "--");
        const std::string rest = argument.substr(isLong ? 2 : 1);
        if (rest.empty()) continue;
        const auto pieces = str::split(rest, "=", 1);
        const std::string flag = pieces.empty() ? std::string() : pieces.front();
        const std::optional<std::string> attached =
            pieces.size() > 1 ? std::optional<std::string>(pieces[1]) : std::nullopt;

        bool matched = false;
        if (const auto option = optionForFlag(flag)) {
            apply(option, i, flagValues(i, attached), leftover, consumed);
            matched = true;
        } else if (!isLong) {
            // A group of one-letter flags; only the last letter takes values.
            const auto letters = foundation::characterClusters(flag);
            for (std::size_t p = 0; p < letters.size(); ++p) {
                const auto option = optionForFlag(std::string(letters[p]));
                if (!option) continue;
                apply(option, i, p + 1 == letters.size() ? flagValues(i, attached) : std::vector<FlagValue>{},
                      leftover, consumed);
                matched = true;
            }
        }
        if (!matched && strict) throw ParseError::invalidArgument(argument);
    }

    std::vector<std::shared_ptr<Option>> missing;
    for (const auto& option : options_)
        if (option->required() && !option->wasSet()) missing.push_back(option);
    if (!missing.empty()) throw ParseError::missingRequiredOptions(std::move(missing));

    std::vector<std::string> unparsed;
    for (auto& argument : leftover)
        if (!argument.empty()) unparsed.push_back(std::move(argument));
    unparsedArguments_ = std::move(unparsed);
}

std::size_t CommandLine::maxFlagDescriptionWidth() {
    if (maxFlagDescriptionWidth_ != 0) return maxFlagDescriptionWidth_;
    std::size_t widest = 0;
    for (const auto& option : options_)
        widest = std::max(widest, foundation::characterCount(option->flagDescription()));
    maxFlagDescriptionWidth_ = widest;
    return widest;
}

std::string CommandLine::defaultFormat(const std::string& text, OutputType type) {
    switch (type) {
        case OutputType::about:
            return text + "\n";
        case OutputType::error:
            return text + "\n\n";
        case OutputType::optionFlag: {
            const std::size_t width = foundation::characterCount(text);
            const std::size_t column = maxFlagDescriptionWidth();
            return "  " + text + std::string(column > width ? column - width : 0, ' ') + ":\n";
        }
        case OutputType::optionHelp:
            return "      " + text + "\n";
    }
    return text;
}

std::string CommandLine::format(const std::string& text, OutputType type) {
    return formatOutput_ ? formatOutput_(text, type) : defaultFormat(text, type);
}

void CommandLine::printUsage(TextOutputStream& to) {
    to.write(format("Usage: " + commandName() + " [options]", OutputType::about));
    for (const auto& option : options_) {
        to.write(format(option->flagDescription(), OutputType::optionFlag));
        to.write(format(option->helpMessage(), OutputType::optionHelp));
    }
}

void CommandLine::printUsage(const std::exception& error, TextOutputStream& to) {
    to.write(format(error.what(), OutputType::error));
    printUsage(to);
}

void CommandLine::printUsage(const std::exception& error) {
    StderrOutputStream stream;
    printUsage(error, stream);
}

void CommandLine::printUsage() {
    StderrOutputStream stream;
    printUsage(stream);
}

}  // namespace support
