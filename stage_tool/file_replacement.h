#pragma once
// Output files written so that nothing that was there is lost: the bytes go to a new file beside the
// target, which replaces the target only when it is whole. A path that names something other than a
// regular file, or a file that is read-only, is refused and left as it was.

#include <string>
#include <string_view>

namespace kaleidra::stage_tool {

// Writes `bytes` as the whole content of the file at the UTF-8 `path`. An empty string when
// written, else why not ("cannot write <kind>'path': ..."); on failure the path is as it was and no
// file is left behind.
std::string replaceFileContent(const std::string& path, std::string_view bytes, std::string_view kind = {});

}  // namespace kaleidra::stage_tool
