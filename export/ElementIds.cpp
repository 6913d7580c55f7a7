#include "export/ElementIds.h"

#include "export/WebText.h"

namespace dorvel {

const std::string& ElementIds::of(std::string_view authorId)
{
    if (const auto found = m_pageIds.find(authorId); found != m_pageIds.end())
        return found->second;
    const std::string safe = SafeId(authorId);
    std::string pageId = safe;
    for (int n = 2; m_taken.count(pageId) != 0; ++n)
        pageId = safe + "_" + std::to_string(n);
    m_taken.insert(pageId);
    return m_pageIds.emplace(std::string(authorId), pageId).first->second;
}

}  // namespace dorvel
