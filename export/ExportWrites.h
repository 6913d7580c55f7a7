#pragma once

#include <string>
#include <string_view>

namespace dorvel {

// Every file a web export writes goes through here, so that one failed write
// (a full disk, a read-only or vanished folder) fails the export: after the
// first failure nothing more is written, and error() says what failed.
class ExportWrites {
public:
    // `scratch`: the files need not survive a crash (see ScratchFiles.h).
    explicit ExportWrites(bool scratch = false)
        : m_scratch(scratch)
    {
    }

    // Writes a page (replacing any file or link of that name); false after a
    // failure.
    bool write(const std::string& path, std::string_view bytes);
    // Copies a file into the test folder under a name that must be new there
    // (forced onto the disk unless the files are scratch files).
    bool copy(const std::string& from, const std::string& to);
    // Records a failure found elsewhere (the first one is kept).
    bool fail(std::string message);

    bool failed() const { return !m_error.empty(); }
    const std::string& error() const { return m_error; }

private:
    bool m_scratch;
    std::string m_error;
};

// Copies a file in chunks (never whole in memory) to `to`, which must not
// exist yet (nor be a link), forced onto the disk when `sync`. False with
// `error` set when it failed.
bool CopyFileChunked(const std::string& from, const std::string& to, std::string* error = nullptr, bool sync = false);

}  // namespace dorvel
