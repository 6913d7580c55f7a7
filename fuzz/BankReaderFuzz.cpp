// Bytes through the bank reader's header checks. Random bytes almost never
// carry the scrambling marker, so the first byte can ask for the rest to be
// scrambled first: then the length field and the file records themselves
// are what the fuzzer varies.
#include "bank/BankReader.h"
#include "storage/Vtutils.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string bank;
    if (data[0] & 1) {
        // Header plain text up to the first zero byte, the data section behind it.
        const auto zero = rest.find('\0');
        const std::string_view header = rest.substr(0, zero);
        const std::string_view tail = zero == std::string_view::npos ? std::string_view() : rest.substr(zero + 1);
        bank = dorvel::ScrambleTextSeeded(header, 3, 1);
        bank += tail;
    } else {
        bank.assign(rest);
    }

    dorvel::BankReader reader;
    if (reader.parseHeader(bank, static_cast<std::int64_t>(bank.size()))) {
        for (const dorvel::BankFileEntry& e : reader.files()) {
            if (e.embedded() && (e.start < 0 || e.end < e.start || e.end > reader.dataSize()))
                __builtin_trap();
            if (!reader.find(e.name))
                __builtin_trap();
            dorvel::IsPlainFileName(e.name);
        }
        if (reader.dataStart() + reader.dataSize() != static_cast<std::int64_t>(bank.size()))
            __builtin_trap();
        dorvel::BankReader::NumberedRecords(reader.questionFileList());
        dorvel::BankReader::NumberedRecords(reader.preTestFileList());
        reader.testDetails();
    }
    return 0;
}
