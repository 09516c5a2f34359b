#include "documents/atomic_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qdx {

namespace fs = std::filesystem;

namespace {

// The file a path names: a symbolic link is followed to the file it points to (which need not
// exist yet), as an editor saving through a link does.
fs::path LinkTarget(const fs::path& path) {
    fs::path p = path;
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(p, ec)); ++hops) {
        const fs::path link = fs::read_symlink(p, ec);
        if (ec) break;
        p = link.is_absolute() ? link : p.parent_path() / link;
    }
    return p;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    const std::string target = LinkTarget(fs::path(path)).string();
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) return fail("Cannot replace " + path + ": not a file");
    // A file the user may not write is left alone, even where the folder would allow
    // replacing it.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return fail("Cannot write " + path + ": " + std::strerror(errno));

    std::string tmpl = target + ".tmpXXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return fail("Cannot create " + tmpl + ": " + std::strerror(errno));
    // The replacement keeps the permissions (and, where allowed, the owner) of the file it
    // replaces; a new file gets what the user's umask leaves of rw-rw-rw-.
    if (exists) {
        ::fchmod(fd, st.st_mode & 07777);
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
            ::fchown(fd, st.st_uid, st.st_gid) != 0) {
            // Only the owner or the administrator may keep another owner: the copy is ours.
        }
    } else {
        ::fchmod(fd, 0666 & ~CurrentUmask());
    }

    const char* p = content.data();
    size_t left = content.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            std::string why = std::strerror(errno);
            ::close(fd);
            ::unlink(tmpl.c_str());
            return fail("Cannot write " + path + ": " + why);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        std::string why = std::strerror(errno);
        ::unlink(tmpl.c_str());
        return fail("Cannot write " + path + ": " + why);
    }
    if (std::rename(tmpl.c_str(), target.c_str()) != 0) {
        std::string why = std::strerror(errno);
        ::unlink(tmpl.c_str());
        return fail("Cannot replace " + path + ": " + why);
    }
    return true;
}

bool CreateFolderOf(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) return true;
    std::error_code ec;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec);
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) return false;
    content = ss.str();
    return true;
}

}  // namespace qdx
