#include "stage_tool/loaded_stage.h"

#include <filesystem>
#include <system_error>

#include "core/byte_source.h"
#include "core/stage.h"
#include "stage_tool/utf8_path.h"

namespace kaleidra::stage_tool {

StageLoad loadStageFile(const std::string& path, const GameSettings& settings) {
    StageLoad result;
    result.stage.settings = settings;
    // Looked at through the UTF-8 path, as the core opens it: a narrow path would go through the
    // Windows code page and could name a look-alike file.
    const auto name = pathFromUtf8(path);
    if (!name) {
        result.problem = "cannot read '" + path + "': not a valid file name";
        return result;
    }
    std::error_code error;
    const auto status = std::filesystem::status(*name, error);
    if (error || !std::filesystem::exists(status)) {
        result.problem = "cannot read '" + path + "': no such file";
        return result;
    }
    if (!std::filesystem::is_regular_file(status) || namesReservedDevice(path.c_str())) {
        result.problem = "cannot read '" + path + "': not a regular file";
        return result;
    }
    FileByteSource file(path.c_str());
    const auto content =
        readStageContent(file, static_cast<std::size_t>(inFieldCellCount(result.stage.settings)));
    if (content.empty()) {
        result.problem = "'" + path +
                         "' gives no stage: it is empty, unreadable or begins with the end mark 0x1A "
                         "(the game would make a random stage)";
        return result;
    }
    layoutCells(result.stage.field);
    colourCellsFromContent(result.stage.field, result.stage.state, result.stage.settings, content);
    result.loaded = true;
    return result;
}

std::int32_t colourAt(const LoadedStage& stage, std::int32_t col, std::int32_t row) {
    return stage.field.cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].colour;
}

}  // namespace kaleidra::stage_tool
