#include "tests/support/TempFolder.h"

#include "storage/FileUtils.h"

#include <gtest/gtest.h>

namespace dorvel::test {

TempFolder::TempFolder()
{
    EXPECT_TRUE(m_dir.isValid());
}

std::string TempFolder::path(const std::string& name) const
{
    return JoinPath(fromQString(m_dir.path()), name);
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const
{
    const std::string p = path(name);
    ForceDirectory(ExtractFilePath(p));
    EXPECT_TRUE(WriteFileBytes(p, bytes)) << p;
    return p;
}

}  // namespace dorvel::test
