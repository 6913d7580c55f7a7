#pragma once

#include <QTemporaryDir>

#include <string>

namespace dorvel::test {

// A fresh folder on disk for one test, removed afterwards.
class TempFolder {
public:
    TempFolder();
    // Path of a name inside the folder.
    std::string path(const std::string& name = {}) const;
    // Writes bytes to a file inside the folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    QTemporaryDir m_dir;
};

}  // namespace dorvel::test
