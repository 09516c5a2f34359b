#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "documents/atomic_file.hpp"
#include "documents/messages.hpp"
#include "documents/text_utils.hpp"
#include "documents/value_stream.hpp"
#include "engine_fixture.hpp"
#include "units/format.hpp"

namespace qdx::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::year_month_day;

// Everything an open may change, at full precision, so that "unchanged" means unchanged.
std::string StateText(TCoilProject& p) {
    TColdWaterCoil& c = p.Coil();
    const TLiquid& l = p.Coolant();
    const TLiquidState& ls = *c.LiquidState;
    std::string s = Format(
        "%s|%s|%.17g|%.17g|%.17g|%.17g|%.17g|%.17g|%.17g|%.17g|%.17g|%.17g|%.17g|%.17g|%.17g|%d|"
        "%d|%d|%.17g|%.17g|%.17g|%.17g|%.17g|%.17g|%.17g|%s|%s|%s|%s|%s|%s|%s",
        c.GetDesignation(), c.FinAndTube->Record().Mnf, p.Barometer, c.AirIn->db, c.AirIn->wb,
        c.AirIn->pa, c.AirOut->db, c.AirOut->wb, c.AirOut->pa, c.MassFlow, c.FaceVelocity,
        l.tfi, l.tfo, l.m, ls.vw, static_cast<int>(ls.ctrl), static_cast<int>(l.LiquidSpec),
        static_cast<int>(l.WaterAdditive), l.AdditiveVolume, ls.designdt, c.Qt, c.Qs, c.e, c.Ntu,
        c.FaceArea(), p.Properties.edProjectName, p.Properties.edProjectNumber,
        p.Properties.edDescription, p.Properties.edAuthor, p.Properties.edCompany,
        FormatPropertiesDate(p.Properties.edDate), p.FileName);
    return s;
}

std::string ReadText(const fs::path& path) {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(path.string(), text));
    return text;
}

// The document's lines without the derived air_dp and liquid_dp.
std::string WithoutPressureDrops(const std::string& text) {
    std::istringstream in(text);
    std::string out, line;
    while (std::getline(in, line))
        if (line.find("_dp units=") == std::string::npos) out += line + "\n";
    return out;
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary);
    f << text;
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Replaces the first occurrence of from; the test fails when there is none.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

class ProjectFileTest : public CoilProjectTest {
protected:
    void SetUp() override {
        CoilProjectTest::SetUp();
        previous_ = SetMessageHandler([this](const std::string& m) { messages.push_back(m); });
    }
    void TearDown() override {
        SetMessageHandler(previous_);
        CoilProjectTest::TearDown();
    }

    // A wet glycol coil under temperature control, solved, with all six properties set.
    void MakeDistinctProject(TCoilProject& p) {
        ASSERT_TRUE(p.SetCoilModel("762 1200 6r 10f 12c"));
        p.SetBarometer(95);
        p.SetOnCoil("27/21");
        p.SetAirVelocity(2.2);
        p.SetCoolant(0, 1, 0.25);
        p.SetFluidControl(wcTemp);
        p.SetFluidInlet(7);
        p.SetDesignDT(6);
        p.SetFluidFlow(2.1);
        ASSERT_TRUE(p.SolveCoil());
        p.Properties.edProjectName = "Harbour Tower";
        p.Properties.edProjectNumber = "HT-0042";
        p.Properties.edDescription = "Level 3 AHU\r\nChilled water, 25% glycol";
        p.Properties.edAuthor = "A. Fitter";
        p.Properties.edCompany = "Fitters & Sons";
        p.Properties.edDate = year_month_day(std::chrono::year{2013}, std::chrono::month{1},
                                             std::chrono::day{5});
    }

    fs::path File(const std::string& name) const { return dir_ / name; }

    // A project as a first run builds it.
    std::unique_ptr<TCoilProject> FreshProject() {
        auto p = std::make_unique<TCoilProject>();
        p->CreateCoil(TCoilSettings{});
        return p;
    }

    std::vector<std::string> messages;

private:
    MessageHandler previous_;
};

