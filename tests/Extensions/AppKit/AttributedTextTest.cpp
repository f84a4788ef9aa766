#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include "Extensions/AppKit/AttributedText.h"
#include "Extensions/AppKit/StringAttributes.h"
#include "Extensions/AppKit/TextInputAlert.h"
#include "Extensions/AppKit/TextViewHelpers.h"
#include "Support/UiTestFixture.h"

namespace {

using attributed::Range;
using AttributedTextTest = testsupport::UiTest;

// The foreground colour of every character ("r" red, "x" another, "-" none), "|" between paragraphs.
QString foregrounds(const QTextDocument& text) {
    const auto code = [](const QTextCharFormat& f) {
        if (!f.hasProperty(QTextFormat::ForegroundBrush)) return QChar('-');
        return f.foreground().color() == Qt::red ? QChar('r') : QChar('x');
    };
    QString out;
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        if (block != text.begin()) out += '|';
        for (auto it = block.begin(); !it.atEnd(); ++it)
            out += QString(it.fragment().length(), code(it.fragment().charFormat()));
    }
    return out;
}

TEST_F(AttributedTextTest, AttributesOverRangesMatchesAndOccurrences) {
    struct Case {
        const char* name;
        QString text;
        std::function<attributed::AttributedText(const QTextDocument&)> apply;
        QString expected;  // "r" where the character became red
    };
    QTextCharFormat red;
    red.setForeground(QColor(Qt::red));
    const Case cases[] = {
        {"a range", "abcdef",
         [](const QTextDocument& t) {
             auto out = attributed::copy(t);
             attributed::addForegroundColor(*out, Qt::red, Range{1, 2});
             return out;
         },
         "-rr---"},
        {"a range past the end is cut", "abc",
         [](const QTextDocument& t) {
             auto out = attributed::copy(t);
             attributed::addForegroundColor(*out, Qt::red, Range{2, 100});
             attributed::addForegroundColor(*out, Qt::red, Range{SIZE_MAX, 5});
             return out;
         },
         "--r"},
        {"highlight", "abc",
         [](const QTextDocument& t) {
             auto out = attributed::copy(t);
             attributed::highlight(*out, Qt::yellow, Qt::red, Range{0, 1});
             return out;
         },
         "r--"},
        {"every match", "a1b22c333",
         [&](const QTextDocument& t) { return attributed::applying(t, red, "[0-9]+"); }, "-r-rr-rrr"},
        {"an invalid pattern changes nothing", "a(b",
         [&](const QTextDocument& t) { return attributed::applying(t, red, "("); }, "---"},
        {"case-insensitive option", "aAb",
         [&](const QTextDocument& t) {
             return attributed::applying(t, red, "a", foundation::RegexCaseInsensitive);
         },
         "rr-"},
        {"literal occurrences", "a.b axb a.b",
         [&](const QTextDocument& t) { return attributed::applyingToOccurrences(t, red, "a.b"); },
         "rrr-----rrr"},
        {"occurrences with quoting characters", "x\\Ey\\E",
         [&](const QTextDocument& t) { return attributed::applyingToOccurrences(t, red, "\\E"); }, "-rr-rr"},
        {"after an emoji, ranges count UTF-16 units", "😀ab",
         [&](const QTextDocument& t) { return attributed::applying(t, red, "b"); }, "---r"},
        {"whole text", "xyz", [](const QTextDocument& t) { return attributed::colored(t, Qt::red); }, "rrr"},
        {"empty text", "", [](const QTextDocument& t) { return attributed::colored(t, Qt::red); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto original = attributed::make(c.text);
        const auto result = c.apply(*original);
        EXPECT_EQ(attributed::string(*result), c.text);
        EXPECT_EQ(foregrounds(*result), c.expected);
        EXPECT_EQ(foregrounds(*original), QString(c.text.size(), '-')) << "the receiver stays as it was";
    }
}

TEST_F(AttributedTextTest, KindsOfAttributesAndJoining) {
    auto text = attributed::make("hello world");
    attributed::addFont(*text, QFont("DejaVu Sans", 20), Range{0, 5});
    attributed::addBackgroundColor(*text, Qt::green, Range{0, 5});
    attributed::addToolTip(*text, "tip", Range{6, 5});
    attributed::addLink(*text, QUrl("https://example.com"), Range{6, 5});
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    attributed::addParagraphStyle(*text, centred, Range{0, 1});

    const auto first = attributed::attributes(*text);
    EXPECT_EQ(first.font().pointSize(), 20);
    EXPECT_EQ(first.background().color(), QColor(Qt::green));
    EXPECT_FALSE(first.isAnchor());
    EXPECT_EQ(text->begin().blockFormat().alignment(), Qt::AlignHCenter);
    QTextCursor at(text.get());
    at.setPosition(8);
    EXPECT_EQ(at.charFormat().toolTip(), "tip");
    EXPECT_EQ(at.charFormat().anchorHref(), "https://example.com");
    EXPECT_EQ(at.charFormat().background().style(), Qt::NoBrush) << "other attributes stay where they were";

    EXPECT_TRUE(attributed::attributes(*attributed::make("")).properties().isEmpty());
    EXPECT_TRUE(attributed::attributes(*attributed::underlined(*attributed::make("u"))).fontUnderline());
    EXPECT_TRUE(attributed::attributes(*attributed::struckThrough(*attributed::make("s"))).fontStrikeOut());

    const auto red = attributed::colored(*attributed::make("ab"), Qt::red);
    const auto plain = attributed::concatenated(*red, QString("cd"));
    const auto both = attributed::concatenated(*plain, *red);
    EXPECT_EQ(attributed::string(*both), "abcdab");
    EXPECT_EQ(foregrounds(*both), "rr--rr");
    auto growing = attributed::copy(*red);
    attributed::append(growing, QString("!"));
    attributed::append(growing, *red);
    EXPECT_EQ(foregrounds(*growing), "rr-rr");
    EXPECT_EQ(foregrounds(*red), "rr");

    const auto html = attributed::htmlAttributedString("<p>Hi <b>there</b> &amp; you</p>");
    EXPECT_EQ(attributed::string(*html), "Hi there & you");
    QTextCursor bold(html.get());
    bold.setPosition(5);
    EXPECT_EQ(bold.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(attributed::string(*attributed::htmlAttributedString("")), "");
    EXPECT_EQ(attributed::string(*attributed::htmlAttributedString("\xff<b")), "\uFFFD");
}

TEST_F(AttributedTextTest, StringFormsAndTheClipboard) {
    const auto bold = str::bold("Bold");
    EXPECT_EQ(attributed::string(*bold), "Bold");
    EXPECT_EQ(attributed::attributes(*bold).fontWeight(), QFont::Bold);
    EXPECT_EQ(attributed::attributes(*bold).font().pixelSize(), 13);
    EXPECT_TRUE(attributed::attributes(*str::underlined("u")).fontUnderline());
    EXPECT_TRUE(attributed::attributes(*str::struckThrough("s")).fontStrikeOut());
    EXPECT_EQ(foregrounds(*str::colored("é!", Qt::red)), "rr");

    QApplication::clipboard()->setText("old");
    str::copyToPasteboard("new 😀");
    EXPECT_EQ(QApplication::clipboard()->text(), "new 😀");
}

TEST_F(AttributedTextTest, TextViewInsetTypingAndSelectionFonts) {
    QTextEdit view;
    textview::setPadding(view, QSizeF(12, 7));
    EXPECT_EQ(textview::padding(view), QSizeF(12, 7));

    const QFont big("DejaVu Sans", 30);
    textview::setTypingFont(view, big, Qt::red);
    view.insertPlainText("typed");
    EXPECT_EQ(attributed::attributes(*view.document()).font().pointSize(), 30);
    EXPECT_EQ(foregrounds(*view.document()), "rrrrr");
    textview::setTypingFont(view, QFont("DejaVu Sans", 9));
    EXPECT_FALSE(view.currentCharFormat().hasProperty(QTextFormat::ForegroundBrush)) << "the font alone";

    // A selection gets the font as its only attribute and stays selected.
    view.setPlainText("one two\nthree");
    textview::applyForegroundColor(view, Qt::red, Range{0, 13});
    QTextCursor selection = view.textCursor();
    selection.setPosition(4);
    selection.setPosition(7, QTextCursor::KeepAnchor);
    view.setTextCursor(selection);
    textview::setSelectionFont(view, big);
    EXPECT_EQ(foregrounds(*view.document()), "rrrr---|rrrrr");
    EXPECT_EQ(view.textCursor().selectionStart(), 4);
    EXPECT_EQ(view.textCursor().selectionEnd(), 7);

    // Without a selection the current line gets it, and the cursor stays where it was.
    QTextCursor caret = view.textCursor();
    caret.setPosition(10);
    view.setTextCursor(caret);
    textview::setSelectionFont(view, big);
    EXPECT_EQ(foregrounds(*view.document()), "rrrr---|-----");
    EXPECT_EQ(view.textCursor().position(), 10);
    EXPECT_FALSE(view.textCursor().hasSelection());

    // On an empty line the font becomes the typing font.
    view.setPlainText("");
    textview::setSelectionFont(view, big);
    EXPECT_EQ(view.currentCharFormat().font().pointSize(), 30);

    QTextCharFormat underline;
    underline.setFontUnderline(true);
    view.setPlainText("abc");
    textview::addTextAttributes(view, underline, Range{1, 50});
    QTextCursor probe(view.document());
    probe.setPosition(3);
    EXPECT_TRUE(probe.charFormat().fontUnderline());
    probe.setPosition(1);
    EXPECT_FALSE(probe.charFormat().fontUnderline());
}

// Answers the next modal alert: types `text` into its field, then presses `button`.
void answerAlert(const QString& text, const QString& button) {
    QTimer::singleShot(0, [text, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        auto* field = box->findChild<QLineEdit*>();
        ASSERT_TRUE(field);
        EXPECT_EQ(field->text(), "default");
        field->setText(text);
        for (QAbstractButton* b : box->buttons())
            if (b->text() == button) b->click();
    });
}

TEST_F(AttributedTextTest, TextInputAlertGivesTheFieldOnlyForItsButton) {
    struct Case {
        QString typed;
        QString pressed;
        std::string expected;
    };
    const Case cases[] = {
        {"My preset", "Save", "My preset"},
        {"edited", "Cancel", ""},
        {"", "Save", ""},
        {"ünï 😀", "Save", "ünï 😀"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + " / " + c.pressed.toStdString());
        answerAlert(c.typed, c.pressed);
        EXPECT_EQ(showTextInputAlert("Name", "Give the preset a name", "default", "Save"), c.expected);
    }
    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
    EXPECT_EQ(showTextInputAlert("Name", "", "kept", "Save"), "kept");
    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertSecondButtonReturn);
    EXPECT_EQ(showTextInputAlert("Name", "", "kept", "Save"), "");
}

}  // namespace
