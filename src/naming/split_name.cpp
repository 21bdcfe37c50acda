#include "naming/split_name.h"

NameParts SplitName(const std::string& name) {
    NameParts parts;
    std::string::size_type dot = name.rfind('.');
    if (dot == std::string::npos) {
        parts.prefix = name;
        return parts;
    }
    parts.prefix = name.substr(0, dot);
    parts.extension = name.substr(dot + 1);
    parts.hasDot = true;
    return parts;
}