TEST_F(ProjectFileTest, SaveWritesTheDataFileFrame) {
    MakeDistinctProject(project);
    const fs::path path = File("frame.cqx");
    ASSERT_TRUE(project.SaveFile(path.string()));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(project.Saved);
    EXPECT_FALSE(project.Modified);
    EXPECT_EQ(project.FileName, path.string());

    TXMLFile xml(path.string());
    ASSERT_EQ(xml.ReadStatus, TXMLFile::rsOk);
    const XmlNode root = xml.DocumentElement();
    EXPECT_STREQ(root.name(), "datafile");
    std::vector<std::string> attributes;
    for (auto a : root.attributes()) attributes.push_back(std::string(a.name()) + "=" + a.value());
    EXPECT_EQ(attributes, (std::vector<std::string>{"program=QDX", "generator=Calorix Software",
                                                    "version=1.0.0.0"}));
    std::vector<std::string> children;
    for (XmlNode n : root.children()) children.push_back(n.name());
    EXPECT_EQ(children, (std::vector<std::string>{"fileprops", "qdx"}));
    const XmlNode props = root.child("fileprops");
    EXPECT_STREQ(props.child_value("description"),
                 "Level 3 AHU%13%10Chilled water, 25% glycol");
    EXPECT_STREQ(props.child_value("date"), "05 01 2013");
    EXPECT_EQ(xml.ReadAttr(root.child("qdx"), "caption"),
              Format("Typical, %d, %s", static_cast<int>(coil().FinAndTube->Record().Tube),
                     coil().GetDesignation()));
}

TEST_F(ProjectFileTest, RoundTripGivesTheSameInputsAndResults) {
    MakeDistinctProject(project);
    const fs::path path = File("round trip.cqx");
    ASSERT_TRUE(project.SaveFile(path.string()));

    auto opened = FreshProject();
    opened->SetModified(true);
    ASSERT_TRUE(opened->OpenFile(path.string()));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(opened->Saved);
    EXPECT_FALSE(opened->Modified);
    EXPECT_FALSE(opened->Solved);
    EXPECT_EQ(opened->SolveStatusText, "Not Solved");
    EXPECT_EQ(opened->FileName, path.string());

    TColdWaterCoil& a = coil();
    TColdWaterCoil& b = opened->Coil();
    EXPECT_EQ(b.GetDesignation(), a.GetDesignation());
    EXPECT_EQ(b.FinAndTube->Record(), a.FinAndTube->Record());
    auto p3 = [](double v) { return Format("%0.3f", v); };
    // Inputs, as the file prints them.
    EXPECT_EQ(p3(opened->Barometer), "95.000");
    EXPECT_EQ(p3(b.AirIn->db), p3(a.AirIn->db));
    EXPECT_EQ(p3(b.AirIn->wb), p3(a.AirIn->wb));
    EXPECT_EQ(p3(b.MassFlow), p3(a.MassFlow));
    EXPECT_EQ(p3(b.FaceVelocity), p3(a.FaceVelocity));
    EXPECT_EQ(b.LiquidState->ctrl, wcTemp);
    EXPECT_EQ(p3(b.LiquidState->designdt), p3(a.LiquidState->designdt));
    EXPECT_EQ(p3(b.Liquid->tfi), "7.000");
    EXPECT_EQ(p3(b.Liquid->m), p3(a.Liquid->m));
    EXPECT_EQ(opened->Coolant().WaterAdditive, 1);
    EXPECT_EQ(p3(opened->Coolant().AdditiveVolume), "0.250");
    EXPECT_EQ(opened->Coolant().GetCaption(), project.Coolant().GetCaption());
    // Results, as stored.
    EXPECT_EQ(p3(b.Qt), p3(a.Qt));
    EXPECT_EQ(p3(b.Qs), p3(a.Qs));
    EXPECT_EQ(p3(b.e), p3(a.e));
    EXPECT_EQ(p3(b.Ntu), p3(a.Ntu));
    EXPECT_EQ(p3(b.Cr), p3(a.Cr));
    EXPECT_EQ(p3(b.AirOut->db), p3(a.AirOut->db));
    EXPECT_EQ(p3(b.AirOut->wb), p3(a.AirOut->wb));
    // The file properties, description lines included.
    const TFileProperties& pa = project.Properties;
    const TFileProperties& pb = opened->Properties;
    EXPECT_EQ(pb.edProjectName, pa.edProjectName);
    EXPECT_EQ(pb.edProjectNumber, pa.edProjectNumber);
    EXPECT_EQ(pb.DescriptionLines(),
              (std::vector<std::string>{"Level 3 AHU", "Chilled water, 25% glycol"}));
    EXPECT_EQ(pb.edAuthor, pa.edAuthor);
    EXPECT_EQ(pb.edCompany, pa.edCompany);
    EXPECT_EQ(pb.edDate, pa.edDate);

    // Rated again, the opened coil gives the duties it was saved with.
    const double qt = a.Qt, qs = a.Qs;
    ASSERT_TRUE(opened->SolveCoil());
    EXPECT_NEAR(b.Qt, qt, 2e-3 * qt);
    EXPECT_NEAR(b.Qs, qs, 2e-3 * qs);

    // Saved again unchanged, the document is the same text but for the two pressure drops,
    // which are worked out from the rounded flows.
    const fs::path again = File("again.cqx");
    auto reopened = FreshProject();
    ASSERT_TRUE(reopened->OpenFile(path.string()));
    ASSERT_TRUE(reopened->SaveFile(again.string()));
    EXPECT_EQ(WithoutPressureDrops(ReadText(again)), WithoutPressureDrops(ReadText(path)));
}

