#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "documents/atomic_file.hpp"
#include "documents/file_properties.hpp"
#include "documents/folders.hpp"
#include "documents/settings_stores.hpp"
#include "documents/text_utils.hpp"
#include "documents/value_stream.hpp"
#include "documents/xml_file.hpp"

namespace qdx {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

constexpr year_month_day k7March2004{year{2004}, March, day{7}};

TFileProperties Sample() {
    TFileProperties props;
    props.edProjectName = "Tower <B> & annex";
    props.edProjectNumber = "P-1041";
    props.edDescription = "a\r\nb";
    props.edAuthor = "O'Brien";
    props.edCompany = "Cool & Co";
    props.edDate = k7March2004;
    return props;
}

void ExpectSame(const TFileProperties& a, const TFileProperties& b) {
    EXPECT_EQ(a.edProjectName, b.edProjectName);
    EXPECT_EQ(a.edProjectNumber, b.edProjectNumber);
    EXPECT_EQ(a.edDescription, b.edDescription);
    EXPECT_EQ(a.edAuthor, b.edAuthor);
    EXPECT_EQ(a.edCompany, b.edCompany);
    EXPECT_EQ(a.edDate, b.edDate);
}

// A data file whose root holds the given fileprops content (or none).
XmlNode LoadDataFile(TXMLFile& file, const std::string& body) {
    file.LoadFromString("<datafile program=\"QDX\">" + body + "</datafile>");
    return file.DocumentElement();
}

class FilePropertiesSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "qdx_fileprops_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root_ = tmpl;
        for (const char* name : kVars) {
            const char* v = std::getenv(name);
            saved_.push_back(v ? std::optional<std::string>(v) : std::nullopt);
        }
        ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
        ::setenv("QDX_COMMON_DIR", (root_ / "common").c_str(), 1);
        ::setenv("QDX_OWNER", "Jane Roe", 1);
        ::unsetenv("QDX_ORGANISATION");
        ResetFolders();
    }
    void TearDown() override {
        for (size_t i = 0; i < std::size(kVars); ++i) {
            if (saved_[i])
                ::setenv(kVars[i], saved_[i]->c_str(), 1);
            else
                ::unsetenv(kVars[i]);
        }
        ResetFolders();
        fs::remove_all(root_);
    }

    static constexpr const char* kVars[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "QDX_COMMON_DIR",
                                            "QDX_OWNER", "QDX_ORGANISATION"};
    fs::path root_;
    std::vector<std::optional<std::string>> saved_;
};

TEST_F(FilePropertiesSettingsTest, WithoutSectionTheRegisteredOwnerIsTheAuthor) {
    TFileProperties props;
    props.edDate = k7March2004;
    props.LoadDefaultProperties();
    EXPECT_EQ(props.edAuthor, "Jane Roe");
    EXPECT_EQ(props.edCompany, "");
    EXPECT_EQ(props.edProjectName, "");
    EXPECT_EQ(props.edProjectNumber, "");
    EXPECT_EQ(props.edDate, Today());
    // The section is only read: nothing is written to the store.
    EXPECT_FALSE(fs::exists(ProgramSettingsPath()));
}

TEST_F(FilePropertiesSettingsTest, SettingsSectionGivesStartValues) {
    fs::create_directories(fs::path(ProgramSettingsPath()).parent_path());
    ASSERT_TRUE(WriteFileAtomically(ProgramSettingsPath(),
                                    "[File Properties]\nName=Plant room\nNumber=42\n"
                                    "Company=Calorix Ltd\n"));
    ::setenv("QDX_ORGANISATION", "Machine Org", 1);
    ResetFolders();
    TFileProperties props;
    props.LoadDefaultProperties();
    EXPECT_EQ(props.edProjectName, "Plant room");
    EXPECT_EQ(props.edProjectNumber, "42");
    EXPECT_EQ(props.edAuthor, "Jane Roe");  // no Author key: the registered owner
    EXPECT_EQ(props.edCompany, "Calorix Ltd");
    EXPECT_EQ(props.edDescription, "");
}

TEST(FileProperties, XmlRoundTripEscapesLineBreaks) {
    const TFileProperties props = Sample();
    TXMLFile file;
    XmlNode root = file.NewDocument("datafile", "QDX", "1.0");
    props.WritePropertiesXML(file, root);
    props.WritePropertiesXML(file, root);  // a second save reuses the elements
    const std::string xml = file.SaveToString();
    SCOPED_TRACE(xml);
    EXPECT_NE(xml.find("<description>a%13%10b</description>"), std::string::npos);
    EXPECT_NE(xml.find("<date>07 03 2004</date>"), std::string::npos);
    EXPECT_EQ(file.GetChildren(root, "fileprops").size(), 1u);
    const XmlNode node = file.FindChild(root, "fileprops");
    std::vector<std::string> order;
    for (XmlNode child : node.children()) order.push_back(child.name());
    EXPECT_EQ(order, (std::vector<std::string>{"projectname", "projectnumber", "description",
                                               "author", "company", "date"}));

    TXMLFile reread;
    reread.LoadFromString(xml);
    TFileProperties back;
    EXPECT_TRUE(back.ReadPropertiesXML(reread, reread.DocumentElement()));
    ExpectSame(back, props);
    EXPECT_EQ(back.DescriptionLines(), (std::vector<std::string>{"a", "b"}));
}

