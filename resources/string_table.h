// The viewer's string table: the user-visible texts, by id.
#pragma once

#include <QString>

namespace tavlex {

// The text of a string id from resource_ids.h; empty for an unknown id.
QString LoadString(int id);

}  // namespace tavlex
