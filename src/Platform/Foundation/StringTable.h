#pragma once
// Translated interface texts, looked up by their English text: the application's own table reads
// the main bundle's translations as localizedString does; a table made from a map holds its own.
// A text without a translation is its own. Immutable after construction: safe from any thread.

#include <map>
#include <string>

namespace foundation {

class StringTable {
  public:
    StringTable() = default;
    explicit StringTable(std::map<std::string, std::string> texts) : texts_(std::move(texts)) {}

    // The application's own table: the main bundle's translations for the preferred languages.
    static const StringTable& main();

    // The translation of `key`, or `key` itself when the table has none.
    std::string localizedString(const std::string& key) const;

  private:
    std::map<std::string, std::string> texts_;
    bool readsBundle_ = false;
};

}  // namespace foundation