TEST_F(ProjectFileTest, OpenedAirKeepsTheSavedBarometer) {
    MakeDistinctProject(project);
    const fs::path path = File("baro.cqx");
    ASSERT_TRUE(project.SaveFile(path.string()));
    auto opened = FreshProject();
    ASSERT_TRUE(opened->OpenFile(path.string()));
    EXPECT_DOUBLE_EQ(opened->Barometer, 95);
    EXPECT_DOUBLE_EQ(opened->OnCoilAir.pa, 95);
    EXPECT_EQ(opened->Coil().AirIn, &opened->OnCoilAir);
    EXPECT_EQ(opened->Coil().AirOut, &opened->OffCoilAir);
    EXPECT_EQ(opened->Coil().Liquid, &opened->Coolant());
    EXPECT_EQ(opened->Coil().LiquidState->liquid, &opened->Coolant());
}

// Variants of a saved document: each either opens, with its check, or is refused with its
// message and leaves the project as it was.
struct VariantCase {
    const char* name;
    std::string (*edit)(const std::string& text);
    const char* message;  // null when the file opens
    void (*check)(TCoilProject& p);
};

const VariantCase kVariants[] = {
    {"chilledwatercoil element",
     [](const std::string& t) {
         return Replaced(Replaced(t, "<qdx ", "<chilledwatercoil "), "</qdx>",
                         "</chilledwatercoil>");
     },
     nullptr,
     [](TCoilProject& p) { EXPECT_EQ(p.Coil().GetDesignation(), "762 x 1200  6r  10f  12c"); }},
    {"root and program in other case",
     [](const std::string& t) {
         return Replaced(Replaced(Replaced(t, "<datafile ", "<DATAFILE "), "</datafile>",
                                  "</DATAFILE>"),
                         "program=\"QDX\"", "program=\"qdx\"");
     },
     nullptr,
     [](TCoilProject& p) { EXPECT_EQ(p.Coil().GetDesignation(), "762 x 1200  6r  10f  12c"); }},
    {"another version",
     [](const std::string& t) { return Replaced(t, "version=\"1.0.0.0\"", "version=\"9.9\""); },
     nullptr,
     [](TCoilProject& p) { EXPECT_EQ(p.Coil().GetDesignation(), "762 x 1200  6r  10f  12c"); }},
    {"date with blanks",
     [](const std::string& t) { return Replaced(t, "05 01 2013", "07 03 2004"); }, nullptr,
     [](TCoilProject& p) {
         EXPECT_EQ(p.Properties.edDate,
                   year_month_day(std::chrono::year{2004}, std::chrono::month{3},
                                  std::chrono::day{7}));
     }},
    {"date with hyphens",
     [](const std::string& t) { return Replaced(t, "05 01 2013", "05-01-2013"); }, nullptr,
     [](TCoilProject& p) { EXPECT_EQ(p.Properties.edDate, Today()); }},
    {"no author",
     [](const std::string& t) { return Replaced(t, "<author>A. Fitter</author>", ""); }, nullptr,
     [](TCoilProject& p) {
         EXPECT_EQ(p.Properties.edAuthor, "");
         EXPECT_EQ(p.Properties.edCompany, "Fitters & Sons");
     }},
    {"no file properties",
     [](const std::string& t) {
         const auto from = t.find("<fileprops>");
         const auto to = t.find("</fileprops>") + std::string("</fileprops>").size();
         return t.substr(0, from) + t.substr(to);
     },
     nullptr,
     [](TCoilProject& p) {
         // The properties stay those of the first run; the coil is the file's.
         EXPECT_EQ(p.Properties.edProjectName, "");
         EXPECT_EQ(p.Coil().GetDesignation(), "762 x 1200  6r  10f  12c");
     }},
    {"leaving air of a failed calculation",
     // Earlier versions saved it: no air state, and the file did not open again.
     [](const std::string& t) {
         const auto at = t.find("<dbo>");
         return t.substr(0, at) + "<dbo>-443.658" + t.substr(t.find("</dbo>"));
     },
     nullptr,
     [](TCoilProject& p) {
         // Every input is there; the stored result is none.
         EXPECT_EQ(p.Coil().GetDesignation(), "762 x 1200  6r  10f  12c");
         EXPECT_DOUBLE_EQ(p.OnCoilAir.db, 27);
         EXPECT_DOUBLE_EQ(p.OnCoilAir.wb, 21);
         EXPECT_DOUBLE_EQ(p.Coil().Liquid->tfi, 7);
         EXPECT_EQ(p.Coil().Qt, 0);
         EXPECT_EQ(p.Coil().Qs, 0);
         EXPECT_EQ(p.Coil().AirOut->db, p.Coil().AirIn->db);
         EXPECT_TRUE(p.SolveCoil());
     }},
    {"no coil element",
     [](const std::string& t) {
         const auto from = t.find("<qdx ");
         const auto to = t.find("</qdx>") + std::string("</qdx>").size();
         return t.substr(0, from) + t.substr(to);
     },
     nullptr,
     [](TCoilProject& p) {
         EXPECT_EQ(p.Coil().GetDesignation(), "635 x 720  4r  12f  7c");
         EXPECT_EQ(p.Properties.edProjectName, "Harbour Tower");
     }},
    {"another program",
     [](const std::string& t) { return Replaced(t, "program=\"QDX\"", "program=\"QDX2\""); },
     "Invalid file format...", nullptr},
    {"another root",
     [](const std::string& t) {
         return Replaced(Replaced(t, "<datafile ", "<psychrometrics "), "</datafile>",
                         "</psychrometrics>");
     },
     "Invalid file format...", nullptr},
    {"truncated", [](const std::string& t) { return t.substr(0, t.size() / 2); },
     "Error reading file...", nullptr},
    {"air at no pressure",
     [](const std::string& t) { return Replaced(t, "<Pa>95.000</Pa>", "<Pa>0</Pa>"); },
     "Error reading file...", nullptr},
    {"entering air out of range",
     [](const std::string& t) { return Replaced(t, "<dbi>27.000</dbi>", "<dbi>1e308</dbi>"); },
     "Error reading file...", nullptr},
};

