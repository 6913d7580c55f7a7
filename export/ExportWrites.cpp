#include "export/ExportWrites.h"

#include "export/FileCopy.h"
#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"
#include "storage/ScratchFiles.h"

namespace dorvel {

bool ExportWrites::write(const std::string& path, std::string_view bytes)
{
    if (failed())
        return false;
    // A link at the name is replaced itself: the file it points to, maybe
    // outside the test, is never written.
    if (IsSymbolicLink(NativeSeparators(path)) && !RemoveEntry(NativeSeparators(path)))
        return fail("cannot remove the link " + path + ": " + LastErrorText());
    std::string why;
    const bool written = m_scratch ? WriteScratchFileBytes(path, bytes, &why) : WriteFileBytes(path, bytes, &why);
    return written || fail("cannot write " + path + ": " + why);
}

bool ExportWrites::copy(const std::string& from, const std::string& to)
{
    if (failed())
        return false;
    std::string why;
    return CopyFileChunked(from, to, &why, !m_scratch) || fail(why);
}

bool ExportWrites::fail(std::string message)
{
    if (m_error.empty())
        m_error = std::move(message);
    return false;
}

bool CopyFileChunked(const std::string& from, const std::string& to, std::string* error, bool sync)
{
    const auto fail = [&](const std::string& message) {
        if (error)
            *error = message + ": " + LastErrorText();
        return false;
    };
    const Fd source = OpenRegularFile(NativeSeparators(from));
    if (!source.valid())
        return fail("cannot read " + from);
    Fd target = CreateNewFile(NativeSeparators(to));
    if (!target.valid())
        return fail("cannot create " + to);
    if (CopyBytes(source.get(), target.get(), -1) < 0 || (sync && !SyncFile(target.get())) || !target.reset()) {
        fail("cannot write " + to);
        RemoveEntry(NativeSeparators(to));
        return false;
    }
    return true;
}

}  // namespace dorvel
