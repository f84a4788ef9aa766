#pragma once
// The application's translated interface texts, looked up by their English text. The application
// ships English only, so its table is empty and every lookup gives the key back. Immutable after
// construction: safe from any thread.

#include <map>
#include <string>

namespace foundation {

class StringTable {
  public:
    StringTable() = default;
    explicit StringTable(std::map<std::string, std::string> texts) : texts_(std::move(texts)) {}

    // The application's own table.
    static const StringTable& main();

    // The translation of `key`, or `key` itself when the table has none.
    std::string localizedString(const std::string& key) const;

  private:
    std::map<std::string, std::string> texts_;
};

}  // namespace foundation
