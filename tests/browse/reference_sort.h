#pragma once

#include <string>
#include <vector>

#include "browse/sort_orders.h"

// The file list's orders done the slow, literal way: a selection sort whose
// comparison re-derives every key each time (keyed group first, then the key,
// then the name). Names that compare equal keep the first candidate found, so
// their order depends on the input; elsewhere it is the order by definition.
void ReferenceSortNames(int order, std::vector<std::string>& names);
void ReferenceSortDated(int order, std::vector<DatedName>& names);