TEST_F(ProjectFileTest, DocumentVariants) {
    MakeDistinctProject(project);
    const fs::path saved = File("base.cqx");
    ASSERT_TRUE(project.SaveFile(saved.string()));
    const std::string text = ReadText(saved);

    for (const VariantCase& v : kVariants) {
        SCOPED_TRACE(v.name);
        messages.clear();
        const fs::path path = File(std::string(v.name) + ".cqx");
        WriteText(path, v.edit(text));
        auto p = FreshProject();
        p->FileName = "before.cqx";
        p->SetModified(true);
        const std::string before = StateText(*p);
        const bool opened = p->OpenFile(path.string());
        if (v.message) {
            EXPECT_FALSE(opened);
            EXPECT_EQ(messages, std::vector<std::string>{v.message});
            EXPECT_EQ(StateText(*p), before);
            EXPECT_TRUE(p->Modified);
        } else {
            EXPECT_TRUE(opened);
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(p->FileName, path.string());
            if (v.check) v.check(*p);
        }
    }
}

// An older value-stream file of the project's coil and the given properties.
std::vector<uint8_t> StreamFile(TCoilProject& p, const std::string& tag) {
    ValueWriter w;
    w.WriteString(tag);
    w.WriteString("Old Project");
    w.WriteString("OP-1", ValueTag::LString);
    w.WriteString("first\rsecond", ValueTag::WString);
    w.WriteString("Ålund");
    w.WriteString("Old Co");
    w.WriteDate(41279.5);  // 5 January 2013, noon
    p.Coil().WriteToStream(w);
    return w.Bytes();
}

