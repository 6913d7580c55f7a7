#pragma once

#include <QIODevice>
#include <QSaveFile>

#include <string>

namespace dorvel {

// A file written piece by piece (by a QXmlStreamWriter, say) that takes the
// place of the file at its path only when whole, as WriteFileBytes does for
// bytes held at once: the pieces are gathered into blocks of a megabyte and
// written to a file beside the target, which commit() forces onto the disk
// and renames over it. So a large output never has to be held in memory. A
// write that fails (a full disk too) fails every later one and the commit,
// and the earlier file stays as it was; so does one never committed.
class SaveStream : public QIODevice {
public:
    explicit SaveStream(const std::string& path);
    ~SaveStream() override;

    // Opens the file beside the target; false (and `error`) when it cannot be.
    bool begin(std::string* error = nullptr);
    // Writes what is left, forces it onto the disk and renames it over the
    // target; false (and `error`, the first failure's reason) otherwise.
    bool commit(std::string* error = nullptr);
    // Bytes written so far.
    qint64 written() const { return m_written; }
    // Why a write failed ("" while none has).
    const std::string& error() const { return m_error; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool writeBlock();
    bool fail(const std::string& why);

    QSaveFile m_file;
    QByteArray m_block;
    qint64 m_written = 0;
    std::string m_error;
};

}  // namespace dorvel
