#pragma once

#include <QByteArray>

#include <map>
#include <string>

namespace dorvel::test {

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment()
    {
        for (const auto& [name, old] : m_saved) {
            if (old.isNull())
                qunsetenv(name.c_str());
            else
                qputenv(name.c_str(), old);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void set(const std::string& name, const std::string& value)
    {
        if (!m_saved.count(name))
            m_saved[name] = qEnvironmentVariableIsSet(name.c_str()) ? qgetenv(name.c_str()) : QByteArray();
        qputenv(name.c_str(), QByteArray::fromStdString(value));
    }

private:
    std::map<std::string, QByteArray> m_saved;
};

}  // namespace dorvel::test