TEST(FileProperties, ReadingReplacesEveryValueFromTheElement) {
    TXMLFile file;
    XmlNode root = LoadDataFile(file,
                                "<fileprops><projectname>Annex</projectname>"
                                "<projectnumber>7</projectnumber><description>one</description>"
                                "<company>Calorix</company><date>7 3 2004</date></fileprops>");
    TFileProperties props = Sample();
    ASSERT_TRUE(props.ReadPropertiesXML(file, root));
    EXPECT_EQ(props.edProjectName, "Annex");
    EXPECT_EQ(props.edProjectNumber, "7");
    EXPECT_EQ(props.edDescription, "one");
    EXPECT_EQ(props.edAuthor, "");  // missing in the file: empty, not the old value
    EXPECT_EQ(props.edCompany, "Calorix");
    EXPECT_EQ(props.edDate, k7March2004);
}

TEST(FileProperties, FileWithoutElementKeepsTheValues) {
    TXMLFile file;
    XmlNode root = LoadDataFile(file, "<qdx/>");
    TFileProperties props = Sample();
    EXPECT_FALSE(props.ReadPropertiesXML(file, root));
    ExpectSame(props, Sample());
    EXPECT_FALSE(props.ReadPropertiesXML(file, XmlNode()));
    ExpectSame(props, Sample());
}

TEST(FileProperties, DatesThatDoNotParseGiveToday) {
    struct Case {
        const char* body;
        year_month_day expected;
    };
    const Case cases[] = {
        {"<date>07 03 2004</date>", k7March2004},
        {"<date> 7  3  2004 </date>", k7March2004},
        {"<date>07-03-2004</date>", Today()},
        {"<date></date>", Today()},
        {"", Today()},
        {"<date>31 02 2004</date>", Today()},
    };
    for (const Case& c : cases) {
        TXMLFile file;
        XmlNode root = LoadDataFile(file, std::string("<fileprops>") + c.body + "</fileprops>");
        TFileProperties props = Sample();
        props.edDate = year_month_day{year{1999}, January, day{1}};
        ASSERT_TRUE(props.ReadPropertiesXML(file, root));
        EXPECT_EQ(props.edDate, c.expected) << c.body;
    }
}

TEST(FileProperties, ChartExportLines) {
    std::string text;
    Sample().WritePropertiesText(text);
    EXPECT_EQ(text,
              "'Tower <B> & annex'\r\n'P-1041'\r\n2\r\n'a'\r\n'b'\r\n'O'Brien'\r\n"
              "'Cool & Co'\r\n'07 03 2004'\r\n");

    struct Case {
        const char* description;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"a\r\n", {"a"}},            // a last empty line is not counted
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\nb\rc", {"a", "b", "c"}},
    };
    for (const Case& c : cases) {
        TFileProperties props = Sample();
        props.edDescription = c.description;
        EXPECT_EQ(props.DescriptionLines(), c.lines) << c.description;
    }
    TFileProperties empty = Sample();
    empty.edDescription.clear();
    text.clear();
    empty.WritePropertiesText(text);
    EXPECT_NE(text.find("'P-1041'\r\n0\r\n'O'Brien'\r\n"), std::string::npos) << text;
}

TEST(FileProperties, StreamGivesAllSixValues) {
    ValueWriter w;
    w.WriteString("Plant");
    w.WriteString("N\xc2\xb0 12");  // UTF-8 text
    w.WriteString("line one\nline two\rline three", ValueTag::WString);
    w.WriteString("Ann", ValueTag::LString);
    w.WriteString("Calorix");
    w.WriteDate(38053.75);  // 7 March 2004, 6 pm
    ValueReader r(w.Bytes());
    TFileProperties props;
    props.ReadPropertiesStream(r);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(props.edProjectName, "Plant");
    EXPECT_EQ(props.edProjectNumber, "N\xc2\xb0 12");
    EXPECT_EQ(props.edDescription, "line one\r\nline two\r\nline three");
    EXPECT_EQ(props.edAuthor, "Ann");
    EXPECT_EQ(props.edCompany, "Calorix");
    EXPECT_EQ(props.edDate, k7March2004);
}

TEST(FileProperties, BrokenStreamLeavesTheValues) {
    ValueWriter full;
    for (const char* s : {"a", "b", "c", "d", "e"}) full.WriteString(s);
    full.WriteDate(38053);
    // Cut before the date, and a number where the author's text should be.
    const std::vector<uint8_t> cut(full.Bytes().begin(), full.Bytes().end() - 4);
    ValueWriter wrong;
    for (const char* s : {"a", "b", "c"}) wrong.WriteString(s);
    wrong.WriteInteger(5);
    wrong.WriteString("e");
    wrong.WriteDate(38053);
    for (const std::vector<uint8_t>& bytes : {cut, wrong.Bytes()}) {
        ValueReader r(bytes);
        TFileProperties props = Sample();
        EXPECT_THROW(props.ReadPropertiesStream(r), StreamError);
        ExpectSame(props, Sample());
    }
}

TEST(FileProperties, StreamDates) {
    EXPECT_EQ(DateFromStreamDays(38053), k7March2004);
    EXPECT_EQ(DateFromStreamDays(0), (year_month_day{year{1899}, December, day{30}}));
    // Before the epoch the whole days count towards it; the fraction is the time of day.
    EXPECT_EQ(DateFromStreamDays(-1.25), (year_month_day{year{1899}, December, day{29}}));
    EXPECT_EQ(DateFromStreamDays(std::numeric_limits<double>::quiet_NaN()), Today());
    EXPECT_EQ(DateFromStreamDays(1e300), Today());
    EXPECT_EQ(FormatPropertiesDate(year_month_day{year{987}, January, day{2}}), "02 01 0987");

    ValueWriter w;  // a date written as a plain integer
    for (const char* s : {"a", "b", "c", "d", "e"}) w.WriteString(s);
    w.WriteInteger(38053);
    ValueReader r(w.Bytes());
    TFileProperties props;
    props.ReadPropertiesStream(r);
    EXPECT_EQ(props.edDate, k7March2004);
}

}  // namespace
}  // namespace qdx
