#include "iof_schema.h"

#include "program_run.h"

namespace ravik::test {

std::optional<std::string> iofSchemaErrors(const std::string& xmlPath) {
#ifdef _WIN32
    (void)xmlPath;
    return std::nullopt;
#else
    const ProgramRun run = runProgram(
        {"xmllint", "--noout", "--schema", RAVIK_SOURCE_DIR "/tests/exports/data/IOF.xsd", xmlPath},
        Streams::Together);
    return run.exitCode == 0 ? std::string()
                             : run.output + "(exit code " + std::to_string(run.exitCode) + ")";
#endif
}

} // namespace ravik::test
