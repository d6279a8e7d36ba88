// Feeds arbitrary bytes to the reader of the standalone-form file.
#include "character_tables.h"
#include "fuzz_support.h"
#include "sequential_input.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static auto tables = std::make_unique<quorvel::CharacterTables>();
    const quorvel::fuzz::ScratchFile scratch(data, size);
    quorvel::fuzz::expectOnlyRuntimeFailures([&] {
        quorvel::SequentialInput input(scratch.path());
        quorvel::readElementFormRecords(input, *tables);
    });
    return 0;
}
