// Damaged project files: saved ".cqx" documents and older value-stream files, cut, flipped,
// with elements dropped or repeated and numbers replaced by texts no coil holds. An open either
// succeeds with a coil the program can work with, or fails with its message and leaves the
// project exactly as it was.

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "documents/atomic_file.hpp"
#include "documents/messages.hpp"
#include "documents/mutation.hpp"
#include "documents/value_stream.hpp"
#include "engine_fixture.hpp"
#include "project_open_state.hpp"
#include "units/format.hpp"

namespace qdx::test {
namespace {

namespace fs = std::filesystem;

class ProjectFileRobustness : public CoilProjectTest {
protected:
    void SetUp() override {
        CoilProjectTest::SetUp();
        previous_ = SetMessageHandler([this](const std::string& m) { messages.push_back(m); });
    }
    void TearDown() override {
        SetMessageHandler(previous_);
        CoilProjectTest::TearDown();
    }

    // A wet glycol coil under temperature control, solved, with its properties set.
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
        p.Properties.edDescription = "Level 3 AHU\r\nChilled water";
        p.Properties.edCompany = "Fitters & Sons";
    }

    void WriteBytes(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }

    // Opens each damaged text in turn into the test's project and checks the outcome; returns
    // how many opened.
    template <typename Damage>
    int OpenDamaged(const fs::path& path, int count, Damage damage) {
        int opened = 0;
        for (int n = 0; n < count; ++n) {
            SCOPED_TRACE("case " + std::to_string(n));
            const std::string bytes = damage();
            WriteBytes(path, bytes);
            messages.clear();
            const std::string before = ProjectOpenState(project);
            bool ok = false;
            try {
                ok = project.OpenFile(path.string());
            } catch (const std::exception& e) {
                ADD_FAILURE() << "open threw: " << e.what();
                continue;
            }
            if (ok) {
                ++opened;
                EXPECT_TRUE(messages.empty());
                // The coil is one the program can work with: it solves, or says why not.
                EXPECT_NO_THROW(project.SolveCoil());
                const TColdWaterCoil& c = project.Coil();
                EXPECT_TRUE(std::isfinite(project.Barometer));
                EXPECT_TRUE(std::isfinite(c.MassFlow) && std::isfinite(c.AirIn->db) &&
                            std::isfinite(c.AirIn->wb))
                    << ProjectOpenState(project);
                // Later opens start from a known coil.
                RestoreGoodProject();
            } else {
                EXPECT_EQ(messages.size(), 1u);
                if (messages.empty()) continue;
                EXPECT_TRUE(messages[0] == "Invalid file format..." ||
                            messages[0] == "Error reading file...")
                    << messages[0];
                EXPECT_EQ(ProjectOpenState(project), before);
            }
        }
        return opened;
    }

    void RestoreGoodProject() {
        messages.clear();
        ASSERT_TRUE(project.OpenFile(goodPath_.string()));
    }