TEST_F(ProjectFileTest, ValueStreamFileOpens) {
    auto source = FreshProject();
    MakeDistinctProject(*source);
    const fs::path path = File("old.cqx");
    WriteBytes(path, StreamFile(*source, "QDX 1.1.0.0 DataFile"));

    // The older files do not hold the design temperature rise: the open keeps the current one.
    project.SetDesignDT(6);
    ASSERT_TRUE(project.OpenFile(path.string()));
    EXPECT_TRUE(messages.empty());
    EXPECT_DOUBLE_EQ(coil().LiquidState->designdt, 6);
    const TFileProperties& props = project.Properties;
    EXPECT_EQ(props.edProjectName, "Old Project");
    EXPECT_EQ(props.edProjectNumber, "OP-1");
    EXPECT_EQ(props.edDescription, "first\r\nsecond");
    EXPECT_EQ(props.edAuthor, "Ålund");
    EXPECT_EQ(props.edCompany, "Old Co");
    EXPECT_EQ(props.edDate, year_month_day(std::chrono::year{2013}, std::chrono::month{1},
                                           std::chrono::day{5}));
    TColdWaterCoil& a = source->Coil();
    TColdWaterCoil& b = coil();
    EXPECT_EQ(b.GetDesignation(), a.GetDesignation());
    EXPECT_DOUBLE_EQ(b.Qt, a.Qt);
    EXPECT_DOUBLE_EQ(b.AirIn->db, a.AirIn->db);
    EXPECT_DOUBLE_EQ(b.AirOut->wb, a.AirOut->wb);
    EXPECT_DOUBLE_EQ(b.MassFlow, a.MassFlow);
    EXPECT_DOUBLE_EQ(b.Liquid->tfi, 7);
    EXPECT_NEAR(b.Liquid->m, a.Liquid->m, 1e-12);
    EXPECT_EQ(b.LiquidState->ctrl, wcTemp);
    EXPECT_DOUBLE_EQ(project.Barometer, 95);
    EXPECT_FALSE(project.Solved);
    ASSERT_TRUE(project.SolveCoil());
    EXPECT_NEAR(b.Qt, a.Qt, 1e-6 * a.Qt);
}

TEST_F(ProjectFileTest, BadValueStreamsLeaveTheProjectAlone) {
    auto source = FreshProject();
    MakeDistinctProject(*source);
    const std::vector<uint8_t> good = StreamFile(*source, "QDX 1.1.0.0 DataFile");
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* message;
    };
    ValueWriter integerFirst;
    integerFirst.WriteInteger(7);
    const Case cases[] = {
        {"wrong tag text", StreamFile(*source, "QDX 1.0.0.0 DataFile"), "Invalid file format..."},
        {"another program's tag", StreamFile(*source, "PSX 1.1.0.0 DataFile"),
         "Invalid file format..."},
        {"cut in the coil record", {good.begin(), good.end() - 40}, "Error reading file..."},
        {"cut in the properties", {good.begin(), good.begin() + 40}, "Error reading file..."},
        {"integer first", integerFirst.Bytes(), "Error reading file..."},
        {"empty file", {}, "Error reading file..."},
        {"garbage", {0xff, 0x00, 0x13, 0x37, 0x42, 0x99, 0x06, 0xff}, "Error reading file..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        const fs::path path = File("bad.cqx");
        WriteBytes(path, c.bytes);
        const std::string before = StateText(project);
        project.Barometer = 90;  // shown apart from the air; the open puts the air's back
        EXPECT_FALSE(project.OpenFile(path.string()));
        EXPECT_EQ(messages, std::vector<std::string>{c.message});
        EXPECT_DOUBLE_EQ(project.Barometer, 101.325);
        EXPECT_EQ(StateText(project), before);
        // Still a working model.
        EXPECT_TRUE(project.SolveCoil());
    }
}

