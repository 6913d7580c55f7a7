#include "tests/support/ProgramRun.h"

#include "storage/FileUtils.h"

#include <QProcess>
#include <QStringList>

namespace dorvel::test {

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& input,
                      int seconds)
{
    QProcess process;
    QStringList arguments;
    for (const std::string& a : args)
        arguments << toQString(a);
    process.start(toQString(program), arguments);
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    if (!process.waitForFinished(seconds * 1000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    ProgramRun run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

}  // namespace dorvel::test
