#include "storage/SaveStream.h"

#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"

namespace dorvel {

namespace {

constexpr qsizetype kBlockBytes = qsizetype(1) << 20;

}  // namespace

SaveStream::SaveStream(const std::string& path)
    : m_file(toQString(NativeSeparators(path)))
{
}

SaveStream::~SaveStream()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
}

bool SaveStream::begin(std::string* error)
{
    // Unbuffered: every write of a block reports a full disk itself (Qt
    // 6.4's commit() does not notice a buffered flush that failed).
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fail(fromQString(m_file.errorString()));
        if (error)
            *error = m_error;
        return false;
    }
    m_block.reserve(kBlockBytes);
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool SaveStream::commit(std::string* error)
{
    const bool whole = m_error.empty() && m_file.isOpen() && writeBlock()
        && (SyncFile(m_file.handle()) || fail(LastErrorText())) && (m_file.commit() || fail(fromQString(m_file.errorString())));
    QIODevice::close();
    if (!whole) {
        if (m_file.isOpen())
            m_file.cancelWriting();
        if (error)
            *error = m_error;
    }
    return whole;
}

qint64 SaveStream::readData(char* /*data*/, qint64 /*maxSize*/)
{
    return -1;
}

qint64 SaveStream::writeData(const char* data, qint64 size)
{
    if (!m_error.empty())
        return -1;
    m_block.append(data, static_cast<qsizetype>(size));
    if (m_block.size() >= kBlockBytes && !writeBlock())
        return -1;
    m_written += size;
    return size;
}

bool SaveStream::writeBlock()
{
    if (m_block.isEmpty())
        return true;
    if (m_file.write(m_block) != m_block.size() || m_file.error() != QFileDevice::NoError)
        return fail(fromQString(m_file.errorString()));
    m_block.resize(0);  // keeps the block's room for the next
    return true;
}

bool SaveStream::fail(const std::string& why)
{
    if (m_error.empty())
        m_error = why.empty() ? "the file could not be written" : why;
    return false;
}

}  // namespace dorvel
