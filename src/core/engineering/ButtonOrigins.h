#pragma once
// Where each button's function comes from after the merge of the catalogue,
// its machine part and the stored function file (ReadFunctionFiles.h), and what the
// catalogue alone would put on a button.
//
// A stored record replaces every entry with its SpecialKey, so a button any
// stored record names is the stored file's. Otherwise the catalogue's general
// part places its last record of that key, and only a key none of them has
// is the machine part's (its first record of that key).

#include "FunctionLists.h"

#include <optional>
#include <string_view>

namespace engineering {

enum class FunctionOrigin { None, Catalogue, Machine, Stored };

// "catalogue", "machine", "stored"; "-" for a button nothing names.
std::string_view originName(FunctionOrigin origin);

FunctionOrigin buttonOrigin(const FunctionLists& lists, int button);

// The function the catalogue and its machine part put on the button, its
// symbol name in the button's form; nothing when they name none.
std::optional<EngineeringFunction> catalogueFunction(const FunctionLists& lists, int button);

// Whether the button holds what the catalogue would put there: equal in
// every stored field but WhereICome, which only tells who wrote the record.
bool sameAsCatalogue(const FunctionLists& lists, int button);

} // namespace engineering
