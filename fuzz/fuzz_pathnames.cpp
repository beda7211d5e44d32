// Path and mask handling on arbitrary bytes: the double-byte scanning, the
// lexical folding, the path splitting and the file-name mask. Checks the
// invariants the search components rely on; any crash, overrun or broken
// invariant is a finding.
//
// Input: byte 0 selects the code page (odd: 932), the rest is split at its
// first NUL into a name and a mask.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/search/SearchPaths.h"
#include "platform/os/FileMask.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/FilePath.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    SetActiveCodePage(data[0] & 1 ? CP_SHIFT_JIS : CP_UTF8);
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t nul = rest.find('\0');
    const std::string name = rest.substr(0, nul);
    const std::string mask = nul == std::string::npos ? std::string("*") : rest.substr(nul + 1);

    // Characters tile the string; ByteType agrees with them.
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t n = CharLength(name, i);
        if (n == 0 || i + n > name.size())
            std::abort();
        if (ByteType(name, i) == mbTrailByte)
            std::abort();
        for (std::size_t k = 1; k < n; ++k)
            if (ByteType(name, i + k) != mbTrailByte)
                std::abort();
        last = i;
        i += n;
    }
    if (AnsiLastChar(name) != last)
        std::abort();

    const std::string folded = FoldPathName(name, "/cwd");
    if (!name.empty() && (folded.empty() || folded[0] != '/' || folded.find("//") != std::string::npos))
        std::abort();
    if (FoldPathName(folded, "/") != folded)   // folding is idempotent
        std::abort();
    if (ExtractFilePath(name) + ExtractFileName(name) != name)
        std::abort();
    const std::string withDelimiter = WithTrailingBackslash(name);
    if (withDelimiter.back() != '/' || withDelimiter.size() > name.size() + 1)
        std::abort();

    (void)MatchesFileMask(name, mask);
    if (!MatchesFileMask(name, "*") || !MatchesFileMask(name, "*.*"))
        std::abort();
    if (name.find_first_of("*?") == std::string::npos && !MatchesFileMask(name, name))
        std::abort();
    return 0;
}
