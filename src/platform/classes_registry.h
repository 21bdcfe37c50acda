// The user's own file classes in the registry (HKEY_CURRENT_USER\Software\Classes),
// as far as the program touches them: string values set, keys removed. Plain C++:
// the system's registry is behind Win32ClassesRegistry.
#pragma once

#include <string>

// One string value under the user's classes: `key` is relative to
// HKEY_CURRENT_USER\Software\Classes, `name` "" for the key's default value.
struct ClassesValue {
    std::string key;
    std::string name;
    std::string data;
};

// The user's classes as the option needs them. The program hands the window the
// system's registry; a test may hand it another.
class ClassesRegistry {
public:
    virtual ~ClassesRegistry() = default;
    // Each gives "" when done, else the system's message for what failed.
    virtual std::string SetValue(const ClassesValue& value) = 0;
    // The key with everything under it, then the keys above it that this leaves empty
    // (made for it, as setting a value makes the keys it needs); a key that is not
    // there is no failure.
    virtual std::string DeleteKey(const std::string& key) = 0;
    // Whether the value is there holding exactly `value.data`.
    virtual bool HasValue(const ClassesValue& value) = 0;
};
