#pragma once
// Pasteboard: the general clipboard, for text and file URLs. Main thread only.

#include <string>
#include <vector>

namespace appkit {

class Pasteboard {
  public:
    static Pasteboard& general();
    void clearContents();
    void setString(const std::string& text);
    std::string string() const;
    void writeFileURLs(const std::vector<std::string>& paths);
    std::vector<std::string> fileURLs() const;

  private:
    Pasteboard() = default;
};

}  // namespace appkit
