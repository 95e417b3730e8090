// Rejects options that would make a file the format cannot express.
#pragma once

#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex::dicwriter {

// Throws WriterError naming the first bad option.
void ValidateOptions(const Options& options);

}  // namespace tavlex::dicwriter
