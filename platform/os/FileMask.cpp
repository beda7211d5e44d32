#include "platform/os/FileMask.h"

#include "platform/rtl/CodePage.h"

namespace {

char FoldAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameChar(const std::string& name, std::size_t ni, std::size_t nlen, const std::string& mask, std::size_t mi,
              std::size_t mlen)
{
    if (nlen != mlen)
        return false;
    if (nlen == 1)
        return FoldAscii(name[ni]) == FoldAscii(mask[mi]);
    return name.compare(ni, nlen, mask, mi, mlen) == 0;
}

}

bool HasWildcards(const std::string& mask)
{
    return mask.find_first_of("*?") != std::string::npos;
}

bool MatchesFileMask(const std::string& name, const std::string& mask)
{
    if (mask == "*.*")
        return true;
    // Greedy matching with one back-up point: the last "*" seen and where in
    // the name it started to match. Linear in practice, never exponential.
    std::size_t n = 0, m = 0;
    std::size_t starMask = std::string::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = ++m;
            starName = n;
            continue;
        }
        const std::size_t nlen = CharLength(name, n);
        if (m < mask.size()) {
            const std::size_t mlen = CharLength(mask, m);
            if ((mlen == 1 && mask[m] == '?') || SameChar(name, n, nlen, mask, m, mlen)) {
                n += nlen;
                m += mlen;
                continue;
            }
        }
        if (starMask == std::string::npos)
            return false;
        starName += CharLength(name, starName);
        n = starName;
        m = starMask;
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

bool FileNameLess(const std::string& a, const std::string& b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(FoldAscii(a[i]));
        const auto y = static_cast<unsigned char>(FoldAscii(b[i]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}
