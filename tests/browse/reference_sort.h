#pragma once

#include <string>
#include <vector>

#include "browse/sort_orders.h"

// The file list's orders done the slow, literal way, step by step as the orders are
// defined: the keyed group gathered at the front by swapping each outsider with the
// first keyed name after it, then a selection sort of each group that re-derives the
// keys at every comparison and swaps only when an entry comes strictly first.
void ReferenceSortNames(int order, std::vector<std::string>& names);
void ReferenceSortDated(int order, std::vector<DatedName>& names);
