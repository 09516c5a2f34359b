// UTF-8 checks and the Windows-1252 reading of texts that are not UTF-8.

#include <gtest/gtest.h>

#include <string>

#include "documents/ini_file.hpp"
#include "documents/text_encoding.hpp"
#include "documents/xml_file.hpp"

namespace qdx {
namespace {

TEST(TextEncoding, ValidUtf8) {
    struct Case {
        const char* name;
        std::string text;
        bool valid;
    };
    const Case cases[] = {
        {"ascii", "Jose", true},
        {"two bytes", "Jos\xC3\xA9 \xC2\xB0" "C", true},
        {"three bytes", "\xE2\x82\xAC", true},
        {"four bytes", "\xF0\x9F\x98\x80", true},
        {"windows-1252 e acute", "Jos\xE9", false},
        {"lone continuation", "\x80", false},
        {"cut short", "\xE2\x82", false},
        {"overlong slash", "\xC0\xAF", false},
        {"overlong three bytes", "\xE0\x80\xAF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsValidUtf8(c.text), c.valid);
        // Whatever the bytes, the text taken in is UTF-8, and UTF-8 stays as it is.
        const std::string utf8 = AsUtf8(c.text);
        EXPECT_TRUE(IsValidUtf8(utf8));
        if (c.valid) {
            EXPECT_EQ(utf8, c.text);
        }
    }
    EXPECT_EQ(AsUtf8("Jos\xE9"), "Jos\xC3\xA9");
    EXPECT_EQ(AsUtf8("\x80 \x93quoted\x94 \xB0"), "\xE2\x82\xAC \xE2\x80\x9Cquoted\xE2\x80\x9D \xC2\xB0");
    EXPECT_EQ(Utf8ToCp1252("Jos\xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD"), "Jos\xE9 \x80 ?");
}

TEST(TextEncoding, SettingsWrittenInWindows1252ReadAsUtf8) {
    IniDocument doc;
    // One value in Windows-1252, one already UTF-8: each is read as the user wrote it.
    const std::string text = "[Properties]\nAuthor=Jos\xE9\nCompany=K\xC3\xA4lte\n";
    doc.Parse(text);
    ASSERT_NE(doc.Value("Properties", "Author"), nullptr);
    EXPECT_EQ(*doc.Value("Properties", "Author"), "Jos\xC3\xA9");
    EXPECT_EQ(*doc.Value("Properties", "Company"), "K\xC3\xA4lte");
    // Lines nobody changed are written back byte for byte.
    EXPECT_EQ(doc.Text(), text);
}

TEST(TextEncoding, EveryTextEnteringADocumentIsUtf8) {
    XmlNode root;
    TXMLFile xml("", 1, root);
    root = xml.NewDocument("datafile", "QDX", "1.0.0.0");
    xml.WriteText(root, "author", true, "Jos\xE9");
    xml.SetAttr(root, "by", "Jos\xE9");
    const std::string saved = xml.SaveToString();
    EXPECT_TRUE(IsValidUtf8(saved)) << saved;
    EXPECT_EQ(xml.ReadText(root, "author", ""), "Jos\xC3\xA9");
    EXPECT_EQ(xml.ReadAttr(root, "by"), "Jos\xC3\xA9");
}

}  // namespace
}  // namespace qdx
