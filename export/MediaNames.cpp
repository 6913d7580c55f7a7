#include "export/MediaNames.h"

#include "export/WebText.h"
#include "storage/FileUtils.h"

#include <set>

namespace dorvel {

namespace {

thread_local const MediaNames* t_active = nullptr;

}  // namespace

MediaNames::MediaNames(const std::vector<std::string>& paths)
{
    std::set<std::string> taken;  // lower case: folders on Windows and macOS ignore case
    for (const std::string& path : paths) {
        if (m_names.count(path))
            continue;
        const std::string own = OwnFlatName(path);
        if (own.empty())
            continue;
        std::string name = own;
        const std::string ext = ExtractFileExt(own);
        const std::string stem = own.substr(0, own.size() - ext.size());
        for (int n = 2; taken.count(LowerCase(name)); ++n)
            name = stem + "-" + std::to_string(n) + ext;
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
