#include "export/MediaNames.h"

#include "export/WebText.h"
#include "storage/FileUtils.h"

#include <algorithm>
#include <set>

namespace dorvel {

namespace {

thread_local const MediaNames* t_active = nullptr;

}  // namespace

MediaNames::MediaNames(const std::vector<std::string>& paths)
{
    std::set<std::string> taken;  // lower case: folders on Windows and macOS ignore case
    // The number the last file of each name took: every lower one was taken
    // then and still is, so the next file of that name starts above it
    // (thousands of imported "image.png" would otherwise cost n² tries).
    std::map<std::string, int> lastNumber;
    for (const std::string& path : paths) {
        if (m_names.count(path))
            continue;
        const std::string own = OwnFlatName(path);
        if (own.empty())
            continue;
        std::string name = own;
        const std::string ext = ExtractFileExt(own);
        const std::string stem = own.substr(0, own.size() - ext.size());
        int& last = lastNumber[LowerCase(own)];
        for (int n = std::max(2, last + 1); taken.count(LowerCase(name)); ++n) {
            name = stem + "-" + std::to_string(n) + ext;
            last = n;
        }
        taken.insert(LowerCase(name));
        m_names.emplace(path, name);
    }
}

std::string MediaNames::nameOf(std::string_view path) const
{
    const auto found = m_names.find(path);
    return found != m_names.end() ? found->second : OwnFlatName(path);
}

MediaNamesScope::MediaNamesScope(const MediaNames& names)
    : m_outer(t_active)
{
    t_active = &names;
}

MediaNamesScope::~MediaNamesScope()
{
    t_active = m_outer;
}

const MediaNames* ActiveMediaNames()
{
    return t_active;
}

}  // namespace dorvel