    std::vector<std::string> messages;
    fs::path goodPath_;

private:
    MessageHandler previous_;
};

TEST_F(ProjectFileRobustness, DamagedCqxOpensSoundlyOrLeavesTheProjectAlone) {
    MakeDistinctProject(project);
    goodPath_ = dir_ / "good.cqx";
    ASSERT_TRUE(project.SaveFile(goodPath_.string()));
    std::string good;
    ASSERT_TRUE(ReadWholeFile(goodPath_.string(), good));
    // The project under test is a different coil, so "unchanged" is visible.
    project.SetCoilModel("544 x 720 4r 12f  (14c)");
    project.SetFluidInlet(5.5);

    Mutator m(5);
    const int opened = OpenDamaged(dir_ / "damaged.cqx", 1500, [&] {
        return m.Several(good, [&](std::string s) { return m.Below(4) ? m.Xml(s) : m.Bytes(s); });
    });
    EXPECT_GT(opened, 100);
    EXPECT_LT(opened, 1500);
}

TEST_F(ProjectFileRobustness, DamagedValueStreamOpensSoundlyOrLeavesTheProjectAlone) {
    MakeDistinctProject(project);
    goodPath_ = dir_ / "good.cqx";
    ASSERT_TRUE(project.SaveFile(goodPath_.string()));

    ValueWriter w;
    w.WriteString(TCoilProject::kStreamTag);
    w.WriteString("Old Project");
    w.WriteString("OP-1", ValueTag::LString);
    w.WriteString("first\rsecond", ValueTag::WString);
    w.WriteString("\xC3\x85lund");
    w.WriteString("Old Co");
    w.WriteDate(41279.5);
    project.Coil().WriteToStream(w);
    const std::string good(w.Bytes().begin(), w.Bytes().end());
    project.SetCoilModel("544 x 720 4r 12f  (14c)");
    project.SetFluidInlet(5.5);

    // Floats planted where the stream holds floats: not-a-number, infinities, huge values.
    const double nasty[] = {NAN, INFINITY, -INFINITY, 1e308, -0.0, 1e12, 4.9e-324};
    Mutator m(1899);
    const int opened = OpenDamaged(dir_ / "old.cqx", 1500, [&] {
        return m.Several(good, [&](std::string s) {
            if (m.Below(3)) return m.Bytes(s);
            std::vector<std::size_t> floats;
            for (std::size_t i = 0; i + 11 <= s.size(); ++i)
                if (s[i] == static_cast<char>(ValueTag::Extended)) floats.push_back(i + 1);
            if (floats.empty()) return s;
            std::uint8_t ext[10];
            DoubleToExtended(nasty[m.Below(std::size(nasty))], ext);
            std::memcpy(s.data() + floats[m.Below(floats.size())], ext, 10);
            return s;
        });
    });
    EXPECT_GT(opened, 10);
    EXPECT_LT(opened, 1500);
}

TEST_F(ProjectFileRobustness, GoodFileOpensAfterAnyDamagedOne) {
    MakeDistinctProject(project);
    goodPath_ = dir_ / "good.cqx";
    ASSERT_TRUE(project.SaveFile(goodPath_.string()));
    ASSERT_TRUE(project.OpenFile(goodPath_.string()));
    const std::string opened = ProjectOpenState(project);
    std::string good;
    ASSERT_TRUE(ReadWholeFile(goodPath_.string(), good));

    // Every number of the file in turn replaced by values no coil holds; whatever the damaged
    // file left in the project, the good file opens after it as it always does.
    const fs::path damaged = dir_ / "damaged.cqx";
    int damagedOpens = 0;
    for (const char* value : {"-2147483649", "1e308", "-1e308", "0", "-40", "4.9e-324"}) {
        for (std::size_t at = good.find('>'); at != std::string::npos; at = good.find('>', at + 1)) {
            const std::size_t end = good.find('<', at);
            if (end == std::string::npos || end == at + 1) continue;
            double ignored = 0;
            if (!TryStrToFloat(good.substr(at + 1, end - at - 1), ignored)) continue;
            std::string text = good;
            text.replace(at + 1, end - at - 1, value);
            SCOPED_TRACE(text.substr(good.rfind('<', at), 40) + " = " + value);
            WriteBytes(damaged, text);
            messages.clear();
            if (project.OpenFile(damaged.string())) {
                ++damagedOpens;
                project.SolveCoil();
                // As a faulted calculation used to leave it: the coolant at a leaving
                // temperature no liquid has.
                try {
                    project.Coolant().SetTfo(-2147483649.0);
                } catch (const std::exception&) {
                }
            }
            messages.clear();
            ASSERT_TRUE(project.OpenFile(goodPath_.string())) << messages.front();
            EXPECT_EQ(ProjectOpenState(project), opened);
        }
    }
    EXPECT_GT(damagedOpens, 0);
}

TEST_F(ProjectFileRobustness, FileOpensAfterACalculationLeftTheCoolantUnusable) {
    MakeDistinctProject(project);
    goodPath_ = dir_ / "good.cqx";
    ASSERT_TRUE(project.SaveFile(goodPath_.string()));
    ASSERT_TRUE(project.OpenFile(goodPath_.string()));
    const std::string opened = ProjectOpenState(project);
    std::string text;
    ASSERT_TRUE(ReadWholeFile(goodPath_.string(), text));

    // A file that holds a design rise no liquid survives, under temperature control. It opens
    // and its calculation fails; the next open must not depend on what that left.
    const auto from = text.find("<designdt>");
    const auto to = text.find("</ctrl>");
    ASSERT_NE(from, std::string::npos);
    ASSERT_NE(to, std::string::npos);
    text.replace(from, to - from,
                 "<designdt>-2147483649</designdt><cw>1</cw><vw>1</vw><vwideal>1</vwideal>"
                 "<ctrl>0");
    const fs::path damaged = dir_ / "damaged.cqx";
    WriteBytes(damaged, text);
    ASSERT_TRUE(project.OpenFile(damaged.string()));
    EXPECT_FALSE(project.SolveCoil());

    ASSERT_TRUE(project.OpenFile(goodPath_.string()));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(ProjectOpenState(project), opened);
    EXPECT_TRUE(project.SolveCoil());
}

TEST_F(ProjectFileRobustness, ValueStreamWithoutNumbersDoesNotOpen) {
    // Older files hold floats and air records as raw bits: not-a-number and infinity come
    // through the reader untouched and must not reach the coil.
    struct Case {
        const char* name;
        void (*spoil)(TCoilProject&);
    };
    const Case cases[] = {
        {"air mass flow", [](TCoilProject& p) { p.Coil().MassFlow = NAN; }},
        {"entering air record", [](TCoilProject& p) { p.Coil().AirIn->db = INFINITY; }},
        {"leaving air record", [](TCoilProject& p) { p.Coil().AirOut->mu = -INFINITY; }},
        {"additive volume", [](TCoilProject& p) { p.Coolant().AdditiveVolume = NAN; }},
        {"sensible duty", [](TCoilProject& p) { p.Coil().Qs = INFINITY; }},
    };
    const std::string before = ProjectOpenState(project);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TCoilProject source;
        source.CreateCoil(TCoilSettings{});
        c.spoil(source);
        ValueWriter w;
        w.WriteString(TCoilProject::kStreamTag);
        for (int i = 0; i < 5; ++i) w.WriteString("text");
        w.WriteDate(41279.5);
        source.Coil().WriteToStream(w);
        const fs::path path = dir_ / "old.cqx";
        WriteBytes(path, std::string(w.Bytes().begin(), w.Bytes().end()));
        messages.clear();
        EXPECT_FALSE(project.OpenFile(path.string()));
        EXPECT_EQ(messages, std::vector<std::string>{"Error reading file..."});
        EXPECT_EQ(ProjectOpenState(project), before);
    }
}

}  // namespace
}  // namespace qdx::test
