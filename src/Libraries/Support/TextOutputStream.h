#pragma once
// Where the command-line parser writes its usage listing and errors: a text sink. The standard
// error stream and a text buffer are the two kinds offered. Not synchronised.

#include <string>
#include <string_view>

namespace support {

class TextOutputStream {
  public:
    virtual ~TextOutputStream() = default;
    virtual void write(std::string_view text) = 0;
};

// Writes to the process's standard error stream. Text after a NUL character is not written.
class StderrOutputStream : public TextOutputStream {
  public:
    void write(std::string_view text) override;
};

// Collects what is written, in order.
class StringOutputStream : public TextOutputStream {
  public:
    void write(std::string_view text) override { text_ += text; }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

}  // namespace support
