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

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    fs::path target(path);
    std::error_code ec;
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);

    std::string tmpl = path + ".tmpXXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return fail("Cannot create " + tmpl + ": " + std::strerror(errno));
    // Keep the permissions of the file being replaced, else the usual rw-r--r--.
    struct stat st {};
    ::fchmod(fd, ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);

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
    if (std::rename(tmpl.c_str(), path.c_str()) != 0) {
        std::string why = std::strerror(errno);
        ::unlink(tmpl.c_str());
        return fail("Cannot replace " + path + ": " + why);
    }
    return true;
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
