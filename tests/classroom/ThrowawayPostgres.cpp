#include "ThrowawayPostgres.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>

namespace dorvel::test {

namespace {

std::string FindBinaries()
{
    // Debian keeps each major version's programs apart; the newest wins.
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::sort(found.begin(), found.end(), [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
    for (const QString& version : found) {
        const QString bin = versions.absoluteFilePath(version + QStringLiteral("/bin"));
        if (QFileInfo(bin + QStringLiteral("/initdb")).isExecutable() && QFileInfo(bin + QStringLiteral("/pg_ctl")).isExecutable())
            return bin.toStdString();
    }
    return {};
}

int FreePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

}  // namespace

ThrowawayPostgres::ThrowawayPostgres()
{
    m_bin = FindBinaries();
    if (m_bin.empty()) {
        m_missing = true;
        m_problem = "PostgreSQL's programs (initdb, pg_ctl) are not installed: apt-get install postgresql";
        return;
    }
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/dorvel-pg-XXXXXX"));
    folder.setAutoRemove(false);
    if (!folder.isValid()) {
        m_problem = "no temporary folder";
        return;
    }
    m_folder = folder.path().toStdString();
    if (::geteuid() == 0) {
        const passwd* user = ::getpwnam("postgres");
        if (!user) {
            m_problem = "running as root and there is no \"postgres\" user to run the server as";
            return;
        }
        m_user = "postgres";
        if (::chown(m_folder.c_str(), user->pw_uid, user->pw_gid) != 0) {
            m_problem = "cannot hand the temporary folder to the postgres user";
            return;
        }
    }
    m_port = FreePort();
    std::string output;
    const std::string data = m_folder + "/data";
    if (!run(m_bin + "/initdb", {"-D", data, "-A", "trust", "-U", "postgres", "--no-sync", "-E", "UTF8"}, output)) {
        m_problem = "initdb failed: " + output;
        return;
    }
    const std::string options = "-p " + std::to_string(m_port) + " -k " + m_folder
        + " -c listen_addresses=127.0.0.1 -c fsync=on";
    if (!run(m_bin + "/pg_ctl", {"-D", data, "-o", options, "-l", m_folder + "/log", "-w", "-t", "30", "start"}, output)) {
        m_problem = "pg_ctl start failed: " + output;
        return;
    }
    m_started = true;
}

ThrowawayPostgres::~ThrowawayPostgres()
{
    std::string output;
    if (m_started)
        run(m_bin + "/pg_ctl", {"-D", m_folder + "/data", "-m", "immediate", "-w", "stop"}, output);
    if (!m_folder.empty())
        QDir(QString::fromStdString(m_folder)).removeRecursively();
}

std::string ThrowawayPostgres::url() const
{
    return "postgresql://postgres@127.0.0.1:" + std::to_string(m_port) + "/postgres";
}

bool ThrowawayPostgres::run(const std::string& program, const std::vector<std::string>& arguments, std::string& output)
{
    QProcess process;
    QStringList list;
    QString command = QString::fromStdString(program);
    if (!m_user.empty()) {
        list << QStringLiteral("-u") << QString::fromStdString(m_user) << QStringLiteral("--") << command;
        command = QStringLiteral("runuser");
    }
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    process.setWorkingDirectory(QString::fromStdString(m_folder));
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command, list);
    if (!process.waitForFinished(60000)) {
        output = "did not finish";
        process.kill();
        process.waitForFinished();
        return false;
    }
    output = process.readAll().toStdString();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

}  // namespace dorvel::test
