// The screens draw with the shared controls: no plain Qt push or tool button, and no style sheet
// painted over a widget, in the screens' and the shell's sources. The scan reads every file that
// exists there, so screens added later are held to the same rule.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The text of a C++ source with comments and string literals blanked, so that a word in a comment
// or a message is not mistaken for code. Line breaks stay, so line numbers still match.
std::string codeOnly(const std::string& text) {
    std::string out = text;
    enum class State { Code, Line, Block, String, Char } state = State::Code;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char c = text[i], next = i + 1 < text.size() ? text[i + 1] : '\0';
        switch (state) {
            case State::Code:
                if (c == '/' && next == '/')
                    state = State::Line;
                else if (c == '/' && next == '*')
                    state = State::Block;
                else if (c == '"')
                    state = State::String;
                else if (c == '\'')
                    state = State::Char;
                else
                    continue;
                if (state == State::Line || state == State::Block) out[i] = ' ';
                break;
            case State::Line:
                if (c == '\n')
                    state = State::Code;
                else
                    out[i] = ' ';
                break;
            case State::Block:
                if (c == '*' && next == '/') {
                    out[i] = out[i + 1] = ' ';
                    ++i;
                    state = State::Code;
                } else if (c != '\n') {
                    out[i] = ' ';
                }
                break;
            case State::String:
            case State::Char:
                if (c == '\\') {
                    out[i] = ' ';
                    if (i + 1 < out.size()) out[++i] = ' ';
                } else if ((state == State::String && c == '"') || (state == State::Char && c == '\'')) {
                    state = State::Code;
                } else if (c != '\n') {
                    out[i] = ' ';
                }
                break;
        }
    }
    return out;
}

std::vector<std::string> findings(const std::filesystem::path& root, const std::regex& pattern) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        std::istringstream lines(codeOnly(text.str()));
        std::string line;
        for (int number = 1; std::getline(lines, line); ++number)
            if (std::regex_search(line, pattern))
                found.push_back(std::filesystem::relative(entry.path(), root.parent_path()).string() + ":" +
                                std::to_string(number));
    }
    return found;
}

}  // namespace

TEST(DrawnControls, ScreensAndTheShellUseNoPlainButtonsAndNoStyleSheets) {
    const std::filesystem::path src = VORTA_SOURCE_DIR "/src";
    struct Rule {
        const char* what;
        std::regex pattern;
    };
    const std::vector<Rule> rules = {
        {"plain push button", std::regex(R"(\bQPushButton\b)")},
        {"plain tool button", std::regex(R"(\bQToolButton\b)")},
        {"plain check or radio button", std::regex(R"(\bQ(CheckBox|RadioButton)\b)")},
        {"style sheet painted over a widget", std::regex(R"(\bsetStyleSheet\s*\()")},
    };
    // The scanner itself must see through comments and strings and still find code.
    ASSERT_EQ(codeOnly("a // QPushButton\nb \"QPushButton\" /* QToolButton */ c").find("Q"),
              std::string::npos);
    ASSERT_NE(codeOnly("auto* b = new QPushButton(\"x\");").find("QPushButton"), std::string::npos);

    std::size_t files = 0;
    for (const char* folder : {"Screens", "App"}) {
        ASSERT_TRUE(std::filesystem::is_directory(src / folder)) << folder;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(src / folder))
            files += entry.is_regular_file();
        for (const auto& rule : rules)
            for (const auto& place : findings(src / folder, rule.pattern))
                ADD_FAILURE() << rule.what << " at " << place;
    }
    EXPECT_GT(files, 20u) << "the scan read too few files to mean anything";
}
