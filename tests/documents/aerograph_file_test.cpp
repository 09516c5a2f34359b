#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "documents/aerograph_file.hpp"

namespace qdx {
namespace {

using namespace std::chrono;

TAerographFile Sample() {
    TAerographFile f;
    f.properties.edProjectName = "Tower, 'B' wing";
    f.properties.edProjectNumber = "";
    f.properties.edDescription = "first\r\nsecond, with comma\r\n";
    f.properties.edAuthor = "O'Brien";
    f.properties.edCompany = "Cool & Co";
    f.properties.edDate = year_month_day{year{2004}, March, day{7}};
    f.barometer = 95.4321;
    f.nodes.push_back({"Node1", "On", 27.0, 19.5, ""});
    f.nodes.push_back({"Node2", "Off", -2.25, -3.5, "below zero"});
    f.processes.push_back({"Process1", "Coil", "Node1", "Node2", 1.23456, ""});
    return f;
}

TEST(AerographFile, TextHasEveryLineInOrder) {
    EXPECT_EQ(WriteAerographText(Sample()),
              "'Aerograph 1.0 data file'\r\n"
              "'Tower, 'B' wing'\r\n"
              "''\r\n"
              "2\r\n"
              "'first'\r\n"
              "'second, with comma'\r\n"
              "'O'Brien'\r\n"
              "'Cool & Co'\r\n"
              "'07 03 2004'\r\n"
              "95.432\r\n"
              "5.00, 35.00, 0.00100, 0.02000\r\n"
              "'Node1', 'On', 27.000, 19.500, ''\r\n"
              "'Node2', 'Off', -2.250, -3.500, 'below zero'\r\n"
              "'Process1', 'Coil', 'Node1', 'Node2', 1.2346, ''\r\n");
}

TEST(AerographFile, ReadsBackWhatItWrote) {
    const TAerographFile written = Sample();
    std::string text = WriteAerographText(written);
    for (bool unixLineEnds : {false, true}) {
        if (unixLineEnds) {
            std::string lf;
            for (char c : text)
                if (c != '\r') lf += c;
            text = lf + "\n\n";  // trailing blank lines are no records
        }
        TAerographFile read;
        std::string error;
        ASSERT_TRUE(ReadAerographText(text, read, error)) << error;
        const TFileProperties& p = read.properties;
        EXPECT_EQ(p.edProjectName, "Tower, 'B' wing");
        EXPECT_EQ(p.edProjectNumber, "");
        EXPECT_EQ(p.edDescription, "first\r\nsecond, with comma");
        EXPECT_EQ(p.edAuthor, "O'Brien");
        EXPECT_EQ(p.edCompany, "Cool & Co");
        EXPECT_EQ(p.edDate, written.properties.edDate);
        EXPECT_DOUBLE_EQ(read.barometer, 95.432);
        EXPECT_DOUBLE_EQ(read.dryBulbMin, 5);
        EXPECT_DOUBLE_EQ(read.dryBulbMax, 35);
        EXPECT_DOUBLE_EQ(read.moistureMin, 0.001);
        EXPECT_DOUBLE_EQ(read.moistureMax, 0.02);
        ASSERT_EQ(read.nodes.size(), 2u);
        EXPECT_EQ(read.nodes[1].name, "Node2");
        EXPECT_EQ(read.nodes[1].caption, "Off");
        EXPECT_DOUBLE_EQ(read.nodes[1].dryBulb, -2.25);
        EXPECT_DOUBLE_EQ(read.nodes[1].wetBulb, -3.5);
        EXPECT_EQ(read.nodes[1].note, "below zero");
        ASSERT_EQ(read.processes.size(), 1u);
        const TAerographProcess& pr = read.processes[0];
        EXPECT_EQ(pr.name, "Process1");
        EXPECT_EQ(pr.caption, "Coil");
        EXPECT_EQ(pr.startNode, "Node1");
        EXPECT_EQ(pr.endNode, "Node2");
        EXPECT_DOUBLE_EQ(pr.massFlow, 1.2346);
        EXPECT_EQ(read.FindNode(pr.endNode), &read.nodes[1]);
    }
}

TEST(AerographFile, DamagedFilesAreRefusedWithTheLine) {
    const std::string good = WriteAerographText(Sample());
    auto replaceLine = [&](int number, const std::string& with) {
        std::string text = good;
        size_t start = 0;
        for (int i = 1; i < number; ++i) start = text.find('\n', start) + 1;
        const size_t end = text.find('\r', start);
        return text.replace(start, end - start, with);
    };
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"", "the file ends before the header"},
        {replaceLine(1, "'Aerograph 2.0 data file'"), "line 1: not an Aerograph 1.0 data file"},
        {replaceLine(2, "Tower"), "line 2: the project name is not a text in single quotes"},
        {replaceLine(4, "two"), "line 4: the number of description lines is not a count"},
        {replaceLine(4, "-1"), "line 4: the number of description lines is not a count"},
        {good.substr(0, good.find("'first'")), "the file ends before the description"},
        {replaceLine(4, "40"), "line 10: the description is not a text in single quotes"},
        {replaceLine(10, "abc"), "line 10: the barometric pressure is not a number"},
        {replaceLine(10, "0"), "line 10: the barometric pressure is not positive"},
        {replaceLine(11, "5, 35, 0.001"), "line 11: the chart range is not four numbers"},
        {replaceLine(11, "35, 5, 0.001, 0.02"), "line 11: the chart range is empty"},
        {replaceLine(11, "-1e6, 35, 0.001, 0.02"),
         "line 11: the chart range lies outside -100 to 200 °C and 0 to 1 kg/kg"},
        {replaceLine(11, "5, 35, -0.001, 0.02"),
         "line 11: the chart range lies outside -100 to 200 °C and 0 to 1 kg/kg"},
        {replaceLine(12, "'Node1', 'On', 27.0, warm, ''"),
         "line 12: the wet bulb is not a number"},
        {replaceLine(12, "'Node1', 'On'"),
         "line 12: neither a node (name, caption, dry bulb, wet bulb, note) nor a process "
         "(name, caption, start node, end node, air mass flow, note)"},
        {replaceLine(14, "'Process1', 'Coil', 'Node1', 'Node3', 1.0, ''"),
         "line 14: the process Process1 joins the unknown node 'Node3'"},
    };
    for (const Case& c : cases) {
        TAerographFile file = Sample();
        std::string error;
        EXPECT_FALSE(ReadAerographText(c.text, file, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
        EXPECT_EQ(file.nodes.size(), 2u);  // left as it was
        EXPECT_EQ(file.properties.edAuthor, "O'Brien");
    }
}

TEST(AerographFile, MissingFileNamesThePath) {
    TAerographFile file;
    std::string error;
    EXPECT_FALSE(ReadAerographFile("/nonexistent/x.psy", file, error));
    EXPECT_EQ(error, "cannot read /nonexistent/x.psy");
}

}  // namespace
}  // namespace qdx
