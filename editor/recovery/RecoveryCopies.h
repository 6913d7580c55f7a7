#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace dorvel {

struct OpenSet;

// Copies of unsaved sets kept in a folder of the user's own, so that a crash
// or a killed editor loses at most the last minute of work. Each copy is a
// set file (`ID.vtd`) beside a note (`ID.txt`: the time of the copy, then the
// set's own path, empty for a set never saved). Both are written atomically
// and never over the set's own file.
struct RecoveryCopy {
    std::string id;
    std::string copyPath;  // the copy, a set file
    std::string setPath;   // where the set was saved, "" when never
    std::time_t written = 0;
};

class RecoveryCopies {
public:
    explicit RecoveryCopies(std::string folder);

    // <user data folder>/Dorvel/Recovery/
    static std::string defaultFolder();
    const std::string& folder() const { return m_folder; }

    bool write(const std::string& id, const OpenSet& set, std::time_t now, std::string* error = nullptr);
    void remove(const std::string& id);
    // The copies in the folder, oldest first (a note without its copy is passed over).
    std::vector<RecoveryCopy> found() const;

private:
    std::string copyPath(const std::string& id) const;
    std::string notePath(const std::string& id) const;

    std::string m_folder;
};

}  // namespace dorvel
