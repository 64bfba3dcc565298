#pragma once

#include <cstdint>
#include <string>

// What the number formatter needs of the settings file: typed reads with a
// default and writes, section first and key second. The program's INI file
// implements it; tests use an in-memory double.
namespace tralto {

class SettingsStore
{
public:
    virtual ~SettingsStore();

    virtual std::string ReadString(
        const std::string& section, const std::string& key, const std::string& defaultValue)
        = 0;
    virtual void WriteString(
        const std::string& section, const std::string& key, const std::string& value)
        = 0;
    virtual int32_t ReadInteger(
        const std::string& section, const std::string& key, int32_t defaultValue)
        = 0;
    virtual void WriteInteger(const std::string& section, const std::string& key, int32_t value)
        = 0;
};

} // namespace tralto

// Reached without the namespace by the program and by code written before it.
using tralto::SettingsStore;
