#pragma once
// Option: one option of a command line (its flags, whether it is required, its help text) and the
// typed options that take the values a parser collects for each occurrence of a flag. Options are
// shared objects: the parser and the caller hold the same option, and the caller reads `value()`
// after parsing. Not synchronised: use an option from one thread at a time.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace support {

// Marks the flag of an option made with a long flag only: BoolOption(LongFlag{"verbose"}, ...).
struct LongFlag {
    std::string name;
};

class Option {
  public:
    Option(std::optional<std::string> shortFlag, std::optional<std::string> longFlag, bool required,
           std::string helpMessage);
    Option(std::string shortFlag, bool required, std::string helpMessage)
        : Option(std::optional<std::string>(std::move(shortFlag)), std::nullopt, required,
                 std::move(helpMessage)) {}
    Option(LongFlag longFlag, bool required, std::string helpMessage)
        : Option(std::nullopt, std::optional<std::string>(std::move(longFlag.name)), required,
                 std::move(helpMessage)) {}
    virtual ~Option() = default;
    Option(const Option&) = delete;
    Option& operator=(const Option&) = delete;

    const std::optional<std::string>& shortFlag() const { return shortFlag_; }
    const std::optional<std::string>& longFlag() const { return longFlag_; }
    bool required() const { return required_; }
    const std::string& helpMessage() const { return helpMessage_; }

    // Whether the option has received a value.
    virtual bool wasSet() const { return false; }
    // How many of the texts given to the last accepted setValue the option consumed.
    virtual std::int64_t claimedValues() const { return 0; }
    // "-v, --verbose", "-v", "--verbose" or "" for the flags present.
    virtual std::string flagDescription() const;
    // Takes the value texts of one occurrence of a flag; false (value unchanged) when it rejects them.
    virtual bool setValue(const std::vector<std::string>& values);

  private:
    std::optional<std::string> shortFlag_;
    std::optional<std::string> longFlag_;
    bool required_;
    std::string helpMessage_;
};

// A switch: set by its flag, whatever follows it.
class BoolOption : public Option {
  public:
    using Option::Option;
    bool value() const { return value_; }
    bool wasSet() const override { return value_; }
    bool setValue(const std::vector<std::string>& values) override;

  private:
    bool value_ = false;
};

// Counts the occurrences of its flag ("-vvv" is 3).
class CounterOption : public Option {
  public:
    using Option::Option;
    std::int64_t value() const { return value_; }
    bool wasSet() const override { return value_ > 0; }
    bool setValue(const std::vector<std::string>& values) override;
    virtual void reset() { value_ = 0; }

  private:
    std::int64_t value_ = 0;
};

// A whole decimal number in the signed 64-bit range: an optional sign and digits, nothing else.
class IntOption : public Option {
  public:
    using Option::Option;
    std::optional<std::int64_t> value() const { return value_; }
    bool wasSet() const override { return value_.has_value(); }
    std::int64_t claimedValues() const override { return value_ ? 1 : 0; }
    bool setValue(const std::vector<std::string>& values) override;

  private:
    std::optional<std::int64_t> value_;
};

// A number written as the user's locale writes it ("2,5" where the decimal separator is a comma).
class DoubleOption : public Option {
  public:
    using Option::Option;
    std::optional<double> value() const { return value_; }
    bool wasSet() const override { return value_.has_value(); }
    std::int64_t claimedValues() const override { return value_ ? 1 : 0; }
    bool setValue(const std::vector<std::string>& values) override;

  private:
    std::optional<double> value_;
};

// One text, taken unchanged.
class StringOption : public Option {
  public:
    using Option::Option;
    const std::optional<std::string>& value() const { return value_; }
    bool wasSet() const override { return value_.has_value(); }
    std::int64_t claimedValues() const override { return value_ ? 1 : 0; }
    bool setValue(const std::vector<std::string>& values) override;

  private:
    std::optional<std::string> value_;
};

// Every value text that follows its flag, in order.
class MultiStringOption : public Option {
  public:
    using Option::Option;
    const std::optional<std::vector<std::string>>& value() const { return value_; }
    bool wasSet() const override { return value_.has_value(); }
    std::int64_t claimedValues() const override {
        return value_ ? static_cast<std::int64_t>(value_->size()) : 0;
    }
    bool setValue(const std::vector<std::string>& values) override;

  private:
    std::optional<std::vector<std::string>> value_;
};

// The whole text as a decimal integer in the signed 64-bit range, or absent.
std::optional<std::int64_t> parseDecimalInteger(std::string_view text);

}  // namespace support
