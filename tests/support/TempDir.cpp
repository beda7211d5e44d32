#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "rupinako-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        throw std::runtime_error("mkdtemp failed");
    FPath = buffer.data();
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Tests may leave folders without permissions behind; give them back first.
    for (auto it = fs::recursive_directory_iterator(FPath, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(FPath, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(FPath, ec);
}

std::string TempDir::WriteFile(const std::string& relative, const std::string& bytes) const
{
    fs::path p = FPath / relative;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + p.string());
    return p.string();
}

std::string TempDir::MakeDir(const std::string& relative) const
{
    fs::path p = FPath / relative;
    fs::create_directories(p);
    return p.string();
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
