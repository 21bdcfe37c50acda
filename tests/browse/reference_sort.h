#pragma once

#include <string>
#include <vector>

#include "browse/sort_orders.h"

// The file list's orders done the slow, literal way: a selection sort over
// each range that re-derives every key at each comparison, after the grouping
// scan that swaps keyed names forward. Its result for names that compare
// equal depends on the input order; elsewhere it is the order by definition.
void ReferenceSortNames(int order, std::vector<std::string>& names);
void ReferenceSortDated(int order, std::vector<DatedName>& names);
