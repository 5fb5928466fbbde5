// Appending one block to a file, the only place the core talks to the
// operating system.
#pragma once

#include <string>
#include <string_view>

namespace kestrami {

struct AppendResult {
    bool ok = false;
    std::string reason;  // the system's message when !ok
};

// Appends the block to the file at path, creating it when missing. The block
// goes out in one write while an exclusive lock on the file is held, so two
// programs saving at once never interleave; a write that fails or comes back
// short is cut back off the file, so no partial block stays; a successful
// append is on the disk (fsync) when this returns.
AppendResult AppendBlock(const std::string& path, std::string_view block);

}  // namespace kestrami
