#pragma once

#include "platform/file_services.h"

#include <optional>
#include <string>

// A date as the FORMAT of a date field asks: yyyy yy MM M MMM MMMM dd d ddd dddd HH H mm
// ss, English month and day names, '...' for letters that stand as themselves ('' for
// a quote), every other character as itself. None for a format with any other run of
// letters or an open quote.
std::optional<std::string> FormatFieldDate(const LocalTime& t, const std::string& format);