// Air records that are no state: leaving air saved after a failed calculation opens as the XML
// file does, with every input and no result; entering air that is none is damage.
TEST_F(ProjectFileTest, ValueStreamAirThatIsNoState) {
    auto source = FreshProject();
    MakeDistinctProject(*source);
    const TAirState goodIn = *source->Coil().AirIn;
    source->Coil().AirOut->db = -443.658;
    const fs::path path = File("old.cqx");
    WriteBytes(path, StreamFile(*source, "QDX 1.1.0.0 DataFile"));
    ASSERT_TRUE(project.OpenFile(path.string()));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(coil().GetDesignation(), "762 x 1200  6r  10f  12c");
    EXPECT_DOUBLE_EQ(project.OnCoilAir.db, 27);
    EXPECT_DOUBLE_EQ(project.OnCoilAir.wb, 21);
    EXPECT_DOUBLE_EQ(coil().Liquid->tfi, 7);
    EXPECT_EQ(coil().Qt, 0);
    EXPECT_EQ(coil().Qs, 0);
    EXPECT_EQ(coil().AirOut->db, coil().AirIn->db);
    EXPECT_EQ(coil().AirOut->wb, coil().AirIn->wb);
    EXPECT_TRUE(project.SolveCoil());

    auto fresh = FreshProject();
    const std::string before = StateText(*fresh);
    *source->Coil().AirIn = goodIn;
    source->Coil().AirIn->db = -443.658;
    WriteBytes(path, StreamFile(*source, "QDX 1.1.0.0 DataFile"));
    messages.clear();
    EXPECT_FALSE(fresh->OpenFile(path.string()));
    EXPECT_EQ(messages, std::vector<std::string>{"Error reading file..."});
    EXPECT_EQ(StateText(*fresh), before);
}

TEST_F(ProjectFileTest, MissingFileOrEmptyPathDoesNothing) {
    const std::string before = StateText(project);
    project.Barometer = 90;
    EXPECT_FALSE(project.OpenFile(""));
    EXPECT_FALSE(project.OpenFile(File("missing.cqx").string()));
    EXPECT_FALSE(project.SaveFile(""));
    EXPECT_TRUE(messages.empty());
    EXPECT_DOUBLE_EQ(project.Barometer, 90);
    project.Barometer = 101.325;
    EXPECT_EQ(StateText(project), before);
}

TEST_F(ProjectFileTest, FailedSavesKeepTheOldFile) {
    ASSERT_TRUE(project.SolveCoil());
    const fs::path path = File("keep.cqx");
    ASSERT_TRUE(project.SaveFile(path.string()));
    const std::string saved = ReadText(path);

    // A file where a folder should be.
    project.SetModified(true);
    EXPECT_FALSE(project.SaveFile((path / "inside.cqx").string()));
    EXPECT_EQ(messages, std::vector<std::string>{"Error saving file..."});
    EXPECT_FALSE(project.FileError.empty());
    EXPECT_FALSE(project.Saved);
    EXPECT_EQ(project.FileName, path.string());

    // A fault while the coil writes itself: the document is never complete, the old file stays.
    messages.clear();
    project.Coolant().ro = std::nan("");
    EXPECT_FALSE(project.SaveFile(path.string()));
    EXPECT_EQ(messages, std::vector<std::string>{"Error saving file..."});
    EXPECT_EQ(ReadText(path), saved);
    std::vector<std::string> leftovers;
    for (const auto& e : fs::directory_iterator(dir_))
        if (e.path().filename().string().rfind("keep", 0) == 0)
            leftovers.push_back(e.path().filename().string());
    EXPECT_EQ(leftovers, std::vector<std::string>{"keep.cqx"});
}

}  // namespace
}  // namespace qdx::test
