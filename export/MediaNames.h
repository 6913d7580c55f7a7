#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The names media files get in a test folder. Each file keeps its own name
// (FlatName's rule) unless an earlier file of the list already has it, in
// any letter case: two teachers' "map.png" from two folders, or a picture
// named like a style's button, would otherwise share one copy and one
// question would show the other's picture. The later file gets "map-2.png".
namespace dorvel {

class MediaNames {
public:
    // `paths` in the order the export met them (ExportLists::foundFiles, or
    // a bank's files, which keep that order).
    explicit MediaNames(const std::vector<std::string>& paths);
    // The name in the test folder; a path not in the list keeps its own.
    std::string nameOf(std::string_view path) const;

private:
    std::map<std::string, std::string, std::less<>> m_names;
};

// While it lives, FlatName names the files of `names` as they say; scopes
// nest, the innermost counts. One export at a time per thread.
class MediaNamesScope {
public:
    explicit MediaNamesScope(const MediaNames& names);
    ~MediaNamesScope();
    MediaNamesScope(const MediaNamesScope&) = delete;
    MediaNamesScope& operator=(const MediaNamesScope&) = delete;

private:
    const MediaNames* m_outer;
};

// The names in force, nullptr outside every scope.
const MediaNames* ActiveMediaNames();

}  // namespace dorvel
