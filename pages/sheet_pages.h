#pragma once
// The page tables of the two programs: which pages each sheet makes, in
// which order, and where their tabs go.

#include <span>

#include "protocol/wire.h"
#include "shell/page_table.h"

namespace pscfg {

std::span<const PageSlot> SheetPages(Variant variant);

}  // namespace pscfg
