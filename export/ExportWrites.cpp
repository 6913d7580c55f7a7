#include "export/ExportWrites.h"

#include "storage/FileCopy.h"
#include "storage/FileUtils.h"
#include "storage/ScratchFiles.h"

namespace dorvel {

bool ExportWrites::write(const std::string& path, std::string_view bytes)
{
    if (failed())
        return false;
    std::string why;
    const bool written = m_scratch ? WriteScratchFileBytes(path, bytes, &why) : WriteFileBytes(path, bytes, &why);
    return written || fail("cannot write " + path + ": " + why);
}

bool ExportWrites::copy(const std::string& from, const std::string& to)
{
    if (failed())
        return false;
    std::string why;
    return CopyFileChunked(from, to, &why) || fail(why);
}

bool ExportWrites::fail(std::string message)
{
    if (m_error.empty())
        m_error = std::move(message);
    return false;
}

bool CopyFileChunked(const std::string& from, const std::string& to, std::string* error)
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
    if (CopyBytes(source.get(), target.get(), -1) < 0 || !target.reset()) {
        fail("cannot write " + to);
        RemoveEntry(NativeSeparators(to));
        return false;
    }
    return true;
}

}  // namespace dorvel
