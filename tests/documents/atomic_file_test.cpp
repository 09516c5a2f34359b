// Saving as a careful editor does: permissions and links of the target kept, the umask honoured
// for new files, no folder made for a path, and nothing left behind by a save that fails.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "documents/atomic_file.hpp"

namespace qdx {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "qdx_atomic_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string Text(const std::string& path) {
        std::string text;
        EXPECT_TRUE(ReadWholeFile(path, text)) << path;
        return text;
    }
    static mode_t Mode(const std::string& path) {
        struct stat st {};
        EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
        return st.st_mode & 07777;
    }
    // The names in the folder: a failed save must add none (no temporary file).
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.insert(e.path().filename());
        return names;
    }

    fs::path dir_;
};

TEST_F(AtomicFile, ReplacementKeepsThePermissionBits) {
    for (const mode_t mode : {0600, 0640, 0664, 0755}) {
        SCOPED_TRACE(mode);
        const std::string path = Path("job.cqx");
        ASSERT_TRUE(WriteFileAtomically(path, "old"));
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(WriteFileAtomically(path, "new"));
        EXPECT_EQ(Text(path), "new");
        EXPECT_EQ(Mode(path), mode);
    }
}

TEST_F(AtomicFile, NewFileGetsTheUmask) {
    const mode_t before = ::umask(0);
    for (const mode_t mask : {022, 077, 002, 0}) {
        SCOPED_TRACE(mask);
        const std::string path = Path("new" + std::to_string(mask) + ".cqx");
        ::umask(mask);
        const bool written = WriteFileAtomically(path, "x");
        ::umask(0);
        ASSERT_TRUE(written);
        EXPECT_EQ(Mode(path), 0666 & ~mask);
    }
    ::umask(before);
}

TEST_F(AtomicFile, SymbolicLinkIsFollowed) {
    fs::create_directories(dir_ / "projects");
    const std::string real = Path("projects/real.cqx");
    ASSERT_TRUE(WriteFileAtomically(real, "old"));
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    // A relative link, and a link to that link.
    fs::create_symlink("projects/real.cqx", dir_ / "link.cqx");
    fs::create_symlink(dir_ / "link.cqx", dir_ / "link2.cqx");

    ASSERT_TRUE(WriteFileAtomically(Path("link.cqx"), "through the link"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.cqx"));
    EXPECT_EQ(Text(real), "through the link");
    EXPECT_EQ(Mode(real), 0640u);

    ASSERT_TRUE(WriteFileAtomically(Path("link2.cqx"), "through two links"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link2.cqx"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.cqx"));
    EXPECT_EQ(Text(real), "through two links");

    // A link to a file not there yet makes that file.
    fs::create_symlink("projects/later.cqx", dir_ / "dangling.cqx");
    ASSERT_TRUE(WriteFileAtomically(Path("dangling.cqx"), "made"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.cqx"));
    EXPECT_EQ(Text(Path("projects/later.cqx")), "made");

    // Nothing but the files themselves in either folder.
    EXPECT_EQ(Names(), (std::set<std::string>{"projects", "link.cqx", "link2.cqx", "dangling.cqx"}));
}

TEST_F(AtomicFile, NoFolderIsMadeForAPath) {
    std::string why;
    EXPECT_FALSE(WriteFileAtomically(Path("typo/dir/x.cqx"), "x", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(fs::exists(dir_ / "typo"));

    // The program's own folders are made by their owners.
    ASSERT_TRUE(CreateFolderOf(Path("own/Coils/units.ini")));
    EXPECT_TRUE(fs::is_directory(dir_ / "own" / "Coils"));
    EXPECT_TRUE(WriteFileAtomically(Path("own/Coils/units.ini"), "x"));
    EXPECT_TRUE(CreateFolderOf("relative.ini"));  // the current folder is there
    ASSERT_TRUE(WriteFileAtomically(Path("plain"), "x"));
    EXPECT_FALSE(CreateFolderOf(Path("plain/below/file.ini")));
}

TEST_F(AtomicFile, TargetThatIsNoFileIsRefused) {
    fs::create_directories(dir_ / "folder.cqx");
    const auto before = Names();
    std::string why;
    EXPECT_FALSE(WriteFileAtomically(Path("folder.cqx"), "x", &why));
    EXPECT_NE(why.find("folder.cqx"), std::string::npos) << why;
    EXPECT_TRUE(fs::is_directory(dir_ / "folder.cqx"));
    EXPECT_EQ(Names(), before);
}

// A file the user may not write is refused and left as it was, even in a folder the user may
// write (where a rename would replace it). The administrator may write every file, so the
// saves run as an unprivileged user when the tests run as root.
TEST_F(AtomicFile, ReadOnlyTargetIsRefusedAndUnchanged) {
    ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);
    for (const mode_t mode : {0444, 0000}) {
        SCOPED_TRACE(mode);
        const std::string path = Path("locked.cqx");
        ASSERT_TRUE(WriteFileAtomically(path, "the user's work"));
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        const auto before = Names();

        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::geteuid() == 0 &&
                (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(3);
            std::string why;
            const bool written = WriteFileAtomically(path, "replaced", &why);
            ::_exit(written ? 1 : why.find("locked.cqx") != std::string::npos ? 0 : 2);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1: replaced, 2: no reason given, 3: no user switch";
        EXPECT_EQ(Mode(path), mode);
        ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
        EXPECT_EQ(Text(path), "the user's work");
        EXPECT_EQ(Names(), before);
        fs::remove(path);
    }
}

}  // namespace
}  // namespace qdx
