#pragma once

#include <string>
#include <vector>

#include "browse/sort_orders.h"

// The file list's orders done the slow, literal way: a selection sort whose
// comparison re-derives every key each time (keyed group first, then the key,
// then the name). Names equal but for case follow in byte order, in the order's
// direction, as the fast sort documents.
void ReferenceSortNames(int order, std::vector<std::string>& names);
void ReferenceSortDated(int order, std::vector<DatedName>& names);
