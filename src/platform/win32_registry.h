// The user's classes in the system's registry.
#pragma once

#include "platform/classes_registry.h"

class Win32ClassesRegistry : public ClassesRegistry {
public:
    std::string SetValue(const ClassesValue& value) override;
    std::string DeleteKey(const std::string& key) override;
    bool HasValue(const ClassesValue& value) override;
};
