#pragma once

#include <string>
#include <vector>

// A PostgreSQL server of its own for a test: a new cluster in a temporary
// folder, listening on a free loopback port, stopped and removed at the end.
// Run as root, the server runs as the system's "postgres" user (PostgreSQL
// refuses root).
namespace dorvel::test {

class ThrowawayPostgres {
public:
    ThrowawayPostgres();
    ~ThrowawayPostgres();
    ThrowawayPostgres(const ThrowawayPostgres&) = delete;
    ThrowawayPostgres& operator=(const ThrowawayPostgres&) = delete;

    // Empty when the server runs; otherwise why not (binaries missing, ...).
    const std::string& problem() const { return m_problem; }
    bool missingBinaries() const { return m_missing; }
    // postgresql://postgres@127.0.0.1:PORT/postgres
    std::string url() const;

private:
    bool run(const std::string& program, const std::vector<std::string>& arguments, std::string& output);

    std::string m_bin;
    std::string m_folder;
    std::string m_user;  // "postgres" when run as root, else ""
    int m_port = 0;
    bool m_started = false;
    bool m_missing = false;
    std::string m_problem;
};

}  // namespace dorvel::test
