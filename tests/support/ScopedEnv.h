#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <initializer_list>
#include <utility>
#include <vector>

// Sets environment variables for one scope (nullptr unsets one) and puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(std::initializer_list<std::pair<const char*, QByteArray>> values) {
        for (const auto& [name, value] : values) {
            Saved.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
        }
    }
    ~ScopedEnv() {
        for (const Entry& entry : Saved) {
            entry.WasSet ? qputenv(entry.Name, entry.Value) : qunsetenv(entry.Name);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    struct Entry {
        const char* Name;
        bool WasSet;
        QByteArray Value;
    };
    std::vector<Entry> Saved;
};
