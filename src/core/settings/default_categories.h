#pragma once

#include "lists/string_list.h"

namespace kestrine {

// The built-in file categories, entries name=extensions, in the order the category combo
// shows them.
StringList DefaultCategories();

}  // namespace kestrine
