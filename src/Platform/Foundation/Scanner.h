#pragma once
// Scanner: reads tokens from the front of a text, skipping white space and line breaks before each
// token, as Foundation's scanner does. Positions are byte offsets into the UTF-8 text. A plain
// value; use one scanner from one thread at a time.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace foundation {

class Scanner {
  public:
    // `decimalSeparator` is the one scanDecimal reads (a locale's, see decimalSeparator()).
    explicit Scanner(std::string text, std::string decimalSeparator = ".");

    // True when only white space and line breaks remain.
    bool isAtEnd() const;
    std::size_t location() const { return location_; }

    // The text up to (not including) the next `marker`, or to the end when there is none; absent
    // when that would be nothing.
    std::optional<std::string> scanUpTo(std::string_view marker);
    // A decimal number: optional sign, digits with at most one decimal separator, optional
    // exponent. Absent (and nothing consumed) when none stands next.
    std::optional<double> scanDouble();
    std::optional<float> scanFloat();
    // As scanDouble, with the scanner's decimal separator.
    std::optional<double> scanDecimal();

  private:
    void skipWhitespace();
    // The number's characters in C form ("." as separator) and their byte length in the text.
    std::optional<std::pair<std::string, std::size_t>> numberAhead(std::string_view separator);
    template <typename T>
    std::optional<T> scanNumber(std::string_view separator);

    std::string text_;
    std::string separator_;
    std::size_t location_ = 0;
};

}  // namespace foundation
