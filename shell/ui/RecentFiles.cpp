#include "shell/ui/RecentFiles.h"

#include "storage/FileUtils.h"

#include <algorithm>

namespace dorvel {

void RecentFiles::clear()
{
    m_entries.fill(std::string());
}

void RecentFiles::load(const Entries& values)
{
    clear();
    for (int i = 0; i < kCount; ++i) {
        const std::string& value = values[static_cast<std::size_t>(i)];
        if (value.empty() || std::find(m_entries.begin(), m_entries.end(), value) != m_entries.end())
            continue;
        m_entries[static_cast<std::size_t>(i)] = value;
    }
}

void RecentFiles::add(const std::string& path)
{
    for (std::string& entry : m_entries)
        if (entry == path)
            entry.clear();
    std::size_t firstEmpty = kCount - 1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].empty()) {
            firstEmpty = i;
            break;
        }
    }
    for (std::size_t i = firstEmpty; i > 0; --i)
        m_entries[i] = std::move(m_entries[i - 1]);
    m_entries[0] = path;
}

void RecentFiles::forgetMissing()
{
    for (std::string& entry : m_entries)
        if (!entry.empty() && !FileExists(entry))
            entry.clear();
}

const std::string& RecentFiles::at(int entry) const
{
    static const std::string none;
    return entry >= 0 && entry < kCount ? m_entries[static_cast<std::size_t>(entry)] : none;
}

std::vector<std::pair<int, std::string>> RecentFiles::menuItems() const
{
    std::vector<std::pair<int, std::string>> items;
    for (int i = 0; i < kCount; ++i) {
        const std::string& path = m_entries[static_cast<std::size_t>(i)];
        if (path.empty())
            continue;
        if (std::find(m_entries.begin(), m_entries.begin() + i, path) != m_entries.begin() + i)
            continue;
        const std::string name = ExtractFileName(path);
        items.emplace_back(i, name.size() > 4 ? name.substr(0, name.size() - 4) : std::string());
    }
    return items;
}

}  // namespace dorvel
